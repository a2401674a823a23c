// Test-only rules that own an access-descriptor list and a
// condition-switch list: enough to drive the sub-lists through a rule, and
// to load and save `AccessDesc` and `ConditionSwitch` children.
//
//   <RuleList><Rule id="1" ot="4"><ConditionSwitch .../><AccessDesc .../></Rule></RuleList>
//
// `ot` is the rule's object type in decimal. The section reads and writes
// the children with the configs it is constructed with.
#ifndef XMLSECDB_TESTS_MODEL_ACCESS_TEST_RULE_H_
#define XMLSECDB_TESTS_MODEL_ACCESS_TEST_RULE_H_

#include <string>
#include <vector>

#include "core/number_text.h"
#include "core/return_if_failed.h"
#include "core/section.h"
#include "list/rule_list.h"
#include "sbx/sbx_words.h"
#include "testing/hresult_matchers.h"
#include "testing/test_parser.h"

namespace xmlsecdb::testing {

inline constexpr CLSID CLSID_AccessTestRuleList =
    MakeGuid("{5EC0DB00-08F1-4000-8000-5EC0DB0008F1}");

inline constexpr ListTraits kAccessTestRuleListTraits = {
    "CAccessTestRuleList", "CreateRule", &CLSID_AccessTestRuleList, &ISDCollection::kIID};
inline constexpr ListEventIds kAccessTestRuleEvents = {};

// A rule that logs every owner slot its sub-lists call, as
// "slot:item" or "slot:null".
class AccessTestRule final : public ItemObject<CRule, IDispatch> {
 public:
  AccessTestRule()
      : access_(MakeObject<CAccessDescriptorList>(this)),
        switches_(MakeObject<CConditionSwitchList>(this)) {}

  CAccessDescriptorList* access() const { return access_.get(); }
  CConditionSwitchList* switches() const { return switches_.get(); }

  std::int32_t object_type = 0;
  std::vector<std::string> notices;

  void MarkModified() override {
    notices.push_back("modified");
    CRule::MarkModified();
  }
  void BeforeInsert(IUnknown* item) override { Log("before-insert", item); }
  void AfterInsert(IUnknown* item) override { Log("after-insert", item); }
  void BeforeRemove(IUnknown* item) override { Log("before-remove", item); }
  void AfterRemove(IUnknown* item) override { Log("after-remove", item); }
  void BeforeChange(IUnknown* item, std::int32_t p) override { Log("before-change", item, p); }
  void AfterChange(IUnknown* item, std::int32_t p) override { Log("after-change", item, p); }
  void BeforeSwitchInsert(IUnknown* item) override { Log("before-switch-insert", item); }
  void AfterSwitchInsert(IUnknown* item) override { Log("after-switch-insert", item); }
  void BeforeSwitchRemove(IUnknown* item) override { Log("before-switch-remove", item); }
  void AfterSwitchRemove(IUnknown* item) override { Log("after-switch-remove", item); }
  void BeforeSwitchChange(IUnknown* item, std::int32_t p) override {
    Log("before-switch-change", item, p);
  }
  void AfterSwitchChange(IUnknown* item, std::int32_t p) override {
    Log("after-switch-change", item, p);
  }

 private:
  void Log(const char* slot, IUnknown* item, std::int32_t property = 0) {
    std::string line = std::string(slot) + (item ? ":item" : ":null");
    if (property) line += ":" + std::to_string(property);
    notices.push_back(line);
  }

  OwnedList<CAccessDescriptorList> access_;
  OwnedList<CConditionSwitchList> switches_;
};

class AccessTestRuleList final : public RuleList<ISDCollection, AccessTestRule, IDispatch> {
 public:
  explicit AccessTestRuleList(IListOwner* owner) : RuleList(owner, kAccessTestRuleListTraits) {}
};

// `RuleList` with its rules and their two kinds of children.
class AccessTestSection final : public Section {
 public:
  AccessTestSection(ParserCore* parser, const AccessDescConfig& access,
                    const ConditionSwitchConfig& switches)
      : site_(parser, kAccessTestRuleEvents),
        rules_(MakeObject<AccessTestRuleList>(&site_)),
        access_(access),
        switches_(switches) {}

  AccessTestRuleList* rules() const { return rules_.get(); }

  std::string_view element() const override { return "RuleList"; }
  std::string_view property() const override { return "RuleList"; }
  ISDCollection* collection() override { return rules_.get(); }

  HRESULT StartElement(SectionReadContext& context, std::string_view name, std::string_view parent,
                       const SaxAttributes& attributes, bool* handled) override {
    if (name == "RuleList" && parent == "SecDb") {
      *handled = true;
    } else if (name == "Rule" && parent == "RuleList") {
      *handled = true;
      current_ = rules_->NewItem();
      std::string_view id;
      if (!attributes.GetValueFromName("id", &id)) return context.Fail(109, " Missing rule id.");
      RETURN_IF_FAILED(current_->SetRuleIDString("CAccessTestRule::put_RuleIDString()", id, 0));
      current_->object_type = ReadDecimal(attributes.Find("ot").value_or(""));
    } else if (name == kAccessDescElement && parent == "Rule" && current_) {
      *handled = true;
      return ReadAccessDesc(context, attributes, current_->object_type, access_,
                            *current_->access());
    } else if (name == kConditionSwitchElement && parent == "Rule" && current_) {
      *handled = true;
      return ReadConditionSwitch(context, attributes, switches_, *current_->switches());
    }
    return S_OK;
  }

  HRESULT EndElement(SectionReadContext&, std::string_view name, std::string_view,
                     std::string_view) override {
    if (name != "Rule" || !current_) return S_OK;
    ComPtr<AccessTestRule> rule = std::move(current_);
    return rules_->Insert(rule.get());
  }

  HRESULT Write(XmlWriter& writer) override {
    RETURN_IF_FAILED(writer.StartElement("RuleList"));
    for (AccessTestRule* rule : *rules_) {
      attributes_.Clear();
      attributes_.AddInt("id", rule->rule_id());
      attributes_.AddInt("ot", rule->object_type);
      RETURN_IF_FAILED(writer.StartElement("Rule", attributes_));
      RETURN_IF_FAILED(WriteConditionSwitches(writer, attributes_, *rule->switches()));
      RETURN_IF_FAILED(
          WriteAccessDescs(writer, attributes_, *rule->access(), rule->object_type, access_));
      RETURN_IF_FAILED(writer.EndElement("Rule"));
    }
    return writer.EndElement("RuleList");
  }

  void Clear() override {
    current_ = nullptr;
    (void)rules_->Clear();
  }

 private:
  ParserListSite site_;
  OwnedList<AccessTestRuleList> rules_;
  const AccessDescConfig& access_;
  const ConditionSwitchConfig& switches_;
  ComPtr<AccessTestRule> current_;
  XmlAttributes attributes_;
};

// A test parser whose one section is the rule list above, read and written
// with `access` and `switches` (which must outlive it).
inline ComPtr<TestParser> MakeAccessTestParser(
    const AccessDescConfig& access = kSBXAccessDesc,
    const ConditionSwitchConfig& switches = kSBXConditionSwitch) {
  ComPtr<TestParser> parser = MakeObject<TestParser>();
  parser->AddSection<AccessTestSection>(access, switches);
  return parser;
}

inline AccessTestRuleList* AccessRules(TestParser& parser) {
  return parser.section<AccessTestSection>().rules();
}

// Loads `body` (the rule list of a database) into `parser` and returns what
// a save writes for it, or "load failed: <description>".
inline std::string RoundTrip(TestParser& parser, std::string_view body) {
  HRESULT hr = LoadBody(parser, body);
  if (Failed(hr)) return "load failed: " + TakeErrorDescription();
  std::string xml;
  if (Failed(parser.get_Xml(&xml))) return "save failed";
  std::size_t start = xml.find("\t<RuleList");
  std::size_t end = xml.find("</RuleList>");
  if (start == std::string::npos || end == std::string::npos) return xml;
  return xml.substr(start, end + 11 - start);
}

// A new rule of `object_type`, inserted with the next free identifier.
inline AccessTestRule* AddRule(TestParser& parser, std::int32_t object_type = OT_FILE) {
  ComPtr<AccessTestRule> rule = AccessRules(parser)->NewItem();
  rule->object_type = object_type;
  std::int32_t id = 0;
  if (Failed(AccessRules(parser)->GenerateID(&id)) || Failed(rule->SetRuleID("", id, 0)) ||
      Failed(AccessRules(parser)->Insert(rule.get()))) {
    return nullptr;
  }
  return rule.get();
}

}  // namespace xmlsecdb::testing

#endif  // XMLSECDB_TESTS_MODEL_ACCESS_TEST_RULE_H_

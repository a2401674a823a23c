// PolicyRuleSection<List>: the `RuleList` section of a policy database
// (anti-malware, sandbox, data inspection) — how its rules are read from and
// written to the file.
//
//   <RuleList>
//     <Rule id="7" priority="high" ot="AntiMalware" app="C:\a.exe" order="15000">
//       <Object>C:\Data\*.tmp</Object>
//       <ConditionSwitch type="and" target="global" bits_on="2"/>
//       <AccessDesc at="ScanExclusion" ar="Allow" al="Severity1"/>
//     </Rule>
//   </RuleList>
//
// One implementation serves the three kinds; a kind's differences are a
// PolicyRuleSectionConfig constant: its `ot` words (read and written
// separately, since a kind may write words it refuses to read), its
// `AccessDesc` and `ConditionSwitch` configs, its rule-list events, and
// which of the kind-specific attributes it reads and writes. A kind's parser
// declares the section and registers it in save order:
//
//   PolicyRuleSection<CAMRuleList> rules_{this, kAMRuleSection, kNoCompareContext};
//   AddSection(&rules_);                                           // constructor
//
// Items are filled as every loader fills them (list/list_section.h).
//
// Reading appends the rules in file order and, at the end of `RuleList`,
// puts them in the order Insert would have given (RuleListCore's bulk
// load), so loading costs O(n log n) at most whatever the file's order. A
// rule is inserted at the end of its element; a failing insert (a
// duplicate identifier: 117) ends the load.
#ifndef XMLSECDB_POLICY_POLICY_RULE_SECTION_H_
#define XMLSECDB_POLICY_POLICY_RULE_SECTION_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/return_if_failed.h"
#include "core/section.h"
#include "list/compare_context.h"
#include "list/list_owner.h"
#include "list/list_section.h"
#include "model/access_descriptor_xml.h"
#include "model/condition_switch_xml.h"
#include "model/vocabulary.h"
#include "platform/xml_writer.h"
#include "policy/policy_rule.h"
#include "policy/policy_rule_list.h"
#include "policy/policy_words.h"
#include "xmlsecdb/events.h"

namespace xmlsecdb {

// The kind-specific attributes of `Rule`.
enum PolicyRuleAttributes : unsigned {
  // `scanItemList_id` ("%u"): read into Fields::scan_item_list; written
  // (always) after `ot`.
  kReadsScanItemList = 0x1,
  kWritesScanItemList = 0x2,
  // `dllobj` ("1" or "true"): read into Fields::dll_object; written as "1"
  // after `disabled` when non-zero.
  kReadsDllObject = 0x4,
  kWritesDllObject = 0x8,
  // `dictionary_id` and `filetype_id`: read as text, never written.
  kReadsFileIds = 0x10,
};

// The rule list events, the same numbers for the three kinds. The
// anti-malware and data inspection event interfaces declare only the load
// and save members, but those parsers raise these numbers too.
inline constexpr ListEventIds kPolicyRuleEvents = {
    DISPID_OnBeforeRuleInserted, DISPID_OnAfterRuleInserted, DISPID_OnBeforeRuleRemoved,
    DISPID_OnAfterRuleRemoved,   DISPID_OnBeforeRuleChanged, DISPID_OnAfterRuleChanged};

struct PolicyRuleSectionConfig {
  // The parser events of the rule list.
  const ListEventIds* events = &kPolicyRuleEvents;
  // `ot` words a file may use, and the words a save writes (a type without
  // a word writes no `ot`).
  std::span<const Spelling<std::int32_t>> read_object_types;
  std::span<const Spelling<std::int32_t>> write_object_types;
  const AccessDescConfig* access;
  // The three policy kinds share the condition switch texts.
  const ConditionSwitchConfig* switches = &kPolicyConditionSwitch;
  unsigned attributes = 0;  // PolicyRuleAttributes
};

// The kind-independent half of the section: reading one `Rule` into a new
// rule, and writing one rule. Its text buffers are reused from rule to
// rule, so reading allocates nothing per rule beyond the rule itself.
class PolicyRuleXml {
 public:
  explicit PolicyRuleXml(const PolicyRuleSectionConfig& config) : config_(config) {}

  // Checks and converts the attributes of `Rule` into `rule` (detached and
  // new): the identifier, then every field. Texts are held until Finish.
  // A content failure is reported through context.Fail.
  [[nodiscard]] HRESULT Start(SectionReadContext& context, const SaxAttributes& attributes,
                              PolicyRuleCore& rule);
  // The text of an `Object` child: the path, by RT_DIRECT.
  void SetDirectPath(PolicyRuleCore& rule, std::string_view path);
  // Stores the held texts in the rule.
  void Finish(PolicyRuleCore& rule);

  [[nodiscard]] HRESULT Write(XmlWriter& writer, const PolicyRuleCore& rule);

 private:
  const PolicyRuleSectionConfig& config_;
  std::string texts_[PolicyRuleCore::kTextSlots];
  XmlAttributes attributes_;  // reused for every element written
};

template <class List>
class PolicyRuleSection final : public ListSection<List> {
 public:
  // `parser` owns the section and `context`, which its list's comparison
  // consults; `config` must outlive it (a constant).
  PolicyRuleSection(ParserCore* parser, const PolicyRuleSectionConfig& config,
                    const RuleCompareContext& context)
      : ListSection<List>(parser, "RuleList", "RuleList", *config.events, context),
        config_(config),
        xml_(config) {}

  HRESULT StartElement(SectionReadContext& context, std::string_view name, std::string_view parent,
                       const SaxAttributes& attributes, bool* handled) override {
    if (name == "RuleList" && parent == "SecDb") {
      *handled = true;
      in_rules_ = true;
      return S_OK;
    }
    if (!in_rules_) return S_OK;
    if (name == "Rule" && parent == "RuleList") {
      *handled = true;
      current_ = this->list()->NewItem();
      return xml_.Start(context, attributes, *current_);
    }
    if (!current_ || parent != "Rule") return S_OK;
    if (name == "Object") {
      *handled = true;
    } else if (name == kAccessDescElement) {
      *handled = true;
      return ReadAccessDesc(context, attributes, current_->fields().object_type, *config_.access,
                            current_->access_list());
    } else if (name == kConditionSwitchElement) {
      *handled = true;
      return ReadConditionSwitch(context, attributes, *config_.switches, current_->switch_list());
    }
    return S_OK;
  }

  HRESULT EndElement(SectionReadContext&, std::string_view name, std::string_view parent,
                     std::string_view text) override {
    if (name == "RuleList" && parent == "SecDb") {
      in_rules_ = false;
      this->list()->EndBulkLoad();
    } else if (name == "Rule" && current_) {
      ComPtr<typename List::Rule> rule = std::move(current_);
      xml_.Finish(*rule);
      return this->list()->InsertLoaded(rule.get());
    } else if (name == "Object" && current_) {
      xml_.SetDirectPath(*current_, text);
    }
    return S_OK;
  }

  HRESULT Write(XmlWriter& writer) override {
    this->list()->EndBulkLoad();  // a load that failed part-way
    RETURN_IF_FAILED(writer.StartElement("RuleList"));
    for (const typename List::Rule* rule : *this->list())
      RETURN_IF_FAILED(xml_.Write(writer, *rule));
    return writer.EndElement("RuleList");
  }

  void Clear() override {
    current_.Reset();
    in_rules_ = false;
    (void)this->list()->ClearMembers();
    this->list()->EndBulkLoad();
  }

 private:
  const PolicyRuleSectionConfig& config_;
  PolicyRuleXml xml_;
  bool in_rules_ = false;
  ComPtr<typename List::Rule> current_;  // the `Rule` being read
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_POLICY_POLICY_RULE_SECTION_H_

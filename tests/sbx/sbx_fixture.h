// A real parser of a policy kind (sandbox, data inspection) for tests:
// loading inline databases, walking the rule list, reading sections back,
// and an event sink.
#ifndef XMLSECDB_TESTS_SBX_SBX_FIXTURE_H_
#define XMLSECDB_TESTS_SBX_SBX_FIXTURE_H_

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "am/am_fixture.h"
#include "testing/hresult_matchers.h"
#include "testing/secdb_document.h"
#include "testing/temp_dir.h"

namespace xmlsecdb::testing {

inline std::string PolicyDatabase(std::string_view module, std::string_view body) {
  return SecDbDocument(module, body);
}

template <class Parser>
class PolicyKindTest : public ::testing::Test {
 protected:
  using RuleList = typename Parser::RuleListInterface;
  using Rule = typename Parser::RuleInterface;

  PolicyKindTest() : parser_(MakeObject<Parser>()) {}

  // Each load reads a file of its own, so that no backup of an earlier
  // load stands in for a file that fails.
  HRESULT LoadText(std::string_view text, std::int32_t read_only = 0) {
    const std::string path = dir_.File("db" + std::to_string(++loads_) + ".xml");
    WriteFileBytes(path, text);
    return parser_->Load(path, read_only);
  }

  ComPtr<RuleList> Rules() {
    ComPtr<RuleList> rules;
    EXPECT_OK(parser_->get_RuleList(rules.Put()));
    return rules;
  }
  std::int32_t RuleCount() {
    std::int32_t count = -1;
    EXPECT_OK(Rules()->get_Count(&count));
    return count;
  }
  ComPtr<Rule> RuleAt(std::int32_t index) {
    Variant item;
    EXPECT_OK(Rules()->get_Item(index, &item));
    ComPtr<Rule> rule;
    if (const ComPtr<IUnknown>* object = item.as_object()) {
      EXPECT_OK((*object)->QueryInterface(rule.Put()));
    }
    return rule;
  }
  // A new rule of `object_type` inserted with the next free identifier.
  ComPtr<Rule> AddRule(std::int32_t object_type) {
    ComPtr<RuleList> rules = Rules();
    ComPtr<Rule> rule;
    EXPECT_OK(rules->CreateRule(rule.Put()));
    std::int32_t id = 0;
    EXPECT_OK(rules->GenerateRuleID(object_type, 0, &id));
    EXPECT_OK(rule->put_RuleID(id));
    EXPECT_OK(rule->put_ObjectType(object_type));
    EXPECT_OK(rule->put_Application("app.exe"));
    EXPECT_OK(rules->Insert(rule.get(), nullptr));
    return rule;
  }
  // The `RuleList` element of the parser's text.
  std::string RuleListText() {
    std::string xml;
    EXPECT_OK(parser_->get_Xml(&xml));
    std::size_t begin = xml.find("\t<RuleList");
    std::size_t end = xml.find("\t<RuleSetList");
    if (end == std::string::npos) end = xml.find("</SecDb>");
    return begin == std::string::npos ? xml : xml.substr(begin, end - begin);
  }
  EventLog* Advise(const IID& events) {
    ComPtr<IConnectionPoint> point;
    EXPECT_OK(parser_->FindConnectionPoint(events, point.Put()));
    ComPtr<EventLog> sink = MakeObject<EventLog>();
    std::uint32_t cookie = 0;
    EXPECT_OK(point->Advise(sink->unknown(), &cookie));
    return sink.get();  // the connection point keeps it
  }

  TempDir dir_;
  int loads_ = 0;
  ComPtr<Parser> parser_;
};

}  // namespace xmlsecdb::testing

#endif  // XMLSECDB_TESTS_SBX_SBX_FIXTURE_H_

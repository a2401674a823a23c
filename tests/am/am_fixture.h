// A real anti-malware parser for tests: loading inline databases, reading
// the RuleList text back, and an event sink.
#ifndef XMLSECDB_TESTS_AM_AM_FIXTURE_H_
#define XMLSECDB_TESTS_AM_AM_FIXTURE_H_

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "am/am_parser.h"
#include "testing/hresult_matchers.h"
#include "testing/secdb_document.h"
#include "testing/temp_dir.h"
#include "testing/event_log.h"

namespace xmlsecdb::testing {

inline std::string AMDatabase(std::string_view rules) {
  return SecDbDocument("AntiMalware", "<RuleList>" + std::string(rules) + "</RuleList>");
}

class AMTest : public ::testing::Test {
 protected:
  AMTest() : parser_(MakeObject<CAMParser>()) {}

  // Each load reads a file of its own: a second load of one path could be
  // answered from the model of the first.
  HRESULT LoadText(std::string_view text, std::int32_t read_only = 0) {
    const std::string path = dir_.File("am" + std::to_string(++loads_) + ".xml");
    WriteFileBytes(path, text);
    return parser_->Load(path, read_only);
  }
  HRESULT LoadRules(std::string_view rules) { return LoadText(AMDatabase(rules)); }

  ComPtr<IAMRuleList> Rules() {
    ComPtr<IAMRuleList> rules;
    EXPECT_OK(parser_->get_RuleList(rules.Put()));
    return rules;
  }
  ComPtr<IAMRule> RuleAt(std::int32_t index) {
    Variant item;
    EXPECT_OK(Rules()->get_Item(index, &item));
    ComPtr<IAMRule> rule;
    if (const ComPtr<IUnknown>* object = item.as_object()) {
      EXPECT_OK((*object)->QueryInterface(rule.Put()));
    }
    return rule;
  }
  // A new rule inserted with the next free identifier.
  ComPtr<IAMRule> AddRule() {
    ComPtr<IAMRuleList> rules = Rules();
    ComPtr<IAMRule> rule;
    EXPECT_OK(rules->CreateRule(rule.Put()));
    std::int32_t id = 0;
    EXPECT_OK(rules->GenerateRuleID(OT_ANTI_MALWARE, 0, &id));
    EXPECT_OK(rule->put_RuleID(id));
    EXPECT_OK(rule->put_ObjectType(OT_ANTI_MALWARE));
    EXPECT_OK(rule->put_Application("app.exe"));
    EXPECT_OK(rules->Insert(rule.get(), nullptr));
    return rule;
  }
  // The `RuleList` element of the parser's text.
  std::string RuleListText() {
    std::string xml;
    EXPECT_OK(parser_->XmlEx("RuleList", &xml));
    std::size_t begin = xml.find("\t<RuleList");
    std::size_t end = xml.find("</SecDb>");
    return begin == std::string::npos ? xml : xml.substr(begin, end - begin);
  }
  EventLog* Advise() {
    ComPtr<IConnectionPoint> point;
    EXPECT_OK(parser_->FindConnectionPoint(DIID__ISDParserAMEvents, point.Put()));
    ComPtr<EventLog> sink = MakeObject<EventLog>();
    std::uint32_t cookie = 0;
    EXPECT_OK(point->Advise(sink->unknown(), &cookie));
    return sink.get();  // the connection point keeps it
  }

  TempDir dir_;
  int loads_ = 0;
  ComPtr<CAMParser> parser_;
};

}  // namespace xmlsecdb::testing

#endif  // XMLSECDB_TESTS_AM_AM_FIXTURE_H_

#include "model/rule_set_section.h"

#include <gtest/gtest.h>

#include <string>

#include "cf/cf_words.h"
#include "fw/fw_words.h"
#include "model/section_parser.h"
#include "testing/hresult_matchers.h"

namespace xmlsecdb::testing {
namespace {

constexpr std::string_view kTwoSets =
    "<RuleSetList>"
    "<RuleSet id=\"s\" desc=\"first\"><RuleListID>b</RuleListID><RuleListID>a</RuleListID>"
    "<RuleListID></RuleListID></RuleSet>"
    "<RuleSet id=\"s\" desc=\"\"/>"
    "</RuleSetList>";

TEST(RuleSetSectionTest, RoundTripKeepsOrderAndDuplicates) {
  ComPtr<TestParser> parser = MakeSectionParser();
  ASSERT_OK(LoadBody(*parser, kTwoSets));
  const std::string expected =
      "\t<RuleSetList>\n"
      "\t\t<RuleSet id=\"s\" desc=\"first\">\n"
      "\t\t\t<RuleListID>b</RuleListID>\n"
      "\t\t\t<RuleListID>a</RuleListID>\n"
      "\t\t\t<RuleListID/>\n"
      "\t\t</RuleSet>\n"
      "\t\t<RuleSet id=\"s\"/>\n"
      "\t</RuleSetList>\n";
  EXPECT_EQ(SectionText(*parser, "RuleSetList"), expected);

  ComPtr<TestParser> reloaded = MakeSectionParser();
  ASSERT_OK(SaveAndReload(*parser, *reloaded));
  EXPECT_EQ(SectionText(*reloaded, "RuleSetList"), expected);
  EXPECT_EQ(RuleSets(*reloaded).list()->count(), 2);
  EXPECT_EQ(RuleSets(*reloaded).list()->at(0)->rule_list_ids().values().size(), 3u);
}

TEST(RuleSetSectionTest, EmptyListWritesNothingAndAnswersFalse) {
  ComPtr<TestParser> parser = MakeSectionParser();
  ASSERT_OK(LoadBody(*parser, "<RuleSetList/>"));
  XmlWriter writer;
  EXPECT_HR(RuleSets(*parser).Write(writer), S_FALSE);
  EXPECT_EQ(writer.output(), "");
  std::string xml;
  ASSERT_OK(parser->get_Xml(&xml));
  EXPECT_EQ(xml.find("RuleSetList"), std::string::npos) << xml;
}

TEST(RuleSetSectionTest, NewEmptiesTheList) {
  ComPtr<TestParser> parser = MakeSectionParser();
  ASSERT_OK(LoadBody(*parser, kTwoSets));
  ASSERT_OK(parser->New());
  EXPECT_EQ(RuleSets(*parser).list()->count(), 0);
}

TEST(RuleSetSectionTest, RuleSetWithoutIdFailsWithTheKindsText) {
  struct Case {
    const RuleSetSectionConfig& config;
    const char* description;
  };
  const Case cases[] = {
      {kTestRuleSets, "Required attribute is missing. Missing ruleset id."},
      {kFWRuleSets, "Required attribute is missing. Missing RuleSet id."},
  };
  for (const Case& c : cases) {
    ComPtr<TestParser> parser = MakeSectionParser(kCFExceptionItems, c.config);
    EXPECT_HR(LoadBody(*parser, "<RuleSetList><RuleSet desc=\"d\"/></RuleSetList>"), E_FAIL);
    EXPECT_EQ(TakeErrorDescription(), c.description);
  }
}

// Kinds whose handlers go by element name alone read a rule set wherever
// it stands; the others only inside `RuleSetList`.
TEST(RuleSetSectionTest, ByNameKindsReadRuleSetsAnywhere) {
  constexpr std::string_view kStray =
      "<Elsewhere><RuleSet id=\"x\"><RuleListID>l</RuleListID></RuleSet></Elsewhere>";
  struct Case {
    const RuleSetSectionConfig& config;
    std::int32_t count;
  };
  for (const Case& c : {Case{kTestRuleSets, 0}, Case{kFWRuleSets, 1}}) {
    ComPtr<TestParser> parser = MakeSectionParser(kCFExceptionItems, c.config);
    ASSERT_OK(LoadBody(*parser, kStray));
    ASSERT_EQ(RuleSets(*parser).list()->count(), c.count);
    if (c.count) {
      EXPECT_EQ(RuleSets(*parser).list()->at(0)->rule_list_ids().values(),
                std::vector<std::string>{"l"});
    }
  }
}

}  // namespace
}  // namespace xmlsecdb::testing

#include "model/rule_set_section.h"

#include <gtest/gtest.h>

#include <string>

#include "am/am_words.h"
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
  ComPtr<SectionParser> parser = MakeSectionParser();
  ASSERT_OK(LoadBody(parser.get(), kTwoSets));
  const std::string expected =
      "\t<RuleSetList>\n"
      "\t\t<RuleSet id=\"s\" desc=\"first\">\n"
      "\t\t\t<RuleListID>b</RuleListID>\n"
      "\t\t\t<RuleListID>a</RuleListID>\n"
      "\t\t\t<RuleListID/>\n"
      "\t\t</RuleSet>\n"
      "\t\t<RuleSet id=\"s\"/>\n"
      "\t</RuleSetList>\n";
  EXPECT_EQ(SectionText(parser.get(), "RuleSetList"), expected);

  ComPtr<SectionParser> reloaded = MakeSectionParser();
  ASSERT_OK(SaveAndReload(parser.get(), reloaded.get()));
  EXPECT_EQ(SectionText(reloaded.get(), "RuleSetList"), expected);
  EXPECT_EQ(reloaded->rule_sets.list()->count(), 2);
  EXPECT_EQ(reloaded->rule_sets.list()->at(0)->rule_list_ids().values().size(), 3u);
}

TEST(RuleSetSectionTest, EmptyListWritesNothingAndAnswersFalse) {
  ComPtr<SectionParser> parser = MakeSectionParser();
  ASSERT_OK(LoadBody(parser.get(), "<RuleSetList/>"));
  XmlWriter writer;
  EXPECT_HR(parser->rule_sets.Write(writer), S_FALSE);
  EXPECT_EQ(writer.output(), "");
  std::string xml;
  ASSERT_OK(parser->get_Xml(&xml));
  EXPECT_EQ(xml.find("RuleSetList"), std::string::npos) << xml;
}

TEST(RuleSetSectionTest, NewEmptiesTheList) {
  ComPtr<SectionParser> parser = MakeSectionParser();
  ASSERT_OK(LoadBody(parser.get(), kTwoSets));
  ASSERT_OK(parser->New());
  EXPECT_EQ(parser->rule_sets.list()->count(), 0);
}

TEST(RuleSetSectionTest, RuleSetWithoutIdFailsWithTheKindsText) {
  struct Case {
    const RuleSetSectionConfig& config;
    const char* description;
  };
  const Case cases[] = {
      {kAMRuleSets, "Required attribute is missing. Missing ruleset id."},
      {kFWRuleSets, "Required attribute is missing. Missing RuleSet id."},
  };
  for (const Case& c : cases) {
    ComPtr<SectionParser> parser = MakeSectionParser(kCFExceptionItems, c.config);
    EXPECT_HR(LoadBody(parser.get(), "<RuleSetList><RuleSet desc=\"d\"/></RuleSetList>"), E_FAIL);
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
  for (const Case& c : {Case{kAMRuleSets, 0}, Case{kFWRuleSets, 1}}) {
    ComPtr<SectionParser> parser = MakeSectionParser(kCFExceptionItems, c.config);
    ASSERT_OK(LoadBody(parser.get(), kStray));
    ASSERT_EQ(parser->rule_sets.list()->count(), c.count);
    if (c.count) {
      EXPECT_EQ(parser->rule_sets.list()->at(0)->rule_list_ids().values(),
                std::vector<std::string>{"l"});
    }
  }
}

}  // namespace
}  // namespace xmlsecdb::testing

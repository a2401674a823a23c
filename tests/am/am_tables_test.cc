// The anti-malware tables as the shared readers and writers use them:
// option names, access-type words, guards, definition object types and the
// rule-set failure text.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "am/am_words.h"
#include "model/access_descriptor_xml.h"
#include "model/access_test_rule.h"
#include "model/definitions_fixture.h"
#include "model/global_option_names.h"
#include "model/section_parser.h"
#include "testing/hresult_matchers.h"
#include "testing/recording_context.h"

namespace xmlsecdb::testing {
namespace {

TEST(AMTablesTest, OptionNamesBothWays) {
  EXPECT_EQ(OptionIdFromName(kAntiMalwareOptionNames, "AntiVirus_MacroAction"), 0x0400000C);
  // Case does not matter.
  EXPECT_EQ(OptionIdFromName(kAntiMalwareOptionNames, "antivirus_macroaction"), 0x0400000C);
  EXPECT_EQ(OptionIdFromName(kAntiMalwareOptionNames, "NetworkScanTimeoutAccessResult"),
            0x0400001B);
  EXPECT_EQ(OptionIdFromName(kAntiMalwareOptionNames, "Mode "), 0);  // whole names only
  EXPECT_EQ(OptionIdFromName(kAntiMalwareOptionNames, ""), 0);
  EXPECT_EQ(OptionNameFromId(kAntiMalwareOptionNames, 0x0400000C), "AntiVirus_MacroAction");
  for (const OptionName& entry : kAntiMalwareOptionNames) {
    EXPECT_EQ(OptionIdFromName(kAntiMalwareOptionNames, entry.name), entry.id) << entry.name;
    EXPECT_EQ(OptionNameFromId(kAntiMalwareOptionNames, entry.id), entry.name) << entry.name;
  }
}

TEST(AMTablesTest, AccessTypeWordsBothWays) {
  struct Read {
    std::int32_t object_type;
    const char* text;
    std::optional<std::int32_t> value;  // nullopt: " Wrong AT."
  };
  const Read reads[] = {
      {OT_ANTI_MALWARE, "*", 1},     {OT_FILE, "*", 0x101FF},
      {OT_REGISTRY, "*", 0},  // unknown to this kind: the starting value
      {OT_FILE, "ScanExclusion", 1}, {OT_FILE, "FileRead", std::nullopt},
  };
  for (const Read& c : reads) {
    SCOPED_TRACE(std::string(c.text) + " on object type " + std::to_string(c.object_type));
    EXPECT_EQ(AccessTypeFromText(kAMAccessDesc, c.object_type, c.text), c.value);
  }
  struct Write {
    std::int32_t object_type;
    std::int32_t value;
    std::optional<std::string_view> text;  // nullopt: no `at`
  };
  const Write writes[] = {
      {OT_ANTI_MALWARE, 1, "ScanExclusion"},
      {OT_FILE, 0x101FF, std::nullopt},
      {OT_FILE, 1, std::nullopt},
  };
  for (const Write& c : writes) {
    SCOPED_TRACE(std::to_string(c.value) + " on object type " + std::to_string(c.object_type));
    EXPECT_EQ(AccessTypeText(kAMAccessDesc, c.object_type, c.value), c.text);
  }

  ComPtr<TestParser> parser = MakeAccessTestParser(kAMAccessDesc);
  AccessTestRule* rule = AddRule(*parser, OT_FILE);
  RecordingContext context(*parser);
  const char* pairs[] = {"at", "FileRead", "ar", "Allow", nullptr};
  EXPECT_HR(ReadAccessDesc(context, SaxAttributes(pairs), OT_FILE, kAMAccessDesc, *rule->access()),
            E_FAIL);
  EXPECT_EQ(context.failure, "110 Wrong AT.");
}

TEST(AMTablesTest, StarIsWrittenAsScanExclusion) {
  ComPtr<TestParser> parser = MakeAccessTestParser(kAMAccessDesc);
  EXPECT_EQ(RoundTrip(*parser,
                      "<RuleList><Rule id=\"1\" ot=\"32\"><AccessDesc at=\"*\" ar=\"Allow\"/>"
                      "</Rule><Rule id=\"2\" ot=\"1\"><AccessDesc at=\"*\" ar=\"Allow\"/>"
                      "</Rule></RuleList>"),
            "\t<RuleList>\n"
            "\t\t<Rule id=\"1\" ot=\"32\">\n"
            "\t\t\t<AccessDesc at=\"ScanExclusion\" ar=\"Allow\" al=\"Severity0\"/>\n"
            "\t\t</Rule>\n"
            "\t\t<Rule id=\"2\" ot=\"1\">\n"
            "\t\t\t<AccessDesc ar=\"Allow\" al=\"Severity0\"/>\n"
            "\t\t</Rule>\n"
            "\t</RuleList>");
}

TEST(AMTablesTest, GuardsAndTheirFullMask) {
  ComPtr<TestParser> parser = MakeSectionParser(kAMExceptionItems);
  std::string text;
  Exceptions(*parser).GuardsText(0x4000020, &text);
  EXPECT_EQ(text, "AntiMalware|DataInspection");
  EXPECT_EQ(Exceptions(*parser).GuardsFromText("AntiMalware"), 0x20u);

  // A missing mask means the full mask, saved back as "*".
  ASSERT_OK(LoadBody(*parser, "<ExceptionList><AppItem app=\"x\"/></ExceptionList>"));
  ASSERT_EQ(Exceptions(*parser).list()->count(), 1);
  EXPECT_EQ(Exceptions(*parser).list()->at(0)->data().guards, 0x20u);
  EXPECT_EQ(SectionText(*parser, "ExceptionList"),
            "\t<ExceptionList>\n\t\t<AppItem app=\"x\" activeGuardsMask=\"*\" order=\"35000\"/>\n"
            "\t</ExceptionList>\n");
}

TEST(AMTablesTest, RuleSetsOnlyInsideTheirListAndTheirFailureText) {
  ComPtr<TestParser> parser = MakeSectionParser(kCFExceptionItems, kAMRuleSets);
  ASSERT_OK(LoadBody(
      *parser, "<Elsewhere><RuleSet id=\"x\"><RuleListID>l</RuleListID></RuleSet></Elsewhere>"));
  EXPECT_EQ(RuleSets(*parser).list()->count(), 0);
  EXPECT_HR(LoadBody(*parser, "<RuleSetList><RuleSet desc=\"d\"/></RuleSetList>"), E_FAIL);
  EXPECT_EQ(TakeErrorDescription(), "Required attribute is missing. Missing ruleset id.");
}

TEST(AMTablesTest, DefinitionsReadTheirOwnObjectTypesOnly) {
  ComPtr<TestParser> parser = MakeDefinitionsParser(kAMDefinitions);
  const std::vector<const char*> accepted = {"File", "time", "AntiMalware"};
  std::string objects;
  for (const char* word : accepted) {
    objects += std::string("<Object id=\"") + word + "\" ot=\"" + word + "\"/>";
  }
  ASSERT_OK(LoadBody(*parser, "<Definitions>" + objects + "</Definitions>"));
  ASSERT_EQ(DefinitionsOf(*parser)->count(), 3);
  for (std::size_t i = 0; i < accepted.size(); ++i) {
    EXPECT_EQ(ObjectTypeWordToWrite(
                  kAMDefinitions,
                  DefinitionsOf(*parser)->at(static_cast<std::int32_t>(i))->object_type()),
              accepted[i]);
  }
  EXPECT_HR(LoadBody(*parser, "<Definitions><Object id=\"a\" ot=\"Registry\"/></Definitions>"),
            E_FAIL);
  EXPECT_EQ(TakeErrorDescription(), "Security database has invalid content. Wrong object type.");
}

}  // namespace
}  // namespace xmlsecdb::testing

// The data inspection database: SetXml, the module check, the rule format
// with ScanItemListID, and the setters' numbers.
#include "di/di_parser.h"

#include <gtest/gtest.h>

#include "core/messages.h"
#include "sbx/sbx_fixture.h"

namespace xmlsecdb::testing {
namespace {

using DITest = PolicyKindTest<CDIParser>;

std::string DataInspection(std::string_view body) { return PolicyDatabase("DataInspection", body); }
std::string DIRules(std::string_view rules) {
  return DataInspection("<RuleList>" + std::string(rules) + "</RuleList>");
}

constexpr char kOneRule[] =
    "<Rule id=\"5\" ot=\"DataInspection\" app=\"a.exe\" scanItemList_id=\"7\">"
    "<Object>dict</Object><AccessDesc at=\"InspectionRead\" ar=\"Allow\"/></Rule>";

TEST_F(DITest, SetXmlLoadsTheTextAndKeepsTheFilePath) {
  ASSERT_OK(LoadText(DataInspection("")));
  std::string path;
  ASSERT_OK(parser_->get_FilePath(&path));
  EventLog* log = Advise(DIID__ISDParserDIEvents);

  std::int16_t done = -5;
  ASSERT_OK(parser_->SetXml(DIRules(kOneRule), &done));
  EXPECT_EQ(done, 1);
  EXPECT_EQ(RuleCount(), 1);
  std::string after;
  ASSERT_OK(parser_->get_FilePath(&after));
  EXPECT_EQ(after, path);
  EXPECT_EQ(log->lines, (std::vector<std::string>{"1", "23", "24", "2"}));
  EXPECT_FALSE(PathExists(dir_.File("db2.xml"))) << "SetXml writes no file";

  // The file is read again by the next Load, not taken as unchanged.
  EXPECT_HR(parser_->Load(path, 0), S_OK);
  EXPECT_EQ(RuleCount(), 0);
}

TEST_F(DITest, SetXmlReadsItsOwnText) {
  ASSERT_OK(LoadText(DIRules(kOneRule)));
  std::string xml;
  ASSERT_OK(parser_->get_Xml(&xml));
  ComPtr<CDIParser> copy = MakeObject<CDIParser>();
  std::int16_t done = 0;
  ASSERT_OK(copy->SetXml(xml, &done));
  std::string again;
  ASSERT_OK(copy->get_Xml(&again));
  EXPECT_EQ(again, xml);
}

TEST_F(DITest, SetXmlFailures) {
  struct Case {
    const char* name;
    std::string text;
    HRESULT result;
    const char* description;  // a part of it
  };
  const Case cases[] = {
      {"empty", "", E_INVALIDARG, ""},
      {"malformed", "<SecDb><Module id=\"DataInspection\">", E_FAIL, ""},
      {"not markup", "no xml here", E_FAIL, ""},
      {"content", DIRules("<Rule id=\"1\" ot=\"File\" app=\"a\"/>"), E_FAIL, " Wrong rule OT."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::int16_t done = 7;
    EXPECT_HR(parser_->SetXml(c.text, &done), c.result);
    EXPECT_EQ(done, c.result == E_INVALIDARG ? 7 : 0);
    std::string description = TakeErrorDescription();
    EXPECT_NE(description.find(c.description), std::string::npos) << description;
    if (c.result == E_FAIL) {
      EXPECT_FALSE(description.empty());
    }
  }
  EXPECT_HR(parser_->SetXml(DIRules(""), nullptr), E_POINTER);

  ASSERT_OK(parser_->put_ReadOnly(1));
  std::int16_t done = 7;
  EXPECT_HR(parser_->SetXml(DIRules(""), &done), SECDB_E_READONLY);
  EXPECT_EQ(TakeErrorDescription(), LoadMessage(kMsgReadOnly));
  EXPECT_EQ(done, 7);
}

TEST_F(DITest, MalformedTextReportsTheReaderMessage) {
  std::int16_t done = 1;
  EXPECT_HR(parser_->SetXml("<SecDb><VersionInfo major=\"1\"></SecDb>", &done), E_FAIL);
  EXPECT_EQ(done, 0);
  const std::string description = TakeErrorDescription();
  const std::string fatal(LoadMessage(kMsgFatalError));
  // Message 104 is "... %s ... %d ... %s": its first words start the text.
  EXPECT_EQ(description.substr(0, 10), fatal.substr(0, 10)) << description;
}

TEST_F(DITest, ModuleAndRuleFailures) {
  struct Case {
    std::string text;
    const char* description;
  };
  const Case cases[] = {
      {PolicyDatabase("Sandbox", ""), " Wrong Module id."},
      {PolicyDatabase("AntiMalware", ""), " Wrong Module id."},
      {"<SecDb><VersionInfo major=\"1\"/><Module/></SecDb>", " Missing Module id."},
      {DIRules("<Rule id=\"1\" app=\"a\"/>"), " Missing rule OT."},
      {DIRules("<Rule id=\"1\" ot=\"File\" app=\"a\"/>"), " Wrong rule OT."},
      {DIRules("<Rule id=\"1\" ot=\"DataInspection\" app=\"a\">"
               "<AccessDesc at=\"FileRead\" ar=\"Allow\"/></Rule>"),
       " Wrong AT."},
      {DIRules("<Rule id=\"1\" ot=\"DataInspection\" app=\"a\">"
               "<AccessDesc at=\"ScanExclusion\" ar=\"Allow\"/></Rule>"),
       " Wrong AT."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_HR(LoadText(c.text), E_FAIL);
    std::string description = TakeErrorDescription();
    EXPECT_NE(description.find(c.description), std::string::npos) << description;
  }
}

// scanItemList_id is written after `ot` for every rule, 0 included; "*"
// is the data inspection full mask.
TEST_F(DITest, ScanItemListRoundTrip) {
  ASSERT_OK(LoadText(
      DIRules("<Rule id=\"5\" ot=\"DataInspection\" app=\"a\" scanItemList_id=\"4294967295\">"
              "<AccessDesc at=\"*\" ar=\"Allow\"/><AccessDesc at=\"SendDict\" ar=\"Prevent\"/>"
              "</Rule><Rule id=\"6\" ot=\"DataInspection\" app=\"b\"/>")));
  ComPtr<IDIRule> rule;
  ASSERT_OK(Rules()->Get("5", rule.Put()));
  std::uint32_t scan = 0;
  ASSERT_OK(rule->get_ScanItemListID(&scan));
  EXPECT_EQ(scan, 0xFFFFFFFFu);
  // The list is in comparison order: fewer access descriptors first.
  EXPECT_EQ(RuleListText(),
            "\t<RuleList>\n"
            "\t\t<Rule id=\"6\" ot=\"DataInspection\" scanItemList_id=\"0\" app=\"b\" "
            "order=\"35000\">\n"
            "\t\t\t<Object/>\n"
            "\t\t</Rule>\n"
            "\t\t<Rule id=\"5\" ot=\"DataInspection\" scanItemList_id=\"4294967295\" app=\"a\" "
            "order=\"35000\">\n"
            "\t\t\t<Object/>\n"
            "\t\t\t<AccessDesc at=\"*\" ar=\"Allow\" al=\"Severity0\"/>\n"
            "\t\t\t<AccessDesc at=\"SendDict\" ar=\"Prevent\" al=\"Severity0\"/>\n"
            "\t\t</Rule>\n"
            "\t</RuleList>\n");
}

TEST_F(DITest, SettersReportTheDataInspectionNumbers) {
  ComPtr<IDIRule> rule = AddRule(OT_DATA_INSPECTION);
  EventLog* log = Advise(DIID__ISDParserDIEvents);
  ASSERT_OK(rule->put_ScanItemListID(7));
  ASSERT_OK(rule->put_ScanItemListID(7));  // unchanged: nothing raised
  ASSERT_OK(rule->put_Account(RA_SYSTEM));
  ASSERT_OK(rule->put_Enabled(0));
  EXPECT_EQ(log->lines,
            (std::vector<std::string>{"27:22", "28:22", "27:15", "28:15", "27:15", "28:15"}));
  std::int32_t system = 0;
  ASSERT_OK(rule->get_System(&system));
  EXPECT_EQ(system, 1);
  EXPECT_HR(Rules()->MoveUp(rule.get()), E_NOTIMPL);
  ASSERT_OK(parser_->put_ReadOnly(1));
  EXPECT_HR(rule->put_ScanItemListID(1), SECDB_E_READONLY);
}

}  // namespace
}  // namespace xmlsecdb::testing

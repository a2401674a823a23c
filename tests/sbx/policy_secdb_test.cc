// The secdb tool on sandbox and data inspection databases: check prints
// the lists, xml prints a section, and two saves in a row are identical.
#include <gtest/gtest.h>

#include <string>

#include "sbx/sbx_fixture.h"
#include "testing/temp_dir.h"
#include "testing/tool_run.h"

namespace xmlsecdb::testing {
namespace {

class PolicySecdbTest : public ::testing::Test {
 protected:
  ToolRun Secdb(const std::string& arguments) { return testing::RunSecdb(dir_, arguments); }

  TempDir dir_;
};

TEST_F(PolicySecdbTest, CheckXmlAndSaveRoundTrip) {
  struct Case {
    const char* name;
    std::string text;
    const char* check;
    const char* rule_text;  // a part of `xml`
    bool sections;          // XmlEx: `xml --section`, and custom sections are saved
  };
  const std::string body =
      "<Globals><Property id=\"Custom1\" type=\"str\">a &amp; b</Property></Globals>"
      "<Definitions><Object id=\"F\" ot=\"File\"><Item>C:\\a</Item></Object></Definitions>"
      "<ExceptionList><AppItem app=\"x.exe\" activeGuardsMask=\"*\"/></ExceptionList>"
      "<RuleSetList><RuleSet id=\"s\"><RuleListID>2</RuleListID></RuleSet></RuleSetList>"
      "<Custom k=\"v\"/>";
  const Case cases[] = {
      {"sandbox",
       PolicyDatabase("Sandbox",
                      body + "<RuleList><Rule id=\"2\" ot=\"DllLoading\" app=\"a\" dllobj=\"1\">"
                             "<AccessDesc at=\"*\" ar=\"Prevent\"/></Rule></RuleList>"),
       "module: Sandbox (1)\nversion: 1.0\nGlobalOptions: 1\nDefinitionList: 1\n"
       "AppExceptionList: 1\nRuleList: 1\nRuleSetList: 1\n",
       "<Rule id=\"2\" ot=\"DllLoading\" app=\"a\" order=\"35000\" dllobj=\"1\">", false},
      {"data inspection",
       PolicyDatabase("DataInspection",
                      body + "<RuleList><Rule id=\"2\" ot=\"DataInspection\" app=\"a\" "
                             "scanItemList_id=\"9\"><AccessDesc at=\"ReadMalw\" ar=\"Allow\"/>"
                             "</Rule></RuleList>"),
       "module: DataInspection (512)\nversion: 1.0\nGlobalOptions: 1\nDefinitionList: 1\n"
       "AppExceptionList: 1\nRuleList: 1\nRuleSetList: 1\n",
       "<Rule id=\"2\" ot=\"DataInspection\" scanItemList_id=\"9\" app=\"a\" order=\"35000\">",
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir_.File("db.xml");
    WriteFileBytes(path, Utf16Image(c.text));
    ToolRun check = Secdb("check " + path);
    EXPECT_EQ(check.status, 0) << check.err;
    EXPECT_EQ(check.out, c.check);

    ToolRun xml = Secdb(std::string(c.sections ? "xml --section RuleList " : "xml ") + path);
    ASSERT_EQ(xml.status, 0) << xml.err;
    EXPECT_NE(xml.out.find(c.rule_text), std::string::npos) << xml.out;
    EXPECT_EQ(xml.out.find("<Globals>") == std::string::npos, c.sections) << xml.out;

    const std::string first = dir_.File("first.xml");
    const std::string second = dir_.File("second.xml");
    ASSERT_EQ(Secdb("save " + path + " " + first).status, 0);
    ASSERT_EQ(Secdb("save " + first + " " + second).status, 0);
    const std::string saved = ReadFileBytes(first);
    EXPECT_EQ(saved.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(ReadFileBytes(second), saved);
    ToolRun all = Secdb("xml " + first);
    EXPECT_EQ(all.out.find("<Custom") != std::string::npos, c.sections) << all.out;
  }
}

}  // namespace
}  // namespace xmlsecdb::testing

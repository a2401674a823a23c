// The secdb tool on each kind of database: check prints the lists, xml
// prints the database or a section, and two saves in a row are identical.
// One row per kind; the next kinds add theirs.
#include <gtest/gtest.h>

#include <string>

#include "app/app_fixture.h"
#include "fw/fw_fixture.h"
#include "ids/ids_fixture.h"
#include "sbx/sbx_fixture.h"
#include "testing/temp_dir.h"
#include "testing/tool_run.h"

namespace xmlsecdb::testing {
namespace {

struct Kind {
  const char* name;
  std::string text;
  const char* check;
  const char* rule_text;  // a part of `xml --section RuleList`, or of `xml`
  bool sections;          // XmlEx: `xml --section`, and custom sections are saved
};

const std::string kPolicyBody =
    "<Globals><Property id=\"Custom1\" type=\"str\">a &amp; b</Property></Globals>"
    "<Definitions><Object id=\"F\" ot=\"File\"><Item>C:\\a</Item></Object></Definitions>"
    "<ExceptionList><AppItem app=\"x.exe\" activeGuardsMask=\"*\"/></ExceptionList>"
    "<RuleSetList><RuleSet id=\"s\"><RuleListID>2</RuleListID></RuleSet></RuleSetList>"
    "<Custom k=\"v\"/>";

const std::string kIDSBody =
    "<Globals><Property id=\"Custom1\" type=\"str\">a &amp; b</Property></Globals>"
    "<Definitions><Object id=\"any\" ot=\"ipaddress\"><Item>*</Item></Object></Definitions>" +
    GroupElement(RuleElement("locport=\"!80\"",
                             "<Token unique_id=\"1\" id=\"content\" type=\"bin\" offset=\"4\">"
                             "0a1b</Token><Token unique_id=\"2\" id=\"dsize\" type=\"int\">"
                             "4294967295</Token>"),
                 "one") +
    GroupElement("", "two") +
    "<RuleSetList><RuleSet id=\"s\"><RuleListID>one</RuleListID></RuleSet></RuleSetList>"
    "<Custom k=\"v\"/>";

// The firewall, with an application rule.
const std::string kFWBody =
    "<Globals><Property id=\"ZoneMode\" type=\"int\">1</Property></Globals>"
    "<Definitions><Object ot=\"iptransport\" id=\"Web\"><Item dir=\"out\" remport=\"80\"/>"
    "</Object></Definitions>"
    "<ExceptionList><AppItem app=\"x.exe\" activeGuardsMask=\"*\"/></ExceptionList>"
    "<RuleList><Rule id=\"2\" app=\"a\" remaddr=\"*\"><AccessDesc at=\"NetworkAccess\" "
    "ar=\"Allow\" al=\"Severity0\"/></Rule></RuleList>"
    "<RuleSetList><RuleSet id=\"s\"><RuleListID>2</RuleListID></RuleSet></RuleSetList>"
    "<Custom k=\"v\"/>";

const std::string kAppBody =
    "<Globals><Property id=\"UseKnownApps\" type=\"bool\">1</Property></Globals>"
    "<IdentityRedirectionList><IdentityRedirection id=\"r\"><Expression>"
    "<Element desc=\"d\">/home</Element></Expression></IdentityRedirection>"
    "</IdentityRedirectionList>"
    "<LabelList><Label id=\"sh\" type=\"path\"><Path>/bin/sh</Path></Label>"
    "<Label id=\"k\" type=\"chksm\"><Chksm>" + std::string(32, 'a') + "</Chksm></Label></LabelList>"
    "<GroupList><Group id=\"g\"><LabelID>sh</LabelID></Group></GroupList>"
    "<DllLabelList><DllLabel id=\"c\" type=\"name\"><Path>libc.so.6</Path></DllLabel>"
    "</DllLabelList><DllGroupList><DllGroup id=\"d\"><DllLabelID>c</DllLabelID></DllGroup>"
    "</DllGroupList><RuleList><Rule id=\"1\" enroll=\"ask\"><Group>g</Group></Rule></RuleList>"
    "<Custom k=\"v\"/>";

TEST(SecdbRoundTripTest, EveryKind) {
  const Kind kinds[] = {
      {"anti-malware",
       PolicyDatabase("AntiMalware", kPolicyBody +
                                         "<RuleList><Rule id=\"2\" ot=\"AntiMalware\" app=\"a\">"
                                         "<Object>C:\\x</Object></Rule></RuleList>"),
       "module: AntiMalware (256)\nversion: 1.0\nGlobalOptions: 1\nDefinitionList: 1\n"
       "AppExceptionList: 1\nRuleList: 1\nRuleSetList: 1\n",
       "<Object>C:\\x</Object>", true},
      {"sandbox",
       PolicyDatabase("Sandbox",
                      kPolicyBody +
                          "<RuleList><Rule id=\"2\" ot=\"DllLoading\" app=\"a\" dllobj=\"1\">"
                          "<AccessDesc at=\"*\" ar=\"Prevent\"/></Rule></RuleList>"),
       "module: Sandbox (1)\nversion: 1.0\nGlobalOptions: 1\nDefinitionList: 1\n"
       "AppExceptionList: 1\nRuleList: 1\nRuleSetList: 1\n",
       "<Rule id=\"2\" ot=\"DllLoading\" app=\"a\" order=\"35000\" dllobj=\"1\">", false},
      {"data inspection",
       PolicyDatabase("DataInspection",
                      kPolicyBody +
                          "<RuleList><Rule id=\"2\" ot=\"DataInspection\" app=\"a\" "
                          "scanItemList_id=\"9\"><AccessDesc at=\"ReadMalw\" ar=\"Allow\"/>"
                          "</Rule></RuleList>"),
       "module: DataInspection (512)\nversion: 1.0\nGlobalOptions: 1\nDefinitionList: 1\n"
       "AppExceptionList: 1\nRuleList: 1\nRuleSetList: 1\n",
       "<Rule id=\"2\" ot=\"DataInspection\" scanItemList_id=\"9\" app=\"a\" order=\"35000\">",
       true},
      {"firewall", FWDocument(kFWBody),
       "module: Firewall (2)\nversion: 1.0\nGlobalOptions: 1\nDefinitionList: 1\n"
       "AppExceptionList: 1\nBindSocketNotificationList: 0\nRuleList: 1\nRoutedRuleList: 0\n"
       "DialNumberList: 0\nZoneRuleList: 0\nRuleSetList: 1\n",
       "<Rule id=\"2\" order=\"35000\" dir=\"in\" prot=\"tcp\" locport=\"*\" remport=\"*\" "
       "remaddr=\"*\" app=\"a\">",
       true},
      {"IDS", IDSDocument(kIDSBody),
       "module: IDS (16)\nversion: 1.0\nGlobalOptions: 1\nDefinitionList: 1\nGroupList: 2\n"
       "RuleSetList: 1\n",
       "offset=\"4\">0A1B</Token>", true},
      {"application repository", AppDocument(kAppBody),
       "module: AppRepository (64)\nversion: 3.0\nGlobalOptions: 1\nIdentityRedirectionList: 1\n"
       "LabelList: 2\nAppGroupList: 1\nDllLabelList: 1\nDllGroupList: 1\nRuleList: 1\n",
       "<Rule id=\"1\" enroll=\"AskUser\" order=\"35000\">", true},
  };
  TempDir dir;
  for (const Kind& kind : kinds) {
    SCOPED_TRACE(kind.name);
    const std::string path = dir.File("db.xml");
    WriteFileBytes(path, Utf16Image(kind.text));
    ToolRun check = RunSecdb(dir, "check " + path);
    EXPECT_EQ(check.status, 0) << check.err;
    EXPECT_EQ(check.out, kind.check);

    ToolRun xml =
        RunSecdb(dir, std::string(kind.sections ? "xml --section RuleList " : "xml ") + path);
    ASSERT_EQ(xml.status, 0) << xml.err;
    EXPECT_NE(xml.out.find(kind.rule_text), std::string::npos) << xml.out;
    EXPECT_EQ(xml.out.find("<Globals>") == std::string::npos, kind.sections) << xml.out;

    const std::string first = dir.File("first.xml");
    const std::string second = dir.File("second.xml");
    ASSERT_EQ(RunSecdb(dir, "save " + path + " " + first).status, 0);
    ASSERT_EQ(RunSecdb(dir, "save " + first + " " + second).status, 0);
    const std::string saved = ReadFileBytes(first);
    EXPECT_EQ(saved.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(ReadFileBytes(second), saved);
    ToolRun all = RunSecdb(dir, "xml " + first);
    EXPECT_EQ(all.out.find("<Custom") != std::string::npos, kind.sections) << all.out;
  }
}

}  // namespace
}  // namespace xmlsecdb::testing

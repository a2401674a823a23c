// The repository's file form: every load failure, the attribute rules of
// labels, groups and references, section order and selection, and the
// round trip.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_fixture.h"
#include "app/app_group.h"
#include "app/app_group_section.h"
#include "testing/hresult_matchers.h"

namespace xmlsecdb {
namespace {

using testing::AppSectionText;
using testing::LabelsOf;
using testing::LoadAppBody;
using testing::MakeAppParser;

constexpr std::string_view kMissing = "Required attribute is missing.";
constexpr std::string_view kInvalid = "Security database has invalid content.";
constexpr std::string_view kHandler = "CDbContentHandlerAPP::StartElement()";

TEST(AppFormatTest, EveryLoadFailureHasItsText) {
  const std::string label_list = "<LabelList>";
  const struct {
    std::string body;
    std::string_view message;
    std::string_view detail;
  } cases[] = {
      {"<LabelList><Label type=\"path\"/></LabelList>", kMissing, " Missing Label id."},
      {"<LabelList><Label id=\"a\"/></LabelList>", kMissing, " Missing label type."},
      {"<LabelList><Label id=\"a\" type=\"Path\"/></LabelList>", kInvalid, " Wrong label type."},
      {"<LabelList><Label id=\"a\" type=\"path\" ar=\"allow\"/></LabelList>", kInvalid,
       " Wrong label ar."},
      {"<LabelList><Label id=\"a\" type=\"path\" al=\"severity2\"/></LabelList>", kInvalid,
       " Wrong label al."},
      {"<LabelList><Label id=\"a\" type=\"path\"><IdentityRedirection/></Label></LabelList>",
       kMissing, " Cannot insert IdentityRedirection."},
      {"<DllLabelList><DllLabel type=\"path\"/></DllLabelList>", kMissing,
       " Missing DllLabel id."},
      {"<DllLabelList><DllLabel id=\"a\"/></DllLabelList>", kMissing, " Missing DllLabel type."},
      {"<DllLabelList><DllLabel id=\"a\" type=\"x\"/></DllLabelList>", kInvalid,
       " Wrong DllLabel type."},
      {"<DllLabelList><DllLabel id=\"a\" type=\"name\" ar=\"\"/></DllLabelList>", kInvalid,
       " Wrong DllLabel ar."},
      {"<DllLabelList><DllLabel id=\"a\" type=\"name\" al=\"Severity\"/></DllLabelList>",
       kInvalid, " Wrong DllLabel al."},
      {"<GroupList><Group ot=\"*\"/></GroupList>", kMissing, " Missing Group id."},
      {"<DllGroupList><DllGroup/></DllGroupList>", kMissing, " Missing DllGroup id."},
  };
  testing::ScopedDebugLogCapture log;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.body);
    ComPtr<CAPPParser> parser = MakeAppParser();
    EXPECT_HR(LoadAppBody(parser.get(), c.body), E_FAIL);
    EXPECT_TRUE(testing::Reported(log, kHandler, std::string(c.message) + std::string(c.detail)));
  }
}

TEST(AppFormatTest, ADuplicateLabelOrGroupEndsTheLoad) {
  testing::ScopedDebugLogCapture log;
  const struct {
    std::string body;
    std::string_view source;
    std::string_view text;
  } cases[] = {
      {"<LabelList><Label id=\"Vi\" type=\"path\"/><Label id=\"vI\" type=\"name\"/></LabelList>",
       "CLabelList::Insert()", "Object with gived ID already exists."},
      {"<GroupList><Group id=\"g\"/><Group id=\"g\"/></GroupList>", "CAppGroupList::Insert()",
       "Object with gived ID already exists."},
      {"<GroupList><Group id=\"g\"><LabelID appflags=\"1\">x</LabelID><LabelID>x</LabelID>"
       "</Group></GroupList>",
       "CSimpleItemMap::Insert()", "Invalid value."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.body);
    ComPtr<CAPPParser> parser = MakeAppParser();
    EXPECT_HR(LoadAppBody(parser.get(), c.body), SECDB_E_DUPLICATEID);
    EXPECT_TRUE(testing::Reported(log, c.source, c.text));
  }
  // DLL labels are appended without a test.
  ComPtr<CAPPParser> parser = MakeAppParser();
  ASSERT_OK(LoadAppBody(parser.get(), "<DllLabelList><DllLabel id=\"d\" type=\"path\"/>"
                                      "<DllLabel id=\"d\" type=\"path\"/></DllLabelList>"));
  std::int32_t count = 0;
  ASSERT_OK(LabelsOf<IDllLabelList>(parser.get())->get_Count(&count));
  EXPECT_EQ(count, 2);
}

// Each row: a section as the file has it, and as a save writes it back.
TEST(AppFormatTest, AttributesReadAndWrittenAsTheFormatSays) {
  const std::string sum(32, 'c');
  const struct {
    std::string section, body, written;
  } cases[] = {
      // ar and al only for checksum-and-path/name types; no ar for Allow.
      {"LabelList", "<LabelList><Label id=\"a\" type=\"path\" ar=\"AskUser\" al=\"Alert\"/></LabelList>",
       "\t<LabelList>\n\t\t<Label id=\"a\" type=\"path\">\n\t\t\t<Path/>\n\t\t</Label>\n"
       "\t</LabelList>\n"},
      {"LabelList",
       "<LabelList><Label id=\"a\" type=\"pathAndChksm\" al=\"Alert\" proc_id=\"1A\" lm=\"yes\" "
       "knownapp=\"true\" signed=\"1\"><Path>/p</Path><Chksm binver=\"1\">" + sum +
           "</Chksm></Label></LabelList>",
       "\t<LabelList>\n\t\t<Label id=\"a\" type=\"pathAndChksm\" al=\"Severity2\" knownapp=\"1\" "
       "proc_id=\"0000001A\">\n\t\t\t<Path>/p</Path>\n\t\t\t<Chksm binver=\"1\">" + sum +
           "</Chksm>\n\t\t</Label>\n\t</LabelList>\n"},
      // No checksum check on load; a label path written for types 1 to 6 only.
      {"LabelList", "<LabelList><Label id=\"k\" type=\"chksm\" lm=\"true\"><Chksm>short</Chksm>"
                    "<IdentityRedirection id=\"r1\"/></Label></LabelList>",
       "\t<LabelList>\n\t\t<Label id=\"k\" type=\"chksm\" lm=\"1\">\n\t\t\t<Chksm>short</Chksm>\n"
       "\t\t\t<IdentityRedirection id=\"r1\"/>\n\t\t</Label>\n\t</LabelList>\n"},
      // DLL labels write checksums for types 0, 3 and 4 only.
      {"DllLabelList", "<DllLabelList><DllLabel id=\"d\" type=\"pathAndSigned\"><Path>/l</Path>"
                       "<Chksm>x</Chksm></DllLabel></DllLabelList>",
       "\t<DllLabelList>\n\t\t<DllLabel id=\"d\" type=\"pathAndSigned\">\n\t\t\t<Path>/l</Path>\n"
       "\t\t</DllLabel>\n\t</DllLabelList>\n"},
      {"GroupList", "<GroupList><Group id=\"g\"/><Group id=\"h\" ot=\"COM|File|Bogus\"/>"
                    "<Group id=\"i\" ot=\"*\"/></GroupList>",
       "\t<GroupList>\n\t\t<Group id=\"g\"/>\n\t\t<Group id=\"h\" ot=\"File|COM\"/>\n"
       "\t\t<Group id=\"i\"/>\n\t</GroupList>\n"},
      // A reference to a label that is not there is kept; references in key order.
      {"GroupList", "<GroupList><Group id=\"g\"><LabelID>zz</LabelID>"
                    "<LabelID appflags=\"-1\" removeDate=\"2027-01-31T08:05:09\">aa</LabelID>"
                    "</Group></GroupList>",
       "\t<GroupList>\n\t\t<Group id=\"g\">\n\t\t\t<LabelID appflags=\"-1\" "
       "removeDate=\"2027-01-31T08:05:09\">aa</LabelID>\n\t\t\t<LabelID>zz</LabelID>\n"
       "\t\t</Group>\n\t</GroupList>\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.body);
    ComPtr<CAPPParser> parser = MakeAppParser();
    ASSERT_OK(LoadAppBody(parser.get(), c.body));
    EXPECT_EQ(AppSectionText(parser.get(), c.section), c.written);
  }
}

TEST(AppFormatTest, LoadedFieldsSkipChecksAndTypeRules) {
  ComPtr<CAPPParser> parser = MakeAppParser();
  ASSERT_OK(LoadAppBody(parser.get(),
                        "<LabelList><Label id=\"a\" type=\"nameAndSigned\" ar=\"Prevent\" "
                        "uiflags=\"u\" assgroup=\"nowhere\"><Path>n</Path></Label></LabelList>"));
  ComPtr<ILabel> label;
  ASSERT_OK(LabelsOf<ILabelList>(parser.get())->Get("A", label.Put()));
  EAccessResult result = AR_NONE;
  ASSERT_OK(label->get_BGAccessResult(&result));
  EXPECT_EQ(result, AR_ALLOW);  // not applied to a signed type
  std::string text;
  ASSERT_OK(label->get_AssGroup(&text));
  EXPECT_EQ(text, "nowhere");
}

TEST(AppFormatTest, RemoveDatesConvertBothWays) {
  const struct {
    double date;
    std::string text;
  } cases[] = {
      {46418.0, "2027-01-31T00:00:00"},
      {46418.25, "2027-01-31T06:00:00"},
      {2.5, "1900-01-01T12:00:00"},
      {-1.5, "1899-12-29T12:00:00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(RemoveDateText(c.date), c.text);
    EXPECT_DOUBLE_EQ(RemoveDateFromText(c.text), c.date);
  }
  EXPECT_EQ(RemoveDateFromText("yesterday"), 0.0);
}

TEST(AppFormatTest, SectionsInOrderAndSelectedByAnyCaseAndCombinedNames) {
  ComPtr<CAPPParser> parser = MakeAppParser();
  ASSERT_OK(LoadAppBody(
      parser.get(),
      "<RuleList><Rule id=\"1\"><Group>g</Group></Rule></RuleList><Custom/>"
      "<DllGroupList/><GroupList/><LabelList/><DllLabelList/>"
      "<IdentityRedirectionList><IdentityRedirection id=\"r\"/></IdentityRedirectionList>"
      "<Globals/>"));
  const std::string all = AppSectionText(parser.get(), "");
  std::vector<std::size_t> at;
  for (const char* name : {"<Globals", "<IdentityRedirectionList", "<LabelList", "<GroupList",
                           "<DllLabelList", "<DllGroupList", "<RuleList", "<Custom"}) {
    at.push_back(all.find(name));
    ASSERT_NE(at.back(), std::string::npos) << name;
  }
  EXPECT_TRUE(std::is_sorted(at.begin(), at.end())) << all;
  EXPECT_NE(all.find("<Rule id=\"1\" enroll=\"Allow\" order=\"35000\">\n\t\t\t<Group>g</Group>\n"
                     "\t\t</Rule>"),
            std::string::npos)
      << all;

  EXPECT_EQ(AppSectionText(parser.get(), "labelALL"), "\t<LabelList/>\n\t<GroupList/>\n");
  EXPECT_EQ(AppSectionText(parser.get(), "DLLLABELALL"),
            "\t<DllLabelList/>\n\t<DllGroupList/>\n");
  EXPECT_EQ(AppSectionText(parser.get(), "grouplist"), "\t<GroupList/>\n");
}

}  // namespace
}  // namespace xmlsecdb

namespace xmlsecdb {
namespace {

TEST(AppFormatTest, SaveLogsItsSteps) {
  testing::AppEnv env;
  ComPtr<CAPPParser> parser = MakeAppParser();
  ASSERT_OK(LoadAppBody(parser.get(), "<LabelList><Label id=\"a\" type=\"name\"/></LabelList>"));
  env.log().Clear();
  std::string xml;
  ASSERT_OK(parser->get_Xml(&xml));
  std::vector<std::string> steps;
  for (const std::string& line : env.log().lines()) {
    if (line.find("SaveImpl") != std::string::npos || line.find("::Save ") != std::string::npos) {
      steps.push_back(line);
    }
  }
  const std::vector<std::string> expected = {
      "ZelXmlSd: CAPPParser::SaveImpl started\n",
      "ZelXmlSd: CAPPParser::SaveImpl VersionInfo\n",
      "ZelXmlSd: CAPPParser::SaveImpl Module\n",
      "ZelXmlSd: CAPPParser::SaveImpl global options\n",
      "ZelXmlSd: CAPPParser::SaveImpl group list\n",
      "ZelXmlSd: CAPPParser::SaveImpl labels\n",
      "ZelXmlSd: CLabelList::Save started\n",
      "ZelXmlSd: CLabelList::Save ended hr=S_OK\n",
      "ZelXmlSd: CAPPParser::SaveImpl app groups\n",
      "ZelXmlSd: CAPPParser::SaveImpl dll label list\n",
      "ZelXmlSd: CAPPParser::SaveImpl dll group list\n",
      "ZelXmlSd: CAPPParser::SaveImpl app rule list\n",
      "ZelXmlSd: CAPPParser::SaveImpl ended S_OK\n",
  };
  EXPECT_EQ(steps, expected);
}

}  // namespace
}  // namespace xmlsecdb

// The secdb tool on IDS databases: check prints the lists, xml and save
// round-trip, and a refused rule is reported with its text.
#include <gtest/gtest.h>

#include <string>

#include "ids/ids_fixture.h"
#include "testing/temp_dir.h"
#include "testing/tool_run.h"

namespace xmlsecdb {
namespace {

using testing::ToolRun;

class IDSSecdbTest : public ::testing::Test {
 protected:
  ToolRun Secdb(const std::string& arguments) { return testing::RunSecdb(dir_, arguments); }
  std::string Write(const std::string& name, const std::string& body) {
    const std::string path = dir_.File(name);
    testing::WriteFileBytes(path, testing::Utf16Image(testing::IDSDocument(body)));
    return path;
  }

  testing::TempDir dir_;
};

const std::string kBody =
    "<Globals><Property id=\"Custom1\" type=\"str\">a &amp; b</Property></Globals>"
    "<Definitions><Object id=\"any\" ot=\"ipaddress\"><Item>*</Item></Object></Definitions>" +
    testing::GroupElement(
        testing::RuleElement("locport=\"!80\"",
                             "<Token unique_id=\"1\" id=\"content\" type=\"bin\" offset=\"4\">"
                             "0a1b</Token><Token unique_id=\"2\" id=\"dsize\" type=\"int\">"
                             "4294967295</Token>"),
        "one") +
    testing::GroupElement("", "two") +
    "<RuleSetList><RuleSet id=\"s\"><RuleListID>one</RuleListID></RuleSet></RuleSetList>";

TEST_F(IDSSecdbTest, CheckXmlAndSaveRoundTrip) {
  const std::string path = Write("ids.xml", kBody);
  ToolRun check = Secdb("check " + path);
  EXPECT_EQ(check.status, 0) << check.err;
  EXPECT_EQ(check.out,
            "module: IDS (16)\nversion: 1.0\nGlobalOptions: 1\nDefinitionList: 1\nGroupList: 2\n"
            "RuleSetList: 1\n");

  ToolRun xml = Secdb("xml --section RuleList " + path);
  ASSERT_EQ(xml.status, 0) << xml.err;
  EXPECT_NE(xml.out.find("locport=\"!80\""), std::string::npos) << xml.out;
  EXPECT_NE(xml.out.find("offset=\"4\">0A1B</Token>"), std::string::npos) << xml.out;
  EXPECT_EQ(xml.out.find("<Globals>"), std::string::npos) << xml.out;

  const std::string first = dir_.File("first.xml");
  const std::string second = dir_.File("second.xml");
  ASSERT_EQ(Secdb("save " + path + " " + first).status, 0);
  ASSERT_EQ(Secdb("save " + first + " " + second).status, 0);
  EXPECT_EQ(testing::ReadFileBytes(first).substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(testing::ReadFileBytes(second), testing::ReadFileBytes(first));
}

TEST_F(IDSSecdbTest, RuleForBothDirectionsIsRefused) {
  const std::string path =
      Write("both.xml", testing::GroupElement(testing::RuleElement().replace(
                            testing::RuleElement().find("dir=\"in\""), 8, "dir=\"in_out\"")));
  ToolRun check = Secdb("check " + path);
  EXPECT_EQ(check.status, 1);
  EXPECT_EQ(check.err, "secdb: " + path +
                           ": error 0x80004005\nSecurity database has invalid content. Wrong "
                           "rule dir.\n");
}

}  // namespace
}  // namespace xmlsecdb

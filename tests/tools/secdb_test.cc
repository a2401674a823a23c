// The secdb tool's contract: commands, output lines, exit codes.
#include <gtest/gtest.h>

#include <string>

#include "testing/temp_dir.h"
#include "testing/tool_run.h"

namespace xmlsecdb {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;
using testing::ToolRun;
using testing::Utf16Image;
using testing::WriteFileBytes;

class SecdbTest : public ::testing::Test {
 protected:
  ToolRun Secdb(const std::string& arguments) { return testing::RunSecdb(dir_, arguments); }
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = dir_.File(name);
    WriteFileBytes(path, bytes);
    return path;
  }

  TempDir dir_;
};

const char kAntiMalware[] =
    "<SecDb><VersionInfo major=\"2\" minor=\"5\"/><Module id=\"AntiMalware\"/>"
    "<Custom k=\"v\">text</Custom></SecDb>";

TEST_F(SecdbTest, CheckPrintsModuleAndVersion) {
  const std::string path = Write("am.xml", Utf16Image(kAntiMalware));
  ToolRun run = Secdb("check " + path);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "module: AntiMalware (256)\nversion: 2.5\nGlobalOptions: 0\nDefinitionList: 0\nAppExceptionList: 0\nRuleList: 0\nRuleSetList: 0\n");
  EXPECT_FALSE(testing::PathExists(path + "_")) << "the tool must not write beside the file";
}

TEST_F(SecdbTest, FailuresPrintCodeThenDescription) {
  const std::string path = Write("am.xml", kAntiMalware);
  ToolRun run = Secdb("check --kind sbx " + path);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "secdb: " + path +
                         ": error 0x80004005\nCurrent module parser is not intended for this XML "
                         "Database. The wrong parser is used.\n");

  const std::string missing = dir_.File("missing.xml");
  run = Secdb("check --kind am " + missing);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "secdb: " + missing + ": error 0x800C0006\nXML file " + missing +
                         " was not found.\n");
}

TEST_F(SecdbTest, UsageErrorsAndUnknownKindsExitWithTwo) {
  const std::string path = Write("am.xml", kAntiMalware);
  const std::string unknown = Write("unknown.xml", "<SecDb><Module id=\"Nothing\"/></SecDb>");
  const std::string sandbox = Write("sbx.xml", "<SecDb><VersionInfo major=\"1\"/>"
                                               "<Module id=\"Sandbox\"/></SecDb>");
  const std::string cases[] = {
      "",
      "frobnicate " + path,
      "check",
      "check " + path + " " + path,
      "check --kind xx " + path,
      "check --section RuleList " + path,
      "save " + path,
      "save --plain --out-key 00 " + path + " " + dir_.File("out.xml"),
      "check " + unknown,
      "check " + dir_.File("missing.xml"),
      "xml --section RuleList " + sandbox,
  };
  for (const std::string& arguments : cases) {
    ToolRun run = Secdb(arguments);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_EQ(run.err.rfind("secdb: ", 0), 0u) << arguments;
  }
  ToolRun help = Secdb("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("secdb check"), std::string::npos);
  EXPECT_EQ(Secdb("--version").status, 0);
}

TEST_F(SecdbTest, RecoveryOnlyWhenAsked) {
  const std::string path = Write("am.xml", "<SecDb><Module id=\"AntiMalware\">");
  Write("am.xml_", kAntiMalware);
  EXPECT_EQ(Secdb("check " + path).status, 1);
  EXPECT_FALSE(testing::PathExists(path + ".bad"));

  ToolRun run = Secdb("check --recovery " + path);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.rfind("module: AntiMalware (256)\nversion: 2.5\n", 0), 0u) << run.out;
  EXPECT_EQ(ReadFileBytes(path + ".bad"), "<SecDb><Module id=\"AntiMalware\">");
  EXPECT_EQ(ReadFileBytes(path), kAntiMalware);
}

TEST_F(SecdbTest, XmlAndSaveRoundTrip) {
  const std::string path = Write("am.xml", kAntiMalware);
  ToolRun xml = Secdb("xml " + path);
  ASSERT_EQ(xml.status, 0) << xml.err;
  EXPECT_NE(xml.out.find("<Custom k=\"v\">text</Custom>"), std::string::npos) << xml.out;
  ToolRun section = Secdb("xml --section Custom " + path);
  EXPECT_NE(section.out.find("<Custom k=\"v\">text</Custom>"), std::string::npos);
  EXPECT_EQ(section.out.find("<RuleList"), std::string::npos) << section.out;

  const std::string key = "000102030405060708090a0b0c0d0e0f10111213";
  const std::string encrypted = dir_.File("enc.xml");
  ASSERT_EQ(Secdb("save --out-key " + key + " " + path + " " + encrypted).status, 0);
  EXPECT_EQ(Secdb("check --kind am " + encrypted).status, 1);
  EXPECT_EQ(Secdb("check --key " + key + " " + encrypted).status, 0);

  const std::string plain = dir_.File("plain.xml");
  const std::string again = dir_.File("again.xml");
  ASSERT_EQ(Secdb("save --key " + key + " --plain " + encrypted + " " + plain).status, 0);
  ASSERT_EQ(Secdb("save " + plain + " " + again).status, 0);
  EXPECT_EQ(ReadFileBytes(plain).substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(ReadFileBytes(plain), ReadFileBytes(again));
}

}  // namespace
}  // namespace xmlsecdb

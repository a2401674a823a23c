// The secdb tool's contract: commands, output lines, messages, exit codes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "testing/temp_dir.h"
#include "testing/tool_run.h"

namespace xmlsecdb {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;
using testing::ToolRun;
using testing::Utf16Image;
using testing::WriteFileBytes;

const char kAntiMalware[] =
    "<SecDb><VersionInfo major=\"2\" minor=\"5\"/><Module id=\"AntiMalware\"/>"
    "<Custom k=\"v\">text</Custom></SecDb>";
const char kSummary[] =
    "module: AntiMalware (256)\nversion: 2.5\nGlobalOptions: 0\nDefinitionList: 0\n"
    "AppExceptionList: 0\nRuleList: 0\nRuleSetList: 0\n";
const char kKey[] = "000102030405060708090a0b0c0d0e0f10111213";

class SecdbTest : public ::testing::Test {
 protected:
  ToolRun Secdb(const std::string& arguments, std::string_view input = {}) {
    return testing::RunSecdb(dir_, arguments, input);
  }
  // Runs the tool with its standard output on a device that is always full.
  ToolRun SecdbToFullDisk(const std::string& arguments) {
    const std::string err = dir_.File("stderr");
    int raw = std::system((std::string(SECDB_TOOL_PATH) + " " + arguments + " >/dev/full 2>" +
                           err + " </dev/null")
                              .c_str());
    return ToolRun{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, "", ReadFileBytes(err)};
  }
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = dir_.File(name);
    WriteFileBytes(path, bytes);
    return path;
  }

  TempDir dir_;
};

TEST_F(SecdbTest, CheckPrintsModuleAndVersion) {
  const std::string path = Write("am.xml", Utf16Image(kAntiMalware));
  ToolRun run = Secdb("check " + path);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, kSummary);
  EXPECT_FALSE(testing::PathExists(path + "_")) << "the tool must not write beside the file";
}

TEST_F(SecdbTest, FailuresPrintCodeThenDescription) {
  const std::string path = Write("am.xml", kAntiMalware);
  ToolRun run = Secdb("check --kind sbx " + path);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "secdb: " + path +
                         ": error 0x80004005\nCurrent module parser is not intended for this XML "
                         "Database. The wrong parser is used.\n" +
                         path + ":1:42: in element Module\n");
}

// One row per behaviour: arguments ("%D" stands for the test's folder),
// standard input, one environment variable, and what must come out.
struct Row {
  const char* name;
  std::string arguments;
  int status;
  std::string out;               // a part of stdout ("" = anything)
  std::vector<std::string> err;  // parts of stderr, in this order
  std::string input = {};
  std::string env = {};  // "NAME=value"
  bool out_exact = false;
  bool full_output = false;  // standard output is /dev/full
};

std::string Expand(std::string text, const std::string& dir) {
  for (std::size_t at; (at = text.find("%D")) != std::string::npos;) text.replace(at, 2, dir);
  return text;
}

TEST_F(SecdbTest, Behaviours) {
  const std::string d = dir_.path();
  Write("am.xml", Utf16Image(kAntiMalware));
  Write("bad.xml",
        "<SecDb>\n<VersionInfo major=\"1\"/>\n<Module id=\"AntiMalware\"/>\n"
        "<RuleList>\n  <Rule id=\"7\" ot=\"Bogus\" app=\"a\"/>\n</RuleList>\n</SecDb>");
  Write("broken.xml", "<SecDb>\n<Module id=\"AntiMalware\">\n</SecDb>");
  Write("sbx.xml", "<SecDb><VersionInfo major=\"1\"/><Module id=\"Sandbox\"/></SecDb>");
  Write("app.xml",
        "<SecDb><VersionInfo major=\"1\"/><Module id=\"AppRepository\"/>"
        "<Custom k=\"v\"/></SecDb>");
  Write("key.txt", std::string(kKey) + "\n");
  ASSERT_EQ(
      Secdb("save --out-key " + std::string(kKey) + " " + d + "/am.xml " + d + "/enc.xml").status,
      0);
  const std::string key = kKey;
  const std::string other_key = "ff" + key.substr(2);
  const std::string am_xml = ReadFileBytes(d + "/am.xml");

  const Row rows[] = {
      // Output other tools read.
      {"xml declares UTF-8",
       "xml %D/am.xml",
       0,
       "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>",
       {}},
      // File problems: the system's reason, exit 1, with or without --kind.
      {"missing file",
       "check %D/missing.xml",
       1,
       "",
       {"secdb: %D/missing.xml: No such file or directory\n"}},
      {"missing file with --kind",
       "check --kind am %D/missing.xml",
       1,
       "",
       {"error 0x800C0006\nXML file %D/missing.xml was not found.\n",
        "secdb: %D/missing.xml: No such file or directory\n"}},
      {"directory", "check --kind am %D", 1, "", {"secdb: %D: Is a directory\n"}},
      {"directory without --kind", "xml %D", 1, "", {"secdb: %D: Is a directory\n"}},
      // Keys.
      {"encrypted without a key",
       "check %D/enc.xml",
       1,
       "",
       {"secdb: %D/enc.xml: encrypted or not a database: give --key\n"}},
      {"encrypted without a key, --kind",
       "check --kind am %D/enc.xml",
       1,
       "",
       {"Cannot parse XML file.\n", "encrypted or not a database: give --key\n"}},
      {"wrong key",
       "check --kind am --key " + other_key + " %D/enc.xml",
       1,
       "",
       {"Cannot parse XML file.\n",
        "secdb: %D/enc.xml: the key does not decrypt it: wrong key?\n"}},
      {"wrong key without --kind",
       "check --key " + other_key + " %D/enc.xml",
       1,
       "",
       {"wrong key?\n"}},
      {"key not BinaryHex, refused before reading",
       "check --key abc %D/missing.xml",
       2,
       "",
       {"secdb: --key: the key is not BinaryHex text", "Try 'secdb check --help'.\n"}},
      {"key from a file", "check --key-file %D/key.txt %D/enc.xml", 0, kSummary, {}, {}, {}, true},
      {"key from the environment",
       "check %D/enc.xml",
       0,
       kSummary,
       {},
       {},
       "XMLSECDB_KEY=" + key,
       true},
      {"bad key in the environment",
       "check %D/enc.xml",
       2,
       "",
       {"XMLSECDB_KEY: the key is not"},
       {},
       "XMLSECDB_KEY=xyz"},
      {"--opt=value",
       "check --key=" + key + " --kind=am %D/enc.xml",
       0,
       kSummary,
       {},
       {},
       {},
       true},
      // Content errors point at the element, in the form editors read.
      {"content error location",
       "check %D/bad.xml",
       1,
       "",
       {"Security database has invalid content. Wrong rule OT.\n",
        "%D/bad.xml:5:3: in element Rule (id 7)\n"}},
      {"malformed XML location",
       "check %D/broken.xml",
       1,
       "",
       {"Line number:\t3\n", "%D/broken.xml:3:3: malformed XML\n"}},
      // Pipes.
      {"check reads standard input", "check -", 0, kSummary, {}, am_xml, {}, true},
      {"xml reads standard input",
       "xml --kind am -",
       0,
       "<Custom k=\"v\">text</Custom>",
       {},
       am_xml},
      {"standard input location",
       "check -",
       1,
       "",
       {"<stdin>:3:3: malformed XML\n"},
       ReadFileBytes(d + "/broken.xml")},
      {"encrypted standard input",
       "check --key " + key + " -",
       0,
       kSummary,
       {},
       ReadFileBytes(d + "/enc.xml"),
       {},
       true},
      {"save writes standard output", "save %D/am.xml -", 0, Utf16Image("<?xml"), {}},
      // Several files, quiet runs.
      {"several files",
       "check %D/am.xml %D/missing.xml %D/am.xml",
       1,
       std::string("file: %D/am.xml\n") + kSummary + "\nfile: %D/am.xml\n" + kSummary,
       {"%D/missing.xml: No such file or directory\n"},
       {},
       {},
       true},
      {"quiet and the worst status", "check -q %D/am.xml %D/bad.xml", 1, "", {}, {}, {}, true},
      {"quiet success", "check --quiet %D/am.xml %D/am.xml", 0, "", {}, {}, {}, true},
      // Sections.
      {"section by element name", "xml --section Globals %D/am.xml", 0, "<Globals", {}},
      {"section by list name", "xml --section=GlobalOptions %D/am.xml", 0, "<Globals", {}},
      {"unknown section",
       "xml --section Nothing %D/am.xml",
       2,
       "",
       {"unknown section \"Nothing\" for am (GlobalOptions, Globals, DefinitionList, "
        "Definitions, AppExceptionList, ExceptionList, RuleList, RuleSetList, Custom)\n",
        "Try 'secdb xml --help'.\n"}},
      // Letter case counts, except for the kinds that take section names
      // in any case.
      {"section names in another case", "xml --section globals %D/am.xml", 2, "", {"unknown section \"globals\""}},
      {"any case where the kind allows it", "xml --section cUSTOM %D/app.xml", 0, "<Custom k=\"v\"", {}},
      {"no sections in a sandbox database",
       "xml --section RuleList %D/sbx.xml",
       1,
       "",
       {"has no sections"}},
      // Usage.
      {"usage error: one line and a hint",
       "check --frob %D/am.xml",
       2,
       "",
       {"secdb: unknown option for check: --frob\nTry 'secdb check --help'.\n"}},
      {"a command's help", "save --help", 0, "usage: secdb save [OPTION]... IN OUT", {}},
      {"version of the tool and the library", "--version", 0, "\nlibxmlsecdb ", {}},
      {"unwritable standard output", "xml %D/am.xml", 1, "",
       {"secdb: standard output: No space left on device\n"}, {}, {}, false, true},
      {"check to unwritable standard output", "check %D/am.xml", 1, "",
       {"secdb: standard output: No space left on device\n"}, {}, {}, false, true},
      {"save to unwritable standard output", "save %D/am.xml -", 1, "",
       {"secdb: standard output: No space left on device\n"}, {}, {}, false, true},
      {"write failure reason",
       "save %D/am.xml %D/no/such/dir/out.xml",
       1,
       "",
       {"error 0x80070002\n", "secdb: %D/no/such/dir/out.xml: No such file or directory\n"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string variable;
    if (!row.env.empty()) {
      variable = row.env.substr(0, row.env.find('='));
      setenv(variable.c_str(), row.env.substr(variable.size() + 1).c_str(), 1);
    }
    ToolRun run = row.full_output ? SecdbToFullDisk(Expand(row.arguments, d))
                                  : Secdb(Expand(row.arguments, d), row.input);
    if (!variable.empty()) unsetenv(variable.c_str());
    EXPECT_EQ(run.status, row.status) << run.err;
    const std::string out = Expand(row.out, d);
    if (row.out_exact) {
      EXPECT_EQ(run.out, out);
    } else {
      EXPECT_NE(run.out.find(out), std::string::npos) << run.out;
    }
    std::size_t from = 0;
    for (const std::string& part : row.err) {
      std::size_t at = run.err.find(Expand(part, d), from);
      EXPECT_NE(at, std::string::npos) << part << "\nin:\n" << run.err;
      from = at == std::string::npos ? from : at;
    }
    if (row.err.empty() && (row.status == 0 || row.out_exact)) {
      EXPECT_EQ(run.err, "") << "only the status tells";
    }
  }
}

TEST_F(SecdbTest, PermissionDeniedIsNamed) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
  const std::string path = Write("locked.xml", kAntiMalware);
  ASSERT_EQ(chmod(path.c_str(), 0), 0);
  for (const std::string arguments : {"check ", "check --kind am "}) {
    ToolRun run = Secdb(arguments + path);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(path + ": Permission denied\n"), std::string::npos) << run.err;
  }
}

TEST_F(SecdbTest, XmlOutputParsesWithOtherTools) {
  const std::string path = Write("am.xml", Utf16Image(kAntiMalware));
  ToolRun xml = Secdb("xml " + path);
  ASSERT_EQ(xml.status, 0) << xml.err;
  const std::string printed = Write("printed.xml", xml.out);
  const std::string python =
      "python3 -c 'import sys, xml.etree.ElementTree as t; "
      "r = t.parse(sys.argv[1]).getroot(); "
      "sys.exit(r.tag != \"SecDb\" or r.find(\"Custom\").text != \"text\")' ";
  EXPECT_EQ(std::system((python + printed).c_str()), 0);
  if (std::system("command -v xmllint >/dev/null") != 0) GTEST_SKIP() << "xmllint is missing";
  EXPECT_EQ(std::system(("xmllint --noout " + printed).c_str()), 0);
}

TEST_F(SecdbTest, UsageErrorsAndUnknownKindsExitWithTwo) {
  const std::string path = Write("am.xml", kAntiMalware);
  const std::string unknown = Write("unknown.xml", "<SecDb><Module id=\"Nothing\"/></SecDb>");
  const std::string cases[] = {
      "",
      "frobnicate " + path,
      "check",
      "xml " + path + " " + path,
      "check --kind xx " + path,
      "check --section RuleList " + path,
      "check --plain=1 " + path,
      "save " + path,
      "save --plain --out-key 00 " + path + " " + dir_.File("out.xml"),
      "check " + unknown,
  };
  for (const std::string& arguments : cases) {
    ToolRun run = Secdb(arguments);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_EQ(run.err.rfind("secdb: ", 0), 0u) << arguments;
  }
  ToolRun help = Secdb("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("check FILE..."), std::string::npos) << help.out;
}

TEST_F(SecdbTest, RecoveryOnlyWhenAsked) {
  const std::string path = Write("am.xml", "<SecDb><Module id=\"AntiMalware\">");
  Write("am.xml_", kAntiMalware);
  EXPECT_EQ(Secdb("check " + path).status, 1);
  EXPECT_FALSE(testing::PathExists(path + ".bad"));

  // A restore is never silent: one line, and its own exit status.
  ToolRun run = Secdb("check --recovery " + path);
  EXPECT_EQ(run.status, 3) << run.err;
  EXPECT_EQ(run.out.rfind("module: AntiMalware (256)\nversion: 2.5\n", 0), 0u) << run.out;
  EXPECT_EQ(run.err.rfind("secdb: " + path + ": damaged (error 0x80004005: ", 0), 0u) << run.err;
  EXPECT_TRUE(run.err.ends_with("); restored from " + path + "_, damaged copy kept as " + path +
                                ".bad\n"))
      << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  EXPECT_EQ(ReadFileBytes(path + ".bad"), "<SecDb><Module id=\"AntiMalware\">");
  EXPECT_EQ(ReadFileBytes(path), kAntiMalware);
  EXPECT_EQ(Secdb("check --recovery " + path).status, 0);
}

// Without --kind, a file too damaged to name its kind is recovered by the
// kind of its backup; a wrong key is no damage and touches nothing.
TEST_F(SecdbTest, RecoveryFindsTheKindInTheBackupAndLeavesKeyFailuresAlone) {
  const std::string path = Write("am.xml", "<Sec");
  Write("am.xml_", kAntiMalware);
  ToolRun run = Secdb("check --recovery " + path);
  EXPECT_EQ(run.status, 3) << run.err;
  EXPECT_EQ(ReadFileBytes(path + ".bad"), "<Sec");
  EXPECT_EQ(ReadFileBytes(path), kAntiMalware);

  const std::string encrypted = dir_.File("enc.xml");
  ASSERT_EQ(Secdb("save --out-key " + std::string(kKey) + " " + path + " " + encrypted).status, 0);
  ASSERT_EQ(Secdb("check --recovery --key " + std::string(kKey) + " " + encrypted).status, 0);
  const std::string image = ReadFileBytes(encrypted);
  const std::string wrong(std::string(kKey).size(), '0');
  EXPECT_EQ(Secdb("check --recovery --kind am --key " + wrong + " " + encrypted).status, 1);
  EXPECT_EQ(ReadFileBytes(encrypted), image);
  EXPECT_FALSE(testing::PathExists(encrypted + ".bad"));
}

TEST_F(SecdbTest, KeysAcrossSaves) {
  const std::string path = Write("am.xml", kAntiMalware);
  const std::string encrypted = dir_.File("enc.xml");
  ASSERT_EQ(Secdb("save --out-key " + std::string(kKey) + " " + path + " " + encrypted).status, 0);
  EXPECT_EQ(Secdb("check --kind am " + encrypted).status, 1);
  EXPECT_EQ(Secdb("check --key " + std::string(kKey) + " " + encrypted).status, 0);

  const std::string plain = dir_.File("plain.xml");
  const std::string again = dir_.File("again.xml");
  ASSERT_EQ(Secdb("save --key " + std::string(kKey) + " --plain " + encrypted + " " + plain).status,
            0);
  ASSERT_EQ(Secdb("save " + plain + " " + again).status, 0);
  EXPECT_EQ(ReadFileBytes(plain).substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(ReadFileBytes(plain), ReadFileBytes(again));
  // The same through standard output.
  ToolRun out = Secdb("save " + plain + " -");
  ASSERT_EQ(out.status, 0) << out.err;
  EXPECT_EQ(out.out, ReadFileBytes(plain));
}

}  // namespace
}  // namespace xmlsecdb

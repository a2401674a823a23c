// The review commands of secdb: json (valid, stable, enumerations by
// name), diff (exactly the changes made through the object model, nothing
// for a re-sorted save, its exit statuses) and ls.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "testing/hresult_matchers.h"
#include "testing/secdb_document.h"
#include "testing/temp_dir.h"
#include "testing/tool_run.h"
#include "xmlsecdb/xmlsecdb.h"

namespace xmlsecdb::testing {
namespace {

const std::string kExamples = XMLSECDB_EXAMPLES;
const char* const kExampleFiles[] = {"antimalware.xml",   "sandbox.xml",  "data_inspection.xml",
                                     "ids.xml",           "firewall.xml", "app_repository.xml",
                                     "content_filter.xml"};

class SecdbReviewTest : public ::testing::Test {
 protected:
  ToolRun Secdb(const std::string& arguments) { return RunSecdb(dir_, arguments); }
  TempDir dir_;
};

TEST_F(SecdbReviewTest, JsonOfEveryExampleIsValidAndStable) {
  for (const char* name : kExampleFiles) {
    SCOPED_TRACE(name);
    const ToolRun first = Secdb("json " + kExamples + "/" + name);
    const ToolRun second = Secdb("json " + kExamples + "/" + name);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, second.out);
    const nlohmann::json json = nlohmann::json::parse(first.out, nullptr, false);
    ASSERT_FALSE(json.is_discarded());
    EXPECT_TRUE(json.is_object());
    // What tells about the session, not the content, stays out.
    for (const char* key : {"Xml", "FilePath", "ReadOnly", "ParserVersion"}) {
      EXPECT_FALSE(json.contains(key)) << key;
    }
  }
}

TEST_F(SecdbReviewTest, JsonShowsEnumerationsByNameAndIdsInBothForms) {
  const ToolRun run = Secdb("json --section RuleList " + kExamples + "/antimalware.xml");
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json json = nlohmann::json::parse(run.out);
  ASSERT_EQ(json.size(), 1u) << "--section keeps the one list";
  const nlohmann::json& rule = json["RuleList"].at(0);
  EXPECT_EQ(rule["RuleID"], 10);
  EXPECT_EQ(rule["RuleIDString"], "10");
  EXPECT_EQ(rule["Priority"], "PRIOR_HIGH");
  EXPECT_EQ(rule["AccessDescriptorList"].at(0)["AccessResult"].get<std::string>().rfind("AR_", 0),
            0u);
  const ToolRun ids = Secdb("json " + kExamples + "/ids.xml");
  ASSERT_EQ(ids.status, 0) << ids.err;
  const nlohmann::json token =
      nlohmann::json::parse(ids.out)["GroupList"][0]["RuleList"][0]["TokenList"][0];
  EXPECT_EQ(token["TokenID"].get<std::string>().rfind("TID_", 0), 0u) << token.dump();
}

TEST_F(SecdbReviewTest, LsListsTheRulesOfTheAntiMalwareExample) {
  const ToolRun run = Secdb("ls " + kExamples + "/antimalware.xml RuleList");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 32);
  EXPECT_TRUE(
      run.out.starts_with("10\tObjectType=32 Application=\"A0\" "
                          "Path=\"C:\\\\Data\\\\Folder10\\\\*.log\" Priority=PRIOR_HIGH "
                          "Enabled=1\n"))
      << run.out;
  const ToolRun lists = Secdb("ls " + kExamples + "/antimalware.xml");
  EXPECT_EQ(lists.out,
            "GlobalOptions\t6\nDefinitionList\t8\nAppExceptionList\t3\nRuleList\t32\n"
            "RuleSetList\t2\n");
  const ToolRun unknown = Secdb("ls " + kExamples + "/antimalware.xml Rules2");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.err,
            "secdb: unknown list \"Rules2\" for am (GlobalOptions, DefinitionList, "
            "AppExceptionList, RuleList, RuleSetList)\nTry 'secdb ls --help'.\n");
}

template <class T>
ComPtr<T> Item(ISDCollection* list, std::int32_t index) {
  Variant item;
  EXPECT_OK(list->get_Item(index, &item));
  ComPtr<T> typed;
  EXPECT_OK((*item.as_object())->QueryInterface(typed.Put()));
  return typed;
}

TEST_F(SecdbReviewTest, DiffReportsExactlyTheChangesMadeThroughTheModel) {
  const std::string a = kExamples + "/antimalware.xml";
  const std::string b = dir_.File("b.xml");
  {
    ComPtr<ISDParserAM> parser;
    ASSERT_OK(CreateInstance(CLSID_XMLSDParserAM, parser.Put()));
    ASSERT_OK(parser->Load(a, 0));
    ComPtr<IAMRuleList> rules;
    ASSERT_OK(parser->get_RuleList(rules.Put()));
    ComPtr<IAMRule> rule;
    ASSERT_OK(rules->Get("13", rule.Put()));
    ASSERT_OK(rule->put_Description("changed"));
    ComPtr<IAMRule> gone;
    ASSERT_OK(rules->Get("16", gone.Put()));
    ASSERT_OK(rules->Remove(gone.get()));
    ComPtr<IAMRule> added;
    ASSERT_OK(rules->CreateRule(added.Put()));
    ASSERT_OK(added->put_RuleID(100));
    ASSERT_OK(added->put_Application("new.exe"));
    ASSERT_OK(added->put_ObjectType(32));
    ASSERT_OK(rules->Insert(added.get(), nullptr));
    // A plain list reordered: the second rule set goes first.
    ComPtr<IRuleSetList> sets;
    ASSERT_OK(parser->get_RuleSetList(sets.Put()));
    ComPtr<IRuleSet> first = Item<IRuleSet>(sets.get(), 1);
    ComPtr<IRuleSet> second = Item<IRuleSet>(sets.get(), 2);
    ASSERT_OK(sets->Remove(second.get()));
    ASSERT_OK(sets->Insert(second.get(), first.get()));
    ASSERT_OK(parser->Save(b));
  }
  std::string first_set;
  {
    const ToolRun sets = Secdb("ls " + a + " RuleSetList");
    first_set = sets.out.substr(0, sets.out.find('\t'));
  }
  const ToolRun run = Secdb("diff " + a + " " + b);
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_EQ(
      run.out,
      "~ RuleList[13].Description: \"vendor rule 13\" -> \"changed\"\n"
      "- RuleList[16] ObjectType=32 Application=\"C:\\\\Program Files\\\\Vendor2\\\\app16.exe\" "
      "Path=\"C:\\\\Data\\\\Folder16\\\\*.log\" Priority=PRIOR_HIGH Enabled=1\n"
      "+ RuleList[100] ObjectType=32 Application=\"new.exe\" Path=\"\" Priority=PRIOR_NORMAL "
      "Enabled=1\n"
      "> RuleSetList[\"" +
          first_set + "\"]: 1 -> 2\n");
  const ToolRun json = Secdb("diff --json " + a + " " + b);
  EXPECT_EQ(json.status, 1);
  const nlohmann::json changes = nlohmann::json::parse(json.out);
  EXPECT_EQ(changes["equal"], false);
  ASSERT_EQ(changes["changes"].size(), 4u);
  EXPECT_EQ(changes["changes"][0],
            nlohmann::json::parse(R"({"change":"changed","list":"RuleList","id":13,
              "property":"Description","old":"vendor rule 13","new":"changed"})"));
  EXPECT_EQ(changes["changes"][2]["item"]["RuleID"], 100);
}

TEST_F(SecdbReviewTest, DiffOfEqualDatabasesIsEmpty) {
  // A file whose rules are out of the comparison order, and its save,
  // which re-sorts them.
  const std::string unsorted = dir_.File("unsorted.xml");
  WriteFileBytes(
      unsorted,
      SecDbDocument("AntiMalware",
                    "<RuleList><Rule id=\"2\" priority=\"low\" ot=\"AntiMalware\" app=\"b\"/>"
                    "<Rule id=\"1\" priority=\"high\" ot=\"AntiMalware\" app=\"a\"/>"
                    "</RuleList>"));
  const std::string saved = dir_.File("saved.xml");
  ASSERT_EQ(Secdb("save " + unsorted + " " + saved).status, 0);
  for (const std::string& args :
       {kExamples + "/antimalware.xml " + kExamples + "/antimalware.xml",
        kExamples + "/ids.xml " + kExamples + "/ids.xml", unsorted + " " + saved}) {
    const ToolRun run = Secdb("diff " + args);
    EXPECT_EQ(run.status, 0) << args << run.err;
    EXPECT_EQ(run.out, "") << args;
  }
  const ToolRun json = Secdb("diff --json " + unsorted + " " + saved);
  EXPECT_EQ(json.out, "{\n  \"changes\": [],\n  \"equal\": true\n}\n");
}

TEST_F(SecdbReviewTest, DiffTroubleExitsTwo) {
  const std::string am = kExamples + "/antimalware.xml";
  struct Case {
    std::string arguments;
    std::string err;  // a part of stderr
  } cases[] = {
      {"diff " + am + " " + kExamples + "/sandbox.xml", "databases of different kinds"},
      {"diff " + am + " " + dir_.File("missing.xml"), "No such file or directory"},
      {"diff " + am, "diff needs A and B"},
      {"diff --kind zz " + am + " " + am, "unknown kind: zz"},
      // Kinds whose interfaces describe no members yet cannot be compared.
      {"diff " + kExamples + "/content_filter.xml " + kExamples + "/content_filter.xml",
       "no type information"},
  };
  for (const Case& c : cases) {
    const ToolRun run = Secdb(c.arguments);
    EXPECT_EQ(run.status, 2) << c.arguments;
    EXPECT_NE(run.err.find(c.err), std::string::npos) << c.arguments << "\n" << run.err;
  }
}

TEST_F(SecdbReviewTest, ReviewCommandsReadEncryptedDatabases) {
  const char kKey[] = "000102030405060708090a0b0c0d0e0f";
  const std::string enc = dir_.File("enc.xml");
  ASSERT_EQ(
      Secdb("save --out-key " + std::string(kKey) + " " + kExamples + "/sandbox.xml " + enc).status,
      0);
  const ToolRun plain = Secdb("json " + kExamples + "/sandbox.xml");
  const ToolRun json = Secdb("json --key " + std::string(kKey) + " " + enc);
  EXPECT_EQ(json.status, 0) << json.err;
  EXPECT_EQ(json.out, plain.out);
  EXPECT_EQ(Secdb("diff --key " + std::string(kKey) + " " + enc + " " + enc).status, 0);
  EXPECT_EQ(Secdb("ls " + enc).status, 1) << "no key: the file cannot be read";
}

}  // namespace
}  // namespace xmlsecdb::testing

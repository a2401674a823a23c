// The sandbox database: its module check, rule format, DllObject, the
// dropped custom sections, events while loading, and the master parser
// rules of the three policy kinds.
#include "sbx/sbx_parser.h"

#include <gtest/gtest.h>

#include "am/am_parser.h"
#include "core/messages.h"
#include "di/di_parser.h"
#include "sbx/sbx_fixture.h"
#include "testing/test_env.h"

namespace xmlsecdb::testing {
namespace {

using SBXTest = PolicyKindTest<CSBXParser>;

std::string Sandbox(std::string_view body) { return PolicyDatabase("Sandbox", body); }
std::string SandboxRules(std::string_view rules) {
  return Sandbox("<RuleList>" + std::string(rules) + "</RuleList>");
}

TEST_F(SBXTest, ModuleWordIsMappedToItsModule) {
  struct Case {
    const char* module;
    HRESULT result;
    const char* description;
  };
  const Case cases[] = {
      {"<Module id=\"Sandbox\"/>", S_OK, ""},
      {"<Module id=\"AntiMalware\"/>", E_FAIL, " The wrong parser is used."},
      {"<Module id=\"Firewall\"/>", E_FAIL, " The wrong parser is used."},
      {"<Module id=\"ExeWatch\"/>", E_FAIL, " The wrong parser is used."},
      {"<Module id=\"sandbox\"/>", E_FAIL, " The wrong parser is used."},
      {"<Module/>", E_FAIL, "Required attribute is missing. Missing Module id."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.module);
    EXPECT_HR(LoadText(std::string("<SecDb><VersionInfo major=\"1\"/>") + c.module + "</SecDb>"),
              c.result);
    std::string description = TakeErrorDescription();
    EXPECT_NE(description.find(c.description), std::string::npos) << description;
  }
}

TEST_F(SBXTest, RuleFailures) {
  struct Case {
    const char* rule;
    const char* description;
  };
  const Case cases[] = {
      {"<Rule id=\"1\" app=\"a\"/>", " Missing rule OT."},
      {"<Rule id=\"1\" ot=\"AntiMalware\" app=\"a\"/>", " Wrong rule OT."},
      {"<Rule id=\"1\" ot=\"DataInspection\" app=\"a\"/>", " Wrong rule OT."},
      {"<Rule id=\"1\" ot=\"file\" app=\"a\"/>", " Wrong rule OT."},
      {"<Rule id=\"1\" ot=\"File\" app=\"a\"><AccessDesc at=\"ScanExclusion\" ar=\"Allow\"/>"
       "</Rule>",
       " Wrong AT."},
      {"<Rule id=\"1\" ot=\"Registry\" app=\"a\"><AccessDesc at=\"Nope\" ar=\"Allow\"/></Rule>",
       " Wrong AT."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rule);
    EXPECT_HR(LoadText(SandboxRules(c.rule)), E_FAIL);
    std::string description = TakeErrorDescription();
    EXPECT_NE(description.find(c.description), std::string::npos) << description;
    EXPECT_EQ(RuleCount(), 0);
  }
}

// Each object-type word loads as its bit, "*" as that type's full mask;
// both are written back as read, except a full mask that one access-type
// word names alone, which is written as that word.
TEST_F(SBXTest, ObjectTypesAndFullMasksRoundTrip) {
  struct Case {
    const char* word;
    std::int32_t type;
    std::int32_t full_mask;
    const char* written_at;
  };
  const Case cases[] = {
      {"File", OT_FILE, 0x101FF, "*"},
      {"Registry", OT_REGISTRY, 0x1001F, "*"},
      {"Spawning", OT_SPAWNING, 0x3, "*"},
      {"Service", OT_SERVICE, 0x10E34, "*"},
      {"Device", OT_DEVICE, 0x1F, "*"},
      {"COM", OT_COMOBJECT, 0xF, "*"},
      {"SystemPrivilege", OT_SYSTEMPRIV, 0x1FF00, "*"},
      {"DllLoading", OT_SPAWN_DLL, 0x1, "LoadDll"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.word);
    const std::string rule = std::string("<Rule id=\"1\" ot=\"") + c.word +
                             "\" app=\"a\"><AccessDesc at=\"*\" ar=\"Allow\"/></Rule>";
    ASSERT_OK(LoadText(SandboxRules(rule)));
    ComPtr<ISBXRule> loaded = RuleAt(1);
    ASSERT_TRUE(loaded);
    std::int32_t type = 0;
    ASSERT_OK(loaded->get_ObjectType(&type));
    EXPECT_EQ(type, c.type);
    ComPtr<IAccessDescriptorList> access;
    ASSERT_OK(loaded->get_AccessDescriptorList(access.Put()));
    Variant item;
    ASSERT_OK(access->get_Item(1, &item));
    ComPtr<IAccessDescriptor> descriptor;
    ASSERT_OK((*item.as_object())->QueryInterface(descriptor.Put()));
    std::int32_t mask = 0;
    ASSERT_OK(descriptor->get_AccessType(&mask));
    EXPECT_EQ(mask, c.full_mask);
    const std::string text = RuleListText();
    EXPECT_NE(text.find(std::string("ot=\"") + c.word + "\""), std::string::npos) << text;
    EXPECT_NE(text.find(std::string("at=\"") + c.written_at + "\""), std::string::npos) << text;
  }
}

// dllobj is read and written; dictionary_id and filetype_id are read but
// never written, and scanItemList_id is neither.
TEST_F(SBXTest, KindAttributes) {
  ASSERT_OK(LoadText(
      SandboxRules("<Rule id=\"4\" ot=\"File\" app=\"a\" dllobj=\"true\" dictionary_id=\"D1\" "
                   "filetype_id=\"T1\" scanItemList_id=\"9\"><Object>C:\\x</Object></Rule>")));
  ComPtr<ISBXRule> rule = RuleAt(1);
  ASSERT_TRUE(rule);
  std::int32_t dll = 0;
  ASSERT_OK(rule->get_DllObject(&dll));
  EXPECT_EQ(dll, 1);
  EXPECT_EQ(RuleListText(),
            "\t<RuleList>\n\t\t<Rule id=\"4\" ot=\"File\" app=\"a\" order=\"35000\" dllobj=\"1\">\n"
            "\t\t\t<Object>C:\\x</Object>\n\t\t</Rule>\n\t</RuleList>\n");

  ASSERT_OK(rule->put_DllObject(0));
  EXPECT_EQ(RuleListText().find("dllobj"), std::string::npos);
  ASSERT_OK(rule->put_DllObject(5));  // any non-zero value is written "1"
  EXPECT_NE(RuleListText().find("dllobj=\"1\""), std::string::npos);
}

TEST_F(SBXTest, SettersReportTheSandboxNumbers) {
  ComPtr<ISBXRule> rule = AddRule(OT_FILE);
  EventLog* log = Advise(DIID__ISDParserSBXEvents);
  ASSERT_OK(rule->put_DllObject(1));
  ASSERT_OK(rule->put_Account(RA_BOTH));
  ASSERT_OK(rule->put_Enabled(0));
  ASSERT_OK(rule->put_System(1));
  ASSERT_OK(rule->put_UIFlags("u"));
  EXPECT_EQ(log->lines, (std::vector<std::string>{"27:16", "28:16", "27:15", "28:15", "27:15",
                                                  "28:15", "27:9", "28:9", "27:17", "28:17"}));
  ASSERT_OK(parser_->put_ReadOnly(1));
  EXPECT_HR(rule->put_DllObject(0), SECDB_E_READONLY);
  EXPECT_EQ(TakeErrorDescription(), LoadMessage(kMsgReadOnly));
}

TEST_F(SBXTest, NoItemEventsWhileLoading) {
  EventLog* log = Advise(DIID__ISDParserSBXEvents);
  ASSERT_OK(LoadText(
      Sandbox("<Globals><Property id=\"Mode\" type=\"int\">1</Property></Globals>"
              "<ExceptionList><AppItem app=\"a.exe\" activeGuardsMask=\"*\"/></ExceptionList>"
              "<RuleList><Rule id=\"1\" ot=\"File\" app=\"a\"/></RuleList>")));
  EXPECT_EQ(log->lines, (std::vector<std::string>{"1", "2"}));
  log->lines.clear();
  AddRule(OT_REGISTRY);
  EXPECT_EQ(log->lines, (std::vector<std::string>{"23", "24"}));
}

// After loading, every list of the sandbox raises its own numbers.
TEST_F(SBXTest, ListsRaiseTheirEventsAfterLoading) {
  ASSERT_OK(LoadText(Sandbox("")));
  EventLog* log = Advise(DIID__ISDParserSBXEvents);

  ComPtr<IPropertyList> options;
  ASSERT_OK(parser_->get_GlobalOptions(options.Put()));
  ComPtr<IProperty> option;
  ASSERT_OK(options->CreateProperty(option.Put()));
  ASSERT_OK(option->put_PropertyID(0x7));
  ASSERT_OK(options->Insert(option.get()));

  ComPtr<IDefinitionList> definitions;
  ASSERT_OK(parser_->get_DefinitionList(definitions.Put()));
  ComPtr<IDefinition> definition;
  ASSERT_OK(definitions->CreateDefinition(definition.Put()));
  ASSERT_OK(definition->put_DefinitionID("R1"));
  ASSERT_OK(definition->put_ObjectType(OT_REGISTRY));
  ASSERT_OK(definitions->Insert(definition.get()));

  ComPtr<IAppExceptionList> exceptions;
  ASSERT_OK(parser_->get_AppExceptionList(exceptions.Put()));
  ComPtr<IAppException> exception;
  ASSERT_OK(exceptions->CreateAppException(exception.Put()));
  ASSERT_OK(exception->put_Application("a.exe"));
  ASSERT_OK(exceptions->Insert(exception.get()));

  EXPECT_EQ(log->lines, (std::vector<std::string>{"5", "6", "11", "12", "29", "30"}));
}

TEST_F(SBXTest, CustomSectionsAreDroppedOnSave) {
  ASSERT_OK(LoadText(Sandbox("<Custom k=\"v\">text</Custom><RuleList/>")));
  std::string xml;
  ASSERT_OK(parser_->get_Xml(&xml));
  EXPECT_EQ(xml.find("Custom"), std::string::npos) << xml;
  const std::string path = dir_.File("saved.xml");
  ASSERT_OK(parser_->Save(path));
  ComPtr<CSBXParser> again = MakeObject<CSBXParser>();
  ASSERT_OK(again->Load(path, 0));
  std::string reread;
  ASSERT_OK(again->get_Xml(&reread));
  EXPECT_EQ(reread, xml);
}

TEST_F(SBXTest, MovesAreNotImplementedAndChangeNothing) {
  ComPtr<ISBXRule> first = AddRule(OT_FILE);
  ComPtr<ISBXRule> second = AddRule(OT_REGISTRY);
  const std::string before = RuleListText();
  for (ISBXRule* rule : {first.get(), second.get(), static_cast<ISBXRule*>(nullptr)}) {
    EXPECT_HR(Rules()->MoveUp(rule), E_NOTIMPL);
    EXPECT_HR(Rules()->MoveDown(rule), E_NOTIMPL);
  }
  EXPECT_EQ(RuleListText(), before);
}

TEST_F(SBXTest, CopyToListKeepsDllObject) {
  ComPtr<ISBXRule> rule = AddRule(OT_FILE);
  ASSERT_OK(rule->put_DllObject(1));
  ComPtr<ISBXRule> copy;
  ASSERT_OK(rule->CopyToList(Rules().get(), 1, copy.Put()));
  std::int32_t dll = 0;
  ASSERT_OK(copy->get_DllObject(&dll));
  EXPECT_EQ(dll, 1);
  EXPECT_EQ(RuleCount(), 2);
}

// A parser that were its own master would hold itself and never be freed
// (the leak check of the sanitizer build sees it): refused, and the master
// it had stays.
TEST_F(SBXTest, ParserIsNotItsOwnMaster) {
  ScopedDebugLogCapture log;
  ComPtr<CSBXParser> parser = MakeObject<CSBXParser>();
  ComPtr<CSBXParser> master = MakeObject<CSBXParser>();
  ASSERT_OK(parser->SetMasterParser(master.get()));
  EXPECT_HR(parser->SetMasterParser(parser.get()), E_INVALIDARG);
  EXPECT_TRUE(Reported(log, "CSBXParser::SetMasterParser()",
                       "A parser cannot be its own master parser."));
  ComPtr<ISBXRuleList> rules;
  ASSERT_OK(parser->get_RuleList(rules.Put()));
  std::int32_t id = 0;
  ASSERT_OK(rules->GenerateRuleID(OT_FILE, 0, &id));
  EXPECT_EQ(id, -1) << "the earlier master must stay";
}

// SetMasterParser of the three policy kinds accepts a sandbox parser and
// nothing else; with a master, their rule lists count identifiers down.
template <class Parser>
void CheckMasterParser(std::int32_t object_type) {
  SCOPED_TRACE(typeid(Parser).name());
  ComPtr<Parser> parser = MakeObject<Parser>();
  ComPtr<typename Parser::RuleListInterface> rules;
  ASSERT_OK(parser->get_RuleList(rules.Put()));
  std::int32_t id = 0;

  ComPtr<CAMParser> other = MakeObject<CAMParser>();
  EXPECT_HR(parser->SetMasterParser(other.get()), E_NOINTERFACE);
  ASSERT_OK(rules->GenerateRuleID(object_type, 0, &id));
  EXPECT_EQ(id, 1) << "a refused master must leave none set";

  ComPtr<CSBXParser> master = MakeObject<CSBXParser>();
  ASSERT_OK(parser->SetMasterParser(master.get()));
  ASSERT_OK(rules->GenerateRuleID(object_type, 0, &id));
  EXPECT_EQ(id, -1);
  ComPtr<typename Parser::RuleInterface> copy;
  ComPtr<typename Parser::RuleInterface> rule;
  ASSERT_OK(rules->CreateRule(rule.Put()));
  ASSERT_OK(rule->put_ObjectType(object_type));
  ASSERT_OK(rule->put_Application("a"));
  ASSERT_OK(rules->InsertEx(rule.get(), 1, copy.Put()));
  ASSERT_OK(copy->get_RuleID(&id));
  EXPECT_EQ(id, -1);

  // A refused master replaces the accepted one with none.
  ComPtr<CDIParser> di = MakeObject<CDIParser>();
  EXPECT_HR(parser->SetMasterParser(di.get()), E_NOINTERFACE);
  ASSERT_OK(rules->GenerateRuleID(object_type, 0, &id));
  EXPECT_EQ(id, 1);
}

TEST(PolicyMasterParserTest, OnlyASandboxParserIsAMaster) {
  CheckMasterParser<CAMParser>(OT_ANTI_MALWARE);
  CheckMasterParser<CDIParser>(OT_DATA_INSPECTION);
  CheckMasterParser<CSBXParser>(OT_FILE);
}

}  // namespace
}  // namespace xmlsecdb::testing

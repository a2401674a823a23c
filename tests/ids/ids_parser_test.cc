// The IDS parser: its lists, GenerateSID, a database built through the
// object model, and the events it raises.
#include "ids/ids_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ids/ids_fixture.h"
#include "testing/hresult_matchers.h"
#include "testing/temp_dir.h"
#include "testing/event_log.h"
#include "xmlsecdb/definitions.h"
#include "xmlsecdb/global_options.h"
#include "xmlsecdb/rule_sets.h"

namespace xmlsecdb {
namespace {

using testing::EventRecorder;
using testing::GroupElement;
using testing::LoadIDSBody;
using testing::RuleElement;

TEST(IDSParserTest, ListsInSaveOrder) {
  ComPtr<CIDSParser> parser = testing::MakeIDSParser();
  ComPtr<ISDParserLists> lists;
  ASSERT_OK(static_cast<ISDParserIDS*>(parser.get())->QueryInterface(lists.Put()));
  std::int32_t count = 0;
  ASSERT_OK(lists->get_ListCount(&count));
  ComPtr<IIDSGroupList> groups;
  ComPtr<IPropertyList> options;
  ComPtr<IDefinitionList> definitions;
  ComPtr<IRuleSetList> rule_sets;
  ASSERT_OK(parser->get_GroupList(groups.Put()));
  ASSERT_OK(parser->get_GlobalOptions(options.Put()));
  ASSERT_OK(parser->get_DefinitionList(definitions.Put()));
  ASSERT_OK(parser->get_RuleSetList(rule_sets.Put()));
  const std::pair<const char*, ISDCollection*> expected[] = {{"GlobalOptions", options.get()},
                                                             {"DefinitionList", definitions.get()},
                                                             {"GroupList", groups.get()},
                                                             {"RuleSetList", rule_sets.get()}};
  ASSERT_EQ(count, 4);
  for (std::int32_t i = 0; i < count; ++i) {
    std::string property;
    ComPtr<ISDCollection> list;
    ASSERT_OK(lists->GetList(i, &property, list.Put()));
    EXPECT_EQ(property, expected[i].first);
    EXPECT_EQ(list.get(), expected[i].second);
  }
  EXPECT_HR(parser->get_GroupList(nullptr), E_POINTER);
}

TEST(IDSParserTest, GenerateSIDTakesTheFirstFreeLocalSignatureId) {
  struct Case {
    std::vector<std::int64_t> sids;  // over all groups
    std::uint32_t expected;
  };
  const Case cases[] = {
      {{}, 1073741824u},
      {{1073741824, 1073741826}, 1073741825u},
      {{5, 1073741823, 1073741825}, 1073741824u},
      {{1073741824, 1073741825, 3221225472, 4294967295}, 1073741826u},
      {{1073741825, 1073741824, 1073741824}, 1073741826u},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.sids));
    std::string body;
    for (std::size_t i = 0; i < c.sids.size(); ++i) {
      body += GroupElement(RuleElement({}, {}), "g" + std::to_string(i));
      const std::string sid = "sid=\"" + std::to_string(c.sids[i]) + "\"";
      body.replace(body.rfind("sid=\"7\""), 7, sid);
    }
    ComPtr<CIDSParser> parser = testing::MakeIDSParser();
    ASSERT_OK(LoadIDSBody(parser.get(), body));
    std::int32_t sid = 0;
    ASSERT_OK(parser->GenerateSID(&sid));
    EXPECT_EQ(static_cast<std::uint32_t>(sid), c.expected);
  }
}

// A group built through the object model and saved: what a client of the
// agent's console does.
TEST(IDSParserTest, BuildsAndSavesAGroupThroughTheObjectModel) {
  ComPtr<CIDSParser> parser = testing::MakeIDSParser();
  ComPtr<IIDSGroupList> groups;
  ASSERT_OK(parser->get_GroupList(groups.Put()));
  ComPtr<IIDSGroup> group;
  ASSERT_OK(groups->CreateGroup(group.Put()));
  ASSERT_OK(group->put_GroupID("web"));
  ASSERT_OK(group->put_Name("Web server attacks"));
  ASSERT_OK(groups->Insert(group.get()));

  ComPtr<IIDSRuleList> rules;
  ASSERT_OK(group->get_RuleList(rules.Put()));
  ComPtr<IIDSRule> rule;
  ASSERT_OK(rules->CreateRule(rule.Put()));
  ASSERT_OK(rule->put_Name("Directory traversal"));
  ASSERT_OK(rule->put_AuditLevel(AL_SEVERITY_12));
  ASSERT_OK(rule->put_AccessResult(AR_PREVENT));
  ASSERT_OK(rule->put_Direction(DIR_IN));
  ASSERT_OK(rule->put_Protocol(PROT_TCP_S));
  ASSERT_OK(rule->put_LocIPAddressID("local"));
  ASSERT_OK(rule->put_RemIPAddressID("any"));
  ASSERT_OK(rule->put_LocalPortFrom(80));
  ASSERT_OK(rule->put_LocalPortTo(80));
  ASSERT_OK(rule->put_RemotePortFrom(1));
  ASSERT_OK(rule->put_RemotePortTo(1023));
  ASSERT_OK(rule->put_RemotePortsInverted(-1));
  std::int32_t sid = 0;
  ASSERT_OK(parser->GenerateSID(&sid));
  ASSERT_OK(rule->put_SID(sid));
  ASSERT_OK(rule->put_Assignment("servers"));
  ComPtr<IIDSTokenList> tokens;
  ASSERT_OK(rule->get_TokenList(tokens.Put()));
  struct TokenSpec {
    EIDSTokenID id;
    ETokenType type;
    ERelation relation;
    Variant value;
    const char* attribute;
  };
  const TokenSpec specs[] = {
      {TID_CONTENT, TT_STR, REL_EQUAL, Variant("../"), "nocase"},
      {TID_DSIZE, TT_INT, REL_GREATER, Variant(std::uint32_t{4294967295u}), nullptr},
      {TID_BYTE_TEST, TT_BIN, REL_RELATIVE, Variant(std::vector<std::uint8_t>{0x2E, 0x2F}),
       "offset"},
      {TID_FLOW, TT_BOOL, REL_NOT_EQUAL, Variant(true), nullptr},
  };
  for (const TokenSpec& spec : specs) {
    ComPtr<IIDSToken> token;
    ASSERT_OK(tokens->CreateToken(token.Put()));
    std::int32_t unique = 0;
    ASSERT_OK(tokens->GenerateUniqueId(&unique));
    ASSERT_OK(token->put_UniqueId(unique));
    ASSERT_OK(token->put_TokenID(spec.id));
    ASSERT_OK(token->put_Type(spec.type));
    ASSERT_OK(token->put_Relation(spec.relation));
    ASSERT_OK(token->put_Value(spec.value));
    if (spec.attribute) {
      ASSERT_OK(token->put_TokenAttrAsNumber(spec.attribute, 4));
    }
    ASSERT_OK(tokens->Insert(token.get()));
  }
  ASSERT_OK(rules->Insert(rule.get()));

  EXPECT_EQ(testing::GroupsText(parser.get()),
            "\t<RuleList id=\"web\" name=\"Web server attacks\">\n"
            "\t\t<Rule al=\"Severity12\" ar=\"Prevent\" dir=\"in\" prot=\"tcp_s\" "
            "locaddr_id=\"local\" remaddr_id=\"any\" locport=\"80\" remport=\"!1-1023\" "
            "name=\"Directory traversal\" sid=\"1073741824\" filter=\"servers\">\n"
            "\t\t\t<Token unique_id=\"1\" id=\"content\" type=\"str\" nocase=\"4\">../</Token>\n"
            "\t\t\t<Token unique_id=\"2\" id=\"dsize\" type=\"int\" "
            "rel=\"greater\">4294967295</Token>\n"
            "\t\t\t<Token unique_id=\"3\" id=\"byte_test\" type=\"bin\" rel=\"relative\" "
            "offset=\"4\">2E2F</Token>\n"
            "\t\t\t<Token unique_id=\"4\" id=\"flow\" type=\"bool\" rel=\"noteq\">1</Token>\n"
            "\t\t</Rule>\n"
            "\t</RuleList>\n");

  // Saved and loaded again, the database writes the same bytes.
  testing::TempDir dir;
  ASSERT_OK(parser->Save(dir.File("first.xml")));
  ComPtr<CIDSParser> again = testing::MakeIDSParser();
  ASSERT_OK(again->Load(dir.File("first.xml"), 0));
  ASSERT_OK(again->Save(dir.File("second.xml")));
  EXPECT_EQ(testing::ReadFileBytes(dir.File("second.xml")),
            testing::ReadFileBytes(dir.File("first.xml")));
}

// Only the load and save events: no list raises anything.
TEST(IDSParserTest, RaisesOnlyLoadAndSaveEvents) {
  ComPtr<CIDSParser> parser = testing::MakeIDSParser();
  ComPtr<EventRecorder> sink = MakeObject<EventRecorder>();
  ComPtr<IConnectionPoint> point;
  ASSERT_OK(parser->FindConnectionPoint(DIID__ISDParserIDSEvents, point.Put()));
  std::uint32_t cookie = 0;
  ASSERT_OK(point->Advise(sink.get(), &cookie));

  ASSERT_OK(LoadIDSBody(parser.get(),
                        "<Globals><Property id=\"Custom1\" type=\"bool\">1</Property></Globals>"
                        "<Definitions><Object id=\"i\" ot=\"ruleinfo\"/>"
                        "<Object id=\"i\" ot=\"ruleinfo\"/></Definitions>" +
                            GroupElement(RuleElement({}, "<Token id=\"pcre\" type=\"str\"/>"))));
  CIDSGroup* group = testing::FirstGroup(parser.get());
  CIDSRule* rule = testing::FirstRule(parser.get());
  CIDSToken* token = testing::FirstToken(parser.get());
  ASSERT_OK(group->put_Name("changed"));
  ASSERT_OK(rule->put_SID(3));
  ASSERT_OK(token->put_Value(Variant("x")));
  ComPtr<IIDSToken> made;
  ASSERT_OK(rule->tokens()->CreateToken(made.Put()));
  ASSERT_OK(rule->tokens()->Insert(made.get()));
  ASSERT_OK(rule->tokens()->Remove(made.get()));
  ComPtr<IDefinitionList> definitions;
  ASSERT_OK(parser->get_DefinitionList(definitions.Put()));
  ComPtr<IDefinition> definition;
  ASSERT_OK(definitions->Get("i", definition.Put()));
  ASSERT_OK(definition->put_Description("d"));
  ASSERT_OK(definitions->Remove(definition.get()));
  ComPtr<IPropertyList> options;
  ASSERT_OK(parser->get_GlobalOptions(options.Put()));
  ASSERT_OK(options->Clear());
  ComPtr<IIDSGroupList> groups;
  ASSERT_OK(parser->get_GroupList(groups.Put()));
  ASSERT_OK(groups->Remove(group));
  testing::TempDir dir;
  ASSERT_OK(parser->Save(dir.File("saved.xml")));
  EXPECT_EQ(sink->events, (std::vector<DISPID>{DISPID_OnBeforeLoad, DISPID_OnAfterLoad,
                                               DISPID_OnBeforeSave, DISPID_OnAfterSave}));
}

}  // namespace
}  // namespace xmlsecdb

// The IDS file format: what loads, what is refused with which text, and
// what a save writes back.
#include "ids/ids_group_section.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ids/ids_fixture.h"
#include "testing/hresult_matchers.h"
#include "testing/temp_dir.h"

namespace xmlsecdb {
namespace {

using testing::GroupElement;
using testing::LoadIDSBody;
using testing::RuleElement;

constexpr char kMissing[] = "Required attribute is missing.";
constexpr char kInvalid[] = "Security database has invalid content.";

std::string Rule(std::string_view attributes, std::string_view tokens = {}) {
  std::string rule = "<Rule " + std::string(attributes);
  return tokens.empty() ? rule + "/>" : rule + ">" + std::string(tokens) + "</Rule>";
}

TEST(IDSFormatTest, LoadFailuresNameTheAttribute) {
  const std::string all = "locaddr_id=\"l\" remaddr_id=\"r\" sid=\"1\"";
  struct Case {
    std::string body;
    std::string description;
    HRESULT result = E_FAIL;
  };
  const Case cases[] = {
      {GroupElement(Rule("ar=\"Allow\" dir=\"in\" prot=\"tcp\" " + all)),
       std::string(kMissing) + " Missing rule AL."},
      {GroupElement(Rule("al=\"Loud\" ar=\"Allow\" dir=\"in\" prot=\"tcp\" " + all)),
       std::string(kInvalid) + " Wrong rule AL."},
      // The "Severity" prefix is case-sensitive in IDS databases.
      {GroupElement(Rule("al=\"severity3\" ar=\"Allow\" dir=\"in\" prot=\"tcp\" " + all)),
       std::string(kInvalid) + " Wrong rule AL."},
      {GroupElement(Rule("al=\"Alert\" dir=\"in\" prot=\"tcp\" " + all)),
       std::string(kMissing) + " Missing rule AR."},
      {GroupElement(Rule("al=\"Alert\" ar=\"AskUser\" dir=\"in\" prot=\"tcp\" " + all)),
       std::string(kInvalid) + " Wrong rule AR."},
      {GroupElement(Rule("al=\"Alert\" ar=\"Allow\" prot=\"tcp\" " + all)),
       std::string(kMissing) + " Missing rule dir."},
      // A rule cannot hold both directions: refused, not loaded as "in".
      {GroupElement(Rule("al=\"Alert\" ar=\"Allow\" dir=\"in_out\" prot=\"tcp\" " + all)),
       std::string(kInvalid) + " Wrong rule dir."},
      {GroupElement(Rule("al=\"Alert\" ar=\"Allow\" dir=\"in\" " + all)),
       std::string(kMissing) + " Missing rule prot."},
      {GroupElement(Rule("al=\"Alert\" ar=\"Allow\" dir=\"in\" prot=\"tcp_udp\" " + all)),
       std::string(kInvalid) + " Wrong rule prot."},
      {GroupElement(Rule("al=\"Alert\" ar=\"Allow\" dir=\"in\" prot=\"tcp\" locaddr_id=\"l\" "
                         "sid=\"1\"")),
       std::string(kMissing) + " Missing rule remaddr_id"},
      {GroupElement(Rule("al=\"Alert\" ar=\"Allow\" dir=\"in\" prot=\"tcp\" locaddr_id=\"l\" "
                         "remaddr_id=\"r\"")),
       std::string(kMissing) + " Missing rule sid"},
      // The local address is checked last of all.
      {GroupElement(Rule("al=\"Alert\" ar=\"Allow\" dir=\"in\" prot=\"tcp\" remaddr_id=\"r\"")),
       std::string(kMissing) + " Missing rule sid"},
      {GroupElement(Rule("al=\"Alert\" ar=\"Allow\" dir=\"in\" prot=\"tcp\" remaddr_id=\"r\" "
                         "locport=\"1\" remport=\"2\" name=\"n\" sid=\"1\" enabled=\"1\" "
                         "filter=\"f\"")),
       std::string(kMissing) + " Missing rule localaddr_id."},
      {GroupElement(RuleElement({}, "<Token type=\"str\"/>")),
       std::string(kMissing) + " Missing token id."},
      {GroupElement(RuleElement({}, "<Token id=\"Content\" type=\"str\"/>")),
       std::string(kInvalid) + " Wrong token id."},
      {GroupElement(RuleElement({}, "<Token id=\"pcre\"/>")),
       std::string(kMissing) + " Missing token type."},
      {GroupElement(RuleElement({}, "<Token id=\"pcre\" type=\"string\"/>")),
       std::string(kInvalid) + " Wrong token type."},
      {GroupElement(RuleElement({}, "<Token id=\"pcre\" type=\"str\" rel=\"equals\"/>")),
       std::string(kInvalid) + " Wrong token rel."},
      {GroupElement(RuleElement(), "a") + GroupElement(RuleElement(), "a"),
       "Object with gived ID already exists.", SECDB_E_DUPLICATEID},
      {"<Globals><Property id=\"Custom1\" type=\"stringList\"/></Globals>",
       std::string(kMissing) + " Wrong property type."},
      {"<Definitions><Object id=\"a\" ot=\"File\"/></Definitions>",
       std::string(kInvalid) + " Wrong object type."},
      {"<Definitions><Object ot=\"ipaddress\"/></Definitions>",
       std::string(kMissing) + " Missing object id."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    ComPtr<CIDSParser> parser = testing::MakeIDSParser();
    EXPECT_HR(LoadIDSBody(parser.get(), c.body), c.result);
    EXPECT_EQ(testing::TakeErrorDescription(), c.description);
  }
}

// Another module's word means the wrong parser; a word no module has is a
// wrong module id.
TEST(IDSFormatTest, ModuleWordsOfOtherModulesNeedAnotherParser) {
  const std::string wrong_parser =
      "Current module parser is not intended for this XML Database. The wrong parser is used.";
  const struct {
    const char* module;
    HRESULT result;
    std::string description;
  } cases[] = {
      {"IDS", S_OK, ""},
      {"Firewall", E_FAIL, wrong_parser},
      {"Sandbox", E_FAIL, wrong_parser},
      {"AppRepository", E_FAIL, wrong_parser},
      {"ContentFilter", E_FAIL, wrong_parser},
      {"ExeWatch", E_FAIL, wrong_parser},
      {"AntiMalware", E_FAIL, wrong_parser},
      {"DataInspection", E_FAIL, wrong_parser},
      {"ids", E_FAIL, std::string(kMissing) + " Wrong module id."},
      {"Nothing", E_FAIL, std::string(kMissing) + " Wrong module id."},
      {"", E_FAIL, std::string(kMissing) + " Wrong module id."},
  };
  testing::TempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.module);
    // A file of its own: a backup of an earlier good load would be restored.
    const std::string path = dir.File(std::string("ids-") + c.module + ".xml");
    testing::WriteFileBytes(path, std::string("<SecDb><VersionInfo major=\"1\"/><Module id=\"") +
                                      c.module + "\"/></SecDb>");
    ComPtr<CIDSParser> parser = testing::MakeIDSParser();
    EXPECT_HR(parser->Load(path, 0), c.result);
    EXPECT_EQ(testing::TakeErrorDescription(), c.description);
  }
}

TEST(IDSFormatTest, PortRangesReadAndWriteBack) {
  struct Case {
    const char* text;  // nullptr: attribute absent
    std::int32_t from;
    std::int32_t to;
    bool inverted;
    const char* written;
  };
  const Case cases[] = {
      {nullptr, 0, 65535, false, "*"},   {"*", 0, 65535, false, "*"},
      {"!80", 80, 80, true, "!80"},      {"!1-1023", 1, 1023, true, "!1-1023"},
      {"443", 443, 443, false, "443"},   {"1024-65535", 1024, 65535, false, "1024-65535"},
      {"0-65535", 0, 65535, false, "*"}, {"!0-65535", 0, 65535, true, "!0-65535"},
      {"-1", -1, -1, false, "-1"},       {"5--3", 5, -3, false, "5--3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text ? c.text : "(absent)");
    std::string extra;
    if (c.text) {
      extra = std::string("locport=\"") + c.text + "\" remport=\"" + c.text + "\"";
    }
    ComPtr<CIDSParser> parser = testing::MakeIDSParser();
    ASSERT_OK(LoadIDSBody(parser.get(), GroupElement(RuleElement(extra))));
    CIDSRule* rule = testing::FirstRule(parser.get());
    ASSERT_NE(rule, nullptr);
    for (const PortRange& ports : {rule->local_ports(), rule->remote_ports()}) {
      EXPECT_EQ(ports.from, c.from);
      EXPECT_EQ(ports.to, c.to);
      EXPECT_EQ(ports.inverted, c.inverted);
    }
    const std::string text = testing::GroupsText(parser.get());
    EXPECT_NE(text.find(std::string("locport=\"") + c.written + "\" remport=\"" + c.written + "\""),
              std::string::npos)
        << text;
  }
}

TEST(IDSFormatTest, OnlyFalseOrZeroDisablesARule) {
  struct Case {
    const char* extra;
    bool enabled;
  };
  const Case cases[] = {{"", true},
                        {"enabled=\"false\"", false},
                        {"enabled=\"0\"", false},
                        {"enabled=\"False\"", true},
                        {"enabled=\"FALSE\"", true},
                        {"enabled=\"\"", true},
                        {"enabled=\"no\"", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extra);
    ComPtr<CIDSParser> parser = testing::MakeIDSParser();
    ASSERT_OK(LoadIDSBody(parser.get(), GroupElement(RuleElement(c.extra))));
    ASSERT_NE(testing::FirstRule(parser.get()), nullptr);
    EXPECT_EQ(testing::FirstRule(parser.get())->enabled(), c.enabled);
    EXPECT_EQ(testing::GroupsText(parser.get()).find("enabled=\"0\"") != std::string::npos,
              !c.enabled);
  }
}

TEST(IDSFormatTest, RuleAttributesInTheirOrder) {
  ComPtr<CIDSParser> parser = testing::MakeIDSParser();
  ASSERT_OK(LoadIDSBody(
      parser.get(),
      "<RuleList id=\"web\" name=\"Web &amp; mail\">"
      "<Rule filter=\"lab*\" enabled=\"0\" sid=\"4294967295\" name=\"probe\" remport=\"!1-1023\" "
      "locport=\"!80\" remaddr_id=\"any\" locaddr_id=\"lan\" prot=\"tcp_s\" dir=\"out\" "
      "ar=\"Allow\" al=\"Alert\"/>"
      "<Rule al=\"Severity15\" ar=\"Prevent\" dir=\"in\" prot=\"icmp\" locaddr_id=\"\" "
      "remaddr_id=\"\" sid=\"-1\" filter=\"*\"/>"
      "</RuleList>"));
  EXPECT_EQ(testing::GroupsText(parser.get()),
            "\t<RuleList id=\"web\" name=\"Web &amp; mail\">\n"
            "\t\t<Rule al=\"Severity2\" ar=\"Allow\" dir=\"out\" prot=\"tcp_s\" locaddr_id=\"lan\" "
            "remaddr_id=\"any\" locport=\"!80\" remport=\"!1-1023\" name=\"probe\" "
            "sid=\"4294967295\" enabled=\"0\" filter=\"lab*\"/>\n"
            "\t\t<Rule al=\"Severity15\" ar=\"Prevent\" dir=\"in\" prot=\"icmp\" locaddr_id=\"\" "
            "remaddr_id=\"\" locport=\"*\" remport=\"*\" name=\"\" sid=\"4294967295\"/>\n"
            "\t</RuleList>\n");
}

TEST(IDSFormatTest, TokenAttributesAreKeptByNameAfterRel) {
  ComPtr<CIDSParser> parser = testing::MakeIDSParser();
  ASSERT_OK(LoadIDSBody(
      parser.get(),
      GroupElement(RuleElement(
          {},
          "<Token nocase=\"\" ID=\"x\" Rel=\"y\" offset=\"4\" rel=\"relative\" type=\"str\" "
          "id=\"content\" unique_id=\"3\" Depth=\"a&lt;b\">abc</Token>"))));
  CIDSToken* token = testing::FirstToken(parser.get());
  ASSERT_NE(token, nullptr);
  EXPECT_EQ(token->attributes(),
            (std::vector<CIDSToken::Attribute>{{"Depth", "a<b"}, {"nocase", ""}, {"offset", "4"}}));
  EXPECT_EQ(token->relation(), REL_RELATIVE);
  EXPECT_NE(testing::GroupsText(parser.get())
                .find("<Token unique_id=\"3\" id=\"content\" type=\"str\" rel=\"relative\" "
                      "Depth=\"a&lt;b\" nocase=\"\" offset=\"4\">abc</Token>"),
            std::string::npos)
      << testing::GroupsText(parser.get());

  // "rel" is no reserved name, but as a modifier it would be read back as
  // the relation: a save leaves it out.
  ASSERT_OK(token->put_TokenAttr("rel", "noteq"));
  ASSERT_OK(token->put_TokenAttr("REL", "x"));
  EXPECT_EQ(testing::GroupsText(parser.get()).find("rel=\"noteq\""), std::string::npos);
  EXPECT_EQ(testing::GroupsText(parser.get()).find("REL="), std::string::npos);
}

// Every kind of value, set through the object model, survives a save and a
// load exactly: type and content.
TEST(IDSFormatTest, TokenValuesSurviveARoundTripExactly) {
  struct Case {
    ETokenType type;
    Variant value;
    const char* text;  // the element text written
  };
  const Case cases[] = {
      {TT_INT, Variant(std::uint32_t{4294967295u}), ">4294967295<"},
      {TT_INT, Variant(std::uint32_t{0}), ">0<"},
      {TT_INT, Variant(-1), ">-1<"},
      {TT_INT, Variant(std::int32_t{-2147483647 - 1}), ">-2147483648<"},
      {TT_BOOL, Variant(true), ">1<"},
      {TT_BOOL, Variant(false), ">0<"},
      {TT_BIN, Variant(std::vector<std::uint8_t>{0x00, 0x0A, 0xFF}), ">000AFF<"},
      {TT_STR, Variant(" <a href=\"x\">&amp;</a>\t'q' ]]>\nline "),
       "> &lt;a href=\"x\"&gt;&amp;amp;&lt;/a&gt;\t'q' ]]&gt;\nline <"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ComPtr<CIDSParser> parser = testing::MakeIDSParser();
    ASSERT_OK(LoadIDSBody(parser.get(),
                          GroupElement(RuleElement({}, "<Token id=\"dsize\" type=\"str\"/>"))));
    CIDSToken* token = testing::FirstToken(parser.get());
    ASSERT_NE(token, nullptr);
    ASSERT_OK(token->put_Type(c.type));
    ASSERT_OK(token->put_Value(c.value));
    const std::string first = testing::GroupsText(parser.get());
    EXPECT_NE(first.find(c.text), std::string::npos) << first;

    testing::TempDir dir;
    const std::string path = dir.File("saved.xml");
    ASSERT_OK(parser->Save(path));
    ComPtr<CIDSParser> again = testing::MakeIDSParser();
    ASSERT_OK(again->Load(path, 0));
    token = testing::FirstToken(again.get());
    ASSERT_NE(token, nullptr);
    EXPECT_EQ(token->value(), c.value);
    EXPECT_EQ(token->value().type(), c.value.type());
    EXPECT_EQ(testing::GroupsText(again.get()), first);
  }
}

TEST(IDSFormatTest, TokenTextReadByType) {
  struct Case {
    const char* type;
    const char* text;
    Variant value;
  };
  const Case cases[] = {
      {"int", "4294967295", Variant(std::uint32_t{4294967295u})},
      {"int", "-1", Variant(-1)},
      {"int", "17", Variant(std::uint32_t{17})},
      {"int", "", Variant(std::uint32_t{0})},
      {"bool", "true", Variant(true)},
      {"bool", "1", Variant(true)},
      {"bool", "True", Variant(false)},
      {"bin", "0a1B", Variant(std::vector<std::uint8_t>{0x0A, 0x1B})},
      // Text that is no hexadecimal leaves the value empty, as the setter
      // leaves it unchanged.
      {"bin", "0a1", Variant()},
      {"str", "", Variant("")},
      {"str", "a &amp; b", Variant("a & b")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.type) + " " + c.text);
    ComPtr<CIDSParser> parser = testing::MakeIDSParser();
    ASSERT_OK(LoadIDSBody(parser.get(),
                          GroupElement(RuleElement({}, std::string("<Token id=\"dsize\" type=\"") +
                                                           c.type + "\">" + c.text + "</Token>"))));
    ASSERT_NE(testing::FirstToken(parser.get()), nullptr);
    EXPECT_EQ(testing::FirstToken(parser.get())->value(), c.value);
  }
}

// A value the file cannot express fails the save, with the text the reader
// would give, and leaves the file as it was.
TEST(IDSFormatTest, SaveRefusesValuesTheFileCannotExpress) {
  struct Case {
    const char* what;
    void (*spoil)(CIDSRule* rule, CIDSToken* token);
    const char* description;
  };
  const Case cases[] = {
      {"access result", [](CIDSRule* r, CIDSToken*) { (void)r->put_AccessResult(AR_ASKUSER); },
       " Wrong rule AR."},
      {"protocol", [](CIDSRule* r, CIDSToken*) { (void)r->put_Protocol(PROT_ALL); },
       " Wrong rule prot."},
      {"direction", [](CIDSRule* r, CIDSToken*) { (void)r->put_Direction(EDirection{7}); },
       " Wrong rule dir."},
      {"token id", [](CIDSRule*, CIDSToken* t) { (void)t->put_TokenID(EIDSTokenID{24}); },
       " Wrong token id."},
      {"token type", [](CIDSRule*, CIDSToken* t) { (void)t->put_Type(ETokenType{-1}); },
       " Wrong token type."},
      {"relation", [](CIDSRule*, CIDSToken* t) { (void)t->put_Relation(ERelation{5}); },
       " Wrong token rel."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing::TempDir dir;
    const std::string path = dir.File("ids.xml");
    testing::WriteFileBytes(
        path,
        testing::IDSDocument(GroupElement(RuleElement({}, "<Token id=\"pcre\" type=\"str\"/>"))));
    const std::string before = testing::ReadFileBytes(path);
    ComPtr<CIDSParser> parser = testing::MakeIDSParser();
    ASSERT_OK(parser->Load(path, 0));
    c.spoil(testing::FirstRule(parser.get()), testing::FirstToken(parser.get()));
    EXPECT_HR(parser->Save(path), E_INVALIDARG);
    EXPECT_EQ(testing::TakeErrorDescription(), std::string(kInvalid) + c.description);
    EXPECT_EQ(testing::ReadFileBytes(path), before);
  }
}

}  // namespace
}  // namespace xmlsecdb

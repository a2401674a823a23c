// Rules: defaults, the refused directions and protocols, the automation
// booleans, and the read-only guard of every IDS setter and list call.
#include "ids/ids_rule.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ids/ids_fixture.h"
#include "testing/hresult_matchers.h"

namespace xmlsecdb {
namespace {

class IDSRuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_OK(parser_->get_GroupList(groups_.Put()));
    ASSERT_OK(groups_->CreateGroup(group_.Put()));
    ASSERT_OK(groups_->Insert(group_.get()));
    ASSERT_OK(group_->get_RuleList(rules_.Put()));
    ASSERT_OK(rules_->CreateRule(rule_.Put()));
    ASSERT_OK(rules_->Insert(rule_.get()));
    ASSERT_OK(rule_->get_TokenList(tokens_.Put()));
    ASSERT_OK(tokens_->CreateToken(token_.Put()));
    ASSERT_OK(tokens_->Insert(token_.get()));
  }

  ComPtr<CIDSParser> parser_ = testing::MakeIDSParser();
  ComPtr<IIDSGroupList> groups_;
  ComPtr<IIDSGroup> group_;
  ComPtr<IIDSRuleList> rules_;
  ComPtr<IIDSRule> rule_;
  ComPtr<IIDSTokenList> tokens_;
  ComPtr<IIDSToken> token_;
};

TEST_F(IDSRuleTest, Defaults) {
  std::string text;
  std::int32_t number = -7;
  std::int16_t flag = 7;
  EDirection direction = DIR_OUT;
  EProtocol protocol = PROT_ALL;
  ASSERT_OK(rule_->get_Direction(&direction));
  ASSERT_OK(rule_->get_Protocol(&protocol));
  EXPECT_EQ(direction, DIR_IN);
  EXPECT_EQ(protocol, PROT_TCP);
  ASSERT_OK(rule_->get_Assignment(&text));
  EXPECT_EQ(text, "*");
  ASSERT_OK(rule_->get_Enabled(&flag));
  EXPECT_EQ(flag, -1);
  ASSERT_OK(rule_->get_LocalPortsInverted(&flag));
  EXPECT_EQ(flag, 0);
  const std::pair<HRESULT (IIDSRule::*)(std::int32_t*), std::int32_t> numbers[] = {
      {&IIDSRule::get_AccessResult, 0},
      {&IIDSRule::get_AuditLevel, 0},
      {&IIDSRule::get_SID, 0},
      {&IIDSRule::get_LocalPortFrom, 0},
      {&IIDSRule::get_LocalPortTo, 65535},
      {&IIDSRule::get_RemotePortFrom, 0},
      {&IIDSRule::get_RemotePortTo, 65535}};
  for (const auto& [getter, expected] : numbers) {
    ASSERT_OK((rule_.get()->*getter)(&number));
    EXPECT_EQ(number, expected);
  }
}

TEST_F(IDSRuleTest, DirectionsAndProtocolsOutsideTheKindAreRefusedFirst) {
  struct Case {
    std::int32_t value;
    bool is_direction;
    HRESULT writable;  // on a writable database
    HRESULT read_only;
  };
  const Case cases[] = {
      {DIR_IN, true, S_OK, SECDB_E_READONLY},
      {DIR_OUT, true, S_OK, SECDB_E_READONLY},
      {DIR_IN_OUT, true, E_INVALIDARG, E_INVALIDARG},
      {PROT_UDP, false, S_OK, SECDB_E_READONLY},
      {PROT_TCP_S, false, S_OK, SECDB_E_READONLY},
      {PROT_ALL, false, S_OK, SECDB_E_READONLY},
      {PROT_TCP_UDP, false, E_INVALIDARG, E_INVALIDARG},
      {PROT_OTHER, false, E_INVALIDARG, E_INVALIDARG},
  };
  for (std::int32_t read_only : {0, 1}) {
    ASSERT_OK(parser_->put_ReadOnly(read_only));
    for (const Case& c : cases) {
      SCOPED_TRACE(::testing::Message()
                   << c.value << (c.is_direction ? " dir" : " prot") << " read-only " << read_only);
      HRESULT hr = c.is_direction ? rule_->put_Direction(static_cast<EDirection>(c.value))
                                  : rule_->put_Protocol(static_cast<EProtocol>(c.value));
      EXPECT_HR(hr, read_only ? c.read_only : c.writable);
      EXPECT_EQ(testing::TakeErrorDescription(),
                hr == SECDB_E_READONLY
                    ? "Database is opened in read-only mode and cannot be modified."
                    : "");
    }
  }
  EDirection direction = DIR_IN;
  EProtocol protocol = PROT_TCP;
  ASSERT_OK(rule_->get_Direction(&direction));
  ASSERT_OK(rule_->get_Protocol(&protocol));
  EXPECT_EQ(direction, DIR_OUT);
  EXPECT_EQ(protocol, PROT_ALL);
}

TEST_F(IDSRuleTest, BooleansAreAutomationBooleans) {
  using Put = HRESULT (IIDSRule::*)(std::int16_t);
  using Get = HRESULT (IIDSRule::*)(std::int16_t*);
  const std::pair<Put, Get> flags[] = {
      {&IIDSRule::put_Enabled, &IIDSRule::get_Enabled},
      {&IIDSRule::put_LocalPortsInverted, &IIDSRule::get_LocalPortsInverted},
      {&IIDSRule::put_RemotePortsInverted, &IIDSRule::get_RemotePortsInverted}};
  for (const auto& [put, get] : flags) {
    for (std::int16_t given :
         {std::int16_t{1}, std::int16_t{0}, std::int16_t{-1}, std::int16_t{2}}) {
      std::int16_t read = 5;
      ASSERT_OK((rule_.get()->*put)(given));
      ASSERT_OK((rule_.get()->*get)(&read));
      EXPECT_EQ(read, given ? -1 : 0);
    }
  }
}

TEST_F(IDSRuleTest, ReadOnlyParserRefusesEveryChangeDownTheTree) {
  ComPtr<IIDSGroup> made_group;
  ComPtr<IIDSRule> made_rule;
  ComPtr<IIDSToken> made_token;
  ASSERT_OK(parser_->put_ReadOnly(1));
  struct Case {
    const char* what;
    std::function<HRESULT()> call;
  };
  IIDSRule* r = rule_.get();
  IIDSToken* t = token_.get();
  IIDSGroup* g = group_.get();
  const Case cases[] = {
      {"rule name", [r] { return r->put_Name("x"); }},
      {"access result", [r] { return r->put_AccessResult(1); }},
      {"audit level", [r] { return r->put_AuditLevel(3); }},
      {"local address", [r] { return r->put_LocIPAddressID("x"); }},
      {"remote address", [r] { return r->put_RemIPAddressID("x"); }},
      {"sid", [r] { return r->put_SID(9); }},
      {"local from", [r] { return r->put_LocalPortFrom(1); }},
      {"local to", [r] { return r->put_LocalPortTo(1); }},
      {"remote from", [r] { return r->put_RemotePortFrom(1); }},
      {"remote to", [r] { return r->put_RemotePortTo(1); }},
      {"local inverted", [r] { return r->put_LocalPortsInverted(-1); }},
      {"remote inverted", [r] { return r->put_RemotePortsInverted(-1); }},
      {"enabled", [r] { return r->put_Enabled(0); }},
      {"assignment", [r] { return r->put_Assignment("x"); }},
      {"ui flags", [r] { return r->put_UIFlags("x"); }},
      {"group name", [g] { return g->put_Name("x"); }},
      {"group id", [g] { return g->put_GroupID("x"); }},
      {"token id", [t] { return t->put_TokenID(TID_PCRE); }},
      {"token type", [t] { return t->put_Type(TT_INT); }},
      {"relation", [t] { return t->put_Relation(REL_LESS); }},
      {"value", [t] { return t->put_Value(Variant(1)); }},
      {"hex value", [t] { return t->put_BinHEXValue("00"); }},
      {"attribute", [t] { return t->put_TokenAttr("offset", "1"); }},
      {"attribute number", [t] { return t->put_TokenAttrAsNumber("offset", 1); }},
      {"unique id", [t] { return t->put_UniqueId(5); }},
      {"create group", [&] { return groups_->CreateGroup(made_group.Put()); }},
      {"insert group", [&] { return groups_->Insert(group_.get()); }},
      {"remove group", [&] { return groups_->Remove(group_.get()); }},
      {"clear groups", [&] { return groups_->Clear(); }},
      {"create rule", [&] { return rules_->CreateRule(made_rule.Put()); }},
      {"insert rule", [&] { return rules_->Insert(rule_.get()); }},
      {"remove rule", [&] { return rules_->Remove(rule_.get()); }},
      {"clear rules", [&] { return rules_->Clear(); }},
      {"create token", [&] { return tokens_->CreateToken(made_token.Put()); }},
      {"insert token", [&] { return tokens_->Insert(token_.get()); }},
      {"remove token", [&] { return tokens_->Remove(token_.get()); }},
      {"clear tokens", [&] { return tokens_->Clear(); }},
  };
  const std::string before = testing::GroupsText(parser_.get());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_HR(c.call(), SECDB_E_READONLY);
    EXPECT_EQ(testing::TakeErrorDescription(),
              "Database is opened in read-only mode and cannot be modified.");
  }
  EXPECT_EQ(testing::GroupsText(parser_.get()), before);
  EXPECT_EQ(made_group.get(), nullptr);
  EXPECT_EQ(made_rule.get(), nullptr);
  EXPECT_EQ(made_token.get(), nullptr);

  // A token that was removed before the database became read-only still
  // reaches the parser through its list.
  ASSERT_OK(parser_->put_ReadOnly(0));
  ASSERT_OK(tokens_->Remove(token_.get()));
  ASSERT_OK(parser_->put_ReadOnly(1));
  EXPECT_HR(token_->put_UniqueId(1), SECDB_E_READONLY);
  testing::TakeErrorDescription();
}

}  // namespace
}  // namespace xmlsecdb

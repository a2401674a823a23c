// Rules: defaults, the refused directions and protocols, the automation
// booleans, and the read-only guard of every IDS setter and list call.
#include "ids/ids_rule.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ids/ids_fixture.h"
#include "testing/hresult_matchers.h"
#include "testing/test_env.h"

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
      {"CIDSRule::put_Name()", [r] { return r->put_Name("x"); }},
      {"CIDSRule::put_AccessResult()", [r] { return r->put_AccessResult(1); }},
      {"CIDSRule::put_AuditLevel()", [r] { return r->put_AuditLevel(3); }},
      {"CIDSRule::put_LocIPAddressID()", [r] { return r->put_LocIPAddressID("x"); }},
      {"CIDSRule::put_RemIPAddressID()", [r] { return r->put_RemIPAddressID("x"); }},
      {"CIDSRule::put_SID()", [r] { return r->put_SID(9); }},
      {"CIDSRule::put_LocalPortFrom()", [r] { return r->put_LocalPortFrom(1); }},
      {"CIDSRule::put_LocalPortTo()", [r] { return r->put_LocalPortTo(1); }},
      {"CIDSRule::put_RemotePortFrom()", [r] { return r->put_RemotePortFrom(1); }},
      {"CIDSRule::put_RemotePortTo()", [r] { return r->put_RemotePortTo(1); }},
      {"CIDSRule::put_LocalPortsInverted()", [r] { return r->put_LocalPortsInverted(-1); }},
      {"CIDSRule::put_RemotePortsInverted()", [r] { return r->put_RemotePortsInverted(-1); }},
      {"CIDSRule::put_Enabled()", [r] { return r->put_Enabled(0); }},
      {"CIDSRule::put_Assignment()", [r] { return r->put_Assignment("x"); }},
      {"CIDSRule::put_Assignment()", [r] { return r->put_UIFlags("x"); }},
      {"CIDSGroup::put_Name()", [g] { return g->put_Name("x"); }},
      {"CIDSGroup::put_GroupID()", [g] { return g->put_GroupID("x"); }},
      {"CIDSToken::put_TokenID()", [t] { return t->put_TokenID(TID_PCRE); }},
      {"CIDSToken::put_Type()", [t] { return t->put_Type(TT_INT); }},
      {"CIDSToken::put_Relation()", [t] { return t->put_Relation(REL_LESS); }},
      {"CIDSToken::put_Value()", [t] { return t->put_Value(Variant(1)); }},
      {"CIDSToken::put_BinHEXValue()", [t] { return t->put_BinHEXValue("00"); }},
      {"CIDSToken::put_TokenAttr()", [t] { return t->put_TokenAttr("offset", "1"); }},
      {"CIDSToken::put_TokenAttrAsNumber()", [t] { return t->put_TokenAttrAsNumber("offset", 1); }},
      {"CIDSToken::put_UniqueId()", [t] { return t->put_UniqueId(5); }},
      {"CIDSGroupList::CreateGroup()", [&] { return groups_->CreateGroup(made_group.Put()); }},
      {"CIDSGroupList::Insert()", [&] { return groups_->Insert(group_.get()); }},
      {"CIDSGroupList::Remove()", [&] { return groups_->Remove(group_.get()); }},
      {"CIDSGroupList::Clear()", [&] { return groups_->Clear(); }},
      {"CIDSRuleList::CreateRule()", [&] { return rules_->CreateRule(made_rule.Put()); }},
      {"CIDSRuleList::Insert()", [&] { return rules_->Insert(rule_.get()); }},
      {"CIDSRuleList::Remove()", [&] { return rules_->Remove(rule_.get()); }},
      {"CIDSRuleList::Clear()", [&] { return rules_->Clear(); }},
      {"CIDSTokenList::CreateToken()", [&] { return tokens_->CreateToken(made_token.Put()); }},
      {"CIDSTokenList::Insert()", [&] { return tokens_->Insert(token_.get()); }},
      {"CIDSTokenList::Remove()", [&] { return tokens_->Remove(token_.get()); }},
      {"CIDSTokenList::Clear()", [&] { return tokens_->Clear(); }},
  };
  const std::string before = testing::GroupsText(parser_.get());
  testing::ScopedDebugLogCapture log;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_HR(c.call(), SECDB_E_READONLY);
    EXPECT_TRUE(testing::Reported(log, c.what, testing::kReadOnlyText));
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

// What the type information tells walks over a database's content: a
// list's declared identity and order, enumeration names with a result,
// and the members outside the content.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "testing/hresult_matchers.h"
#include "xmlsecdb/xmlsecdb.h"

namespace xmlsecdb {
namespace {

const DispatchMemberInfo* Member(const DispatchTypeInfo& info, std::string_view name) {
  auto at = std::ranges::find(info.members, name, &DispatchMemberInfo::name);
  return at == info.members.end() ? nullptr : &*at;
}

TEST(AutomationListInfoTest, ListsDeclareIdentityAndOrder) {
  ComPtr<ISDParserAM> parser;
  ASSERT_OK(CreateInstance(CLSID_XMLSDParserAM, parser.Put()));
  DispatchTypeInfo info;
  ASSERT_OK(parser->GetTypeInfo(&info));
  for (const char* name : {"Xml", "FilePath", "ReadOnly", "ParserVersion"}) {
    ASSERT_NE(Member(info, name), nullptr) << name;
    EXPECT_FALSE(Member(info, name)->content) << name;
  }
  EXPECT_TRUE(Member(info, "Version")->content);

  ComPtr<IAMRuleList> rules;
  ASSERT_OK(parser->get_RuleList(rules.Put()));
  ASSERT_OK(rules->GetTypeInfo(&info));
  EXPECT_EQ(info.item_identity, "RuleID");
  EXPECT_EQ(info.item_order, LISTORDER_SORTED);
  EXPECT_FALSE(info.item_summary.empty());

  ComPtr<IRuleSetList> sets;
  ASSERT_OK(parser->get_RuleSetList(sets.Put()));
  ASSERT_OK(sets->GetTypeInfo(&info));
  EXPECT_EQ(info.item_identity, "RuleSetID");
  EXPECT_EQ(info.item_order, LISTORDER_PLAIN);

  ComPtr<IAMRule> rule;
  ASSERT_OK(rules->CreateRule(rule.Put()));
  ASSERT_OK(rule->GetTypeInfo(&info));
  EXPECT_TRUE(info.item_identity.empty()) << "items declare nothing";
  const DispatchMemberInfo* priority = Member(info, "Priority");
  ASSERT_NE(priority, nullptr);
  ASSERT_EQ(priority->result_names.size(), 4u);
  EXPECT_EQ(priority->result_names[2].name, "PRIOR_HIGH");
  EXPECT_EQ(priority->result_names[2].value, PRIOR_HIGH);
  EXPECT_TRUE(Member(info, "Path")->result_names.empty()) << "not an enumeration";

  ComPtr<IConditionSwitchList> switches;
  ASSERT_OK(rule->get_ConditionSwitchList(switches.Put()));
  ASSERT_OK(switches->GetTypeInfo(&info));
  EXPECT_TRUE(info.item_identity.empty()) << "undeclared: the walks' fallback";
}

}  // namespace
}  // namespace xmlsecdb

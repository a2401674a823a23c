// Condition switches and their rule-owned list: the switch slots of the
// rule, the silent UI flags, read-only refusals and CopyToList.
#include "model/condition_switch.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/access_test_rule.h"
#include "testing/hresult_matchers.h"
#include "testing/test_env.h"

namespace xmlsecdb {
namespace {

using testing::AccessRules;
using testing::AccessTestRule;
using testing::AddRule;
using testing::MakeAccessTestParser;
using testing::TestParser;
using Notices = std::vector<std::string>;

class ConditionSwitchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rule_ = AddRule(*parser_);
    ASSERT_NE(rule_, nullptr);
  }

  ComPtr<IConditionSwitch> Insert(AccessTestRule* rule) {
    ComPtr<IConditionSwitch> item;
    EXPECT_OK(rule->switches()->CreateConditionSwitch(item.Put()));
    EXPECT_OK(rule->switches()->Insert(item.get()));
    return item;
  }

  ComPtr<TestParser> parser_ = MakeAccessTestParser();
  AccessTestRule* rule_ = nullptr;
};

TEST_F(ConditionSwitchTest, NewSwitchHasTheDefaults) {
  ComPtr<IConditionSwitch> item;
  ASSERT_OK(rule_->switches()->CreateConditionSwitch(item.Put()));
  ECFType type = CST_OR;
  ECFTarget target = CSTRG_PROCESS;
  std::int32_t on = -1, off = -1;
  std::string flags = "x";
  ASSERT_OK(item->get_Type(&type));
  ASSERT_OK(item->get_Target(&target));
  ASSERT_OK(item->get_BitsOn(&on));
  ASSERT_OK(item->get_BitsOff(&off));
  ASSERT_OK(item->get_UIFlags(&flags));
  EXPECT_EQ(type, CST_AND);
  EXPECT_EQ(target, CSTRG_GLOBAL);
  EXPECT_EQ(on, 0);
  EXPECT_EQ(off, 0);
  EXPECT_EQ(flags, "");
  EXPECT_HR(item->get_UIFlags(nullptr), E_POINTER);
}

TEST_F(ConditionSwitchTest, MembersUseTheSwitchSlotsAndDoNotMarkModified) {
  ComPtr<IConditionSwitch> item = Insert(rule_);
  ASSERT_OK(item->put_Type(CST_OR));
  ASSERT_OK(item->put_Target(CSTRG_PROCESS));
  ASSERT_OK(item->put_BitsOn(5));
  ASSERT_OK(item->put_BitsOff(2));
  ASSERT_OK(item->put_BitsOff(2));     // unchanged: silent
  ASSERT_OK(item->put_UIFlags("ui"));  // never reported
  ASSERT_OK(rule_->switches()->Remove(item.get()));
  Insert(rule_);
  ASSERT_OK(rule_->switches()->Clear());
  EXPECT_EQ(rule_->notices, (Notices{"before-switch-insert:item", "after-switch-insert:item",
                                     "before-switch-change:item:1", "after-switch-change:item:1",
                                     "before-switch-change:item:2", "after-switch-change:item:2",
                                     "before-switch-change:item:3", "after-switch-change:item:3",
                                     "before-switch-change:item:4", "after-switch-change:item:4",
                                     "before-switch-remove:item", "after-switch-remove:item",
                                     "before-switch-insert:item", "after-switch-insert:item",
                                     "before-switch-remove:null", "after-switch-remove:null"}));
  EXPECT_EQ(parser_->modified_flags(), 0u);
}

TEST_F(ConditionSwitchTest, ReadOnlyParserRefusesEveryChange) {
  ComPtr<IConditionSwitch> member = Insert(rule_);
  ASSERT_OK(parser_->put_ReadOnly(1));
  rule_->notices.clear();
  CConditionSwitchList& list = *rule_->switches();
  ComPtr<IConditionSwitch> made;
  struct Case {
    const char* source;
    std::function<HRESULT()> call;
  };
  const Case cases[] = {
      {"CConditionSwitch::put_Type()", [&] { return member->put_Type(CST_OR); }},
      {"CConditionSwitch::put_Target()", [&] { return member->put_Target(CSTRG_PROCESS); }},
      {"CConditionSwitch::put_BitsOn()", [&] { return member->put_BitsOn(1); }},
      {"CConditionSwitch::put_BitsOff()", [&] { return member->put_BitsOff(1); }},
      {"CConditionSwitch::put_UIFlags()", [&] { return member->put_UIFlags("x"); }},
      {"CConditionSwitchList::CreateConditionSwitch()",
       [&] { return list.CreateConditionSwitch(made.Put()); }},
      {"CConditionSwitchList::Insert()", [&] { return list.Insert(member.get()); }},
      {"CConditionSwitchList::Remove()", [&] { return list.Remove(member.get()); }},
      {"CConditionSwitchList::Clear()", [&] { return list.Clear(); }},
  };
  testing::ScopedDebugLogCapture log;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    EXPECT_HR(c.call(), SECDB_E_READONLY);
    EXPECT_TRUE(testing::Reported(log, c.source, testing::kReadOnlyText));
  }
  EXPECT_EQ(list.count(), 1);
  EXPECT_EQ(list.at(0)->ui_flags(), "");
  EXPECT_TRUE(rule_->notices.empty());
}

TEST_F(ConditionSwitchTest, CopyToListCopiesEverythingButTheUIFlags) {
  ComPtr<IConditionSwitch> item = Insert(rule_);
  ASSERT_OK(item->put_Type(CST_AND_OR));
  ASSERT_OK(item->put_Target(CSTRG_GLOBAL_PROCESS));
  ASSERT_OK(item->put_BitsOn(0x5));
  ASSERT_OK(item->put_BitsOff(static_cast<std::int32_t>(0x80000000u)));
  ASSERT_OK(item->put_UIFlags("shown"));
  AccessTestRule* other = AddRule(*parser_);
  Insert(other);
  Insert(other);

  ASSERT_OK(rule_->switches()->CopyToList(other->switches()));
  ASSERT_EQ(other->switches()->count(), 1);
  const CConditionSwitch& copy = *other->switches()->at(0);
  EXPECT_EQ(copy.type(), CST_AND_OR);
  EXPECT_EQ(copy.target(), CSTRG_GLOBAL_PROCESS);
  EXPECT_EQ(copy.bits_on(), 0x5);
  EXPECT_EQ(copy.bits_off(), static_cast<std::int32_t>(0x80000000u));
  EXPECT_EQ(copy.ui_flags(), "");

  EXPECT_HR(rule_->switches()->CopyToList(nullptr), E_POINTER);
  ASSERT_OK(rule_->switches()->CopyToList(rule_->switches()));
  EXPECT_EQ(rule_->switches()->count(), 1);
}

}  // namespace
}  // namespace xmlsecdb

// The anti-malware rule through its interface: defaults, the precedence
// views, System/Account, change events, identifiers, copies, read-only.
#include "am/am_rule.h"

#include <gtest/gtest.h>

#include "am/am_fixture.h"
#include "testing/test_env.h"

namespace xmlsecdb::testing {
namespace {

using AMRuleTest = AMTest;

TEST_F(AMRuleTest, NewRuleHasTheDefaults) {
  ComPtr<IAMRule> rule;
  ASSERT_OK(Rules()->CreateRule(rule.Put()));
  EPriority priority;
  std::int32_t preferred = -1, order = 0, enabled = 0, object_type = -1, system = -1;
  ERuleAccount account = RA_BOTH;
  std::string text = "x";
  ASSERT_OK(rule->get_Priority(&priority));
  ASSERT_OK(rule->get_Preferred(&preferred));
  ASSERT_OK(rule->get_Order(&order));
  ASSERT_OK(rule->get_Enabled(&enabled));
  ASSERT_OK(rule->get_Account(&account));
  ASSERT_OK(rule->get_ObjectType(&object_type));
  ASSERT_OK(rule->get_System(&system));
  EXPECT_EQ(priority, PRIOR_NORMAL);
  EXPECT_EQ(preferred, 0);
  EXPECT_EQ(order, 35000);
  EXPECT_EQ(enabled, 1);
  EXPECT_EQ(account, RA_USER);
  EXPECT_EQ(object_type, 0);
  EXPECT_EQ(system, 0);
  for (auto get : {&IAMRule::get_Application, &IAMRule::get_Path, &IAMRule::get_TimeOfDay,
                   &IAMRule::get_Assignment, &IAMRule::get_Description, &IAMRule::get_UIFlags}) {
    text = "x";
    ASSERT_OK((rule.get()->*get)(&text));
    EXPECT_EQ(text, "");
  }
  EXPECT_HR(rule->get_Priority(nullptr), E_POINTER);
  EXPECT_HR(rule->get_Path(nullptr), E_POINTER);
}

TEST_F(AMRuleTest, PriorityPreferredAndOrderShareThePrecedence) {
  ComPtr<IAMRule> rule;
  ASSERT_OK(Rules()->CreateRule(rule.Put()));
  ASSERT_OK(rule->put_Preferred(1));  // 25000
  ASSERT_OK(rule->put_Priority(PRIOR_HIGH));
  std::int32_t order = 0;
  ASSERT_OK(rule->get_Order(&order));
  EXPECT_EQ(order, 5000);

  ASSERT_OK(rule->put_Order(12345));
  EPriority priority;
  ASSERT_OK(rule->get_Priority(&priority));
  EXPECT_EQ(priority, PRIOR_UNUSED);
  EXPECT_HR(rule->put_Preferred(1), E_INVALIDARG);
  EXPECT_HR(rule->put_Priority(static_cast<EPriority>(3)), E_INVALIDARG);
  ASSERT_OK(rule->get_Order(&order));
  EXPECT_EQ(order, 12345);
}

TEST_F(AMRuleTest, SystemAndAccountAreCoupled) {
  ComPtr<IAMRule> rule = AddRule();
  EventLog* events = Advise();
  struct Step {
    bool system_setter;
    std::int32_t value;
    std::int32_t system;
    ERuleAccount account;
  };
  const Step steps[] = {
      {true, 1, 1, RA_SYSTEM},          {false, RA_BOTH, 1, RA_BOTH}, {false, RA_USER, 0, RA_USER},
      {false, RA_SYSTEM, 1, RA_SYSTEM}, {true, 0, 0, RA_USER},        {true, 7, 7, RA_SYSTEM},
  };
  for (const Step& step : steps) {
    ASSERT_OK(step.system_setter ? rule->put_System(step.value)
                                 : rule->put_Account(static_cast<ERuleAccount>(step.value)));
    std::int32_t system = -1;
    ERuleAccount account;
    ASSERT_OK(rule->get_System(&system));
    ASSERT_OK(rule->get_Account(&account));
    EXPECT_EQ(system, step.system) << step.value;
    EXPECT_EQ(account, step.account) << step.value;
  }
  // Every step changed something, and each reports property 9.
  EXPECT_EQ(events->lines.size(), 2 * std::size(steps));
  for (const std::string& line : events->lines) EXPECT_TRUE(line == "27:9" || line == "28:9");
}

TEST_F(AMRuleTest, SettersRaiseChangeEventsOnlyForRealChangesOfMembers) {
  ComPtr<IAMRule> detached;
  ASSERT_OK(Rules()->CreateRule(detached.Put()));
  ComPtr<IAMRule> rule = AddRule();
  EventLog* events = Advise();

  ASSERT_OK(detached->put_UIFlags("x"));
  EXPECT_TRUE(events->lines.empty());

  struct Case {
    const char* name;
    HRESULT (*set)(IAMRule*);
    std::int32_t property;
  };
  const Case cases[] = {
      {"Priority", [](IAMRule* r) { return r->put_Priority(PRIOR_LOW); }, AMR_PRIORITY},
      {"AppType", [](IAMRule* r) { return r->put_AppType(AT_DEFINITION); }, AMR_APP},
      {"Application", [](IAMRule* r) { return r->put_Application("b.exe"); }, AMR_APP},
      {"ObjectType", [](IAMRule* r) { return r->put_ObjectType(OT_FILE); }, AMR_OBJECT},
      {"PathType", [](IAMRule* r) { return r->put_PathType(RT_DEFINITION); }, AMR_OBJECT},
      {"Path", [](IAMRule* r) { return r->put_Path("F1"); }, AMR_OBJECT},
      {"OutConditionAND", [](IAMRule* r) { return r->put_OutConditionAND(5); }, AMR_CONDITION},
      {"OutConditionOR", [](IAMRule* r) { return r->put_OutConditionOR(2); }, AMR_CONDITION},
      {"TimeOfDayType", [](IAMRule* r) { return r->put_TimeOfDayType(RT_DEFINITION); }, AMR_TIME},
      {"TimeOfDay", [](IAMRule* r) { return r->put_TimeOfDay("T1"); }, AMR_TIME},
      {"OSVersion", [](IAMRule* r) { return r->put_OSVersion(OSVER_WIN_XP_OR_HIGHER); },
       AMR_OSVERSION},
      {"RuleID", [](IAMRule* r) { return r->put_RuleID(40); }, AMR_ID},
      {"RuleIDString", [](IAMRule* r) { return r->put_RuleIDString("41"); }, AMR_ID},
      {"Assignment", [](IAMRule* r) { return r->put_Assignment("servers"); }, AMR_ASSIGNMENT},
      {"Preferred", [](IAMRule* r) { return r->put_Preferred(1); }, AMR_PREFERRED},
      {"LearningMode", [](IAMRule* r) { return r->put_LearningMode(1); }, AMR_LEARNING_MODE},
      {"ProcessID", [](IAMRule* r) { return r->put_ProcessID(0x1A2B); }, AMR_PROCESS_ID},
      {"Enabled", [](IAMRule* r) { return r->put_Enabled(0); }, AMR_ENABLED},
      {"Description", [](IAMRule* r) { return r->put_Description("d"); }, AMR_DESCRIPTION},
      {"UIFlags", [](IAMRule* r) { return r->put_UIFlags("u"); }, AMR_DESCRIPTION},
      {"Order", [](IAMRule* r) { return r->put_Order(777); }, AMR_ORDER},
  };
  for (const Case& c : cases) {
    events->lines.clear();
    ASSERT_OK(c.set(rule.get())) << c.name;
    const std::string p = std::to_string(c.property);
    EXPECT_EQ(events->lines, (std::vector<std::string>{"27:" + p, "28:" + p})) << c.name;
    events->lines.clear();
    ASSERT_OK(c.set(rule.get())) << c.name;  // the same value again
    EXPECT_TRUE(events->lines.empty()) << c.name;
  }
  EXPECT_TRUE(parser_->modified_flags() & ParserCore::kModifiedRules);
}

TEST_F(AMRuleTest, IdentifierChangesReKeyTheListAndRefuseDuplicates) {
  ComPtr<IAMRule> first = AddRule();
  ComPtr<IAMRule> second = AddRule();
  EXPECT_HR(second->put_RuleID(1), SECDB_E_DUPLICATEID);
  EXPECT_EQ(TakeErrorDescription(), "Rule with given ID already exists.");
  ASSERT_OK(second->put_RuleIDString("AS5"));
  ComPtr<IAMRule> found;
  ASSERT_OK(Rules()->GetByRuleNum(0x41000005, found.Put()));
  EXPECT_EQ(found.get(), second.get());
  std::string text;
  ASSERT_OK(second->get_RuleIDString(&text));
  EXPECT_EQ(text, "1090519045");
  EXPECT_HR(second->put_RuleIDString(""), E_POINTER);
}

TEST_F(AMRuleTest, CopyToListCopiesEverythingAndInsertExGivesAFreshIdentifier) {
  ComPtr<IAMRule> rule = AddRule();
  ASSERT_OK(rule->put_Description("original"));
  ASSERT_OK(rule->put_Account(RA_BOTH));
  ComPtr<IAccessDescriptorList> access;
  ASSERT_OK(rule->get_AccessDescriptorList(access.Put()));
  ComPtr<IAccessDescriptor> descriptor;
  ASSERT_OK(access->CreateAccessDescriptor(descriptor.Put()));
  ASSERT_OK(descriptor->put_AccessResult(AR_PREVENT));
  ASSERT_OK(access->Insert(descriptor.get()));

  ComPtr<IAMRule> copy;
  EXPECT_HR(rule->CopyToList(Rules().get(), 0, copy.Put()), SECDB_E_DUPLICATEID);
  EXPECT_EQ(copy.get(), nullptr);
  TakeErrorDescription();
  ASSERT_OK(Rules()->InsertEx(rule.get(), 0, copy.Put()));
  std::int32_t id = 0, count = 0;
  ASSERT_OK(copy->get_RuleID(&id));
  EXPECT_EQ(id, 2);
  ERuleAccount account;
  ASSERT_OK(copy->get_Account(&account));
  EXPECT_EQ(account, RA_BOTH);
  std::string description;
  ASSERT_OK(copy->get_Description(&description));
  EXPECT_EQ(description, "original");
  ComPtr<IAccessDescriptorList> copied;
  ASSERT_OK(copy->get_AccessDescriptorList(copied.Put()));
  ASSERT_OK(copied->get_Count(&count));
  EXPECT_EQ(count, 1);
  EXPECT_NE(copied.get(), access.get());
  ASSERT_OK(Rules()->get_Count(&count));
  EXPECT_EQ(count, 2);
}

TEST_F(AMRuleTest, ReadOnlyParserRefusesEveryChangeAndKeepsGetters) {
  ComPtr<IAMRule> rule = AddRule();
  ComPtr<IAMRuleList> rules = Rules();
  ASSERT_OK(parser_->put_ReadOnly(1));
  struct Case {
    const char* source;
    HRESULT (*call)(IAMRule*, IAMRuleList*);
  };
  const Case cases[] = {
      {"CAMRule::put_Priority()",
       [](IAMRule* r, IAMRuleList*) { return r->put_Priority(PRIOR_HIGH); }},
      {"CAMRule::put_Path()", [](IAMRule* r, IAMRuleList*) { return r->put_Path("p"); }},
      {"CAMRule::put_Preferred()", [](IAMRule* r, IAMRuleList*) { return r->put_Preferred(1); }},
      {"CAMRule::put_Order()", [](IAMRule* r, IAMRuleList*) { return r->put_Order(1); }},
      {"CAMRule::put_System()", [](IAMRule* r, IAMRuleList*) { return r->put_System(1); }},
      {"CAMRule::put_Account()", [](IAMRule* r, IAMRuleList*) { return r->put_Account(RA_BOTH); }},
      {"CAMRule::put_RuleID()", [](IAMRule* r, IAMRuleList*) { return r->put_RuleID(9); }},
      {"CAMRule::put_RuleIDString()",
       [](IAMRule* r, IAMRuleList*) { return r->put_RuleIDString("9"); }},
      {"CAMRule::put_UIFlags()", [](IAMRule* r, IAMRuleList*) { return r->put_UIFlags("u"); }},
      {"CAMRuleList::CreateRule()",
       [](IAMRule*, IAMRuleList* l) {
         ComPtr<IAMRule> made;
         return l->CreateRule(made.Put());
       }},
      {"CAMRuleList::Insert()", [](IAMRule* r, IAMRuleList* l) { return l->Insert(r, nullptr); }},
      {"CAMRuleList::InsertEx()",
       [](IAMRule* r, IAMRuleList* l) {
         ComPtr<IAMRule> made;
         return l->InsertEx(r, 0, made.Put());
       }},
      {"CAMRuleList::Remove()", [](IAMRule* r, IAMRuleList* l) { return l->Remove(r); }},
      {"CAMRuleList::Clear()", [](IAMRule*, IAMRuleList* l) { return l->Clear(); }},
  };
  ScopedDebugLogCapture log;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    EXPECT_HR(c.call(rule.get(), rules.get()), SECDB_E_READONLY);
    EXPECT_TRUE(Reported(log, c.source, kReadOnlyText));
  }
  std::int32_t order = 0, count = 0;
  ASSERT_OK(rule->get_Order(&order));
  EXPECT_EQ(order, 35000);
  ASSERT_OK(rules->get_Count(&count));
  EXPECT_EQ(count, 1);
}

TEST_F(AMRuleTest, InsertPlacesRulesByComparison) {
  // Same object type: precedence first, then paths (longer direct path
  // first, case ignored, "*" last).
  struct Rule {
    std::int32_t order;
    const char* path;
  };
  const Rule inserted[] = {{35000, "*"},       {35000, "Beta"}, {35000, "alpha"},
                           {35000, "alpha/x"}, {5000, "zzz"},   {55000, "a"}};
  ComPtr<IAMRuleList> rules = Rules();
  for (const Rule& r : inserted) {
    ComPtr<IAMRule> rule = AddRule();
    ASSERT_OK(rules->Remove(rule.get()));
    ASSERT_OK(rule->put_Order(r.order));
    ASSERT_OK(rule->put_Path(r.path));
    ASSERT_OK(rules->Insert(rule.get(), nullptr));
  }
  std::vector<std::string> paths;
  for (std::int32_t i = 1; i <= 6; ++i) {
    std::string path;
    ASSERT_OK(RuleAt(i)->get_Path(&path));
    paths.push_back(path);
  }
  EXPECT_EQ(paths, (std::vector<std::string>{"zzz", "alpha/x", "alpha", "Beta", "*", "a"}));
}

}  // namespace
}  // namespace xmlsecdb::testing

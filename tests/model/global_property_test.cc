#include "model/global_property.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/globals_test_config.h"
#include "testing/event_log.h"
#include "testing/hresult_matchers.h"
#include "testing/test_env.h"
#include "testing/test_parser.h"

namespace xmlsecdb::testing {
namespace {

using Lines = std::vector<std::string>;

class GlobalPropertyTest : public ::testing::Test {
 protected:
  GlobalPropertyTest()
      : parser_(MakeObject<TestParser>()),
        list_(parser_->AddSection<GlobalsSection>(kTestGlobals).list()) {}

  ComPtr<IProperty> Make(std::int32_t id) {
    ComPtr<IProperty> option;
    EXPECT_OK(list_->CreateProperty(option.Put()));
    EXPECT_OK(option->put_PropertyID(id));
    return option;
  }
  ComPtr<IProperty> Add(std::int32_t id) {
    ComPtr<IProperty> option = Make(id);
    EXPECT_OK(list_->Insert(option.get()));
    return option;
  }
  ComPtr<EventLog> Listen() {
    ComPtr<EventLog> log = MakeObject<EventLog>();
    std::uint32_t cookie = 0;
    EXPECT_OK(parser_->events().Advise(log->unknown(), &cookie));
    return log;
  }

  ComPtr<TestParser> parser_;
  CGlobalPropertyList* list_;
};

TEST_F(GlobalPropertyTest, NewOptionHasTheDefaultsAndPriorityDrivesOrder) {
  ComPtr<IProperty> option;
  ASSERT_OK(list_->CreateProperty(option.Put()));
  std::int32_t id = -1, order = 0;
  EPropertyType type = PT_STR;
  EPriority priority = PRIOR_LOW;
  Variant value = Variant(1);
  std::string assignment, flags = "x";
  ASSERT_OK(option->get_PropertyID(&id));
  ASSERT_OK(option->get_Type(&type));
  ASSERT_OK(option->get_value(&value));
  ASSERT_OK(option->get_Priority(&priority));
  ASSERT_OK(option->get_Assignment(&assignment));
  ASSERT_OK(option->get_UIFlags(&flags));
  ASSERT_OK(option->get_Order(&order));
  EXPECT_EQ(id, 0);
  EXPECT_EQ(type, PT_INT);
  EXPECT_TRUE(value.is_empty());
  EXPECT_EQ(priority, PRIOR_NORMAL);
  EXPECT_EQ(assignment, "*");
  EXPECT_EQ(flags, "");
  EXPECT_EQ(order, 35000);

  ASSERT_OK(option->put_Priority(PRIOR_HIGH));
  ASSERT_OK(option->get_Order(&order));
  EXPECT_EQ(order, 15000);
  ASSERT_OK(option->put_Order(12345));
  ASSERT_OK(option->get_Priority(&priority));
  EXPECT_EQ(priority, PRIOR_UNUSED);
  EXPECT_HR(option->put_Priority(PRIOR_UNUSED), E_INVALIDARG);
  ASSERT_OK(option->get_Order(&order));
  EXPECT_EQ(order, 12345);
}

TEST_F(GlobalPropertyTest, InsertRefusesIdZeroAndDuplicates) {
  Add(0xFFF1);
  struct Case {
    std::int32_t id;
    HRESULT result;
    std::string description;
  };
  const Case kCases[] = {
      {0, SECDB_E_INVALIDVALUE, "Object has wrong ID."},
      {0xFFF1, SECDB_E_DUPLICATEID, "Object with gived ID already exists."},
      {0xFFF2, S_OK, ""},
  };
  for (const Case& c : kCases) {
    ComPtr<IProperty> option = Make(c.id);
    EXPECT_HR(list_->Insert(option.get()), c.result) << c.id;
    EXPECT_EQ(TakeErrorDescription(), c.description);
  }
  EXPECT_HR(list_->Insert(nullptr), E_POINTER);
  std::int32_t count = 0;
  ASSERT_OK(list_->get_Count(&count));
  EXPECT_EQ(count, 2);
}

TEST_F(GlobalPropertyTest, GetFindsByPropertyId) {
  Add(0x7);
  ComPtr<IProperty> second = Add(0x0400000C);
  ComPtr<IProperty> found;
  ASSERT_OK(list_->Get(0x0400000C, found.Put()));
  EXPECT_EQ(found.get(), second.get());
  EXPECT_HR(list_->Get(0x8, found.Put()), SECDB_E_NOTFOUND);
  EXPECT_EQ(TakeErrorDescription(), "Item not found.");
  EXPECT_EQ(found.get(), nullptr);
  EXPECT_HR(list_->Get(0x7, nullptr), E_POINTER);

  // After an ID change the option is found under its new ID only.
  ASSERT_OK(second->put_PropertyID(0x9));
  EXPECT_HR(list_->Get(0x0400000C, found.Put()), SECDB_E_NOTFOUND);
  ASSERT_OK(list_->Get(0x9, found.Put()));
  EXPECT_EQ(found.get(), second.get());
}

TEST_F(GlobalPropertyTest, IdOfAMemberCannotTakeAnIdTheListHolds) {
  ComPtr<IProperty> first = Add(1);
  Add(2);
  ComPtr<EventLog> log = Listen();
  EXPECT_HR(first->put_PropertyID(1), SECDB_E_DUPLICATEID);  // its own
  EXPECT_HR(first->put_PropertyID(2), SECDB_E_DUPLICATEID);
  EXPECT_EQ(TakeErrorDescription(), "Object with gived ID already exists.");
  EXPECT_TRUE(log->lines.empty());
  ASSERT_OK(first->put_PropertyID(3));
  EXPECT_EQ(log->lines, (Lines{"9:0", "10:0"}));

  // Detached, any ID is stored.
  ComPtr<IProperty> loose = Make(2);
  ASSERT_OK(loose->put_PropertyID(3));
}

TEST_F(GlobalPropertyTest, ChangesNotifyOnlyWhenTheValueReallyChanges) {
  ComPtr<IProperty> option = Add(1);
  ASSERT_OK(option->put_value(Variant(5)));
  ComPtr<EventLog> log = Listen();
  struct Step {
    const char* what;
    std::function<HRESULT(IProperty*)> call;
    Lines events;
  };
  const std::vector<Variant> list = {Variant("a"), Variant("b")};
  const Step kSteps[] = {
      {"same type", [](IProperty* p) { return p->put_Type(PT_INT); }, {}},
      {"new type", [](IProperty* p) { return p->put_Type(PT_STR); }, {"9:1", "10:1"}},
      {"same int", [](IProperty* p) { return p->put_value(Variant(5)); }, {}},
      {"new int", [](IProperty* p) { return p->put_value(Variant(6)); }, {"9:2", "10:2"}},
      {"bool -1 vs int", [](IProperty* p) { return p->put_value(Variant(true)); }, {"9:2", "10:2"}},
      {"same bool", [](IProperty* p) { return p->put_value(Variant(true)); }, {}},
      {"null", [](IProperty* p) { return p->put_value(Variant::MakeNull()); }, {"9:2", "10:2"}},
      {"null again", [](IProperty* p) { return p->put_value(Variant::MakeNull()); }, {}},
      {"empty vs null", [](IProperty* p) { return p->put_value(Variant()); }, {"9:2", "10:2"}},
      {"string", [](IProperty* p) { return p->put_value(Variant("x")); }, {"9:2", "10:2"}},
      {"same string", [](IProperty* p) { return p->put_value(Variant("x")); }, {}},
      {"other case", [](IProperty* p) { return p->put_value(Variant("X")); }, {"9:2", "10:2"}},
      {"list", [&](IProperty* p) { return p->put_value(Variant(list)); }, {"9:2", "10:2"}},
      {"same list", [&](IProperty* p) { return p->put_value(Variant(list)); }, {}},
      {"same priority", [](IProperty* p) { return p->put_Priority(PRIOR_NORMAL); }, {}},
      {"new priority", [](IProperty* p) { return p->put_Priority(PRIOR_LOW); }, {"9:3", "10:3"}},
      {"bad priority", [](IProperty* p) { return p->put_Priority(EPriority(7)); }, {}},
      {"same order", [](IProperty* p) { return p->put_Order(55000); }, {}},
      {"new order", [](IProperty* p) { return p->put_Order(1); }, {"9:5", "10:5"}},
      {"same filter", [](IProperty* p) { return p->put_Assignment("*"); }, {}},
      {"new filter", [](IProperty* p) { return p->put_Assignment("g"); }, {"9:4", "10:4"}},
      {"ui flags", [](IProperty* p) { return p->put_UIFlags("u"); }, {}},
  };
  for (const Step& step : kSteps) {
    log->lines.clear();
    HRESULT hr = step.call(option.get());
    EXPECT_TRUE(hr == S_OK || hr == E_INVALIDARG) << step.what;
    EXPECT_EQ(log->lines, step.events) << step.what;
  }
  std::string flags;
  ASSERT_OK(option->get_UIFlags(&flags));
  EXPECT_EQ(flags, "u");

  // Detached: stored silently.
  ASSERT_OK(list_->Remove(option.get()));
  log->lines.clear();
  ASSERT_OK(option->put_Type(PT_BOOL));
  ASSERT_OK(option->put_value(Variant(false)));
  EXPECT_TRUE(log->lines.empty());
}

TEST_F(GlobalPropertyTest, InsertRemoveAndClearRaiseTheListEvents) {
  ComPtr<EventLog> log = Listen();
  ComPtr<IProperty> option = Add(1);
  Add(2);
  ASSERT_OK(list_->Remove(option.get()));
  EXPECT_HR(list_->Remove(option.get()), SECDB_E_NOTFOUND);
  EXPECT_EQ(TakeErrorDescription(), "Item not found.");
  ASSERT_OK(list_->Clear());
  ASSERT_OK(list_->Clear());  // empty: nothing raised
  EXPECT_EQ(log->lines, (Lines{"5", "6", "5", "6", "7", "8", "7", "8"}));
}

TEST_F(GlobalPropertyTest, ReadOnlyParserRefusesEveryChange) {
  ComPtr<IProperty> option = Add(1);
  ASSERT_OK(parser_->put_ReadOnly(1));
  struct Case {
    std::function<HRESULT()> call;
    std::string source;
  };
  IProperty* p = option.get();
  ComPtr<IProperty> made;
  const Case kCases[] = {
      {[&] { return list_->CreateProperty(made.Put()); }, "CGlobalPropertyList::CreateProperty()"},
      {[&] { return list_->Insert(p); }, "CGlobalPropertyList::Insert()"},
      {[&] { return list_->Remove(p); }, "CGlobalPropertyList::Remove()"},
      {[&] { return list_->Clear(); }, "CGlobalPropertyList::Clear()"},
      {[&] { return p->put_PropertyID(2); }, "CGlobalProperty::put_PropertyID()"},
      {[&] { return p->put_Type(PT_STR); }, "CGlobalProperty::put_Type()"},
      {[&] { return p->put_value(Variant(1)); }, "CGlobalProperty::put_value()"},
      {[&] { return p->put_Priority(PRIOR_HIGH); }, "CGlobalProperty::put_Priority()"},
      {[&] { return p->put_Assignment("g"); }, "CGlobalProperty::put_Assignment()"},
      {[&] { return p->put_UIFlags("u"); }, "CGlobalProperty::put_UIFlags()"},
      {[&] { return p->put_Order(1); }, "CGlobalProperty::put_Order()"},
  };
  testing::ScopedDebugLogCapture log;
  for (const Case& c : kCases) {
    EXPECT_HR(c.call(), SECDB_E_READONLY) << c.source;
    EXPECT_TRUE(testing::Reported(log, c.source, testing::kReadOnlyText));
  }
  std::int32_t order = 0, count = 0;
  ASSERT_OK(p->get_Order(&order));
  ASSERT_OK(list_->get_Count(&count));
  EXPECT_EQ(order, 35000);
  EXPECT_EQ(count, 1);
}

TEST(SameOptionValueTest, TypesMustMatchThenContent) {
  struct Case {
    Variant a, b;
    bool same;
  };
  const Case kCases[] = {
      {Variant::MakeNull(), Variant::MakeNull(), true},
      {Variant(), Variant(), true},
      {Variant(), Variant::MakeNull(), false},
      {Variant(1), Variant(1), true},
      {Variant(1), Variant(true), false},
      {Variant(0), Variant(false), false},
      {Variant(1), Variant(std::uint32_t{1}), false},
      {Variant("a"), Variant("a"), true},
      {Variant("a"), Variant("A"), false},
      {Variant(std::vector<Variant>{Variant("a")}), Variant(std::vector<Variant>{Variant("a")}),
       true},
      {Variant(std::vector<Variant>{Variant("a")}), Variant(std::vector<std::string>{"a"}), false},
  };
  for (std::size_t i = 0; i < std::size(kCases); ++i) {
    EXPECT_EQ(SameOptionValue(kCases[i].a, kCases[i].b), kCases[i].same) << i;
  }
}

}  // namespace
}  // namespace xmlsecdb::testing

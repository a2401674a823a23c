#include "model/app_exception.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/messages.h"
#include "model/section_parser.h"
#include "testing/hresult_matchers.h"
#include "testing/event_log.h"
#include "testing/test_env.h"

namespace xmlsecdb::testing {
namespace {

class AppExceptionTest : public ::testing::Test {
 protected:
  AppExceptionTest() : parser_(MakeSectionParser()), list_(Exceptions(*parser_).list()) {}

  ComPtr<IAppException> Make() {
    ComPtr<IAppException> exception;
    EXPECT_OK(list_->CreateAppException(exception.Put()));
    return exception;
  }
  ComPtr<EventLog> Listen() {
    ComPtr<EventLog> events = MakeObject<EventLog>();
    std::uint32_t cookie = 0;
    EXPECT_OK(parser_->events().Advise(events->unknown(), &cookie));
    return events;
  }

  ComPtr<TestParser> parser_;
  CAppExceptionList* list_;
};

TEST_F(AppExceptionTest, NewExceptionHasItsDefaults) {
  ComPtr<IAppException> exception = Make();
  const AppExceptionData& data = static_cast<CAppException*>(exception.get())->data();
  EXPECT_EQ(data.app_type, AT_LABEL);
  EXPECT_EQ(data.application, "");
  EXPECT_EQ(data.guards, 0u);
  EXPECT_EQ(data.assignment, "*");
  EXPECT_EQ(data.account, RA_USER);
  EXPECT_EQ(data.precedence.order(), 35000);
  EPriority priority = PRIOR_UNUSED;
  ASSERT_OK(exception->get_Priority(&priority));
  EXPECT_EQ(priority, PRIOR_NORMAL);
}

TEST_F(AppExceptionTest, PriorityAndOrderShareThePrecedence) {
  ComPtr<IAppException> exception = Make();
  std::int32_t order = 0;
  EPriority priority = PRIOR_NORMAL;
  ASSERT_OK(exception->put_Priority(PRIOR_HIGH));
  ASSERT_OK(exception->get_Order(&order));
  EXPECT_EQ(order, 15000);
  ASSERT_OK(exception->put_Order(12345));
  ASSERT_OK(exception->get_Priority(&priority));
  EXPECT_EQ(priority, PRIOR_UNUSED);
  EXPECT_HR(exception->put_Priority(static_cast<EPriority>(3)), E_INVALIDARG);
  ASSERT_OK(exception->get_Order(&order));
  EXPECT_EQ(order, 12345);
}

TEST_F(AppExceptionTest, EverySetterRefusesAReadOnlyDatabase) {
  ComPtr<IAppException> exception = Make();
  ASSERT_OK(list_->Insert(exception.get()));
  ASSERT_OK(parser_->put_ReadOnly(1));
  struct Case {
    const char* source;
    std::function<HRESULT()> call;
  };
  IAppException* e = exception.get();
  const Case cases[] = {
      {"CAppException::put_AppType()", [e] { return e->put_AppType(AT_DEFINITION); }},
      {"CAppException::put_Application()", [e] { return e->put_Application("a"); }},
      {"CAppException::put_ActiveGuards()", [e] { return e->put_ActiveGuards(1); }},
      {"CAppException::put_Priority()", [e] { return e->put_Priority(PRIOR_LOW); }},
      {"CAppException::put_Order()", [e] { return e->put_Order(1); }},
      {"CAppException::put_Assignment()", [e] { return e->put_Assignment("a"); }},
      {"CAppException::put_Account()", [e] { return e->put_Account(RA_BOTH); }},
      {"CAppException::put_UIFlags()", [e] { return e->put_UIFlags("a"); }},
  };
  testing::ScopedDebugLogCapture log;
  for (const Case& c : cases) {
    EXPECT_HR(c.call(), SECDB_E_READONLY) << c.source;
    EXPECT_TRUE(testing::Reported(log, c.source, testing::kReadOnlyText));
  }
  EXPECT_HR(list_->Remove(e), SECDB_E_READONLY);
  EXPECT_EQ(list_->count(), 1);
}

// Changes of a member raise the change events with the property's DISPID;
// UI flags, unchanged values and exceptions outside the list raise none.
TEST_F(AppExceptionTest, ChangesOfMembersRaiseEvents) {
  ComPtr<EventLog> events = Listen();
  ComPtr<IAppException> loose = Make();
  ASSERT_OK(loose->put_Application("x"));
  EXPECT_TRUE(events->lines.empty());

  ComPtr<IAppException> member = Make();
  ASSERT_OK(list_->Insert(member.get()));
  ASSERT_OK(member->put_Application("app"));
  ASSERT_OK(member->put_Application("app"));
  ASSERT_OK(member->put_UIFlags("flags"));
  ASSERT_OK(member->put_Priority(PRIOR_NORMAL));  // 35000 already
  ASSERT_OK(member->put_Order(5000));
  ASSERT_OK(list_->Remove(member.get()));
  EXPECT_EQ(events->lines,
            (std::vector<std::string>{"29", "30", "33:2", "34:2", "33:8", "34:8", "31", "32"}));
}

TEST_F(AppExceptionTest, GuardsTextHasOneRecordPerException) {
  struct Spec {
    EAppType type;
    const char* application;
    std::int32_t guards;
    const char* assignment;
    ERuleAccount account;
  };
  struct Case {
    std::vector<Spec> exceptions;
    const char* text;
  };
  const Case cases[] = {
      {{}, ""},
      {{{AT_LABEL, "notepad.exe", 5, "*", RA_USER}}, "L|notepad.exe|00000005|*|user"},
      {{{AT_DEFINITION, "browsers", 0x40380000, "grp", RA_SYSTEM}, {AT_LABEL, "", -1, "", RA_BOTH}},
       "G|browsers|40380000|grp|system#L||FFFFFFFF||both"},
      {{{static_cast<EAppType>(7), "odd", 0, "*", static_cast<ERuleAccount>(9)}},
       "G|odd|00000000|*"},
  };
  for (const Case& c : cases) {
    ASSERT_OK(list_->Clear());
    for (const Spec& s : c.exceptions) {
      ComPtr<IAppException> e = Make();
      ASSERT_OK(e->put_AppType(s.type));
      ASSERT_OK(e->put_Application(s.application));
      ASSERT_OK(e->put_ActiveGuards(s.guards));
      ASSERT_OK(e->put_Assignment(s.assignment));
      ASSERT_OK(e->put_Account(s.account));
      ASSERT_OK(list_->Insert(e.get()));
    }
    std::string text = "stale";
    ASSERT_OK(list_->GetAllGuardsText(&text));
    EXPECT_EQ(text, c.text);
  }
  EXPECT_HR(list_->GetAllGuardsText(nullptr), E_POINTER);
}

}  // namespace
}  // namespace xmlsecdb::testing

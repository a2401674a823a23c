// An object owned by a rule rather than by a list: it reaches the parser
// through its owner for the read-only flag and the modified flags, and
// nothing once its owner has gone.
#include "list/owned_child.h"

#include <gtest/gtest.h>

#include <memory>

#include "list/list_item.h"
#include "list/owned.h"
#include "list/test_lists.h"
#include "testing/hresult_matchers.h"
#include "testing/test_env.h"

namespace xmlsecdb::testing {
namespace {

struct ITestPort : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-03E0-4000-8000-5EC0DB0003E0}");
  using Base = IDispatch;
  virtual HRESULT get_Port(std::int32_t* port) = 0;
  virtual HRESULT put_Port(std::int32_t port) = 0;
};

class TestPort final : public ChildObject<ITestPort> {
 public:
  explicit TestPort(IListOwner* owner) : ChildObject(owner) {}
  HRESULT get_Port(std::int32_t* port) override { return GetField(port_, port); }
  HRESULT put_Port(std::int32_t port) override {
    return Store("CTestPort::put_Port()", port_, port);
  }

 private:
  std::int32_t port_ = 0;
};

class OwnedChildTest : public ::testing::Test {
 protected:
  OwnedChildTest() : parser_(MakeObject<TestParser>()) {
    rules_ = AddRuleList(*parser_);
    owner_ = rules_->NewItem();
    port_ = std::make_unique<Owned<TestPort>>(MakeObject<TestPort>(owner_.get()));
    EXPECT_OK(owner_->put_RuleID(1));
    EXPECT_OK(rules_->InsertMember(owner_.get()));
    parser_->SortListsIfModified();  // clears the flags
  }
  TestPort& port() { return *port_->get(); }

  ComPtr<TestParser> parser_;
  TestRuleList* rules_ = nullptr;
  ComPtr<TestRule> owner_;
  std::unique_ptr<Owned<TestPort>> port_;  // as the rule would hold it
};

TEST_F(OwnedChildTest, StoreMarksTheParserModified) {
  ASSERT_EQ(parser_->modified_flags(), 0u);
  ASSERT_OK(port().put_Port(80));
  std::int32_t value = 0;
  EXPECT_OK(port().get_Port(&value));
  EXPECT_EQ(value, 80);
  EXPECT_EQ(parser_->modified_flags(), ParserCore::kModifiedRules);
}

TEST_F(OwnedChildTest, ReadOnlyParserRefusesTheSetter) {
  ASSERT_OK(parser_->put_ReadOnly(1));
  ScopedDebugLogCapture log;
  EXPECT_HR(port().put_Port(80), SECDB_E_READONLY);
  EXPECT_TRUE(Reported(log, "CTestPort::put_Port()", kReadOnlyText));
  std::int32_t value = -1;
  EXPECT_OK(port().get_Port(&value));
  EXPECT_EQ(value, 0);
  EXPECT_EQ(parser_->modified_flags(), 0u);
}

TEST_F(OwnedChildTest, ChildOutlivingItsOwnerReachesNothing) {
  ComPtr<ITestPort> held;
  ASSERT_OK(GetOwned(port_->get(), held.Put()));
  port_.reset();  // the owner lets go
  ASSERT_OK(parser_->put_ReadOnly(1));
  EXPECT_OK(held->put_Port(443));  // writable and silent, as a detached item
  std::int32_t value = 0;
  EXPECT_OK(held->get_Port(&value));
  EXPECT_EQ(value, 443);
  EXPECT_EQ(parser_->modified_flags(), 0u);
}

}  // namespace
}  // namespace xmlsecdb::testing

// The C++ conveniences over the public interfaces: typed walks, typed
// items, the error text and lambda event subscriptions.
#include "xmlsecdb/convenience.h"

#include <gtest/gtest.h>

#include <vector>

#include "testing/hresult_matchers.h"
#include "xmlsecdb/xmlsecdb.h"

namespace xmlsecdb {
namespace {

std::string Example(std::string_view name) { return std::string(XMLSECDB_EXAMPLES "/") += name; }

class ConvenienceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_OK(CreateInstance(CLSID_XMLSDParserAM, parser_.Put()));
    ASSERT_OK(parser_->Load(Example("antimalware.xml"), 0));
    ASSERT_OK(parser_->get_RuleList(rules_.Put()));
  }

  ComPtr<ISDParserAM> parser_;
  ComPtr<IAMRuleList> rules_;
};

TEST_F(ConvenienceTest, ItemsWalksTypedMembersAndGetItemChecksTheirInterface) {
  std::int32_t count = 0;
  ASSERT_OK(rules_->get_Count(&count));
  std::vector<std::int32_t> ids;
  for (ComPtr<IAMRule> rule : Items<IAMRule>(rules_.get())) {
    ASSERT_TRUE(rule);
    std::int32_t id = 0;
    ASSERT_OK(rule->get_RuleID(&id));
    ids.push_back(id);
  }
  ASSERT_EQ(ids.size(), static_cast<std::size_t>(count));

  ComPtr<IAMRule> first;
  ASSERT_OK(GetItem(rules_.get(), 1, &first));
  std::int32_t id = 0;
  ASSERT_OK(first->get_RuleID(&id));
  EXPECT_EQ(id, ids.front());
  ComPtr<ISBXRule> wrong;
  EXPECT_HR(GetItem(rules_.get(), 1, &wrong), E_NOINTERFACE);
  EXPECT_HR(GetItem(rules_.get(), count + 1, &first), E_FAIL);
  EXPECT_FALSE(first);
  for (ComPtr<IAMRule> rule : Items<IAMRule>(nullptr)) ADD_FAILURE() << "an empty walk";
}

TEST_F(ConvenienceTest, TakeErrorDescriptionTakesTheRecord) {
  ASSERT_OK(parser_->put_ReadOnly(1));
  EXPECT_HR(parser_->New(), SECDB_E_READONLY);
  EXPECT_EQ(TakeErrorDescription(), "Database is opened in read-only mode and cannot be modified.");
  EXPECT_EQ(TakeErrorDescription(), "");
}

TEST_F(ConvenienceTest, SubscriptionsDeliverEventsUntilTheConnectionGoes) {
  std::vector<DISPID> seen;
  ComPtr<IAMRule> rule;
  ASSERT_OK(GetItem(rules_.get(), 1, &rule));
  {
    EventConnection events;
    ASSERT_OK(Subscribe(
        parser_.get(), DIID__ISDParserAMEvents,
        [&](DISPID id, const Variant* args, std::uint32_t count) {
          seen.push_back(id);
          if (id == DISPID_OnBeforeRuleChanged) {
            ASSERT_EQ(count, 2u);
            EXPECT_EQ(args[1], Variant(std::int32_t{AMR_DESCRIPTION}));
          }
        },
        &events));
    EXPECT_TRUE(events.connected());
    ASSERT_OK(rule->put_Description("changed"));
    EventConnection moved = std::move(events);
    EXPECT_FALSE(events.connected());
    ASSERT_OK(rule->put_Description("again"));
  }
  ASSERT_OK(rule->put_Description("unheard"));
  EXPECT_EQ(seen, (std::vector<DISPID>{DISPID_OnBeforeRuleChanged, DISPID_OnAfterRuleChanged,
                                       DISPID_OnBeforeRuleChanged, DISPID_OnAfterRuleChanged}));

  EventConnection none;
  EXPECT_HR(Subscribe(
                parser_.get(), DIID__ISDParserSBXEvents, [](DISPID, auto, auto) {}, &none),
            CONNECT_E_NOCONNECTION);
  EXPECT_FALSE(none.connected());
}

}  // namespace
}  // namespace xmlsecdb

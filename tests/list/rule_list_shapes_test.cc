// The two ordering traits of rule lists: placing by comparison on Insert,
// and sorting before a save, in each of their four combinations.
#include <gtest/gtest.h>

#include <vector>

#include "list/rule_list.h"
#include "list/test_lists.h"
#include "testing/hresult_matchers.h"

namespace xmlsecdb::testing {
namespace {

constexpr ListTraits TraitsWith(bool insert_by_compare, bool sort_before_save) {
  return {.class_name = "CTestRuleList",
          .create_name = "CreateRule",
          .clsid = &CLSID_TestRuleList,
          .iid = &ITestRuleList::kIID,
          .insert_by_compare = insert_by_compare,
          .sort_before_save = sort_before_save};
}

constexpr ListTraits kSorted = TraitsWith(true, true);       // rules
constexpr ListTraits kAppendSort = TraitsWith(false, true);  // dial numbers
constexpr ListTraits kCompareOnly = TraitsWith(true, false);
constexpr ListTraits kAppendOnly = TraitsWith(false, false);  // expressions

std::vector<std::int32_t> Ids(const TestRuleList& list) {
  std::vector<std::int32_t> ids;
  for (const TestRule* rule : list) ids.push_back(rule->rule_id());
  return ids;
}

// Rules with ids 1, 2, 3 and keys 3, 1, 2 go in one by one, or as a load;
// then rule 2's key becomes 5 and the list is sorted as a save sorts it.
TEST(RuleListShapeTest, InsertAndSaveOrderFollowTheTraits) {
  struct Case {
    const ListTraits* traits;
    std::vector<std::int32_t> inserted;
    std::vector<std::int32_t> saved;
  };
  const Case kCases[] = {
      {&kSorted, {2, 3, 1}, {3, 1, 2}},
      {&kAppendSort, {1, 2, 3}, {3, 1, 2}},
      {&kCompareOnly, {2, 3, 1}, {2, 3, 1}},
      {&kAppendOnly, {1, 2, 3}, {1, 2, 3}},
  };
  ComPtr<TestParser> parser = MakeObject<TestParser>();
  ParserListSite site(parser.get(), kTestRuleEvents);
  for (const Case& c : kCases) {
    for (bool loading : {false, true}) {
      SCOPED_TRACE(::testing::Message()
                   << "insert_by_compare=" << c.traits->insert_by_compare
                   << " sort_before_save=" << c.traits->sort_before_save << " loading=" << loading);
      ComPtr<TestRuleList> list = MakeObject<TestRuleList>(&site, *c.traits);
      std::vector<ComPtr<TestRule>> rules;
      const std::int32_t kKeys[] = {3, 1, 2};
      for (std::int32_t id = 1; id <= 3; ++id) {
        ComPtr<TestRule> rule = list->NewItem();
        ASSERT_OK(rule->put_RuleID(id));
        ASSERT_OK(rule->put_Key(kKeys[id - 1]));
        ASSERT_OK(loading ? list->InsertLoaded(rule.get()) : list->InsertMember(rule.get()));
        rules.push_back(rule);
      }
      if (loading) list->EndBulkLoad();
      EXPECT_EQ(Ids(*list), c.inserted);
      ASSERT_OK(rules[1]->put_Key(5));
      list->Sort();
      EXPECT_EQ(Ids(*list), c.saved);
      list->DetachOwner();
    }
  }
}

}  // namespace
}  // namespace xmlsecdb::testing

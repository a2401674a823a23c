#include "model/precedence.h"

#include <gtest/gtest.h>

#include "list/list_item.h"
#include "testing/hresult_matchers.h"

namespace xmlsecdb {
namespace {

TEST(PrecedenceTest, NumbersMapToPriorityAndPreferred) {
  struct Case {
    std::int32_t order;
    EPriority priority;
    bool preferred;
  };
  const Case kCases[] = {
      {5000, PRIOR_HIGH, true},     {15000, PRIOR_HIGH, false}, {25000, PRIOR_NORMAL, true},
      {35000, PRIOR_NORMAL, false}, {45000, PRIOR_LOW, true},   {55000, PRIOR_LOW, false},
      {12345, PRIOR_UNUSED, false}, {0, PRIOR_UNUSED, false},   {-5000, PRIOR_UNUSED, false},
  };
  for (const Case& c : kCases) {
    Precedence p(c.order);
    EXPECT_EQ(p.priority(), c.priority) << c.order;
    EXPECT_EQ(p.preferred(), c.preferred) << c.order;
    if (c.priority != PRIOR_UNUSED) {
      EXPECT_EQ(Precedence::Of(c.priority, c.preferred), p);
    }
  }
  EXPECT_EQ(Precedence().order(), 35000);
}

TEST(PrecedenceTest, SettingPriorityKeepsPreferredAndRefusesOtherValues) {
  struct Case {
    std::int32_t from;
    std::int32_t priority;
    HRESULT result;
    std::int32_t to;  // unchanged on failure
  };
  const Case kCases[] = {
      {35000, PRIOR_HIGH, S_OK, 15000},
      {25000, PRIOR_HIGH, S_OK, 5000},
      {5000, PRIOR_LOW, S_OK, 45000},
      {12345, PRIOR_LOW, S_OK, 55000},
      {25000, PRIOR_UNUSED, E_INVALIDARG, 25000},
      {25000, -1, E_INVALIDARG, 25000},
  };
  for (const Case& c : kCases) {
    Precedence p(c.from);
    EXPECT_HR(Precedence(c.from).WithPriority(c.priority, &p), c.result) << c.from;
    EXPECT_EQ(p.order(), c.to) << c.from << " " << c.priority;
  }
}

TEST(PrecedenceTest, SettingPreferredNeedsANumberOfTheTable) {
  struct Case {
    std::int32_t from;
    std::int32_t preferred;
    HRESULT result;
    std::int32_t to;
  };
  const Case kCases[] = {
      {35000, 1, S_OK, 25000}, {25000, 0, S_OK, 35000},         {55000, 7, S_OK, 45000},
      {5000, 1, S_OK, 5000},   {12345, 0, E_INVALIDARG, 12345},
  };
  for (const Case& c : kCases) {
    Precedence p(c.from);
    EXPECT_HR(Precedence(c.from).WithPreferred(c.preferred, &p), c.result) << c.from;
    EXPECT_EQ(p.order(), c.to) << c.from;
  }
}

// A detached item that keeps a precedence, as a rule does.
class RankedItem final : public ItemObject<ListItemBase, IDispatch> {
 public:
  Precedence precedence;
};

TEST(PrecedenceTest, RefusedSetterStoresNothing) {
  ComPtr<RankedItem> item = MakeObject<RankedItem>();
  ASSERT_OK(PutOrder(*item, item->precedence, "CTest::put_Order()", 12345, 0));
  EXPECT_HR(PutPreferred(*item, item->precedence, "CTest::put_Preferred()", 1, 0), E_INVALIDARG);
  EXPECT_HR(PutPriority(*item, item->precedence, "CTest::put_Priority()", 3, 0), E_INVALIDARG);
  EXPECT_EQ(item->precedence.order(), 12345);
  ASSERT_OK(PutPriority(*item, item->precedence, "CTest::put_Priority()", PRIOR_HIGH, 0));
  ASSERT_OK(PutPreferred(*item, item->precedence, "CTest::put_Preferred()", 1, 0));
  EXPECT_EQ(item->precedence.order(), 5000);

  EXPECT_HR(GetPriority(item->precedence, nullptr), E_POINTER);
  std::int32_t preferred = 0;
  ASSERT_OK(GetPreferred(item->precedence, &preferred));
  EXPECT_EQ(preferred, 1);
}

}  // namespace
}  // namespace xmlsecdb

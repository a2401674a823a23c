#include "model/rule_compare.h"

#include <gtest/gtest.h>

#include "model/rule_account.h"

namespace xmlsecdb {
namespace {

TEST(RuleCompareTest, RuleTextsGoFromSpecificToAny) {
  struct Case {
    std::string_view a;
    std::int32_t a_type;
    std::string_view b;
    std::int32_t b_type;
    PrefixOrder prefix;
    int order;
  };
  constexpr auto kLonger = PrefixOrder::kLongerFirst;
  constexpr auto kShorter = PrefixOrder::kShorterFirst;
  const Case kCases[] = {
      {"*", 0, "", 1, kLonger, 0},    // both stand for anything
      {"a", 1, "*", 0, kLonger, -1},  // anything goes last, whatever the type
      {"", 0, "z", 0, kShorter, 1},
      {"b", 0, "a", 1, kLonger, -1},      // then the reference type
      {"ABC", 0, "abd", 0, kLonger, -1},  // then the folded bytes
      {"abc", 0, "ABC", 0, kLonger, 0},
      {"c:\\dir\\sub", 0, "C:\\DIR", 0, kLonger, -1},  // then the prefix rule
      {"c:\\dir\\sub", 0, "C:\\DIR", 0, kShorter, 1},
      {"\xC3\xA9", 0, "e", 0, kLonger, 1},  // bytes above ASCII as they are
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(CompareRuleTexts(c.a, c.a_type, c.b, c.b_type, c.prefix), c.order)
        << c.a << " / " << c.b;
    EXPECT_EQ(CompareRuleTexts(c.b, c.b_type, c.a, c.a_type, c.prefix), -c.order)
        << c.b << " / " << c.a;
  }
  EXPECT_EQ(Keyed(-1, 4), -4);
  EXPECT_EQ(Keyed(1, 9), 9);
  EXPECT_EQ(OrderByBitCount(0x80000000, 0x3), -1);
}

TEST(RuleCompareTest, SystemAndAccountMoveTogether) {
  const SystemAccount user{0, RA_USER};
  EXPECT_EQ(WithSystem(user, 5), (SystemAccount{5, RA_SYSTEM}));
  EXPECT_EQ(WithSystem({5, RA_SYSTEM}, 0), user);
  EXPECT_EQ(WithAccount({5, RA_SYSTEM}, RA_BOTH), (SystemAccount{5, RA_BOTH}));
  EXPECT_EQ(WithAccount({5, RA_BOTH}, RA_USER), user);
  EXPECT_EQ(WithAccount(user, RA_SYSTEM), (SystemAccount{RA_SYSTEM, RA_SYSTEM}));
}

}  // namespace
}  // namespace xmlsecdb

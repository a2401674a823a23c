#include "list/rule_id.h"

#include <gtest/gtest.h>

#include "testing/hresult_matchers.h"

namespace xmlsecdb {
namespace {

TEST(RuleIdTest, ParsesBothForms) {
  struct Case {
    const char* text;
    std::int32_t id;
    const char* printed;
  };
  const Case kCases[] = {
      {"AS5", 0x41000005, "1090519045"},
      {"A5", -0x41000005, "-1090519045"},
      {"ZS65541", 0x5A000005, "1509949445"},  // only the low 16 bits count
      {"B", -0x42000000, "-1107296256"},
      {"17", 17, "17"},
      {"-3", -3, "-3"},
      {"a5", 0, "0"},  // not a capital: a plain (empty) number
  };
  for (const Case& c : kCases) {
    std::int32_t id = 99;
    ASSERT_OK(ParseRuleID(c.text, &id));
    EXPECT_EQ(id, c.id) << c.text;
    EXPECT_EQ(FormatRuleID(id), c.printed) << c.text;
  }
  std::int32_t id = 99;
  EXPECT_HR(ParseRuleID("", &id), E_POINTER);
  EXPECT_EQ(id, 99);
}

}  // namespace
}  // namespace xmlsecdb

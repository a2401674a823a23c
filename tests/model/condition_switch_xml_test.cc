// The `ConditionSwitch` element: what is read, the kinds' failure texts,
// and which attributes a save leaves out. (The round trip through a rule
// section is in access_descriptor_xml_test.cc.)
#include "model/condition_switch_xml.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fw/fw_words.h"
#include "model/access_test_rule.h"
#include "policy/policy_words.h"
#include "testing/hresult_matchers.h"
#include "testing/recording_context.h"

namespace xmlsecdb {
namespace {

using testing::AccessRules;
using testing::AccessTestRule;
using testing::AddRule;
using testing::MakeAccessTestParser;
using testing::RecordingContext;
using testing::TestParser;

TEST(ConditionSwitchXmlTest, ReadConvertsOrReportsTheKindsFailure) {
  struct Expected {
    ECFType type;
    ECFTarget target;
    std::int32_t bits_on;
    std::int32_t bits_off;
    const char* ui_flags;
  };
  struct Case {
    const ConditionSwitchConfig* config;
    std::vector<const char*> attributes;
    const char* failure;  // "" for success
    Expected expected;
  };
  const Case cases[] = {
      {&kPolicyConditionSwitch,
       {"type", "and", "target", "global"},
       "",
       {CST_AND, CSTRG_GLOBAL, 0, 0, ""}},
      {&kPolicyConditionSwitch,
       {"target", "global_process", "type", "and_or", "bits_on", "1|2|0|33", "bits_off", "32",
        "uiflags", "a b"},
       "",
       {CST_AND_OR, CSTRG_GLOBAL_PROCESS, 0x3, static_cast<std::int32_t>(0x80000000u), "a b"}},
      {&kPolicyConditionSwitch, {"target", "global"}, "109 Missing condition type.", {}},
      {&kPolicyConditionSwitch,
       {"type", "AND", "target", "global"},
       "110 Wrong condition type.",
       {}},
      {&kPolicyConditionSwitch, {"type", "or"}, "109 Missing condition target.", {}},
      {&kPolicyConditionSwitch,
       {"type", "or", "target", "host"},
       "110 Wrong condition target.",
       {}},
      // The type is checked before the target.
      {&kPolicyConditionSwitch, {"type", "x", "target", "y"}, "110 Wrong condition type.", {}},
      {&kFWConditionSwitch, {"target", "global"}, "109 Missing ConditionSwitch type", {}},
      {&kFWConditionSwitch, {"type", "x"}, "110 Wrong ConditionSwitch type", {}},
      {&kFWConditionSwitch, {"type", "or"}, "109 Missing ConditionSwitch target.", {}},
      {&kFWConditionSwitch, {"type", "or", "target", ""}, "110 Wrong ConditionSwitch target.", {}},
  };
  ComPtr<TestParser> parser = MakeAccessTestParser();
  for (const Case& c : cases) {
    std::vector<const char*> pairs = c.attributes;
    pairs.push_back(nullptr);
    SCOPED_TRACE(::testing::PrintToString(c.attributes));
    AccessTestRule* rule = AddRule(*parser);
    RecordingContext context(*parser);
    HRESULT hr =
        ReadConditionSwitch(context, SaxAttributes(pairs.data()), *c.config, *rule->switches());
    EXPECT_EQ(context.failure, c.failure);
    if (*c.failure) {
      EXPECT_HR(hr, E_FAIL);
      EXPECT_EQ(rule->switches()->count(), 0);
      continue;
    }
    ASSERT_OK(hr);
    ASSERT_EQ(rule->switches()->count(), 1);
    const CConditionSwitch& read = *rule->switches()->at(0);
    EXPECT_EQ(read.type(), c.expected.type);
    EXPECT_EQ(read.target(), c.expected.target);
    EXPECT_EQ(read.bits_on(), c.expected.bits_on);
    EXPECT_EQ(read.bits_off(), c.expected.bits_off);
    EXPECT_EQ(read.ui_flags(), c.expected.ui_flags);
  }
}

TEST(ConditionSwitchXmlTest, WriteLeavesOutZeroBitsEmptyFlagsAndValuesWithoutWords) {
  struct Case {
    ECFType type;
    ECFTarget target;
    std::int32_t bits_on;
    std::int32_t bits_off;
    const char* ui_flags;
    const char* element;
  };
  const Case cases[] = {
      {CST_AND, CSTRG_GLOBAL, 0, 0, "", "<ConditionSwitch type=\"and\" target=\"global\"/>"},
      {CST_OR, CSTRG_PROCESS, 0x5, -1, "x\"y",
       "<ConditionSwitch type=\"or\" target=\"process\" bits_on=\"1|3\" "
       "bits_off=\"1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19|20|21|22|23|24|25|26|27|28|"
       "29|30|31|32\" uiflags=\"x&quot;y\"/>"},
      {static_cast<ECFType>(7), static_cast<ECFTarget>(-1), 0, 0x2, "",
       "<ConditionSwitch bits_off=\"2\"/>"},
  };
  ComPtr<TestParser> parser = MakeAccessTestParser();
  AccessTestRule* rule = AddRule(*parser);
  XmlAttributes scratch;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.element);
    ComPtr<CConditionSwitch> item = rule->switches()->NewItem();
    ASSERT_OK(item->put_Type(c.type));
    ASSERT_OK(item->put_Target(c.target));
    ASSERT_OK(item->put_BitsOn(c.bits_on));
    ASSERT_OK(item->put_BitsOff(c.bits_off));
    ASSERT_OK(item->put_UIFlags(c.ui_flags));
    XmlWriter writer;
    ASSERT_OK(WriteConditionSwitch(writer, scratch, *item));
    EXPECT_EQ(writer.output(), c.element);
  }
}

}  // namespace
}  // namespace xmlsecdb

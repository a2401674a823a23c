// The shared policy rule: its packed texts and the comparison that orders
// rule lists (keys and magnitudes).
#include "policy/policy_rule.h"

#include <gtest/gtest.h>

#include "am/am_parser.h"
#include "list/packed_text.h"
#include "testing/hresult_matchers.h"

namespace xmlsecdb::testing {
namespace {

TEST(PackedTextTest, SlotsKeepTheirTextsThroughSetsAndCopies) {
  PackedText<3> texts;
  EXPECT_EQ(texts.memory(), 0u);
  texts.set(1, "middle");
  texts.set(2, "last");
  texts.set(0, "first");
  texts.set(1, "");
  PackedText<3> copy = texts;
  texts.set(2, texts.get(0));  // a view into the block itself
  EXPECT_EQ(texts.get(0), "first");
  EXPECT_EQ(texts.get(1), "");
  EXPECT_EQ(texts.get(2), "first");
  EXPECT_EQ(copy.get(2), "last");
  std::string_view all[3] = {"", "", ""};
  texts.assign(all);
  EXPECT_EQ(texts.memory(), 0u);
}

class PolicyRuleCompareTest : public ::testing::Test {
 protected:
  ComPtr<CAMRule> Rule(std::int32_t order, std::string_view path, std::int32_t path_type = 0,
                       std::int32_t out_and = 0, std::string_view assignment = "") {
    ComPtr<CAMRule> rule = parser_->rules()->NewItem();
    rule->fields().object_type = OT_ANTI_MALWARE;
    rule->fields().precedence = Precedence(order);
    rule->fields().path_type = path_type;
    rule->fields().out_condition_and = out_and;
    rule->texts().set(PolicyRuleCore::kPath, path);
    rule->texts().set(PolicyRuleCore::kAssignment, assignment);
    return rule;
  }
  // A rule whose one access descriptor has these fields.
  ComPtr<CAMRule> WithAccess(std::int32_t type, EAccessResult result, EAuditLevel level) {
    ComPtr<CAMRule> rule = Rule(35000, "a");
    ComPtr<IAccessDescriptor> descriptor;
    EXPECT_OK(rule->access_list().CreateAccessDescriptor(descriptor.Put()));
    EXPECT_OK(descriptor->put_AccessType(type));
    EXPECT_OK(descriptor->put_AccessResult(result));
    EXPECT_OK(descriptor->put_AuditLevel(level));
    EXPECT_OK(rule->access_list().Insert(descriptor.get()));
    return rule;
  }

  ComPtr<CAMParser> parser_ = MakeObject<CAMParser>();
};

TEST_F(PolicyRuleCompareTest, FirstDifferingKeyGivesSignAndMagnitude) {
  ComPtr<CAMRule> file = Rule(35000, "a");
  file->fields().object_type = OT_FILE;
  ComPtr<CAMRule> with_or = Rule(35000, "a");
  with_or->fields().out_condition_or = 0x3;
  ComPtr<CAMRule> described = Rule(35000, "a");
  ComPtr<IAccessDescriptor> descriptor;
  ASSERT_OK(described->access_list().CreateAccessDescriptor(descriptor.Put()));
  ASSERT_OK(described->access_list().Insert(descriptor.get()));
  struct Case {
    ComPtr<CAMRule> a, b;
    std::int16_t expected;
  };
  const Case cases[] = {
      {file, Rule(35000, "a"), -1},                        // object type
      {Rule(5000, "z"), Rule(35000, "a"), -2},             // precedence
      {Rule(35000, "alpha/x"), Rule(35000, "alpha"), -4},  // longer direct path first
      {Rule(35000, "alpha"), Rule(35000, "Beta"), -4},     // case ignored
      {Rule(35000, "*"), Rule(35000, "zzz"), 4},           // "*" after any path
      {Rule(35000, ""), Rule(35000, "*"), 0},              // both match anything
      {Rule(35000, "b", RT_DIRECT), Rule(35000, "a", RT_DEFINITION), -4},
      {Rule(35000, "F1", RT_DEFINITION), Rule(35000, "F10", RT_DEFINITION), -4},
      {Rule(35000, "a", 0, 1), Rule(35000, "a", 0, 3), -4},  // AND bit count
      {Rule(35000, "a"), with_or, -5},                       // OR bit count
      {Rule(35000, "a", 0, 0, "servers"), Rule(35000, "a", 0, 0, "*"), -9},
      {Rule(35000, "a"), described, -7},  // fewer descriptors first
      // Inside the descriptors: type, then result, then level.
      {WithAccess(1, AR_ALLOW, AL_IGNORE), WithAccess(2, AR_PREVENT, AL_IGNORE), -7},
      {WithAccess(1, AR_PREVENT, AL_MONITOR), WithAccess(1, AR_ALLOW, AL_IGNORE), -7},
      {WithAccess(1, AR_ALLOW, AL_IGNORE), WithAccess(1, AR_ALLOW, AL_MONITOR), -7},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.a->CompareContent(*c.b), c.expected) << c.a->text(PolicyRuleCore::kPath);
    EXPECT_EQ(c.b->CompareContent(*c.a), -c.expected) << c.b->text(PolicyRuleCore::kPath);
  }
}

}  // namespace
}  // namespace xmlsecdb::testing

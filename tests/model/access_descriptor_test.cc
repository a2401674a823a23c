// Access descriptors and their rule-owned list: defaults, the rule's
// notifications, read-only refusals and CopyToList.
#include "model/access_descriptor.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/access_test_rule.h"
#include "testing/hresult_matchers.h"
#include "testing/test_env.h"

namespace xmlsecdb {
namespace {

using testing::AccessRules;
using testing::AccessTestRule;
using testing::AddRule;
using testing::MakeAccessTestParser;
using testing::TestParser;
using Notices = std::vector<std::string>;

class AccessDescriptorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rule_ = AddRule(*parser_);
    ASSERT_NE(rule_, nullptr);
  }

  ComPtr<IAccessDescriptor> Insert() {
    ComPtr<IAccessDescriptor> item;
    EXPECT_OK(rule_->access()->CreateAccessDescriptor(item.Put()));
    EXPECT_OK(rule_->access()->Insert(item.get()));
    return item;
  }

  ComPtr<TestParser> parser_ = MakeAccessTestParser();
  AccessTestRule* rule_ = nullptr;
};

TEST_F(AccessDescriptorTest, NewDescriptorHasTheDefaultsAndTakesAnyValue) {
  ComPtr<IAccessDescriptor> item;
  ASSERT_OK(rule_->access()->CreateAccessDescriptor(item.Put()));
  std::int32_t access_type = -1;
  EAccessResult result = AR_NONE;
  EAuditLevel level = AL_SEVERITY_5;
  ASSERT_OK(item->get_AccessType(&access_type));
  ASSERT_OK(item->get_AccessResult(&result));
  ASSERT_OK(item->get_AuditLevel(&level));
  EXPECT_EQ(access_type, 0);
  EXPECT_EQ(result, AR_ALLOW);
  EXPECT_EQ(level, AL_IGNORE);

  // No range checks.
  ASSERT_OK(item->put_AuditLevel(static_cast<EAuditLevel>(99)));
  ASSERT_OK(item->put_AccessResult(static_cast<EAccessResult>(-7)));
  ASSERT_OK(item->get_AuditLevel(&level));
  ASSERT_OK(item->get_AccessResult(&result));
  EXPECT_EQ(level, 99);
  EXPECT_EQ(result, -7);
  EXPECT_HR(item->get_AccessType(nullptr), E_POINTER);
  EXPECT_TRUE(rule_->notices.empty()) << "a detached descriptor reports nothing";
}

TEST_F(AccessDescriptorTest, MembersReportToTheirRule) {
  ComPtr<IAccessDescriptor> item = Insert();
  ASSERT_OK(item->put_AccessType(0x19));
  ASSERT_OK(item->put_AccessType(0x19));  // unchanged: silent
  ASSERT_OK(item->put_AuditLevel(AL_SEVERITY_3));
  ASSERT_OK(rule_->access()->Remove(item.get()));
  ASSERT_OK(item->put_AccessResult(AR_PREVENT));  // removed: silent
  EXPECT_EQ(rule_->notices,
            (Notices{"before-insert:item", "after-insert:item", "modified", "before-change:item:1",
                     "after-change:item:1", "modified", "before-change:item:3",
                     "after-change:item:3", "before-remove:item", "after-remove:item"}));
  EXPECT_EQ(parser_->modified_flags() & ParserCore::kModifiedRules, ParserCore::kModifiedRules);

  rule_->notices.clear();
  Insert();
  Insert();
  rule_->notices.clear();
  ASSERT_OK(rule_->access()->Clear());
  EXPECT_EQ(rule_->notices, (Notices{"before-remove:null", "after-remove:null"}));
  EXPECT_EQ(rule_->access()->count(), 0);

  EXPECT_HR(rule_->access()->Remove(item.get()), SECDB_E_NOTFOUND);
  EXPECT_EQ(testing::TakeErrorDescription(), "Item not found.");
}

TEST_F(AccessDescriptorTest, ReadOnlyParserRefusesEveryChange) {
  ComPtr<IAccessDescriptor> member = Insert();
  ASSERT_OK(parser_->put_ReadOnly(1));
  rule_->notices.clear();
  CAccessDescriptorList& list = *rule_->access();
  ComPtr<IAccessDescriptor> made;
  struct Case {
    const char* source;
    std::function<HRESULT()> call;
  };
  const Case cases[] = {
      {"CAccessDescriptor::put_AccessType()", [&] { return member->put_AccessType(5); }},
      {"CAccessDescriptor::put_AccessResult()",
       [&] { return member->put_AccessResult(AR_PREVENT); }},
      {"CAccessDescriptor::put_AuditLevel()", [&] { return member->put_AuditLevel(AL_MONITOR); }},
      {"CAccessDescriptorList::CreateAccessDescriptor()",
       [&] { return list.CreateAccessDescriptor(made.Put()); }},
      {"CAccessDescriptorList::Insert()", [&] { return list.Insert(member.get()); }},
      {"CAccessDescriptorList::Remove()", [&] { return list.Remove(member.get()); }},
      {"CAccessDescriptorList::Clear()", [&] { return list.Clear(); }},
  };
  testing::ScopedDebugLogCapture log;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    EXPECT_HR(c.call(), SECDB_E_READONLY);
    EXPECT_TRUE(testing::Reported(log, c.source, testing::kReadOnlyText));
  }
  EXPECT_EQ(made.get(), nullptr);
  EXPECT_EQ(list.count(), 1);
  std::int32_t access_type = -1;
  ASSERT_OK(member->get_AccessType(&access_type));
  EXPECT_EQ(access_type, 0);
  EXPECT_TRUE(rule_->notices.empty());
}

TEST_F(AccessDescriptorTest, CopyToListReplacesTheTargetWithCopies) {
  struct Fields {
    std::int32_t access_type;
    EAccessResult result;
    EAuditLevel level;
  };
  const Fields fields[] = {{0xA9, AR_PREVENT, AL_SEVERITY_3}, {0x1001F, AR_ASKUSER, AL_IGNORE}};
  for (const Fields& f : fields) {
    ComPtr<IAccessDescriptor> item = Insert();
    ASSERT_OK(item->put_AccessType(f.access_type));
    ASSERT_OK(item->put_AccessResult(f.result));
    ASSERT_OK(item->put_AuditLevel(f.level));
  }
  AccessTestRule* other = AddRule(*parser_);
  ComPtr<IAccessDescriptor> stale;
  ASSERT_OK(other->access()->CreateAccessDescriptor(stale.Put()));
  ASSERT_OK(other->access()->Insert(stale.get()));
  other->notices.clear();

  ASSERT_OK(rule_->access()->CopyToList(other->access()));
  ASSERT_EQ(other->access()->count(), 2);
  for (std::int32_t i = 0; i < 2; ++i) {
    const CAccessDescriptor& copy = *other->access()->at(i);
    EXPECT_NE(&copy, rule_->access()->at(i));
    EXPECT_EQ(copy.access_type(), fields[i].access_type);
    EXPECT_EQ(copy.access_result(), fields[i].result);
    EXPECT_EQ(copy.audit_level(), fields[i].level);
  }
  EXPECT_EQ(other->notices,
            (Notices{"before-remove:null", "after-remove:null", "before-insert:item",
                     "after-insert:item", "before-insert:item", "after-insert:item"}));

  EXPECT_HR(rule_->access()->CopyToList(nullptr), E_POINTER);
  // Onto itself: unchanged, not emptied by the clearing of the target.
  ASSERT_OK(rule_->access()->CopyToList(rule_->access()));
  EXPECT_EQ(rule_->access()->count(), 2);

  // A failing Clear of the target ends the copy with its result.
  ASSERT_OK(parser_->put_ReadOnly(1));
  EXPECT_HR(rule_->access()->CopyToList(other->access()), SECDB_E_READONLY);
  EXPECT_EQ(other->access()->count(), 2);
}

}  // namespace
}  // namespace xmlsecdb

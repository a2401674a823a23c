// Groups: the computed status and mode, and the unique GroupID.
#include "ids/ids_group.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ids/ids_fixture.h"
#include "testing/hresult_matchers.h"

namespace xmlsecdb {
namespace {

TEST(IDSGroupTest, StatusAndModeFollowTheRules) {
  struct RuleState {
    bool enabled;
    std::int32_t access_result;
  };
  struct Case {
    std::vector<RuleState> rules;
    EIDSRulesStatus status;
    EIDSRulesMode mode;
  };
  const Case cases[] = {
      {{}, IDSS_MIXED, IDSM_MIXED},
      {{{true, AR_ALLOW}}, IDSS_ENABLED, IDSM_ASYNC},
      {{{false, AR_PREVENT}, {false, AR_PREVENT}}, IDSS_DISABLED, IDSM_SYNC},
      {{{true, AR_ALLOW}, {false, AR_ALLOW}}, IDSS_MIXED, IDSM_ASYNC},
      {{{true, AR_PREVENT}, {true, AR_ALLOW}}, IDSS_ENABLED, IDSM_MIXED},
      // Any access result other than allow counts as blocking.
      {{{true, AR_ASKUSER}, {true, 17}}, IDSS_ENABLED, IDSM_SYNC},
  };
  ComPtr<CIDSGroupList> groups = MakeObject<CIDSGroupList>(nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rules.size());
    ComPtr<CIDSGroup> group = groups->NewItem();
    for (const RuleState& state : c.rules) {
      ComPtr<CIDSRule> rule = group->rules()->NewItem();
      ASSERT_OK(rule->put_Enabled(state.enabled ? -1 : 0));
      ASSERT_OK(rule->put_AccessResult(state.access_result));
      ASSERT_OK(group->rules()->Insert(rule.get()));
    }
    EIDSRulesStatus status = IDSS_MIXED;
    EIDSRulesMode mode = IDSM_MIXED;
    ASSERT_OK(group->get_RulesStatus(&status));
    ASSERT_OK(group->get_RulesMode(&mode));
    EXPECT_EQ(status, c.status);
    EXPECT_EQ(mode, c.mode);
  }
}

TEST(IDSGroupTest, GroupIDIsUniqueInTheParsersList) {
  ComPtr<CIDSParser> parser = testing::MakeIDSParser();
  ComPtr<IIDSGroupList> groups;
  ASSERT_OK(parser->get_GroupList(groups.Put()));
  ComPtr<IIDSGroup> web, mail, fresh;
  ASSERT_OK(groups->CreateGroup(web.Put()));
  ASSERT_OK(web->put_GroupID("web"));
  ASSERT_OK(groups->Insert(web.get()));
  ASSERT_OK(groups->CreateGroup(mail.Put()));
  ASSERT_OK(mail->put_GroupID("mail"));
  ASSERT_OK(groups->Insert(mail.get()));

  const std::string kDuplicate = "Object with gived ID already exists.";
  // A new group cannot take an ID in use, nor be inserted with one; a
  // member cannot take another's ID, nor (as before) set its own again.
  ASSERT_OK(groups->CreateGroup(fresh.Put()));
  EXPECT_HR(fresh->put_GroupID("web"), SECDB_E_DUPLICATEID);
  EXPECT_EQ(testing::TakeErrorDescription(), kDuplicate);
  EXPECT_HR(mail->put_GroupID("web"), SECDB_E_DUPLICATEID);
  EXPECT_EQ(testing::TakeErrorDescription(), kDuplicate);
  EXPECT_HR(web->put_GroupID("web"), SECDB_E_DUPLICATEID);
  EXPECT_EQ(testing::TakeErrorDescription(), kDuplicate);
  ASSERT_OK(fresh->put_GroupID("Web"));  // IDs compare exactly
  ASSERT_OK(fresh->put_GroupID("mail2"));
  ASSERT_OK(mail->put_GroupID("mail3"));
  ASSERT_OK(fresh->put_GroupID("mail"));  // freed by the rename above

  auto* list = static_cast<CIDSGroupList*>(groups.get());
  ComPtr<CIDSGroup> clash = list->NewItem();
  ASSERT_OK(groups->Insert(fresh.get()));
  EXPECT_HR(groups->Insert(clash.get()), S_OK);  // ID "" is free once
  ComPtr<CIDSGroup> clash2 = list->NewItem();
  EXPECT_HR(groups->Insert(clash2.get()), SECDB_E_DUPLICATEID);
  EXPECT_EQ(testing::TakeErrorDescription(), kDuplicate);
  std::int32_t count = 0;
  ASSERT_OK(groups->get_Count(&count));
  EXPECT_EQ(count, 4);

  ComPtr<IIDSGroup> found;
  ASSERT_OK(groups->Get("mail", found.Put()));
  EXPECT_EQ(found.get(), fresh.get());
  EXPECT_HR(groups->Get("MAIL", found.Put()), SECDB_E_NOTFOUND);
  EXPECT_EQ(testing::TakeErrorDescription(), "Item not found.");
}

}  // namespace
}  // namespace xmlsecdb

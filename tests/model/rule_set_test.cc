#include "model/rule_set.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/section_parser.h"
#include "testing/hresult_matchers.h"

namespace xmlsecdb::testing {
namespace {

class RuleSetListTest : public ::testing::Test {
 protected:
  RuleSetListTest() : parser_(MakeSectionParser()), list_(RuleSets(*parser_).list()) {}

  ComPtr<IRuleSet> Make(std::string_view id) {
    ComPtr<IRuleSet> rule_set;
    EXPECT_OK(list_->CreateRuleSet(rule_set.Put()));
    EXPECT_OK(rule_set->put_RuleSetID(id));
    return rule_set;
  }
  std::string Ids() {
    std::string ids;
    for (const CRuleSet* member : *list_) ids += member->id() + ";";
    return ids;
  }

  ComPtr<TestParser> parser_;
  CRuleSetList* list_;
};

TEST_F(RuleSetListTest, InsertPlacesBeforeTheGivenMember) {
  ComPtr<IRuleSet> a = Make("a"), b = Make("b"), c = Make("c"), stray = Make("stray");
  ComPtr<IRuleSet> outsider = Make("outsider");
  ASSERT_OK(list_->Insert(a.get(), a.get()));  // itself as `before`: appends
  ASSERT_OK(list_->Insert(c.get(), nullptr));
  ASSERT_OK(list_->Insert(b.get(), c.get()));
  EXPECT_EQ(Ids(), "a;b;c;");

  EXPECT_HR(list_->Insert(stray.get(), outsider.get()), SECDB_E_NOTFOUND);
  EXPECT_EQ(Ids(), "a;b;c;");

  ASSERT_OK(list_->Remove(b.get()));
  EXPECT_HR(list_->Remove(b.get()), SECDB_E_NOTFOUND);
  EXPECT_EQ(Ids(), "a;c;");
}

TEST_F(RuleSetListTest, DuplicateIdsAreKept) {
  ASSERT_OK(list_->Insert(Make("same").get(), nullptr));
  ASSERT_OK(list_->Insert(Make("same").get(), nullptr));
  EXPECT_EQ(Ids(), "same;same;");
}

// The list reports codes only: no call leaves an error record, read-only
// refusals included.
TEST_F(RuleSetListTest, FailuresSetNoErrorRecord) {
  ComPtr<IRuleSet> member = Make("m");
  ASSERT_OK(list_->Insert(member.get(), nullptr));
  ComPtr<IRuleSet> loose = Make("loose"), outsider = Make("outsider");
  ComPtr<IRuleSet> made;
  struct Case {
    const char* what;
    bool read_only;
    std::function<HRESULT()> call;
    HRESULT expected;
  };
  const Case cases[] = {
      {"create null", false, [&] { return list_->CreateRuleSet(nullptr); }, E_POINTER},
      {"insert null", false, [&] { return list_->Insert(nullptr, nullptr); }, E_POINTER},
      {"insert before stranger", false, [&] { return list_->Insert(loose.get(), outsider.get()); },
       SECDB_E_NOTFOUND},
      {"remove null", false, [&] { return list_->Remove(nullptr); }, E_POINTER},
      {"remove stranger", false, [&] { return list_->Remove(loose.get()); }, SECDB_E_NOTFOUND},
      {"create", true, [&] { return list_->CreateRuleSet(made.Put()); }, SECDB_E_READONLY},
      {"insert", true, [&] { return list_->Insert(loose.get(), nullptr); }, SECDB_E_READONLY},
      {"remove", true, [&] { return list_->Remove(member.get()); }, SECDB_E_READONLY},
      {"clear", true, [&] { return list_->Clear(); }, SECDB_E_READONLY},
  };
  for (const Case& c : cases) {
    ASSERT_OK(parser_->put_ReadOnly(c.read_only));
    EXPECT_HR(c.call(), c.expected) << c.what;
    EXPECT_EQ(TakeErrorDescription(), "") << c.what;
  }
  EXPECT_EQ(Ids(), "m;");
  // Properties are plain stores, read-only or not.
  EXPECT_OK(member->put_RuleSetID(""));
  EXPECT_OK(member->put_Description("d"));
  EXPECT_EQ(Ids(), ";");
}

TEST_F(RuleSetListTest, FindIgnoresCase) {
  ASSERT_OK(list_->Insert(Make("Office").get(), nullptr));
  ComPtr<IRuleSet> found;
  ASSERT_OK(list_->FindRuleSet("oFFICE", found.Put()));
  std::string id;
  ASSERT_OK(found->get_RuleSetID(&id));
  EXPECT_EQ(id, "Office");
  EXPECT_HR(list_->FindRuleSet("Offic", found.Put()), SECDB_E_NOTFOUND);
}

TEST_F(RuleSetListTest, RuleListIdsBelongToTheRuleSet) {
  ComPtr<IRuleSet> rule_set = Make("s");
  ComPtr<ISimpleValueList> ids;
  ASSERT_OK(rule_set->get_RuleListIDs(ids.Put()));
  ASSERT_OK(ids->Insert("list-1"));
  ComPtr<ISimpleValueList> again;
  ASSERT_OK(rule_set->get_RuleListIDs(again.Put()));
  EXPECT_EQ(again.get(), ids.get());
  std::int32_t count = 0;
  ASSERT_OK(again->get_Count(&count));
  EXPECT_EQ(count, 1);
}

}  // namespace
}  // namespace xmlsecdb::testing

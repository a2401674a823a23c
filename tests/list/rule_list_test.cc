#include "list/rule_list.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/messages.h"
#include "list/test_lists.h"
#include "testing/hresult_matchers.h"
#include "testing/test_env.h"

namespace xmlsecdb::testing {
namespace {

class RuleListTest : public ::testing::Test {
 protected:
  RuleListTest() : parser_(MakeObject<TestParser>()), list_(AddRuleList(*parser_)) {}

  // Creates and inserts a rule with `id` and `key`.
  ComPtr<ITestRule> Add(std::int32_t id, std::int32_t key = 0) {
    ComPtr<ITestRule> rule = MakeRule(id, key);
    EXPECT_OK(list_->Insert(rule.get(), nullptr));
    return rule;
  }
  ComPtr<ITestRule> MakeRule(std::int32_t id, std::int32_t key = 0) {
    ComPtr<ITestRule> rule;
    EXPECT_OK(list_->CreateRule(rule.Put()));
    EXPECT_OK(rule->put_RuleID(id));
    EXPECT_OK(rule->put_Key(key));
    return rule;
  }
  // The identifiers in list order, read through Item.
  std::vector<std::int32_t> Ids() {
    std::int32_t count = 0;
    EXPECT_OK(list_->get_Count(&count));
    std::vector<std::int32_t> ids;
    for (std::int32_t i = 1; i <= count; ++i) {
      Variant item;
      EXPECT_OK(list_->get_Item(i, &item));
      ComPtr<ITestRule> rule;
      EXPECT_OK(item.as_object()->As(&rule));
      std::int32_t id = 0;
      EXPECT_OK(rule->get_RuleID(&id));
      ids.push_back(id);
    }
    return ids;
  }
  ComPtr<EventLog> Listen() {
    ComPtr<EventLog> log = MakeObject<EventLog>();
    std::uint32_t cookie = 0;
    EXPECT_OK(parser_->events().Advise(log->unknown(), &cookie));
    return log;
  }

  ComPtr<TestParser> parser_;
  TestRuleList* list_;
};

TEST_F(RuleListTest, InsertPlacesByComparison) {
  struct Case {
    std::vector<std::int32_t> keys;  // inserted with ids 1, 2, ...
    std::vector<std::int32_t> order;
  };
  const Case kCases[] = {
      {{1, 2, 3}, {1, 2, 3}},  // save order: always appended
      {{3, 2, 1}, {3, 2, 1}},
      // Equal to the last: after it. Equal to members further in: before them.
      {{5, 3, 5, 1, 3}, {4, 5, 2, 1, 3}},
      {{2, 2, 2}, {1, 2, 3}},
  };
  for (const Case& c : kCases) {
    ASSERT_OK(list_->Clear());
    for (std::size_t i = 0; i < c.keys.size(); ++i)
      Add(static_cast<std::int32_t>(i + 1), c.keys[i]);
    EXPECT_EQ(Ids(), c.order);
  }
}

// A load appends and settles the order at the section's end; the result
// must be the order the same rules get from Insert one by one, equal rules
// included (equal to the last member: after it; equal to members further
// in: before them). The second list replays the walks instead of sorting.
TEST_F(RuleListTest, BulkLoadGivesInsertsOrder) {
  constexpr ListTraits kReplayTraits = {"CTestRuleList",
                                        "CreateRule",
                                        &CLSID_TestRuleList,
                                        &ITestRuleList::kIID,
                                        &kItemNotices,
                                        true,
                                        false};
  std::vector<std::vector<std::int32_t>> key_sets = {
      {1, 2, 3}, {3, 2, 1}, {5, 3, 5, 1, 3}, {2, 2, 2}, {2, 1, 2, 1, 2, 3, 1, 3}, {}};
  std::uint32_t seed = 12345;
  std::vector<std::int32_t> random_keys;
  for (int i = 0; i < 400; ++i) {
    seed = seed * 1103515245u + 12345u;
    random_keys.push_back(static_cast<std::int32_t>((seed >> 16) % 7));
  }
  key_sets.push_back(random_keys);
  for (const ListTraits* traits : {&kTestRuleListTraits, &kReplayTraits}) {
    for (const std::vector<std::int32_t>& keys : key_sets) {
      ComPtr<TestRuleList> loaded = MakeObject<TestRuleList>(nullptr, *traits);
      ASSERT_OK(list_->Clear());
      for (std::size_t i = 0; i < keys.size(); ++i) {
        const auto id = static_cast<std::int32_t>(i + 1);
        Add(id, keys[i]);
        ComPtr<TestRule> rule = loaded->NewItem();
        ASSERT_OK(rule->put_RuleID(id));
        ASSERT_OK(rule->put_Key(keys[i]));
        ASSERT_OK(loaded->InsertLoaded(rule.get()));
      }
      loaded->EndBulkLoad();
      std::vector<std::int32_t> order;
      for (const TestRule* rule : *loaded) order.push_back(rule->rule_id());
      EXPECT_EQ(order, Ids()) << "keys " << ::testing::PrintToString(keys);
    }
  }
}

// An Insert or an Item call in the middle of a load (or after one that
// failed part-way) first settles the rules loaded so far.
TEST_F(RuleListTest, InsertDuringALoadSettlesTheLoadedRulesFirst) {
  const std::int32_t kKeys[] = {3, 1, 3, 2};
  for (std::int32_t i = 0; i < 4; ++i) {
    ComPtr<TestRule> rule = list_->NewItem();
    ASSERT_OK(rule->put_RuleID(i + 1));
    ASSERT_OK(rule->put_Key(kKeys[i]));
    ASSERT_OK(list_->InsertLoaded(rule.get()));
    if (i == 1) {
      EXPECT_EQ(Ids(), (std::vector<std::int32_t>{2, 1}));
    }
  }
  Add(5, 1);
  EXPECT_EQ(Ids(), (std::vector<std::int32_t>{5, 2, 4, 1, 3}));
}

TEST_F(RuleListTest, DuplicateIdentifierIsRefusedAndLeavesTheList) {
  Add(7, 1);
  ComPtr<ITestRule> twin = MakeRule(7, 0);
  EXPECT_HR(list_->Insert(twin.get(), nullptr), SECDB_E_DUPLICATEID);
  EXPECT_EQ(TakeErrorDescription(), LoadMessage(kMsgDuplicateRuleId));
  EXPECT_EQ(Ids(), std::vector<std::int32_t>{7});
  EXPECT_FALSE(list_->Find(7) == static_cast<TestRule*>(twin.get()));
  // The same rule twice is the same duplicate.
  ComPtr<ITestRule> member;
  ASSERT_OK(list_->GetByRuleNum(7, member.Put()));
  EXPECT_HR(list_->Insert(member.get(), nullptr), SECDB_E_DUPLICATEID);
  EXPECT_EQ(list_->count(), 1);
}

TEST_F(RuleListTest, ItemChecksItsIndex) {
  Add(1);
  Variant item;
  EXPECT_HR(list_->get_Item(1, nullptr), E_POINTER);
  EXPECT_HR(list_->get_Item(0, &item), E_INVALIDARG);
  EXPECT_HR(list_->get_Item(2, &item), E_FAIL);
  EXPECT_HR(list_->get_Count(nullptr), E_POINTER);
}

TEST_F(RuleListTest, GetParsesTheIdentifierText) {
  Add(0x41000005);
  Add(-0x41000005);
  Add(12);
  struct Case {
    const char* text;
    HRESULT result;
    std::int32_t id;
  };
  const Case kCases[] = {
      {"AS5", S_OK, 0x41000005}, {"A5", S_OK, -0x41000005},   {"1090519045", S_OK, 0x41000005},
      {"12", S_OK, 12},          {"13", SECDB_E_NOTFOUND, 0}, {"", E_POINTER, 0},
  };
  for (const Case& c : kCases) {
    ComPtr<ITestRule> rule;
    EXPECT_HR(list_->Get(c.text, rule.Put()), c.result) << c.text;
    if (c.result != S_OK) continue;
    std::int32_t id = 0;
    ASSERT_OK(rule->get_RuleID(&id));
    EXPECT_EQ(id, c.id) << c.text;
  }
  ComPtr<ITestRule> rule;
  EXPECT_HR(list_->Get("13", nullptr), E_POINTER);
  EXPECT_HR(list_->GetByRuleNum(-1, rule.Put()), SECDB_E_NOTFOUND);
  EXPECT_EQ(TakeErrorDescription(), LoadMessage(kMsgNotFound));
}

TEST_F(RuleListTest, GenerateRuleIdFindsTheFirstFreeIdentifier) {
  ComPtr<TestParser> master = MakeObject<TestParser>();
  struct Case {
    std::vector<std::int32_t> ids;
    bool with_master;
    std::int32_t expected;
  };
  const Case kCases[] = {
      {{}, false, 1},       {{1, 3}, false, 2}, {{1, 2, 3}, false, 4},
      {{-1, -2}, false, 1}, {{}, true, -1},     {{-1}, true, -2},
      {{-1, -3}, true, -2}, {{1, 2}, true, -1}, {{0x41000001}, false, 1},
  };
  for (const Case& c : kCases) {
    ComPtr<TestParser> parser = MakeObject<TestParser>();
    TestRuleList* rules = AddRuleList(*parser);
    if (c.with_master) {
      ASSERT_OK(parser->SetMasterParser(master.get()));
    }
    for (std::int32_t id : c.ids) {
      ComPtr<ITestRule> rule;
      ASSERT_OK(rules->CreateRule(rule.Put()));
      ASSERT_OK(rule->put_RuleID(id));
      ASSERT_OK(rules->Insert(rule.get(), nullptr));
    }
    std::int32_t id = 0;
    EXPECT_OK(rules->GenerateRuleID(0, 0, &id));
    EXPECT_EQ(id, c.expected);
  }
  EXPECT_HR(list_->GenerateRuleID(0, 0, nullptr), E_POINTER);
}

TEST_F(RuleListTest, GenerateRuleIdFollowsRemovalsAndIdentifierChanges) {
  std::vector<ComPtr<ITestRule>> rules;
  for (std::int32_t id = 1; id <= 5; ++id) rules.push_back(Add(id));
  auto next = [&] {
    std::int32_t id = 0;
    EXPECT_OK(list_->GenerateRuleID(0, 0, &id));
    return id;
  };
  EXPECT_EQ(next(), 6);
  ASSERT_OK(list_->Remove(rules[3].get()));  // 4
  ASSERT_OK(list_->Remove(rules[1].get()));  // 2
  EXPECT_EQ(next(), 2);
  ASSERT_OK(list_->Insert(rules[1].get(), nullptr));
  EXPECT_EQ(next(), 4);
  ASSERT_OK(rules[0]->put_RuleID(40));  // frees 1
  EXPECT_EQ(next(), 1);
  ASSERT_OK(rules[0]->put_RuleID(4));
  EXPECT_EQ(next(), 1);
  ASSERT_OK(rules[2]->put_RuleID(1));  // frees 3
  EXPECT_EQ(next(), 3);
}

TEST_F(RuleListTest, IdentifierChangeReKeysTheIndex) {
  ComPtr<ITestRule> a = Add(1);
  Add(2);
  ASSERT_OK(a->put_RuleIDString("AS5"));
  ComPtr<ITestRule> found;
  EXPECT_HR(list_->GetByRuleNum(1, found.Put()), SECDB_E_NOTFOUND);
  ASSERT_OK(list_->GetByRuleNum(0x41000005, found.Put()));
  EXPECT_EQ(found.get(), a.get());
  // Another member's identifier is refused and nothing changes.
  EXPECT_HR(a->put_RuleID(2), SECDB_E_DUPLICATEID);
  EXPECT_EQ(TakeErrorDescription(), LoadMessage(kMsgDuplicateRuleId));
  std::string text;
  ASSERT_OK(a->get_RuleIDString(&text));
  EXPECT_EQ(text, "1090519045");
  EXPECT_HR(a->put_RuleIDString(""), E_POINTER);
}

TEST_F(RuleListTest, RemoveFindsTheMemberByIdentifier) {
  ComPtr<ITestRule> member = Add(3);
  ComPtr<ITestRule> stranger = MakeRule(3);
  // Another object with the member's identifier: refused, member stays.
  EXPECT_HR(list_->Remove(stranger.get()), E_FAIL);
  ComPtr<ITestRule> found;
  ASSERT_OK(list_->Get("3", found.Put()));
  EXPECT_EQ(found.get(), member.get());
  ComPtr<ITestRule> unknown = MakeRule(4);
  EXPECT_HR(list_->Remove(unknown.get()), SECDB_E_NOTFOUND);
  EXPECT_EQ(TakeErrorDescription(), LoadMessage(kMsgNotFound));
  EXPECT_HR(list_->Remove(nullptr), E_POINTER);

  ASSERT_OK(list_->Remove(member.get()));
  EXPECT_EQ(list_->count(), 0);
  EXPECT_FALSE(static_cast<TestRule*>(member.get())->attached());
  EXPECT_HR(list_->GetByRuleNum(3, found.Put()), SECDB_E_NOTFOUND);
  // A removed rule can go back in.
  ASSERT_OK(list_->Insert(member.get(), nullptr));
  EXPECT_EQ(Ids(), std::vector<std::int32_t>{3});
}

// The identifier index under the patterns that crowd a hash table: dense
// runs, strides of the table's run length, letter-prefixed numbers and
// negative identifiers, with removals in between.
TEST_F(RuleListTest, IndexFindsEveryMemberAfterInsertsAndRemovals) {
  struct Pattern {
    const char* name;
    std::function<std::int32_t(std::int32_t)> id;
  };
  const Pattern kPatterns[] = {
      {"dense", [](std::int32_t i) { return i + 1; }},
      {"stride 64", [](std::int32_t i) { return (i + 1) * 64; }},
      {"stride 4096", [](std::int32_t i) { return (i + 1) * 4096; }},
      {"prefixed", [](std::int32_t i) { return (0x41530000 | (i / 3)) + (i % 3) * 0x01000000; }},
      {"negative", [](std::int32_t i) { return -(i + 1); }},
  };
  constexpr std::int32_t kCount = 3000;
  for (const Pattern& pattern : kPatterns) {
    SCOPED_TRACE(pattern.name);
    std::vector<ComPtr<ITestRule>> rules;
    for (std::int32_t i = 0; i < kCount; ++i) rules.push_back(Add(pattern.id(i)));
    // Every third rule out: backward-shift deletion must keep the rest
    // reachable.
    for (std::int32_t i = 0; i < kCount; i += 3) ASSERT_OK(list_->Remove(rules[i].get()));
    for (std::int32_t i = 0; i < kCount; ++i) {
      ComPtr<ITestRule> found;
      HRESULT hr = list_->GetByRuleNum(pattern.id(i), found.Put());
      if (i % 3 == 0) {
        EXPECT_HR(hr, SECDB_E_NOTFOUND) << i;
      } else {
        ASSERT_OK(hr) << i;
        EXPECT_EQ(found.get(), rules[i].get()) << i;
      }
    }
    ASSERT_OK(list_->Clear());
  }
}

TEST_F(RuleListTest, ReadOnlyParserRefusesEveryChange) {
  ComPtr<ITestRule> member = Add(1);
  ComPtr<ITestRule> loose = MakeRule(2);
  ComPtr<ITestNoteList> notes;
  ASSERT_OK(member->get_Notes(notes.Put()));
  ComPtr<ITestNote> note;
  ASSERT_OK(notes->CreateNote(note.Put()));
  ASSERT_OK(parser_->put_ReadOnly(1));

  ComPtr<ITestRule> out;
  ComPtr<ITestNote> new_note;
  struct Case {
    const char* what;
    std::function<HRESULT()> call;
  };
  const Case kCases[] = {
      {"CTestRuleList::CreateRule()", [&] { return list_->CreateRule(out.Put()); }},
      {"CTestRuleList::Insert()", [&] { return list_->Insert(loose.get(), nullptr); }},
      {"CTestRuleList::InsertEx()", [&] { return list_->InsertEx(member.get(), 0, out.Put()); }},
      {"CTestRuleList::Remove()", [&] { return list_->Remove(member.get()); }},
      {"CTestRuleList::Clear()", [&] { return list_->Clear(); }},
      {"CTestRule::put_Key()", [&] { return member->put_Key(9); }},
      {"CTestRule::put_Key()", [&] { return loose->put_Key(9); }},  // detached
      {"CTestRule::put_RuleID()", [&] { return member->put_RuleID(9); }},
      {"CTestRule::put_RuleIDString()", [&] { return member->put_RuleIDString("AS1"); }},
      {"CTestNoteList::CreateNote()", [&] { return notes->CreateNote(new_note.Put()); }},
      {"CTestNoteList::Insert()", [&] { return notes->Insert(note.get(), nullptr); }},
      {"CTestNote::put_Text()", [&] { return note->put_Text("x"); }},
  };
  ScopedDebugLogCapture log;
  for (const Case& c : kCases) {
    EXPECT_HR(c.call(), SECDB_E_READONLY) << c.what;
    EXPECT_TRUE(Reported(log, c.what, kReadOnlyText));
  }
  EXPECT_EQ(Ids(), std::vector<std::int32_t>{1});
  std::int32_t key = -1;
  EXPECT_OK(member->get_Key(&key));
  EXPECT_EQ(key, 0);
}

TEST_F(RuleListTest, NotificationsOnlyForAttachedRulesAndRealChanges) {
  ComPtr<EventLog> log = Listen();
  ComPtr<ITestRule> rule = MakeRule(1, 5);  // detached: silent
  ASSERT_OK(list_->Insert(rule.get(), nullptr));
  ASSERT_OK(rule->put_Key(5));  // unchanged: silent
  ASSERT_OK(rule->put_Key(6));
  ASSERT_OK(rule->put_RuleID(8));
  ASSERT_OK(list_->Remove(rule.get()));
  ASSERT_OK(rule->put_Key(7));  // removed: silent
  EXPECT_EQ(log->lines,
            (std::vector<std::string>{"23", "24", "27:1", "28:1", "27:7", "28:7", "25", "26"}));
  EXPECT_EQ(parser_->modified_flags(), ParserCore::kModifiedRules);
}

TEST_F(RuleListTest, SubListNotifiesItsRule) {
  ComPtr<ITestRule> rule = Add(1);
  auto* owner = static_cast<TestRule*>(rule.get());
  ComPtr<ITestNoteList> notes;
  ASSERT_OK(rule->get_Notes(notes.Put()));
  ComPtr<ITestNote> a, b;
  ASSERT_OK(notes->CreateNote(a.Put()));
  ASSERT_OK(notes->CreateNote(b.Put()));
  ASSERT_OK(a->put_Text("detached"));
  ASSERT_OK(notes->Insert(a.get(), nullptr));
  ASSERT_OK(notes->Insert(b.get(), a.get()));  // before a
  ASSERT_OK(a->put_Text("detached"));          // unchanged
  ASSERT_OK(a->put_Text("changed"));
  ASSERT_OK(notes->Remove(a.get()));
  ASSERT_OK(notes->Clear());
  ASSERT_OK(notes->Clear());  // empty: silent
  EXPECT_EQ(owner->notices, (std::vector<std::string>{"before-insert:item", "after-insert:item",
                                                      "before-insert:item", "after-insert:item",
                                                      "before-change:item", "after-change:item",
                                                      "before-remove:item", "after-remove:item",
                                                      "before-remove:null", "after-remove:null"}));
}

TEST_F(RuleListTest, EnumeratorWalksTheLiveMembers) {
  for (std::int32_t id = 1; id <= 4; ++id) Add(id, id);
  ComPtr<IUnknown> unknown;
  ASSERT_OK(list_->get__NewEnum(unknown.Put()));
  ComPtr<IEnumVARIANT> walk;
  ASSERT_OK(unknown.As(&walk));
  auto read = [&](IEnumVARIANT* e, std::uint32_t n) {
    std::vector<Variant> items(n);
    std::uint32_t fetched = 0;
    HRESULT hr = e->Next(n, items.data(), &fetched);
    std::vector<std::int32_t> ids;
    for (std::uint32_t i = 0; i < fetched; ++i) {
      ComPtr<ITestRule> rule;
      EXPECT_OK(items[i].as_object()->As(&rule));
      std::int32_t id = 0;
      EXPECT_OK(rule->get_RuleID(&id));
      ids.push_back(id);
    }
    return std::make_pair(hr, ids);
  };
  EXPECT_EQ(read(walk.get(), 2), std::make_pair(S_OK, std::vector<std::int32_t>{1, 2}));
  ComPtr<IEnumVARIANT> clone;
  ASSERT_OK(walk->Clone(clone.Put()));
  Add(5, 5);  // seen by position
  EXPECT_EQ(read(walk.get(), 9), std::make_pair(S_FALSE, std::vector<std::int32_t>{3, 4, 5}));
  EXPECT_HR(clone->Skip(1), S_OK);
  EXPECT_EQ(read(clone.get(), 9), std::make_pair(S_FALSE, std::vector<std::int32_t>{4, 5}));
  EXPECT_HR(walk->Skip(1), S_FALSE);
  ASSERT_OK(walk->Reset());
  EXPECT_EQ(read(walk.get(), 1), std::make_pair(S_OK, std::vector<std::int32_t>{1}));

  std::vector<std::int32_t> ids;
  for (TestRule* rule : *list_) ids.push_back(rule->rule_id());
  EXPECT_EQ(ids, (std::vector<std::int32_t>{1, 2, 3, 4, 5}));
}

TEST_F(RuleListTest, InsertExCopiesWithAFreshIdentifier) {
  ComPtr<ITestRule> original = Add(1, 4);
  ComPtr<ITestRule> copy;
  ASSERT_OK(list_->InsertEx(original.get(), 0, copy.Put()));
  std::int32_t id = 0, key = 0;
  ASSERT_OK(copy->get_RuleID(&id));
  ASSERT_OK(copy->get_Key(&key));
  EXPECT_EQ(id, 2);
  EXPECT_EQ(key, 4);
  EXPECT_EQ(Ids(), (std::vector<std::int32_t>{1, 2}));
}

TEST_F(RuleListTest, WritingReSortsAfterChangesAndClearsTheFlags) {
  ComPtr<ITestRule> first = Add(1, 1);
  Add(2, 2);
  Add(3, 3);
  ASSERT_OK(first->put_Key(9));
  parser_->MarkModified(ParserCore::kModifiedDefinitions);
  EXPECT_EQ(Ids(), (std::vector<std::int32_t>{1, 2, 3}));
  std::string xml;
  ASSERT_OK(parser_->get_Xml(&xml));
  EXPECT_EQ(Ids(), (std::vector<std::int32_t>{2, 3, 1}));
  EXPECT_EQ(parser_->modified_flags(), 0u);
}

TEST_F(RuleListTest, ItemsOutliveTheirListAndParser) {
  ComPtr<ITestRule> member = Add(1);
  ComPtr<ITestRule> loose = MakeRule(2);
  ComPtr<ITestNoteList> notes;
  ASSERT_OK(member->get_Notes(notes.Put()));
  ComPtr<ITestNote> note;
  ASSERT_OK(notes->CreateNote(note.Put()));
  ASSERT_OK(parser_->put_ReadOnly(1));
  list_ = nullptr;
  parser_.Reset();  // the list goes with it: nobody else holds it

  // Detached, never read-only.
  for (ITestRule* rule : {member.get(), loose.get()}) {
    EXPECT_FALSE(static_cast<TestRule*>(rule)->attached());
    EXPECT_EQ(static_cast<TestRule*>(rule)->list(), nullptr);
    EXPECT_OK(rule->put_Key(3));
    EXPECT_OK(rule->put_RuleID(4));
  }
  ASSERT_OK(notes->Insert(note.get(), nullptr));
  EXPECT_OK(note->put_Text("x"));
  member.Reset();  // the note list outlives its rule
  EXPECT_OK(note->put_Text("y"));
  EXPECT_OK(notes->Clear());
}

TEST_F(RuleListTest, ItemsMoveBetweenListsOnlyWhenDetached) {
  ComPtr<TestParser> other = MakeObject<TestParser>();
  TestRuleList* other_rules = AddRuleList(*other);
  ComPtr<ITestRule> member = Add(1);
  EXPECT_HR(other_rules->Insert(member.get(), nullptr), E_INVALIDARG);
  ComPtr<ITestRule> loose = MakeRule(2);
  ASSERT_OK(other_rules->Insert(loose.get(), nullptr));
  EXPECT_EQ(static_cast<TestRule*>(loose.get())->list(), other_rules);
  EXPECT_EQ(list_->count(), 1);
  EXPECT_EQ(other_rules->count(), 1);

  ComPtr<ITestNoteList> notes;
  ASSERT_OK(member->get_Notes(notes.Put()));
  ComPtr<ITestNote> note, stranger;
  ASSERT_OK(notes->CreateNote(note.Put()));
  ASSERT_OK(notes->CreateNote(stranger.Put()));
  // A position that is not a member inserts nothing.
  EXPECT_HR(notes->Insert(note.get(), stranger.get()), SECDB_E_NOTFOUND);
  EXPECT_HR(notes->Remove(note.get()), SECDB_E_NOTFOUND);
  ASSERT_OK(notes->Insert(note.get(), note.get()));
  EXPECT_HR(notes->Insert(note.get(), nullptr), E_INVALIDARG);
  std::int32_t count = 0;
  ASSERT_OK(notes->get_Count(&count));
  EXPECT_EQ(count, 1);
}

TEST_F(RuleListTest, ListOutlivesItsParser) {
  ComPtr<TestRuleList> list(list_);
  ComPtr<ITestRule> rule = Add(1);
  ASSERT_OK(parser_->put_ReadOnly(1));
  parser_.Reset();
  EXPECT_EQ(list->parser(), nullptr);
  EXPECT_OK(rule->put_Key(2));
  ComPtr<ITestRule> other;
  ASSERT_OK(list->CreateRule(other.Put()));
  std::int32_t id = 0;
  ASSERT_OK(list->GenerateRuleID(0, 0, &id));
  ASSERT_OK(other->put_RuleID(id));
  ASSERT_OK(list->Insert(other.get(), nullptr));
  EXPECT_EQ(list->count(), 2);
}

}  // namespace
}  // namespace xmlsecdb::testing

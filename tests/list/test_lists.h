// Test-only rules in one rule list and, on each rule, one plain sub-list of
// notes: just enough to drive the shared list shapes. AddRuleList puts the
// rule list on a test parser.
#ifndef XMLSECDB_TESTS_LIST_TEST_LISTS_H_
#define XMLSECDB_TESTS_LIST_TEST_LISTS_H_

#include <string>
#include <vector>

#include "list/plain_list.h"
#include "list/rule_list.h"
#include "testing/event_log.h"
#include "testing/test_parser.h"
#include "xmlsecdb/collection.h"

namespace xmlsecdb::testing {

struct ITestNote : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-03F0-4000-8000-5EC0DB0003F0}");
  using Base = IDispatch;
  virtual HRESULT get_Text(std::string* text) = 0;
  virtual HRESULT put_Text(std::string_view text) = 0;
};

struct ITestNoteList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-03F1-4000-8000-5EC0DB0003F1}");
  using Base = ISDCollection;
  virtual HRESULT CreateNote(ITestNote** note) = 0;
  virtual HRESULT Insert(ITestNote* note, ITestNote* before) = 0;
  virtual HRESULT Remove(ITestNote* note) = 0;
  virtual HRESULT Clear() = 0;
};

struct ITestRuleList;

struct ITestRule : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-03F2-4000-8000-5EC0DB0003F2}");
  using Base = IDispatch;
  // The comparison key: rules sort by it.
  virtual HRESULT get_Key(std::int32_t* key) = 0;
  virtual HRESULT put_Key(std::int32_t key) = 0;
  virtual HRESULT get_RuleID(std::int32_t* id) = 0;
  virtual HRESULT put_RuleID(std::int32_t id) = 0;
  virtual HRESULT get_RuleIDString(std::string* text) = 0;
  virtual HRESULT put_RuleIDString(std::string_view text) = 0;
  virtual HRESULT get_Notes(ITestNoteList** notes) = 0;
  virtual HRESULT CopyToList(ITestRuleList* list, std::int32_t generate_id, ITestRule** copy) = 0;
};

struct ITestRuleList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-03F3-4000-8000-5EC0DB0003F3}");
  using Base = ISDCollection;
  virtual HRESULT CreateRule(ITestRule** rule) = 0;
  virtual HRESULT Insert(ITestRule* rule, ITestRule* before) = 0;
  virtual HRESULT Remove(ITestRule* rule) = 0;
  virtual HRESULT Clear() = 0;
  virtual HRESULT Get(std::string_view id, ITestRule** rule) = 0;
  virtual HRESULT GenerateRuleID(std::int32_t object_type, std::int32_t master,
                                 std::int32_t* id) = 0;
  virtual HRESULT GetByRuleNum(std::int32_t id, ITestRule** rule) = 0;
  virtual HRESULT InsertEx(ITestRule* rule, std::int32_t master, ITestRule** copy) = 0;
};

inline constexpr CLSID CLSID_TestRuleList = MakeGuid("{5EC0DB00-03F5-4000-8000-5EC0DB0003F5}");
inline constexpr CLSID CLSID_TestNoteList = MakeGuid("{5EC0DB00-03F6-4000-8000-5EC0DB0003F6}");

// Parser events of the rule list, and the rule's property numbers.
enum : DISPID {
  kRuleInserting = 23,
  kRuleInserted,
  kRuleRemoving,
  kRuleRemoved,
  kRuleChanging,
  kRuleChanged
};
enum : std::int32_t { kPropKey = 1, kPropId = 7, kPropNote = 3 };

inline constexpr ListEventIds kTestRuleEvents = {kRuleInserting, kRuleInserted, kRuleRemoving,
                                                 kRuleRemoved,   kRuleChanging, kRuleChanged};
inline constexpr ListTraits kTestRuleListTraits = {"CTestRuleList", "CreateRule",
                                                   &CLSID_TestRuleList, &ITestRuleList::kIID};
inline constexpr ListTraits kTestNoteListTraits = {"CTestNoteList", "CreateNote",
                                                   &CLSID_TestNoteList, &ITestNoteList::kIID};

class TestNote final : public ItemObject<ListItemBase, ITestNote> {
 public:
  HRESULT get_Text(std::string* text) override;
  HRESULT put_Text(std::string_view text) override;

 private:
  std::string text_;
};

class TestNoteList final : public PlainList<ITestNoteList, TestNote, ITestNote> {
 public:
  explicit TestNoteList(IListOwner* rule) : PlainList(rule, kTestNoteListTraits) {}
  HRESULT CreateNote(ITestNote** note) override { return Create(note); }
};

class TestRule final : public ItemObject<CRule, ITestRule> {
 public:
  TestRule();

  HRESULT get_Key(std::int32_t* key) override;
  HRESULT put_Key(std::int32_t key) override;
  HRESULT get_RuleID(std::int32_t* id) override;
  HRESULT put_RuleID(std::int32_t id) override;
  HRESULT get_RuleIDString(std::string* text) override;
  HRESULT put_RuleIDString(std::string_view text) override;
  HRESULT get_Notes(ITestNoteList** notes) override;
  HRESULT CopyToList(ITestRuleList* list, std::int32_t generate_id, ITestRule** copy) override;
  std::int16_t Compare(const RuleItemBase& other) const override;

  // The owner notices of the note list, as "slot:item-present".
  std::vector<std::string> notices;
  void BeforeInsert(IUnknown* item) override { Log("before-insert", item); }
  void AfterInsert(IUnknown* item) override { Log("after-insert", item); }
  void BeforeRemove(IUnknown* item) override { Log("before-remove", item); }
  void AfterRemove(IUnknown* item) override { Log("after-remove", item); }
  void BeforeChange(IUnknown* item, std::int32_t) override { Log("before-change", item); }
  void AfterChange(IUnknown* item, std::int32_t) override { Log("after-change", item); }

 private:
  void Log(const char* slot, IUnknown* item) {
    notices.push_back(std::string(slot) + (item ? ":item" : ":null"));
  }

  std::int32_t key_ = 0;
  OwnedList<TestNoteList> notes_;
};

class TestRuleList final : public RuleList<ITestRuleList, TestRule, ITestRule> {
 public:
  explicit TestRuleList(IListOwner* owner, const ListTraits& traits = kTestRuleListTraits)
      : RuleList(owner, traits) {}
  HRESULT CreateRule(ITestRule** rule) override { return Create(rule); }
};

// Adds a rule list to `parser`, raising kTestRuleEvents and sorted before
// the parser writes; the list lives as long as the parser.
TestRuleList* AddRuleList(TestParser& parser);

// Implementations, inline so that the benchmarks can use the same kind.

inline HRESULT TestNote::get_Text(std::string* text) {
  if (!text) return E_POINTER;
  *text = text_;
  return S_OK;
}

inline HRESULT TestNote::put_Text(std::string_view text) {
  HRESULT hr = CheckWritable("CTestNote::put_Text()");
  if (Failed(hr)) return hr;
  Change(text_, std::string(text), kPropNote);
  return S_OK;
}

inline TestRule::TestRule() : notes_(MakeObject<TestNoteList>(this)) {}

inline HRESULT TestRule::get_Key(std::int32_t* key) {
  if (!key) return E_POINTER;
  *key = key_;
  return S_OK;
}

inline HRESULT TestRule::put_Key(std::int32_t key) {
  HRESULT hr = CheckWritable("CTestRule::put_Key()");
  if (Failed(hr)) return hr;
  Change(key_, key, kPropKey);
  return S_OK;
}

inline HRESULT TestRule::get_RuleID(std::int32_t* id) {
  if (!id) return E_POINTER;
  *id = rule_id();
  return S_OK;
}

inline HRESULT TestRule::put_RuleID(std::int32_t id) {
  return SetRuleID("CTestRule::put_RuleID()", id, kPropId);
}

inline HRESULT TestRule::get_RuleIDString(std::string* text) {
  if (!text) return E_POINTER;
  *text = RuleIDString();
  return S_OK;
}

inline HRESULT TestRule::put_RuleIDString(std::string_view text) {
  return SetRuleIDString("CTestRule::put_RuleIDString()", text, kPropId);
}

inline HRESULT TestRule::get_Notes(ITestNoteList** notes) {
  if (!notes) return E_POINTER;
  *notes = notes_.get();
  (*notes)->AddRef();
  return S_OK;
}

inline HRESULT TestRule::CopyToList(ITestRuleList* list, std::int32_t generate_id,
                                    ITestRule** copy) {
  if (!list || !copy) return E_POINTER;
  *copy = nullptr;
  ComPtr<ITestRule> made;
  HRESULT hr = list->CreateRule(made.Put());
  if (Succeeded(hr)) hr = made->put_Key(key_);
  std::int32_t id = rule_id();
  if (Succeeded(hr) && generate_id) hr = list->GenerateRuleID(0, 0, &id);
  if (Succeeded(hr)) hr = made->put_RuleID(id);
  if (Succeeded(hr)) hr = list->Insert(made.get(), nullptr);
  if (Succeeded(hr)) *copy = made.Detach();
  return hr;
}

inline std::int16_t TestRule::Compare(const RuleItemBase& other) const {
  std::int32_t theirs = static_cast<const TestRule&>(other).key_;
  return key_ < theirs ? -1 : key_ > theirs ? 1 : 0;
}

inline TestRuleList* AddRuleList(TestParser& parser) {
  TestRuleList* rules = parser.AddList<TestRuleList>(kTestRuleEvents);
  parser.OnSortRuleLists([rules] { rules->Sort(); });
  return rules;
}

}  // namespace xmlsecdb::testing

#endif  // XMLSECDB_TESTS_LIST_TEST_LISTS_H_

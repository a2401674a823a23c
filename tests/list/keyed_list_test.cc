// The keyed list shape: an ordered map under a key order the kind gives,
// the Item cursor, re-keying on rename, and the owner's notices.
#include "list/keyed_list.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/ascii.h"
#include "core/error_report.h"
#include "list/test_lists.h"
#include "testing/hresult_matchers.h"
#include "testing/test_env.h"

namespace xmlsecdb::testing {
namespace {

struct ITestTag : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-03E1-4000-8000-5EC0DB0003E1}");
  using Base = IDispatch;
  virtual HRESULT get_Name(std::string* name) = 0;
  virtual HRESULT put_Name(std::string_view name) = 0;
};

struct ITestTagList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-03E2-4000-8000-5EC0DB0003E2}");
  using Base = ISDCollection;
  virtual HRESULT CreateTag(ITestTag** tag) = 0;
  virtual HRESULT Insert(ITestTag* tag) = 0;
  virtual HRESULT Remove(ITestTag* tag) = 0;
  virtual HRESULT Clear() = 0;
};

inline constexpr CLSID CLSID_TestTagList = MakeGuid("{5EC0DB00-03E3-4000-8000-5EC0DB0003E3}");

// ASCII letters folded, a proper prefix first.
bool FoldedLess(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(FoldAscii(x)) < static_cast<unsigned char>(FoldAscii(y));
  });
}

constexpr KeyedListConfig kTagKeys = {.less = &FoldedLess};
constexpr KeyedListConfig kReferenceKeys = {.less = &FoldedLess,
                                            .duplicate_message = kMsgInvalidValue,
                                            .duplicate_source = "CSimpleItemMap::Insert()"};
constexpr ListTraits kTagListTraits = {.class_name = "CTestTagList",
                                       .create_name = "CreateTag",
                                       .clsid = &CLSID_TestTagList,
                                       .iid = &ITestTagList::kIID,
                                       .keys = &kTagKeys};
constexpr ListTraits kReferenceListTraits = {.class_name = "CTestReferenceList",
                                             .create_name = "CreateTag",
                                             .clsid = &CLSID_TestTagList,
                                             .iid = &ITestTagList::kIID,
                                             .keys = &kReferenceKeys};

class TestTag final : public ItemObject<ListItemBase, ITestTag> {
 public:
  HRESULT get_Name(std::string* name) override { return GetField(name_, name); }
  // A member moves to its new key; a key taken (in any letter case) is
  // message 106 and changes nothing.
  HRESULT put_Name(std::string_view name) override {
    static constexpr std::string_view kSource = "CTestTag::put_Name()";
    HRESULT hr = CheckWritable(kSource);
    if (Failed(hr)) return hr;
    if (attached()) {
      auto* tags = static_cast<KeyedListCore*>(list());
      if (tags->Rekey(name_, name) != KeyedListCore::Rekeyed::kDone) {
        return ReportError(kSource, CLSID_TestTagList, kMsgDuplicateId, ITestTag::kIID,
                           SECDB_E_DUPLICATEID);
      }
    }
    name_ = name;
    return S_OK;
  }
  std::string_view key() const { return name_; }

 private:
  std::string name_;
};

class TestTagList final : public KeyedList<ITestTagList, TestTag, ITestTag> {
 public:
  TestTagList(IListOwner* owner, const ListTraits& traits) : KeyedList(owner, traits) {}
  HRESULT CreateTag(ITestTag** tag) override { return Create(tag); }
  HRESULT Insert(ITestTag* tag) override { return KeyedList::Insert(tag); }
  HRESULT Remove(ITestTag* tag) override { return KeyedList::Remove(tag); }
  HRESULT Clear() override { return KeyedList::Clear(); }
};

// The owner site: the test parser, and a log of the notices.
class TagOwner final : public IListOwner {
 public:
  explicit TagOwner(ParserCore* parser) : parser_(parser) {}
  void MarkModified() override {}
  ParserCore* GetParser() override { return parser_; }
  void BeforeInsert(IUnknown* item) override { Log("before-insert", item); }
  void AfterInsert(IUnknown* item) override { Log("after-insert", item); }
  void BeforeRemove(IUnknown* item) override { Log("before-remove", item); }
  void AfterRemove(IUnknown* item) override { Log("after-remove", item); }

  std::vector<std::string> notices;

 private:
  void Log(const char* slot, IUnknown* item) {
    notices.push_back(std::string(slot) + (item ? ":item" : ":null"));
  }
  ParserCore* parser_;
};

class KeyedListTest : public ::testing::Test {
 protected:
  KeyedListTest()
      : parser_(MakeObject<TestParser>()),
        owner_(parser_.get()),
        list_(MakeObject<TestTagList>(&owner_, kTagListTraits)) {}
  ~KeyedListTest() override { list_->DetachOwner(); }

  ComPtr<TestTag> Make(std::string_view name) {
    ComPtr<TestTag> tag = list_->NewItem();
    EXPECT_OK(tag->put_Name(name));
    return tag;
  }
  ComPtr<TestTag> Add(std::string_view name) {
    ComPtr<TestTag> tag = Make(name);
    EXPECT_OK(list_->Insert(tag.get()));
    return tag;
  }
  // The name of Item(index).
  std::string NameAt(std::int32_t index) {
    Variant item;
    EXPECT_OK(list_->get_Item(index, &item));
    ComPtr<ITestTag> tag;
    EXPECT_OK(item.as_object()->As(&tag));
    std::string name;
    EXPECT_OK(tag->get_Name(&name));
    return name;
  }
  // The names in C++ iteration order.
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const TestTag* tag : *list_) names.emplace_back(tag->key());
    return names;
  }

  ComPtr<TestParser> parser_;
  TagOwner owner_;
  ComPtr<TestTagList> list_;
};

TEST_F(KeyedListTest, MembersFollowTheKeyOrderAndKeysIgnoreCase) {
  for (std::string_view name : {"notepad", "Calc", "cal", "word"}) Add(name);
  EXPECT_EQ(Names(), (std::vector<std::string>{"cal", "Calc", "notepad", "word"}));
  EXPECT_EQ(NameAt(2), "Calc");
  EXPECT_NE(list_->FindItem("CALC"), nullptr);
  EXPECT_EQ(list_->FindItem("calculator"), nullptr);

  ScopedDebugLogCapture log;
  ComPtr<TestTag> twin = Make("NOTEPAD");
  EXPECT_HR(list_->Insert(twin.get()), SECDB_E_DUPLICATEID);
  EXPECT_TRUE(Reported(log, "CTestTagList::Insert()", "Object with gived ID already exists."));
  EXPECT_FALSE(twin->attached());
  EXPECT_EQ(list_->count(), 4);
}

TEST_F(KeyedListTest, ItemWalksInAnyOrderAndAfterChanges) {
  for (std::string_view name : {"a", "b", "c", "d", "e"}) Add(name);
  Variant item;
  EXPECT_HR(list_->get_Item(0, &item), E_POINTER);
  EXPECT_HR(list_->get_Item(6, &item), E_POINTER);
  EXPECT_HR(list_->get_Item(1, nullptr), E_POINTER);

  struct Step {
    std::function<void()> change;  // before reading
    std::int32_t index;
    const char* name;
  };
  ComPtr<TestTag> c(list_->FindItem("c"));
  const Step kSteps[] = {
      {{}, 1, "a"},
      {{}, 2, "b"},
      {{}, 4, "d"},  // forward from the cursor
      {{}, 3, "c"},  // back: from the front
      {{}, 5, "e"},
      {[&] { Add("bb"); }, 3, "bb"},
      {{}, 4, "c"},
      {[&] { ASSERT_OK(list_->Remove(list_->FindItem("a"))); }, 1, "b"},
      {[&] { ASSERT_OK(c->put_Name("z")); }, 4, "e"},
      {{}, 5, "z"},
  };
  for (const Step& step : kSteps) {
    if (step.change) step.change();
    EXPECT_EQ(NameAt(step.index), step.name) << "Item(" << step.index << ")";
  }
}

TEST_F(KeyedListTest, RenameReKeysTheMember) {
  ComPtr<TestTag> tag = Add("beta");
  Add("alpha");
  ASSERT_OK(tag->put_Name("Gamma"));
  EXPECT_EQ(Names(), (std::vector<std::string>{"alpha", "Gamma"}));
  EXPECT_EQ(list_->FindItem("gamma"), tag.get());
  EXPECT_EQ(list_->FindItem("beta"), nullptr);

  // A key that is taken, by another member or by the member itself in
  // another letter case, is refused and nothing changes.
  ScopedDebugLogCapture log;
  for (std::string_view taken : {"ALPHA", "gamma"}) {
    EXPECT_HR(tag->put_Name(taken), SECDB_E_DUPLICATEID) << taken;
    EXPECT_TRUE(Reported(log, "CTestTag::put_Name()", "Object with gived ID already exists."));
  }
  EXPECT_EQ(Names(), (std::vector<std::string>{"alpha", "Gamma"}));

  // A tag that is no member just stores its name.
  ComPtr<TestTag> loose = Make("alpha");
  EXPECT_OK(loose->put_Name("gamma"));
  EXPECT_EQ(list_->FindItem("gamma"), tag.get());
}

TEST_F(KeyedListTest, RemoveAndClearNotifyTheOwner) {
  ComPtr<TestTag> tag = Add("a");
  Add("b");
  ComPtr<TestTag> gone = Make("c");
  ScopedDebugLogCapture log;
  EXPECT_HR(list_->Remove(gone.get()), SECDB_E_NOTFOUND);
  EXPECT_TRUE(Reported(log, "CTestTagList::Remove()", "Item not found."));
  owner_.notices.clear();

  ASSERT_OK(list_->Remove(tag.get()));
  EXPECT_FALSE(tag->attached());
  ASSERT_OK(list_->Clear());
  ASSERT_OK(list_->Clear());  // empty: no notices
  EXPECT_EQ(owner_.notices, (std::vector<std::string>{"before-remove:item", "after-remove:item",
                                                      "before-remove:null", "after-remove:null"}));
  EXPECT_EQ(list_->count(), 0);
}

TEST_F(KeyedListTest, LoaderInsertSkipsGuardAndNotices) {
  ASSERT_OK(parser_->put_ReadOnly(1));
  ComPtr<TestTag> tag = list_->NewItem();
  ASSERT_OK(list_->InsertLoaded(tag.get(), "x"));
  EXPECT_TRUE(owner_.notices.empty());
  EXPECT_EQ(list_->FindItem("X"), tag.get());
  ComPtr<TestTag> twin = list_->NewItem();
  ScopedDebugLogCapture log;
  EXPECT_HR(list_->InsertLoaded(twin.get(), "x"), SECDB_E_DUPLICATEID);
  EXPECT_TRUE(Reported(log, "CTestTagList::Insert()", "Object with gived ID already exists."));
}

TEST_F(KeyedListTest, ReadOnlyParserRefusesEveryChange) {
  ComPtr<TestTag> member = Add("a");
  ComPtr<TestTag> loose = Make("b");
  ASSERT_OK(parser_->put_ReadOnly(1));
  ComPtr<ITestTag> made;
  struct Case {
    const char* what;
    std::function<HRESULT()> call;
  };
  const Case kCases[] = {
      {"CTestTagList::CreateTag()", [&] { return list_->CreateTag(made.Put()); }},
      {"CTestTagList::Insert()", [&] { return list_->Insert(loose.get()); }},
      {"CTestTagList::Remove()", [&] { return list_->Remove(member.get()); }},
      {"CTestTagList::Clear()", [&] { return list_->Clear(); }},
      {"CTestTag::put_Name()", [&] { return member->put_Name("c"); }},
  };
  ScopedDebugLogCapture log;
  for (const Case& c : kCases) {
    EXPECT_HR(c.call(), SECDB_E_READONLY) << c.what;
    EXPECT_TRUE(Reported(log, c.what, kReadOnlyText));
  }
  EXPECT_EQ(Names(), std::vector<std::string>{"a"});
}

// A kind may name another failure and source for a taken key (a group's
// references: message 120 from "CSimpleItemMap::Insert()").
TEST_F(KeyedListTest, TakenKeyFailsAsTheConfigSays) {
  ComPtr<TestTagList> references = MakeObject<TestTagList>(&owner_, kReferenceListTraits);
  ComPtr<TestTag> first = references->NewItem();
  ASSERT_OK(first->put_Name("web"));
  ASSERT_OK(references->Insert(first.get()));
  ComPtr<TestTag> second = references->NewItem();
  ASSERT_OK(second->put_Name("Web"));
  ScopedDebugLogCapture log;
  EXPECT_HR(references->Insert(second.get()), SECDB_E_DUPLICATEID);
  EXPECT_TRUE(Reported(log, "CSimpleItemMap::Insert()", "Invalid value."));
  references->DetachOwner();
}

}  // namespace
}  // namespace xmlsecdb::testing

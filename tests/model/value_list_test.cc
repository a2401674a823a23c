// The string list and the sorted number list: index rules, matching,
// copying and enumeration.
#include "model/value_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/hresult_matchers.h"

namespace xmlsecdb {
namespace {

ComPtr<CSimpleValueList> Strings(std::initializer_list<const char*> values) {
  ComPtr<CSimpleValueList> list = MakeObject<CSimpleValueList>();
  for (const char* value : values) EXPECT_OK(list->Insert(value));
  return list;
}

std::vector<std::string> Values(const CSimpleValueList& list) { return list.values(); }

TEST(SimpleValueListTest, EditsFollowTheIndexRules) {
  using Texts = std::vector<std::string>;
  const struct {
    const char* what;
    HRESULT (*edit)(ISimpleValueList*);
    HRESULT result;
    Texts after;
  } cases[] = {
      {"InsertAt(Count) goes before the last",
       [](ISimpleValueList* l) { return l->InsertAt(3, "x"); },
       S_OK,
       {"a", "b", "x", "A"}},
      {"InsertAt(1) goes first",
       [](ISimpleValueList* l) { return l->InsertAt(1, "x"); },
       S_OK,
       {"x", "a", "b", "A"}},
      {"InsertAt(Count + 1)",
       [](ISimpleValueList* l) { return l->InsertAt(4, "x"); },
       E_INVALIDARG,
       {"a", "b", "A"}},
      {"InsertAt(0)",
       [](ISimpleValueList* l) { return l->InsertAt(0, "x"); },
       E_INVALIDARG,
       {"a", "b", "A"}},
      {"RemoveAt(Count)", [](ISimpleValueList* l) { return l->RemoveAt(3); }, S_OK, {"a", "b"}},
      {"RemoveAt(0)",
       [](ISimpleValueList* l) { return l->RemoveAt(0); },
       E_INVALIDARG,
       {"a", "b", "A"}},
      {"RemoveAt(Count + 1)",
       [](ISimpleValueList* l) { return l->RemoveAt(4); },
       E_INVALIDARG,
       {"a", "b", "A"}},
      {"Remove ignores case, first match only",
       [](ISimpleValueList* l) { return l->Remove("A"); },
       S_OK,
       {"b", "A"}},
      {"Remove without a match",
       [](ISimpleValueList* l) { return l->Remove("zz"); },
       S_OK,
       {"a", "b", "A"}},
      {"Insert appends duplicates",
       [](ISimpleValueList* l) { return l->Insert("a"); },
       S_OK,
       {"a", "b", "A", "a"}},
  };
  for (const auto& c : cases) {
    ComPtr<CSimpleValueList> list = Strings({"a", "b", "A"});
    EXPECT_HR(c.edit(list.get()), c.result) << c.what;
    EXPECT_EQ(Values(*list), c.after) << c.what;
  }
}

TEST(SimpleValueListTest, ItemOutsideTheRangeLeavesTheVariantUntouched) {
  ComPtr<CSimpleValueList> list = Strings({"a", "b"});
  for (std::int32_t index : {-1, 0, 3}) {
    Variant value(std::int32_t{42});
    EXPECT_OK(list->get_Item(index, &value));
    EXPECT_EQ(value, Variant(std::int32_t{42})) << index;
  }
  Variant value;
  ASSERT_OK(list->get_Item(2, &value));
  EXPECT_EQ(value, Variant("b"));
  EXPECT_HR(list->get_Item(1, nullptr), E_POINTER);
}

TEST(SimpleValueListTest, CopyToListReplacesTheTarget) {
  ComPtr<CSimpleValueList> source = Strings({"a", "b"});
  ComPtr<CSimpleValueList> target = Strings({"old"});
  ASSERT_OK(source->CopyToList(target.get()));
  EXPECT_EQ(Values(*target), (std::vector<std::string>{"a", "b"}));
  // Onto itself: nothing is lost.
  ASSERT_OK(source->CopyToList(source.get()));
  EXPECT_EQ(Values(*source), (std::vector<std::string>{"a", "b"}));
  EXPECT_HR(source->CopyToList(nullptr), E_INVALIDARG);
}

TEST(ULongListTest, KeepsASortedSetAndRefusesBadIndexes) {
  ComPtr<CULongList> list = MakeObject<CULongList>();
  for (std::uint32_t value : {5u, 1u, 5u, 0xFFFFFFFFu, 3u}) ASSERT_OK(list->Insert(value));
  EXPECT_EQ(list->values(), (std::vector<std::uint32_t>{1, 3, 5, 0xFFFFFFFF}));
  std::uint32_t value = 0;
  ASSERT_OK(list->get_Item(1, &value));
  EXPECT_EQ(value, 1u);
  for (std::int32_t index = 1; index <= 4; ++index) {
    ASSERT_OK(list->get_Item(index, &value));
    EXPECT_EQ(value, list->values()[static_cast<std::size_t>(index - 1)]);
  }
  for (std::int32_t index : {0, 5, -1}) {
    value = 7;
    EXPECT_HR(list->get_Item(index, &value), E_POINTER) << index;
    EXPECT_EQ(value, 7u);
  }
  EXPECT_HR(list->get_Item(1, nullptr), E_POINTER);

  ASSERT_OK(list->Remove(3));
  ASSERT_OK(list->Remove(4));  // absent: nothing
  EXPECT_EQ(list->values(), (std::vector<std::uint32_t>{1, 5, 0xFFFFFFFF}));

  ComPtr<CULongList> target = MakeObject<CULongList>();
  ASSERT_OK(target->Insert(2));
  ASSERT_OK(list->CopyToList(target.get()));
  EXPECT_EQ(target->values(), list->values());
  ASSERT_OK(list->CopyToList(list.get()));
  EXPECT_EQ(list->values().size(), 3u);
  EXPECT_HR(list->CopyToList(nullptr), E_INVALIDARG);
  ASSERT_OK(list->Clear());
  std::int32_t count = -1;
  ASSERT_OK(list->get_Count(&count));
  EXPECT_EQ(count, 0);
}

// Both enumerators walk the live list by position.
TEST(ValueListEnumTest, EnumeratorsYieldValuesInOrder) {
  ComPtr<CULongList> numbers = MakeObject<CULongList>();
  for (std::uint32_t value : {9u, 2u, 4u}) ASSERT_OK(numbers->Insert(value));
  ComPtr<CSimpleValueList> strings = Strings({"x", "y"});

  ComPtr<IUnknown> unknown;
  ASSERT_OK(numbers->get__NewEnum(unknown.Put()));
  ComPtr<IEnumVARIANT> walk;
  ASSERT_OK(unknown.As(&walk));
  Variant got[4];
  std::uint32_t fetched = 0;
  EXPECT_HR(walk->Next(4, got, &fetched), S_FALSE);
  ASSERT_EQ(fetched, 3u);
  EXPECT_EQ(got[0], Variant(2u));
  EXPECT_EQ(got[2], Variant(9u));
  ASSERT_OK(walk->Reset());
  ASSERT_OK(walk->Skip(2));
  ComPtr<IEnumVARIANT> clone;
  ASSERT_OK(walk->Clone(clone.Put()));
  ASSERT_OK(clone->Next(1, got, &fetched));
  EXPECT_EQ(got[0], Variant(9u));
  EXPECT_HR(walk->Skip(2), S_FALSE);

  ASSERT_OK(strings->get__NewEnum(unknown.Put()));
  ASSERT_OK(unknown.As(&walk));
  strings.Reset();  // the enumerator keeps the list alive
  EXPECT_HR(walk->Next(3, got, &fetched), S_FALSE);
  ASSERT_EQ(fetched, 2u);
  EXPECT_EQ(got[1], Variant("y"));
}

}  // namespace
}  // namespace xmlsecdb

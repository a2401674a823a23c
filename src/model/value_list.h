// CSimpleValueList and CULongList: the small value containers that rules,
// rule sets and labels own (ISimpleValueList, IULongList).
//
// Neither has an owner link or a read-only guard: the object that holds one
// decides when it may change, and its readers and writers may use the C++
// members (values(), Append) directly. Both enumerate live by position, so
// values inserted or removed while enumerating are seen or skipped by
// position, as with the item lists.
//
// Apartment-threaded, like the objects that own them.
#ifndef XMLSECDB_MODEL_VALUE_LIST_H_
#define XMLSECDB_MODEL_VALUE_LIST_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/model_dispatch.h"
#include "platform/dispatch_object.h"
#include "xmlsecdb/definitions.h"

namespace xmlsecdb {

// Classes clients reach only through the lists; their CLSIDs name them in
// error records.
inline constexpr CLSID CLSID_SimpleValueList = MakeGuid("{5EC0DB00-0484-4000-8000-5EC0DB000484}");
inline constexpr CLSID CLSID_ULongList = MakeGuid("{5EC0DB00-0485-4000-8000-5EC0DB000485}");

// What the value enumerator reads: a count and the value at a 0-based index.
class ValueSource {
 public:
  virtual std::size_t value_count() const = 0;
  virtual Variant ValueAt(std::size_t index) const = 0;

 protected:
  ~ValueSource() = default;
};

class CSimpleValueList final : public DispatchObject<ISimpleValueList>, private ValueSource {
 public:
  CSimpleValueList() = default;

  HRESULT get__NewEnum(IUnknown** enumerator) override;
  HRESULT get_Item(std::int32_t index, Variant* value) override;
  HRESULT get_Count(std::int32_t* count) override;
  HRESULT Insert(std::string_view value) override;
  HRESULT Remove(std::string_view value) override;
  HRESULT Clear() override;
  HRESULT CopyToList(ISimpleValueList* list) override;
  HRESULT InsertAt(std::int32_t index, std::string_view value) override;
  HRESULT RemoveAt(std::int32_t index) override;

  const std::vector<std::string>& values() const { return values_; }
  void Append(std::string_view value) { values_.emplace_back(value); }

 private:
  std::size_t value_count() const override { return values_.size(); }
  Variant ValueAt(std::size_t index) const override { return Variant(values_[index]); }

  std::vector<std::string> values_;
};

// Kept as a sorted array: Item is a direct index (so walking Item(1),
// Item(2), ... is O(1) per step without a remembered position), Insert and
// Remove a binary search plus a move of the tail, and numbers that arrive in
// ascending order (as a saved list reads back) append.
class CULongList final : public DispatchObject<IULongList>, private ValueSource {
 public:
  CULongList() = default;

  HRESULT get__NewEnum(IUnknown** enumerator) override;
  HRESULT get_Item(std::int32_t index, std::uint32_t* value) override;
  HRESULT get_Count(std::int32_t* count) override;
  HRESULT Insert(std::uint32_t value) override;
  HRESULT Remove(std::uint32_t value) override;
  HRESULT Clear() override;
  HRESULT CopyToList(IULongList* list) override;

  // Ascending, without duplicates.
  const std::vector<std::uint32_t>& values() const { return values_; }
  bool Contains(std::uint32_t value) const;

 private:
  std::size_t value_count() const override { return values_.size(); }
  Variant ValueAt(std::size_t index) const override { return Variant(values_[index]); }

  std::vector<std::uint32_t> values_;
};

// Creates an empty value list (the caller owns the reference), for owners
// of value lists.
HRESULT CreateSimpleValueList(ISimpleValueList** list);
HRESULT CreateULongList(IULongList** list);

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_VALUE_LIST_H_

#include "model/value_list.h"

#include <algorithm>

#include "model/vocabulary.h"

namespace xmlsecdb {
namespace {

// Walks a value list by position; holds the list alive.
class ValueEnumerator final : public ComObject<IEnumVARIANT> {
 public:
  ValueEnumerator(IUnknown* keep, const ValueSource* source, std::size_t index = 0)
      : keep_(keep), source_(source), index_(index) {}

  HRESULT Next(std::uint32_t count, Variant* items, std::uint32_t* fetched) override {
    if (!items && count > 0) return E_POINTER;
    std::uint32_t done = 0;
    while (done < count && index_ < source_->value_count()) {
      items[done++] = source_->ValueAt(index_++);
    }
    if (fetched) *fetched = done;
    return done == count ? S_OK : S_FALSE;
  }
  HRESULT Skip(std::uint32_t count) override {
    std::size_t left = source_->value_count() - std::min(index_, source_->value_count());
    bool enough = left >= count;
    index_ = enough ? index_ + count : source_->value_count();
    return enough ? S_OK : S_FALSE;
  }
  HRESULT Reset() override {
    index_ = 0;
    return S_OK;
  }
  HRESULT Clone(IEnumVARIANT** copy) override {
    if (!copy) return E_POINTER;
    *copy = MakeObject<ValueEnumerator>(keep_.get(), source_, index_).Detach();
    return S_OK;
  }

 private:
  ComPtr<IUnknown> keep_;
  const ValueSource* source_;
  std::size_t index_;
};

HRESULT NewValueEnum(IUnknown* keep, const ValueSource* source, IUnknown** enumerator) {
  if (!enumerator) return E_POINTER;
  *enumerator = MakeObject<ValueEnumerator>(keep, source).Detach()->unknown();
  return S_OK;
}

// The collection members of a value list, late-bound.
// Whether 1-based `index` names a value of a list of `size` values.
bool InRange(std::int32_t index, std::size_t size) {
  return index >= 1 && static_cast<std::size_t>(index) <= size;
}

}  // namespace

HRESULT CreateSimpleValueList(ISimpleValueList** list) {
  if (!list) return E_POINTER;
  *list = MakeObject<CSimpleValueList>().Detach();
  return S_OK;
}

HRESULT CreateULongList(IULongList** list) {
  if (!list) return E_POINTER;
  *list = MakeObject<CULongList>().Detach();
  return S_OK;
}

// ---------------------------------------------------------------------------
// CSimpleValueList

HRESULT CSimpleValueList::get__NewEnum(IUnknown** enumerator) {
  return NewValueEnum(unknown(), this, enumerator);
}

HRESULT CSimpleValueList::get_Item(std::int32_t index, Variant* value) {
  if (!value) return E_POINTER;
  // Callers rely on an index past either end answering S_OK with the
  // variant left as they initialised it.
  if (InRange(index, values_.size()))
    *value = Variant(values_[static_cast<std::size_t>(index - 1)]);
  return S_OK;
}

HRESULT CSimpleValueList::get_Count(std::int32_t* count) {
  if (!count) return E_POINTER;
  *count = static_cast<std::int32_t>(values_.size());
  return S_OK;
}

HRESULT CSimpleValueList::Insert(std::string_view value) {
  Append(value);
  return S_OK;
}

HRESULT CSimpleValueList::Remove(std::string_view value) {
  auto found = std::find_if(values_.begin(), values_.end(), [value](const std::string& v) {
    return TextEquals(v, value, TextCase::kInsensitive);
  });
  if (found != values_.end()) values_.erase(found);
  return S_OK;
}

HRESULT CSimpleValueList::Clear() {
  values_.clear();
  return S_OK;
}

HRESULT CSimpleValueList::CopyToList(ISimpleValueList* list) {
  if (!list) return E_INVALIDARG;
  // Clearing the target first would empty this very list.
  if (list == static_cast<ISimpleValueList*>(this)) return S_OK;
  HRESULT cleared = list->Clear();
  for (const std::string& value : values_) (void)list->Insert(value);
  return cleared;
}

HRESULT CSimpleValueList::InsertAt(std::int32_t index, std::string_view value) {
  if (!InRange(index, values_.size())) return E_INVALIDARG;
  values_.emplace(values_.begin() + (index - 1), value);
  return S_OK;
}

HRESULT CSimpleValueList::RemoveAt(std::int32_t index) {
  if (!InRange(index, values_.size())) return E_INVALIDARG;
  values_.erase(values_.begin() + (index - 1));
  return S_OK;
}

// ---------------------------------------------------------------------------
// CULongList

HRESULT CULongList::get__NewEnum(IUnknown** enumerator) {
  return NewValueEnum(unknown(), this, enumerator);
}

HRESULT CULongList::get_Item(std::int32_t index, std::uint32_t* value) {
  if (!value || !InRange(index, values_.size())) return E_POINTER;
  *value = values_[static_cast<std::size_t>(index - 1)];
  return S_OK;
}

HRESULT CULongList::get_Count(std::int32_t* count) {
  if (!count) return E_POINTER;
  *count = static_cast<std::int32_t>(values_.size());
  return S_OK;
}

bool CULongList::Contains(std::uint32_t value) const {
  return std::binary_search(values_.begin(), values_.end(), value);
}

HRESULT CULongList::Insert(std::uint32_t value) {
  if (values_.empty() || values_.back() < value) {
    values_.push_back(value);
    return S_OK;
  }
  auto at = std::lower_bound(values_.begin(), values_.end(), value);
  if (*at != value) values_.insert(at, value);
  return S_OK;
}

HRESULT CULongList::Remove(std::uint32_t value) {
  auto at = std::lower_bound(values_.begin(), values_.end(), value);
  if (at != values_.end() && *at == value) values_.erase(at);
  return S_OK;
}

HRESULT CULongList::Clear() {
  values_.clear();
  return S_OK;
}

HRESULT CULongList::CopyToList(IULongList* list) {
  if (!list) return E_INVALIDARG;
  if (list == static_cast<IULongList*>(this)) return S_OK;
  HRESULT cleared = list->Clear();
  for (std::uint32_t value : values_) (void)list->Insert(value);
  return cleared;
}

}  // namespace xmlsecdb

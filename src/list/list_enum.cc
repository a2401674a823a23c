#include "list/list_enum.h"

#include "list/list_core.h"

namespace xmlsecdb {

ListEnumerator::ListEnumerator(ListCore* list) : keep_(list->list_unknown()), list_(list) {}

HRESULT ListEnumerator::Next(std::uint32_t count, Variant* items, std::uint32_t* fetched) {
  if (!items && count > 0) return E_POINTER;
  std::uint32_t done = 0;
  while (done < count) {
    ListItemBase* member = last_item_ && stamp_ == list_->changes()
                               ? list_->MemberAfter(last_item_, index_)
                               : list_->MemberAt(index_);
    if (!member) break;
    IUnknown* unknown = member->unknown_self();
    items[done++] = Variant(ComPtr<IUnknown>(unknown));
    last_ = ComPtr<IUnknown>(unknown);
    last_item_ = member;
    stamp_ = list_->changes();
    ++index_;
  }
  if (fetched) *fetched = done;
  return done == count ? S_OK : S_FALSE;
}

HRESULT ListEnumerator::Skip(std::uint32_t count) {
  std::int32_t available = list_->count() - index_;
  bool enough = available >= 0 && static_cast<std::uint32_t>(available) >= count;
  index_ = enough ? index_ + static_cast<std::int32_t>(count) : list_->count();
  last_.Reset();
  last_item_ = nullptr;
  return enough ? S_OK : S_FALSE;
}

HRESULT ListEnumerator::Reset() {
  index_ = 0;
  last_.Reset();
  last_item_ = nullptr;
  return S_OK;
}

HRESULT ListEnumerator::Clone(IEnumVARIANT** copy) {
  if (!copy) return E_POINTER;
  ComPtr<ListEnumerator> clone = MakeObject<ListEnumerator>(list_);
  clone->index_ = index_;
  clone->last_ = last_;
  clone->last_item_ = last_item_;
  clone->stamp_ = stamp_;
  *copy = clone.Detach();
  return S_OK;
}

}  // namespace xmlsecdb

#include "list/keyed_list.h"

#include <iterator>

#include "core/error_report.h"
#include "core/return_if_failed.h"

namespace xmlsecdb {

KeyedListCore::KeyedListCore(IListOwner* owner, const ListTraits& traits)
    : ListCore(owner, traits), entries_(KeyLess{traits.keys->less}) {}

KeyedListCore::~KeyedListCore() {
  UnbindAll();
  Entries entries;
  entries.swap(entries_);
  for (auto& entry : entries) ReleaseMember(entry.second);
}

ListItemBase* KeyedListCore::MemberAt(std::int32_t index) {
  if (index < 0 || index >= count()) return nullptr;
  const std::int32_t wanted = index + 1;  // 1-based, as the cursor counts
  if (cursor_index_ < 1 || cursor_index_ > wanted) {
    cursor_ = entries_.begin();
    cursor_index_ = 1;
  }
  while (cursor_index_ < wanted) {
    ++cursor_;
    ++cursor_index_;
  }
  ListItemBase* member = cursor_->second;
  // The entry after the one returned.
  ++cursor_;
  ++cursor_index_;
  return member;
}

HRESULT KeyedListCore::ItemAt(std::int32_t index, Variant* item) {
  if (!item || index < 1 || index > count()) return E_POINTER;
  ListItemBase* member = MemberAt(index - 1);
  if (!member) return Report("get_Item()", kMsgNotFound, SECDB_E_NOTFOUND);
  *item = Variant(ComPtr<IUnknown>(member->unknown_self()));
  return S_OK;
}

ListItemBase* KeyedListCore::Find(std::string_view key) const {
  auto found = entries_.find(key);
  return found == entries_.end() ? nullptr : found->second;
}

HRESULT KeyedListCore::ReportTaken() const {
  const KeyedListConfig& keys = *traits().keys;
  if (keys.duplicate_source.empty()) {
    return Report("Insert()", keys.duplicate_message, SECDB_E_DUPLICATEID);
  }
  return ReportError(keys.duplicate_source, *traits().clsid, keys.duplicate_message, *traits().iid,
                     SECDB_E_DUPLICATEID);
}

HRESULT KeyedListCore::InsertKeyed(ListItemBase* item, std::string_view key) {
  RETURN_IF_FAILED(CheckWritable("Insert"));
  return Store(item, key, true);
}

HRESULT KeyedListCore::InsertLoaded(ListItemBase* item, std::string_view key) {
  return Store(item, key, false);
}

HRESULT KeyedListCore::Store(ListItemBase* item, std::string_view key, bool notify) {
  if (!item || (item->attached() && item->list() != this)) return E_INVALIDARG;
  if (notify) {
    if (entries_.find(key) != entries_.end()) return ReportTaken();
    NotifyInsert(true, item);
  }
  // A notice may have made the item a member or filled the key. Files
  // list their keys in order, so the place after the last entry is tried
  // first: one comparison a load, not three searches.
  if (item->attached()) return ReportTaken();
  auto at = entries_.end();
  if (!entries_.empty() && !entries_.key_comp()(std::prev(at)->first, key)) {
    at = entries_.lower_bound(key);
    if (at != entries_.end() && !entries_.key_comp()(key, at->first)) return ReportTaken();
  }
  Adopt(item);
  entries_.emplace_hint(at, std::string(key), item);
  ResetCursor();
  if (notify) NotifyInsert(false, item);
  return S_OK;
}

HRESULT KeyedListCore::RemoveKeyed(ListItemBase* item, std::string_view key) {
  RETURN_IF_FAILED(CheckWritable("Remove"));
  if (entries_.find(key) == entries_.end()) {
    return Report("Remove()", kMsgNotFound, SECDB_E_NOTFOUND);
  }
  ComPtr<IUnknown> keep(item ? item->unknown_self() : nullptr);
  NotifyRemove(true, item);
  // The notice may have changed the list; find the entry again.
  auto found = entries_.find(key);
  if (found != entries_.end()) {
    ListItemBase* member = found->second;
    entries_.erase(found);
    ResetCursor();
    Disown(member);
    member->unknown_self()->Release();
  }
  NotifyRemove(false, item);
  return S_OK;
}

HRESULT KeyedListCore::ClearMembers() {
  RETURN_IF_FAILED(CheckWritable("Clear"));
  if (entries_.empty()) return S_OK;
  NotifyRemove(true, nullptr);
  Entries entries(KeyLess{traits().keys->less});
  entries.swap(entries_);
  ResetCursor();
  for (auto& entry : entries) Disown(entry.second);
  for (auto& entry : entries) entry.second->unknown_self()->Release();
  NotifyRemove(false, nullptr);
  return S_OK;
}

KeyedListCore::Rekeyed KeyedListCore::Rekey(std::string_view old_key, std::string_view new_key) {
  // A new key equal to the old one under the key order is taken too.
  if (entries_.find(new_key) != entries_.end()) return Rekeyed::kTaken;
  auto from = entries_.find(old_key);
  if (from == entries_.end()) return Rekeyed::kAbsent;
  ListItemBase* member = from->second;
  entries_.erase(from);
  entries_.emplace(std::string(new_key), member);
  ResetCursor();
  Touch();
  return Rekeyed::kDone;
}

}  // namespace xmlsecdb

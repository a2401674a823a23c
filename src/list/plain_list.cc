#include "list/plain_list.h"

#include <algorithm>

#include "core/error_report.h"
#include "core/return_if_failed.h"

namespace xmlsecdb {

PlainListCore::~PlainListCore() {
  UnbindAll();
  std::vector<ListItemBase*> members;
  members.swap(members_);
  for (ListItemBase* member : members) ReleaseMember(member);
}

ListItemBase* PlainListCore::MemberAt(std::int32_t index) {
  if (index < 0 || index >= count()) return nullptr;
  return members_[static_cast<std::size_t>(index)];
}

HRESULT PlainListCore::InsertMember(ListItemBase* item, ListItemBase* before, bool before_given) {
  RETURN_IF_FAILED(CheckWritable("Insert"));
  if (!item || item->attached()) return E_INVALIDARG;
  auto position = members_.end();
  if (before_given && before != item) {
    position = std::find(members_.begin(), members_.end(), before);
    if (!before || position == members_.end()) {
      return Report("Insert()", kMsgNotFound, SECDB_E_NOTFOUND);
    }
  }
  std::size_t offset = static_cast<std::size_t>(position - members_.begin());
  NotifyInsert(true, item);
  Adopt(item);
  members_.insert(members_.begin() + static_cast<std::ptrdiff_t>(offset), item);
  NotifyInsert(false, item);
  return S_OK;
}

HRESULT PlainListCore::RemoveMember(ListItemBase* item) {
  RETURN_IF_FAILED(CheckWritable("Remove"));
  auto position = item && item->attached() && item->list() == this
                      ? std::find(members_.begin(), members_.end(), item)
                      : members_.end();
  if (position == members_.end()) return Report("Remove()", kMsgNotFound, SECDB_E_NOTFOUND);

  ComPtr<IUnknown> keep(item->unknown_self());
  NotifyRemove(true, item);
  // The notice may have changed the list; find the member again.
  position = std::find(members_.begin(), members_.end(), item);
  if (position != members_.end()) {
    members_.erase(position);
    Disown(item);
    item->unknown_self()->Release();
  }
  NotifyRemove(false, item);
  return S_OK;
}

HRESULT PlainListCore::ClearMembers() {
  RETURN_IF_FAILED(CheckWritable("Clear"));
  if (members_.empty()) return S_OK;
  NotifyRemove(true, nullptr);
  std::vector<ListItemBase*> members;
  members.swap(members_);
  for (ListItemBase* member : members) Disown(member);
  for (ListItemBase* member : members) member->unknown_self()->Release();
  NotifyRemove(false, nullptr);
  return S_OK;
}

}  // namespace xmlsecdb

// What the repository's lists in insertion order share: the group lists
// and the DLL label list refuse a second member with exactly the same ID,
// find members by ID ignoring ASCII case, and (groups) name the groups
// that reference a label.
#ifndef XMLSECDB_APP_APP_ID_LISTS_H_
#define XMLSECDB_APP_APP_ID_LISTS_H_

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/ascii.h"
#include "core/messages.h"
#include "core/return_if_failed.h"
#include "list/list_item.h"
#include "xmlsecdb/variant.h"

namespace xmlsecdb {

// The first member whose id() equals `id` ignoring ASCII case, or nullptr.
template <class List>
auto FindByID(const List& list, std::string_view id) -> decltype(*list.begin()) {
  for (auto* member : list) {
    if (EqualsIgnoringAsciiCase(member->id(), id)) return member;
  }
  return nullptr;
}

// Insert: the read-only guard; 106 when a member's id() equals the new
// one's exactly; else appended with the owner's notices.
template <class Item, class List, class Interface>
HRESULT InsertWithUniqueID(List& list, Interface* item) {
  if (!item) return E_POINTER;
  RETURN_IF_FAILED(list.CheckWritable("Insert"));
  auto* added = static_cast<Item*>(AsListItem(item));
  if (!added) return E_INVALIDARG;
  for (const Item* member : list) {
    if (member->id() == added->id()) {
      return list.Report("Insert()", kMsgDuplicateId, SECDB_E_DUPLICATEID);
    }
  }
  return list.InsertMember(added);
}

// The IDs of the groups with a reference whose content equals `label_id`
// ignoring ASCII case, in list order.
template <class Groups>
HRESULT GroupsReferencing(const Groups& groups, std::string_view label_id, Variant* ids) {
  if (!ids) return E_POINTER;
  std::vector<std::string> found;
  for (const auto* group : groups) {
    for (const auto* reference : *group->references()) {
      if (EqualsIgnoringAsciiCase(reference->content(), label_id)) {
        found.push_back(group->id());
        break;
      }
    }
  }
  *ids = Variant(std::move(found));
  return S_OK;
}

}  // namespace xmlsecdb

#endif  // XMLSECDB_APP_APP_ID_LISTS_H_

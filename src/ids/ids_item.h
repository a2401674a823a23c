// IDSOwnerItem: the base of the IDS items that own a sub-list (a group owns
// its rules, a rule its tokens). The item is its sub-list's owner site, so
// the sub-list reaches the parser (and its read-only flag) through the
// item's own list. IDS lists raise no events, so every notification slot
// stays silent and nothing marks the parser modified.
#ifndef XMLSECDB_IDS_IDS_ITEM_H_
#define XMLSECDB_IDS_IDS_ITEM_H_

#include "ids/ids_dispatch.h"
#include "list/list_item.h"
#include "list/list_owner.h"

namespace xmlsecdb {

class IDSOwnerItem : public ListItemBase, public IListOwner {
 public:
  void MarkModified() override {}
  ParserCore* GetParser() override { return parser(); }

 protected:
  IDSOwnerItem() = default;
  ~IDSOwnerItem() = default;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_IDS_IDS_ITEM_H_

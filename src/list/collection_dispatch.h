// The dispatch table of ISDCollection: `_NewEnum` (-4), `Item` (0, the
// default member) and `Count` (1), the base of every list's table.
#ifndef XMLSECDB_LIST_COLLECTION_DISPATCH_H_
#define XMLSECDB_LIST_COLLECTION_DISPATCH_H_

#include "platform/dispatch_table.h"
#include "xmlsecdb/collection.h"

namespace xmlsecdb {

extern const DispatchTable kCollectionTable;

DispatchBinding DispatchTableFor(ISDCollection* self);

// The table of a list interface I that extends ISDCollection; `list`
// declares how its members are told apart and ordered (see
// DispatchListInfo; undeclared lists get the walks' fallback).
template <class I>
constexpr DispatchTable CollectionTableOf(std::string_view interface_name,
                                          std::span<const DispatchMember> members,
                                          DispatchListInfo list = {}) {
  return DispatchTableOf<I, ISDCollection>(interface_name, members, &kCollectionTable, list);
}

}  // namespace xmlsecdb

#endif  // XMLSECDB_LIST_COLLECTION_DISPATCH_H_

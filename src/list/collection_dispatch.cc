#include "list/collection_dispatch.h"

namespace xmlsecdb {
namespace {

using M = DispatchMembers<ISDCollection>;
constexpr DispatchMember kMembers[] = {
    M::Get<&ISDCollection::get__NewEnum>("_NewEnum", DISPID_NEWENUM),
    M::Get<&ISDCollection::get_Item>("Item", DISPID_Collection_Item),
    M::Get<&ISDCollection::get_Count>("Count", DISPID_Collection_Count),
};
static_assert(DispatchMembersAreUnique(kMembers));

}  // namespace

constinit const DispatchTable kCollectionTable =
    DispatchTableOf<ISDCollection>("ISDCollection", kMembers);

DispatchBinding DispatchTableFor(ISDCollection* self) { return BindTable(kCollectionTable, self); }

}  // namespace xmlsecdb

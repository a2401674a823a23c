#include "core/parser_dispatch.h"

namespace xmlsecdb {
namespace {

constexpr DispatchMember kEvents[] = {
    DispatchEvent("OnBeforeLoad", DISPID_OnBeforeLoad),
    DispatchEvent("OnAfterLoad", DISPID_OnAfterLoad),
    DispatchEvent("OnBeforeSave", DISPID_OnBeforeSave),
    DispatchEvent("OnAfterSave", DISPID_OnAfterSave),
};
static_assert(DispatchMembersAreUnique(kEvents));

}  // namespace

constinit const DispatchTable kParserEventTable = {"_ISDParserEvents", kEvents};

}  // namespace xmlsecdb

#include "policy/policy_dispatch.h"

namespace xmlsecdb {
namespace {

// Inserted and removed events carry the item; changed events the item and
// the number of the property that changes. Definition and simple-item
// events carry the definition first.
constexpr VARTYPE kItem[] = {VT_DISPATCH};
constexpr VARTYPE kItemChange[] = {VT_DISPATCH, VT_I4};
constexpr VARTYPE kDefinitionItem[] = {VT_DISPATCH, VT_DISPATCH};

constexpr DispatchMember kEvents[] = {
    DispatchEvent("OnBeforeGlobalOptionInserted", DISPID_OnBeforeGlobalOptionInserted, kItem),
    DispatchEvent("OnAfterGlobalOptionInserted", DISPID_OnAfterGlobalOptionInserted, kItem),
    DispatchEvent("OnBeforeGlobalOptionRemoved", DISPID_OnBeforeGlobalOptionRemoved, kItem),
    DispatchEvent("OnAfterGlobalOptionRemoved", DISPID_OnAfterGlobalOptionRemoved, kItem),
    DispatchEvent("OnBeforeGlobalOptionChanged", DISPID_OnBeforeGlobalOptionChanged, kItemChange),
    DispatchEvent("OnAfterGlobalOptionChanged", DISPID_OnAfterGlobalOptionChanged, kItemChange),
    DispatchEvent("OnBeforeDefinitionInserted", DISPID_OnBeforeDefinitionInserted, kItem),
    DispatchEvent("OnAfterDefinitionInserted", DISPID_OnAfterDefinitionInserted, kItem),
    DispatchEvent("OnBeforeDefinitionRemoved", DISPID_OnBeforeDefinitionRemoved, kItem),
    DispatchEvent("OnAfterDefinitionRemoved", DISPID_OnAfterDefinitionRemoved, kItem),
    DispatchEvent("OnBeforeDefinitionChanged", DISPID_OnBeforeDefinitionChanged, kItemChange),
    DispatchEvent("OnAfterDefinitionChanged", DISPID_OnAfterDefinitionChanged, kItemChange),
    DispatchEvent("OnBeforeSimpleItemInserted", DISPID_OnBeforeSimpleItemInserted, kDefinitionItem),
    DispatchEvent("OnAfterSimpleItemInserted", DISPID_OnAfterSimpleItemInserted, kDefinitionItem),
    DispatchEvent("OnBeforeSimpleItemRemoved", DISPID_OnBeforeSimpleItemRemoved, kDefinitionItem),
    DispatchEvent("OnAfterSimpleItemRemoved", DISPID_OnAfterSimpleItemRemoved, kDefinitionItem),
    DispatchEvent("OnBeforeSimpleItemChanged", DISPID_OnBeforeSimpleItemChanged, kDefinitionItem),
    DispatchEvent("OnAfterSimpleItemChanged", DISPID_OnAfterSimpleItemChanged, kDefinitionItem),
    DispatchEvent("OnBeforeRuleInserted", DISPID_OnBeforeRuleInserted, kItem),
    DispatchEvent("OnAfterRuleInserted", DISPID_OnAfterRuleInserted, kItem),
    DispatchEvent("OnBeforeRuleRemoved", DISPID_OnBeforeRuleRemoved, kItem),
    DispatchEvent("OnAfterRuleRemoved", DISPID_OnAfterRuleRemoved, kItem),
    DispatchEvent("OnBeforeRuleChanged", DISPID_OnBeforeRuleChanged, kItemChange),
    DispatchEvent("OnAfterRuleChanged", DISPID_OnAfterRuleChanged, kItemChange),
    DispatchEvent("OnBeforeAppExceptionInserted", DISPID_OnBeforeAppExceptionInserted, kItem),
    DispatchEvent("OnAfterAppExceptionInserted", DISPID_OnAfterAppExceptionInserted, kItem),
    DispatchEvent("OnBeforeAppExceptionRemoved", DISPID_OnBeforeAppExceptionRemoved, kItem),
    DispatchEvent("OnAfterAppExceptionRemoved", DISPID_OnAfterAppExceptionRemoved, kItem),
    DispatchEvent("OnBeforeAppExceptionChanged", DISPID_OnBeforeAppExceptionChanged, kItemChange),
    DispatchEvent("OnAfterAppExceptionChanged", DISPID_OnAfterAppExceptionChanged, kItemChange),
};
static_assert(DispatchMembersAreUnique(kEvents));

}  // namespace

constinit const DispatchTable kPolicyEventTable = {"_ISDParserPolicyEvents", kEvents,
                                                   &kParserEventTable};

}  // namespace xmlsecdb

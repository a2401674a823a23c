#include "fw/fw_dispatch.h"

#include "fw/fw_enum_names.h"
#include "core/parser_dispatch.h"
#include "list/collection_dispatch.h"

namespace xmlsecdb {
namespace {

namespace item {
using I = IFWItem;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Property<&I::get_Content, &I::put_Content>("Content", 1),
    M::Property<&I::get_Direction, &I::put_Direction>("Direction", 2),
    M::Property<&I::get_Protocol, &I::put_Protocol>("Protocol", 3),
    M::Property<&I::get_ICMPType, &I::put_ICMPType>("ICMPType", 4),
    M::Property<&I::get_LocalPortFrom, &I::put_LocalPortFrom>("LocalPortFrom", 5),
    M::Property<&I::get_LocalPortTo, &I::put_LocalPortTo>("LocalPortTo", 6),
    M::Property<&I::get_RemotePortFrom, &I::put_RemotePortFrom>("RemotePortFrom", 7),
    M::Property<&I::get_RemotePortTo, &I::put_RemotePortTo>("RemotePortTo", 8),
    M::Property<&I::get_CustomProtocolNumber, &I::put_CustomProtocolNumber>("CustomProtocolNumber",
                                                                            9),
    M::Method<&I::Compare>("Compare", 10),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = DispatchTableOf<I>("IFWItem", kMembers);
}  // namespace item

namespace item_list {
using I = IFWItemList;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Method<&I::CreateItem>("CreateItem", 2),
    M::Method<&I::Insert>("Insert", 3),
    M::Method<&I::Remove>("Remove", 4),
    M::Method<&I::Clear>("Clear", 5),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = CollectionTableOf<I>(
    "IFWItemList", kMembers,
    {.identity = "Content", .order = LISTORDER_PLAIN, .summary = "Direction,Protocol,LocalPortFrom,RemotePortFrom"});
}  // namespace item_list

namespace parser {
using I = ISDParserFW;
// The firewall parser numbers its members as the anti-malware parser does
// where they share one; its further lists take the next free numbers.
constexpr ParserDispids kParserIds = {.load = 1,
                                      .save = 2,
                                      .new_database = 3,
                                      .module = 4,
                                      .version = 5,
                                      .parser_version = 6,
                                      .set_master_parser = 7,
                                      .xml = 12,
                                      .read_only = 14,
                                      .crypt_key = 15,
                                      .file_path = 16};
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Get<&I::get_GlobalOptions>("GlobalOptions", 8),
    M::Get<&I::get_DefinitionList>("DefinitionList", 9),
    M::Get<&I::get_AppExceptionList>("AppExceptionList", 10),
    M::Method<&I::XmlEx>("XmlEx", 13),
    M::Get<&I::get_RuleList>("RuleList", 11),
    M::Get<&I::get_RuleSetList>("RuleSetList", 17),
    M::Get<&I::get_RoutedRuleList>("RoutedRuleList", 18),
    M::Get<&I::get_DialNumberList>("DialNumberList", 19),
    M::Get<&I::get_ZoneRuleList>("ZoneRuleList", 20),
    M::Get<&I::get_BindSocketNotificationList>("BindSocketNotificationList", 21),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable =
    DispatchTableOf<I>("ISDParserFW", kMembers, &ParserDispatch<I, kParserIds>::kTable);

// Inserted and removed events carry the item; changed events the item and
// the number of the property that changes. Item events carry the
// definition first.
constexpr VARTYPE kItem[] = {VT_DISPATCH};
constexpr VARTYPE kItemChange[] = {VT_DISPATCH, VT_I4};
constexpr VARTYPE kDefinitionItem[] = {VT_DISPATCH, VT_DISPATCH};
constexpr VARTYPE kDefinitionItemChange[] = {VT_DISPATCH, VT_DISPATCH, VT_I4};

constexpr DispatchMember kEvents[] = {
    DispatchEvent("OnBeforeGlobalOptionInserted", DISPID_FW_OnBeforeGlobalOptionInserted, kItem),
    DispatchEvent("OnAfterGlobalOptionInserted", DISPID_FW_OnAfterGlobalOptionInserted, kItem),
    DispatchEvent("OnBeforeGlobalOptionRemoved", DISPID_FW_OnBeforeGlobalOptionRemoved, kItem),
    DispatchEvent("OnAfterGlobalOptionRemoved", DISPID_FW_OnAfterGlobalOptionRemoved, kItem),
    DispatchEvent("OnBeforeGlobalOptionChanged", DISPID_FW_OnBeforeGlobalOptionChanged,
                  kItemChange),
    DispatchEvent("OnAfterGlobalOptionChanged", DISPID_FW_OnAfterGlobalOptionChanged, kItemChange),
    DispatchEvent("OnBeforeDefinitionInserted", DISPID_FW_OnBeforeDefinitionInserted, kItem),
    DispatchEvent("OnAfterDefinitionInserted", DISPID_FW_OnAfterDefinitionInserted, kItem),
    DispatchEvent("OnBeforeDefinitionRemoved", DISPID_FW_OnBeforeDefinitionRemoved, kItem),
    DispatchEvent("OnAfterDefinitionRemoved", DISPID_FW_OnAfterDefinitionRemoved, kItem),
    DispatchEvent("OnBeforeDefinitionChanged", DISPID_FW_OnBeforeDefinitionChanged, kItemChange),
    DispatchEvent("OnAfterDefinitionChanged", DISPID_FW_OnAfterDefinitionChanged, kItemChange),
    DispatchEvent("OnBeforeFWItemInserted", DISPID_OnBeforeFWItemInserted, kDefinitionItem),
    DispatchEvent("OnAfterFWItemInserted", DISPID_OnAfterFWItemInserted, kDefinitionItem),
    DispatchEvent("OnBeforeFWItemRemoved", DISPID_OnBeforeFWItemRemoved, kDefinitionItem),
    DispatchEvent("OnAfterFWItemRemoved", DISPID_OnAfterFWItemRemoved, kDefinitionItem),
    DispatchEvent("OnBeforeFWItemChanged", DISPID_OnBeforeFWItemChanged, kDefinitionItemChange),
    DispatchEvent("OnAfterFWItemChanged", DISPID_OnAfterFWItemChanged, kDefinitionItemChange),
    DispatchEvent("OnBeforeRuleInserted", DISPID_FW_OnBeforeRuleInserted, kItem),
    DispatchEvent("OnAfterRuleInserted", DISPID_FW_OnAfterRuleInserted, kItem),
    DispatchEvent("OnBeforeRuleRemoved", DISPID_FW_OnBeforeRuleRemoved, kItem),
    DispatchEvent("OnAfterRuleRemoved", DISPID_FW_OnAfterRuleRemoved, kItem),
    DispatchEvent("OnBeforeRuleChanged", DISPID_FW_OnBeforeRuleChanged, kItemChange),
    DispatchEvent("OnAfterRuleChanged", DISPID_FW_OnAfterRuleChanged, kItemChange),
    DispatchEvent("OnBeforeAppExceptionInserted", DISPID_FW_OnBeforeAppExceptionInserted, kItem),
    DispatchEvent("OnAfterAppExceptionInserted", DISPID_FW_OnAfterAppExceptionInserted, kItem),
    DispatchEvent("OnBeforeAppExceptionRemoved", DISPID_FW_OnBeforeAppExceptionRemoved, kItem),
    DispatchEvent("OnAfterAppExceptionRemoved", DISPID_FW_OnAfterAppExceptionRemoved, kItem),
    DispatchEvent("OnBeforeAppExceptionChanged", DISPID_FW_OnBeforeAppExceptionChanged,
                  kItemChange),
    DispatchEvent("OnAfterAppExceptionChanged", DISPID_FW_OnAfterAppExceptionChanged, kItemChange),
    DispatchEvent("OnBeforeZoneRuleInserted", DISPID_OnBeforeZoneRuleInserted, kItem),
    DispatchEvent("OnAfterZoneRuleInserted", DISPID_OnAfterZoneRuleInserted, kItem),
    DispatchEvent("OnBeforeZoneRuleRemoved", DISPID_OnBeforeZoneRuleRemoved, kItem),
    DispatchEvent("OnAfterZoneRuleRemoved", DISPID_OnAfterZoneRuleRemoved, kItem),
    DispatchEvent("OnBeforeZoneRuleChanged", DISPID_OnBeforeZoneRuleChanged, kItemChange),
    DispatchEvent("OnAfterZoneRuleChanged", DISPID_OnAfterZoneRuleChanged, kItemChange),
    DispatchEvent("OnBeforeBSNInserted", DISPID_OnBeforeBSNInserted, kItem),
    DispatchEvent("OnAfterBSNInserted", DISPID_OnAfterBSNInserted, kItem),
    DispatchEvent("OnBeforeBSNRemoved", DISPID_OnBeforeBSNRemoved, kItem),
    DispatchEvent("OnAfterBSNRemoved", DISPID_OnAfterBSNRemoved, kItem),
    DispatchEvent("OnBeforeBSNChanged", DISPID_OnBeforeBSNChanged, kItem),
    DispatchEvent("OnAfterBSNChanged", DISPID_OnAfterBSNChanged, kItem),
};
static_assert(DispatchMembersAreUnique(kEvents));
constexpr DispatchTable kEventTable = {"_ISDParserFWEvents", kEvents, &kParserEventTable};
}  // namespace parser

}  // namespace

DispatchBinding DispatchTableFor(IFWItem* self) { return BindTable(item::kTable, self); }
DispatchBinding DispatchTableFor(IFWItemList* self) { return BindTable(item_list::kTable, self); }
DispatchBinding DispatchTableFor(ISDParserFW* self) { return BindTable(parser::kTable, self); }
const DispatchTable* EventTableFor(ISDParserFW*) { return &parser::kEventTable; }

}  // namespace xmlsecdb

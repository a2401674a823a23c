// The dispatch tables of the firewall's rule families (declared in
// fw/fw_dispatch.h).
#include "fw/fw_dispatch.h"

#include "fw/fw_enum_names.h"
#include "list/collection_dispatch.h"

namespace xmlsecdb {
namespace {

namespace rule {
using I = IFWRule;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Property<&I::get_Priority, &I::put_Priority>("Priority", 1),
    M::Property<&I::get_RemIPAddrType, &I::put_RemIPAddrType>("RemIPAddrType", 2),
    M::Property<&I::get_RemIPAddress, &I::put_RemIPAddress>("RemIPAddress", 3),
    M::Property<&I::get_TransportType, &I::put_TransportType>("TransportType", 4),
    M::Property<&I::get_TransportID, &I::put_TransportID>("TransportID", 5),
    M::Get<&I::get_TransportObject>("TransportObject", 6),
    M::Property<&I::get_AppType, &I::put_AppType>("AppType", 7),
    M::Property<&I::get_Application, &I::put_Application>("Application", 8),
    M::Property<&I::get_OutConditionAND, &I::put_OutConditionAND>("OutConditionAND", 9),
    M::Property<&I::get_OutConditionOR, &I::put_OutConditionOR>("OutConditionOR", 10),
    M::Property<&I::get_TimeOfDayType, &I::put_TimeOfDayType>("TimeOfDayType", 11),
    M::Property<&I::get_TimeOfDay, &I::put_TimeOfDay>("TimeOfDay", 12),
    M::Property<&I::get_OSVersion, &I::put_OSVersion>("OSVersion", 13),
    M::Get<&I::get_AccessDescriptor>("AccessDescriptor", 14),
    M::Property<&I::get_RuleID, &I::put_RuleID>("RuleID", 15),
    M::Property<&I::get_RuleIDString, &I::put_RuleIDString>("RuleIDString", 16),
    M::Property<&I::get_Zone, &I::put_Zone>("Zone", 17),
    M::Property<&I::get_System, &I::put_System>("System", 18),
    M::Property<&I::get_Assignment, &I::put_Assignment>("Assignment", 19),
    M::Property<&I::get_Preferred, &I::put_Preferred>("Preferred", 20),
    M::Get<&I::get_ConditionSwitchList>("ConditionSwitchList", 21),
    M::Property<&I::get_LearningMode, &I::put_LearningMode>("LearningMode", 22),
    M::Property<&I::get_ProcessID, &I::put_ProcessID>("ProcessID", 23),
    M::Property<&I::get_Account, &I::put_Account>("Account", 24),
    M::Property<&I::get_Enabled, &I::put_Enabled>("Enabled", 25),
    M::Property<&I::get_Description, &I::put_Description>("Description", 26),
    M::Property<&I::get_LocIPAddrType, &I::put_LocIPAddrType>("LocIPAddrType", 27),
    M::Property<&I::get_LocIPAddress, &I::put_LocIPAddress>("LocIPAddress", 28),
    M::Property<&I::get_UIFlags, &I::put_UIFlags>("UIFlags", 29),
    M::Property<&I::get_Order, &I::put_Order>("Order", 30),
    M::Method<&I::CopyToList>("CopyToList", 31),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = DispatchTableOf<I>("IFWRule", kMembers);
}  // namespace rule

namespace rule_list {
using I = IFWRuleList;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Method<&I::CreateRule>("CreateRule", 2),
    M::Method<&I::Insert>("Insert", 3),
    M::Method<&I::Remove>("Remove", 4),
    M::Method<&I::Clear>("Clear", 5),
    M::Method<&I::MoveUp>("MoveUp", 6),
    M::Method<&I::MoveDown>("MoveDown", 7),
    M::Method<&I::Get>("Get", 8),
    M::Method<&I::GetLabelClientServerStatus>("GetLabelClientServerStatus", 9),
    M::Method<&I::GenerateRuleID>("GenerateRuleID", 10),
    M::Method<&I::GetByRuleNum>("GetByRuleNum", 11),
    M::Method<&I::InsertEx>("InsertEx", 12),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = CollectionTableOf<I>(
    "IFWRuleList", kMembers,
    {.identity = "RuleID", .order = LISTORDER_SORTED, .summary = "Priority,Application,RemIPAddress,TransportID,Enabled"});
}  // namespace rule_list

namespace routed {
using I = IFWRoutedRule;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Property<&I::get_Priority, &I::put_Priority>("Priority", 1),
    M::Property<&I::get_RemIPAddrType, &I::put_RemIPAddrType>("RemIPAddrType", 2),
    M::Property<&I::get_RemIPAddress, &I::put_RemIPAddress>("RemIPAddress", 3),
    M::Property<&I::get_LANIPAddrType, &I::put_LANIPAddrType>("LANIPAddrType", 4),
    M::Property<&I::get_LANIPAddress, &I::put_LANIPAddress>("LANIPAddress", 5),
    M::Property<&I::get_TransportType, &I::put_TransportType>("TransportType", 6),
    M::Property<&I::get_TransportID, &I::put_TransportID>("TransportID", 7),
    M::Get<&I::get_TransportObject>("TransportObject", 8),
    M::Property<&I::get_OutConditionAND, &I::put_OutConditionAND>("OutConditionAND", 9),
    M::Property<&I::get_OutConditionOR, &I::put_OutConditionOR>("OutConditionOR", 10),
    M::Property<&I::get_TimeOfDayType, &I::put_TimeOfDayType>("TimeOfDayType", 11),
    M::Property<&I::get_TimeOfDay, &I::put_TimeOfDay>("TimeOfDay", 12),
    M::Property<&I::get_OSVersion, &I::put_OSVersion>("OSVersion", 13),
    M::Get<&I::get_AccessDescriptor>("AccessDescriptor", 14),
    M::Property<&I::get_RuleID, &I::put_RuleID>("RuleID", 15),
    M::Property<&I::get_RuleIDString, &I::put_RuleIDString>("RuleIDString", 16),
    M::Property<&I::get_Assignment, &I::put_Assignment>("Assignment", 17),
    M::Property<&I::get_Enabled, &I::put_Enabled>("Enabled", 18),
    M::Property<&I::get_IfaceIPAddrType, &I::put_IfaceIPAddrType>("IfaceIPAddrType", 19),
    M::Property<&I::get_IfaceIPAddress, &I::put_IfaceIPAddress>("IfaceIPAddress", 20),
    M::Property<&I::get_Description, &I::put_Description>("Description", 21),
    M::Property<&I::get_UIFlags, &I::put_UIFlags>("UIFlags", 22),
    M::Property<&I::get_Preferred, &I::put_Preferred>("Preferred", 23),
    M::Property<&I::get_Order, &I::put_Order>("Order", 24),
    M::Method<&I::CopyToList>("CopyToList", 25),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = DispatchTableOf<I>("IFWRoutedRule", kMembers);
}  // namespace routed

namespace routed_list {
using I = IFWRoutedRuleList;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Method<&I::CreateRule>("CreateRule", 2),
    M::Method<&I::Insert>("Insert", 3),
    M::Method<&I::Remove>("Remove", 4),
    M::Method<&I::Clear>("Clear", 5),
    M::Method<&I::MoveUp>("MoveUp", 6),
    M::Method<&I::MoveDown>("MoveDown", 7),
    M::Method<&I::Get>("Get", 8),
    M::Method<&I::GenerateRuleID>("GenerateRuleID", 9),
    M::Method<&I::GetByRuleNum>("GetByRuleNum", 10),
    M::Method<&I::InsertEx>("InsertEx", 11),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = CollectionTableOf<I>(
    "IFWRoutedRuleList", kMembers,
    {.identity = "RuleID", .order = LISTORDER_SORTED, .summary = "Priority,TransportID,Description"});
}  // namespace routed_list

namespace dial {
using I = IFWDialNumber;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Property<&I::get_Number, &I::put_Number>("Number", 1),
    M::Get<&I::get_AccessDescriptor>("AccessDescriptor", 2),
    M::Property<&I::get_Enabled, &I::put_Enabled>("Enabled", 3),
    M::Property<&I::get_Description, &I::put_Description>("Description", 4),
    M::Property<&I::get_UIFlags, &I::put_UIFlags>("UIFlags", 5),
    M::Property<&I::get_Assignment, &I::put_Assignment>("Assignment", 6),
    M::Property<&I::get_Priority, &I::put_Priority>("Priority", 7),
    M::Property<&I::get_DialNumberID, &I::put_DialNumberID>("DialNumberID", 8),
    M::Property<&I::get_DialNumberIDString, &I::put_DialNumberIDString>("DialNumberIDString", 9),
    M::Property<&I::get_Order, &I::put_Order>("Order", 10),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = DispatchTableOf<I>("IFWDialNumber", kMembers);
}  // namespace dial

namespace dial_list {
using I = IFWDialNumberList;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Method<&I::CreateDialNumber>("CreateDialNumber", 2),
    M::Method<&I::Insert>("Insert", 3),
    M::Method<&I::Remove>("Remove", 4),
    M::Method<&I::Clear>("Clear", 5),
    M::Method<&I::GenerateDialNumberID>("GenerateDialNumberID", 9),
    M::Method<&I::Get>("Get", 10),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = CollectionTableOf<I>(
    "IFWDialNumberList", kMembers,
    {.identity = "DialNumberID", .order = LISTORDER_SORTED, .summary = "Number,Priority"});
}  // namespace dial_list

namespace zone {
using I = IFWZoneRule;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Property<&I::get_Category, &I::put_Category>("Category", 1),
    M::Property<&I::get_IPAddrType, &I::put_IPAddrType>("IPAddrType", 2),
    M::Property<&I::get_IPAddress, &I::put_IPAddress>("IPAddress", 3),
    M::Property<&I::get_Interface, &I::put_Interface>("Interface", 4),
    M::Property<&I::get_Priority, &I::put_Priority>("Priority", 5),
    M::Property<&I::get_Zone, &I::put_Zone>("Zone", 6),
    M::Property<&I::get_RuleID, &I::put_RuleID>("RuleID", 7),
    M::Property<&I::get_RuleIDString, &I::put_RuleIDString>("RuleIDString", 8),
    M::Property<&I::get_Enabled, &I::put_Enabled>("Enabled", 9),
    M::Property<&I::get_Description, &I::put_Description>("Description", 10),
    M::Property<&I::get_UIFlags, &I::put_UIFlags>("UIFlags", 11),
    M::Property<&I::get_Assignment, &I::put_Assignment>("Assignment", 12),
    M::Property<&I::get_Order, &I::put_Order>("Order", 13),
    M::Method<&I::CopyToList>("CopyToList", 14),
    M::Property<&I::get_Domain, &I::put_Domain>("Domain", 15),
    M::Property<&I::get_SSID, &I::put_SSID>("SSID", 16),
    M::Property<&I::get_AuditLevel, &I::put_AuditLevel>("AuditLevel", 17),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = DispatchTableOf<I>("IFWZoneRule", kMembers);
}  // namespace zone

namespace zone_list {
using I = IFWZoneRuleList;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Method<&I::CreateRule>("CreateRule", 2),
    M::Method<&I::Insert>("Insert", 3),
    M::Method<&I::Remove>("Remove", 4),
    M::Method<&I::Clear>("Clear", 5),
    M::Method<&I::Get>("Get", 8),
    M::Method<&I::GetByRuleNum>("GetByRuleNum", 9),
    M::Method<&I::GenerateRuleID>("GenerateRuleID", 10),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = CollectionTableOf<I>(
    "IFWZoneRuleList", kMembers,
    {.identity = "RuleID", .order = LISTORDER_SORTED, .summary = "Zone,Domain,SSID,Priority"});
}  // namespace zone_list

namespace bind_socket {
using I = IBindSocketNotification;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Property<&I::get_Label, &I::put_Label>("Label", 1),
    M::Property<&I::get_NotifyServerPorts, &I::put_NotifyServerPorts>("NotifyServerPorts", 2),
    M::Property<&I::get_NotifyGenPorts, &I::put_NotifyGenPorts>("NotifyGenPorts", 3),
    M::Property<&I::get_Priority, &I::put_Priority>("Priority", 4),
    M::Property<&I::get_Assignment, &I::put_Assignment>("Assignment", 5),
    M::Property<&I::get_UIFlags, &I::put_UIFlags>("UIFlags", 6),
    M::Property<&I::get_Order, &I::put_Order>("Order", 7),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = DispatchTableOf<I>("IBindSocketNotification", kMembers);
}  // namespace bind_socket

namespace bind_socket_list {
using I = IBindSocketNotificationList;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Method<&I::CreateBindSocketNotification>("CreateBindSocketNotification", 2),
    M::Method<&I::Insert>("Insert", 3),
    M::Method<&I::Remove>("Remove", 4),
    M::Method<&I::Clear>("Clear", 5),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = CollectionTableOf<I>(
    "IBindSocketNotificationList", kMembers,
    {.identity = "Label", .order = LISTORDER_PLAIN, .summary = "Priority,Order"});
}  // namespace bind_socket_list

}  // namespace

DispatchBinding DispatchTableFor(IFWRule* self) { return BindTable(rule::kTable, self); }
DispatchBinding DispatchTableFor(IFWRuleList* self) { return BindTable(rule_list::kTable, self); }
DispatchBinding DispatchTableFor(IFWRoutedRule* self) { return BindTable(routed::kTable, self); }
DispatchBinding DispatchTableFor(IFWRoutedRuleList* self) {
  return BindTable(routed_list::kTable, self);
}
DispatchBinding DispatchTableFor(IFWDialNumber* self) { return BindTable(dial::kTable, self); }
DispatchBinding DispatchTableFor(IFWDialNumberList* self) {
  return BindTable(dial_list::kTable, self);
}
DispatchBinding DispatchTableFor(IFWZoneRule* self) { return BindTable(zone::kTable, self); }
DispatchBinding DispatchTableFor(IFWZoneRuleList* self) {
  return BindTable(zone_list::kTable, self);
}
DispatchBinding DispatchTableFor(IBindSocketNotification* self) {
  return BindTable(bind_socket::kTable, self);
}
DispatchBinding DispatchTableFor(IBindSocketNotificationList* self) {
  return BindTable(bind_socket_list::kTable, self);
}

}  // namespace xmlsecdb

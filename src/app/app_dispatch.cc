#include "app/app_dispatch.h"

#include "app/app_enum_names.h"
#include "core/parser_dispatch.h"
#include "list/collection_dispatch.h"
#include "xmlsecdb/events.h"

namespace xmlsecdb {
namespace {

namespace checksum {
using I = IChecksum;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Property<&I::get_Checksum, &I::put_Checksum>("Checksum", 1),
    M::Property<&I::get_Version, &I::put_Version>("Version", 2),
    M::Property<&I::get_TimeStamp, &I::put_TimeStamp>("TimeStamp", 3),
    M::Property<&I::get_FileName, &I::put_FileName>("FileName", 4),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = DispatchTableOf<I>("IChecksum", kMembers);
}  // namespace checksum

namespace checksum_list {
using I = IChecksumList;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Method<&I::CreateChecksum>("CreateChecksum", 2),
    M::Method<&I::Insert>("Insert", 3),
    M::Method<&I::Remove>("Remove", 4),
    M::Method<&I::Clear>("Clear", 5),
    M::Method<&I::Contain>("Contain", 6),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = CollectionTableOf<I>(
    "IChecksumList", kMembers,
    {.identity = "Checksum", .order = LISTORDER_PLAIN, .summary = "FileName"});
}  // namespace checksum_list

namespace label {
using I = ILabel;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Property<&I::get_LabelID, &I::put_LabelID>("LabelID", 1),
    M::Property<&I::get_Type, &I::put_Type>("Type", 2),
    M::Property<&I::get_Path, &I::put_Path>("Path", 3),
    M::Get<&I::get_ChecksumList>("ChecksumList", 4),
    M::Property<&I::get_Description, &I::put_Description>("Description", 5),
    M::Property<&I::get_BGAccessResult, &I::put_BGAccessResult>("BGAccessResult", 6),
    M::Property<&I::get_BGAuditLevel, &I::put_BGAuditLevel>("BGAuditLevel", 7),
    M::Property<&I::get_LearningMode, &I::put_LearningMode>("LearningMode", 8),
    M::Property<&I::get_ProcessID, &I::put_ProcessID>("ProcessID", 9),
    M::Property<&I::get_UIFlags, &I::put_UIFlags>("UIFlags", 10),
    M::Property<&I::get_KnownApp, &I::put_KnownApp>("KnownApp", 11),
    M::Get<&I::get_IdentityRedirectionList>("IdentityRedirectionList", 12),
    M::Property<&I::get_AssGroup, &I::put_AssGroup>("AssGroup", 13),
    M::Get<&I::get_PathExpanded>("PathExpanded", 14),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = DispatchTableOf<I>("ILabel", kMembers);
}  // namespace label

namespace label_list {
using I = ILabelList;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Method<&I::CreateLabel>("CreateLabel", 2),
    M::Method<&I::Insert>("Insert", 3),
    M::Method<&I::Remove>("Remove", 4),
    M::Method<&I::Get>("Get", 5),
    M::Method<&I::Clear>("Clear", 6),
    M::Method<&I::FindLabel>("FindLabel", 7),
    M::Method<&I::GetAllLabelIDs>("GetAllLabelIDs", 8),
    M::Method<&I::EnrollPath>("EnrollPath", 9),
    M::Method<&I::GetLabel>("GetLabel", 10),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = CollectionTableOf<I>(
    "ILabelList", kMembers,
    {.identity = "LabelID", .order = LISTORDER_SORTED, .summary = "Type,Path,Description"});
}  // namespace label_list

namespace group {
using I = IAppGroup;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Property<&I::get_AppGroupID, &I::put_AppGroupID>("AppGroupID", 1),
    M::Property<&I::get_ObjectType, &I::put_ObjectType>("ObjectType", 2),
    M::Get<&I::get_LabelList>("LabelList", 3),
    M::Property<&I::get_Description, &I::put_Description>("Description", 4),
    M::Method<&I::GetAllLabelIDs>("GetAllLabelIDs", 5),
    M::Method<&I::RemoveLabelFromGroup>("RemoveLabelFromGroup", 6),
    M::Method<&I::AddLabelToGroup>("AddLabelToGroup", 7),
    M::Property<&I::get_UIFlags, &I::put_UIFlags>("UIFlags", 8),
    M::Method<&I::Contain>("Contain", 9),
    M::Method<&I::RemoveGroupFromGroup>("RemoveGroupFromGroup", 10),
    M::Method<&I::AddGroupToGroup>("AddGroupToGroup", 11),
    M::Method<&I::ContainGroup>("ContainGroup", 12),
    M::Method<&I::CanInsertGroup>("CanInsertGroup", 13),
    M::Method<&I::GetAllGroupIDs>("GetAllGroupIDs", 14),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = DispatchTableOf<I>("IAppGroup", kMembers);
}  // namespace group

namespace group_list {
using I = IAppGroupList;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Method<&I::CreateGroup>("CreateGroup", 2),
    M::Method<&I::Insert>("Insert", 3),
    M::Method<&I::Remove>("Remove", 4),
    M::Method<&I::Get>("Get", 5),
    M::Method<&I::Clear>("Clear", 6),
    M::Method<&I::FindLabelGroups>("FindLabelGroups", 7),
    M::Method<&I::RemoveLabelFromAllGroups>("RemoveLabelFromAllGroups", 8),
    M::Method<&I::RemoveGroupFromAllGroups>("RemoveGroupFromAllGroups", 9),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = CollectionTableOf<I>(
    "IAppGroupList", kMembers,
    {.identity = "AppGroupID", .order = LISTORDER_PLAIN, .summary = "Description"});
}  // namespace group_list

namespace dll_label {
using I = IDllLabel;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Property<&I::get_LabelID, &I::put_LabelID>("LabelID", 1),
    M::Property<&I::get_Type, &I::put_Type>("Type", 2),
    M::Property<&I::get_Path, &I::put_Path>("Path", 3),
    M::Get<&I::get_ChecksumList>("ChecksumList", 4),
    M::Property<&I::get_Description, &I::put_Description>("Description", 5),
    M::Property<&I::get_BGAccessResult, &I::put_BGAccessResult>("BGAccessResult", 6),
    M::Property<&I::get_BGAuditLevel, &I::put_BGAuditLevel>("BGAuditLevel", 7),
    M::Property<&I::get_UIFlags, &I::put_UIFlags>("UIFlags", 8),
    M::Get<&I::get_PathExpanded>("PathExpanded", 9),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = DispatchTableOf<I>("IDllLabel", kMembers);
}  // namespace dll_label

namespace dll_label_list {
using I = IDllLabelList;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Method<&I::CreateDllLabel>("CreateDllLabel", 2),
    M::Method<&I::Insert>("Insert", 3),
    M::Method<&I::Remove>("Remove", 4),
    M::Method<&I::Get>("Get", 5),
    M::Method<&I::Clear>("Clear", 6),
    M::Method<&I::FindDllLabel>("FindDllLabel", 7),
    M::Method<&I::GetAllDllLabelIDs>("GetAllDllLabelIDs", 8),
    M::Method<&I::EnrollPath>("EnrollPath", 9),
    M::Method<&I::GetLabel>("GetLabel", 10),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = CollectionTableOf<I>(
    "IDllLabelList", kMembers,
    {.identity = "LabelID", .order = LISTORDER_PLAIN, .summary = "Type,Path,Description"});
}  // namespace dll_label_list

namespace dll_group {
using I = IDllGroup;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Property<&I::get_DllGroupID, &I::put_DllGroupID>("DllGroupID", 1),
    M::Get<&I::get_DllLabelList>("DllLabelList", 2),
    M::Property<&I::get_Description, &I::put_Description>("Description", 3),
    M::Method<&I::GetAllLabelIDs>("GetAllLabelIDs", 5),
    M::Method<&I::RemoveLabelFromGroup>("RemoveLabelFromGroup", 6),
    M::Method<&I::AddLabelToGroup>("AddLabelToGroup", 7),
    M::Property<&I::get_UIFlags, &I::put_UIFlags>("UIFlags", 8),
    M::Method<&I::Contain>("Contain", 9),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = DispatchTableOf<I>("IDllGroup", kMembers);
}  // namespace dll_group

namespace dll_group_list {
using I = IDllGroupList;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Method<&I::CreateGroup>("CreateGroup", 2),
    M::Method<&I::Insert>("Insert", 3),
    M::Method<&I::Remove>("Remove", 4),
    M::Method<&I::Get>("Get", 5),
    M::Method<&I::Clear>("Clear", 6),
    M::Method<&I::FindLabelGroups>("FindLabelGroups", 7),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = CollectionTableOf<I>(
    "IDllGroupList", kMembers,
    {.identity = "DllGroupID", .order = LISTORDER_PLAIN, .summary = "Description"});
}  // namespace dll_group_list

namespace rule {
using I = IAppRule;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Property<&I::get_RuleID, &I::put_RuleID>("RuleID", 1),
    M::Property<&I::get_RuleIDString, &I::put_RuleIDString>("RuleIDString", 2),
    M::Property<&I::get_Assignment, &I::put_Assignment>("Assignment", 3),
    M::Property<&I::get_Enabled, &I::put_Enabled>("Enabled", 4),
    M::Property<&I::get_Description, &I::put_Description>("Description", 5),
    M::Property<&I::get_UIFlags, &I::put_UIFlags>("UIFlags", 6),
    M::Property<&I::get_Usage, &I::put_Usage>("Usage", 7),
    M::Property<&I::get_UsageNot, &I::put_UsageNot>("UsageNot", 8),
    M::Property<&I::get_FoundBy, &I::put_FoundBy>("FoundBy", 9),
    M::Property<&I::get_Enroll, &I::put_Enroll>("Enroll", 10),
    M::Property<&I::get_Manufacturer, &I::put_Manufacturer>("Manufacturer", 11),
    M::Get<&I::get_Groups>("Groups", 12),
    M::Property<&I::get_Suite, &I::put_Suite>("Suite", 13),
    M::Property<&I::get_SpecialAccess, &I::put_SpecialAccess>("SpecialAccess", 14),
    M::Property<&I::get_SpecialAccessNot, &I::put_SpecialAccessNot>("SpecialAccessNot", 15),
    M::Method<&I::CopyToList>("CopyToList", 16),
    M::Property<&I::get_Order, &I::put_Order>("Order", 17),
    M::Get<&I::get_FoundBy2>("FoundBy2", 18),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = DispatchTableOf<I>("IAppRule", kMembers);
}  // namespace rule

namespace rule_list {
using I = IAppRuleList;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Method<&I::CreateRule>("CreateRule", 2),
    M::Method<&I::Insert>("Insert", 3),
    M::Method<&I::Remove>("Remove", 4),
    M::Method<&I::Clear>("Clear", 5),
    M::Method<&I::GenerateRuleID>("GenerateRuleID", 6),
    M::Method<&I::Find>("Find", 7),
    M::Method<&I::Get>("Get", 8),
    M::Method<&I::FindEx>("FindEx", 9),
    M::Method<&I::Find2>("Find2", 10),
    M::Method<&I::FindGroups>("FindGroups", 11),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = CollectionTableOf<I>(
    "IAppRuleList", kMembers,
    {.identity = "RuleID", .order = LISTORDER_SORTED, .summary = "Order,Description"});
}  // namespace rule_list

namespace rule_group {
using I = IAppRuleGroup;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Get<&I::get_Name>("Name", 1),
    M::Get<&I::get_AccessResult>("AccessResult", 2),
    M::Get<&I::get_RuleID>("RuleID", 3),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = DispatchTableOf<I>("IAppRuleGroup", kMembers);
}  // namespace rule_group

constexpr DispatchTable kRuleGroupListTable =
    CollectionTableOf<IAppRuleGroupList>("IAppRuleGroupList", {});

namespace identity {
using I = IIdentity;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Property<&I::get_Module, &I::put_Module>("Module", 1),
    M::Property<&I::get_Description, &I::put_Description>("Description", 2),
    M::Property<&I::get_Path, &I::put_Path>("Path", 3),
    M::Property<&I::get_NewCmdLine, &I::put_NewCmdLine>("NewCmdLine", 4),
    M::Get<&I::get_ArgumentList>("ArgumentList", 5),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = DispatchTableOf<I>("IIdentity", kMembers);
}  // namespace identity

namespace identity_list {
using I = IIdentityList;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Method<&I::Create>("Create", 2),
    M::Method<&I::Insert>("Insert", 3),
    M::Method<&I::Remove>("Remove", 4),
    M::Method<&I::Clear>("Clear", 6),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = CollectionTableOf<I>("IIdentityList", kMembers);
}  // namespace identity_list

namespace redirection {
using I = IIdentityRedirection;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Property<&I::get_ID, &I::put_ID>("ID", 1),
    M::Property<&I::get_Type, &I::put_Type>("Type", 2),
    M::Property<&I::get_ParsingType, &I::put_ParsingType>("ParsingType", 3),
    M::Property<&I::get_Description, &I::put_Description>("Description", 4),
    M::Get<&I::get_Expression>("Expression", 5),
    M::Get<&I::get_IdentityList>("IdentityList", 6),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = DispatchTableOf<I>("IIdentityRedirection", kMembers);
}  // namespace redirection

namespace redirection_list {
using I = IIdentityRedirectionList;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Method<&I::Create>("Create", 2), M::Method<&I::Insert>("Insert", 3),
    M::Method<&I::Remove>("Remove", 4), M::Method<&I::Get>("Get", 5),
    M::Method<&I::Clear>("Clear", 6),   M::Method<&I::InsertAt>("InsertAt", 7),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = CollectionTableOf<I>(
    "IIdentityRedirectionList", kMembers,
    {.identity = "ID", .order = LISTORDER_PLAIN, .summary = "Type,Description"});
}  // namespace redirection_list

namespace parser {
using I = ISDParserAPP;
// The numbers the repository shares with the anti-malware parser; its
// lists take 8 to 11 and, after the shared members, the next free numbers.
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
    M::Get<&I::get_LabelList>("LabelList", 9),
    M::Get<&I::get_AppGroupList>("AppGroupList", 10),
    M::Get<&I::get_RuleList>("RuleList", 11),
    M::Method<&I::XmlEx>("XmlEx", 13),
    M::Get<&I::get_IdentityRedirectionList>("IdentityRedirectionList", 17),
    M::Get<&I::get_DllLabelList>("DllLabelList", 18),
    M::Get<&I::get_DllGroupList>("DllGroupList", 19),
    M::Get<&I::get_DllIntegrityList>("DllIntegrityList", 20),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable =
    DispatchTableOf<I>("ISDParserAPP", kMembers, &ParserDispatch<I, kParserIds>::kTable);

// Inserted and removed events carry the item; changed events the item and
// the number of the property that changes. The global-option events keep
// the numbers every parser gives them.
constexpr VARTYPE kItem[] = {VT_DISPATCH};
constexpr VARTYPE kItemChange[] = {VT_DISPATCH, VT_I4};
constexpr DispatchMember kEvents[] = {
    DispatchEvent("OnBeforeGlobalOptionInserted", DISPID_OnBeforeGlobalOptionInserted, kItem),
    DispatchEvent("OnAfterGlobalOptionInserted", DISPID_OnAfterGlobalOptionInserted, kItem),
    DispatchEvent("OnBeforeGlobalOptionRemoved", DISPID_OnBeforeGlobalOptionRemoved, kItem),
    DispatchEvent("OnAfterGlobalOptionRemoved", DISPID_OnAfterGlobalOptionRemoved, kItem),
    DispatchEvent("OnBeforeGlobalOptionChanged", DISPID_OnBeforeGlobalOptionChanged, kItemChange),
    DispatchEvent("OnAfterGlobalOptionChanged", DISPID_OnAfterGlobalOptionChanged, kItemChange),
    DispatchEvent("OnBeforeLabelInserted", DISPID_OnBeforeLabelInserted, kItem),
    DispatchEvent("OnAfterLabelInserted", DISPID_OnAfterLabelInserted, kItem),
    DispatchEvent("OnBeforeLabelRemoved", DISPID_OnBeforeLabelRemoved, kItem),
    DispatchEvent("OnAfterLabelRemoved", DISPID_OnAfterLabelRemoved, kItem),
    DispatchEvent("OnBeforeLabelChanged", DISPID_OnBeforeLabelChanged, kItemChange),
    DispatchEvent("OnAfterLabelChanged", DISPID_OnAfterLabelChanged, kItemChange),
    DispatchEvent("OnBeforeAppGroupInserted", DISPID_OnBeforeAppGroupInserted, kItem),
    DispatchEvent("OnAfterAppGroupInserted", DISPID_OnAfterAppGroupInserted, kItem),
    DispatchEvent("OnBeforeAppGroupRemoved", DISPID_OnBeforeAppGroupRemoved, kItem),
    DispatchEvent("OnAfterAppGroupRemoved", DISPID_OnAfterAppGroupRemoved, kItem),
    DispatchEvent("OnBeforeAppGroupChanged", DISPID_OnBeforeAppGroupChanged, kItemChange),
    DispatchEvent("OnAfterAppGroupChanged", DISPID_OnAfterAppGroupChanged, kItemChange),
    DispatchEvent("OnBeforeDllLabelInserted", DISPID_OnBeforeDllLabelInserted, kItem),
    DispatchEvent("OnAfterDllLabelInserted", DISPID_OnAfterDllLabelInserted, kItem),
    DispatchEvent("OnBeforeDllLabelRemoved", DISPID_OnBeforeDllLabelRemoved, kItem),
    DispatchEvent("OnAfterDllLabelRemoved", DISPID_OnAfterDllLabelRemoved, kItem),
    DispatchEvent("OnBeforeDllLabelChanged", DISPID_OnBeforeDllLabelChanged, kItemChange),
    DispatchEvent("OnAfterDllLabelChanged", DISPID_OnAfterDllLabelChanged, kItemChange),
    DispatchEvent("OnBeforeDllGroupInserted", DISPID_OnBeforeDllGroupInserted, kItem),
    DispatchEvent("OnAfterDllGroupInserted", DISPID_OnAfterDllGroupInserted, kItem),
    DispatchEvent("OnBeforeDllGroupRemoved", DISPID_OnBeforeDllGroupRemoved, kItem),
    DispatchEvent("OnAfterDllGroupRemoved", DISPID_OnAfterDllGroupRemoved, kItem),
    DispatchEvent("OnBeforeDllGroupChanged", DISPID_OnBeforeDllGroupChanged, kItemChange),
    DispatchEvent("OnAfterDllGroupChanged", DISPID_OnAfterDllGroupChanged, kItemChange),
};
static_assert(DispatchMembersAreUnique(kEvents));
constexpr DispatchTable kEventTable = {"_ISDParserAPPEvents", kEvents, &kParserEventTable};
}  // namespace parser

}  // namespace

DispatchBinding DispatchTableFor(IChecksum* self) { return BindTable(checksum::kTable, self); }
DispatchBinding DispatchTableFor(IChecksumList* self) {
  return BindTable(checksum_list::kTable, self);
}
DispatchBinding DispatchTableFor(ILabel* self) { return BindTable(label::kTable, self); }
DispatchBinding DispatchTableFor(ILabelList* self) { return BindTable(label_list::kTable, self); }
DispatchBinding DispatchTableFor(IAppGroup* self) { return BindTable(group::kTable, self); }
DispatchBinding DispatchTableFor(IAppGroupList* self) {
  return BindTable(group_list::kTable, self);
}
DispatchBinding DispatchTableFor(IDllLabel* self) { return BindTable(dll_label::kTable, self); }
DispatchBinding DispatchTableFor(IDllLabelList* self) {
  return BindTable(dll_label_list::kTable, self);
}
DispatchBinding DispatchTableFor(IDllGroup* self) { return BindTable(dll_group::kTable, self); }
DispatchBinding DispatchTableFor(IDllGroupList* self) {
  return BindTable(dll_group_list::kTable, self);
}
DispatchBinding DispatchTableFor(IAppRule* self) { return BindTable(rule::kTable, self); }
DispatchBinding DispatchTableFor(IAppRuleList* self) { return BindTable(rule_list::kTable, self); }
DispatchBinding DispatchTableFor(IAppRuleGroup* self) {
  return BindTable(rule_group::kTable, self);
}
DispatchBinding DispatchTableFor(IAppRuleGroupList* self) {
  return BindTable(kRuleGroupListTable, self);
}
DispatchBinding DispatchTableFor(IIdentity* self) { return BindTable(identity::kTable, self); }
DispatchBinding DispatchTableFor(IIdentityList* self) {
  return BindTable(identity_list::kTable, self);
}
DispatchBinding DispatchTableFor(IIdentityRedirection* self) {
  return BindTable(redirection::kTable, self);
}
DispatchBinding DispatchTableFor(IIdentityRedirectionList* self) {
  return BindTable(redirection_list::kTable, self);
}
DispatchBinding DispatchTableFor(ISDParserAPP* self) { return BindTable(parser::kTable, self); }
const DispatchTable* EventTableFor(ISDParserAPP*) { return &parser::kEventTable; }

}  // namespace xmlsecdb

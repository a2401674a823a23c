#include "ids/ids_dispatch.h"

#include "core/parser_dispatch.h"
#include "ids/ids_enum_names.h"
#include "list/collection_dispatch.h"

namespace xmlsecdb {
namespace {

namespace token {
using I = IIDSToken;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Property<&I::get_TokenID, &I::put_TokenID>("TokenID", 1),
    M::Property<&I::get_Type, &I::put_Type>("Type", 2),
    M::Property<&I::get_Relation, &I::put_Relation>("Relation", 3),
    M::Property<&I::get_Value, &I::put_Value>("value", 4),
    M::Property<&I::get_BinHEXValue, &I::put_BinHEXValue>("BinHEXValue", 5),
    M::Property<&I::get_TokenAttr, &I::put_TokenAttr>("TokenAttr", 6),
    M::Property<&I::get_TokenAttrAsNumber, &I::put_TokenAttrAsNumber>("TokenAttrAsNumber", 7),
    M::Property<&I::get_UniqueId, &I::put_UniqueId>("UniqueId", 8),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = DispatchTableOf<I>("IIDSToken", kMembers);
}  // namespace token

namespace token_list {
using I = IIDSTokenList;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Method<&I::CreateToken>("CreateToken", 2),
    M::Method<&I::Insert>("Insert", 3),
    M::Method<&I::Remove>("Remove", 4),
    M::Method<&I::Clear>("Clear", 5),
    M::Method<&I::GenerateUniqueId>("GenerateUniqueId", 6),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = CollectionTableOf<I>(
    "IIDSTokenList", kMembers,
    {.identity = "UniqueId", .order = LISTORDER_PLAIN, .summary = "TokenID,Relation,value"});
}  // namespace token_list

namespace rule {
using I = IIDSRule;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Property<&I::get_Name, &I::put_Name>("Name", 1),
    M::Property<&I::get_AccessResult, &I::put_AccessResult>("AccessResult", 2),
    M::Property<&I::get_AuditLevel, &I::put_AuditLevel>("AuditLevel", 3),
    M::Property<&I::get_Direction, &I::put_Direction>("Direction", 4),
    M::Property<&I::get_Protocol, &I::put_Protocol>("Protocol", 5),
    M::Property<&I::get_RemIPAddressID, &I::put_RemIPAddressID>("RemIPAddressID", 6),
    M::Property<&I::get_SID, &I::put_SID>("SID", 7),
    M::Property<&I::get_LocalPortFrom, &I::put_LocalPortFrom>("LocalPortFrom", 8),
    M::Property<&I::get_LocalPortTo, &I::put_LocalPortTo>("LocalPortTo", 9),
    M::Property<&I::get_RemotePortFrom, &I::put_RemotePortFrom>("RemotePortFrom", 10),
    M::Property<&I::get_RemotePortTo, &I::put_RemotePortTo>("RemotePortTo", 11),
    M::Property<&I::get_LocalPortsInverted, &I::put_LocalPortsInverted>("LocalPortsInverted", 12),
    M::Property<&I::get_RemotePortsInverted, &I::put_RemotePortsInverted>("RemotePortsInverted",
                                                                          13),
    M::Get<&I::get_TokenList>("TokenList", 14),
    M::Property<&I::get_Enabled, &I::put_Enabled>("Enabled", 15),
    M::Property<&I::get_Assignment, &I::put_Assignment>("Assignment", 16),
    M::Property<&I::get_LocIPAddressID, &I::put_LocIPAddressID>("LocIPAddressID", 17),
    M::Property<&I::get_UIFlags, &I::put_UIFlags>("UIFlags", 18),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = DispatchTableOf<I>("IIDSRule", kMembers);
}  // namespace rule

namespace rule_list {
using I = IIDSRuleList;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Method<&I::CreateRule>("CreateRule", 2),
    M::Method<&I::Insert>("Insert", 3),
    M::Method<&I::Remove>("Remove", 4),
    M::Method<&I::Clear>("Clear", 5),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable =
    CollectionTableOf<I>("IIDSRuleList", kMembers,
                         {.identity = "SID",
                          .order = LISTORDER_PLAIN,
                          .summary = "Name,AccessResult,Protocol,Direction"});
}  // namespace rule_list

namespace group {
using I = IIDSGroup;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Property<&I::get_Name, &I::put_Name>("Name", 1),
    M::Get<&I::get_RuleList>("RuleList", 2),
    M::Get<&I::get_RulesStatus>("RulesStatus", 3),
    M::Get<&I::get_RulesMode>("RulesMode", 4),
    M::Property<&I::get_GroupID, &I::put_GroupID>("GroupID", 5),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = DispatchTableOf<I>("IIDSGroup", kMembers);
}  // namespace group

namespace group_list {
using I = IIDSGroupList;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Method<&I::CreateGroup>("CreateGroup", 2),
    M::Method<&I::Insert>("Insert", 3),
    M::Method<&I::Remove>("Remove", 4),
    M::Method<&I::Get>("Get", 5),
    M::Method<&I::Clear>("Clear", 6),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = CollectionTableOf<I>(
    "IIDSGroupList", kMembers,
    {.identity = "GroupID", .order = LISTORDER_PLAIN, .summary = "Name,RulesStatus"});
}  // namespace group_list

namespace parser {
using I = ISDParserIDS;
// The numbers the IDS interface shares with the other parsers; its own
// members take 8 and 12, and the members those displace (and those the
// other parsers do not have) the next free numbers from 17.
constexpr ParserDispids kParserIds = {.load = 1,
                                      .save = 2,
                                      .new_database = 3,
                                      .module = 4,
                                      .version = 5,
                                      .parser_version = 6,
                                      .set_master_parser = 7,
                                      .xml = 18,
                                      .read_only = 14,
                                      .crypt_key = 15,
                                      .file_path = 16};
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Get<&I::get_GroupList>("GroupList", 8),
    M::Get<&I::get_DefinitionList>("DefinitionList", 9),
    M::Method<&I::GenerateSID>("GenerateSID", 12),
    M::Method<&I::XmlEx>("XmlEx", 13),
    M::Get<&I::get_GlobalOptions>("GlobalOptions", 17),
    M::Get<&I::get_RuleSetList>("RuleSetList", 19),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable =
    DispatchTableOf<I>("ISDParserIDS", kMembers, &ParserDispatch<I, kParserIds>::kTable);

constexpr DispatchTable kEventTable = {"_ISDParserIDSEvents", {}, &kParserEventTable};
}  // namespace parser

}  // namespace

DispatchBinding DispatchTableFor(IIDSToken* self) { return BindTable(token::kTable, self); }
DispatchBinding DispatchTableFor(IIDSTokenList* self) {
  return BindTable(token_list::kTable, self);
}
DispatchBinding DispatchTableFor(IIDSRule* self) { return BindTable(rule::kTable, self); }
DispatchBinding DispatchTableFor(IIDSRuleList* self) { return BindTable(rule_list::kTable, self); }
DispatchBinding DispatchTableFor(IIDSGroup* self) { return BindTable(group::kTable, self); }
DispatchBinding DispatchTableFor(IIDSGroupList* self) {
  return BindTable(group_list::kTable, self);
}
DispatchBinding DispatchTableFor(ISDParserIDS* self) { return BindTable(parser::kTable, self); }
const DispatchTable* EventTableFor(ISDParserIDS*) { return &parser::kEventTable; }

}  // namespace xmlsecdb

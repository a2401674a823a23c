#include "di/di_dispatch.h"

#include "policy/policy_dispatch.h"

namespace xmlsecdb {
namespace {

using R = DispatchMembers<IDIRule>;
constexpr DispatchMember kRuleMembers[] = {
    R::Property<&IDIRule::get_ScanItemListID, &IDIRule::put_ScanItemListID>("ScanItemListID", 28),
};
constexpr DispatchTable kRuleTable =
    DispatchTableOf<IDIRule>("IDIRule", kRuleMembers, &PolicyRuleDispatch<IDIRule>::kTable);

constexpr DispatchTable kRuleListTable = CollectionTableOf<IDIRuleList>(
    "IDIRuleList", PolicyRuleListWithMovesDispatch<IDIRuleList>::kMembers, kPolicyRuleListInfo);

constexpr ParserDispids kParserIds = {.load = 1,
                                      .save = 2,
                                      .new_database = 3,
                                      .module = 4,
                                      .version = 5,
                                      .parser_version = 6,
                                      .set_master_parser = 7,
                                      .xml = 12,
                                      .read_only = 15,
                                      .crypt_key = 16,
                                      .file_path = 17};
// RuleSetList has no number of the type library's; it takes the next free.
constexpr PolicyParserDispids kListIds = {.global_options = 8,
                                          .definition_list = 9,
                                          .app_exception_list = 10,
                                          .rule_list = 11,
                                          .rule_set_list = 18};

using M = DispatchMembers<ISDParserDI>;
constexpr DispatchMember kParserMembers[] = {
    M::Method<&ISDParserDI::XmlEx>("XmlEx", 13),
    M::Method<&ISDParserDI::SetXml>("SetXml", 14),
};
constexpr DispatchTable kParserTable =
    DispatchTableOf<ISDParserDI>("ISDParserDI", kParserMembers,
                                 &PolicyParserDispatch<ISDParserDI, kParserIds, kListIds>::kTable);

constexpr DispatchTable kEventTable = {"_ISDParserDIEvents", {}, &kPolicyEventTable};

}  // namespace

DispatchBinding DispatchTableFor(IDIRule* self) { return BindTable(kRuleTable, self); }
DispatchBinding DispatchTableFor(IDIRuleList* self) { return BindTable(kRuleListTable, self); }
DispatchBinding DispatchTableFor(ISDParserDI* self) { return BindTable(kParserTable, self); }
const DispatchTable* EventTableFor(ISDParserDI*) { return &kEventTable; }

}  // namespace xmlsecdb

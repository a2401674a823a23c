#include "sbx/sbx_dispatch.h"

#include "policy/policy_dispatch.h"

namespace xmlsecdb {
namespace {

using R = DispatchMembers<ISBXRule>;
constexpr DispatchMember kRuleMembers[] = {
    R::Property<&ISBXRule::get_DllObject, &ISBXRule::put_DllObject>("DllObject", 23),
};
constexpr DispatchTable kRuleTable =
    DispatchTableOf<ISBXRule>("ISBXRule", kRuleMembers, &PolicyRuleDispatch<ISBXRule>::kTable);

constexpr DispatchTable kRuleListTable = CollectionTableOf<ISBXRuleList>(
    "ISBXRuleList", PolicyRuleListWithMovesDispatch<ISBXRuleList>::kMembers, kPolicyRuleListInfo);

constexpr ParserDispids kParserIds = {.load = 1,
                                      .save = 2,
                                      .new_database = 3,
                                      .module = 4,
                                      .version = 5,
                                      .parser_version = 15,
                                      .set_master_parser = 16,
                                      .xml = 13,
                                      .read_only = 11,
                                      .crypt_key = 12,
                                      .file_path = 10};
constexpr PolicyParserDispids kListIds = {.global_options = 6,
                                          .definition_list = 7,
                                          .app_exception_list = 8,
                                          .rule_list = 9,
                                          .rule_set_list = 14};

constexpr DispatchTable kParserTable = DispatchTableOf<ISDParserSBX>(
    "ISDParserSBX", {}, &PolicyParserDispatch<ISDParserSBX, kParserIds, kListIds>::kTable);

constexpr DispatchTable kEventTable = {"_ISDParserSBXEvents", {}, &kPolicyEventTable};

}  // namespace

DispatchBinding DispatchTableFor(ISBXRule* self) { return BindTable(kRuleTable, self); }
DispatchBinding DispatchTableFor(ISBXRuleList* self) { return BindTable(kRuleListTable, self); }
DispatchBinding DispatchTableFor(ISDParserSBX* self) { return BindTable(kParserTable, self); }
const DispatchTable* EventTableFor(ISDParserSBX*) { return &kEventTable; }

}  // namespace xmlsecdb

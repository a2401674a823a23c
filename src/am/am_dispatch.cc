#include "am/am_dispatch.h"

#include "policy/policy_dispatch.h"

namespace xmlsecdb {
namespace {

constexpr DispatchTable kRuleTable =
    DispatchTableOf<IAMRule>("IAMRule", PolicyRuleDispatch<IAMRule>::kMembers);

constexpr DispatchTable kRuleListTable = CollectionTableOf<IAMRuleList>(
    "IAMRuleList", PolicyRuleListDispatch<IAMRuleList>::kMembers, kPolicyRuleListInfo);

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
// RuleSetList has no number of the type library's; it takes the next free.
constexpr PolicyParserDispids kListIds = {.global_options = 8,
                                          .definition_list = 9,
                                          .app_exception_list = 10,
                                          .rule_list = 11,
                                          .rule_set_list = 17};

using M = DispatchMembers<ISDParserAM>;
constexpr DispatchMember kParserMembers[] = {
    M::Method<&ISDParserAM::XmlEx>("XmlEx", 13),
};
constexpr DispatchTable kParserTable =
    DispatchTableOf<ISDParserAM>("ISDParserAM", kParserMembers,
                                 &PolicyParserDispatch<ISDParserAM, kParserIds, kListIds>::kTable);

constexpr DispatchTable kEventTable = {"_ISDParserAMEvents", {}, &kPolicyEventTable};

}  // namespace

DispatchBinding DispatchTableFor(IAMRule* self) { return BindTable(kRuleTable, self); }
DispatchBinding DispatchTableFor(IAMRuleList* self) { return BindTable(kRuleListTable, self); }
DispatchBinding DispatchTableFor(ISDParserAM* self) { return BindTable(kParserTable, self); }
const DispatchTable* EventTableFor(ISDParserAM*) { return &kEventTable; }

}  // namespace xmlsecdb

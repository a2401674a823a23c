// The dispatch tables the policy kinds (anti-malware, sandbox, data
// inspection) share: the rule members (DISPIDs 1 to 27, 23 unused), the
// rule-list members in their two layouts, the parsers' list getters, and
// the item events of their parsers. A kind's tables (src/<kind>/<kind>_dispatch.cc) take these as
// their base or as their members.
#ifndef XMLSECDB_POLICY_POLICY_DISPATCH_H_
#define XMLSECDB_POLICY_POLICY_DISPATCH_H_

#include "core/parser_dispatch.h"
#include "list/collection_dispatch.h"
#include "platform/dispatch_table.h"
#include "xmlsecdb/events.h"

namespace xmlsecdb {

// The members of IPolicyRule for the kind's rule interface I.
template <class I>
struct PolicyRuleDispatch {
  using M = DispatchMembers<I>;
  static constexpr DispatchMember kMembers[] = {
      M::template Property<&I::get_Priority, &I::put_Priority>("Priority", 1),
      M::template Property<&I::get_AppType, &I::put_AppType>("AppType", 2),
      M::template Property<&I::get_Application, &I::put_Application>("Application", 3),
      M::template Property<&I::get_ObjectType, &I::put_ObjectType>("ObjectType", 4),
      M::template Property<&I::get_PathType, &I::put_PathType>("PathType", 5),
      M::template Property<&I::get_Path, &I::put_Path>("Path", 6),
      M::template Property<&I::get_OutConditionAND, &I::put_OutConditionAND>("OutConditionAND", 7),
      M::template Property<&I::get_OutConditionOR, &I::put_OutConditionOR>("OutConditionOR", 8),
      M::template Property<&I::get_TimeOfDayType, &I::put_TimeOfDayType>("TimeOfDayType", 9),
      M::template Property<&I::get_TimeOfDay, &I::put_TimeOfDay>("TimeOfDay", 10),
      M::template Property<&I::get_OSVersion, &I::put_OSVersion>("OSVersion", 11),
      M::template Get<&I::get_AccessDescriptorList>("AccessDescriptorList", 12),
      M::template Property<&I::get_RuleID, &I::put_RuleID>("RuleID", 13),
      M::template Property<&I::get_RuleIDString, &I::put_RuleIDString>("RuleIDString", 14),
      M::template Property<&I::get_System, &I::put_System>("System", 15),
      M::template Property<&I::get_Assignment, &I::put_Assignment>("Assignment", 16),
      M::template Property<&I::get_Preferred, &I::put_Preferred>("Preferred", 17),
      M::template Get<&I::get_ConditionSwitchList>("ConditionSwitchList", 18),
      M::template Property<&I::get_LearningMode, &I::put_LearningMode>("LearningMode", 19),
      M::template Property<&I::get_ProcessID, &I::put_ProcessID>("ProcessID", 20),
      M::template Property<&I::get_Account, &I::put_Account>("Account", 21),
      M::template Property<&I::get_Enabled, &I::put_Enabled>("Enabled", 22),
      M::template Property<&I::get_Description, &I::put_Description>("Description", 24),
      M::template Property<&I::get_UIFlags, &I::put_UIFlags>("UIFlags", 25),
      M::template Property<&I::get_Order, &I::put_Order>("Order", 26),
      M::template Method<&I::CopyToList>("CopyToList", 27),
  };
  static_assert(DispatchMembersAreUnique(kMembers));
  static constexpr DispatchTable kTable = DispatchTableOf<I>("IPolicyRule", kMembers);
};

// How the policy kinds' rule lists tell their rules apart: by rule ID, in
// the order of the rule comparison.
inline constexpr DispatchListInfo kPolicyRuleListInfo = {
    .identity = "RuleID",
    .order = LISTORDER_SORTED,
    .summary = "ObjectType,Application,Path,Priority,Enabled"};

// The members of a rule list without MoveUp and MoveDown (anti-malware).
template <class I>
struct PolicyRuleListDispatch {
  using M = DispatchMembers<I>;
  static constexpr DispatchMember kMembers[] = {
      M::template Method<&I::CreateRule>("CreateRule", 2),
      M::template Method<&I::Insert>("Insert", 3),
      M::template Method<&I::Remove>("Remove", 4),
      M::template Method<&I::Clear>("Clear", 5),
      M::template Method<&I::Get>("Get", 6),
      M::template Method<&I::GenerateRuleID>("GenerateRuleID", 7),
      M::template Method<&I::GetByRuleNum>("GetByRuleNum", 8),
      M::template Method<&I::InsertEx>("InsertEx", 9),
  };
  static_assert(DispatchMembersAreUnique(kMembers));
};

// The members of a rule list with MoveUp and MoveDown at 6 and 7 (sandbox,
// data inspection).
template <class I>
struct PolicyRuleListWithMovesDispatch {
  using M = DispatchMembers<I>;
  static constexpr DispatchMember kMembers[] = {
      M::template Method<&I::CreateRule>("CreateRule", 2),
      M::template Method<&I::Insert>("Insert", 3),
      M::template Method<&I::Remove>("Remove", 4),
      M::template Method<&I::Clear>("Clear", 5),
      M::template Method<&I::MoveUp>("MoveUp", 6),
      M::template Method<&I::MoveDown>("MoveDown", 7),
      M::template Method<&I::Get>("Get", 8),
      M::template Method<&I::GenerateRuleID>("GenerateRuleID", 9),
      M::template Method<&I::GetByRuleNum>("GetByRuleNum", 10),
      M::template Method<&I::InsertEx>("InsertEx", 11),
  };
  static_assert(DispatchMembersAreUnique(kMembers));
};

// Where a policy parser interface puts its five list getters.
struct PolicyParserDispids {
  DISPID global_options, definition_list, app_exception_list, rule_list, rule_set_list;
};

// The list getters of the policy parser interface I, on top of the
// ISDParser members numbered by `parser_ids`.
template <class I, const ParserDispids& parser_ids, const PolicyParserDispids& ids>
struct PolicyParserDispatch {
  using M = DispatchMembers<I>;
  static constexpr DispatchMember kMembers[] = {
      M::template Get<&I::get_GlobalOptions>("GlobalOptions", ids.global_options),
      M::template Get<&I::get_DefinitionList>("DefinitionList", ids.definition_list),
      M::template Get<&I::get_AppExceptionList>("AppExceptionList", ids.app_exception_list),
      M::template Get<&I::get_RuleList>("RuleList", ids.rule_list),
      M::template Get<&I::get_RuleSetList>("RuleSetList", ids.rule_set_list),
  };
  static_assert(DispatchMembersAreUnique(kMembers));
  static constexpr DispatchTable kTable =
      DispatchTableOf<I>("IPolicyParser", kMembers, &ParserDispatch<I, parser_ids>::kTable);
};

// The item events (5 to 34) the policy parsers raise, based on the load
// and save events: the members of the sandbox event interface. The
// anti-malware and data inspection event interfaces declare only 1 to 4
// and raise the others with the same numbers, so their connection points
// name them with this table too.
extern const DispatchTable kPolicyEventTable;

}  // namespace xmlsecdb

#endif  // XMLSECDB_POLICY_POLICY_DISPATCH_H_

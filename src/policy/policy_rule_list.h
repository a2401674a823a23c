// PolicyRuleList<Kind>: the rule list of a policy kind (anti-malware,
// sandbox, data inspection) — the ordered rule list of list/rule_list.h
// carrying the kind's rules.
//
// A kind declares its list as
//
//   inline constexpr ListTraits kAMRuleListTraits = {
//       "CAMRuleList", "CreateRule", &CLSID_AMRuleList, &IAMRuleList::kIID};
//   class CAMRuleList final : public PolicyRuleList<AMRuleKind> {
//    public:
//     CAMRuleList(IListOwner* owner, const RuleCompareContext& context)
//         : PolicyRuleList(owner, kAMRuleListTraits, context) {}
//   };
//
// or, with the traits in the kind's PolicyRuleConfig, inherits the
// constructor (owner, comparison context).
//
// A kind whose list interface also has MoveUp and MoveDown (sandbox, data
// inspection) derives from PolicyRuleListWithMoves instead.
#ifndef XMLSECDB_POLICY_POLICY_RULE_LIST_H_
#define XMLSECDB_POLICY_POLICY_RULE_LIST_H_

#include "list/rule_list.h"
#include "list/without_moves.h"
#include "policy/policy_rule.h"

namespace xmlsecdb {

template <class Kind>
class PolicyRuleList
    : public RuleList<typename Kind::ListInterface, typename Kind::Rule, typename Kind::Interface> {
 public:
  using Rule = typename Kind::Rule;
  using Interface = typename Kind::Interface;

  // A list with the traits of the kind's config. The policy comparison
  // looks at the two rules alone, so the context its parser gives is not
  // consulted.
  explicit PolicyRuleList(IListOwner* owner, const RuleCompareContext& context = kNoCompareContext)
      : PolicyRuleList(owner, Kind::kConfig.list, context) {}

  HRESULT CreateRule(Interface** rule) override { return this->Create(rule); }

 protected:
  PolicyRuleList(IListOwner* owner, const ListTraits& traits,
                 const RuleCompareContext& context = kNoCompareContext)
      : RuleList<typename Kind::ListInterface, Rule, Interface>(owner, traits, context) {}
};

// The rule list of a kind whose interface has MoveUp and MoveDown (they
// change nothing: list/without_moves.h).
template <class Kind>
class PolicyRuleListWithMoves
    : public WithoutMoves<PolicyRuleList<Kind>, typename Kind::Interface> {
 public:
  using WithoutMoves<PolicyRuleList<Kind>, typename Kind::Interface>::WithoutMoves;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_POLICY_POLICY_RULE_LIST_H_

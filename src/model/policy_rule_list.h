// PolicyRuleList<Kind>: the rule list of a policy kind (anti-malware,
// sandbox, data inspection) — the ordered rule list of model/rule_list.h
// carrying the kind's rules, plus the bulk-load mode its section uses.
//
// A kind declares its list as
//
//   inline constexpr ListTraits kAMRuleListTraits = {
//       "CAMRuleList", "CreateRule", &CLSID_AMRuleList, &IAMRuleList::kIID};
//   class CAMRuleList final : public PolicyRuleList<AMRuleKind> {
//    public:
//     explicit CAMRuleList(IListOwner* owner) : PolicyRuleList(owner, kAMRuleListTraits) {}
//   };
//
// or, with the traits in the kind's PolicyRuleConfig, inherits the
// one-argument constructor.
//
// A kind whose list interface also has MoveUp and MoveDown (sandbox, data
// inspection) derives from PolicyRuleListWithMoves instead.
#ifndef XMLSECDB_MODEL_POLICY_RULE_LIST_H_
#define XMLSECDB_MODEL_POLICY_RULE_LIST_H_

#include "model/policy_rule.h"
#include "model/rule_list.h"

namespace xmlsecdb {

template <class Kind>
class PolicyRuleList
    : public RuleList<typename Kind::ListInterface, typename Kind::Rule, typename Kind::Interface> {
 public:
  using Rule = typename Kind::Rule;
  using Interface = typename Kind::Interface;

  // A list with the traits of the kind's config.
  explicit PolicyRuleList(IListOwner* owner) : PolicyRuleList(owner, Kind::kConfig.list) {}

  HRESULT CreateRule(Interface** rule) override { return this->Create(rule); }

  // Bulk load: between BeginAppending and EndAppending every Insert appends
  // (rules compare equal), so reading a file of n rules in any order costs
  // O(n) inserts; EndAppending then sorts the list into comparison order
  // (stable, so equal rules keep their file order) unless it already is —
  // a file this library saved always is. Identifier checks are unchanged.
  bool appending() const { return appending_; }
  void BeginAppending() { appending_ = true; }
  void EndAppending() {
    if (!appending_) return;
    appending_ = false;
    RuleItemBase* prev = this->first();
    for (RuleItemBase* next = prev ? prev->next_member() : nullptr; next;
         prev = next, next = next->next_member()) {
      if (prev->Compare(*next) > 0) {
        this->Sort();
        return;
      }
    }
  }

 protected:
  PolicyRuleList(IListOwner* owner, const ListTraits& traits)
      : RuleList<typename Kind::ListInterface, Rule, Interface>(owner, traits) {}

 private:
  bool appending_ = false;
};

// The rule list of a kind whose interface has MoveUp and MoveDown. A
// rule's place is given by its content (the comparison), so there is
// nothing a move could do that the next Insert or save would keep: both
// answer E_NOTIMPL, as the content filter's lists do, and change nothing.
template <class Kind>
class PolicyRuleListWithMoves : public PolicyRuleList<Kind> {
 public:
  using Interface = typename Kind::Interface;
  using PolicyRuleList<Kind>::PolicyRuleList;

  HRESULT MoveUp(Interface*) override { return E_NOTIMPL; }
  HRESULT MoveDown(Interface*) override { return E_NOTIMPL; }
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_POLICY_RULE_LIST_H_

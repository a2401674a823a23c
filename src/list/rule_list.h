// The ordered rule list: members in a doubly linked sequence kept in
// comparison order, beside an index from rule identifier to member.
//
// RuleListCore holds the mechanics; RuleList<Interface, Item, ItemInterface>
// gives them the standard member names, with what every list of items has
// (Create, Clear, iteration) from ItemList, so that a kind declares a rule
// list as
//
//   struct IAMRuleList : ISDCollection { ... CreateRule, Insert, Remove,
//       Clear, Get, GenerateRuleID, GetByRuleNum, InsertEx ... };
//
//   inline constexpr ListTraits kAMRuleListTraits = {
//       "CAMRuleList", "CreateRule", &CLSID_AMRuleList, &IAMRuleList::kIID};
//
//   class CAMRuleList final : public RuleList<IAMRuleList, CAMRule, IAMRule> {
//    public:
//     explicit CAMRuleList(IListOwner* owner) : RuleList(owner, kAMRuleListTraits) {}
//     HRESULT CreateRule(IAMRule** rule) override { return Create(rule); }
//   };
//
// Speed: walking with Item(1)..Item(Count) or the enumerator is O(1) per
// member (Item keeps a cursor); Get and GetByRuleNum are hash look-ups;
// GenerateRuleID is amortized O(1); inserting a rule that sorts after the
// last member (the order a save writes them) is O(1).
#ifndef XMLSECDB_LIST_RULE_LIST_H_
#define XMLSECDB_LIST_RULE_LIST_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "list/compare_context.h"
#include "list/id_index.h"
#include "list/item_list.h"
#include "list/list_core.h"
#include "list/rule_id.h"

namespace xmlsecdb {

class RuleListCore : public ListCore {
 public:
  std::int32_t count() const override { return count_; }
  ListItemBase* MemberAt(std::int32_t index) override;
  ListItemBase* MemberAfter(ListItemBase* member, std::int32_t index) override;

  // What the members' Compare may consult besides the two rules.
  const RuleCompareContext& compare_context() const { return context_; }

  RuleItemBase* first() const { return head_; }
  RuleItemBase* last() const { return tail_; }
  // The member with identifier `id`, or nullptr.
  RuleItemBase* Find(std::int32_t id) const { return index_.Find(id); }

  // Insert of the list's interface: the read-only guard, the owner's
  // before-insert notice, the duplicate check (message 117, nothing
  // changed), the link at the position Compare gives (or at the end when
  // the traits say insert_by_compare = false), the attached flag, the
  // after-insert notice. An item
  // that is a member already gives 117 when it is one of this list, else
  // E_INVALIDARG.
  [[nodiscard]] HRESULT InsertMember(RuleItemBase* item);
  // Remove: 107 when no member has the item's identifier, E_FAIL (nothing
  // changed) when another member has it.
  [[nodiscard]] HRESULT RemoveMember(RuleItemBase* item);
  // Clear: releases every member; raises nothing.
  [[nodiscard]] HRESULT ClearMembers();
  // GenerateRuleID: the first free identifier from 1 upwards, or from -1
  // downwards when the parser has a master; E_FAIL with 0 when none is free.
  [[nodiscard]] HRESULT GenerateID(std::int32_t* id);
  // Get(bstrID) and GetByRuleNum: the member, or 107 naming
  // "<class>::Get(<text>)" or "<class>::Get(<unsigned id>)".
  [[nodiscard]] HRESULT FindByText(std::string_view text, RuleItemBase** found);
  [[nodiscard]] HRESULT FindByNumber(std::int32_t id, RuleItemBase** found);

  // Re-establishes comparison order (stable) after members changed, for a
  // list whose traits say sort_before_save; the parser calls it through
  // SortRuleLists before writing.
  void Sort();
  // Bulk load, for a section reading a file: InsertLoaded is InsertMember
  // but appends without comparing, so n rules cost O(n) inserts in any file
  // order; EndBulkLoad (the section's end) then puts every member exactly
  // where InsertMember, called in the same order, would have put it, in
  // O(n log n) comparisons (see rule_list.cc). Identifier checks and
  // notices are those of InsertMember. A load that ends early leaves the
  // order pending: InsertMember, Item, Sort and the policy sections' Write
  // settle it first.
  [[nodiscard]] HRESULT InsertLoaded(RuleItemBase* item);
  void EndBulkLoad();
  // Moves a member to a new identifier (not taken); RuleItemBase::SetRuleID
  // uses it.
  void Rekey(RuleItemBase* item, std::int32_t id);

  // Where C++ iteration stands (ItemList::iterator): the member itself,
  // nullptr past the last.
  using Position = RuleItemBase*;
  Position begin_position() const { return head_; }
  Position end_position() const { return nullptr; }
  static ListItemBase* MemberAtPosition(Position at) { return at; }
  static Position NextPosition(Position at) { return at->next_member(); }

 protected:
  // `context` is owned by the list's parser and outlives the list.
  RuleListCore(IListOwner* owner, const ListTraits& traits,
               const RuleCompareContext& context = kNoCompareContext)
      : ListCore(owner, traits), context_(context) {}
  ~RuleListCore();

 private:
  [[nodiscard]] HRESULT Place(RuleItemBase* item, bool append);
  // The member Insert links `item` after (nullptr: the front).
  RuleItemBase* InsertPosition(const RuleItemBase& item) const;
  void LinkAfter(RuleItemBase* item, RuleItemBase* prev);
  // Makes `members` the whole sequence, in that order.
  void Relink(const std::vector<RuleItemBase*>& members);
  void Unlink(RuleItemBase* item);
  void ReleaseAll();

  const RuleCompareContext& context_;
  RuleItemBase* head_ = nullptr;
  RuleItemBase* tail_ = nullptr;
  std::int32_t count_ = 0;
  bool bulk_ = false;
  IdIndex index_;
  FreeIdCursor positive_{1};
  FreeIdCursor negative_{-1};
  // Item's cursor: the member at cursor_index_, valid while the change
  // count is cursor_stamp_.
  ListItemBase* cursor_ = nullptr;
  std::int32_t cursor_index_ = 0;
  std::uint64_t cursor_stamp_ = 0;
};

// The standard members of a rule list interface. They implement the
// interface's members of the same signature (they are not marked override
// so that an interface may lack some, as expression lists do); a kind adds
// its create member and anything else its interface has.
template <class Interface, class Item, class ItemInterface>
class RuleList : public ItemList<Interface, RuleListCore, Item, ItemInterface> {
 public:
  HRESULT Insert(ItemInterface* item) {
    if (!item) return E_POINTER;
    RuleItemBase* rule = AsListItem(item) ? Cast(item) : nullptr;
    if (!rule) return E_INVALIDARG;
    return this->InsertMember(rule);
  }
  // `before` is not used: the position follows the comparison.
  HRESULT Insert(ItemInterface* item, ItemInterface* /*before*/) { return Insert(item); }
  HRESULT Remove(ItemInterface* item) {
    if (!item) return E_POINTER;
    RuleItemBase* rule = AsListItem(item) ? Cast(item) : nullptr;
    if (!rule) return E_INVALIDARG;
    return this->RemoveMember(rule);
  }
  HRESULT Get(std::string_view id, ItemInterface** item) {
    if (!item) return E_POINTER;
    RuleItemBase* found = nullptr;
    HRESULT hr = this->FindByText(id, &found);
    return Succeeded(hr) ? Out(found, item) : hr;
  }
  HRESULT GetByRuleNum(std::int32_t id, ItemInterface** item) {
    if (!item) return E_POINTER;
    RuleItemBase* found = nullptr;
    HRESULT hr = this->FindByNumber(id, &found);
    return Succeeded(hr) ? Out(found, item) : hr;
  }
  // The arguments are not consulted: the parser's master decides the sign.
  HRESULT GenerateRuleID(std::int32_t /*object_type*/, std::int32_t /*master*/, std::int32_t* id) {
    return this->GenerateID(id);
  }
  // A copy of `item` with a fresh identifier, inserted here, through the
  // item's own CopyToList(list, 1, copy).
  HRESULT InsertEx(ItemInterface* item, std::int32_t /*master*/, ItemInterface** copy) {
    HRESULT hr = this->CheckWritable("InsertEx");
    if (Failed(hr)) return hr;
    if (!item) return E_POINTER;
    return item->CopyToList(this, 1, copy);
  }

 protected:
  RuleList(IListOwner* owner, const ListTraits& traits,
           const RuleCompareContext& context = kNoCompareContext)
      : ItemList<Interface, RuleListCore, Item, ItemInterface>(owner, traits, context) {}

 private:
  static RuleItemBase* Cast(ItemInterface* item) { return static_cast<Item*>(AsListItem(item)); }
  static HRESULT Out(RuleItemBase* found, ItemInterface** item) {
    *item = static_cast<Item*>(found);
    (*item)->AddRef();
    return S_OK;
  }
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_LIST_RULE_LIST_H_

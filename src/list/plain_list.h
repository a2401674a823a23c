// The plain list: members in insertion order in an array, found by
// position or by identity.
//
// PlainListCore holds the mechanics; PlainList<Interface, Item,
// ItemInterface> gives them the standard member names, with what every list
// of items has (Create, Clear, iteration) from ItemList. A kind declares,
// for example,
//
//   inline constexpr ListTraits kAccessDescriptorListTraits = {
//       "CAccessDescriptorList", "CreateAccessDescriptor",
//       &CLSID_AccessDescriptorList, &IAccessDescriptorList::kIID};
//
//   class CAccessDescriptorList final
//       : public PlainList<IAccessDescriptorList, CAccessDescriptor, IAccessDescriptor> {
//    public:
//     explicit CAccessDescriptorList(IListOwner* rule)
//         : PlainList(rule, kAccessDescriptorListTraits) {}
//     HRESULT CreateAccessDescriptor(IAccessDescriptor** item) override {
//       return Create(item);
//     }
//   };
//
// Lists with an identifier check on Insert (definitions, global options)
// write their own Insert: the check, then InsertMember.
#ifndef XMLSECDB_LIST_PLAIN_LIST_H_
#define XMLSECDB_LIST_PLAIN_LIST_H_

#include <cstdint>
#include <vector>

#include "list/item_list.h"
#include "list/list_core.h"

namespace xmlsecdb {

class PlainListCore : public ListCore {
 public:
  std::int32_t count() const override { return static_cast<std::int32_t>(members_.size()); }
  ListItemBase* MemberAt(std::int32_t index) override;

  // The first member for which `match(member)` holds, or nullptr.
  template <class Match>
  ListItemBase* FindMember(Match&& match) const {
    for (ListItemBase* member : members_) {
      if (match(member)) return member;
    }
    return nullptr;
  }

  // Insert of the list's interface: the read-only guard; at the end, or,
  // when `before_given`, before `before` (107 and nothing inserted when it
  // is not a member; `before` equal to `item` appends); the owner's notices
  // around it. E_INVALIDARG for an item that is no list item of this
  // library (null) or a member already (of any list).
  [[nodiscard]] HRESULT InsertMember(ListItemBase* item, ListItemBase* before = nullptr,
                                     bool before_given = false);
  // Remove: the member that is this very object (null: an object that is
  // no list item), 107 when there is none.
  [[nodiscard]] HRESULT RemoveMember(ListItemBase* item);
  // Clear: one before-remove and one after-remove notice with no item,
  // when the list is not empty.
  [[nodiscard]] HRESULT ClearMembers();

  // Where C++ iteration stands (ItemList::iterator).
  using Position = std::vector<ListItemBase*>::const_iterator;
  Position begin_position() const { return members_.begin(); }
  Position end_position() const { return members_.end(); }
  static ListItemBase* MemberAtPosition(Position at) { return *at; }
  static Position NextPosition(Position at) { return at + 1; }

 protected:
  PlainListCore(IListOwner* owner, const ListTraits& traits) : ListCore(owner, traits) {}
  ~PlainListCore();

  const std::vector<ListItemBase*>& members() const { return members_; }

 private:
  std::vector<ListItemBase*> members_;
};

// The standard members of a plain list interface; as with RuleList, they
// implement the interface's members of the same signature.
template <class Interface, class Item, class ItemInterface>
class PlainList : public ItemList<Interface, PlainListCore, Item, ItemInterface> {
 public:
  HRESULT Insert(ItemInterface* item) {
    if (!item) return E_POINTER;
    return this->InsertMember(AsListItem(item));
  }
  // Before `before`; null or `item` itself appends.
  HRESULT Insert(ItemInterface* item, ItemInterface* before) {
    if (!item) return E_POINTER;
    if (!before) return this->InsertMember(AsListItem(item));
    return this->InsertMember(AsListItem(item), AsListItem(before), true);
  }
  HRESULT Remove(ItemInterface* item) {
    if (!item) return E_POINTER;
    return this->RemoveMember(AsListItem(item));
  }
  Item* at(std::int32_t index) const {
    return static_cast<Item*>(this->members()[static_cast<std::size_t>(index)]);
  }

 protected:
  PlainList(IListOwner* owner, const ListTraits& traits)
      : ItemList<Interface, PlainListCore, Item, ItemInterface>(owner, traits) {}
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_LIST_PLAIN_LIST_H_

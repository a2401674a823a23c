// ItemList<Interface, Core, Item, ItemInterface>: what a list of one item
// class gives on top of either list shape (PlainListCore, RuleListCore) —
// making its items, emptying it, and C++ iteration over its members.
//
// PlainList and RuleList derive from it and add the members whose
// semantics differ between the shapes (Insert, Remove, the look-ups). A
// shape tells the iterator how to walk it through a Position type with
// begin_position(), end_position(), and the static MemberAtPosition() and
// NextPosition().
#ifndef XMLSECDB_LIST_ITEM_LIST_H_
#define XMLSECDB_LIST_ITEM_LIST_H_

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <utility>

#include "list/list_core.h"
#include "platform/object.h"

namespace xmlsecdb {

template <class Interface, class Core, class Item, class ItemInterface>
class ItemList : public ListObject<Interface, Core> {
 public:
  HRESULT Clear() { return this->ClearMembers(); }

  // The create member (CreateRule, CreateAccessDescriptor, ...): a new
  // detached item bound to this list, with one reference for the caller.
  HRESULT Create(ItemInterface** item) {
    if (!item) return E_POINTER;
    *item = nullptr;
    HRESULT hr = this->CheckWritable(this->traits().create_name);
    if (Failed(hr)) return hr;
    *item = NewItem().Detach();
    return S_OK;
  }
  // The same without the guard or the interface, for code of the library
  // (content handlers, copies).
  ComPtr<Item> NewItem() {
    ComPtr<Item> item = MakeObject<Item>();
    this->Bind(item.get());
    return item;
  }

  // C++ iteration over the members, in order.
  class iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = Item*;
    using difference_type = std::ptrdiff_t;
    using pointer = Item**;
    using reference = Item*;
    using Position = typename Core::Position;
    iterator() = default;
    explicit iterator(Position at) : at_(at) {}
    Item* operator*() const { return static_cast<Item*>(Core::MemberAtPosition(at_)); }
    iterator& operator++() {
      at_ = Core::NextPosition(at_);
      return *this;
    }
    iterator operator++(int) {
      iterator old = *this;
      ++*this;
      return old;
    }
    friend bool operator==(iterator a, iterator b) { return a.at_ == b.at_; }

   private:
    Position at_{};
  };
  iterator begin() const { return iterator(this->begin_position()); }
  iterator end() const { return iterator(this->end_position()); }

 protected:
  template <class... CoreArgs>
  ItemList(IListOwner* owner, const ListTraits& traits, CoreArgs&&... core_args)
      : ListObject<Interface, Core>(owner, traits, std::forward<CoreArgs>(core_args)...) {}
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_LIST_ITEM_LIST_H_

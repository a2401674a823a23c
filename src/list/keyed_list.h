// The keyed list: members in an ordered map from a key text (a label's ID,
// a group reference's content) to the member, in the order of a key
// comparison the list's kind gives. Keys equal under that comparison are
// one key, so a second member under it is refused. Enumeration, Item and
// C++ iteration follow key order.
//
// Item keeps a cursor — the map position and the 1-based index of the
// entry after the last one returned — so that walking Item(1)..Item(Count)
// costs O(1) per call; every insertion, removal, re-keying and clear resets
// it. Insert, Remove and look-ups cost O(log n) comparisons.
//
// KeyedListCore holds the mechanics; KeyedList<Interface, Item,
// ItemInterface> gives them the standard member names for an Item with
// key(). A kind declares its key order in its traits:
//
//   bool NoCaseLess(std::string_view a, std::string_view b);
//   inline constexpr KeyedListConfig kLabelKeys = {.less = &NoCaseLess};
//   inline constexpr ListTraits kLabelListTraits = {
//       .class_name = "CLabelList", .create_name = "CreateLabel",
//       .clsid = &CLSID_LabelList, .iid = &ILabelList::kIID, .keys = &kLabelKeys};
//
//   class CLabelList final : public KeyedList<ILabelList, CLabel, ILabel> { ... };
//
// and an item's key setter moves the member with Rekey. The members hold
// their keys themselves; the list keeps a copy as the map's key, which
// Rekey changes together with the member's.
//
// Apartment-threaded, like the parser.
#ifndef XMLSECDB_LIST_KEYED_LIST_H_
#define XMLSECDB_LIST_KEYED_LIST_H_

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "core/messages.h"
#include "list/item_list.h"
#include "list/list_core.h"

namespace xmlsecdb {

struct KeyedListConfig {
  // A strict weak order of keys: whether `a` sorts before `b`.
  bool (*less)(std::string_view a, std::string_view b);
  // The failure of an insertion whose key is taken: its message, and its
  // error source ("<class_name>::Insert()" when empty).
  int duplicate_message = kMsgDuplicateId;
  std::string_view duplicate_source = {};
};

class KeyedListCore : public ListCore {
 public:
  std::int32_t count() const override { return static_cast<std::int32_t>(entries_.size()); }
  ListItemBase* MemberAt(std::int32_t index) override;
  // Item: E_POINTER outside 1..Count; otherwise the member, walked from the
  // cursor when it stands at or before `index`.
  HRESULT ItemAt(std::int32_t index, Variant* item) override;

  // The member under `key` (by the list's key order), or nullptr.
  ListItemBase* Find(std::string_view key) const;
  bool Contains(std::string_view key) const { return Find(key) != nullptr; }

  // Insert: the read-only guard; a taken key fails as the config says and
  // changes nothing; then the owner's before-insert notice, the member
  // stored under `key`, the after-insert notice. E_INVALIDARG for a null
  // item or one that is a member of another list.
  [[nodiscard]] HRESULT InsertKeyed(ListItemBase* item, std::string_view key);
  // The same for a loader: no guard and no notices; a taken key fails the
  // same way.
  [[nodiscard]] HRESULT InsertLoaded(ListItemBase* item, std::string_view key);
  // Remove: the read-only guard; 107 when no member has `key`; otherwise
  // the owner's notices (naming `item`) around erasing the entry under
  // `key`.
  [[nodiscard]] HRESULT RemoveKeyed(ListItemBase* item, std::string_view key);
  // Clear: the guard; one before-remove and one after-remove notice with
  // no item, when the list is not empty.
  [[nodiscard]] HRESULT ClearMembers();

  // Moves the member under `old_key` to `new_key`: kTaken when a member has
  // `new_key` (the moving one too, when the two keys are equal under the
  // key order), else kAbsent when none has `old_key`. Nothing changes
  // unless the result is kDone; the caller stores the new key in the member
  // and raises whatever its rename raises.
  enum class Rekeyed { kDone, kTaken, kAbsent };
  Rekeyed Rekey(std::string_view old_key, std::string_view new_key);

 private:
  struct KeyLess {
    using is_transparent = void;
    bool (*less)(std::string_view, std::string_view);
    bool operator()(std::string_view a, std::string_view b) const { return less(a, b); }
  };
  using Entries = std::map<std::string, ListItemBase*, KeyLess>;

 public:
  // Where C++ iteration stands (ItemList::iterator).
  using Position = Entries::const_iterator;
  Position begin_position() const { return entries_.begin(); }
  Position end_position() const { return entries_.end(); }
  static ListItemBase* MemberAtPosition(Position at) { return at->second; }
  static Position NextPosition(Position at) { return std::next(at); }

 protected:
  // `traits.keys` must be set.
  KeyedListCore(IListOwner* owner, const ListTraits& traits);
  ~KeyedListCore();

 private:
  [[nodiscard]] HRESULT Store(ListItemBase* item, std::string_view key, bool notify);
  [[nodiscard]] HRESULT ReportTaken() const;
  void ResetCursor() { cursor_index_ = 0; }

  Entries entries_;
  // Item's cursor: the entry at 1-based cursor_index_; 0 means none.
  Entries::iterator cursor_;
  std::int32_t cursor_index_ = 0;
};

// The standard members of a keyed list interface for items whose key() is
// their key text. They implement the interface's members of the same
// signature; a kind adds its create member, its look-ups and its checks.
template <class Interface, class Item, class ItemInterface>
class KeyedList : public ItemList<Interface, KeyedListCore, Item, ItemInterface> {
 public:
  HRESULT Insert(ItemInterface* item) {
    if (!item) return E_POINTER;
    Item* member = Cast(item);
    if (!member) return E_INVALIDARG;
    return this->InsertKeyed(member, member->key());
  }
  HRESULT Remove(ItemInterface* item) {
    if (!item) return E_POINTER;
    Item* member = Cast(item);
    if (!member) return E_INVALIDARG;
    return this->RemoveKeyed(member, member->key());
  }
  // The member under `key`, or nullptr.
  Item* FindItem(std::string_view key) const { return static_cast<Item*>(this->Find(key)); }

 protected:
  KeyedList(IListOwner* owner, const ListTraits& traits)
      : ItemList<Interface, KeyedListCore, Item, ItemInterface>(owner, traits) {}

 private:
  static Item* Cast(ItemInterface* item) {
    ListItemBase* found = AsListItem(item);
    return found ? static_cast<Item*>(found) : nullptr;
  }
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_LIST_KEYED_LIST_H_

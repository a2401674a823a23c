// The item side of the list shapes: what every member of a list carries.
//
// ListItemBase is the link from an item to the list that created it: a
// plain pointer (not a reference) and the attached flag, set while the item
// is a member. Through it every setter reaches the parser's read-only flag
// and the owner's change notifications. When the list goes away it clears
// the pointer, so an item that outlives its list (or its parser) stays safe
// to call: it then behaves as detached — writable, silent — never as
// read-only.
//
// RuleItemBase adds the identifier of items in ordered rule lists and the
// comparison hook; CRule adds the owner site a rule is for its own
// sub-lists. ItemObject<Base, Interfaces...> joins one of them with the COM
// identity.
//
// A kind declares an item as
//   class CAMRule final : public ItemObject<CRule, IAMRule> { ... };
// and writes each setter as
//   RETURN_IF_FAILED(CheckWritable("CAMRule::put_Path()"));
//   Change(path_, std::string(path), AMR_OBJECT);
#ifndef XMLSECDB_LIST_LIST_ITEM_H_
#define XMLSECDB_LIST_LIST_ITEM_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "list/list_owner.h"
#include "platform/dispatch_object.h"
#include "platform/object.h"

namespace xmlsecdb {

class ListCore;
class PlainListCore;
class RuleListCore;
class ListEnumerator;
class RuleCompareContext;

// Answered by every list item: QueryInterface for it yields the item's
// ListItemBase (with a reference on the object). Internal to the library.
inline constexpr IID kListItemIID = MakeGuid("{5EC0DB00-03FF-4000-8000-5EC0DB0003FF}");

// The body of a plain getter: E_POINTER for a null out-pointer, else a copy
// of `field`.
template <class T, class Out>
HRESULT GetField(const T& field, Out* out) {
  if (!out) return E_POINTER;
  *out = field;
  return S_OK;
}

class ListItemBase {
 public:
  ListItemBase(const ListItemBase&) = delete;
  ListItemBase& operator=(const ListItemBase&) = delete;

  // Whether the item is a member of its list.
  bool attached() const { return attached_; }
  // The list that created the item, or nullptr once it has gone.
  ListCore* list() const { return list_; }
  // The parser the item reaches through its list and the list's owner.
  ParserCore* parser() const;
  // The item as IUnknown (its primary interface), without a new reference.
  virtual IUnknown* unknown_self() = 0;

  // The read-only guard of a setter: message 111 with `source` (for
  // example "CAMRule::put_Priority()") when the parser is read-only; S_OK
  // when it is writable or unreachable.
  [[nodiscard]] HRESULT CheckWritable(std::string_view source) const;

  // Stores `value` in `field`. When the item is attached and the value
  // differs, the owner is told before and after the store (with
  // `property`); otherwise the value is just stored.
  template <class T, class U>
  void Change(T& field, U&& value, std::int32_t property) {
    if (!attached_ || field == value) {
      field = std::forward<U>(value);
      return;
    }
    NotifyChange(true, property);
    field = std::forward<U>(value);
    NotifyChange(false, property);
  }

  // The body of a setter that raises events: the read-only guard, then
  // Change.
  template <class T, class U>
  [[nodiscard]] HRESULT Put(std::string_view source, T& field, U&& value, std::int32_t property) {
    HRESULT hr = CheckWritable(source);
    if (Failed(hr)) return hr;
    Change(field, std::forward<U>(value), property);
    return S_OK;
  }

  // The body of a setter that raises no events: the read-only guard, then
  // the store.
  template <class T, class U>
  [[nodiscard]] HRESULT Store(std::string_view source, T& field, U&& value) {
    HRESULT hr = CheckWritable(source);
    if (Failed(hr)) return hr;
    field = std::forward<U>(value);
    return S_OK;
  }

  // The owner's change notification alone, for setters whose order differs
  // from Change's. Does nothing unless the item is attached and its list
  // has an owner.
  void NotifyChange(bool before, std::int32_t property);

 protected:
  ListItemBase() = default;
  ~ListItemBase();

 private:
  friend class ListCore;
  friend class PlainListCore;
  friend class RuleListCore;
  friend class ListEnumerator;
  friend class RuleItemBase;

  ListCore* list_ = nullptr;
  // Neighbours in the list's member sequence (rule lists) or in its chain
  // of bound items that are not members (every list).
  ListItemBase* prev_ = nullptr;
  ListItemBase* next_ = nullptr;
  bool attached_ = false;
};

// An item of an ordered rule list: it has an identifier, and the list keeps
// it in the order of Compare.
class RuleItemBase : public ListItemBase {
 public:
  std::int32_t rule_id() const { return rule_id_; }
  // The next member in list order, or nullptr.
  RuleItemBase* next_member() const;

  // Slot 14 of the owner site: a signed result whose sign orders this item
  // before (negative) or after (positive) `other`, and whose magnitude names
  // the first key that differed. `other` is a member of the same kind of
  // list. The default keeps insertion order. A comparison that needs more
  // than the two items (definitions they name) asks compare_context().
  virtual std::int16_t Compare(const RuleItemBase& other) const;
  // The context of the item's list, or kNoCompareContext once the list
  // has gone.
  const RuleCompareContext& compare_context() const;

  // The RuleID setter: the read-only guard, then, for an attached item
  // whose identifier changes, the duplicate check (message 117), the change
  // notification with `property`, and the re-keying of the list's index.
  [[nodiscard]] HRESULT SetRuleID(std::string_view source, std::int32_t id, std::int32_t property);
  // The RuleIDString setter: the guard, the text read as ParseRuleID does
  // (E_POINTER for empty text), then as SetRuleID.
  [[nodiscard]] HRESULT SetRuleIDString(std::string_view source, std::string_view text,
                                        std::int32_t property);
  std::string RuleIDString() const;

 protected:
  RuleItemBase() = default;
  ~RuleItemBase() = default;

 private:
  friend class RuleListCore;

  std::int32_t rule_id_ = 0;
};

// The shared base of rules: a rule item that is also the owner site of its
// access-descriptor and condition-switch lists. It marks the parser of its
// own list modified and hands that parser to its sub-lists; the insert,
// remove and change slots stay silent unless a kind overrides them.
class CRule : public RuleItemBase, public IListOwner {
 public:
  void MarkModified() override;
  ParserCore* GetParser() override { return parser(); }

 protected:
  CRule() = default;
  ~CRule() = default;
};

// The COM identity of a list item: Base is ListItemBase, RuleItemBase,
// CRule or a kind's own base; Interfaces are the item's interfaces.
template <class Base, class... Interfaces>
class ItemObject : public DispatchObject<Interfaces...>, public Base {
 public:
  IUnknown* unknown_self() final { return this->unknown(); }

 protected:
  ItemObject() = default;
  // For a base that takes arguments (a kind's item core with its family).
  template <class... Args>
  explicit ItemObject(Args&&... args) : Base(std::forward<Args>(args)...) {}

  void* QueryExtra(const IID& iid) override {
    return iid == kListItemIID ? static_cast<ListItemBase*>(this) : nullptr;
  }
};

// The ListItemBase behind an interface pointer, or nullptr for an object
// that is not a list item of this library. The caller's reference keeps it.
ListItemBase* AsListItem(IUnknown* object);

}  // namespace xmlsecdb

#endif  // XMLSECDB_LIST_LIST_ITEM_H_

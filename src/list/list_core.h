// ListCore: what both list shapes share — the owner site, the parser
// behind it, the items bound to the list, the read-only guard, error
// records, and the collection members (Item, Count, _NewEnum).
//
// A list holds one reference to each member. Items it created but that are
// not members (never inserted, or removed) stay bound to it through a
// chain threaded through the items themselves, so that the list can clear
// their back-pointers when it goes away; this costs no memory per item
// beyond the links every item has.
//
// Apartment-threaded, like the parser.
#ifndef XMLSECDB_LIST_LIST_CORE_H_
#define XMLSECDB_LIST_LIST_CORE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "list/collection_dispatch.h"
#include "list/list_item.h"
#include "list/list_owner.h"
#include "list/owned.h"
#include "xmlsecdb/collection.h"

namespace xmlsecdb {

struct KeyedListConfig;

// Answered by every list: QueryInterface for it yields the list's ListCore
// (with a reference on the object). Internal to the library.
inline constexpr IID kListCoreIID = MakeGuid("{5EC0DB00-03FE-4000-8000-5EC0DB0003FE}");

// What distinguishes one list class from another; each list declares one
// constant of this type.
struct ListTraits {
  std::string_view class_name;   // "CAMRuleList", the first half of error sources
  std::string_view create_name;  // "CreateRule"
  const CLSID* clsid;            // the class named in the list's error records
  const IID* iid;                // the list's interface, for the same records
  const ListNotices* notices = &kItemNotices;
  // The three flags below concern rule lists only; plain lists ignore them.
  // Rule lists: Insert places a new member by comparison (else appends it,
  // and a bulk load keeps the file's order).
  bool insert_by_compare = true;
  // Rule lists: Compare is a strict weak order, so the library's stable
  // sort may order them (else a merge sort that relies on nothing of the
  // comparison does; list/rule_list.cc).
  bool strict_weak_order = true;
  // Rule lists: Sort, which the parser calls before a save when its
  // modified flags say so, puts the members in comparison order (else it
  // leaves them). A list may append on Insert and still be sorted before
  // it is saved, as dial numbers are.
  bool sort_before_save = true;
  // Keyed lists: the key order and the failure of a taken key.
  const KeyedListConfig* keys = nullptr;
};

class ListCore {
 public:
  ListCore(const ListCore&) = delete;
  ListCore& operator=(const ListCore&) = delete;

  const ListTraits& traits() const { return traits_; }
  IListOwner* owner() const { return owner_; }
  // The owning parser, or nullptr when the list has no owner (any more).
  ParserCore* parser() const;
  // Whether the owning parser has a master: rule identifiers are then
  // generated negative.
  bool parser_has_master() const;
  // The owner calls this when it goes away; the list then reaches no
  // parser and raises nothing.
  void DetachOwner() { owner_ = nullptr; }

  virtual std::int32_t count() const = 0;
  // The member at 0-based `index`, or nullptr beyond the end.
  virtual ListItemBase* MemberAt(std::int32_t index) = 0;
  // The member after `member`, which is at `index - 1`; only called while
  // changes() is what it was when `member` was fetched.
  virtual ListItemBase* MemberAfter(ListItemBase* member, std::int32_t index);
  // Counts insertions, removals and re-orderings.
  std::uint64_t changes() const { return changes_; }
  // The list as IUnknown, without a new reference.
  virtual IUnknown* list_unknown() = 0;

  // The read-only guard of the list's modifying calls: message 111 naming
  // "<class_name>::<method>()". The text is built only on failure.
  [[nodiscard]] HRESULT CheckWritable(std::string_view method) const;
  // Reports `message_id` with the source "<class_name>::<call>" (`call`
  // includes its parentheses) on the list's class and interface.
  HRESULT Report(std::string_view call, int message_id, HRESULT result) const;

  // The collection members. Item: 1-based; E_INVALIDARG below 1, E_FAIL
  // beyond the end (a shape may answer otherwise).
  virtual HRESULT ItemAt(std::int32_t index, Variant* item);
  HRESULT GetCount(std::int32_t* count) const;
  HRESULT NewEnum(IUnknown** enumerator);

 protected:
  ListCore(IListOwner* owner, const ListTraits& traits) : owner_(owner), traits_(traits) {}
  // The derived list must have released its members (ReleaseMember) and
  // called UnbindAll first.
  ~ListCore() = default;

  // Makes `item` bound to this list and not a member (a new item, a
  // removed member, or an item of another list that joins this one).
  void Bind(ListItemBase* item);
  // Takes `item` out of the chain of non-members, keeping it bound.
  void LeaveLoose(ListItemBase* item);
  // Clears the back-pointer of every bound non-member.
  void UnbindAll();
  // The member's link to this list ends (the list is going): its flag and
  // back-pointer are cleared and the list's reference released.
  static void ReleaseMember(ListItemBase* item);
  // Makes `item` a member: out of the loose chain, flag set, reference
  // taken. The caller links it into its sequence.
  void Adopt(ListItemBase* item);
  // Ends membership: flag cleared, back in the loose chain. The caller has
  // unlinked it and releases the list's reference afterwards.
  void Disown(ListItemBase* item);

  // The owner's notifications (no owner: nothing).
  void NotifyInsert(bool before, ListItemBase* item);
  void NotifyRemove(bool before, ListItemBase* item);

  void Touch() { ++changes_; }

 private:
  friend class ListItemBase;

  IListOwner* owner_;
  const ListTraits& traits_;
  ListItemBase* loose_ = nullptr;
  std::uint64_t changes_ = 0;
};

// The COM identity of a list: the interface and the collection members on
// top of one of the list shapes (PlainListCore, RuleListCore).
template <class Interface, class Core>
class ListObject : public DispatchObject<Interface>, public Core {
 public:
  HRESULT get__NewEnum(IUnknown** enumerator) override { return this->NewEnum(enumerator); }
  HRESULT get_Item(std::int32_t index, Variant* item) override { return this->ItemAt(index, item); }
  HRESULT get_Count(std::int32_t* count) override { return this->GetCount(count); }
  IUnknown* list_unknown() final { return this->unknown(); }

 protected:
  template <class... CoreArgs>
  ListObject(IListOwner* owner, const ListTraits& traits, CoreArgs&&... core_args)
      : Core(owner, traits, std::forward<CoreArgs>(core_args)...) {}

  void* QueryExtra(const IID& iid) override {
    return iid == kListCoreIID ? static_cast<ListCore*>(this) : nullptr;
  }
};

// The ListCore behind a list's interface pointer, or nullptr for an object
// that is no list of this library. The caller's reference keeps it.
ListCore* AsListCore(IUnknown* object);

}  // namespace xmlsecdb

#endif  // XMLSECDB_LIST_LIST_CORE_H_

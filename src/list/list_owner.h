// IListOwner: the site through which a list reaches its parser and tells
// its owner about insertions, removals and changes.
//
// A rule owns its access-descriptor and condition-switch lists and is their
// site; a top-level list (rules, global options, definitions, ...) has the
// parser as owner, reached through a ParserListSite that turns the
// notifications into the parser's events. The list holds a plain pointer to
// its site; the owner clears it (ListCore::DetachOwner, or OwnedList) when
// it goes away, and a list without a site reaches no parser: it is writable
// and raises nothing.
#ifndef XMLSECDB_LIST_LIST_OWNER_H_
#define XMLSECDB_LIST_LIST_OWNER_H_

#include <cstdint>

#include "xmlsecdb/dispatch.h"

namespace xmlsecdb {

class ParserCore;

// The operations in their slot order. Slots 2 to 13 do nothing unless the
// owner overrides them. The item passed is the member concerned; Clear of a
// plain list passes nullptr once for the whole list. The change slots also
// receive the property number that the item's setter names, for owners whose
// events carry one. (Slot 14, the rule comparison, is RuleItemBase::Compare.)
class IListOwner {
 public:
  // Sets bit 0x1 of the parser's modified flags.
  virtual void MarkModified() = 0;
  // The parser that owns the tree, or nullptr once it has gone.
  virtual ParserCore* GetParser() = 0;
  virtual void BeforeInsert(IUnknown*) {}
  virtual void AfterInsert(IUnknown*) {}
  virtual void BeforeRemove(IUnknown*) {}
  virtual void AfterRemove(IUnknown*) {}
  virtual void BeforeChange(IUnknown*, std::int32_t /*property*/) {}
  virtual void AfterChange(IUnknown*, std::int32_t /*property*/) {}
  virtual void BeforeSwitchInsert(IUnknown*) {}
  virtual void AfterSwitchInsert(IUnknown*) {}
  virtual void BeforeSwitchRemove(IUnknown*) {}
  virtual void AfterSwitchRemove(IUnknown*) {}
  virtual void BeforeSwitchChange(IUnknown*, std::int32_t /*property*/) {}
  virtual void AfterSwitchChange(IUnknown*, std::int32_t /*property*/) {}

 protected:
  ~IListOwner() = default;
};

// Which owner slots a list calls: a rule's condition-switch list uses the
// switch slots, every other list the plain ones.
struct ListNotices {
  void (IListOwner::*before_insert)(IUnknown*);
  void (IListOwner::*after_insert)(IUnknown*);
  void (IListOwner::*before_remove)(IUnknown*);
  void (IListOwner::*after_remove)(IUnknown*);
  void (IListOwner::*before_change)(IUnknown*, std::int32_t);
  void (IListOwner::*after_change)(IUnknown*, std::int32_t);
  // Whether a member's change first calls MarkModified (access descriptors).
  bool mark_before_change;
};

inline constexpr ListNotices kItemNotices = {&IListOwner::BeforeInsert,
                                             &IListOwner::AfterInsert,
                                             &IListOwner::BeforeRemove,
                                             &IListOwner::AfterRemove,
                                             &IListOwner::BeforeChange,
                                             &IListOwner::AfterChange,
                                             false};
inline constexpr ListNotices kSwitchNotices = {&IListOwner::BeforeSwitchInsert,
                                               &IListOwner::AfterSwitchInsert,
                                               &IListOwner::BeforeSwitchRemove,
                                               &IListOwner::AfterSwitchRemove,
                                               &IListOwner::BeforeSwitchChange,
                                               &IListOwner::AfterSwitchChange,
                                               false};

// The parser events a top-level list raises; 0 means none. Declared by each
// kind as a constant per list.
struct ListEventIds {
  DISPID before_insert = 0;
  DISPID after_insert = 0;
  DISPID before_remove = 0;
  DISPID after_remove = 0;
  DISPID before_change = 0;
  DISPID after_change = 0;
  // Whether the change events carry the property number after the item.
  bool change_has_property = true;
  // Whether a change of a member sets bit 0x1 of the modified flags first.
  bool change_marks_modified = true;
};

// The parser as owner of one of its top-level lists. The parser holds it as
// a member beside the list and must detach the list before the site dies
// (OwnedList does both in the right order when declared after the site).
class ParserListSite final : public IListOwner {
 public:
  ParserListSite(ParserCore* parser, const ListEventIds& events)
      : parser_(parser), events_(events) {}
  ParserListSite(const ParserListSite&) = delete;
  ParserListSite& operator=(const ParserListSite&) = delete;

  void MarkModified() override;
  ParserCore* GetParser() override { return parser_; }
  void BeforeInsert(IUnknown* item) override { Fire(events_.before_insert, item); }
  void AfterInsert(IUnknown* item) override { Fire(events_.after_insert, item); }
  void BeforeRemove(IUnknown* item) override { Fire(events_.before_remove, item); }
  void AfterRemove(IUnknown* item) override { Fire(events_.after_remove, item); }
  void BeforeChange(IUnknown* item, std::int32_t property) override;
  void AfterChange(IUnknown* item, std::int32_t property) override;

 private:
  void Fire(DISPID dispid, IUnknown* item);
  void FireChange(DISPID dispid, IUnknown* item, std::int32_t property);

  ParserCore* parser_;
  const ListEventIds& events_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_LIST_LIST_OWNER_H_

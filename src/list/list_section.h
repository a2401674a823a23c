// ListSection<List>: the base of a section that exposes one top-level list
// of the parser — the list, the site through which it reaches the parser,
// and the names XmlEx and the parser's property use for it.
//
// A section derives from it and adds only its own reading, writing and
// clearing:
//
//   class GlobalsSection final : public ListSection<CGlobalPropertyList> {
//    public:
//     GlobalsSection(ParserCore* parser, const GlobalsConfig& config)
//         : ListSection(parser, "Globals", "GlobalOptions", config.events), ...
//
// How loaders fill items — one idiom for every section that reads a list:
// the item is made new and detached (the list's NewItem, or the kind's
// New... for definitions), filled through its setters or its unchecked
// accessors (for a detached item the two are the same: no notices, and no
// read-only refusal, since a load has cleared the flag), and made a member
// through the list's own Insert (InsertLoaded for rule lists, which places
// the whole load as Insert would have, at the section's end), so that the
// identifier and duplicate rules of the API apply to files too. A failing
// Insert ends the load with its own record.
//
// The list is created at construction with the site as its owner (followed
// by any further constructor arguments the list takes), and is detached from
// the site when the section goes, after the derived section's own members:
// an item the section holds while reading is released while its list is
// still whole.
#ifndef XMLSECDB_LIST_LIST_SECTION_H_
#define XMLSECDB_LIST_LIST_SECTION_H_

#include <string_view>
#include <utility>

#include "core/section.h"
#include "list/list_core.h"
#include "list/list_owner.h"
#include "platform/object.h"

namespace xmlsecdb {

template <class List>
class ListSection : public Section {
 public:
  ListSection(const ListSection&) = delete;
  ListSection& operator=(const ListSection&) = delete;

  // The list, without a new reference.
  List* list() const { return list_.get(); }

  std::string_view element() const final { return element_; }
  std::string_view property() const final { return property_; }
  ISDCollection* collection() final { return list_.get(); }

 protected:
  // `parser` owns the section and outlives it; `element` and `property`
  // are constants, and so is `events`, which the site raises.
  template <class... ListArgs>
  ListSection(ParserCore* parser, std::string_view element, std::string_view property,
              const ListEventIds& events, ListArgs&&... list_args)
      : element_(element),
        property_(property),
        site_(parser, events),
        list_(MakeObject<List>(&site_, std::forward<ListArgs>(list_args)...)) {}

 private:
  std::string_view element_;
  std::string_view property_;
  ParserListSite site_;
  OwnedList<List> list_;  // after site_: detached before the site goes
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_LIST_LIST_SECTION_H_

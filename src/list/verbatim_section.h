// VerbatimSection: a top-level section whose list a kind exposes before it
// reads the section's elements. The list stays empty; the section's element
// is kept as the file has it (the content handler fills the section's
// store, core/section.h) and written back in the section's own place, so
// that a load and save keep both the content and the section order.
//
//   VerbatimSection rules_{this, "RuleList", "RuleList", kFWRuleListTraits};
//   AddSection(&rules_);  // in save order
//
// A kind replaces it with the real section once it reads the elements.
#ifndef XMLSECDB_LIST_VERBATIM_SECTION_H_
#define XMLSECDB_LIST_VERBATIM_SECTION_H_

#include <string_view>

#include "core/custom_store.h"
#include "list/list_section.h"
#include "list/plain_list.h"

namespace xmlsecdb {

// The list of a verbatim section: only the collection members, always
// empty. `traits` name the list's class in its error records.
class PendingList final : public ListObject<ISDCollection, PlainListCore> {
 public:
  PendingList(IListOwner* owner, const ListTraits& traits) : ListObject(owner, traits) {}
};

class VerbatimSection final : public ListSection<PendingList> {
 public:
  // `element`, `property` and `traits` are constants.
  VerbatimSection(ParserCore* parser, std::string_view element, std::string_view property,
                  const ListTraits& traits)
      : ListSection(parser, element, property, kSilent, traits) {}

  CustomStore* verbatim_store() override { return &store_; }

  // The content handler never offers these elements.
  HRESULT StartElement(SectionReadContext&, std::string_view, std::string_view,
                       const SaxAttributes&, bool*) override {
    return S_OK;
  }
  HRESULT EndElement(SectionReadContext&, std::string_view, std::string_view,
                     std::string_view) override {
    return S_OK;
  }
  // Nothing when the file had no such section.
  HRESULT Write(XmlWriter& writer) override { return WriteCustomStore(writer, store_); }
  void Clear() override { store_.Clear(); }

 private:
  static constexpr ListEventIds kSilent = {};

  CustomStore store_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_LIST_VERBATIM_SECTION_H_

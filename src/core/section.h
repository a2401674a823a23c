// Section: one top-level section of a database (`Globals`, `RuleList`,
// ...) — how its elements are read, how it is written and emptied.
//
// A kind's parser owns one Section per list it exposes and registers them
// with ParserCore::AddSection in the order a save writes them. The content
// handler offers every element to the sections in that order; the first one
// that claims the (element, parent) pair handles it, and gets the element's
// end with the text collected inside it. Elements no section claims inside
// a section are ignored; unknown top-level sections are kept verbatim, and
// so are the sections that answer a verbatim_store.
#ifndef XMLSECDB_CORE_SECTION_H_
#define XMLSECDB_CORE_SECTION_H_

#include <string_view>

#include "platform/sax_reader.h"
#include "xmlsecdb/collection.h"
#include "xmlsecdb/result.h"

namespace xmlsecdb {

class CustomStore;
class ParserCore;
class XmlWriter;

// What a section may do while it reads.
class SectionReadContext {
 public:
  virtual ParserCore& parser() = 0;
  // Reports a content error of the file (message 109, 110, ... with its
  // suffix) as the kind's handler and returns E_FAIL, which ends the load.
  virtual HRESULT Fail(int message_id, std::string_view suffix) = 0;

 protected:
  ~SectionReadContext() = default;
};

class Section {
 public:
  virtual ~Section() = default;

  // The section's element name, as XmlEx selects it ("RuleList").
  virtual std::string_view element() const = 0;
  // A further name that selects the section together with others
  // ("LabelAll" for labels and groups); empty when there is none.
  virtual std::string_view combined_name() const { return {}; }
  // The parser property that exposes the section's list ("RuleList",
  // "GlobalOptions"), and the list itself (no new reference).
  virtual std::string_view property() const = 0;
  virtual ISDCollection* collection() = 0;

  // Claims (`*handled` = true) and reads an element, or leaves it. A
  // failure either returns is reported first (through the context's Fail,
  // or by the item or list call that failed): it ends the load, and its
  // record is the load's.
  virtual HRESULT StartElement(SectionReadContext& context, std::string_view name,
                               std::string_view parent, const SaxAttributes& attributes,
                               bool* handled) = 0;
  // The end of an element this section claimed; `text` is the character
  // data collected directly inside it.
  virtual HRESULT EndElement(SectionReadContext& context, std::string_view name,
                             std::string_view parent, std::string_view text) = 0;

  // Writes the whole section (nothing at all when the format says so).
  virtual HRESULT Write(XmlWriter& writer) = 0;

  // Empties the section's list, as New does.
  virtual void Clear() = 0;

  // A section whose elements the kind does not read yet answers the store
  // that keeps its top-level element as the file has it: the content
  // handler puts the element's whole subtree there instead of offering it
  // to the sections, and the section writes it back in its place. Sections
  // that read their elements answer nullptr.
  virtual CustomStore* verbatim_store() { return nullptr; }
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_CORE_SECTION_H_

// Helpers of the firewall tests: a parser loaded from an inline document
// body, the text a save writes for one section, and the firewall
// definitions and items by position.
#ifndef XMLSECDB_TESTS_FW_FW_FIXTURE_H_
#define XMLSECDB_TESTS_FW_FW_FIXTURE_H_

#include <string>
#include <string_view>

#include "fw/fw_parser.h"
#include "testing/secdb_document.h"
#include "testing/test_parser.h"

namespace xmlsecdb::testing {

inline ComPtr<CFWParser> MakeFWParser() { return MakeObject<CFWParser>(); }

inline std::string FWDocument(std::string_view body) {
  return SecDbDocument("Firewall", body);
}

// Loads a database whose sections are `body`, from memory.
inline HRESULT LoadFWBody(CFWParser* parser, std::string_view body) {
  return parser->LoadImage(FWDocument(body), "fw.xml", 0);
}

// What a save writes for `section` alone, without the document frame.
inline std::string FWSectionText(CFWParser* parser, std::string_view section) {
  return SectionText(*parser, section);
}

// A definition of `parser` by position, and one of its items.
inline CFWDefinition* FWDefinitionAt(CFWParser* parser, std::int32_t index) {
  CFWDefinitionList* list = parser->definitions();
  return index < list->count() ? list->at(index) : nullptr;
}
inline CFWItem* FWItemAt(CFWParser* parser, std::int32_t definition, std::int32_t item) {
  CFWDefinition* d = FWDefinitionAt(parser, definition);
  return d && item < d->items()->count() ? d->items()->at(item) : nullptr;
}

}  // namespace xmlsecdb::testing

#endif  // XMLSECDB_TESTS_FW_FW_FIXTURE_H_

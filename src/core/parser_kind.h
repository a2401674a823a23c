// ParserKind: what distinguishes one kind of database to the shared parser
// machinery. Each kind declares one constant of this type; the parser base,
// the content-handler base and the writer read it instead of branching on
// the kind.
#ifndef XMLSECDB_CORE_PARSER_KIND_H_
#define XMLSECDB_CORE_PARSER_KIND_H_

#include <cstdint>
#include <string_view>

#include "xmlsecdb/guid.h"

namespace xmlsecdb {

// How a kind checks the `Module id` text of a file.
enum class ModuleCheck {
  // The text must be the kind's own word (else 109 " Wrong Module id."),
  // and the parser's module must be the kind's (else 108).
  kExactText,
  // The text is mapped to a module id through the table of known module
  // words; any other id than the parser's fails with 108.
  kLookup,
  // As kLookup, but a word that names no module fails with 109
  // " Wrong module id." instead of 108.
  kLookupKnownWord,
};

struct ParserKind {
  std::string_view abbreviation;  // "am", as tools name the kind
  std::string_view coclass;       // "XMLSDParserAM", for log lines
  std::string_view class_name;    // "CAMParser", for error sources
  std::string_view handler_name;  // "CDbContentHandlerAM", for error sources
  std::int32_t module_id;
  std::string_view module_text;      // `Module id` word: "AntiMalware"
  std::string_view schema_file;      // written in the root: "AntiMalware.xsd"
  std::string_view schema_location;  // handed to the schema hook on reading
  const CLSID* clsid;
  const IID* parser_iid;  // the kind's parser interface: error records, errorinfo
  const IID* events_iid;
  const IID* master_iid;  // what SetMasterParser queries for
  bool events_off_while_loading;
  ModuleCheck module_check;
  std::string_view missing_major_suffix;
  // Whether a save writes custom sections back.
  bool writes_custom_sections;
  // Whether XmlEx matches section names ASCII case-insensitively.
  bool section_names_any_case = false;
};

// The module id of a `Module id` word, or 0 for a word no module has. The
// anti-malware and data inspection words are known too, though their
// parsers compare the text itself.
std::int32_t ModuleIdFromText(std::string_view text);

}  // namespace xmlsecdb

#endif  // XMLSECDB_CORE_PARSER_KIND_H_

// Finding out which kind of database a file holds, before choosing a parser.
#ifndef XMLSECDB_PROBE_H_
#define XMLSECDB_PROBE_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "xmlsecdb/export.h"
#include "xmlsecdb/guid.h"
#include "xmlsecdb/result.h"

namespace xmlsecdb {

// One kind of database.
struct DatabaseKindInfo {
  std::string_view abbreviation;  // "am", "sbx", "di", "fw", "ids", "app", "cf"
  std::string_view module_text;   // the `Module id` word: "AntiMalware"
  std::int32_t module_id;         // EModuleId
  const CLSID* clsid;             // its parser class
  // Whether XmlEx takes section names in any letter case ("labelall").
  bool section_names_any_case;
};

XMLSECDB_EXPORT std::span<const DatabaseKindInfo> DatabaseKinds();
// The kind with that abbreviation, module word or module id; nullptr when none.
XMLSECDB_EXPORT const DatabaseKindInfo* FindDatabaseKind(
    std::string_view abbreviation_or_module_text);
XMLSECDB_EXPORT const DatabaseKindInfo* FindDatabaseKind(std::int32_t module_id);

// What ProbeDatabaseModule answers for bytes that are no XML text at all:
// an encrypted database read without its key or with another key.
constexpr HRESULT SECDB_E_NOTXMLTEXT = MakeResult(0x8004F002);

// Reads `path` (decrypting it with `crypt_key`, BinaryHex text, when not
// empty) only as far as its `Module` element and stores that element's
// `id` text. E_FAIL when the file holds no readable `Module id`;
// SECDB_E_NOTXMLTEXT when its bytes (after decryption) are no XML text;
// E_INVALIDARG for a key that is not BinaryHex; the platform error when it
// cannot be read. Leaves no error record.
[[nodiscard]] XMLSECDB_EXPORT HRESULT ProbeDatabaseModule(std::string_view path,
                                                          std::string_view crypt_key,
                                                          std::string* module_text);
// The same for `bytes`, the content of a database file already in memory.
[[nodiscard]] XMLSECDB_EXPORT HRESULT ProbeDatabaseImage(std::string_view bytes,
                                                         std::string_view crypt_key,
                                                         std::string* module_text);

}  // namespace xmlsecdb

#endif  // XMLSECDB_PROBE_H_

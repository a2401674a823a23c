// Finding out which kind of database a file holds, before choosing a parser.
#ifndef XMLSECDB_PROBE_H_
#define XMLSECDB_PROBE_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "xmlsecdb/guid.h"
#include "xmlsecdb/result.h"

namespace xmlsecdb {

// One kind of database.
struct DatabaseKindInfo {
  std::string_view abbreviation;  // "am", "sbx", "di", "fw", "ids", "app", "cf"
  std::string_view module_text;   // the `Module id` word: "AntiMalware"
  std::int32_t module_id;         // EModuleId
  const CLSID* clsid;             // its parser class
};

std::span<const DatabaseKindInfo> DatabaseKinds();
// The kind with that abbreviation, module word or module id; nullptr when none.
const DatabaseKindInfo* FindDatabaseKind(std::string_view abbreviation_or_module_text);
const DatabaseKindInfo* FindDatabaseKind(std::int32_t module_id);

// Reads `path` (decrypting it with `crypt_key`, BinaryHex text, when not
// empty) only as far as its `Module` element and stores that element's
// `id` text. E_FAIL when the file holds no readable `Module id`; the
// platform error when it cannot be read. Leaves no error record.
HRESULT ProbeDatabaseModule(std::string_view path, std::string_view crypt_key,
                            std::string* module_text);

}  // namespace xmlsecdb

#endif  // XMLSECDB_PROBE_H_

// The bytes of a database file: the UTF-16LE text behind its FF FE mark,
// through the crypt engine.
#ifndef XMLSECDB_CORE_DATABASE_IMAGE_H_
#define XMLSECDB_CORE_DATABASE_IMAGE_H_

#include <string>
#include <string_view>

#include "core/crypt_engine.h"
#include "xmlsecdb/result.h"

namespace xmlsecdb {

// Decrypts a file's bytes with `engine` (a copy when it has no key). False
// when the engine refuses them.
bool DecryptDatabaseImage(const CCryptEngine& engine, std::string_view bytes, std::string* image);

// The file image of `utf8_text`: mark, UTF-16LE text, then encryption.
// E_INVALIDARG for text that is not UTF-8; the engine's failure otherwise.
HRESULT BuildDatabaseImage(const CCryptEngine& engine, std::string_view utf8_text,
                           std::string* image);

}  // namespace xmlsecdb

#endif  // XMLSECDB_CORE_DATABASE_IMAGE_H_

// The text form of rule and expression identifiers.
//
// An identifier is a signed 32-bit number. Its text is read in two forms:
// a plain decimal number, or a capital letter followed by a number, where
// the letter's code becomes the top byte. "AS5" is 0x41000005 (positive;
// "S" marks the form) and "A5" is -0x41000005. The number of a lettered form
// keeps only its low 16 bits. Identifiers are always written back in
// signed decimal, so "AS5" reads back as "1090519045".
#ifndef XMLSECDB_LIST_RULE_ID_H_
#define XMLSECDB_LIST_RULE_ID_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "xmlsecdb/result.h"

namespace xmlsecdb {

// Stores the identifier `text` names in *id. E_POINTER for empty text (and
// *id is left alone); any other text gives some identifier.
[[nodiscard]] HRESULT ParseRuleID(std::string_view text, std::int32_t* id);

// The signed decimal text of `id`.
std::string FormatRuleID(std::int32_t id);

}  // namespace xmlsecdb

#endif  // XMLSECDB_LIST_RULE_ID_H_

// Reading numbers the way database files write them.
#ifndef XMLSECDB_CORE_NUMBER_TEXT_H_
#define XMLSECDB_CORE_NUMBER_TEXT_H_

#include <cstdint>
#include <string_view>

namespace xmlsecdb {

// A decimal integer from the leading digits of `text`: leading blanks and
// one sign are allowed, reading stops at the first non-digit, text without
// digits reads as 0, and values beyond the 32-bit range saturate.
std::int32_t ReadDecimal(std::string_view text);

}  // namespace xmlsecdb

#endif  // XMLSECDB_CORE_NUMBER_TEXT_H_

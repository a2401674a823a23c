// Reading numbers the way database files write them.
//
// All three readers take the leading part of the text that forms a number
// and ignore the rest, give 0 for text without digits, and saturate instead
// of overflowing, so that no text can make them misbehave.
#ifndef XMLSECDB_CORE_NUMBER_TEXT_H_
#define XMLSECDB_CORE_NUMBER_TEXT_H_

#include <cstdint>
#include <string_view>

namespace xmlsecdb {

// A decimal integer from the leading digits of `text`: leading blanks and
// one sign are allowed, reading stops at the first non-digit, text without
// digits reads as 0, and values beyond the 32-bit range saturate.
std::int32_t ReadDecimal(std::string_view text);

// An unsigned decimal integer, as "%u" reads one: leading blanks and one
// sign are allowed, and "-" negates modulo 2^32 ("-1" gives 0xFFFFFFFF).
// A magnitude beyond 32 bits gives 0xFFFFFFFF whatever the sign.
std::uint32_t ReadUnsignedDecimal(std::string_view text);

// A hexadecimal integer, as "%X" reads one: leading blanks, one sign and an
// optional "0x" or "0X" before the digits; letters in either case. Sign and
// saturation as in ReadUnsignedDecimal.
std::uint32_t ReadHex(std::string_view text);

}  // namespace xmlsecdb

#endif  // XMLSECDB_CORE_NUMBER_TEXT_H_

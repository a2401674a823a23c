// Recognising IP address literals in text, as the content filter does
// before it asks the name service: a literal is used as it stands.
//
// The rules are those of a scanf-style reader, kept exactly because stored
// databases depend on which paths count as literals:
// - kIPv4: four decimal numbers joined by ".", each below 256 taken as an
//   unsigned number ("-1" is not); text after the fourth is not looked at,
//   so "1.2.3.4abc" is an IPv4 literal.
// - kIPv6Full: without "::", eight hexadecimal groups joined by ":" (group
//   values are not range-checked).
// - kIPv6Gap: with "::", fewer than eight groups read before and after the
//   first "::" together (an empty side counts -1), so "::", "::1" and
//   "fe80::1" are literals and "1:2:3:4::5:6:7:8" is not.
// Each number may have leading blanks and a sign, and a hexadecimal group a
// "0x" prefix, as the scanner allows.
#ifndef XMLSECDB_PLATFORM_ADDRESS_LITERAL_H_
#define XMLSECDB_PLATFORM_ADDRESS_LITERAL_H_

#include <string_view>

namespace xmlsecdb {

enum AddressLiteralKind : int {
  kNotAddressLiteral = 0,
  kIPv4Literal = 1,
  kIPv6FullLiteral = 2,
  kIPv6GapLiteral = 3,
};

AddressLiteralKind ClassifyAddressLiteral(std::string_view text);

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_ADDRESS_LITERAL_H_

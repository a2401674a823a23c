// ASCII text helpers for the words, numbers and hexadecimal texts of
// database files: case folding, comparison without regard to case, blanks,
// hexadecimal digits. Only the 26 ASCII letters fold; every other byte
// (UTF-8 sequences included) stays as it is, so these never depend on a
// locale.
//
// Stateless; callable from any thread.
#ifndef XMLSECDB_CORE_ASCII_H_
#define XMLSECDB_CORE_ASCII_H_

#include <string_view>

namespace xmlsecdb {

// `c` with an upper-case ASCII letter made lower-case.
constexpr char FoldAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether `a` and `b` are equal once ASCII letters are folded.
constexpr bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

// The blanks a number's text may start with: space, tab, line feed,
// carriage return, vertical tab, form feed.
constexpr bool IsAsciiBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The value of a hexadecimal digit of either case, or -1.
constexpr int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The upper-case hexadecimal digit of each value 0 to 15, as files write
// them.
inline constexpr char kUpperHexDigits[] = "0123456789ABCDEF";

}  // namespace xmlsecdb

#endif  // XMLSECDB_CORE_ASCII_H_

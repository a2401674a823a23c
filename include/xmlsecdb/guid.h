// GUIDs: class identifiers (CLSID) and interface identifiers (IID).
#ifndef XMLSECDB_GUID_H_
#define XMLSECDB_GUID_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "xmlsecdb/export.h"

namespace xmlsecdb {

struct GUID {
  std::uint32_t data1 = 0;
  std::uint16_t data2 = 0;
  std::uint16_t data3 = 0;
  std::uint8_t data4[8] = {};

  friend constexpr bool operator==(const GUID& a, const GUID& b) {
    if (a.data1 != b.data1 || a.data2 != b.data2 || a.data3 != b.data3) return false;
    for (int i = 0; i < 8; ++i) {
      if (a.data4[i] != b.data4[i]) return false;
    }
    return true;
  }
};

using IID = GUID;
using CLSID = GUID;

namespace guid_internal {
constexpr std::uint32_t HexDigit(char c) {
  return (c >= '0' && c <= '9')   ? static_cast<std::uint32_t>(c - '0')
         : (c >= 'a' && c <= 'f') ? static_cast<std::uint32_t>(c - 'a' + 10)
         : (c >= 'A' && c <= 'F') ? static_cast<std::uint32_t>(c - 'A' + 10)
                                  : throw "invalid hex digit in GUID";
}
constexpr std::uint32_t Hex(std::string_view s, std::size_t pos, std::size_t count) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < count; ++i) v = (v << 4) | HexDigit(s[pos + i]);
  return v;
}
}  // namespace guid_internal

// Parses "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" at compile time.
consteval GUID MakeGuid(std::string_view s) {
  if (s.size() != 38 || s[0] != '{' || s[37] != '}') throw "malformed GUID";
  using guid_internal::Hex;
  GUID g;
  g.data1 = Hex(s, 1, 8);
  g.data2 = static_cast<std::uint16_t>(Hex(s, 10, 4));
  g.data3 = static_cast<std::uint16_t>(Hex(s, 15, 4));
  g.data4[0] = static_cast<std::uint8_t>(Hex(s, 20, 2));
  g.data4[1] = static_cast<std::uint8_t>(Hex(s, 22, 2));
  for (int i = 0; i < 6; ++i) {
    g.data4[2 + i] = static_cast<std::uint8_t>(Hex(s, 25 + 2 * i, 2));
  }
  return g;
}

// The registry form, upper-case with braces.
XMLSECDB_EXPORT std::string GuidToString(const GUID& guid);
// Parses the registry form (either case); false when `text` is no GUID.
XMLSECDB_EXPORT bool GuidFromString(std::string_view text, GUID* guid);

}  // namespace xmlsecdb

#endif  // XMLSECDB_GUID_H_

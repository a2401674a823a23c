#include "xmlsecdb/guid.h"

#include <cstdio>

namespace xmlsecdb {

std::string GuidToString(const GUID& g) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                static_cast<unsigned>(g.data1), g.data2, g.data3, g.data4[0], g.data4[1],
                g.data4[2], g.data4[3], g.data4[4], g.data4[5], g.data4[6], g.data4[7]);
  return buf;
}

bool GuidFromString(std::string_view text, GUID* guid) {
  auto hex = [&](std::size_t pos, std::size_t count, std::uint32_t* out) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < count; ++i) {
      char c = text[pos + i];
      int d = (c >= '0' && c <= '9')   ? c - '0'
              : (c >= 'a' && c <= 'f') ? c - 'a' + 10
              : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                       : -1;
      if (d < 0) return false;
      v = (v << 4) | static_cast<std::uint32_t>(d);
    }
    *out = v;
    return true;
  };
  if (text.size() != 38 || text[0] != '{' || text[37] != '}' || text[9] != '-' ||
      text[14] != '-' || text[19] != '-' || text[24] != '-') {
    return false;
  }
  GUID g;
  std::uint32_t v = 0;
  if (!hex(1, 8, &g.data1)) return false;
  if (!hex(10, 4, &v)) return false;
  g.data2 = static_cast<std::uint16_t>(v);
  if (!hex(15, 4, &v)) return false;
  g.data3 = static_cast<std::uint16_t>(v);
  static constexpr std::size_t kBytePos[8] = {20, 22, 25, 27, 29, 31, 33, 35};
  for (int i = 0; i < 8; ++i) {
    if (!hex(kBytePos[i], 2, &v)) return false;
    g.data4[i] = static_cast<std::uint8_t>(v);
  }
  *guid = g;
  return true;
}

}  // namespace xmlsecdb

// UTF-8 and UTF-16LE conversions at the file boundary.
//
// Database files are UTF-16 little-endian on disk while everything in memory
// is UTF-8, so whole files pass through these functions on every load and
// save. They are strict: overlong forms, encoded surrogates, code points
// above U+10FFFF and unpaired UTF-16 surrogates are refused rather than
// replaced, so that a conversion never changes text silently. They do not
// judge what XML may carry (U+0000, U+FFFE and the like are converted).
//
// All functions are pure and thread-safe.
#ifndef XMLSECDB_PLATFORM_UTF_H_
#define XMLSECDB_PLATFORM_UTF_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace xmlsecdb {

// True when `text` is well-formed UTF-8 (shortest forms, no surrogates,
// nothing above U+10FFFF).
bool IsValidUtf8(std::string_view text);

// Appends `utf8` to *out_bytes as UTF-16 little-endian bytes, with no
// byte-order mark and no terminating zero. Returns false on invalid UTF-8 and
// then leaves *out_bytes as it was.
bool Utf8ToUtf16LE(std::string_view utf8, std::string* out_bytes);

// Appends the UTF-16 little-endian text of `byte_count` bytes at `data` to
// *out as UTF-8. A byte-order mark is not special: FF FE becomes U+FEFF.
// Returns false on an odd byte count or an unpaired surrogate and then leaves
// *out as it was.
bool Utf16LEToUtf8(const void* data, std::size_t byte_count, std::string* out);

// Decodes the character starting at `p` (p < end). Returns its length in
// bytes (1 to 4) and stores the code point, or returns 0 when the bytes there
// are not a well-formed UTF-8 character. Inline because the writers call it
// for every non-ASCII character.
inline int DecodeUtf8Char(const char* p, const char* end, char32_t* code_point) {
  const auto* s = reinterpret_cast<const unsigned char*>(p);
  const unsigned lead = s[0];
  if (lead < 0x80) {
    *code_point = lead;
    return 1;
  }
  int length;
  char32_t c;
  char32_t minimum;
  if (lead < 0xC2) {  // a continuation byte, or a lead that is always overlong
    return 0;
  } else if (lead < 0xE0) {
    length = 2;
    c = lead & 0x1F;
    minimum = 0x80;
  } else if (lead < 0xF0) {
    length = 3;
    c = lead & 0x0F;
    minimum = 0x800;
  } else if (lead < 0xF5) {
    length = 4;
    c = lead & 0x07;
    minimum = 0x10000;
  } else {
    return 0;
  }
  if (end - p < length) return 0;
  for (int i = 1; i < length; ++i) {
    const unsigned b = s[i];
    if ((b & 0xC0) != 0x80) return 0;
    c = (c << 6) | (b & 0x3F);
  }
  if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  *code_point = c;
  return length;
}

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_UTF_H_

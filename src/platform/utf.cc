#include "platform/utf.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace xmlsecdb {
namespace {

// Database text is almost all ASCII, so every loop first tries to take eight
// bytes at once.
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// Four UTF-16LE units loaded as one native word are all below U+0080 when
// these bits are clear: the high byte of each unit and bit 7 of the low byte.
constexpr std::uint64_t kNonAsciiUnitBits =
    std::endian::native == std::endian::little ? 0xFF80FF80FF80FF80ull : 0x80FF80FF80FF80FFull;

// Units converted per step of Utf16LEToUtf8. The output grows a step at a
// time so that a 100 MB file does not need a worst-case (three bytes per
// unit) buffer.
constexpr std::size_t kChunkUnits = 1 << 14;

inline std::uint64_t Load64(const unsigned char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    if (end - p >= 8 && (Load64(reinterpret_cast<const unsigned char*>(p)) & kHighBits) == 0) {
      p += 8;
      continue;
    }
    char32_t c;
    const int length = DecodeUtf8Char(p, end, &c);
    if (length == 0) return false;
    p += length;
  }
  return true;
}

bool Utf8ToUtf16LE(std::string_view utf8, std::string* out_bytes) {
  const std::size_t old_size = out_bytes->size();
  // Two bytes per input byte is the exact size for ASCII and an upper bound
  // for everything else.
  out_bytes->resize(old_size + 2 * utf8.size());
  auto* const base = reinterpret_cast<unsigned char*>(out_bytes->data());
  unsigned char* o = base + old_size;
  const char* p = utf8.data();
  const char* const end = p + utf8.size();
  while (p < end) {
    const auto* s = reinterpret_cast<const unsigned char*>(p);
    if (end - p >= 8 && (Load64(s) & kHighBits) == 0) {
      for (int i = 0; i < 8; ++i) {
        o[2 * i] = s[i];
        o[2 * i + 1] = 0;
      }
      p += 8;
      o += 16;
      continue;
    }
    char32_t c;
    const int length = DecodeUtf8Char(p, end, &c);
    if (length == 0) {
      out_bytes->resize(old_size);
      return false;
    }
    p += length;
    if (c < 0x10000) {
      o[0] = static_cast<unsigned char>(c);
      o[1] = static_cast<unsigned char>(c >> 8);
      o += 2;
    } else {
      c -= 0x10000;
      const char32_t high = 0xD800 + (c >> 10);
      const char32_t low = 0xDC00 + (c & 0x3FF);
      o[0] = static_cast<unsigned char>(high);
      o[1] = static_cast<unsigned char>(high >> 8);
      o[2] = static_cast<unsigned char>(low);
      o[3] = static_cast<unsigned char>(low >> 8);
      o += 4;
    }
  }
  out_bytes->resize(static_cast<std::size_t>(o - base));
  return true;
}

bool Utf16LEToUtf8(const void* data, std::size_t byte_count, std::string* out) {
  if (byte_count % 2 != 0) return false;
  const auto* const in = static_cast<const unsigned char*>(data);
  const std::size_t units = byte_count / 2;
  const std::size_t old_size = out->size();
  // Exact for ASCII text, plus room for the last step's worst case so that
  // the common case never reallocates.
  out->reserve(old_size + units + 3 * (kChunkUnits + 1));

  std::size_t i = 0;
  while (i < units) {
    const std::size_t step_end = i + std::min(kChunkUnits, units - i);
    std::size_t written = out->size();
    // Three bytes per unit started covers everything: a pair that begins at
    // the last unit of the step reads one unit past it and writes four bytes.
    out->resize(written + 3 * (step_end - i + 1));
    auto* o = reinterpret_cast<unsigned char*>(out->data()) + written;
    auto* const step_base = o;
    while (i < step_end) {
      const unsigned char* s = in + 2 * i;
      if (units - i >= 4 && (Load64(s) & kNonAsciiUnitBits) == 0) {
        o[0] = s[0];
        o[1] = s[2];
        o[2] = s[4];
        o[3] = s[6];
        o += 4;
        i += 4;
        continue;
      }
      const char32_t u = s[0] | (char32_t{s[1]} << 8);
      ++i;
      if (u < 0x80) {
        *o++ = static_cast<unsigned char>(u);
      } else if (u < 0x800) {
        *o++ = static_cast<unsigned char>(0xC0 | (u >> 6));
        *o++ = static_cast<unsigned char>(0x80 | (u & 0x3F));
      } else if (u < 0xD800 || u > 0xDFFF) {
        *o++ = static_cast<unsigned char>(0xE0 | (u >> 12));
        *o++ = static_cast<unsigned char>(0x80 | ((u >> 6) & 0x3F));
        *o++ = static_cast<unsigned char>(0x80 | (u & 0x3F));
      } else {
        const char32_t low = i < units ? (in[2 * i] | (char32_t{in[2 * i + 1]} << 8)) : 0;
        if (u > 0xDBFF || low < 0xDC00 || low > 0xDFFF) {
          out->resize(old_size);
          return false;
        }
        ++i;
        const char32_t c = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
        *o++ = static_cast<unsigned char>(0xF0 | (c >> 18));
        *o++ = static_cast<unsigned char>(0x80 | ((c >> 12) & 0x3F));
        *o++ = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
        *o++ = static_cast<unsigned char>(0x80 | (c & 0x3F));
      }
    }
    written += static_cast<std::size_t>(o - step_base);
    out->resize(written);
  }
  return true;
}

}  // namespace xmlsecdb

#include "platform/utf.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace xmlsecdb {
namespace {

// Database text is almost all ASCII, so every loop takes runs of ASCII a
// block at a time (SSE2 where the target has it) before decoding one
// character.
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// Units converted per step of Utf16LEToUtf8. The output grows a step at a
// time so that a 100 MB file does not need a worst-case (three bytes per
// unit) buffer.
constexpr std::size_t kChunkUnits = 1 << 14;

inline std::uint64_t Load64(const unsigned char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

// Widens ASCII from `*in` to UTF-16LE at `*out` sixteen bytes at a time
// while it lasts, advancing both; stops before the first block that holds a
// non-ASCII byte or that would pass `end`.
inline void WidenAsciiBlocks(const unsigned char** in, const unsigned char* end,
                             unsigned char** out) {
  const unsigned char* p = *in;
  unsigned char* o = *out;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  while (end - p >= 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    if (_mm_movemask_epi8(bytes) != 0) break;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm_unpacklo_epi8(bytes, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 16), _mm_unpackhi_epi8(bytes, zero));
    p += 16;
    o += 32;
  }
#else
  while (end - p >= 8 && (Load64(p) & kHighBits) == 0) {
    for (int i = 0; i < 8; ++i) {
      o[2 * i] = p[i];
      o[2 * i + 1] = 0;
    }
    p += 8;
    o += 16;
  }
#endif
  *in = p;
  *out = o;
}

// Narrows UTF-16LE units below U+0080 from `*in` to `*out` while they last,
// advancing both; stops before the first block that holds another unit or
// that would pass `end`.
inline void NarrowAsciiBlocks(const unsigned char** in, const unsigned char* end,
                              unsigned char** out) {
  const unsigned char* p = *in;
  unsigned char* o = *out;
#if defined(__SSE2__)
  const __m128i non_ascii = _mm_set1_epi16(static_cast<short>(0xFF80));
  const __m128i zero = _mm_setzero_si128();
  while (end - p >= 32) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
    const __m128i high = _mm_and_si128(_mm_or_si128(a, b), non_ascii);
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(high, zero)) != 0xFFFF) break;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm_packus_epi16(a, b));
    p += 32;
    o += 16;
  }
#else
  // Four UTF-16LE units loaded as one native word are all below U+0080 when
  // these bits are clear: the high byte of each unit and bit 7 of the low byte.
  constexpr std::uint64_t kNonAsciiUnitBits =
      std::endian::native == std::endian::little ? 0xFF80FF80FF80FF80ull : 0x80FF80FF80FF80FFull;
  while (end - p >= 8 && (Load64(p) & kNonAsciiUnitBits) == 0) {
    o[0] = p[0];
    o[1] = p[2];
    o[2] = p[4];
    o[3] = p[6];
    p += 8;
    o += 4;
  }
#endif
  *in = p;
  *out = o;
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
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  const auto* const end = p + utf8.size();
  while (true) {
    WidenAsciiBlocks(&p, end, &o);
    if (p == end) break;
    if (*p < 0x80) {
      o[0] = *p++;
      o[1] = 0;
      o += 2;
      continue;
    }
    char32_t c;
    const int length =
        DecodeUtf8Char(reinterpret_cast<const char*>(p), reinterpret_cast<const char*>(end), &c);
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
  const auto* p = static_cast<const unsigned char*>(data);
  const auto* const end = p + byte_count;
  const std::size_t old_size = out->size();
  // Exact for ASCII text, plus room for the last step's worst case so that
  // the common case never reallocates.
  const std::size_t units = byte_count / 2;
  out->reserve(old_size + units + 3 * (std::min(kChunkUnits, units) + 1));

  while (p < end) {
    const auto* const step_end = p + 2 * std::min<std::size_t>(kChunkUnits, (end - p) / 2);
    std::size_t written = out->size();
    // Three bytes per unit of the step, plus one: only a pair that begins at
    // the step's last unit reads past it, and it writes four bytes.
    out->resize(written + 3 * ((step_end - p) / 2 + 1));
    auto* o = reinterpret_cast<unsigned char*>(out->data()) + written;
    auto* const step_base = o;
    while (true) {
      NarrowAsciiBlocks(&p, step_end, &o);
      if (p >= step_end) break;
      const char32_t u = p[0] | (char32_t{p[1]} << 8);
      p += 2;
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
        const char32_t low = p < end ? (p[0] | (char32_t{p[1]} << 8)) : 0;
        if (u > 0xDBFF || low < 0xDC00 || low > 0xDFFF) {
          out->resize(old_size);
          return false;
        }
        p += 2;
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

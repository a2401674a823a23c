#include "core/number_text.h"

#include <limits>

#include "core/ascii.h"

namespace xmlsecdb {
namespace {

// The value of `c` as a digit in `base` (10 or 16), or -1.
int DigitValue(char c, int base) {
  const int value = HexDigitValue(c);
  return value < base ? value : -1;
}

// Skips leading blanks and one sign; returns true for "-".
bool SkipBlanksAndSign(std::string_view text, std::size_t* i) {
  while (*i < text.size() && IsAsciiBlank(text[*i])) ++*i;
  bool negative = false;
  if (*i < text.size() && (text[*i] == '-' || text[*i] == '+')) {
    negative = text[*i] == '-';
    ++*i;
  }
  return negative;
}

// The magnitude of the digits at `i`, clamped at `limit` so that it never
// overflows.
std::uint64_t ReadMagnitude(std::string_view text, std::size_t i, int base, std::uint64_t limit) {
  std::uint64_t value = 0;
  for (; i < text.size(); ++i) {
    int digit = DigitValue(text[i], base);
    if (digit < 0) break;
    value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    if (value > limit) value = limit;
  }
  return value;
}

std::uint32_t ReadUnsigned(std::string_view text, int base) {
  std::size_t i = 0;
  bool negative = SkipBlanksAndSign(text, &i);
  if (base == 16 && i + 1 < text.size() && text[i] == '0' &&
      (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    i += 2;
  }
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
  std::uint64_t value = ReadMagnitude(text, i, base, kMax + 1);
  if (value > kMax) return static_cast<std::uint32_t>(kMax);
  std::uint32_t result = static_cast<std::uint32_t>(value);
  return negative ? 0u - result : result;
}

}  // namespace

std::int32_t ReadDecimal(std::string_view text) {
  std::size_t i = 0;
  bool negative = SkipBlanksAndSign(text, &i);
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int64_t kLimit = kMax + 1;  // magnitude of the minimum
  std::int64_t value = static_cast<std::int64_t>(ReadMagnitude(text, i, 10, kLimit));
  if (negative) return static_cast<std::int32_t>(-value);
  return static_cast<std::int32_t>(value > kMax ? kMax : value);
}

std::uint32_t ReadUnsignedDecimal(std::string_view text) { return ReadUnsigned(text, 10); }

std::uint32_t ReadHex(std::string_view text) { return ReadUnsigned(text, 16); }

}  // namespace xmlsecdb

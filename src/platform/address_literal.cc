#include "platform/address_literal.h"

#include <cstdint>
#include <optional>

namespace xmlsecdb {
namespace {

bool IsScanBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int DigitValue(char c, int base) {
  int value = -1;
  if (c >= '0' && c <= '9') value = c - '0';
  if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value < base ? value : -1;
}

// A number whose magnitude does not fit 32 bits: no such number is a valid
// address part.
constexpr std::uint64_t kOutOfRange = ~std::uint64_t{0};

// Reads text as the scanner's number conversions and literal characters
// do, from the start on.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  // Blanks, then end of input: the scanner's "input failure".
  bool AtEnd() {
    while (at_ < text_.size() && IsScanBlank(text_[at_])) ++at_;
    return at_ == text_.size();
  }

  // The value taken as an unsigned 32-bit number, or nullopt when no digit
  // is there (a matching failure).
  std::optional<std::uint64_t> Number(int base) {
    std::size_t at = at_;
    while (at < text_.size() && IsScanBlank(text_[at])) ++at;
    bool negative = false;
    if (at < text_.size() && (text_[at] == '+' || text_[at] == '-')) {
      negative = text_[at] == '-';
      ++at;
    }
    if (base == 16 && at + 2 < text_.size() && text_[at] == '0' &&
        (text_[at + 1] == 'x' || text_[at + 1] == 'X') && DigitValue(text_[at + 2], 16) >= 0) {
      at += 2;
    }
    std::uint64_t magnitude = 0;
    const std::size_t first = at;
    for (; at < text_.size() && DigitValue(text_[at], base) >= 0; ++at) {
      if (magnitude <= 0xFFFFFFFFu) magnitude = magnitude * base + DigitValue(text_[at], base);
    }
    if (at == first) return std::nullopt;
    at_ = at;
    if (magnitude > 0xFFFFFFFFu) return kOutOfRange;
    return negative ? ((std::uint64_t{1} << 32) - magnitude) & 0xFFFFFFFFu : magnitude;
  }

  bool Literal(char c) {
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
};

bool IsDottedQuad(std::string_view text) {
  Scanner scan(text);
  for (int part = 0; part < 4; ++part) {
    if (part > 0 && !scan.Literal('.')) return false;
    const std::optional<std::uint64_t> value = scan.Number(10);
    if (!value || *value >= 256) return false;
  }
  return true;
}

// What the scanner answers for "%x:%x:%x:%x:%x:%x:%x:%x": the number of
// groups read, or -1 when the text ends (blanks aside) before the first.
int HexGroupsRead(std::string_view text) {
  Scanner scan(text);
  if (scan.AtEnd()) return -1;
  int groups = 0;
  for (; groups < 8; ++groups) {
    if (groups > 0 && !scan.Literal(':')) break;
    if (!scan.Number(16)) break;
  }
  return groups;
}

}  // namespace

AddressLiteralKind ClassifyAddressLiteral(std::string_view text) {
  if (IsDottedQuad(text)) return kIPv4Literal;
  const std::size_t gap = text.find("::");
  if (gap == std::string_view::npos) {
    return HexGroupsRead(text) == 8 ? kIPv6FullLiteral : kNotAddressLiteral;
  }
  const int before = HexGroupsRead(text.substr(0, gap));
  const int after = HexGroupsRead(text.substr(gap + 2));
  return 8 - before - after >= 1 ? kIPv6GapLiteral : kNotAddressLiteral;
}

}  // namespace xmlsecdb

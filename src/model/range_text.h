// The text forms of number ranges that rules and transport items carry:
// port ranges (`locport`, `remport`) and ranges of IP protocol numbers
// (`prot_num`).
//
// Ports: "*" is 0 to 65535; one number n is n to n; "n-m" is n to m. Files
// of the IDS kind may invert a range with a leading "!" ("!1-1023") and
// may start a range with a negative number; the firewall's have neither
// (PortSyntax). Numbers read as ReadDecimal reads them, without a range
// check: leading digits, trailing text ignored, 0 without digits.
//
// Protocol numbers: a range of two 16-bit numbers packed in one value, the
// first in the low half and the last in the high half; one number n below
// 65536 is the range n to n (n × 65537), a larger one is stored as it is.
//
// Stateless; callable from any thread.
#ifndef XMLSECDB_MODEL_RANGE_TEXT_H_
#define XMLSECDB_MODEL_RANGE_TEXT_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace xmlsecdb {

struct PortRange {
  std::int32_t from = 0;
  std::int32_t to = 65535;
  bool inverted = false;
  friend constexpr bool operator==(const PortRange&, const PortRange&) = default;
};

enum class PortSyntax {
  kPlain,       // "*", "n", "n-m"; the separator is the first "-"
  kInvertible,  // the same after an optional "!"; the separator is the
                // first "-" after the first character (a negative first number)
};

PortRange ReadPortRange(std::string_view text, PortSyntax syntax);

// The written form of a range: "*" for 0 to 65535 not inverted; otherwise
// "[!]n" when both ends are equal, else "[!]n-m". Held in the object, so
// that writers allocate nothing per range.
class PortRangeText {
 public:
  explicit PortRangeText(const PortRange& ports);
  std::string_view view() const { return {text_, size_}; }

 private:
  char text_[32];
  std::size_t size_ = 0;
};

// `prot_num` read: without "-", n below 65536 gives n × 65537 and a larger
// n itself; with "-", the number before it plus the number after it times
// 65536 (modulo 2^32).
std::int32_t ReadProtocolNumbers(std::string_view text);

// `prot_num` written: "n" when both halves are equal, else "low-high".
class ProtocolNumbersText {
 public:
  explicit ProtocolNumbersText(std::int32_t packed);
  std::string_view view() const { return {text_, size_}; }

 private:
  char text_[16];
  std::size_t size_ = 0;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_RANGE_TEXT_H_

#include "model/range_text.h"

#include <charconv>

#include "core/number_text.h"

namespace xmlsecdb {

PortRange ReadPortRange(std::string_view text, PortSyntax syntax) {
  PortRange ports;
  if (text == "*") return ports;
  std::size_t search_from = 0;
  if (syntax == PortSyntax::kInvertible) {
    if (!text.empty() && text.front() == '!') {
      ports.inverted = true;
      text.remove_prefix(1);
    }
    search_from = 1;
  }
  std::size_t dash = text.find('-', search_from);
  if (dash == std::string_view::npos) {
    ports.from = ports.to = ReadDecimal(text);
  } else {
    ports.from = ReadDecimal(text.substr(0, dash));
    ports.to = ReadDecimal(text.substr(dash + 1));
  }
  return ports;
}

PortRangeText::PortRangeText(const PortRange& ports) {
  if (!ports.inverted && ports.from == 0 && ports.to == 65535) {
    text_[0] = '*';
    size_ = 1;
    return;
  }
  char* at = text_;
  char* end = text_ + sizeof text_;
  if (ports.inverted) *at++ = '!';
  at = std::to_chars(at, end, ports.from).ptr;
  if (ports.to != ports.from) {
    *at++ = '-';
    at = std::to_chars(at, end, ports.to).ptr;
  }
  size_ = static_cast<std::size_t>(at - text_);
}

std::int32_t ReadProtocolNumbers(std::string_view text) {
  std::size_t dash = text.find('-');
  if (dash == std::string_view::npos) {
    const std::int32_t n = ReadDecimal(text);
    if (n >= 65536) return n;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(n) * 65537u);
  }
  const auto first = static_cast<std::uint32_t>(ReadDecimal(text.substr(0, dash)));
  const auto last = static_cast<std::uint32_t>(ReadDecimal(text.substr(dash + 1)));
  return static_cast<std::int32_t>(first + last * 65536u);
}

ProtocolNumbersText::ProtocolNumbersText(std::int32_t packed) {
  const auto bits = static_cast<std::uint32_t>(packed);
  const std::int32_t low = static_cast<std::int32_t>(bits & 0xFFFFu);
  const std::int32_t high = static_cast<std::int32_t>(bits >> 16);
  char* at = text_;
  char* end = text_ + sizeof text_;
  at = std::to_chars(at, end, low).ptr;
  if (high != low) {
    *at++ = '-';
    at = std::to_chars(at, end, high).ptr;
  }
  size_ = static_cast<std::size_t>(at - text_);
}

}  // namespace xmlsecdb

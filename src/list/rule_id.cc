#include "list/rule_id.h"

#include "core/number_text.h"

namespace xmlsecdb {

HRESULT ParseRuleID(std::string_view text, std::int32_t* id) {
  if (text.empty()) return E_POINTER;
  char first = text[0];
  if (first < 'A' || first > 'Z') {
    *id = ReadDecimal(text);
    return S_OK;
  }
  bool positive = text.size() > 1 && text[1] == 'S';
  std::string_view number = text.substr(positive ? 2 : 1);
  auto low = static_cast<std::uint32_t>(ReadDecimal(number)) & 0xFFFFu;
  std::uint32_t bits = (static_cast<std::uint32_t>(first) << 24) | low;
  // The top byte is a capital letter, below 0x80, so the value is positive
  // and its negation cannot overflow.
  auto value = static_cast<std::int32_t>(bits);
  *id = positive ? value : -value;
  return S_OK;
}

std::string FormatRuleID(std::int32_t id) { return std::to_string(id); }

}  // namespace xmlsecdb

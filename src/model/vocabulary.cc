#include "model/vocabulary.h"

#include <charconv>

#include "core/ascii.h"
#include "core/number_text.h"

namespace xmlsecdb {
namespace {

constexpr std::string_view kSeverityPrefix = "Severity";

// The older audit-level words. They are matched exactly in every kind; only
// the "Severity" prefix follows the kind's case rule.
constexpr Spelling<EAuditLevel> kAuditLevelWords[] = {
    {AL_IGNORE, "Ignore"}, {AL_MONITOR, "Monitor"}, {AL_SEVERITY_2, "Alert"}};
constexpr Vocabulary<EAuditLevel> kAuditLevelWordSet{.words = kAuditLevelWords};

}  // namespace

bool TextEquals(std::string_view a, std::string_view b, TextCase text_case) {
  if (text_case == TextCase::kSensitive) return a == b;
  return EqualsIgnoringAsciiCase(a, b);
}

std::optional<EAuditLevel> AuditLevelFromText(std::string_view text, TextCase prefix_case) {
  if (text.size() > kSeverityPrefix.size() &&
      TextEquals(text.substr(0, kSeverityPrefix.size()), kSeverityPrefix, prefix_case)) {
    // Read as the writer writes it ("%u"), so every level survives a round
    // trip: "Severity-1" and "Severity4294967295" are the same level.
    return static_cast<EAuditLevel>(
        static_cast<std::int32_t>(ReadUnsignedDecimal(text.substr(kSeverityPrefix.size()))));
  }
  return ValueFromText(kAuditLevelWordSet, text);
}

ReadStatus ReadAuditLevel(std::optional<std::string_view> text, TextCase prefix_case,
                          EAuditLevel* level) {
  if (!text) {
    *level = AL_IGNORE;
    return ReadStatus::kOk;
  }
  std::optional<EAuditLevel> found = AuditLevelFromText(*text, prefix_case);
  if (!found) return ReadStatus::kWrong;
  *level = *found;
  return ReadStatus::kOk;
}

std::string AuditLevelText(EAuditLevel level) {
  return std::string(kSeverityPrefix) + UnsignedDecimalText(static_cast<std::uint32_t>(level));
}

PairChoice ChoosePair(std::string_view direct_text, std::string_view by_id_text) {
  if (direct_text.empty()) return by_id_text.empty() ? PairChoice::kNeither : PairChoice::kById;
  return by_id_text.empty() ? PairChoice::kDirect : PairChoice::kBoth;
}

std::optional<std::string_view> AttributeFor(const AttributePair& pair, EAppType type) {
  if (type == AT_LABEL) return pair.direct;
  if (type == AT_DEFINITION) return pair.by_id;
  return std::nullopt;
}

std::optional<std::string_view> AttributeFor(const AttributePair& pair, ERefType type) {
  if (type == RT_DIRECT) return pair.direct;
  if (type == RT_DEFINITION) return pair.by_id;
  return std::nullopt;
}

bool FlagFromText(std::string_view text) { return text == "1" || text == "true"; }

std::optional<std::string_view> FlagText(bool set) {
  if (!set) return std::nullopt;
  return "1";
}

bool OnFlagFromText(std::string_view text) { return !(text == "0" || text == "false"); }

std::optional<std::string_view> OnFlagText(bool set) {
  if (set) return std::nullopt;
  return "0";
}

std::string UnsignedDecimalText(std::uint32_t value) {
  return std::string(DecimalText(value).view());
}

std::optional<std::string> ProcessIdText(std::uint32_t process_id) {
  if (process_id == 0) return std::nullopt;
  std::string digits(8, '0');
  for (int i = 0; i < 8; ++i) digits[7 - i] = kUpperHexDigits[(process_id >> (4 * i)) & 0xF];
  return digits;
}

std::optional<std::string> BitListText(std::uint32_t mask) {
  if (mask == 0) return std::nullopt;
  std::string text;
  for (int bit = 0; bit < 32; ++bit) {
    if ((mask & (std::uint32_t{1} << bit)) == 0) continue;
    if (!text.empty()) text += '|';
    text += DecimalText(bit + 1).view();
  }
  return text;
}

std::uint32_t BitListFromText(std::string_view text) {
  std::uint32_t mask = 0;
  while (true) {
    std::size_t bar = text.find('|');
    std::int32_t number = ReadDecimal(text.substr(0, bar));
    if (number != 0) {
      // Unsigned arithmetic: the piece may be any 32-bit number, and a
      // shift by 32 or more would be undefined.
      std::uint32_t bit = (static_cast<std::uint32_t>(number) - 1u) & 31u;
      mask |= std::uint32_t{1} << bit;
    }
    if (bar == std::string_view::npos) break;
    text.remove_prefix(bar + 1);
  }
  return mask;
}

std::optional<std::string_view> FreeText(std::string_view text) {
  if (text.empty()) return std::nullopt;
  return text;
}

}  // namespace xmlsecdb

#include "app/app_bit_names.h"

#include <bit>

#include "core/error_report.h"
#include "core/number_text.h"

namespace xmlsecdb {
namespace {

// Calls `part(text)` for each piece of `text` between `separator`s.
template <class Part>
void ForEachPart(std::string_view text, char separator, Part&& part) {
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(separator, start);
    part(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return;
    start = end + 1;
  }
}

}  // namespace

BitVocabulary::BitVocabulary(std::span<const BitName> names) : names_(names) {
  for (const BitName& name : names_) {
    if (std::has_single_bit(name.bit)) by_bit_[std::countr_zero(name.bit)] = name.name;
  }
}

std::string_view BitVocabulary::NameOf(std::uint32_t bit) const {
  return std::has_single_bit(bit) ? by_bit_[std::countr_zero(bit)] : std::string_view();
}

std::optional<std::uint32_t> BitVocabulary::BitOf(std::string_view name) const {
  for (const BitName& entry : names_) {
    if (entry.name == name) return entry.bit;
  }
  return std::nullopt;
}

const BitVocabulary& UsageVocabulary() {
  static const BitVocabulary words(kUsageNames);
  return words;
}
const BitVocabulary& SpecialAccessVocabulary() {
  static const BitVocabulary words(kSpecialAccessNames);
  return words;
}
const BitVocabulary& FoundByVocabulary() {
  static const BitVocabulary words(kFoundByNames);
  return words;
}

std::string BitNamesText(const BitVocabulary& words, std::uint32_t bits) {
  std::string text;
  for (std::uint32_t rest = bits; rest != 0; rest &= rest - 1) {
    const std::uint32_t bit = rest & (~rest + 1);
    if (!text.empty()) text += '|';
    const std::string_view name = words.NameOf(bit);
    if (name.empty()) {
      text += FormatText("0x%x", bit);
    } else {
      text += name;
    }
  }
  return text;
}

std::uint32_t BitsFromText(const BitVocabulary& words, std::string_view text) {
  std::uint32_t bits = 0;
  ForEachPart(text, '|', [&](std::string_view part) {
    const std::optional<std::uint32_t> bit = words.BitOf(part);
    bits |= bit ? *bit : ReadHex(part);
  });
  return bits;
}

std::string FoundByText(std::span<const std::uint32_t> alternatives) {
  std::string text;
  for (std::size_t i = 0; i < alternatives.size(); ++i) {
    if (i > 0) text += ';';
    text += BitNamesText(FoundByVocabulary(), alternatives[i]);
  }
  return text;
}

std::vector<std::uint32_t> FoundByFromText(std::string_view text) {
  std::vector<std::uint32_t> alternatives;
  ForEachPart(text, ';', [&](std::string_view part) {
    alternatives.push_back(BitsFromText(FoundByVocabulary(), part));
  });
  return alternatives;
}

}  // namespace xmlsecdb

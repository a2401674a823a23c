// The text form of a rule's bit fields (usage, special access, found by):
// the names of the set bits from the lowest to the highest, joined by "|",
// a bit without a name as "0x" and its value in lower-case hexadecimal.
// Reading splits at "|", looks each part up exactly (case-sensitive) and
// reads a part that is no name as a hexadecimal number ("0x" allowed;
// unreadable text gives 0); the values are ORed. A found-by list is one
// such text per alternative, joined by ";".
//
// Each vocabulary (app_words.h) is one BitVocabulary: a two-way lookup
// built once, when the component starts, from its name table.
#ifndef XMLSECDB_APP_APP_BIT_NAMES_H_
#define XMLSECDB_APP_APP_BIT_NAMES_H_

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_words.h"

namespace xmlsecdb {

class BitVocabulary {
 public:
  explicit BitVocabulary(std::span<const BitName> names);

  // The name of the single bit `bit`, or empty when it has none.
  std::string_view NameOf(std::uint32_t bit) const;
  // The bit named exactly `name`.
  std::optional<std::uint32_t> BitOf(std::string_view name) const;

 private:
  std::span<const BitName> names_;
  std::array<std::string_view, 32> by_bit_ = {};
};

const BitVocabulary& UsageVocabulary();
const BitVocabulary& SpecialAccessVocabulary();
const BitVocabulary& FoundByVocabulary();

std::string BitNamesText(const BitVocabulary& words, std::uint32_t bits);
std::uint32_t BitsFromText(const BitVocabulary& words, std::string_view text);

// `foundby`: the alternatives in order, each as a bit-name text.
std::string FoundByText(std::span<const std::uint32_t> alternatives);
std::vector<std::uint32_t> FoundByFromText(std::string_view text);

}  // namespace xmlsecdb

#endif  // XMLSECDB_APP_APP_BIT_NAMES_H_

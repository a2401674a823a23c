// Pieces of the rule comparisons that keep rule lists in order: each kind's
// Compare is a sequence of keys, and these are the keys several kinds
// share. A key gives -1, 0 or 1 (this rule first, equal, the other first);
// Keyed turns the first non-zero one into the comparison's signed result,
// whose magnitude names the key.
//
//   if (int o = OrderOf(a.order, b.order)) return Keyed(o, 1);
//   if (int o = CompareRuleTexts(a.app, a.app_type, b.app, b.app_type,
//                                PrefixOrder::kShorterFirst)) return Keyed(o, 2);
//
// Stateless; callable from any thread.
#ifndef XMLSECDB_MODEL_RULE_COMPARE_H_
#define XMLSECDB_MODEL_RULE_COMPARE_H_

#include <bit>
#include <cstdint>
#include <string_view>

namespace xmlsecdb {

class CAccessDescriptorList;

// -1, 0 or 1 as `a` is below, equal to or above `b`.
constexpr int OrderOf(std::int64_t a, std::int64_t b) { return a < b ? -1 : a > b ? 1 : 0; }

// The comparison result of a key of magnitude `key` that gave `order`.
constexpr std::int16_t Keyed(int order, std::int16_t key) {
  return order < 0 ? static_cast<std::int16_t>(-key) : key;
}

// The number of bits set in a condition mask.
constexpr int BitCount(std::int32_t mask) {
  return std::popcount(static_cast<std::uint32_t>(mask));
}

// Fewer bits set first.
constexpr int OrderByBitCount(std::int32_t a, std::int32_t b) {
  return OrderOf(BitCount(a), BitCount(b));
}

// "*" and the empty text stand for anything.
constexpr bool IsAnyText(std::string_view text) { return text.empty() || text == "*"; }

// Which of two texts goes first when one is the other's beginning (ASCII
// case aside).
enum class PrefixOrder { kLongerFirst, kShorterFirst };

// The order of two rule texts (paths, applications, assignments): a text
// that stands for anything is the least specific and goes after any other;
// then the smaller reference type first (RT_DIRECT before RT_DEFINITION;
// pass equal types for texts without one); then the texts compared byte by
// byte over the shorter length with ASCII letters folded; then `prefix`.
int CompareRuleTexts(std::string_view a, std::int32_t a_type, std::string_view b,
                     std::int32_t b_type, PrefixOrder prefix);

// The order of two rules' access descriptor lists (null: empty): member by
// member, access type, then result, then audit level; when one list is the
// other's beginning, the shorter first.
int CompareAccessLists(const CAccessDescriptorList* a, const CAccessDescriptorList* b);

// The ordering key of content filter rules, which the policy rules
// (anti-malware, sandbox, data inspection) share: a rule of any kind with
// these fields hands them over as one RuleOrderKey, and its Compare is
// CompareRuleOrderKeys of its own key and the other rule's.
struct RuleOrderKey {
  std::int32_t object_type;
  std::int32_t order;  // the precedence number
  std::string_view path;
  std::int32_t path_type;  // ERefType
  std::int32_t out_condition_and;
  std::int32_t out_condition_or;
  std::string_view assignment;
  const CAccessDescriptorList* access;  // nullptr: empty
};

// The comparison over that key. Keys, with the magnitude each gives:
// object type (1), precedence number (2), path (4), bits set in the
// out-condition AND mask (4) and OR mask (5), assignment (9), access
// descriptors (7). A path or assignment that is empty or "*" sorts after
// any other; a direct path (RT_DIRECT) sorts before one by definition ID;
// texts are compared ignoring ASCII case, and when one is a prefix of the
// other the longer comes first for direct texts (a directory before the
// shorter path that contains it), the shorter for IDs (the assignment
// counts as direct). Access descriptor lists compare as CompareAccessLists.
std::int16_t CompareRuleOrderKeys(const RuleOrderKey& a, const RuleOrderKey& b);

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_RULE_COMPARE_H_

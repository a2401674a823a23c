#include "model/rule_compare.h"

#include <algorithm>

#include "core/ascii.h"
#include "model/access_descriptor.h"
#include "xmlsecdb/enums.h"

namespace xmlsecdb {

int CompareRuleTexts(std::string_view a, std::int32_t a_type, std::string_view b,
                     std::int32_t b_type, PrefixOrder prefix) {
  const bool a_any = IsAnyText(a);
  const bool b_any = IsAnyText(b);
  if (a_any || b_any) return a_any == b_any ? 0 : a_any ? 1 : -1;
  if (a_type != b_type) return a_type < b_type ? -1 : 1;
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const auto x = static_cast<unsigned char>(FoldAscii(a[i]));
    const auto y = static_cast<unsigned char>(FoldAscii(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  const bool a_longer = a.size() > b.size();
  return (prefix == PrefixOrder::kLongerFirst) == a_longer ? -1 : 1;
}

std::int16_t CompareRuleOrderKeys(const RuleOrderKey& a, const RuleOrderKey& b) {
  if (int o = OrderOf(a.object_type, b.object_type)) return Keyed(o, 1);
  if (int o = OrderOf(a.order, b.order)) return Keyed(o, 2);
  if (int o = CompareRuleTexts(
          a.path, a.path_type, b.path, b.path_type,
          a.path_type == RT_DIRECT ? PrefixOrder::kLongerFirst : PrefixOrder::kShorterFirst)) {
    return Keyed(o, 4);
  }
  if (int o = OrderByBitCount(a.out_condition_and, b.out_condition_and)) return Keyed(o, 4);
  if (int o = OrderByBitCount(a.out_condition_or, b.out_condition_or)) return Keyed(o, 5);
  if (int o = CompareRuleTexts(a.assignment, RT_DIRECT, b.assignment, RT_DIRECT,
                               PrefixOrder::kLongerFirst)) {
    return Keyed(o, 9);
  }
  if (int o = CompareAccessLists(a.access, b.access)) return Keyed(o, 7);
  return 0;
}

int CompareAccessLists(const CAccessDescriptorList* a, const CAccessDescriptorList* b) {
  const std::int32_t a_count = a ? a->count() : 0;
  const std::int32_t b_count = b ? b->count() : 0;
  const std::int32_t common = std::min(a_count, b_count);
  for (std::int32_t i = 0; i < common; ++i) {
    const CAccessDescriptor& x = *a->at(i);
    const CAccessDescriptor& y = *b->at(i);
    if (int o = OrderOf(x.access_type(), y.access_type())) return o;
    if (int o = OrderOf(x.access_result(), y.access_result())) return o;
    if (int o = OrderOf(x.audit_level(), y.audit_level())) return o;
  }
  return OrderOf(a_count, b_count);
}

}  // namespace xmlsecdb

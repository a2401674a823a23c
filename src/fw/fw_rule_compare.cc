#include "fw/fw_rule_compare.h"

#include <algorithm>
#include <string>

#include "core/ascii.h"
#include "core/number_text.h"
#include "fw/fw_definition.h"
#include "fw/fw_rule_core.h"
#include "model/rule_compare.h"

namespace xmlsecdb {
namespace {

constexpr std::uint32_t kAllDays = 255;

std::uint32_t DayValue(std::string_view name) {
  static constexpr std::string_view kNames[] = {"mo", "tu", "we", "th", "fr", "sa", "su", "ho"};
  for (std::size_t i = 0; i < std::size(kNames); ++i) {
    if (EqualsIgnoringAsciiCase(name, kNames[i])) return 1u << i;
  }
  return kAllDays;
}

// The single-day bits from `first` up to `last` (values of DayValue).
std::uint32_t DayRange(std::uint32_t first, std::uint32_t last) {
  std::uint32_t mask = 0;
  for (std::uint32_t bit = 1; bit <= 128; bit <<= 1) {
    if (bit >= first && bit <= last) mask |= bit;
  }
  return mask;
}

std::int32_t MinutesOf(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return 0;
  const std::int64_t minutes =
      std::int64_t{ReadDecimal(text.substr(0, colon))} * 60 + ReadDecimal(text.substr(colon + 1));
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(minutes, 0, 1439));
}

// Calls `each(piece)` for the pieces of `text` between `separator`s.
template <class Each>
void ForEachPiece(std::string_view text, char separator, Each&& each) {
  for (;;) {
    const std::size_t at = text.find(separator);
    each(text.substr(0, at));
    if (at == std::string_view::npos) return;
    text.remove_prefix(at + 1);
  }
}

const CFWDefinition* OwnDefinition(std::string_view id, const RuleCompareContext& context) {
  return static_cast<const CFWDefinition*>(context.FindDefinition(id));
}

// Calls `each(content)` for the items of `definition`.
template <class Each>
void ForEachContent(const CFWDefinition& definition, Each&& each) {
  const CFWItemList& items = *definition.items();
  for (std::int32_t i = 0; i < items.count(); ++i) each(items.at(i)->transport().content);
}

// The master's definition `id` of type "time", when the master is a
// firewall parser too (its items are firewall items).
const CFWDefinition* MasterTimeDefinition(std::string_view id, const RuleCompareContext& context) {
  const ListItemBase* found = context.FindMasterDefinition(id);
  if (!found) return nullptr;
  ComPtr<IDefinition> definition;
  if (Failed(const_cast<ListItemBase*>(found)->unknown_self()->QueryInterface(definition.Put())))
    return nullptr;
  std::int32_t type = 0;
  if (Failed(definition->get_ObjectType(&type)) || type != OT_TIME) return nullptr;
  ComPtr<IDispatch> items;
  if (Failed(definition->get_ItemList(items.Put())) || !items) return nullptr;
  ComPtr<IFWItemList> fw_items;
  if (Failed(items->QueryInterface(fw_items.Put()))) return nullptr;
  return static_cast<const CFWDefinition*>(found);
}

int CompareApplications(const FWRuleCore& a, const FWRuleCore& b) {
  const std::string_view x = a.text(PolicyRuleCore::kApplication);
  const std::string_view y = b.text(PolicyRuleCore::kApplication);
  const bool x_any = IsAnyText(x);
  const bool y_any = IsAnyText(y);
  if (x_any != y_any) return x_any ? 1 : -1;
  if (int o = OrderOf(a.fields().app_type, b.fields().app_type)) return o;
  // Two texts for anything compare as texts too.
  if (x_any) return OrderOf(x.size(), y.size());
  return CompareRuleTexts(x, 0, y, 0, PrefixOrder::kShorterFirst);
}

int CompareTransportsOf(const FWRuleCore& a, const FWRuleCore& b,
                        const RuleCompareContext& context) {
  const FWTransport* x = TransportOf(a.fw_fields().transport_type,
                                     a.fw_text(FWRuleCore::kTransportId), a.transport(), context);
  const FWTransport* y = TransportOf(b.fw_fields().transport_type,
                                     b.fw_text(FWRuleCore::kTransportId), b.transport(), context);
  if (!x || !y) return 0;
  return OrderOf(CompareTransports(*x, *y), 0);
}

int CompareAddressesOf(const FWRuleCore& a, const FWRuleCore& b, FWRuleCore::AddressSlot slot,
                       const RuleCompareContext& context) {
  return CompareAddressSets(
      AddressesOf(a.fw_fields().address_type[slot], a.fw_text(slot), context),
      AddressesOf(b.fw_fields().address_type[slot], b.fw_text(slot), context));
}

int CompareTimesOf(const FWRuleCore& a, const FWRuleCore& b, const RuleCompareContext& context) {
  const std::string_view x = a.text(PolicyRuleCore::kTimeOfDay);
  const std::string_view y = b.text(PolicyRuleCore::kTimeOfDay);
  if (x.empty() && y.empty()) return 0;  // the common case, without a look-up
  return CompareTimeOfDay(TimeOfDayOf(a.fields().time_of_day_type, x, context),
                          TimeOfDayOf(b.fields().time_of_day_type, y, context));
}

int CompareAssignments(const FWRuleCore& a, const FWRuleCore& b) {
  return CompareRuleTexts(a.text(PolicyRuleCore::kAssignment), 0,
                          b.text(PolicyRuleCore::kAssignment), 0, PrefixOrder::kLongerFirst);
}

}  // namespace

std::uint32_t DayMaskOf(std::string_view days) {
  std::uint32_t mask = 0;
  ForEachPiece(days, ',', [&](std::string_view name) {
    const std::size_t dash = name.find('-');
    if (dash == std::string_view::npos) {
      mask |= DayValue(name);
    } else {
      mask |= DayRange(DayValue(name.substr(0, dash)), DayValue(name.substr(dash + 1)));
    }
  });
  return mask;
}

void AppendTimeOfDay(std::string_view text, std::vector<TimeOfDayEntry>* entries) {
  ForEachPiece(text, '|', [&](std::string_view entry) {
    const std::size_t hash = entry.find('#');
    if (hash == std::string_view::npos) return;
    const std::string_view times = entry.substr(hash + 1);
    const std::size_t dash = times.find('-');
    std::int32_t start = 0;
    std::int32_t end = 0;
    if (dash != std::string_view::npos) {
      start = MinutesOf(times.substr(0, dash));
      end = MinutesOf(times.substr(dash + 1));
    }
    if (start > end) start = end;
    entries->push_back({DayMaskOf(entry.substr(0, hash)), start, end});
  });
}

int CompareTimeOfDay(const std::vector<TimeOfDayEntry>& a, const std::vector<TimeOfDayEntry>& b) {
  if (a.empty() || b.empty()) return a.empty() == b.empty() ? 0 : a.empty() ? 1 : -1;
  for (const TimeOfDayEntry& x : a) {
    for (const TimeOfDayEntry& y : b) {
      if (x.days != y.days || x == y) continue;
      if (x.start >= y.start && x.end <= y.end) return -1;
      if (y.start >= x.start && y.end <= x.end) return 1;
    }
  }
  return 0;
}

void AddressSetClass::Add(std::string_view entry) {
  ++entries;
  if (entry == "*") lone_any = true;
  const bool is_range = entry.find('-') != std::string_view::npos;
  const bool is_mask = entry.find('/') != std::string_view::npos;
  range |= is_range;
  mask |= is_mask;
  single |= !is_range && !is_mask;
}

int CompareAddressSets(const AddressSetClass& a, const AddressSetClass& b) {
  if (a.any() || b.any()) return a.any() == b.any() ? 0 : a.any() ? 1 : -1;
  if (a.single != b.single) return a.single ? -1 : 1;
  if (a.range != b.range) return a.range ? -1 : 1;
  if (a.mask != b.mask) return a.mask ? -1 : 1;
  return 0;
}

const FWTransport* TransportOf(std::int32_t type, std::string_view id, const FWTransport& inline_,
                               const RuleCompareContext& context) {
  if (type == RT_DIRECT) return &inline_;
  if (type != RT_DEFINITION) return nullptr;
  const CFWDefinition* definition = OwnDefinition(id, context);
  if (!definition || definition->object_type() != OT_FW_TRANS) return nullptr;
  const CFWItemList& items = *definition->items();
  return items.count() > 0 ? &items.at(0)->transport() : nullptr;
}

AddressSetClass AddressesOf(std::int32_t type, std::string_view text,
                            const RuleCompareContext& context) {
  AddressSetClass set;
  if (type != RT_DEFINITION) {
    if (!text.empty()) set.Add(text);
    return set;
  }
  if (const CFWDefinition* definition = OwnDefinition(text, context)) {
    ForEachContent(*definition, [&](const std::string& content) { set.Add(content); });
  }
  return set;
}

std::vector<TimeOfDayEntry> TimeOfDayOf(std::int32_t type, std::string_view text,
                                        const RuleCompareContext& context) {
  std::vector<TimeOfDayEntry> entries;
  if (type != RT_DEFINITION) {
    AppendTimeOfDay(text, &entries);
    return entries;
  }
  const CFWDefinition* definition = OwnDefinition(text, context);
  if (!definition) definition = MasterTimeDefinition(text, context);
  if (definition && definition->object_type() == OT_TIME) {
    ForEachContent(*definition,
                   [&](const std::string& content) { AppendTimeOfDay(content, &entries); });
  }
  return entries;
}

std::int16_t CompareFWRules(const FWRuleCore& a, const FWRuleCore& b,
                            const RuleCompareContext& context) {
  if (int o = OrderOf(a.fields().precedence.order(), b.fields().precedence.order()))
    return Keyed(o, 1);
  if (int o = CompareApplications(a, b)) return Keyed(o, 2);
  if (int o = CompareTransportsOf(a, b, context)) return Keyed(o, 3);
  if (int o = CompareAddressesOf(a, b, FWRuleCore::kRemote, context)) return Keyed(o, 4);
  if (int o = CompareAddressesOf(a, b, FWRuleCore::kLocal, context)) return Keyed(o, 5);
  if (int o = OrderOf(a.fields().account, b.fields().account)) return Keyed(o, 6);
  if (int o = OrderByBitCount(a.fields().out_condition_and, b.fields().out_condition_and))
    return Keyed(o, 7);
  if (int o = OrderByBitCount(a.fields().out_condition_or, b.fields().out_condition_or))
    return Keyed(o, 8);
  if (int o = CompareTimesOf(a, b, context)) return Keyed(o, 9);
  if (int o = CompareAssignments(a, b)) return Keyed(o, 10);
  if (int o = OrderByBitCount(a.fw_fields().zone, b.fw_fields().zone)) return Keyed(o, 11);
  if (int o = CompareAccessLists(a.access_list_if_any(), b.access_list_if_any()))
    return Keyed(o, 12);
  return 0;
}

std::int16_t CompareRoutedRules(const FWRuleCore& a, const FWRuleCore& b,
                                const RuleCompareContext& context) {
  if (int o = OrderOf(a.fields().precedence.order(), b.fields().precedence.order()))
    return Keyed(o, 1);
  if (int o = CompareTransportsOf(a, b, context)) return Keyed(o, 3);
  if (int o = CompareAddressesOf(a, b, FWRuleCore::kRemote, context)) return Keyed(o, 4);
  if (int o = CompareAddressesOf(a, b, FWRuleCore::kLocal, context)) return Keyed(o, 5);
  if (int o = OrderByBitCount(a.fields().out_condition_and, b.fields().out_condition_and))
    return Keyed(o, 7);
  if (int o = OrderByBitCount(a.fields().out_condition_or, b.fields().out_condition_or))
    return Keyed(o, 8);
  if (int o = CompareTimesOf(a, b, context)) return Keyed(o, 9);
  if (int o = CompareAssignments(a, b)) return Keyed(o, 10);
  if (int o = CompareAccessLists(a.access_list_if_any(), b.access_list_if_any()))
    return Keyed(o, 12);
  return 0;
}

}  // namespace xmlsecdb

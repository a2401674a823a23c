// The comparisons that keep the firewall's rule lists in order, and the
// pieces they are made of: the time-of-day text, the classes of address
// sets, and the look-up of the definitions a rule names.
//
// Time of day: entries joined by "|", each "<days>#<start>-<end>"; an
// entry without "#" is ignored. Days are names joined by ","; a name is
// "Mo" to "Su" or "Ho" (bits 1 to 128, ASCII case ignored), anything else
// stands for all eight bits (255). "A-B" takes every single-day bit from
// A's value up to B's: so a range ending in an unknown name runs to "Ho"
// (bit 128) and no further, and one starting with an unknown name (or
// after its end) takes nothing. Times are "h:m", in minutes clamped to 0
// to 1439; a missing "-" or ":" leaves 0; a start after the end is set to
// the end.
//
// The comparisons are not strict weak orders: containment of times and
// the classes of address sets are not transitive. Whatever sorts or places
// rules with them must not rely on transitivity (list/rule_list.h).
//
// Stateless; callable from the parser's thread.
#ifndef XMLSECDB_FW_FW_RULE_COMPARE_H_
#define XMLSECDB_FW_FW_RULE_COMPARE_H_

#include <cstdint>
#include <string_view>
#include <vector>

#include "fw/fw_transport.h"
#include "list/compare_context.h"

namespace xmlsecdb {

class FWRuleCore;

struct TimeOfDayEntry {
  std::uint32_t days;  // the day mask, 0 to 255
  std::int32_t start;  // minutes
  std::int32_t end;
  friend bool operator==(const TimeOfDayEntry&, const TimeOfDayEntry&) = default;
};

// The day mask of the part before "#".
std::uint32_t DayMaskOf(std::string_view days);
// Appends the entries of `text` to `entries`.
void AppendTimeOfDay(std::string_view text, std::vector<TimeOfDayEntry>* entries);
// -1 when `a` goes first: a rule without entries after one with; then the
// first entry of `a` that lies inside a differing entry of `b` with the
// same days (-1), or contains one (1), in the order a's entries and then
// b's are walked.
int CompareTimeOfDay(const std::vector<TimeOfDayEntry>& a, const std::vector<TimeOfDayEntry>& b);

// What an address set holds: nothing or a lone "*" (any), and entries of
// single addresses, ranges ("-") and masks ("/").
struct AddressSetClass {
  std::int32_t entries = 0;
  bool lone_any = false;
  bool single = false;
  bool range = false;
  bool mask = false;
  void Add(std::string_view entry);
  bool any() const { return entries == 0 || (entries == 1 && lone_any); }
};
// -1 when `a` goes first: any set last; then single addresses before none,
// ranges before none, masks before none.
int CompareAddressSets(const AddressSetClass& a, const AddressSetClass& b);

// What a rule names through `context`: its transport (the inline one, or
// the first item of an "iptransport" definition; nullptr when there is
// none), an address set (the text, or the definition's item texts) and the
// time entries (the text, or the items of a "time" definition of the
// parser or, failing that, of its master).
const FWTransport* TransportOf(std::int32_t type, std::string_view id, const FWTransport& inline_,
                               const RuleCompareContext& context);
AddressSetClass AddressesOf(std::int32_t type, std::string_view text,
                            const RuleCompareContext& context);
std::vector<TimeOfDayEntry> TimeOfDayOf(std::int32_t type, std::string_view text,
                                        const RuleCompareContext& context);

// The application rules' order: order (1), application (2), transport
// (3), remote (4) and local (5) addresses, account (6), out-condition bit
// counts (7, 8), time of day (9), assignment (10), zone bit count (11),
// access descriptor (12).
std::int16_t CompareFWRules(const FWRuleCore& a, const FWRuleCore& b,
                            const RuleCompareContext& context);
// The routed rules' order: order (1), transport (3), remote (4) and LAN
// (5) addresses, out-condition bit counts (7, 8), time of day (9),
// assignment (10), access descriptor (12).
std::int16_t CompareRoutedRules(const FWRuleCore& a, const FWRuleCore& b,
                                const RuleCompareContext& context);

}  // namespace xmlsecdb

#endif  // XMLSECDB_FW_FW_RULE_COMPARE_H_

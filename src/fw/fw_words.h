// How firewall files spell what the shared sections read: `AccessDesc`,
// the guard of `AppItem`, the failure texts of `ConditionSwitch` and
// `RuleSet`. The firewall's rules and definitions are not read yet; these
// are the settings they take.
#ifndef XMLSECDB_FW_FW_WORDS_H_
#define XMLSECDB_FW_FW_WORDS_H_

#include "model/access_descriptor_xml.h"
#include "model/app_exception_section.h"
#include "model/condition_switch_xml.h"
#include "model/global_option_names.h"
#include "model/rule_set_section.h"

namespace xmlsecdb {

// `at` is written as "NetworkAccess" and not read; `ar` and `al` are
// required. A firewall rule owns a single descriptor, so its section reads
// with ReadAccessDescFields and applies the result and audit level.
inline constexpr AccessDescConfig kFWAccessDesc = {
    .write_full_mask = false,
    .fixed_at = "NetworkAccess",
    .audit_prefix_case = TextCase::kSensitive,
    .missing_ar = " Missing AccessDesc AR.",
    .wrong_ar = " Wrong AccessDesc AR.",
    .missing_al = " Missing AccessDesc AL.",
    .wrong_al = " Wrong AccessDesc AL.",
};

inline constexpr ConditionSwitchConfig kFWConditionSwitch = {
    " Missing ConditionSwitch type", " Wrong ConditionSwitch type",
    " Missing ConditionSwitch target.", " Wrong ConditionSwitch target."};

// The guard: its run of the shared guard table, and the full mask.
inline constexpr auto kFirewallGuards = std::span(kGuardNamesInWriteOrder).subspan<8, 1>();
inline constexpr std::uint32_t kFirewallFullMask = 0x400;
static_assert(MaskOf(kFirewallGuards) == kFirewallFullMask);

inline constexpr AppItemVocabulary kFWExceptionItems = {kFirewallGuards,
                                                        kFirewallFullMask,
                                                        kFirewallFullMask,
                                                        " The appitem app or app_id must be used.",
                                                        " Wrong appitem priority.",
                                                        true};

inline constexpr RuleSetSectionConfig kFWRuleSets = {" Missing RuleSet id.", true};

// The names of global options in firewall files.
// clang-format off
inline constexpr OptionName kFirewallOptionNames[] = {
    {"FWChangeSecurityAL", 0x00000001},
    {"ClosedPortAccessAL", 0x00000002},
    {"RoutedPortList", 0x0201000A},
    {"ZoneMode", 0x03000007},
    {"NatProcessingEn", 0x02000004},
    {"SafeZoneStealthEn", 0x00000005},
    {"DangZoneStealthEn", 0x00000006},
    {"PortScanAL", 0x00000003},
    {"PortScanDetTimeout", 0x04000008},
    {"PortScanDetParameter", 0x03000009},
    {"PortScanEn", 0x0200000B},
    {"InvalidNetworkPacketAL", 0x0000000C},
};
// clang-format on

}  // namespace xmlsecdb

#endif  // XMLSECDB_FW_FW_WORDS_H_

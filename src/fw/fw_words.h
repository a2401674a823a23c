// How firewall files spell their values: the transport fields of `Item`
// (and of the rules' inline transports), the definitions' object types,
// and what the shared sections read — `AccessDesc`, the guard of
// `AppItem`, the failure texts of `ConditionSwitch` and `RuleSet`, the
// names of global options; and the events of the firewall parser's lists.
//
// The firewall's handler takes the elements it knows by name wherever they
// stand, so every shared section is declared `by_name` here.
#ifndef XMLSECDB_FW_FW_WORDS_H_
#define XMLSECDB_FW_FW_WORDS_H_

#include "model/access_descriptor_xml.h"
#include "model/app_exception_section.h"
#include "model/condition_switch_xml.h"
#include "model/definitions_section.h"
#include "model/global_option_names.h"
#include "model/globals_section.h"
#include "model/rule_set_section.h"
#include "model/vocabulary.h"
#include "xmlsecdb/fw.h"
#include "xmlsecdb/fw_rules.h"

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

// ---------------------------------------------------------------------------
// Transport fields (`Item`, and the inline transports of rules).

// `dir`: absent keeps the default.
inline constexpr Vocabulary<EDirection> kFWDirection{.words = kDirectionWords, .if_absent = DIR_IN};

// `prot`: PROT_IP and PROT_TCP_S have no word, so a save leaves the
// attribute out and a load gives tcp.
inline constexpr Spelling<EProtocol> kFWProtocolWords[] = {
    {PROT_TCP, "tcp"},   {PROT_UDP, "udp"},     {PROT_TCP_UDP, "tcp_udp"},
    {PROT_ICMP, "icmp"}, {PROT_OTHER, "other"}, {PROT_ALL, "*"}};
inline constexpr Vocabulary<EProtocol> kFWProtocol{.words = kFWProtocolWords,
                                                   .if_absent = PROT_TCP};

// `icmptype`, in enumeration order; the numbers that end a word are the
// ICMP (or ICMPv6) message types it covers.
inline constexpr Spelling<EICMPType> kICMPTypeWords[] = {
    {ICMP_ALL, "*"},
    {ICMP_ECHO, "ECHO_REQ_REPLY_8_0"},
    {ICMP_DEST_UNREACHABLE, "DST_UNREACHABLE_3"},
    {ICMP_SRC_QUENCH, "SRC_QUENCH_4"},
    {ICMP_REDIRECT, "REDIRECT_5"},
    {ICMP_ROUTER, "ROUTER_ADVERTISMENT_9_10"},
    {ICMP_TIMEOUT, "TIMEOUT_11"},
    {ICMP_PARAM, "PARAM_PROBLEM_12"},
    {ICMP_TIMESTAMP, "TIMESTAMP_REQ_REPLY_13_14"},
    {ICMP_INFO, "INFO_REQ_REPLY_15_16"},
    {ICMP_ADDRMASK, "ADDRMASK_REQ_REPLY_17_18"},
    {ICMP_V6_DEST_UNREACHABLE, "V6_DST_UNREACHABLE_1"},
    {ICMP_V6_PACKET_TOO_BIG, "V6_PACKET_TOO_BIG_2"},
    {ICMP_V6_TIMEOUT, "V6_TIME_EXCEEDED_3"},
    {ICMP_V6_PARAM, "V6_PARAM_PROBLEM_4"},
    {ICMP_V6_ECHO, "V6_ECHO_REQ_REPLY_128_129"},
    {ICMP_V6_MULTICAST, "V6_MULTICAST_LISTENER_130_131"},
    {ICMP_V6_MULTICAST_DONE, "V6_MULTICAST_LISTENER_DONE_132"},
    {ICMP_V6_ROUTER, "V6_ROUTER_ADVERTISMENT_133_134"},
    {ICMP_V6_NEIGHBOR, "V6_NEIGHBOR_ADVERTISMENT_135_136"},
    {ICMP_V6_REDIRECT, "V6_REDIRECT_137"},
};
inline constexpr Vocabulary<EICMPType> kICMPType{.words = kICMPTypeWords, .if_absent = ICMP_ALL};

// ---------------------------------------------------------------------------
// Zone rules: `cat` and `zone`, read without regard to ASCII case; other
// words leave the defaults, which a save leaves out.

inline constexpr Spelling<EZoneCategory> kZoneCategoryWords[] = {
    {CAT_LAN, "lan"}, {CAT_VPN, "vpn"}, {CAT_WAN, "wan"}};
inline constexpr Vocabulary<EZoneCategory> kZoneCategory{.words = kZoneCategoryWords,
                                                         .if_absent = CAT_UNKNOWN,
                                                         .if_unknown = IfUnknown::kKeep,
                                                         .omitted = CAT_UNKNOWN,
                                                         .text_case = TextCase::kInsensitive};
inline constexpr Spelling<EZoneId> kZoneIdWords[] = {{ZID_SAFE, "safe"},
                                                     {ZID_DANGEROUS, "dangerous"}};
inline constexpr Vocabulary<EZoneId> kZoneId{.words = kZoneIdWords,
                                             .if_absent = ZID_UNASSIGNED,
                                             .if_unknown = IfUnknown::kKeep,
                                             .omitted = ZID_UNASSIGNED,
                                             .text_case = TextCase::kInsensitive};

// ---------------------------------------------------------------------------
// The parser's list events (xmlsecdb/fw.h, xmlsecdb/fw_rules.h).

inline constexpr ListEventIds kFWGlobalOptionEvents = {
    DISPID_FW_OnBeforeGlobalOptionInserted, DISPID_FW_OnAfterGlobalOptionInserted,
    DISPID_FW_OnBeforeGlobalOptionRemoved,  DISPID_FW_OnAfterGlobalOptionRemoved,
    DISPID_FW_OnBeforeGlobalOptionChanged,  DISPID_FW_OnAfterGlobalOptionChanged};
// Definitions raise the numbers every kind with definition events uses.
static_assert(kDefinitionEvents.before_insert == DISPID_FW_OnBeforeDefinitionInserted &&
              kDefinitionEvents.after_change == DISPID_FW_OnAfterDefinitionChanged);
inline constexpr ListEventIds kFWItemEvents = {.before_insert = DISPID_OnBeforeFWItemInserted,
                                               .after_insert = DISPID_OnAfterFWItemInserted,
                                               .before_remove = DISPID_OnBeforeFWItemRemoved,
                                               .after_remove = DISPID_OnAfterFWItemRemoved,
                                               .before_change = DISPID_OnBeforeFWItemChanged,
                                               .after_change = DISPID_OnAfterFWItemChanged,
                                               .change_has_property = true,
                                               .change_marks_modified = false};
inline constexpr ListEventIds kFWRuleEvents = {
    DISPID_FW_OnBeforeRuleInserted, DISPID_FW_OnAfterRuleInserted, DISPID_FW_OnBeforeRuleRemoved,
    DISPID_FW_OnAfterRuleRemoved,   DISPID_FW_OnBeforeRuleChanged, DISPID_FW_OnAfterRuleChanged};
inline constexpr ListEventIds kFWZoneRuleEvents = {
    DISPID_OnBeforeZoneRuleInserted, DISPID_OnAfterZoneRuleInserted, DISPID_OnBeforeZoneRuleRemoved,
    DISPID_OnAfterZoneRuleRemoved,   DISPID_OnBeforeZoneRuleChanged, DISPID_OnAfterZoneRuleChanged};
// Without a property, and without a modified flag: the list is not sorted.
inline constexpr ListEventIds kFWBindSocketEvents = {.before_insert = DISPID_OnBeforeBSNInserted,
                                                     .after_insert = DISPID_OnAfterBSNInserted,
                                                     .before_remove = DISPID_OnBeforeBSNRemoved,
                                                     .after_remove = DISPID_OnAfterBSNRemoved,
                                                     .before_change = DISPID_OnBeforeBSNChanged,
                                                     .after_change = DISPID_OnAfterBSNChanged,
                                                     .change_has_property = false,
                                                     .change_marks_modified = false};
// Routed rules raise nothing and mark nothing; dial numbers raise nothing
// but mark the lists for re-sorting.
inline constexpr ListEventIds kFWRoutedRuleEvents = {.change_marks_modified = false};
inline constexpr ListEventIds kFWDialNumberEvents = {};
inline constexpr ListEventIds kFWAppExceptionEvents = {
    DISPID_FW_OnBeforeAppExceptionInserted, DISPID_FW_OnAfterAppExceptionInserted,
    DISPID_FW_OnBeforeAppExceptionRemoved,  DISPID_FW_OnAfterAppExceptionRemoved,
    DISPID_FW_OnBeforeAppExceptionChanged,  DISPID_FW_OnAfterAppExceptionChanged};

// ---------------------------------------------------------------------------
// The sections.

// `ot` of `Object`; written first.
inline constexpr Spelling<EObjectType> kFWDefinitionTypes[] = {
    {OT_FW_TRANS, "iptransport"},
    {OT_FW_IPADDR, "ipaddress"},
    {OT_TIME, "time"},
    {OT_FW_IPADDR_LAN, "ipaddress_lan"},
    {OT_FW_EXPRESSION, "content_filter"}};
inline constexpr DefinitionsConfig kFWDefinitions = {.object_types = kFWDefinitionTypes,
                                                     .definition_events = kDefinitionEvents,
                                                     .item_events = kFWItemEvents,
                                                     .object_attributes = kObjectTypeFirst,
                                                     .by_name = true};

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

inline constexpr AppExceptionSectionConfig kFWExceptions = {kFWAppExceptionEvents,
                                                            kFWExceptionItems};

inline constexpr GlobalsConfig kFWGlobals = {
    .option_names = kFirewallOptionNames, .events = kFWGlobalOptionEvents, .by_name = true};

}  // namespace xmlsecdb

#endif  // XMLSECDB_FW_FW_WORDS_H_

// How anti-malware files spell what the shared sections read: the access
// types of `AccessDesc`, the `Definition` object types, the guard of
// `AppItem`, the failure texts of `ConditionSwitch` and `RuleSet`.
#ifndef XMLSECDB_AM_AM_WORDS_H_
#define XMLSECDB_AM_AM_WORDS_H_

#include "model/app_exception_section.h"
#include "model/global_option_names.h"
#include "model/rule_set_section.h"
#include "policy/policy_words.h"

namespace xmlsecdb {

// "*" is known for files and anti-malware objects only, and the save writes
// `at` only as "ScanExclusion" on anti-malware rules.
inline constexpr AccessTypeName kAMAccessTypeNames[] = {
    {OT_ANTI_MALWARE, "ScanExclusion", 1},
};
inline constexpr AccessTypeMask kAMFullMasks[] = {{OT_FILE, 0x101FF}, {OT_ANTI_MALWARE, 1}};

inline constexpr AccessDescConfig kAMAccessDesc = {
    .names = kAMAccessTypeNames,
    .full_masks = kAMFullMasks,
    .write_full_mask = false,
    .audit_prefix_case = TextCase::kInsensitive,
    .missing_ar = " Missing AR.",
    .wrong_ar = " Wrong AR.",
    .wrong_al = " Wrong AL.",
    .wrong_at = " Wrong AT.",
};

inline constexpr ConditionSwitchConfig kAMConditionSwitch = kPolicyConditionSwitch;

inline constexpr DefinitionsConfig kAMDefinitions = {.object_types = kAMDefinitionTypes,
                                                     .definition_events = kDefinitionEvents,
                                                     .item_events = kSimpleItemEvents};

// The guard: its run of the shared guard table, and the full mask.
inline constexpr auto kAntiMalwareGuards = std::span(kGuardNamesInWriteOrder).subspan<13, 1>();
inline constexpr std::uint32_t kAntiMalwareFullMask = 0x20;
static_assert(MaskOf(kAntiMalwareGuards) == kAntiMalwareFullMask);

inline constexpr AppItemVocabulary kAMExceptionItems = {
    kAntiMalwareGuards, kAntiMalwareFullMask, kAntiMalwareFullMask,
    " Missing AppItem app or app_id.", " Missing AppItem priority."};

inline constexpr RuleSetSectionConfig kAMRuleSets = {" Missing ruleset id."};

// The names of global options in anti-malware files.
// clang-format off
inline constexpr OptionName kAntiMalwareOptionNames[] = {
    {"Mode", 0x04000001},
    {"Type", 0x04000002},
    {"Heuristic", 0x04000003},
    {"ScanADS", 0x04000004},
    {"Archive_ScanAction", 0x04000005},
    {"Archive_MalwareAction", 0x04000006},
    {"Archive_MaxNestedLevel", 0x04000007},
    {"Archive_MaxCompressionRatio", 0x04000008},
    {"Archive_MaxcompressedSize", 0x04000009},
    {"AntiVirus_Enable", 0x0400000A},
    {"EnableQuarantine", 0x0400000B},
    {"AntiVirus_MacroAction", 0x0400000C},
    {"AntiSpyware_Enable", 0x0400000D},
    {"AntiSpyware_ScanAllUsers", 0x04000010},
    {"Exclusions_MalwareCategoryList", 0x01020013},
    {"Exclusions_MalwareList", 0x01020014},
    {"AutoCleanMode", 0x04000015},
    {"SecondaryCleanAction", 0x04000016},
    {"ScanTimeout", 0x04000017},
    {"ScanTimeoutAccessResult", 0x04000018},
    {"ScanErrorAccessResult", 0x04000019},
    {"NetworkScanTimeout", 0x0400001A},
    {"NetworkScanTimeoutAccessResult", 0x0400001B},
};
// clang-format on

}  // namespace xmlsecdb

#endif  // XMLSECDB_AM_AM_WORDS_H_

// How sandbox files spell what the shared sections read: the access types
// of `AccessDesc`, the `Definition` object types, the guards of `AppItem`,
// the failure texts of `ConditionSwitch` and `RuleSet`.
#ifndef XMLSECDB_SBX_SBX_WORDS_H_
#define XMLSECDB_SBX_SBX_WORDS_H_

#include "model/app_exception_section.h"
#include "model/global_option_names.h"
#include "model/rule_set_section.h"
#include "policy/policy_words.h"

namespace xmlsecdb {

inline constexpr AccessDescConfig kSBXAccessDesc = kSandboxFamilyAccessDesc;
inline constexpr ConditionSwitchConfig kSBXConditionSwitch = kPolicyConditionSwitch;

inline constexpr Spelling<EObjectType> kSBXDefinitionTypes[] = {
    {OT_FILE, "File"},       {OT_REGISTRY, "Registry"},    {OT_SPAWNING, "Spawning"},
    {OT_SERVICE, "Service"}, {OT_DEVICE, "Device"},        {OT_COMOBJECT, "COM"},
    {OT_TIME, "time"},       {OT_FILETYPE, "FileTypeList"}};

inline constexpr DefinitionsConfig kSBXDefinitions = {.object_types = kSBXDefinitionTypes,
                                                      .definition_events = kDefinitionEvents,
                                                      .item_events = kSimpleItemEvents};

// The guards: their run of the shared guard table, and the full mask. The
// sandbox's "*" also covers device privileges (0x100), a guard that has no
// name of its own.
inline constexpr auto kSandboxGuards = std::span(kGuardNamesInWriteOrder).first<8>();
inline constexpr std::uint32_t kSandboxFullMask = 0x201DF;
static_assert((MaskOf(kSandboxGuards) | OT_DEVICEPRIV) == kSandboxFullMask);

inline constexpr AppItemVocabulary kSBXExceptionItems = {
    kSandboxGuards, kSandboxFullMask, kSandboxFullMask, " Missing AppItem app or app_id.",
    " Missing AppItem priority."};

inline constexpr RuleSetSectionConfig kSBXRuleSets = {" Missing ruleset id."};

// The names of global options in sandbox files.
// clang-format off
inline constexpr OptionName kSandboxOptionNames[] = {
    {"UnkAppStartDlg", 0x7},
    {"UnkSysAppStartDlg", 0x6},
    {"SBXChangeSecurityAL", 0x8},
    {"StartProcessAL", 0x9},
    {"EndProcessAL", 0xA},
    {"SafeToInjectDllGroup", 0x02010010},
    {"ChangeConditionAL", 0xC},
    {"ChangeProcConditionAL", 0xD},
    {"BGChangeSecurityAL", 0xF},
    {"SafeToInjectAppGroup", 0x0201000B},
    {"DoNotLoadZelSbx", 0x0400000C},
};
// clang-format on

}  // namespace xmlsecdb

#endif  // XMLSECDB_SBX_SBX_WORDS_H_

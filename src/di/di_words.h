// How data inspection files spell what the shared sections read: the
// access types of `AccessDesc`, the `Definition` object types, the guard
// of `AppItem`, the failure texts of `ConditionSwitch` and `RuleSet`.
#ifndef XMLSECDB_DI_DI_WORDS_H_
#define XMLSECDB_DI_DI_WORDS_H_

#include "model/app_exception_section.h"
#include "model/rule_set_section.h"
#include "policy/policy_words.h"

namespace xmlsecdb {

// The data inspection handler knows only the data inspection words (the
// last rows of the sandbox table); "*" is the same union as in the sandbox.
inline constexpr AccessDescConfig kDIAccessDesc = [] {
  AccessDescConfig config = kSandboxFamilyAccessDesc;
  config.names = std::span(kSandboxAccessTypeNames).last<8>();
  return config;
}();

inline constexpr ConditionSwitchConfig kDIConditionSwitch = kPolicyConditionSwitch;

inline constexpr DefinitionsConfig kDIDefinitions = {.object_types = kAMDefinitionTypes,
                                                     .definition_events = kDefinitionEvents,
                                                     .item_events = kSimpleItemEvents};

// The guard: its run of the shared guard table, and the full mask.
inline constexpr auto kDataInspectionGuards = std::span(kGuardNamesInWriteOrder).subspan<14, 1>();
inline constexpr std::uint32_t kDataInspectionFullMask = 0x4000000;
static_assert(MaskOf(kDataInspectionGuards) == kDataInspectionFullMask);

inline constexpr AppItemVocabulary kDIExceptionItems = {
    kDataInspectionGuards, kDataInspectionFullMask, kDataInspectionFullMask,
    " Missing AppItem app or app_id.", " Missing AppItem priority."};

inline constexpr RuleSetSectionConfig kDIRuleSets = {" Missing ruleset id."};

}  // namespace xmlsecdb

#endif  // XMLSECDB_DI_DI_WORDS_H_

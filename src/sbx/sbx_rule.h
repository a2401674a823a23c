// CSBXRule and CSBXRuleList: the sandbox rule and the parser's rule list,
// as the shared policy rule (policy/policy_rule.h) with the sandbox names
// and numbers and DllObject; and the sandbox `RuleList` section settings.
#ifndef XMLSECDB_SBX_SBX_RULE_H_
#define XMLSECDB_SBX_SBX_RULE_H_

#include <array>
#include <iterator>

#include "policy/policy_rule.h"
#include "policy/policy_rule_list.h"
#include "policy/policy_rule_section.h"
#include "sbx/sbx_dispatch.h"
#include "sbx/sbx_words.h"
#include "xmlsecdb/sbx.h"

namespace xmlsecdb {

// The list class named in error records.
inline constexpr CLSID CLSID_SBXRuleList = MakeGuid("{5EC0DB00-0A11-4000-8000-5EC0DB000A11}");

// The anti-malware numbers, but Account reports SBXR_ENABLED, and
// DllObject has a number of its own.
inline constexpr PolicyRuleConfig kSBXRuleConfig = {
    "CSBXRule",
    KindRuleNumbers(kPolicyRuleNumbers, SBXR_ENABLED, &PolicyRuleProperties::dll_object,
                    SBXR_DLLOBJECT),
    {"CSBXRuleList", "CreateRule", &CLSID_SBXRuleList, &ISBXRuleList::kIID}};

class CSBXRule;
class CSBXRuleList;
using SBXRuleKind = PolicyRuleKind<ISBXRule, ISBXRuleList, CSBXRule, CSBXRuleList, kSBXRuleConfig>;

class CSBXRule final : public PolicyRule<SBXRuleKind> {
 public:
  HRESULT get_DllObject(std::int32_t* dll_object) override {
    return GetInt(&Fields::dll_object, dll_object);
  }
  HRESULT put_DllObject(std::int32_t dll_object) override {
    return PutInt(kConfig, "DllObject", &Fields::dll_object, dll_object, kNumbers.dll_object);
  }
};

class CSBXRuleList final : public PolicyRuleListWithMoves<SBXRuleKind> {
 public:
  using PolicyRuleListWithMoves::PolicyRuleListWithMoves;
};

// The sandbox object types are spelled as its guards (sbx/sbx_words.h):
// "File", "Registry", "Spawning", "Service", "Device", "COM",
// "SystemPrivilege", "DllLoading". A rule reads and writes the same words.
inline constexpr auto kSBXObjectTypes = [] {
  std::array<Spelling<std::int32_t>, std::size(kSandboxGuards)> words{};
  for (std::size_t i = 0; i < words.size(); ++i) {
    words[i] = {static_cast<std::int32_t>(kSandboxGuards[i].bit), kSandboxGuards[i].name};
  }
  return words;
}();

// `scanItemList_id` is neither read nor written. `dictionary_id` and
// `filetype_id` are read and kept on the rule (a CopyToList copy keeps
// them too) but never written: the save has no place for them.
inline constexpr PolicyRuleSectionConfig kSBXRuleSection = {
    .read_object_types = kSBXObjectTypes,
    .write_object_types = kSBXObjectTypes,
    .access = &kSBXAccessDesc,
    .attributes = kReadsDllObject | kWritesDllObject | kReadsFileIds,
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_SBX_SBX_RULE_H_

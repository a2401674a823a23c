// CSBXRule and CSBXRuleList: the sandbox rule and the parser's rule list,
// as the shared policy rule (model/policy_rule.h) with the sandbox names
// and numbers and DllObject; and the sandbox `RuleList` section settings.
#ifndef XMLSECDB_SBX_SBX_RULE_H_
#define XMLSECDB_SBX_SBX_RULE_H_

#include "am/am_rule.h"
#include "xmlsecdb/sbx.h"

namespace xmlsecdb {

// The list class named in error records.
inline constexpr CLSID CLSID_SBXRuleList = MakeGuid("{5EC0DB00-0A11-4000-8000-5EC0DB000A11}");

// The anti-malware numbers, but Account reports SBXR_ENABLED, and
// DllObject has a number of its own.
inline constexpr PolicyRuleConfig kSBXRuleConfig = {
    "CSBXRule",
    KindRuleNumbers(kAMRuleConfig.properties, SBXR_ENABLED, &PolicyRuleProperties::dll_object,
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

// The sandbox object types, by the guard words (model/app_exception_section.h):
// a rule reads and writes the same words.
inline constexpr Spelling<std::int32_t> kSBXObjectTypes[] = {{OT_FILE, "File"},
                                                             {OT_REGISTRY, "Registry"},
                                                             {OT_SPAWNING, "Spawning"},
                                                             {OT_SERVICE, "Service"},
                                                             {OT_DEVICE, "Device"},
                                                             {OT_COMOBJECT, "COM"},
                                                             {OT_SYSTEMPRIV, "SystemPrivilege"},
                                                             {OT_SPAWN_DLL, "DllLoading"}};

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

// CAMRule and CAMRuleList: the anti-malware rule and the parser's rule
// list, as the shared policy rule (policy/policy_rule.h) with the
// anti-malware names and numbers; and the anti-malware `RuleList` section
// settings.
#ifndef XMLSECDB_AM_AM_RULE_H_
#define XMLSECDB_AM_AM_RULE_H_

#include "am/am_dispatch.h"
#include "am/am_words.h"
#include "policy/policy_rule.h"
#include "policy/policy_rule_list.h"
#include "policy/policy_rule_section.h"
#include "xmlsecdb/am.h"

namespace xmlsecdb {

// The classes named in error records.
inline constexpr CLSID CLSID_AMRule = MakeGuid("{5EC0DB00-0910-4000-8000-5EC0DB000910}");
inline constexpr CLSID CLSID_AMRuleList = MakeGuid("{5EC0DB00-0911-4000-8000-5EC0DB000911}");

inline constexpr PolicyRuleConfig kAMRuleConfig = {"CAMRule", kPolicyRuleNumbers};

inline constexpr ListTraits kAMRuleListTraits = {"CAMRuleList", "CreateRule", &CLSID_AMRuleList,
                                                 &IAMRuleList::kIID};

class CAMRule;
class CAMRuleList;
using AMRuleKind = PolicyRuleKind<IAMRule, IAMRuleList, CAMRule, CAMRuleList, kAMRuleConfig>;

class CAMRule final : public PolicyRule<AMRuleKind> {};

class CAMRuleList final : public PolicyRuleList<AMRuleKind> {
 public:
  explicit CAMRuleList(IListOwner* owner, const RuleCompareContext& context = kNoCompareContext)
      : PolicyRuleList(owner, kAMRuleListTraits, context) {}
};

// `ot`: only anti-malware rules load; a save also names file rules, which
// then fail to load (" Wrong rule OT.") — a client that sets OT_FILE on an
// anti-malware rule makes a file the agent refuses, and sees it at once.
inline constexpr Spelling<std::int32_t> kAMReadObjectTypes[] = {{OT_ANTI_MALWARE, "AntiMalware"}};
inline constexpr Spelling<std::int32_t> kAMWriteObjectTypes[] = {{OT_FILE, "File"},
                                                                 {OT_ANTI_MALWARE, "AntiMalware"}};

// `scanItemList_id` and `dllobj` are read and kept on the rule (they cost
// no memory beyond the fields every policy rule has, and a copy made with
// CopyToList keeps them), but no anti-malware property exposes them and
// the anti-malware save does not write them.
inline constexpr PolicyRuleSectionConfig kAMRuleSection = {
    .read_object_types = kAMReadObjectTypes,
    .write_object_types = kAMWriteObjectTypes,
    .access = &kAMAccessDesc,
    .attributes = kReadsScanItemList | kReadsDllObject,
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_AM_AM_RULE_H_

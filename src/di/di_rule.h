// CDIRule and CDIRuleList: the data inspection rule and the parser's rule
// list, as the shared policy rule (policy/policy_rule.h) with the data
// inspection names and numbers and ScanItemListID; and the data inspection
// `RuleList` section settings.
#ifndef XMLSECDB_DI_DI_RULE_H_
#define XMLSECDB_DI_DI_RULE_H_

#include "di/di_dispatch.h"
#include "di/di_words.h"
#include "policy/policy_rule.h"
#include "policy/policy_rule_list.h"
#include "policy/policy_rule_section.h"
#include "xmlsecdb/di.h"

namespace xmlsecdb {

inline constexpr CLSID CLSID_DIRuleList = MakeGuid("{5EC0DB00-0B11-4000-8000-5EC0DB000B11}");

// Numbered as the anti-malware rule, except Account (DIR_ENABLED) and
// ScanItemListID.
inline constexpr PolicyRuleConfig kDIRuleConfig = {
    "CDIRule",
    KindRuleNumbers(kPolicyRuleNumbers, DIR_ENABLED, &PolicyRuleProperties::scan_item_list,
                    DIR_SCANITEMLISTID),
    {"CDIRuleList", "CreateRule", &CLSID_DIRuleList, &IDIRuleList::kIID}};

class CDIRule;
class CDIRuleList;
using DIRuleKind = PolicyRuleKind<IDIRule, IDIRuleList, CDIRule, CDIRuleList, kDIRuleConfig>;

class CDIRule final : public PolicyRule<DIRuleKind> {
 public:
  // The field is the policy rule's 32-bit one; the interface's unsigned
  // value is kept bit for bit.
  HRESULT get_ScanItemListID(std::uint32_t* id) override {
    return GetField(static_cast<std::uint32_t>(fields().scan_item_list), id);
  }
  HRESULT put_ScanItemListID(std::uint32_t id) override {
    return PutInt(kConfig, "ScanItemListID", &Fields::scan_item_list, static_cast<std::int32_t>(id),
                  kNumbers.scan_item_list);
  }
};

class CDIRuleList final : public PolicyRuleListWithMoves<DIRuleKind> {
 public:
  using PolicyRuleListWithMoves::PolicyRuleListWithMoves;
};

// `ot`: only data inspection rules load; a save also names file rules.
inline constexpr Spelling<std::int32_t> kDIReadObjectTypes[] = {
    {OT_DATA_INSPECTION, "DataInspection"}};
inline constexpr Spelling<std::int32_t> kDIWriteObjectTypes[] = {
    {OT_FILE, "File"}, {OT_DATA_INSPECTION, "DataInspection"}};

// `scanItemList_id` is written for every rule, 0 included: the value is
// part of what the rule says, a reader that meets it "0" reads what it
// would read without it, and one fixed attribute set keeps saves simple to
// compare.
inline constexpr PolicyRuleSectionConfig kDIRuleSection = {
    .read_object_types = kDIReadObjectTypes,
    .write_object_types = kDIWriteObjectTypes,
    .access = &kDIAccessDesc,
    .attributes = kReadsScanItemList | kWritesScanItemList,
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_DI_DI_RULE_H_

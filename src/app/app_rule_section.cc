#include "app/app_rule_section.h"

#include <iterator>

#include "app/app_bit_names.h"
#include "app/app_words.h"
#include "core/ascii.h"
#include "core/messages.h"
#include "core/return_if_failed.h"
#include "list/rule_id.h"
#include "model/attribute_table.h"

namespace xmlsecdb {
namespace {

constexpr std::string_view kRuleList = "RuleList";
constexpr std::string_view kRule = "Rule";
constexpr std::string_view kGroup = "Group";

enum RuleAttribute {
  kId,
  kFilter,
  kDisabled,
  kDesc,
  kUiFlags,
  kUsage,
  kUsageNot,
  kFoundBy,
  kEnroll,
  kManufacture,
  kSuite,
  kSpecialAccess,
  kSpecialAccessNot,
  kOrder,
  kAttributeCount
};

// In the order they are written.
constexpr AttributeSpec<RuleAttribute> kRuleAttributes[] = {
    {"id", kId},
    {"filter", kFilter},
    {"disabled", kDisabled, AttributeRead::kFlag},
    {"desc", kDesc},
    {"uiflags", kUiFlags},
    {"usage", kUsage},
    {"usagenot", kUsageNot},
    {"foundby", kFoundBy},
    {"enroll", kEnroll},
    {"manufacture", kManufacture},
    {"suite", kSuite},
    {"specialaccess", kSpecialAccess},
    {"specialaccessnot", kSpecialAccessNot},
    {"order", kOrder, AttributeRead::kDecimal},
};
static_assert(std::size(kRuleAttributes) == kAttributeCount);

using RuleAttributes = AttributeValues<RuleAttribute, kAttributeCount>;

// "Prevent" and "AskUser" (or "ask") in any ASCII letter case; every
// other text, and none, allows.
EEnrollType EnrollFromText(std::string_view text) {
  if (EqualsIgnoringAsciiCase(text, "Prevent")) return EN_PREVENT;
  if (EqualsIgnoringAsciiCase(text, "AskUser") || EqualsIgnoringAsciiCase(text, "ask")) {
    return EN_ASKUSER;
  }
  return EN_ALLOW;
}

std::string_view EnrollText(EEnrollType enroll) {
  const std::size_t index = enroll == EN_PREVENT ? 0 : enroll == EN_ALLOW ? 1 : 2;
  return kEnrollWords[index].text;
}

std::string_view AnyUnlessGiven(const RuleAttributes& a, RuleAttribute slot) {
  return a.has(slot) ? a.text(slot) : std::string_view("*");
}

}  // namespace

HRESULT AppRuleSection::StartElement(SectionReadContext& context, std::string_view name,
                                     std::string_view parent, const SaxAttributes& attributes,
                                     bool* handled) {
  if ((name == kRuleList && parent == "SecDb") || (name == kGroup && parent == kRule && rule_)) {
    *handled = true;
    return S_OK;
  }
  if (name != kRule || parent != kRuleList) return S_OK;
  *handled = true;
  rule_.Reset();
  const RuleAttributes a(kRuleAttributes, attributes);
  std::int32_t id = 0;
  if (!a.has(kId) || Failed(ParseRuleID(a.text(kId), &id))) {
    return context.Fail(kMsgMissingAttribute, kMissingRuleId);
  }
  ComPtr<CAppRule> rule = list()->NewItem();
  RETURN_IF_FAILED(rule->SetRuleID({}, id, 0));
  rule->set_fields(
      {.assignment = AnyUnlessGiven(a, kFilter),
       .description = a.text(kDesc),
       .ui_flags = a.text(kUiFlags),
       .manufacturer = AnyUnlessGiven(a, kManufacture),
       .suite = AnyUnlessGiven(a, kSuite)},
      {.usage = BitsFromText(UsageVocabulary(), a.text(kUsage)),
       .usage_not = BitsFromText(UsageVocabulary(), a.text(kUsageNot)),
       .special_access = BitsFromText(SpecialAccessVocabulary(), a.text(kSpecialAccess)),
       .special_access_not = BitsFromText(SpecialAccessVocabulary(), a.text(kSpecialAccessNot))},
      a.flag(kDisabled) ? 0 : 1, EnrollFromText(a.text(kEnroll)),
      a.has(kOrder) ? a.number(kOrder) : Precedence::kDefault);
  if (a.has(kFoundBy)) {
    for (std::uint32_t alternative : FoundByFromText(a.text(kFoundBy))) {
      RETURN_IF_FAILED(rule->found_by()->Insert(alternative));
    }
  }
  RETURN_IF_FAILED(list()->InsertLoaded(rule.get()));
  rule_ = std::move(rule);
  return S_OK;
}

HRESULT AppRuleSection::EndElement(SectionReadContext&, std::string_view name,
                                   std::string_view parent, std::string_view text) {
  if (name == kRuleList && parent == "SecDb") {
    list()->EndBulkLoad();
  } else if (name == kRule && parent == kRuleList) {
    rule_.Reset();
  } else if (name == kGroup && parent == kRule && rule_) {
    rule_->groups()->Append(text);
  }
  return S_OK;
}

HRESULT AppRuleSection::Write(XmlWriter& writer) {
  list()->EndBulkLoad();  // a load that failed part-way
  RETURN_IF_FAILED(writer.StartElement(kRuleList));
  for (const CAppRule* rule : *list()) {
    attributes_.Clear();
    WriteAttributes(attributes_, kRuleAttributes, [&](RuleAttribute slot, AttributeWriter& w) {
      switch (slot) {
        case kId:
          w.Text(rule->RuleIDString());
          break;
        case kFilter:
          if (rule->assignment() != "*") w.Text(rule->assignment());
          break;
        case kDisabled:
          if (rule->enabled() == 0) w.Text("1");
          break;
        case kDesc:
          if (!rule->description().empty()) w.Text(rule->description());
          break;
        case kUiFlags:
          if (!rule->ui_flags().empty()) w.Text(rule->ui_flags());
          break;
        case kUsage:
          if (rule->usage() != 0) w.Text(BitNamesText(UsageVocabulary(), rule->usage()));
          break;
        case kUsageNot:
          if (rule->usage_not() != 0) w.Text(BitNamesText(UsageVocabulary(), rule->usage_not()));
          break;
        case kFoundBy:
          if (!rule->found_by()->values().empty()) w.Text(FoundByText(rule->found_by()->values()));
          break;
        case kEnroll:
          w.Text(EnrollText(rule->enroll()));
          break;
        case kManufacture:
          if (rule->manufacturer() != "*") w.Text(rule->manufacturer());
          break;
        case kSuite:
          if (rule->suite() != "*") w.Text(rule->suite());
          break;
        case kSpecialAccess:
          if (rule->special_access() != 0) {
            w.Text(BitNamesText(SpecialAccessVocabulary(), rule->special_access()));
          }
          break;
        case kSpecialAccessNot:
          if (rule->special_access_not() != 0) {
            w.Text(BitNamesText(SpecialAccessVocabulary(), rule->special_access_not()));
          }
          break;
        case kOrder:
          w.Int(rule->order());
          break;
        case kAttributeCount:
          break;
      }
    });
    RETURN_IF_FAILED(writer.StartElement(kRule, attributes_));
    for (const std::string& group : rule->groups()->values()) {
      if (group.empty()) continue;
      RETURN_IF_FAILED(writer.StartElement(kGroup));
      RETURN_IF_FAILED(writer.Characters(group));
      RETURN_IF_FAILED(writer.EndElement(kGroup));
    }
    RETURN_IF_FAILED(writer.EndElement(kRule));
  }
  return writer.EndElement(kRuleList);
}

void AppRuleSection::Clear() {
  rule_.Reset();
  (void)list()->ClearMembers();
  list()->EndBulkLoad();
}

}  // namespace xmlsecdb

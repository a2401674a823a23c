#include "model/rule_set_section.h"

#include "core/messages.h"
#include "core/return_if_failed.h"
#include "platform/debug_log.h"

namespace xmlsecdb {
namespace {

// Rule sets raise no parser events.
constexpr ListEventIds kNoEvents = {};

constexpr std::string_view kRuleSet = "RuleSet";
constexpr std::string_view kRuleListID = "RuleListID";

}  // namespace

RuleSetListSection::RuleSetListSection(ParserCore* parser, const RuleSetSectionConfig& config)
    : ListSection(parser, "RuleSetList", "RuleSetList", kNoEvents), config_(config) {}

HRESULT RuleSetListSection::StartElement(SectionReadContext& context, std::string_view name,
                                         std::string_view parent, const SaxAttributes& attributes,
                                         bool* handled) {
  if (name == kRuleSet && (config_.by_name || parent == "RuleSetList")) {
    *handled = true;
    std::optional<std::string_view> id = attributes.Find("id");
    if (!id) return context.Fail(kMsgMissingAttribute, config_.missing_id_suffix);
    current_ = list()->NewItem();
    current_->set_id(*id);
    current_->set_description(attributes.Find("desc").value_or(std::string_view()));
    return S_OK;
  }
  if (name == kRuleListID && (config_.by_name || parent == kRuleSet)) *handled = true;
  return S_OK;
}

HRESULT RuleSetListSection::EndElement(SectionReadContext&, std::string_view name, std::string_view,
                                       std::string_view text) {
  if (!current_) return S_OK;
  if (name == kRuleListID) return current_->rule_list_ids().Insert(text);
  // The end of `RuleSet`.
  ComPtr<CRuleSet> made = std::move(current_);
  return list()->Insert(made.get(), nullptr);
}

HRESULT RuleSetListSection::Write(XmlWriter& writer) {
  if (list()->count() == 0) {
    DebugLog("ZelXmlSd: RuleSetList save - nothing to save\n");
    return S_FALSE;
  }
  RETURN_IF_FAILED(writer.StartElement("RuleSetList"));
  for (const CRuleSet* rule_set : *list()) {
    attributes_.Clear();
    attributes_.Add("id", rule_set->id());
    if (!rule_set->description().empty()) attributes_.Add("desc", rule_set->description());
    RETURN_IF_FAILED(writer.StartElement(kRuleSet, attributes_));
    for (const std::string& id : rule_set->rule_list_ids().values()) {
      RETURN_IF_FAILED(writer.StartElement(kRuleListID));
      RETURN_IF_FAILED(writer.Characters(id));
      RETURN_IF_FAILED(writer.EndElement(kRuleListID));
    }
    RETURN_IF_FAILED(writer.EndElement(kRuleSet));
  }
  return writer.EndElement("RuleSetList");
}

void RuleSetListSection::Clear() {
  current_.Reset();
  (void)list()->Clear();
}

}  // namespace xmlsecdb

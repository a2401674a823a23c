#include "fw/fw_parser.h"

#include "core/parser_kinds.h"
#include "list/owned.h"

namespace xmlsecdb {
namespace {

// The rule lists, as their error records will name them.
constexpr CLSID CLSID_BindSocketList = MakeGuid("{5EC0DB00-0E90-4000-8000-5EC0DB000E90}");
constexpr CLSID CLSID_FWRuleList = MakeGuid("{5EC0DB00-0E91-4000-8000-5EC0DB000E91}");
constexpr CLSID CLSID_FWRoutedRuleList = MakeGuid("{5EC0DB00-0E92-4000-8000-5EC0DB000E92}");
constexpr CLSID CLSID_FWDialNumberList = MakeGuid("{5EC0DB00-0E93-4000-8000-5EC0DB000E93}");
constexpr CLSID CLSID_FWZoneRuleList = MakeGuid("{5EC0DB00-0E94-4000-8000-5EC0DB000E94}");

constexpr ListTraits kBindSocketListTraits = {"CBindSocketList", "CreateBindSocketNotification",
                                              &CLSID_BindSocketList, &ISDCollection::kIID};
constexpr ListTraits kFWRuleListTraits = {"CFWRuleList", "CreateRule", &CLSID_FWRuleList,
                                          &ISDCollection::kIID};
constexpr ListTraits kFWRoutedRuleListTraits = {"CFWRoutedRuleList", "CreateRule",
                                                &CLSID_FWRoutedRuleList, &ISDCollection::kIID};
constexpr ListTraits kFWDialNumberListTraits = {"CFWDialNumberList", "CreateRule",
                                                &CLSID_FWDialNumberList, &ISDCollection::kIID};
constexpr ListTraits kFWZoneRuleListTraits = {"CFWZoneRuleList", "CreateRule",
                                              &CLSID_FWZoneRuleList, &ISDCollection::kIID};

}  // namespace

CFWParser::CFWParser()
    : ParserObjectEx(ParserKindOf(MODULE_FW)),
      globals_(this, kFWGlobals),
      definitions_(this, kFWDefinitions),
      exceptions_(this, kFWExceptions),
      bind_sockets_(this, "BindSocketNotificationList", "BindSocketNotificationList",
                    kBindSocketListTraits),
      rules_(this, "RuleList", "RuleList", kFWRuleListTraits),
      routed_rules_(this, "RoutedRuleList", "RoutedRuleList", kFWRoutedRuleListTraits),
      dial_numbers_(this, "DialNumberList", "DialNumberList", kFWDialNumberListTraits),
      zone_rules_(this, "ZoneRuleList", "ZoneRuleList", kFWZoneRuleListTraits),
      rule_sets_(this, kFWRuleSets) {
  AddSection(&globals_);
  AddSection(&definitions_);
  AddSection(&exceptions_);
  AddSection(&bind_sockets_);
  AddSection(&rules_);
  AddSection(&routed_rules_);
  AddSection(&dial_numbers_);
  AddSection(&zone_rules_);
  AddSection(&rule_sets_);
}

HRESULT CFWParser::get_GlobalOptions(IPropertyList** list) {
  return GetOwned(globals_.list(), list);
}

HRESULT CFWParser::get_DefinitionList(IDefinitionList** list) {
  return GetOwned(definitions_.list(), list);
}

HRESULT CFWParser::get_AppExceptionList(IAppExceptionList** list) {
  return GetOwned(exceptions_.list(), list);
}

HRESULT CFWParser::get_RuleSetList(IRuleSetList** list) {
  return GetOwned(rule_sets_.list(), list);
}

}  // namespace xmlsecdb

#include "fw/fw_parser.h"

#include "core/parser_kinds.h"
#include "list/owned.h"

namespace xmlsecdb {

CFWParser::CFWParser()
    : ParserObjectEx(ParserKindOf(MODULE_FW)),
      globals_(this, kFWGlobals),
      definitions_(this, kFWDefinitions),
      exceptions_(this, kFWExceptions),
      bind_sockets_(this, kFWBindSocketEvents),
      rules_(this, kFWRuleEvents, static_cast<const RuleCompareContext&>(*this)),
      routed_rules_(this, kFWRoutedRuleEvents, static_cast<const RuleCompareContext&>(*this)),
      dial_numbers_(this, kFWDialNumberEvents),
      zone_rules_(this, kFWZoneRuleEvents),
      rule_sets_(this, kFWRuleSets) {
  set_definitions(definitions_.list());
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

void CFWParser::SortRuleLists() {
  rules_.list()->Sort();
  routed_rules_.list()->Sort();
  dial_numbers_.list()->Sort();
  zone_rules_.list()->Sort();
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

HRESULT CFWParser::get_RuleList(IFWRuleList** list) { return GetOwned(rules_.list(), list); }

HRESULT CFWParser::get_RoutedRuleList(IFWRoutedRuleList** list) {
  return GetOwned(routed_rules_.list(), list);
}

HRESULT CFWParser::get_DialNumberList(IFWDialNumberList** list) {
  return GetOwned(dial_numbers_.list(), list);
}

HRESULT CFWParser::get_ZoneRuleList(IFWZoneRuleList** list) {
  return GetOwned(zone_rules_.list(), list);
}

HRESULT CFWParser::get_BindSocketNotificationList(IBindSocketNotificationList** list) {
  return GetOwned(bind_sockets_.list(), list);
}

}  // namespace xmlsecdb

// CFWParser: the parser of Firewall databases.
//
// Its sections, in save order: Globals, Definitions (firewall definitions
// of transport items), ExceptionList, BindSocketNotificationList,
// RuleList, RoutedRuleList, DialNumberList, ZoneRuleList, RuleSetList.
// Its handler takes the elements it knows by name wherever they stand
// (fw/fw_words.h). The parser is its rule lists' comparison context: the
// rules name transports, addresses and times by definition ID, here or in
// the master parser's definitions.
#ifndef XMLSECDB_FW_FW_PARSER_H_
#define XMLSECDB_FW_FW_PARSER_H_

#include "core/parser_object.h"
#include "fw/fw_dispatch.h"
#include "fw/fw_item_xml.h"
#include "fw/fw_rule_xml.h"
#include "fw/fw_small_rules_xml.h"
#include "fw/fw_words.h"
#include "model/app_exception_section.h"
#include "model/definitions_context.h"
#include "model/globals_section.h"
#include "model/rule_set_section.h"

namespace xmlsecdb {

class CFWParser final : public ParserObjectEx<ISDParserFW>, private DefinitionsContext {
 public:
  CFWParser();

  HRESULT get_GlobalOptions(IPropertyList** list) override;
  HRESULT get_DefinitionList(IDefinitionList** list) override;
  HRESULT get_AppExceptionList(IAppExceptionList** list) override;
  HRESULT get_RuleSetList(IRuleSetList** list) override;
  HRESULT get_RuleList(IFWRuleList** list) override;
  HRESULT get_RoutedRuleList(IFWRoutedRuleList** list) override;
  HRESULT get_DialNumberList(IFWDialNumberList** list) override;
  HRESULT get_ZoneRuleList(IFWZoneRuleList** list) override;
  HRESULT get_BindSocketNotificationList(IBindSocketNotificationList** list) override;

  CFWDefinitionList* definitions() const { return definitions_.list(); }
  CFWRuleList* rules() const { return rules_.list(); }
  CFWRoutedRuleList* routed_rules() const { return routed_rules_.list(); }
  CFWDialNumberList* dial_numbers() const { return dial_numbers_.list(); }
  CFWZoneRuleList* zone_rules() const { return zone_rules_.list(); }
  CBindSocketList* bind_sockets() const { return bind_sockets_.list(); }

 protected:
  void SortRuleLists() override;

 private:
  IUnknown* master_parser() const override { return master(); }

  GlobalsSection globals_;
  FWDefinitionsSection definitions_;
  ExceptionListSection exceptions_;
  FWBindSocketSection bind_sockets_;
  FWRuleSection rules_;
  FWRoutedRuleSection routed_rules_;
  FWDialNumberSection dial_numbers_;
  FWZoneRuleSection zone_rules_;
  RuleSetListSection rule_sets_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_FW_FW_PARSER_H_

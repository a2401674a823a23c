// CFWParser: the parser of Firewall databases.
//
// Its sections, in save order: Globals, Definitions (firewall definitions
// of transport items), ExceptionList, BindSocketNotificationList,
// RuleList, RoutedRuleList, DialNumberList, ZoneRuleList, RuleSetList.
// The five rule sections are not read yet: their lists stay empty and
// each section is kept as the file has it and written back in its place
// (list/verbatim_section.h). Its handler takes the elements it knows by
// name wherever they stand (fw/fw_words.h).
#ifndef XMLSECDB_FW_FW_PARSER_H_
#define XMLSECDB_FW_FW_PARSER_H_

#include "core/parser_object.h"
#include "fw/fw_item_xml.h"
#include "fw/fw_words.h"
#include "list/verbatim_section.h"
#include "model/app_exception_section.h"
#include "model/globals_section.h"
#include "model/rule_set_section.h"

namespace xmlsecdb {

class CFWParser final : public ParserObjectEx<ISDParserFW> {
 public:
  CFWParser();

  HRESULT get_GlobalOptions(IPropertyList** list) override;
  HRESULT get_DefinitionList(IDefinitionList** list) override;
  HRESULT get_AppExceptionList(IAppExceptionList** list) override;
  HRESULT get_RuleSetList(IRuleSetList** list) override;

  CFWDefinitionList* definitions() const { return definitions_.list(); }

 private:
  GlobalsSection globals_;
  FWDefinitionsSection definitions_;
  ExceptionListSection exceptions_;
  VerbatimSection bind_sockets_;
  VerbatimSection rules_;
  VerbatimSection routed_rules_;
  VerbatimSection dial_numbers_;
  VerbatimSection zone_rules_;
  RuleSetListSection rule_sets_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_FW_FW_PARSER_H_

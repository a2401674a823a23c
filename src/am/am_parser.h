// CAMParser: the parser of AntiMalware databases.
//
// Its sections, in save order: Globals, Definitions, ExceptionList,
// RuleList, RuleSetList; other top-level elements are kept verbatim as
// custom sections.
#ifndef XMLSECDB_AM_AM_PARSER_H_
#define XMLSECDB_AM_AM_PARSER_H_

#include "am/am_rule.h"
#include "core/parser_object.h"
#include "model/app_exception_section.h"
#include "model/definition_kinds.h"
#include "model/globals_section.h"
#include "model/policy_rule_section.h"
#include "model/rule_set_section.h"

namespace xmlsecdb {

class CAMParser final : public ParserObjectEx<ISDParserAM> {
 public:
  CAMParser();

  HRESULT get_GlobalOptions(IPropertyList** list) override;
  HRESULT get_DefinitionList(IDefinitionList** list) override;
  HRESULT get_AppExceptionList(IAppExceptionList** list) override;
  HRESULT get_RuleList(IAMRuleList** list) override;
  HRESULT get_RuleSetList(IRuleSetList** list) override;

  CAMRuleList* rules() const { return rules_.list(); }

 protected:
  void SortRuleLists() override { rules_.list()->Sort(); }

 private:
  GlobalsSection globals_;
  DefinitionsSection definitions_;
  ExceptionListSection exceptions_;
  PolicyRuleSection<CAMRuleList> rules_;
  RuleSetListSection rule_sets_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_AM_AM_PARSER_H_

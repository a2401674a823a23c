// CAMParser: the parser of AntiMalware databases.
//
// Its sections, in save order: Globals, RuleList (Definitions,
// ExceptionList and RuleSetList join them as their shared sections land).
#ifndef XMLSECDB_AM_AM_PARSER_H_
#define XMLSECDB_AM_AM_PARSER_H_

#include "am/am_rule.h"
#include "core/parser_object.h"
#include "model/globals_section.h"
#include "model/policy_rule_section.h"

namespace xmlsecdb {

class CAMParser final : public ParserObjectEx<ISDParserAM> {
 public:
  CAMParser();

  HRESULT get_GlobalOptions(IPropertyList** list) override;
  HRESULT get_RuleList(IAMRuleList** list) override;

  CAMRuleList* rules() const { return rules_.list(); }

 protected:
  void SortRuleLists() override { rules_.list()->Sort(); }

 private:
  GlobalsSection globals_;
  PolicyRuleSection<CAMRuleList> rules_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_AM_AM_PARSER_H_

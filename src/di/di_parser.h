// CDIParser: the parser of DataInspection databases.
//
// Its sections, in save order: Globals, Definitions, ExceptionList,
// RuleList, RuleSetList (policy/policy_parser.h); other top-level elements
// are kept verbatim as custom sections. Beyond the other policy parsers it
// loads a database from text (SetXml).
#ifndef XMLSECDB_DI_DI_PARSER_H_
#define XMLSECDB_DI_DI_PARSER_H_

#include "di/di_rule.h"
#include "policy/policy_parser.h"

namespace xmlsecdb {

class CDIParser final : public PolicyParser<ISDParserDI, CDIRuleList> {
 public:
  CDIParser();

  HRESULT SetXml(std::string_view text, std::int16_t* succeeded) override;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_DI_DI_PARSER_H_

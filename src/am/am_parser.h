// CAMParser: the parser of AntiMalware databases.
//
// Its sections, in save order: Globals, Definitions, ExceptionList,
// RuleList, RuleSetList (policy/policy_parser.h); other top-level elements
// are kept verbatim as custom sections.
#ifndef XMLSECDB_AM_AM_PARSER_H_
#define XMLSECDB_AM_AM_PARSER_H_

#include "am/am_rule.h"
#include "policy/policy_parser.h"

namespace xmlsecdb {

class CAMParser final : public PolicyParser<ISDParserAM, CAMRuleList> {
 public:
  CAMParser();
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_AM_AM_PARSER_H_

// CSBXParser: the parser of Sandbox databases.
//
// Its sections, in save order: Globals, Definitions, ExceptionList,
// RuleList, RuleSetList (policy/policy_parser.h). A save writes no custom
// sections, so top-level elements it does not know are dropped. No item
// event is raised while a file loads (the kind's row in
// core/parser_kinds.h).
#ifndef XMLSECDB_SBX_SBX_PARSER_H_
#define XMLSECDB_SBX_SBX_PARSER_H_

#include "policy/policy_parser.h"
#include "sbx/sbx_rule.h"

namespace xmlsecdb {

class CSBXParser final : public PolicyParser<ISDParserSBX, CSBXRuleList> {
 public:
  CSBXParser();
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_SBX_SBX_PARSER_H_

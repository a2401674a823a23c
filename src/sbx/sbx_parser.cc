#include "sbx/sbx_parser.h"

#include "core/parser_kinds.h"

namespace xmlsecdb {

CSBXParser::CSBXParser()
    : PolicyParser(ParserKindOf(MODULE_SBX), {kSBXDefinitions, kSBXExceptionItems, kSBXRuleSection,
                                              kSBXRuleSets, kSandboxOptionNames}) {}

}  // namespace xmlsecdb

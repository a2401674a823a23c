#include "am/am_parser.h"

#include "core/parser_kinds.h"

namespace xmlsecdb {

CAMParser::CAMParser()
    : PolicyParser(ParserKindOf(MODULE_AM), {.definitions = kAMDefinitions,
                                             .exception_items = kAMExceptionItems,
                                             .rules = kAMRuleSection,
                                             .rule_sets = kAMRuleSets,
                                             .option_names = kAntiMalwareOptionNames,
                                             .reads_string_lists = true}) {}

}  // namespace xmlsecdb

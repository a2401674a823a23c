#include "am/am_parser.h"

#include "core/parser_kinds.h"

namespace xmlsecdb {
namespace {

inline constexpr AppExceptionSectionConfig kAMExceptions = {kPolicyAppExceptionEvents,
                                                            kAMExceptionItems};

inline constexpr GlobalsConfig kAMGlobals = {
    .module = MODULE_AM, .events = kPolicyGlobalOptionEvents, .reads_string_lists = true};

inline constexpr PolicyParserConfig kAMParser = {
    kAMGlobals, kAMDefinitions, kAMExceptions, kAMRuleSection, kAMRuleSets};

}  // namespace

CAMParser::CAMParser() : PolicyParser(ParserKindOf(MODULE_AM), kAMParser) {}

}  // namespace xmlsecdb

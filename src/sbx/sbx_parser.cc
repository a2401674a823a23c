#include "sbx/sbx_parser.h"

#include "core/parser_kinds.h"

namespace xmlsecdb {
namespace {

inline constexpr AppExceptionSectionConfig kSBXExceptions = {kPolicyAppExceptionEvents,
                                                             kSBXExceptionItems};

inline constexpr GlobalsConfig kSBXGlobals = {.module = MODULE_SBX,
                                              .events = kPolicyGlobalOptionEvents};

inline constexpr PolicyParserConfig kSBXParser = {
    kSBXGlobals, kSBXDefinitions, kSBXExceptions, kSBXRuleSection, kSBXRuleSets};

}  // namespace

CSBXParser::CSBXParser() : PolicyParser(ParserKindOf(MODULE_SBX), kSBXParser) {}

}  // namespace xmlsecdb

#include "di/di_parser.h"

#include "core/parser_kinds.h"

namespace xmlsecdb {

CDIParser::CDIParser() : ParserObjectEx(ParserKindOf(MODULE_DI)) {}

}  // namespace xmlsecdb

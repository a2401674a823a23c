#include "app/app_parser.h"

#include "core/parser_kinds.h"

namespace xmlsecdb {

CAPPParser::CAPPParser() : ParserObjectEx(ParserKindOf(MODULE_APP)) {}

}  // namespace xmlsecdb

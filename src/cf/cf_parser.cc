#include "cf/cf_parser.h"

#include "core/parser_kinds.h"

namespace xmlsecdb {

CCFParser::CCFParser() : ParserObjectEx(ParserKindOf(MODULE_CF)) {}

}  // namespace xmlsecdb

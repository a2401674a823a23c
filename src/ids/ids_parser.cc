#include "ids/ids_parser.h"

#include "core/parser_kinds.h"

namespace xmlsecdb {

CIDSParser::CIDSParser() : ParserObjectEx(ParserKindOf(MODULE_IDS)) {}

}  // namespace xmlsecdb

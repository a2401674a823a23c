#include "sbx/sbx_parser.h"

#include "core/parser_kinds.h"

namespace xmlsecdb {

CSBXParser::CSBXParser() : ParserObject(ParserKindOf(MODULE_SBX)) {}

}  // namespace xmlsecdb

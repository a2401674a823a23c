#include "fw/fw_parser.h"

#include "core/parser_kinds.h"

namespace xmlsecdb {

CFWParser::CFWParser() : ParserObjectEx(ParserKindOf(MODULE_FW)) {}

}  // namespace xmlsecdb

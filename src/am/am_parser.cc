#include "am/am_parser.h"

#include "core/parser_kinds.h"

namespace xmlsecdb {

CAMParser::CAMParser() : ParserObjectEx(ParserKindOf(MODULE_AM)) {}

}  // namespace xmlsecdb

// CSBXParser: the parser of Sandbox databases.
#ifndef XMLSECDB_SBX_SBX_PARSER_H_
#define XMLSECDB_SBX_SBX_PARSER_H_

#include "core/parser_object.h"

namespace xmlsecdb {

class CSBXParser final : public ParserObject<ISDParserSBX> {
 public:
  CSBXParser();
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_SBX_SBX_PARSER_H_

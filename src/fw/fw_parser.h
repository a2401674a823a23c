// CFWParser: the parser of Firewall databases.
#ifndef XMLSECDB_FW_FW_PARSER_H_
#define XMLSECDB_FW_FW_PARSER_H_

#include "core/parser_object.h"

namespace xmlsecdb {

class CFWParser final : public ParserObjectEx<ISDParserFW> {
 public:
  CFWParser();
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_FW_FW_PARSER_H_

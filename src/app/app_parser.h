// CAPPParser: the parser of AppRepository databases.
#ifndef XMLSECDB_APP_APP_PARSER_H_
#define XMLSECDB_APP_APP_PARSER_H_

#include "core/parser_object.h"

namespace xmlsecdb {

class CAPPParser final : public ParserObjectEx<ISDParserAPP> {
 public:
  CAPPParser();
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_APP_APP_PARSER_H_

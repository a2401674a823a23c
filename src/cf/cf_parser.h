// CCFParser: the parser of ContentFilter databases.
#ifndef XMLSECDB_CF_CF_PARSER_H_
#define XMLSECDB_CF_CF_PARSER_H_

#include "core/parser_object.h"

namespace xmlsecdb {

class CCFParser final : public ParserObjectEx<ISDParserCF> {
 public:
  CCFParser();
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_CF_CF_PARSER_H_

// CDIParser: the parser of DataInspection databases.
#ifndef XMLSECDB_DI_DI_PARSER_H_
#define XMLSECDB_DI_DI_PARSER_H_

#include "core/parser_object.h"

namespace xmlsecdb {

class CDIParser final : public ParserObjectEx<ISDParserDI> {
 public:
  CDIParser();
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_DI_DI_PARSER_H_

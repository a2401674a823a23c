// CAMParser: the parser of AntiMalware databases.
#ifndef XMLSECDB_AM_AM_PARSER_H_
#define XMLSECDB_AM_AM_PARSER_H_

#include "core/parser_object.h"

namespace xmlsecdb {

class CAMParser final : public ParserObjectEx<ISDParserAM> {
 public:
  CAMParser();
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_AM_AM_PARSER_H_

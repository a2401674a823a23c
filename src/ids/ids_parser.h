// CIDSParser: the parser of IDS databases.
#ifndef XMLSECDB_IDS_IDS_PARSER_H_
#define XMLSECDB_IDS_IDS_PARSER_H_

#include "core/parser_object.h"

namespace xmlsecdb {

class CIDSParser final : public ParserObjectEx<ISDParserIDS> {
 public:
  CIDSParser();
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_IDS_IDS_PARSER_H_

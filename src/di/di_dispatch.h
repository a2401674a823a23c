// The dispatch tables of the data inspection interfaces (the rule, its
// list, the parser and its events). Included by the data inspection class
// headers so that every object made finds its table.
#ifndef XMLSECDB_DI_DI_DISPATCH_H_
#define XMLSECDB_DI_DI_DISPATCH_H_

#include "platform/dispatch_table.h"
#include "xmlsecdb/di.h"
#include "xmlsecdb/parsers.h"

namespace xmlsecdb {

DispatchBinding DispatchTableFor(IDIRule* self);
DispatchBinding DispatchTableFor(IDIRuleList* self);
DispatchBinding DispatchTableFor(ISDParserDI* self);
const DispatchTable* EventTableFor(ISDParserDI* self);

}  // namespace xmlsecdb

#endif  // XMLSECDB_DI_DI_DISPATCH_H_

// The dispatch tables of the sandbox interfaces (the rule, its list, the
// parser and its events). Included by the sandbox class headers so that
// every object made finds its table.
#ifndef XMLSECDB_SBX_SBX_DISPATCH_H_
#define XMLSECDB_SBX_SBX_DISPATCH_H_

#include "platform/dispatch_table.h"
#include "xmlsecdb/parsers.h"
#include "xmlsecdb/sbx.h"

namespace xmlsecdb {

DispatchBinding DispatchTableFor(ISBXRule* self);
DispatchBinding DispatchTableFor(ISBXRuleList* self);
DispatchBinding DispatchTableFor(ISDParserSBX* self);
const DispatchTable* EventTableFor(ISDParserSBX* self);

}  // namespace xmlsecdb

#endif  // XMLSECDB_SBX_SBX_DISPATCH_H_

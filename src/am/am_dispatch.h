// The dispatch tables of the anti-malware interfaces (the rule, its list,
// the parser and its events). Included by the anti-malware class headers
// so that every object made finds its table.
#ifndef XMLSECDB_AM_AM_DISPATCH_H_
#define XMLSECDB_AM_AM_DISPATCH_H_

#include "platform/dispatch_table.h"
#include "xmlsecdb/am.h"
#include "xmlsecdb/parsers.h"

namespace xmlsecdb {

DispatchBinding DispatchTableFor(IAMRule* self);
DispatchBinding DispatchTableFor(IAMRuleList* self);
DispatchBinding DispatchTableFor(ISDParserAM* self);
const DispatchTable* EventTableFor(ISDParserAM* self);

}  // namespace xmlsecdb

#endif  // XMLSECDB_AM_AM_DISPATCH_H_

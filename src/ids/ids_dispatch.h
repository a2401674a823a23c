// The dispatch tables of the IDS interfaces (tokens, rules, groups, their
// lists, the parser and its events). Included by the IDS class headers so
// that every object made finds its table.
#ifndef XMLSECDB_IDS_IDS_DISPATCH_H_
#define XMLSECDB_IDS_IDS_DISPATCH_H_

#include "platform/dispatch_table.h"
#include "xmlsecdb/ids.h"
#include "xmlsecdb/parsers.h"

namespace xmlsecdb {

DispatchBinding DispatchTableFor(IIDSToken* self);
DispatchBinding DispatchTableFor(IIDSTokenList* self);
DispatchBinding DispatchTableFor(IIDSRule* self);
DispatchBinding DispatchTableFor(IIDSRuleList* self);
DispatchBinding DispatchTableFor(IIDSGroup* self);
DispatchBinding DispatchTableFor(IIDSGroupList* self);
DispatchBinding DispatchTableFor(ISDParserIDS* self);
const DispatchTable* EventTableFor(ISDParserIDS* self);

}  // namespace xmlsecdb

#endif  // XMLSECDB_IDS_IDS_DISPATCH_H_

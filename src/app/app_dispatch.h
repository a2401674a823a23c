// The dispatch tables of the application repository's interfaces: labels
// and DLL labels with their checksums, groups and DLL groups, rules and
// the groups rules report, identity redirections and identities, their
// lists, the parser and its events. Included by the repository's class headers
// so that every object made finds its table (platform/dispatch_table.h).
//
// A group reference (CRefLabel) answers by name as the ISimpleItem it is
// first; its IAppGroupLabel members are reached through QueryInterface.
#ifndef XMLSECDB_APP_APP_DISPATCH_H_
#define XMLSECDB_APP_APP_DISPATCH_H_

#include "platform/dispatch_table.h"
#include "xmlsecdb/app.h"
#include "xmlsecdb/parsers.h"

namespace xmlsecdb {

DispatchBinding DispatchTableFor(IChecksum* self);
DispatchBinding DispatchTableFor(IChecksumList* self);
DispatchBinding DispatchTableFor(ILabel* self);
DispatchBinding DispatchTableFor(ILabelList* self);
DispatchBinding DispatchTableFor(IAppGroup* self);
DispatchBinding DispatchTableFor(IAppGroupList* self);
DispatchBinding DispatchTableFor(IDllLabel* self);
DispatchBinding DispatchTableFor(IDllLabelList* self);
DispatchBinding DispatchTableFor(IDllGroup* self);
DispatchBinding DispatchTableFor(IDllGroupList* self);
DispatchBinding DispatchTableFor(IAppRule* self);
DispatchBinding DispatchTableFor(IAppRuleList* self);
DispatchBinding DispatchTableFor(IAppRuleGroup* self);
DispatchBinding DispatchTableFor(IAppRuleGroupList* self);
DispatchBinding DispatchTableFor(IIdentity* self);
DispatchBinding DispatchTableFor(IIdentityList* self);
DispatchBinding DispatchTableFor(IIdentityRedirection* self);
DispatchBinding DispatchTableFor(IIdentityRedirectionList* self);
DispatchBinding DispatchTableFor(ISDParserAPP* self);
const DispatchTable* EventTableFor(ISDParserAPP* self);

}  // namespace xmlsecdb

#endif  // XMLSECDB_APP_APP_DISPATCH_H_

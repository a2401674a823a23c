// The dispatch tables of the firewall interfaces: the transport items and
// their list, the five rule families and their lists, the parser and its
// events (the definitions, application
// exceptions, options and rule sets answer through the shared tables of
// model/model_dispatch.h). Included by the firewall class headers so that
// every object made finds its table.
#ifndef XMLSECDB_FW_FW_DISPATCH_H_
#define XMLSECDB_FW_FW_DISPATCH_H_

#include "platform/dispatch_table.h"
#include "xmlsecdb/fw.h"
#include "xmlsecdb/fw_rules.h"
#include "xmlsecdb/parsers.h"

namespace xmlsecdb {

DispatchBinding DispatchTableFor(IFWItem* self);
DispatchBinding DispatchTableFor(IFWItemList* self);
DispatchBinding DispatchTableFor(IFWRule* self);
DispatchBinding DispatchTableFor(IFWRuleList* self);
DispatchBinding DispatchTableFor(IFWRoutedRule* self);
DispatchBinding DispatchTableFor(IFWRoutedRuleList* self);
DispatchBinding DispatchTableFor(IFWDialNumber* self);
DispatchBinding DispatchTableFor(IFWDialNumberList* self);
DispatchBinding DispatchTableFor(IFWZoneRule* self);
DispatchBinding DispatchTableFor(IFWZoneRuleList* self);
DispatchBinding DispatchTableFor(IBindSocketNotification* self);
DispatchBinding DispatchTableFor(IBindSocketNotificationList* self);
DispatchBinding DispatchTableFor(ISDParserFW* self);
const DispatchTable* EventTableFor(ISDParserFW* self);

}  // namespace xmlsecdb

#endif  // XMLSECDB_FW_FW_DISPATCH_H_

// The dispatch tables of the shared object model's interfaces: rule sets,
// global options, access descriptors, condition switches, definitions and
// simple items, value lists, application exceptions and expressions, with
// their lists.
// Each class header of the model includes this one, so that every object
// made finds its table (platform/dispatch_table.h).
#ifndef XMLSECDB_MODEL_MODEL_DISPATCH_H_
#define XMLSECDB_MODEL_MODEL_DISPATCH_H_

#include "list/collection_dispatch.h"
#include "platform/dispatch_table.h"
#include "xmlsecdb/access.h"
#include "xmlsecdb/app_exceptions.h"
#include "xmlsecdb/definitions.h"
#include "xmlsecdb/expression.h"
#include "xmlsecdb/global_options.h"
#include "xmlsecdb/rule_sets.h"

namespace xmlsecdb {

DispatchBinding DispatchTableFor(IRuleSet* self);
DispatchBinding DispatchTableFor(IRuleSetList* self);
DispatchBinding DispatchTableFor(IProperty* self);
DispatchBinding DispatchTableFor(IPropertyList* self);
DispatchBinding DispatchTableFor(IAccessDescriptor* self);
DispatchBinding DispatchTableFor(IAccessDescriptorList* self);
DispatchBinding DispatchTableFor(IConditionSwitch* self);
DispatchBinding DispatchTableFor(IConditionSwitchList* self);
DispatchBinding DispatchTableFor(IDefinition* self);
DispatchBinding DispatchTableFor(IDefinitionList* self);
DispatchBinding DispatchTableFor(ISimpleItem* self);
DispatchBinding DispatchTableFor(ISimpleItemList* self);
DispatchBinding DispatchTableFor(ISimpleValueList* self);
DispatchBinding DispatchTableFor(IULongList* self);
DispatchBinding DispatchTableFor(IAppException* self);
DispatchBinding DispatchTableFor(IAppExceptionList* self);
DispatchBinding DispatchTableFor(IExpressionElement* self);
DispatchBinding DispatchTableFor(IExpression* self);

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_MODEL_DISPATCH_H_

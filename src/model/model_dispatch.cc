#include "model/model_dispatch.h"

namespace xmlsecdb {
namespace {

namespace rule_set {
using I = IRuleSet;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Property<&I::get_RuleSetID, &I::put_RuleSetID>("RuleSetID", 1),
    M::Property<&I::get_Description, &I::put_Description>("Description", 2),
    M::Get<&I::get_RuleListIDs>("RuleListIDs", 3),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = DispatchTableOf<I>("IRuleSet", kMembers);
}  // namespace rule_set

namespace rule_set_list {
using I = IRuleSetList;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Method<&I::CreateRuleSet>("CreateRuleSet", 2),
    M::Method<&I::Insert>("Insert", 3),
    M::Method<&I::Remove>("Remove", 4),
    M::Method<&I::Clear>("Clear", 5),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = CollectionTableOf<I>(
    "IRuleSetList", kMembers,
    {.identity = "RuleSetID", .order = LISTORDER_PLAIN, .summary = "Description"});
}  // namespace rule_set_list

namespace property {
using I = IProperty;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Property<&I::get_PropertyID, &I::put_PropertyID>("PropertyID", 1),
    M::Property<&I::get_Type, &I::put_Type>("Type", 2),
    M::Property<&I::get_value, &I::put_value>("value", 3),
    M::Property<&I::get_Priority, &I::put_Priority>("Priority", 4),
    M::Property<&I::get_Assignment, &I::put_Assignment>("Assignment", 5),
    M::Property<&I::get_UIFlags, &I::put_UIFlags>("UIFlags", 6),
    M::Property<&I::get_Order, &I::put_Order>("Order", 7),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = DispatchTableOf<I>("IProperty", kMembers);
}  // namespace property

namespace property_list {
using I = IPropertyList;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Method<&I::CreateProperty>("CreateProperty", 2),
    M::Method<&I::Insert>("Insert", 3),
    M::Method<&I::Remove>("Remove", 4),
    M::Method<&I::Get>("Get", 5),
    M::Method<&I::Clear>("Clear", 6),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = CollectionTableOf<I>(
    "IPropertyList", kMembers,
    {.identity = "PropertyID", .order = LISTORDER_PLAIN, .summary = "Type,value"});
}  // namespace property_list

namespace access_descriptor {
using I = IAccessDescriptor;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Property<&I::get_AccessType, &I::put_AccessType>("AccessType", 1),
    M::Property<&I::get_AccessResult, &I::put_AccessResult>("AccessResult", 2),
    M::Property<&I::get_AuditLevel, &I::put_AuditLevel>("AuditLevel", 3),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = DispatchTableOf<I>("IAccessDescriptor", kMembers);
}  // namespace access_descriptor

namespace access_descriptor_list {
using I = IAccessDescriptorList;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Method<&I::CreateAccessDescriptor>("CreateAccessDescriptor", 2),
    M::Method<&I::Insert>("Insert", 3),
    M::Method<&I::Remove>("Remove", 4),
    M::Method<&I::Clear>("Clear", 5),
    M::Method<&I::CopyToList>("CopyToList", 6),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = CollectionTableOf<I>(
    "IAccessDescriptorList", kMembers,
    {.identity = "AccessType", .order = LISTORDER_PLAIN, .summary = "AccessResult,AuditLevel"});
}  // namespace access_descriptor_list

namespace condition_switch {
using I = IConditionSwitch;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Property<&I::get_Type, &I::put_Type>("Type", 1),
    M::Property<&I::get_Target, &I::put_Target>("Target", 2),
    M::Property<&I::get_BitsOn, &I::put_BitsOn>("BitsOn", 3),
    M::Property<&I::get_BitsOff, &I::put_BitsOff>("BitsOff", 4),
    M::Property<&I::get_UIFlags, &I::put_UIFlags>("UIFlags", 5),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = DispatchTableOf<I>("IConditionSwitch", kMembers);
}  // namespace condition_switch

namespace condition_switch_list {
using I = IConditionSwitchList;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Method<&I::CreateConditionSwitch>("CreateConditionSwitch", 2),
    M::Method<&I::Insert>("Insert", 3),
    M::Method<&I::Remove>("Remove", 4),
    M::Method<&I::Clear>("Clear", 5),
    M::Method<&I::CopyToList>("CopyToList", 6),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable =
    CollectionTableOf<I>("IConditionSwitchList", kMembers,
                         {.order = LISTORDER_PLAIN, .summary = "Type,Target,BitsOn,BitsOff"});
}  // namespace condition_switch_list

namespace definition {
using I = IDefinition;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Property<&I::get_DefinitionID, &I::put_DefinitionID>("DefinitionID", 1),
    M::Property<&I::get_ObjectType, &I::put_ObjectType>("ObjectType", 2),
    M::Get<&I::get_ItemList>("ItemList", 3),
    M::Property<&I::get_UIFlags, &I::put_UIFlags>("UIFlags", 4),
    M::Property<&I::get_Description, &I::put_Description>("Description", 5),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = DispatchTableOf<I>("IDefinition", kMembers);
}  // namespace definition

namespace definition_list {
using I = IDefinitionList;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Method<&I::CreateDefinition>("CreateDefinition", 2),
    M::Method<&I::Insert>("Insert", 3),
    M::Method<&I::Remove>("Remove", 4),
    M::Method<&I::Get>("Get", 5),
    M::Method<&I::Clear>("Clear", 6),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = CollectionTableOf<I>(
    "IDefinitionList", kMembers,
    {.identity = "DefinitionID", .order = LISTORDER_PLAIN, .summary = "ObjectType,Description"});
}  // namespace definition_list

namespace simple_item {
using I = ISimpleItem;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Property<&I::get_Content, &I::put_Content>("Content", 1),
};
constexpr DispatchTable kTable = DispatchTableOf<I>("ISimpleItem", kMembers);
}  // namespace simple_item

namespace simple_item_list {
using I = ISimpleItemList;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Method<&I::CreateItem>("CreateItem", 2),
    M::Method<&I::Insert>("Insert", 3),
    M::Method<&I::Remove>("Remove", 4),
    M::Method<&I::Clear>("Clear", 5),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = CollectionTableOf<I>(
    "ISimpleItemList", kMembers, {.identity = "Content", .order = LISTORDER_PLAIN});
}  // namespace simple_item_list

namespace simple_value_list {
using I = ISimpleValueList;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Get<&I::get__NewEnum>("_NewEnum", DISPID_NEWENUM),
    M::Get<&I::get_Item>("Item", DISPID_VALUE),
    M::Get<&I::get_Count>("Count", 1),
    M::Method<&I::Insert>("Insert", 2),
    M::Method<&I::Remove>("Remove", 3),
    M::Method<&I::Clear>("Clear", 4),
    M::Method<&I::CopyToList>("CopyToList", 5),
    M::Method<&I::InsertAt>("InsertAt", 6),
    M::Method<&I::RemoveAt>("RemoveAt", 7),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable =
    DispatchTableOf<I>("ISimpleValueList", kMembers, nullptr, {.order = LISTORDER_PLAIN});
}  // namespace simple_value_list

namespace ulong_list {
using I = IULongList;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Get<&I::get__NewEnum>("_NewEnum", DISPID_NEWENUM),
    M::Get<&I::get_Item>("Item", DISPID_VALUE),
    M::Get<&I::get_Count>("Count", 1),
    M::Method<&I::Insert>("Insert", 2),
    M::Method<&I::Remove>("Remove", 3),
    M::Method<&I::Clear>("Clear", 4),
    M::Method<&I::CopyToList>("CopyToList", 5),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable =
    DispatchTableOf<I>("IULongList", kMembers, nullptr, {.order = LISTORDER_SORTED});
}  // namespace ulong_list

namespace app_exception {
using I = IAppException;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Property<&I::get_AppType, &I::put_AppType>("AppType", 1),
    M::Property<&I::get_Application, &I::put_Application>("Application", 2),
    M::Property<&I::get_ActiveGuards, &I::put_ActiveGuards>("ActiveGuards", 3),
    M::Property<&I::get_Priority, &I::put_Priority>("Priority", 4),
    M::Property<&I::get_Assignment, &I::put_Assignment>("Assignment", 5),
    M::Property<&I::get_Account, &I::put_Account>("Account", 6),
    M::Property<&I::get_UIFlags, &I::put_UIFlags>("UIFlags", 7),
    M::Property<&I::get_Order, &I::put_Order>("Order", 8),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = DispatchTableOf<I>("IAppException", kMembers);
}  // namespace app_exception

namespace app_exception_list {
using I = IAppExceptionList;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Method<&I::CreateAppException>("CreateAppException", 2),
    M::Method<&I::Insert>("Insert", 3),
    M::Method<&I::Remove>("Remove", 4),
    M::Method<&I::Clear>("Clear", 5),
    M::Method<&I::GetAllGuardsText>("GetAllGuardsText", 6),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = CollectionTableOf<I>("IAppExceptionList", kMembers,
                                                      {.identity = "AppType,Application",
                                                       .order = LISTORDER_PLAIN,
                                                       .summary = "ActiveGuards,Priority"});
}  // namespace app_exception_list

namespace expression_element {
using I = IExpressionElement;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Property<&I::get_Description, &I::put_Description>("Description", 1),
    M::Property<&I::get_value, &I::put_value>("value", 2),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = DispatchTableOf<I>("IExpressionElement", kMembers);
}  // namespace expression_element

namespace expression {
using I = IExpression;
using M = DispatchMembers<I>;
constexpr DispatchMember kMembers[] = {
    M::Method<&I::Create>("Create", 2),  M::Method<&I::Insert>("Insert", 3),
    M::Method<&I::Remove>("Remove", 4),  M::Method<&I::Clear>("Clear", 6),
    M::Get<&I::get_String>("String", 7),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchTable kTable = CollectionTableOf<I>("IExpression", kMembers);
}  // namespace expression

}  // namespace

DispatchBinding DispatchTableFor(IRuleSet* self) { return BindTable(rule_set::kTable, self); }
DispatchBinding DispatchTableFor(IRuleSetList* self) {
  return BindTable(rule_set_list::kTable, self);
}
DispatchBinding DispatchTableFor(IProperty* self) { return BindTable(property::kTable, self); }
DispatchBinding DispatchTableFor(IPropertyList* self) {
  return BindTable(property_list::kTable, self);
}
DispatchBinding DispatchTableFor(IAccessDescriptor* self) {
  return BindTable(access_descriptor::kTable, self);
}
DispatchBinding DispatchTableFor(IAccessDescriptorList* self) {
  return BindTable(access_descriptor_list::kTable, self);
}
DispatchBinding DispatchTableFor(IConditionSwitch* self) {
  return BindTable(condition_switch::kTable, self);
}
DispatchBinding DispatchTableFor(IConditionSwitchList* self) {
  return BindTable(condition_switch_list::kTable, self);
}
DispatchBinding DispatchTableFor(IDefinition* self) { return BindTable(definition::kTable, self); }
DispatchBinding DispatchTableFor(IDefinitionList* self) {
  return BindTable(definition_list::kTable, self);
}
DispatchBinding DispatchTableFor(ISimpleItem* self) { return BindTable(simple_item::kTable, self); }
DispatchBinding DispatchTableFor(ISimpleItemList* self) {
  return BindTable(simple_item_list::kTable, self);
}
DispatchBinding DispatchTableFor(ISimpleValueList* self) {
  return BindTable(simple_value_list::kTable, self);
}
DispatchBinding DispatchTableFor(IULongList* self) { return BindTable(ulong_list::kTable, self); }
DispatchBinding DispatchTableFor(IAppException* self) {
  return BindTable(app_exception::kTable, self);
}
DispatchBinding DispatchTableFor(IAppExceptionList* self) {
  return BindTable(app_exception_list::kTable, self);
}
DispatchBinding DispatchTableFor(IExpressionElement* self) {
  return BindTable(expression_element::kTable, self);
}
DispatchBinding DispatchTableFor(IExpression* self) { return BindTable(expression::kTable, self); }

}  // namespace xmlsecdb

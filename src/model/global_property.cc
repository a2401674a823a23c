#include "model/global_property.h"

#include "core/error_report.h"
#include "core/return_if_failed.h"

namespace xmlsecdb {
namespace {

constexpr ListTraits kGlobalPropertyListTraits = {.class_name = "CGlobalPropertyList",
                                                  .create_name = "CreateProperty",
                                                  .clsid = &CLSID_GlobalPropertyList,
                                                  .iid = &IPropertyList::kIID};

}  // namespace

bool SameOptionValue(const Variant& a, const Variant& b) { return a.type() == b.type() && a == b; }

HRESULT CGlobalProperty::get_PropertyID(std::int32_t* id) { return GetField(id_, id); }

HRESULT CGlobalProperty::put_PropertyID(std::int32_t id) {
  constexpr std::string_view kSource = "CGlobalProperty::put_PropertyID()";
  RETURN_IF_FAILED(CheckWritable(kSource));
  if (attached()) {
    // Also when `id` is this option's own: the list holds it already.
    auto* options = static_cast<CGlobalPropertyList*>(list());
    if (options->Find(id)) {
      const ListTraits& traits = options->traits();
      return ReportError(kSource, *traits.clsid, kMsgDuplicateId, *traits.iid, SECDB_E_DUPLICATEID);
    }
  }
  Change(id_, id, GOP_ID);
  return S_OK;
}

HRESULT CGlobalProperty::get_Type(EPropertyType* type) { return GetField(type_, type); }

HRESULT CGlobalProperty::put_Type(EPropertyType type) {
  return Put("CGlobalProperty::put_Type()", type_, type, GOP_TYPE);
}

HRESULT CGlobalProperty::get_value(Variant* value) { return GetField(value_, value); }

HRESULT CGlobalProperty::put_value(const Variant& value) {
  RETURN_IF_FAILED(CheckWritable("CGlobalProperty::put_value()"));
  if (!attached() || SameOptionValue(value_, value)) {
    value_ = value;
    return S_OK;
  }
  NotifyChange(true, GOP_VALUE);
  value_ = value;
  NotifyChange(false, GOP_VALUE);
  return S_OK;
}

HRESULT CGlobalProperty::get_Priority(EPriority* priority) {
  return GetPriority(precedence_, priority);
}

HRESULT CGlobalProperty::put_Priority(EPriority priority) {
  return PutPriority(*this, precedence_, "CGlobalProperty::put_Priority()", priority, GOP_PRIORITY);
}

HRESULT CGlobalProperty::get_Assignment(std::string* assignment) {
  return GetField(assignment_, assignment);
}

HRESULT CGlobalProperty::put_Assignment(std::string_view assignment) {
  return Put("CGlobalProperty::put_Assignment()", assignment_, assignment, GOP_ASSIGNMENT);
}

HRESULT CGlobalProperty::get_UIFlags(std::string* flags) { return GetField(ui_flags_, flags); }

HRESULT CGlobalProperty::put_UIFlags(std::string_view flags) {
  RETURN_IF_FAILED(CheckWritable("CGlobalProperty::put_UIFlags()"));
  ui_flags_ = flags;
  return S_OK;
}

HRESULT CGlobalProperty::get_Order(std::int32_t* order) { return GetOrder(precedence_, order); }

HRESULT CGlobalProperty::put_Order(std::int32_t order) {
  return PutOrder(*this, precedence_, "CGlobalProperty::put_Order()", order, GOP_ORDER);
}

CGlobalPropertyList::CGlobalPropertyList(IListOwner* owner)
    : PlainList(owner, kGlobalPropertyListTraits) {}

CGlobalProperty* CGlobalPropertyList::Find(std::int32_t id) const {
  return static_cast<CGlobalProperty*>(FindMember(
      [id](ListItemBase* member) { return static_cast<CGlobalProperty*>(member)->id() == id; }));
}

HRESULT CGlobalPropertyList::Insert(IProperty* property) {
  if (!property) return E_POINTER;
  RETURN_IF_FAILED(CheckWritable("Insert"));
  std::int32_t id = 0;
  RETURN_IF_FAILED(property->get_PropertyID(&id));
  if (id == 0) return Report("Insert()", kMsgWrongId, SECDB_E_INVALIDVALUE);
  if (Find(id)) return Report("Insert()", kMsgDuplicateId, SECDB_E_DUPLICATEID);
  return InsertMember(AsListItem(property));
}

HRESULT CGlobalPropertyList::Get(std::int32_t id, IProperty** property) {
  if (!property) return E_POINTER;
  *property = nullptr;
  CGlobalProperty* found = Find(id);
  if (!found) return Report("Get()", kMsgNotFound, SECDB_E_NOTFOUND);
  found->AddRef();
  *property = found;
  return S_OK;
}

}  // namespace xmlsecdb

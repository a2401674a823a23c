#include "model/access_descriptor.h"

#include "core/return_if_failed.h"

namespace xmlsecdb {

HRESULT CAccessDescriptor::get_AccessType(std::int32_t* access_type) {
  return GetField(access_type_, access_type);
}

HRESULT CAccessDescriptor::put_AccessType(std::int32_t access_type) {
  return Put("CAccessDescriptor::put_AccessType()", access_type_, access_type, kAccessTypeDispid);
}

HRESULT CAccessDescriptor::get_AccessResult(EAccessResult* result) {
  return GetField(access_result_, result);
}

HRESULT CAccessDescriptor::put_AccessResult(EAccessResult result) {
  return Put("CAccessDescriptor::put_AccessResult()", access_result_, result, kAccessResultDispid);
}

HRESULT CAccessDescriptor::get_AuditLevel(EAuditLevel* level) {
  return GetField(audit_level_, level);
}

HRESULT CAccessDescriptor::put_AuditLevel(EAuditLevel level) {
  return Put("CAccessDescriptor::put_AuditLevel()", audit_level_, level, kAuditLevelDispid);
}

HRESULT CAccessDescriptorList::CopyToList(IAccessDescriptorList* target) {
  if (!target) return E_POINTER;
  // Clearing the target first would empty a list copied onto itself.
  if (target == static_cast<IAccessDescriptorList*>(this)) return S_OK;
  RETURN_IF_FAILED(target->Clear());
  // By index, re-reading the count: the target's owner may change this list
  // from its notifications.
  for (std::int32_t i = 0; i < count(); ++i) {
    const CAccessDescriptor& from = *at(i);
    ComPtr<IAccessDescriptor> copy;
    RETURN_IF_FAILED(target->CreateAccessDescriptor(copy.Put()));
    RETURN_IF_FAILED(copy->put_AccessResult(from.access_result()));
    RETURN_IF_FAILED(copy->put_AccessType(from.access_type()));
    RETURN_IF_FAILED(copy->put_AuditLevel(from.audit_level()));
    RETURN_IF_FAILED(target->Insert(copy.get()));
  }
  return S_OK;
}

}  // namespace xmlsecdb

#include "model/access_descriptor.h"

#include "core/return_if_failed.h"

namespace xmlsecdb {

HRESULT CAccessDescriptor::get_AccessType(std::int32_t* access_type) {
  if (!access_type) return E_POINTER;
  *access_type = access_type_;
  return S_OK;
}

HRESULT CAccessDescriptor::put_AccessType(std::int32_t access_type) {
  RETURN_IF_FAILED(CheckWritable("CAccessDescriptor::put_AccessType()"));
  Change(access_type_, access_type, kAccessTypeDispid);
  return S_OK;
}

HRESULT CAccessDescriptor::get_AccessResult(EAccessResult* result) {
  if (!result) return E_POINTER;
  *result = access_result_;
  return S_OK;
}

HRESULT CAccessDescriptor::put_AccessResult(EAccessResult result) {
  RETURN_IF_FAILED(CheckWritable("CAccessDescriptor::put_AccessResult()"));
  Change(access_result_, result, kAccessResultDispid);
  return S_OK;
}

HRESULT CAccessDescriptor::get_AuditLevel(EAuditLevel* level) {
  if (!level) return E_POINTER;
  *level = audit_level_;
  return S_OK;
}

HRESULT CAccessDescriptor::put_AuditLevel(EAuditLevel level) {
  RETURN_IF_FAILED(CheckWritable("CAccessDescriptor::put_AuditLevel()"));
  Change(audit_level_, level, kAuditLevelDispid);
  return S_OK;
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

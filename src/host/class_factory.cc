#include "host/class_factory.h"

namespace xmlsecdb {

HRESULT CClassFactory::CreateInstance(IUnknown* outer, const IID& iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  return create_(iid, object);
}

HRESULT CClassFactory::LockServer(bool lock) {
  if (lock) {
    ModuleCounts::Lock(true);
    return S_OK;
  }
  return ModuleCounts::Unlock() ? S_OK : E_UNEXPECTED;
}

}  // namespace xmlsecdb

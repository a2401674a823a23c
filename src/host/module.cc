// The module's class objects and creation through them.
#include "xmlsecdb/module.h"

#include "host/class_factory.h"
#include "platform/agent_classes.h"
#include "platform/env.h"
#include "xmlsecdb/classes.h"

using xmlsecdb::HRESULT;

extern "C" HRESULT DllGetClassObject(const xmlsecdb::CLSID& clsid, const xmlsecdb::IID& iid,
                                     void** object) {
  using namespace xmlsecdb;
  if (!object) return E_POINTER;
  *object = nullptr;
  CreateFunction create = FindCreator(clsid);
  if (!create) return CLASS_E_CLASSNOTAVAILABLE;
  ComPtr<CClassFactory> factory = MakeObject<CClassFactory>(create);
  return factory->QueryInterface(iid, object);
}

extern "C" HRESULT DllCanUnloadNow() {
  using xmlsecdb::ModuleCounts;
  return ModuleCounts::objects() == 0 && ModuleCounts::locks() == 0 ? xmlsecdb::S_OK
                                                                    : xmlsecdb::S_FALSE;
}

namespace xmlsecdb {

HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, std::uint32_t, const IID& iid,
                         void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  ComPtr<IClassFactory> factory;
  HRESULT hr =
      DllGetClassObject(clsid, IClassFactory::kIID, reinterpret_cast<void**>(factory.Put()));
  // Classes outside the module that the runtime knows: the agent's
  // services, registered by the process's environment.
  if (hr == CLASS_E_CLASSNOTAVAILABLE) {
    if (outer) return CLASS_E_NOAGGREGATION;
    return CreateAgentObject(ProcessEnv(), clsid, iid, object);
  }
  if (Failed(hr)) return hr;
  return factory->CreateInstance(outer, iid, object);
}

HRESULT CreateInstanceByProgID(std::string_view progid, const IID& iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  CLSID clsid;
  HRESULT hr = CLSIDFromProgID(progid, &clsid);
  if (Failed(hr)) return hr;
  return CoCreateInstance(clsid, nullptr, 0, iid, object);
}

}  // namespace xmlsecdb

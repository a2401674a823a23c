// CClassFactory: the class object of one class of the object map.
#ifndef XMLSECDB_HOST_CLASS_FACTORY_H_
#define XMLSECDB_HOST_CLASS_FACTORY_H_

#include "host/object_map.h"
#include "platform/object.h"
#include "xmlsecdb/module.h"

namespace xmlsecdb {

// A new factory is made for every request rather than cached: being an
// ordinary object of the module, it keeps DllCanUnloadNow at S_FALSE while
// a client holds it, so the code it points into cannot be unloaded under it.
class CClassFactory final : public ComObject<IClassFactory> {
 public:
  explicit CClassFactory(CreateFunction create) : create_(create) {}

  HRESULT CreateInstance(IUnknown* outer, const IID& iid, void** object) override;
  HRESULT LockServer(bool lock) override;

 private:
  const CreateFunction create_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_HOST_CLASS_FACTORY_H_

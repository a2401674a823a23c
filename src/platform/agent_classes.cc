#include "platform/agent_classes.h"

#include <utility>
#include <vector>

#include "platform/agent_services.h"
#include "platform/env.h"
#include "platform/object.h"

namespace xmlsecdb {
namespace {

// Neither class is called late-bound by this library.
template <class Interface>
class AgentObject : public ComObject<Interface> {
 public:
  HRESULT Invoke(DISPID, const Variant*, std::uint32_t, Variant*) override {
    return DISP_E_MEMBERNOTFOUND;
  }
};

class CPathExpander final : public AgentObject<IPathExpander> {
 public:
  explicit CPathExpander(PathExpander& service) : service_(service) {}

  HRESULT Expand(std::string_view path, Variant* paths, std::int32_t* expanded) override {
    if (!paths || !expanded) return E_POINTER;
    std::vector<std::string> found;
    bool any = false;
    HRESULT hr = service_.Expand(path, &found, &any);
    if (Failed(hr)) return hr;
    *paths = Variant(std::move(found));
    *expanded = any ? 1 : 0;
    return hr;
  }
  HRESULT Describe(std::string_view path, std::string* description) override {
    if (!description) return E_POINTER;
    return service_.Describe(path, description);
  }

 private:
  PathExpander& service_;
};

class CFileChecksum final : public AgentObject<IFileChecksum> {
 public:
  explicit CFileChecksum(ChecksumService& service) : service_(service) {}

  HRESULT Derive(std::int32_t kind, std::string_view checksum, std::string* derived) override {
    if (!derived) return E_POINTER;
    return service_.Derive(kind, checksum, derived);
  }
  HRESULT Compute(std::int32_t kind, std::string_view text, std::string* checksum) override {
    if (!checksum) return E_POINTER;
    return service_.Compute(kind, text, checksum);
  }

 private:
  ChecksumService& service_;
};

template <class T, class Service>
HRESULT Create(Service* service, const IID& iid, void** object) {
  if (!service) return REGDB_E_CLASSNOTREG;
  ComPtr<T> created = MakeObject<T>(*service);
  return created->QueryInterface(iid, object);
}

}  // namespace

HRESULT CreateAgentObject(const Env& env, const CLSID& clsid, const IID& iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (clsid == CLSID_PathExpander) return Create<CPathExpander>(env.path_expander, iid, object);
  if (clsid == CLSID_FileChecksum) return Create<CFileChecksum>(env.checksum_service, iid, object);
  return CLASS_E_CLASSNOTAVAILABLE;
}

}  // namespace xmlsecdb

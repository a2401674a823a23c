#include "host/registration.h"

#include <string>

#include "core/return_if_failed.h"
#include "platform/env.h"
#include "platform/module_path.h"
#include "xmlsecdb/classes.h"
#include "xmlsecdb/module.h"

namespace xmlsecdb {
namespace {

constexpr std::string_view kRoot = "HKEY_CLASSES_ROOT\\";
constexpr std::string_view kAppName = "XMLSecDBParser";
constexpr std::string_view kAppModuleKey = "AppID\\XMLSecDBParser.DLL";
// Safe for scripting, safe for initialising, and the third category every
// class of the module declares.
constexpr GUID kCategories[] = {
    MakeGuid("{7DD95801-9882-11CF-9FA9-00AA006C42C4}"),
    MakeGuid("{7DD95802-9882-11CF-9FA9-00AA006C42C4}"),
    MakeGuid("{D4432D1E-CBA2-4D8B-A9BD-5BA426FBFF54}"),
};

std::string Key(std::string_view path) { return std::string(kRoot).append(path); }

std::string ClassKey(const ClassInfo& info) { return Key("CLSID\\" + GuidToString(*info.clsid)); }

HRESULT RegisterProgID(Registry& registry, std::string_view progid, const ClassInfo& info) {
  std::string key = Key(progid);
  RETURN_IF_FAILED(registry.SetString(key, "", info.description));
  return registry.SetString(key + "\\CLSID", "", GuidToString(*info.clsid));
}

HRESULT RegisterClass(Registry& registry, const ClassInfo& info, std::string_view module_path) {
  RETURN_IF_FAILED(RegisterProgID(registry, info.progid, info));
  RETURN_IF_FAILED(RegisterProgID(registry, info.independent_progid, info));
  RETURN_IF_FAILED(registry.SetString(Key(info.independent_progid) + "\\CurVer", "", info.progid));

  const std::string key = ClassKey(info);
  RETURN_IF_FAILED(registry.SetString(key, "", info.description));
  RETURN_IF_FAILED(registry.SetString(key, "AppID", GuidToString(kAppID)));
  RETURN_IF_FAILED(registry.SetString(key + "\\ProgID", "", info.progid));
  RETURN_IF_FAILED(
      registry.SetString(key + "\\VersionIndependentProgID", "", info.independent_progid));
  RETURN_IF_FAILED(registry.CreateKey(key + "\\Programmable"));
  RETURN_IF_FAILED(registry.SetString(key + "\\InprocServer32", "", module_path));
  RETURN_IF_FAILED(registry.SetString(key + "\\InprocServer32", "ThreadingModel", "Apartment"));
  // There is no type library file on this platform: the class records the
  // library identifier, and nothing is written under HKEY_CLASSES_ROOT\TypeLib.
  RETURN_IF_FAILED(registry.SetString(key + "\\TypeLib", "", GuidToString(kTypeLibID)));
  for (const GUID& category : kCategories) {
    RETURN_IF_FAILED(
        registry.CreateKey(key + "\\Implemented Categories\\" + GuidToString(category)));
  }
  return S_OK;
}

// Registry::Save reports a store kept in memory as S_FALSE; the entry points
// succeed all the same.
HRESULT SaveStore(Registry& registry) {
  HRESULT hr = registry.Save();
  return Failed(hr) ? hr : S_OK;
}

}  // namespace

HRESULT RegisterServer(Registry& registry, std::string_view module_path) {
  const std::string app_key = Key("AppID\\" + GuidToString(kAppID));
  RETURN_IF_FAILED(registry.SetString(app_key, "", kAppName));
  RETURN_IF_FAILED(registry.SetString(Key(kAppModuleKey), "AppID", GuidToString(kAppID)));
  std::size_t count = 0;
  const ClassInfo* classes = ParserClasses(&count);
  for (std::size_t i = 0; i < count; ++i) {
    RETURN_IF_FAILED(RegisterClass(registry, classes[i], module_path));
  }
  return S_OK;
}

HRESULT UnregisterServer(Registry& registry) {
  std::size_t count = 0;
  const ClassInfo* classes = ParserClasses(&count);
  for (std::size_t i = 0; i < count; ++i) {
    const ClassInfo& info = classes[i];
    for (const std::string& key :
         {Key(info.progid), Key(info.independent_progid), ClassKey(info)}) {
      RETURN_IF_FAILED(registry.DeleteKey(key));
    }
  }
  RETURN_IF_FAILED(registry.DeleteKey(Key("AppID\\" + GuidToString(kAppID))));
  RETURN_IF_FAILED(registry.DeleteKey(Key(kAppModuleKey)));
  return S_OK;
}

}  // namespace xmlsecdb

using xmlsecdb::HRESULT;

extern "C" HRESULT DllRegisterServer() {
  using namespace xmlsecdb;
  const std::string module_path = ModulePath();
  if (module_path.empty()) return E_FAIL;
  Registry& registry = *ProcessEnv().registry;
  RETURN_IF_FAILED(RegisterServer(registry, module_path));
  return SaveStore(registry);
}

extern "C" HRESULT DllUnregisterServer() {
  using namespace xmlsecdb;
  Registry& registry = *ProcessEnv().registry;
  RETURN_IF_FAILED(UnregisterServer(registry));
  return SaveStore(registry);
}

// The module's registration in the configuration store.
#ifndef XMLSECDB_HOST_REGISTRATION_H_
#define XMLSECDB_HOST_REGISTRATION_H_

#include <string_view>

#include "platform/registry.h"
#include "xmlsecdb/guid.h"

namespace xmlsecdb {

// The module's application identifier and type library identifier.
inline constexpr GUID kAppID = MakeGuid("{B351FDAD-68A8-4637-BEBB-4E36344EDE6B}");
inline constexpr GUID kTypeLibID = MakeGuid("{CAB264D1-E676-412B-9799-749823FF29D8}");

// Writes, under HKEY_CLASSES_ROOT of `registry`, the application identifier
// and every creatable class with `module_path` as its in-process server.
// Saves nothing.
[[nodiscard]] HRESULT RegisterServer(Registry& registry, std::string_view module_path);

// Deletes the keys RegisterServer writes; their parents (CLSID, AppID) and
// every other key stay. Saves nothing.
[[nodiscard]] HRESULT UnregisterServer(Registry& registry);

}  // namespace xmlsecdb

#endif  // XMLSECDB_HOST_REGISTRATION_H_

// The agent's path expander and file checksum service as classes of the
// object runtime: callers create them with CoCreateInstance under the
// agent's class ids, as they would create any outside component, and call
// them through the interfaces below.
//
// The runtime answers the two class ids from the process's environment
// (env.h): each object it creates calls the environment's PathExpander or
// ChecksumService. An environment without one has the class unregistered,
// so creation fails with REGDB_E_CLASSNOTREG; this is how tests make
// creation fail, and a test's own service is how they replace the real one.
#ifndef XMLSECDB_PLATFORM_AGENT_CLASSES_H_
#define XMLSECDB_PLATFORM_AGENT_CLASSES_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "xmlsecdb/dispatch.h"
#include "xmlsecdb/variant.h"

namespace xmlsecdb {

struct Env;

// The class contexts the agent's services are created in: all of them.
inline constexpr std::uint32_t kAllClassContexts = 23;

inline constexpr CLSID CLSID_PathExpander = MakeGuid("{8F6B7CC8-4C0C-46B4-9C81-1C2DD7CFB6C6}");
inline constexpr CLSID CLSID_FileChecksum = MakeGuid("{CBB225FC-F9AA-4959-A4E8-F0C75A9E70D2}");

struct IPathExpander : IDispatch {
  static constexpr IID kIID = MakeGuid("{ECCC3FF2-6A68-4F11-BF87-89EB220685D7}");
  using Base = IDispatch;

  // *paths becomes an array of strings (the file paths `path` denotes) and
  // *expanded 1 when expansion took place, 0 when nothing was expanded.
  [[nodiscard]] virtual HRESULT Expand(std::string_view path, Variant* paths,
                                       std::int32_t* expanded) = 0;
  // The file's type as the system's file-type database describes it.
  [[nodiscard]] virtual HRESULT Describe(std::string_view path, std::string* description) = 0;
};

// Derive comes before Compute, as in the component's slot order.
struct IFileChecksum : IDispatch {
  static constexpr IID kIID = MakeGuid("{14EDD40F-8C38-4D1B-BD10-3AEED58BB4F0}");
  using Base = IDispatch;

  [[nodiscard]] virtual HRESULT Derive(std::int32_t kind, std::string_view checksum,
                                       std::string* derived) = 0;
  // Kind 1: `text` is a file path; kind 2: the text itself is hashed.
  [[nodiscard]] virtual HRESULT Compute(std::int32_t kind, std::string_view text,
                                        std::string* checksum) = 0;
};

// Creates the agent's class `clsid` over the services of `env` and queries
// it for `iid`. CLASS_E_CLASSNOTAVAILABLE for any other class id;
// REGDB_E_CLASSNOTREG when `env` lacks the service.
[[nodiscard]] HRESULT CreateAgentObject(const Env& env, const CLSID& clsid, const IID& iid,
                                        void** object);

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_AGENT_CLASSES_H_

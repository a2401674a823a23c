// The agent's services that some kinds of database call: the path
// expander and the file checksum service. (The host name resolver is in
// name_service.h.)
//
// Only their places are fixed here, so that the environment can hand them
// out and tests can put their own in: the real ones answer that they are
// not available (REGDB_E_CLASSNOTREG), as on a host without the agent. The
// kinds that use them define what each operation gives. Implementations
// are called on the caller's thread.
#ifndef XMLSECDB_PLATFORM_AGENT_SERVICES_H_
#define XMLSECDB_PLATFORM_AGENT_SERVICES_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "xmlsecdb/result.h"

namespace xmlsecdb {

// Turns a label path into the file paths it denotes.
class PathExpander {
 public:
  virtual ~PathExpander() = default;
  // Stores the expanded paths in *paths and whether expansion took place
  // in *expanded.
  [[nodiscard]] virtual HRESULT Expand(std::string_view path, std::vector<std::string>* paths,
                                       bool* expanded) = 0;
  // A description of the file at `path`.
  [[nodiscard]] virtual HRESULT Describe(std::string_view path, std::string* description) = 0;
};

// Computes checksum texts.
class ChecksumService {
 public:
  virtual ~ChecksumService() = default;
  // Kind 1: `text` is a file path, the checksum is the file's; kind 2: the
  // text itself is hashed.
  [[nodiscard]] virtual HRESULT Compute(std::int32_t kind, std::string_view text,
                                        std::string* checksum) = 0;
  // A second text derived from a checksum.
  [[nodiscard]] virtual HRESULT Derive(std::int32_t kind, std::string_view checksum,
                                       std::string* derived) = 0;
};

// The real services. Live for the whole process.
PathExpander& DefaultPathExpander();
ChecksumService& DefaultChecksumService();

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_AGENT_SERVICES_H_

// The agent's services that the application repository and the content
// filter call: the path expander and the file checksum service. (The host
// name resolver is in name_service.h.) The environment hands them out
// (env.h), so tests can put their own in. Implementations are called on the
// caller's thread; the real ones are thread-safe.
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
  // Stores the file paths `path` denotes in *paths and whether expansion
  // took place in *expanded. The real expander takes each "|" alternative
  // separately and in it, in this order:
  // - "%NAME%" references to the process environment (an unknown name is
  //   left as written);
  // - a trailing "%AllExecutablesInDir%" or "%AllExecutablesInSubTree%"
  //   after a directory: the regular files with an execute bit directly in
  //   it or anywhere below it; "%AllDllsInDir%" and "%AllDllsInSubTree%"
  //   the same for regular files named "*.so" or "*.so.*". Links to
  //   directories are not followed; unreadable directories are passed over;
  //   the files come in name order;
  // - shell wildcards through glob(3); a pattern that matches nothing
  //   gives no path.
  // An alternative without any of these is its own path, and *expanded is
  // false when no alternative had any.
  [[nodiscard]] virtual HRESULT Expand(std::string_view path, std::vector<std::string>* paths,
                                       bool* expanded) = 0;
  // The file's type as the system's file-type database describes it ("ELF
  // 64-bit LSB pie executable, ..."); empty when it has no description.
  [[nodiscard]] virtual HRESULT Describe(std::string_view path, std::string* description) = 0;
};

// Computes checksum texts.
class ChecksumService {
 public:
  virtual ~ChecksumService() = default;
  // Kind 1: `text` is a file path, the checksum is the file's; kind 2: the
  // text itself is hashed. The real service gives SHA-256 in 64 lower-case
  // hexadecimal digits, as sha256sum prints it; other kinds E_INVALIDARG,
  // an unreadable file the system's error.
  [[nodiscard]] virtual HRESULT Compute(std::int32_t kind, std::string_view text,
                                        std::string* checksum) = 0;
  // A second text derived from a checksum. The real service gives the
  // SHA-256 of the checksum text, in the same form.
  [[nodiscard]] virtual HRESULT Derive(std::int32_t kind, std::string_view checksum,
                                       std::string* derived) = 0;
};

// The real services. Live for the whole process.
PathExpander& DefaultPathExpander();
ChecksumService& DefaultChecksumService();

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_AGENT_SERVICES_H_

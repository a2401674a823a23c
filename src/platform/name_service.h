// NameService: the platform's host name resolver, as the environment hands
// it out (env.h). The real one asks the system resolver (getaddrinfo and
// the hosts database); MemoryNameService answers from a table, so that
// tests never touch the network.
//
// A service only resolves; the library's host lookups (host_lookup.h) turn
// its answers into the address and alias texts the databases hold.
#ifndef XMLSECDB_PLATFORM_NAME_SERVICE_H_
#define XMLSECDB_PLATFORM_NAME_SERVICE_H_

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "xmlsecdb/result.h"

namespace xmlsecdb {

// One address of a host: `family` is AF_INET (the first four bytes are
// used) or AF_INET6; a service may report other families, which the
// lookups pass over.
struct HostAddress {
  int family = 0;
  std::array<std::uint8_t, 16> bytes{};  // network order
};

class NameService {
 public:
  virtual ~NameService() = default;
  // Appends the addresses of `host_name` to *addresses in the resolver's
  // order. `name_space` is the caller's name-space number (12 for DNS). A
  // failure means the query was refused, including a name that does not
  // resolve; *addresses is then left as it was.
  [[nodiscard]] virtual HRESULT ResolveAddresses(std::string_view host_name,
                                                 std::int32_t name_space,
                                                 std::vector<HostAddress>* addresses) = 0;
  // Appends the other names of `host_name` to *aliases: its canonical name
  // when that differs from `host_name`, then the aliases the resolver
  // knows, each once. Failures as for ResolveAddresses.
  [[nodiscard]] virtual HRESULT ResolveAliases(std::string_view host_name,
                                               std::int32_t name_space,
                                               std::vector<std::string>* aliases) = 0;
};

// The system resolver. Lives for the whole process; thread-safe.
NameService& DefaultNameService();

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_NAME_SERVICE_H_

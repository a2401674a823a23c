// MemoryNameService: a NameService that answers from a table, for tests. A
// name that is not in the table does not resolve.
#ifndef XMLSECDB_PLATFORM_MEMORY_NAME_SERVICE_H_
#define XMLSECDB_PLATFORM_MEMORY_NAME_SERVICE_H_

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/name_service.h"

namespace xmlsecdb {

class MemoryNameService final : public NameService {
 public:
  // `addresses` as text ("10.0.0.1", "::1"), passed through inet_pton;
  // `aliases` as the resolver would report them.
  void AddHost(const std::string& host_name, const std::vector<std::string>& addresses,
               std::vector<std::string> aliases = {});
  // An address of another family, which lookups must pass over.
  void AddForeignAddress(const std::string& host_name, int family);
  // The queries asked so far, "addresses NAME" or "aliases NAME".
  std::vector<std::string> queries() const;

  HRESULT ResolveAddresses(std::string_view host_name, std::int32_t name_space,
                           std::vector<HostAddress>* addresses) override;
  HRESULT ResolveAliases(std::string_view host_name, std::int32_t name_space,
                         std::vector<std::string>* aliases) override;

 private:
  struct Host {
    std::vector<HostAddress> addresses;
    std::vector<std::string> aliases;
  };
  mutable std::mutex mu_;
  std::map<std::string, Host, std::less<>> hosts_;
  std::vector<std::string> queries_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_MEMORY_NAME_SERVICE_H_

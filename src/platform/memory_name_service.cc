#include "platform/memory_name_service.h"

#include <arpa/inet.h>
#include <sys/socket.h>

namespace xmlsecdb {

void MemoryNameService::AddHost(const std::string& host_name,
                                const std::vector<std::string>& addresses,
                                std::vector<std::string> aliases) {
  std::lock_guard lock(mu_);
  Host& host = hosts_[host_name];
  for (const std::string& text : addresses) {
    HostAddress address;
    address.family = text.find(':') == std::string::npos ? AF_INET : AF_INET6;
    if (inet_pton(address.family, text.c_str(), address.bytes.data()) == 1) {
      host.addresses.push_back(address);
    }
  }
  host.aliases = std::move(aliases);
}

void MemoryNameService::AddForeignAddress(const std::string& host_name, int family) {
  std::lock_guard lock(mu_);
  HostAddress address;
  address.family = family;
  hosts_[host_name].addresses.push_back(address);
}

std::vector<std::string> MemoryNameService::queries() const {
  std::lock_guard lock(mu_);
  return queries_;
}

HRESULT MemoryNameService::ResolveAddresses(std::string_view host_name, std::int32_t,
                                            std::vector<HostAddress>* addresses) {
  std::lock_guard lock(mu_);
  queries_.push_back("addresses " + std::string(host_name));
  const auto host = hosts_.find(host_name);
  if (host == hosts_.end()) return E_FAIL;
  addresses->insert(addresses->end(), host->second.addresses.begin(),
                    host->second.addresses.end());
  return S_OK;
}

HRESULT MemoryNameService::ResolveAliases(std::string_view host_name, std::int32_t,
                                          std::vector<std::string>* aliases) {
  std::lock_guard lock(mu_);
  queries_.push_back("aliases " + std::string(host_name));
  const auto host = hosts_.find(host_name);
  if (host == hosts_.end()) return E_FAIL;
  aliases->insert(aliases->end(), host->second.aliases.begin(), host->second.aliases.end());
  return S_OK;
}

}  // namespace xmlsecdb

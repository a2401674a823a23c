#include "platform/name_service.h"

#include <netdb.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <netinet/in.h>

namespace xmlsecdb {
namespace {

bool SameHostName(std::string_view a, std::string_view b) {
  const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return std::ranges::equal(a, b, {}, fold, fold);
}

struct AddrInfoDeleter {
  void operator()(addrinfo* list) const { freeaddrinfo(list); }
};
using AddrInfoList = std::unique_ptr<addrinfo, AddrInfoDeleter>;

// One entry per address (stream sockets), IPv4 and IPv6, in the resolver's
// order.
HRESULT QueryResolver(std::string_view host_name, int flags, AddrInfoList* list) {
  const std::string name(host_name);
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = flags;
  addrinfo* found = nullptr;
  if (getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0) return E_FAIL;
  list->reset(found);
  return S_OK;
}

// Adds `name` to *names unless it is the queried name or already there.
void AddName(std::string_view host_name, const char* name, std::vector<std::string>* names) {
  if (name == nullptr || *name == '\0' || SameHostName(name, host_name)) return;
  if (std::ranges::any_of(*names, [&](const std::string& n) { return SameHostName(n, name); })) {
    return;
  }
  names->emplace_back(name);
}

// The hosts database's official name and aliases of `host_name` for one
// family.
void AddHostEntryNames(std::string_view host_name, int family, std::vector<std::string>* names) {
  const std::string name(host_name);
  std::vector<char> buffer(1024);
  hostent entry{};
  hostent* result = nullptr;
  int error = 0;
  while (gethostbyname2_r(name.c_str(), family, &entry, buffer.data(), buffer.size(), &result,
                          &error) == ERANGE &&
         buffer.size() < (1u << 20)) {
    buffer.resize(buffer.size() * 2);
  }
  if (result == nullptr) return;
  AddName(host_name, result->h_name, names);
  for (char** alias = result->h_aliases; alias != nullptr && *alias != nullptr; ++alias) {
    AddName(host_name, *alias, names);
  }
}

class SystemNameService final : public NameService {
 public:
  HRESULT ResolveAddresses(std::string_view host_name, std::int32_t,
                           std::vector<HostAddress>* addresses) override {
    AddrInfoList list;
    if (HRESULT hr = QueryResolver(host_name, 0, &list); Failed(hr)) return hr;
    for (const addrinfo* at = list.get(); at != nullptr; at = at->ai_next) {
      HostAddress address;
      address.family = at->ai_family;
      if (at->ai_family == AF_INET) {
        const auto* in = reinterpret_cast<const sockaddr_in*>(at->ai_addr);
        std::memcpy(address.bytes.data(), &in->sin_addr, 4);
      } else if (at->ai_family == AF_INET6) {
        const auto* in6 = reinterpret_cast<const sockaddr_in6*>(at->ai_addr);
        std::memcpy(address.bytes.data(), &in6->sin6_addr, 16);
      }
      addresses->push_back(address);
    }
    return S_OK;
  }

  HRESULT ResolveAliases(std::string_view host_name, std::int32_t,
                         std::vector<std::string>* aliases) override {
    AddrInfoList list;
    if (HRESULT hr = QueryResolver(host_name, AI_CANONNAME, &list); Failed(hr)) return hr;
    std::vector<std::string> names;
    AddName(host_name, list->ai_canonname, &names);
    AddHostEntryNames(host_name, AF_INET, &names);
    AddHostEntryNames(host_name, AF_INET6, &names);
    aliases->insert(aliases->end(), names.begin(), names.end());
    return S_OK;
  }
};

}  // namespace

NameService& DefaultNameService() {
  static SystemNameService* const service = new SystemNameService;
  return *service;
}

}  // namespace xmlsecdb

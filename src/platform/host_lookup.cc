#include "platform/host_lookup.h"

#include <sys/socket.h>

#include <new>

#include "platform/debug_log.h"
#include "platform/name_service.h"

namespace xmlsecdb {
namespace {

std::string AddressText(const HostAddress& address) {
  const int count = address.family == AF_INET ? 4 : 16;
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (i > 0) text += address.family == AF_INET ? '.' : ':';
    text += std::to_string(address.bytes[i]);
  }
  return text;
}

// The guards both lookups share; 0 when the lookup may go on.
int CheckArguments(std::string_view host_name, const void* list, const char* list_line) {
  if (host_name.empty()) {
    DebugLog("ZelXmlSd: szHostName is empty\n");
    return -1;
  }
  if (list == nullptr) {
    DebugLog("%s", list_line);
    return -2;
  }
  return 0;
}

constexpr char kQueryRefused[] = "ZelXmlSd: WSALookupServiceBegin failed.\n";
constexpr char kOutOfMemory[] = "ZelXmlSd: Not enought memory\n";

}  // namespace

int LookupHostAddresses(NameService& service, std::string_view host_name,
                        std::int32_t name_space, std::vector<std::string>* addresses) {
  if (int code = CheckArguments(host_name, addresses, "ZelXmlSd: pIPs is empty\n")) return code;
  try {
    addresses->clear();
    std::vector<HostAddress> found;
    if (Failed(service.ResolveAddresses(host_name, name_space, &found))) {
      DebugLog("%s", kQueryRefused);
      return 0;
    }
    for (const HostAddress& address : found) {
      if (address.family == AF_INET || address.family == AF_INET6) {
        addresses->push_back(AddressText(address));
      }
    }
  } catch (const std::bad_alloc&) {
    DebugLog("%s", kOutOfMemory);
    return -3;
  }
  return 0;
}

int LookupHostAliases(NameService& service, std::string_view host_name, std::int32_t name_space,
                      std::vector<std::string>* aliases) {
  if (int code = CheckArguments(host_name, aliases, "ZelXmlSd: pAliases is empty\n")) return code;
  try {
    if (Failed(service.ResolveAliases(host_name, name_space, aliases))) {
      DebugLog("%s", kQueryRefused);
    }
  } catch (const std::bad_alloc&) {
    DebugLog("%s", kOutOfMemory);
    return -3;
  }
  return 0;
}

}  // namespace xmlsecdb

// The host address and alias lookups on a NameService: what the content
// filter's Translate runs to turn a host name into address and alias texts.
//
// Both return 0 when they complete, also when the service refused the
// query (a name that does not resolve gives an empty list and 0, with the
// debug-log line "ZelXmlSd: WSALookupServiceBegin failed.\n"); -1 for an
// empty host name; -2 for a null list; -3 when memory ran out. Nothing
// here leaves an error record.
#ifndef XMLSECDB_PLATFORM_HOST_LOOKUP_H_
#define XMLSECDB_PLATFORM_HOST_LOOKUP_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace xmlsecdb {

class NameService;

// The name-space number of DNS, the one the content filter asks.
inline constexpr std::int32_t kNameSpaceDns = 12;

// Empties *addresses, then appends the host's addresses in the service's
// order: IPv4 as "%u.%u.%u.%u", IPv6 as its sixteen bytes in decimal joined
// by ":" ("0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:1" for ::1); other families are
// passed over.
int LookupHostAddresses(NameService& service, std::string_view host_name,
                        std::int32_t name_space, std::vector<std::string>* addresses);

// Appends the host's other names (NameService::ResolveAliases) to *aliases.
int LookupHostAliases(NameService& service, std::string_view host_name, std::int32_t name_space,
                      std::vector<std::string>* aliases);

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_HOST_LOOKUP_H_

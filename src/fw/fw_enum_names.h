// The names of the firewall enumerations' values, which type information
// gives with a property's result (see xmlsecdb/enum_names.h). Included by
// the kind's dispatch tables.
#ifndef XMLSECDB_FW_FW_ENUM_NAMES_H_
#define XMLSECDB_FW_FW_ENUM_NAMES_H_

#include <span>

#include "xmlsecdb/dispatch.h"
#include "xmlsecdb/fw.h"
#include "xmlsecdb/fw_rules.h"

namespace xmlsecdb {

inline constexpr DispatchEnumName kICMPTypeNames[] = {
    {"ICMP_ALL", ICMP_ALL},
    {"ICMP_ECHO", ICMP_ECHO},
    {"ICMP_DEST_UNREACHABLE", ICMP_DEST_UNREACHABLE},
    {"ICMP_SRC_QUENCH", ICMP_SRC_QUENCH},
    {"ICMP_REDIRECT", ICMP_REDIRECT},
    {"ICMP_ROUTER", ICMP_ROUTER},
    {"ICMP_TIMEOUT", ICMP_TIMEOUT},
    {"ICMP_PARAM", ICMP_PARAM},
    {"ICMP_TIMESTAMP", ICMP_TIMESTAMP},
    {"ICMP_INFO", ICMP_INFO},
    {"ICMP_ADDRMASK", ICMP_ADDRMASK},
    {"ICMP_V6_DEST_UNREACHABLE", ICMP_V6_DEST_UNREACHABLE},
    {"ICMP_V6_PACKET_TOO_BIG", ICMP_V6_PACKET_TOO_BIG},
    {"ICMP_V6_TIMEOUT", ICMP_V6_TIMEOUT},
    {"ICMP_V6_PARAM", ICMP_V6_PARAM},
    {"ICMP_V6_ECHO", ICMP_V6_ECHO},
    {"ICMP_V6_MULTICAST", ICMP_V6_MULTICAST},
    {"ICMP_V6_MULTICAST_DONE", ICMP_V6_MULTICAST_DONE},
    {"ICMP_V6_ROUTER", ICMP_V6_ROUTER},
    {"ICMP_V6_NEIGHBOR", ICMP_V6_NEIGHBOR},
    {"ICMP_V6_REDIRECT", ICMP_V6_REDIRECT},
};
constexpr std::span<const DispatchEnumName> DispatchEnumNames(EICMPType) { return kICMPTypeNames; }

inline constexpr DispatchEnumName kZoneCategoryNames[] = {
    {"CAT_LAN", CAT_LAN}, {"CAT_VPN", CAT_VPN}, {"CAT_WAN", CAT_WAN}, {"CAT_UNKNOWN", CAT_UNKNOWN}};
constexpr std::span<const DispatchEnumName> DispatchEnumNames(EZoneCategory) {
  return kZoneCategoryNames;
}

inline constexpr DispatchEnumName kZoneIdNames[] = {{"ZID_SAFE", ZID_SAFE},
                                                    {"ZID_DANGEROUS", ZID_DANGEROUS},
                                                    {"ZID_UNASSIGNED", ZID_UNASSIGNED},
                                                    {"ZID_RULE_RES", ZID_RULE_RES}};
constexpr std::span<const DispatchEnumName> DispatchEnumNames(EZoneId) { return kZoneIdNames; }

}  // namespace xmlsecdb

#endif  // XMLSECDB_FW_FW_ENUM_NAMES_H_

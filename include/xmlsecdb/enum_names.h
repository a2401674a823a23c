// The names of the shared enumerations' values, as type information gives
// them with a property's result (DispatchMemberInfo::result_names): one
// table per enumeration, the preferred name of a value first (the older
// names of a value follow the newer ones), and one overload of
// DispatchEnumNames per enumeration, which the dispatch tables find by the
// enumeration's type.
#ifndef XMLSECDB_ENUM_NAMES_H_
#define XMLSECDB_ENUM_NAMES_H_

#include <span>

#include "xmlsecdb/dispatch.h"
#include "xmlsecdb/enums.h"

namespace xmlsecdb {

inline constexpr DispatchEnumName kAccessResultNames[] = {
    {"AR_PREVENT", AR_PREVENT},
    {"AR_ALLOW", AR_ALLOW},
    {"AR_ASKUSER", AR_ASKUSER},
    {"AR_NONE", AR_NONE},
};
constexpr std::span<const DispatchEnumName> DispatchEnumNames(EAccessResult) {
  return kAccessResultNames;
}

inline constexpr DispatchEnumName kAuditLevelNames[] = {
    {"AL_SEVERITY_0", AL_SEVERITY_0},
    {"AL_SEVERITY_1", AL_SEVERITY_1},
    {"AL_SEVERITY_2", AL_SEVERITY_2},
    {"AL_SEVERITY_3", AL_SEVERITY_3},
    {"AL_SEVERITY_4", AL_SEVERITY_4},
    {"AL_SEVERITY_5", AL_SEVERITY_5},
    {"AL_SEVERITY_6", AL_SEVERITY_6},
    {"AL_SEVERITY_7", AL_SEVERITY_7},
    {"AL_SEVERITY_8", AL_SEVERITY_8},
    {"AL_SEVERITY_9", AL_SEVERITY_9},
    {"AL_SEVERITY_10", AL_SEVERITY_10},
    {"AL_SEVERITY_11", AL_SEVERITY_11},
    {"AL_SEVERITY_12", AL_SEVERITY_12},
    {"AL_SEVERITY_13", AL_SEVERITY_13},
    {"AL_SEVERITY_14", AL_SEVERITY_14},
    {"AL_SEVERITY_15", AL_SEVERITY_15},
    {"AL_IGNORE", AL_IGNORE},
    {"AL_MONITOR", AL_MONITOR},
    {"MAX_AUDIT_LEVEL", MAX_AUDIT_LEVEL},
};
constexpr std::span<const DispatchEnumName> DispatchEnumNames(EAuditLevel) {
  return kAuditLevelNames;
}

inline constexpr DispatchEnumName kPriorityNames[] = {
    {"PRIOR_LOW", PRIOR_LOW},
    {"PRIOR_NORMAL", PRIOR_NORMAL},
    {"PRIOR_HIGH", PRIOR_HIGH},
    {"PRIOR_UNUSED", PRIOR_UNUSED},
};
constexpr std::span<const DispatchEnumName> DispatchEnumNames(EPriority) { return kPriorityNames; }

inline constexpr DispatchEnumName kOSVersionNames[] = {
    {"OSVER_WIN_ALL", OSVER_WIN_ALL},
    {"OSVER_WIN_9X", OSVER_WIN_9X},
    {"OSVER_WIN_NT_OR_HIGHER", OSVER_WIN_NT_OR_HIGHER},
    {"OSVER_WIN_2K_OR_HIGHER", OSVER_WIN_2K_OR_HIGHER},
    {"OSVER_WIN_XP_OR_HIGHER", OSVER_WIN_XP_OR_HIGHER},
    {"OSVER_WIN_NT_ONLY", OSVER_WIN_NT_ONLY},
};
constexpr std::span<const DispatchEnumName> DispatchEnumNames(EOSVersion) {
  return kOSVersionNames;
}

inline constexpr DispatchEnumName kRuleAccountNames[] = {
    {"RA_USER", RA_USER},
    {"RA_SYSTEM", RA_SYSTEM},
    {"RA_BOTH", RA_BOTH},
};
constexpr std::span<const DispatchEnumName> DispatchEnumNames(ERuleAccount) {
  return kRuleAccountNames;
}

inline constexpr DispatchEnumName kAppTypeNames[] = {
    {"AT_LABEL", AT_LABEL},
    {"AT_DEFINITION", AT_DEFINITION},
};
constexpr std::span<const DispatchEnumName> DispatchEnumNames(EAppType) { return kAppTypeNames; }

inline constexpr DispatchEnumName kRefTypeNames[] = {
    {"RT_DIRECT", RT_DIRECT},
    {"RT_DEFINITION", RT_DEFINITION},
};
constexpr std::span<const DispatchEnumName> DispatchEnumNames(ERefType) { return kRefTypeNames; }

inline constexpr DispatchEnumName kPropertyTypeNames[] = {
    {"PT_STR", PT_STR},
    {"PT_INT", PT_INT},
    {"PT_BOOL", PT_BOOL},
    {"PT_STR_LIST", PT_STR_LIST},
};
constexpr std::span<const DispatchEnumName> DispatchEnumNames(EPropertyType) {
  return kPropertyTypeNames;
}

inline constexpr DispatchEnumName kCFTypeNames[] = {
    {"CST_AND", CST_AND},
    {"CST_OR", CST_OR},
    {"CST_AND_OR", CST_AND_OR},
};
constexpr std::span<const DispatchEnumName> DispatchEnumNames(ECFType) { return kCFTypeNames; }

inline constexpr DispatchEnumName kCFTargetNames[] = {
    {"CSTRG_GLOBAL", CSTRG_GLOBAL},
    {"CSTRG_PROCESS", CSTRG_PROCESS},
    {"CSTRG_GLOBAL_PROCESS", CSTRG_GLOBAL_PROCESS},
};
constexpr std::span<const DispatchEnumName> DispatchEnumNames(ECFTarget) { return kCFTargetNames; }

inline constexpr DispatchEnumName kDirectionNames[] = {
    {"DIR_IN", DIR_IN},
    {"DIR_OUT", DIR_OUT},
    {"DIR_IN_OUT", DIR_IN_OUT},
};
constexpr std::span<const DispatchEnumName> DispatchEnumNames(EDirection) {
  return kDirectionNames;
}

inline constexpr DispatchEnumName kObjectTypeNames[] = {
    {"OT_FILE", OT_FILE},
    {"OT_SERVICE", OT_SERVICE},
    {"OT_REGISTRY", OT_REGISTRY},
    {"OT_SPAWNING", OT_SPAWNING},
    {"OT_DEVICE", OT_DEVICE},
    {"OT_ANTI_MALWARE", OT_ANTI_MALWARE},
    {"OT_COMOBJECT", OT_COMOBJECT},
    {"OT_SYSTEMPRIV", OT_SYSTEMPRIV},
    {"OT_DEVICEPRIV", OT_DEVICEPRIV},
    {"OT_APPLICATION", OT_APPLICATION},
    {"OT_FW_TRANS", OT_FW_TRANS},
    {"OT_FW_IPADDR", OT_FW_IPADDR},
    {"OT_IDS_IPADDR", OT_IDS_IPADDR},
    {"OT_TIME", OT_TIME},
    {"OT_FW_CTA", OT_FW_CTA},
    {"OT_FW_ROUTED_TRANS", OT_FW_ROUTED_TRANS},
    {"OT_FW_IPADDR_LAN", OT_FW_IPADDR_LAN},
    {"OT_SPAWN_DLL", OT_SPAWN_DLL},
    {"OT_FW_EXPRESSION", OT_FW_EXPRESSION},
    {"OT_IDLOCK", OT_IDLOCK},
    {"OT_PRIVACY", OT_PRIVACY},
    {"OT_ATTACHMENT", OT_ATTACHMENT},
    {"OT_DIAL_NUMBER", OT_DIAL_NUMBER},
    {"OT_OUTGOING_EMAIL", OT_OUTGOING_EMAIL},
    {"OT_IDS_RULE_INFO", OT_IDS_RULE_INFO},
    {"OT_IDS_NODE_INFO", OT_IDS_NODE_INFO},
    {"OT_DATA_INSPECTION", OT_DATA_INSPECTION},
    {"OT_FILETYPE", OT_FILETYPE},
    {"OT_ACTION", OT_ACTION},
    {"OT_MESSAGE", OT_MESSAGE},
    {"OT_URL_REQUEST", OT_URL_REQUEST},
};
constexpr std::span<const DispatchEnumName> DispatchEnumNames(EObjectType) {
  return kObjectTypeNames;
}

inline constexpr DispatchEnumName kProtocolNames[] = {
    {"PROT_TCP", PROT_TCP},     {"PROT_UDP", PROT_UDP}, {"PROT_TCP_UDP", PROT_TCP_UDP},
    {"PROT_ICMP", PROT_ICMP},   {"PROT_IP", PROT_IP},   {"PROT_OTHER", PROT_OTHER},
    {"PROT_TCP_S", PROT_TCP_S}, {"PROT_ALL", PROT_ALL},
};
constexpr std::span<const DispatchEnumName> DispatchEnumNames(EProtocol) { return kProtocolNames; }

}  // namespace xmlsecdb

#endif  // XMLSECDB_ENUM_NAMES_H_

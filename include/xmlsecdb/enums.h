// The value sets that several kinds of database share, as the automation
// interfaces expose them. Every enumeration is a 32-bit signed value; the
// setters of the object model do not range-check them, so a variable of
// one of these types may hold any 32-bit value, not only a named member.
#ifndef XMLSECDB_ENUMS_H_
#define XMLSECDB_ENUMS_H_

#include <cstdint>

namespace xmlsecdb {

// What the agent does with an access a rule matches.
enum EAccessResult : std::int32_t {
  AR_PREVENT = 0,
  AR_ALLOW = 1,
  AR_ASKUSER = 2,
  AR_NONE = 3,
};

// How an access is reported: a severity from 0 to 15. AL_IGNORE and
// AL_MONITOR are the older names of severities 0 and 1.
enum EAuditLevel : std::int32_t {
  AL_IGNORE = 0,
  AL_MONITOR = 1,
  AL_SEVERITY_0 = 0,
  AL_SEVERITY_1 = 1,
  AL_SEVERITY_2 = 2,
  AL_SEVERITY_3 = 3,
  AL_SEVERITY_4 = 4,
  AL_SEVERITY_5 = 5,
  AL_SEVERITY_6 = 6,
  AL_SEVERITY_7 = 7,
  AL_SEVERITY_8 = 8,
  AL_SEVERITY_9 = 9,
  AL_SEVERITY_10 = 10,
  AL_SEVERITY_11 = 11,
  AL_SEVERITY_12 = 12,
  AL_SEVERITY_13 = 13,
  AL_SEVERITY_14 = 14,
  AL_SEVERITY_15 = 15,
  MAX_AUDIT_LEVEL = 15,
};

enum EPriority : std::int32_t {
  PRIOR_LOW = 0,
  PRIOR_NORMAL = 1,
  PRIOR_HIGH = 2,
  PRIOR_UNUSED = 3,  // never written to a database
};

// The operating systems a rule applies to.
enum EOSVersion : std::int32_t {
  OSVER_WIN_ALL = 0,
  OSVER_WIN_9X = 1,
  OSVER_WIN_NT_OR_HIGHER = 2,
  OSVER_WIN_2K_OR_HIGHER = 3,
  OSVER_WIN_XP_OR_HIGHER = 4,
  OSVER_WIN_NT_ONLY = 5,
};

// The accounts whose processes a rule or exception covers.
enum ERuleAccount : std::int32_t {
  RA_USER = 0,
  RA_SYSTEM = 1,
  RA_BOTH = 2,
};

// How an application is named: by a label name or path, or by the ID of an
// application definition.
enum EAppType : std::int32_t {
  AT_LABEL = 0,
  AT_DEFINITION = 1,
};

// Whether a value is given directly or by the ID of a definition.
enum ERefType : std::int32_t {
  RT_DIRECT = 0,
  RT_DEFINITION = 1,
};

// The type of a global option's value.
enum EPropertyType : std::int32_t {
  PT_STR = 0,
  PT_INT = 1,
  PT_BOOL = 2,
  PT_STR_LIST = 3,
};

// How a condition switch combines its bits.
enum ECFType : std::int32_t {
  CST_AND = 0,
  CST_OR = 1,
  CST_AND_OR = 2,
};

// Which conditions a condition switch looks at.
enum ECFTarget : std::int32_t {
  CSTRG_GLOBAL = 0,
  CSTRG_PROCESS = 1,
  CSTRG_GLOBAL_PROCESS = 2,
};

enum EDirection : std::int32_t {
  DIR_IN = 0,
  DIR_OUT = 1,
  DIR_IN_OUT = 2,
};

// The kinds of object a rule or definition is about. Each is one bit, so
// that masks (active guards, the object types of a group) can combine them.
enum EObjectType : std::int32_t {
  OT_FILE = 0x1,
  OT_SERVICE = 0x2,
  OT_REGISTRY = 0x4,
  OT_SPAWNING = 0x8,
  OT_DEVICE = 0x10,
  OT_ANTI_MALWARE = 0x20,
  OT_COMOBJECT = 0x40,
  OT_SYSTEMPRIV = 0x80,
  OT_DEVICEPRIV = 0x100,
  OT_APPLICATION = 0x200,
  OT_FW_TRANS = 0x400,
  OT_FW_IPADDR = 0x800,
  OT_IDS_IPADDR = 0x1000,
  OT_TIME = 0x2000,
  OT_FW_CTA = 0x4000,
  OT_FW_ROUTED_TRANS = 0x8000,
  OT_FW_IPADDR_LAN = 0x10000,
  OT_SPAWN_DLL = 0x20000,
  OT_FW_EXPRESSION = 0x40000,
  OT_IDLOCK = 0x80000,
  OT_PRIVACY = 0x100000,
  OT_ATTACHMENT = 0x200000,
  OT_DIAL_NUMBER = 0x400000,
  OT_OUTGOING_EMAIL = 0x800000,
  OT_IDS_RULE_INFO = 0x1000000,
  OT_IDS_NODE_INFO = 0x2000000,
  OT_DATA_INSPECTION = 0x4000000,
  OT_FILETYPE = 0x8000000,
  OT_ACTION = 0x10000000,
  OT_MESSAGE = 0x20000000,
  OT_URL_REQUEST = 0x40000000,
};

// The transport protocol of a rule (IDS and firewall rules). An IDS rule
// takes PROT_TCP, PROT_UDP, PROT_ICMP, PROT_IP and PROT_TCP_S (and does not
// refuse PROT_ALL, which a database file cannot express).
enum EProtocol : std::int32_t {
  PROT_TCP = 0,
  PROT_UDP = 1,
  PROT_TCP_UDP = 2,
  PROT_ICMP = 3,
  PROT_IP = 4,
  PROT_OTHER = 5,
  PROT_TCP_S = 6,
  PROT_ALL = 7,
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_ENUMS_H_

// The firewall database: its definitions' items and the transport a rule
// carries inline.
//
// A firewall definition (IDefinition, xmlsecdb/definitions.h) is one of
// five object types — OT_FW_TRANS ("iptransport"), OT_FW_IPADDR
// ("ipaddress"), OT_TIME ("time"), OT_FW_IPADDR_LAN ("ipaddress_lan") and
// OT_FW_EXPRESSION ("content_filter"); put_ObjectType refuses any other
// with E_INVALIDARG (message 112). Its ItemList is an IFWItemList of
// IFWItem. Transport definitions use every field of an item; the others
// only its Content (an address, range or mask; a time of day; an
// expression), stored as given.
//
// A rule's inline transport (its TransportObject) is an IFWItem too, owned
// by the rule: its setters refuse a read-only database (message 111) and
// otherwise store the value without events and mark the parser's rule
// lists for re-sorting.
//
// No setter validates its value. Apartment-threaded, like the parser.
#ifndef XMLSECDB_FW_H_
#define XMLSECDB_FW_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "xmlsecdb/collection.h"
#include "xmlsecdb/enums.h"

namespace xmlsecdb {

// The ICMP (and ICMPv6) messages a transport covers; the comment is the
// word in a database file.
enum EICMPType : std::int32_t {
  ICMP_ALL = 0,                   // "*"
  ICMP_ECHO = 1,                  // "ECHO_REQ_REPLY_8_0"
  ICMP_DEST_UNREACHABLE = 2,      // "DST_UNREACHABLE_3"
  ICMP_SRC_QUENCH = 3,            // "SRC_QUENCH_4"
  ICMP_REDIRECT = 4,              // "REDIRECT_5"
  ICMP_ROUTER = 5,                // "ROUTER_ADVERTISMENT_9_10"
  ICMP_TIMEOUT = 6,               // "TIMEOUT_11"
  ICMP_PARAM = 7,                 // "PARAM_PROBLEM_12"
  ICMP_TIMESTAMP = 8,             // "TIMESTAMP_REQ_REPLY_13_14"
  ICMP_INFO = 9,                  // "INFO_REQ_REPLY_15_16"
  ICMP_ADDRMASK = 10,             // "ADDRMASK_REQ_REPLY_17_18"
  ICMP_V6_DEST_UNREACHABLE = 11,  // "V6_DST_UNREACHABLE_1"
  ICMP_V6_PACKET_TOO_BIG = 12,    // "V6_PACKET_TOO_BIG_2"
  ICMP_V6_TIMEOUT = 13,           // "V6_TIME_EXCEEDED_3"
  ICMP_V6_PARAM = 14,             // "V6_PARAM_PROBLEM_4"
  ICMP_V6_ECHO = 15,              // "V6_ECHO_REQ_REPLY_128_129"
  ICMP_V6_MULTICAST = 16,         // "V6_MULTICAST_LISTENER_130_131"
  ICMP_V6_MULTICAST_DONE = 17,    // "V6_MULTICAST_LISTENER_DONE_132"
  ICMP_V6_ROUTER = 18,            // "V6_ROUTER_ADVERTISMENT_133_134"
  ICMP_V6_NEIGHBOR = 19,          // "V6_NEIGHBOR_ADVERTISMENT_135_136"
  ICMP_V6_REDIRECT = 20,          // "V6_REDIRECT_137"
};

// The property an item-changed event names.
enum EFWItemProperty : std::int32_t {
  FWI_CONTENT = 0,
  FWI_PROTOCOL = 1,  // Protocol and CustomProtocolNumber
  FWI_DIRECTION = 2,
  FWI_ICMP = 3,
  FWI_LOCALPORTS = 4,   // LocalPortFrom and LocalPortTo
  FWI_REMOTEPORTS = 5,  // RemotePortFrom and RemotePortTo
};

// The events of the firewall parser's lists (DISPIDs on its connection
// point). Definition events carry the definition (and, for a change, an
// EDefinitionProperty); item events the definition, the item and, for a
// change, an EFWItemProperty. A Clear raises its removed events once with
// a null item. No list event is raised while a file loads.
enum EFWEventDispid : DISPID {
  // 1 to 4: EParserEventDispid (load and save).
  DISPID_FW_OnBeforeGlobalOptionInserted = 5,
  DISPID_FW_OnAfterGlobalOptionInserted = 6,
  DISPID_FW_OnBeforeGlobalOptionRemoved = 7,
  DISPID_FW_OnAfterGlobalOptionRemoved = 8,
  DISPID_FW_OnBeforeGlobalOptionChanged = 9,
  DISPID_FW_OnAfterGlobalOptionChanged = 10,
  DISPID_FW_OnBeforeDefinitionInserted = 11,
  DISPID_FW_OnAfterDefinitionInserted = 12,
  DISPID_FW_OnBeforeDefinitionRemoved = 13,
  DISPID_FW_OnAfterDefinitionRemoved = 14,
  DISPID_FW_OnBeforeDefinitionChanged = 15,
  DISPID_FW_OnAfterDefinitionChanged = 16,
  DISPID_OnBeforeFWItemInserted = 17,
  DISPID_OnAfterFWItemInserted = 18,
  DISPID_OnBeforeFWItemRemoved = 19,
  DISPID_OnAfterFWItemRemoved = 20,
  DISPID_OnBeforeFWItemChanged = 21,
  DISPID_OnAfterFWItemChanged = 22,
  DISPID_FW_OnBeforeAppExceptionInserted = 29,
  DISPID_FW_OnAfterAppExceptionInserted = 30,
  DISPID_FW_OnBeforeAppExceptionRemoved = 31,
  DISPID_FW_OnAfterAppExceptionRemoved = 32,
  DISPID_FW_OnBeforeAppExceptionChanged = 33,
  DISPID_FW_OnAfterAppExceptionChanged = 34,
};

// A transport item of a definition, or a rule's inline transport.
// Defaults: no Content, DIR_IN, PROT_TCP, ICMP_ALL, ports 0 to 65535 on
// both sides, protocol numbers 0.
struct IFWItem : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E60-4000-8000-5EC0DB000E60}");
  using Base = IDispatch;

  [[nodiscard]] virtual HRESULT get_Content(std::string* content) = 0;
  [[nodiscard]] virtual HRESULT put_Content(std::string_view content) = 0;
  [[nodiscard]] virtual HRESULT get_Direction(EDirection* direction) = 0;
  [[nodiscard]] virtual HRESULT put_Direction(EDirection direction) = 0;
  [[nodiscard]] virtual HRESULT get_Protocol(EProtocol* protocol) = 0;
  [[nodiscard]] virtual HRESULT put_Protocol(EProtocol protocol) = 0;
  [[nodiscard]] virtual HRESULT get_ICMPType(EICMPType* type) = 0;
  [[nodiscard]] virtual HRESULT put_ICMPType(EICMPType type) = 0;
  [[nodiscard]] virtual HRESULT get_LocalPortFrom(std::int32_t* port) = 0;
  [[nodiscard]] virtual HRESULT put_LocalPortFrom(std::int32_t port) = 0;
  [[nodiscard]] virtual HRESULT get_LocalPortTo(std::int32_t* port) = 0;
  [[nodiscard]] virtual HRESULT put_LocalPortTo(std::int32_t port) = 0;
  [[nodiscard]] virtual HRESULT get_RemotePortFrom(std::int32_t* port) = 0;
  [[nodiscard]] virtual HRESULT put_RemotePortFrom(std::int32_t port) = 0;
  [[nodiscard]] virtual HRESULT get_RemotePortTo(std::int32_t* port) = 0;
  [[nodiscard]] virtual HRESULT put_RemotePortTo(std::int32_t port) = 0;
  // A range of IP protocol numbers: the first in the low 16 bits, the last
  // in the high 16 bits (one number n is n × 65537).
  [[nodiscard]] virtual HRESULT get_CustomProtocolNumber(std::int32_t* numbers) = 0;
  [[nodiscard]] virtual HRESULT put_CustomProtocolNumber(std::int32_t numbers) = 0;
  // 0 when the two transports are equal; otherwise negative when this one
  // sorts first, and the magnitude names the deciding field: protocol (1),
  // then direction (2); then for tcp, udp and tcp_udp the local (1) and
  // remote (2) port ranges, for icmp "all" after any one type (1) and the
  // type (2), for other protocols the protocol number range (1). A range
  // inside a wider one sorts first. E_POINTER unless `other` is a
  // firewall item or transport of this library.
  [[nodiscard]] virtual HRESULT Compare(IFWItem* other, std::int16_t* result) = 0;
};

// The items of one firewall definition, in insertion order; neither
// duplicates nor the items' fields are checked.
struct IFWItemList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E61-4000-8000-5EC0DB000E61}");
  using Base = ISDCollection;

  // A new item with the defaults, bound to this list but not a member.
  [[nodiscard]] virtual HRESULT CreateItem(IFWItem** item) = 0;
  // Appends.
  [[nodiscard]] virtual HRESULT Insert(IFWItem* item) = 0;
  [[nodiscard]] virtual HRESULT Remove(IFWItem* item) = 0;
  [[nodiscard]] virtual HRESULT Clear() = 0;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_FW_H_

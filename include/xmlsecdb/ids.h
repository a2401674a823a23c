// The IDS database: network intrusion signatures.
//
// The IDS parser (ISDParserIDS) keeps its signatures in groups: its
// `GroupList` (IIDSGroupList) holds groups (IIDSGroup), each group a list of
// rules (IIDSRule), each rule a packet filter — direction, protocol, local
// and remote address definitions, port ranges that may be inverted — with a
// signature id (`SID`), a reaction (access result and audit level) and an
// ordered list of match tokens (IIDSToken). The token order is the order in
// which the signature engine matches them.
//
// Every setter of a group, rule or token fails with 0x80041006 (message
// 111, naming the setter, for example "CIDSRule::put_SID()") while the
// parser is read-only, and changes nothing then. None of these objects
// raises events; the IDS parser raises only its load and save events.
//
// An item created by a list belongs to no list until it is inserted; it
// can be read and written meanwhile. Apartment-threaded, like the parser.
#ifndef XMLSECDB_IDS_H_
#define XMLSECDB_IDS_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "xmlsecdb/collection.h"
#include "xmlsecdb/enums.h"
#include "xmlsecdb/variant.h"

namespace xmlsecdb {

// What a token matches; the comment is its word in a database file.
enum EIDSTokenID : std::int32_t {
  TID_DSIZE = 0,        // "dsize"
  TID_PCRE = 1,         // "pcre"
  TID_CONTENT = 2,      // "content"
  TID_BYTE_TEST = 3,    // "byte_test"
  TID_BYTE_JUMP = 4,    // "byte_jump"
  TID_IS_DATA_AT = 5,   // "isdataat"
  TID_SAMEADR = 6,      // "sameadr"
  TID_IP_TTL = 7,       // "ip_ttl"
  TID_IP_TOS = 8,       // "ip_tos"
  TID_IP_ID = 9,        // "ip_id"
  TID_IP_OPT = 10,      // "ip_opt"
  TID_IP_FRG = 11,      // "ip_frg"
  TID_IP_PTC = 12,      // "ip_ptc"
  TID_TCP_FLG = 13,     // "tcp_flg"
  TID_TCP_SEQ = 14,     // "tcp_seq"
  TID_TCP_ACK = 15,     // "tcp_ack"
  TID_ICMP_TYPE = 16,   // "icmp_type"
  TID_ICMP_CODE = 17,   // "icmp_code"
  TID_ECHO_ID = 18,     // "echo_id"
  TID_ECHO_SEQ = 19,    // "echo_seq"
  TID_TCP_WINDOW = 20,  // "tcp_window"
  TID_FLOW = 21,        // "flow"
  TID_FLOW_BITS = 22,   // "flowbits"
  TID_ASN1 = 23,        // "asn1"
};

// The type of a token's value.
enum ETokenType : std::int32_t {
  TT_STR = 0,
  TT_INT = 1,
  TT_BOOL = 2,
  TT_BIN = 3,
};

// How a token's value relates to what the packet holds.
enum ERelation : std::int32_t {
  REL_EQUAL = 0,
  REL_NOT_EQUAL = 1,
  REL_GREATER = 2,
  REL_LESS = 3,
  REL_RELATIVE = 4,
};

// Whether a group's rules are enabled: all, none, or some (an empty group
// counts as mixed).
enum EIDSRulesStatus : std::int32_t {
  IDSS_DISABLED = 0,
  IDSS_ENABLED = 1,
  IDSS_MIXED = 2,
};

// Whether a group's rules only watch (all allow: asynchronous), block (none
// allows: synchronous), or both (an empty group counts as mixed).
enum EIDSRulesMode : std::int32_t {
  IDSM_ASYNC = 0,
  IDSM_SYNC = 1,
  IDSM_MIXED = 2,
};

struct IIDSToken : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0D00-4000-8000-5EC0DB000D00}");
  using Base = IDispatch;

  // Default TID_DSIZE, TT_STR, REL_EQUAL; any value is stored.
  [[nodiscard]] virtual HRESULT get_TokenID(EIDSTokenID* id) = 0;
  [[nodiscard]] virtual HRESULT put_TokenID(EIDSTokenID id) = 0;
  [[nodiscard]] virtual HRESULT get_Type(ETokenType* type) = 0;
  [[nodiscard]] virtual HRESULT put_Type(ETokenType type) = 0;
  [[nodiscard]] virtual HRESULT get_Relation(ERelation* relation) = 0;
  [[nodiscard]] virtual HRESULT put_Relation(ERelation relation) = 0;
  // Default empty. A string (TT_STR), a signed or unsigned 32-bit number
  // (TT_INT), a boolean (TT_BOOL) or an array of bytes (TT_BIN). The setter
  // stores a copy of any value, whatever the token's type.
  [[nodiscard]] virtual HRESULT get_Value(Variant* value) = 0;
  [[nodiscard]] virtual HRESULT put_Value(const Variant& value) = 0;
  // The value as hexadecimal text, two upper-case digits per byte; empty
  // unless the type is TT_BIN and the value an array of bytes. The setter
  // takes digits of either case and makes the value an array of bytes; an
  // odd length or a non-hexadecimal character gives E_FAIL and changes
  // nothing.
  [[nodiscard]] virtual HRESULT get_BinHEXValue(std::string* text) = 0;
  [[nodiscard]] virtual HRESULT put_BinHEXValue(std::string_view text) = 0;
  // The token's modifiers: texts by name, kept in name order and not
  // interpreted. A name not set reads as empty text. The setters give
  // E_POINTER for an empty name and refuse the names "unique_id", "id" and
  // "type" in any case with E_FAIL (message 115). A number is stored as its
  // decimal text, except 0, which is stored as empty text; the number of a
  // text is its leading decimal number (0 when there is none).
  [[nodiscard]] virtual HRESULT get_TokenAttr(std::string_view name, std::string* value) = 0;
  [[nodiscard]] virtual HRESULT put_TokenAttr(std::string_view name, std::string_view value) = 0;
  [[nodiscard]] virtual HRESULT get_TokenAttrAsNumber(std::string_view name,
                                                      std::int32_t* value) = 0;
  [[nodiscard]] virtual HRESULT put_TokenAttrAsNumber(std::string_view name,
                                                      std::int32_t value) = 0;
  // Unique within the rule's token list by convention (see
  // IIDSTokenList::GenerateUniqueId); not checked. Default 0.
  [[nodiscard]] virtual HRESULT get_UniqueId(std::int32_t* id) = 0;
  [[nodiscard]] virtual HRESULT put_UniqueId(std::int32_t id) = 0;
};

struct IIDSTokenList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0D01-4000-8000-5EC0DB000D01}");
  using Base = ISDCollection;

  [[nodiscard]] virtual HRESULT CreateToken(IIDSToken** token) = 0;
  // Appends; the list order is the match order.
  [[nodiscard]] virtual HRESULT Insert(IIDSToken* token) = 0;
  [[nodiscard]] virtual HRESULT Remove(IIDSToken* token) = 0;
  [[nodiscard]] virtual HRESULT Clear() = 0;
  // The smallest UniqueId from 1 upward that no member has.
  [[nodiscard]] virtual HRESULT GenerateUniqueId(std::int32_t* id) = 0;
};

struct IIDSRule : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0D02-4000-8000-5EC0DB000D02}");
  using Base = IDispatch;

  // Default empty.
  [[nodiscard]] virtual HRESULT get_Name(std::string* name) = 0;
  [[nodiscard]] virtual HRESULT put_Name(std::string_view name) = 0;
  // AR_PREVENT (default) or AR_ALLOW.
  [[nodiscard]] virtual HRESULT get_AccessResult(std::int32_t* result) = 0;
  [[nodiscard]] virtual HRESULT put_AccessResult(std::int32_t result) = 0;
  // An EAuditLevel; default 0.
  [[nodiscard]] virtual HRESULT get_AuditLevel(std::int32_t* level) = 0;
  [[nodiscard]] virtual HRESULT put_AuditLevel(std::int32_t level) = 0;
  // DIR_IN (default) or DIR_OUT; DIR_IN_OUT gives E_INVALIDARG, even on a
  // read-only database.
  [[nodiscard]] virtual HRESULT get_Direction(EDirection* direction) = 0;
  [[nodiscard]] virtual HRESULT put_Direction(EDirection direction) = 0;
  // Default PROT_TCP; PROT_TCP_UDP and PROT_OTHER give E_INVALIDARG, even
  // on a read-only database.
  [[nodiscard]] virtual HRESULT get_Protocol(EProtocol* protocol) = 0;
  [[nodiscard]] virtual HRESULT put_Protocol(EProtocol protocol) = 0;
  // The IDs of the address definitions (OT_IDS_IPADDR); default empty.
  [[nodiscard]] virtual HRESULT get_RemIPAddressID(std::string* id) = 0;
  [[nodiscard]] virtual HRESULT put_RemIPAddressID(std::string_view id) = 0;
  // The signature id, an unsigned 32-bit number; default 0.
  [[nodiscard]] virtual HRESULT get_SID(std::int32_t* sid) = 0;
  [[nodiscard]] virtual HRESULT put_SID(std::int32_t sid) = 0;
  // Port ranges, default 0 to 65535; an inverted range means every port
  // outside it.
  [[nodiscard]] virtual HRESULT get_LocalPortFrom(std::int32_t* port) = 0;
  [[nodiscard]] virtual HRESULT put_LocalPortFrom(std::int32_t port) = 0;
  [[nodiscard]] virtual HRESULT get_LocalPortTo(std::int32_t* port) = 0;
  [[nodiscard]] virtual HRESULT put_LocalPortTo(std::int32_t port) = 0;
  [[nodiscard]] virtual HRESULT get_RemotePortFrom(std::int32_t* port) = 0;
  [[nodiscard]] virtual HRESULT put_RemotePortFrom(std::int32_t port) = 0;
  [[nodiscard]] virtual HRESULT get_RemotePortTo(std::int32_t* port) = 0;
  [[nodiscard]] virtual HRESULT put_RemotePortTo(std::int32_t port) = 0;
  // Automation booleans: true is -1, and any non-zero value sets them.
  [[nodiscard]] virtual HRESULT get_LocalPortsInverted(std::int16_t* inverted) = 0;
  [[nodiscard]] virtual HRESULT put_LocalPortsInverted(std::int16_t inverted) = 0;
  [[nodiscard]] virtual HRESULT get_RemotePortsInverted(std::int16_t* inverted) = 0;
  [[nodiscard]] virtual HRESULT put_RemotePortsInverted(std::int16_t inverted) = 0;
  // The rule's own token list (a new reference to it).
  [[nodiscard]] virtual HRESULT get_TokenList(IIDSTokenList** tokens) = 0;
  // Default true (-1).
  [[nodiscard]] virtual HRESULT get_Enabled(std::int16_t* enabled) = 0;
  [[nodiscard]] virtual HRESULT put_Enabled(std::int16_t enabled) = 0;
  // The assignment filter; default "*".
  [[nodiscard]] virtual HRESULT get_Assignment(std::string* assignment) = 0;
  [[nodiscard]] virtual HRESULT put_Assignment(std::string_view assignment) = 0;
  [[nodiscard]] virtual HRESULT get_LocIPAddressID(std::string* id) = 0;
  [[nodiscard]] virtual HRESULT put_LocIPAddressID(std::string_view id) = 0;
  // Default empty. Kept in memory only: a database file has no place for it.
  [[nodiscard]] virtual HRESULT get_UIFlags(std::string* flags) = 0;
  [[nodiscard]] virtual HRESULT put_UIFlags(std::string_view flags) = 0;
};

struct IIDSRuleList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0D03-4000-8000-5EC0DB000D03}");
  using Base = ISDCollection;

  [[nodiscard]] virtual HRESULT CreateRule(IIDSRule** rule) = 0;
  // Appends; no identifier checks.
  [[nodiscard]] virtual HRESULT Insert(IIDSRule* rule) = 0;
  [[nodiscard]] virtual HRESULT Remove(IIDSRule* rule) = 0;
  [[nodiscard]] virtual HRESULT Clear() = 0;
};

struct IIDSGroup : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0D04-4000-8000-5EC0DB000D04}");
  using Base = IDispatch;

  [[nodiscard]] virtual HRESULT get_Name(std::string* name) = 0;
  [[nodiscard]] virtual HRESULT put_Name(std::string_view name) = 0;
  // The group's own rule list (a new reference to it).
  [[nodiscard]] virtual HRESULT get_RuleList(IIDSRuleList** rules) = 0;
  // Computed from the rules' Enabled and AccessResult.
  [[nodiscard]] virtual HRESULT get_RulesStatus(EIDSRulesStatus* status) = 0;
  [[nodiscard]] virtual HRESULT get_RulesMode(EIDSRulesMode* mode) = 0;
  // Unique among the groups of the parser: an ID that a member of the
  // parser's group list has (this group itself included) gives 0x80041005
  // (message 106) and changes nothing.
  [[nodiscard]] virtual HRESULT get_GroupID(std::string* id) = 0;
  [[nodiscard]] virtual HRESULT put_GroupID(std::string_view id) = 0;
};

struct IIDSGroupList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0D05-4000-8000-5EC0DB000D05}");
  using Base = ISDCollection;

  [[nodiscard]] virtual HRESULT CreateGroup(IIDSGroup** group) = 0;
  // Appends; a group whose GroupID a member has gives 0x80041005 (message
  // 106) and inserts nothing.
  [[nodiscard]] virtual HRESULT Insert(IIDSGroup* group) = 0;
  [[nodiscard]] virtual HRESULT Remove(IIDSGroup* group) = 0;
  // The member with exactly this GroupID; 0x80041004 (message 107) when
  // there is none.
  [[nodiscard]] virtual HRESULT Get(std::string_view group_id, IIDSGroup** group) = 0;
  [[nodiscard]] virtual HRESULT Clear() = 0;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_IDS_H_

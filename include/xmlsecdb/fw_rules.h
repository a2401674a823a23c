// The firewall's rules: application rules (IFWRule), routed rules
// (IFWRoutedRule), dial numbers (IFWDialNumber), zone rules (IFWZoneRule)
// and bind-socket notifications (IBindSocketNotification), each in its own
// list of the firewall parser (ISDParserFW, xmlsecdb/parsers.h).
//
// Every setter refuses a read-only database (0x80041006, message 111) and
// validates nothing. Application rules and zone rules raise the parser's
// changed events (with an EFWRuleProperty) while they are members; routed
// rules and dial numbers raise none; bind-socket notifications raise
// theirs without a property. Application, routed and zone rules are kept
// in the order of their comparison; dial numbers and bind-socket
// notifications in insertion order (dial numbers are sorted before a save
// that follows a change).
//
// Apartment-threaded, like the parser.
#ifndef XMLSECDB_FW_RULES_H_
#define XMLSECDB_FW_RULES_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "xmlsecdb/access.h"
#include "xmlsecdb/collection.h"
#include "xmlsecdb/enums.h"
#include "xmlsecdb/fw.h"

namespace xmlsecdb {

// The property a rule-changed (or zone-rule-changed) event names.
enum EFWRuleProperty : std::int32_t {
  FWR_PRIORITY = 0,
  FWR_IPADDR = 1,
  FWR_TRANSPORT = 2,
  FWR_APP = 3,
  FWR_CONDITION = 4,
  FWR_TIME = 5,
  FWR_OSVERSION = 6,
  FWR_ACCESSDESC = 7,
  FWR_ID = 8,
  FWR_ZONE = 10,
  FWR_SYSTEM = 11,
  FWR_ASSIGNMENT = 12,
  FWR_PREFERRED = 13,
  FWR_CONDSWITCH = 14,
  FWR_LEARNING_MODE = 15,
  FWR_PROCESS_ID = 16,
  FWR_ENABLED = 17,
  FWR_DESCRIPTION = 18,
  FWR_UIFLAGS = 19,
  FWR_CATEGORY = 20,
  FWR_INTERFACE = 21,
  FWR_ORDER = 22,
  FWR_DOMAIN = 23,
  FWR_SID = 24,
  FWR_AL = 25,
};

// What GetLabelClientServerStatus reports for one side of a label.
enum EClientServerStatus : std::int32_t {
  CSS_ALLOW = 0,
  CSS_DENY = 1,
  CSS_ASK = 2,
  CSS_CUSTOM = 3,
};

enum EZoneCategory : std::int32_t {
  CAT_LAN = 1,
  CAT_VPN = 2,
  CAT_WAN = 3,
  CAT_UNKNOWN = 4,
};

enum EZoneId : std::int32_t {
  ZID_SAFE = 0,
  ZID_DANGEROUS = 1,
  ZID_UNASSIGNED = 2,
  ZID_RULE_RES = INT32_MIN,
};

// The rule events of the firewall parser (beside EFWEventDispid):
// inserted and removed carry the rule, changed the rule and an
// EFWRuleProperty; bind-socket events carry the notification alone.
enum EFWRuleEventDispid : DISPID {
  DISPID_FW_OnBeforeRuleInserted = 23,
  DISPID_FW_OnAfterRuleInserted = 24,
  DISPID_FW_OnBeforeRuleRemoved = 25,
  DISPID_FW_OnAfterRuleRemoved = 26,
  DISPID_FW_OnBeforeRuleChanged = 27,
  DISPID_FW_OnAfterRuleChanged = 28,
  DISPID_OnBeforeZoneRuleInserted = 35,
  DISPID_OnAfterZoneRuleInserted = 36,
  DISPID_OnBeforeZoneRuleRemoved = 37,
  DISPID_OnAfterZoneRuleRemoved = 38,
  DISPID_OnBeforeZoneRuleChanged = 39,
  DISPID_OnAfterZoneRuleChanged = 40,
  DISPID_OnBeforeBSNInserted = 41,
  DISPID_OnAfterBSNInserted = 42,
  DISPID_OnBeforeBSNRemoved = 43,
  DISPID_OnAfterBSNRemoved = 44,
  DISPID_OnBeforeBSNChanged = 45,
  DISPID_OnAfterBSNChanged = 46,
};

struct IFWRuleList;

// An application rule. Defaults: remote and local address "*" (direct),
// inline transport (the defaults of IFWItem), application "*" (a label),
// no conditions, no time of day, all systems, zone 3 (both), user account,
// assignment "*", enabled, normal priority.
struct IFWRule : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E62-4000-8000-5EC0DB000E62}");
  using Base = IDispatch;

  [[nodiscard]] virtual HRESULT get_Priority(EPriority* priority) = 0;
  [[nodiscard]] virtual HRESULT put_Priority(EPriority priority) = 0;
  [[nodiscard]] virtual HRESULT get_RemIPAddrType(ERefType* type) = 0;
  [[nodiscard]] virtual HRESULT put_RemIPAddrType(ERefType type) = 0;
  [[nodiscard]] virtual HRESULT get_RemIPAddress(std::string* address) = 0;
  [[nodiscard]] virtual HRESULT put_RemIPAddress(std::string_view address) = 0;
  [[nodiscard]] virtual HRESULT get_TransportType(ERefType* type) = 0;
  [[nodiscard]] virtual HRESULT put_TransportType(ERefType type) = 0;
  // Changes raise events only while TransportType is RT_DEFINITION.
  [[nodiscard]] virtual HRESULT get_TransportID(std::string* id) = 0;
  [[nodiscard]] virtual HRESULT put_TransportID(std::string_view id) = 0;
  // The inline transport, owned by the rule.
  [[nodiscard]] virtual HRESULT get_TransportObject(IFWItem** transport) = 0;
  [[nodiscard]] virtual HRESULT get_AppType(EAppType* type) = 0;
  [[nodiscard]] virtual HRESULT put_AppType(EAppType type) = 0;
  [[nodiscard]] virtual HRESULT get_Application(std::string* application) = 0;
  [[nodiscard]] virtual HRESULT put_Application(std::string_view application) = 0;
  [[nodiscard]] virtual HRESULT get_OutConditionAND(std::int32_t* mask) = 0;
  [[nodiscard]] virtual HRESULT put_OutConditionAND(std::int32_t mask) = 0;
  [[nodiscard]] virtual HRESULT get_OutConditionOR(std::int32_t* mask) = 0;
  [[nodiscard]] virtual HRESULT put_OutConditionOR(std::int32_t mask) = 0;
  [[nodiscard]] virtual HRESULT get_TimeOfDayType(ERefType* type) = 0;
  [[nodiscard]] virtual HRESULT put_TimeOfDayType(ERefType type) = 0;
  [[nodiscard]] virtual HRESULT get_TimeOfDay(std::string* time) = 0;
  [[nodiscard]] virtual HRESULT put_TimeOfDay(std::string_view time) = 0;
  [[nodiscard]] virtual HRESULT get_OSVersion(EOSVersion* version) = 0;
  [[nodiscard]] virtual HRESULT put_OSVersion(EOSVersion version) = 0;
  // The rule's one access descriptor, owned by the rule.
  [[nodiscard]] virtual HRESULT get_AccessDescriptor(IAccessDescriptor** descriptor) = 0;
  // 0x80041005 (117) when another member of the list has the new id.
  [[nodiscard]] virtual HRESULT get_RuleID(std::int32_t* id) = 0;
  [[nodiscard]] virtual HRESULT put_RuleID(std::int32_t id) = 0;
  [[nodiscard]] virtual HRESULT get_RuleIDString(std::string* id) = 0;
  [[nodiscard]] virtual HRESULT put_RuleIDString(std::string_view id) = 0;
  // Bit 0 the safe zone, bit 1 the dangerous zone.
  [[nodiscard]] virtual HRESULT get_Zone(std::int32_t* zones) = 0;
  [[nodiscard]] virtual HRESULT put_Zone(std::int32_t zones) = 0;
  // Setting System sets Account to RA_SYSTEM (non-zero) or RA_USER.
  [[nodiscard]] virtual HRESULT get_System(std::int32_t* system) = 0;
  [[nodiscard]] virtual HRESULT put_System(std::int32_t system) = 0;
  [[nodiscard]] virtual HRESULT get_Assignment(std::string* assignment) = 0;
  [[nodiscard]] virtual HRESULT put_Assignment(std::string_view assignment) = 0;
  [[nodiscard]] virtual HRESULT get_Preferred(std::int32_t* preferred) = 0;
  [[nodiscard]] virtual HRESULT put_Preferred(std::int32_t preferred) = 0;
  [[nodiscard]] virtual HRESULT get_ConditionSwitchList(IConditionSwitchList** list) = 0;
  [[nodiscard]] virtual HRESULT get_LearningMode(std::int32_t* mode) = 0;
  [[nodiscard]] virtual HRESULT put_LearningMode(std::int32_t mode) = 0;
  [[nodiscard]] virtual HRESULT get_ProcessID(std::int32_t* id) = 0;
  [[nodiscard]] virtual HRESULT put_ProcessID(std::int32_t id) = 0;
  // RA_USER and RA_SYSTEM also set System; RA_BOTH leaves it.
  [[nodiscard]] virtual HRESULT get_Account(ERuleAccount* account) = 0;
  [[nodiscard]] virtual HRESULT put_Account(ERuleAccount account) = 0;
  [[nodiscard]] virtual HRESULT get_Enabled(std::int32_t* enabled) = 0;
  [[nodiscard]] virtual HRESULT put_Enabled(std::int32_t enabled) = 0;
  [[nodiscard]] virtual HRESULT get_Description(std::string* text) = 0;
  [[nodiscard]] virtual HRESULT put_Description(std::string_view text) = 0;
  [[nodiscard]] virtual HRESULT get_LocIPAddrType(ERefType* type) = 0;
  [[nodiscard]] virtual HRESULT put_LocIPAddrType(ERefType type) = 0;
  [[nodiscard]] virtual HRESULT get_LocIPAddress(std::string* address) = 0;
  [[nodiscard]] virtual HRESULT put_LocIPAddress(std::string_view address) = 0;
  [[nodiscard]] virtual HRESULT get_UIFlags(std::string* flags) = 0;
  [[nodiscard]] virtual HRESULT put_UIFlags(std::string_view flags) = 0;
  [[nodiscard]] virtual HRESULT get_Order(std::int32_t* order) = 0;
  [[nodiscard]] virtual HRESULT put_Order(std::int32_t order) = 0;
  // A copy in `list` (with a fresh id when `generate_id`), inserted there.
  [[nodiscard]] virtual HRESULT CopyToList(IFWRuleList* list, std::int32_t generate_id,
                                           IFWRule** copy) = 0;
};

struct IFWRuleList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E63-4000-8000-5EC0DB000E63}");
  using Base = ISDCollection;

  [[nodiscard]] virtual HRESULT CreateRule(IFWRule** rule) = 0;
  // Places `rule` by comparison (`before` is not used); 117 for a taken id.
  [[nodiscard]] virtual HRESULT Insert(IFWRule* rule, IFWRule* before) = 0;
  [[nodiscard]] virtual HRESULT Remove(IFWRule* rule) = 0;
  [[nodiscard]] virtual HRESULT Clear() = 0;
  // Not implemented (a rule's place follows from its content): E_NOTIMPL.
  [[nodiscard]] virtual HRESULT MoveUp(IFWRule* rule) = 0;
  [[nodiscard]] virtual HRESULT MoveDown(IFWRule* rule) = 0;
  [[nodiscard]] virtual HRESULT Get(std::string_view id, IFWRule** rule) = 0;
  // How the rules for the label `label` treat it as a client (outgoing)
  // and as a server (incoming): allow or deny by one plain rule (any
  // remote address, tcp_udp on all ports), custom when other rules apply,
  // ask when none does.
  [[nodiscard]] virtual HRESULT GetLabelClientServerStatus(std::string_view label,
                                                           EClientServerStatus* client,
                                                           EClientServerStatus* server) = 0;
  [[nodiscard]] virtual HRESULT GenerateRuleID(std::int32_t object_type, std::int32_t master,
                                               std::int32_t* id) = 0;
  [[nodiscard]] virtual HRESULT GetByRuleNum(std::int32_t id, IFWRule** rule) = 0;
  [[nodiscard]] virtual HRESULT InsertEx(IFWRule* rule, std::int32_t master, IFWRule** copy) = 0;
};

struct IFWRoutedRuleList;

// A routed rule: traffic the host routes between a remote and a LAN
// address through one of its interfaces. Its setters raise no events and
// mark nothing modified.
struct IFWRoutedRule : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E64-4000-8000-5EC0DB000E64}");
  using Base = IDispatch;

  [[nodiscard]] virtual HRESULT get_Priority(EPriority* priority) = 0;
  [[nodiscard]] virtual HRESULT put_Priority(EPriority priority) = 0;
  [[nodiscard]] virtual HRESULT get_RemIPAddrType(ERefType* type) = 0;
  [[nodiscard]] virtual HRESULT put_RemIPAddrType(ERefType type) = 0;
  [[nodiscard]] virtual HRESULT get_RemIPAddress(std::string* address) = 0;
  [[nodiscard]] virtual HRESULT put_RemIPAddress(std::string_view address) = 0;
  [[nodiscard]] virtual HRESULT get_LANIPAddrType(ERefType* type) = 0;
  [[nodiscard]] virtual HRESULT put_LANIPAddrType(ERefType type) = 0;
  [[nodiscard]] virtual HRESULT get_LANIPAddress(std::string* address) = 0;
  [[nodiscard]] virtual HRESULT put_LANIPAddress(std::string_view address) = 0;
  [[nodiscard]] virtual HRESULT get_TransportType(ERefType* type) = 0;
  [[nodiscard]] virtual HRESULT put_TransportType(ERefType type) = 0;
  [[nodiscard]] virtual HRESULT get_TransportID(std::string* id) = 0;
  [[nodiscard]] virtual HRESULT put_TransportID(std::string_view id) = 0;
  [[nodiscard]] virtual HRESULT get_TransportObject(IFWItem** transport) = 0;
  [[nodiscard]] virtual HRESULT get_OutConditionAND(std::int32_t* mask) = 0;
  [[nodiscard]] virtual HRESULT put_OutConditionAND(std::int32_t mask) = 0;
  [[nodiscard]] virtual HRESULT get_OutConditionOR(std::int32_t* mask) = 0;
  [[nodiscard]] virtual HRESULT put_OutConditionOR(std::int32_t mask) = 0;
  [[nodiscard]] virtual HRESULT get_TimeOfDayType(ERefType* type) = 0;
  [[nodiscard]] virtual HRESULT put_TimeOfDayType(ERefType type) = 0;
  [[nodiscard]] virtual HRESULT get_TimeOfDay(std::string* time) = 0;
  [[nodiscard]] virtual HRESULT put_TimeOfDay(std::string_view time) = 0;
  [[nodiscard]] virtual HRESULT get_OSVersion(EOSVersion* version) = 0;
  [[nodiscard]] virtual HRESULT put_OSVersion(EOSVersion version) = 0;
  [[nodiscard]] virtual HRESULT get_AccessDescriptor(IAccessDescriptor** descriptor) = 0;
  [[nodiscard]] virtual HRESULT get_RuleID(std::int32_t* id) = 0;
  [[nodiscard]] virtual HRESULT put_RuleID(std::int32_t id) = 0;
  [[nodiscard]] virtual HRESULT get_RuleIDString(std::string* id) = 0;
  [[nodiscard]] virtual HRESULT put_RuleIDString(std::string_view id) = 0;
  [[nodiscard]] virtual HRESULT get_Assignment(std::string* assignment) = 0;
  [[nodiscard]] virtual HRESULT put_Assignment(std::string_view assignment) = 0;
  [[nodiscard]] virtual HRESULT get_Enabled(std::int32_t* enabled) = 0;
  [[nodiscard]] virtual HRESULT put_Enabled(std::int32_t enabled) = 0;
  [[nodiscard]] virtual HRESULT get_IfaceIPAddrType(ERefType* type) = 0;
  [[nodiscard]] virtual HRESULT put_IfaceIPAddrType(ERefType type) = 0;
  [[nodiscard]] virtual HRESULT get_IfaceIPAddress(std::string* address) = 0;
  [[nodiscard]] virtual HRESULT put_IfaceIPAddress(std::string_view address) = 0;
  [[nodiscard]] virtual HRESULT get_Description(std::string* text) = 0;
  [[nodiscard]] virtual HRESULT put_Description(std::string_view text) = 0;
  [[nodiscard]] virtual HRESULT get_UIFlags(std::string* flags) = 0;
  [[nodiscard]] virtual HRESULT put_UIFlags(std::string_view flags) = 0;
  [[nodiscard]] virtual HRESULT get_Preferred(std::int32_t* preferred) = 0;
  [[nodiscard]] virtual HRESULT put_Preferred(std::int32_t preferred) = 0;
  [[nodiscard]] virtual HRESULT get_Order(std::int32_t* order) = 0;
  [[nodiscard]] virtual HRESULT put_Order(std::int32_t order) = 0;
  [[nodiscard]] virtual HRESULT CopyToList(IFWRoutedRuleList* list, std::int32_t generate_id,
                                           IFWRoutedRule** copy) = 0;
};

struct IFWRoutedRuleList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E65-4000-8000-5EC0DB000E65}");
  using Base = ISDCollection;

  [[nodiscard]] virtual HRESULT CreateRule(IFWRoutedRule** rule) = 0;
  [[nodiscard]] virtual HRESULT Insert(IFWRoutedRule* rule, IFWRoutedRule* before) = 0;
  [[nodiscard]] virtual HRESULT Remove(IFWRoutedRule* rule) = 0;
  [[nodiscard]] virtual HRESULT Clear() = 0;
  [[nodiscard]] virtual HRESULT MoveUp(IFWRoutedRule* rule) = 0;
  [[nodiscard]] virtual HRESULT MoveDown(IFWRoutedRule* rule) = 0;
  [[nodiscard]] virtual HRESULT Get(std::string_view id, IFWRoutedRule** rule) = 0;
  [[nodiscard]] virtual HRESULT GenerateRuleID(std::int32_t master, std::int32_t* id) = 0;
  [[nodiscard]] virtual HRESULT GetByRuleNum(std::int32_t id, IFWRoutedRule** rule) = 0;
  [[nodiscard]] virtual HRESULT InsertEx(IFWRoutedRule* rule, std::int32_t master,
                                         IFWRoutedRule** copy) = 0;
};

// A telephone number a dial-up connection may call. Its access descriptor
// is the first of its own list (E_UNEXPECTED when the list is empty).
struct IFWDialNumber : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E66-4000-8000-5EC0DB000E66}");
  using Base = IDispatch;

  [[nodiscard]] virtual HRESULT get_Number(std::string* number) = 0;
  [[nodiscard]] virtual HRESULT put_Number(std::string_view number) = 0;
  [[nodiscard]] virtual HRESULT get_AccessDescriptor(IAccessDescriptor** descriptor) = 0;
  [[nodiscard]] virtual HRESULT get_Enabled(std::int32_t* enabled) = 0;
  [[nodiscard]] virtual HRESULT put_Enabled(std::int32_t enabled) = 0;
  [[nodiscard]] virtual HRESULT get_Description(std::string* text) = 0;
  [[nodiscard]] virtual HRESULT put_Description(std::string_view text) = 0;
  [[nodiscard]] virtual HRESULT get_UIFlags(std::string* flags) = 0;
  [[nodiscard]] virtual HRESULT put_UIFlags(std::string_view flags) = 0;
  [[nodiscard]] virtual HRESULT get_Assignment(std::string* assignment) = 0;
  [[nodiscard]] virtual HRESULT put_Assignment(std::string_view assignment) = 0;
  [[nodiscard]] virtual HRESULT get_Priority(EPriority* priority) = 0;
  [[nodiscard]] virtual HRESULT put_Priority(EPriority priority) = 0;
  // Never refused for uniqueness: a taken id fails when the number is
  // inserted.
  [[nodiscard]] virtual HRESULT get_DialNumberID(std::int32_t* id) = 0;
  [[nodiscard]] virtual HRESULT put_DialNumberID(std::int32_t id) = 0;
  [[nodiscard]] virtual HRESULT get_DialNumberIDString(std::string* id) = 0;
  [[nodiscard]] virtual HRESULT put_DialNumberIDString(std::string_view id) = 0;
  [[nodiscard]] virtual HRESULT get_Order(std::int32_t* order) = 0;
  [[nodiscard]] virtual HRESULT put_Order(std::int32_t order) = 0;
};

struct IFWDialNumberList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E67-4000-8000-5EC0DB000E67}");
  using Base = ISDCollection;

  [[nodiscard]] virtual HRESULT CreateDialNumber(IFWDialNumber** number) = 0;
  // Appends (`before` is not used); 117 for a taken DialNumberID.
  [[nodiscard]] virtual HRESULT Insert(IFWDialNumber* number, IFWDialNumber* before) = 0;
  [[nodiscard]] virtual HRESULT Remove(IFWDialNumber* number) = 0;
  [[nodiscard]] virtual HRESULT Clear() = 0;
  [[nodiscard]] virtual HRESULT GenerateDialNumberID(std::int32_t master, std::int32_t* id) = 0;
  [[nodiscard]] virtual HRESULT Get(std::string_view id, IFWDialNumber** number) = 0;
};

struct IFWZoneRuleList;

// Which networks count as the safe or the dangerous zone. Defaults:
// CAT_UNKNOWN, ZID_UNASSIGNED, empty address, interface, domain and SSID,
// assignment "*", enabled, audit level 0.
struct IFWZoneRule : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E68-4000-8000-5EC0DB000E68}");
  using Base = IDispatch;

  [[nodiscard]] virtual HRESULT get_Category(EZoneCategory* category) = 0;
  [[nodiscard]] virtual HRESULT put_Category(EZoneCategory category) = 0;
  [[nodiscard]] virtual HRESULT get_IPAddrType(ERefType* type) = 0;
  [[nodiscard]] virtual HRESULT put_IPAddrType(ERefType type) = 0;
  [[nodiscard]] virtual HRESULT get_IPAddress(std::string* address) = 0;
  [[nodiscard]] virtual HRESULT put_IPAddress(std::string_view address) = 0;
  [[nodiscard]] virtual HRESULT get_Interface(std::string* name) = 0;
  [[nodiscard]] virtual HRESULT put_Interface(std::string_view name) = 0;
  // The precedence number's priority, as an unsigned number.
  [[nodiscard]] virtual HRESULT get_Priority(std::uint32_t* priority) = 0;
  [[nodiscard]] virtual HRESULT put_Priority(std::uint32_t priority) = 0;
  [[nodiscard]] virtual HRESULT get_Zone(EZoneId* zone) = 0;
  [[nodiscard]] virtual HRESULT put_Zone(EZoneId zone) = 0;
  [[nodiscard]] virtual HRESULT get_RuleID(std::int32_t* id) = 0;
  [[nodiscard]] virtual HRESULT put_RuleID(std::int32_t id) = 0;
  [[nodiscard]] virtual HRESULT get_RuleIDString(std::string* id) = 0;
  [[nodiscard]] virtual HRESULT put_RuleIDString(std::string_view id) = 0;
  [[nodiscard]] virtual HRESULT get_Enabled(std::int32_t* enabled) = 0;
  [[nodiscard]] virtual HRESULT put_Enabled(std::int32_t enabled) = 0;
  [[nodiscard]] virtual HRESULT get_Description(std::string* text) = 0;
  [[nodiscard]] virtual HRESULT put_Description(std::string_view text) = 0;
  [[nodiscard]] virtual HRESULT get_UIFlags(std::string* flags) = 0;
  [[nodiscard]] virtual HRESULT put_UIFlags(std::string_view flags) = 0;
  [[nodiscard]] virtual HRESULT get_Assignment(std::string* assignment) = 0;
  [[nodiscard]] virtual HRESULT put_Assignment(std::string_view assignment) = 0;
  [[nodiscard]] virtual HRESULT get_Order(std::int32_t* order) = 0;
  [[nodiscard]] virtual HRESULT put_Order(std::int32_t order) = 0;
  [[nodiscard]] virtual HRESULT CopyToList(IFWZoneRuleList* list, std::int32_t generate_id,
                                           IFWZoneRule** copy) = 0;
  [[nodiscard]] virtual HRESULT get_Domain(std::string* domain) = 0;
  [[nodiscard]] virtual HRESULT put_Domain(std::string_view domain) = 0;
  // A refusal names "CFWZoneRule::put_Domain()", as Domain's does.
  [[nodiscard]] virtual HRESULT get_SSID(std::string* ssid) = 0;
  [[nodiscard]] virtual HRESULT put_SSID(std::string_view ssid) = 0;
  [[nodiscard]] virtual HRESULT get_AuditLevel(EAuditLevel* level) = 0;
  [[nodiscard]] virtual HRESULT put_AuditLevel(EAuditLevel level) = 0;
};

struct IFWZoneRuleList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E69-4000-8000-5EC0DB000E69}");
  using Base = ISDCollection;

  [[nodiscard]] virtual HRESULT CreateRule(IFWZoneRule** rule) = 0;
  [[nodiscard]] virtual HRESULT Insert(IFWZoneRule* rule) = 0;
  [[nodiscard]] virtual HRESULT Remove(IFWZoneRule* rule) = 0;
  [[nodiscard]] virtual HRESULT Clear() = 0;
  [[nodiscard]] virtual HRESULT Get(std::string_view id, IFWZoneRule** rule) = 0;
  [[nodiscard]] virtual HRESULT GetByRuleNum(std::int32_t id, IFWZoneRule** rule) = 0;
  [[nodiscard]] virtual HRESULT GenerateRuleID(std::int32_t master, std::int32_t* id) = 0;
};

// How loudly an application's opening of listening sockets is reported:
// audit levels (EAuditLevel numbers) for server ports and other ports.
struct IBindSocketNotification : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E6A-4000-8000-5EC0DB000E6A}");
  using Base = IDispatch;

  [[nodiscard]] virtual HRESULT get_Label(std::string* label) = 0;
  [[nodiscard]] virtual HRESULT put_Label(std::string_view label) = 0;
  [[nodiscard]] virtual HRESULT get_NotifyServerPorts(std::int32_t* level) = 0;
  [[nodiscard]] virtual HRESULT put_NotifyServerPorts(std::int32_t level) = 0;
  [[nodiscard]] virtual HRESULT get_NotifyGenPorts(std::int32_t* level) = 0;
  [[nodiscard]] virtual HRESULT put_NotifyGenPorts(std::int32_t level) = 0;
  [[nodiscard]] virtual HRESULT get_Priority(EPriority* priority) = 0;
  [[nodiscard]] virtual HRESULT put_Priority(EPriority priority) = 0;
  [[nodiscard]] virtual HRESULT get_Assignment(std::string* assignment) = 0;
  [[nodiscard]] virtual HRESULT put_Assignment(std::string_view assignment) = 0;
  [[nodiscard]] virtual HRESULT get_UIFlags(std::string* flags) = 0;
  [[nodiscard]] virtual HRESULT put_UIFlags(std::string_view flags) = 0;
  [[nodiscard]] virtual HRESULT get_Order(std::int32_t* order) = 0;
  [[nodiscard]] virtual HRESULT put_Order(std::int32_t order) = 0;
};

// In insertion order, without a duplicate check.
struct IBindSocketNotificationList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E6B-4000-8000-5EC0DB000E6B}");
  using Base = ISDCollection;

  [[nodiscard]] virtual HRESULT CreateBindSocketNotification(
      IBindSocketNotification** notification) = 0;
  [[nodiscard]] virtual HRESULT Insert(IBindSocketNotification* notification) = 0;
  [[nodiscard]] virtual HRESULT Remove(IBindSocketNotification* notification) = 0;
  [[nodiscard]] virtual HRESULT Clear() = 0;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_FW_RULES_H_

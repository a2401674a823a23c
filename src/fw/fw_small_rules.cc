#include "fw/fw_small_rules.h"

#include "core/return_if_failed.h"
#include "list/rule_copy.h"
#include "model/rule_compare.h"

namespace xmlsecdb {
namespace {

template <class E, class T>
HRESULT GetAs(const T& field, E* out) {
  return GetField(static_cast<E>(field), out);
}

}  // namespace

// ---------------------------------------------------------------------------
// CFWZoneRule

HRESULT CFWZoneRule::get_Category(EZoneCategory* category) {
  return GetAs(fields_.category, category);
}
HRESULT CFWZoneRule::put_Category(EZoneCategory category) {
  return Put("CFWZoneRule::put_Category()", fields_.category, std::int32_t{category}, FWR_CATEGORY);
}
HRESULT CFWZoneRule::get_IPAddrType(ERefType* type) { return GetAs(fields_.address_type, type); }
HRESULT CFWZoneRule::put_IPAddrType(ERefType type) {
  return Put("CFWZoneRule::put_IPAddrType()", fields_.address_type, std::int32_t{type}, FWR_IPADDR);
}
HRESULT CFWZoneRule::get_IPAddress(std::string* address) {
  return GetField(fields_.address, address);
}
HRESULT CFWZoneRule::put_IPAddress(std::string_view address) {
  return Put("CFWZoneRule::put_IPAddress()", fields_.address, std::string(address), FWR_IPADDR);
}
HRESULT CFWZoneRule::get_Interface(std::string* name) {
  return GetField(fields_.interface_name, name);
}
HRESULT CFWZoneRule::put_Interface(std::string_view name) {
  return Put("CFWZoneRule::put_Interface()", fields_.interface_name, std::string(name),
             FWR_INTERFACE);
}
HRESULT CFWZoneRule::get_Priority(std::uint32_t* priority) {
  if (!priority) return E_POINTER;
  EPriority value = PRIOR_NORMAL;
  RETURN_IF_FAILED(GetPriority(fields_.precedence, &value));
  *priority = static_cast<std::uint32_t>(value);
  return S_OK;
}
HRESULT CFWZoneRule::put_Priority(std::uint32_t priority) {
  return PutPriority(*this, fields_.precedence, "CFWZoneRule::put_Priority()",
                     static_cast<std::int32_t>(priority), FWR_PRIORITY);
}
HRESULT CFWZoneRule::get_Zone(EZoneId* zone) { return GetAs(fields_.zone, zone); }
HRESULT CFWZoneRule::put_Zone(EZoneId zone) {
  return Put("CFWZoneRule::put_Zone()", fields_.zone, std::int32_t{zone}, FWR_ZONE);
}
HRESULT CFWZoneRule::get_RuleID(std::int32_t* id) { return GetField(rule_id(), id); }
HRESULT CFWZoneRule::put_RuleID(std::int32_t id) {
  return SetRuleID("CFWZoneRule::put_RuleID()", id, FWR_ID);
}
HRESULT CFWZoneRule::get_RuleIDString(std::string* id) { return GetField(RuleIDString(), id); }
HRESULT CFWZoneRule::put_RuleIDString(std::string_view id) {
  return SetRuleIDString("CFWZoneRule::put_RuleID()", id, FWR_ID);
}
HRESULT CFWZoneRule::get_Enabled(std::int32_t* enabled) {
  return GetField(fields_.enabled, enabled);
}
HRESULT CFWZoneRule::put_Enabled(std::int32_t enabled) {
  return Put("CFWZoneRule::put_Enabled()", fields_.enabled, enabled, FWR_ENABLED);
}
HRESULT CFWZoneRule::get_Description(std::string* text) {
  return GetField(fields_.description, text);
}
HRESULT CFWZoneRule::put_Description(std::string_view text) {
  return Put("CFWZoneRule::put_Description()", fields_.description, std::string(text),
             FWR_DESCRIPTION);
}
HRESULT CFWZoneRule::get_UIFlags(std::string* flags) { return GetField(fields_.ui_flags, flags); }
HRESULT CFWZoneRule::put_UIFlags(std::string_view flags) {
  return Put("CFWZoneRule::put_UIFlags()", fields_.ui_flags, std::string(flags), FWR_UIFLAGS);
}
HRESULT CFWZoneRule::get_Assignment(std::string* assignment) {
  return GetField(fields_.assignment, assignment);
}
HRESULT CFWZoneRule::put_Assignment(std::string_view assignment) {
  return Put("CFWZoneRule::put_Assignment()", fields_.assignment, std::string(assignment),
             FWR_ASSIGNMENT);
}
HRESULT CFWZoneRule::get_Order(std::int32_t* order) { return GetOrder(fields_.precedence, order); }
HRESULT CFWZoneRule::put_Order(std::int32_t order) {
  return PutOrder(*this, fields_.precedence, "CFWZoneRule::put_Order()", order, FWR_ORDER);
}
HRESULT CFWZoneRule::CopyToList(IFWZoneRuleList* list, std::int32_t generate_id,
                                IFWZoneRule** copy) {
  return CopyRuleToList<CFWZoneRule>(*this, 0, list, generate_id, copy, [this](CFWZoneRule& to) {
    to.fields_ = fields_;
    return S_OK;
  });
}
HRESULT CFWZoneRule::get_Domain(std::string* domain) { return GetField(fields_.domain, domain); }
HRESULT CFWZoneRule::put_Domain(std::string_view domain) {
  return Put("CFWZoneRule::put_Domain()", fields_.domain, std::string(domain), FWR_DOMAIN);
}
HRESULT CFWZoneRule::get_SSID(std::string* ssid) { return GetField(fields_.ssid, ssid); }
HRESULT CFWZoneRule::put_SSID(std::string_view ssid) {
  // The SSID's refusals name the Domain setter, as they always have.
  return Put("CFWZoneRule::put_Domain()", fields_.ssid, std::string(ssid), FWR_SID);
}
HRESULT CFWZoneRule::get_AuditLevel(EAuditLevel* level) {
  return GetAs(fields_.audit_level, level);
}
HRESULT CFWZoneRule::put_AuditLevel(EAuditLevel level) {
  return Put("CFWZoneRule::put_AuditLevel()", fields_.audit_level, std::int32_t{level}, FWR_AL);
}

std::int16_t CFWZoneRule::Compare(const RuleItemBase& other_item) const {
  const Fields& a = fields_;
  const Fields& b = static_cast<const CFWZoneRule&>(other_item).fields_;
  if (int o = OrderOf(a.precedence.order(), b.precedence.order())) return Keyed(o, 1);
  if (int o = OrderOf(a.category, b.category)) return Keyed(o, 2);
  if (int o = OrderOf(a.zone, b.zone)) return Keyed(o, 3);
  if (int o = CompareRuleTexts(a.address, a.address_type, b.address, b.address_type,
                               PrefixOrder::kLongerFirst)) {
    return Keyed(o, 4);
  }
  if (int o = CompareRuleTexts(a.domain, 0, b.domain, 0, PrefixOrder::kLongerFirst))
    return Keyed(o, 5);
  if (int o = CompareRuleTexts(a.ssid, 0, b.ssid, 0, PrefixOrder::kLongerFirst)) return Keyed(o, 6);
  return 0;
}

// ---------------------------------------------------------------------------
// CFWDialNumber

CFWDialNumber::~CFWDialNumber() {
  if (access_) access_->DetachOwner();
}

CAccessDescriptorList& CFWDialNumber::access_list() {
  if (!access_) access_ = MakeObject<CAccessDescriptorList>(this);
  return *access_;
}

HRESULT CFWDialNumber::get_Number(std::string* number) { return GetField(fields_.number, number); }
HRESULT CFWDialNumber::put_Number(std::string_view number) {
  return Put("CFWDialNumber::put_Number()", fields_.number, std::string(number), 0);
}
HRESULT CFWDialNumber::get_AccessDescriptor(IAccessDescriptor** descriptor) {
  if (!descriptor) return E_POINTER;
  if (!access_ || access_->count() == 0) return E_UNEXPECTED;
  return GetOwned(access_->at(0), descriptor);
}
HRESULT CFWDialNumber::get_Enabled(std::int32_t* enabled) {
  return GetField(fields_.enabled, enabled);
}
HRESULT CFWDialNumber::put_Enabled(std::int32_t enabled) {
  return Put("CFWDialNumber::put_Enabled()", fields_.enabled, enabled, 0);
}
HRESULT CFWDialNumber::get_Description(std::string* text) {
  return GetField(fields_.description, text);
}
HRESULT CFWDialNumber::put_Description(std::string_view text) {
  return Put("CFWDialNumber::put_Description()", fields_.description, std::string(text), 0);
}
HRESULT CFWDialNumber::get_UIFlags(std::string* flags) { return GetField(fields_.ui_flags, flags); }
HRESULT CFWDialNumber::put_UIFlags(std::string_view flags) {
  return Put("CFWDialNumber::put_UIFlags()", fields_.ui_flags, std::string(flags), 0);
}
HRESULT CFWDialNumber::get_Assignment(std::string* assignment) {
  return GetField(fields_.assignment, assignment);
}
HRESULT CFWDialNumber::put_Assignment(std::string_view assignment) {
  return Put("CFWDialNumber::put_Assignment()", fields_.assignment, std::string(assignment), 0);
}
HRESULT CFWDialNumber::get_Priority(EPriority* priority) {
  return GetPriority(fields_.precedence, priority);
}
HRESULT CFWDialNumber::put_Priority(EPriority priority) {
  return PutPriority(*this, fields_.precedence, "CFWDialNumber::put_Priority()", priority, 0);
}
HRESULT CFWDialNumber::get_DialNumberID(std::int32_t* id) { return GetField(rule_id(), id); }
HRESULT CFWDialNumber::put_DialNumberID(std::int32_t id) {
  return SetRuleID("CFWDialNumber::put_RuleID()", id, 0);
}
HRESULT CFWDialNumber::get_DialNumberIDString(std::string* id) {
  return GetField(RuleIDString(), id);
}
HRESULT CFWDialNumber::put_DialNumberIDString(std::string_view id) {
  return SetRuleIDString("CFWDialNumber::put_RuleID()", id, 0);
}
HRESULT CFWDialNumber::get_Order(std::int32_t* order) {
  return GetOrder(fields_.precedence, order);
}
HRESULT CFWDialNumber::put_Order(std::int32_t order) {
  return PutOrder(*this, fields_.precedence, "CFWDialNumber::put_Order()", order, 0);
}

std::int16_t CFWDialNumber::Compare(const RuleItemBase& other_item) const {
  const auto& other = static_cast<const CFWDialNumber&>(other_item);
  const Fields& a = fields_;
  const Fields& b = other.fields_;
  if (int o = OrderOf(a.precedence.order(), b.precedence.order())) return Keyed(o, 1);
  if (int o = CompareRuleTexts(a.number, 0, b.number, 0, PrefixOrder::kShorterFirst))
    return Keyed(o, 2);
  if (int o = CompareRuleTexts(a.assignment, 0, b.assignment, 0, PrefixOrder::kLongerFirst))
    return Keyed(o, 3);
  if (int o = CompareAccessLists(access_.get(), other.access_.get())) return Keyed(o, 10);
  return 0;
}

// ---------------------------------------------------------------------------
// CBindSocket

HRESULT CBindSocket::get_Label(std::string* label) { return GetField(fields_.label, label); }
HRESULT CBindSocket::put_Label(std::string_view label) {
  return Put("CBindSocket::put_Label()", fields_.label, std::string(label), 0);
}
HRESULT CBindSocket::get_NotifyServerPorts(std::int32_t* level) {
  return GetField(fields_.notify_server_ports, level);
}
HRESULT CBindSocket::put_NotifyServerPorts(std::int32_t level) {
  return Put("CBindSocket::put_NotifyServerPorts()", fields_.notify_server_ports, level, 0);
}
HRESULT CBindSocket::get_NotifyGenPorts(std::int32_t* level) {
  return GetField(fields_.notify_gen_ports, level);
}
HRESULT CBindSocket::put_NotifyGenPorts(std::int32_t level) {
  return Put("CBindSocket::put_NotifyGenPorts()", fields_.notify_gen_ports, level, 0);
}
HRESULT CBindSocket::get_Priority(EPriority* priority) {
  return GetPriority(fields_.precedence, priority);
}
HRESULT CBindSocket::put_Priority(EPriority priority) {
  return PutPriority(*this, fields_.precedence, "CBindSocket::put_Priority()", priority, 0);
}
HRESULT CBindSocket::get_Assignment(std::string* assignment) {
  return GetField(fields_.assignment, assignment);
}
HRESULT CBindSocket::put_Assignment(std::string_view assignment) {
  return Put("CBindSocket::put_Assignment()", fields_.assignment, std::string(assignment), 0);
}
HRESULT CBindSocket::get_UIFlags(std::string* flags) { return GetField(fields_.ui_flags, flags); }
HRESULT CBindSocket::put_UIFlags(std::string_view flags) {
  return Put("CBindSocket::put_UIFlags()", fields_.ui_flags, std::string(flags), 0);
}
HRESULT CBindSocket::get_Order(std::int32_t* order) { return GetOrder(fields_.precedence, order); }
HRESULT CBindSocket::put_Order(std::int32_t order) {
  return PutOrder(*this, fields_.precedence, "CBindSocket::put_Order()", order, 0);
}

}  // namespace xmlsecdb

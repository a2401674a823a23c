#include "ids/ids_rule.h"

#include "core/return_if_failed.h"
#include "list/owned.h"

namespace xmlsecdb {
namespace {

constexpr std::int16_t kTrue = -1;

}  // namespace

CIDSRule::CIDSRule() : tokens_(MakeObject<CIDSTokenList>(this)) {}

void CIDSRule::set_file_texts(std::string_view name, std::string_view local_address_id,
                              std::string_view remote_address_id, std::string_view assignment) {
  const bool default_assignment = assignment == "*";
  const std::string_view texts[kTextSlots] = {
      name, local_address_id, remote_address_id,
      default_assignment ? std::string_view() : assignment, {}};
  texts_.assign(texts);
  SetFlag(kDefaultAssignment, default_assignment);
}

HRESULT CIDSRule::GetText(TextSlot slot, std::string* text) const {
  return GetField(slot == kAssignment ? assignment() : texts_.get(slot), text);
}

HRESULT CIDSRule::PutText(std::string_view source, TextSlot slot, std::string_view text) {
  RETURN_IF_FAILED(CheckWritable(source));
  texts_.set(slot, text);
  if (slot == kAssignment) SetFlag(kDefaultAssignment, false);
  return S_OK;
}

HRESULT CIDSRule::GetFlag(Flag flag, std::int16_t* value) const {
  return GetField(Has(flag) ? kTrue : 0, value);
}

HRESULT CIDSRule::PutFlag(std::string_view source, Flag flag, std::int16_t value) {
  RETURN_IF_FAILED(CheckWritable(source));
  SetFlag(flag, value != 0);
  return S_OK;
}

void CIDSRule::set_local_ports(const PortRange& ports) {
  local_from_ = ports.from;
  local_to_ = ports.to;
  SetFlag(kLocalInverted, ports.inverted);
}

void CIDSRule::set_remote_ports(const PortRange& ports) {
  remote_from_ = ports.from;
  remote_to_ = ports.to;
  SetFlag(kRemoteInverted, ports.inverted);
}

HRESULT CIDSRule::get_Name(std::string* name) { return GetText(kName, name); }
HRESULT CIDSRule::put_Name(std::string_view name) {
  return PutText("CIDSRule::put_Name()", kName, name);
}

HRESULT CIDSRule::get_AccessResult(std::int32_t* result) {
  return GetField(access_result_, result);
}
HRESULT CIDSRule::put_AccessResult(std::int32_t result) {
  return Store("CIDSRule::put_AccessResult()", access_result_, result);
}

HRESULT CIDSRule::get_AuditLevel(std::int32_t* level) { return GetField(audit_level_, level); }
HRESULT CIDSRule::put_AuditLevel(std::int32_t level) {
  return Store("CIDSRule::put_AuditLevel()", audit_level_, level);
}

HRESULT CIDSRule::get_Direction(EDirection* direction) { return GetField(direction_, direction); }

// Refused before the read-only test: the value is wrong whatever the state.
HRESULT CIDSRule::put_Direction(EDirection direction) {
  if (direction == DIR_IN_OUT) return E_INVALIDARG;
  RETURN_IF_FAILED(CheckWritable("CIDSRule::put_Direction()"));
  direction_ = direction;
  return S_OK;
}

HRESULT CIDSRule::get_Protocol(EProtocol* protocol) { return GetField(protocol_, protocol); }

HRESULT CIDSRule::put_Protocol(EProtocol protocol) {
  if (protocol == PROT_TCP_UDP || protocol == PROT_OTHER) return E_INVALIDARG;
  RETURN_IF_FAILED(CheckWritable("CIDSRule::put_Protocol()"));
  protocol_ = protocol;
  return S_OK;
}

HRESULT CIDSRule::get_RemIPAddressID(std::string* id) { return GetText(kRemoteAddressId, id); }
HRESULT CIDSRule::put_RemIPAddressID(std::string_view id) {
  return PutText("CIDSRule::put_RemIPAddressID()", kRemoteAddressId, id);
}

HRESULT CIDSRule::get_SID(std::int32_t* sid) {
  return GetField(static_cast<std::int32_t>(sid_), sid);
}
HRESULT CIDSRule::put_SID(std::int32_t sid) {
  RETURN_IF_FAILED(CheckWritable("CIDSRule::put_SID()"));
  sid_ = static_cast<std::uint32_t>(sid);
  return S_OK;
}

HRESULT CIDSRule::get_LocalPortFrom(std::int32_t* port) { return GetField(local_from_, port); }
HRESULT CIDSRule::put_LocalPortFrom(std::int32_t port) {
  return Store("CIDSRule::put_LocalPortFrom()", local_from_, port);
}
HRESULT CIDSRule::get_LocalPortTo(std::int32_t* port) { return GetField(local_to_, port); }
HRESULT CIDSRule::put_LocalPortTo(std::int32_t port) {
  return Store("CIDSRule::put_LocalPortTo()", local_to_, port);
}
HRESULT CIDSRule::get_RemotePortFrom(std::int32_t* port) { return GetField(remote_from_, port); }
HRESULT CIDSRule::put_RemotePortFrom(std::int32_t port) {
  return Store("CIDSRule::put_RemotePortFrom()", remote_from_, port);
}
HRESULT CIDSRule::get_RemotePortTo(std::int32_t* port) { return GetField(remote_to_, port); }
HRESULT CIDSRule::put_RemotePortTo(std::int32_t port) {
  return Store("CIDSRule::put_RemotePortTo()", remote_to_, port);
}

HRESULT CIDSRule::get_LocalPortsInverted(std::int16_t* inverted) {
  return GetFlag(kLocalInverted, inverted);
}
HRESULT CIDSRule::put_LocalPortsInverted(std::int16_t inverted) {
  return PutFlag("CIDSRule::put_LocalPortsInverted()", kLocalInverted, inverted);
}
HRESULT CIDSRule::get_RemotePortsInverted(std::int16_t* inverted) {
  return GetFlag(kRemoteInverted, inverted);
}
HRESULT CIDSRule::put_RemotePortsInverted(std::int16_t inverted) {
  return PutFlag("CIDSRule::put_RemotePortsInverted()", kRemoteInverted, inverted);
}

HRESULT CIDSRule::get_TokenList(IIDSTokenList** tokens) { return GetOwned(tokens_.get(), tokens); }

HRESULT CIDSRule::get_Enabled(std::int16_t* enabled) { return GetFlag(kEnabled, enabled); }
HRESULT CIDSRule::put_Enabled(std::int16_t enabled) {
  return PutFlag("CIDSRule::put_Enabled()", kEnabled, enabled);
}

HRESULT CIDSRule::get_Assignment(std::string* assignment) {
  return GetText(kAssignment, assignment);
}
HRESULT CIDSRule::put_Assignment(std::string_view assignment) {
  return PutText("CIDSRule::put_Assignment()", kAssignment, assignment);
}

HRESULT CIDSRule::get_LocIPAddressID(std::string* id) { return GetText(kLocalAddressId, id); }
HRESULT CIDSRule::put_LocIPAddressID(std::string_view id) {
  return PutText("CIDSRule::put_LocIPAddressID()", kLocalAddressId, id);
}

HRESULT CIDSRule::get_UIFlags(std::string* flags) { return GetText(kUIFlags, flags); }
// The read-only failure names the Assignment setter, as the system always
// has for this property.
HRESULT CIDSRule::put_UIFlags(std::string_view flags) {
  return PutText("CIDSRule::put_Assignment()", kUIFlags, flags);
}

}  // namespace xmlsecdb

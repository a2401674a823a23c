// FWRuleCore: what the firewall's application rules (CFWRule) and routed
// rules (CFWRoutedRule) hold beyond the policy rule they build on
// (policy/policy_rule.h) — up to three addresses, each direct text or a
// definition ID, a transport (the inline transport object, or a transport
// definition by ID), the zones, and the rule's one access descriptor.
//
// The policy fields keep their meaning (application, out-conditions, time
// of day, OS, system and account, learning mode, process, enabled, texts,
// precedence); the policy path is unused. The access descriptor is the
// first member of the policy access list, made with the rule. Changes
// inside it, and of the condition switch list, are the rule's own changes
// (the config's property numbers).
//
// Apartment-threaded, like the parser that owns the rule.
#ifndef XMLSECDB_FW_FW_RULE_CORE_H_
#define XMLSECDB_FW_FW_RULE_CORE_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "fw/fw_item.h"
#include "list/owned.h"
#include "list/packed_text.h"
#include "policy/policy_rule.h"

namespace xmlsecdb {

struct FWRuleConfig {
  PolicyRuleConfig policy;  // class name and the policy property numbers
  std::int32_t address;     // every address property
  std::int32_t transport;   // TransportType, TransportID
  std::int32_t zone;
  std::int32_t ui_flags;
  std::int32_t access;    // changes inside the access descriptor
  std::int32_t switches;  // changes of the condition switch list
};

class FWRuleCore : public PolicyRuleCore {
 public:
  // The addresses: remote, local (the LAN side of a routed rule) and the
  // routing interface (routed rules only).
  enum AddressSlot : std::size_t { kRemote, kLocal, kIface, kAddressSlots };
  // The firewall's own texts: the three addresses and the transport ID.
  enum FWTextSlot : std::size_t { kTransportId = kAddressSlots, kFWTextSlots };

  struct FWFields {
    std::int32_t address_type[kAddressSlots] = {RT_DIRECT, RT_DIRECT, RT_DIRECT};
    std::int32_t transport_type = RT_DIRECT;
    std::int32_t zone = 3;
  };

  FWFields& fw_fields() { return fw_fields_; }
  const FWFields& fw_fields() const { return fw_fields_; }
  std::string_view fw_text(std::size_t slot) const { return fw_texts_.get(slot); }
  // Unchecked, for loaders filling a detached rule.
  void set_fw_text(std::size_t slot, std::string_view text) { fw_texts_.set(slot, text); }
  void assign_fw_texts(const std::string_view (&texts)[kFWTextSlots]) { fw_texts_.assign(texts); }

  const FWTransport& transport() const { return transport_->transport(); }
  FWTransport& loading_transport() { return transport_->loading_transport(); }
  HRESULT GetTransportObject(IFWItem** transport);
  // The access descriptor (always there).
  CAccessDescriptor& access_descriptor() const;
  // Makes `descriptor` (detached, of this rule's access list) the rule's
  // descriptor, for loaders.
  [[nodiscard]] HRESULT ReplaceAccessDescriptor(IAccessDescriptor* descriptor);
  HRESULT GetAccessDescriptor(IAccessDescriptor** descriptor);

  HRESULT GetAddressType(AddressSlot slot, ERefType* type) const;
  [[nodiscard]] HRESULT PutAddressType(const FWRuleConfig& config, std::string_view name,
                                       AddressSlot slot, std::int32_t type);
  HRESULT GetFWText(std::size_t slot, std::string* text) const;
  // `raise` false: stored without the change notices (TransportID while
  // the transport is inline).
  [[nodiscard]] HRESULT PutFWText(const FWRuleConfig& config, std::string_view name,
                                  std::size_t slot, std::string_view text, std::int32_t property,
                                  bool raise = true);
  [[nodiscard]] HRESULT PutTransportType(const FWRuleConfig& config, std::int32_t type);
  [[nodiscard]] HRESULT PutZone(const FWRuleConfig& config, std::int32_t zones);

  // Every value of this rule, its transport, descriptor and switches, given
  // to the detached `target`; the identifier is left to the caller.
  [[nodiscard]] HRESULT CopyFWContentTo(FWRuleCore& target) const;

  // Changes of the descriptor and of the switch list, as the rule's own.
  void BeforeChange(IUnknown*, std::int32_t) override { Notice(true, config_.access); }
  void AfterChange(IUnknown*, std::int32_t) override { Notice(false, config_.access); }
  void BeforeSwitchInsert(IUnknown*) override { Notice(true, config_.switches); }
  void AfterSwitchInsert(IUnknown*) override { Notice(false, config_.switches); }
  void BeforeSwitchRemove(IUnknown*) override { Notice(true, config_.switches); }
  void AfterSwitchRemove(IUnknown*) override { Notice(false, config_.switches); }
  void BeforeSwitchChange(IUnknown*, std::int32_t) override { Notice(true, config_.switches); }
  void AfterSwitchChange(IUnknown*, std::int32_t) override { Notice(false, config_.switches); }

 protected:
  explicit FWRuleCore(const FWRuleConfig& config);
  ~FWRuleCore();

 private:
  void Notice(bool before, std::int32_t property) {
    if (property >= 0) NotifyChange(before, property);
  }
  [[nodiscard]] HRESULT Guard(const FWRuleConfig& config, std::string_view name) const;
  // Stores with the notices of `property` around it when the rule is
  // attached and `changes` holds.
  template <class StoreValue>
  void Apply(bool changes, std::int32_t property, StoreValue store) {
    if (!attached() || !changes) {
      store();
      return;
    }
    NotifyChange(true, property);
    store();
    NotifyChange(false, property);
  }

  const FWRuleConfig& config_;
  FWFields fw_fields_;
  PackedText<kFWTextSlots> fw_texts_;
  Owned<CFWTransportObject> transport_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_FW_FW_RULE_CORE_H_

#include "fw/fw_rule_core.h"

#include "core/parser.h"
#include "core/return_if_failed.h"

namespace xmlsecdb {
namespace {

std::string SetterSource(const FWRuleConfig& config, std::string_view name) {
  std::string source(config.policy.class_name);
  source += "::put_";
  source += name;
  source += "()";
  return source;
}

}  // namespace

FWRuleCore::FWRuleCore(const FWRuleConfig& config)
    : config_(config), transport_(MakeObject<CFWTransportObject>(this)) {
  for (std::size_t slot = 0; slot < kAddressSlots; ++slot) fw_texts_.set(slot, "*");
  texts().set(kApplication, "*");
  texts().set(kAssignment, "*");
  // The rule's one descriptor. The rule is not bound yet: nothing can
  // refuse or observe this.
  CAccessDescriptorList& list = access_list();
  ComPtr<IAccessDescriptor> descriptor;
  if (Succeeded(list.CreateAccessDescriptor(descriptor.Put()))) {
    (void)list.Insert(descriptor.get());
  }
}

FWRuleCore::~FWRuleCore() = default;

HRESULT FWRuleCore::GetTransportObject(IFWItem** transport) {
  return GetOwned(transport_.get(), transport);
}

CAccessDescriptor& FWRuleCore::access_descriptor() const { return *access_list_if_any()->at(0); }

HRESULT FWRuleCore::ReplaceAccessDescriptor(IAccessDescriptor* descriptor) {
  RETURN_IF_FAILED(access_list().Clear());
  return access_list().Insert(descriptor);
}

HRESULT FWRuleCore::GetAccessDescriptor(IAccessDescriptor** descriptor) {
  return GetOwned(&access_descriptor(), descriptor);
}

HRESULT FWRuleCore::Guard(const FWRuleConfig& config, std::string_view name) const {
  ParserCore* p = parser();
  if (!p || !p->read_only()) return S_OK;
  return CheckWritable(SetterSource(config, name));
}

HRESULT FWRuleCore::GetAddressType(AddressSlot slot, ERefType* type) const {
  return GetField(static_cast<ERefType>(fw_fields_.address_type[slot]), type);
}

HRESULT FWRuleCore::PutAddressType(const FWRuleConfig& config, std::string_view name,
                                   AddressSlot slot, std::int32_t type) {
  RETURN_IF_FAILED(Guard(config, name));
  std::int32_t& field = fw_fields_.address_type[slot];
  Apply(field != type, config.address, [&] { field = type; });
  return S_OK;
}

HRESULT FWRuleCore::GetFWText(std::size_t slot, std::string* text) const {
  if (!text) return E_POINTER;
  text->assign(fw_texts_.get(slot));
  return S_OK;
}

HRESULT FWRuleCore::PutFWText(const FWRuleConfig& config, std::string_view name, std::size_t slot,
                              std::string_view text, std::int32_t property, bool raise) {
  RETURN_IF_FAILED(Guard(config, name));
  Apply(raise && fw_texts_.get(slot) != text, property, [&] { fw_texts_.set(slot, text); });
  return S_OK;
}

HRESULT FWRuleCore::PutTransportType(const FWRuleConfig& config, std::int32_t type) {
  RETURN_IF_FAILED(Guard(config, "TransportType"));
  std::int32_t& field = fw_fields_.transport_type;
  Apply(field != type, config.transport, [&] { field = type; });
  return S_OK;
}

HRESULT FWRuleCore::PutZone(const FWRuleConfig& config, std::int32_t zones) {
  RETURN_IF_FAILED(Guard(config, "Zone"));
  std::int32_t& field = fw_fields_.zone;
  Apply(field != zones, config.zone, [&] { field = zones; });
  return S_OK;
}

HRESULT FWRuleCore::CopyFWContentTo(FWRuleCore& target) const {
  if (&target == this) return S_OK;
  // The target's own descriptor gives way to the copy of this one.
  RETURN_IF_FAILED(target.access_list().Clear());
  RETURN_IF_FAILED(CopyContentTo(target));
  target.fw_fields_ = fw_fields_;
  target.fw_texts_ = fw_texts_;
  target.loading_transport() = transport();
  return S_OK;
}

}  // namespace xmlsecdb

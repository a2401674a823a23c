#include "model/condition_switch.h"

#include "core/return_if_failed.h"

namespace xmlsecdb {

HRESULT CConditionSwitch::get_Type(ECFType* type) { return GetField(type_, type); }

HRESULT CConditionSwitch::put_Type(ECFType type) {
  return Put("CConditionSwitch::put_Type()", type_, type, kSwitchTypeDispid);
}

HRESULT CConditionSwitch::get_Target(ECFTarget* target) { return GetField(target_, target); }

HRESULT CConditionSwitch::put_Target(ECFTarget target) {
  return Put("CConditionSwitch::put_Target()", target_, target, kSwitchTargetDispid);
}

HRESULT CConditionSwitch::get_BitsOn(std::int32_t* bits) { return GetField(bits_on_, bits); }

HRESULT CConditionSwitch::put_BitsOn(std::int32_t bits) {
  return Put("CConditionSwitch::put_BitsOn()", bits_on_, bits, kSwitchBitsOnDispid);
}

HRESULT CConditionSwitch::get_BitsOff(std::int32_t* bits) { return GetField(bits_off_, bits); }

HRESULT CConditionSwitch::put_BitsOff(std::int32_t bits) {
  return Put("CConditionSwitch::put_BitsOff()", bits_off_, bits, kSwitchBitsOffDispid);
}

HRESULT CConditionSwitch::get_UIFlags(std::string* flags) { return GetField(ui_flags_, flags); }

HRESULT CConditionSwitch::put_UIFlags(std::string_view flags) {
  RETURN_IF_FAILED(CheckWritable("CConditionSwitch::put_UIFlags()"));
  ui_flags_.assign(flags);
  return S_OK;
}

HRESULT CConditionSwitchList::CopyToList(IConditionSwitchList* target) {
  if (!target) return E_POINTER;
  // Clearing the target first would empty a list copied onto itself.
  if (target == static_cast<IConditionSwitchList*>(this)) return S_OK;
  RETURN_IF_FAILED(target->Clear());
  // By index, re-reading the count: the target's owner may change this list
  // from its notifications.
  for (std::int32_t i = 0; i < count(); ++i) {
    const CConditionSwitch& from = *at(i);
    ComPtr<IConditionSwitch> copy;
    RETURN_IF_FAILED(target->CreateConditionSwitch(copy.Put()));
    RETURN_IF_FAILED(copy->put_Type(from.type()));
    RETURN_IF_FAILED(copy->put_Target(from.target()));
    RETURN_IF_FAILED(copy->put_BitsOn(from.bits_on()));
    RETURN_IF_FAILED(copy->put_BitsOff(from.bits_off()));
    RETURN_IF_FAILED(target->Insert(copy.get()));
  }
  return S_OK;
}

}  // namespace xmlsecdb

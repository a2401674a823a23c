#include "model/condition_switch.h"

#include "core/return_if_failed.h"

namespace xmlsecdb {

HRESULT CConditionSwitch::get_Type(ECFType* type) {
  if (!type) return E_POINTER;
  *type = type_;
  return S_OK;
}

HRESULT CConditionSwitch::put_Type(ECFType type) {
  RETURN_IF_FAILED(CheckWritable("CConditionSwitch::put_Type()"));
  Change(type_, type, kSwitchTypeDispid);
  return S_OK;
}

HRESULT CConditionSwitch::get_Target(ECFTarget* target) {
  if (!target) return E_POINTER;
  *target = target_;
  return S_OK;
}

HRESULT CConditionSwitch::put_Target(ECFTarget target) {
  RETURN_IF_FAILED(CheckWritable("CConditionSwitch::put_Target()"));
  Change(target_, target, kSwitchTargetDispid);
  return S_OK;
}

HRESULT CConditionSwitch::get_BitsOn(std::int32_t* bits) {
  if (!bits) return E_POINTER;
  *bits = bits_on_;
  return S_OK;
}

HRESULT CConditionSwitch::put_BitsOn(std::int32_t bits) {
  RETURN_IF_FAILED(CheckWritable("CConditionSwitch::put_BitsOn()"));
  Change(bits_on_, bits, kSwitchBitsOnDispid);
  return S_OK;
}

HRESULT CConditionSwitch::get_BitsOff(std::int32_t* bits) {
  if (!bits) return E_POINTER;
  *bits = bits_off_;
  return S_OK;
}

HRESULT CConditionSwitch::put_BitsOff(std::int32_t bits) {
  RETURN_IF_FAILED(CheckWritable("CConditionSwitch::put_BitsOff()"));
  Change(bits_off_, bits, kSwitchBitsOffDispid);
  return S_OK;
}

HRESULT CConditionSwitch::get_UIFlags(std::string* flags) {
  if (!flags) return E_POINTER;
  *flags = ui_flags_;
  return S_OK;
}

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

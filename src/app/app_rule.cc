#include "app/app_rule.h"

#include <utility>

#include "core/return_if_failed.h"
#include "list/owned.h"
#include "list/rule_copy.h"

namespace xmlsecdb {

CAppRule::CAppRule()
    : groups_(MakeObject<CSimpleValueList>()), found_by_(MakeObject<CULongList>()) {}

template <class T, class U>
HRESULT CAppRule::Set(std::string_view setter, T& field, U&& value) {
  // No parser event exists for rules: the property number is not used.
  return Put(setter, field, std::forward<U>(value), 0);
}

HRESULT CAppRule::put_RuleID(std::int32_t id) { return SetRuleID("CAppRule::put_RuleID()", id, 0); }
HRESULT CAppRule::put_RuleIDString(std::string_view id) {
  return SetRuleIDString("CAppRule::put_RuleID()", id, 0);
}
HRESULT CAppRule::put_Assignment(std::string_view assignment) {
  return Set("CAppRule::put_Assignment()", assignment_, std::string(assignment));
}
HRESULT CAppRule::put_Enabled(std::int32_t enabled) {
  return Set("CAppRule::put_Enabled()", enabled_, enabled);
}
HRESULT CAppRule::put_Description(std::string_view description) {
  return Set("CAppRule::put_Description()", description_, std::string(description));
}
HRESULT CAppRule::put_UIFlags(std::string_view flags) {
  return Set("CAppRule::put_UIFlags()", ui_flags_, std::string(flags));
}
HRESULT CAppRule::put_Usage(std::uint32_t usage) {
  return Set("CAppRule::put_Usage()", usage_, usage);
}
HRESULT CAppRule::put_UsageNot(std::uint32_t usage) {
  return Set("CAppRule::put_UsageNot()", usage_not_, usage);
}

HRESULT CAppRule::get_FoundBy(std::uint32_t* found_by) {
  if (!found_by) return E_POINTER;
  const auto& values = found_by_->values();
  *found_by = values.empty() ? 0 : values.front();
  return S_OK;
}

HRESULT CAppRule::put_FoundBy(std::uint32_t found_by) {
  RETURN_IF_FAILED(CheckWritable("CAppRule::put_FoundBy()"));
  const auto& values = found_by_->values();
  if (values.size() == 1 && values.front() == found_by) return S_OK;
  NotifyChange(true, 0);
  RETURN_IF_FAILED(found_by_->Clear());
  RETURN_IF_FAILED(found_by_->Insert(found_by));
  NotifyChange(false, 0);
  return S_OK;
}

// The Enroll setter names itself as the program always has.
HRESULT CAppRule::put_Enroll(EEnrollType enroll) {
  return Set("CAppRule::put_Manufacture()", enroll_, enroll);
}
HRESULT CAppRule::put_Manufacturer(std::string_view manufacturer) {
  return Set("CAppRule::put_Manufacturer()", manufacturer_, std::string(manufacturer));
}
HRESULT CAppRule::get_Groups(ISimpleValueList** groups) { return GetOwned(groups_.get(), groups); }
HRESULT CAppRule::put_Suite(std::string_view suite) {
  return Set("CAppRule::put_Suite()", suite_, std::string(suite));
}
HRESULT CAppRule::put_SpecialAccess(std::uint32_t access) {
  return Set("CAppRule::put_SpecialAccess()", special_access_, access);
}
HRESULT CAppRule::put_SpecialAccessNot(std::uint32_t access) {
  return Set("CAppRule::put_SpecialAccessNot()", special_access_not_, access);
}

HRESULT CAppRule::get_Order(std::int32_t* order) { return GetField(order_.order(), order); }

// The Order setter names the class whose ordering it shares. A listed
// rule whose Order changes moves to its place at once, since the queries
// follow the list's order.
HRESULT CAppRule::put_Order(std::int32_t order) {
  RETURN_IF_FAILED(CheckWritable("CSBXRule::put_Order()"));
  if (order_.order() == order) return S_OK;
  Change(order_, Precedence(order), 0);
  if (attached() && list()) static_cast<RuleListCore*>(list())->Sort();
  return S_OK;
}

HRESULT CAppRule::get_FoundBy2(IULongList** found_by) {
  return GetOwned(found_by_.get(), found_by);
}

HRESULT CAppRule::CopyToList(IAppRuleList* list, std::int32_t generate_id, IAppRule** copy) {
  return CopyRuleToList<CAppRule>(*this, 0, list, generate_id, copy, [&](CAppRule& target) {
    target.set_fields({assignment_, description_, ui_flags_, manufacturer_, suite_},
                      {usage_, usage_not_, special_access_, special_access_not_}, enabled_, enroll_,
                      order_.order());
    RETURN_IF_FAILED(found_by_->CopyToList(target.found_by_.get()));
    return groups_->CopyToList(target.groups_.get());
  });
}

std::int16_t CAppRule::Compare(const RuleItemBase& other) const {
  const std::int32_t a = order_.order();
  const std::int32_t b = static_cast<const CAppRule&>(other).order_.order();
  return a < b ? -1 : a > b ? 1 : 0;
}

void CAppRule::set_fields(const Texts& texts, const Bits& bits, std::int32_t enabled,
                          EEnrollType enroll, std::int32_t order) {
  assignment_ = texts.assignment;
  description_ = texts.description;
  ui_flags_ = texts.ui_flags;
  manufacturer_ = texts.manufacturer;
  suite_ = texts.suite;
  usage_ = bits.usage;
  usage_not_ = bits.usage_not;
  special_access_ = bits.special_access;
  special_access_not_ = bits.special_access_not;
  enabled_ = enabled;
  enroll_ = enroll;
  order_ = Precedence(order);
}

}  // namespace xmlsecdb

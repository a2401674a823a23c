#include "policy/policy_rule.h"

#include "core/parser.h"
#include "core/return_if_failed.h"
#include "list/owned.h"
#include "model/rule_account.h"
#include "model/rule_compare.h"

namespace xmlsecdb {
namespace {

std::string SetterSource(const PolicyRuleConfig& config, std::string_view name) {
  std::string source(config.class_name);
  source += "::put_";
  source += name;
  source += "()";
  return source;
}

}  // namespace

PolicyRuleCore::~PolicyRuleCore() {
  // A client may still hold a sub-list: it must not reach this rule.
  if (access_) access_->DetachOwner();
  if (switches_) switches_->DetachOwner();
}

CAccessDescriptorList& PolicyRuleCore::access_list() {
  if (!access_) access_ = MakeObject<CAccessDescriptorList>(this);
  return *access_;
}

CConditionSwitchList& PolicyRuleCore::switch_list() {
  if (!switches_) switches_ = MakeObject<CConditionSwitchList>(this);
  return *switches_;
}

HRESULT PolicyRuleCore::Guard(const PolicyRuleConfig& config, std::string_view name) const {
  ParserCore* p = parser();
  if (!p || !p->read_only()) return S_OK;
  return CheckWritable(SetterSource(config, name));
}

HRESULT PolicyRuleCore::GetInt(IntField field, std::int32_t* value) const {
  return GetField(fields_.*field, value);
}

HRESULT PolicyRuleCore::PutInt(const PolicyRuleConfig& config, std::string_view name,
                               IntField field, std::int32_t value, std::int32_t property) {
  RETURN_IF_FAILED(Guard(config, name));
  Apply(fields_.*field != value, property, [&] { fields_.*field = value; });
  return S_OK;
}

HRESULT PolicyRuleCore::GetText(TextSlot slot, std::string* value) const {
  if (!value) return E_POINTER;
  value->assign(texts_.get(slot));
  return S_OK;
}

HRESULT PolicyRuleCore::PutText(const PolicyRuleConfig& config, std::string_view name,
                                TextSlot slot, std::string_view value, std::int32_t property) {
  RETURN_IF_FAILED(Guard(config, name));
  Apply(texts_.get(slot) != value, property, [&] { texts_.set(slot, value); });
  return S_OK;
}

HRESULT PolicyRuleCore::PutPriorityValue(const PolicyRuleConfig& config, std::int32_t priority) {
  RETURN_IF_FAILED(Guard(config, "Priority"));
  return PutPriority(*this, fields_.precedence, {}, priority, config.properties.priority);
}

HRESULT PolicyRuleCore::PutPreferredValue(const PolicyRuleConfig& config, std::int32_t preferred) {
  RETURN_IF_FAILED(Guard(config, "Preferred"));
  return PutPreferred(*this, fields_.precedence, {}, preferred, config.properties.preferred);
}

HRESULT PolicyRuleCore::PutOrderValue(const PolicyRuleConfig& config, std::int32_t order) {
  RETURN_IF_FAILED(Guard(config, "Order"));
  return PutOrder(*this, fields_.precedence, {}, order, config.properties.order);
}

HRESULT PolicyRuleCore::PutSystem(const PolicyRuleConfig& config, std::int32_t system) {
  RETURN_IF_FAILED(Guard(config, "System"));
  StoreSystemAccount(WithSystem({fields_.system, fields_.account}, system),
                     config.properties.system);
  return S_OK;
}

HRESULT PolicyRuleCore::PutAccount(const PolicyRuleConfig& config, std::int32_t account) {
  RETURN_IF_FAILED(Guard(config, "Account"));
  StoreSystemAccount(WithAccount({fields_.system, fields_.account}, account),
                     config.properties.account);
  return S_OK;
}

void PolicyRuleCore::StoreSystemAccount(SystemAccount pair, std::int32_t property) {
  Apply(pair != SystemAccount{fields_.system, fields_.account}, property, [&] {
    fields_.system = pair.system;
    fields_.account = pair.account;
  });
}

HRESULT PolicyRuleCore::PutRuleIDValue(const PolicyRuleConfig& config, std::int32_t id) {
  return SetRuleID(SetterSource(config, "RuleID"), id, config.properties.id);
}

HRESULT PolicyRuleCore::PutRuleIDText(const PolicyRuleConfig& config, std::string_view id) {
  return SetRuleIDString(SetterSource(config, "RuleIDString"), id, config.properties.id);
}

HRESULT PolicyRuleCore::GetAccessList(IAccessDescriptorList** list) {
  return GetOwned(&access_list(), list);
}

HRESULT PolicyRuleCore::GetSwitchList(IConditionSwitchList** list) {
  return GetOwned(&switch_list(), list);
}

HRESULT PolicyRuleCore::CopyContentTo(PolicyRuleCore& target) const {
  if (&target == this) return S_OK;
  target.fields_ = fields_;
  target.texts_ = texts_;
  if (access_ && access_->count() > 0) {
    RETURN_IF_FAILED(access_->CopyToList(&target.access_list()));
  }
  if (switches_ && switches_->count() > 0) {
    RETURN_IF_FAILED(switches_->CopyToList(&target.switch_list()));
  }
  return S_OK;
}

RuleOrderKey PolicyRuleCore::order_key() const {
  return {.object_type = fields_.object_type,
          .order = fields_.precedence.order(),
          .path = text(kPath),
          .path_type = fields_.path_type,
          .out_condition_and = fields_.out_condition_and,
          .out_condition_or = fields_.out_condition_or,
          .assignment = text(kAssignment),
          .access = access_.get()};
}

std::int16_t PolicyRuleCore::CompareContent(const PolicyRuleCore& other) const {
  return CompareRuleOrderKeys(order_key(), other.order_key());
}

}  // namespace xmlsecdb

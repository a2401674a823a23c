#include "policy/policy_rule.h"

#include <algorithm>
#include <bit>

#include "core/parser.h"
#include "core/return_if_failed.h"

namespace xmlsecdb {
namespace {

// A signed comparison result of `key`'s magnitude.
std::int16_t Keyed(int order, std::int16_t key) {
  return order < 0 ? static_cast<std::int16_t>(-key) : key;
}

int Order(std::int64_t a, std::int64_t b) { return a < b ? -1 : a > b ? 1 : 0; }

bool IsWildcard(std::string_view text) { return text.empty() || text == "*"; }

unsigned char Lower(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return u >= 'A' && u <= 'Z' ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

// The path order of the rule comparison (also used for the assignment,
// with the direct type).
int ComparePaths(std::string_view a, std::int32_t a_type, std::string_view b, std::int32_t b_type) {
  const bool a_any = IsWildcard(a);
  const bool b_any = IsWildcard(b);
  if (a_any || b_any) return a_any == b_any ? 0 : a_any ? 1 : -1;
  if (a_type != b_type) return a_type < b_type ? -1 : 1;
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    unsigned char x = Lower(a[i]);
    unsigned char y = Lower(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  const bool a_longer = a.size() > b.size();
  // A directory before the shorter path that contains it; IDs in plain
  // dictionary order.
  if (a_type == RT_DIRECT) return a_longer ? -1 : 1;
  return a_longer ? 1 : -1;
}

int CompareAccessLists(const CAccessDescriptorList* a, const CAccessDescriptorList* b) {
  const std::int32_t a_count = a ? a->count() : 0;
  const std::int32_t b_count = b ? b->count() : 0;
  const std::int32_t common = std::min(a_count, b_count);
  for (std::int32_t i = 0; i < common; ++i) {
    const CAccessDescriptor& x = *a->at(i);
    const CAccessDescriptor& y = *b->at(i);
    if (int o = Order(x.access_type(), y.access_type())) return o;
    if (int o = Order(x.access_result(), y.access_result())) return o;
    if (int o = Order(x.audit_level(), y.audit_level())) return o;
  }
  return Order(a_count, b_count);
}

int BitCount(std::int32_t mask) { return std::popcount(static_cast<std::uint32_t>(mask)); }

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

std::size_t PolicyRuleCore::extra_memory() const {
  std::size_t bytes = texts_.memory();
  if (access_) {
    bytes += sizeof(CAccessDescriptorList) +
             static_cast<std::size_t>(access_->count()) * (sizeof(CAccessDescriptor) + 8);
  }
  if (switches_) {
    bytes += sizeof(CConditionSwitchList) +
             static_cast<std::size_t>(switches_->count()) * (sizeof(CConditionSwitch) + 8);
  }
  return bytes;
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
  const std::int32_t account = system != 0 ? RA_SYSTEM : RA_USER;
  Apply(system != fields_.system || account != fields_.account, config.properties.system, [&] {
    fields_.system = system;
    fields_.account = account;
  });
  return S_OK;
}

HRESULT PolicyRuleCore::PutAccount(const PolicyRuleConfig& config, std::int32_t account) {
  RETURN_IF_FAILED(Guard(config, "Account"));
  const std::int32_t system = account == RA_USER || account == RA_SYSTEM ? account : fields_.system;
  Apply(system != fields_.system || account != fields_.account, config.properties.account, [&] {
    fields_.system = system;
    fields_.account = account;
  });
  return S_OK;
}

HRESULT PolicyRuleCore::PutRuleIDValue(const PolicyRuleConfig& config, std::int32_t id) {
  return SetRuleID(SetterSource(config, "RuleID"), id, config.properties.id);
}

HRESULT PolicyRuleCore::PutRuleIDText(const PolicyRuleConfig& config, std::string_view id) {
  return SetRuleIDString(SetterSource(config, "RuleIDString"), id, config.properties.id);
}

HRESULT PolicyRuleCore::GetAccessList(IAccessDescriptorList** list) {
  if (!list) return E_POINTER;
  *list = &access_list();
  (*list)->AddRef();
  return S_OK;
}

HRESULT PolicyRuleCore::GetSwitchList(IConditionSwitchList** list) {
  if (!list) return E_POINTER;
  *list = &switch_list();
  (*list)->AddRef();
  return S_OK;
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

std::int16_t PolicyRuleCore::CompareContent(const PolicyRuleCore& other) const {
  const Fields& a = fields_;
  const Fields& b = other.fields_;
  if (int o = Order(a.object_type, b.object_type)) return Keyed(o, 1);
  if (int o = Order(a.precedence.order(), b.precedence.order())) return Keyed(o, 2);
  if (int o = ComparePaths(text(kPath), a.path_type, other.text(kPath), b.path_type)) {
    return Keyed(o, 4);
  }
  if (int o = Order(BitCount(a.out_condition_and), BitCount(b.out_condition_and))) {
    return Keyed(o, 4);
  }
  if (int o = Order(BitCount(a.out_condition_or), BitCount(b.out_condition_or))) {
    return Keyed(o, 5);
  }
  if (int o = ComparePaths(text(kAssignment), RT_DIRECT, other.text(kAssignment), RT_DIRECT)) {
    return Keyed(o, 9);
  }
  if (int o = CompareAccessLists(access_.get(), other.access_.get())) return Keyed(o, 7);
  return 0;
}

}  // namespace xmlsecdb

#include "model/precedence.h"

#include "core/return_if_failed.h"
#include "list/list_item.h"

namespace xmlsecdb {
namespace {

// The body of the setters whose new precedence `with` derives from the old
// one: the guard, the derivation (which may refuse the value), the change.
HRESULT PutDerived(HRESULT (Precedence::*with)(std::int32_t, Precedence*) const, ListItemBase& item,
                   Precedence& field, std::string_view source, std::int32_t value,
                   std::int32_t property) {
  RETURN_IF_FAILED(item.CheckWritable(source));
  Precedence next;
  RETURN_IF_FAILED((field.*with)(value, &next));
  item.Change(field, next, property);
  return S_OK;
}

}  // namespace

HRESULT Precedence::WithPriority(std::int32_t priority, Precedence* result) const {
  if (priority != PRIOR_LOW && priority != PRIOR_NORMAL && priority != PRIOR_HIGH) {
    return E_INVALIDARG;
  }
  *result = Of(static_cast<EPriority>(priority), preferred());
  return S_OK;
}

HRESULT Precedence::WithPreferred(std::int32_t preferred, Precedence* result) const {
  if (!in_table()) return E_INVALIDARG;
  *result = Of(priority(), preferred != 0);
  return S_OK;
}

HRESULT GetPriority(Precedence precedence, EPriority* priority) {
  return GetField(precedence.priority(), priority);
}

HRESULT GetPreferred(Precedence precedence, std::int32_t* preferred) {
  return GetField(precedence.preferred() ? 1 : 0, preferred);
}

HRESULT GetOrder(Precedence precedence, std::int32_t* order) {
  return GetField(precedence.order(), order);
}

HRESULT PutPriority(ListItemBase& item, Precedence& field, std::string_view source,
                    std::int32_t priority, std::int32_t property) {
  return PutDerived(&Precedence::WithPriority, item, field, source, priority, property);
}

HRESULT PutPreferred(ListItemBase& item, Precedence& field, std::string_view source,
                     std::int32_t preferred, std::int32_t property) {
  return PutDerived(&Precedence::WithPreferred, item, field, source, preferred, property);
}

HRESULT PutOrder(ListItemBase& item, Precedence& field, std::string_view source, std::int32_t order,
                 std::int32_t property) {
  RETURN_IF_FAILED(item.CheckWritable(source));
  item.Change(field, Precedence(order), property);
  return S_OK;
}

}  // namespace xmlsecdb

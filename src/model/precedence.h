// Precedence: the one number that carries the priority of a rule, an
// exception, a global option or any other prioritised item, together with
// its preferred flag.
//
// Six numbers stand for the six combinations; the preferred number of each
// priority is the lower one, and lower numbers win:
//
//   5000 high, preferred     15000 high
//   25000 normal, preferred  35000 normal (the default)
//   45000 low, preferred     55000 low
//
// `Order` exposes the number unchanged, so a client may store any other
// number; such an item reads PRIOR_UNUSED as its priority and is not
// preferred, and only a new priority brings it back into the table.
//
// Items keep a Precedence (four bytes) and implement their Priority,
// Preferred and Order properties with the Get and Put functions below, so
// that every kind behaves the same way.
#ifndef XMLSECDB_MODEL_PRECEDENCE_H_
#define XMLSECDB_MODEL_PRECEDENCE_H_

#include <cstdint>
#include <string_view>

#include "xmlsecdb/enums.h"
#include "xmlsecdb/result.h"

namespace xmlsecdb {

class ListItemBase;

class Precedence {
 public:
  static constexpr std::int32_t kDefault = 35000;

  constexpr Precedence() = default;
  constexpr explicit Precedence(std::int32_t order) : order_(order) {}
  // The table number of `priority` (PRIOR_LOW, PRIOR_NORMAL or PRIOR_HIGH;
  // anything else is taken as normal).
  static constexpr Precedence Of(EPriority priority, bool preferred) {
    std::int32_t base = priority == PRIOR_HIGH ? 5000 : priority == PRIOR_LOW ? 45000 : 25000;
    return Precedence(preferred ? base : base + 10000);
  }

  constexpr std::int32_t order() const { return order_; }
  // PRIOR_UNUSED for a number outside the table.
  constexpr EPriority priority() const {
    switch (order_) {
      case 5000:
      case 15000:
        return PRIOR_HIGH;
      case 25000:
      case 35000:
        return PRIOR_NORMAL;
      case 45000:
      case 55000:
        return PRIOR_LOW;
      default:
        return PRIOR_UNUSED;
    }
  }
  constexpr bool in_table() const { return priority() != PRIOR_UNUSED; }
  constexpr bool preferred() const { return order_ == 5000 || order_ == 25000 || order_ == 45000; }

  // The number with `priority` and this number's preferred flag;
  // E_INVALIDARG, and *result untouched, for a priority other than
  // PRIOR_LOW, PRIOR_NORMAL or PRIOR_HIGH.
  [[nodiscard]] HRESULT WithPriority(std::int32_t priority, Precedence* result) const;
  // The number with this priority, preferred when `preferred` is non-zero;
  // E_INVALIDARG, and *result untouched, while this number is outside the
  // table (there is no priority to keep).
  [[nodiscard]] HRESULT WithPreferred(std::int32_t preferred, Precedence* result) const;

  friend constexpr bool operator==(Precedence a, Precedence b) { return a.order_ == b.order_; }

 private:
  std::int32_t order_ = kDefault;
};

// The getters: E_POINTER for a null out-pointer.
HRESULT GetPriority(Precedence precedence, EPriority* priority);
HRESULT GetPreferred(Precedence precedence, std::int32_t* preferred);
HRESULT GetOrder(Precedence precedence, std::int32_t* order);

// The setters of an item that keeps its precedence in `field`, each the
// whole setter sequence: the read-only guard naming `source` (for example
// "CAMRule::put_Priority()"), the check of the new value (E_INVALIDARG,
// nothing stored and nothing raised), then ListItemBase::Change with
// `property`, which notifies the owner only for an attached item whose
// number really changes.
[[nodiscard]] HRESULT PutPriority(ListItemBase& item, Precedence& field, std::string_view source,
                                  std::int32_t priority, std::int32_t property);
[[nodiscard]] HRESULT PutPreferred(ListItemBase& item, Precedence& field, std::string_view source,
                                   std::int32_t preferred, std::int32_t property);
[[nodiscard]] HRESULT PutOrder(ListItemBase& item, Precedence& field, std::string_view source,
                               std::int32_t order, std::int32_t property);

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_PRECEDENCE_H_

// STAND-IN until the precedence branch is merged: the precedence number
// with the interface of model/precedence.h, so that application exceptions
// build meanwhile. The merge deletes this file and includes the real one.
#ifndef XMLSECDB_MODEL_APP_EXCEPTION_PRECEDENCE_H_
#define XMLSECDB_MODEL_APP_EXCEPTION_PRECEDENCE_H_

#include <cstdint>

#include "xmlsecdb/enums.h"
#include "xmlsecdb/result.h"

namespace xmlsecdb {

class Precedence {
 public:
  static constexpr std::int32_t kDefault = 35000;

  std::int32_t order() const { return order_; }
  EPriority priority() const {
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
  bool preferred() const { return order_ == 5000 || order_ == 25000 || order_ == 45000; }
  HRESULT SetPriority(std::int32_t priority) {
    if (priority < PRIOR_LOW || priority > PRIOR_HIGH) return E_INVALIDARG;
    order_ = 55000 - priority * 20000 - (preferred() ? 10000 : 0);
    return S_OK;
  }
  HRESULT SetPreferred(std::int32_t preferred) {
    EPriority current = priority();
    if (current == PRIOR_UNUSED) return E_INVALIDARG;
    order_ = 55000 - current * 20000 - (preferred ? 10000 : 0);
    return S_OK;
  }
  void SetOrder(std::int32_t order) { order_ = order; }

 private:
  std::int32_t order_ = kDefault;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_APP_EXCEPTION_PRECEDENCE_H_

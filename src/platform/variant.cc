#include "xmlsecdb/variant.h"

namespace xmlsecdb {

VARTYPE Variant::type() const {
  static constexpr std::uint16_t kTypes[] = {
      VT_EMPTY, VT_NULL, VT_I4, VT_UI4, VT_BOOL, VT_BSTR, VT_UNKNOWN, VT_ARRAY | VT_VARIANT,
      VT_ARRAY | VT_BSTR, VT_ARRAY | VT_UI1};
  return static_cast<VARTYPE>(kTypes[value_.index()]);
}

}  // namespace xmlsecdb

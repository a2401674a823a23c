// STAND-IN until the definitions branch is merged: the ordered string list
// that rule sets own. Only what rule sets need is here (Insert, Clear,
// Item, Count and direct access to the values); the merge replaces this
// file with the real CSimpleValueList and its header.
#ifndef XMLSECDB_MODEL_RULE_SET_STANDIN_VALUES_H_
#define XMLSECDB_MODEL_RULE_SET_STANDIN_VALUES_H_

#include <string>
#include <string_view>
#include <vector>

#include "platform/object.h"
#include "xmlsecdb/collection.h"
#include "xmlsecdb/variant.h"

namespace xmlsecdb {

struct ISimpleValueList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-06FF-4000-8000-5EC0DB0006FF}");
  using Base = ISDCollection;
  virtual HRESULT Insert(std::string_view value) = 0;
  virtual HRESULT Clear() = 0;
};

class CSimpleValueList final : public ComObject<ISimpleValueList> {
 public:
  HRESULT get__NewEnum(IUnknown**) override { return E_NOTIMPL; }
  HRESULT get_Item(std::int32_t index, Variant* item) override {
    if (!item) return E_POINTER;
    if (index < 1 || index > static_cast<std::int32_t>(values_.size())) return E_INVALIDARG;
    *item = Variant(values_[static_cast<std::size_t>(index - 1)]);
    return S_OK;
  }
  HRESULT get_Count(std::int32_t* count) override {
    if (!count) return E_POINTER;
    *count = static_cast<std::int32_t>(values_.size());
    return S_OK;
  }
  HRESULT Invoke(DISPID, const Variant*, std::uint32_t, Variant*) override {
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT Insert(std::string_view value) override {
    values_.emplace_back(value);
    return S_OK;
  }
  HRESULT Clear() override {
    values_.clear();
    return S_OK;
  }

  const std::vector<std::string>& values() const { return values_; }

 private:
  std::vector<std::string> values_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_RULE_SET_STANDIN_VALUES_H_

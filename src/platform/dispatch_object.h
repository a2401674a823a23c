// DispatchObject<I1, I2, ...>: a ComObject whose IDispatch members are
// answered from the dispatch table of its primary interface I1 (see
// platform/dispatch_table.h). The object families of the library derive
// from it instead of ComObject; an interface without a table answers no
// member by name or number.
#ifndef XMLSECDB_PLATFORM_DISPATCH_OBJECT_H_
#define XMLSECDB_PLATFORM_DISPATCH_OBJECT_H_

#include "platform/dispatch_table.h"
#include "platform/object.h"

namespace xmlsecdb {

template <class First, class... Rest>
class DispatchObject : public ComObject<First, Rest...> {
 public:
  HRESULT Invoke(DISPID dispid, const Variant* args, std::uint32_t arg_count,
                 Variant* result) override {
    return InvokeByTable(this->primary(), dispid, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args,
                         arg_count, result);
  }
  HRESULT InvokeMember(DISPID dispid, std::uint16_t kinds, const Variant* args,
                       std::uint32_t arg_count, Variant* result) override {
    return InvokeByTable(this->primary(), dispid, kinds, args, arg_count, result);
  }
  HRESULT GetIDsOfNames(std::string_view name, DISPID* dispid) override {
    return GetIDByTable(this->primary(), name, dispid);
  }
  HRESULT GetTypeInfo(DispatchTypeInfo* info) override {
    return TypeInfoByTable(this->primary(), info);
  }

 protected:
  DispatchObject() = default;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_DISPATCH_OBJECT_H_

#include "platform/dispatch_table.h"

#include <charconv>
#include <limits>

namespace xmlsecdb {
namespace {

struct Found {
  const DispatchMember* member = nullptr;
  void* self = nullptr;
};

// The member with `dispid`, its own table's first, then the bases'.
Found FindMember(const DispatchTable* table, void* self, DISPID dispid) {
  for (; table; table = table->base) {
    for (const DispatchMember& member : table->members) {
      if (member.dispid == dispid) return {&member, self};
    }
    if (self && table->to_base) self = table->to_base(self);
  }
  return {};
}

std::uint16_t KindsOf(const DispatchMember& member) {
  std::uint16_t kinds = 0;
  if (member.method || !(member.get || member.put)) {
    kinds |= DISPATCH_METHOD;
  }
  if (member.get) kinds |= DISPATCH_PROPERTYGET;
  if (member.put) kinds |= DISPATCH_PROPERTYPUT;
  return kinds;
}

}  // namespace

HRESULT DispatchGetID(const DispatchTable* table, std::string_view name, DISPID* dispid) {
  if (!dispid) return E_POINTER;
  *dispid = -1;
  for (; table; table = table->base) {
    for (const DispatchMember& member : table->members) {
      if (DispatchNamesEqual(member.name, name)) {
        *dispid = member.dispid;
        return S_OK;
      }
    }
  }
  return DISP_E_UNKNOWNNAME;
}

HRESULT DispatchInvoke(DispatchBinding binding, DISPID dispid, std::uint16_t kinds,
                       const Variant* args, std::uint32_t arg_count, Variant* result) {
  if (arg_count > 0 && !args) return E_POINTER;
  Found found = FindMember(binding.table, binding.self, dispid);
  if (!found.member || !found.self) return DISP_E_MEMBERNOTFOUND;
  const DispatchMember& member = *found.member;
  DispatchCall call = nullptr;
  if (kinds & DISPATCH_PROPERTYPUT) {
    call = member.put;
  } else {
    if (kinds & DISPATCH_METHOD) call = member.method;
    if (!call && (kinds & DISPATCH_PROPERTYGET)) call = member.get;
  }
  if (!call) return DISP_E_MEMBERNOTFOUND;
  if (result) *result = Variant();
  return call(found.self, args, arg_count, result);
}

HRESULT DispatchTypeInfoOf(const DispatchTable* table, DispatchTypeInfo* info) {
  if (!info) return E_POINTER;
  *info = DispatchTypeInfo();
  if (!table) return E_NOTIMPL;
  info->interface_name = std::string(table->interface_name);
  for (const DispatchTable* t = table; t; t = t->base) {
    const DispatchListInfo& list = t->list;
    if (info->item_identity.empty()) info->item_identity = std::string(list.identity);
    if (info->item_order == LISTORDER_UNDECLARED) info->item_order = list.order;
    if (info->item_summary.empty()) info->item_summary = std::string(list.summary);
  }
  for (; table; table = table->base) {
    for (const DispatchMember& member : table->members) {
      DispatchMemberInfo entry;
      entry.name = std::string(member.name);
      entry.dispid = member.dispid;
      entry.kinds = KindsOf(member);
      entry.content = !member.outside_content;
      if (member.describe) {
        member.describe(&entry);
        if (!member.get && !member.method && member.put) {
          // A put-only property is described by the value it takes last.
          entry.result = entry.params.empty() ? VT_EMPTY : entry.params.back();
          if (!entry.params.empty()) entry.params.pop_back();
        }
      } else {
        entry.params.assign(member.event_args.begin(), member.event_args.end());
      }
      info->members.push_back(std::move(entry));
    }
  }
  return S_OK;
}

namespace dispatch_internal {

HRESULT ToInteger(const Variant& v, std::int64_t* value) {
  if (const std::int32_t* n = v.as_int()) {
    *value = *n;
  } else if (const std::uint32_t* u = v.as_uint()) {
    *value = *u;
  } else if (const bool* b = v.as_bool()) {
    *value = *b ? 1 : 0;
  } else if (const std::string* text = v.as_string()) {
    const char* end = text->data() + text->size();
    auto [at, error] = std::from_chars(text->data(), end, *value);
    if (error != std::errc() || at != end || text->empty()) return DISP_E_TYPEMISMATCH;
    if (*value < std::numeric_limits<std::int32_t>::min() ||
        *value > std::numeric_limits<std::uint32_t>::max()) {
      return DISP_E_TYPEMISMATCH;
    }
  } else {
    return DISP_E_TYPEMISMATCH;
  }
  return S_OK;
}

HRESULT ToText(const Variant& v, std::string* text) {
  if (const std::string* s = v.as_string()) {
    *text = *s;
  } else if (const std::int32_t* n = v.as_int()) {
    *text = std::to_string(*n);
  } else if (const std::uint32_t* u = v.as_uint()) {
    *text = std::to_string(*u);
  } else if (v.is_empty() || v.type() == VT_NULL) {
    text->clear();
  } else {
    return DISP_E_TYPEMISMATCH;
  }
  return S_OK;
}

HRESULT ToObject(const Variant& v, const IID& iid, void** object) {
  *object = nullptr;
  if (v.is_empty() || v.type() == VT_NULL) return S_OK;
  const ComPtr<IUnknown>* held = v.as_object();
  if (!held) return DISP_E_TYPEMISMATCH;
  if (!*held) return S_OK;
  if (Failed((*held)->QueryInterface(iid, object))) {
    *object = nullptr;
    return DISP_E_TYPEMISMATCH;
  }
  return S_OK;
}

}  // namespace dispatch_internal
}  // namespace xmlsecdb

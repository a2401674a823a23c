// Late binding from data: an interface's members declared once, in a table,
// and one generic GetIDsOfNames / Invoke / type-information query that walk
// it.
//
// A table lists, for each DISPID, its name and the C++ members that serve
// it as a method, a property get and a property put:
//
//   using M = DispatchMembers<IAMRule>;
//   constexpr DispatchMember kAMRuleMembers[] = {
//       M::Property<&IAMRule::get_Priority, &IAMRule::put_Priority>("Priority", 1),
//       M::Get<&IAMRule::get_AccessDescriptorList>("AccessDescriptorList", 12),
//       M::Method<&IAMRule::CopyToList>("CopyToList", 27),
//   };
//   constexpr DispatchTable kAMRuleTable = DispatchTableOf<IAMRule>(
//       "IAMRule", kAMRuleMembers, &kPolicyRuleTable);
//
// The member pointers tie each entry to the C++ interface at compile time:
// the argument coercions and the result come from the member's signature
// (in-parameters are the arguments, pointer parameters the out-results),
// and a get must end in its one out-parameter, a put return nothing.
// DispatchMembersAreUnique checks a table's names and DISPIDs at compile
// time. `base` links the table of the interface this one extends; lookups
// walk it after the table's own members.
//
// An object finds its table through the overload set
// `DispatchBinding DispatchTableFor(I* self)` (found by argument-dependent
// lookup): a family declares one overload per interface in the header of
// the classes that implement it, so every translation unit that makes
// such an object sees it, and defines it beside its table as
// `return BindTable(kTable, self);`. Objects of interfaces without one
// fall back to the IDispatch overload (no table: every call answers
// DISP_E_MEMBERNOTFOUND, every name DISP_E_UNKNOWNNAME).
//
// Two optional pieces serve walks over a database's content (the tool's
// json, diff and ls): a list's table may declare how its members are told
// apart and whether their order is derived (a DispatchListInfo passed to
// DispatchTableOf or CollectionTableOf), and a member may be marked as
// outside the content (OutsideContent). Enumeration results carry their
// names: an enumeration's name table is the overload
// `std::span<const DispatchEnumName> DispatchEnumNames(E)` declared beside
// it (the shared ones in xmlsecdb/enum_names.h; a kind's in its folder,
// included by its dispatch file); enumerations without one are described
// without names.
//
// Tables are immutable constants; the walk keeps no state (thread-safe as
// far as the called objects are).
#ifndef XMLSECDB_PLATFORM_DISPATCH_TABLE_H_
#define XMLSECDB_PLATFORM_DISPATCH_TABLE_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "xmlsecdb/dispatch.h"
#include "xmlsecdb/enum_names.h"

namespace xmlsecdb {

// Calls one C++ member on `self` (the table's interface pointer) with the
// arguments; stores the out-results in *result (may be null).
using DispatchCall = HRESULT (*)(void* self, const Variant* args, std::uint32_t arg_count,
                                 Variant* result);
// Describes the member's arguments and result.
using DispatchDescribe = void (*)(DispatchMemberInfo* info);

struct DispatchMember {
  std::string_view name;
  DISPID dispid = 0;
  DispatchCall method = nullptr;
  DispatchCall get = nullptr;
  DispatchCall put = nullptr;
  // The method's or the get's signature (a put-only member: the put's).
  DispatchDescribe describe = nullptr;
  // Event members: described by their argument types alone, called by
  // nobody (sinks implement them).
  std::span<const VARTYPE> event_args = {};
  // A property outside the database's content (see DispatchMemberInfo).
  bool outside_content = false;
};

// `member`, marked as outside the database's content.
constexpr DispatchMember OutsideContent(DispatchMember member) {
  member.outside_content = true;
  return member;
}

// What a list's table declares about its members (every field optional).
//   identity: the item property, or comma-separated properties, whose
//             values tell one member from the others ("RuleID");
//   order:    whether the members' order is derived from their content;
//   summary:  the item properties, comma-separated, of a one-line summary.
struct DispatchListInfo {
  std::string_view identity = {};
  DispatchListOrder order = LISTORDER_UNDECLARED;
  std::string_view summary = {};
};

struct DispatchTable {
  std::string_view interface_name;
  std::span<const DispatchMember> members;
  const DispatchTable* base = nullptr;
  // Converts a pointer to this table's interface into one to the base's.
  void* (*to_base)(void* self) = nullptr;
  // Lists only; empty for every other table.
  DispatchListInfo list = {};
};

// A table with the object pointer it describes (converted to the table's
// interface, so that the thunks find the right subobject).
struct DispatchBinding {
  const DispatchTable* table = nullptr;
  void* self = nullptr;
};

template <class I>
DispatchBinding BindTable(const DispatchTable& table, I* self) {
  return {&table, static_cast<void*>(self)};
}

// The fallback of the overload set: no table.
inline DispatchBinding DispatchTableFor(IDispatch*) { return {}; }

// The generic members, used by every object's IDispatch overrides.
HRESULT DispatchGetID(const DispatchTable* table, std::string_view name, DISPID* dispid);
HRESULT DispatchInvoke(DispatchBinding binding, DISPID dispid, std::uint16_t kinds,
                       const Variant* args, std::uint32_t arg_count, Variant* result);
HRESULT DispatchTypeInfoOf(const DispatchTable* table, DispatchTypeInfo* info);

// ASCII case-insensitive equality, as automation matches member names.
constexpr bool DispatchNamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// True when no two members share a DISPID or a name (ignoring case).
constexpr bool DispatchMembersAreUnique(std::span<const DispatchMember> members) {
  for (std::size_t i = 0; i < members.size(); ++i) {
    for (std::size_t j = i + 1; j < members.size(); ++j) {
      if (members[i].dispid == members[j].dispid) return false;
      if (DispatchNamesEqual(members[i].name, members[j].name)) return false;
    }
  }
  return true;
}

// The fallback of the enumeration name tables: no names.
template <class E>
constexpr std::span<const DispatchEnumName> DispatchEnumNames(E) {
  return {};
}

namespace dispatch_internal {

template <class T>
constexpr bool kIsInterface = std::is_class_v<T>&& std::is_base_of_v<IUnknown, T>;

// A pointer parameter is an out-result unless it points at an interface
// (an object argument).
template <class P>
constexpr bool kIsOut = std::is_pointer_v<P> && !kIsInterface<std::remove_pointer_t<P>>;

template <class T>
constexpr VARTYPE TypeOf() {
  using U = std::remove_cvref_t<T>;
  if constexpr (std::is_same_v<U, bool>) {
    return VT_BOOL;
  } else if constexpr (std::is_same_v<U, std::uint32_t>) {
    return VT_UI4;
  } else if constexpr (std::is_integral_v<U> || std::is_enum_v<U>) {
    return VT_I4;
  } else if constexpr (std::is_same_v<U, std::string> || std::is_same_v<U, std::string_view>) {
    return VT_BSTR;
  } else if constexpr (std::is_same_v<U, Variant>) {
    return VT_VARIANT;
  } else if constexpr (std::is_pointer_v<U> &&
                       std::is_base_of_v<IDispatch, std::remove_pointer_t<U>>) {
    return VT_DISPATCH;
  } else {
    static_assert(std::is_pointer_v<U> && kIsInterface<std::remove_pointer_t<U>>,
                  "no automation type for this parameter");
    return VT_UNKNOWN;
  }
}

// Integer coercion: any integer variant (wrapping to 32 bits), a boolean
// (1 or 0) or a decimal text; 16-bit targets must hold the value.
HRESULT ToInteger(const Variant& v, std::int64_t* value);
HRESULT ToText(const Variant& v, std::string* text);
// A null or empty variant gives nullptr; an object is queried for `iid`.
HRESULT ToObject(const Variant& v, const IID& iid, void** object);

// Holds one in-parameter converted from its variant.
template <class P, class = void>
struct In;

template <class P>
struct In<P, std::enable_if_t<std::is_integral_v<P> || std::is_enum_v<P>>> {
  P value{};
  HRESULT From(const Variant& v) {
    std::int64_t n = 0;
    HRESULT hr = ToInteger(v, &n);
    if (Failed(hr)) return hr;
    if constexpr (std::is_same_v<P, bool>) {
      value = n != 0;
    } else if constexpr (sizeof(P) == 2) {
      if (n < -32768 || n > 65535) return DISP_E_TYPEMISMATCH;
      value = static_cast<P>(n);
    } else {
      value = static_cast<P>(static_cast<std::uint32_t>(n));
    }
    return S_OK;
  }
  P get() { return value; }
};

template <>
struct In<std::string_view> {
  std::string text;
  HRESULT From(const Variant& v) { return ToText(v, &text); }
  std::string_view get() { return text; }
};

template <>
struct In<const Variant&> {
  const Variant* value = nullptr;
  HRESULT From(const Variant& v) {
    value = &v;
    return S_OK;
  }
  const Variant& get() { return *value; }
};

template <class I>
struct In<I*, std::enable_if_t<kIsInterface<I>>> {
  ComPtr<I> object;
  HRESULT From(const Variant& v) {
    return ToObject(v, I::kIID, reinterpret_cast<void**>(object.Put()));
  }
  I* get() { return object.get(); }
};

// Holds one out-result and turns it into a variant.
template <class T>
struct Out {
  T value{};
  T* get() { return &value; }
  Variant Take() {
    if constexpr (std::is_same_v<T, bool> || std::is_same_v<T, std::uint32_t>) {
      return Variant(value);
    } else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>) {
      return Variant(static_cast<std::int32_t>(value));
    } else {
      return Variant(std::move(value));
    }
  }
};

template <class I>
struct Out<I*> {
  ComPtr<I> object;
  I** get() { return object.Put(); }
  Variant Take() {
    if (!object) return Variant::MakeNull();
    return Variant(ComPtr<IUnknown>::Adopt(static_cast<IUnknown*>(object.Detach())));
  }
};

template <class P>
using Holder = std::conditional_t<kIsOut<P>, Out<std::remove_pointer_t<P>>, In<P>>;

template <class I, class Sig, Sig M>
struct Thunk;

template <class I, class C, class... Ps, HRESULT (C::*M)(Ps...)>
struct Thunk<I, HRESULT (C::*)(Ps...), M> {
  static_assert(std::is_base_of_v<C, I>, "the member is not one of the table's interface");
  static constexpr std::uint32_t kIns = ((kIsOut<Ps> ? 0u : 1u) + ... + 0u);
  static constexpr std::uint32_t kOuts = sizeof...(Ps) - kIns;
  static constexpr bool kIsGet = kOuts == 1 && sizeof...(Ps) > 0 &&
                                 kIsOut<std::tuple_element_t<sizeof...(Ps) - 1, std::tuple<Ps...>>>;
  // A put takes its value last, after the arguments its get takes.
  static constexpr bool kIsPut = kIns >= 1 && kOuts == 0;

  static HRESULT Call(void* self, const Variant* args, std::uint32_t arg_count, Variant* result) {
    if (arg_count != kIns) return DISP_E_BADPARAMCOUNT;
    if (kIns > 0 && !args) return E_POINTER;
    std::tuple<Holder<Ps>...> holders;
    HRESULT hr = Fill(holders, args, std::index_sequence_for<Ps...>());
    if (Failed(hr)) return hr;
    C* object = static_cast<C*>(static_cast<I*>(self));
    hr = std::apply([object](auto&... h) { return (object->*M)(h.get()...); }, holders);
    if (Failed(hr) || !result) return hr;
    *result = Collect(holders, std::index_sequence_for<Ps...>());
    return hr;
  }

  static void Describe(DispatchMemberInfo* info) {
    info->params.clear();
    (AddParam<Ps>(info), ...);
    if constexpr (kOuts == 0) {
      info->result = VT_EMPTY;
    } else if constexpr (kOuts > 1) {
      info->result = static_cast<VARTYPE>(VT_ARRAY | VT_VARIANT);
    } else {
      (SetResult<Ps>(info), ...);
    }
  }

 private:
  template <class P>
  static void AddParam(DispatchMemberInfo* info) {
    if constexpr (!kIsOut<P>) info->params.push_back(TypeOf<P>());
  }
  template <class P>
  static void SetResult(DispatchMemberInfo* info) {
    if constexpr (kIsOut<P>) {
      using R = std::remove_pointer_t<P>;
      info->result = TypeOf<R>();
      if constexpr (std::is_enum_v<R>) info->result_names = DispatchEnumNames(R{});
    }
  }

  // The position among the in-parameters of parameter `index`.
  template <std::size_t index>
  static constexpr std::size_t InPosition() {
    constexpr bool outs[] = {kIsOut<Ps>..., false};
    std::size_t position = 0;
    for (std::size_t i = 0; i < index; ++i) position += outs[i] ? 0 : 1;
    return position;
  }

  template <std::size_t... I2>
  static HRESULT Fill(std::tuple<Holder<Ps>...>& holders, const Variant* args,
                      std::index_sequence<I2...>) {
    HRESULT hr = S_OK;
    (void)args;
    (void)((FillOne<I2>(holders, args, &hr)) && ...);
    return hr;
  }
  template <std::size_t index>
  static bool FillOne(std::tuple<Holder<Ps>...>& holders, const Variant* args, HRESULT* hr) {
    using P = std::tuple_element_t<index, std::tuple<Ps...>>;
    if constexpr (kIsOut<P>) {
      return true;
    } else {
      *hr = std::get<index>(holders).From(args[InPosition<index>()]);
      return Succeeded(*hr);
    }
  }

  template <std::size_t... I2>
  static Variant Collect(std::tuple<Holder<Ps>...>& holders, std::index_sequence<I2...>) {
    if constexpr (kOuts == 0) {
      return Variant();
    } else {
      std::vector<Variant> outs;
      (CollectOne<I2>(holders, &outs), ...);
      if constexpr (kOuts == 1) {
        return std::move(outs.front());
      } else {
        return Variant(std::move(outs));
      }
    }
  }
  template <std::size_t index>
  static void CollectOne(std::tuple<Holder<Ps>...>& holders, std::vector<Variant>* outs) {
    using P = std::tuple_element_t<index, std::tuple<Ps...>>;
    if constexpr (kIsOut<P>) outs->push_back(std::get<index>(holders).Take());
  }
};

template <class I, auto M>
using ThunkOf = Thunk<I, decltype(M), M>;

}  // namespace dispatch_internal

// Builds the entries of interface I's table.
template <class I>
struct DispatchMembers {
  template <auto M>
  static constexpr DispatchMember Method(std::string_view name, DISPID dispid) {
    using T = dispatch_internal::ThunkOf<I, M>;
    return {name, dispid, &T::Call, nullptr, nullptr, &T::Describe};
  }
  template <auto G>
  static constexpr DispatchMember Get(std::string_view name, DISPID dispid) {
    using T = dispatch_internal::ThunkOf<I, G>;
    static_assert(T::kIsGet, "a property get ends in its one out-parameter");
    return {name, dispid, nullptr, &T::Call, nullptr, &T::Describe};
  }
  template <auto P>
  static constexpr DispatchMember Put(std::string_view name, DISPID dispid) {
    using T = dispatch_internal::ThunkOf<I, P>;
    static_assert(T::kIsPut, "a property put takes its value and returns nothing");
    return {name, dispid, nullptr, nullptr, &T::Call, &T::Describe};
  }
  template <auto G, auto P>
  static constexpr DispatchMember Property(std::string_view name, DISPID dispid) {
    DispatchMember member = Get<G>(name, dispid);
    member.put = Put<P>(name, dispid).put;
    return member;
  }
};

// An event: its name, DISPID and argument types.
constexpr DispatchMember DispatchEvent(std::string_view name, DISPID dispid,
                                       std::span<const VARTYPE> args = {}) {
  return {name, dispid, nullptr, nullptr, nullptr, nullptr, args};
}

// The table of interface I; `base` (may be null) is the table of the
// interface I extends, which must be a base class of I.
template <class I, class Base = void>
constexpr DispatchTable DispatchTableOf(std::string_view interface_name,
                                        std::span<const DispatchMember> members,
                                        const DispatchTable* base = nullptr,
                                        DispatchListInfo list = {}) {
  DispatchTable table{interface_name, members, base, nullptr, list};
  if constexpr (!std::is_void_v<Base>) {
    static_assert(std::is_base_of_v<Base, I>);
    table.to_base = [](void* self) -> void* { return static_cast<Base*>(static_cast<I*>(self)); };
  }
  return table;
}

// The IDispatch members of an object whose primary interface is `self`:
// each object family forwards its overrides here.
template <class I>
HRESULT InvokeByTable(I* self, DISPID dispid, std::uint16_t kinds, const Variant* args,
                      std::uint32_t arg_count, Variant* result) {
  return DispatchInvoke(DispatchTableFor(self), dispid, kinds, args, arg_count, result);
}
template <class I>
HRESULT GetIDByTable(I* self, std::string_view name, DISPID* dispid) {
  return DispatchGetID(DispatchTableFor(self).table, name, dispid);
}
template <class I>
HRESULT TypeInfoByTable(I* self, DispatchTypeInfo* info) {
  return DispatchTypeInfoOf(DispatchTableFor(self).table, info);
}

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_DISPATCH_TABLE_H_

// Automation interfaces: late-bound calls and events, error records and
// connection points.
#ifndef XMLSECDB_DISPATCH_H_
#define XMLSECDB_DISPATCH_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "xmlsecdb/export.h"
#include "xmlsecdb/unknown.h"
#include "xmlsecdb/variant.h"

namespace xmlsecdb {

using DISPID = std::int32_t;
constexpr DISPID DISPID_NEWENUM = -4;
constexpr DISPID DISPID_VALUE = 0;

// How a late-bound call uses a member (bits; a member may be both a
// property get and a property put).
enum DispatchKind : std::uint16_t {
  DISPATCH_METHOD = 1,
  DISPATCH_PROPERTYGET = 2,
  DISPATCH_PROPERTYPUT = 4,
};

// One named value of an enumeration ("AR_ALLOW", 1).
struct DispatchEnumName {
  std::string_view name;
  std::int32_t value = 0;
};

// Whether the order of a list's members means something.
enum DispatchListOrder : std::uint8_t {
  // The list's table does not say: treat the order as meaningful.
  LISTORDER_UNDECLARED = 0,
  // The members stand in the order a client or the file gave them.
  LISTORDER_PLAIN = 1,
  // The list keeps its members sorted (by comparison or by key): their
  // order follows from their content.
  LISTORDER_SORTED = 2,
};

// One member of an interface as late-bound clients see it.
struct DispatchMemberInfo {
  std::string name;
  DISPID dispid = 0;
  std::uint16_t kinds = 0;  // DispatchKind bits
  // The arguments a method or property get takes, in order (a put takes
  // one argument of the `result` type).
  std::vector<VARTYPE> params;
  // What a method or get returns: VT_EMPTY for nothing, VT_ARRAY |
  // VT_VARIANT for a method with several out-parameters.
  VARTYPE result = VT_EMPTY;
  // When the result is an enumeration: its named values, the preferred
  // name of a value first (empty for other results, and for enumerations
  // without a name table). Static data of the library.
  std::span<const DispatchEnumName> result_names;
  // False for a property that tells about the object or the session
  // rather than the database's content (a parser's Xml, FilePath,
  // ReadOnly, ParserVersion): walks over the content pass it over.
  bool content = true;
};

// The members of an object's interface, its own first, then those of the
// interfaces it extends.
//
// A list's description also says how its members are told apart and
// whether their order means something, as its table declares it (empty and
// LISTORDER_UNDECLARED when the table does not).
struct DispatchTypeInfo {
  std::string interface_name;
  std::vector<DispatchMemberInfo> members;
  // Lists: the property (or the comma-separated properties) whose values
  // identify a member among the list's members ("RuleID"); empty for lists
  // of plain values, which are their own identity, and when undeclared.
  std::string item_identity;
  DispatchListOrder item_order = LISTORDER_UNDECLARED;
  // Lists: the properties, comma-separated, that sum a member up in one
  // line; empty when undeclared.
  std::string item_summary;
};

// A late-bound object. Event sinks implement Invoke: every event of every
// parser arrives there as (DISPID, arguments in declaration order).
//
// The objects of the library answer every member of their interface by
// name and by DISPID. Arguments travel in declaration order and are
// coerced to the parameter types (any integer to any integer type, a
// boolean to 1 or 0, a decimal text to a number, a number to its text, a
// null or empty variant to a null object or, for text, to ""); the
// out-parameters come back in *result (one as itself, several as an
// array). A failing member returns its own HRESULT and leaves its error
// record; the call itself fails with DISP_E_MEMBERNOTFOUND (no such DISPID
// or not of that kind), DISP_E_BADPARAMCOUNT or DISP_E_TYPEMISMATCH.
struct IDispatch : IUnknown {
  static constexpr IID kIID = MakeGuid("{00020400-0000-0000-C000-000000000046}");
  using Base = IUnknown;

  // A method call or property get (what scripting languages ask for a
  // call): InvokeMember(dispid, DISPATCH_METHOD | DISPATCH_PROPERTYGET, ...).
  [[nodiscard]] virtual HRESULT Invoke(DISPID dispid, const Variant* args, std::uint32_t arg_count,
                                       Variant* result) = 0;

  // The DISPID of the member called `name`, matched ignoring ASCII case;
  // DISP_E_UNKNOWNNAME (and *dispid -1) when there is none.
  [[nodiscard]] virtual HRESULT GetIDsOfNames(std::string_view name, DISPID* dispid) {
    (void)name;
    if (!dispid) return E_POINTER;
    *dispid = -1;
    return DISP_E_UNKNOWNNAME;
  }
  // Calls the member `dispid` as `kinds` (DispatchKind bits) says; a put
  // takes the arguments of its get followed by the value, and returns
  // nothing.
  [[nodiscard]] virtual HRESULT InvokeMember(DISPID dispid, std::uint16_t kinds,
                                             const Variant* args, std::uint32_t arg_count,
                                             Variant* result) {
    if (kinds & DISPATCH_PROPERTYPUT) return DISP_E_MEMBERNOTFOUND;
    return Invoke(dispid, args, arg_count, result);
  }
  // The members this object answers; E_NOTIMPL for an object without a
  // description (an event sink).
  [[nodiscard]] virtual HRESULT GetTypeInfo(DispatchTypeInfo* info) {
    (void)info;
    return E_NOTIMPL;
  }
};

// The rich error record a failing call leaves on its thread.
struct IErrorInfo : IUnknown {
  static constexpr IID kIID = MakeGuid("{1CF2B120-547D-101B-8E65-08002B2BD119}");
  using Base = IUnknown;

  [[nodiscard]] virtual HRESULT GetGUID(IID* iid) = 0;
  // The ProgID of the class that failed.
  [[nodiscard]] virtual HRESULT GetSource(std::string* source) = 0;
  [[nodiscard]] virtual HRESULT GetDescription(std::string* description) = 0;
};

struct ICreateErrorInfo : IUnknown {
  static constexpr IID kIID = MakeGuid("{22F03340-547D-101B-8E65-08002B2BD119}");
  using Base = IUnknown;

  [[nodiscard]] virtual HRESULT SetGUID(const IID& iid) = 0;
  [[nodiscard]] virtual HRESULT SetSource(std::string_view source) = 0;
  [[nodiscard]] virtual HRESULT SetDescription(std::string_view description) = 0;
};

// Creates an empty record; query it for IErrorInfo to install it.
[[nodiscard]] XMLSECDB_EXPORT HRESULT CreateErrorInfo(ICreateErrorInfo** record);
// Installs `record` (may be null, which clears) as this thread's record.
[[nodiscard]] XMLSECDB_EXPORT HRESULT SetErrorInfo(std::uint32_t reserved, IErrorInfo* record);
// Takes this thread's record: stores it in *record (a new reference, or
// nullptr) and clears the slot. S_FALSE when there was none.
[[nodiscard]] XMLSECDB_EXPORT HRESULT GetErrorInfo(std::uint32_t reserved, IErrorInfo** record);

// Answers whether an interface's failures leave an error record.
struct ISupportErrorInfo : IUnknown {
  static constexpr IID kIID = MakeGuid("{DF0B3D60-548F-101B-8E65-08002B2BD119}");
  using Base = IUnknown;

  [[nodiscard]] virtual HRESULT InterfaceSupportsErrorInfo(const IID& iid) = 0;
};

// One outgoing event interface of an object.
struct IConnectionPoint : IUnknown {
  static constexpr IID kIID = MakeGuid("{B196B286-BAB4-101A-B69C-00AA00341D07}");
  using Base = IUnknown;

  [[nodiscard]] virtual HRESULT GetConnectionInterface(IID* iid) = 0;
  // Registers `sink`, which must answer IDispatch; stores a cookie (> 0).
  [[nodiscard]] virtual HRESULT Advise(IUnknown* sink, std::uint32_t* cookie) = 0;
  // CONNECT_E_NOCONNECTION for an unknown cookie.
  [[nodiscard]] virtual HRESULT Unadvise(std::uint32_t cookie) = 0;
  // The members of the event interface (names and DISPIDs of the events a
  // sink receives); E_NOTIMPL when the point has no description.
  [[nodiscard]] virtual HRESULT GetEventTypeInfo(DispatchTypeInfo* info) {
    (void)info;
    return E_NOTIMPL;
  }
};

struct IConnectionPointContainer : IUnknown {
  static constexpr IID kIID = MakeGuid("{B196B284-BAB4-101A-B69C-00AA00341D07}");
  using Base = IUnknown;

  // CONNECT_E_NOCONNECTION (0x80040200) when `iid` is not an event interface of this object.
  [[nodiscard]] virtual HRESULT FindConnectionPoint(const IID& iid, IConnectionPoint** point) = 0;
};

// Enumerates a collection as variants (what `_NewEnum` returns).
struct IEnumVARIANT : IUnknown {
  static constexpr IID kIID = MakeGuid("{00020404-0000-0000-C000-000000000046}");
  using Base = IUnknown;

  // Stores up to `count` items; *fetched (may be null) tells how many.
  // S_FALSE when fewer than `count` were left.
  [[nodiscard]] virtual HRESULT Next(std::uint32_t count, Variant* items,
                                     std::uint32_t* fetched) = 0;
  [[nodiscard]] virtual HRESULT Skip(std::uint32_t count) = 0;
  [[nodiscard]] virtual HRESULT Reset() = 0;
  [[nodiscard]] virtual HRESULT Clone(IEnumVARIANT** copy) = 0;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_DISPATCH_H_

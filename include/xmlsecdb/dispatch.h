// Automation interfaces: late-bound calls and events, error records and
// connection points.
#ifndef XMLSECDB_DISPATCH_H_
#define XMLSECDB_DISPATCH_H_

#include <cstdint>
#include <string>

#include "xmlsecdb/export.h"
#include "xmlsecdb/unknown.h"
#include "xmlsecdb/variant.h"

namespace xmlsecdb {

using DISPID = std::int32_t;
constexpr DISPID DISPID_NEWENUM = -4;
constexpr DISPID DISPID_VALUE = 0;

// A late-bound object. Event sinks implement it: every event of every
// parser arrives here as (DISPID, arguments in declaration order).
struct IDispatch : IUnknown {
  static constexpr IID kIID = MakeGuid("{00020400-0000-0000-C000-000000000046}");
  using Base = IUnknown;

  [[nodiscard]] virtual HRESULT Invoke(DISPID dispid, const Variant* args, std::uint32_t arg_count,
                                       Variant* result) = 0;
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

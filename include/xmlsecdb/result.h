// Result codes of the XMLSecDB API.
//
// Every fallible call returns an HRESULT: a 32-bit signed number that is
// negative on failure. S_FALSE (1) is a success that did nothing. The
// component's own failures lie at 0x80041004..0x80041009; the other codes
// are the well-known platform values that callers of this API test for.
#ifndef XMLSECDB_RESULT_H_
#define XMLSECDB_RESULT_H_

#include <cstdint>

namespace xmlsecdb {

using HRESULT = std::int32_t;

constexpr HRESULT MakeResult(std::uint32_t bits) { return static_cast<HRESULT>(bits); }

constexpr bool Succeeded(HRESULT hr) { return hr >= 0; }
constexpr bool Failed(HRESULT hr) { return hr < 0; }

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;

constexpr HRESULT E_NOTIMPL = MakeResult(0x80004001);
constexpr HRESULT E_NOINTERFACE = MakeResult(0x80004002);
constexpr HRESULT E_POINTER = MakeResult(0x80004003);
constexpr HRESULT E_FAIL = MakeResult(0x80004005);
constexpr HRESULT E_UNEXPECTED = MakeResult(0x8000FFFF);
constexpr HRESULT E_OUTOFMEMORY = MakeResult(0x8007000E);
constexpr HRESULT E_INVALIDARG = MakeResult(0x80070057);
constexpr HRESULT E_ACCESSDENIED = MakeResult(0x80070005);
constexpr HRESULT DISP_E_MEMBERNOTFOUND = MakeResult(0x80020003);
constexpr HRESULT DISP_E_TYPEMISMATCH = MakeResult(0x80020005);
constexpr HRESULT DISP_E_UNKNOWNNAME = MakeResult(0x80020006);
constexpr HRESULT DISP_E_BADPARAMCOUNT = MakeResult(0x8002000E);
constexpr HRESULT CLASS_E_NOAGGREGATION = MakeResult(0x80040110);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = MakeResult(0x80040111);
constexpr HRESULT REGDB_E_CLASSNOTREG = MakeResult(0x80040154);
constexpr HRESULT CO_E_CLASSSTRING = MakeResult(0x800401F3);
constexpr HRESULT CONNECT_E_NOCONNECTION = MakeResult(0x80040200);
constexpr HRESULT CONNECT_E_ADVISELIMIT = MakeResult(0x80040201);
// The XML reader could not open the resource it was asked to parse.
constexpr HRESULT INET_E_RESOURCE_NOT_FOUND = MakeResult(0x800C0006);

// The component's own codes.
constexpr HRESULT SECDB_E_NOTFOUND = MakeResult(0x80041004);
constexpr HRESULT SECDB_E_DUPLICATEID = MakeResult(0x80041005);
constexpr HRESULT SECDB_E_READONLY = MakeResult(0x80041006);
constexpr HRESULT SECDB_E_INUSE = MakeResult(0x80041007);
constexpr HRESULT SECDB_E_INVALIDVALUE = MakeResult(0x80041008);
constexpr HRESULT SECDB_E_BADCHECKSUM = MakeResult(0x80041009);

// A platform error number (errno or a Win32-style number) as an HRESULT in
// the Win32 facility: 0x80070000 | (code & 0xFFFF).
constexpr HRESULT HResultFromWin32(std::uint32_t code) {
  return code == 0 ? S_OK : MakeResult(0x80070000u | (code & 0xFFFFu));
}

}  // namespace xmlsecdb

#endif  // XMLSECDB_RESULT_H_

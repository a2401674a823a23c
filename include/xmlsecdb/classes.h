// The creatable classes: the seven parsers, and how to create them.
#ifndef XMLSECDB_CLASSES_H_
#define XMLSECDB_CLASSES_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "xmlsecdb/export.h"
#include "xmlsecdb/unknown.h"

namespace xmlsecdb {

inline constexpr CLSID CLSID_XMLSDParserFW = MakeGuid("{B2B74ADD-877F-4153-AAB2-56AC8AEAEDE7}");
inline constexpr CLSID CLSID_XMLSDParserSBX = MakeGuid("{34106DC6-59B6-4BDD-B71E-632F085C3183}");
inline constexpr CLSID CLSID_XMLSDParserAPP = MakeGuid("{6761A76A-030D-4C30-BFF5-B0B07DBDD602}");
inline constexpr CLSID CLSID_XMLSDParserIDS = MakeGuid("{2EBA933B-B101-4EFE-AABD-6732F4B7C320}");
inline constexpr CLSID CLSID_XMLSDParserCF = MakeGuid("{CA9231BB-C5D9-4B62-BD73-DBB66DDD2F7C}");
inline constexpr CLSID CLSID_XMLSDParserDI = MakeGuid("{F9864037-A609-4AE2-9022-BDC0198BDECF}");
inline constexpr CLSID CLSID_XMLSDParserAM = MakeGuid("{A7F78D92-6956-4016-BBC0-1C66E7911740}");

// One creatable class.
struct ClassInfo {
  const CLSID* clsid;
  std::string_view progid;              // versioned, "XMLSecDB.AMParser.1"
  std::string_view independent_progid;  // "XMLSecDB.AMParser"
  std::string_view description;
};

// The creatable classes, in registration order.
XMLSECDB_EXPORT const ClassInfo* ParserClasses(std::size_t* count);

// Creates an object of a creatable class, through the class's factory, and
// queries it for `iid`; the caller owns the reference stored in *object
// (nullptr on failure). CLASS_E_CLASSNOTAVAILABLE for a CLSID that is not
// creatable; CLASS_E_NOAGGREGATION when `outer` is not null (no class is
// aggregatable here). `context` is accepted and ignored: every class is
// in-process.
[[nodiscard]] XMLSECDB_EXPORT HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer,
                                                       std::uint32_t context, const IID& iid,
                                                       void** object);
// Looks a ProgID up, versioned or version-independent. CO_E_CLASSSTRING
// when it names no class.
[[nodiscard]] XMLSECDB_EXPORT HRESULT CLSIDFromProgID(std::string_view progid, CLSID* clsid);
// The versioned ProgID of a class: from the registry when the class is
// registered there, else from the module's own class table.
[[nodiscard]] XMLSECDB_EXPORT HRESULT ProgIDFromCLSID(const CLSID& clsid, std::string* progid);

// CoCreateInstance of the class a ProgID names, versioned
// ("XMLSecDB.AMParser.1") or version-independent ("XMLSecDB.AMParser").
// CO_E_CLASSSTRING, and nullptr, when the ProgID names no creatable class.
[[nodiscard]] XMLSECDB_EXPORT HRESULT CreateInstanceByProgID(std::string_view progid,
                                                             const IID& iid, void** object);

// Typed creation: `CreateInstance(CLSID_XMLSDParserAM, &parser)`.
template <class T>
[[nodiscard]] HRESULT CreateInstance(const CLSID& clsid, T** object) {
  return CoCreateInstance(clsid, nullptr, 0, T::kIID, reinterpret_cast<void**>(object));
}

// Typed creation by ProgID: `CreateInstanceByProgID("XMLSecDB.AMParser", &parser)`.
template <class T>
[[nodiscard]] HRESULT CreateInstanceByProgID(std::string_view progid, T** object) {
  return CreateInstanceByProgID(progid, T::kIID, reinterpret_cast<void**>(object));
}

}  // namespace xmlsecdb

#endif  // XMLSECDB_CLASSES_H_

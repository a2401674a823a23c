// ISDCollection: the members every list of a database shares.
//
// Each list interface of a kind (a rule list, an access-descriptor list,
// ...) extends ISDCollection with its own create, insert, remove and
// look-up members. Lists are apartment-threaded like their parser.
#ifndef XMLSECDB_COLLECTION_H_
#define XMLSECDB_COLLECTION_H_

#include <cstdint>

#include "xmlsecdb/dispatch.h"

namespace xmlsecdb {

// DISPIDs of the members below, as late-bound clients call them.
constexpr DISPID DISPID_Collection_Item = DISPID_VALUE;
constexpr DISPID DISPID_Collection_Count = 1;

struct ISDCollection : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0300-4000-8000-5EC0DB000300}");
  using Base = IDispatch;

  // An enumerator over the live members (query it for IEnumVARIANT); each
  // item it yields is a variant holding the member. Members inserted or
  // removed while enumerating are seen or skipped by position.
  [[nodiscard]] virtual HRESULT get__NewEnum(IUnknown** enumerator) = 0;
  // The member at 1-based `index` as a variant holding a new reference.
  // E_POINTER for a null `item`, E_INVALIDARG for an index below 1, E_FAIL
  // for an index beyond Count.
  [[nodiscard]] virtual HRESULT get_Item(std::int32_t index, Variant* item) = 0;
  [[nodiscard]] virtual HRESULT get_Count(std::int32_t* count) = 0;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_COLLECTION_H_

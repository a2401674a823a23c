// ListEnumerator: the IEnumVARIANT that _NewEnum of every list returns.
//
// It keeps its list alive and walks it by position. While the list is
// unchanged it steps from the member it returned last, so that a walk costs
// O(1) per member in either list shape; after an insertion or removal it
// resumes at the same position.
#ifndef XMLSECDB_LIST_LIST_ENUM_H_
#define XMLSECDB_LIST_LIST_ENUM_H_

#include <cstdint>

#include "platform/object.h"
#include "xmlsecdb/dispatch.h"

namespace xmlsecdb {

class ListCore;
class ListItemBase;

class ListEnumerator final : public ComObject<IEnumVARIANT> {
 public:
  explicit ListEnumerator(ListCore* list);

  HRESULT Next(std::uint32_t count, Variant* items, std::uint32_t* fetched) override;
  HRESULT Skip(std::uint32_t count) override;
  HRESULT Reset() override;
  HRESULT Clone(IEnumVARIANT** copy) override;

 private:
  ComPtr<IUnknown> keep_;  // the list
  ListCore* list_;
  std::int32_t index_ = 0;  // of the next member
  // The member returned last (held, so it cannot go while we step from it)
  // and the list's change count when it was fetched.
  ComPtr<IUnknown> last_;
  ListItemBase* last_item_ = nullptr;
  std::uint64_t stamp_ = 0;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_LIST_LIST_ENUM_H_

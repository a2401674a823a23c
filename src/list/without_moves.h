// WithoutMoves<List, ItemInterface>: the MoveUp and MoveDown of a rule
// list whose interface has them. A rule's place is given by its content
// (the comparison), so there is nothing a move could do that the next
// Insert or save would keep: both answer E_NOTIMPL and change nothing, as
// the content filter's lists do. A kind's list then reads
//
//   class CSBXRuleList final : public WithoutMoves<SBXRuleListBase, ISBXRule> { ... };
#ifndef XMLSECDB_LIST_WITHOUT_MOVES_H_
#define XMLSECDB_LIST_WITHOUT_MOVES_H_

#include "xmlsecdb/result.h"

namespace xmlsecdb {

template <class List, class ItemInterface>
class WithoutMoves : public List {
 public:
  using List::List;

  HRESULT MoveUp(ItemInterface*) override { return E_NOTIMPL; }
  HRESULT MoveDown(ItemInterface*) override { return E_NOTIMPL; }
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_LIST_WITHOUT_MOVES_H_

// The semantic difference of two object models of one kind: list members
// matched by their identity (model_text.h), reported as added, removed and
// changed property by property; moves only in lists whose order is not
// derived from their content.
#ifndef XMLSECDB_TOOLS_SECDB_MODEL_DIFF_H_
#define XMLSECDB_TOOLS_SECDB_MODEL_DIFF_H_

#include <cstddef>
#include <deque>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "model_walk.h"

namespace secdb {

struct Change {
  enum Op { kAdded, kRemoved, kChanged, kMoved };
  Op op = kChanged;
  std::string list;  // the list's path ("RuleList[5].AccessDescriptorList"); "" at the root
  std::string id;    // the member's identity as shown; "" at the root
  nlohmann::json id_json;
  std::string property;  // kChanged: the property
  const Node* before =
      nullptr;  // kChanged: old value (may be null: no such property); kRemoved: the member
  const Node* after = nullptr;  // kChanged: new value; kAdded: the member
  const ObjectType* list_type = nullptr;
  std::size_t from = 0, to = 0;  // kMoved: 1-based positions in A and in B
};

// The changes from `a` to `b` (two roots the walk read), grouped by list
// in the order of A's members. Lists read lazily are compared member by
// member through `reader`: each member is read, identified and
// fingerprinted, and only the members that changed are kept (in *kept).
// The nodes must outlive the changes.
std::vector<Change> Diff(const Node& a, const Node& b, ModelReader* reader = nullptr,
                         std::deque<Node>* kept = nullptr);

// One line per change:
//   + RuleList[12] ObjectType=1 Path="c:\\x"
//   - RuleList[7] ...
//   ~ RuleList[5].Priority: PRIOR_NORMAL -> PRIOR_HIGH
//   > RuleSetList["rs1"]: 2 -> 1
std::string ChangeLine(const Change& change);
nlohmann::json ChangeJson(const Change& change);

}  // namespace secdb

#endif  // XMLSECDB_TOOLS_SECDB_MODEL_DIFF_H_

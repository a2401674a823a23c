// CopyRuleToList: the body of CopyToList(list, bGenerateRuleID, copy) that
// every rule kind shares (InsertEx of rule lists relies on it):
//
//   1. E_POINTER for a null `copy` (else *copy is cleared) or `list`;
//   2. a new rule made by the list's CreateRule (so its read-only guard
//      applies), which must be a rule of the kind's class (E_INVALIDARG);
//   3. the content copied by `copy_content(target)`, the kind's part;
//   4. the identifier: this rule's, or with `generate_id` a fresh one from
//      the list's GenerateRuleID, set through the copy's put_RuleID;
//   5. the copy inserted through the list's Insert and returned with one
//      reference.
//
// The first failure ends it and is returned. GenerateRuleID and Insert are
// called with the arguments the list interface has: (object type, master)
// or (master) alone; (rule, before) or (rule) alone. A kind writes
//
//   HRESULT CopyToList(IFWRuleList* list, std::int32_t generate, IFWRule** copy) override {
//     return CopyRuleToList<CFWRule>(*this, 0, list, generate, copy,
//                                    [&](CFWRule& target) { return CopyContentTo(target); });
//   }
#ifndef XMLSECDB_LIST_RULE_COPY_H_
#define XMLSECDB_LIST_RULE_COPY_H_

#include <cstdint>

#include "core/return_if_failed.h"
#include "list/list_item.h"
#include "platform/object.h"

namespace xmlsecdb {

template <class Rule, class ListInterface, class Interface, class CopyContent>
HRESULT CopyRuleToList(const RuleItemBase& source, std::int32_t object_type, ListInterface* list,
                       std::int32_t generate_id, Interface** copy, CopyContent&& copy_content) {
  if (!copy) return E_POINTER;
  *copy = nullptr;
  if (!list) return E_POINTER;
  ComPtr<Interface> made;
  RETURN_IF_FAILED(list->CreateRule(made.Put()));
  auto* target = static_cast<Rule*>(AsListItem(made.get()));
  if (!target) return E_INVALIDARG;
  RETURN_IF_FAILED(copy_content(*target));
  std::int32_t id = source.rule_id();
  if (generate_id) {
    if constexpr (requires { list->GenerateRuleID(object_type, 0, &id); }) {
      RETURN_IF_FAILED(list->GenerateRuleID(object_type, 0, &id));
    } else {
      RETURN_IF_FAILED(list->GenerateRuleID(0, &id));
    }
  }
  RETURN_IF_FAILED(made->put_RuleID(id));
  if constexpr (requires { list->Insert(made.get(), nullptr); }) {
    RETURN_IF_FAILED(list->Insert(made.get(), nullptr));
  } else {
    RETURN_IF_FAILED(list->Insert(made.get()));
  }
  *copy = made.Detach();
  return S_OK;
}

}  // namespace xmlsecdb

#endif  // XMLSECDB_LIST_RULE_COPY_H_

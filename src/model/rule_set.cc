#include "model/rule_set.h"

#include "core/parser.h"
#include "list/owned.h"
#include "model/vocabulary.h"

namespace xmlsecdb {

CRuleSet::CRuleSet() : rule_list_ids_(MakeObject<CSimpleValueList>()) {}

HRESULT CRuleSet::get_RuleSetID(std::string* id) { return GetField(id_, id); }

HRESULT CRuleSet::put_RuleSetID(std::string_view id) {
  id_ = id;
  return S_OK;
}

HRESULT CRuleSet::get_Description(std::string* description) {
  return GetField(description_, description);
}

HRESULT CRuleSet::put_Description(std::string_view description) {
  description_ = description;
  return S_OK;
}

HRESULT CRuleSet::get_RuleListIDs(ISimpleValueList** ids) {
  return GetOwned(rule_list_ids_.get(), ids);
}

bool CRuleSetList::read_only() const {
  ParserCore* p = parser();
  return p && p->read_only();
}

HRESULT CRuleSetList::CreateRuleSet(IRuleSet** rule_set) {
  if (!rule_set) return E_POINTER;
  *rule_set = nullptr;
  if (read_only()) return SECDB_E_READONLY;
  *rule_set = NewItem().Detach();
  return S_OK;
}

HRESULT CRuleSetList::Insert(IRuleSet* rule_set, IRuleSet* before) {
  if (!rule_set) return E_POINTER;
  if (read_only()) return SECDB_E_READONLY;
  ListItemBase* item = AsListItem(rule_set);
  if (!before || before == rule_set) return InsertMember(item);
  ListItemBase* anchor = AsListItem(before);
  if (!anchor || !FindMember([anchor](ListItemBase* m) { return m == anchor; })) {
    return SECDB_E_NOTFOUND;
  }
  return InsertMember(item, anchor, true);
}

HRESULT CRuleSetList::Remove(IRuleSet* rule_set) {
  if (!rule_set) return E_POINTER;
  if (read_only()) return SECDB_E_READONLY;
  ListItemBase* item = AsListItem(rule_set);
  if (!item || !FindMember([item](ListItemBase* m) { return m == item; })) {
    return SECDB_E_NOTFOUND;
  }
  return RemoveMember(item);
}

HRESULT CRuleSetList::Clear() {
  if (read_only()) return SECDB_E_READONLY;
  return ClearMembers();
}

HRESULT CRuleSetList::FindRuleSet(std::string_view id, IRuleSet** rule_set) const {
  if (!rule_set) return E_POINTER;
  *rule_set = nullptr;
  for (CRuleSet* member : *this) {
    if (TextEquals(member->id(), id, TextCase::kInsensitive)) {
      member->AddRef();
      *rule_set = member;
      return S_OK;
    }
  }
  return SECDB_E_NOTFOUND;
}

}  // namespace xmlsecdb

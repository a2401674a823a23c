#include "ids/ids_group.h"

#include "core/error_report.h"
#include "core/return_if_failed.h"
#include "list/owned.h"

namespace xmlsecdb {
namespace {

// Counts the rules on each side of `test`, stopping once both sides have
// one: only the mix matters, not the numbers.
template <class Test>
void CountSides(const CIDSRuleList& rules, Test test, int* yes, int* no) {
  for (const CIDSRule* rule : rules) {
    ++*(test(*rule) ? yes : no);
    if (*yes != 0 && *no != 0) return;
  }
}

}  // namespace

CIDSGroup::CIDSGroup() : rules_(MakeObject<CIDSRuleList>(this)) {}

HRESULT CIDSGroup::get_Name(std::string* name) { return GetField(name_, name); }

HRESULT CIDSGroup::put_Name(std::string_view name) {
  RETURN_IF_FAILED(CheckWritable("CIDSGroup::put_Name()"));
  name_ = name;
  return S_OK;
}

HRESULT CIDSGroup::get_RuleList(IIDSRuleList** rules) { return GetOwned(rules_.get(), rules); }

HRESULT CIDSGroup::get_RulesStatus(EIDSRulesStatus* status) {
  if (!status) return E_POINTER;
  int enabled = 0, disabled = 0;
  CountSides(
      *rules_, [](const CIDSRule& rule) { return rule.enabled(); }, &enabled, &disabled);
  *status = enabled != 0 && disabled == 0   ? IDSS_ENABLED
            : disabled != 0 && enabled == 0 ? IDSS_DISABLED
                                            : IDSS_MIXED;
  return S_OK;
}

HRESULT CIDSGroup::get_RulesMode(EIDSRulesMode* mode) {
  if (!mode) return E_POINTER;
  int allow = 0, other = 0;
  CountSides(
      *rules_, [](const CIDSRule& rule) { return rule.access_result() == AR_ALLOW; }, &allow,
      &other);
  *mode = allow != 0 && other == 0 ? IDSM_ASYNC : other != 0 && allow == 0 ? IDSM_SYNC : IDSM_MIXED;
  return S_OK;
}

HRESULT CIDSGroup::get_GroupID(std::string* id) { return GetField(id_, id); }

// The group's list is the parser's group list whether or not the group is
// a member yet, so a new group cannot take an ID already in use either.
HRESULT CIDSGroup::put_GroupID(std::string_view id) {
  static constexpr std::string_view kSource = "CIDSGroup::put_GroupID()";
  RETURN_IF_FAILED(CheckWritable(kSource));
  if (auto* groups = static_cast<CIDSGroupList*>(list()); groups && groups->Find(id)) {
    return ReportError(kSource, CLSID_IDSGroup, kMsgDuplicateId, IIDSGroup::kIID,
                       SECDB_E_DUPLICATEID);
  }
  id_ = id;
  return S_OK;
}

CIDSGroup* CIDSGroupList::Find(std::string_view id) const {
  for (CIDSGroup* group : *this) {
    if (group->id() == id) return group;
  }
  return nullptr;
}

HRESULT CIDSGroupList::Insert(IIDSGroup* group) {
  if (!group) return E_POINTER;
  RETURN_IF_FAILED(CheckWritable("Insert"));
  ListItemBase* item = AsListItem(group);
  if (!item) return E_INVALIDARG;
  if (Find(static_cast<CIDSGroup*>(item)->id())) {
    return Report("Insert()", kMsgDuplicateId, SECDB_E_DUPLICATEID);
  }
  return InsertMember(item);
}

HRESULT CIDSGroupList::Get(std::string_view group_id, IIDSGroup** group) {
  if (!group) return E_POINTER;
  *group = Find(group_id);
  if (!*group) return Report("Get()", kMsgNotFound, SECDB_E_NOTFOUND);
  (*group)->AddRef();
  return S_OK;
}

}  // namespace xmlsecdb

#include "list/list_item.h"

#include "core/error_report.h"
#include "core/parser.h"
#include "core/return_if_failed.h"
#include "list/compare_context.h"
#include "list/list_core.h"
#include "list/rule_id.h"
#include "list/rule_list.h"

namespace xmlsecdb {

ListItemBase::~ListItemBase() {
  // A member is never destroyed: its list holds a reference. A bound
  // non-member leaves the list's chain.
  if (list_ && !attached_) list_->LeaveLoose(this);
}

ParserCore* ListItemBase::parser() const { return list_ ? list_->parser() : nullptr; }

HRESULT ListItemBase::CheckWritable(std::string_view source) const {
  ParserCore* p = parser();
  if (!p || !p->read_only()) return S_OK;
  return p->CheckWritable(source);
}

void ListItemBase::NotifyChange(bool before, std::int32_t property) {
  if (!attached_ || !list_) return;
  IListOwner* owner = list_->owner();
  if (!owner) return;
  const ListNotices& notices = *list_->traits().notices;
  if (before && notices.mark_before_change) owner->MarkModified();
  auto slot = before ? notices.before_change : notices.after_change;
  (owner->*slot)(unknown_self(), property);
}

ListItemBase* AsListItem(IUnknown* object) {
  void* found = nullptr;
  if (!object || Failed(object->QueryInterface(kListItemIID, &found)) || !found) return nullptr;
  auto* item = static_cast<ListItemBase*>(found);
  item->unknown_self()->Release();
  return item;
}

RuleItemBase* RuleItemBase::next_member() const {
  return attached() ? static_cast<RuleItemBase*>(next_) : nullptr;
}

std::int16_t RuleItemBase::Compare(const RuleItemBase&) const { return 0; }

const RuleCompareContext& RuleItemBase::compare_context() const {
  // Rule items are bound only to rule lists.
  ListCore* bound = list();
  return bound ? static_cast<RuleListCore*>(bound)->compare_context() : kNoCompareContext;
}

HRESULT RuleItemBase::SetRuleID(std::string_view source, std::int32_t id, std::int32_t property) {
  RETURN_IF_FAILED(CheckWritable(source));
  if (!attached() || id == rule_id_) {
    rule_id_ = id;
    return S_OK;
  }
  auto* rules = static_cast<RuleListCore*>(list());
  if (rules->Find(id)) {
    return ReportError(source, *rules->traits().clsid, kMsgDuplicateRuleId, *rules->traits().iid,
                       SECDB_E_DUPLICATEID);
  }
  NotifyChange(true, property);
  rules->Rekey(this, id);
  NotifyChange(false, property);
  return S_OK;
}

HRESULT RuleItemBase::SetRuleIDString(std::string_view source, std::string_view text,
                                      std::int32_t property) {
  RETURN_IF_FAILED(CheckWritable(source));
  std::int32_t id = 0;
  RETURN_IF_FAILED(ParseRuleID(text, &id));
  return SetRuleID(source, id, property);
}

std::string RuleItemBase::RuleIDString() const { return FormatRuleID(rule_id_); }

void CRule::MarkModified() {
  if (ParserCore* p = parser()) p->MarkModified(ParserCore::kModifiedRules);
}

}  // namespace xmlsecdb

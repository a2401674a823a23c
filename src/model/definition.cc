#include "model/definition.h"

#include <utility>
#include <vector>

#include "core/error_report.h"
#include "core/parser.h"
#include "core/return_if_failed.h"

namespace xmlsecdb {
namespace {

constexpr std::string_view kPutDefinitionID = "CDefinition::put_DefinitionID()";
constexpr std::string_view kPutObjectType = "CDefinition::put_ObjectType()";

}  // namespace

// ---------------------------------------------------------------------------
// CDefinition

DefinitionListBase* CDefinition::definitions() const {
  // Definitions are bound only to definition lists: made by one, and
  // inserted only through IDefinitionList::Insert.
  return static_cast<DefinitionListBase*>(list());
}

HRESULT CDefinition::get_DefinitionID(std::string* id) { return GetField(id_, id); }

HRESULT CDefinition::put_DefinitionID(std::string_view id) {
  RETURN_IF_FAILED(CheckWritable(kPutDefinitionID));
  DefinitionListBase* list = definitions();
  // A member's own current ID counts as taken too: re-setting it fails.
  if (attached() && !SharesDefinitionIds(type_) && list->Find(id)) {
    return ReportError(kPutDefinitionID, clsid(), kMsgDuplicateId, IDefinition::kIID,
                       SECDB_E_DUPLICATEID);
  }
  if (id_ == id) return S_OK;
  bool notify = attached();
  if (notify) {
    MarkModified();
    NotifyChange(true, DP_ID);
  }
  if (indexed_ && list) {
    list->Rekey(this, id);
  } else {
    id_.assign(id);
  }
  if (notify) NotifyChange(false, DP_ID);
  return S_OK;
}

HRESULT CDefinition::get_ObjectType(std::int32_t* type) { return GetField(type_, type); }

HRESULT CDefinition::put_ObjectType(std::int32_t type) {
  RETURN_IF_FAILED(CheckWritable(kPutObjectType));
  if (!AcceptsObjectType(type)) {
    return ReportError(kPutObjectType, clsid(), kMsgInvalidObjectType, IDefinition::kIID,
                       E_INVALIDARG);
  }
  if (type == type_) return S_OK;
  if (attached()) MarkModified();
  Change(type_, type, DP_TYPE);
  return S_OK;
}

HRESULT CDefinition::get_UIFlags(std::string* flags) { return GetField(ui_flags_, flags); }

HRESULT CDefinition::put_UIFlags(std::string_view flags) {
  RETURN_IF_FAILED(CheckWritable("CDefinition::put_UIFlags()"));
  ui_flags_.assign(flags);
  return S_OK;
}

HRESULT CDefinition::get_Description(std::string* description) {
  return GetField(description_, description);
}

HRESULT CDefinition::put_Description(std::string_view description) {
  RETURN_IF_FAILED(CheckWritable("CDefinition::put_Description()"));
  description_.assign(description);
  return S_OK;
}

void CDefinition::MarkModified() {
  if (ParserCore* p = parser()) p->MarkModified(ParserCore::kModifiedDefinitions);
}

void CDefinition::FireItemEvent(DISPID ListEventIds::*slot, IUnknown* item,
                                const std::int32_t* property) {
  if (!attached()) return;
  ParserCore* p = parser();
  DefinitionListBase* list = definitions();
  if (!p || !list) return;
  const ListEventIds& events = list->item_events();
  DISPID dispid = events.*slot;
  if (dispid == 0) return;
  Variant definition{ComPtr<IUnknown>(unknown_self())};
  Variant member{ComPtr<IUnknown>(item)};
  if (property && events.change_has_property) {
    p->FireEvent(dispid, {definition, member, Variant(*property)});
  } else {
    p->FireEvent(dispid, {definition, member});
  }
}

void CDefinition::BeforeInsert(IUnknown* item) {
  FireItemEvent(&ListEventIds::before_insert, item, nullptr);
}
void CDefinition::AfterInsert(IUnknown* item) {
  FireItemEvent(&ListEventIds::after_insert, item, nullptr);
}
void CDefinition::BeforeRemove(IUnknown* item) {
  FireItemEvent(&ListEventIds::before_remove, item, nullptr);
}
void CDefinition::AfterRemove(IUnknown* item) {
  FireItemEvent(&ListEventIds::after_remove, item, nullptr);
}

void CDefinition::BeforeChange(IUnknown* item, std::int32_t property) {
  if (!attached()) return;
  MarkModified();
  FireItemEvent(&ListEventIds::before_change, item, &property);
}

void CDefinition::AfterChange(IUnknown* item, std::int32_t property) {
  FireItemEvent(&ListEventIds::after_change, item, &property);
}

// ---------------------------------------------------------------------------
// DefinitionListBase

DefinitionListBase::~DefinitionListBase() {
  // Members may outlive the list; they must not reach its index.
  DropIndex();
}

ComPtr<CDefinition> DefinitionListBase::NewDefinition() {
  ComPtr<CDefinition> definition = MakeDefinition();
  Bind(definition.get());
  return definition;
}

HRESULT DefinitionListBase::CreateDefinition(IDefinition** definition) {
  if (!definition) return E_POINTER;
  *definition = nullptr;
  RETURN_IF_FAILED(CheckWritable(traits().create_name));
  *definition = NewDefinition().Detach();
  return S_OK;
}

HRESULT DefinitionListBase::Insert(IDefinition* definition) {
  if (!definition) return E_POINTER;
  RETURN_IF_FAILED(CheckWritable("Insert"));
  ListItemBase* item = AsListItem(definition);
  if (!item || item->attached()) return E_INVALIDARG;
  auto* added = static_cast<CDefinition*>(item);
  if (!Accepts(*added)) return E_INVALIDARG;
  if (!SharesDefinitionIds(added->type_) && Find(added->id_)) {
    return Report("Insert()", kMsgDuplicateId, SECDB_E_DUPLICATEID);
  }
  // Indexed before the append, so that the after-insert event's sinks find
  // it by ID; Find skips it until it is a member.
  // Indexed but not a member: an event sink re-inserts a definition during
  // its own insertion. Its first entry goes.
  if (added->indexed_) added->definitions()->Unindex(added);
  Index(added);
  HRESULT hr = InsertMember(item);
  if (Failed(hr)) Unindex(added);
  return hr;
}

HRESULT DefinitionListBase::Remove(IDefinition* definition) {
  if (!definition) return E_POINTER;
  ListItemBase* item = AsListItem(definition);
  RETURN_IF_FAILED(RemoveMember(item));
  auto* removed = static_cast<CDefinition*>(item);
  if (removed->indexed_ && !removed->attached()) Unindex(removed);
  return S_OK;
}

HRESULT DefinitionListBase::Get(std::string_view id, IDefinition** definition) {
  if (!definition) return E_POINTER;
  *definition = nullptr;
  CDefinition* found = Find(id);
  if (!found) return Report("Get()", kMsgNotFound, SECDB_E_NOTFOUND);
  *definition = found;
  found->AddRef();
  return S_OK;
}

HRESULT DefinitionListBase::Clear() {
  RETURN_IF_FAILED(CheckWritable("Clear"));
  DropIndex();
  return ClearMembers();
}

CDefinition* DefinitionListBase::Find(std::string_view id) const {
  auto found = by_id_.find(id);
  if (found == by_id_.end()) return nullptr;
  for (CDefinition* d = found->second; d; d = d->next_same_id_) {
    if (d->attached()) return d;
  }
  return nullptr;
}

void DefinitionListBase::Index(CDefinition* definition) {
  definition->indexed_ = true;
  definition->next_same_id_ = nullptr;
  auto [slot, added] = by_id_.try_emplace(definition->id_, definition);
  if (added) return;
  if (!definition->attached()) {
    CDefinition* last = slot->second;
    while (last->next_same_id_) last = last->next_same_id_;
    last->next_same_id_ = definition;
    return;
  }
  // Several members share this ID (IDS types): rebuild the chain in list
  // order, keeping non-members (about to be appended) at its end.
  std::vector<CDefinition*> loose;
  for (CDefinition* d = slot->second; d; d = d->next_same_id_) {
    if (!d->attached()) loose.push_back(d);
  }
  CDefinition* head = nullptr;
  CDefinition* tail = nullptr;
  auto append = [&](CDefinition* d) {
    d->next_same_id_ = nullptr;
    (tail ? tail->next_same_id_ : head) = d;
    tail = d;
  };
  for (ListItemBase* member : members()) {
    auto* d = static_cast<CDefinition*>(member);
    if (d->indexed_ && d->id_ == definition->id_) append(d);
  }
  for (CDefinition* d : loose) append(d);
  auto node = by_id_.extract(slot);
  node.key() = head->id_;
  node.mapped() = head;
  by_id_.insert(std::move(node));
}

void DefinitionListBase::Unindex(CDefinition* definition) {
  auto slot = by_id_.find(definition->id_);
  definition->indexed_ = false;
  if (slot == by_id_.end()) return;
  CDefinition* next = std::exchange(definition->next_same_id_, nullptr);
  if (slot->second != definition) {
    for (CDefinition* d = slot->second; d; d = d->next_same_id_) {
      if (d->next_same_id_ == definition) {
        d->next_same_id_ = next;
        break;
      }
    }
    return;
  }
  if (!next) {
    by_id_.erase(slot);
    return;
  }
  // The key viewed the departing head's text; view the new head's.
  auto node = by_id_.extract(slot);
  node.key() = next->id_;
  node.mapped() = next;
  by_id_.insert(std::move(node));
}

void DefinitionListBase::DropIndex() {
  for (auto& entry : by_id_) {
    for (CDefinition* d = entry.second; d;) {
      d->indexed_ = false;
      d = std::exchange(d->next_same_id_, nullptr);
    }
  }
  by_id_.clear();
}

void DefinitionListBase::Rekey(CDefinition* definition, std::string_view id) {
  Unindex(definition);
  definition->id_.assign(id);
  Index(definition);
}

}  // namespace xmlsecdb

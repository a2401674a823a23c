#include "list/list_core.h"

#include "core/error_report.h"
#include "core/parser.h"
#include "list/list_enum.h"

namespace xmlsecdb {

ListCore* AsListCore(IUnknown* object) {
  void* found = nullptr;
  if (!object || Failed(object->QueryInterface(kListCoreIID, &found)) || !found) return nullptr;
  auto* list = static_cast<ListCore*>(found);
  list->list_unknown()->Release();
  return list;
}

ParserCore* ListCore::parser() const { return owner_ ? owner_->GetParser() : nullptr; }

bool ListCore::parser_has_master() const {
  ParserCore* p = parser();
  return p && p->has_master();
}

ListItemBase* ListCore::MemberAfter(ListItemBase*, std::int32_t index) { return MemberAt(index); }

HRESULT ListCore::CheckWritable(std::string_view method) const {
  ParserCore* p = parser();
  if (!p || !p->read_only()) return S_OK;
  std::string source(traits_.class_name);
  source += "::";
  source += method;
  source += "()";
  return p->CheckWritable(source);
}

HRESULT ListCore::Report(std::string_view call, int message_id, HRESULT result) const {
  std::string source(traits_.class_name);
  source += "::";
  source += call;
  return ReportError(source, *traits_.clsid, message_id, *traits_.iid, result);
}

HRESULT ListCore::ItemAt(std::int32_t index, Variant* item) {
  if (!item) return E_POINTER;
  if (index < 1) return E_INVALIDARG;
  ListItemBase* member = index <= count() ? MemberAt(index - 1) : nullptr;
  if (!member) return E_FAIL;
  *item = Variant(ComPtr<IUnknown>(member->unknown_self()));
  return S_OK;
}

HRESULT ListCore::GetCount(std::int32_t* count) const { return GetField(this->count(), count); }

HRESULT ListCore::NewEnum(IUnknown** enumerator) {
  if (!enumerator) return E_POINTER;
  *enumerator = MakeObject<ListEnumerator>(this).Detach()->unknown();
  return S_OK;
}

void ListCore::Bind(ListItemBase* item) {
  if (item->list_ == this) return;
  if (item->list_) item->list_->LeaveLoose(item);
  item->list_ = this;
  item->prev_ = nullptr;
  item->next_ = loose_;
  if (loose_) loose_->prev_ = item;
  loose_ = item;
}

void ListCore::LeaveLoose(ListItemBase* item) {
  if (item->prev_) {
    item->prev_->next_ = item->next_;
  } else {
    loose_ = item->next_;
  }
  if (item->next_) item->next_->prev_ = item->prev_;
  item->prev_ = item->next_ = nullptr;
}

void ListCore::UnbindAll() {
  while (ListItemBase* item = loose_) {
    loose_ = item->next_;
    item->list_ = nullptr;
    item->prev_ = item->next_ = nullptr;
  }
}

void ListCore::ReleaseMember(ListItemBase* item) {
  item->attached_ = false;
  item->list_ = nullptr;
  item->prev_ = item->next_ = nullptr;
  item->unknown_self()->Release();
}

void ListCore::Adopt(ListItemBase* item) {
  Bind(item);
  LeaveLoose(item);
  item->attached_ = true;
  item->unknown_self()->AddRef();
  Touch();
}

void ListCore::Disown(ListItemBase* item) {
  item->attached_ = false;
  item->prev_ = item->next_ = nullptr;
  // Bind does nothing for an item already bound here; put it back in the
  // loose chain by hand.
  item->next_ = loose_;
  if (loose_) loose_->prev_ = item;
  loose_ = item;
  Touch();
}

void ListCore::NotifyInsert(bool before, ListItemBase* item) {
  if (!owner_) return;
  IUnknown* unknown = item ? item->unknown_self() : nullptr;
  auto slot = before ? traits_.notices->before_insert : traits_.notices->after_insert;
  (owner_->*slot)(unknown);
}

void ListCore::NotifyRemove(bool before, ListItemBase* item) {
  if (!owner_) return;
  IUnknown* unknown = item ? item->unknown_self() : nullptr;
  auto slot = before ? traits_.notices->before_remove : traits_.notices->after_remove;
  (owner_->*slot)(unknown);
}

}  // namespace xmlsecdb

#include "app/app_group.h"

#include <set>
#include <utility>
#include <vector>

#include "app/app_id_lists.h"
#include "core/ascii.h"
#include "core/error_report.h"
#include "core/messages.h"
#include "core/return_if_failed.h"

namespace xmlsecdb {
namespace {

HRESULT AnswerBool(bool yes, std::int16_t* answer) {
  *answer = yes ? 1 : 0;
  return yes ? S_OK : S_FALSE;
}

}  // namespace

// --- references ---

HRESULT CRefLabel::put_Content(std::string_view content) {
  static constexpr std::string_view kSource = "CRefLabel::put_Content()";
  RETURN_IF_FAILED(CheckWritable(kSource));
  AppRepository* repo = RepositoryOf(*this);
  if (!names_group() && repo && !repo->labels()->Contains(content)) {
    return ReportError(kSource, CLSID_RefLabel, kMsgNotFound, ISimpleItem::kIID, SECDB_E_NOTFOUND);
  }
  if (content_ == content) return S_OK;
  auto* refs = static_cast<CRefLabelList*>(list());
  if (!attached() || !refs) {
    content_ = content;
    return S_OK;
  }
  // A member keeps its list's key in step with its content.
  if (refs->Contains(content)) {
    return ReportError(kReferenceKeys.duplicate_source, CLSID_RefLabelList, kMsgInvalidValue,
                       ISimpleItemList::kIID, SECDB_E_DUPLICATEID);
  }
  NotifyChange(true, AGP_LABEL_LIST);
  if (refs->Rekey(content_, content) == KeyedListCore::Rekeyed::kDone) content_ = content;
  NotifyChange(false, AGP_LABEL_LIST);
  return S_OK;
}

HRESULT CRefLabel::put_RemoveDate(double date) {
  return Store("CRefLabel::put_RemoveDate()", remove_date_, date);
}

HRESULT CRefLabel::put_AppFlags(std::uint32_t flags) {
  return Put("CRefLabel::put_Flags()", app_flags_, flags, AGP_LABEL_LIST);
}

HRESULT CRefLabelList::Insert(ISimpleItem* item) {
  if (!item) return E_POINTER;
  auto* reference = static_cast<CRefLabel*>(AsListItem(item));
  if (!reference) return E_INVALIDARG;
  if (reference->content().empty()) return E_POINTER;
  return KeyedList::Insert(item);
}

HRESULT CRefDllLabel::put_Content(std::string_view content) {
  static constexpr std::string_view kSource = "CRefDllLabel::put_Content()";
  RETURN_IF_FAILED(CheckWritable(kSource));
  AppRepository* repo = RepositoryOf(*this);
  if (repo && !repo->dll_labels()->Find(content)) {
    return ReportError(kSource, CLSID_RefDllLabel, kMsgNotFound, ISimpleItem::kIID,
                       SECDB_E_NOTFOUND);
  }
  Change(content_, std::string(content), AGP_LABEL_LIST);
  return S_OK;
}

HRESULT CRefDllLabelList::Insert(ISimpleItem* item) {
  if (!item) return E_POINTER;
  auto* reference = static_cast<CRefDllLabel*>(AsListItem(item));
  if (!reference) return E_INVALIDARG;
  if (reference->content().empty()) return Report("Insert()", kMsgNotFound, SECDB_E_NOTFOUND);
  return PlainList::Insert(item);
}

// --- GroupCore ---

template <class Refs>
std::string GroupCore<Refs>::Source(std::string_view setter) const {
  return std::string(family_.item_class) + "::" + std::string(setter);
}

template <class Refs>
template <class Groups>
HRESULT GroupCore<Refs>::PutID(std::string_view id) {
  const std::string source = Source(family_.id_setter);
  RETURN_IF_FAILED(CheckWritable(source));
  if (id.empty()) return E_POINTER;
  auto* groups = static_cast<Groups*>(list());
  if (attached() && groups && groups->Find(id)) {
    return ReportError(source, *family_.clsid, kMsgDuplicateId, *family_.iid, SECDB_E_DUPLICATEID);
  }
  Change(id_, std::string(id), AGP_ID);
  return S_OK;
}

template <class Refs>
HRESULT GroupCore<Refs>::PutDescription(std::string_view text) {
  RETURN_IF_FAILED(CheckWritable(Source("put_Description()")));
  // An empty text counts as a change whatever was there.
  if (text.empty() && attached()) {
    NotifyChange(true, AGP_DESCRIPTION);
    description_.clear();
    NotifyChange(false, AGP_DESCRIPTION);
    return S_OK;
  }
  Change(description_, std::string(text), AGP_DESCRIPTION);
  return S_OK;
}

template <class Refs>
HRESULT GroupCore<Refs>::PutUIFlags(std::string_view flags) {
  return Store(Source("put_UIFlags()"), ui_flags_, std::string(flags));
}

template <class Refs>
HRESULT GroupCore<Refs>::AddReference(std::string_view id, std::uint32_t flags) {
  ComPtr<ISimpleItem> item;
  RETURN_IF_FAILED(references_->CreateItem(item.Put()));
  if constexpr (std::is_same_v<Refs, CRefLabelList>) {
    auto* reference = static_cast<CRefLabel*>(AsListItem(item.get()));
    // A group reference is not looked up: its flag comes first.
    if (flags != 0) RETURN_IF_FAILED(reference->put_AppFlags(flags));
    RETURN_IF_FAILED(item->put_Content(id));
  } else {
    RETURN_IF_FAILED(item->put_Content(id));
  }
  return references_->Insert(item.get());
}

template class GroupCore<CRefLabelList>;
template class GroupCore<CRefDllLabelList>;

// --- CAppGroup ---

HRESULT CAppGroup::put_AppGroupID(std::string_view id) { return PutID<CAppGroupList>(id); }

HRESULT CAppGroup::put_ObjectType(std::int32_t type) {
  return Put("CAppGroup::put_ObjectType()", object_type_, type, AGP_OBJECT_TYPE);
}

HRESULT CAppGroup::AddLabelToGroup(std::string_view id) { return AddReference(id, 0); }

HRESULT CAppGroup::AddGroupToGroup(std::string_view id) {
  return AddReference(id, kGroupReference);
}

HRESULT CAppGroup::IDs(bool groups, Variant* ids) const {
  if (!ids) return E_POINTER;
  std::vector<std::string> found;
  for (const CRefLabel* reference : *references_) {
    if (reference->names_group() == groups) found.push_back(reference->content());
  }
  *ids = Variant(std::move(found));
  return S_OK;
}

HRESULT CAppGroup::RemoveReference(std::string_view id, bool group) {
  for (CRefLabel* reference : *references_) {
    if (!reference->content().empty() && reference->names_group() == group &&
        reference->content() == id) {
      return references_->Remove(reference);
    }
  }
  return S_FALSE;
}

HRESULT CAppGroup::Contain(std::string_view id, std::int16_t* found) {
  if (id.empty() || !found) return E_POINTER;
  return AnswerBool(Holds(id), found);
}

namespace {

// The depth-first walk of CanInsertGroup: false when a group reached from
// `id` names one on `path`, or a group on the way does not exist.
bool NestsWithoutCycle(const CAppGroupList& groups, std::string_view id,
                       std::vector<std::string>* path) {
  const CAppGroup* group = groups.Find(id);
  if (!group) return false;
  for (const CRefLabel* reference : *group->references()) {
    if (!reference->names_group()) continue;
    for (const std::string& on_path : *path) {
      if (on_path == reference->content()) return false;
    }
    path->push_back(reference->content());
    const bool fine = NestsWithoutCycle(groups, reference->content(), path);
    path->pop_back();
    if (!fine) return false;
  }
  return true;
}

}  // namespace

HRESULT CAppGroup::CanInsertGroup(std::string_view id, std::int16_t* can) {
  if (id.empty() || !can) return E_POINTER;
  if (EqualsIgnoringAsciiCase(id, id_)) return AnswerBool(false, can);
  auto* groups = static_cast<CAppGroupList*>(list());
  if (!groups) return AnswerBool(false, can);
  std::vector<std::string> path{id_};
  return AnswerBool(NestsWithoutCycle(*groups, id, &path), can);
}

// --- CAppGroupList ---

CAppGroup* CAppGroupList::Find(std::string_view id) const { return FindByID(*this, id); }

bool CAppGroupList::ReferencesLabel(std::string_view label_id) const {
  for (const CAppGroup* group : *this) {
    for (const CRefLabel* reference : *group->references()) {
      if (reference->content() == label_id) return true;
    }
  }
  return false;
}

HRESULT CAppGroupList::Insert(IAppGroup* group) {
  return InsertWithUniqueID<CAppGroup>(*this, group);
}

HRESULT CAppGroupList::Get(std::string_view id, IAppGroup** group) {
  if (!group) return E_POINTER;
  *group = Find(id);
  if (!*group) {
    const std::string source =
        FormatText("CAppGroupList::Get(%.*s) %s", static_cast<int>(id.size()), id.data(),
                   parser_has_master() ? "Extension" : "Master");
    return ReportError(source, CLSID_AppGroupList, kMsgNotFound, IAppGroupList::kIID,
                       SECDB_E_NOTFOUND);
  }
  (*group)->AddRef();
  return S_OK;
}

HRESULT CAppGroupList::FindLabelGroups(std::string_view label_id, Variant* ids) {
  return GroupsReferencing(*this, label_id, ids);
}

HRESULT CAppGroupList::RemoveLabelFromAllGroups(std::string_view label_id) {
  for (CAppGroup* group : *this) RETURN_IF_FAILED(group->RemoveLabelFromGroup(label_id));
  return count() > 0 ? S_OK : S_FALSE;
}

HRESULT CAppGroupList::RemoveGroupFromAllGroups(std::string_view group_id) {
  for (CAppGroup* group : *this) RETURN_IF_FAILED(group->RemoveGroupFromGroup(group_id));
  return count() > 0 ? S_OK : S_FALSE;
}

// --- CDllGroup ---

HRESULT CDllGroup::put_DllGroupID(std::string_view id) { return PutID<CDllGroupList>(id); }

HRESULT CDllGroup::GetAllLabelIDs(Variant* ids) {
  if (!ids) return E_POINTER;
  std::vector<std::string> found;
  for (const CRefDllLabel* reference : *references_) found.push_back(reference->content());
  *ids = Variant(std::move(found));
  return S_OK;
}

HRESULT CDllGroup::RemoveLabelFromGroup(std::string_view id) {
  for (CRefDllLabel* reference : *references_) {
    if (reference->content() == id) return references_->Remove(reference);
  }
  return S_FALSE;
}

HRESULT CDllGroup::Contain(std::string_view id, std::int16_t* found) {
  if (id.empty() || !found) return E_POINTER;
  for (const CRefDllLabel* reference : *references_) {
    if (!reference->content().empty() && EqualsIgnoringAsciiCase(reference->content(), id)) {
      *found = 1;
      return S_OK;
    }
  }
  return S_FALSE;
}

// --- CDllGroupList ---

CDllGroup* CDllGroupList::Find(std::string_view id) const { return FindByID(*this, id); }

HRESULT CDllGroupList::Insert(IDllGroup* group) {
  return InsertWithUniqueID<CDllGroup>(*this, group);
}

HRESULT CDllGroupList::Get(std::string_view id, IDllGroup** group) {
  if (!group) return E_POINTER;
  *group = Find(id);
  if (!*group) return Report("Get()", kMsgNotFound, SECDB_E_NOTFOUND);
  (*group)->AddRef();
  return S_OK;
}

HRESULT CDllGroupList::FindLabelGroups(std::string_view label_id, Variant* ids) {
  return GroupsReferencing(*this, label_id, ids);
}

}  // namespace xmlsecdb

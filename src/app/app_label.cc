#include "app/app_label.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "app/app_id_lists.h"
#include "core/ascii.h"
#include "core/error_report.h"
#include "core/messages.h"
#include "core/return_if_failed.h"
#include "platform/debug_log.h"
#include "platform/utf.h"
#include "xmlsecdb/classes.h"

namespace xmlsecdb {
namespace {

// The next UTF-16 unit of `text` at `at` (advancing `at`), with a-z
// folded when `fold`; a byte that is no well-formed UTF-8 counts as its own
// unit.
struct UnitReader {
  std::string_view text;
  bool fold;
  std::size_t at = 0;
  char16_t pending = 0;  // the low surrogate of a pair already begun

  bool done() const { return pending == 0 && at >= text.size(); }
  char16_t Next() {
    if (pending != 0) return std::exchange(pending, char16_t{0});
    char32_t c = 0;
    int length = DecodeUtf8Char(text.data() + at, text.data() + text.size(), &c);
    if (length == 0) {
      c = static_cast<unsigned char>(text[at]);
      length = 1;
    }
    at += static_cast<std::size_t>(length);
    if (c >= 0x10000) {
      c -= 0x10000;
      pending = static_cast<char16_t>(0xDC00 + (c & 0x3FF));
      return static_cast<char16_t>(0xD800 + (c >> 10));
    }
    if (fold && c >= 'a' && c <= 'z') c -= 'a' - 'A';
    return static_cast<char16_t>(c);
  }
};

}  // namespace

bool Utf16Less(std::string_view a, std::string_view b, bool fold) {
  // ASCII bytes are their own units: compare them as bytes, and decode
  // only from the first byte that is not ASCII on either side.
  const std::size_t n = std::min(a.size(), b.size());
  std::size_t i = 0;
  for (; i < n; ++i) {
    unsigned char p = static_cast<unsigned char>(a[i]), q = static_cast<unsigned char>(b[i]);
    if ((p | q) >= 0x80) break;
    if (fold) {
      if (p >= 'a' && p <= 'z') p -= 'a' - 'A';
      if (q >= 'a' && q <= 'z') q -= 'a' - 'A';
    }
    if (p != q) return p < q;
  }
  if (i == n) return a.size() < b.size();
  UnitReader x{a.substr(i), fold}, y{b.substr(i), fold};
  while (!x.done() && !y.done()) {
    const char16_t p = x.Next(), q = y.Next();
    if (p != q) return p < q;
  }
  return x.done() && !y.done();
}

bool NoCaseLess(std::string_view a, std::string_view b) { return Utf16Less(a, b, true); }
bool ExactLess(std::string_view a, std::string_view b) { return Utf16Less(a, b, false); }

bool TypeChecksChecksum(std::int32_t type) {
  return type == 0 || type == 3 || type == 4 || type == 5 || type == 6;
}
bool TypeChecksPath(std::int32_t type) { return type == 1 || type == 3 || type == 5; }
bool TypeChecksName(std::int32_t type) { return type == 2 || type == 4 || type == 6; }

std::string_view LastComponent(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// --- LabelCore ---

template <class Checksums>
LabelCore<Checksums>::LabelCore(const LabelFamily& family, const ListTraits& checksum_traits)
    : family_(family), checksum_traits_(checksum_traits) {}

template <class Checksums>
Checksums* LabelCore<Checksums>::checksums() const {
  if (!checksums_.get()) {
    // The label is its checksum list's owner site; making the list on
    // first use changes nothing a caller sees.
    auto* site = const_cast<LabelCore*>(this);
    checksums_.Set(MakeObject<Checksums>(static_cast<IListOwner*>(site), checksum_traits_));
  }
  return checksums_.get();
}

AppRepository* RepositoryOf(const ListItemBase& item) {
  ListCore* owner_list = item.list();
  if (!owner_list || !owner_list->owner()) return nullptr;
  if (auto* link = dynamic_cast<RepositoryLink*>(owner_list)) return link->repository_link();
  if (auto* owner_item = dynamic_cast<ListItemBase*>(owner_list->owner())) {
    return RepositoryOf(*owner_item);
  }
  return nullptr;
}

template <class Checksums>
std::string LabelCore<Checksums>::Source(std::string_view setter) const {
  return std::string(family_.item_class) + "::" + std::string(setter);
}

template <class Checksums>
HRESULT LabelCore<Checksums>::PutType(std::int32_t type) {
  return Put(Source("put_Type()"), type_, type, LP_TYPE);
}

template <class Checksums>
HRESULT LabelCore<Checksums>::PutPath(std::string_view path) {
  RETURN_IF_FAILED(CheckWritable(Source("put_Path()")));
  expanded_ = Variant();
  expansion_kept_ = false;
  Change(path_, std::string(path), LP_PATH);
  return S_OK;
}

template <class Checksums>
HRESULT LabelCore<Checksums>::PutDescription(std::string_view text) {
  return Put(Source("put_Description()"), description_, std::string(text), LP_DESCRIPTION);
}

template <class Checksums>
HRESULT LabelCore<Checksums>::CheckTypeAllowsAccess(std::string_view source) const {
  if (!family_.restricts_access_result || type_ == LT_CHECKSUM_AND_PATH ||
      type_ == LT_CHECKSUM_AND_NAME) {
    return S_OK;
  }
  return ReportError(source, *family_.clsid, kMsgWrongLabelType, *family_.iid, E_INVALIDARG);
}

template <class Checksums>
HRESULT LabelCore<Checksums>::PutAccessResult(std::int32_t result) {
  const std::string source = Source("put_BGAccessResult()");
  RETURN_IF_FAILED(CheckWritable(source));
  RETURN_IF_FAILED(CheckTypeAllowsAccess(source));
  Change(access_result_, result, LP_ACCESSRESULT);
  return S_OK;
}

template <class Checksums>
HRESULT LabelCore<Checksums>::PutAuditLevel(std::int32_t level) {
  const std::string source = Source("put_BGAuditLevel()");
  RETURN_IF_FAILED(CheckWritable(source));
  RETURN_IF_FAILED(CheckTypeAllowsAccess(source));
  Change(audit_level_, level, LP_AUDITLEVEL);
  return S_OK;
}

template <class Checksums>
HRESULT LabelCore<Checksums>::PutUIFlags(std::string_view flags) {
  return Store(Source("put_UIFlags()"), ui_flags_, std::string(flags));
}

template <class Checksums>
const Variant& LabelCore<Checksums>::PathExpanded() {
  if (expansion_kept_) return expanded_;
  const std::string cls(family_.item_class);
  AppRepository* repo = RepositoryOf(*this);
  IPathExpander* expander = repo ? repo->path_expander() : nullptr;
  if (!expander) {
    DebugLog("ZelXmlSd: %s::put_Path the Path expander is not initialized", cls.c_str());
    expanded_ = Variant();
    return expanded_;
  }
  Variant paths;
  std::int32_t expanded = 0;
  const HRESULT hr = expander->Expand(path_, &paths, &expanded);
  const std::vector<std::string>* list = paths.as_string_array();
  if (Succeeded(hr) && expanded != 0 && list) {
    if (list->empty()) {
      DebugLog(family_.falls_back_to_path
                   ? "ZelXmlSd: %s::get_PathExpanded Expanded path is empty [%s]\n"
                   : "ZelXmlSd: %s::get_PathExpanded Cannot expanded path [%s] is empty\n",
               cls.c_str(), path_.c_str());
    }
    expanded_ = std::move(paths);
    expansion_kept_ = true;
    return expanded_;
  }
  DebugLog("ZelXmlSd: %s::get_PathExpanded Cannot expand path [%s] hr=0x%08x\n", cls.c_str(),
           path_.c_str(), static_cast<unsigned>(hr));
  if (!family_.falls_back_to_path) {
    expanded_ = std::move(paths);
    return expanded_;
  }
  std::vector<std::string> original;
  if (!path_.empty()) original.push_back(path_);
  DebugLog("ZelXmlSd: %s::get_PathExpanded CreateVariant started %u\n", cls.c_str(),
           static_cast<unsigned>(original.size()));
  expanded_ = Variant(std::move(original));
  expansion_kept_ = true;
  DebugLog("ZelXmlSd: %s::get_PathExpanded set to original [%s] hr=0x%08x\n", cls.c_str(),
           path_.c_str(), static_cast<unsigned>(hr));
  return expanded_;
}

template <class Checksums>
HRESULT LabelCore<Checksums>::GetPathExpanded(Variant* paths) {
  if (!paths) return E_POINTER;
  *paths = PathExpanded();
  return S_OK;
}

template class LabelCore<CChecksumList>;
template class LabelCore<CBGChecksumList>;

// --- CLabel ---

CLabel::CLabel()
    : LabelMembers(kLabelFamily, kChecksumListTraits) {}

CSimpleValueList* CLabel::identity_redirections() const {
  if (!redirections_) redirections_ = MakeObject<CSimpleValueList>();
  return redirections_.get();
}

HRESULT CLabel::get_Type(ELabelType* type) {
  return GetField(static_cast<ELabelType>(this->type()), type);
}
HRESULT CLabel::get_BGAccessResult(EAccessResult* result) {
  return GetField(static_cast<EAccessResult>(access_result()), result);
}
HRESULT CLabel::get_BGAuditLevel(EAuditLevel* level) {
  return GetField(static_cast<EAuditLevel>(audit_level()), level);
}

HRESULT CLabel::put_LearningMode(std::int32_t mode) {
  return Put("CLabel::put_LearningMode()", learning_mode_, mode, LP_LEARNING_MODE);
}
HRESULT CLabel::put_ProcessID(std::int32_t id) {
  return Put("CLabel::put_ProcessID()", process_id_, id, LP_PROCESS_ID);
}
HRESULT CLabel::put_KnownApp(std::int32_t known) {
  return Store("CLabel::put_KnownApp()", known_app_, known);
}
HRESULT CLabel::put_AssGroup(std::string_view group) {
  return Put("CLabel::put_Group()", ass_group_, std::string(group), LP_PATH);
}
HRESULT CLabel::get_IdentityRedirectionList(ISimpleValueList** ids) {
  if (!ids) return E_POINTER;
  *ids = identity_redirections();
  (*ids)->AddRef();
  return S_OK;
}

HRESULT CLabel::put_LabelID(std::string_view id) {
  static constexpr std::string_view kSource = "CLabel::put_LabelID()";
  RETURN_IF_FAILED(CheckWritable(kSource));
  auto* labels = static_cast<CLabelList*>(list());
  if (id_.empty() || !attached() || !labels) {
    id_ = id;
    return S_OK;
  }
  auto fail = [](int message, HRESULT code) {
    return ReportError(kSource, CLSID_Label, message, ILabel::kIID, code);
  };
  if (id.empty()) return fail(kMsgInvalidValue, SECDB_E_INVALIDVALUE);
  if (labels->Contains(id)) return fail(kMsgDuplicateId, SECDB_E_DUPLICATEID);
  if (!labels->Contains(id_)) return fail(kMsgNotFound, SECDB_E_NOTFOUND);
  if (labels->Referenced(id_)) return fail(kMsgInUse, SECDB_E_INUSE);
  NotifyChange(true, LP_ID);
  if (labels->Rekey(id_, id) == KeyedListCore::Rekeyed::kDone) id_ = id;
  NotifyChange(false, LP_ID);
  return S_OK;
}

// --- CDllLabel ---

CDllLabel::CDllLabel() : LabelMembers(kDllLabelFamily, kBGChecksumListTraits) {}

HRESULT CDllLabel::get_Type(EDllLabelType* type) {
  return GetField(static_cast<EDllLabelType>(this->type()), type);
}

HRESULT CDllLabel::put_LabelID(std::string_view id) {
  static constexpr std::string_view kSource = "CDllLabel::put_LabelID()";
  RETURN_IF_FAILED(CheckWritable(kSource));
  auto* labels = static_cast<CDllLabelList*>(list());
  if (attached() && labels && labels->Find(id)) {
    return ReportError(kSource, CLSID_DllLabel, kMsgDuplicateId, IDllLabel::kIID,
                       SECDB_E_DUPLICATEID);
  }
  Change(id_, std::string(id), LP_ID);
  return S_OK;
}

// --- the lists ---

LabelListSite::LabelListSite(AppRepository* repository) : RepositoryLink(repository) {
  // A failure leaves the list without its own expander.
  (void)CoCreateInstance(CLSID_PathExpander, nullptr, kAllClassContexts, IPathExpander::kIID,
                         reinterpret_cast<void**>(expander_.Put()));
}

namespace {

template <class List>
HRESULT AllIDs(const List& labels, Variant* ids) {
  if (!ids) return E_POINTER;
  std::vector<std::string> all;
  all.reserve(static_cast<std::size_t>(labels.count()));
  for (const auto* label : labels) all.push_back(label->id());
  *ids = Variant(std::move(all));
  return S_OK;
}

}  // namespace

HRESULT CLabelList::Remove(ILabel* label) {
  if (!label) return E_POINTER;
  RETURN_IF_FAILED(CheckWritable("Remove"));
  auto* member = static_cast<CLabel*>(AsListItem(label));
  if (!member) return E_INVALIDARG;
  if (!Contains(member->id())) return Report("Remove()", kMsgNotFound, SECDB_E_NOTFOUND);
  if (Referenced(member->id())) return Report("Remove()", kMsgInUse, SECDB_E_INUSE);
  return KeyedList::Remove(label);
}

HRESULT CLabelList::Get(std::string_view id, ILabel** label) {
  if (!label) return E_POINTER;
  *label = FindItem(id);
  if (!*label) {
    const std::string source =
        FormatText("CLabelList::Get(%.*s) Count=%u %s", static_cast<int>(id.size()), id.data(),
                   static_cast<unsigned>(count()), parser_has_master() ? "Extension" : "Master");
    return ReportError(source, CLSID_LabelList, kMsgNotFound, ILabelList::kIID, SECDB_E_NOTFOUND);
  }
  (*label)->AddRef();
  return S_OK;
}

HRESULT CLabelList::GetAllLabelIDs(Variant* ids) { return AllIDs(*this, ids); }

HRESULT CDllLabelList::Insert(IDllLabel* label) {
  return InsertWithUniqueID<CDllLabel>(*this, label);
}

CDllLabel* CDllLabelList::Find(std::string_view id) const { return FindByID(*this, id); }

HRESULT CDllLabelList::Get(std::string_view id, IDllLabel** label) {
  if (!label) return E_POINTER;
  *label = Find(id);
  if (!*label) {
    const std::string source =
        FormatText("CDllLabelList::Get(%.*s)", static_cast<int>(id.size()), id.data());
    return ReportError(source, CLSID_DllLabelList, kMsgNotFound, IDllLabelList::kIID,
                       SECDB_E_NOTFOUND);
  }
  (*label)->AddRef();
  return S_OK;
}

HRESULT CDllLabelList::GetAllDllLabelIDs(Variant* ids) { return AllIDs(*this, ids); }

}  // namespace xmlsecdb

// The look-ups of the label list: which label a file (path and checksum)
// meets, finding or creating one for it, and enrolling a directory's
// executables.
#include <clocale>
#include <cwctype>
#include <set>
#include <utility>
#include <vector>

#include "app/app_group.h"
#include "app/app_label.h"
#include "core/ascii.h"
#include "core/error_report.h"
#include "core/messages.h"
#include "core/return_if_failed.h"
#include "platform/debug_log.h"
#include "platform/utf.h"
#include "xmlsecdb/classes.h"

namespace xmlsecdb {
namespace {

// The labels a failed look-up found similar to the file, in the order
// met: a selection to read (Item, Count, Get, the IDs). The labels stay
// members of the parser's list; the selection cannot be changed.
template <class ListInterface, class Label>
class SimilarSelection : public ComObject<ListInterface> {
 public:
  explicit SimilarSelection(std::vector<ComPtr<Label>> labels) : labels_(std::move(labels)) {}

  HRESULT Invoke(DISPID, const Variant*, std::uint32_t, Variant*) override {
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT get__NewEnum(IUnknown**) override { return E_NOTIMPL; }
  HRESULT get_Item(std::int32_t index, Variant* item) override {
    if (!item || index < 1 || index > Count()) return E_POINTER;
    *item = Variant(ComPtr<IUnknown>(labels_[static_cast<std::size_t>(index - 1)]->unknown()));
    return S_OK;
  }
  HRESULT get_Count(std::int32_t* count) override { return GetField(Count(), count); }
  HRESULT Clear() override { return E_NOTIMPL; }

 protected:
  template <class LabelInterface>
  HRESULT GetByID(std::string_view id, LabelInterface** label) {
    if (!label) return E_POINTER;
    *label = nullptr;
    for (const ComPtr<Label>& candidate : labels_) {
      if (EqualsIgnoringAsciiCase(candidate->id(), id)) {
        *label = candidate.get();
        (*label)->AddRef();
        return S_OK;
      }
    }
    return SECDB_E_NOTFOUND;
  }
  HRESULT IDs(Variant* ids) const {
    if (!ids) return E_POINTER;
    std::vector<std::string> all;
    for (const ComPtr<Label>& label : labels_) all.push_back(label->id());
    *ids = Variant(std::move(all));
    return S_OK;
  }

 private:
  std::int32_t Count() const { return static_cast<std::int32_t>(labels_.size()); }

  std::vector<ComPtr<Label>> labels_;
};

class CSimilarLabels final : public SimilarSelection<ILabelList, CLabel> {
 public:
  using SimilarSelection::SimilarSelection;
  HRESULT CreateLabel(ILabel**) override { return E_NOTIMPL; }
  HRESULT Insert(ILabel*) override { return E_NOTIMPL; }
  HRESULT Remove(ILabel*) override { return E_NOTIMPL; }
  HRESULT Get(std::string_view id, ILabel** label) override { return GetByID(id, label); }
  HRESULT FindLabel(std::string_view, std::string_view, ILabelList**, ILabel**) override {
    return E_NOTIMPL;
  }
  HRESULT GetAllLabelIDs(Variant* ids) override { return IDs(ids); }
  HRESULT EnrollPath(std::string_view, std::int16_t, ELabelType, EAccessResult, EAuditLevel,
                     std::string_view, std::int32_t, std::int32_t*) override {
    return E_NOTIMPL;
  }
  HRESULT GetLabel(std::string_view, std::string_view, std::int32_t, ILabel**) override {
    return E_NOTIMPL;
  }
};

class CSimilarDllLabels final : public SimilarSelection<IDllLabelList, CDllLabel> {
 public:
  using SimilarSelection::SimilarSelection;
  HRESULT CreateDllLabel(IDllLabel**) override { return E_NOTIMPL; }
  HRESULT Insert(IDllLabel*) override { return E_NOTIMPL; }
  HRESULT Remove(IDllLabel*) override { return E_NOTIMPL; }
  HRESULT Get(std::string_view id, IDllLabel** label) override { return GetByID(id, label); }
  HRESULT FindDllLabel(std::string_view, std::string_view, IDllLabelList**,
                       IDllLabel**) override {
    return E_NOTIMPL;
  }
  HRESULT GetAllDllLabelIDs(Variant* ids) override { return IDs(ids); }
  HRESULT EnrollPath(std::string_view, std::int16_t, EDllLabelType, std::int32_t, std::int32_t,
                     std::string_view, std::int32_t, std::int32_t*) override {
    return E_NOTIMPL;
  }
  HRESULT GetLabel(std::string_view, std::string_view, std::int32_t, IDllLabel**) override {
    return E_NOTIMPL;
  }
};

// A name label's path as names are compared: "::System::" reads "System".
std::string_view NameOfLabel(std::string_view path) {
  return path == "::System::" ? std::string_view("System") : path;
}

// The whole string lower-cased, as the platform lower-cases (every letter,
// not only ASCII).
std::string LowerCase(std::string_view text) {
  static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
  std::string out;
  out.reserve(text.size());
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    char32_t c = 0;
    int length = DecodeUtf8Char(p, end, &c);
    if (length == 0) {
      out.push_back(*p++);
      continue;
    }
    p += length;
    if (utf8) c = static_cast<char32_t>(towlower_l(static_cast<wint_t>(c), utf8));
    else if (c >= 'A' && c <= 'Z') c += 'a' - 'A';
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

// Each "|" alternative of `path` reduced to its last component.
std::string NamesOf(std::string_view path) {
  std::string names;
  std::size_t start = 0;
  while (true) {
    const std::size_t bar = path.find('|', start);
    const std::string_view alternative =
        path.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start);
    names += LastComponent(alternative);
    if (bar == std::string_view::npos) return names;
    names += '|';
    start = bar + 1;
  }
}

// A checksum item with these texts, through the setters (a label's
// checksum text is checked), inserted into the label's list.
template <class Label>
HRESULT AddChecksum(Label& label, std::string_view checksum, std::string_view file) {
  ComPtr<IChecksum> item;
  RETURN_IF_FAILED(label.checksums()->CreateChecksum(item.Put()));
  RETURN_IF_FAILED(item->put_Checksum(checksum));
  RETURN_IF_FAILED(item->put_FileName(file));
  return label.checksums()->Insert(item.get());
}

}  // namespace

// Collects similar labels once each, in the order met.
template <class Label>
class SimilarLabels {
 public:
  void Add(Label* label) {
    if (seen_.insert(label).second) labels_.emplace_back(label);
  }
  bool empty() const { return labels_.empty(); }
  std::vector<ComPtr<Label>> Take() { return std::move(labels_); }

 private:
  std::set<const Label*> seen_;
  std::vector<ComPtr<Label>> labels_;
};

bool CLabelList::Referenced(std::string_view id) const {
  AppRepository* repo = owner() ? repository_link() : nullptr;
  return repo && repo->groups() && repo->groups()->ReferencesLabel(id);
}

CLabel* CLabelList::Match(std::string_view path, std::string_view checksum,
                          SimilarLabels<CLabel>* similar) {
  const std::string_view name = LastComponent(path);
  for (CLabel* label : *this) {
    const std::int32_t type = label->type();
    bool checksum_holds = true;
    bool others_hold = true;
    if (TypeChecksChecksum(type)) {
      checksum_holds = false;
      for (const CChecksum* item : *label->checksums()) {
        if (EqualsIgnoringAsciiCase(LastComponent(item->file_name()), name)) similar->Add(label);
        if (EqualsIgnoringAsciiCase(item->checksum(), checksum)) {
          checksum_holds = true;
          break;
        }
      }
    }
    if (TypeChecksPath(type)) {
      bool found = false;
      const Variant& expanded = label->PathExpanded();
      if (const std::vector<std::string>* paths = expanded.as_string_array()) {
        for (const std::string& candidate : *paths) {
          if (EqualsIgnoringAsciiCase(candidate, path)) {
            found = true;
            break;
          }
        }
      }
      if (found) similar->Add(label);
      others_hold = found;
    }
    if (TypeChecksName(type)) {
      const bool found = NameOfLabel(label->path()) == name;
      if (found) similar->Add(label);
      others_hold = found;
    }
    const bool is_signed = type == LT_SIGNED_AND_PATH || type == LT_SIGNED_AND_NAME;
    if (others_hold && (checksum_holds || is_signed)) return label;
  }
  return nullptr;
}

HRESULT CLabelList::FindLabel(std::string_view path, std::string_view checksum,
                              ILabelList** similar, ILabel** label) {
  if (!similar || !label) return E_POINTER;
  *label = nullptr;
  SimilarLabels<CLabel> found_similar;
  if (CLabel* found = Match(path, checksum, &found_similar)) {
    *label = found;
    found->AddRef();
    return S_OK;
  }
  if (!found_similar.empty()) {
    *similar = MakeObject<CSimilarLabels>(found_similar.Take()).Detach();
  }
  return Report("FindLabel()", kMsgNotFound, SECDB_E_NOTFOUND);
}

namespace {

// What EnrollPath differs in between the families.
CLabel* LookUp(const CLabelList& labels, std::string_view id) { return labels.FindItem(id); }
CDllLabel* LookUp(const CDllLabelList& labels, std::string_view id) { return labels.Find(id); }
HRESULT SetGroupID(IAppGroup* group, std::string_view id) { return group->put_AppGroupID(id); }
HRESULT SetGroupID(IDllGroup* group, std::string_view id) { return group->put_DllGroupID(id); }
void SetAccess(CLabel& label, std::int32_t result, std::int32_t level) {
  (void)label.put_BGAccessResult(static_cast<EAccessResult>(result));
  (void)label.put_BGAuditLevel(static_cast<EAuditLevel>(level));
}
void SetAccess(CDllLabel& label, std::int32_t result, std::int32_t level) {
  (void)label.put_BGAccessResult(result);
  (void)label.put_BGAuditLevel(level);
}

struct EnrollRequest {
  std::string_view path;
  bool subtree;
  std::int32_t type;
  std::int32_t result;
  std::int32_t level;
  std::string_view group_id;
  std::int32_t flags;
};

// The group EnrollPath adds new labels to: fetched, or made and inserted
// (failures there leave none).
template <class GroupInterface, class Groups>
ComPtr<GroupInterface> EnrollGroup(Groups& groups, std::string_view id) {
  ComPtr<GroupInterface> group;
  if (id.empty() || Succeeded(groups.Get(id, group.Put()))) return group;
  const std::string id_text(id);
  DebugLog("ZelXmlSd: Cannot find app group %s, creating new\n", id_text.c_str());
  ComPtr<GroupInterface> created;
  if (Succeeded(groups.CreateGroup(created.Put())) && Succeeded(SetGroupID(created.get(), id)) &&
      Succeeded(groups.Insert(created.get()))) {
    return created;
  }
  return {};
}

// EnrollPath of either label list: labels for every file `tokens`
// expand to below the path, by name, with "_1", "_2", ... when the name
// is taken by a label of another file.
template <class Label, class LabelInterface, class GroupInterface, class List, class Groups>
HRESULT Enroll(List& list, Groups* groups, const EnrollRequest& request, std::string_view in_dir,
               std::string_view in_subtree, std::int32_t* count) {
  if (request.path.empty()) return E_POINTER;
  IPathExpander* expander = list.own_expander();
  if (!expander) return E_FAIL;
  ComPtr<IFileChecksum> sums;
  RETURN_IF_FAILED(CoCreateInstance(CLSID_FileChecksum, nullptr, kAllClassContexts,
                                    IFileChecksum::kIID, reinterpret_cast<void**>(sums.Put())));
  if (!groups) return E_FAIL;
  ComPtr<GroupInterface> group = EnrollGroup<GroupInterface>(*groups, request.group_id);

  const std::string pattern =
      std::string(request.path) + std::string(request.subtree ? in_subtree : in_dir);
  Variant expanded;
  std::int32_t any = 0;
  RETURN_IF_FAILED(expander->Expand(pattern, &expanded, &any));
  if (any == 0) return S_FALSE;
  const std::vector<std::string>* files = expanded.as_string_array();
  if (!files) return E_FAIL;

  const std::int32_t type = request.type;
  const bool with_checksum =
      type == LT_CHECKSUM || type == LT_CHECKSUM_AND_PATH || type == LT_CHECKSUM_AND_NAME;
  std::int32_t counted = 0;
  for (const std::string& file : *files) {
    const std::string name(LastComponent(file));
    std::string sum;
    bool have_sum = false;
    if (with_checksum) {
      if (Failed(sums->Compute(1, file, &sum))) continue;
      have_sum = true;
    }
    std::string description;
    if (Failed(expander->Describe(file, &description))) continue;

    std::string candidate = name;
    for (std::uint32_t n = 1;; ++n) {
      Label* found = LookUp(list, candidate);
      if (!found) {
        ComPtr<LabelInterface> created;
        if (Failed(list.Create(created.Put()))) break;
        auto* label = static_cast<Label*>(AsListItem(created.get()));
        (void)label->put_LabelID(candidate);
        if (!description.empty()) (void)label->put_Description(description);
        (void)label->put_Type(static_cast<ELabelType>(type));
        if (have_sum) (void)AddChecksum(*label, sum, file);
        if (TypeChecksPath(type)) (void)label->put_Path(file);
        if (TypeChecksName(type)) (void)label->put_Path(name);
        // Labels of the signed types refuse both by the type restriction.
        if (type >= LT_CHECKSUM_AND_PATH && type <= LT_SIGNED_AND_NAME) {
          SetAccess(*label, request.result, request.level);
        }
        if (Succeeded(list.Insert(label)) && group) (void)group->AddLabelToGroup(candidate);
        ++counted;
        break;
      }
      const std::int32_t t = found->type();
      bool matches = false;
      if (TypeChecksPath(t)) {
        std::string first = found->path();
        Variant paths;
        std::int32_t did = 0;
        if (Succeeded(expander->Expand(found->path(), &paths, &did)) && paths.as_string_array() &&
            !paths.as_string_array()->empty()) {
          first = paths.as_string_array()->front();
        }
        matches = EqualsIgnoringAsciiCase(first, file);
      } else if (TypeChecksName(t)) {
        matches = EqualsIgnoringAsciiCase(found->path(), name);
      }
      if ((t == LT_PATH || t == LT_NAME) && matches) {
        ++counted;
        break;
      }
      const bool compares_checksums =
          t == LT_CHECKSUM || (t >= LT_CHECKSUM_AND_PATH && t <= LT_SIGNED_AND_NAME && matches);
      if (compares_checksums) {
        if (!have_sum) have_sum = Succeeded(sums->Compute(1, file, &sum));
        if (have_sum && found->checksums()->Holds(sum)) {
          ++counted;
          break;
        }
        if (have_sum && ((request.flags & 1) != 0 || t == LT_CHECKSUM_AND_PATH)) {
          (void)AddChecksum(*found, sum, file);
          ++counted;
          break;
        }
      }
      candidate = name + "_" + std::to_string(n);
    }
  }
  if (count) *count = counted;
  return S_OK;
}

// The N of an ID "<base>_N" (N written as "%d" writes it, 1 or more);
// 0 for any other ID.
std::size_t SuffixNumber(std::string_view id, std::string_view base) {
  if (id.size() <= base.size() + 1 || !id.starts_with(base) || id[base.size()] != '_') return 0;
  const std::string_view digits = id.substr(base.size() + 1);
  if (digits.size() > 9 || digits[0] == '0') return 0;
  std::size_t n = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + static_cast<std::size_t>(c - '0');
  }
  return n;
}

// The ID GetLabel gives a new label: the lower-cased names of the path,
// or the first of "%s_%d" with 1, 2, 3, ... that no label has (IDs
// compared lower-cased). One pass over the labels: the numbers taken
// among the first `size` are marked, and the first unmarked one is free.
template <class List>
std::string NewLabelID(const List& list, const std::string& name) {
  const std::string base = LowerCase(name);
  bool base_taken = false;
  std::vector<bool> taken(static_cast<std::size_t>(list.count()) + 2, false);
  for (const auto* member : list) {
    const std::string id = LowerCase(member->id());
    if (id == base) {
      base_taken = true;
    } else if (const std::size_t n = SuffixNumber(id, base); n != 0 && n < taken.size()) {
      taken[n] = true;
    }
  }
  if (!base_taken) return base;
  std::size_t n = 1;
  while (taken[n]) ++n;
  return FormatText("%s_%zu", base.c_str(), n);
}

// What GetLabel differs in between the families: the line for a label
// found, what a found label takes, which ends are logged, and how a new
// label is filled in.
struct LabelGetter {
  using List = CLabelList;
  using Label = CLabel;
  using Interface = ILabel;
  static constexpr const char* kExists = "ZelXmlSd: CLabelList: GetLabel End LabelExists %s\n";
  static constexpr bool kLogsEveryEnd = true;

  static HRESULT Create(CLabelList& list, ILabel** label) { return list.CreateLabel(label); }
  // A signed label takes the file's checksum when it lacks it.
  static void Found(CLabel& found, std::string_view checksum, std::string_view path) {
    if ((found.type() == LT_SIGNED_AND_PATH || found.type() == LT_SIGNED_AND_NAME) &&
        !found.checksums()->Holds(checksum)) {
      (void)AddChecksum(found, checksum, path);
    }
  }
  // The type the flags ask for (plain checksum when they name none), the
  // path or its names, and the checksum unless the type checks none.
  static HRESULT Fill(CLabel& item, std::int32_t wanted, std::string_view path,
                      const std::string& name, std::string_view checksum) {
    switch (wanted) {
      case LT_PATH:
      case LT_CHECKSUM_AND_PATH:
      case LT_SIGNED_AND_PATH:
        RETURN_IF_FAILED(item.put_Type(static_cast<ELabelType>(wanted)));
        RETURN_IF_FAILED(item.put_Path(path));
        break;
      case LT_NAME:
      case LT_CHECKSUM_AND_NAME:
      case LT_SIGNED_AND_NAME:
        RETURN_IF_FAILED(item.put_Type(static_cast<ELabelType>(wanted)));
        RETURN_IF_FAILED(item.put_Path(name));
        break;
      default:
        RETURN_IF_FAILED(item.put_Type(LT_CHECKSUM));
        break;
    }
    if (wanted != LT_PATH && wanted != LT_NAME) RETURN_IF_FAILED(AddChecksum(item, checksum, path));
    return S_OK;
  }
};

struct DllLabelGetter {
  using List = CDllLabelList;
  using Label = CDllLabel;
  using Interface = IDllLabel;
  static constexpr const char* kExists = "ZelXmlSd: LabelExists %s\n";
  static constexpr bool kLogsEveryEnd = false;

  static HRESULT Create(CDllLabelList& list, IDllLabel** label) {
    return list.CreateDllLabel(label);
  }
  static void Found(CDllLabel&, std::string_view, std::string_view) {}
  // Types outside 0..6 read as plain checksum; only the checksum types
  // keep the file's checksum.
  static HRESULT Fill(CDllLabel& item, std::int32_t wanted, std::string_view path,
                      const std::string& name, std::string_view checksum) {
    const std::int32_t type = wanted < LT_CHECKSUM || wanted > LT_SIGNED_AND_NAME ? LT_CHECKSUM
                                                                                  : wanted;
    RETURN_IF_FAILED(item.put_Type(static_cast<EDllLabelType>(type)));
    if (TypeChecksPath(type)) RETURN_IF_FAILED(item.put_Path(path));
    if (TypeChecksName(type)) RETURN_IF_FAILED(item.put_Path(name));
    if (type == LT_CHECKSUM || type == LT_CHECKSUM_AND_PATH || type == LT_CHECKSUM_AND_NAME) {
      RETURN_IF_FAILED(AddChecksum(item, checksum, path));
    }
    return S_OK;
  }
};

// GetLabel of either label list: the label the file meets, or with
// LT_CREATE a new one named after the path's names, inserted and handed
// out (even when the insertion failed).
template <class Getter>
HRESULT GetOrCreateLabel(typename Getter::List& list, std::string_view path,
                         std::string_view checksum, std::int32_t flags,
                         typename Getter::Interface** label) {
  using Label = typename Getter::Label;
  if (path.empty() || !label) return E_POINTER;
  *label = nullptr;
  const std::string path_text(path);
  DebugLog("ZelXmlSd: CLabelList: GetLabel Start %s\n", path_text.c_str());
  SimilarLabels<Label> ignored;
  if (Label* found = list.Match(path, checksum, &ignored)) {
    Getter::Found(*found, checksum, path);
    DebugLog(Getter::kExists, found->id().c_str());
    *label = found;
    found->AddRef();
    return S_OK;
  }
  if ((flags & LT_CREATE) == 0) {
    DebugLog("ZelXmlSd: CLabelList: GetLabel End S_FALSE %s\n", path_text.c_str());
    return S_FALSE;
  }
  const std::string name = NamesOf(path);
  const std::string id = NewLabelID(list, name);
  if (id.empty()) {
    if (Getter::kLogsEveryEnd) {
      DebugLog("ZelXmlSd: CLabelList: GetLabel End S_FALSE %s\n", path_text.c_str());
    }
    return S_FALSE;
  }
  ComPtr<typename Getter::Interface> created;
  HRESULT hr = Getter::Create(list, created.Put());
  if (Failed(hr)) {
    if (Getter::kLogsEveryEnd) {
      DebugLog("ZelXmlSd: CLabelList: GetLabel End 0x%08x %s\n", static_cast<unsigned>(hr),
               path_text.c_str());
    }
    return hr;
  }
  auto* item = static_cast<Label*>(AsListItem(created.get()));
  RETURN_IF_FAILED(item->put_LabelID(id));
  RETURN_IF_FAILED(Getter::Fill(*item, flags & 0xFF, path, name, checksum));
  hr = list.Insert(item);
  DebugLog("ZelXmlSd: CLabelList: GetLabel End 0x%08x %s\n", static_cast<unsigned>(hr),
           id.c_str());
  *label = created.Detach();
  return hr;
}

}  // namespace

HRESULT CLabelList::GetLabel(std::string_view path, std::string_view checksum, std::int32_t flags,
                             ILabel** label) {
  return GetOrCreateLabel<LabelGetter>(*this, path, checksum, flags, label);
}

HRESULT CDllLabelList::GetLabel(std::string_view path, std::string_view checksum,
                                std::int32_t flags, IDllLabel** label) {
  return GetOrCreateLabel<DllLabelGetter>(*this, path, checksum, flags, label);
}

HRESULT CLabelList::EnrollPath(std::string_view path, std::int16_t subtree, ELabelType type,
                               EAccessResult result, EAuditLevel level,
                               std::string_view group_id, std::int32_t flags,
                               std::int32_t* count) {
  AppRepository* repo = owner() ? repository_link() : nullptr;
  return Enroll<CLabel, ILabel, IAppGroup>(
      *this, repo ? repo->groups() : nullptr,
      {path, subtree != 0, type, result, level, group_id, flags}, "%AllExecutablesInDir%",
      "%AllExecutablesInSubTree%", count);
}

HRESULT CDllLabelList::EnrollPath(std::string_view path, std::int16_t subtree,
                                  EDllLabelType type, std::int32_t result, std::int32_t level,
                                  std::string_view group_id, std::int32_t flags,
                                  std::int32_t* count) {
  AppRepository* repo = owner() ? repository_link() : nullptr;
  return Enroll<CDllLabel, IDllLabel, IDllGroup>(
      *this, repo ? repo->dll_groups() : nullptr,
      {path, subtree != 0, type, result, level, group_id, flags}, "%AllDllsInDir%",
      "%AllDllsInSubTree%", count);
}

HRESULT CDllLabelList::FindDllLabel(std::string_view path, std::string_view checksum,
                                    IDllLabelList** similar, IDllLabel** label) {
  if (!similar || !label) return E_POINTER;
  *label = nullptr;
  ComPtr<IPathExpander> expander;
  RETURN_IF_FAILED(CoCreateInstance(CLSID_PathExpander, nullptr, kAllClassContexts,
                                    IPathExpander::kIID,
                                    reinterpret_cast<void**>(expander.Put())));
  SimilarLabels<CDllLabel> found_similar;
  if (CDllLabel* found = Match(path, checksum, &found_similar)) {
    *label = found;
    found->AddRef();
    return S_OK;
  }
  if (!found_similar.empty()) {
    *similar = MakeObject<CSimilarDllLabels>(found_similar.Take()).Detach();
  }
  return Report("FindDllLabel()", kMsgNotFound, SECDB_E_NOTFOUND);
}

CDllLabel* CDllLabelList::Match(std::string_view path, std::string_view checksum,
                                SimilarLabels<CDllLabel>* similar) {
  const std::string_view name = LastComponent(path);
  CDllLabel* by_path = nullptr;
  CDllLabel* by_name = nullptr;
  for (CDllLabel* candidate : *this) {
    const std::int32_t type = candidate->type();
    if (type == LT_CHECKSUM || type == LT_CHECKSUM_AND_PATH || type == LT_CHECKSUM_AND_NAME) {
      for (const CBGChecksum* item : *candidate->checksums()) {
        if (EqualsIgnoringAsciiCase(LastComponent(item->file_name()), name)) {
          similar->Add(candidate);
        }
        if (EqualsIgnoringAsciiCase(item->checksum(), checksum)) return candidate;
      }
    } else if (type == LT_PATH || type == LT_SIGNED_AND_PATH) {
      if (by_path) continue;
      const Variant& expanded = candidate->PathExpanded();
      if (const std::vector<std::string>* paths = expanded.as_string_array()) {
        for (const std::string& one : *paths) {
          if (EqualsIgnoringAsciiCase(one, path)) {
            by_path = candidate;
            break;
          }
        }
      }
    } else if ((type == LT_NAME || type == LT_SIGNED_AND_NAME) &&
               NameOfLabel(candidate->path()) == name) {
      by_name = candidate;
      break;
    }
  }
  return by_path ? by_path : by_name;
}

}  // namespace xmlsecdb

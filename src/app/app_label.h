// Labels and DLL labels: one item core for both families, with their
// differences as a LabelFamily (class names, the access-result type
// restriction, what a failed expansion gives), and two lists — CLabelList
// keyed in NoCaseLess order, CDllLabelList in insertion order.
//
// A label reaches its parser's path expander and groups through its list
// (AppRepository); once its list has gone it reaches nothing and behaves
// as a detached label: writable, silent, with no expansion.
#ifndef XMLSECDB_APP_APP_LABEL_H_
#define XMLSECDB_APP_APP_LABEL_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "app/app_checksum.h"
#include "app/app_dispatch.h"
#include "app/app_repository.h"
#include "list/keyed_list.h"
#include "list/owned.h"
#include "list/plain_list.h"
#include "model/value_list.h"
#include "platform/agent_classes.h"
#include "xmlsecdb/app.h"

namespace xmlsecdb {

inline constexpr CLSID CLSID_Label = MakeGuid("{5EC0DB00-0E14-4000-8000-5EC0DB000E14}");
inline constexpr CLSID CLSID_LabelList = MakeGuid("{5EC0DB00-0E15-4000-8000-5EC0DB000E15}");
inline constexpr CLSID CLSID_DllLabel = MakeGuid("{5EC0DB00-0E16-4000-8000-5EC0DB000E16}");
inline constexpr CLSID CLSID_DllLabelList = MakeGuid("{5EC0DB00-0E17-4000-8000-5EC0DB000E17}");

// The label key order: UTF-16 units compared in full, with only the ASCII
// letters a-z folded to A-Z; a proper prefix sorts first. (Reducing every
// unit to its low 8 bits, as the old order did, made distinct non-ASCII IDs
// one key: "ũ" and "i".) For ASCII IDs the order is unchanged.
bool NoCaseLess(std::string_view a, std::string_view b);
// The same order without any folding: group references.
bool ExactLess(std::string_view a, std::string_view b);

struct LabelFamily {
  std::string_view item_class;  // "CLabel", the first half of setter sources
  const CLSID* clsid;
  const IID* iid;
  // BGAccessResult and BGAuditLevel only for checksum-and-path/name types.
  bool restricts_access_result;
  // A failed expansion gives the unexpanded path (else the expander's
  // answer as it came).
  bool falls_back_to_path;
};

inline constexpr LabelFamily kLabelFamily = {"CLabel", &CLSID_Label, &ILabel::kIID, true, true};
inline constexpr LabelFamily kDllLabelFamily = {"CDllLabel", &CLSID_DllLabel, &IDllLabel::kIID,
                                                false, false};

// Which conditions a label type sets on a look-up.
bool TypeChecksChecksum(std::int32_t type);  // 0, 3, 4, 5, 6
bool TypeChecksPath(std::int32_t type);      // 1, 3, 5
bool TypeChecksName(std::int32_t type);      // 2, 4, 6
// The part of `path` after its last "/" (the whole path without one).
std::string_view LastComponent(std::string_view path);

template <class Label>
class SimilarLabels;

// The repository the list of `item` reaches (through a reference list's
// group when the list is one), or nullptr once a list or site has gone.
AppRepository* RepositoryOf(const ListItemBase& item);

// What labels and DLL labels share. It is its checksum list's owner site.
template <class Checksums>
class LabelCore : public ListItemBase, public IListOwner {
 public:
  const std::string& id() const { return id_; }
  const std::string& key() const { return id_; }
  std::int32_t type() const { return type_; }
  const std::string& path() const { return path_; }
  const std::string& description() const { return description_; }
  std::int32_t access_result() const { return access_result_; }
  std::int32_t audit_level() const { return audit_level_; }
  const std::string& ui_flags() const { return ui_flags_; }
  // Made on first use: most labels check no checksum.
  Checksums* checksums() const;
  // The checksums, or nullptr when the label never had a list.
  const Checksums* checksums_if_any() const { return checksums_.get(); }

  // For loaders: set directly, no guard, no events, no restriction.
  void set_id(std::string_view id) { id_ = id; }
  void set_type(std::int32_t type) { type_ = type; }
  void set_path(std::string_view path) {
    path_ = path;
    expanded_ = Variant();
    expansion_kept_ = false;
  }
  void set_description(std::string_view text) { description_ = text; }
  void set_access(std::int32_t result, std::int32_t level) {
    access_result_ = result;
    audit_level_ = level;
  }
  void set_ui_flags(std::string_view flags) { ui_flags_ = flags; }

  // The expanded path as get_PathExpanded gives it (an empty variant when
  // nothing can be had). Valid until the next call or path change: the
  // look-ups walk every label's paths without copying them.
  const Variant& PathExpanded();

  // The checksum list's site: every notice is a change of this label.
  void MarkModified() override {}
  ParserCore* GetParser() override { return parser(); }
  void BeforeInsert(IUnknown*) override { NotifyChange(true, LP_CHECKSUMS); }
  void AfterInsert(IUnknown*) override { NotifyChange(false, LP_CHECKSUMS); }
  void BeforeRemove(IUnknown*) override { NotifyChange(true, LP_CHECKSUMS); }
  void AfterRemove(IUnknown*) override { NotifyChange(false, LP_CHECKSUMS); }
  void BeforeChange(IUnknown*, std::int32_t) override { NotifyChange(true, LP_CHECKSUMS); }
  void AfterChange(IUnknown*, std::int32_t) override { NotifyChange(false, LP_CHECKSUMS); }

 protected:
  LabelCore(const LabelFamily& family, const ListTraits& checksum_traits);
  ~LabelCore() = default;

  std::string Source(std::string_view setter) const;

  HRESULT PutType(std::int32_t type);
  HRESULT PutPath(std::string_view path);
  HRESULT PutDescription(std::string_view text);
  HRESULT PutAccessResult(std::int32_t result);
  HRESULT PutAuditLevel(std::int32_t level);
  HRESULT PutUIFlags(std::string_view flags);
  HRESULT GetPathExpanded(Variant* paths);

  const LabelFamily& family_;
  std::string id_;

 private:
  HRESULT CheckTypeAllowsAccess(std::string_view source) const;

  std::int32_t type_ = LT_PATH;
  std::string path_;
  Variant expanded_;
  // Whether expanded_ is the kept expansion (else the last answer, asked
  // again next time).
  bool expansion_kept_ = false;
  const ListTraits& checksum_traits_;
  mutable Owned<Checksums> checksums_;
  std::string description_;
  std::int32_t access_result_ = AR_ALLOW;
  std::int32_t audit_level_ = 0;
  std::string ui_flags_;
};

// The members labels and DLL labels answer alike, over the family's
// interface; the type and the access fields differ in their types and stay
// with each class.
template <class Checksums, class Interface, class TypeEnum>
class LabelMembers : public ItemObject<LabelCore<Checksums>, Interface> {
 public:
  HRESULT get_LabelID(std::string* id) override { return GetField(this->id_, id); }
  HRESULT put_Type(TypeEnum type) override { return this->PutType(type); }
  HRESULT get_Path(std::string* path) override { return GetField(this->path(), path); }
  HRESULT put_Path(std::string_view path) override { return this->PutPath(path); }
  HRESULT get_ChecksumList(IChecksumList** checksums) override {
    return GetOwned(this->checksums(), checksums);
  }
  HRESULT get_Description(std::string* text) override {
    return GetField(this->description(), text);
  }
  HRESULT put_Description(std::string_view text) override { return this->PutDescription(text); }
  HRESULT get_UIFlags(std::string* flags) override { return GetField(this->ui_flags(), flags); }
  HRESULT put_UIFlags(std::string_view flags) override { return this->PutUIFlags(flags); }
  HRESULT get_PathExpanded(Variant* paths) override { return this->GetPathExpanded(paths); }

 protected:
  LabelMembers(const LabelFamily& family, const ListTraits& checksum_traits)
      : ItemObject<LabelCore<Checksums>, Interface>(family, checksum_traits) {}
};

class CLabel final : public LabelMembers<CChecksumList, ILabel, ELabelType> {
 public:
  CLabel();

  HRESULT put_LabelID(std::string_view id) override;
  HRESULT get_Type(ELabelType* type) override;
  HRESULT get_BGAccessResult(EAccessResult* result) override;
  HRESULT put_BGAccessResult(EAccessResult result) override { return PutAccessResult(result); }
  HRESULT get_BGAuditLevel(EAuditLevel* level) override;
  HRESULT put_BGAuditLevel(EAuditLevel level) override { return PutAuditLevel(level); }
  HRESULT get_LearningMode(std::int32_t* mode) override { return GetField(learning_mode_, mode); }
  HRESULT put_LearningMode(std::int32_t mode) override;
  HRESULT get_ProcessID(std::int32_t* id) override { return GetField(process_id_, id); }
  HRESULT put_ProcessID(std::int32_t id) override;
  HRESULT get_KnownApp(std::int32_t* known) override { return GetField(known_app_, known); }
  HRESULT put_KnownApp(std::int32_t known) override;
  HRESULT get_IdentityRedirectionList(ISimpleValueList** ids) override;
  HRESULT get_AssGroup(std::string* group) override { return GetField(ass_group_, group); }
  HRESULT put_AssGroup(std::string_view group) override;

  std::int32_t learning_mode() const { return learning_mode_; }
  std::int32_t process_id() const { return process_id_; }
  std::int32_t known_app() const { return known_app_; }
  const std::string& ass_group() const { return ass_group_; }
  // Made on first use: most labels redirect nothing.
  CSimpleValueList* identity_redirections() const;
  // The redirection IDs, or nullptr when the label never had a list.
  const CSimpleValueList* identity_redirections_if_any() const { return redirections_.get(); }
  void set_marks(std::int32_t learning_mode, std::int32_t known_app, std::int32_t process_id) {
    learning_mode_ = learning_mode;
    known_app_ = known_app;
    process_id_ = process_id;
  }
  void set_ass_group(std::string_view group) { ass_group_ = group; }

 private:
  std::int32_t learning_mode_ = 0;
  std::int32_t process_id_ = 0;
  std::int32_t known_app_ = 0;
  mutable ComPtr<CSimpleValueList> redirections_;
  std::string ass_group_;
};

class CDllLabel final : public LabelMembers<CBGChecksumList, IDllLabel, EDllLabelType> {
 public:
  CDllLabel();

  HRESULT put_LabelID(std::string_view id) override;
  HRESULT get_Type(EDllLabelType* type) override;
  HRESULT get_BGAccessResult(std::int32_t* result) override {
    return GetField(access_result(), result);
  }
  HRESULT put_BGAccessResult(std::int32_t result) override { return PutAccessResult(result); }
  HRESULT get_BGAuditLevel(std::int32_t* level) override { return GetField(audit_level(), level); }
  HRESULT put_BGAuditLevel(std::int32_t level) override { return PutAuditLevel(level); }
};

inline constexpr KeyedListConfig kLabelKeys = {.less = &NoCaseLess};
inline constexpr ListEventIds kLabelEvents = {.before_insert = DISPID_OnBeforeLabelInserted,
                                              .after_insert = DISPID_OnAfterLabelInserted,
                                              .before_remove = DISPID_OnBeforeLabelRemoved,
                                              .after_remove = DISPID_OnAfterLabelRemoved,
                                              .before_change = DISPID_OnBeforeLabelChanged,
                                              .after_change = DISPID_OnAfterLabelChanged,
                                              .change_marks_modified = false};
inline constexpr ListEventIds kDllLabelEvents = {.before_insert = DISPID_OnBeforeDllLabelInserted,
                                                 .after_insert = DISPID_OnAfterDllLabelInserted,
                                                 .before_remove = DISPID_OnBeforeDllLabelRemoved,
                                                 .after_remove = DISPID_OnAfterDllLabelRemoved,
                                                 .before_change = DISPID_OnBeforeDllLabelChanged,
                                                 .after_change = DISPID_OnAfterDllLabelChanged,
                                                 .change_marks_modified = false};
inline constexpr ListTraits kLabelListTraits = {.class_name = "CLabelList",
                                                .create_name = "CreateLabel",
                                                .clsid = &CLSID_LabelList,
                                                .iid = &ILabelList::kIID,
                                                .keys = &kLabelKeys};
inline constexpr ListTraits kDllLabelListTraits = {.class_name = "CDllLabelList",
                                                   .create_name = "CreateDllLabel",
                                                   .clsid = &CLSID_DllLabelList,
                                                   .iid = &IDllLabelList::kIID};

// What both label lists share: the repository and the list's own path
// expander (created with the list; none when creation failed).
class LabelListSite : public RepositoryLink {
 public:
  IPathExpander* own_expander() const { return expander_.get(); }

 protected:
  explicit LabelListSite(AppRepository* repository);

 private:
  ComPtr<IPathExpander> expander_;
};

class CLabelList final : public KeyedList<ILabelList, CLabel, ILabel>, public LabelListSite {
 public:
  CLabelList(IListOwner* parser, AppRepository* repository)
      : KeyedList(parser, kLabelListTraits), LabelListSite(repository) {}

  HRESULT CreateLabel(ILabel** label) override { return Create(label); }
  HRESULT Insert(ILabel* label) override { return KeyedList::Insert(label); }
  HRESULT Remove(ILabel* label) override;
  HRESULT Get(std::string_view id, ILabel** label) override;
  HRESULT Clear() override { return ClearMembers(); }
  HRESULT FindLabel(std::string_view path, std::string_view checksum, ILabelList** similar,
                    ILabel** label) override;
  HRESULT GetAllLabelIDs(Variant* ids) override;
  HRESULT EnrollPath(std::string_view path, std::int16_t subtree, ELabelType type,
                     EAccessResult result, EAuditLevel level, std::string_view group_id,
                     std::int32_t flags, std::int32_t* count) override;
  HRESULT GetLabel(std::string_view path, std::string_view checksum, std::int32_t flags,
                   ILabel** label) override;

  // Whether an application group of the parser references `id`.
  bool Referenced(std::string_view id) const;
  // The first label whose conditions `path` and `checksum` meet, or
  // nullptr; the labels that resembled the file are added to `similar`.
  CLabel* Match(std::string_view path, std::string_view checksum, SimilarLabels<CLabel>* similar);
};

class CDllLabelList final : public PlainList<IDllLabelList, CDllLabel, IDllLabel>,
                            public LabelListSite {
 public:
  CDllLabelList(IListOwner* parser, AppRepository* repository)
      : PlainList(parser, kDllLabelListTraits), LabelListSite(repository) {}

  HRESULT CreateDllLabel(IDllLabel** label) override { return Create(label); }
  HRESULT Insert(IDllLabel* label) override;
  HRESULT Remove(IDllLabel* label) override { return PlainList::Remove(label); }
  HRESULT Get(std::string_view id, IDllLabel** label) override;
  HRESULT Clear() override { return ClearMembers(); }
  HRESULT FindDllLabel(std::string_view path, std::string_view checksum, IDllLabelList** similar,
                       IDllLabel** label) override;
  HRESULT GetAllDllLabelIDs(Variant* ids) override;
  HRESULT EnrollPath(std::string_view path, std::int16_t subtree, EDllLabelType type,
                     std::int32_t result, std::int32_t level, std::string_view group_id,
                     std::int32_t flags, std::int32_t* count) override;
  HRESULT GetLabel(std::string_view path, std::string_view checksum, std::int32_t flags,
                   IDllLabel** label) override;

  // The first member whose ID equals `id` ignoring ASCII case, or nullptr.
  CDllLabel* Find(std::string_view id) const;
  // As FindDllLabel without its expander test and failure record.
  CDllLabel* Match(std::string_view path, std::string_view checksum,
                   SimilarLabels<CDllLabel>* similar);
  // A loader's insertion: appended without the duplicate test.
  [[nodiscard]] HRESULT AppendLoaded(CDllLabel* label) { return InsertMember(label); }
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_APP_APP_LABEL_H_

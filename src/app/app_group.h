// Application groups and DLL groups with their references. One group core
// serves both families (ID, description, console flags, the reference list
// whose changes are changes of the group); the families differ in their
// reference lists — an application group's is keyed by content in exact
// order and holds label and group references in one key space, a DLL
// group's is a vector of DLL label references that allows duplicates.
#ifndef XMLSECDB_APP_APP_GROUP_H_
#define XMLSECDB_APP_APP_GROUP_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "app/app_dispatch.h"
#include "app/app_label.h"
#include "app/app_repository.h"
#include "list/keyed_list.h"
#include "list/owned.h"
#include "list/plain_list.h"
#include "xmlsecdb/app.h"

namespace xmlsecdb {

inline constexpr CLSID CLSID_AppGroup = MakeGuid("{5EC0DB00-0E18-4000-8000-5EC0DB000E18}");
inline constexpr CLSID CLSID_AppGroupList = MakeGuid("{5EC0DB00-0E19-4000-8000-5EC0DB000E19}");
inline constexpr CLSID CLSID_RefLabel = MakeGuid("{5EC0DB00-0E1A-4000-8000-5EC0DB000E1A}");
inline constexpr CLSID CLSID_RefLabelList = MakeGuid("{5EC0DB00-0E1B-4000-8000-5EC0DB000E1B}");
inline constexpr CLSID CLSID_DllGroup = MakeGuid("{5EC0DB00-0E1C-4000-8000-5EC0DB000E1C}");
inline constexpr CLSID CLSID_DllGroupList = MakeGuid("{5EC0DB00-0E1D-4000-8000-5EC0DB000E1D}");
inline constexpr CLSID CLSID_RefDllLabel = MakeGuid("{5EC0DB00-0E1E-4000-8000-5EC0DB000E1E}");
inline constexpr CLSID CLSID_RefDllLabelList =
    MakeGuid("{5EC0DB00-0E1F-4000-8000-5EC0DB000E1F}");

// A group's ObjectType when the file names none.
inline constexpr std::int32_t kDefaultGroupObjectType = 0x205DF;

// AppFlags bit 0: the reference names a group.
inline constexpr std::uint32_t kGroupReference = 0x1;

// --- references ---

class CRefLabel final : public ItemObject<ListItemBase, ISimpleItem, IAppGroupLabel> {
 public:
  HRESULT get_Content(std::string* content) override { return GetField(content_, content); }
  // A label reference must name a label of the parser (107); a member is
  // moved to its new key (a taken key fails as Insert does).
  HRESULT put_Content(std::string_view content) override;
  HRESULT get_RemoveDate(double* date) override { return GetField(remove_date_, date); }
  HRESULT put_RemoveDate(double date) override;
  HRESULT get_AppFlags(std::uint32_t* flags) override { return GetField(app_flags_, flags); }
  HRESULT put_AppFlags(std::uint32_t flags) override;

  const std::string& key() const { return content_; }
  const std::string& content() const { return content_; }
  double remove_date() const { return remove_date_; }
  std::uint32_t app_flags() const { return app_flags_; }
  bool names_group() const { return (app_flags_ & kGroupReference) != 0; }
  // For loaders: no look-up, no events.
  void set_fields(std::string_view content, std::uint32_t flags, double date) {
    content_ = content;
    app_flags_ = flags;
    remove_date_ = date;
  }

 private:
  std::string content_;
  double remove_date_ = 0.0;
  std::uint32_t app_flags_ = 0;
};

inline constexpr KeyedListConfig kReferenceKeys = {.less = &ExactLess,
                                                   .duplicate_message = kMsgInvalidValue,
                                                   .duplicate_source = "CSimpleItemMap::Insert()"};
inline constexpr ListTraits kRefLabelListTraits = {.class_name = "CRefLabelList",
                                                   .create_name = "CreateItem",
                                                   .clsid = &CLSID_RefLabelList,
                                                   .iid = &ISimpleItemList::kIID,
                                                   .keys = &kReferenceKeys};

class CRefLabelList final : public KeyedList<ISimpleItemList, CRefLabel, ISimpleItem> {
 public:
  explicit CRefLabelList(IListOwner* group) : KeyedList(group, kRefLabelListTraits) {}

  HRESULT CreateItem(ISimpleItem** item) override { return Create(item); }
  // E_POINTER for an item with empty content.
  HRESULT Insert(ISimpleItem* item) override;
  HRESULT Remove(ISimpleItem* item) override { return KeyedList::Remove(item); }
  HRESULT Clear() override { return ClearMembers(); }
};

class CRefDllLabel final : public ItemObject<ListItemBase, ISimpleItem> {
 public:
  HRESULT get_Content(std::string* content) override { return GetField(content_, content); }
  // Must name a DLL label of the parser (107).
  HRESULT put_Content(std::string_view content) override;

  const std::string& content() const { return content_; }
  void set_content(std::string_view content) { content_ = content; }

 private:
  std::string content_;
};

inline constexpr ListTraits kRefDllLabelListTraits = {.class_name = "CRefDllLabelList",
                                                      .create_name = "CreateItem",
                                                      .clsid = &CLSID_RefDllLabelList,
                                                      .iid = &ISimpleItemList::kIID};

class CRefDllLabelList final : public PlainList<ISimpleItemList, CRefDllLabel, ISimpleItem> {
 public:
  explicit CRefDllLabelList(IListOwner* group) : PlainList(group, kRefDllLabelListTraits) {}

  HRESULT CreateItem(ISimpleItem** item) override { return Create(item); }
  // Appends, duplicates too; 107 for an item with empty content.
  HRESULT Insert(ISimpleItem* item) override;
  HRESULT Remove(ISimpleItem* item) override { return PlainList::Remove(item); }
  HRESULT Clear() override { return ClearMembers(); }
};

// --- groups ---

struct GroupFamily {
  std::string_view item_class;  // "CAppGroup"
  std::string_view id_setter;   // "put_AppGroupID()"
  const CLSID* clsid;
  const IID* iid;
};

inline constexpr GroupFamily kAppGroupFamily = {"CAppGroup", "put_AppGroupID()", &CLSID_AppGroup,
                                                &IAppGroup::kIID};
inline constexpr GroupFamily kDllGroupFamily = {"CDllGroup", "put_DllGroupID()", &CLSID_DllGroup,
                                                &IDllGroup::kIID};

// What both groups share; it is its reference list's owner site, and every
// notice of that list is a change of the group (AGP_LABEL_LIST).
template <class Refs>
class GroupCore : public ListItemBase, public IListOwner {
 public:
  const std::string& id() const { return id_; }
  const std::string& description() const { return description_; }
  const std::string& ui_flags() const { return ui_flags_; }
  Refs* references() const { return references_.get(); }
  void set_texts(std::string_view id, std::string_view description, std::string_view flags) {
    id_ = id;
    description_ = description;
    ui_flags_ = flags;
  }

  void MarkModified() override {}
  ParserCore* GetParser() override { return parser(); }
  void BeforeInsert(IUnknown*) override { NotifyChange(true, AGP_LABEL_LIST); }
  void AfterInsert(IUnknown*) override { NotifyChange(false, AGP_LABEL_LIST); }
  void BeforeRemove(IUnknown*) override { NotifyChange(true, AGP_LABEL_LIST); }
  void AfterRemove(IUnknown*) override { NotifyChange(false, AGP_LABEL_LIST); }
  void BeforeChange(IUnknown*, std::int32_t) override { NotifyChange(true, AGP_LABEL_LIST); }
  void AfterChange(IUnknown*, std::int32_t) override { NotifyChange(false, AGP_LABEL_LIST); }

 protected:
  explicit GroupCore(const GroupFamily& family) : family_(family), references_(MakeObject<Refs>(this)) {}
  ~GroupCore() = default;

  std::string Source(std::string_view setter) const;
  // E_POINTER for an empty ID; a member fails with 106 when its list has
  // a group under the new ID (ASCII case ignored, itself included).
  template <class Groups>
  HRESULT PutID(std::string_view id);
  HRESULT PutDescription(std::string_view text);
  HRESULT PutUIFlags(std::string_view flags);
  // Adds a reference made by `make`, then Insert.
  HRESULT AddReference(std::string_view id, std::uint32_t flags);

  const GroupFamily& family_;
  std::string id_;
  std::string description_;
  std::string ui_flags_;
  Owned<Refs> references_;
};

class CAppGroup final : public ItemObject<GroupCore<CRefLabelList>, IAppGroup> {
 public:
  CAppGroup() : ItemObject(kAppGroupFamily) {}

  HRESULT get_AppGroupID(std::string* id) override { return GetField(id_, id); }
  HRESULT put_AppGroupID(std::string_view id) override;
  HRESULT get_ObjectType(std::int32_t* type) override { return GetField(object_type_, type); }
  HRESULT put_ObjectType(std::int32_t type) override;
  HRESULT get_LabelList(ISimpleItemList** references) override {
    return GetOwned(references_.get(), references);
  }
  HRESULT get_Description(std::string* text) override { return GetField(description_, text); }
  HRESULT put_Description(std::string_view text) override { return PutDescription(text); }
  HRESULT GetAllLabelIDs(Variant* ids) override { return IDs(false, ids); }
  HRESULT RemoveLabelFromGroup(std::string_view id) override { return RemoveReference(id, false); }
  HRESULT AddLabelToGroup(std::string_view id) override;
  HRESULT get_UIFlags(std::string* flags) override { return GetField(ui_flags_, flags); }
  HRESULT put_UIFlags(std::string_view flags) override { return PutUIFlags(flags); }
  HRESULT Contain(std::string_view id, std::int16_t* found) override;
  HRESULT RemoveGroupFromGroup(std::string_view id) override { return RemoveReference(id, true); }
  HRESULT AddGroupToGroup(std::string_view id) override;
  HRESULT ContainGroup(std::string_view id, std::int16_t* found) override {
    return Contain(id, found);
  }
  HRESULT CanInsertGroup(std::string_view id, std::int16_t* can) override;
  HRESULT GetAllGroupIDs(Variant* ids) override { return IDs(true, ids); }

  std::int32_t object_type() const { return object_type_; }
  void set_object_type(std::int32_t type) { object_type_ = type; }
  // Whether a reference (label or group) has exactly `content`.
  bool Holds(std::string_view content) const { return references_->Contains(content); }

 private:
  HRESULT IDs(bool groups, Variant* ids) const;
  HRESULT RemoveReference(std::string_view id, bool group);

  std::int32_t object_type_ = 0;
};

inline constexpr ListEventIds kAppGroupEvents = {.before_insert = DISPID_OnBeforeAppGroupInserted,
                                                 .after_insert = DISPID_OnAfterAppGroupInserted,
                                                 .before_remove = DISPID_OnBeforeAppGroupRemoved,
                                                 .after_remove = DISPID_OnAfterAppGroupRemoved,
                                                 .before_change = DISPID_OnBeforeAppGroupChanged,
                                                 .after_change = DISPID_OnAfterAppGroupChanged,
                                                 .change_marks_modified = false};
inline constexpr ListEventIds kDllGroupEvents = {.before_insert = DISPID_OnBeforeDllGroupInserted,
                                                 .after_insert = DISPID_OnAfterDllGroupInserted,
                                                 .before_remove = DISPID_OnBeforeDllGroupRemoved,
                                                 .after_remove = DISPID_OnAfterDllGroupRemoved,
                                                 .before_change = DISPID_OnBeforeDllGroupChanged,
                                                 .after_change = DISPID_OnAfterDllGroupChanged,
                                                 .change_marks_modified = false};
inline constexpr ListTraits kAppGroupListTraits = {.class_name = "CAppGroupList",
                                                   .create_name = "CreateGroup",
                                                   .clsid = &CLSID_AppGroupList,
                                                   .iid = &IAppGroupList::kIID};
inline constexpr ListTraits kDllGroupListTraits = {.class_name = "CDllGroupList",
                                                   .create_name = "CreateGroup",
                                                   .clsid = &CLSID_DllGroupList,
                                                   .iid = &IDllGroupList::kIID};

class CAppGroupList final : public PlainList<IAppGroupList, CAppGroup, IAppGroup>,
                            public RepositoryLink {
 public:
  CAppGroupList(IListOwner* parser, AppRepository* repository)
      : PlainList(parser, kAppGroupListTraits), RepositoryLink(repository) {}

  HRESULT CreateGroup(IAppGroup** group) override { return Create(group); }
  // 106 for an ID equal to a member's (exactly).
  HRESULT Insert(IAppGroup* group) override;
  HRESULT Remove(IAppGroup* group) override { return PlainList::Remove(group); }
  HRESULT Get(std::string_view id, IAppGroup** group) override;
  HRESULT Clear() override { return ClearMembers(); }
  HRESULT FindLabelGroups(std::string_view label_id, Variant* ids) override;
  HRESULT RemoveLabelFromAllGroups(std::string_view label_id) override;
  HRESULT RemoveGroupFromAllGroups(std::string_view group_id) override;

  // The first member whose ID equals `id` ignoring ASCII case, or nullptr.
  CAppGroup* Find(std::string_view id) const;
  // Whether a group holds a label reference equal to `label_id` exactly.
  bool ReferencesLabel(std::string_view label_id) const;
};

class CDllGroup final : public ItemObject<GroupCore<CRefDllLabelList>, IDllGroup> {
 public:
  CDllGroup() : ItemObject(kDllGroupFamily) {}

  HRESULT get_DllGroupID(std::string* id) override { return GetField(id_, id); }
  HRESULT put_DllGroupID(std::string_view id) override;
  HRESULT get_DllLabelList(ISimpleItemList** references) override {
    return GetOwned(references_.get(), references);
  }
  HRESULT get_Description(std::string* text) override { return GetField(description_, text); }
  HRESULT put_Description(std::string_view text) override { return PutDescription(text); }
  HRESULT GetAllLabelIDs(Variant* ids) override;
  HRESULT RemoveLabelFromGroup(std::string_view id) override;
  HRESULT AddLabelToGroup(std::string_view id) override { return AddReference(id, 0); }
  HRESULT get_UIFlags(std::string* flags) override { return GetField(ui_flags_, flags); }
  HRESULT put_UIFlags(std::string_view flags) override { return PutUIFlags(flags); }
  HRESULT Contain(std::string_view id, std::int16_t* found) override;
};

class CDllGroupList final : public PlainList<IDllGroupList, CDllGroup, IDllGroup>,
                            public RepositoryLink {
 public:
  CDllGroupList(IListOwner* parser, AppRepository* repository)
      : PlainList(parser, kDllGroupListTraits), RepositoryLink(repository) {}

  HRESULT CreateGroup(IDllGroup** group) override { return Create(group); }
  HRESULT Insert(IDllGroup* group) override;
  HRESULT Remove(IDllGroup* group) override { return PlainList::Remove(group); }
  HRESULT Get(std::string_view id, IDllGroup** group) override;
  HRESULT Clear() override { return ClearMembers(); }
  HRESULT FindLabelGroups(std::string_view label_id, Variant* ids) override;

  CDllGroup* Find(std::string_view id) const;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_APP_APP_GROUP_H_

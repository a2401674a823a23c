// CAccessDescriptor and CAccessDescriptorList: what a rule does with one
// kind of access to its object, and the rule's list of them.
//
// The list is a plain list whose owner site is the rule (IListOwner): it
// reaches the rule's parser through it and tells the rule about insertions
// and removals (slots 2 to 5; Clear passes no item). A change to a member
// first marks the parser modified, then calls the rule's change slots 6 and
// 7 with the DISPID of the property changed.
//
// A rule declares the list as
//   OwnedList<CAccessDescriptorList> access_{MakeObject<CAccessDescriptorList>(this)};
// and hands it out through its AccessDescriptorList property.
#ifndef XMLSECDB_MODEL_ACCESS_DESCRIPTOR_H_
#define XMLSECDB_MODEL_ACCESS_DESCRIPTOR_H_

#include <cstdint>

#include "list/plain_list.h"
#include "model/model_dispatch.h"
#include "xmlsecdb/access.h"

namespace xmlsecdb {

// The class named in the list's error records.
inline constexpr CLSID CLSID_AccessDescriptorList =
    MakeGuid("{5EC0DB00-0810-4000-8000-5EC0DB000810}");

// DISPIDs of IAccessDescriptor, which the change slots receive as the
// property changed.
enum : std::int32_t {
  kAccessTypeDispid = 1,
  kAccessResultDispid = 2,
  kAuditLevelDispid = 3,
};

// The plain slots, with MarkModified before every change.
inline constexpr ListNotices kAccessDescriptorNotices = {&IListOwner::BeforeInsert,
                                                         &IListOwner::AfterInsert,
                                                         &IListOwner::BeforeRemove,
                                                         &IListOwner::AfterRemove,
                                                         &IListOwner::BeforeChange,
                                                         &IListOwner::AfterChange,
                                                         true};

inline constexpr ListTraits kAccessDescriptorListTraits = {
    "CAccessDescriptorList",      "CreateAccessDescriptor",  &CLSID_AccessDescriptorList,
    &IAccessDescriptorList::kIID, &kAccessDescriptorNotices, false};

class CAccessDescriptor final : public ItemObject<ListItemBase, IAccessDescriptor> {
 public:
  HRESULT get_AccessType(std::int32_t* access_type) override;
  HRESULT put_AccessType(std::int32_t access_type) override;
  HRESULT get_AccessResult(EAccessResult* result) override;
  HRESULT put_AccessResult(EAccessResult result) override;
  HRESULT get_AuditLevel(EAuditLevel* level) override;
  HRESULT put_AuditLevel(EAuditLevel level) override;

  // Direct reads for save routines.
  std::int32_t access_type() const { return access_type_; }
  EAccessResult access_result() const { return access_result_; }
  EAuditLevel audit_level() const { return audit_level_; }

 private:
  std::int32_t access_type_ = 0;
  EAccessResult access_result_ = AR_ALLOW;
  EAuditLevel audit_level_ = AL_IGNORE;
};

class CAccessDescriptorList final
    : public PlainList<IAccessDescriptorList, CAccessDescriptor, IAccessDescriptor> {
 public:
  // `rule` is the owner site; it must outlive the list or detach it
  // (OwnedList does).
  explicit CAccessDescriptorList(IListOwner* rule) : PlainList(rule, kAccessDescriptorListTraits) {}

  HRESULT CreateAccessDescriptor(IAccessDescriptor** item) override { return Create(item); }
  HRESULT Insert(IAccessDescriptor* item) override { return PlainList::Insert(item); }
  HRESULT Remove(IAccessDescriptor* item) override { return PlainList::Remove(item); }
  HRESULT Clear() override { return PlainList::Clear(); }
  HRESULT CopyToList(IAccessDescriptorList* target) override;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_ACCESS_DESCRIPTOR_H_

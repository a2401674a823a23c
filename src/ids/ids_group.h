// CIDSGroup and CIDSGroupList: the signature groups of an IDS database
// (see xmlsecdb/ids.h for the contract clients see).
//
// Group IDs are looked up by a walk over the list: a database has few
// groups (the rules are what is numerous), so an index would cost more to
// keep in step with put_GroupID than it saves.
#ifndef XMLSECDB_IDS_IDS_GROUP_H_
#define XMLSECDB_IDS_IDS_GROUP_H_

#include <string>
#include <string_view>

#include "ids/ids_item.h"
#include "ids/ids_rule.h"
#include "list/plain_list.h"
#include "xmlsecdb/ids.h"

namespace xmlsecdb {

// Classes clients reach only through the lists; their CLSIDs name them in
// error records.
inline constexpr CLSID CLSID_IDSGroup = MakeGuid("{5EC0DB00-0D0A-4000-8000-5EC0DB000D0A}");
inline constexpr CLSID CLSID_IDSGroupList = MakeGuid("{5EC0DB00-0D0B-4000-8000-5EC0DB000D0B}");

class CIDSGroup final : public ItemObject<IDSOwnerItem, IIDSGroup> {
 public:
  CIDSGroup();

  HRESULT get_Name(std::string* name) override;
  HRESULT put_Name(std::string_view name) override;
  HRESULT get_RuleList(IIDSRuleList** rules) override;
  HRESULT get_RulesStatus(EIDSRulesStatus* status) override;
  HRESULT get_RulesMode(EIDSRulesMode* mode) override;
  HRESULT get_GroupID(std::string* id) override;
  HRESULT put_GroupID(std::string_view id) override;

  const std::string& id() const { return id_; }
  const std::string& name() const { return name_; }
  CIDSRuleList* rules() const { return rules_.get(); }

 private:
  std::string id_;
  std::string name_;
  OwnedList<CIDSRuleList> rules_;
};

inline constexpr ListTraits kIDSGroupListTraits = {.class_name = "CIDSGroupList",
                                                   .create_name = "CreateGroup",
                                                   .clsid = &CLSID_IDSGroupList,
                                                   .iid = &IIDSGroupList::kIID};

class CIDSGroupList final : public PlainList<IIDSGroupList, CIDSGroup, IIDSGroup> {
 public:
  explicit CIDSGroupList(IListOwner* parser) : PlainList(parser, kIDSGroupListTraits) {}

  HRESULT CreateGroup(IIDSGroup** group) override { return Create(group); }
  HRESULT Insert(IIDSGroup* group) override;
  HRESULT Get(std::string_view group_id, IIDSGroup** group) override;

  // The member whose GroupID is exactly `id`, or nullptr.
  CIDSGroup* Find(std::string_view id) const;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_IDS_IDS_GROUP_H_

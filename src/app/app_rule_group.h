// CAppRuleGroup and CAppRuleGroupList: what FindGroups answers — one
// application group with the access result and RuleID of the rule that
// named it first, in exact name order. Read-only for clients: the list
// has no members to add or remove, and the items no setters.
#ifndef XMLSECDB_APP_APP_RULE_GROUP_H_
#define XMLSECDB_APP_APP_RULE_GROUP_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "app/app_dispatch.h"
#include "list/list_item.h"
#include "list/plain_list.h"
#include "xmlsecdb/app.h"

namespace xmlsecdb {

inline constexpr CLSID CLSID_AppRuleGroupList = MakeGuid("{5EC0DB00-0E24-4000-8000-5EC0DB000E24}");

class CAppRuleGroup final : public ItemObject<ListItemBase, IAppRuleGroup> {
 public:
  HRESULT get_Name(std::string* name) override { return GetField(name_, name); }
  HRESULT get_AccessResult(EAccessResult* result) override { return GetField(result_, result); }
  HRESULT get_RuleID(std::int32_t* id) override { return GetField(rule_id_, id); }

  void set_fields(std::string_view name, EAccessResult result, std::int32_t rule_id) {
    name_ = name;
    result_ = result;
    rule_id_ = rule_id;
  }

 private:
  std::string name_;
  EAccessResult result_ = AR_ALLOW;
  std::int32_t rule_id_ = 0;
};

inline constexpr ListTraits kAppRuleGroupListTraits = {.class_name = "CAppRuleGroupList",
                                                       .create_name = "",
                                                       .clsid = &CLSID_AppRuleGroupList,
                                                       .iid = &IAppRuleGroupList::kIID};

// A list without an owner: it reaches no parser, so it is never read-only
// and raises nothing.
class CAppRuleGroupList final : public PlainList<IAppRuleGroupList, CAppRuleGroup, IAppRuleGroup> {
 public:
  CAppRuleGroupList() : PlainList(nullptr, kAppRuleGroupListTraits) {}

  // Appends a group; for FindGroups.
  [[nodiscard]] HRESULT Append(std::string_view name, EAccessResult result, std::int32_t rule_id) {
    ComPtr<CAppRuleGroup> group = NewItem();
    group->set_fields(name, result, rule_id);
    return InsertMember(group.get());
  }
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_APP_APP_RULE_GROUP_H_

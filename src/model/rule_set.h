// CRuleSet and CRuleSetList: the rule sets a parser keeps (see
// xmlsecdb/rule_sets.h for the contract clients see).
//
// The list is a plain list whose calls set no error record, which is why it
// checks the read-only flag and `before` itself before it hands the insert
// to the shared plain-list code. It raises no events; its owner site is the
// parser only so that the list can see the read-only flag.
#ifndef XMLSECDB_MODEL_RULE_SET_H_
#define XMLSECDB_MODEL_RULE_SET_H_

#include <string>
#include <string_view>

#include "list/plain_list.h"
#include "model/model_dispatch.h"
#include "model/value_list.h"
#include "xmlsecdb/rule_sets.h"

namespace xmlsecdb {

// Classes clients reach only through the lists; their CLSIDs name them in
// error records.
inline constexpr CLSID CLSID_RuleSetList = MakeGuid("{5EC0DB00-0602-4000-8000-5EC0DB000602}");
inline constexpr CLSID CLSID_RuleSet = MakeGuid("{5EC0DB00-0603-4000-8000-5EC0DB000603}");

class CRuleSet final : public ItemObject<ListItemBase, IRuleSet> {
 public:
  CRuleSet();

  HRESULT get_RuleSetID(std::string* id) override;
  HRESULT put_RuleSetID(std::string_view id) override;
  HRESULT get_Description(std::string* description) override;
  HRESULT put_Description(std::string_view description) override;
  HRESULT get_RuleListIDs(ISimpleValueList** ids) override;

  const std::string& id() const { return id_; }
  const std::string& description() const { return description_; }
  void set_id(std::string_view id) { id_ = id; }
  void set_description(std::string_view description) { description_ = description; }
  // The rule-list identifiers, owned by the rule set.
  CSimpleValueList& rule_list_ids() const { return *rule_list_ids_; }

 private:
  std::string id_;
  std::string description_;
  ComPtr<CSimpleValueList> rule_list_ids_;
};

inline constexpr ListTraits kRuleSetListTraits = {.class_name = "CRuleSetList",
                                                  .create_name = "CreateRuleSet",
                                                  .clsid = &CLSID_RuleSetList,
                                                  .iid = &IRuleSetList::kIID};

class CRuleSetList final : public PlainList<IRuleSetList, CRuleSet, IRuleSet> {
 public:
  explicit CRuleSetList(IListOwner* parser) : PlainList(parser, kRuleSetListTraits) {}

  HRESULT CreateRuleSet(IRuleSet** rule_set) override;
  HRESULT Insert(IRuleSet* rule_set, IRuleSet* before) override;
  HRESULT Remove(IRuleSet* rule_set) override;
  HRESULT Clear() override;

  // The first member whose identifier equals `id` ignoring ASCII case, with
  // a new reference; SECDB_E_NOTFOUND (no error record) when none does.
  HRESULT FindRuleSet(std::string_view id, IRuleSet** rule_set) const;

 private:
  bool read_only() const;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_RULE_SET_H_

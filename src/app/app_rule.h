// CAppRule and CAppRuleList: the repository's known-application rules.
//
// The list is an ordered rule list (list/rule_list.h) whose order is the
// rules' Order, smaller first; rules of equal Order keep the order of
// insertion (one inserted equal to the last goes after it), so a file's
// order survives a load and a save. The queries (app_rule_match.cc) visit
// the rules in that order, which is why it is kept at every change of
// Order and not only before a save. No parser events exist for rules; a
// change marks the parser modified.
#ifndef XMLSECDB_APP_APP_RULE_H_
#define XMLSECDB_APP_APP_RULE_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "app/app_dispatch.h"
#include "list/list_item.h"
#include "list/rule_list.h"
#include "model/precedence.h"
#include "model/value_list.h"
#include "xmlsecdb/app.h"

namespace xmlsecdb {

inline constexpr CLSID CLSID_AppRuleList = MakeGuid("{5EC0DB00-0E21-4000-8000-5EC0DB000E21}");

class CAppRuleList;

class CAppRule final : public ItemObject<RuleItemBase, IAppRule> {
 public:
  CAppRule();

  HRESULT get_RuleID(std::int32_t* id) override { return GetField(rule_id(), id); }
  HRESULT put_RuleID(std::int32_t id) override;
  HRESULT get_RuleIDString(std::string* id) override { return GetField(RuleIDString(), id); }
  HRESULT put_RuleIDString(std::string_view id) override;
  HRESULT get_Assignment(std::string* assignment) override {
    return GetField(assignment_, assignment);
  }
  HRESULT put_Assignment(std::string_view assignment) override;
  HRESULT get_Enabled(std::int32_t* enabled) override { return GetField(enabled_, enabled); }
  HRESULT put_Enabled(std::int32_t enabled) override;
  HRESULT get_Description(std::string* description) override {
    return GetField(description_, description);
  }
  HRESULT put_Description(std::string_view description) override;
  HRESULT get_UIFlags(std::string* flags) override { return GetField(ui_flags_, flags); }
  HRESULT put_UIFlags(std::string_view flags) override;
  HRESULT get_Usage(std::uint32_t* usage) override { return GetField(usage_, usage); }
  HRESULT put_Usage(std::uint32_t usage) override;
  HRESULT get_UsageNot(std::uint32_t* usage) override { return GetField(usage_not_, usage); }
  HRESULT put_UsageNot(std::uint32_t usage) override;
  HRESULT get_FoundBy(std::uint32_t* found_by) override;
  HRESULT put_FoundBy(std::uint32_t found_by) override;
  HRESULT get_Enroll(EEnrollType* enroll) override { return GetField(enroll_, enroll); }
  HRESULT put_Enroll(EEnrollType enroll) override;
  HRESULT get_Manufacturer(std::string* manufacturer) override {
    return GetField(manufacturer_, manufacturer);
  }
  HRESULT put_Manufacturer(std::string_view manufacturer) override;
  HRESULT get_Groups(ISimpleValueList** groups) override;
  HRESULT get_Suite(std::string* suite) override { return GetField(suite_, suite); }
  HRESULT put_Suite(std::string_view suite) override;
  HRESULT get_SpecialAccess(std::uint32_t* access) override {
    return GetField(special_access_, access);
  }
  HRESULT put_SpecialAccess(std::uint32_t access) override;
  HRESULT get_SpecialAccessNot(std::uint32_t* access) override {
    return GetField(special_access_not_, access);
  }
  HRESULT put_SpecialAccessNot(std::uint32_t access) override;
  HRESULT CopyToList(IAppRuleList* list, std::int32_t generate_id, IAppRule** copy) override;
  HRESULT get_Order(std::int32_t* order) override;
  HRESULT put_Order(std::int32_t order) override;
  HRESULT get_FoundBy2(IULongList** found_by) override;

  // Smaller Order first; equal orders compare equal (insertion order).
  std::int16_t Compare(const RuleItemBase& other) const override;

  // For the section and the queries: the fields as they are; the setters
  // below store without checks or notices (a detached rule being loaded).
  const std::string& assignment() const { return assignment_; }
  std::int32_t enabled() const { return enabled_; }
  const std::string& description() const { return description_; }
  const std::string& ui_flags() const { return ui_flags_; }
  std::uint32_t usage() const { return usage_; }
  std::uint32_t usage_not() const { return usage_not_; }
  EEnrollType enroll() const { return enroll_; }
  const std::string& manufacturer() const { return manufacturer_; }
  const std::string& suite() const { return suite_; }
  std::uint32_t special_access() const { return special_access_; }
  std::uint32_t special_access_not() const { return special_access_not_; }
  std::int32_t order() const { return order_.order(); }
  CSimpleValueList* groups() const { return groups_.get(); }
  CULongList* found_by() const { return found_by_.get(); }

  struct Texts {
    std::string_view assignment, description, ui_flags, manufacturer, suite;
  };
  struct Bits {
    std::uint32_t usage, usage_not, special_access, special_access_not;
  };
  void set_fields(const Texts& texts, const Bits& bits, std::int32_t enabled, EEnrollType enroll,
                  std::int32_t order);

 private:
  // The read-only guard and the store, with the list's change notices
  // (the parser's modified flag) when the value changes.
  template <class T, class U>
  HRESULT Set(std::string_view setter, T& field, U&& value);

  std::string assignment_ = "*";
  std::int32_t enabled_ = 1;
  std::string description_;
  std::string ui_flags_;
  std::uint32_t usage_ = 0;
  std::uint32_t usage_not_ = 0;
  EEnrollType enroll_ = EN_ALLOW;
  std::string manufacturer_ = "*";
  ComPtr<CSimpleValueList> groups_;
  std::string suite_ = "*";
  std::uint32_t special_access_ = 0;
  std::uint32_t special_access_not_ = 0;
  ComPtr<CULongList> found_by_;
  Precedence order_;
};

inline constexpr ListTraits kAppRuleListTraits = {.class_name = "CAppRuleList",
                                                  .create_name = "CreateRule",
                                                  .clsid = &CLSID_AppRuleList,
                                                  .iid = &IAppRuleList::kIID};

class CAppRuleList final : public RuleList<IAppRuleList, CAppRule, IAppRule> {
 public:
  using Rule = CAppRule;
  explicit CAppRuleList(IListOwner* owner) : RuleList(owner, kAppRuleListTraits) {}

  HRESULT CreateRule(IAppRule** rule) override { return Create(rule); }
  HRESULT Insert(IAppRule* rule) override { return RuleList::Insert(rule); }
  HRESULT Remove(IAppRule* rule) override { return RuleList::Remove(rule); }
  HRESULT Clear() override { return RuleList::Clear(); }
  HRESULT GenerateRuleID(std::int32_t /*master*/, std::int32_t* id) override {
    return GenerateID(id);
  }
  HRESULT Get(std::string_view id, IAppRule** rule) override { return RuleList::Get(id, rule); }
  HRESULT Find(std::uint32_t usage, std::uint32_t found_by, std::string_view manufacturer,
               std::string_view suite, IAppRule** rule) override;
  HRESULT FindEx(std::uint32_t usage, std::uint32_t found_by, std::string_view manufacturer,
                 std::string_view suite, std::uint32_t special_access, IAppRule** rule) override;
  HRESULT Find2(std::uint32_t usage, std::uint32_t usage_mask, std::uint32_t special_access,
                std::uint32_t special_access_mask, std::uint32_t found_by,
                std::string_view manufacturer, std::string_view suite, IAppRule** rule) override;
  HRESULT FindGroups(std::uint32_t usage, std::uint32_t usage_mask, std::uint32_t special_access,
                     std::uint32_t special_access_mask, std::uint32_t found_by,
                     std::string_view manufacturer, std::string_view suite,
                     IAppRuleGroupList** groups) override;
};

// The arguments of a query, and whether a rule applies to them.
struct AppRuleQuery {
  std::uint32_t usage;
  std::uint32_t usage_mask;
  std::uint32_t special_access;
  std::uint32_t special_access_mask;
  std::uint32_t found_by;
  std::string_view manufacturer;
  std::string_view suite;
};
bool RuleApplies(const CAppRule& rule, const AppRuleQuery& query);

}  // namespace xmlsecdb

#endif  // XMLSECDB_APP_APP_RULE_H_

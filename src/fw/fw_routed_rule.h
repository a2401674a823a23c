// CFWRoutedRule and CFWRoutedRuleList: what traffic the host may route
// between a remote and a LAN address through one of its interfaces. The
// rule is the firewall rule core (fw/fw_rule_core.h) with three addresses;
// its list is ordered by CompareRoutedRules (fw/fw_rule_compare.h). Its
// setters raise no events and set no modified flag (the list's site is
// silent); its inline transport still marks the rule lists for re-sorting.
//
// Apartment-threaded, like the parser.
#ifndef XMLSECDB_FW_FW_ROUTED_RULE_H_
#define XMLSECDB_FW_FW_ROUTED_RULE_H_

#include "fw/fw_rule.h"

namespace xmlsecdb {

inline constexpr CLSID CLSID_FWRoutedRule = MakeGuid("{5EC0DB00-0E86-4000-8000-5EC0DB000E86}");
inline constexpr CLSID CLSID_FWRoutedRuleList = MakeGuid("{5EC0DB00-0E92-4000-8000-5EC0DB000E92}");

inline constexpr FWRuleConfig kFWRoutedRuleConfig = {
    .policy = {.class_name = "CFWRoutedRule", .properties = kFWRuleConfig.policy.properties},
    .address = FWR_IPADDR,
    .transport = FWR_TRANSPORT,
    .zone = FWR_ZONE,
    .ui_flags = FWR_UIFLAGS,
    .access = -1,  // no events
    .switches = -1,
};

class CFWRoutedRule final : public FWRuleMembers<IFWRoutedRule, kFWRoutedRuleConfig> {
 public:
  HRESULT get_LANIPAddrType(ERefType* type) override { return GetAddressType(kLocal, type); }
  HRESULT put_LANIPAddrType(ERefType type) override {
    return PutAddressType(kFWRoutedRuleConfig, "LANIPAddrType", kLocal, type);
  }
  HRESULT get_LANIPAddress(std::string* text) override { return GetFWText(kLocal, text); }
  HRESULT put_LANIPAddress(std::string_view text) override {
    return PutFWText(kFWRoutedRuleConfig, "LANIPAddress", kLocal, text, FWR_IPADDR);
  }
  HRESULT get_IfaceIPAddrType(ERefType* type) override { return GetAddressType(kIface, type); }
  HRESULT put_IfaceIPAddrType(ERefType type) override {
    return PutAddressType(kFWRoutedRuleConfig, "IfaceIPAddrType", kIface, type);
  }
  HRESULT get_IfaceIPAddress(std::string* text) override { return GetFWText(kIface, text); }
  HRESULT put_IfaceIPAddress(std::string_view text) override {
    return PutFWText(kFWRoutedRuleConfig, "IfaceIPAddress", kIface, text, FWR_IPADDR);
  }
  HRESULT CopyToList(IFWRoutedRuleList* list, std::int32_t generate_id,
                     IFWRoutedRule** copy) override {
    return CopyRuleToList<CFWRoutedRule>(
        *this, 0, list, generate_id, copy,
        [this](CFWRoutedRule& target) { return CopyFWContentTo(target); });
  }

  std::int16_t Compare(const RuleItemBase& other) const override {
    return CompareRoutedRules(*this, static_cast<const CFWRoutedRule&>(other), compare_context());
  }
};

inline constexpr ListTraits kFWRoutedRuleListTraits = {
    .class_name = "CFWRoutedRuleList",
    .create_name = "CreateRule",
    .clsid = &CLSID_FWRoutedRuleList,
    .iid = &IFWRoutedRuleList::kIID,
    .strict_weak_order = false,
};

class CFWRoutedRuleListBase : public RuleList<IFWRoutedRuleList, CFWRoutedRule, IFWRoutedRule> {
 public:
  HRESULT CreateRule(IFWRoutedRule** rule) override { return Create(rule); }
  HRESULT Insert(IFWRoutedRule* rule, IFWRoutedRule* before) override {
    return RuleList::Insert(rule, before);
  }
  HRESULT Remove(IFWRoutedRule* rule) override { return RuleList::Remove(rule); }
  HRESULT Clear() override { return RuleList::Clear(); }
  HRESULT Get(std::string_view id, IFWRoutedRule** rule) override {
    return RuleList::Get(id, rule);
  }
  HRESULT GenerateRuleID(std::int32_t /*master*/, std::int32_t* id) override {
    return GenerateID(id);
  }
  HRESULT GetByRuleNum(std::int32_t id, IFWRoutedRule** rule) override {
    return RuleList::GetByRuleNum(id, rule);
  }
  HRESULT InsertEx(IFWRoutedRule* rule, std::int32_t master, IFWRoutedRule** copy) override {
    return RuleList::InsertEx(rule, master, copy);
  }

 protected:
  CFWRoutedRuleListBase(IListOwner* owner, const RuleCompareContext& context)
      : RuleList(owner, kFWRoutedRuleListTraits, context) {}
};

class CFWRoutedRuleList final : public WithoutMoves<CFWRoutedRuleListBase, IFWRoutedRule> {
 public:
  CFWRoutedRuleList(IListOwner* owner, const RuleCompareContext& context)
      : WithoutMoves(owner, context) {}
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_FW_FW_ROUTED_RULE_H_

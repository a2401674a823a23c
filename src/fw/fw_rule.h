// CFWRule and CFWRuleList: the firewall's application rules, on the
// firewall rule core (fw/fw_rule_core.h), in the ordered rule list
// (list/rule_list.h) kept by CompareFWRules (fw/fw_rule_compare.h).
//
// A setter's change of an attached rule sets modified flag 0x1 and raises
// OnBeforeRuleChanged/OnAfterRuleChanged with its EFWRuleProperty;
// TransportID raises them only while TransportType is RT_DEFINITION.
//
// Apartment-threaded, like the parser.
#ifndef XMLSECDB_FW_FW_RULE_H_
#define XMLSECDB_FW_FW_RULE_H_

#include "fw/fw_dispatch.h"
#include "fw/fw_rule_compare.h"
#include "fw/fw_rule_core.h"
#include "list/rule_list.h"
#include "list/without_moves.h"
#include "xmlsecdb/fw_rules.h"

namespace xmlsecdb {

inline constexpr CLSID CLSID_FWRule = MakeGuid("{5EC0DB00-0E85-4000-8000-5EC0DB000E85}");
inline constexpr CLSID CLSID_FWRuleList = MakeGuid("{5EC0DB00-0E91-4000-8000-5EC0DB000E91}");

inline constexpr FWRuleConfig kFWRuleConfig = {
    .policy = {.class_name = "CFWRule",
               .properties = {.priority = FWR_PRIORITY,
                              .app = FWR_APP,
                              .object = FWR_IPADDR,
                              .condition = FWR_CONDITION,
                              .time = FWR_TIME,
                              .os_version = FWR_OSVERSION,
                              .id = FWR_ID,
                              .system = FWR_SYSTEM,
                              .account = FWR_SYSTEM,
                              .assignment = FWR_ASSIGNMENT,
                              .preferred = FWR_PREFERRED,
                              .learning_mode = FWR_LEARNING_MODE,
                              .process_id = FWR_PROCESS_ID,
                              .enabled = FWR_ENABLED,
                              .description = FWR_DESCRIPTION,
                              .order = FWR_ORDER,
                              .dll_object = 0,
                              .scan_item_list = 0}},
    .address = FWR_IPADDR,
    .transport = FWR_TRANSPORT,
    .zone = FWR_ZONE,
    .ui_flags = FWR_UIFLAGS,
    .access = FWR_ACCESSDESC,
    .switches = FWR_CONDSWITCH,
};

// The members every firewall rule interface with the policy fields has
// (IFWRule, IFWRoutedRule), forwarded to FWRuleCore with `Config`.
template <class Interface, const FWRuleConfig& Config>
class FWRuleMembers : public ItemObject<FWRuleCore, Interface> {
 public:
  using Fields = PolicyRuleCore::Fields;
  static constexpr const PolicyRuleConfig& kPolicy = Config.policy;
  static constexpr const PolicyRuleProperties& kNumbers = Config.policy.properties;

  HRESULT get_Priority(EPriority* priority) override {
    return GetPriority(this->fields().precedence, priority);
  }
  HRESULT put_Priority(EPriority priority) override {
    return this->PutPriorityValue(kPolicy, priority);
  }
  HRESULT get_RemIPAddrType(ERefType* type) override {
    return this->GetAddressType(FWRuleCore::kRemote, type);
  }
  HRESULT put_RemIPAddrType(ERefType type) override {
    return this->PutAddressType(Config, "RemIPAddrType", FWRuleCore::kRemote, type);
  }
  HRESULT get_RemIPAddress(std::string* text) override {
    return this->GetFWText(FWRuleCore::kRemote, text);
  }
  HRESULT put_RemIPAddress(std::string_view text) override {
    return this->PutFWText(Config, "RemIPAddress", FWRuleCore::kRemote, text, Config.address);
  }
  HRESULT get_TransportType(ERefType* type) override {
    return GetField(static_cast<ERefType>(this->fw_fields().transport_type), type);
  }
  HRESULT put_TransportType(ERefType type) override { return this->PutTransportType(Config, type); }
  HRESULT get_TransportID(std::string* id) override {
    return this->GetFWText(FWRuleCore::kTransportId, id);
  }
  HRESULT put_TransportID(std::string_view id) override {
    return this->PutFWText(Config, "TransportID", FWRuleCore::kTransportId, id, Config.transport,
                           this->fw_fields().transport_type == RT_DEFINITION);
  }
  HRESULT get_TransportObject(IFWItem** transport) override {
    return this->GetTransportObject(transport);
  }
  HRESULT get_OutConditionAND(std::int32_t* mask) override {
    return this->GetInt(&Fields::out_condition_and, mask);
  }
  HRESULT put_OutConditionAND(std::int32_t mask) override {
    return this->PutInt(kPolicy, "OutConditionAND", &Fields::out_condition_and, mask,
                        kNumbers.condition);
  }
  HRESULT get_OutConditionOR(std::int32_t* mask) override {
    return this->GetInt(&Fields::out_condition_or, mask);
  }
  HRESULT put_OutConditionOR(std::int32_t mask) override {
    return this->PutInt(kPolicy, "OutConditionOR", &Fields::out_condition_or, mask,
                        kNumbers.condition);
  }
  HRESULT get_TimeOfDayType(ERefType* type) override {
    return GetEnum(&Fields::time_of_day_type, type);
  }
  HRESULT put_TimeOfDayType(ERefType type) override {
    return this->PutInt(kPolicy, "TimeOfDayType", &Fields::time_of_day_type, type, kNumbers.time);
  }
  HRESULT get_TimeOfDay(std::string* text) override {
    return this->GetText(PolicyRuleCore::kTimeOfDay, text);
  }
  HRESULT put_TimeOfDay(std::string_view text) override {
    return this->PutText(kPolicy, "TimeOfDay", PolicyRuleCore::kTimeOfDay, text, kNumbers.time);
  }
  HRESULT get_OSVersion(EOSVersion* version) override {
    return GetEnum(&Fields::os_version, version);
  }
  HRESULT put_OSVersion(EOSVersion version) override {
    return this->PutInt(kPolicy, "OSVersion", &Fields::os_version, version, kNumbers.os_version);
  }
  HRESULT get_AccessDescriptor(IAccessDescriptor** descriptor) override {
    return this->GetAccessDescriptor(descriptor);
  }
  HRESULT get_RuleID(std::int32_t* id) override { return GetField(this->rule_id(), id); }
  HRESULT put_RuleID(std::int32_t id) override { return this->PutRuleIDValue(kPolicy, id); }
  HRESULT get_RuleIDString(std::string* text) override {
    return GetField(this->RuleIDString(), text);
  }
  HRESULT put_RuleIDString(std::string_view text) override {
    return this->PutRuleIDText(kPolicy, text);
  }
  HRESULT get_Assignment(std::string* text) override {
    return this->GetText(PolicyRuleCore::kAssignment, text);
  }
  HRESULT put_Assignment(std::string_view text) override {
    return this->PutText(kPolicy, "Assignment", PolicyRuleCore::kAssignment, text,
                         kNumbers.assignment);
  }
  HRESULT get_Preferred(std::int32_t* preferred) override {
    return GetPreferred(this->fields().precedence, preferred);
  }
  HRESULT put_Preferred(std::int32_t preferred) override {
    return this->PutPreferredValue(kPolicy, preferred);
  }
  HRESULT get_Enabled(std::int32_t* enabled) override {
    return this->GetInt(&Fields::enabled, enabled);
  }
  HRESULT put_Enabled(std::int32_t enabled) override {
    return this->PutInt(kPolicy, "Enabled", &Fields::enabled, enabled, kNumbers.enabled);
  }
  HRESULT get_Description(std::string* text) override {
    return this->GetText(PolicyRuleCore::kDescription, text);
  }
  HRESULT put_Description(std::string_view text) override {
    return this->PutText(kPolicy, "Description", PolicyRuleCore::kDescription, text,
                         kNumbers.description);
  }
  HRESULT get_UIFlags(std::string* text) override {
    return this->GetText(PolicyRuleCore::kUIFlags, text);
  }
  HRESULT put_UIFlags(std::string_view text) override {
    return this->PutText(kPolicy, "UIFlags", PolicyRuleCore::kUIFlags, text, Config.ui_flags);
  }
  HRESULT get_Order(std::int32_t* order) override {
    return GetOrder(this->fields().precedence, order);
  }
  HRESULT put_Order(std::int32_t order) override { return this->PutOrderValue(kPolicy, order); }

 protected:
  FWRuleMembers() : ItemObject<FWRuleCore, Interface>(Config) {}

  template <class E>
  HRESULT GetEnum(PolicyRuleCore::IntField field, E* value) const {
    return GetField(static_cast<E>(this->fields().*field), value);
  }
};

class CFWRule final : public FWRuleMembers<IFWRule, kFWRuleConfig> {
 public:
  HRESULT get_Zone(std::int32_t* zones) override { return GetField(fw_fields().zone, zones); }
  HRESULT put_Zone(std::int32_t zones) override { return PutZone(kFWRuleConfig, zones); }
  HRESULT get_System(std::int32_t* system) override { return GetInt(&Fields::system, system); }
  HRESULT put_System(std::int32_t system) override { return PutSystem(kPolicy, system); }
  HRESULT get_ConditionSwitchList(IConditionSwitchList** list) override {
    return GetSwitchList(list);
  }
  HRESULT get_LearningMode(std::int32_t* mode) override {
    return GetInt(&Fields::learning_mode, mode);
  }
  HRESULT put_LearningMode(std::int32_t mode) override {
    return PutInt(kPolicy, "LearningMode", &Fields::learning_mode, mode, FWR_LEARNING_MODE);
  }
  HRESULT get_ProcessID(std::int32_t* id) override { return GetInt(&Fields::process_id, id); }
  HRESULT put_ProcessID(std::int32_t id) override {
    return PutInt(kPolicy, "ProcessID", &Fields::process_id, id, FWR_PROCESS_ID);
  }
  HRESULT get_Account(ERuleAccount* account) override { return GetEnum(&Fields::account, account); }
  HRESULT put_Account(ERuleAccount account) override { return PutAccount(kPolicy, account); }
  HRESULT get_AppType(EAppType* type) override { return GetEnum(&Fields::app_type, type); }
  HRESULT put_AppType(EAppType type) override {
    return PutInt(kPolicy, "AppType", &Fields::app_type, type, FWR_APP);
  }
  HRESULT get_Application(std::string* text) override { return GetText(kApplication, text); }
  HRESULT put_Application(std::string_view text) override {
    return PutText(kPolicy, "Application", kApplication, text, FWR_APP);
  }
  HRESULT get_LocIPAddrType(ERefType* type) override { return GetAddressType(kLocal, type); }
  HRESULT put_LocIPAddrType(ERefType type) override {
    return PutAddressType(kFWRuleConfig, "LocIPAddrType", kLocal, type);
  }
  HRESULT get_LocIPAddress(std::string* text) override { return GetFWText(kLocal, text); }
  HRESULT put_LocIPAddress(std::string_view text) override {
    return PutFWText(kFWRuleConfig, "LocIPAddress", kLocal, text, FWR_IPADDR);
  }
  HRESULT CopyToList(IFWRuleList* list, std::int32_t generate_id, IFWRule** copy) override;

  std::int16_t Compare(const RuleItemBase& other) const override {
    return CompareFWRules(*this, static_cast<const CFWRule&>(other), compare_context());
  }
};

inline constexpr ListTraits kFWRuleListTraits = {
    .class_name = "CFWRuleList",
    .create_name = "CreateRule",
    .clsid = &CLSID_FWRuleList,
    .iid = &IFWRuleList::kIID,
    .strict_weak_order = false,
};

class CFWRuleListBase : public RuleList<IFWRuleList, CFWRule, IFWRule> {
 public:
  HRESULT CreateRule(IFWRule** rule) override { return Create(rule); }
  HRESULT Insert(IFWRule* rule, IFWRule* before) override { return RuleList::Insert(rule, before); }
  HRESULT Remove(IFWRule* rule) override { return RuleList::Remove(rule); }
  HRESULT Clear() override { return RuleList::Clear(); }
  HRESULT Get(std::string_view id, IFWRule** rule) override { return RuleList::Get(id, rule); }
  HRESULT GetLabelClientServerStatus(std::string_view label, EClientServerStatus* client,
                                     EClientServerStatus* server) override;
  HRESULT GenerateRuleID(std::int32_t type, std::int32_t master, std::int32_t* id) override {
    return RuleList::GenerateRuleID(type, master, id);
  }
  HRESULT GetByRuleNum(std::int32_t id, IFWRule** rule) override {
    return RuleList::GetByRuleNum(id, rule);
  }
  HRESULT InsertEx(IFWRule* rule, std::int32_t master, IFWRule** copy) override {
    return RuleList::InsertEx(rule, master, copy);
  }

 protected:
  CFWRuleListBase(IListOwner* owner, const RuleCompareContext& context)
      : RuleList(owner, kFWRuleListTraits, context) {}
};

// `context` (the parser's definitions) outlives the list.
class CFWRuleList final : public WithoutMoves<CFWRuleListBase, IFWRule> {
 public:
  CFWRuleList(IListOwner* owner, const RuleCompareContext& context)
      : WithoutMoves(owner, context) {}
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_FW_FW_RULE_H_

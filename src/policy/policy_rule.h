// The policy rule: the rule shape the anti-malware, sandbox and data
// inspection databases share — an application, an object (type and path),
// out-conditions, a time of day, an OS scope, a precedence, flags, free
// texts, and the rule's own access-descriptor and condition-switch lists.
//
// One implementation serves the three kinds. PolicyRuleCore holds the data
// and the behaviour (setter sequence, System/Account coupling, copying, the
// comparison that orders rule lists); PolicyRule<Kind> is the COM identity
// that forwards the kind's interface to it. What differs between kinds is a
// PolicyRuleConfig constant (class name for error sources, property
// numbers) and, for a kind with extra properties, a few members of its own
// rule class:
//
//   using AMRuleKind =
//       PolicyRuleKind<IAMRule, IAMRuleList, CAMRule, CAMRuleList, kAMRuleConfig>;
//   class CAMRule final : public PolicyRule<AMRuleKind> {};
//   class CSBXRule final : public PolicyRule<SBXRuleKind> {
//     // get_/put_DllObject through GetInt/PutInt on &Fields::dll_object
//   };
//
// Memory: numbers are plain 32-bit fields, the texts share one heap block
// (PackedText), and the two sub-lists are made on first use, so a rule
// without condition switches carries no switch list.
//
// Apartment-threaded, like the parser that owns the rule.
#ifndef XMLSECDB_POLICY_POLICY_RULE_H_
#define XMLSECDB_POLICY_POLICY_RULE_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "core/return_if_failed.h"
#include "list/list_item.h"
#include "list/packed_text.h"
#include "list/rule_copy.h"
#include "list/rule_list.h"
#include "model/access_descriptor.h"
#include "model/condition_switch.h"
#include "model/precedence.h"
#include "model/rule_account.h"
#include "model/rule_compare.h"
#include "xmlsecdb/am.h"

namespace xmlsecdb {

// The property numbers a kind's setters pass with the rule-changed events.
struct PolicyRuleProperties {
  std::int32_t priority;
  std::int32_t app;        // AppType, Application
  std::int32_t object;     // ObjectType, PathType, Path
  std::int32_t condition;  // OutConditionAND, OutConditionOR
  std::int32_t time;       // TimeOfDayType, TimeOfDay
  std::int32_t os_version;
  std::int32_t id;  // RuleID, RuleIDString
  std::int32_t system;
  std::int32_t account;
  std::int32_t assignment;
  std::int32_t preferred;
  std::int32_t learning_mode;
  std::int32_t process_id;
  std::int32_t enabled;
  std::int32_t description;  // Description, UIFlags
  std::int32_t order;
  std::int32_t dll_object;      // kinds that expose DllObject
  std::int32_t scan_item_list;  // kinds that expose ScanItemListID
};

// The numbers of the policy rule interfaces: the anti-malware rule's
// (_EAMRuleProperty), which the sandbox and data inspection rules take
// with their own changes (KindRuleNumbers).
inline constexpr PolicyRuleProperties kPolicyRuleNumbers = {
    .priority = AMR_PRIORITY,
    .app = AMR_APP,
    .object = AMR_OBJECT,
    .condition = AMR_CONDITION,
    .time = AMR_TIME,
    .os_version = AMR_OSVERSION,
    .id = AMR_ID,
    .system = AMR_SYSTEM,
    .account = AMR_SYSTEM,
    .assignment = AMR_ASSIGNMENT,
    .preferred = AMR_PREFERRED,
    .learning_mode = AMR_LEARNING_MODE,
    .process_id = AMR_PROCESS_ID,
    .enabled = AMR_ENABLED,
    .description = AMR_DESCRIPTION,
    .order = AMR_ORDER,
    .dll_object = 0,
    .scan_item_list = 0,
};

// The numbers of a kind that reports those of `base` but Account as
// `account`, and numbers one property of its own (`extra`) as `number`.
constexpr PolicyRuleProperties KindRuleNumbers(PolicyRuleProperties base, std::int32_t account,
                                               std::int32_t PolicyRuleProperties::*extra,
                                               std::int32_t number) {
  base.account = account;
  base.*extra = number;
  return base;
}

struct PolicyRuleConfig {
  // The rule class named in error sources: "CAMRule" gives
  // "CAMRule::put_Priority()".
  std::string_view class_name;
  PolicyRuleProperties properties;
  // The kind's list, for lists made with PolicyRuleList's one-argument
  // constructor.
  ListTraits list = {};
};

// The names a kind's rule and list templates are instantiated with: the
// kind's rule and list interfaces, its rule and list classes, and its
// config.
template <class RuleInterface, class RuleListInterface, class RuleClass, class ListClass,
          const PolicyRuleConfig& Config>
struct PolicyRuleKind {
  using Interface = RuleInterface;
  using ListInterface = RuleListInterface;
  using Rule = RuleClass;
  using List = ListClass;
  static constexpr const PolicyRuleConfig& kConfig = Config;
};

class PolicyRuleCore : public CRule {
 public:
  // The texts, as slots of one PackedText. The last two are read from
  // sandbox files only and exposed by no property.
  enum TextSlot : std::size_t {
    kApplication,
    kPath,
    kTimeOfDay,
    kAssignment,
    kDescription,
    kUIFlags,
    kDictionaryId,
    kFileTypeId,
    kTextSlots
  };
  using Texts = PackedText<kTextSlots>;

  // Every number of the rule. Enumerations are kept as the 32-bit values
  // clients set: setters do not range-check them.
  struct Fields {
    Precedence precedence;
    std::int32_t app_type = AT_LABEL;
    std::int32_t object_type = 0;
    std::int32_t path_type = RT_DIRECT;
    std::int32_t out_condition_and = 0;
    std::int32_t out_condition_or = 0;
    std::int32_t time_of_day_type = RT_DIRECT;
    std::int32_t os_version = OSVER_WIN_ALL;
    std::int32_t system = 0;
    std::int32_t learning_mode = 0;
    std::int32_t process_id = 0;
    std::int32_t account = RA_USER;
    std::int32_t enabled = 1;
    // Read from files of the kinds that have them; see the kinds' sections.
    std::int32_t dll_object = 0;
    std::int32_t scan_item_list = 0;  // unsigned in files ("%u")
  };
  using IntField = std::int32_t Fields::*;

  // Direct access for content handlers and save routines: no guard, no
  // notification. Only for rules that are not members of a list, or for
  // reading.
  Fields& fields() { return fields_; }
  const Fields& fields() const { return fields_; }
  Texts& texts() { return texts_; }
  std::string_view text(TextSlot slot) const { return texts_.get(slot); }

  // The sub-lists: made on first use. The const forms return nullptr while
  // a list has not been made (it is empty then).
  CAccessDescriptorList& access_list();
  CConditionSwitchList& switch_list();
  const CAccessDescriptorList* access_list_if_any() const { return access_.get(); }
  const CConditionSwitchList* switch_list_if_any() const { return switches_.get(); }

  // The setter and getter bodies the kinds' interfaces forward to. Each
  // setter is the whole sequence: the read-only guard naming
  // "<class>::put_<name>()", then the store, with the change notices around
  // it when the rule is attached and the value changes.
  HRESULT GetInt(IntField field, std::int32_t* value) const;
  [[nodiscard]] HRESULT PutInt(const PolicyRuleConfig& config, std::string_view name,
                               IntField field, std::int32_t value, std::int32_t property);
  HRESULT GetText(TextSlot slot, std::string* value) const;
  [[nodiscard]] HRESULT PutText(const PolicyRuleConfig& config, std::string_view name,
                                TextSlot slot, std::string_view value, std::int32_t property);
  [[nodiscard]] HRESULT PutPriorityValue(const PolicyRuleConfig& config, std::int32_t priority);
  [[nodiscard]] HRESULT PutPreferredValue(const PolicyRuleConfig& config, std::int32_t preferred);
  [[nodiscard]] HRESULT PutOrderValue(const PolicyRuleConfig& config, std::int32_t order);
  [[nodiscard]] HRESULT PutSystem(const PolicyRuleConfig& config, std::int32_t system);
  [[nodiscard]] HRESULT PutAccount(const PolicyRuleConfig& config, std::int32_t account);
  [[nodiscard]] HRESULT PutRuleIDValue(const PolicyRuleConfig& config, std::int32_t id);
  [[nodiscard]] HRESULT PutRuleIDText(const PolicyRuleConfig& config, std::string_view id);
  HRESULT GetAccessList(IAccessDescriptorList** list);
  HRESULT GetSwitchList(IConditionSwitchList** list);

  // Gives `target` (a detached rule of any policy kind) every value of this
  // rule and copies of its access descriptors and condition switches; the
  // identifier is left to the caller.
  [[nodiscard]] HRESULT CopyContentTo(PolicyRuleCore& target) const;

  // The rule's ordering key, the content filter's (model/rule_compare.h).
  RuleOrderKey order_key() const;
  // The order of rules in their list: CompareRuleOrderKeys of the two keys.
  std::int16_t CompareContent(const PolicyRuleCore& other) const;

 protected:
  PolicyRuleCore() = default;
  ~PolicyRuleCore();

 private:
  // Stores System and Account as the setters couple them (model/rule_account.h).
  void StoreSystemAccount(SystemAccount pair, std::int32_t property);
  // The guard alone: builds the source text only when it fails.
  [[nodiscard]] HRESULT Guard(const PolicyRuleConfig& config, std::string_view name) const;
  // Stores by `store()` with the notices of `property` around it when the
  // rule is attached and `changes` holds.
  template <class Store>
  void Apply(bool changes, std::int32_t property, Store store) {
    if (!attached() || !changes) {
      store();
      return;
    }
    NotifyChange(true, property);
    store();
    NotifyChange(false, property);
  }

  Fields fields_;
  Texts texts_;
  // Raw references, released (and the lists detached) by the destructor.
  ComPtr<CAccessDescriptorList> access_;
  ComPtr<CConditionSwitchList> switches_;
};

// The COM identity of a kind's rule: every IAMRule-shaped member, forwarded
// to PolicyRuleCore with the kind's config.
template <class Kind>
class PolicyRule : public ItemObject<PolicyRuleCore, typename Kind::Interface> {
 public:
  using Interface = typename Kind::Interface;
  using ListInterface = typename Kind::ListInterface;
  static constexpr const PolicyRuleConfig& kConfig = Kind::kConfig;
  static constexpr const PolicyRuleProperties& kNumbers = Kind::kConfig.properties;
  using Fields = PolicyRuleCore::Fields;

  HRESULT get_Priority(EPriority* priority) override {
    return GetPriority(this->fields().precedence, priority);
  }
  HRESULT put_Priority(EPriority priority) override {
    return this->PutPriorityValue(kConfig, priority);
  }
  HRESULT get_AppType(EAppType* type) override { return GetEnum(&Fields::app_type, type); }
  HRESULT put_AppType(EAppType type) override {
    return this->PutInt(kConfig, "AppType", &Fields::app_type, type, kNumbers.app);
  }
  HRESULT get_Application(std::string* text) override {
    return this->GetText(PolicyRuleCore::kApplication, text);
  }
  HRESULT put_Application(std::string_view text) override {
    return this->PutText(kConfig, "Application", PolicyRuleCore::kApplication, text, kNumbers.app);
  }
  HRESULT get_ObjectType(std::int32_t* type) override {
    return this->GetInt(&Fields::object_type, type);
  }
  HRESULT put_ObjectType(std::int32_t type) override {
    return this->PutInt(kConfig, "ObjectType", &Fields::object_type, type, kNumbers.object);
  }
  HRESULT get_PathType(ERefType* type) override { return GetEnum(&Fields::path_type, type); }
  HRESULT put_PathType(ERefType type) override {
    return this->PutInt(kConfig, "PathType", &Fields::path_type, type, kNumbers.object);
  }
  HRESULT get_Path(std::string* text) override {
    return this->GetText(PolicyRuleCore::kPath, text);
  }
  HRESULT put_Path(std::string_view text) override {
    return this->PutText(kConfig, "Path", PolicyRuleCore::kPath, text, kNumbers.object);
  }
  HRESULT get_OutConditionAND(std::int32_t* mask) override {
    return this->GetInt(&Fields::out_condition_and, mask);
  }
  HRESULT put_OutConditionAND(std::int32_t mask) override {
    return this->PutInt(kConfig, "OutConditionAND", &Fields::out_condition_and, mask,
                        kNumbers.condition);
  }
  HRESULT get_OutConditionOR(std::int32_t* mask) override {
    return this->GetInt(&Fields::out_condition_or, mask);
  }
  HRESULT put_OutConditionOR(std::int32_t mask) override {
    return this->PutInt(kConfig, "OutConditionOR", &Fields::out_condition_or, mask,
                        kNumbers.condition);
  }
  HRESULT get_TimeOfDayType(ERefType* type) override {
    return GetEnum(&Fields::time_of_day_type, type);
  }
  HRESULT put_TimeOfDayType(ERefType type) override {
    return this->PutInt(kConfig, "TimeOfDayType", &Fields::time_of_day_type, type, kNumbers.time);
  }
  HRESULT get_TimeOfDay(std::string* text) override {
    return this->GetText(PolicyRuleCore::kTimeOfDay, text);
  }
  HRESULT put_TimeOfDay(std::string_view text) override {
    return this->PutText(kConfig, "TimeOfDay", PolicyRuleCore::kTimeOfDay, text, kNumbers.time);
  }
  HRESULT get_OSVersion(EOSVersion* version) override {
    return GetEnum(&Fields::os_version, version);
  }
  HRESULT put_OSVersion(EOSVersion version) override {
    return this->PutInt(kConfig, "OSVersion", &Fields::os_version, version, kNumbers.os_version);
  }
  HRESULT get_AccessDescriptorList(IAccessDescriptorList** list) override {
    return this->GetAccessList(list);
  }
  HRESULT get_RuleID(std::int32_t* id) override { return GetField(this->rule_id(), id); }
  HRESULT put_RuleID(std::int32_t id) override { return this->PutRuleIDValue(kConfig, id); }
  HRESULT get_RuleIDString(std::string* text) override {
    return GetField(this->RuleIDString(), text);
  }
  HRESULT put_RuleIDString(std::string_view text) override {
    return this->PutRuleIDText(kConfig, text);
  }
  HRESULT get_System(std::int32_t* system) override {
    return this->GetInt(&Fields::system, system);
  }
  HRESULT put_System(std::int32_t system) override { return this->PutSystem(kConfig, system); }
  HRESULT get_Assignment(std::string* text) override {
    return this->GetText(PolicyRuleCore::kAssignment, text);
  }
  HRESULT put_Assignment(std::string_view text) override {
    return this->PutText(kConfig, "Assignment", PolicyRuleCore::kAssignment, text,
                         kNumbers.assignment);
  }
  HRESULT get_Preferred(std::int32_t* preferred) override {
    return GetPreferred(this->fields().precedence, preferred);
  }
  HRESULT put_Preferred(std::int32_t preferred) override {
    return this->PutPreferredValue(kConfig, preferred);
  }
  HRESULT get_ConditionSwitchList(IConditionSwitchList** list) override {
    return this->GetSwitchList(list);
  }
  HRESULT get_LearningMode(std::int32_t* mode) override {
    return this->GetInt(&Fields::learning_mode, mode);
  }
  HRESULT put_LearningMode(std::int32_t mode) override {
    return this->PutInt(kConfig, "LearningMode", &Fields::learning_mode, mode,
                        kNumbers.learning_mode);
  }
  HRESULT get_ProcessID(std::int32_t* id) override { return this->GetInt(&Fields::process_id, id); }
  HRESULT put_ProcessID(std::int32_t id) override {
    return this->PutInt(kConfig, "ProcessID", &Fields::process_id, id, kNumbers.process_id);
  }
  HRESULT get_Account(ERuleAccount* account) override { return GetEnum(&Fields::account, account); }
  HRESULT put_Account(ERuleAccount account) override { return this->PutAccount(kConfig, account); }
  HRESULT get_Enabled(std::int32_t* enabled) override {
    return this->GetInt(&Fields::enabled, enabled);
  }
  HRESULT put_Enabled(std::int32_t enabled) override {
    return this->PutInt(kConfig, "Enabled", &Fields::enabled, enabled, kNumbers.enabled);
  }
  HRESULT get_Description(std::string* text) override {
    return this->GetText(PolicyRuleCore::kDescription, text);
  }
  HRESULT put_Description(std::string_view text) override {
    return this->PutText(kConfig, "Description", PolicyRuleCore::kDescription, text,
                         kNumbers.description);
  }
  HRESULT get_UIFlags(std::string* text) override {
    return this->GetText(PolicyRuleCore::kUIFlags, text);
  }
  HRESULT put_UIFlags(std::string_view text) override {
    return this->PutText(kConfig, "UIFlags", PolicyRuleCore::kUIFlags, text, kNumbers.description);
  }
  HRESULT get_Order(std::int32_t* order) override {
    return GetOrder(this->fields().precedence, order);
  }
  HRESULT put_Order(std::int32_t order) override { return this->PutOrderValue(kConfig, order); }

  HRESULT CopyToList(ListInterface* list, std::int32_t generate_id, Interface** copy) override {
    return CopyRuleToList<typename Kind::Rule>(
        *this, this->fields().object_type, list, generate_id, copy,
        [this](PolicyRuleCore& target) { return this->CopyContentTo(target); });
  }

  std::int16_t Compare(const RuleItemBase& other) const override {
    return this->CompareContent(
        static_cast<const PolicyRuleCore&>(static_cast<const typename Kind::Rule&>(other)));
  }

 protected:
  PolicyRule() = default;

 private:
  template <class E>
  HRESULT GetEnum(PolicyRuleCore::IntField field, E* value) const {
    return GetField(static_cast<E>(this->fields().*field), value);
  }
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_POLICY_POLICY_RULE_H_

// The firewall's three smaller rule families:
//
//   - CFWZoneRule / CFWZoneRuleList: which networks count as the safe or
//     the dangerous zone. Ordered by comparison; changes of a member raise
//     the zone-rule events with an EFWRuleProperty.
//   - CFWDialNumber / CFWDialNumberList: the numbers a dial-up connection
//     may call. Appended in insertion order (sorted before a save that
//     follows a change); no events. Its DialNumberID is the rule id.
//   - CBindSocket / CBindSocketList: how an application's listening
//     sockets are reported. A plain list, without a duplicate check; the
//     events carry the notification alone.
//
// Apartment-threaded, like the parser.
#ifndef XMLSECDB_FW_FW_SMALL_RULES_H_
#define XMLSECDB_FW_FW_SMALL_RULES_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "fw/fw_dispatch.h"
#include "list/list_item.h"
#include "list/owned.h"
#include "list/plain_list.h"
#include "list/rule_list.h"
#include "model/access_descriptor.h"
#include "model/precedence.h"
#include "xmlsecdb/fw_rules.h"

namespace xmlsecdb {

inline constexpr CLSID CLSID_FWZoneRule = MakeGuid("{5EC0DB00-0E87-4000-8000-5EC0DB000E87}");
inline constexpr CLSID CLSID_FWDialNumber = MakeGuid("{5EC0DB00-0E88-4000-8000-5EC0DB000E88}");
inline constexpr CLSID CLSID_BindSocket = MakeGuid("{5EC0DB00-0E89-4000-8000-5EC0DB000E89}");
inline constexpr CLSID CLSID_BindSocketList = MakeGuid("{5EC0DB00-0E90-4000-8000-5EC0DB000E90}");
inline constexpr CLSID CLSID_FWDialNumberList = MakeGuid("{5EC0DB00-0E93-4000-8000-5EC0DB000E93}");
inline constexpr CLSID CLSID_FWZoneRuleList = MakeGuid("{5EC0DB00-0E94-4000-8000-5EC0DB000E94}");

// ---------------------------------------------------------------------------
// Zone rules.

class CFWZoneRule final : public ItemObject<RuleItemBase, IFWZoneRule> {
 public:
  struct Fields {
    std::int32_t category = CAT_UNKNOWN;
    std::int32_t address_type = RT_DIRECT;
    std::string address;
    std::string interface_name;
    std::int32_t zone = ZID_UNASSIGNED;
    std::int32_t enabled = 1;
    std::string ui_flags;
    std::string description;
    std::string assignment = "*";
    Precedence precedence;
    std::string domain;
    std::string ssid;
    std::int32_t audit_level = AL_IGNORE;
  };
  // Unchecked, for loaders and writers.
  Fields& fields() { return fields_; }
  const Fields& fields() const { return fields_; }

  HRESULT get_Category(EZoneCategory* category) override;
  HRESULT put_Category(EZoneCategory category) override;
  HRESULT get_IPAddrType(ERefType* type) override;
  HRESULT put_IPAddrType(ERefType type) override;
  HRESULT get_IPAddress(std::string* address) override;
  HRESULT put_IPAddress(std::string_view address) override;
  HRESULT get_Interface(std::string* name) override;
  HRESULT put_Interface(std::string_view name) override;
  HRESULT get_Priority(std::uint32_t* priority) override;
  HRESULT put_Priority(std::uint32_t priority) override;
  HRESULT get_Zone(EZoneId* zone) override;
  HRESULT put_Zone(EZoneId zone) override;
  HRESULT get_RuleID(std::int32_t* id) override;
  HRESULT put_RuleID(std::int32_t id) override;
  HRESULT get_RuleIDString(std::string* id) override;
  HRESULT put_RuleIDString(std::string_view id) override;
  HRESULT get_Enabled(std::int32_t* enabled) override;
  HRESULT put_Enabled(std::int32_t enabled) override;
  HRESULT get_Description(std::string* text) override;
  HRESULT put_Description(std::string_view text) override;
  HRESULT get_UIFlags(std::string* flags) override;
  HRESULT put_UIFlags(std::string_view flags) override;
  HRESULT get_Assignment(std::string* assignment) override;
  HRESULT put_Assignment(std::string_view assignment) override;
  HRESULT get_Order(std::int32_t* order) override;
  HRESULT put_Order(std::int32_t order) override;
  HRESULT CopyToList(IFWZoneRuleList* list, std::int32_t generate_id, IFWZoneRule** copy) override;
  HRESULT get_Domain(std::string* domain) override;
  HRESULT put_Domain(std::string_view domain) override;
  HRESULT get_SSID(std::string* ssid) override;
  HRESULT put_SSID(std::string_view ssid) override;
  HRESULT get_AuditLevel(EAuditLevel* level) override;
  HRESULT put_AuditLevel(EAuditLevel level) override;

  // Order (1), category (2), zone (3), address (4), domain (5), SSID (6).
  std::int16_t Compare(const RuleItemBase& other) const override;

 private:
  Fields fields_;
};

inline constexpr ListTraits kFWZoneRuleListTraits = {
    .class_name = "CFWZoneRuleList",
    .create_name = "CreateRule",
    .clsid = &CLSID_FWZoneRuleList,
    .iid = &IFWZoneRuleList::kIID,
    .strict_weak_order = false,
};

class CFWZoneRuleList final : public RuleList<IFWZoneRuleList, CFWZoneRule, IFWZoneRule> {
 public:
  explicit CFWZoneRuleList(IListOwner* owner) : RuleList(owner, kFWZoneRuleListTraits) {}

  HRESULT CreateRule(IFWZoneRule** rule) override { return Create(rule); }
  HRESULT Insert(IFWZoneRule* rule) override { return RuleList::Insert(rule); }
  HRESULT Remove(IFWZoneRule* rule) override { return RuleList::Remove(rule); }
  HRESULT Clear() override { return RuleList::Clear(); }
  HRESULT Get(std::string_view id, IFWZoneRule** rule) override { return RuleList::Get(id, rule); }
  HRESULT GetByRuleNum(std::int32_t id, IFWZoneRule** rule) override {
    return RuleList::GetByRuleNum(id, rule);
  }
  HRESULT GenerateRuleID(std::int32_t /*master*/, std::int32_t* id) override {
    return GenerateID(id);
  }
};

// ---------------------------------------------------------------------------
// Dial numbers.

class CFWDialNumber final : public ItemObject<CRule, IFWDialNumber> {
 public:
  struct Fields {
    std::string number;
    std::int32_t enabled = 1;
    std::string description;
    std::string ui_flags;
    std::string assignment = "*";
    Precedence precedence;
  };
  ~CFWDialNumber();

  Fields& fields() { return fields_; }
  const Fields& fields() const { return fields_; }
  // The descriptors, made on first use; nullptr while there is none.
  CAccessDescriptorList& access_list();
  const CAccessDescriptorList* access_list_if_any() const { return access_.get(); }

  HRESULT get_Number(std::string* number) override;
  HRESULT put_Number(std::string_view number) override;
  // The first descriptor of the number's list; E_UNEXPECTED without one.
  HRESULT get_AccessDescriptor(IAccessDescriptor** descriptor) override;
  HRESULT get_Enabled(std::int32_t* enabled) override;
  HRESULT put_Enabled(std::int32_t enabled) override;
  HRESULT get_Description(std::string* text) override;
  HRESULT put_Description(std::string_view text) override;
  HRESULT get_UIFlags(std::string* flags) override;
  HRESULT put_UIFlags(std::string_view flags) override;
  HRESULT get_Assignment(std::string* assignment) override;
  HRESULT put_Assignment(std::string_view assignment) override;
  HRESULT get_Priority(EPriority* priority) override;
  HRESULT put_Priority(EPriority priority) override;
  // Not checked for uniqueness while the number is detached (Insert
  // checks). A member's id moves in its list's index, so a member cannot
  // take an id another member has (117): the index would no longer find
  // either.
  HRESULT get_DialNumberID(std::int32_t* id) override;
  HRESULT put_DialNumberID(std::int32_t id) override;
  HRESULT get_DialNumberIDString(std::string* id) override;
  HRESULT put_DialNumberIDString(std::string_view id) override;
  HRESULT get_Order(std::int32_t* order) override;
  HRESULT put_Order(std::int32_t order) override;

  // Order (1), number (2), assignment (3), access descriptors (10).
  std::int16_t Compare(const RuleItemBase& other) const override;

 private:
  Fields fields_;
  ComPtr<CAccessDescriptorList> access_;  // detached by the destructor
};

inline constexpr ListTraits kFWDialNumberListTraits = {
    .class_name = "CFWDialNumberList",
    .create_name = "CreateRule",
    .clsid = &CLSID_FWDialNumberList,
    .iid = &IFWDialNumberList::kIID,
    .insert_by_compare = false,
    .strict_weak_order = false,
};

class CFWDialNumberList final : public RuleList<IFWDialNumberList, CFWDialNumber, IFWDialNumber> {
 public:
  explicit CFWDialNumberList(IListOwner* owner) : RuleList(owner, kFWDialNumberListTraits) {}

  HRESULT CreateDialNumber(IFWDialNumber** number) override { return Create(number); }
  HRESULT Insert(IFWDialNumber* number, IFWDialNumber* before) override {
    return RuleList::Insert(number, before);
  }
  HRESULT Remove(IFWDialNumber* number) override { return RuleList::Remove(number); }
  HRESULT Clear() override { return RuleList::Clear(); }
  HRESULT GenerateDialNumberID(std::int32_t /*master*/, std::int32_t* id) override {
    return GenerateID(id);
  }
  HRESULT Get(std::string_view id, IFWDialNumber** number) override {
    return RuleList::Get(id, number);
  }
};

// ---------------------------------------------------------------------------
// Bind-socket notifications.

class CBindSocket final : public ItemObject<ListItemBase, IBindSocketNotification> {
 public:
  struct Fields {
    std::string label;
    std::int32_t notify_server_ports = AL_IGNORE;
    std::int32_t notify_gen_ports = AL_IGNORE;
    std::string assignment = "*";
    std::string ui_flags;
    Precedence precedence;
  };
  Fields& fields() { return fields_; }
  const Fields& fields() const { return fields_; }

  HRESULT get_Label(std::string* label) override;
  HRESULT put_Label(std::string_view label) override;
  HRESULT get_NotifyServerPorts(std::int32_t* level) override;
  HRESULT put_NotifyServerPorts(std::int32_t level) override;
  HRESULT get_NotifyGenPorts(std::int32_t* level) override;
  HRESULT put_NotifyGenPorts(std::int32_t level) override;
  HRESULT get_Priority(EPriority* priority) override;
  HRESULT put_Priority(EPriority priority) override;
  HRESULT get_Assignment(std::string* assignment) override;
  HRESULT put_Assignment(std::string_view assignment) override;
  HRESULT get_UIFlags(std::string* flags) override;
  HRESULT put_UIFlags(std::string_view flags) override;
  HRESULT get_Order(std::int32_t* order) override;
  HRESULT put_Order(std::int32_t order) override;

 private:
  Fields fields_;
};

inline constexpr ListTraits kBindSocketListTraits = {
    .class_name = "CBindSocketList",
    .create_name = "CreateBindSocketNotification",
    .clsid = &CLSID_BindSocketList,
    .iid = &IBindSocketNotificationList::kIID,
};

class CBindSocketList final
    : public PlainList<IBindSocketNotificationList, CBindSocket, IBindSocketNotification> {
 public:
  explicit CBindSocketList(IListOwner* owner) : PlainList(owner, kBindSocketListTraits) {}

  HRESULT CreateBindSocketNotification(IBindSocketNotification** notification) override {
    return Create(notification);
  }
  HRESULT Insert(IBindSocketNotification* notification) override {
    return PlainList::Insert(notification);
  }
  HRESULT Remove(IBindSocketNotification* notification) override {
    return PlainList::Remove(notification);
  }
  HRESULT Clear() override { return PlainList::Clear(); }
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_FW_FW_SMALL_RULES_H_

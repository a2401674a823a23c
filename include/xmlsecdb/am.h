// Anti-malware rules: which application may do what to which anti-malware
// object, under which conditions, with which access result and audit level.
//
// The rules of a database are the parser's `RuleList` (IAMRuleList), an
// ordered rule list: Insert places a rule by comparison (object type, then
// precedence, path, out-condition bit counts, assignment, access
// descriptors), whatever `before` says; identifiers are unique within the
// list. A rule made by CreateRule belongs to no list until inserted; it can
// be read and written meanwhile and raises nothing.
//
// Every setter fails with 0x80041006 (message 111, naming the setter, for
// example "CAMRule::put_Priority()") while the parser is read-only, and
// changes nothing then; getters keep working. A setter of a rule in the
// list marks the parser modified and raises the parser's events 27 and 28
// (DISPID_OnBeforeRuleChanged / DISPID_OnAfterRuleChanged of
// xmlsecdb/events.h) with the rule and its _EAMRuleProperty number, only
// when the value really changes. Setters do not range-check their values
// unless said below.
//
// Apartment-threaded, like the parser.
#ifndef XMLSECDB_AM_H_
#define XMLSECDB_AM_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "xmlsecdb/access.h"
#include "xmlsecdb/collection.h"
#include "xmlsecdb/enums.h"

namespace xmlsecdb {

// The property number the rule-changed events carry.
enum _EAMRuleProperty : std::int32_t {
  AMR_PRIORITY = 0,
  AMR_APP = 1,        // AppType, Application
  AMR_OBJECT = 2,     // ObjectType, PathType, Path
  AMR_CONDITION = 3,  // OutConditionAND, OutConditionOR
  AMR_TIME = 4,       // TimeOfDayType, TimeOfDay
  AMR_OSVERSION = 5,
  AMR_ID = 7,      // RuleID, RuleIDString
  AMR_SYSTEM = 9,  // System, Account
  AMR_ASSIGNMENT = 10,
  AMR_PREFERRED = 11,
  AMR_LEARNING_MODE = 13,
  AMR_PROCESS_ID = 14,
  AMR_ENABLED = 15,
  AMR_DESCRIPTION = 17,  // Description, UIFlags
  AMR_ORDER = 19,
};

// The DISPIDs of IAMRule's members, for late-bound clients. 23 is unused.
enum EAMRuleDispid : DISPID {
  DISPID_AMRule_Priority = 1,
  DISPID_AMRule_AppType = 2,
  DISPID_AMRule_Application = 3,
  DISPID_AMRule_ObjectType = 4,
  DISPID_AMRule_PathType = 5,
  DISPID_AMRule_Path = 6,
  DISPID_AMRule_OutConditionAND = 7,
  DISPID_AMRule_OutConditionOR = 8,
  DISPID_AMRule_TimeOfDayType = 9,
  DISPID_AMRule_TimeOfDay = 10,
  DISPID_AMRule_OSVersion = 11,
  DISPID_AMRule_AccessDescriptorList = 12,
  DISPID_AMRule_RuleID = 13,
  DISPID_AMRule_RuleIDString = 14,
  DISPID_AMRule_System = 15,
  DISPID_AMRule_Assignment = 16,
  DISPID_AMRule_Preferred = 17,
  DISPID_AMRule_ConditionSwitchList = 18,
  DISPID_AMRule_LearningMode = 19,
  DISPID_AMRule_ProcessID = 20,
  DISPID_AMRule_Account = 21,
  DISPID_AMRule_Enabled = 22,
  DISPID_AMRule_Description = 24,
  DISPID_AMRule_UIFlags = 25,
  DISPID_AMRule_Order = 26,
  DISPID_AMRule_CopyToList = 27,
};

// The members every policy rule interface has (IAMRule, ISBXRule,
// IDIRule), with `Rule` the kind's rule interface and `RuleList` its list
// interface. The kinds' interfaces derive from it and add their own
// members; it is no interface of its own (no IID).
template <class Rule, class RuleList>
struct IPolicyRule : IDispatch {
  // Priority, Preferred and Order are three views of one precedence number
  // (default 35000: normal, not preferred). Priority takes PRIOR_LOW,
  // PRIOR_NORMAL or PRIOR_HIGH and keeps the preferred flag; Preferred works
  // only while the number is one of the six table values. Both give
  // E_INVALIDARG, storing nothing, otherwise. Order stores any number; a
  // number outside the table reads as PRIOR_UNUSED.
  [[nodiscard]] virtual HRESULT get_Priority(EPriority* priority) = 0;
  [[nodiscard]] virtual HRESULT put_Priority(EPriority priority) = 0;
  // AT_LABEL: Application is a label name or path; AT_DEFINITION: the ID
  // of an application definition.
  [[nodiscard]] virtual HRESULT get_AppType(EAppType* type) = 0;
  [[nodiscard]] virtual HRESULT put_AppType(EAppType type) = 0;
  [[nodiscard]] virtual HRESULT get_Application(std::string* application) = 0;
  [[nodiscard]] virtual HRESULT put_Application(std::string_view application) = 0;
  // An EObjectType value; anti-malware rules use OT_ANTI_MALWARE, and only
  // those load back from a file.
  [[nodiscard]] virtual HRESULT get_ObjectType(std::int32_t* type) = 0;
  [[nodiscard]] virtual HRESULT put_ObjectType(std::int32_t type) = 0;
  // RT_DIRECT: Path is the object path; RT_DEFINITION: a definition ID.
  [[nodiscard]] virtual HRESULT get_PathType(ERefType* type) = 0;
  [[nodiscard]] virtual HRESULT put_PathType(ERefType type) = 0;
  [[nodiscard]] virtual HRESULT get_Path(std::string* path) = 0;
  [[nodiscard]] virtual HRESULT put_Path(std::string_view path) = 0;
  [[nodiscard]] virtual HRESULT get_OutConditionAND(std::int32_t* mask) = 0;
  [[nodiscard]] virtual HRESULT put_OutConditionAND(std::int32_t mask) = 0;
  [[nodiscard]] virtual HRESULT get_OutConditionOR(std::int32_t* mask) = 0;
  [[nodiscard]] virtual HRESULT put_OutConditionOR(std::int32_t mask) = 0;
  [[nodiscard]] virtual HRESULT get_TimeOfDayType(ERefType* type) = 0;
  [[nodiscard]] virtual HRESULT put_TimeOfDayType(ERefType type) = 0;
  [[nodiscard]] virtual HRESULT get_TimeOfDay(std::string* time) = 0;
  [[nodiscard]] virtual HRESULT put_TimeOfDay(std::string_view time) = 0;
  [[nodiscard]] virtual HRESULT get_OSVersion(EOSVersion* version) = 0;
  [[nodiscard]] virtual HRESULT put_OSVersion(EOSVersion version) = 0;
  // The rule's own list (a new reference); its changes follow the rule's
  // parser's read-only flag and mark the parser modified.
  [[nodiscard]] virtual HRESULT get_AccessDescriptorList(IAccessDescriptorList** list) = 0;
  // Changing the identifier of a rule in the list re-keys it; an
  // identifier another member has gives 0x80041005 (message 117) and
  // changes nothing. RuleIDString reads and writes the identifier text
  // ("12", "AS5"); empty text gives E_POINTER.
  [[nodiscard]] virtual HRESULT get_RuleID(std::int32_t* id) = 0;
  [[nodiscard]] virtual HRESULT put_RuleID(std::int32_t id) = 0;
  [[nodiscard]] virtual HRESULT get_RuleIDString(std::string* id) = 0;
  [[nodiscard]] virtual HRESULT put_RuleIDString(std::string_view id) = 0;
  // System and Account are coupled: System(x) also sets the account to
  // RA_SYSTEM (x non-zero) or RA_USER; Account(RA_USER or RA_SYSTEM) also
  // sets System to 0 or 1, Account(RA_BOTH) leaves it.
  [[nodiscard]] virtual HRESULT get_System(std::int32_t* system) = 0;
  [[nodiscard]] virtual HRESULT put_System(std::int32_t system) = 0;
  [[nodiscard]] virtual HRESULT get_Assignment(std::string* assignment) = 0;
  [[nodiscard]] virtual HRESULT put_Assignment(std::string_view assignment) = 0;
  [[nodiscard]] virtual HRESULT get_Preferred(std::int32_t* preferred) = 0;
  [[nodiscard]] virtual HRESULT put_Preferred(std::int32_t preferred) = 0;
  [[nodiscard]] virtual HRESULT get_ConditionSwitchList(IConditionSwitchList** list) = 0;
  [[nodiscard]] virtual HRESULT get_LearningMode(std::int32_t* mode) = 0;
  [[nodiscard]] virtual HRESULT put_LearningMode(std::int32_t mode) = 0;
  [[nodiscard]] virtual HRESULT get_ProcessID(std::int32_t* id) = 0;
  [[nodiscard]] virtual HRESULT put_ProcessID(std::int32_t id) = 0;
  [[nodiscard]] virtual HRESULT get_Account(ERuleAccount* account) = 0;
  [[nodiscard]] virtual HRESULT put_Account(ERuleAccount account) = 0;
  // Default 1.
  [[nodiscard]] virtual HRESULT get_Enabled(std::int32_t* enabled) = 0;
  [[nodiscard]] virtual HRESULT put_Enabled(std::int32_t enabled) = 0;
  [[nodiscard]] virtual HRESULT get_Description(std::string* description) = 0;
  [[nodiscard]] virtual HRESULT put_Description(std::string_view description) = 0;
  [[nodiscard]] virtual HRESULT get_UIFlags(std::string* flags) = 0;
  [[nodiscard]] virtual HRESULT put_UIFlags(std::string_view flags) = 0;
  [[nodiscard]] virtual HRESULT get_Order(std::int32_t* order) = 0;
  [[nodiscard]] virtual HRESULT put_Order(std::int32_t order) = 0;
  // Makes a rule of `list` with every property of this one and copies of
  // its access descriptors and condition switches, gives it a fresh
  // identifier of `list` when `generate_id` is non-zero, inserts it and
  // stores it in *copy (a new reference). The failure of any step is
  // returned and *copy is nullptr.
  [[nodiscard]] virtual HRESULT CopyToList(RuleList* list, std::int32_t generate_id,
                                           Rule** copy) = 0;
};

// The members every policy rule list interface has (IAMRuleList,
// ISBXRuleList, IDIRuleList), carrying the kind's rule interface `Rule`.
template <class Rule>
struct IPolicyRuleList : ISDCollection {
  // A new rule with the defaults, bound to this list; the caller releases
  // *rule. 0x80041006 on a read-only parser.
  [[nodiscard]] virtual HRESULT CreateRule(Rule** rule) = 0;
  // Places `rule` by comparison (`before` is not used). 0x80041005 (117)
  // when its identifier is taken.
  [[nodiscard]] virtual HRESULT Insert(Rule* rule, Rule* before) = 0;
  // 0x80041004 (107) when no member has the rule's identifier; E_FAIL,
  // changing nothing, when another member has it.
  [[nodiscard]] virtual HRESULT Remove(Rule* rule) = 0;
  [[nodiscard]] virtual HRESULT Clear() = 0;
  // The member with the identifier text `id`; 0x80041004 (107) when none.
  [[nodiscard]] virtual HRESULT Get(std::string_view id, Rule** rule) = 0;
  // The smallest free identifier from 1 up, or from -1 down when the
  // parser has a master parser. The arguments are not consulted.
  [[nodiscard]] virtual HRESULT GenerateRuleID(std::int32_t object_type, std::int32_t master,
                                               std::int32_t* id) = 0;
  [[nodiscard]] virtual HRESULT GetByRuleNum(std::int32_t id, Rule** rule) = 0;
  // rule->CopyToList(this, 1, copy): a copy with a fresh identifier.
  [[nodiscard]] virtual HRESULT InsertEx(Rule* rule, std::int32_t master, Rule** copy) = 0;
};

struct IAMRuleList;

struct IAMRule : IPolicyRule<IAMRule, IAMRuleList> {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0900-4000-8000-5EC0DB000900}");
  using Base = IDispatch;
};

struct IAMRuleList : IPolicyRuleList<IAMRule> {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0901-4000-8000-5EC0DB000901}");
  using Base = ISDCollection;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_AM_H_

// Sandbox rules: which application may touch which file, registry key,
// service, device, COM object, privilege, process spawn or DLL load, under
// which conditions, with which access result and audit level.
//
// A sandbox rule has every member of an anti-malware rule (IPolicyRule,
// xmlsecdb/am.h, whose notes on setters, read-only parsers and ordering
// hold here) and DllObject. Its setters raise the parser's events 27 and 28
// with the _ESBXRuleProperty numbers: those of the anti-malware rule,
// except that Account reports SBXR_ENABLED like Enabled, and DllObject
// reports SBXR_DLLOBJECT.
//
// Apartment-threaded, like the parser.
#ifndef XMLSECDB_SBX_H_
#define XMLSECDB_SBX_H_

#include <cstdint>

#include "xmlsecdb/am.h"

namespace xmlsecdb {

// The property number the rule-changed events carry. The dictionary and
// file type numbers are part of the set but no setter reports them: the
// rule keeps those identifiers as read from a file and exposes no
// property for them.
enum _ESBXRuleProperty : std::int32_t {
  SBXR_PRIORITY = 0,
  SBXR_APP = 1,        // AppType, Application
  SBXR_OBJECT = 2,     // ObjectType, PathType, Path
  SBXR_CONDITION = 3,  // OutConditionAND, OutConditionOR
  SBXR_TIME = 4,       // TimeOfDayType, TimeOfDay
  SBXR_OSVERSION = 5,
  SBXR_ID = 7,      // RuleID, RuleIDString
  SBXR_SYSTEM = 9,  // System
  SBXR_ASSIGNMENT = 10,
  SBXR_PREFERRED = 11,
  SBXR_LEARNING_MODE = 13,
  SBXR_PROCESS_ID = 14,
  SBXR_ENABLED = 15,  // Enabled, Account
  SBXR_DLLOBJECT = 16,
  SBXR_DESCRIPTION = 17,  // Description, UIFlags
  SBXR_ORDER = 19,
  SBXR_DICTIONARYID = 20,
  SBXR_FILETYPEID = 21,
};

// DllObject's DISPID, the one ISBXRule adds to IAMRule's (EAMRuleDispid).
inline constexpr DISPID DISPID_SBXRule_DllObject = 23;

struct ISBXRuleList;

struct ISBXRule : IPolicyRule<ISBXRule, ISBXRuleList> {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0A00-4000-8000-5EC0DB000A00}");
  using Base = IDispatch;

  // Default 0; any value is stored. A save writes dllobj="1" for any
  // non-zero value, which loads back as 1.
  [[nodiscard]] virtual HRESULT get_DllObject(std::int32_t* dll_object) = 0;
  [[nodiscard]] virtual HRESULT put_DllObject(std::int32_t dll_object) = 0;
};

struct ISBXRuleList : IPolicyRuleList<ISBXRule> {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0A01-4000-8000-5EC0DB000A01}");
  using Base = ISDCollection;

  // Not implemented: a rule's place follows from its content (see
  // Insert), so it cannot be moved. E_NOTIMPL whatever the arguments; the
  // list is not changed.
  [[nodiscard]] virtual HRESULT MoveUp(ISBXRule* rule) = 0;
  [[nodiscard]] virtual HRESULT MoveDown(ISBXRule* rule) = 0;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_SBX_H_

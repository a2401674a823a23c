// Data inspection rules: which application may create, read, write or
// delete inspected data and exchange dictionaries.
//
// A data inspection rule has every member of an anti-malware rule
// (IPolicyRule, xmlsecdb/am.h, whose notes on setters, read-only parsers
// and ordering hold here) and ScanItemListID. Its setters raise the
// parser's events 27 and 28 with the _EDIRuleProperty numbers: those of
// the anti-malware rule, except that Account reports DIR_ENABLED like
// Enabled, and ScanItemListID reports DIR_SCANITEMLISTID.
//
// Apartment-threaded, like the parser.
#ifndef XMLSECDB_DI_H_
#define XMLSECDB_DI_H_

#include <cstdint>

#include "xmlsecdb/am.h"

namespace xmlsecdb {

// The property number the rule-changed events carry.
enum _EDIRuleProperty : std::int32_t {
  DIR_PRIORITY = 0,
  DIR_APP = 1,        // AppType, Application
  DIR_OBJECT = 2,     // ObjectType, PathType, Path
  DIR_CONDITION = 3,  // OutConditionAND, OutConditionOR
  DIR_TIME = 4,       // TimeOfDayType, TimeOfDay
  DIR_OSVERSION = 5,
  DIR_ID = 7,      // RuleID, RuleIDString
  DIR_SYSTEM = 9,  // System
  DIR_ASSIGNMENT = 10,
  DIR_PREFERRED = 11,
  DIR_LEARNING_MODE = 13,
  DIR_PROCESS_ID = 14,
  DIR_ENABLED = 15,      // Enabled, Account
  DIR_DESCRIPTION = 17,  // Description, UIFlags
  DIR_ORDER = 19,
  DIR_SCANITEMLISTID = 22,
};

// ScanItemListID's DISPID, the one IDIRule adds to IAMRule's
// (EAMRuleDispid).
inline constexpr DISPID DISPID_DIRule_ScanItemListID = 28;

struct IDIRuleList;

struct IDIRule : IPolicyRule<IDIRule, IDIRuleList> {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0B00-4000-8000-5EC0DB000B00}");
  using Base = IDispatch;

  // The scan item list the rule applies, default 0; any value is stored.
  [[nodiscard]] virtual HRESULT get_ScanItemListID(std::uint32_t* id) = 0;
  [[nodiscard]] virtual HRESULT put_ScanItemListID(std::uint32_t id) = 0;
};

struct IDIRuleList : IPolicyRuleList<IDIRule> {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0B01-4000-8000-5EC0DB000B01}");
  using Base = ISDCollection;

  // Not implemented, as for ISBXRuleList: E_NOTIMPL whatever the
  // arguments; the list is not changed.
  [[nodiscard]] virtual HRESULT MoveUp(IDIRule* rule) = 0;
  [[nodiscard]] virtual HRESULT MoveDown(IDIRule* rule) = 0;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_DI_H_

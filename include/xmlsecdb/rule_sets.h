// Rule sets: named groups of rule lists.
//
// A rule set carries an identifier, a description and the identifiers of
// the rule lists that belong to it; the library keeps and saves them but
// does not interpret the rule-list identifiers. The firewall, sandbox, IDS,
// content filter, anti-malware and data inspection parsers each expose one
// IRuleSetList through their `RuleSetList` property.
//
// The list's calls return result codes only: unlike the other lists they
// set no error record. A rule set's properties are plain stores: they work
// on a read-only database too and raise no events.
//
// Apartment-threaded, like the parser that owns the list.
#ifndef XMLSECDB_RULE_SETS_H_
#define XMLSECDB_RULE_SETS_H_

#include <string>
#include <string_view>

#include "xmlsecdb/collection.h"
#include "xmlsecdb/definitions.h"

namespace xmlsecdb {

struct IRuleSet : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0600-4000-8000-5EC0DB000600}");
  using Base = IDispatch;

  [[nodiscard]] virtual HRESULT get_RuleSetID(std::string* id) = 0;
  [[nodiscard]] virtual HRESULT put_RuleSetID(std::string_view id) = 0;
  [[nodiscard]] virtual HRESULT get_Description(std::string* description) = 0;
  [[nodiscard]] virtual HRESULT put_Description(std::string_view description) = 0;
  // The rule set's own list of rule-list identifiers (a new reference to
  // it, not a copy): changes through it change the rule set.
  [[nodiscard]] virtual HRESULT get_RuleListIDs(ISimpleValueList** ids) = 0;
};

struct IRuleSetList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0601-4000-8000-5EC0DB000601}");
  using Base = ISDCollection;

  // A new rule set bound to this list but not yet a member.
  // SECDB_E_READONLY on a read-only database.
  [[nodiscard]] virtual HRESULT CreateRuleSet(IRuleSet** rule_set) = 0;
  // Inserts `rule_set` before `before`; a null `before`, or `before` equal
  // to `rule_set`, appends. SECDB_E_NOTFOUND, inserting nothing, when
  // `before` is not a member. Identifiers are not checked for duplicates.
  [[nodiscard]] virtual HRESULT Insert(IRuleSet* rule_set, IRuleSet* before) = 0;
  // Removes this very object; SECDB_E_NOTFOUND when it is not a member.
  [[nodiscard]] virtual HRESULT Remove(IRuleSet* rule_set) = 0;
  [[nodiscard]] virtual HRESULT Clear() = 0;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_RULE_SETS_H_

// RuleCompareContext: what a rule list's comparison may consult besides
// the two rules — the definitions of the list's parser, and those of the
// parser's master. A firewall rule names its transport, its addresses and
// its time of day by definition ID, and orders by what those definitions
// hold; the policy rules order by their own fields alone.
//
// The parser gives the context to each of its rule lists when it makes
// them (RuleListCore's constructor) and owns it for the lists' whole life;
// a rule reaches it through its list (RuleItemBase::compare_context). A
// rule that is no member of a list compares through kNoCompareContext.
// The look-ups raise nothing and record no error: a comparison that finds
// no definition orders as its kind says for a missing one.
//
// Apartment-threaded, like the parser.
#ifndef XMLSECDB_LIST_COMPARE_CONTEXT_H_
#define XMLSECDB_LIST_COMPARE_CONTEXT_H_

#include <string_view>

namespace xmlsecdb {

class ListItemBase;

class RuleCompareContext {
 public:
  // The member of the parser's definition list whose ID is `id` (the first
  // in list order), or nullptr. The kind casts it to its definition class.
  virtual const ListItemBase* FindDefinition(std::string_view id) const = 0;
  // The same in the definition list of the parser's master; nullptr when
  // the parser has no master or the master has no such definition.
  virtual const ListItemBase* FindMasterDefinition(std::string_view id) const = 0;

 protected:
  ~RuleCompareContext() = default;
};

// The context of lists whose comparison looks at the two rules alone:
// it finds nothing.
class NoCompareContext final : public RuleCompareContext {
 public:
  const ListItemBase* FindDefinition(std::string_view) const override { return nullptr; }
  const ListItemBase* FindMasterDefinition(std::string_view) const override { return nullptr; }
};

inline const NoCompareContext kNoCompareContext;

}  // namespace xmlsecdb

#endif  // XMLSECDB_LIST_COMPARE_CONTEXT_H_

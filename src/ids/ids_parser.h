// CIDSParser: the parser of IDS databases.
//
// Its sections, in save order: global options (single values only),
// definitions (address, rule-info and node-info objects), the groups (one
// `RuleList` element each) and the rule sets. None of its lists raises
// events; the parser raises only its load and save events.
#ifndef XMLSECDB_IDS_IDS_PARSER_H_
#define XMLSECDB_IDS_IDS_PARSER_H_

#include "core/parser_object.h"
#include "ids/ids_dispatch.h"
#include "ids/ids_group_section.h"
#include "ids/ids_words.h"
#include "model/globals_section.h"
#include "model/rule_set_section.h"

namespace xmlsecdb {

inline constexpr GlobalsConfig kIDSGlobals = {.events = kIDSNoEvents,
                                              .types = &kScalarPropertyType};

class CIDSParser final : public ParserObjectEx<ISDParserIDS> {
 public:
  CIDSParser();

  HRESULT get_GroupList(IIDSGroupList** groups) override;
  HRESULT get_GlobalOptions(IPropertyList** options) override;
  HRESULT get_DefinitionList(IDefinitionList** definitions) override;
  HRESULT get_RuleSetList(IRuleSetList** rule_sets) override;
  HRESULT GenerateSID(std::int32_t* sid) override;

 private:
  GlobalsSection globals_{this, kIDSGlobals};
  DefinitionsSection definitions_{this, kIDSDefinitions};
  IDSGroupSection groups_{this};
  RuleSetListSection rule_sets_{this, kIDSRuleSets};
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_IDS_IDS_PARSER_H_

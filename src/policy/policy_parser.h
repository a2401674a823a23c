// PolicyParser<Interface, List>: the parser of a policy database
// (anti-malware, sandbox, data inspection). The three kinds have the same
// five sections, in save order Globals, Definitions, ExceptionList,
// RuleList, RuleSetList; they differ in the sections' configs (a
// PolicyParserConfig constant), in their rule list class `List`, and in the
// parser interface. A kind's parser is then
//
//   class CAMParser final : public PolicyParser<ISDParserAM, CAMRuleList> {
//    public:
//     CAMParser() : PolicyParser(ParserKindOf(MODULE_AM), {kAMDefinitions, kAMExceptionItems,
//                                kAMRuleSection, kAMRuleSets, kAntiMalwareOptionNames, true}) {}
//   };
//
// plus the members its interface has beyond IPolicyParser's.
#ifndef XMLSECDB_POLICY_POLICY_PARSER_H_
#define XMLSECDB_POLICY_POLICY_PARSER_H_

#include <type_traits>

#include "core/parser_object.h"
#include "list/owned.h"
#include "model/app_exception_section.h"
#include "model/definitions_section.h"
#include "model/global_option_names.h"
#include "model/globals_section.h"
#include "model/rule_set_section.h"
#include "policy/policy_rule_section.h"
#include "xmlsecdb/events.h"

namespace xmlsecdb {

// The list events of the policy kinds: the same numbers for all three
// (xmlsecdb/events.h). The definition events are in model/definitions_section.h,
// the rule events in policy/policy_rule_section.h.
inline constexpr ListEventIds kPolicyGlobalOptionEvents = {
    DISPID_OnBeforeGlobalOptionInserted, DISPID_OnAfterGlobalOptionInserted,
    DISPID_OnBeforeGlobalOptionRemoved,  DISPID_OnAfterGlobalOptionRemoved,
    DISPID_OnBeforeGlobalOptionChanged,  DISPID_OnAfterGlobalOptionChanged};
inline constexpr ListEventIds kPolicyAppExceptionEvents = {
    DISPID_OnBeforeAppExceptionInserted, DISPID_OnAfterAppExceptionInserted,
    DISPID_OnBeforeAppExceptionRemoved,  DISPID_OnAfterAppExceptionRemoved,
    DISPID_OnBeforeAppExceptionChanged,  DISPID_OnAfterAppExceptionChanged};

// What differs between the policy kinds' sections; the list events are
// the same for all.
struct PolicyParserConfig {
  const DefinitionsConfig& definitions;
  const AppItemVocabulary& exception_items;
  const PolicyRuleSectionConfig& rules;
  const RuleSetSectionConfig& rule_sets;
  // The names of the kind's global options.
  std::span<const OptionName> option_names = {};
  // Whether `PropertySL` options are read (anti-malware only).
  bool reads_string_lists = false;
};

// ParserObjectEx for interfaces with XmlEx, ParserObject otherwise.
template <class Interface>
using ParserObjectFor = std::conditional_t<std::is_base_of_v<ISDParserEx, Interface>,
                                           ParserObjectEx<Interface>, ParserObject<Interface>>;

template <class Interface, class List>
class PolicyParser : public ParserObjectFor<Interface> {
 public:
  using RuleInterface = typename List::Rule::Interface;
  using RuleListInterface = typename List::Rule::ListInterface;

  HRESULT get_GlobalOptions(IPropertyList** list) override {
    return GetOwned(globals_.list(), list);
  }
  HRESULT get_DefinitionList(IDefinitionList** list) override {
    return GetOwned(definitions_.list(), list);
  }
  HRESULT get_AppExceptionList(IAppExceptionList** list) override {
    return GetOwned(exceptions_.list(), list);
  }
  HRESULT get_RuleList(RuleListInterface** list) override { return GetOwned(rules_.list(), list); }
  HRESULT get_RuleSetList(IRuleSetList** list) override {
    return GetOwned(rule_sets_.list(), list);
  }

  List* rules() const { return rules_.list(); }

 protected:
  PolicyParser(const ParserKind& kind, const PolicyParserConfig& config)
      : ParserObjectFor<Interface>(kind),
        globals_config_{.option_names = config.option_names,
                        .events = kPolicyGlobalOptionEvents,
                        .reads_string_lists = config.reads_string_lists},
        exceptions_config_{kPolicyAppExceptionEvents, config.exception_items},
        globals_(this, globals_config_),
        definitions_(this, config.definitions),
        exceptions_(this, exceptions_config_),
        // The policy comparison looks at the two rules alone.
        rules_(this, config.rules, kNoCompareContext),
        rule_sets_(this, config.rule_sets) {
    this->AddSection(&globals_);
    this->AddSection(&definitions_);
    this->AddSection(&exceptions_);
    this->AddSection(&rules_);
    this->AddSection(&rule_sets_);
  }

  void SortRuleLists() override { rules_.list()->Sort(); }

 private:
  // Before the sections, which keep references to them.
  const GlobalsConfig globals_config_;
  const AppExceptionSectionConfig exceptions_config_;
  GlobalsSection globals_;
  DefinitionsSection definitions_;
  ExceptionListSection exceptions_;
  PolicyRuleSection<List> rules_;
  RuleSetListSection rule_sets_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_POLICY_POLICY_PARSER_H_

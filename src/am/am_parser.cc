#include "am/am_parser.h"

#include "core/parser_kinds.h"
#include "xmlsecdb/events.h"

namespace xmlsecdb {
namespace {

inline constexpr ListEventIds kAMGlobalOptionEvents = {
    DISPID_OnBeforeGlobalOptionInserted, DISPID_OnAfterGlobalOptionInserted,
    DISPID_OnBeforeGlobalOptionRemoved,  DISPID_OnAfterGlobalOptionRemoved,
    DISPID_OnBeforeGlobalOptionChanged,  DISPID_OnAfterGlobalOptionChanged};

inline constexpr ListEventIds kAMAppExceptionEvents = {
    DISPID_OnBeforeAppExceptionInserted, DISPID_OnAfterAppExceptionInserted,
    DISPID_OnBeforeAppExceptionRemoved,  DISPID_OnAfterAppExceptionRemoved,
    DISPID_OnBeforeAppExceptionChanged,  DISPID_OnAfterAppExceptionChanged};

inline constexpr AppExceptionSectionConfig kAMExceptions = {kAMAppExceptionEvents,
                                                            kAMExceptionItems};

inline constexpr GlobalsConfig kAMGlobals = {
    .module = MODULE_AM, .events = kAMGlobalOptionEvents, .reads_string_lists = true};

template <class List, class Interface>
HRESULT Hand(List* list, Interface** out) {
  if (!out) return E_POINTER;
  *out = list;
  list->AddRef();
  return S_OK;
}

}  // namespace

CAMParser::CAMParser()
    : ParserObjectEx(ParserKindOf(MODULE_AM)),
      globals_(this, kAMGlobals),
      definitions_(this, kAMDefinitions),
      exceptions_(this, kAMExceptions),
      rules_(this, kAMRuleSection),
      rule_sets_(this, kAMRuleSets) {
  AddSection(&globals_);
  AddSection(&definitions_);
  AddSection(&exceptions_);
  AddSection(&rules_);
  AddSection(&rule_sets_);
}

HRESULT CAMParser::get_GlobalOptions(IPropertyList** list) { return Hand(globals_.list(), list); }

HRESULT CAMParser::get_DefinitionList(IDefinitionList** list) {
  return Hand(definitions_.list(), list);
}

HRESULT CAMParser::get_AppExceptionList(IAppExceptionList** list) {
  return Hand(exceptions_.list(), list);
}

HRESULT CAMParser::get_RuleList(IAMRuleList** list) { return Hand(rules_.list(), list); }

HRESULT CAMParser::get_RuleSetList(IRuleSetList** list) { return Hand(rule_sets_.list(), list); }

}  // namespace xmlsecdb

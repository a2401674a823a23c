#include "am/am_parser.h"

#include "core/parser_kinds.h"
#include "xmlsecdb/events.h"

namespace xmlsecdb {
namespace {

inline constexpr ListEventIds kAMGlobalOptionEvents = {
    DISPID_OnBeforeGlobalOptionInserted, DISPID_OnAfterGlobalOptionInserted,
    DISPID_OnBeforeGlobalOptionRemoved,  DISPID_OnAfterGlobalOptionRemoved,
    DISPID_OnBeforeGlobalOptionChanged,  DISPID_OnAfterGlobalOptionChanged};

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
      rules_(this, kAMRuleSection) {
  AddSection(&globals_);
  AddSection(&rules_);
}

HRESULT CAMParser::get_GlobalOptions(IPropertyList** list) { return Hand(globals_.list(), list); }

HRESULT CAMParser::get_RuleList(IAMRuleList** list) { return Hand(rules_.list(), list); }

}  // namespace xmlsecdb

#include "app/app_parser.h"

#include "app/app_words.h"
#include "core/parser_kinds.h"
#include "list/owned.h"
#include "policy/policy_parser.h"
#include "xmlsecdb/classes.h"

namespace xmlsecdb {
namespace {

inline constexpr GlobalsConfig kAppGlobals = {.option_names = kAppRepositoryOptionNames,
                                              .events = kPolicyGlobalOptionEvents};

ComPtr<IPathExpander> CreateExpander() {
  ComPtr<IPathExpander> expander;
  // A failure is ignored: the parser then has no expander.
  (void)CoCreateInstance(CLSID_PathExpander, nullptr, kAllClassContexts, IPathExpander::kIID,
                         reinterpret_cast<void**>(expander.Put()));
  return expander;
}

}  // namespace

CAPPParser::CAPPParser()
    : ParserObjectEx(ParserKindOf(MODULE_APP)), expander_(CreateExpander()), globals_(this, kAppGlobals) {
  AddSection(&globals_);
  AddSection(&redirections_);
  AddSection(&labels_);
  AddSection(&groups_);
  AddSection(&dll_labels_);
  AddSection(&dll_groups_);
  AddSection(&rules_);
}

HRESULT CAPPParser::get_GlobalOptions(IPropertyList** options) {
  return GetOwned(globals_.list(), options);
}
HRESULT CAPPParser::get_LabelList(ILabelList** labels) { return GetOwned(labels_.list(), labels); }
HRESULT CAPPParser::get_AppGroupList(IAppGroupList** groups) {
  return GetOwned(groups_.list(), groups);
}
HRESULT CAPPParser::get_DllLabelList(IDllLabelList** labels) {
  return GetOwned(dll_labels_.list(), labels);
}
HRESULT CAPPParser::get_DllGroupList(IDllGroupList** groups) {
  return GetOwned(dll_groups_.list(), groups);
}
HRESULT CAPPParser::get_DllIntegrityList(IDispatch** list) {
  if (list) *list = nullptr;
  return E_NOTIMPL;
}

}  // namespace xmlsecdb

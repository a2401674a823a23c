#include "app/app_parser.h"

#include "app/app_words.h"
#include "core/parser_kinds.h"
#include "platform/debug_log.h"
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
    : ParserObjectEx(ParserKindOf(MODULE_APP)),
      expander_(CreateExpander()),
      globals_(this, kAppGlobals) {
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
HRESULT CAPPParser::get_RuleList(IAppRuleList** rules) { return GetOwned(rules_.list(), rules); }
HRESULT CAPPParser::get_IdentityRedirectionList(IIdentityRedirectionList** redirections) {
  return GetOwned(redirections_.list(), redirections);
}
HRESULT CAPPParser::WriteSections(XmlWriter& writer, std::string_view section) {
  DebugLog("ZelXmlSd: CAPPParser::SaveImpl started\n");
  DebugLog("ZelXmlSd: CAPPParser::SaveImpl VersionInfo\n");
  DebugLog("ZelXmlSd: CAPPParser::SaveImpl Module\n");
  const HRESULT hr = ParserObjectEx::WriteSections(writer, section);
  if (Succeeded(hr)) DebugLog("ZelXmlSd: CAPPParser::SaveImpl ended S_OK\n");
  return hr;
}

void CAPPParser::BeforeSectionWrite(const Section& section) {
  const std::pair<const Section*, const char*> steps[] = {
      {&globals_, "global options"}, {&redirections_, "group list"},
      {&labels_, "labels"},          {&groups_, "app groups"},
      {&dll_labels_, "dll label list"}, {&dll_groups_, "dll group list"},
      {&rules_, "app rule list"},
  };
  for (const auto& [at, step] : steps) {
    if (at == &section) DebugLog("ZelXmlSd: CAPPParser::SaveImpl %s\n", step);
  }
}

HRESULT CAPPParser::get_DllIntegrityList(IDispatch** list) {
  if (list) *list = nullptr;
  return E_NOTIMPL;
}

}  // namespace xmlsecdb

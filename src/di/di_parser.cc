#include "di/di_parser.h"

#include "core/parser_kinds.h"

namespace xmlsecdb {

CDIParser::CDIParser()
    : PolicyParser(ParserKindOf(MODULE_DI),
                   {kDIDefinitions, kDIExceptionItems, kDIRuleSection, kDIRuleSets}) {}

HRESULT CDIParser::SetXml(std::string_view text, std::int16_t* succeeded) {
  HRESULT hr = CheckWritable("CDIParser::SetXml()");
  if (Failed(hr)) return hr;
  if (text.empty()) return E_INVALIDARG;
  if (!succeeded) return E_POINTER;
  *succeeded = 0;
  FireEvent(DISPID_OnBeforeLoad);
  hr = LoadText(text);
  if (Succeeded(hr)) *succeeded = 1;
  FireEvent(DISPID_OnAfterLoad);
  return hr;
}

}  // namespace xmlsecdb

#include "model/expression.h"

namespace xmlsecdb {

HRESULT CExpressionElement::get_Description(std::string* description) {
  return GetField(description_, description);
}

HRESULT CExpressionElement::put_Description(std::string_view description) {
  return Put("CExpressionElement::put_Description()", description_, std::string(description),
             EEP_DESCRIPTION);
}

HRESULT CExpressionElement::get_value(std::string* value) { return GetField(value_, value); }

HRESULT CExpressionElement::put_value(std::string_view value) {
  return Put("CExpressionElement::put_value()", value_, std::string(value), EEP_VALUE);
}

std::string CExpression::Text() const {
  std::string text;
  for (const CExpressionElement* element : *this) text += element->value();
  return text;
}

HRESULT CExpression::get_String(std::string* text) {
  if (!text) return E_POINTER;
  *text = Text();
  return S_OK;
}

HRESULT CExpression::Append(std::string_view description, std::string_view value) {
  ComPtr<CExpressionElement> element = NewItem();
  element->set_description(description);
  element->set_value(value);
  return InsertMember(element.get());
}

}  // namespace xmlsecdb

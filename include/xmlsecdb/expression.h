// Expressions: ordered lists of described values.
//
// An expression (IExpression) is a list of elements (IExpressionElement),
// each a value with a description. Its `String` is the values joined in
// list order without separators; this is the text an owner matches, and
// the descriptions are for people. An identity redirection of the
// application repository owns one, and so may other objects.
//
// The setters of an element and the modifying members of the list fail
// with 0x80041006 (message 111) while the owner's parser is read-only and
// change nothing then; neither raises events. Apartment-threaded, like the
// parser.
#ifndef XMLSECDB_EXPRESSION_H_
#define XMLSECDB_EXPRESSION_H_

#include <string>
#include <string_view>

#include "xmlsecdb/collection.h"

namespace xmlsecdb {

struct IExpressionElement : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0F00-4000-8000-5EC0DB000F00}");
  using Base = IDispatch;

  // Both default empty; any text is stored.
  [[nodiscard]] virtual HRESULT get_Description(std::string* description) = 0;
  [[nodiscard]] virtual HRESULT put_Description(std::string_view description) = 0;
  [[nodiscard]] virtual HRESULT get_value(std::string* value) = 0;
  [[nodiscard]] virtual HRESULT put_value(std::string_view value) = 0;
};

struct IExpression : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0F01-4000-8000-5EC0DB000F01}");
  using Base = ISDCollection;

  // A new element of this expression, not yet a member.
  [[nodiscard]] virtual HRESULT Create(IExpressionElement** element) = 0;
  // Appends. An element that is a member already (of any expression) gives
  // E_INVALIDARG.
  [[nodiscard]] virtual HRESULT Insert(IExpressionElement* element) = 0;
  // 0x80041004 (message 107) when `element` is not a member.
  [[nodiscard]] virtual HRESULT Remove(IExpressionElement* element) = 0;
  [[nodiscard]] virtual HRESULT Clear() = 0;
  // The members' values in list order, without separators.
  [[nodiscard]] virtual HRESULT get_String(std::string* text) = 0;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_EXPRESSION_H_

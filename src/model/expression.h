// CExpression and CExpressionElement: the shared expression list (see
// xmlsecdb/expression.h for the contract clients see).
//
// An expression is a plain list whose owner site is the object that holds
// it (an identity redirection, for example); through that site its
// elements reach the parser's read-only flag, and a member's change is
// passed to the site's change slots with the element's property number
// (EExpressionElementProperty), which a site may turn into its own notice.
#ifndef XMLSECDB_MODEL_EXPRESSION_H_
#define XMLSECDB_MODEL_EXPRESSION_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "list/plain_list.h"
#include "model/model_dispatch.h"
#include "xmlsecdb/expression.h"

namespace xmlsecdb {

// Classes clients reach only through their owners; their CLSIDs name them
// in error records.
inline constexpr CLSID CLSID_ExpressionElement = MakeGuid("{5EC0DB00-0F10-4000-8000-5EC0DB000F10}");
inline constexpr CLSID CLSID_Expression = MakeGuid("{5EC0DB00-0F11-4000-8000-5EC0DB000F11}");

// The property a member's change names to the owner site: the DISPID of
// the member changed.
enum EExpressionElementProperty : std::int32_t {
  EEP_DESCRIPTION = 1,
  EEP_VALUE = 2,
};

class CExpressionElement final : public ItemObject<ListItemBase, IExpressionElement> {
 public:
  HRESULT get_Description(std::string* description) override;
  HRESULT put_Description(std::string_view description) override;
  HRESULT get_value(std::string* value) override;
  HRESULT put_value(std::string_view value) override;

  // For the library's readers and writers: the fields without checks.
  std::string_view description() const { return description_; }
  std::string_view value() const { return value_; }
  void set_description(std::string_view description) { description_ = description; }
  void set_value(std::string_view value) { value_ = value; }

 private:
  std::string description_;
  std::string value_;
};

inline constexpr ListTraits kExpressionTraits = {.class_name = "CExpression",
                                                 .create_name = "Create",
                                                 .clsid = &CLSID_Expression,
                                                 .iid = &IExpression::kIID};

// Insert, Remove and Clear are the plain list's: elements are appended in
// insertion order.
class CExpression final : public PlainList<IExpression, CExpressionElement, IExpressionElement> {
 public:
  // `owner` is the site of the object that holds the expression, or
  // nullptr for an expression of its own (writable, silent).
  explicit CExpression(IListOwner* owner) : PlainList(owner, kExpressionTraits) {}

  HRESULT Create(IExpressionElement** element) override { return PlainList::Create(element); }
  HRESULT Insert(IExpressionElement* element) override { return PlainList::Insert(element); }
  HRESULT Remove(IExpressionElement* element) override { return PlainList::Remove(element); }
  HRESULT Clear() override { return PlainList::Clear(); }
  HRESULT get_String(std::string* text) override;

  // The values joined in list order: what get_String gives.
  std::string Text() const;
  // Appends a new element with these texts as Insert does: for readers,
  // which fill an expression element by element.
  [[nodiscard]] HRESULT Append(std::string_view description, std::string_view value);
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_EXPRESSION_H_

// CGlobalProperty and CGlobalPropertyList: the global options of a parser
// (include/xmlsecdb/global_options.h gives the client contract).
//
// The list is a plain list whose owner is the parser, through a
// ParserListSite; it adds the ID rules of Insert (no 0, no duplicates) and
// Get by property ID. GlobalsSection (model/globals_section.h) owns one and
// reads and writes it.
#ifndef XMLSECDB_MODEL_GLOBAL_PROPERTY_H_
#define XMLSECDB_MODEL_GLOBAL_PROPERTY_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "list/plain_list.h"
#include "model/model_dispatch.h"
#include "model/precedence.h"
#include "xmlsecdb/global_options.h"

namespace xmlsecdb {

// Classes clients reach only through the lists; their CLSIDs name them in
// error records.
inline constexpr CLSID CLSID_GlobalPropertyList =
    MakeGuid("{5EC0DB00-0502-4000-8000-5EC0DB000502}");

// The comparison the value setter decides a change by: two values of
// different variant types differ (VT_NULL and VT_NULL are equal); values
// of one type compare by content, arrays element by element.
bool SameOptionValue(const Variant& a, const Variant& b);

class CGlobalProperty final : public ItemObject<ListItemBase, IProperty> {
 public:
  HRESULT get_PropertyID(std::int32_t* id) override;
  HRESULT put_PropertyID(std::int32_t id) override;
  HRESULT get_Type(EPropertyType* type) override;
  HRESULT put_Type(EPropertyType type) override;
  HRESULT get_value(Variant* value) override;
  HRESULT put_value(const Variant& value) override;
  HRESULT get_Priority(EPriority* priority) override;
  HRESULT put_Priority(EPriority priority) override;
  HRESULT get_Assignment(std::string* assignment) override;
  HRESULT put_Assignment(std::string_view assignment) override;
  HRESULT get_UIFlags(std::string* flags) override;
  HRESULT put_UIFlags(std::string_view flags) override;
  HRESULT get_Order(std::int32_t* order) override;
  HRESULT put_Order(std::int32_t order) override;

  // Direct reads for the save, without copies.
  std::int32_t id() const { return id_; }
  EPropertyType type() const { return type_; }
  const Variant& value() const { return value_; }
  const std::string& assignment() const { return assignment_; }
  const std::string& ui_flags() const { return ui_flags_; }
  Precedence precedence() const { return precedence_; }

 private:
  std::int32_t id_ = 0;
  EPropertyType type_ = PT_INT;
  Precedence precedence_;
  Variant value_;
  std::string assignment_ = "*";
  std::string ui_flags_;
};

class CGlobalPropertyList final : public PlainList<IPropertyList, CGlobalProperty, IProperty> {
 public:
  explicit CGlobalPropertyList(IListOwner* owner);

  HRESULT CreateProperty(IProperty** property) override { return Create(property); }
  HRESULT Insert(IProperty* property) override;
  HRESULT Get(std::int32_t id, IProperty** property) override;

  // The member whose property ID is `id`, or nullptr.
  CGlobalProperty* Find(std::int32_t id) const;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_GLOBAL_PROPERTY_H_

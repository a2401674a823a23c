// Global options: the database-wide settings of a protection module.
//
// Every parser exposes its options as an IPropertyList (the parser property
// `GlobalOptions`). An option (IProperty) is identified by a non-zero
// 32-bit property ID, unique within its list; in a database file it is
// identified by a name from its module's name table, or by one of the
// shared names "Custom1" to "Custom10". An option whose ID no table names
// is kept in memory but left out of saved files.
//
// Like the parser, lists and options are apartment-threaded. An option
// created by CreateProperty belongs to no list until it is inserted; it can
// be read and written meanwhile, and its changes raise no events.
#ifndef XMLSECDB_GLOBAL_OPTIONS_H_
#define XMLSECDB_GLOBAL_OPTIONS_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "xmlsecdb/collection.h"
#include "xmlsecdb/enums.h"
#include "xmlsecdb/variant.h"

namespace xmlsecdb {

// The property number that the parser's OnBefore/OnAfterGlobalOptionChanged
// events carry after the option.
enum _EGlobalOptionProperty : std::int32_t {
  GOP_ID = 0,
  GOP_TYPE = 1,
  GOP_VALUE = 2,
  GOP_PRIORITY = 3,
  GOP_ASSIGNMENT = 4,
  GOP_ORDER = 5,
};

// The property IDs of the shared custom options "Custom1" to "Custom10".
inline constexpr std::int32_t kCustomPropertyFirst = 0xFFF1;
inline constexpr std::int32_t kCustomPropertyLast = 0xFFFA;

// Every setter fails with 0x80041006 (message 111, naming the setter, for
// example "CGlobalProperty::put_Type()") while the parser is read-only, and
// changes nothing then. A setter of an option in a list raises the parser's
// before/after changed events, with the property number, only when the
// value really changes.
struct IProperty : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0500-4000-8000-5EC0DB000500}");
  using Base = IDispatch;

  // Default 0, which Insert refuses. Setting the ID of an option in a list
  // to one any member has, the option itself included, fails with
  // 0x80041005 (message 106) and changes nothing.
  [[nodiscard]] virtual HRESULT get_PropertyID(std::int32_t* id) = 0;
  [[nodiscard]] virtual HRESULT put_PropertyID(std::int32_t id) = 0;  // GOP_ID
  // Default PT_INT. Any value is stored.
  [[nodiscard]] virtual HRESULT get_Type(EPropertyType* type) = 0;
  [[nodiscard]] virtual HRESULT put_Type(EPropertyType type) = 0;  // GOP_TYPE
  // Default empty. VT_I4, VT_BSTR or VT_BOOL; a PT_STR_LIST option holds an
  // array of variants of strings. The setter stores a copy of any value;
  // values of different variant types always differ.
  [[nodiscard]] virtual HRESULT get_value(Variant* value) = 0;
  [[nodiscard]] virtual HRESULT put_value(const Variant& value) = 0;  // GOP_VALUE
  // Default PRIOR_NORMAL. Reads PRIOR_UNUSED when Order holds a number
  // that is no priority's. The setter keeps the preferred flag of the
  // current order; a priority other than PRIOR_LOW, PRIOR_NORMAL or
  // PRIOR_HIGH gives E_INVALIDARG and stores nothing.
  [[nodiscard]] virtual HRESULT get_Priority(EPriority* priority) = 0;
  [[nodiscard]] virtual HRESULT put_Priority(EPriority priority) = 0;  // GOP_PRIORITY
  // Whom the option applies to; default "*".
  [[nodiscard]] virtual HRESULT get_Assignment(std::string* assignment) = 0;
  [[nodiscard]] virtual HRESULT put_Assignment(std::string_view assignment) = 0;  // GOP_ASSIGNMENT
  // Free text for user interfaces; default empty. Changes raise no event.
  [[nodiscard]] virtual HRESULT get_UIFlags(std::string* flags) = 0;
  [[nodiscard]] virtual HRESULT put_UIFlags(std::string_view flags) = 0;
  // The precedence number behind Priority (35000 for normal), read and
  // written unchanged. Database files do not carry it.
  [[nodiscard]] virtual HRESULT get_Order(std::int32_t* order) = 0;
  [[nodiscard]] virtual HRESULT put_Order(std::int32_t order) = 0;  // GOP_ORDER
};

// DISPIDs beyond the collection members: 2 CreateProperty, 3 Insert,
// 4 Remove, 5 Get, 6 Clear. Every modifying call fails with 0x80041006
// (message 111) while the parser is read-only.
struct IPropertyList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0501-4000-8000-5EC0DB000501}");
  using Base = ISDCollection;

  // A new option with the defaults above, not yet in the list; the caller
  // owns the reference.
  [[nodiscard]] virtual HRESULT CreateProperty(IProperty** property) = 0;
  // Appends an option created by this list. E_POINTER for null;
  // 0x80041008 (message 119) for property ID 0; 0x80041005 (message 106)
  // for an ID the list already holds.
  [[nodiscard]] virtual HRESULT Insert(IProperty* property) = 0;
  // Removes this very option; 0x80041004 (message 107) when it is not a
  // member.
  [[nodiscard]] virtual HRESULT Remove(IProperty* property) = 0;
  // The member with property ID `id`, with a new reference; 0x80041004
  // (message 107) when there is none.
  [[nodiscard]] virtual HRESULT Get(std::int32_t id, IProperty** property) = 0;
  // Removes every member; the removed events are raised once each, with
  // no option, and only when the list was not empty.
  [[nodiscard]] virtual HRESULT Clear() = 0;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_GLOBAL_OPTIONS_H_

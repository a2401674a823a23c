// Definitions, simple items and value lists.
//
// A definition is a named, typed set of values that rules refer to by ID
// (`app_id`, `obj_id`, `timeofday_id`, ...) instead of repeating them. Every
// database with definitions exposes them through its parser's
// `DefinitionList` (IDefinitionList). A simple definition holds plain text
// items (ISimpleItemList of ISimpleItem); the firewall's definitions hold
// transport items instead, behind the same IDefinition.
//
// ISimpleValueList (ordered strings, duplicates allowed) and IULongList (a
// sorted set of unsigned numbers) are small value containers that rules,
// rule sets and labels own. They have no owner link and no read-only check:
// whoever holds one decides when it may change.
//
// All objects are apartment-threaded, like their parser.
#ifndef XMLSECDB_DEFINITIONS_H_
#define XMLSECDB_DEFINITIONS_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "xmlsecdb/collection.h"
#include "xmlsecdb/dispatch.h"

namespace xmlsecdb {

// The property a definition-changed event names.
enum EDefinitionProperty : std::int32_t {
  DP_ID = 0,
  DP_TYPE = 1,
};

struct IDefinition : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0400-4000-8000-5EC0DB000400}");
  using Base = IDispatch;

  [[nodiscard]] virtual HRESULT get_DefinitionID(std::string* id) = 0;
  // Unique in the list, compared case-sensitively; definitions of type
  // OT_IDS_RULE_INFO or OT_IDS_NODE_INFO may share an ID. For a member of
  // a list (other than those two types), any member with the new ID —
  // this definition itself included — refuses it with SECDB_E_DUPLICATEID.
  [[nodiscard]] virtual HRESULT put_DefinitionID(std::string_view id) = 0;
  // An EObjectType value.
  [[nodiscard]] virtual HRESULT get_ObjectType(std::int32_t* type) = 0;
  // E_INVALIDARG (message 112) for a type the definition's kind refuses;
  // simple definitions accept any value.
  [[nodiscard]] virtual HRESULT put_ObjectType(std::int32_t type) = 0;
  // The owned item list, with a new reference: an ISimpleItemList for
  // simple definitions, the firewall's item list for firewall definitions.
  [[nodiscard]] virtual HRESULT get_ItemList(IDispatch** items) = 0;
  [[nodiscard]] virtual HRESULT get_UIFlags(std::string* flags) = 0;
  [[nodiscard]] virtual HRESULT put_UIFlags(std::string_view flags) = 0;
  [[nodiscard]] virtual HRESULT get_Description(std::string* description) = 0;
  [[nodiscard]] virtual HRESULT put_Description(std::string_view description) = 0;
};

struct IDefinitionList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0401-4000-8000-5EC0DB000401}");
  using Base = ISDCollection;

  // A new definition bound to this list but not a member until inserted.
  [[nodiscard]] virtual HRESULT CreateDefinition(IDefinition** definition) = 0;
  // Appends. SECDB_E_DUPLICATEID (message 106) when a member has the same
  // ID (exact comparison), unless the new definition is of one of the two
  // IDS types.
  [[nodiscard]] virtual HRESULT Insert(IDefinition* definition) = 0;
  [[nodiscard]] virtual HRESULT Remove(IDefinition* definition) = 0;
  // The member with `id` (the first in list order when IDS definitions
  // share it); SECDB_E_NOTFOUND (message 107) when there is none.
  [[nodiscard]] virtual HRESULT Get(std::string_view id, IDefinition** definition) = 0;
  [[nodiscard]] virtual HRESULT Clear() = 0;
};

struct ISimpleItem : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0402-4000-8000-5EC0DB000402}");
  using Base = IDispatch;

  [[nodiscard]] virtual HRESULT get_Content(std::string* content) = 0;
  [[nodiscard]] virtual HRESULT put_Content(std::string_view content) = 0;
};

struct ISimpleItemList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0403-4000-8000-5EC0DB000403}");
  using Base = ISDCollection;

  [[nodiscard]] virtual HRESULT CreateItem(ISimpleItem** item) = 0;
  [[nodiscard]] virtual HRESULT Insert(ISimpleItem* item) = 0;
  [[nodiscard]] virtual HRESULT Remove(ISimpleItem* item) = 0;
  [[nodiscard]] virtual HRESULT Clear() = 0;
};

// Ordered strings; indexes are 1-based.
struct ISimpleValueList : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0404-4000-8000-5EC0DB000404}");
  using Base = IDispatch;

  // An enumerator (IEnumVARIANT) yielding each value as a string variant.
  [[nodiscard]] virtual HRESULT get__NewEnum(IUnknown** enumerator) = 0;
  // The value at `index` as a string variant. An index outside 1..Count
  // returns S_OK and leaves *value untouched; E_POINTER for null `value`.
  [[nodiscard]] virtual HRESULT get_Item(std::int32_t index, Variant* value) = 0;
  [[nodiscard]] virtual HRESULT get_Count(std::int32_t* count) = 0;
  // Appends.
  [[nodiscard]] virtual HRESULT Insert(std::string_view value) = 0;
  // Erases the first value equal to `value` ignoring the case of ASCII
  // letters; S_OK also when there is none.
  [[nodiscard]] virtual HRESULT Remove(std::string_view value) = 0;
  [[nodiscard]] virtual HRESULT Clear() = 0;
  // Replaces the contents of `list` with these values: its Clear, then its
  // Insert for each value; returns what the Clear returned. E_INVALIDARG
  // for a null `list`; copying a list to itself changes nothing.
  [[nodiscard]] virtual HRESULT CopyToList(ISimpleValueList* list) = 0;
  // Makes `value` the index-th value. E_INVALIDARG for an index outside
  // 1..Count: appending is Insert's job.
  [[nodiscard]] virtual HRESULT InsertAt(std::int32_t index, std::string_view value) = 0;
  // E_INVALIDARG for an index outside 1..Count.
  [[nodiscard]] virtual HRESULT RemoveAt(std::int32_t index) = 0;
};

// A set of unsigned 32-bit numbers in ascending order; indexes are 1-based.
struct IULongList : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0405-4000-8000-5EC0DB000405}");
  using Base = IDispatch;

  // An enumerator (IEnumVARIANT) yielding each number as a VT_UI4 variant,
  // in ascending order.
  [[nodiscard]] virtual HRESULT get__NewEnum(IUnknown** enumerator) = 0;
  // E_POINTER for a null `value` or an index outside 1..Count.
  [[nodiscard]] virtual HRESULT get_Item(std::int32_t index, std::uint32_t* value) = 0;
  [[nodiscard]] virtual HRESULT get_Count(std::int32_t* count) = 0;
  // Adds `value` unless present.
  [[nodiscard]] virtual HRESULT Insert(std::uint32_t value) = 0;
  // Erases `value` if present.
  [[nodiscard]] virtual HRESULT Remove(std::uint32_t value) = 0;
  [[nodiscard]] virtual HRESULT Clear() = 0;
  // Replaces the contents of `list` with these numbers, as the string
  // list's CopyToList does (a list copied to itself is left alone).
  // E_INVALIDARG for a null `list`.
  [[nodiscard]] virtual HRESULT CopyToList(IULongList* list) = 0;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_DEFINITIONS_H_

// CIDSToken and CIDSTokenList: the match tokens of an IDS rule (see
// xmlsecdb/ids.h for the contract clients see).
//
// A token keeps its enumerations as numbers, its value as a Variant (a
// number stays a number, binary data stays bytes) and its modifiers in a
// vector sorted by name: most tokens have none or a few, and a sorted
// vector costs far less per token than a node-based map.
#ifndef XMLSECDB_IDS_IDS_TOKEN_H_
#define XMLSECDB_IDS_IDS_TOKEN_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ids/ids_dispatch.h"
#include "list/plain_list.h"
#include "xmlsecdb/ids.h"

namespace xmlsecdb {

// Classes clients reach only through the lists; their CLSIDs name them in
// error records.
inline constexpr CLSID CLSID_IDSToken = MakeGuid("{5EC0DB00-0D06-4000-8000-5EC0DB000D06}");
inline constexpr CLSID CLSID_IDSTokenList = MakeGuid("{5EC0DB00-0D07-4000-8000-5EC0DB000D07}");

// Whether `name` is one of the attribute names a token reserves for its
// own fields ("unique_id", "id", "type"), in any case.
bool IsReservedTokenAttr(std::string_view name);

// Upper-case hexadecimal text of `bytes`, two digits per byte.
std::string BinHexText(const std::vector<std::uint8_t>& bytes);

class CIDSToken final : public ItemObject<ListItemBase, IIDSToken> {
 public:
  // A modifier: name and text.
  using Attribute = std::pair<std::string, std::string>;

  HRESULT get_TokenID(EIDSTokenID* id) override;
  HRESULT put_TokenID(EIDSTokenID id) override;
  HRESULT get_Type(ETokenType* type) override;
  HRESULT put_Type(ETokenType type) override;
  HRESULT get_Relation(ERelation* relation) override;
  HRESULT put_Relation(ERelation relation) override;
  HRESULT get_Value(Variant* value) override;
  HRESULT put_Value(const Variant& value) override;
  HRESULT get_BinHEXValue(std::string* text) override;
  HRESULT put_BinHEXValue(std::string_view text) override;
  HRESULT get_TokenAttr(std::string_view name, std::string* value) override;
  HRESULT put_TokenAttr(std::string_view name, std::string_view value) override;
  HRESULT get_TokenAttrAsNumber(std::string_view name, std::int32_t* value) override;
  HRESULT put_TokenAttrAsNumber(std::string_view name, std::int32_t value) override;
  HRESULT get_UniqueId(std::int32_t* id) override;
  HRESULT put_UniqueId(std::int32_t id) override;

  // For the library's reader and writer: the fields without checks.
  EIDSTokenID token_id() const { return token_id_; }
  ETokenType type() const { return type_; }
  ERelation relation() const { return relation_; }
  std::uint32_t unique_id() const { return unique_id_; }
  const Variant& value() const { return value_; }
  // Sorted by name (byte order), names unique.
  const std::vector<Attribute>& attributes() const { return attributes_; }
  void set_token_id(EIDSTokenID id) { token_id_ = id; }
  void set_type(ETokenType type) { type_ = type; }
  void set_relation(ERelation relation) { relation_ = relation; }
  void set_unique_id(std::uint32_t id) { unique_id_ = id; }
  void set_value(Variant value) { value_ = std::move(value); }
  // Stores a modifier, replacing the text of one of the same name; the
  // caller has refused reserved names.
  void SetAttribute(std::string_view name, std::string_view text);

 private:
  HRESULT PutAttribute(std::string_view source, std::string_view name, std::string_view text);
  const std::string* FindAttribute(std::string_view name) const;

  EIDSTokenID token_id_ = TID_DSIZE;
  ETokenType type_ = TT_STR;
  ERelation relation_ = REL_EQUAL;
  std::uint32_t unique_id_ = 0;
  Variant value_;
  std::vector<Attribute> attributes_;
};

inline constexpr ListTraits kIDSTokenListTraits = {.class_name = "CIDSTokenList",
                                                   .create_name = "CreateToken",
                                                   .clsid = &CLSID_IDSTokenList,
                                                   .iid = &IIDSTokenList::kIID};

// Insert, Remove and Clear are the plain list's: tokens are appended in
// insertion order, without checks of UniqueId.
class CIDSTokenList final : public PlainList<IIDSTokenList, CIDSToken, IIDSToken> {
 public:
  explicit CIDSTokenList(IListOwner* rule) : PlainList(rule, kIDSTokenListTraits) {}

  HRESULT CreateToken(IIDSToken** token) override { return Create(token); }
  HRESULT GenerateUniqueId(std::int32_t* id) override;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_IDS_IDS_TOKEN_H_

#include "ids/ids_token.h"

#include <algorithm>

#include "core/ascii.h"
#include "core/crypt_engine.h"
#include "core/error_report.h"
#include "core/number_text.h"
#include "core/return_if_failed.h"
#include "model/vocabulary.h"

namespace xmlsecdb {
namespace {

constexpr std::string_view kReservedNames[] = {"unique_id", "id", "type"};

bool NameLess(const CIDSToken::Attribute& attribute, std::string_view name) {
  return std::string_view(attribute.first) < name;
}

}  // namespace

bool IsReservedTokenAttr(std::string_view name) {
  return std::any_of(std::begin(kReservedNames), std::end(kReservedNames),
                     [name](std::string_view reserved) {
                       return TextEquals(reserved, name, TextCase::kInsensitive);
                     });
}

std::string BinHexText(const std::vector<std::uint8_t>& bytes) {
  std::string text(bytes.size() * 2, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    text[2 * i] = kUpperHexDigits[bytes[i] >> 4];
    text[2 * i + 1] = kUpperHexDigits[bytes[i] & 0xF];
  }
  return text;
}

HRESULT CIDSToken::get_TokenID(EIDSTokenID* id) { return GetField(token_id_, id); }

HRESULT CIDSToken::put_TokenID(EIDSTokenID id) {
  return Store("CIDSToken::put_TokenID()", token_id_, id);
}

HRESULT CIDSToken::get_Type(ETokenType* type) { return GetField(type_, type); }

HRESULT CIDSToken::put_Type(ETokenType type) { return Store("CIDSToken::put_Type()", type_, type); }

HRESULT CIDSToken::get_Relation(ERelation* relation) { return GetField(relation_, relation); }

HRESULT CIDSToken::put_Relation(ERelation relation) {
  return Store("CIDSToken::put_Relation()", relation_, relation);
}

HRESULT CIDSToken::get_Value(Variant* value) { return GetField(value_, value); }

HRESULT CIDSToken::put_Value(const Variant& value) {
  RETURN_IF_FAILED(CheckWritable("CIDSToken::put_Value()"));
  value_ = value;
  return S_OK;
}

HRESULT CIDSToken::get_BinHEXValue(std::string* text) {
  if (!text) return E_POINTER;
  const std::vector<std::uint8_t>* bytes = value_.as_bytes();
  *text = type_ == TT_BIN && bytes ? BinHexText(*bytes) : std::string();
  return S_OK;
}

HRESULT CIDSToken::put_BinHEXValue(std::string_view text) {
  RETURN_IF_FAILED(CheckWritable("CIDSToken::put_BinHEXValue()"));
  std::vector<std::uint8_t> bytes;
  if (!DecodeBinaryHex(text, &bytes)) return E_FAIL;
  value_ = Variant(std::move(bytes));
  return S_OK;
}

const std::string* CIDSToken::FindAttribute(std::string_view name) const {
  auto at = std::lower_bound(attributes_.begin(), attributes_.end(), name, NameLess);
  return at != attributes_.end() && at->first == name ? &at->second : nullptr;
}

void CIDSToken::SetAttribute(std::string_view name, std::string_view text) {
  auto at = std::lower_bound(attributes_.begin(), attributes_.end(), name, NameLess);
  if (at != attributes_.end() && at->first == name) {
    at->second = text;
  } else {
    attributes_.emplace(at, std::string(name), std::string(text));
  }
}

HRESULT CIDSToken::PutAttribute(std::string_view source, std::string_view name,
                                std::string_view text) {
  if (name.empty()) return E_POINTER;
  RETURN_IF_FAILED(CheckWritable(source));
  if (IsReservedTokenAttr(name)) {
    return ReportError(source, CLSID_IDSToken, kMsgReservedName, IIDSToken::kIID, E_FAIL);
  }
  SetAttribute(name, text);
  return S_OK;
}

// A name never set reads as empty text. The lookup does not add the name:
// reading must not change what the next save writes.
HRESULT CIDSToken::get_TokenAttr(std::string_view name, std::string* value) {
  if (!value) return E_POINTER;
  if (name.empty()) return E_POINTER;
  const std::string* text = FindAttribute(name);
  *value = text ? *text : std::string();
  return S_OK;
}

HRESULT CIDSToken::put_TokenAttr(std::string_view name, std::string_view value) {
  return PutAttribute("CIDSToken::put_TokenAttr()", name, value);
}

HRESULT CIDSToken::get_TokenAttrAsNumber(std::string_view name, std::int32_t* value) {
  if (!value) return E_POINTER;
  if (name.empty()) return E_POINTER;
  const std::string* text = FindAttribute(name);
  *value = text ? ReadDecimal(*text) : 0;
  return S_OK;
}

HRESULT CIDSToken::put_TokenAttrAsNumber(std::string_view name, std::int32_t value) {
  // 0 is stored as empty text.
  DecimalText text(value);
  return PutAttribute("CIDSToken::put_TokenAttrAsNumber()", name,
                      value != 0 ? text.view() : std::string_view());
}

HRESULT CIDSToken::get_UniqueId(std::int32_t* id) {
  return GetField(static_cast<std::int32_t>(unique_id_), id);
}

HRESULT CIDSToken::put_UniqueId(std::int32_t id) {
  RETURN_IF_FAILED(CheckWritable("CIDSToken::put_UniqueId()"));
  unique_id_ = static_cast<std::uint32_t>(id);
  return S_OK;
}

HRESULT CIDSTokenList::GenerateUniqueId(std::int32_t* id) {
  if (!id) return E_POINTER;
  std::vector<std::uint32_t> taken;
  taken.reserve(static_cast<std::size_t>(count()));
  for (const CIDSToken* token : *this) taken.push_back(token->unique_id());
  std::sort(taken.begin(), taken.end());
  std::uint32_t candidate = 1;
  for (std::uint32_t used : taken) {
    if (used == candidate) ++candidate;
    if (used > candidate) break;
  }
  *id = static_cast<std::int32_t>(candidate);
  return S_OK;
}

}  // namespace xmlsecdb

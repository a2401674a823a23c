// Variant: a value of one of a few automation types, used for event
// arguments and for the few properties whose type depends on the item.
#ifndef XMLSECDB_VARIANT_H_
#define XMLSECDB_VARIANT_H_

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "xmlsecdb/unknown.h"

namespace xmlsecdb {

enum VARTYPE : std::uint16_t {
  VT_EMPTY = 0,
  VT_NULL = 1,
  VT_I4 = 3,
  VT_BSTR = 8,
  VT_DISPATCH = 9,
  VT_BOOL = 11,
  VT_VARIANT = 12,
  VT_UNKNOWN = 13,
  VT_UI1 = 17,
  VT_UI4 = 19,
  VT_ARRAY = 0x2000,
};

class Variant {
 public:
  struct Null {
    friend bool operator==(Null, Null) { return true; }
  };

  Variant() = default;
  static Variant MakeNull() { return Variant(Null{}); }
  Variant(std::int32_t v) : value_(v) {}
  Variant(std::uint32_t v) : value_(v) {}
  Variant(bool v) : value_(v) {}
  Variant(std::string v) : value_(std::move(v)) {}
  Variant(const char* v) : value_(std::string(v)) {}
  Variant(ComPtr<IUnknown> v) : value_(std::move(v)) {}
  Variant(std::vector<Variant> v) : value_(std::move(v)) {}
  Variant(std::vector<std::string> v) : value_(std::move(v)) {}
  Variant(std::vector<std::uint8_t> v) : value_(std::move(v)) {}

  // VT_EMPTY, VT_NULL, VT_I4, VT_UI4, VT_BOOL, VT_BSTR, VT_UNKNOWN, or
  // VT_ARRAY combined with VT_VARIANT, VT_BSTR or VT_UI1.
  VARTYPE type() const;

  bool is_empty() const { return value_.index() == 0; }
  // Accessors return nullptr when the variant holds another type.
  const std::int32_t* as_int() const { return std::get_if<std::int32_t>(&value_); }
  const std::uint32_t* as_uint() const { return std::get_if<std::uint32_t>(&value_); }
  const bool* as_bool() const { return std::get_if<bool>(&value_); }
  const std::string* as_string() const { return std::get_if<std::string>(&value_); }
  const ComPtr<IUnknown>* as_object() const { return std::get_if<ComPtr<IUnknown>>(&value_); }
  const std::vector<Variant>* as_array() const {
    return std::get_if<std::vector<Variant>>(&value_);
  }
  const std::vector<std::string>* as_string_array() const {
    return std::get_if<std::vector<std::string>>(&value_);
  }
  const std::vector<std::uint8_t>* as_bytes() const {
    return std::get_if<std::vector<std::uint8_t>>(&value_);
  }

  friend bool operator==(const Variant& a, const Variant& b) { return a.value_ == b.value_; }

 private:
  explicit Variant(Null n) : value_(n) {}

  std::variant<std::monostate, Null, std::int32_t, std::uint32_t, bool, std::string,
               ComPtr<IUnknown>, std::vector<Variant>, std::vector<std::string>,
               std::vector<std::uint8_t>>
      value_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_VARIANT_H_

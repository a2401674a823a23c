// The attributes of one element as one constant table, which drives both
// the reading of a start tag and the write order, as load and save mirror
// each other. Each entry names an attribute, the slot it fills, and its
// read rule — how the number or flag its text stands for is read:
//
//   enum RuleSlot { kId, kOrder, kDisabled, kDesc, kRuleSlots };
//   constexpr AttributeSpec<RuleSlot> kRuleAttributes[] = {   // write order
//       {"id", kId}, {"order", kOrder, AttributeRead::kDecimal},
//       {"disabled", kDisabled, AttributeRead::kFlag}, {"desc", kDesc}};
//
//   AttributeValues<RuleSlot, kRuleSlots> a(kRuleAttributes, attributes);  // one pass
//   if (a.has(kOrder)) rule.order = a.number(kOrder);
//
//   WriteAttributes(out, kRuleAttributes, [&](RuleSlot slot, AttributeWriter& w) {
//     switch (slot) { case kId: w.Int(rule.id); break; ... }
//   });
//
// A slot read but never written (or written under a condition) is simply
// not written by the element's callback; a pair of alternatives (`app`,
// `app_id`) is two adjacent entries of which the callback writes one.
// The element's own checks and couplings stay in its code: the table says
// where each attribute is and how its text reads, not what it means.
#ifndef XMLSECDB_MODEL_ATTRIBUTE_TABLE_H_
#define XMLSECDB_MODEL_ATTRIBUTE_TABLE_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/number_text.h"
#include "model/vocabulary.h"
#include "platform/sax_reader.h"
#include "platform/xml_writer.h"

namespace xmlsecdb {

// How an attribute's text reads as a number (AttributeValues::number).
enum class AttributeRead : std::uint8_t {
  kText,      // free text, or a word the element looks up itself
  kDecimal,   // signed decimal (ReadDecimal)
  kUnsigned,  // unsigned decimal, "%u" (ReadUnsignedDecimal)
  kHex,       // hexadecimal, "%X" (ReadHex)
  kBitList,   // 1-based bit numbers joined by "|" (BitListFromText)
  kFlag,      // "1" or "true" set it (FlagFromText)
  kOnFlag,    // anything but "0" or "false" sets it (OnFlagFromText)
};

template <class Slot>
struct AttributeSpec {
  std::string_view name;
  Slot slot;
  AttributeRead read = AttributeRead::kText;
};

// The attributes of one start tag by slot, found in one pass. Slots are
// the values 0 to kSlots - 1 of the element's enumeration.
template <class Slot, std::size_t kSlots>
class AttributeValues {
 public:
  // Each attribute that `table` names fills its slot; the first of
  // duplicate names wins, as a look-up by name does; others are ignored.
  AttributeValues(std::span<const AttributeSpec<Slot>> table, const SaxAttributes& attributes) {
    for (const AttributeSpec<Slot>& spec : table) reads_[Index(spec.slot)] = spec.read;
    for (int i = 0; i < attributes.length(); ++i) {
      std::string_view name = attributes.name(i);
      for (const AttributeSpec<Slot>& spec : table) {
        if (spec.name == name) {
          std::optional<std::string_view>& value = values_[Index(spec.slot)];
          if (!value) value = attributes.value(i);
          break;
        }
      }
    }
  }

  bool has(Slot slot) const { return values_[Index(slot)].has_value(); }
  // The text, or std::nullopt when absent (an empty value is present).
  std::optional<std::string_view> get(Slot slot) const { return values_[Index(slot)]; }
  // The text, or "" when absent.
  std::string_view text(Slot slot) const { return values_[Index(slot)].value_or(""); }
  // The text read by the slot's rule; an absent attribute reads as empty
  // text (0; false for kFlag, true for kOnFlag).
  std::int32_t number(Slot slot) const {
    const std::string_view value = text(slot);
    switch (reads_[Index(slot)]) {
      case AttributeRead::kDecimal:
        return ReadDecimal(value);
      case AttributeRead::kUnsigned:
        return static_cast<std::int32_t>(ReadUnsignedDecimal(value));
      case AttributeRead::kHex:
        return static_cast<std::int32_t>(ReadHex(value));
      case AttributeRead::kBitList:
        return static_cast<std::int32_t>(BitListFromText(value));
      case AttributeRead::kFlag:
        return FlagFromText(value) ? 1 : 0;
      case AttributeRead::kOnFlag:
        return OnFlagFromText(value) ? 1 : 0;
      case AttributeRead::kText:
        break;
    }
    return 0;
  }
  bool flag(Slot slot) const { return number(slot) != 0; }

 private:
  static std::size_t Index(Slot slot) { return static_cast<std::size_t>(slot); }

  std::optional<std::string_view> values_[kSlots];
  AttributeRead reads_[kSlots] = {};
};

// What an element's write callback gives for one attribute: nothing (the
// attribute is not written), a text, or a number.
class AttributeWriter {
 public:
  AttributeWriter(XmlAttributes& out, std::string_view name) : out_(out), name_(name) {}

  void Text(std::string_view value) { out_.Add(name_, value); }
  // Written when given.
  void TextIfAny(const std::optional<std::string_view>& value) {
    if (value) out_.Add(name_, *value);
  }
  void TextIfAny(const std::optional<std::string>& value) {
    if (value) out_.Add(name_, *value);
  }
  void Int(std::int32_t value) { out_.AddInt(name_, value); }
  void Unsigned(std::uint32_t value) { out_.Add(name_, DecimalText(value).view()); }

 private:
  XmlAttributes& out_;
  std::string_view name_;
};

// Appends the attributes of an element to `out` in the table's order:
// `write(slot, writer)` gives each one's value, or nothing.
// `table` is the element's array (or a span) of AttributeSpec.
template <class Table, class Write>
void WriteAttributes(XmlAttributes& out, const Table& table, Write&& write) {
  for (const auto& spec : table) {
    AttributeWriter writer(out, spec.name);
    write(spec.slot, writer);
  }
}

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_ATTRIBUTE_TABLE_H_

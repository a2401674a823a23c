// The `ConditionSwitch` element: one condition switch of the rule whose
// element is its parent.
//
//   <ConditionSwitch type="or" target="process" bits_on="1|3" uiflags="x"/>
//
// The element counts only directly inside `Rule`; the rule section checks
// the parent before calling ReadConditionSwitch. The kinds differ only in
// their failure suffixes (ConditionSwitchConfig; each kind's config is in
// its folder's <kind>_words.h).
//
// Stateless; the functions may be called from any thread that may use the
// list they are given.
#ifndef XMLSECDB_MODEL_CONDITION_SWITCH_XML_H_
#define XMLSECDB_MODEL_CONDITION_SWITCH_XML_H_

#include <string_view>

#include "core/section.h"
#include "model/condition_switch.h"
#include "platform/xml_writer.h"

namespace xmlsecdb {

inline constexpr std::string_view kConditionSwitchElement = "ConditionSwitch";

struct ConditionSwitchConfig {
  std::string_view missing_type;    // 109
  std::string_view wrong_type;      // 110
  std::string_view missing_target;  // 109
  std::string_view wrong_target;    // 110
};

// Reads a `ConditionSwitch` into a new switch of `list`: `type` and
// `target` are required, `bits_on` and `bits_off` are bit lists (absent:
// 0), `uiflags` is set only when present. Made with CreateConditionSwitch,
// then type, target, bits on, bits off and UI flags are set and the switch
// is inserted at the end. Returns a content failure from context.Fail or
// the failure of a list call.
[[nodiscard]] HRESULT ReadConditionSwitch(SectionReadContext& context,
                                          const SaxAttributes& attributes,
                                          const ConditionSwitchConfig& config,
                                          CConditionSwitchList& list);

// Writes one `ConditionSwitch` with `type`, `target`, `bits_on`, `bits_off`
// and `uiflags` in that order; the bit lists are left out when 0, the UI
// flags when empty, and a type or target without a word is left out.
// `attributes` is scratch space: cleared here, so a section may pass the
// one it wrote the `Rule` start tag with.
[[nodiscard]] HRESULT WriteConditionSwitch(XmlWriter& writer, XmlAttributes& attributes,
                                           const CConditionSwitch& item);

// One `ConditionSwitch` per member of `list`, in order.
[[nodiscard]] HRESULT WriteConditionSwitches(XmlWriter& writer, XmlAttributes& attributes,
                                             const CConditionSwitchList& list);

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_CONDITION_SWITCH_XML_H_

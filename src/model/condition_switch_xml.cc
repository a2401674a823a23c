#include "model/condition_switch_xml.h"

#include <cstdint>
#include <optional>
#include <string>

#include "core/messages.h"
#include "core/return_if_failed.h"
#include "model/attribute_read.h"
#include "model/vocabulary.h"

namespace xmlsecdb {
namespace {

std::int32_t BitsFromAttribute(const SaxAttributes& attributes, std::string_view name) {
  std::optional<std::string_view> text = attributes.Find(name);
  return text ? static_cast<std::int32_t>(BitListFromText(*text)) : 0;
}

}  // namespace

HRESULT ReadConditionSwitch(SectionReadContext& context, const SaxAttributes& attributes,
                            const ConditionSwitchConfig& config, CConditionSwitchList& list) {
  ECFType type = CST_AND;
  RETURN_IF_FAILED(ReadWordAttribute(context, kCFType, attributes.Find("type"),
                                     {config.missing_type, config.wrong_type}, &type));
  std::optional<std::string_view> ui_flags = attributes.Find("uiflags");
  ECFTarget target = CSTRG_GLOBAL;
  RETURN_IF_FAILED(ReadWordAttribute(context, kCFTarget, attributes.Find("target"),
                                     {config.missing_target, config.wrong_target}, &target));
  const std::int32_t bits_on = BitsFromAttribute(attributes, "bits_on");
  const std::int32_t bits_off = BitsFromAttribute(attributes, "bits_off");

  ComPtr<IConditionSwitch> item;
  RETURN_IF_FAILED(list.CreateConditionSwitch(item.Put()));
  RETURN_IF_FAILED(item->put_Type(type));
  RETURN_IF_FAILED(item->put_Target(target));
  RETURN_IF_FAILED(item->put_BitsOn(bits_on));
  RETURN_IF_FAILED(item->put_BitsOff(bits_off));
  if (ui_flags) RETURN_IF_FAILED(item->put_UIFlags(*ui_flags));
  return list.Insert(item.get());
}

HRESULT WriteConditionSwitch(XmlWriter& writer, XmlAttributes& attributes,
                             const CConditionSwitch& item) {
  attributes.Clear();
  if (std::optional<std::string_view> type = TextFromValue(kCFType, item.type())) {
    attributes.Add("type", *type);
  }
  if (std::optional<std::string_view> target = TextFromValue(kCFTarget, item.target())) {
    attributes.Add("target", *target);
  }
  if (std::optional<std::string> bits = BitListText(static_cast<std::uint32_t>(item.bits_on()))) {
    attributes.Add("bits_on", *bits);
  }
  if (std::optional<std::string> bits = BitListText(static_cast<std::uint32_t>(item.bits_off()))) {
    attributes.Add("bits_off", *bits);
  }
  if (std::optional<std::string_view> ui_flags = FreeText(item.ui_flags())) {
    attributes.Add("uiflags", *ui_flags);
  }
  RETURN_IF_FAILED(writer.StartElement(kConditionSwitchElement, attributes));
  return writer.EndElement(kConditionSwitchElement);
}

HRESULT WriteConditionSwitches(XmlWriter& writer, XmlAttributes& attributes,
                               const CConditionSwitchList& list) {
  for (const CConditionSwitch* item : list) {
    RETURN_IF_FAILED(WriteConditionSwitch(writer, attributes, *item));
  }
  return S_OK;
}

}  // namespace xmlsecdb

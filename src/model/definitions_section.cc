#include "model/definitions_section.h"

#include "core/messages.h"
#include "core/return_if_failed.h"

namespace xmlsecdb {
namespace {

constexpr Spelling<EObjectType> kObjectTypeWords[] = {
    {OT_FILE, "File"},
    {OT_SERVICE, "Service"},
    {OT_REGISTRY, "Registry"},
    {OT_SPAWNING, "Spawning"},
    {OT_DEVICE, "Device"},
    {OT_COMOBJECT, "COM"},
    {OT_IDS_IPADDR, "ipaddress"},
    {OT_TIME, "time"},
    {OT_IDS_RULE_INFO, "ruleinfo"},
    {OT_IDS_NODE_INFO, "nodeinfo"},
    {OT_DATA_INSPECTION, "DataInspection"},
    {OT_FILETYPE, "FileTypeList"},
    {OT_URL_REQUEST, "UrlRequest"},
};

std::optional<std::string_view> WordOf(std::span<const Spelling<EObjectType>> words,
                                       std::int32_t type) {
  for (const Spelling<EObjectType>& word : words) {
    if (word.value == type) return word.text;
  }
  return std::nullopt;
}

}  // namespace

std::span<const Spelling<EObjectType>> ObjectTypeWords() { return kObjectTypeWords; }

std::optional<std::string_view> ObjectTypeWordToWrite(const DefinitionsConfig& config,
                                                      std::int32_t type) {
  std::optional<std::string_view> word = WordOf(config.object_types, type);
  return word ? word : WordOf(kObjectTypeWords, type);
}

HRESULT ReadObjectAttributes(SectionReadContext& context, const SaxAttributes& attributes,
                             const DefinitionsConfig& config, CDefinition& definition) {
  const AttributeValues<ObjectAttribute, kObjectAttributeCount> a(config.object_attributes,
                                                                  attributes);
  std::optional<std::string_view> id = a.get(kObjectId);
  if (!id) return context.Fail(kMsgMissingAttribute, config.missing_id);
  std::optional<std::string_view> word = a.get(kObjectType);
  if (!word) return context.Fail(kMsgMissingAttribute, config.missing_type);
  std::optional<EObjectType> type =
      ValueFromText(Vocabulary<EObjectType>{.words = config.object_types}, *word);
  if (!type) return context.Fail(kMsgInvalidContent, config.wrong_type);

  RETURN_IF_FAILED(definition.put_DefinitionID(*id));
  RETURN_IF_FAILED(definition.put_UIFlags(a.text(kObjectUIFlags)));
  RETURN_IF_FAILED(definition.put_Description(a.text(kObjectDescription)));
  return definition.put_ObjectType(*type);
}

void WriteObjectAttributes(XmlAttributes& out, const DefinitionsConfig& config,
                           const CDefinition& definition) {
  WriteAttributes(out, config.object_attributes, [&](ObjectAttribute slot, AttributeWriter& w) {
    switch (slot) {
      case kObjectId:
        w.Text(definition.id());
        break;
      case kObjectType:
        w.TextIfAny(ObjectTypeWordToWrite(config, definition.object_type()));
        break;
      case kObjectUIFlags:
        w.TextIfAny(FreeText(definition.ui_flags()));
        break;
      case kObjectDescription:
        w.TextIfAny(FreeText(definition.description()));
        break;
      case kObjectAttributeCount:
        break;
    }
  });
}

HRESULT SimpleItems::EndItem(std::string_view text, CSimpleDefinition& definition) {
  CSimpleItemList* items = definition.items();
  ComPtr<CSimpleItem> item = items->NewItem();
  RETURN_IF_FAILED(item->put_Content(text));
  return items->Insert(item.get());
}

HRESULT SimpleItems::WriteItems(XmlWriter& writer, const CSimpleDefinition& definition) {
  for (const CSimpleItem* item : *definition.items()) {
    RETURN_IF_FAILED(writer.StartElement("Item"));
    RETURN_IF_FAILED(writer.Characters(item->content()));
    RETURN_IF_FAILED(writer.EndElement("Item"));
  }
  return S_OK;
}

}  // namespace xmlsecdb

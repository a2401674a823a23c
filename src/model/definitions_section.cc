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

DefinitionsSection::DefinitionsSection(ParserCore* parser, const DefinitionsConfig& config)
    : ListSection(parser, "Definitions", "DefinitionList", config.definition_events,
                  config.item_events),
      config_(config) {}

HRESULT DefinitionsSection::StartElement(SectionReadContext& context, std::string_view name,
                                         std::string_view parent, const SaxAttributes& attributes,
                                         bool* handled) {
  if (name == "Definitions" && parent == "SecDb") {
    *handled = true;
    return S_OK;
  }
  if (name == "Object" && parent == "Definitions") {
    *handled = true;
    return StartObject(context, attributes);
  }
  if (name == "Item" && parent == "Object" && current_) *handled = true;
  return S_OK;
}

HRESULT DefinitionsSection::StartObject(SectionReadContext& context,
                                        const SaxAttributes& attributes) {
  current_.Reset();
  std::optional<std::string_view> id = attributes.Find("id");
  if (!id) return context.Fail(kMsgMissingAttribute, config_.missing_id);
  std::optional<std::string_view> word = attributes.Find("ot");
  if (!word) return context.Fail(kMsgMissingAttribute, config_.missing_type);
  std::optional<EObjectType> type =
      ValueFromText(Vocabulary<EObjectType>{.words = config_.object_types}, *word);
  if (!type) return context.Fail(kMsgInvalidContent, config_.wrong_type);

  ComPtr<CSimpleDefinition> definition = list()->NewSimpleDefinition();
  RETURN_IF_FAILED(definition->put_DefinitionID(*id));
  RETURN_IF_FAILED(definition->put_UIFlags(attributes.Find("uiflags").value_or("")));
  RETURN_IF_FAILED(definition->put_Description(attributes.Find("desc").value_or("")));
  RETURN_IF_FAILED(definition->put_ObjectType(*type));
  current_ = std::move(definition);
  return S_OK;
}

HRESULT DefinitionsSection::EndElement(SectionReadContext&, std::string_view name, std::string_view,
                                       std::string_view text) {
  if (name == "Item") {
    if (!current_) return S_OK;
    CSimpleItemList* items = current_->items();
    ComPtr<CSimpleItem> item = items->NewItem();
    RETURN_IF_FAILED(item->put_Content(text));
    return items->Insert(item.get());
  }
  if (name == "Object") {
    ComPtr<CSimpleDefinition> done = std::move(current_);
    // A failing insert (a duplicate ID) ends the load with its own record.
    return done ? list()->Insert(done.get()) : S_OK;
  }
  return S_OK;
}

HRESULT DefinitionsSection::Write(XmlWriter& writer) {
  RETURN_IF_FAILED(writer.StartElement("Definitions"));
  CDefinitionList& definitions = *list();
  for (std::int32_t i = 0, n = definitions.count(); i < n; ++i) {
    const CSimpleDefinition& definition = *definitions.at(i);
    attributes_.Clear();
    attributes_.Add("id", definition.id());
    if (std::optional<std::string_view> word =
            ObjectTypeWordToWrite(config_, definition.object_type())) {
      attributes_.Add("ot", *word);
    }
    if (std::optional<std::string_view> ui_flags = FreeText(definition.ui_flags())) {
      attributes_.Add("uiflags", *ui_flags);
    }
    if (std::optional<std::string_view> description = FreeText(definition.description())) {
      attributes_.Add("desc", *description);
    }
    RETURN_IF_FAILED(writer.StartElement("Object", attributes_));
    for (const CSimpleItem* item : *definition.items()) {
      RETURN_IF_FAILED(writer.StartElement("Item"));
      RETURN_IF_FAILED(writer.Characters(item->content()));
      RETURN_IF_FAILED(writer.EndElement("Item"));
    }
    RETURN_IF_FAILED(writer.EndElement("Object"));
  }
  return writer.EndElement("Definitions");
}

void DefinitionsSection::Clear() {
  current_.Reset();
  (void)list()->Clear();
}

}  // namespace xmlsecdb

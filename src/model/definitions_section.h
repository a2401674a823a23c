// DefinitionsSection: the `Definitions` section of a database with simple
// definitions — its list, how it is read and written.
//
//   <Definitions>
//     <Object id="Web" ot="File" uiflags="w" desc="Web content">
//       <Item>c:\web\*</Item>
//     </Object>
//   </Definitions>
//
// What differs between kinds is data, a DefinitionsConfig: the object-type
// words the kind's files may carry, the order a save writes the attributes
// of `Object` in, the failure suffixes, and the parser events of
// definitions and items (each kind's own, in its folder). A kind's parser
// declares the section and registers it in save order:
//
//   DefinitionsSection definitions_{this, kAMDefinitions};   // member
//   AddSection(&definitions_);                                // constructor
//
// and its DefinitionList getter returns definitions_.list().
//
// The definitions' items are the other parameter: DefinitionsSectionOf<Items>
// reads and writes the `Object` element for any kind of definition, and
// Items says what its `Item` children are (SimpleItems: one text each; the
// firewall's transport items carry attributes as well). Items gives
//
//   using List = CDefinitionList;          // the definition list
//   using Definition = CSimpleDefinition;  // what the list holds
//   ComPtr<Definition> NewDefinition(List& list);
//   HRESULT StartItem(SectionReadContext&, const SaxAttributes&, Definition&);
//   HRESULT EndItem(std::string_view text, Definition&);  // the element's text
//   void Clear();                                          // drops what a read holds
//   HRESULT WriteItems(XmlWriter&, const Definition&);
//
// Items are filled as every loader fills them (list/list_section.h): a new,
// detached definition, made a member at the end of its element through the
// list's Insert, so that a duplicate ID fails the load as it fails Insert.
#ifndef XMLSECDB_MODEL_DEFINITIONS_SECTION_H_
#define XMLSECDB_MODEL_DEFINITIONS_SECTION_H_

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <utility>

#include "core/return_if_failed.h"
#include "core/section.h"
#include "list/list_owner.h"
#include "list/list_section.h"
#include "model/attribute_table.h"
#include "model/simple_definition.h"
#include "model/vocabulary.h"
#include "platform/xml_writer.h"
#include "xmlsecdb/enums.h"

namespace xmlsecdb {

// The definition and item events of the parsers that raise them (sandbox,
// anti-malware, data inspection, content filter): DISPIDs 11 to 16 for
// definitions inserted, removed and changed (before and after; the change
// carries an EDefinitionProperty), 17 to 22 for their items (the
// definition, then the item; no property).
inline constexpr ListEventIds kDefinitionEvents = {.before_insert = 11,
                                                   .after_insert = 12,
                                                   .before_remove = 13,
                                                   .after_remove = 14,
                                                   .before_change = 15,
                                                   .after_change = 16,
                                                   .change_has_property = true,
                                                   .change_marks_modified = false};
inline constexpr ListEventIds kSimpleItemEvents = {.before_insert = 17,
                                                   .after_insert = 18,
                                                   .before_remove = 19,
                                                   .after_remove = 20,
                                                   .before_change = 21,
                                                   .after_change = 22,
                                                   .change_has_property = false,
                                                   .change_marks_modified = false};
// For kinds whose definitions raise nothing (IDS).
inline constexpr ListEventIds kNoDefinitionEvents = {.change_has_property = false,
                                                     .change_marks_modified = false};

// The attributes of `Object`.
enum ObjectAttribute : int {
  kObjectId,
  kObjectType,
  kObjectUIFlags,
  kObjectDescription,
  kObjectAttributeCount
};
using ObjectAttributeSpec = AttributeSpec<ObjectAttribute>;
// The two write orders: `id` first (simple definitions), `ot` first (the
// firewall's definitions).
inline constexpr ObjectAttributeSpec kObjectIdFirst[] = {{"id", kObjectId},
                                                         {"ot", kObjectType},
                                                         {"uiflags", kObjectUIFlags},
                                                         {"desc", kObjectDescription}};
inline constexpr ObjectAttributeSpec kObjectTypeFirst[] = {{"ot", kObjectType},
                                                           {"id", kObjectId},
                                                           {"uiflags", kObjectUIFlags},
                                                           {"desc", kObjectDescription}};

struct DefinitionsConfig {
  // The `ot` words this kind reads; any other word fails the load.
  std::span<const Spelling<EObjectType>> object_types;
  // Parser events: definitions inserted, removed, changed (with an
  // EDefinitionProperty), and items inserted, removed, changed (each with
  // the definition first).
  const ListEventIds& definition_events;
  const ListEventIds& item_events;
  // Detail texts of the load failures.
  std::string_view missing_id = " Missing object id.";      // 109
  std::string_view missing_type = " Missing object type.";  // 109
  std::string_view wrong_type = " Wrong object type.";      // 110
  // The attributes of `Object` in the order a save writes them.
  std::span<const ObjectAttributeSpec> object_attributes = kObjectIdFirst;
  // The kind's handler takes `Object` by name wherever it stands, and
  // `Item` wherever it stands while an `Object` is open; otherwise only as
  // `Definitions/Object/Item`.
  bool by_name = false;
};

// Every object-type word a save writes. A type the kind's own words lack is
// written with its word from here (and refused when read back by a kind
// that does not accept it); a type without any word is written without
// `ot`.
std::span<const Spelling<EObjectType>> ObjectTypeWords();

// The word a save writes for `type` under `config`, or std::nullopt.
std::optional<std::string_view> ObjectTypeWordToWrite(const DefinitionsConfig& config,
                                                      std::int32_t type);

// Checks the attributes of `Object` and stores them in `definition` (new
// and detached): `id` and `ot` are required, `ot` must be one of the
// kind's words; `uiflags` and `desc` are optional. A content failure is
// reported through context.Fail.
[[nodiscard]] HRESULT ReadObjectAttributes(SectionReadContext& context,
                                           const SaxAttributes& attributes,
                                           const DefinitionsConfig& config,
                                           CDefinition& definition);
// Appends the attributes of `Object` for `definition` in the config's
// order: `ot` when its type has a word, `uiflags` and `desc` when not empty.
void WriteObjectAttributes(XmlAttributes& out, const DefinitionsConfig& config,
                           const CDefinition& definition);

template <class Items>
class DefinitionsSectionOf final : public ListSection<typename Items::List> {
 public:
  using List = typename Items::List;
  using Definition = typename Items::Definition;

  // `parser` owns the section; `config` must outlive it (a constant).
  template <class... ItemArgs>
  DefinitionsSectionOf(ParserCore* parser, const DefinitionsConfig& config, ItemArgs&&... item_args)
      : ListSection<List>(parser, "Definitions", "DefinitionList", config.definition_events,
                          config.item_events),
        config_(config),
        items_(std::forward<ItemArgs>(item_args)...) {}

  HRESULT StartElement(SectionReadContext& context, std::string_view name, std::string_view parent,
                       const SaxAttributes& attributes, bool* handled) override {
    if (name == "Definitions" && parent == "SecDb") {
      *handled = true;
      return S_OK;
    }
    if (name == "Object" && (config_.by_name || parent == "Definitions")) {
      *handled = true;
      current_.Reset();
      ComPtr<Definition> definition = items_.NewDefinition(*this->list());
      RETURN_IF_FAILED(ReadObjectAttributes(context, attributes, config_, *definition));
      current_ = std::move(definition);
      return S_OK;
    }
    if (name == "Item" && (config_.by_name || parent == "Object") && current_) {
      *handled = true;
      return items_.StartItem(context, attributes, *current_);
    }
    return S_OK;
  }

  HRESULT EndElement(SectionReadContext&, std::string_view name, std::string_view,
                     std::string_view text) override {
    if (name == "Item") return current_ ? items_.EndItem(text, *current_) : S_OK;
    if (name == "Object") {
      ComPtr<Definition> done = std::move(current_);
      // A failing insert (a duplicate ID) ends the load with its own record.
      return done ? this->list()->Insert(done.get()) : S_OK;
    }
    return S_OK;
  }

  HRESULT Write(XmlWriter& writer) override {
    RETURN_IF_FAILED(writer.StartElement("Definitions"));
    const List& definitions = *this->list();
    for (std::int32_t i = 0, n = definitions.count(); i < n; ++i) {
      const auto& definition = static_cast<const Definition&>(*definitions.definition_at(i));
      attributes_.Clear();
      WriteObjectAttributes(attributes_, config_, definition);
      RETURN_IF_FAILED(writer.StartElement("Object", attributes_));
      RETURN_IF_FAILED(items_.WriteItems(writer, definition));
      RETURN_IF_FAILED(writer.EndElement("Object"));
    }
    return writer.EndElement("Definitions");
  }

  void Clear() override {
    current_.Reset();
    items_.Clear();
    (void)this->list()->Clear();
  }

 private:
  const DefinitionsConfig& config_;
  Items items_;
  // The definition whose `Object` element is being read.
  ComPtr<Definition> current_;
  XmlAttributes attributes_;  // reused for every element written
};

// The items of simple definitions: the text of each `Item`.
class SimpleItems {
 public:
  using List = CDefinitionList;
  using Definition = CSimpleDefinition;

  ComPtr<CSimpleDefinition> NewDefinition(CDefinitionList& list) {
    return list.NewSimpleDefinition();
  }
  HRESULT StartItem(SectionReadContext&, const SaxAttributes&, CSimpleDefinition&) { return S_OK; }
  HRESULT EndItem(std::string_view text, CSimpleDefinition& definition);
  void Clear() {}
  HRESULT WriteItems(XmlWriter& writer, const CSimpleDefinition& definition);
};

using DefinitionsSection = DefinitionsSectionOf<SimpleItems>;

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_DEFINITIONS_SECTION_H_

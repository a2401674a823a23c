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
// words the kind's files may carry, the failure suffixes, and the parser
// events of definitions and items (each kind's own, in its folder). A kind's
// parser declares the section and registers it in save order:
//
//   DefinitionsSection definitions_{this, kAMDefinitions};   // member
//   AddSection(&definitions_);                                // constructor
//
// and its DefinitionList getter returns definitions_.list().
#ifndef XMLSECDB_MODEL_DEFINITIONS_SECTION_H_
#define XMLSECDB_MODEL_DEFINITIONS_SECTION_H_

#include <optional>
#include <span>
#include <string_view>

#include "core/section.h"
#include "list/list_owner.h"
#include "list/list_section.h"
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
};

// Every object-type word a save writes. A type the kind's own words lack is
// written with its word from here (and refused when read back by a kind
// that does not accept it); a type without any word is written without
// `ot`.
std::span<const Spelling<EObjectType>> ObjectTypeWords();

// The word a save writes for `type` under `config`, or std::nullopt.
std::optional<std::string_view> ObjectTypeWordToWrite(const DefinitionsConfig& config,
                                                      std::int32_t type);

class DefinitionsSection final : public ListSection<CDefinitionList> {
 public:
  // `parser` owns the section; `config` must outlive it (a constant).
  DefinitionsSection(ParserCore* parser, const DefinitionsConfig& config);

  HRESULT StartElement(SectionReadContext& context, std::string_view name, std::string_view parent,
                       const SaxAttributes& attributes, bool* handled) override;
  HRESULT EndElement(SectionReadContext& context, std::string_view name, std::string_view parent,
                     std::string_view text) override;
  HRESULT Write(XmlWriter& writer) override;
  void Clear() override;

 private:
  HRESULT StartObject(SectionReadContext& context, const SaxAttributes& attributes);

  const DefinitionsConfig& config_;
  // The definition whose `Object` element is being read.
  ComPtr<CSimpleDefinition> current_;
  XmlAttributes attributes_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_DEFINITIONS_SECTION_H_

// GlobalsSection: the `Globals` section of a database — the parser's
// global options, how they are read from and written to the file.
//
// One implementation serves every kind; what differs between kinds is a
// GlobalsConfig constant. A kind's parser declares the section as a member
// and registers it in save order:
//
//   GlobalsSection globals_{this, kAMGlobals};  // member
//   AddSection(&globals_);                       // in the constructor
//
// and its `GlobalOptions` getter hands out globals_.list().
//
// Items are filled as every loader fills them (list/list_section.h).
//
// In the file an option is an element `Property` (or `PropertySL` for a
// string list) named by its option name:
//
//   <Globals>
//     <Property id="Mode" type="int" priority="high">3</Property>
//     <PropertySL id="Exclusions_MalwareList" type="stringList">
//       <Item>one</Item><Item>two</Item>
//     </PropertySL>
//   </Globals>
//
// Reading skips options whose name no table knows; writing leaves out
// options whose ID no table names (and logs that). The `order` attribute is
// read but never written.
#ifndef XMLSECDB_MODEL_GLOBALS_SECTION_H_
#define XMLSECDB_MODEL_GLOBALS_SECTION_H_

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/messages.h"
#include "core/section.h"
#include "list/list_owner.h"
#include "list/list_section.h"
#include "model/global_option_names.h"
#include "model/global_property.h"
#include "model/vocabulary.h"
#include "platform/xml_writer.h"

namespace xmlsecdb {

// A content failure: the message (109, 110) and the detail text after it.
struct ReadFailure {
  int message;
  std::string_view suffix;
};

// `type` words of kinds that accept only single values: "stringList" and
// unknown words are refused (GlobalsConfig::wrong_type).
inline constexpr Spelling<EPropertyType> kScalarPropertyTypeWords[] = {
    {PT_STR, "str"}, {PT_INT, "int"}, {PT_BOOL, "bool"}};
inline constexpr Vocabulary<EPropertyType> kScalarPropertyType{.words = kScalarPropertyTypeWords};

// What distinguishes one kind's `Globals` section; each kind declares one
// constant.
struct GlobalsConfig {
  // The kind's option names (empty for a kind without any); the custom
  // names are searched after them.
  std::span<const OptionName> option_names = {};
  // The parser events of the global option list.
  const ListEventIds& events;
  // Whether `PropertySL` elements are read (anti-malware). They are written
  // for string-list options by every kind.
  bool reads_string_lists = false;
  // The `type` words; the shared vocabulary keeps the default type for an
  // unknown word.
  const Vocabulary<EPropertyType>* types = &kPropertyType;
  ReadFailure missing_id = {kMsgMissingAttribute, " Missing property id."};
  ReadFailure missing_type = {kMsgMissingAttribute, " Missing property type."};
  // Only with a vocabulary that refuses unknown words.
  ReadFailure wrong_type = {kMsgMissingAttribute, " Wrong property type."};
  ReadFailure wrong_priority = {kMsgInvalidContent, " Wrong property priority."};
  // The kind's handler takes `Property` (and `PropertySL`) by name
  // wherever it stands; otherwise only directly inside `Globals`.
  bool by_name = false;
};

class GlobalsSection final : public ListSection<CGlobalPropertyList> {
 public:
  // `parser` owns the section; `config` must outlive it (a constant).
  GlobalsSection(ParserCore* parser, const GlobalsConfig& config);

  HRESULT StartElement(SectionReadContext& context, std::string_view name, std::string_view parent,
                       const SaxAttributes& attributes, bool* handled) override;
  HRESULT EndElement(SectionReadContext& context, std::string_view name, std::string_view parent,
                     std::string_view text) override;
  HRESULT Write(XmlWriter& writer) override;
  void Clear() override;

 private:
  HRESULT StartOption(SectionReadContext& context, const SaxAttributes& attributes);
  HRESULT EndOption(bool string_list, std::string_view text);
  HRESULT WriteOption(XmlWriter& writer, const CGlobalProperty& option);

  const GlobalsConfig& config_;

  // Reading: inside the top-level `Globals`, inside a claimed
  // `PropertySL`, the option being read (null while skipping an unknown
  // name) and the strings of its `Item` children.
  bool in_globals_ = false;
  bool in_string_list_ = false;
  ComPtr<CGlobalProperty> pending_;
  std::vector<Variant> pending_items_;

  XmlAttributes attributes_;  // reused for every option written
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_GLOBALS_SECTION_H_

// IDSGroupSection: the groups of an IDS database as they stand in the
// file — one top-level `RuleList` element per group, its `Rule` children,
// and their `Token` children:
//
//   <RuleList id="web" name="Web attacks">
//     <Rule al="Severity3" ar="Prevent" dir="in" prot="tcp" locaddr_id="any"
//           remaddr_id="any" locport="!1-1023" remport="*" name="probe" sid="1073741825">
//       <Token unique_id="1" id="content" type="bin" offset="4">0A1B</Token>
//     </Rule>
//   </RuleList>
//
// Items are filled as every loader fills them (list/list_section.h).
//
// The section is the parser's group list with its reader and writer; the
// IDS parser registers it between the definitions and the rule sets.
// XmlEx("RuleList") selects it. Load failures name the IDS handler, with
// the system's own detail texts (some of which end without a period).
#ifndef XMLSECDB_IDS_IDS_GROUP_SECTION_H_
#define XMLSECDB_IDS_IDS_GROUP_SECTION_H_

#include <string_view>

#include "core/section.h"
#include "ids/ids_group.h"
#include "list/list_owner.h"
#include "list/list_section.h"
#include "platform/xml_writer.h"

namespace xmlsecdb {

// The IDS parser raises no list events: every list of the kind is wired
// with this table.
inline constexpr ListEventIds kIDSNoEvents = {.change_has_property = false,
                                              .change_marks_modified = false};

class IDSGroupSection final : public ListSection<CIDSGroupList> {
 public:
  // `parser` owns the section and outlives it.
  explicit IDSGroupSection(ParserCore* parser);

  HRESULT StartElement(SectionReadContext& context, std::string_view name, std::string_view parent,
                       const SaxAttributes& attributes, bool* handled) override;
  HRESULT EndElement(SectionReadContext& context, std::string_view name, std::string_view parent,
                     std::string_view text) override;
  // Fails with E_INVALIDARG (message 110 and the detail text the reader
  // would give) for a rule or token whose access result, direction,
  // protocol, token id, type or relation has no word in the file format, so
  // that no save writes a database its own reader refuses.
  HRESULT Write(XmlWriter& writer) override;
  void Clear() override;

 private:
  HRESULT StartGroup(const SaxAttributes& attributes);
  HRESULT StartRule(SectionReadContext& context, const SaxAttributes& attributes);
  HRESULT StartToken(SectionReadContext& context, const SaxAttributes& attributes);
  HRESULT WriteRule(XmlWriter& writer, const CIDSRule& rule);
  HRESULT WriteToken(XmlWriter& writer, const CIDSToken& token);

  // Reading: the group, rule and token whose elements are open.
  ComPtr<CIDSGroup> group_;
  ComPtr<CIDSRule> rule_;
  ComPtr<CIDSToken> token_;

  XmlAttributes attributes_;  // reused for every element written
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_IDS_IDS_GROUP_SECTION_H_

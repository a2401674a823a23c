// RuleSetListSection: the `RuleSetList` section of a database — its rule
// sets, how they are read from `RuleSet` / `RuleListID` elements and
// written back.
//
//   <RuleSetList>
//     <RuleSet id="set1" desc="optional">
//       <RuleListID>list-a</RuleListID>
//     </RuleSet>
//   </RuleSetList>
//
// An empty list writes nothing at all (and the write answers S_FALSE).
// Items are filled as every loader fills them (list/list_section.h).
//
// A kind's parser declares
//   RuleSetListSection rule_sets_{this, kAMRuleSets};   // member
//   AddSection(&rule_sets_);                             // last, in save order
// and exposes rule_sets_.list() as its `RuleSetList`.
#ifndef XMLSECDB_MODEL_RULE_SET_SECTION_H_
#define XMLSECDB_MODEL_RULE_SET_SECTION_H_

#include <string_view>

#include "core/section.h"
#include "list/list_section.h"
#include "model/rule_set.h"
#include "platform/xml_writer.h"

namespace xmlsecdb {

// What differs between kinds in this section.
struct RuleSetSectionConfig {
  // Detail of message 109 for a `RuleSet` without `id`.
  std::string_view missing_id_suffix;
  // The kind's handler takes `RuleSet` and `RuleListID` by name wherever
  // they stand; otherwise only as `RuleSetList/RuleSet/RuleListID`.
  bool by_name = false;
};

class RuleSetListSection final : public ListSection<CRuleSetList> {
 public:
  // `parser` owns the section and outlives it.
  RuleSetListSection(ParserCore* parser, const RuleSetSectionConfig& config);

  HRESULT StartElement(SectionReadContext& context, std::string_view name, std::string_view parent,
                       const SaxAttributes& attributes, bool* handled) override;
  HRESULT EndElement(SectionReadContext& context, std::string_view name, std::string_view parent,
                     std::string_view text) override;
  HRESULT Write(XmlWriter& writer) override;
  void Clear() override;

 private:
  const RuleSetSectionConfig& config_;
  // The rule set whose `RuleSet` element is open.
  ComPtr<CRuleSet> current_;
  XmlAttributes attributes_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_RULE_SET_SECTION_H_

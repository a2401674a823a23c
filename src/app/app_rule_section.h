// The `RuleList` section: the known-application rules.
//
//   <RuleList>
//     <Rule id="3" usage="Trusted|NetClient" usagenot="BlackList"
//           foundby="Checksum|Path;CertValid" enroll="AskUser"
//           manufacture="Vendor A|Vendor B" specialaccess="SARawIP" order="35000">
//       <Group>browsers</Group>
//     </Rule>
//   </RuleList>
//
// Bit fields are bit-name lists (app_bit_names.h). `order` is read as a
// signed decimal and always written, last: a rule's Order decides where
// it stands and so which rule the queries find, and must survive a save.
// A rule is inserted when its start tag is read; its `Group` children then
// add to its groups.
#ifndef XMLSECDB_APP_APP_RULE_SECTION_H_
#define XMLSECDB_APP_APP_RULE_SECTION_H_

#include <string_view>

#include "app/app_rule.h"
#include "core/section.h"
#include "list/list_section.h"
#include "platform/xml_writer.h"

namespace xmlsecdb {

// Rules raise no parser events; a change marks the parser modified.
inline constexpr ListEventIds kAppRuleEvents = {};

class AppRuleSection final : public ListSection<CAppRuleList> {
 public:
  explicit AppRuleSection(ParserCore* parser)
      : ListSection(parser, "RuleList", "RuleList", kAppRuleEvents) {}

  HRESULT StartElement(SectionReadContext& context, std::string_view name, std::string_view parent,
                       const SaxAttributes& attributes, bool* handled) override;
  HRESULT EndElement(SectionReadContext& context, std::string_view name, std::string_view parent,
                     std::string_view text) override;
  HRESULT Write(XmlWriter& writer) override;
  void Clear() override;

 private:
  ComPtr<CAppRule> rule_;  // the `Rule` being read
  XmlAttributes attributes_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_APP_APP_RULE_SECTION_H_

// The XML forms of the firewall's application rules and routed rules, as
// families of FWListSection (fw/fw_list_section.h).
//
//   <RuleList>
//     <Rule id="4" order="35000" dir="out" prot="tcp" locport="*" remport="443"
//           remaddr_id="Servers" app="Browser" timeofday="Mo-Fr#08:00-17:30">
//       <ConditionSwitch type="and" target="global" bits_on="2"/>
//       <AccessDesc at="NetworkAccess" ar="Allow" al="Severity0"/>
//     </Rule>
//   </RuleList>
//   <RoutedRuleList>
//     <RoutedRule id="1" order="35000" dir="in_out" prot="tcp_udp" locport="*"
//                 remport="*" remaddr="*" lanaddr="192.168.1.0/24" ifcaddr="*">
//       <AccessDesc at="NetworkAccess" ar="Prevent" al="Severity1"/>
//     </RoutedRule>
//   </RoutedRuleList>
//
// Attribute tables give the write order; the checks, their failure texts
// and the fill order are in fw_rule_xml.cc.
#ifndef XMLSECDB_FW_FW_RULE_XML_H_
#define XMLSECDB_FW_FW_RULE_XML_H_

#include <string_view>

#include "fw/fw_list_section.h"
#include "fw/fw_routed_rule.h"
#include "fw/fw_rule.h"

namespace xmlsecdb {

// What the two rule forms share: the `AccessDesc` (the rule's one
// descriptor) and `ConditionSwitch` children.
class FWRuleXmlBase {
 public:
  [[nodiscard]] HRESULT Child(SectionReadContext& context, std::string_view name,
                              const SaxAttributes& attributes, FWRuleCore& rule, bool* handled);

 protected:
  XmlAttributes attributes_;  // reused for every element written
};

class FWRuleXml : public FWRuleXmlBase {
 public:
  using List = CFWRuleList;
  using Item = CFWRule;
  static constexpr std::string_view kList = "RuleList";
  static constexpr std::string_view kItem = "Rule";
  static constexpr FWListLog kLog = {"ZelXmlSd: FWRuleList save\n",
                                     "ZelXmlSd: FWRuleList save. startElement failed\n",
                                     "ZelXmlSd: FWRuleList save. endElement failed\n"};
  static constexpr bool kBulkLoad = true;

  [[nodiscard]] HRESULT Start(SectionReadContext& context, const SaxAttributes& attributes,
                              CFWRule& rule);
  [[nodiscard]] HRESULT Write(XmlWriter& writer, const CFWRule& rule);
};

class FWRoutedRuleXml : public FWRuleXmlBase {
 public:
  using List = CFWRoutedRuleList;
  using Item = CFWRoutedRule;
  static constexpr std::string_view kList = "RoutedRuleList";
  static constexpr std::string_view kItem = "RoutedRule";
  static constexpr FWListLog kLog = {};
  static constexpr bool kBulkLoad = true;

  [[nodiscard]] HRESULT Start(SectionReadContext& context, const SaxAttributes& attributes,
                              CFWRoutedRule& rule);
  [[nodiscard]] HRESULT Write(XmlWriter& writer, const CFWRoutedRule& rule);
};

using FWRuleSection = FWListSection<FWRuleXml>;
using FWRoutedRuleSection = FWListSection<FWRoutedRuleXml>;

}  // namespace xmlsecdb

#endif  // XMLSECDB_FW_FW_RULE_XML_H_

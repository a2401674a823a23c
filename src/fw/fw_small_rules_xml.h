// The XML forms of zone rules, dial numbers and bind-socket
// notifications, as families of FWListSection (fw/fw_list_section.h).
//
//   <BindSocketNotificationList>
//     <BindSocketNotification label="Mail" notifyServerPorts="Severity1"
//                             notifyGenPorts="Severity0"/>
//   </BindSocketNotificationList>
//   <DialNumberList>
//     <DialNumber id="1" number="0049@">
//       <AccessDesc at="NetworkAccess" ar="Allow" al="Severity0"/>
//     </DialNumber>
//   </DialNumberList>
//   <ZoneRuleList>
//     <ZoneRule id="1" cat="lan" ifcaddr="192.168.0.0/16" zone="safe"
//               al="Severity0" order="35000"/>
//   </ZoneRuleList>
//
// In a number longer than one character the file's "@" stands for "*"
// (and a save writes every "*" of such a number as "@").
#ifndef XMLSECDB_FW_FW_SMALL_RULES_XML_H_
#define XMLSECDB_FW_FW_SMALL_RULES_XML_H_

#include <string>
#include <string_view>

#include "fw/fw_list_section.h"
#include "fw/fw_small_rules.h"

namespace xmlsecdb {

// "@" and "*" exchanged in a number longer than one character: `to_file`
// writes "*" as "@", else the reverse.
std::string DialNumberText(std::string_view number, bool to_file);

class FWZoneRuleXml {
 public:
  using List = CFWZoneRuleList;
  using Item = CFWZoneRule;
  static constexpr std::string_view kList = "ZoneRuleList";
  static constexpr std::string_view kItem = "ZoneRule";
  static constexpr FWListLog kLog = {"ZelXmlSd: FWZoneRuleList save\n",
                                     "ZelXmlSd: FWZoneRuleList save. startElement failed\n",
                                     "ZelXmlSd: FWZoneRuleList save. endElement failed\n"};
  static constexpr bool kBulkLoad = true;

  [[nodiscard]] HRESULT Start(SectionReadContext& context, const SaxAttributes& attributes,
                              CFWZoneRule& rule);
  HRESULT Child(SectionReadContext&, std::string_view, const SaxAttributes&, CFWZoneRule&, bool*) {
    return S_OK;
  }
  [[nodiscard]] HRESULT Write(XmlWriter& writer, const CFWZoneRule& rule);

 private:
  XmlAttributes attributes_;
};

class FWDialNumberXml {
 public:
  using List = CFWDialNumberList;
  using Item = CFWDialNumber;
  static constexpr std::string_view kList = "DialNumberList";
  static constexpr std::string_view kItem = "DialNumber";
  static constexpr FWListLog kLog = {"ZelXmlSd: FWDialNumberList save\n",
                                     "ZelXmlSd: FWDialNumberList save. startElement failed\n",
                                     "ZelXmlSd: FWDialNumberList save. endElement failed\n"};
  static constexpr bool kBulkLoad = true;

  [[nodiscard]] HRESULT Start(SectionReadContext& context, const SaxAttributes& attributes,
                              CFWDialNumber& number);
  [[nodiscard]] HRESULT Child(SectionReadContext& context, std::string_view name,
                              const SaxAttributes& attributes, CFWDialNumber& number,
                              bool* handled);
  [[nodiscard]] HRESULT Write(XmlWriter& writer, const CFWDialNumber& number);

 private:
  XmlAttributes attributes_;
};

class FWBindSocketXml {
 public:
  using List = CBindSocketList;
  using Item = CBindSocket;
  static constexpr std::string_view kList = "BindSocketNotificationList";
  static constexpr std::string_view kItem = "BindSocketNotification";
  static constexpr FWListLog kLog = {};
  static constexpr bool kBulkLoad = false;

  [[nodiscard]] HRESULT Start(SectionReadContext& context, const SaxAttributes& attributes,
                              CBindSocket& notification);
  HRESULT Child(SectionReadContext&, std::string_view, const SaxAttributes&, CBindSocket&, bool*) {
    return S_OK;
  }
  [[nodiscard]] HRESULT Write(XmlWriter& writer, const CBindSocket& notification);

 private:
  XmlAttributes attributes_;
};

using FWZoneRuleSection = FWListSection<FWZoneRuleXml>;
using FWDialNumberSection = FWListSection<FWDialNumberXml>;
using FWBindSocketSection = FWListSection<FWBindSocketXml>;

}  // namespace xmlsecdb

#endif  // XMLSECDB_FW_FW_SMALL_RULES_XML_H_

// The XML form of firewall transports and definitions' items.
//
//   <Object ot="iptransport" id="Web">
//     <Item dir="out" prot="tcp" locport="*" remport="80">HTTP</Item>
//   </Object>
//   <Object ot="ipaddress" id="LAN"><Item>192.168.0.0/16</Item></Object>
//
// The transport attributes — `dir`, `prot`, `icmptype`, `locport`,
// `remport`, `prot_num` — are optional; absent ones keep the defaults, and
// a word that is not one of the kind's (fw/fw_words.h) ends the load with
// the element's own detail text. Ports and protocol numbers read as
// model/range_text.h says, without a range check. A save writes `dir` and
// `prot` (when the value has a word), then `icmptype` for icmp, `prot_num`
// for other, else `locport` and `remport`. The same reading and writing
// serve the inline transports of rules, whose elements carry these
// attributes among their own.
//
// Only transport definitions ("iptransport") write the attributes of their
// items; the items of the other types are their text alone.
#ifndef XMLSECDB_FW_FW_ITEM_XML_H_
#define XMLSECDB_FW_FW_ITEM_XML_H_

#include <optional>
#include <string_view>

#include "core/section.h"
#include "fw/fw_definition.h"
#include "fw/fw_transport.h"
#include "model/attribute_table.h"
#include "model/definitions_section.h"
#include "platform/xml_writer.h"

namespace xmlsecdb {

// The transport attributes of one element, as found (std::nullopt when
// absent).
struct TransportTexts {
  std::optional<std::string_view> dir, prot, icmptype, locport, remport, prot_num;
};

// Details of message 110 for words the vocabularies do not have.
struct TransportFailures {
  std::string_view wrong_dir;
  std::string_view wrong_prot;
  std::string_view wrong_icmptype;
};
inline constexpr TransportFailures kItemTransportFailures = {
    " Wrong item dir.", " Wrong item prot.", " Wrong item icmptype."};

// Reads the texts into `transport` (its content is left alone). A wrong
// word is reported through context.Fail and nothing further is read.
[[nodiscard]] HRESULT ReadTransport(SectionReadContext& context, const TransportTexts& texts,
                                    const TransportFailures& failures, FWTransport* transport);

// The transport attributes in the order a save writes them.
enum TransportAttribute : int {
  kTransportDir,
  kTransportProt,
  kTransportICMPType,
  kTransportProtNum,
  kTransportLocPort,
  kTransportRemPort,
  kTransportAttributeCount
};

// Gives `writer` the text a save writes for `attribute` of `transport`, or
// nothing.
void WriteTransportAttribute(TransportAttribute attribute, const FWTransport& transport,
                             AttributeWriter& writer);

// The items of firewall definitions, for DefinitionsSectionOf.
class FWItems {
 public:
  using List = CFWDefinitionList;
  using Definition = CFWDefinition;

  ComPtr<CFWDefinition> NewDefinition(CFWDefinitionList& list) { return list.NewFWDefinition(); }
  HRESULT StartItem(SectionReadContext& context, const SaxAttributes& attributes,
                    CFWDefinition& definition);
  HRESULT EndItem(std::string_view text, CFWDefinition& definition);
  void Clear() { pending_.Reset(); }
  HRESULT WriteItems(XmlWriter& writer, const CFWDefinition& definition);

 private:
  // The item whose `Item` element is open.
  ComPtr<CFWItem> pending_;
  XmlAttributes attributes_;  // reused for every item written
};

using FWDefinitionsSection = DefinitionsSectionOf<FWItems>;

}  // namespace xmlsecdb

#endif  // XMLSECDB_FW_FW_ITEM_XML_H_

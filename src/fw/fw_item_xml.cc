#include "fw/fw_item_xml.h"

#include "core/messages.h"
#include "core/return_if_failed.h"
#include "fw/fw_words.h"
#include "model/range_text.h"

namespace xmlsecdb {
namespace {

// `Item`, in write order.
constexpr AttributeSpec<TransportAttribute> kItemAttributes[] = {
    {"dir", kTransportDir},           {"prot", kTransportProt},
    {"icmptype", kTransportICMPType}, {"prot_num", kTransportProtNum},
    {"locport", kTransportLocPort},   {"remport", kTransportRemPort}};

template <class E>
bool ReadInto(const Vocabulary<E>& vocabulary, std::optional<std::string_view> text, E* value) {
  return ReadWord(vocabulary, text, value) == ReadStatus::kOk;
}

}  // namespace

HRESULT ReadTransport(SectionReadContext& context, const TransportTexts& texts,
                      const TransportFailures& failures, FWTransport* transport) {
  if (!ReadInto(kFWDirection, texts.dir, &transport->direction)) {
    return context.Fail(kMsgInvalidContent, failures.wrong_dir);
  }
  if (!ReadInto(kFWProtocol, texts.prot, &transport->protocol)) {
    return context.Fail(kMsgInvalidContent, failures.wrong_prot);
  }
  if (!ReadInto(kICMPType, texts.icmptype, &transport->icmp_type)) {
    return context.Fail(kMsgInvalidContent, failures.wrong_icmptype);
  }
  if (texts.locport) {
    const PortRange ports = ReadPortRange(*texts.locport, PortSyntax::kPlain);
    transport->local_from = ports.from;
    transport->local_to = ports.to;
  }
  if (texts.remport) {
    const PortRange ports = ReadPortRange(*texts.remport, PortSyntax::kPlain);
    transport->remote_from = ports.from;
    transport->remote_to = ports.to;
  }
  if (texts.prot_num) transport->protocol_numbers = ReadProtocolNumbers(*texts.prot_num);
  return S_OK;
}

void WriteTransportAttribute(TransportAttribute attribute, const FWTransport& transport,
                             AttributeWriter& writer) {
  const EProtocol protocol = transport.protocol;
  const bool ports = protocol != PROT_ICMP && protocol != PROT_OTHER;
  switch (attribute) {
    case kTransportDir:
      writer.TextIfAny(WordToWrite(kFWDirection, transport.direction));
      break;
    case kTransportProt:
      writer.TextIfAny(WordToWrite(kFWProtocol, protocol));
      break;
    case kTransportICMPType:
      if (protocol == PROT_ICMP) writer.TextIfAny(WordToWrite(kICMPType, transport.icmp_type));
      break;
    case kTransportProtNum:
      if (protocol == PROT_OTHER) {
        writer.Text(ProtocolNumbersText(transport.protocol_numbers).view());
      }
      break;
    case kTransportLocPort:
      if (ports) writer.Text(PortRangeText({transport.local_from, transport.local_to}).view());
      break;
    case kTransportRemPort:
      if (ports) writer.Text(PortRangeText({transport.remote_from, transport.remote_to}).view());
      break;
    case kTransportAttributeCount:
      break;
  }
}

HRESULT FWItems::StartItem(SectionReadContext& context, const SaxAttributes& attributes,
                           CFWDefinition& definition) {
  pending_.Reset();
  const AttributeValues<TransportAttribute, kTransportAttributeCount> a(kItemAttributes,
                                                                        attributes);
  const TransportTexts texts = {a.get(kTransportDir),      a.get(kTransportProt),
                                a.get(kTransportICMPType), a.get(kTransportLocPort),
                                a.get(kTransportRemPort),  a.get(kTransportProtNum)};
  ComPtr<CFWItem> item = definition.items()->NewItem();
  RETURN_IF_FAILED(
      ReadTransport(context, texts, kItemTransportFailures, &item->loading_transport()));
  pending_ = std::move(item);
  return S_OK;
}

HRESULT FWItems::EndItem(std::string_view text, CFWDefinition& definition) {
  ComPtr<CFWItem> item = std::move(pending_);
  if (!item) return S_OK;
  item->loading_transport().content.assign(text);
  return definition.items()->Insert(item.get());
}

HRESULT FWItems::WriteItems(XmlWriter& writer, const CFWDefinition& definition) {
  const bool transport = definition.object_type() == OT_FW_TRANS;
  for (const CFWItem* item : *definition.items()) {
    attributes_.Clear();
    if (transport) {
      WriteAttributes(attributes_, kItemAttributes,
                      [&](TransportAttribute slot, AttributeWriter& w) {
                        WriteTransportAttribute(slot, item->transport(), w);
                      });
    }
    RETURN_IF_FAILED(writer.StartElement("Item", attributes_));
    RETURN_IF_FAILED(writer.Characters(item->transport().content));
    RETURN_IF_FAILED(writer.EndElement("Item"));
  }
  return S_OK;
}

}  // namespace xmlsecdb

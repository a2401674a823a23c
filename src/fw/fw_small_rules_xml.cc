#include "fw/fw_small_rules_xml.h"

#include <optional>

#include "core/messages.h"
#include "core/return_if_failed.h"
#include "fw/fw_words.h"
#include "list/rule_id.h"
#include "model/attribute_table.h"

namespace xmlsecdb {
namespace {

// The audit levels of these elements compare their prefix as the
// firewall's access descriptors do.
constexpr TextCase kAuditCase = kFWAccessDesc.audit_prefix_case;

std::optional<std::string_view> UnlessAny(std::string_view assignment) {
  return assignment == "*" ? std::nullopt : std::optional<std::string_view>(assignment);
}

std::string_view AssignmentOf(const std::optional<std::string_view>& filter) {
  return filter ? *filter : std::string_view("*");
}

// ---------------------------------------------------------------------------
// `ZoneRule`.

enum ZoneAttribute : int {
  kZId,
  kZCat,
  kZIfcAddr,
  kZIfcAddrId,
  kZDomain,
  kZSsid,
  kZInterface,
  kZZone,
  kZDisabled,
  kZDesc,
  kZUiFlags,
  kZAl,
  kZFilter,
  kZOrder,
  kZPriority,
  kZoneAttributeCount
};

// In write order; `priority` is read only.
constexpr AttributeSpec<ZoneAttribute> kZoneAttributes[] = {
    {"id", kZId},
    {"cat", kZCat},
    {"ifcaddr", kZIfcAddr},
    {"ifcaddr_id", kZIfcAddrId},
    {"domain", kZDomain},
    {"ssid", kZSsid},
    {"interface", kZInterface},
    {"zone", kZZone},
    {"disabled", kZDisabled, AttributeRead::kFlag},
    {"desc", kZDesc},
    {"uiflags", kZUiFlags},
    {"al", kZAl},
    {"filter", kZFilter},
    {"order", kZOrder, AttributeRead::kDecimal},
    {"priority", kZPriority, AttributeRead::kDecimal},
};
static_assert(std::size(kZoneAttributes) == kZoneAttributeCount);

// ---------------------------------------------------------------------------
// `DialNumber`.

enum DialAttribute : int { kDId, kDNumber, kDFilter, kDDisabled, kDDesc, kDUiFlags, kDialCount };

constexpr AttributeSpec<DialAttribute> kDialAttributes[] = {
    {"id", kDId},         {"number", kDNumber},
    {"filter", kDFilter}, {"disabled", kDDisabled, AttributeRead::kFlag},
    {"desc", kDDesc},     {"uiflags", kDUiFlags},
};
static_assert(std::size(kDialAttributes) == kDialCount);

// ---------------------------------------------------------------------------
// `BindSocketNotification`.

enum BindSocketAttribute : int {
  kBLabel,
  kBPriority,
  kBOrder,
  kBUiFlags,
  kBServerPorts,
  kBGenPorts,
  kBFilter,
  kBindSocketCount
};

constexpr AttributeSpec<BindSocketAttribute> kBindSocketAttributes[] = {
    {"label", kBLabel},
    {"priority", kBPriority},
    {"order", kBOrder, AttributeRead::kDecimal},
    {"uiflags", kBUiFlags},
    {"notifyServerPorts", kBServerPorts},
    {"notifyGenPorts", kBGenPorts},
    {"filter", kBFilter},
};
static_assert(std::size(kBindSocketAttributes) == kBindSocketCount);

}  // namespace

std::string DialNumberText(std::string_view number, bool to_file) {
  std::string text(number);
  if (text.size() <= 1) return text;
  const char from = to_file ? '*' : '@';
  const char to = to_file ? '@' : '*';
  for (char& c : text) {
    if (c == from) c = to;
  }
  return text;
}

HRESULT FWZoneRuleXml::Start(SectionReadContext& context, const SaxAttributes& attributes,
                             CFWZoneRule& rule) {
  const AttributeValues<ZoneAttribute, kZoneAttributeCount> a(kZoneAttributes, attributes);
  if (a.text(kZId).empty()) return context.Fail(kMsgMissingAttribute, " Missing zone rule id.");
  std::int32_t id = 0;
  if (Failed(ParseRuleID(a.text(kZId), &id)))
    return context.Fail(kMsgMissingAttribute, " Missing zone rule id.");
  EAuditLevel level = AL_IGNORE;
  if (ReadAuditLevel(a.get(kZAl), kAuditCase, &level) != ReadStatus::kOk)
    return context.Fail(kMsgInvalidContent, " Wrong Zone AL.");

  RETURN_IF_FAILED(rule.SetRuleID({}, id, 0));
  CFWZoneRule::Fields& f = rule.fields();
  if (a.has(kZPriority)) {
    (void)f.precedence.WithPriority(a.number(kZPriority), &f.precedence);
  }
  EZoneCategory category = CAT_UNKNOWN;
  (void)ReadWord(kZoneCategory, a.get(kZCat), &category);
  f.category = category;
  if (a.has(kZIfcAddrId)) {
    f.address_type = RT_DEFINITION;
    f.address = a.text(kZIfcAddrId);
  } else if (a.has(kZIfcAddr)) {
    f.address = a.text(kZIfcAddr);
  }
  f.domain = a.text(kZDomain);
  f.ssid = a.text(kZSsid);
  f.interface_name = a.text(kZInterface);
  EZoneId zone = ZID_UNASSIGNED;
  (void)ReadWord(kZoneId, a.get(kZZone), &zone);
  f.zone = zone;
  if (a.flag(kZDisabled)) f.enabled = 0;
  f.description = a.text(kZDesc);
  f.ui_flags = a.text(kZUiFlags);
  f.assignment = AssignmentOf(a.get(kZFilter));
  if (a.has(kZOrder)) f.precedence = Precedence(a.number(kZOrder));
  f.audit_level = level;
  return S_OK;
}

HRESULT FWZoneRuleXml::Write(XmlWriter& writer, const CFWZoneRule& rule) {
  const CFWZoneRule::Fields& f = rule.fields();
  attributes_.Clear();
  WriteAttributes(attributes_, kZoneAttributes, [&](ZoneAttribute slot, AttributeWriter& w) {
    switch (slot) {
      case kZId:
        w.Text(rule.RuleIDString());
        break;
      case kZCat:
        w.TextIfAny(WordToWrite(kZoneCategory, static_cast<EZoneCategory>(f.category)));
        break;
      case kZIfcAddr:
      case kZIfcAddrId:
        if (f.address != "*" && f.address_type == (slot == kZIfcAddr ? RT_DIRECT : RT_DEFINITION)) {
          w.Text(f.address);
        }
        break;
      case kZDomain:
        w.TextIfAny(FreeText(f.domain));
        break;
      case kZSsid:
        w.TextIfAny(FreeText(f.ssid));
        break;
      case kZInterface:
        w.TextIfAny(FreeText(f.interface_name));
        break;
      case kZZone:
        w.TextIfAny(WordToWrite(kZoneId, static_cast<EZoneId>(f.zone)));
        break;
      case kZDisabled:
        w.TextIfAny(FlagText(f.enabled == 0));
        break;
      case kZDesc:
        w.TextIfAny(FreeText(f.description));
        break;
      case kZUiFlags:
        w.TextIfAny(FreeText(f.ui_flags));
        break;
      case kZAl:
        w.Text(AuditLevelText(static_cast<EAuditLevel>(f.audit_level)));
        break;
      case kZFilter:
        w.TextIfAny(UnlessAny(f.assignment));
        break;
      case kZOrder:
        w.Int(f.precedence.order());
        break;
      case kZPriority:
      case kZoneAttributeCount:
        break;
    }
  });
  RETURN_IF_FAILED(writer.StartElement("ZoneRule", attributes_));
  return writer.EndElement("ZoneRule");
}

HRESULT FWDialNumberXml::Start(SectionReadContext&, const SaxAttributes& attributes,
                               CFWDialNumber& number) {
  const AttributeValues<DialAttribute, kDialCount> a(kDialAttributes, attributes);
  std::int32_t id = 0;
  if (a.has(kDId) && Succeeded(ParseRuleID(a.text(kDId), &id))) {
    RETURN_IF_FAILED(number.SetRuleID({}, id, 0));
  }
  CFWDialNumber::Fields& f = number.fields();
  f.assignment = AssignmentOf(a.get(kDFilter));
  if (a.flag(kDDisabled)) f.enabled = 0;
  f.description = a.text(kDDesc);
  f.ui_flags = a.text(kDUiFlags);
  f.number = DialNumberText(a.text(kDNumber), false);
  return S_OK;
}

HRESULT FWDialNumberXml::Child(SectionReadContext& context, std::string_view name,
                               const SaxAttributes& attributes, CFWDialNumber& number,
                               bool* handled) {
  if (name != kAccessDescElement) return S_OK;
  *handled = true;
  return ReadAccessDesc(context, attributes, 0, kFWAccessDesc, number.access_list());
}

HRESULT FWDialNumberXml::Write(XmlWriter& writer, const CFWDialNumber& number) {
  const CFWDialNumber::Fields& f = number.fields();
  attributes_.Clear();
  WriteAttributes(attributes_, kDialAttributes, [&](DialAttribute slot, AttributeWriter& w) {
    switch (slot) {
      case kDId:
        w.Text(number.RuleIDString());
        break;
      case kDNumber:
        w.Text(DialNumberText(f.number, true));
        break;
      case kDFilter:
        w.TextIfAny(UnlessAny(f.assignment));
        break;
      case kDDisabled:
        w.TextIfAny(FlagText(f.enabled == 0));
        break;
      case kDDesc:
        w.TextIfAny(FreeText(f.description));
        break;
      case kDUiFlags:
        w.TextIfAny(FreeText(f.ui_flags));
        break;
      case kDialCount:
        break;
    }
  });
  RETURN_IF_FAILED(writer.StartElement("DialNumber", attributes_));
  if (const CAccessDescriptorList* access = number.access_list_if_any())
    RETURN_IF_FAILED(WriteAccessDescs(writer, attributes_, *access, 0, kFWAccessDesc));
  return writer.EndElement("DialNumber");
}

HRESULT FWBindSocketXml::Start(SectionReadContext& context, const SaxAttributes& attributes,
                               CBindSocket& notification) {
  const AttributeValues<BindSocketAttribute, kBindSocketCount> a(kBindSocketAttributes, attributes);
  if (!a.has(kBLabel))
    return context.Fail(kMsgMissingAttribute, " Missing BindSocketNotification label.");
  EPriority priority = PRIOR_NORMAL;
  if (ReadWord(kPriority, a.get(kBPriority), &priority) != ReadStatus::kOk)
    return context.Fail(kMsgInvalidContent, " Wrong BindSocketNotification priority.");
  EAuditLevel server = AL_IGNORE;
  if (ReadAuditLevel(a.get(kBServerPorts), kAuditCase, &server) != ReadStatus::kOk)
    return context.Fail(kMsgInvalidContent, " Wrong BindSocketNotification notifyServerPorts.");
  if (!a.has(kBGenPorts))
    return context.Fail(kMsgMissingAttribute, " Missing BindSocketNotification notifyGenPorts.");
  EAuditLevel generic = AL_IGNORE;
  if (ReadAuditLevel(a.get(kBGenPorts), kAuditCase, &generic) != ReadStatus::kOk)
    return context.Fail(kMsgInvalidContent, " Wrong BindSocketNotification notifyGenPorts.");

  CBindSocket::Fields& f = notification.fields();
  f.label = a.text(kBLabel);
  f.notify_server_ports = server;
  f.notify_gen_ports = generic;
  f.assignment = AssignmentOf(a.get(kBFilter));
  f.precedence = Precedence::Of(priority, false);
  f.ui_flags = a.text(kBUiFlags);
  if (a.has(kBOrder)) f.precedence = Precedence(a.number(kBOrder));
  return S_OK;
}

HRESULT FWBindSocketXml::Write(XmlWriter& writer, const CBindSocket& notification) {
  const CBindSocket::Fields& f = notification.fields();
  attributes_.Clear();
  WriteAttributes(attributes_, kBindSocketAttributes,
                  [&](BindSocketAttribute slot, AttributeWriter& w) {
                    switch (slot) {
                      case kBLabel:
                        w.Text(f.label);
                        break;
                      case kBPriority:
                        w.TextIfAny(WordToWrite(kPriority, f.precedence.priority()));
                        break;
                      case kBOrder:
                        w.Int(f.precedence.order());
                        break;
                      case kBUiFlags:
                        w.TextIfAny(FreeText(f.ui_flags));
                        break;
                      case kBServerPorts:
                        w.Text(AuditLevelText(static_cast<EAuditLevel>(f.notify_server_ports)));
                        break;
                      case kBGenPorts:
                        w.Text(AuditLevelText(static_cast<EAuditLevel>(f.notify_gen_ports)));
                        break;
                      case kBFilter:
                        w.TextIfAny(UnlessAny(f.assignment));
                        break;
                      case kBindSocketCount:
                        break;
                    }
                  });
  RETURN_IF_FAILED(writer.StartElement("BindSocketNotification", attributes_));
  return writer.EndElement("BindSocketNotification");
}

}  // namespace xmlsecdb

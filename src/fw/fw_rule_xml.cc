#include "fw/fw_rule_xml.h"

#include <optional>

#include "core/messages.h"
#include "core/return_if_failed.h"
#include "fw/fw_item_xml.h"
#include "fw/fw_words.h"
#include "list/rule_id.h"
#include "model/attribute_table.h"
#include "model/rule_account.h"

namespace xmlsecdb {
namespace {

// ---------------------------------------------------------------------------
// `Rule`.

// The attributes application and routed rules write alike. They come
// first in both rules' enumerations, with the same values, so that one
// writer serves both.
enum SharedAttribute : int {
  kSId,
  kSPriority,
  kSOrder,
  kSTransportId,
  kSDir,
  kSProt,
  kSLocPort,
  kSRemPort,
  kSRemAddr,
  kSRemAddrId,
  kSOutcondAnd,
  kSOutcondOr,
  kSTimeOfDay,
  kSTimeOfDayId,
  kSOs,
  kSPreferred,
  kSFilter,
  kSDisabled,
  kSDesc,
  kSUiFlags,
  kSharedAttributeCount
};

enum RuleAttribute : int {
  kRId = kSId,
  kRPriority = kSPriority,
  kROrder = kSOrder,
  kRTransportId = kSTransportId,
  kRDir = kSDir,
  kRProt = kSProt,
  kRLocPort = kSLocPort,
  kRRemPort = kSRemPort,
  kRRemAddr = kSRemAddr,
  kRRemAddrId = kSRemAddrId,
  kROutcondAnd = kSOutcondAnd,
  kROutcondOr = kSOutcondOr,
  kRTimeOfDay = kSTimeOfDay,
  kRTimeOfDayId = kSTimeOfDayId,
  kROs = kSOs,
  kRPreferred = kSPreferred,
  kRFilter = kSFilter,
  kRDisabled = kSDisabled,
  kRDesc = kSDesc,
  kRUiFlags = kSUiFlags,
  kRZone = kSharedAttributeCount,
  kRICMPType,
  kRProtNum,
  kRLocAddr,
  kRLocAddrId,
  kRApp,
  kRAppId,
  kRProcId,
  kRLm,
  kRAccount,
  kRSystem,
  kRuleAttributeCount
};

// In the order a save writes them; `system` is read only.
constexpr AttributeSpec<RuleAttribute> kRuleAttributes[] = {
    {"id", kRId},
    {"zone", kRZone, AttributeRead::kDecimal},
    {"priority", kRPriority},
    {"order", kROrder, AttributeRead::kDecimal},
    {"dir", kRDir},
    {"prot", kRProt},
    {"icmptype", kRICMPType},
    {"prot_num", kRProtNum},
    {"locport", kRLocPort},
    {"remport", kRRemPort},
    {"transport_id", kRTransportId},
    {"remaddr", kRRemAddr},
    {"remaddr_id", kRRemAddrId},
    {"locaddr", kRLocAddr},
    {"locaddr_id", kRLocAddrId},
    {"app", kRApp},
    {"app_id", kRAppId},
    {"outcond_and", kROutcondAnd, AttributeRead::kBitList},
    {"outcond_or", kROutcondOr, AttributeRead::kBitList},
    {"timeofday", kRTimeOfDay},
    {"timeofday_id", kRTimeOfDayId},
    {"os", kROs},
    {"filter", kRFilter},
    {"preferred", kRPreferred, AttributeRead::kFlag},
    {"proc_id", kRProcId, AttributeRead::kHex},
    {"lm", kRLm, AttributeRead::kFlag},
    {"account", kRAccount},
    {"disabled", kRDisabled, AttributeRead::kFlag},
    {"desc", kRDesc},
    {"uiflags", kRUiFlags},
    {"system", kRSystem, AttributeRead::kFlag},
};
static_assert(std::size(kRuleAttributes) == kRuleAttributeCount);

constexpr TransportFailures kRuleTransportFailures = {" Wrong rule dir.", " Wrong rule prot.",
                                                      " Wrong rule icmptype."};

// ---------------------------------------------------------------------------
// `RoutedRule`.

enum RoutedAttribute : int {
  kQId = kSId,
  kQPriority = kSPriority,
  kQOrder = kSOrder,
  kQTransportId = kSTransportId,
  kQDir = kSDir,
  kQProt = kSProt,
  kQLocPort = kSLocPort,
  kQRemPort = kSRemPort,
  kQRemAddr = kSRemAddr,
  kQRemAddrId = kSRemAddrId,
  kQOutcondAnd = kSOutcondAnd,
  kQOutcondOr = kSOutcondOr,
  kQTimeOfDay = kSTimeOfDay,
  kQTimeOfDayId = kSTimeOfDayId,
  kQOs = kSOs,
  kQPreferred = kSPreferred,
  kQFilter = kSFilter,
  kQDisabled = kSDisabled,
  kQDesc = kSDesc,
  kQUiFlags = kSUiFlags,
  kQLanAddrId = kSharedAttributeCount,
  kQLanAddr,
  kQIfcAddrId,
  kQIfcAddr,
  kRoutedAttributeCount
};

constexpr AttributeSpec<RoutedAttribute> kRoutedAttributes[] = {
    {"id", kQId},
    {"priority", kQPriority},
    {"order", kQOrder, AttributeRead::kDecimal},
    {"transport_id", kQTransportId},
    {"dir", kQDir},
    {"prot", kQProt},
    {"locport", kQLocPort},
    {"remport", kQRemPort},
    {"remaddr_id", kQRemAddrId},
    {"remaddr", kQRemAddr},
    {"lanaddr_id", kQLanAddrId},
    {"lanaddr", kQLanAddr},
    {"ifcaddr_id", kQIfcAddrId},
    {"ifcaddr", kQIfcAddr},
    {"outcond_and", kQOutcondAnd, AttributeRead::kBitList},
    {"outcond_or", kQOutcondOr, AttributeRead::kBitList},
    {"timeofday_id", kQTimeOfDayId},
    {"timeofday", kQTimeOfDay},
    {"os", kQOs},
    {"preferred", kQPreferred, AttributeRead::kFlag},
    {"filter", kQFilter},
    {"disabled", kQDisabled, AttributeRead::kFlag},
    {"desc", kQDesc},
    {"uiflags", kQUiFlags},
};
static_assert(std::size(kRoutedAttributes) == kRoutedAttributeCount);

constexpr TransportFailures kRoutedTransportFailures = {" Wrong RoutedRule dir.",
                                                        " Wrong RoutedRule prot.", ""};

// The texts of a rule being read, as views into the start tag.
struct RuleTexts {
  std::string_view policy[PolicyRuleCore::kTextSlots] = {};
  std::string_view fw[FWRuleCore::kFWTextSlots] = {"*", "*", "*", ""};

  void Store(FWRuleCore& rule) const {
    rule.texts().assign(policy);
    rule.assign_fw_texts(fw);
  }
};

// An address of a pair: the direct text gives RT_DIRECT, else the ID
// RT_DEFINITION; neither leaves the default.
void ReadAddress(PairChoice choice, std::string_view direct, std::string_view by_id,
                 FWRuleCore::AddressSlot slot, FWRuleCore& rule, RuleTexts& texts) {
  if (choice == PairChoice::kNeither) return;
  const bool is_direct = choice != PairChoice::kById;
  rule.fw_fields().address_type[slot] = is_direct ? RT_DIRECT : RT_DEFINITION;
  texts.fw[slot] = is_direct ? direct : by_id;
}

// The attribute to write of an address pair, for a rule whose reference
// type is `type`: `direct` for RT_DIRECT, `by_id` for RT_DEFINITION.
std::optional<std::string_view> ByType(std::int32_t type, std::int32_t wanted,
                                       std::string_view text) {
  return type == wanted ? std::optional<std::string_view>(text) : std::nullopt;
}

std::optional<std::string_view> PriorityToWrite(Precedence precedence) {
  const EPriority priority = precedence.priority();
  if (priority != PRIOR_LOW && priority != PRIOR_HIGH) return std::nullopt;
  return TextFromValue(kPriority, priority);
}

// The shared tail of both readers: conditions, time, OS, texts.
template <class Values, class Slot>
void ReadCommon(const Values& a, Slot outcond_and, Slot outcond_or, PairChoice time,
                Slot time_direct, Slot time_id, Slot os_slot, FWRuleCore& rule, RuleTexts& texts) {
  PolicyRuleCore::Fields& f = rule.fields();
  f.out_condition_and = a.number(outcond_and);
  f.out_condition_or = a.number(outcond_or);
  if (time == PairChoice::kById) {
    f.time_of_day_type = RT_DEFINITION;
    texts.policy[PolicyRuleCore::kTimeOfDay] = a.text(time_id);
  } else if (time == PairChoice::kDirect) {
    texts.policy[PolicyRuleCore::kTimeOfDay] = a.text(time_direct);
  }
  EOSVersion os = OSVER_WIN_ALL;
  (void)ReadWord(kOSVersion, a.get(os_slot), &os);
  f.os_version = os;
}

std::string_view AssignmentOf(const std::optional<std::string_view>& filter) {
  return filter ? *filter : std::string_view("*");
}

}  // namespace

HRESULT FWRuleXmlBase::Child(SectionReadContext& context, std::string_view name,
                             const SaxAttributes& attributes, FWRuleCore& rule, bool* handled) {
  if (name == kConditionSwitchElement) {
    *handled = true;
    return ReadConditionSwitch(context, attributes, kFWConditionSwitch, rule.switch_list());
  }
  if (name != kAccessDescElement) return S_OK;
  *handled = true;
  AccessDescFields fields;
  RETURN_IF_FAILED(ReadAccessDescFields(context, attributes, 0, kFWAccessDesc, &fields));
  ComPtr<IAccessDescriptor> descriptor;
  RETURN_IF_FAILED(rule.access_list().CreateAccessDescriptor(descriptor.Put()));
  RETURN_IF_FAILED(descriptor->put_AccessResult(fields.access_result));
  RETURN_IF_FAILED(descriptor->put_AccessType(fields.access_type));
  RETURN_IF_FAILED(descriptor->put_AuditLevel(fields.audit_level));
  return rule.ReplaceAccessDescriptor(descriptor.get());
}

HRESULT FWRuleXml::Start(SectionReadContext& context, const SaxAttributes& attributes,
                         CFWRule& rule) {
  const AttributeValues<RuleAttribute, kRuleAttributeCount> a(kRuleAttributes, attributes);
  if (!a.has(kRId)) return context.Fail(kMsgMissingAttribute, " Missing rule id.");
  std::int32_t id = 0;
  if (Failed(ParseRuleID(a.text(kRId), &id)))
    return context.Fail(kMsgMissingAttribute, " Wrong rule id.");
  EPriority priority = PRIOR_NORMAL;
  if (ReadWord(kPriority, a.get(kRPriority), &priority) != ReadStatus::kOk)
    return context.Fail(kMsgInvalidContent, " Wrong rule priority.");
  const TransportTexts transport = {a.get(kRDir),     a.get(kRProt),    a.get(kRICMPType),
                                    a.get(kRLocPort), a.get(kRRemPort), a.get(kRProtNum)};
  RETURN_IF_FAILED(
      ReadTransport(context, transport, kRuleTransportFailures, &rule.loading_transport()));
  const PairChoice remote = ChoosePair(a.text(kRRemAddr), a.text(kRRemAddrId));
  if (remote == PairChoice::kNeither || remote == PairChoice::kBoth)
    return context.Fail(kMsgInvalidContent, " The rule remaddr or remaddr_id must be set.");
  const PairChoice app = ChoosePair(a.text(kRApp), a.text(kRAppId));
  if (app == PairChoice::kNeither || app == PairChoice::kBoth)
    return context.Fail(kMsgInvalidContent, " The rule app or app_id must be set.");
  const PairChoice time = ChoosePair(a.text(kRTimeOfDay), a.text(kRTimeOfDayId));
  if (time == PairChoice::kBoth)
    return context.Fail(kMsgInvalidContent, " The rule timeofday or timeofday_id must be set.");

  // The rule is new and detached: its fields are set directly, in the
  // order of its properties, with the same couplings.
  RETURN_IF_FAILED(rule.SetRuleID({}, id, 0));
  PolicyRuleCore::Fields& f = rule.fields();
  FWRuleCore::FWFields& fw = rule.fw_fields();
  RuleTexts texts;
  if (a.has(kRZone)) fw.zone = a.number(kRZone);
  f.precedence = Precedence::Of(priority, a.flag(kRPreferred));
  if (a.has(kROrder)) f.precedence = Precedence(a.number(kROrder));
  texts.policy[PolicyRuleCore::kAssignment] = AssignmentOf(a.get(kRFilter));
  SystemAccount pair{f.system, f.account};
  if (a.has(kRSystem)) pair = WithSystem(pair, a.flag(kRSystem) ? 1 : 0);
  if (a.flag(kRLm)) f.learning_mode = 1;
  if (a.has(kRProcId)) f.process_id = a.number(kRProcId);
  if (a.has(kRAccount)) {
    ERuleAccount account = static_cast<ERuleAccount>(pair.account);
    (void)ReadWord(kRuleAccount, a.get(kRAccount), &account);
    pair = WithAccount(pair, account);
  }
  f.system = pair.system;
  f.account = pair.account;
  if (a.flag(kRDisabled)) f.enabled = 0;
  ReadAddress(remote, a.text(kRRemAddr), a.text(kRRemAddrId), FWRuleCore::kRemote, rule, texts);
  ReadAddress(ChoosePair(a.text(kRLocAddr), a.text(kRLocAddrId)), a.text(kRLocAddr),
              a.text(kRLocAddrId), FWRuleCore::kLocal, rule, texts);
  if (a.has(kRTransportId)) {
    fw.transport_type = RT_DEFINITION;
    texts.fw[FWRuleCore::kTransportId] = a.text(kRTransportId);
  }
  f.app_type = app == PairChoice::kDirect ? AT_LABEL : AT_DEFINITION;
  texts.policy[PolicyRuleCore::kApplication] =
      app == PairChoice::kDirect ? a.text(kRApp) : a.text(kRAppId);
  ReadCommon(a, kROutcondAnd, kROutcondOr, time, kRTimeOfDay, kRTimeOfDayId, kROs, rule, texts);
  texts.policy[PolicyRuleCore::kDescription] = a.text(kRDesc);
  texts.policy[PolicyRuleCore::kUIFlags] = a.text(kRUiFlags);
  texts.Store(rule);
  return S_OK;
}

namespace {

// The shared attributes of an application or routed rule.
template <class Rule>
void WriteSharedAttribute(SharedAttribute slot, const Rule& rule, AttributeWriter& w) {
  const PolicyRuleCore::Fields& f = rule.fields();
  const FWRuleCore::FWFields& fw = rule.fw_fields();
  const auto transport = [&](TransportAttribute attribute) {
    if (fw.transport_type == RT_DIRECT) WriteTransportAttribute(attribute, rule.transport(), w);
  };
  switch (slot) {
    case kSId:
      w.Text(rule.RuleIDString());
      break;
    case kSPriority:
      w.TextIfAny(PriorityToWrite(f.precedence));
      break;
    case kSOrder:
      w.Int(f.precedence.order());
      break;
    case kSTransportId:
      w.TextIfAny(
          ByType(fw.transport_type, RT_DEFINITION, rule.fw_text(FWRuleCore::kTransportId)));
      break;
    case kSDir:
      transport(kTransportDir);
      break;
    case kSProt:
      transport(kTransportProt);
      break;
    case kSLocPort:
      transport(kTransportLocPort);
      break;
    case kSRemPort:
      transport(kTransportRemPort);
      break;
    case kSRemAddr:
    case kSRemAddrId:
      w.TextIfAny(ByType(fw.address_type[FWRuleCore::kRemote],
                         slot == kSRemAddr ? RT_DIRECT : RT_DEFINITION,
                         rule.fw_text(FWRuleCore::kRemote)));
      break;
    case kSOutcondAnd:
      w.TextIfAny(BitListText(static_cast<std::uint32_t>(f.out_condition_and)));
      break;
    case kSOutcondOr:
      w.TextIfAny(BitListText(static_cast<std::uint32_t>(f.out_condition_or)));
      break;
    case kSTimeOfDay:
    case kSTimeOfDayId:
      if (std::string_view time = rule.text(PolicyRuleCore::kTimeOfDay); !time.empty()) {
        w.TextIfAny(
            ByType(f.time_of_day_type, slot == kSTimeOfDay ? RT_DIRECT : RT_DEFINITION, time));
      }
      break;
    case kSOs:
      w.TextIfAny(WordToWrite(kOSVersion, static_cast<EOSVersion>(f.os_version)));
      break;
    case kSPreferred:
      w.TextIfAny(FlagText(f.precedence.preferred()));
      break;
    case kSFilter:
      if (rule.text(PolicyRuleCore::kAssignment) != "*")
        w.Text(rule.text(PolicyRuleCore::kAssignment));
      break;
    case kSDisabled:
      w.TextIfAny(FlagText(f.enabled == 0));
      break;
    case kSDesc:
      w.TextIfAny(FreeText(rule.text(PolicyRuleCore::kDescription)));
      break;
    case kSUiFlags:
      w.TextIfAny(FreeText(rule.text(PolicyRuleCore::kUIFlags)));
      break;
    case kSharedAttributeCount:
      break;
  }
}

}  // namespace

HRESULT FWRuleXml::Write(XmlWriter& writer, const CFWRule& rule) {
  const PolicyRuleCore::Fields& f = rule.fields();
  const FWRuleCore::FWFields& fw = rule.fw_fields();
  XmlAttributes& out = attributes_;
  out.Clear();
  WriteAttributes(out, kRuleAttributes, [&](RuleAttribute slot, AttributeWriter& w) {
    if (static_cast<int>(slot) < kSharedAttributeCount) {
      WriteSharedAttribute(static_cast<SharedAttribute>(slot), rule, w);
      return;
    }
    switch (slot) {
      case kRZone:
        if (fw.zone != 3) w.Int(fw.zone);
        break;
      case kRICMPType:
      case kRProtNum:
        if (fw.transport_type == RT_DIRECT) {
          WriteTransportAttribute(slot == kRICMPType ? kTransportICMPType : kTransportProtNum,
                                  rule.transport(), w);
        }
        break;
      case kRLocAddr:
      case kRLocAddrId:
        if (rule.fw_text(FWRuleCore::kLocal) != "*") {
          w.TextIfAny(ByType(fw.address_type[FWRuleCore::kLocal],
                             slot == kRLocAddr ? RT_DIRECT : RT_DEFINITION,
                             rule.fw_text(FWRuleCore::kLocal)));
        }
        break;
      case kRApp:
      case kRAppId:
        w.TextIfAny(ByType(f.app_type, slot == kRApp ? AT_LABEL : AT_DEFINITION,
                           rule.text(PolicyRuleCore::kApplication)));
        break;
      case kRProcId:
        w.TextIfAny(ProcessIdText(static_cast<std::uint32_t>(f.process_id)));
        break;
      case kRLm:
        w.TextIfAny(FlagText(f.learning_mode != 0));
        break;
      case kRAccount:
        if (f.account == RA_SYSTEM || f.account == RA_BOTH)
          w.TextIfAny(TextFromValue(kRuleAccount, static_cast<ERuleAccount>(f.account)));
        break;
      default:  // the shared ones, `system` (read only) and the count
        break;
    }
  });
  RETURN_IF_FAILED(writer.StartElement("Rule", out));
  if (const CConditionSwitchList* switches = rule.switch_list_if_any())
    RETURN_IF_FAILED(WriteConditionSwitches(writer, out, *switches));
  RETURN_IF_FAILED(WriteAccessDesc(writer, out, rule.access_descriptor(), 0, kFWAccessDesc));
  return writer.EndElement("Rule");
}

HRESULT FWRoutedRuleXml::Start(SectionReadContext& context, const SaxAttributes& attributes,
                               CFWRoutedRule& rule) {
  const AttributeValues<RoutedAttribute, kRoutedAttributeCount> a(kRoutedAttributes, attributes);
  if (!a.has(kQId)) return context.Fail(kMsgMissingAttribute, " Missing RoutedRule id.");
  std::int32_t id = 0;
  if (Failed(ParseRuleID(a.text(kQId), &id)))
    return context.Fail(kMsgMissingAttribute, " Wrong rule id.");
  EPriority priority = PRIOR_NORMAL;
  if (ReadWord(kPriority, a.get(kQPriority), &priority) != ReadStatus::kOk)
    return context.Fail(kMsgInvalidContent, " Wrong RoutedRule priority.");
  const TransportTexts transport = {a.get(kQDir),     a.get(kQProt),    std::nullopt,
                                    a.get(kQLocPort), a.get(kQRemPort), std::nullopt};
  FWTransport& t = rule.loading_transport();
  RETURN_IF_FAILED(ReadTransport(context, transport, kRoutedTransportFailures, &t));
  if (t.protocol != PROT_TCP && t.protocol != PROT_UDP && t.protocol != PROT_TCP_UDP)
    return context.Fail(kMsgInvalidContent, kRoutedTransportFailures.wrong_prot);
  const PairChoice remote = ChoosePair(a.text(kQRemAddr), a.text(kQRemAddrId));
  if (remote == PairChoice::kNeither || remote == PairChoice::kBoth)
    return context.Fail(kMsgInvalidContent, " The RoutedRule remaddr or remaddr_id must be set.");
  const PairChoice time = ChoosePair(a.text(kQTimeOfDay), a.text(kQTimeOfDayId));
  if (time == PairChoice::kBoth)
    return context.Fail(kMsgInvalidContent,
                        " The RoutedRule timeofday or timeofday_id must be set.");

  RETURN_IF_FAILED(rule.SetRuleID({}, id, 0));
  PolicyRuleCore::Fields& f = rule.fields();
  RuleTexts texts;
  f.precedence = Precedence::Of(priority, a.flag(kQPreferred));
  if (a.has(kQOrder)) f.precedence = Precedence(a.number(kQOrder));
  ReadAddress(remote, a.text(kQRemAddr), a.text(kQRemAddrId), FWRuleCore::kRemote, rule, texts);
  ReadAddress(ChoosePair(a.text(kQLanAddr), a.text(kQLanAddrId)), a.text(kQLanAddr),
              a.text(kQLanAddrId), FWRuleCore::kLocal, rule, texts);
  ReadAddress(ChoosePair(a.text(kQIfcAddr), a.text(kQIfcAddrId)), a.text(kQIfcAddr),
              a.text(kQIfcAddrId), FWRuleCore::kIface, rule, texts);
  if (a.has(kQTransportId)) {
    rule.fw_fields().transport_type = RT_DEFINITION;
    texts.fw[FWRuleCore::kTransportId] = a.text(kQTransportId);
  }
  ReadCommon(a, kQOutcondAnd, kQOutcondOr, time, kQTimeOfDay, kQTimeOfDayId, kQOs, rule, texts);
  texts.policy[PolicyRuleCore::kApplication] = "*";
  texts.policy[PolicyRuleCore::kAssignment] = AssignmentOf(a.get(kQFilter));
  if (a.flag(kQDisabled)) f.enabled = 0;
  texts.policy[PolicyRuleCore::kDescription] = a.text(kQDesc);
  texts.policy[PolicyRuleCore::kUIFlags] = a.text(kQUiFlags);
  texts.Store(rule);
  return S_OK;
}

HRESULT FWRoutedRuleXml::Write(XmlWriter& writer, const CFWRoutedRule& rule) {
  const FWRuleCore::FWFields& fw = rule.fw_fields();
  XmlAttributes& out = attributes_;
  out.Clear();
  const auto address = [&](FWRuleCore::AddressSlot at, std::int32_t wanted, AttributeWriter& w) {
    w.TextIfAny(ByType(fw.address_type[at], wanted, rule.fw_text(at)));
  };
  WriteAttributes(out, kRoutedAttributes, [&](RoutedAttribute slot, AttributeWriter& w) {
    if (static_cast<int>(slot) < kSharedAttributeCount) {
      WriteSharedAttribute(static_cast<SharedAttribute>(slot), rule, w);
      return;
    }
    switch (slot) {
      case kQLanAddrId:
        address(FWRuleCore::kLocal, RT_DEFINITION, w);
        break;
      case kQLanAddr:
        address(FWRuleCore::kLocal, RT_DIRECT, w);
        break;
      case kQIfcAddrId:
        address(FWRuleCore::kIface, RT_DEFINITION, w);
        break;
      case kQIfcAddr:
        address(FWRuleCore::kIface, RT_DIRECT, w);
        break;
      default:  // the shared ones and the count
        break;
    }
  });
  RETURN_IF_FAILED(writer.StartElement("RoutedRule", out));
  RETURN_IF_FAILED(WriteAccessDesc(writer, out, rule.access_descriptor(), 0, kFWAccessDesc));
  return writer.EndElement("RoutedRule");
}

}  // namespace xmlsecdb

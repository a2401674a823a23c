#include "policy/policy_rule_section.h"

#include <optional>

#include "core/messages.h"
#include "core/number_text.h"
#include "list/rule_id.h"
#include "model/attribute_table.h"
#include "model/rule_account.h"

namespace xmlsecdb {
namespace {

// The attributes of `Rule`, found in one pass over the start tag.
enum RuleAttribute : int {
  kAttrId,
  kAttrOt,
  kAttrPriority,
  kAttrApp,
  kAttrAppId,
  kAttrObjId,
  kAttrOutcondAnd,
  kAttrOutcondOr,
  kAttrTimeOfDay,
  kAttrTimeOfDayId,
  kAttrOs,
  kAttrScanItemListId,
  kAttrSystem,
  kAttrPreferred,
  kAttrFilter,
  kAttrLm,
  kAttrProcId,
  kAttrAccount,
  kAttrDisabled,
  kAttrDllObj,
  kAttrDesc,
  kAttrUiFlags,
  kAttrOrder,
  kAttrDictionaryId,
  kAttrFileTypeId,
  kAttributeCount
};

// In the order a save writes them; the last three are read only.
constexpr AttributeSpec<RuleAttribute> kRuleAttributes[] = {
    {"id", kAttrId},
    {"priority", kAttrPriority},
    {"ot", kAttrOt},
    {"scanItemList_id", kAttrScanItemListId, AttributeRead::kUnsigned},
    {"obj_id", kAttrObjId},
    {"app", kAttrApp},
    {"app_id", kAttrAppId},
    {"os", kAttrOs},
    {"outcond_and", kAttrOutcondAnd, AttributeRead::kBitList},
    {"outcond_or", kAttrOutcondOr, AttributeRead::kBitList},
    {"timeofday", kAttrTimeOfDay},
    {"timeofday_id", kAttrTimeOfDayId},
    {"filter", kAttrFilter},
    {"preferred", kAttrPreferred, AttributeRead::kFlag},
    {"order", kAttrOrder, AttributeRead::kDecimal},
    {"proc_id", kAttrProcId, AttributeRead::kHex},
    {"lm", kAttrLm, AttributeRead::kFlag},
    {"account", kAttrAccount},
    {"disabled", kAttrDisabled, AttributeRead::kFlag},
    {"dllobj", kAttrDllObj, AttributeRead::kFlag},
    {"desc", kAttrDesc},
    {"uiflags", kAttrUiFlags},
    {"system", kAttrSystem, AttributeRead::kFlag},
    {"dictionary_id", kAttrDictionaryId},
    {"filetype_id", kAttrFileTypeId},
};
static_assert(std::size(kRuleAttributes) == kAttributeCount);

using RuleAttributes = AttributeValues<RuleAttribute, kAttributeCount>;

std::optional<std::int32_t> WordValue(std::span<const Spelling<std::int32_t>> words,
                                      std::string_view text) {
  for (const Spelling<std::int32_t>& word : words) {
    if (word.text == text) return word.value;
  }
  return std::nullopt;
}

std::optional<std::string_view> WordText(std::span<const Spelling<std::int32_t>> words,
                                         std::int32_t value) {
  for (const Spelling<std::int32_t>& word : words) {
    if (word.value == value) return word.text;
  }
  return std::nullopt;
}

}  // namespace

HRESULT PolicyRuleXml::Start(SectionReadContext& context, const SaxAttributes& attributes,
                             PolicyRuleCore& rule) {
  const RuleAttributes a(kRuleAttributes, attributes);

  if (!a.has(kAttrId)) return context.Fail(kMsgMissingAttribute, " Missing rule id.");
  std::int32_t id = 0;
  if (Failed(ParseRuleID(a.text(kAttrId), &id)))
    return context.Fail(kMsgMissingAttribute, " Wrong rule id.");
  if (!a.has(kAttrOt)) return context.Fail(kMsgMissingAttribute, " Missing rule OT.");
  std::optional<std::int32_t> object_type = WordValue(config_.read_object_types, a.text(kAttrOt));
  if (!object_type) return context.Fail(kMsgInvalidContent, " Wrong rule OT.");
  EPriority priority = PRIOR_NORMAL;
  if (ReadWord(kPriority, a.get(kAttrPriority), &priority) != ReadStatus::kOk) {
    return context.Fail(kMsgInvalidContent, " Wrong rule priority.");
  }
  const PairChoice app = ChoosePair(a.text(kAttrApp), a.text(kAttrAppId));
  if (app == PairChoice::kNeither || app == PairChoice::kBoth) {
    return context.Fail(kMsgInvalidContent, " Wrong rule app or app_id.");
  }
  const PairChoice time = ChoosePair(a.text(kAttrTimeOfDay), a.text(kAttrTimeOfDayId));
  if (time == PairChoice::kBoth) {
    return context.Fail(kMsgInvalidContent, " Wrong rule timeofday and timeofday_id.");
  }

  // The rule is new and detached: its fields are set directly, in the
  // order the properties would be, with the same couplings.
  RETURN_IF_FAILED(rule.SetRuleID({}, id, 0));
  PolicyRuleCore::Fields& f = rule.fields();
  f.object_type = *object_type;
  f.precedence = Precedence::Of(priority, a.flag(kAttrPreferred));
  for (std::string& text : texts_) text.clear();
  if (app == PairChoice::kDirect) {
    f.app_type = AT_LABEL;
    texts_[PolicyRuleCore::kApplication] = a.text(kAttrApp);
  } else {
    f.app_type = AT_DEFINITION;
    texts_[PolicyRuleCore::kApplication] = a.text(kAttrAppId);
  }
  if (a.has(kAttrObjId)) {
    f.path_type = RT_DEFINITION;
    texts_[PolicyRuleCore::kPath] = a.text(kAttrObjId);
  }
  f.out_condition_and = a.number(kAttrOutcondAnd);
  f.out_condition_or = a.number(kAttrOutcondOr);
  if (time == PairChoice::kById) {
    f.time_of_day_type = RT_DEFINITION;
    texts_[PolicyRuleCore::kTimeOfDay] = a.text(kAttrTimeOfDayId);
  } else {
    texts_[PolicyRuleCore::kTimeOfDay] = a.text(kAttrTimeOfDay);
  }
  EOSVersion os = OSVER_WIN_ALL;
  (void)ReadWord(kOSVersion, a.get(kAttrOs), &os);
  f.os_version = os;
  if ((config_.attributes & kReadsScanItemList) && a.has(kAttrScanItemListId)) {
    f.scan_item_list = a.number(kAttrScanItemListId);
  }
  // System(1), then Account when the file names one: as the setters couple
  // them.
  SystemAccount pair{f.system, f.account};
  if (a.flag(kAttrSystem)) pair = WithSystem(pair, 1);
  if (a.has(kAttrAccount)) {
    ERuleAccount account = static_cast<ERuleAccount>(pair.account);
    (void)ReadWord(kRuleAccount, a.get(kAttrAccount), &account);
    pair = WithAccount(pair, account);
  }
  f.system = pair.system;
  f.account = pair.account;
  texts_[PolicyRuleCore::kAssignment] = a.text(kAttrFilter);
  if (a.flag(kAttrLm)) f.learning_mode = 1;
  if (a.has(kAttrProcId)) f.process_id = a.number(kAttrProcId);
  if (a.flag(kAttrDisabled)) f.enabled = 0;
  if ((config_.attributes & kReadsDllObject) && a.flag(kAttrDllObj)) f.dll_object = 1;
  texts_[PolicyRuleCore::kDescription] = a.text(kAttrDesc);
  texts_[PolicyRuleCore::kUIFlags] = a.text(kAttrUiFlags);
  if (config_.attributes & kReadsFileIds) {
    texts_[PolicyRuleCore::kDictionaryId] = a.text(kAttrDictionaryId);
    texts_[PolicyRuleCore::kFileTypeId] = a.text(kAttrFileTypeId);
  }
  if (a.has(kAttrOrder)) f.precedence = Precedence(a.number(kAttrOrder));
  return S_OK;
}

void PolicyRuleXml::SetDirectPath(PolicyRuleCore& rule, std::string_view path) {
  rule.fields().path_type = RT_DIRECT;
  texts_[PolicyRuleCore::kPath] = path;
}

void PolicyRuleXml::Finish(PolicyRuleCore& rule) {
  std::string_view views[PolicyRuleCore::kTextSlots];
  for (std::size_t i = 0; i < PolicyRuleCore::kTextSlots; ++i) views[i] = texts_[i];
  rule.texts().assign(views);
}

HRESULT PolicyRuleXml::Write(XmlWriter& writer, const PolicyRuleCore& rule) {
  const PolicyRuleCore::Fields& f = rule.fields();
  XmlAttributes& out = attributes_;
  out.Clear();
  const auto by_type = [](std::int32_t type, std::int32_t wanted, std::string_view text) {
    return type == wanted ? std::optional<std::string_view>(text) : std::nullopt;
  };
  WriteAttributes(out, kRuleAttributes, [&](RuleAttribute slot, AttributeWriter& w) {
    switch (slot) {
      case kAttrId:
        w.Int(rule.rule_id());
        break;
      case kAttrPriority:
        if (const EPriority priority = f.precedence.priority();
            priority == PRIOR_LOW || priority == PRIOR_HIGH) {
          w.TextIfAny(TextFromValue(kPriority, priority));
        }
        break;
      case kAttrOt:
        w.TextIfAny(WordText(config_.write_object_types, f.object_type));
        break;
      case kAttrScanItemListId:
        if (config_.attributes & kWritesScanItemList) {
          w.Unsigned(static_cast<std::uint32_t>(f.scan_item_list));
        }
        break;
      case kAttrObjId:
        w.TextIfAny(by_type(f.path_type, RT_DEFINITION, rule.text(PolicyRuleCore::kPath)));
        break;
      case kAttrApp:
        w.TextIfAny(by_type(f.app_type, AT_LABEL, rule.text(PolicyRuleCore::kApplication)));
        break;
      case kAttrAppId:
        w.TextIfAny(by_type(f.app_type, AT_DEFINITION, rule.text(PolicyRuleCore::kApplication)));
        break;
      case kAttrOs:
        w.TextIfAny(WordToWrite(kOSVersion, static_cast<EOSVersion>(f.os_version)));
        break;
      case kAttrOutcondAnd:
        w.TextIfAny(BitListText(static_cast<std::uint32_t>(f.out_condition_and)));
        break;
      case kAttrOutcondOr:
        w.TextIfAny(BitListText(static_cast<std::uint32_t>(f.out_condition_or)));
        break;
      case kAttrTimeOfDay:
      case kAttrTimeOfDayId:
        if (std::string_view time = rule.text(PolicyRuleCore::kTimeOfDay); !time.empty()) {
          w.TextIfAny(by_type(f.time_of_day_type,
                              slot == kAttrTimeOfDay ? RT_DIRECT : RT_DEFINITION, time));
        }
        break;
      case kAttrFilter:
        w.TextIfAny(FreeText(rule.text(PolicyRuleCore::kAssignment)));
        break;
      case kAttrPreferred:
        w.TextIfAny(FlagText(f.precedence.preferred()));
        break;
      case kAttrOrder:
        w.Int(f.precedence.order());
        break;
      case kAttrProcId:
        w.TextIfAny(ProcessIdText(static_cast<std::uint32_t>(f.process_id)));
        break;
      case kAttrLm:
        w.TextIfAny(FlagText(f.learning_mode != 0));
        break;
      case kAttrAccount:
        if (f.account == RA_SYSTEM || f.account == RA_BOTH) {
          w.TextIfAny(TextFromValue(kRuleAccount, static_cast<ERuleAccount>(f.account)));
        }
        break;
      case kAttrDisabled:
        w.TextIfAny(FlagText(f.enabled == 0));
        break;
      case kAttrDllObj:
        if (config_.attributes & kWritesDllObject) w.TextIfAny(FlagText(f.dll_object != 0));
        break;
      case kAttrDesc:
        w.TextIfAny(FreeText(rule.text(PolicyRuleCore::kDescription)));
        break;
      case kAttrUiFlags:
        w.TextIfAny(FreeText(rule.text(PolicyRuleCore::kUIFlags)));
        break;
      case kAttrSystem:  // read only
      case kAttrDictionaryId:
      case kAttrFileTypeId:
      case kAttributeCount:
        break;
    }
  });

  RETURN_IF_FAILED(writer.StartElement("Rule", out));
  if (f.path_type == RT_DIRECT) {
    RETURN_IF_FAILED(writer.StartElement("Object"));
    RETURN_IF_FAILED(writer.Characters(rule.text(PolicyRuleCore::kPath)));
    RETURN_IF_FAILED(writer.EndElement("Object"));
  }
  if (const CConditionSwitchList* switches = rule.switch_list_if_any()) {
    RETURN_IF_FAILED(WriteConditionSwitches(writer, out, *switches));
  }
  if (const CAccessDescriptorList* access = rule.access_list_if_any()) {
    RETURN_IF_FAILED(WriteAccessDescs(writer, out, *access, f.object_type, *config_.access));
  }
  return writer.EndElement("Rule");
}

}  // namespace xmlsecdb

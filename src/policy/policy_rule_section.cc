#include "policy/policy_rule_section.h"

#include <optional>

#include "core/messages.h"
#include "core/number_text.h"
#include "list/rule_id.h"
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

constexpr std::string_view kAttributeNames[kAttributeCount] = {
    "id",          "ot",         "priority",  "app",          "app_id",  "obj_id",
    "outcond_and", "outcond_or", "timeofday", "timeofday_id", "os",      "scanItemList_id",
    "system",      "preferred",  "filter",    "lm",           "proc_id", "account",
    "disabled",    "dllobj",     "desc",      "uiflags",      "order",   "dictionary_id",
    "filetype_id"};

struct RuleAttributes {
  std::optional<std::string_view> values[kAttributeCount];
  std::string_view operator[](RuleAttribute a) const { return values[a].value_or(""); }
  bool has(RuleAttribute a) const { return values[a].has_value(); }
};

void Collect(const SaxAttributes& attributes, RuleAttributes* out) {
  for (int i = 0; i < attributes.length(); ++i) {
    std::string_view name = attributes.name(i);
    for (int a = 0; a < kAttributeCount; ++a) {
      if (kAttributeNames[a] == name) {
        // The first of duplicate names wins, as a look-up by name does.
        if (!out->values[a]) out->values[a] = attributes.value(i);
        break;
      }
    }
  }
}

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

void AddOptional(XmlAttributes& attributes, std::string_view name,
                 std::optional<std::string_view> value) {
  if (value) attributes.Add(name, *value);
}

}  // namespace

HRESULT PolicyRuleXml::Start(SectionReadContext& context, const SaxAttributes& attributes,
                             PolicyRuleCore& rule) {
  RuleAttributes a;
  Collect(attributes, &a);

  if (!a.has(kAttrId)) return context.Fail(kMsgMissingAttribute, " Missing rule id.");
  std::int32_t id = 0;
  if (Failed(ParseRuleID(a[kAttrId], &id)))
    return context.Fail(kMsgMissingAttribute, " Wrong rule id.");
  if (!a.has(kAttrOt)) return context.Fail(kMsgMissingAttribute, " Missing rule OT.");
  std::optional<std::int32_t> object_type = WordValue(config_.read_object_types, a[kAttrOt]);
  if (!object_type) return context.Fail(kMsgInvalidContent, " Wrong rule OT.");
  EPriority priority = PRIOR_NORMAL;
  if (ReadWord(kPriority, a.values[kAttrPriority], &priority) != ReadStatus::kOk) {
    return context.Fail(kMsgInvalidContent, " Wrong rule priority.");
  }
  const PairChoice app = ChoosePair(a[kAttrApp], a[kAttrAppId]);
  if (app == PairChoice::kNeither || app == PairChoice::kBoth) {
    return context.Fail(kMsgInvalidContent, " Wrong rule app or app_id.");
  }
  const PairChoice time = ChoosePair(a[kAttrTimeOfDay], a[kAttrTimeOfDayId]);
  if (time == PairChoice::kBoth) {
    return context.Fail(kMsgInvalidContent, " Wrong rule timeofday and timeofday_id.");
  }

  // The rule is new and detached: its fields are set directly, in the
  // order the properties would be, with the same couplings.
  RETURN_IF_FAILED(rule.SetRuleID({}, id, 0));
  PolicyRuleCore::Fields& f = rule.fields();
  f.object_type = *object_type;
  f.precedence = Precedence::Of(priority, FlagFromText(a[kAttrPreferred]));
  for (std::string& text : texts_) text.clear();
  if (app == PairChoice::kDirect) {
    f.app_type = AT_LABEL;
    texts_[PolicyRuleCore::kApplication] = a[kAttrApp];
  } else {
    f.app_type = AT_DEFINITION;
    texts_[PolicyRuleCore::kApplication] = a[kAttrAppId];
  }
  if (a.has(kAttrObjId)) {
    f.path_type = RT_DEFINITION;
    texts_[PolicyRuleCore::kPath] = a[kAttrObjId];
  }
  f.out_condition_and = static_cast<std::int32_t>(BitListFromText(a[kAttrOutcondAnd]));
  f.out_condition_or = static_cast<std::int32_t>(BitListFromText(a[kAttrOutcondOr]));
  if (time == PairChoice::kById) {
    f.time_of_day_type = RT_DEFINITION;
    texts_[PolicyRuleCore::kTimeOfDay] = a[kAttrTimeOfDayId];
  } else {
    texts_[PolicyRuleCore::kTimeOfDay] = a[kAttrTimeOfDay];
  }
  EOSVersion os = OSVER_WIN_ALL;
  (void)ReadWord(kOSVersion, a.values[kAttrOs], &os);
  f.os_version = os;
  if ((config_.attributes & kReadsScanItemList) && a.has(kAttrScanItemListId)) {
    f.scan_item_list = static_cast<std::int32_t>(ReadUnsignedDecimal(a[kAttrScanItemListId]));
  }
  // System(1), then Account when the file names one: as the setters couple
  // them.
  SystemAccount pair{f.system, f.account};
  if (FlagFromText(a[kAttrSystem])) pair = WithSystem(pair, 1);
  if (a.has(kAttrAccount)) {
    ERuleAccount account = static_cast<ERuleAccount>(pair.account);
    (void)ReadWord(kRuleAccount, a.values[kAttrAccount], &account);
    pair = WithAccount(pair, account);
  }
  f.system = pair.system;
  f.account = pair.account;
  texts_[PolicyRuleCore::kAssignment] = a[kAttrFilter];
  if (FlagFromText(a[kAttrLm])) f.learning_mode = 1;
  if (a.has(kAttrProcId)) f.process_id = static_cast<std::int32_t>(ReadHex(a[kAttrProcId]));
  if (FlagFromText(a[kAttrDisabled])) f.enabled = 0;
  if ((config_.attributes & kReadsDllObject) && FlagFromText(a[kAttrDllObj])) f.dll_object = 1;
  texts_[PolicyRuleCore::kDescription] = a[kAttrDesc];
  texts_[PolicyRuleCore::kUIFlags] = a[kAttrUiFlags];
  if (config_.attributes & kReadsFileIds) {
    texts_[PolicyRuleCore::kDictionaryId] = a[kAttrDictionaryId];
    texts_[PolicyRuleCore::kFileTypeId] = a[kAttrFileTypeId];
  }
  if (a.has(kAttrOrder)) f.precedence = Precedence(ReadDecimal(a[kAttrOrder]));
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
  out.AddInt("id", rule.rule_id());
  const EPriority priority = f.precedence.priority();
  if (priority == PRIOR_LOW || priority == PRIOR_HIGH) {
    AddOptional(out, "priority", TextFromValue(kPriority, priority));
  }
  AddOptional(out, "ot", WordText(config_.write_object_types, f.object_type));
  if (config_.attributes & kWritesScanItemList) {
    out.Add("scanItemList_id", DecimalText(static_cast<std::uint32_t>(f.scan_item_list)).view());
  }
  if (f.path_type == RT_DEFINITION) out.Add("obj_id", rule.text(PolicyRuleCore::kPath));
  if (std::optional<std::string_view> app =
          AttributeFor(kAppAttributes, static_cast<EAppType>(f.app_type))) {
    out.Add(*app, rule.text(PolicyRuleCore::kApplication));
  }
  AddOptional(out, "os", WordToWrite(kOSVersion, static_cast<EOSVersion>(f.os_version)));
  if (f.out_condition_and != 0) {
    out.Add("outcond_and", *BitListText(static_cast<std::uint32_t>(f.out_condition_and)));
  }
  if (f.out_condition_or != 0) {
    out.Add("outcond_or", *BitListText(static_cast<std::uint32_t>(f.out_condition_or)));
  }
  std::string_view time = rule.text(PolicyRuleCore::kTimeOfDay);
  if (!time.empty()) {
    if (std::optional<std::string_view> name =
            AttributeFor(kTimeOfDayAttributes, static_cast<ERefType>(f.time_of_day_type))) {
      out.Add(*name, time);
    }
  }
  AddOptional(out, "filter", FreeText(rule.text(PolicyRuleCore::kAssignment)));
  AddOptional(out, "preferred", FlagText(f.precedence.preferred()));
  out.AddInt("order", f.precedence.order());
  if (std::optional<std::string> proc = ProcessIdText(static_cast<std::uint32_t>(f.process_id))) {
    out.Add("proc_id", *proc);
  }
  AddOptional(out, "lm", FlagText(f.learning_mode != 0));
  if (f.account == RA_SYSTEM || f.account == RA_BOTH) {
    AddOptional(out, "account", TextFromValue(kRuleAccount, static_cast<ERuleAccount>(f.account)));
  }
  AddOptional(out, "disabled", FlagText(f.enabled == 0));
  if (config_.attributes & kWritesDllObject)
    AddOptional(out, "dllobj", FlagText(f.dll_object != 0));
  AddOptional(out, "desc", FreeText(rule.text(PolicyRuleCore::kDescription)));
  AddOptional(out, "uiflags", FreeText(rule.text(PolicyRuleCore::kUIFlags)));

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

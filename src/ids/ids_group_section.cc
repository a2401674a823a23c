#include "ids/ids_group_section.h"

#include <iterator>
#include <optional>
#include <string>

#include "core/crypt_engine.h"
#include "core/error_report.h"
#include "core/messages.h"
#include "core/number_text.h"
#include "core/return_if_failed.h"
#include "ids/ids_words.h"
#include "model/attribute_read.h"
#include "model/attribute_table.h"
#include "model/range_text.h"
#include "model/vocabulary.h"

namespace xmlsecdb {
namespace {

constexpr std::string_view kRuleList = "RuleList";
constexpr std::string_view kRule = "Rule";
constexpr std::string_view kToken = "Token";
constexpr std::string_view kWriteSource = "CIDSGroupList::Save()";

// The detail texts of one worded attribute.
constexpr FailureTexts kRuleARFailures = {" Missing rule AR.", " Wrong rule AR."};
constexpr FailureTexts kRuleDirFailures = {" Missing rule dir.", " Wrong rule dir."};
constexpr FailureTexts kRuleProtFailures = {" Missing rule prot.", " Wrong rule prot."};
constexpr FailureTexts kTokenIdFailures = {" Missing token id.", " Wrong token id."};
constexpr FailureTexts kTokenTypeFailures = {" Missing token type.", " Wrong token type."};
constexpr FailureTexts kTokenRelFailures = {{}, " Wrong token rel."};

// The attributes of `Rule`, in the order a save writes them.
enum RuleSlot : int {
  kRuleAL,
  kRuleAR,
  kRuleDir,
  kRuleProt,
  kRuleLocalAddress,
  kRuleRemoteAddress,
  kRuleLocalPorts,
  kRuleRemotePorts,
  kRuleName,
  kRuleSID,
  kRuleEnabled,
  kRuleFilter,
  kRuleSlots
};
constexpr AttributeSpec<RuleSlot> kRuleAttributes[] = {
    {"al", kRuleAL},
    {"ar", kRuleAR},
    {"dir", kRuleDir},
    {"prot", kRuleProt},
    {"locaddr_id", kRuleLocalAddress},
    {"remaddr_id", kRuleRemoteAddress},
    {"locport", kRuleLocalPorts},
    {"remport", kRuleRemotePorts},
    {"name", kRuleName},
    {"sid", kRuleSID, AttributeRead::kUnsigned},
    {"enabled", kRuleEnabled, AttributeRead::kOnFlag},
    {"filter", kRuleFilter},
};
static_assert(std::size(kRuleAttributes) == kRuleSlots);

// Attributes of `Token` that are the token's own fields, never modifiers.
constexpr std::string_view kTokenFieldNames[] = {"unique_id", "id", "type", "rel"};

bool IsTokenFieldName(std::string_view name) {
  for (std::string_view field : kTokenFieldNames) {
    if (TextEquals(field, name, TextCase::kInsensitive)) return true;
  }
  return false;
}

// The word a save writes for `value`, or the save's failure.
template <class E>
HRESULT WordToSave(const Vocabulary<E>& words, E value, const FailureTexts& failures,
                   std::string_view* word) {
  std::optional<std::string_view> text = TextFromValue(words, value);
  if (!text) {
    return ReportError(kWriteSource, CLSID_IDSGroupList, kMsgInvalidContent, IIDSGroupList::kIID,
                       E_INVALIDARG, failures.wrong);
  }
  *word = *text;
  return S_OK;
}

// The value of a token read from its element text, by the token's type.
// Binary text that is not hexadecimal leaves the value empty, as the
// BinHEXValue setter leaves it unchanged.
Variant ReadTokenValue(ETokenType type, std::string_view text) {
  switch (type) {
    case TT_INT:
      if (!text.empty() && text.front() == '-') return Variant(ReadDecimal(text));
      return Variant(ReadUnsignedDecimal(text));
    case TT_BOOL:
      return Variant(FlagFromText(text));
    case TT_BIN: {
      std::vector<std::uint8_t> bytes;
      if (!DecodeBinaryHex(text, &bytes)) return Variant();
      return Variant(std::move(bytes));
    }
    case TT_STR:
      break;
  }
  return Variant(std::string(text));
}

// The element text of a token: by the value's own type, so that what was
// stored is what is written.
HRESULT WriteTokenValue(XmlWriter& writer, const Variant& value) {
  if (const std::string* text = value.as_string()) return writer.Characters(*text);
  if (const std::int32_t* number = value.as_int()) {
    return writer.Characters(DecimalText(*number).view());
  }
  if (const std::uint32_t* number = value.as_uint()) {
    return writer.Characters(DecimalText(*number).view());
  }
  if (const bool* flag = value.as_bool()) return writer.Characters(*flag ? "1" : "0");
  if (const std::vector<std::uint8_t>* bytes = value.as_bytes()) {
    return writer.Characters(BinHexText(*bytes));
  }
  return S_OK;
}

}  // namespace

IDSGroupSection::IDSGroupSection(ParserCore* parser)
    : ListSection(parser, kRuleList, "GroupList", kIDSNoEvents) {}

HRESULT IDSGroupSection::StartElement(SectionReadContext& context, std::string_view name,
                                      std::string_view parent, const SaxAttributes& attributes,
                                      bool* handled) {
  if (name == kRuleList && parent == "SecDb") {
    *handled = true;
    return StartGroup(attributes);
  }
  if (name == kRule && parent == kRuleList && group_) {
    *handled = true;
    return StartRule(context, attributes);
  }
  if (name == kToken && parent == kRule && rule_) {
    *handled = true;
    return StartToken(context, attributes);
  }
  return S_OK;
}

HRESULT IDSGroupSection::StartGroup(const SaxAttributes& attributes) {
  group_.Reset();
  ComPtr<CIDSGroup> group = list()->NewItem();
  // An ID in use fails here, with message 106, and ends the load.
  RETURN_IF_FAILED(group->put_GroupID(attributes.Find("id").value_or("")));
  RETURN_IF_FAILED(group->put_Name(attributes.Find("name").value_or("")));
  RETURN_IF_FAILED(list()->Insert(group.get()));
  group_ = std::move(group);
  return S_OK;
}

HRESULT IDSGroupSection::StartRule(SectionReadContext& context, const SaxAttributes& attributes) {
  rule_.Reset();
  const AttributeValues<RuleSlot, kRuleSlots> a(kRuleAttributes, attributes);
  std::optional<std::string_view> al = a.get(kRuleAL);
  if (!al) return context.Fail(kMsgMissingAttribute, " Missing rule AL.");
  EAuditLevel level = AL_IGNORE;
  if (ReadAuditLevel(al, TextCase::kSensitive, &level) != ReadStatus::kOk) {
    return context.Fail(kMsgInvalidContent, " Wrong rule AL.");
  }
  EAccessResult result = AR_PREVENT;
  RETURN_IF_FAILED(
      ReadWordAttribute(context, kIDSAccessResult, a.get(kRuleAR), kRuleARFailures, &result));
  EDirection direction = DIR_IN;
  RETURN_IF_FAILED(
      ReadWordAttribute(context, kIDSDirection, a.get(kRuleDir), kRuleDirFailures, &direction));
  EProtocol protocol = PROT_TCP;
  RETURN_IF_FAILED(
      ReadWordAttribute(context, kIDSProtocol, a.get(kRuleProt), kRuleProtFailures, &protocol));
  // A missing local address is reported only after the other attributes.
  if (!a.has(kRuleRemoteAddress)) {
    return context.Fail(kMsgMissingAttribute, " Missing rule remaddr_id");
  }
  if (!a.has(kRuleSID)) return context.Fail(kMsgMissingAttribute, " Missing rule sid");
  if (!a.has(kRuleLocalAddress)) {
    return context.Fail(kMsgMissingAttribute, " Missing rule localaddr_id.");
  }

  ComPtr<CIDSRule> rule = group_->rules()->NewItem();
  rule->set_audit_level(level);
  rule->set_access_result(result);
  rule->set_direction(direction);
  rule->set_protocol(protocol);
  if (a.has(kRuleLocalPorts)) {
    rule->set_local_ports(ReadPortRange(a.text(kRuleLocalPorts), PortSyntax::kInvertible));
  }
  if (a.has(kRuleRemotePorts)) {
    rule->set_remote_ports(ReadPortRange(a.text(kRuleRemotePorts), PortSyntax::kInvertible));
  }
  rule->set_file_texts(a.text(kRuleName), a.text(kRuleLocalAddress), a.text(kRuleRemoteAddress),
                       a.get(kRuleFilter).value_or("*"));
  rule->set_sid(static_cast<std::uint32_t>(a.number(kRuleSID)));
  rule->set_enabled(a.flag(kRuleEnabled));
  RETURN_IF_FAILED(group_->rules()->Insert(rule.get()));
  rule_ = std::move(rule);
  return S_OK;
}

HRESULT IDSGroupSection::StartToken(SectionReadContext& context, const SaxAttributes& attributes) {
  token_.Reset();
  std::uint32_t unique_id = ReadUnsignedDecimal(attributes.Find("unique_id").value_or(""));
  EIDSTokenID id = TID_DSIZE;
  RETURN_IF_FAILED(
      ReadWordAttribute(context, kIDSTokenId, attributes.Find("id"), kTokenIdFailures, &id));
  ETokenType type = TT_STR;
  RETURN_IF_FAILED(
      ReadWordAttribute(context, kTokenType, attributes.Find("type"), kTokenTypeFailures, &type));
  ERelation relation = REL_EQUAL;
  RETURN_IF_FAILED(
      ReadWordAttribute(context, kRelation, attributes.Find("rel"), kTokenRelFailures, &relation));

  ComPtr<CIDSToken> token = rule_->tokens()->NewItem();
  token->set_unique_id(unique_id);
  token->set_token_id(id);
  token->set_type(type);
  token->set_relation(relation);
  for (int i = 0; i < attributes.length(); ++i) {
    if (!IsTokenFieldName(attributes.name(i))) {
      token->SetAttribute(attributes.name(i), attributes.value(i));
    }
  }
  RETURN_IF_FAILED(rule_->tokens()->Insert(token.get()));
  token_ = std::move(token);
  return S_OK;
}

HRESULT IDSGroupSection::EndElement(SectionReadContext&, std::string_view name, std::string_view,
                                    std::string_view text) {
  if (name == kToken) {
    if (token_) token_->set_value(ReadTokenValue(token_->type(), text));
    token_.Reset();
  } else if (name == kRule) {
    rule_.Reset();
  } else if (name == kRuleList) {
    group_.Reset();
  }
  return S_OK;
}

HRESULT IDSGroupSection::Write(XmlWriter& writer) {
  for (const CIDSGroup* group : *list()) {
    attributes_.Clear();
    attributes_.Add("id", group->id());
    attributes_.Add("name", group->name());
    RETURN_IF_FAILED(writer.StartElement(kRuleList, attributes_));
    for (const CIDSRule* rule : *group->rules()) RETURN_IF_FAILED(WriteRule(writer, *rule));
    RETURN_IF_FAILED(writer.EndElement(kRuleList));
  }
  return S_OK;
}

HRESULT IDSGroupSection::WriteRule(XmlWriter& writer, const CIDSRule& rule) {
  std::string_view result, direction, protocol;
  RETURN_IF_FAILED(WordToSave(kIDSAccessResult, static_cast<EAccessResult>(rule.access_result()),
                              kRuleARFailures, &result));
  RETURN_IF_FAILED(WordToSave(kIDSDirection, rule.direction(), kRuleDirFailures, &direction));
  RETURN_IF_FAILED(WordToSave(kIDSProtocol, rule.protocol(), kRuleProtFailures, &protocol));

  attributes_.Clear();
  WriteAttributes(attributes_, kRuleAttributes, [&](RuleSlot slot, AttributeWriter& w) {
    switch (slot) {
      case kRuleAL:
        w.Text(AuditLevelText(static_cast<EAuditLevel>(rule.audit_level())));
        break;
      case kRuleAR:
        w.Text(result);
        break;
      case kRuleDir:
        w.Text(direction);
        break;
      case kRuleProt:
        w.Text(protocol);
        break;
      case kRuleLocalAddress:
        w.Text(rule.local_address_id());
        break;
      case kRuleRemoteAddress:
        w.Text(rule.remote_address_id());
        break;
      case kRuleLocalPorts:
        w.Text(PortRangeText(rule.local_ports()).view());
        break;
      case kRuleRemotePorts:
        w.Text(PortRangeText(rule.remote_ports()).view());
        break;
      case kRuleName:
        w.Text(rule.name());
        break;
      case kRuleSID:
        w.Unsigned(rule.sid());
        break;
      case kRuleEnabled:
        w.TextIfAny(OnFlagText(rule.enabled()));
        break;
      case kRuleFilter:
        if (rule.assignment() != "*") w.Text(rule.assignment());
        break;
      case kRuleSlots:
        break;
    }
  });
  RETURN_IF_FAILED(writer.StartElement(kRule, attributes_));
  for (const CIDSToken* token : *rule.tokens()) RETURN_IF_FAILED(WriteToken(writer, *token));
  return writer.EndElement(kRule);
}

HRESULT IDSGroupSection::WriteToken(XmlWriter& writer, const CIDSToken& token) {
  std::string_view id, type, relation;
  RETURN_IF_FAILED(WordToSave(kIDSTokenId, token.token_id(), kTokenIdFailures, &id));
  RETURN_IF_FAILED(WordToSave(kTokenType, token.type(), kTokenTypeFailures, &type));
  RETURN_IF_FAILED(WordToSave(kRelation, token.relation(), kTokenRelFailures, &relation));

  attributes_.Clear();
  attributes_.Add("unique_id", DecimalText(token.unique_id()).view());
  attributes_.Add("id", id);
  attributes_.Add("type", type);
  if (token.relation() != REL_EQUAL) attributes_.Add("rel", relation);
  // A modifier named like one of the token's own fields (only "rel" can
  // be stored) would be read back as that field, or not at all: it is not
  // written.
  for (const CIDSToken::Attribute& attribute : token.attributes()) {
    if (!IsTokenFieldName(attribute.first)) attributes_.Add(attribute.first, attribute.second);
  }
  RETURN_IF_FAILED(writer.StartElement(kToken, attributes_));
  RETURN_IF_FAILED(WriteTokenValue(writer, token.value()));
  return writer.EndElement(kToken);
}

void IDSGroupSection::Clear() {
  token_.Reset();
  rule_.Reset();
  group_.Reset();
  (void)list()->Clear();
}

}  // namespace xmlsecdb

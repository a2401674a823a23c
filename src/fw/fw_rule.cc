#include "fw/fw_rule.h"

#include "core/ascii.h"

namespace xmlsecdb {
namespace {

// What the rules of one side (incoming or outgoing) of a label say.
struct SideMarks {
  bool decided = false;  // by a plain rule
  bool allow_all = false;
  bool deny_all = false;
  bool custom_allow = false;
  bool custom_deny = false;

  void Plain(EAccessResult result) {
    if (decided) return;
    decided = true;
    allow_all = result == AR_ALLOW;
    deny_all = result == AR_PREVENT;
  }
  void Custom(EAccessResult result) {
    custom_allow |= result == AR_ALLOW;
    custom_deny |= result == AR_PREVENT;
  }
  bool complete() const { return decided && custom_allow && custom_deny; }
  EClientServerStatus status() const {
    if (allow_all) return custom_deny ? CSS_CUSTOM : CSS_ALLOW;
    if (deny_all) return custom_allow ? CSS_CUSTOM : CSS_DENY;
    return custom_allow || custom_deny ? CSS_CUSTOM : CSS_ASK;
  }
};

// Any remote address, tcp_udp on every port.
bool IsPlain(const CFWRule& rule, const FWTransport& transport) {
  return rule.fw_text(FWRuleCore::kRemote) == "*" && transport.protocol == PROT_TCP_UDP &&
         transport.local_from == 0 && transport.local_to == 65535 && transport.remote_from == 0 &&
         transport.remote_to == 65535;
}

}  // namespace

HRESULT CFWRule::CopyToList(IFWRuleList* list, std::int32_t generate_id, IFWRule** copy) {
  return CopyRuleToList<CFWRule>(*this, 0, list, generate_id, copy,
                                 [this](CFWRule& target) { return CopyFWContentTo(target); });
}

HRESULT CFWRuleListBase::GetLabelClientServerStatus(std::string_view label,
                                                    EClientServerStatus* client,
                                                    EClientServerStatus* server) {
  if (!client || !server) return E_POINTER;
  SideMarks in;
  SideMarks out;
  for (const CFWRule* rule : *this) {
    if (rule->fields().app_type != AT_LABEL ||
        !EqualsIgnoringAsciiCase(rule->text(PolicyRuleCore::kApplication), label)) {
      continue;
    }
    const FWTransport* transport =
        TransportOf(rule->fw_fields().transport_type, rule->fw_text(FWRuleCore::kTransportId),
                    rule->transport(), compare_context());
    if (!transport) continue;
    const EAccessResult result = rule->access_descriptor().access_result();
    const EDirection direction = transport->direction;
    if (IsPlain(*rule, *transport)) {
      if (direction == DIR_IN) in.Plain(result);
      if (direction == DIR_OUT) out.Plain(result);
    } else {
      if (direction == DIR_IN || direction == DIR_IN_OUT) in.Custom(result);
      if (direction == DIR_OUT || direction == DIR_IN_OUT) out.Custom(result);
    }
    if (in.complete() && out.complete()) break;
  }
  *client = out.status();
  *server = in.status();
  return S_OK;
}

}  // namespace xmlsecdb

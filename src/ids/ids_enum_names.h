// The names of the IDS enumerations' values, which type information
// gives with a property's result (see xmlsecdb/enum_names.h). Included by
// the kind's dispatch tables.
#ifndef XMLSECDB_IDS_IDS_ENUM_NAMES_H_
#define XMLSECDB_IDS_IDS_ENUM_NAMES_H_

#include <span>

#include "xmlsecdb/dispatch.h"
#include "xmlsecdb/ids.h"

namespace xmlsecdb {

inline constexpr DispatchEnumName kIDSTokenIDNames[] = {
    {"TID_DSIZE", TID_DSIZE},           {"TID_PCRE", TID_PCRE},
    {"TID_CONTENT", TID_CONTENT},       {"TID_BYTE_TEST", TID_BYTE_TEST},
    {"TID_BYTE_JUMP", TID_BYTE_JUMP},   {"TID_IS_DATA_AT", TID_IS_DATA_AT},
    {"TID_SAMEADR", TID_SAMEADR},       {"TID_IP_TTL", TID_IP_TTL},
    {"TID_IP_TOS", TID_IP_TOS},         {"TID_IP_ID", TID_IP_ID},
    {"TID_IP_OPT", TID_IP_OPT},         {"TID_IP_FRG", TID_IP_FRG},
    {"TID_IP_PTC", TID_IP_PTC},         {"TID_TCP_FLG", TID_TCP_FLG},
    {"TID_TCP_SEQ", TID_TCP_SEQ},       {"TID_TCP_ACK", TID_TCP_ACK},
    {"TID_ICMP_TYPE", TID_ICMP_TYPE},   {"TID_ICMP_CODE", TID_ICMP_CODE},
    {"TID_ECHO_ID", TID_ECHO_ID},       {"TID_ECHO_SEQ", TID_ECHO_SEQ},
    {"TID_TCP_WINDOW", TID_TCP_WINDOW}, {"TID_FLOW", TID_FLOW},
    {"TID_FLOW_BITS", TID_FLOW_BITS},   {"TID_ASN1", TID_ASN1},
};
constexpr std::span<const DispatchEnumName> DispatchEnumNames(EIDSTokenID) {
  return kIDSTokenIDNames;
}

inline constexpr DispatchEnumName kTokenTypeNames[] = {
    {"TT_STR", TT_STR},
    {"TT_INT", TT_INT},
    {"TT_BOOL", TT_BOOL},
    {"TT_BIN", TT_BIN},
};
constexpr std::span<const DispatchEnumName> DispatchEnumNames(ETokenType) {
  return kTokenTypeNames;
}

inline constexpr DispatchEnumName kRelationNames[] = {
    {"REL_EQUAL", REL_EQUAL}, {"REL_NOT_EQUAL", REL_NOT_EQUAL}, {"REL_GREATER", REL_GREATER},
    {"REL_LESS", REL_LESS},   {"REL_RELATIVE", REL_RELATIVE},
};
constexpr std::span<const DispatchEnumName> DispatchEnumNames(ERelation) { return kRelationNames; }

inline constexpr DispatchEnumName kIDSRulesStatusNames[] = {
    {"IDSS_DISABLED", IDSS_DISABLED},
    {"IDSS_ENABLED", IDSS_ENABLED},
    {"IDSS_MIXED", IDSS_MIXED},
};
constexpr std::span<const DispatchEnumName> DispatchEnumNames(EIDSRulesStatus) {
  return kIDSRulesStatusNames;
}

inline constexpr DispatchEnumName kIDSRulesModeNames[] = {
    {"IDSM_ASYNC", IDSM_ASYNC},
    {"IDSM_SYNC", IDSM_SYNC},
    {"IDSM_MIXED", IDSM_MIXED},
};
constexpr std::span<const DispatchEnumName> DispatchEnumNames(EIDSRulesMode) {
  return kIDSRulesModeNames;
}

}  // namespace xmlsecdb

#endif  // XMLSECDB_IDS_IDS_ENUM_NAMES_H_

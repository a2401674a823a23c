// How an IDS database file spells the values of rules and tokens.
//
// Reading refuses every word not listed here (message 110 with the
// attribute's own detail text); writing takes the listed word of a value
// and refuses a value that has none, so that a save never writes a rule or
// token that its own reader would reject or read differently.
#ifndef XMLSECDB_IDS_IDS_WORDS_H_
#define XMLSECDB_IDS_IDS_WORDS_H_

#include "model/definitions_section.h"
#include "model/rule_set_section.h"
#include "model/vocabulary.h"
#include "xmlsecdb/ids.h"

namespace xmlsecdb {

// `ar`: IDS rules only prevent or allow.
inline constexpr Spelling<EAccessResult> kIDSAccessResultWords[] = {{AR_PREVENT, "Prevent"},
                                                                    {AR_ALLOW, "Allow"}};
inline constexpr Vocabulary<EAccessResult> kIDSAccessResult{.words = kIDSAccessResultWords};

// `dir`: "in_out" is a word of the shared vocabulary, but an IDS rule
// refuses DIR_IN_OUT, so a file that carries it is refused as a wrong
// direction rather than loaded with a direction the file does not say.
inline constexpr Spelling<EDirection> kIDSDirectionWords[] = {{DIR_IN, "in"}, {DIR_OUT, "out"}};
inline constexpr Vocabulary<EDirection> kIDSDirection{.words = kIDSDirectionWords};

// `prot`.
inline constexpr Spelling<EProtocol> kIDSProtocolWords[] = {{PROT_TCP, "tcp"},
                                                            {PROT_UDP, "udp"},
                                                            {PROT_ICMP, "icmp"},
                                                            {PROT_IP, "ip"},
                                                            {PROT_TCP_S, "tcp_s"}};
inline constexpr Vocabulary<EProtocol> kIDSProtocol{.words = kIDSProtocolWords};

// `id` of a token, in enumeration order.
inline constexpr Spelling<EIDSTokenID> kIDSTokenIdWords[] = {
    {TID_DSIZE, "dsize"},         {TID_PCRE, "pcre"},           {TID_CONTENT, "content"},
    {TID_BYTE_TEST, "byte_test"}, {TID_BYTE_JUMP, "byte_jump"}, {TID_IS_DATA_AT, "isdataat"},
    {TID_SAMEADR, "sameadr"},     {TID_IP_TTL, "ip_ttl"},       {TID_IP_TOS, "ip_tos"},
    {TID_IP_ID, "ip_id"},         {TID_IP_OPT, "ip_opt"},       {TID_IP_FRG, "ip_frg"},
    {TID_IP_PTC, "ip_ptc"},       {TID_TCP_FLG, "tcp_flg"},     {TID_TCP_SEQ, "tcp_seq"},
    {TID_TCP_ACK, "tcp_ack"},     {TID_ICMP_TYPE, "icmp_type"}, {TID_ICMP_CODE, "icmp_code"},
    {TID_ECHO_ID, "echo_id"},     {TID_ECHO_SEQ, "echo_seq"},   {TID_TCP_WINDOW, "tcp_window"},
    {TID_FLOW, "flow"},           {TID_FLOW_BITS, "flowbits"},  {TID_ASN1, "asn1"}};
inline constexpr Vocabulary<EIDSTokenID> kIDSTokenId{.words = kIDSTokenIdWords};

// `type` of a token.
inline constexpr Spelling<ETokenType> kTokenTypeWords[] = {
    {TT_STR, "str"}, {TT_INT, "int"}, {TT_BOOL, "bool"}, {TT_BIN, "bin"}};
inline constexpr Vocabulary<ETokenType> kTokenType{.words = kTokenTypeWords};

// `rel` of a token: absent means equal, and equal is not written.
inline constexpr Spelling<ERelation> kRelationWords[] = {{REL_EQUAL, "equal"},
                                                         {REL_NOT_EQUAL, "noteq"},
                                                         {REL_GREATER, "greater"},
                                                         {REL_LESS, "less"},
                                                         {REL_RELATIVE, "relative"}};
inline constexpr Vocabulary<ERelation> kRelation{
    .words = kRelationWords, .if_absent = REL_EQUAL, .omitted = REL_EQUAL};

// `Definition` object types; IDS definitions raise no events.
inline constexpr Spelling<EObjectType> kIDSDefinitionTypes[] = {
    {OT_IDS_IPADDR, "ipaddress"}, {OT_IDS_RULE_INFO, "ruleinfo"}, {OT_IDS_NODE_INFO, "nodeinfo"}};
inline constexpr DefinitionsConfig kIDSDefinitions = {.object_types = kIDSDefinitionTypes,
                                                      .definition_events = kNoDefinitionEvents,
                                                      .item_events = kNoDefinitionEvents};

inline constexpr RuleSetSectionConfig kIDSRuleSets = {" Missing RuleSet id.", true};

}  // namespace xmlsecdb

#endif  // XMLSECDB_IDS_IDS_WORDS_H_

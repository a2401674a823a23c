// CIDSRule and CIDSRuleList: the signatures of an IDS group (see
// xmlsecdb/ids.h for the contract clients see).
//
// A rule keeps its numbers as numbers, its three booleans as bits of one
// byte (the automation booleans, -1 for true, are made only at the
// interface) and its five texts in one heap block: a database may hold a
// million rules, and five std::string members would cost 160 bytes per rule
// before any text.
#ifndef XMLSECDB_IDS_IDS_RULE_H_
#define XMLSECDB_IDS_IDS_RULE_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "ids/ids_item.h"
#include "ids/ids_token.h"
#include "list/packed_text.h"
#include "list/plain_list.h"
#include "model/range_text.h"
#include "xmlsecdb/ids.h"

namespace xmlsecdb {

// Classes clients reach only through the lists; their CLSIDs name them in
// error records.
inline constexpr CLSID CLSID_IDSRule = MakeGuid("{5EC0DB00-0D08-4000-8000-5EC0DB000D08}");
inline constexpr CLSID CLSID_IDSRuleList = MakeGuid("{5EC0DB00-0D09-4000-8000-5EC0DB000D09}");

class CIDSRule final : public ItemObject<IDSOwnerItem, IIDSRule> {
 public:
  CIDSRule();

  HRESULT get_Name(std::string* name) override;
  HRESULT put_Name(std::string_view name) override;
  HRESULT get_AccessResult(std::int32_t* result) override;
  HRESULT put_AccessResult(std::int32_t result) override;
  HRESULT get_AuditLevel(std::int32_t* level) override;
  HRESULT put_AuditLevel(std::int32_t level) override;
  HRESULT get_Direction(EDirection* direction) override;
  HRESULT put_Direction(EDirection direction) override;
  HRESULT get_Protocol(EProtocol* protocol) override;
  HRESULT put_Protocol(EProtocol protocol) override;
  HRESULT get_RemIPAddressID(std::string* id) override;
  HRESULT put_RemIPAddressID(std::string_view id) override;
  HRESULT get_SID(std::int32_t* sid) override;
  HRESULT put_SID(std::int32_t sid) override;
  HRESULT get_LocalPortFrom(std::int32_t* port) override;
  HRESULT put_LocalPortFrom(std::int32_t port) override;
  HRESULT get_LocalPortTo(std::int32_t* port) override;
  HRESULT put_LocalPortTo(std::int32_t port) override;
  HRESULT get_RemotePortFrom(std::int32_t* port) override;
  HRESULT put_RemotePortFrom(std::int32_t port) override;
  HRESULT get_RemotePortTo(std::int32_t* port) override;
  HRESULT put_RemotePortTo(std::int32_t port) override;
  HRESULT get_LocalPortsInverted(std::int16_t* inverted) override;
  HRESULT put_LocalPortsInverted(std::int16_t inverted) override;
  HRESULT get_RemotePortsInverted(std::int16_t* inverted) override;
  HRESULT put_RemotePortsInverted(std::int16_t inverted) override;
  HRESULT get_TokenList(IIDSTokenList** tokens) override;
  HRESULT get_Enabled(std::int16_t* enabled) override;
  HRESULT put_Enabled(std::int16_t enabled) override;
  HRESULT get_Assignment(std::string* assignment) override;
  HRESULT put_Assignment(std::string_view assignment) override;
  HRESULT get_LocIPAddressID(std::string* id) override;
  HRESULT put_LocIPAddressID(std::string_view id) override;
  HRESULT get_UIFlags(std::string* flags) override;
  HRESULT put_UIFlags(std::string_view flags) override;

  // For the library's reader and writer: the fields without checks. The
  // reader validates what it stores (directions and protocols included).
  std::string_view name() const { return texts_.get(kName); }
  std::int32_t access_result() const { return access_result_; }
  std::int32_t audit_level() const { return audit_level_; }
  EDirection direction() const { return direction_; }
  EProtocol protocol() const { return protocol_; }
  std::string_view local_address_id() const { return texts_.get(kLocalAddressId); }
  std::string_view remote_address_id() const { return texts_.get(kRemoteAddressId); }
  std::uint32_t sid() const { return sid_; }
  PortRange local_ports() const { return {local_from_, local_to_, Has(kLocalInverted)}; }
  PortRange remote_ports() const { return {remote_from_, remote_to_, Has(kRemoteInverted)}; }
  bool enabled() const { return Has(kEnabled); }
  std::string_view assignment() const {
    return Has(kDefaultAssignment) ? "*" : texts_.get(kAssignment);
  }
  CIDSTokenList* tokens() const { return tokens_.get(); }

  void set_access_result(std::int32_t result) { access_result_ = result; }
  void set_audit_level(std::int32_t level) { audit_level_ = level; }
  void set_direction(EDirection direction) { direction_ = direction; }
  void set_protocol(EProtocol protocol) { protocol_ = protocol; }
  void set_sid(std::uint32_t sid) { sid_ = sid; }
  void set_local_ports(const PortRange& ports);
  void set_remote_ports(const PortRange& ports);
  void set_enabled(bool enabled) { SetFlag(kEnabled, enabled); }
  // The texts a file carries, set at once (one block); UIFlags, which
  // files do not carry, becomes empty.
  void set_file_texts(std::string_view name, std::string_view local_address_id,
                      std::string_view remote_address_id, std::string_view assignment);

 private:
  // kDefaultAssignment: the assignment is "*", which a new rule has, and
  // the text block does not hold it, so that making a rule allocates no
  // block that the reader's texts replace at once.
  enum Flag : std::uint8_t {
    kEnabled = 0x1,
    kLocalInverted = 0x2,
    kRemoteInverted = 0x4,
    kDefaultAssignment = 0x8
  };
  bool Has(Flag flag) const { return (flags_ & flag) != 0; }
  void SetFlag(Flag flag, bool on) {
    flags_ = static_cast<std::uint8_t>(on ? flags_ | flag : flags_ & ~flag);
  }
  HRESULT GetFlag(Flag flag, std::int16_t* value) const;
  HRESULT PutFlag(std::string_view source, Flag flag, std::int16_t value);

  enum TextSlot : std::size_t {
    kName,
    kLocalAddressId,
    kRemoteAddressId,
    kAssignment,
    kUIFlags,
    kTextSlots
  };
  HRESULT GetText(TextSlot slot, std::string* text) const;
  HRESULT PutText(std::string_view source, TextSlot slot, std::string_view text);

  PackedText<kTextSlots> texts_;
  std::int32_t audit_level_ = 0;
  std::int32_t access_result_ = AR_PREVENT;
  EDirection direction_ = DIR_IN;
  EProtocol protocol_ = PROT_TCP;
  std::uint32_t sid_ = 0;
  std::int32_t local_from_ = 0;
  std::int32_t local_to_ = 65535;
  std::int32_t remote_from_ = 0;
  std::int32_t remote_to_ = 65535;
  std::uint8_t flags_ = kEnabled | kDefaultAssignment;
  OwnedList<CIDSTokenList> tokens_;
};

inline constexpr ListTraits kIDSRuleListTraits = {.class_name = "CIDSRuleList",
                                                  .create_name = "CreateRule",
                                                  .clsid = &CLSID_IDSRuleList,
                                                  .iid = &IIDSRuleList::kIID};

// Insert, Remove and Clear are the plain list's: rules are appended in
// insertion order, without identifier checks.
class CIDSRuleList final : public PlainList<IIDSRuleList, CIDSRule, IIDSRule> {
 public:
  explicit CIDSRuleList(IListOwner* group) : PlainList(group, kIDSRuleListTraits) {}

  HRESULT CreateRule(IIDSRule** rule) override { return Create(rule); }
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_IDS_IDS_RULE_H_

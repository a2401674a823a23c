// CConditionSwitch and CConditionSwitchList: the condition bits a rule
// turns on and off when it fires, and the rule's list of them.
//
// The list is a plain list whose owner site is the rule (IListOwner); it
// uses the rule's switch slots: 8 and 9 around an insertion, 10 and 11
// around a removal (Clear passes no item), 12 and 13 around a change of a
// member's type, target or bits, with the DISPID of the property changed.
// A change of a switch does not mark the parser modified, and a change of
// its UI flags is reported to nobody.
//
// A rule declares the list as
//   OwnedList<CConditionSwitchList> switches_{MakeObject<CConditionSwitchList>(this)};
#ifndef XMLSECDB_MODEL_CONDITION_SWITCH_H_
#define XMLSECDB_MODEL_CONDITION_SWITCH_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "list/plain_list.h"
#include "model/model_dispatch.h"
#include "xmlsecdb/access.h"

namespace xmlsecdb {

// The class named in the list's error records.
inline constexpr CLSID CLSID_ConditionSwitchList =
    MakeGuid("{5EC0DB00-0811-4000-8000-5EC0DB000811}");

// DISPIDs of IConditionSwitch, which the change slots receive.
enum : std::int32_t {
  kSwitchTypeDispid = 1,
  kSwitchTargetDispid = 2,
  kSwitchBitsOnDispid = 3,
  kSwitchBitsOffDispid = 4,
};

inline constexpr ListTraits kConditionSwitchListTraits = {
    "CConditionSwitchList",      "CreateConditionSwitch", &CLSID_ConditionSwitchList,
    &IConditionSwitchList::kIID, &kSwitchNotices,         false};

class CConditionSwitch final : public ItemObject<ListItemBase, IConditionSwitch> {
 public:
  HRESULT get_Type(ECFType* type) override;
  HRESULT put_Type(ECFType type) override;
  HRESULT get_Target(ECFTarget* target) override;
  HRESULT put_Target(ECFTarget target) override;
  HRESULT get_BitsOn(std::int32_t* bits) override;
  HRESULT put_BitsOn(std::int32_t bits) override;
  HRESULT get_BitsOff(std::int32_t* bits) override;
  HRESULT put_BitsOff(std::int32_t bits) override;
  HRESULT get_UIFlags(std::string* flags) override;
  HRESULT put_UIFlags(std::string_view flags) override;

  // Direct reads for save routines.
  ECFType type() const { return type_; }
  ECFTarget target() const { return target_; }
  std::int32_t bits_on() const { return bits_on_; }
  std::int32_t bits_off() const { return bits_off_; }
  const std::string& ui_flags() const { return ui_flags_; }

 private:
  ECFType type_ = CST_AND;
  ECFTarget target_ = CSTRG_GLOBAL;
  std::int32_t bits_on_ = 0;
  std::int32_t bits_off_ = 0;
  std::string ui_flags_;
};

class CConditionSwitchList final
    : public PlainList<IConditionSwitchList, CConditionSwitch, IConditionSwitch> {
 public:
  // `rule` is the owner site; it must outlive the list or detach it
  // (OwnedList does).
  explicit CConditionSwitchList(IListOwner* rule) : PlainList(rule, kConditionSwitchListTraits) {}

  HRESULT CreateConditionSwitch(IConditionSwitch** item) override { return Create(item); }
  HRESULT Insert(IConditionSwitch* item) override { return PlainList::Insert(item); }
  HRESULT Remove(IConditionSwitch* item) override { return PlainList::Remove(item); }
  HRESULT Clear() override { return PlainList::Clear(); }
  HRESULT CopyToList(IConditionSwitchList* target) override;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_CONDITION_SWITCH_H_

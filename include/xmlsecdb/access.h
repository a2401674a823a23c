// Access descriptors and condition switches: the two kinds of item a rule
// owns a list of.
//
// An access descriptor says, for one kind of access to the rule's object,
// what the agent does (EAccessResult) and how loudly it reports it
// (EAuditLevel). The bits of its access type mean different accesses for
// each object type (file read, key write, service start, ...).
//
// A condition switch says which condition bits a rule turns on and off when
// it fires, and whether the change applies globally, to the process, or
// both.
//
// Both lists belong to their rule: they are writable while the rule's parser
// is, and a change to an inserted member is reported to the rule. An item
// that is not a member (made by Create... and not yet inserted, or removed)
// may be read and written freely and reports nothing. Setters do not check
// the range of their values.
//
// Apartment-threaded, like the parser that owns the rule.
#ifndef XMLSECDB_ACCESS_H_
#define XMLSECDB_ACCESS_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "xmlsecdb/collection.h"
#include "xmlsecdb/enums.h"

namespace xmlsecdb {

struct IAccessDescriptor : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0800-4000-8000-5EC0DB000800}");
  using Base = IDispatch;

  // The accesses the descriptor is about, as a mask of the rule's object
  // type. Default 0.
  [[nodiscard]] virtual HRESULT get_AccessType(std::int32_t* access_type) = 0;
  [[nodiscard]] virtual HRESULT put_AccessType(std::int32_t access_type) = 0;
  // Default AR_ALLOW.
  [[nodiscard]] virtual HRESULT get_AccessResult(EAccessResult* result) = 0;
  [[nodiscard]] virtual HRESULT put_AccessResult(EAccessResult result) = 0;
  // Default AL_IGNORE.
  [[nodiscard]] virtual HRESULT get_AuditLevel(EAuditLevel* level) = 0;
  [[nodiscard]] virtual HRESULT put_AuditLevel(EAuditLevel level) = 0;
};

struct IAccessDescriptorList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0801-4000-8000-5EC0DB000801}");
  using Base = ISDCollection;

  // A new descriptor with the defaults, bound to this list but not a member
  // until inserted. The caller releases *item.
  [[nodiscard]] virtual HRESULT CreateAccessDescriptor(IAccessDescriptor** item) = 0;
  // Appends `item` (made by an access-descriptor list of this library);
  // there is no duplicate check.
  [[nodiscard]] virtual HRESULT Insert(IAccessDescriptor* item) = 0;
  // Removes the member that is this very object; SECDB_E_NOTFOUND when it
  // is none.
  [[nodiscard]] virtual HRESULT Remove(IAccessDescriptor* item) = 0;
  [[nodiscard]] virtual HRESULT Clear() = 0;
  // Replaces the members of `target` with copies of this list's members
  // (access result, access type, audit level), in order. E_POINTER for a
  // null target. Copying a list onto itself leaves it as it is.
  [[nodiscard]] virtual HRESULT CopyToList(IAccessDescriptorList* target) = 0;
};

struct IConditionSwitch : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0802-4000-8000-5EC0DB000802}");
  using Base = IDispatch;

  // Default CST_AND.
  [[nodiscard]] virtual HRESULT get_Type(ECFType* type) = 0;
  [[nodiscard]] virtual HRESULT put_Type(ECFType type) = 0;
  // Default CSTRG_GLOBAL.
  [[nodiscard]] virtual HRESULT get_Target(ECFTarget* target) = 0;
  [[nodiscard]] virtual HRESULT put_Target(ECFTarget target) = 0;
  // Condition bits turned on and off; bit n-1 is condition n. Default 0.
  [[nodiscard]] virtual HRESULT get_BitsOn(std::int32_t* bits) = 0;
  [[nodiscard]] virtual HRESULT put_BitsOn(std::int32_t bits) = 0;
  [[nodiscard]] virtual HRESULT get_BitsOff(std::int32_t* bits) = 0;
  [[nodiscard]] virtual HRESULT put_BitsOff(std::int32_t bits) = 0;
  // Free text kept for user interfaces. A change is not reported to the
  // rule, and CopyToList does not copy it.
  [[nodiscard]] virtual HRESULT get_UIFlags(std::string* flags) = 0;
  [[nodiscard]] virtual HRESULT put_UIFlags(std::string_view flags) = 0;
};

struct IConditionSwitchList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0803-4000-8000-5EC0DB000803}");
  using Base = ISDCollection;

  // As IAccessDescriptorList.
  [[nodiscard]] virtual HRESULT CreateConditionSwitch(IConditionSwitch** item) = 0;
  [[nodiscard]] virtual HRESULT Insert(IConditionSwitch* item) = 0;
  [[nodiscard]] virtual HRESULT Remove(IConditionSwitch* item) = 0;
  [[nodiscard]] virtual HRESULT Clear() = 0;
  // Copies type, target, bits on and bits off; the copies' UI flags stay
  // empty.
  [[nodiscard]] virtual HRESULT CopyToList(IConditionSwitchList* target) = 0;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_ACCESS_H_

// The firewall's transport items: CFWItem (an item of a firewall
// definition, in a CFWItemList) and CFWTransportObject (the inline
// transport a rule owns). Both answer IFWItem over the same FWTransport
// fields through FWItemMembers; they differ only in what a setter does
// after the read-only guard:
//
//   - an item raises the parser's item-changed events (with its
//     EFWItemProperty) around a change, while it and its definition are
//     members, through the definition, its list's owner site;
//   - a transport object stores without events and tells its owning rule,
//     which marks the parser's rule lists for re-sorting (list/owned_child.h).
//
// Apartment-threaded, like the parser.
#ifndef XMLSECDB_FW_FW_ITEM_H_
#define XMLSECDB_FW_FW_ITEM_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "fw/fw_dispatch.h"
#include "fw/fw_transport.h"
#include "list/list_item.h"
#include "list/owned_child.h"
#include "list/plain_list.h"
#include "xmlsecdb/fw.h"

namespace xmlsecdb {

// Classes clients reach only through the lists and rules; their CLSIDs name
// them in error records.
inline constexpr CLSID CLSID_FWItem = MakeGuid("{5EC0DB00-0E80-4000-8000-5EC0DB000E80}");
inline constexpr CLSID CLSID_FWItemList = MakeGuid("{5EC0DB00-0E81-4000-8000-5EC0DB000E81}");
inline constexpr CLSID CLSID_FWTransportObject = MakeGuid("{5EC0DB00-0E82-4000-8000-5EC0DB000E82}");

// Answered by both classes with their FWTransport (not an interface: the
// library's own way from an IFWItem to the fields Compare reads).
inline constexpr IID kFWTransportIID = MakeGuid("{5EC0DB00-0EFF-4000-8000-5EC0DB000EFF}");

// The fields in IFWItem's order, as the setters name them.
enum FWItemField : int {
  kFieldContent,
  kFieldDirection,
  kFieldProtocol,
  kFieldICMPType,
  kFieldLocalPortFrom,
  kFieldLocalPortTo,
  kFieldRemotePortFrom,
  kFieldRemotePortTo,
  kFieldCustomProtocolNumber,
  kFieldCount
};

// IFWItem on top of `Base` (an item or an owned child). `Derived` gives
//   template <class T, class U> HRESULT SetField(FWItemField, T& field, U&& value);
template <class Derived, class Base>
class FWItemMembers : public Base {
 public:
  HRESULT get_Content(std::string* content) override { return GetField(fields_.content, content); }
  HRESULT put_Content(std::string_view content) override {
    return Set(kFieldContent, fields_.content, std::string(content));
  }
  HRESULT get_Direction(EDirection* direction) override {
    return GetField(fields_.direction, direction);
  }
  HRESULT put_Direction(EDirection direction) override {
    return Set(kFieldDirection, fields_.direction, direction);
  }
  HRESULT get_Protocol(EProtocol* protocol) override {
    return GetField(fields_.protocol, protocol);
  }
  HRESULT put_Protocol(EProtocol protocol) override {
    return Set(kFieldProtocol, fields_.protocol, protocol);
  }
  HRESULT get_ICMPType(EICMPType* type) override { return GetField(fields_.icmp_type, type); }
  HRESULT put_ICMPType(EICMPType type) override {
    return Set(kFieldICMPType, fields_.icmp_type, type);
  }
  HRESULT get_LocalPortFrom(std::int32_t* port) override {
    return GetField(fields_.local_from, port);
  }
  HRESULT put_LocalPortFrom(std::int32_t port) override {
    return Set(kFieldLocalPortFrom, fields_.local_from, port);
  }
  HRESULT get_LocalPortTo(std::int32_t* port) override { return GetField(fields_.local_to, port); }
  HRESULT put_LocalPortTo(std::int32_t port) override {
    return Set(kFieldLocalPortTo, fields_.local_to, port);
  }
  HRESULT get_RemotePortFrom(std::int32_t* port) override {
    return GetField(fields_.remote_from, port);
  }
  HRESULT put_RemotePortFrom(std::int32_t port) override {
    return Set(kFieldRemotePortFrom, fields_.remote_from, port);
  }
  HRESULT get_RemotePortTo(std::int32_t* port) override {
    return GetField(fields_.remote_to, port);
  }
  HRESULT put_RemotePortTo(std::int32_t port) override {
    return Set(kFieldRemotePortTo, fields_.remote_to, port);
  }
  HRESULT get_CustomProtocolNumber(std::int32_t* numbers) override {
    return GetField(fields_.protocol_numbers, numbers);
  }
  HRESULT put_CustomProtocolNumber(std::int32_t numbers) override {
    return Set(kFieldCustomProtocolNumber, fields_.protocol_numbers, numbers);
  }

  HRESULT Compare(IFWItem* other, std::int16_t* result) override {
    if (!result) return E_POINTER;
    void* fields = nullptr;
    if (!other || Failed(other->QueryInterface(kFWTransportIID, &fields))) return E_POINTER;
    *result = CompareTransports(fields_, *static_cast<const FWTransport*>(fields));
    other->Release();  // the reference the query took
    return S_OK;
  }

  const FWTransport& transport() const { return fields_; }
  // The fields without guard or notice: for loaders filling a detached
  // object (list/list_section.h).
  FWTransport& loading_transport() { return fields_; }

 protected:
  using Base::Base;

  void* QueryExtra(const IID& iid) override {
    return iid == kFWTransportIID ? static_cast<void*>(&fields_) : Base::QueryExtra(iid);
  }

 private:
  template <class T, class U>
  HRESULT Set(FWItemField field_id, T& field, U&& value) {
    return static_cast<Derived*>(this)->SetField(field_id, field, std::forward<U>(value));
  }

  FWTransport fields_;
};

class CFWItem final : public FWItemMembers<CFWItem, ItemObject<ListItemBase, IFWItem>> {
 public:
  template <class T, class U>
  HRESULT SetField(FWItemField field_id, T& field, U&& value) {
    const auto index = static_cast<std::size_t>(field_id);
    return Put(kSetters[index], field, std::forward<U>(value), kProperties[index]);
  }

 private:
  static constexpr std::string_view kSetters[kFieldCount] = {"CFWItem::put_Content()",
                                                             "CFWItem::put_Direction()",
                                                             "CFWItem::put_Protocol()",
                                                             "CFWItem::put_ICMPType()",
                                                             "CFWItem::put_LocalPortFrom()",
                                                             "CFWItem::put_LocalPortTo()",
                                                             "CFWItem::put_RemotePortFrom()",
                                                             "CFWItem::put_RemotePortTo()",
                                                             "CFWItem::put_CustomProtocolNumber()"};
  static constexpr std::int32_t kProperties[kFieldCount] = {
      FWI_CONTENT,    FWI_DIRECTION,   FWI_PROTOCOL,    FWI_ICMP,    FWI_LOCALPORTS,
      FWI_LOCALPORTS, FWI_REMOTEPORTS, FWI_REMOTEPORTS, FWI_PROTOCOL};
};

inline constexpr ListTraits kFWItemListTraits = {
    "CFWItemList", "CreateItem", &CLSID_FWItemList, &IFWItemList::kIID, &kItemNotices, false};

// Owned by one firewall definition, which is its owner site.
class CFWItemList final : public PlainList<IFWItemList, CFWItem, IFWItem> {
 public:
  explicit CFWItemList(IListOwner* definition) : PlainList(definition, kFWItemListTraits) {}
  HRESULT CreateItem(IFWItem** item) override { return Create(item); }
};

// Owned by a rule (its owner site) through Owned<CFWTransportObject>; made
// without an owner it is writable and tells nobody.
class CFWTransportObject final : public FWItemMembers<CFWTransportObject, ChildObject<IFWItem>> {
 public:
  explicit CFWTransportObject(IListOwner* rule) : FWItemMembers(rule) {}

  template <class T, class U>
  HRESULT SetField(FWItemField field_id, T& field, U&& value) {
    return Store(kSetters[static_cast<std::size_t>(field_id)], field, std::forward<U>(value));
  }

 private:
  static constexpr std::string_view kSetters[kFieldCount] = {
      "CFWTransportObject::put_Content()",
      "CFWTransportObject::put_Direction()",
      "CFWTransportObject::put_Protocol()",
      "CFWTransportObject::put_ICMPType()",
      "CFWTransportObject::put_LocalPortFrom()",
      "CFWTransportObject::put_LocalPortTo()",
      "CFWTransportObject::put_RemotePortFrom()",
      "CFWTransportObject::put_RemotePortTo()",
      "CFWTransportObject::put_CustomProtocolNumber()"};
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_FW_FW_ITEM_H_

// CFWDefinition and CFWDefinitionList: the firewall's definitions, on the
// shared definition (model/definition.h). A firewall definition holds
// transport items (CFWItemList) and accepts only the five firewall object
// types; the list makes and accepts only firewall definitions.
//
// Apartment-threaded, like the parser.
#ifndef XMLSECDB_FW_FW_DEFINITION_H_
#define XMLSECDB_FW_FW_DEFINITION_H_

#include <cstdint>

#include "fw/fw_item.h"
#include "list/owned.h"
#include "model/definition.h"

namespace xmlsecdb {

inline constexpr CLSID CLSID_FWDefinitionList = MakeGuid("{5EC0DB00-0E83-4000-8000-5EC0DB000E83}");
inline constexpr CLSID CLSID_FWDefinition = MakeGuid("{5EC0DB00-0E84-4000-8000-5EC0DB000E84}");

// OT_FW_TRANS, OT_FW_IPADDR, OT_TIME, OT_FW_IPADDR_LAN, OT_FW_EXPRESSION.
bool IsFirewallObjectType(std::int32_t type);

class CFWDefinition final : public CDefinition {
 public:
  CFWDefinition();

  HRESULT get_ItemList(IDispatch** items) override;
  const CLSID& clsid() const override { return CLSID_FWDefinition; }

  CFWItemList* items() const { return items_.get(); }

 protected:
  bool AcceptsObjectType(std::int32_t type) const override { return IsFirewallObjectType(type); }

 private:
  OwnedList<CFWItemList> items_;
};

inline constexpr ListTraits kFWDefinitionListTraits = {
    "CFWDefinitionList",    "CreateDefinition", &CLSID_FWDefinitionList,
    &IDefinitionList::kIID, &kItemNotices,      false};

// The firewall parser's definition list. `item_events` are the parser
// events of the definitions' items.
class CFWDefinitionList final : public DefinitionListBase {
 public:
  CFWDefinitionList(IListOwner* parser_site, const ListEventIds& item_events)
      : DefinitionListBase(parser_site, kFWDefinitionListTraits, item_events) {}

  // A new firewall definition bound to this list, not yet a member.
  ComPtr<CFWDefinition> NewFWDefinition();
  CFWDefinition* at(std::int32_t index) const {
    return static_cast<CFWDefinition*>(definition_at(index));
  }

 protected:
  ComPtr<CDefinition> MakeDefinition() override;
  bool Accepts(const CDefinition& definition) const override;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_FW_FW_DEFINITION_H_

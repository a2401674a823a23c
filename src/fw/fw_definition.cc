#include "fw/fw_definition.h"

namespace xmlsecdb {

bool IsFirewallObjectType(std::int32_t type) {
  switch (type) {
    case OT_FW_TRANS:
    case OT_FW_IPADDR:
    case OT_TIME:
    case OT_FW_IPADDR_LAN:
    case OT_FW_EXPRESSION:
      return true;
    default:
      return false;
  }
}

CFWDefinition::CFWDefinition() : items_(MakeObject<CFWItemList>(this)) {}

HRESULT CFWDefinition::get_ItemList(IDispatch** items) { return GetOwned(items_.get(), items); }

ComPtr<CFWDefinition> CFWDefinitionList::NewFWDefinition() {
  ComPtr<CDefinition> made = NewDefinition();
  return ComPtr<CFWDefinition>::Adopt(static_cast<CFWDefinition*>(made.Detach()));
}

ComPtr<CDefinition> CFWDefinitionList::MakeDefinition() {
  return ComPtr<CDefinition>(MakeObject<CFWDefinition>());
}

bool CFWDefinitionList::Accepts(const CDefinition& definition) const {
  return definition.clsid() == CLSID_FWDefinition;
}

}  // namespace xmlsecdb

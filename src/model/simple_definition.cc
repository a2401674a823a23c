#include "model/simple_definition.h"

#include "list/owned.h"

namespace xmlsecdb {

HRESULT CSimpleItem::get_Content(std::string* content) { return GetField(content_, content); }

HRESULT CSimpleItem::put_Content(std::string_view content) {
  return Put("CSimpleItem::put_Content()", content_, content, 0);
}

CSimpleDefinition::CSimpleDefinition() : items_(MakeObject<CSimpleItemList>(this)) {}

HRESULT CSimpleDefinition::get_ItemList(IDispatch** items) { return GetOwned(items_.get(), items); }

ComPtr<CSimpleDefinition> CDefinitionList::NewSimpleDefinition() {
  ComPtr<CDefinition> made = NewDefinition();
  return ComPtr<CSimpleDefinition>::Adopt(static_cast<CSimpleDefinition*>(made.Detach()));
}

ComPtr<CDefinition> CDefinitionList::MakeDefinition() {
  return ComPtr<CDefinition>(MakeObject<CSimpleDefinition>());
}

bool CDefinitionList::Accepts(const CDefinition& definition) const {
  return definition.clsid() == CLSID_SimpleDefinition;
}

}  // namespace xmlsecdb

#include "model/definitions_context.h"

#include <cstdint>
#include <string>

#include "list/list_core.h"
#include "xmlsecdb/parser.h"

namespace xmlsecdb {

const ListItemBase* DefinitionsContext::FindDefinition(std::string_view id) const {
  return definitions_ ? definitions_->Find(id) : nullptr;
}

const ListItemBase* DefinitionsContext::FindMasterDefinition(std::string_view id) const {
  const DefinitionListBase* master = DefinitionListOf(master_parser());
  return master ? master->Find(id) : nullptr;
}

const DefinitionListBase* DefinitionListOf(IUnknown* parser) {
  if (!parser) return nullptr;
  ComPtr<ISDParserLists> lists;
  if (Failed(ComPtr<IUnknown>(parser).As(&lists))) return nullptr;
  std::int32_t count = 0;
  if (Failed(lists->get_ListCount(&count))) return nullptr;
  for (std::int32_t i = 0; i < count; ++i) {
    std::string property;
    ComPtr<ISDCollection> list;
    if (Failed(lists->GetList(i, &property, list.Put())) || property != "DefinitionList") continue;
    // Every IDefinitionList of this library is a DefinitionListBase; the
    // parser keeps the list alive after our reference goes.
    ListCore* core = AsListCore(list.get());
    if (core && *core->traits().iid == IDefinitionList::kIID) {
      return static_cast<const DefinitionListBase*>(core);
    }
  }
  return nullptr;
}

}  // namespace xmlsecdb

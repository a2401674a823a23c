// Simple definitions: CSimpleItem (one text), CSimpleItemList (the items
// of one definition), CSimpleDefinition and CDefinitionList, the definition
// list of every database except the firewall.
//
// Apartment-threaded, like the parser.
#ifndef XMLSECDB_MODEL_SIMPLE_DEFINITION_H_
#define XMLSECDB_MODEL_SIMPLE_DEFINITION_H_

#include <string>
#include <string_view>

#include "list/plain_list.h"
#include "model/definition.h"
#include "model/model_dispatch.h"
#include "xmlsecdb/definitions.h"

namespace xmlsecdb {

// Classes clients reach only through the lists; their CLSIDs name them in
// error records.
inline constexpr CLSID CLSID_DefinitionList = MakeGuid("{5EC0DB00-0480-4000-8000-5EC0DB000480}");
inline constexpr CLSID CLSID_SimpleDefinition = MakeGuid("{5EC0DB00-0481-4000-8000-5EC0DB000481}");
inline constexpr CLSID CLSID_SimpleItemList = MakeGuid("{5EC0DB00-0482-4000-8000-5EC0DB000482}");
inline constexpr CLSID CLSID_SimpleItem = MakeGuid("{5EC0DB00-0483-4000-8000-5EC0DB000483}");

class CSimpleItem final : public ItemObject<ListItemBase, ISimpleItem> {
 public:
  HRESULT get_Content(std::string* content) override;
  // When the item is in its list and its definition in the parser's list,
  // a changed text sets bit 0x2 of the parser's modified flags and raises
  // the item-changed events.
  HRESULT put_Content(std::string_view content) override;

  const std::string& content() const { return content_; }

 private:
  std::string content_;
};

inline constexpr ListTraits kSimpleItemListTraits = {"CSimpleItemList",     "CreateItem",
                                                     &CLSID_SimpleItemList, &ISimpleItemList::kIID,
                                                     &kItemNotices,         false};

// Owned by one definition, which is its owner site.
class CSimpleItemList final : public PlainList<ISimpleItemList, CSimpleItem, ISimpleItem> {
 public:
  explicit CSimpleItemList(IListOwner* definition) : PlainList(definition, kSimpleItemListTraits) {}
  HRESULT CreateItem(ISimpleItem** item) override { return Create(item); }
};

class CSimpleDefinition final : public CDefinition {
 public:
  CSimpleDefinition();

  HRESULT get_ItemList(IDispatch** items) override;
  const CLSID& clsid() const override { return CLSID_SimpleDefinition; }

  CSimpleItemList* items() const { return items_.get(); }

 private:
  OwnedList<CSimpleItemList> items_;
};

inline constexpr ListTraits kDefinitionListTraits = {"CDefinitionList",     "CreateDefinition",
                                                     &CLSID_DefinitionList, &IDefinitionList::kIID,
                                                     &kItemNotices,         false};

// The parser's list of simple definitions. `item_events` are the parser
// events of the definitions' items; the owner site raises the definition
// events.
class CDefinitionList final : public DefinitionListBase {
 public:
  CDefinitionList(IListOwner* parser_site, const ListEventIds& item_events)
      : DefinitionListBase(parser_site, kDefinitionListTraits, item_events) {}

  // A new simple definition bound to this list, not yet a member.
  ComPtr<CSimpleDefinition> NewSimpleDefinition();
  CSimpleDefinition* at(std::int32_t index) const {
    return static_cast<CSimpleDefinition*>(definition_at(index));
  }

 protected:
  ComPtr<CDefinition> MakeDefinition() override;
  bool Accepts(const CDefinition& definition) const override;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_SIMPLE_DEFINITION_H_

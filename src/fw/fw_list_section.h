// FWListSection<Family>: a rule section of a firewall database —
// `RuleList`, `RoutedRuleList`, `DialNumberList`, `ZoneRuleList` or
// `BindSocketNotificationList` — read and written through its family's
// element form (fw/fw_rule_xml.h, fw/fw_small_rules_xml.h).
//
// The firewall's handler takes the elements it knows by name: an item
// element (`Rule`, ...) starts an item wherever it stands, and the
// `AccessDesc` and `ConditionSwitch` elements inside it belong to it. At
// the item's end it becomes a member as every loader does
// (list/list_section.h): rule lists take it through InsertLoaded and
// settle the order Insert would give at the end of their element; the
// others through their Insert. A failing insert (a duplicate id, 117)
// ends the load.
//
// A Family gives:
//   using List, Item;
//   static constexpr std::string_view kList, kItem;
//   static constexpr FWListLog kLog;       // debug lines of the writer
//   static constexpr bool kBulkLoad;       // InsertLoaded, else Insert
//   HRESULT Start(SectionReadContext&, const SaxAttributes&, Item&);
//   HRESULT Child(SectionReadContext&, std::string_view name,
//                 const SaxAttributes&, Item&, bool* handled);
//   HRESULT Write(XmlWriter&, const Item&);
#ifndef XMLSECDB_FW_FW_LIST_SECTION_H_
#define XMLSECDB_FW_FW_LIST_SECTION_H_

#include <string_view>
#include <utility>

#include "core/return_if_failed.h"
#include "core/section.h"
#include "list/list_section.h"
#include "platform/debug_log.h"
#include "platform/xml_writer.h"

namespace xmlsecdb {

// The debug lines a list's writer gives; a null line is not written.
struct FWListLog {
  const char* save = nullptr;
  const char* start_failed = nullptr;
  const char* end_failed = nullptr;
};

template <class Family>
class FWListSection final : public ListSection<typename Family::List> {
 public:
  using List = typename Family::List;
  using Item = typename Family::Item;

  template <class... ListArgs>
  FWListSection(ParserCore* parser, const ListEventIds& events, ListArgs&&... list_args)
      : ListSection<List>(parser, Family::kList, Family::kList, events,
                          std::forward<ListArgs>(list_args)...) {}

  HRESULT StartElement(SectionReadContext& context, std::string_view name, std::string_view parent,
                       const SaxAttributes& attributes, bool* handled) override {
    if (name == Family::kList && parent == "SecDb") {
      *handled = true;
      return S_OK;
    }
    if (name == Family::kItem) {
      *handled = true;
      current_ = this->list()->NewItem();
      return family_.Start(context, attributes, *current_);
    }
    if (!current_) return S_OK;
    return family_.Child(context, name, attributes, *current_, handled);
  }

  HRESULT EndElement(SectionReadContext&, std::string_view name, std::string_view parent,
                     std::string_view) override {
    if (name == Family::kList && parent == "SecDb") {
      if constexpr (Family::kBulkLoad) this->list()->EndBulkLoad();
    } else if (name == Family::kItem && current_) {
      ComPtr<Item> item = std::move(current_);
      if constexpr (Family::kBulkLoad) {
        return this->list()->InsertLoaded(item.get());
      } else {
        return this->list()->Insert(item.get());
      }
    }
    return S_OK;
  }

  HRESULT Write(XmlWriter& writer) override {
    Log(Family::kLog.save);
    if constexpr (Family::kBulkLoad) this->list()->EndBulkLoad();  // a load that failed part-way
    HRESULT hr = writer.StartElement(Family::kList);
    if (Failed(hr)) {
      Log(Family::kLog.start_failed);
      return hr;
    }
    for (const Item* item : *this->list()) RETURN_IF_FAILED(family_.Write(writer, *item));
    hr = writer.EndElement(Family::kList);
    if (Failed(hr)) Log(Family::kLog.end_failed);
    return hr;
  }

  void Clear() override {
    current_.Reset();
    (void)this->list()->ClearMembers();
    if constexpr (Family::kBulkLoad) this->list()->EndBulkLoad();
  }

 private:
  static void Log(const char* line) {
    if (line) DebugLog("%s", line);
  }

  Family family_;
  ComPtr<Item> current_;  // the item whose element is open
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_FW_FW_LIST_SECTION_H_

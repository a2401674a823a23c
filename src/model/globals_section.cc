#include "model/globals_section.h"

#include <optional>
#include <string>

#include "core/number_text.h"
#include "core/return_if_failed.h"
#include "model/global_option_names.h"
#include "platform/debug_log.h"

namespace xmlsecdb {
namespace {

constexpr std::string_view kGlobals = "Globals";
constexpr std::string_view kProperty = "Property";
constexpr std::string_view kPropertySL = "PropertySL";
constexpr std::string_view kItem = "Item";

HRESULT WriteItem(XmlWriter& writer, std::string_view text) {
  RETURN_IF_FAILED(writer.StartElement(kItem));
  RETURN_IF_FAILED(writer.Characters(text));
  return writer.EndElement(kItem);
}

// The content of an option: only a value whose variant type fits the
// option's type is written.
HRESULT WriteValue(XmlWriter& writer, EPropertyType type, const Variant& value) {
  switch (type) {
    case PT_STR:
      if (const std::string* text = value.as_string()) return writer.Characters(*text);
      return S_OK;
    case PT_INT:
      if (const std::int32_t* number = value.as_int()) {
        return writer.Characters(DecimalText(*number).view());
      }
      // An automation boolean as a number: true is -1.
      if (const bool* flag = value.as_bool()) {
        return writer.Characters(DecimalText(*flag ? -1 : 0).view());
      }
      return S_OK;
    case PT_BOOL:
      if (const bool* flag = value.as_bool()) return writer.Characters(*flag ? "1" : "0");
      return S_OK;
    case PT_STR_LIST:
      if (const std::vector<Variant>* items = value.as_array()) {
        for (const Variant& item : *items) {
          if (const std::string* text = item.as_string())
            RETURN_IF_FAILED(WriteItem(writer, *text));
        }
      } else if (const std::vector<std::string>* texts = value.as_string_array()) {
        for (const std::string& text : *texts) RETURN_IF_FAILED(WriteItem(writer, text));
      }
      return S_OK;
  }
  return S_OK;
}

}  // namespace

GlobalsSection::GlobalsSection(ParserCore* parser, const GlobalsConfig& config)
    : ListSection(parser, "Globals", "GlobalOptions", config.events), config_(config) {}

HRESULT GlobalsSection::StartElement(SectionReadContext& context, std::string_view name,
                                     std::string_view parent, const SaxAttributes& attributes,
                                     bool* handled) {
  // Only the top-level section: an element of the same name inside another
  // (custom) section is not ours.
  if (name == kGlobals && parent == "SecDb") {
    *handled = true;
    in_globals_ = true;
    return S_OK;
  }
  if (!in_globals_ && !config_.by_name) return S_OK;
  if ((parent == kGlobals || config_.by_name) &&
      (name == kProperty || (name == kPropertySL && config_.reads_string_lists))) {
    *handled = true;
    in_string_list_ = name == kPropertySL;
    return StartOption(context, attributes);
  }
  if (in_string_list_ && name == kItem && parent == kPropertySL) *handled = true;
  return S_OK;
}

HRESULT GlobalsSection::StartOption(SectionReadContext& context, const SaxAttributes& attributes) {
  pending_.Reset();
  pending_items_.clear();
  std::optional<std::string_view> name = attributes.Find("id");
  if (!name) return context.Fail(config_.missing_id.message, config_.missing_id.suffix);

  // The default of a new option, kept for an unknown word.
  EPropertyType type = PT_INT;
  switch (ReadWord(*config_.types, attributes.Find("type"), &type)) {
    case ReadStatus::kOk:
      break;
    case ReadStatus::kMissing:
      return context.Fail(config_.missing_type.message, config_.missing_type.suffix);
    case ReadStatus::kWrong:
      return context.Fail(config_.wrong_type.message, config_.wrong_type.suffix);
  }
  EPriority priority = PRIOR_NORMAL;
  if (ReadWord(kPriority, attributes.Find("priority"), &priority) != ReadStatus::kOk) {
    return context.Fail(config_.wrong_priority.message, config_.wrong_priority.suffix);
  }

  std::int32_t id = OptionIdFromName(config_.option_names, *name);
  if (id == 0) return S_OK;  // an option of another version of the agent

  ComPtr<CGlobalProperty> option = list()->NewItem();
  RETURN_IF_FAILED(option->put_PropertyID(id));
  RETURN_IF_FAILED(option->put_Type(type));
  RETURN_IF_FAILED(option->put_Assignment(attributes.Find("filter").value_or("*")));
  RETURN_IF_FAILED(option->put_Priority(priority));
  if (std::optional<std::string_view> order = attributes.Find("order")) {
    if (std::int32_t number = ReadDecimal(*order)) RETURN_IF_FAILED(option->put_Order(number));
  }
  RETURN_IF_FAILED(option->put_UIFlags(attributes.Find("uiflags").value_or("")));
  pending_ = std::move(option);
  return S_OK;
}

HRESULT GlobalsSection::EndElement(SectionReadContext&, std::string_view name,
                                   std::string_view parent, std::string_view text) {
  if (name == kGlobals && parent == "SecDb") {
    in_globals_ = false;
    return S_OK;
  }
  if (name == kItem) {
    if (pending_) pending_items_.emplace_back(std::string(text));
    return S_OK;
  }
  bool string_list = in_string_list_;
  in_string_list_ = false;
  return EndOption(string_list, text);
}

HRESULT GlobalsSection::EndOption(bool string_list, std::string_view text) {
  ComPtr<CGlobalProperty> option = std::move(pending_);
  std::vector<Variant> items = std::move(pending_items_);
  pending_items_.clear();
  if (!option) return S_OK;
  // Only a string-list option takes its items: a `PropertySL` of another
  // type reads its value as a `Property` does, else the save would write no
  // content for it and the file would read back as a different value.
  if (string_list && option->type() == PT_STR_LIST) {
    RETURN_IF_FAILED(option->put_value(Variant(std::move(items))));
  } else {
    switch (option->type()) {
      case PT_INT:
        RETURN_IF_FAILED(option->put_value(Variant(ReadDecimal(text))));
        break;
      case PT_BOOL:
        RETURN_IF_FAILED(option->put_value(Variant(FlagFromText(text))));
        break;
      case PT_STR:
        RETURN_IF_FAILED(option->put_value(Variant(std::string(text))));
        break;
      default:
        break;
    }
  }
  // A second option of the same name fails here (106) and ends the load.
  return list()->Insert(option.get());
}

HRESULT GlobalsSection::Write(XmlWriter& writer) {
  RETURN_IF_FAILED(writer.StartElement(kGlobals));
  for (const CGlobalProperty* option : *list()) RETURN_IF_FAILED(WriteOption(writer, *option));
  return writer.EndElement(kGlobals);
}

HRESULT GlobalsSection::WriteOption(XmlWriter& writer, const CGlobalProperty& option) {
  std::optional<std::string_view> name = OptionNameFromId(config_.option_names, option.id());
  if (!name) {
    DebugLog("ZelXmlSd: CGlobalPropertyList::Save Unknown property ID\n");
    return S_OK;
  }
  // A type no word names would make the file unreadable (`type` is
  // required), so such an option is left out as well.
  std::optional<std::string_view> type = TextFromValue(kPropertyType, option.type());
  if (!type) {
    DebugLog("ZelXmlSd: CGlobalPropertyList::Save Unknown property type\n");
    return S_OK;
  }
  attributes_.Clear();
  attributes_.Add("id", *name);
  attributes_.Add("type", *type);
  if (std::optional<std::string_view> priority =
          WordToWrite(kPriority, option.precedence().priority())) {
    attributes_.Add("priority", *priority);
  }
  if (option.assignment() != "*") attributes_.Add("filter", option.assignment());
  if (!option.ui_flags().empty()) attributes_.Add("uiflags", option.ui_flags());

  std::string_view element = option.type() == PT_STR_LIST ? kPropertySL : kProperty;
  RETURN_IF_FAILED(writer.StartElement(element, attributes_));
  RETURN_IF_FAILED(WriteValue(writer, option.type(), option.value()));
  return writer.EndElement(element);
}

void GlobalsSection::Clear() {
  pending_.Reset();
  pending_items_.clear();
  in_globals_ = false;
  in_string_list_ = false;
  (void)list()->ClearMembers();
}

}  // namespace xmlsecdb

#include "model/app_exception_section.h"

#include "core/messages.h"
#include "core/number_text.h"
#include "core/return_if_failed.h"
#include "model/vocabulary.h"

namespace xmlsecdb {
namespace {

constexpr std::string_view kExceptionList = "ExceptionList";
constexpr std::string_view kAppItem = "AppItem";

}  // namespace

ExceptionListSection::ExceptionListSection(ParserCore* parser,
                                           const AppExceptionSectionConfig& config)
    : ListSection(parser, "ExceptionList", "AppExceptionList", config.events),
      items_(config.items) {}

std::uint32_t ExceptionListSection::GuardsFromText(std::string_view text) const {
  if (text == "*") return items_.full_mask;
  std::uint32_t mask = 0;
  while (true) {
    std::size_t bar = text.find('|');
    std::string_view piece = text.substr(0, bar);
    for (const GuardName& guard : items_.guards) {
      if (guard.name == piece) mask |= guard.bit;
    }
    if (bar == std::string_view::npos) return mask;
    text.remove_prefix(bar + 1);
  }
}

void ExceptionListSection::GuardsText(std::uint32_t mask, std::string* text) const {
  text->clear();
  if (mask == items_.full_mask) {
    text->push_back('*');
    return;
  }
  for (const GuardName& guard : kGuardNamesInWriteOrder) {
    if ((mask & guard.bit) == 0) continue;
    if (!text->empty()) text->push_back('|');
    text->append(guard.name);
  }
}

HRESULT ExceptionListSection::StartElement(SectionReadContext& context, std::string_view name,
                                           std::string_view parent, const SaxAttributes& attributes,
                                           bool* handled) {
  if (name == kExceptionList && parent == "SecDb") {
    *handled = true;
    inside_ = true;
    return S_OK;
  }
  if (name != kAppItem || !(inside_ || items_.by_name)) return S_OK;
  *handled = true;
  return ReadAppItem(context, attributes);
}

HRESULT ExceptionListSection::ReadAppItem(SectionReadContext& context,
                                          const SaxAttributes& attributes) {
  std::string_view app = attributes.Find(kAppAttributes.direct).value_or(std::string_view());
  std::string_view app_id = attributes.Find(kAppAttributes.by_id).value_or(std::string_view());
  PairChoice choice = ChoosePair(app, app_id);
  if (choice != PairChoice::kDirect && choice != PairChoice::kById) {
    return context.Fail(kMsgInvalidContent, items_.wrong_app_suffix);
  }
  EPriority priority = PRIOR_NORMAL;
  if (ReadWord(kPriority, attributes.Find("priority"), &priority) != ReadStatus::kOk) {
    return context.Fail(kMsgInvalidContent, items_.wrong_priority_suffix);
  }

  ComPtr<CAppException> made = list()->NewItem();
  AppExceptionData& data = made->loading_data();
  if (choice == PairChoice::kDirect) {
    data.app_type = AT_LABEL;
    data.application = app;
  } else {
    data.app_type = AT_DEFINITION;
    data.application = app_id;
  }
  std::optional<std::string_view> guards = attributes.Find("activeGuardsMask");
  data.guards = guards ? GuardsFromText(*guards) : items_.absent_mask;
  (void)data.precedence.WithPriority(priority, &data.precedence);
  if (std::optional<std::string_view> order = attributes.Find("order")) {
    data.precedence = Precedence(ReadDecimal(*order));
  }
  if (std::optional<std::string_view> filter = attributes.Find("filter")) {
    data.assignment = *filter;
  }
  data.ui_flags = attributes.Find("uiflags").value_or(std::string_view());
  (void)ReadWord(kRuleAccount, attributes.Find("account"), &data.account);
  current_ = std::move(made);
  return S_OK;
}

HRESULT ExceptionListSection::EndElement(SectionReadContext&, std::string_view name,
                                         std::string_view, std::string_view) {
  if (name == kAppItem) {
    ComPtr<CAppException> made = std::move(current_);
    return made ? list()->Insert(made.get()) : S_OK;
  }
  inside_ = false;
  return S_OK;
}

HRESULT ExceptionListSection::Write(XmlWriter& writer) {
  RETURN_IF_FAILED(writer.StartElement(kExceptionList));
  for (const CAppException* exception : *list()) {
    const AppExceptionData& data = exception->data();
    attributes_.Clear();
    // Types other than a label are written as a definition reference, so
    // that the saved file loads again.
    attributes_.Add(data.app_type == AT_LABEL ? kAppAttributes.direct : kAppAttributes.by_id,
                    data.application);
    GuardsText(data.guards, &guards_text_);
    attributes_.Add("activeGuardsMask", guards_text_);
    if (std::optional<std::string_view> word = WordToWrite(kPriority, data.precedence.priority())) {
      attributes_.Add("priority", *word);
    }
    attributes_.AddInt("order", data.precedence.order());
    if (data.assignment != "*") attributes_.Add("filter", data.assignment);
    if (!data.ui_flags.empty()) attributes_.Add("uiflags", data.ui_flags);
    if (std::optional<std::string_view> word = WordToWrite(kRuleAccount, data.account)) {
      attributes_.Add("account", *word);
    }
    RETURN_IF_FAILED(writer.StartElement(kAppItem, attributes_));
    RETURN_IF_FAILED(writer.EndElement(kAppItem));
  }
  return writer.EndElement(kExceptionList);
}

void ExceptionListSection::Clear() {
  current_.Reset();
  inside_ = false;
  (void)list()->Clear();
}

}  // namespace xmlsecdb

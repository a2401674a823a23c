#include "core/content_handler.h"

#include <optional>

#include "core/error_report.h"
#include "core/number_text.h"
#include "core/parser.h"

namespace xmlsecdb {

CDbContentHandler::CDbContentHandler(ParserCore* parser) : parser_(parser) {}

CDbContentHandler::~CDbContentHandler() = default;

HRESULT CDbContentHandler::StartDocument() {
  stack_.clear();
  text_.clear();
  custom_current_ = CustomStore::kRoot;
  return S_OK;
}

HRESULT CDbContentHandler::EndDocument() { return S_OK; }

bool CDbContentHandler::InKnownSection() const {
  auto known = [this](std::string_view name) {
    if (name == "SecDb" || name == "VersionInfo" || name == "Module") return true;
    for (const Section* section : parser_->sections()) {
      if (section->element() == name) return true;
    }
    return false;
  };
  if (stack_.empty() || !known(stack_[0].name)) return false;
  return stack_.size() == 1 || known(stack_[1].name);
}

int CDbContentHandler::VerbatimSection(std::string_view name) const {
  const std::vector<Section*>& sections = parser_->sections();
  for (std::size_t i = 0; i < sections.size(); ++i) {
    if (sections[i]->element() == name && sections[i]->verbatim_store()) {
      return static_cast<int>(i);
    }
  }
  return kNotHandled;
}

HRESULT CDbContentHandler::StartElement(std::string_view qname, const SaxAttributes& attributes) {
  std::string_view parent = stack_.empty() ? std::string_view() : stack_.back().name;
  // A verbatim section's element and everything inside it are kept as they
  // stand and offered to no section.
  int claimed = kNotHandled;
  CustomStore* verbatim = nullptr;
  if (!stack_.empty() && stack_.back().store != &parser_->custom_store()) {
    verbatim = stack_.back().store;
    claimed = stack_.back().section;
  }
  if (!verbatim && stack_.size() == 1 && parent == "SecDb") {
    claimed = VerbatimSection(qname);
    if (claimed != kNotHandled) {
      verbatim = parser_->sections()[static_cast<std::size_t>(claimed)]->verbatim_store();
    }
  }
  if (verbatim) {
    stack_.push_back(OpenElement{std::string(qname),
                                 claimed,
                                 verbatim,
                                 locator_ ? locator_->line() : 0,
                                 locator_ ? locator_->column() : 0,
                                 {}});
    return KeepVerbatim(*verbatim, qname, attributes);
  }
  HRESULT hr = S_OK;
  if (parent == "SecDb" && (qname == "VersionInfo" || qname == "Module")) {
    claimed = kHeader;
    hr = StartHeaderElement(qname, attributes);
  } else {
    const std::vector<Section*>& sections = parser_->sections();
    for (std::size_t i = 0; i < sections.size(); ++i) {
      bool handled = false;
      hr = sections[i]->StartElement(*this, qname, parent, attributes, &handled);
      if (handled || Failed(hr)) {
        claimed = static_cast<int>(i);
        break;
      }
    }
  }
  // Pushed after the sections ran, so `parent` stayed valid for them.
  OpenElement& open = stack_.emplace_back(OpenElement{std::string(qname),
                                                      claimed,
                                                      nullptr,
                                                      locator_ ? locator_->line() : 0,
                                                      locator_ ? locator_->column() : 0,
                                                      {}});
  if (claimed >= 0) {
    if (std::optional<std::string_view> id = attributes.Find("id")) open.id.assign(*id);
  }
  if (Failed(hr)) {
    NoteFailure(open);
    return hr;
  }
  text_.clear();
  if (claimed != kNotHandled || InKnownSection()) return S_OK;

  open.store = &parser_->custom_store();
  return KeepVerbatim(*open.store, qname, attributes);
}

HRESULT CDbContentHandler::KeepVerbatim(CustomStore& store, std::string_view name,
                                        const SaxAttributes& attributes) {
  custom_current_ = store.AppendElement(custom_current_, name);
  if (custom_current_ == CustomStore::kNone) return E_OUTOFMEMORY;
  for (int i = 0; i < attributes.length(); ++i) {
    if (!store.AppendAttribute(custom_current_, attributes.name(i), attributes.value(i))) {
      return E_OUTOFMEMORY;
    }
  }
  return S_OK;
}

HRESULT CDbContentHandler::EndElement(std::string_view qname) {
  if (stack_.empty() || stack_.back().name != qname) return E_FAIL;
  OpenElement open = std::move(stack_.back());
  stack_.pop_back();
  if (open.store) {
    custom_current_ = open.store->parent(custom_current_);
    return S_OK;
  }
  if (open.section < 0) return S_OK;
  std::string_view parent = stack_.empty() ? std::string_view() : stack_.back().name;
  HRESULT hr = parser_->sections()[static_cast<std::size_t>(open.section)]->EndElement(
      *this, open.name, parent, text_);
  text_.clear();
  if (Failed(hr)) NoteFailure(open);
  return hr;
}

void CDbContentHandler::NoteFailure(const OpenElement& element) const {
  LoadErrorLocation location{element.line, element.column, element.name, element.id, {}};
  if (!location.item_id.empty()) location.item_element = element.name;
  // Else the nearest element around it with an id: the rule of a failing
  // descriptor.
  for (auto it = stack_.rbegin(); location.item_id.empty() && it != stack_.rend(); ++it) {
    location.item_id = it->id;
    location.item_element = it->name;
  }
  if (location.item_id.empty()) location.item_element.clear();
  parser_->NoteErrorLocation(std::move(location));
  parser_->NoteFailureReported();
}

HRESULT CDbContentHandler::Characters(std::string_view text) {
  if (stack_.empty()) return E_FAIL;
  if (CustomStore* store = stack_.back().store) {
    if (!store->AppendText(custom_current_, text)) return E_OUTOFMEMORY;
  } else if (stack_.back().section != kNotHandled) {
    text_.append(text);
  }
  return S_OK;
}

HRESULT CDbContentHandler::Fail(int message_id, std::string_view suffix) {
  const ParserKind& kind = parser_->kind();
  std::string source(kind.handler_name);
  source += "::StartElement()";
  return ReportError(source, *kind.clsid, message_id, *kind.parser_iid, E_FAIL, suffix);
}

HRESULT CDbContentHandler::StartHeaderElement(std::string_view name,
                                              const SaxAttributes& attributes) {
  return name == "VersionInfo" ? ReadVersionInfo(attributes) : ReadModule(attributes);
}

HRESULT CDbContentHandler::ReadVersionInfo(const SaxAttributes& attributes) {
  std::string_view major;
  if (!attributes.GetValueFromName("major", &major)) {
    return Fail(kMsgMissingAttribute, parser_->kind().missing_major_suffix);
  }
  std::string_view minor;
  std::uint32_t minor_value = 0;
  if (attributes.GetValueFromName("minor", &minor)) {
    minor_value = static_cast<std::uint32_t>(ReadDecimal(minor)) & 0xFFFFu;
  }
  std::uint32_t major_value = static_cast<std::uint32_t>(ReadDecimal(major));
  parser_->set_version(static_cast<std::int32_t>((major_value << 16) | minor_value));
  return S_OK;
}

HRESULT CDbContentHandler::ReadModule(const SaxAttributes& attributes) {
  const ParserKind& kind = parser_->kind();
  std::string_view id;
  if (!attributes.GetValueFromName("id", &id)) {
    return Fail(kMsgMissingAttribute, " Missing Module id.");
  }
  std::int32_t module = kind.module_id;
  if (kind.module_check == ModuleCheck::kExactText) {
    if (id != kind.module_text) return Fail(kMsgMissingAttribute, " Wrong Module id.");
  } else {
    module = ModuleIdFromText(id);
    if (module == 0 && kind.module_check == ModuleCheck::kLookupKnownWord) {
      return Fail(kMsgMissingAttribute, " Wrong module id.");
    }
  }
  if (module != parser_->module_id()) return Fail(kMsgWrongParser, " The wrong parser is used.");
  return S_OK;
}

}  // namespace xmlsecdb


#include "app/app_identity_section.h"

#include <optional>

#include "app/app_words.h"
#include "core/messages.h"
#include "core/return_if_failed.h"

namespace xmlsecdb {
namespace {

constexpr std::string_view kList = "IdentityRedirectionList";
constexpr std::string_view kRedirection = "IdentityRedirection";
constexpr std::string_view kExpression = "Expression";
constexpr std::string_view kElement = "Element";
constexpr std::string_view kIdentity = "Identity";
constexpr std::string_view kPath = "Path";
constexpr std::string_view kNewCmdLine = "NewCmdLine";
constexpr std::string_view kArg = "Arg";

HRESULT WriteText(XmlWriter& writer, std::string_view element, std::string_view text) {
  RETURN_IF_FAILED(writer.StartElement(element));
  RETURN_IF_FAILED(writer.Characters(text));
  return writer.EndElement(element);
}

void AddIfAny(XmlAttributes& out, std::string_view name, const std::string& value) {
  if (!value.empty()) out.Add(name, value);
}

}  // namespace

HRESULT IdentityRedirectionSection::StartElement(SectionReadContext& context, std::string_view name,
                                                 std::string_view parent,
                                                 const SaxAttributes& attributes, bool* handled) {
  if (name == kRedirection && parent == kList) {
    *handled = true;
    redirection_.Reset();
    identity_.Reset();
    std::optional<std::string_view> id = attributes.Find("id");
    if (!id) return context.Fail(kMsgMissingAttribute, kMissingRedirectionId);
    ComPtr<CIdentityRedirection> redirection = list()->NewItem();
    redirection->set_texts(*id, attributes.Find("type").value_or(""),
                           attributes.Find("parsingtype").value_or(""),
                           attributes.Find("desc").value_or(""));
    RETURN_IF_FAILED(list()->Insert(redirection.get()));
    redirection_ = std::move(redirection);
  } else if (!redirection_) {
    return S_OK;
  } else if (name == kExpression && parent == kRedirection) {
    *handled = true;
  } else if (name == kElement && parent == kExpression) {
    *handled = true;
    element_desc_ = attributes.Find("desc").value_or("");
  } else if (name == kIdentity && parent == kRedirection) {
    *handled = true;
    ComPtr<CIdentity> identity = redirection_->identities()->NewItem();
    identity->set_names(attributes.Find("module").value_or(""),
                        attributes.Find("desc").value_or(""));
    RETURN_IF_FAILED(redirection_->identities()->Insert(identity.get()));
    identity_ = std::move(identity);
  } else if (parent == kIdentity && identity_ &&
             (name == kPath || name == kNewCmdLine || name == kArg)) {
    *handled = true;
  }
  return S_OK;
}

HRESULT IdentityRedirectionSection::EndElement(SectionReadContext&, std::string_view name,
                                               std::string_view parent, std::string_view text) {
  if (name == kRedirection && parent == kList) {
    redirection_.Reset();
    identity_.Reset();
  } else if (name == kElement && redirection_) {
    return redirection_->expression()->Append(element_desc_, text);
  } else if (name == kIdentity) {
    identity_.Reset();
  } else if (identity_ && name == kPath) {
    identity_->set_path(text);
  } else if (identity_ && name == kNewCmdLine) {
    identity_->set_command_line(text);
  } else if (identity_ && name == kArg) {
    identity_->arguments()->Append(text);
  }
  return S_OK;
}

HRESULT IdentityRedirectionSection::Write(XmlWriter& writer) {
  RETURN_IF_FAILED(writer.StartElement(kList));
  for (const CIdentityRedirection* redirection : *list()) {
    RETURN_IF_FAILED(WriteOne(writer, *redirection));
  }
  return writer.EndElement(kList);
}

HRESULT IdentityRedirectionSection::WriteOne(XmlWriter& writer,
                                             const CIdentityRedirection& redirection) {
  attributes_.Clear();
  attributes_.Add("id", redirection.id());
  AddIfAny(attributes_, "type", redirection.type());
  AddIfAny(attributes_, "parsingtype", redirection.parsing_type());
  AddIfAny(attributes_, "desc", redirection.description());
  RETURN_IF_FAILED(writer.StartElement(kRedirection, attributes_));
  RETURN_IF_FAILED(writer.StartElement(kExpression));
  for (const CExpressionElement* element : *redirection.expression()) {
    attributes_.Clear();
    attributes_.Add("desc", element->description());
    RETURN_IF_FAILED(writer.StartElement(kElement, attributes_));
    RETURN_IF_FAILED(writer.Characters(element->value()));
    RETURN_IF_FAILED(writer.EndElement(kElement));
  }
  RETURN_IF_FAILED(writer.EndElement(kExpression));
  for (const CIdentity* identity : *redirection.identities()) {
    attributes_.Clear();
    attributes_.Add("module", identity->module());
    attributes_.Add("desc", identity->description());
    RETURN_IF_FAILED(writer.StartElement(kIdentity, attributes_));
    RETURN_IF_FAILED(WriteText(writer, kPath, identity->path()));
    RETURN_IF_FAILED(WriteText(writer, kNewCmdLine, identity->command_line()));
    for (const std::string& argument : identity->arguments()->values()) {
      RETURN_IF_FAILED(WriteText(writer, kArg, argument));
    }
    RETURN_IF_FAILED(writer.EndElement(kIdentity));
  }
  return writer.EndElement(kRedirection);
}

void IdentityRedirectionSection::Clear() {
  redirection_.Reset();
  identity_.Reset();
  (void)list()->Clear();
}

}  // namespace xmlsecdb

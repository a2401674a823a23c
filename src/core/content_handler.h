// CDbContentHandler: the base of every kind's content handler.
//
// It keeps the stack of open elements, decides which elements lie in a
// known section and which in a custom one, stores custom sections verbatim
// in the parser's custom store, checks the `VersionInfo` and `Module`
// header elements, collects the text of known elements, and hands every
// other element to the kind through OnStartElement / OnEndElement.
//
// The handler belongs to its parser and is used only during the parser's
// loads.
#ifndef XMLSECDB_CORE_CONTENT_HANDLER_H_
#define XMLSECDB_CORE_CONTENT_HANDLER_H_

#include <string>
#include <string_view>
#include <vector>

#include "core/custom_store.h"
#include "platform/sax_reader.h"

namespace xmlsecdb {

class ParserCore;

class CDbContentHandler : public SaxContentHandler {
 public:
  explicit CDbContentHandler(ParserCore* parser);
  ~CDbContentHandler() override;

  HRESULT StartDocument() override;
  HRESULT EndDocument() override;
  HRESULT StartElement(std::string_view qname, const SaxAttributes& attributes) final;
  HRESULT EndElement(std::string_view qname) final;
  HRESULT Characters(std::string_view text) final;

 protected:
  // The kind's part of StartElement, for an element that is not one of the
  // header elements. Set *handled when (name, parent) is a pair the kind
  // knows; an unhandled element is stored when it lies in a custom section
  // and ignored otherwise. A failure ends the parse.
  virtual HRESULT OnStartElement(std::string_view name, std::string_view parent,
                                 const SaxAttributes& attributes, bool* handled);
  // Called at the end of an element the kind handled: commit what it built.
  virtual HRESULT OnEndElement(std::string_view name, std::string_view parent);

  // Reports a content error of the file: message `message_id` with
  // `suffix`, source "<handler>::StartElement()", result E_FAIL.
  HRESULT Fail(int message_id, std::string_view suffix) const;

  // Text collected since the start of the innermost handled element.
  const std::string& text() const { return text_; }
  ParserCore* parser() const { return parser_; }

 private:
  struct OpenElement {
    std::string name;
    bool handled;  // a known pair, given to the kind
    bool custom;   // stored in the custom store
  };

  HRESULT StartHeaderElement(std::string_view name, const SaxAttributes& attributes);
  HRESULT ReadVersionInfo(const SaxAttributes& attributes);
  HRESULT ReadModule(const SaxAttributes& attributes);
  bool InKnownSection() const;

  ParserCore* parser_;
  std::vector<OpenElement> stack_;
  CustomNode* custom_current_ = nullptr;
  std::string text_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_CORE_CONTENT_HANDLER_H_

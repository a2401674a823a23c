// CDbContentHandler: the content handler of every kind.
//
// It keeps the stack of open elements, decides which elements lie in a
// known section and which in a custom one, stores custom sections verbatim
// in the parser's custom store, checks the `VersionInfo` and `Module`
// header elements, collects the text of known elements, and offers every
// other element to the parser's sections (core/section.h).
//
// The handler belongs to its parser and is used only during the parser's
// loads.
#ifndef XMLSECDB_CORE_CONTENT_HANDLER_H_
#define XMLSECDB_CORE_CONTENT_HANDLER_H_

#include <string>
#include <string_view>
#include <vector>

#include "core/custom_store.h"
#include "core/section.h"
#include "platform/sax_reader.h"

namespace xmlsecdb {

class ParserCore;

class CDbContentHandler final : public SaxContentHandler, private SectionReadContext {
 public:
  explicit CDbContentHandler(ParserCore* parser);
  ~CDbContentHandler();

  void SetDocumentLocator(const SaxLocator* locator) override { locator_ = locator; }
  HRESULT StartDocument() override;
  HRESULT EndDocument() override;
  HRESULT StartElement(std::string_view qname, const SaxAttributes& attributes) final;
  HRESULT EndElement(std::string_view qname) final;
  HRESULT Characters(std::string_view text) final;

  // The reader's current column, 0 outside a parse.
  int column() const { return locator_ ? locator_->column() : 0; }

 private:
  static constexpr int kNotHandled = -1;
  static constexpr int kHeader = -2;

  struct OpenElement {
    std::string name;
    int section;  // the index of the section that claimed it, or one of the above
    // The store that keeps it verbatim (the parser's custom store, or the
    // store of a verbatim section), or nullptr.
    CustomStore* store;
    int line;     // where its start tag begins
    int column;
    std::string id;  // its `id` attribute, kept for elements a section claimed
  };

  // SectionReadContext
  ParserCore& parser() override { return *parser_; }
  HRESULT Fail(int message_id, std::string_view suffix) override;


  HRESULT StartHeaderElement(std::string_view name, const SaxAttributes& attributes);
  HRESULT ReadVersionInfo(const SaxAttributes& attributes);
  HRESULT ReadModule(const SaxAttributes& attributes);
  bool InKnownSection() const;
  // The index of the verbatim section whose element `name` is, or
  // kNotHandled.
  int VerbatimSection(std::string_view name) const;
  // Appends the element to `store` under the current node.
  HRESULT KeepVerbatim(CustomStore& store, std::string_view name, const SaxAttributes& attributes);
  // Notes `element` as the place the load failed.
  void NoteFailure(const OpenElement& element) const;

  ParserCore* parser_;
  const SaxLocator* locator_ = nullptr;
  std::vector<OpenElement> stack_;
  CustomStore::NodeId custom_current_ = CustomStore::kRoot;
  std::string text_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_CORE_CONTENT_HANDLER_H_

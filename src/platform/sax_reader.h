// SaxReader: the event-driven XML reader the parsers load databases with.
//
// A thin layer over expat. It reads a database image (UTF-16LE with an FF FE
// mark, or narrow text read as UTF-8 with an optional EF BB BF mark; both end
// at their first zero character) and calls a content handler for every
// element and text run, and an error handler for malformed XML.
//
// Safety: entity declarations (internal or external, general or parameter),
// document type declarations with an internal subset (whose attribute
// defaults would add attributes the file does not show) and external
// entities are refused, so only the five predefined entities and character
// references are ever expanded. A UTF-16 surrogate without its partner is
// not well-formed. Element nesting deeper than
// kMaxElementDepth fails the parse. Both go through the error handler like
// any other fatal error.
//
// Not thread-safe; one reader per parser.
#ifndef XMLSECDB_PLATFORM_SAX_READER_H_
#define XMLSECDB_PLATFORM_SAX_READER_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "xmlsecdb/result.h"

namespace xmlsecdb {

class FileSystem;
class SequentialFile;

// Attributes of one start tag, in document order. Views stay valid only
// during the StartElement call that received them.
class SaxAttributes {
 public:
  // `pairs` is a null-terminated array of name, value, name, value, ...
  explicit SaxAttributes(const char* const* pairs);

  int length() const { return count_; }
  std::string_view name(int index) const { return pairs_[2 * index]; }
  std::string_view value(int index) const { return pairs_[2 * index + 1]; }
  // False when the element has no attribute of that qualified name.
  bool GetValueFromName(std::string_view name, std::string_view* value) const;
  // The same as an optional: nullopt when absent (an empty value is present).
  std::optional<std::string_view> Find(std::string_view name) const {
    std::string_view value;
    if (!GetValueFromName(name, &value)) return std::nullopt;
    return value;
  }

 private:
  const char* const* pairs_;
  int count_ = 0;
};

// Where the reader is: the start of the markup of the event being reported
// (a start tag, an end tag), or the place of a malformed-XML error. Both
// numbers are 1-based; columns count characters.
class SaxLocator {
 public:
  virtual int line() const = 0;
  virtual int column() const = 0;

 protected:
  ~SaxLocator() = default;
};

// Receives the document. A failure returned by any method stops the parse,
// and the parse returns that code.
class SaxContentHandler {
 public:
  virtual ~SaxContentHandler() = default;
  // The locator of the parse that starts, before StartDocument; null when
  // the parse is over. Valid only during the handler calls in between.
  virtual void SetDocumentLocator(const SaxLocator*) {}
  virtual HRESULT StartDocument() = 0;
  virtual HRESULT EndDocument() = 0;
  virtual HRESULT StartElement(std::string_view qname, const SaxAttributes& attributes) = 0;
  virtual HRESULT EndElement(std::string_view qname) = 0;
  // Text may arrive in several runs for one element.
  virtual HRESULT Characters(std::string_view text) = 0;
};

// Receives malformed-XML reports. `line` is 1-based; `message` is the
// reader's own description. The parse stops and returns what the handler
// returns (or E_FAIL when the handler returns a success).
class SaxErrorHandler {
 public:
  virtual ~SaxErrorHandler() = default;
  virtual HRESULT FatalError(int line, std::string_view message, HRESULT code) = 0;
};

class SaxReader {
 public:
  static constexpr int kMaxElementDepth = 10000;
  // Code passed to the error handler for XML errors: this base | expat code.
  static constexpr std::uint32_t kXmlErrorBase = 0xC00CE000;
  // Codes passed to the error handler for the reader's own refusals; they
  // lie in the same range, above every expat code.
  static constexpr std::uint32_t kEntityDeclaredError = kXmlErrorBase | 0x100;
  static constexpr std::uint32_t kDepthLimitError = kXmlErrorBase | 0x101;
  static constexpr std::uint32_t kDoctypeDeclaredError = kXmlErrorBase | 0x102;
  // ParseFile reads the file in pieces of this size. A piece that completes
  // no event (one token longer than a piece, such as a huge attribute)
  // doubles the next piece, so a long token is rescanned a bounded number
  // of times instead of once per piece.
  static constexpr std::size_t kChunkSize = 64 * 1024;

  // Returned, without calling any handler, for a narrow image that does not
  // begin with markup: it is no XML text (for example, encrypted bytes).
  static constexpr HRESULT kNotMarkup = MakeResult(0x8004F002);

  SaxReader();
  ~SaxReader();
  SaxReader(const SaxReader&) = delete;
  SaxReader& operator=(const SaxReader&) = delete;

  // Handlers are not owned; null detaches.
  void set_content_handler(SaxContentHandler* handler) { content_ = handler; }
  void set_error_handler(SaxErrorHandler* handler) { errors_ = handler; }

  // Parses a database image held in memory (see the class comment for the
  // encodings). S_OK, or the failure of a handler; E_UNEXPECTED when no
  // content handler is attached.
  HRESULT Parse(const void* data, std::size_t size);

  // Streams a file through the reader in chunks, with the same rules as
  // Parse. INET_E_RESOURCE_NOT_FOUND when the file cannot be read.
  HRESULT ParseFile(SequentialFile& file);
  // The same for the file at `path` of `files`.
  HRESULT ParseFile(FileSystem& files, const std::string& path);

 private:
  class Session;

  SaxContentHandler* content_ = nullptr;
  SaxErrorHandler* errors_ = nullptr;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_SAX_READER_H_

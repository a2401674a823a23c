// XmlWriter: the streaming writer that databases are saved with.
//
// Produces indented UTF-8 text, collected in memory or handed in chunks to
// an XmlSink; the caller converts it to UTF-16LE for the file (see utf.h),
// which is why the declaration names UTF-16.
//
// Layout: every element starts on its own line, indented one tab per level;
// an element with neither children nor text is written `<Name a="1"/>`, an
// element with text `<Name>text</Name>`. Once an element has received text,
// nothing more is indented inside it, at any depth: its children and its end
// tag follow the text directly. Text read from a file (indentation included)
// therefore comes back verbatim, and saving what was loaded from a saved file
// gives the same bytes.
//
// Every string written reads back unchanged through a conforming XML reader:
// text escapes & < > and CR; attribute values also escape " and tab, LF and
// CR, which attribute-value normalisation would otherwise turn into spaces.
// Text, attribute values and names that XML 1.0 cannot carry (control
// characters other than tab, LF and CR, U+FFFE, U+FFFF, invalid UTF-8, names
// that are not XML names) are refused with E_INVALIDARG and a description in
// error().
//
// Failures are sticky: after any failed call the writer writes nothing more,
// every later call returns the same code, and the output must be abandoned.
// Reset() starts over.
//
// Not thread-safe; one writer per save.
#ifndef XMLSECDB_PLATFORM_XML_WRITER_H_
#define XMLSECDB_PLATFORM_XML_WRITER_H_

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "xmlsecdb/result.h"

namespace xmlsecdb {

// One attribute of a start tag. The views need to stay valid only during the
// StartElement call.
struct XmlAttribute {
  std::string_view name;
  std::string_view value;
};

// An ordered attribute list that owns copies of its names and values, so it
// may be filled from temporaries. Meant to be kept and reused: Clear() keeps
// the storage, so building the attributes of one element after another does
// not allocate once the largest has been seen.
class XmlAttributes {
 public:
  // Appends an attribute; attributes are written in the order added.
  void Add(std::string_view name, std::string_view value);
  // Appends an attribute whose value is `value` as signed decimal ("%d").
  void AddInt(std::string_view name, std::int32_t value);
  void Clear();

  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  // Views into the list's storage, valid until the next Add or Clear.
  std::string_view name(std::size_t index) const;
  std::string_view value(std::size_t index) const;

 private:
  struct Entry {
    std::uint32_t name_offset;
    std::uint32_t name_size;
    std::uint32_t value_offset;
    std::uint32_t value_size;
  };

  std::string text_;
  std::vector<Entry> entries_;
};

// Where a streaming writer sends its output. Each chunk ends between two
// calls of the writer, so it never splits a UTF-8 character.
class XmlSink {
 public:
  virtual ~XmlSink() = default;
  // A failure stops the writer with that code (and an empty error()).
  [[nodiscard]] virtual HRESULT Write(std::string_view utf8) = 0;
};

class XmlWriter {
 public:
  // Elements nested deeper than this get no line and no tabs of their own
  // (they follow each other as in a verbatim section), so that the output
  // of a deeply nested document stays linear in its size.
  static constexpr std::size_t kMaxIndent = 256;

  XmlWriter() = default;
  XmlWriter(const XmlWriter&) = delete;
  XmlWriter& operator=(const XmlWriter&) = delete;

  // Preallocates room for `bytes` of output.
  void Reserve(std::size_t bytes) { out_.reserve(bytes); }

  // From now on, hands the output to `sink` whenever `chunk_bytes` or more
  // are pending, and all of it at EndDocument, instead of keeping it; a
  // save then needs memory for one chunk, not for the whole document.
  // `sink` must outlive the writer's use.
  void StreamTo(XmlSink* sink, std::size_t chunk_bytes) {
    sink_ = sink;
    chunk_bytes_ = chunk_bytes;
  }

  // Writes `<?xml version="1.0" encoding="UTF-16" standalone="no"?>` and a
  // line end.
  void StartDocument();

  // Writes a start tag with the attributes in the given order. E_INVALIDARG
  // for an invalid element or attribute name or value; E_UNEXPECTED for a
  // second root element.
  [[nodiscard]] HRESULT StartElement(std::string_view name, const XmlAttribute* attributes,
                                     std::size_t count);
  [[nodiscard]] HRESULT StartElement(std::string_view name,
                                     std::initializer_list<XmlAttribute> attributes = {});
  [[nodiscard]] HRESULT StartElement(std::string_view name, const XmlAttributes& attributes);

  // Writes text into the innermost open element; several calls append.
  // Empty text writes nothing. E_INVALIDARG for text XML cannot carry;
  // E_UNEXPECTED when no element is open.
  [[nodiscard]] HRESULT Characters(std::string_view text);

  // Ends the innermost open element, which must be `name` (checked only in
  // debug builds). E_UNEXPECTED when no element is open.
  [[nodiscard]] HRESULT EndElement(std::string_view name);

  // Ends the last line. Returns S_OK, or the failure that stopped the writer
  // so that a caller that checks only here still sees it.
  HRESULT EndDocument();

  // S_OK, or the code of the failure that stopped the writer.
  HRESULT status() const { return status_; }
  // Why the writer stopped; empty while status() is S_OK.
  const std::string& error() const { return error_; }

  const std::string& output() const { return out_; }
  // Moves the output out and resets the writer.
  std::string TakeOutput();
  // Discards the output, open elements and any failure; keeps the storage.
  void Reset();

 private:
  // Hands the pending output to the sink when at least `at_least` bytes
  // are pending; also returns a failure that stopped the writer earlier.
  HRESULT Drain(std::size_t at_least);
  // The last byte written, sent to the sink or not; '\0' before any.
  char last_char() const { return out_.empty() ? drained_last_ : out_.back(); }

  // Closes a pending start tag, writes the line break and indentation due
  // before a new element, and "<name".
  HRESULT OpenStartTag(std::string_view name);
  // Writes ` name="value"`; on failure drops the output since `mark`.
  HRESULT AppendAttribute(std::string_view element, std::string_view name, std::string_view value,
                          std::size_t mark);
  void FinishStartTag(std::string_view name);
  // Records a failure, drops the output written since `mark` and stops the
  // writer.
  HRESULT Fail(HRESULT code, std::size_t mark, std::string message);

  std::size_t depth() const { return name_offsets_.size(); }
  std::string_view current_name() const;

  std::string out_;
  XmlSink* sink_ = nullptr;
  std::size_t chunk_bytes_ = 0;
  char drained_last_ = '\0';
  // Names of the open elements, end to end, with the offset of each; copies
  // because callers may pass temporaries.
  std::string names_;
  std::vector<std::uint32_t> name_offsets_;
  // The innermost open element's start tag still lacks its '>'.
  bool start_tag_open_ = false;
  bool root_written_ = false;
  // Depth (1 = root) of the outermost open element that has received text,
  // or 0; nothing is indented at or inside it.
  std::size_t verbatim_depth_ = 0;
  HRESULT status_ = S_OK;
  std::string error_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_XML_WRITER_H_

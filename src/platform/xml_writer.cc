#include "platform/xml_writer.h"

#include <array>
#include <cassert>
#include <charconv>
#include <utility>

#include "platform/utf.h"

namespace xmlsecdb {
namespace {

constexpr std::string_view kDeclaration =
    "<?xml version=\"1.0\" encoding=\"UTF-16\" standalone=\"no\"?>\n";

// How the escaping loop treats each byte.
enum ByteClass : unsigned char {
  kCopy,       // written as is
  kEscape,     // written as an entity or character reference
  kRefuse,     // a control character XML 1.0 cannot carry
  kMultiByte,  // starts (or is part of) a non-ASCII character: decode it
};

using ByteClasses = std::array<ByteClass, 256>;

constexpr ByteClasses MakeByteClasses(bool attribute) {
  ByteClasses classes{};
  for (int b = 0; b < 256; ++b) {
    if (b >= 0x80) {
      classes[b] = kMultiByte;
    } else if (b == '&' || b == '<' || b == '>' || b == '\r') {
      // CR is escaped in text too: a reader turns a literal CR or CR LF into LF.
      classes[b] = kEscape;
    } else if (b == '\t' || b == '\n') {
      // Attribute-value normalisation turns a literal tab or LF into a space.
      classes[b] = attribute ? kEscape : kCopy;
    } else if (b == '"') {
      classes[b] = attribute ? kEscape : kCopy;
    } else if (b < 0x20) {
      classes[b] = kRefuse;
    } else {
      classes[b] = kCopy;
    }
  }
  return classes;
}

constexpr ByteClasses kTextClasses = MakeByteClasses(false);
constexpr ByteClasses kAttributeClasses = MakeByteClasses(true);

std::string_view EscapeOf(unsigned char c) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '"':
      return "&quot;";
    case '\t':
      return "&#9;";
    case '\n':
      return "&#10;";
    default:
      return "&#13;";
  }
}

// Appends `text` escaped per `classes`. False, with part of the text
// appended, when the text holds something XML cannot carry.
bool AppendEscaped(std::string* out, std::string_view text, const ByteClasses& classes) {
  const char* p = text.data();
  const char* const end = p + text.size();
  const char* run = p;  // start of the bytes not yet appended
  while (p < end) {
    const ByteClass kind = classes[static_cast<unsigned char>(*p)];
    if (kind == kCopy) {
      ++p;
    } else if (kind == kMultiByte) {
      char32_t c;
      const int length = DecodeUtf8Char(p, end, &c);
      if (length == 0 || c == 0xFFFE || c == 0xFFFF) return false;
      p += length;
    } else {
      out->append(run, p);
      if (kind == kRefuse) return false;
      out->append(EscapeOf(static_cast<unsigned char>(*p)));
      run = ++p;
    }
  }
  out->append(run, p);
  return true;
}

bool IsAsciiNameStartChar(char32_t c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':';
}

bool IsNameStartChar(char32_t c) {
  if (c < 0x80) return IsAsciiNameStartChar(c);
  return (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) ||
         (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) ||
         (c >= 0x200C && c <= 0x200D) || (c >= 0x2070 && c <= 0x218F) ||
         (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) ||
         (c >= 0xF900 && c <= 0xFDCF) || (c >= 0xFDF0 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0xEFFFF);
}

bool IsNameChar(char32_t c) {
  return IsNameStartChar(c) || c == '-' || c == '.' || (c >= '0' && c <= '9') || c == 0xB7 ||
         (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

// The Name production of XML 1.0. Refusing anything else keeps a bad name
// from breaking the markup around it.
bool IsXmlName(std::string_view name) {
  const char* p = name.data();
  const char* const end = p + name.size();
  if (p == end) return false;
  bool first = true;
  while (p < end) {
    char32_t c;
    const int length = DecodeUtf8Char(p, end, &c);
    if (length == 0 || !(first ? IsNameStartChar(c) : IsNameChar(c))) return false;
    first = false;
    p += length;
  }
  return true;
}

// `text` in double quotes for an error description, with control characters
// and bytes that are not UTF-8 shown as '?'.
std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    char32_t c;
    const int length = DecodeUtf8Char(p, end, &c);
    if (length == 0 || c < 0x20) {
      quoted += '?';
      p += length == 0 ? 1 : length;
    } else {
      quoted.append(p, static_cast<std::size_t>(length));
      p += length;
    }
  }
  quoted += '"';
  return quoted;
}

}  // namespace

void XmlAttributes::Add(std::string_view name, std::string_view value) {
  Entry entry;
  entry.name_offset = static_cast<std::uint32_t>(text_.size());
  entry.name_size = static_cast<std::uint32_t>(name.size());
  text_.append(name);
  entry.value_offset = static_cast<std::uint32_t>(text_.size());
  entry.value_size = static_cast<std::uint32_t>(value.size());
  text_.append(value);
  entries_.push_back(entry);
}

void XmlAttributes::AddInt(std::string_view name, std::int32_t value) {
  char digits[12];  // "-2147483648"
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  Add(name, std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
}

void XmlAttributes::Clear() {
  text_.clear();
  entries_.clear();
}

std::string_view XmlAttributes::name(std::size_t index) const {
  const Entry& entry = entries_[index];
  return std::string_view(text_).substr(entry.name_offset, entry.name_size);
}

std::string_view XmlAttributes::value(std::size_t index) const {
  const Entry& entry = entries_[index];
  return std::string_view(text_).substr(entry.value_offset, entry.value_size);
}

void XmlWriter::StartDocument() {
  if (Failed(status_)) return;
  out_.append(kDeclaration);
}

HRESULT XmlWriter::StartElement(std::string_view name, const XmlAttribute* attributes,
                                std::size_t count) {
  if (HRESULT hr = Drain(chunk_bytes_); Failed(hr)) return hr;
  const std::size_t mark = out_.size();
  HRESULT hr = OpenStartTag(name);
  if (Failed(hr)) return hr;
  for (std::size_t i = 0; i < count; ++i) {
    hr = AppendAttribute(name, attributes[i].name, attributes[i].value, mark);
    if (Failed(hr)) return hr;
  }
  FinishStartTag(name);
  return S_OK;
}

HRESULT XmlWriter::StartElement(std::string_view name,
                                std::initializer_list<XmlAttribute> attributes) {
  return StartElement(name, attributes.begin(), attributes.size());
}

HRESULT XmlWriter::StartElement(std::string_view name, const XmlAttributes& attributes) {
  if (HRESULT hr = Drain(chunk_bytes_); Failed(hr)) return hr;
  const std::size_t mark = out_.size();
  HRESULT hr = OpenStartTag(name);
  if (Failed(hr)) return hr;
  for (std::size_t i = 0; i < attributes.size(); ++i) {
    hr = AppendAttribute(name, attributes.name(i), attributes.value(i), mark);
    if (Failed(hr)) return hr;
  }
  FinishStartTag(name);
  return S_OK;
}

HRESULT XmlWriter::OpenStartTag(std::string_view name) {
  if (Failed(status_)) return status_;
  const std::size_t mark = out_.size();
  if (depth() == 0 && root_written_) {
    return Fail(E_UNEXPECTED, mark, "Second root element " + Quoted(name) + ".");
  }
  if (!IsXmlName(name)) {
    return Fail(E_INVALIDARG, mark, "Invalid element name " + Quoted(name) + ".");
  }
  if (start_tag_open_) out_ += '>';
  if (verbatim_depth_ == 0 && depth() <= kMaxIndent) {
    if (last_char() != '\0' && last_char() != '\n') out_ += '\n';
    out_.append(depth(), '\t');
  }
  out_ += '<';
  out_.append(name);
  return S_OK;
}

HRESULT XmlWriter::AppendAttribute(std::string_view element, std::string_view name,
                                   std::string_view value, std::size_t mark) {
  if (!IsXmlName(name)) {
    return Fail(E_INVALIDARG, mark,
                "Invalid attribute name " + Quoted(name) + " of element " + Quoted(element) + ".");
  }
  out_ += ' ';
  out_.append(name);
  out_ += "=\"";
  if (!AppendEscaped(&out_, value, kAttributeClasses)) {
    return Fail(
        E_INVALIDARG, mark,
        "Invalid character in attribute " + Quoted(name) + " of element " + Quoted(element) + ".");
  }
  out_ += '"';
  return S_OK;
}

void XmlWriter::FinishStartTag(std::string_view name) {
  name_offsets_.push_back(static_cast<std::uint32_t>(names_.size()));
  names_.append(name);
  start_tag_open_ = true;
  root_written_ = true;
}

HRESULT XmlWriter::Characters(std::string_view text) {
  if (HRESULT hr = Drain(chunk_bytes_); Failed(hr)) return hr;
  const std::size_t mark = out_.size();
  if (depth() == 0) return Fail(E_UNEXPECTED, mark, "Text outside any element.");
  if (text.empty()) return S_OK;
  if (start_tag_open_) out_ += '>';
  if (!AppendEscaped(&out_, text, kTextClasses)) {
    return Fail(E_INVALIDARG, mark,
                "Invalid character in the text of element " + Quoted(current_name()) + ".");
  }
  start_tag_open_ = false;
  if (verbatim_depth_ == 0) verbatim_depth_ = depth();
  return S_OK;
}

HRESULT XmlWriter::EndElement([[maybe_unused]] std::string_view name) {
  if (HRESULT hr = Drain(chunk_bytes_); Failed(hr)) return hr;
  if (depth() == 0) {
    return Fail(E_UNEXPECTED, out_.size(),
                "End of element " + Quoted(name) + " with no element open.");
  }
  assert(name == current_name());
  if (start_tag_open_) {
    out_ += "/>";
    start_tag_open_ = false;
  } else {
    if (verbatim_depth_ == 0 && depth() - 1 <= kMaxIndent) {
      out_ += '\n';
      out_.append(depth() - 1, '\t');
    }
    // The stored name, so that the markup stays balanced whatever was passed.
    out_ += "</";
    out_.append(current_name());
    out_ += '>';
  }
  names_.resize(name_offsets_.back());
  name_offsets_.pop_back();
  if (verbatim_depth_ > depth()) verbatim_depth_ = 0;
  return S_OK;
}

HRESULT XmlWriter::EndDocument() {
  if (Failed(status_)) return status_;
  if (depth() != 0) {
    return Fail(E_UNEXPECTED, out_.size(),
                "The document ends inside element " + Quoted(current_name()) + ".");
  }
  if (last_char() != '\0' && last_char() != '\n') out_ += '\n';
  return Drain(1);
}

HRESULT XmlWriter::Drain(std::size_t at_least) {
  if (Failed(status_)) return status_;
  if (sink_ == nullptr || out_.empty() || out_.size() < at_least) return S_OK;
  if (HRESULT hr = sink_->Write(out_); Failed(hr)) {
    status_ = hr;
    return hr;
  }
  drained_last_ = out_.back();
  out_.clear();
  return S_OK;
}

std::string XmlWriter::TakeOutput() {
  std::string output = std::move(out_);
  Reset();
  return output;
}

void XmlWriter::Reset() {
  out_.clear();
  names_.clear();
  name_offsets_.clear();
  start_tag_open_ = false;
  root_written_ = false;
  verbatim_depth_ = 0;
  drained_last_ = '\0';
  status_ = S_OK;
  error_.clear();
}

HRESULT XmlWriter::Fail(HRESULT code, std::size_t mark, std::string message) {
  out_.resize(mark);
  status_ = code;
  error_ = std::move(message);
  return code;
}

std::string_view XmlWriter::current_name() const {
  return std::string_view(names_).substr(name_offsets_.back());
}

}  // namespace xmlsecdb

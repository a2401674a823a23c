#include "platform/sax_reader.h"

#include <expat.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

#include "platform/file_system.h"

namespace xmlsecdb {

namespace {

// A piece that completes no event is doubled up to this size; past it a
// token is rescanned once per piece again.
constexpr std::size_t kMaxChunkSize = 256 * 1024 * 1024;

// FF FE at the start selects UTF-16LE; everything else is narrow text read as
// UTF-8 (an EF BB BF mark is consumed by expat as a byte-order mark).
bool StartsWithUtf16Mark(const unsigned char* data, std::size_t size) {
  return size >= 2 && data[0] == 0xFF && data[1] == 0xFE;
}

// Index of the first zero 16-bit unit among `units` units at `data`, or
// `units`. Tests four units per step: this scan runs over every byte of a
// wide image, and one unit at a time it costs a tenth of the whole parse.
std::size_t FindZeroUnit(const char* data, std::size_t units) {
  constexpr std::uint64_t kLowBits = 0x0001000100010001;
  constexpr std::uint64_t kHighBits = 0x8000800080008000;
  std::size_t i = 0;
  for (; i + 4 <= units; i += 4) {
    std::uint64_t word;
    std::memcpy(&word, data + 2 * i, sizeof word);
    // Non-zero exactly when one of the four 16-bit lanes is zero.
    if ((word - kLowBits) & ~word & kHighBits) break;
  }
  for (; i < units; ++i) {
    if (data[2 * i] == 0 && data[2 * i + 1] == 0) return i;
  }
  return units;
}

// Index of the first unit among `units` at `data` that breaks the pairing
// of UTF-16 surrogates, or `units`. *high_pending says on entry whether the
// unit before `data` was a high surrogate, and on return whether the last
// unit is one. Expat takes a high surrogate with whatever unit follows, so
// an unpaired one would swallow the next character.
std::size_t FindUnpairedSurrogate(const char* data, std::size_t units, bool* high_pending) {
  constexpr std::uint64_t kMask = 0xF800F800F800F800;
  constexpr std::uint64_t kSurrogates = 0xD800D800D800D800;
  constexpr std::uint64_t kLowBits = 0x0001000100010001;
  constexpr std::uint64_t kHighBits = 0x8000800080008000;
  std::size_t i = 0;
  while (i < units) {
    if (!*high_pending && i + 4 <= units) {
      std::uint64_t word;
      std::memcpy(&word, data + 2 * i, sizeof word);
      const std::uint64_t x = (word & kMask) ^ kSurrogates;
      // Zero exactly when none of the four units is a surrogate.
      if (((x - kLowBits) & ~x & kHighBits) == 0) {
        i += 4;
        continue;
      }
    }
    const unsigned high_byte = static_cast<unsigned char>(data[2 * i + 1]);
    const bool is_high = (high_byte & 0xFC) == 0xD8;
    const bool is_low = (high_byte & 0xFC) == 0xDC;
    if (*high_pending != is_low) return i;
    *high_pending = is_high;
    ++i;
  }
  return units;
}

int ClampLine(XML_Size line) { return line > INT_MAX ? INT_MAX : static_cast<int>(line); }

// Narrow text whose first character (after a UTF-8 mark and blanks) is
// not '<' is no XML document at all — typically an encrypted database read
// without its key. A piece of blanks only decides nothing.
bool LooksLikeMarkup(const char* data, std::size_t size) {
  std::size_t i = 0;
  if (size >= 3 && static_cast<unsigned char>(data[0]) == 0xEF &&
      static_cast<unsigned char>(data[1]) == 0xBB && static_cast<unsigned char>(data[2]) == 0xBF) {
    i = 3;
  }
  while (i < size && (data[i] == ' ' || data[i] == '\t' || data[i] == '\r' || data[i] == '\n')) {
    ++i;
  }
  return i == size || data[i] == '<' || data[i] == 0;
}

// Reads until `size` bytes or end of file. False on a read error.
bool ReadFully(SequentialFile& file, char* buffer, std::size_t size, std::size_t* got) {
  *got = 0;
  while (*got < size) {
    std::size_t n = 0;
    if (Failed(file.Read(buffer + *got, size - *got, &n))) return false;
    if (n == 0) break;
    *got += n;
  }
  return true;
}

}  // namespace

SaxAttributes::SaxAttributes(const char* const* pairs) : pairs_(pairs) {
  while (pairs_[2 * count_] != nullptr) ++count_;
}

bool SaxAttributes::GetValueFromName(std::string_view name, std::string_view* value) const {
  for (int i = 0; i < count_; ++i) {
    if (name == pairs_[2 * i]) {
      *value = pairs_[2 * i + 1];
      return true;
    }
  }
  return false;
}

// One parse: owns the expat parser, forwards its callbacks and keeps the
// first failure. The caller writes each piece of the image into expat's own
// buffer (Prepare) and hands it to Feed, which cuts the image at its first
// zero character, so no piece is copied twice.
class SaxReader::Session final : public SaxLocator {
 public:
  Session(SaxContentHandler* content, SaxErrorHandler* errors)
      : content_(content), errors_(errors), parser_(XML_ParserCreate(nullptr)) {}
  ~Session() {
    if (located_) content_->SetDocumentLocator(nullptr);
    if (parser_) XML_ParserFree(parser_);
  }

  // SaxLocator
  int line() const override { return ClampLine(XML_GetCurrentLineNumber(parser_)); }
  int column() const override { return ClampLine(XML_GetCurrentColumnNumber(parser_) + 1); }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  bool ok() const { return parser_ != nullptr; }
  std::size_t chunk_size() const { return chunk_size_; }

  // Chooses the decoding from the first piece (which must hold the first
  // two bytes of the image when it has them), installs the callbacks and
  // starts the document.
  HRESULT Begin(const char* first, std::size_t size) {
    wide_ = StartsWithUtf16Mark(reinterpret_cast<const unsigned char*>(first), size);
    if (!wide_ && !LooksLikeMarkup(first, size)) return kNotMarkup;
    // A protocol encoding makes expat ignore the declaration's encoding.
    XML_SetEncoding(parser_, wide_ ? "UTF-16LE" : "UTF-8");
    XML_SetUserData(parser_, this);
    XML_SetParamEntityParsing(parser_, XML_PARAM_ENTITY_PARSING_NEVER);
    XML_SetElementHandler(parser_, &Session::OnStartElement, &Session::OnEndElement);
    XML_SetCharacterDataHandler(parser_, &Session::OnCharacters);
    XML_SetEntityDeclHandler(parser_, &Session::OnEntityDecl);
    XML_SetStartDoctypeDeclHandler(parser_, &Session::OnStartDoctype);
    XML_SetExternalEntityRefHandler(parser_, &Session::OnExternalEntityRef);
    XML_SetSkippedEntityHandler(parser_, &Session::OnSkippedEntity);
    content_->SetDocumentLocator(this);
    located_ = true;
    return content_->StartDocument();
  }

  // Space in expat's buffer for the next piece of the image (null for an
  // empty piece). False when expat cannot provide it; Fail reports why.
  bool Prepare(std::size_t size, char** buffer) {
    pending_ = nullptr;
    if (size > 0) {
      pending_ = static_cast<char*>(XML_GetBuffer(parser_, static_cast<int>(size)));
      if (!pending_) return false;
    }
    *buffer = pending_;
    return true;
  }

  // Parses the `size` bytes just written to the space from Prepare; `last`
  // marks the end of the input. Stores true in *done when the parse is over
  // (end of input or the image's terminating zero); the result is then
  // final.
  HRESULT Feed(std::size_t size, bool last, bool* done) {
    *done = false;
    const char* piece = pending_;
    if (wide_) {
      // Pieces before the last are even-sized, so units stay aligned; an
      // odd byte left at the end is not a character and is dropped.
      const std::size_t units = size / 2;
      const std::size_t zero = FindZeroUnit(piece, units);
      if (zero < units) last = true;
      if (last) size = zero * 2;
      const std::size_t checked = last ? zero : units;
      const std::size_t bad = FindUnpairedSurrogate(piece, checked, &high_pending_);
      // A high surrogate at the very end has no partner either.
      if (bad < checked || (last && high_pending_)) {
        *done = true;
        return RefuseUnpaired(bad * 2);
      }
    } else if (const void* zero = size ? std::memchr(piece, 0, size) : nullptr) {
      size = static_cast<std::size_t>(static_cast<const char*>(zero) - piece);
      last = true;
    }
    const std::uint64_t events_before = events_;
    // An empty piece may have no buffer behind it, which XML_ParseBuffer
    // refuses; XML_Parse takes it.
    const XML_Status status = size ? XML_ParseBuffer(parser_, static_cast<int>(size), last)
                                   : XML_Parse(parser_, nullptr, 0, last);
    if (status != XML_STATUS_OK) {
      *done = true;
      return Fail();
    }
    if (last) {
      *done = true;
      return content_->EndDocument();
    }
    chunk_size_ = events_ == events_before ? std::min(chunk_size_ * 2, kMaxChunkSize) : kChunkSize;
    return S_OK;
  }

  // Parses the `size` bytes before an unpaired surrogate, so that the
  // failure names its line, then fails as expat fails on an invalid token.
  HRESULT RefuseUnpaired(std::size_t size) {
    const XML_Status status = XML_ParseBuffer(parser_, static_cast<int>(size), XML_FALSE);
    if (status == XML_STATUS_OK) {
      Refuse(XML_ErrorString(XML_ERROR_INVALID_TOKEN), kXmlErrorBase | XML_ERROR_INVALID_TOKEN);
    }
    return Fail();
  }

  // Ends a parse that expat stopped or could not continue: the handler's
  // failure, the reader's own refusal, or an expat error, in that order.
  HRESULT Fail() {
    if (Failed(content_failure_)) return content_failure_;
    if (!refusal_.empty()) return Report(refusal_line_, refusal_, refusal_code_);
    XML_Error code = XML_GetErrorCode(parser_);
    const XML_LChar* message = XML_ErrorString(code);
    return Report(ClampLine(XML_GetCurrentLineNumber(parser_)), message ? message : "unknown error",
                  kXmlErrorBase | static_cast<std::uint32_t>(code));
  }

 private:
  static Session* From(void* user_data) { return static_cast<Session*>(user_data); }

  bool stopped() const { return Failed(content_failure_) || !refusal_.empty(); }

  void Check(HRESULT hr) {
    if (Failed(hr)) {
      content_failure_ = hr;
      XML_StopParser(parser_, XML_FALSE);
    }
  }

  void Refuse(std::string message, std::uint32_t code) {
    refusal_line_ = ClampLine(XML_GetCurrentLineNumber(parser_));
    refusal_ = std::move(message);
    refusal_code_ = code;
    XML_StopParser(parser_, XML_FALSE);
  }

  HRESULT Report(int line, std::string_view message, std::uint32_t code) {
    HRESULT hr = errors_ ? errors_->FatalError(line, message, MakeResult(code)) : E_FAIL;
    return Failed(hr) ? hr : E_FAIL;
  }

  static void XMLCALL OnStartElement(void* user_data, const XML_Char* name,
                                     const XML_Char** attributes) {
    Session* self = From(user_data);
    if (self->stopped()) return;
    ++self->events_;
    if (++self->depth_ > kMaxElementDepth) {
      self->Refuse(
          "Elements are nested deeper than " + std::to_string(kMaxElementDepth) + " levels.",
          kDepthLimitError);
      return;
    }
    self->Check(self->content_->StartElement(name, SaxAttributes(attributes)));
  }

  static void XMLCALL OnEndElement(void* user_data, const XML_Char* name) {
    Session* self = From(user_data);
    if (self->stopped()) return;
    ++self->events_;
    --self->depth_;
    self->Check(self->content_->EndElement(name));
  }

  static void XMLCALL OnCharacters(void* user_data, const XML_Char* text, int length) {
    Session* self = From(user_data);
    if (self->stopped()) return;
    ++self->events_;
    self->Check(
        self->content_->Characters(std::string_view(text, static_cast<std::size_t>(length))));
  }

  // Refusing every declaration keeps expansion to the predefined entities
  // and character references, which rules out entity bombs.
  static void XMLCALL OnEntityDecl(void* user_data, const XML_Char*, int, const XML_Char*, int,
                                   const XML_Char*, const XML_Char*, const XML_Char*,
                                   const XML_Char*) {
    Session* self = From(user_data);
    if (self->stopped()) return;
    self->Refuse("Entity declarations are not allowed.", kEntityDeclaredError);
  }

  // Attribute defaults of an internal subset would change what the file
  // says without showing it (one declaration can disable every rule), and
  // a save would write them out as real attributes.
  static void XMLCALL OnStartDoctype(void* user_data, const XML_Char*, const XML_Char*,
                                     const XML_Char*, int has_internal_subset) {
    Session* self = From(user_data);
    if (self->stopped() || !has_internal_subset) return;
    self->Refuse("Document type declarations are not allowed.", kDoctypeDeclaredError);
  }

  static int XMLCALL OnExternalEntityRef(XML_Parser, const XML_Char*, const XML_Char*,
                                         const XML_Char*, const XML_Char*) {
    return XML_STATUS_ERROR;
  }

  // Expat skips a reference it cannot resolve when the document names an
  // external subset it did not read; dropping the text silently would lose
  // data, so the parse fails as for any undefined entity.
  static void XMLCALL OnSkippedEntity(void* user_data, const XML_Char*, int) {
    Session* self = From(user_data);
    if (self->stopped()) return;
    self->Refuse(XML_ErrorString(XML_ERROR_UNDEFINED_ENTITY),
                 kXmlErrorBase | XML_ERROR_UNDEFINED_ENTITY);
  }

  SaxContentHandler* const content_;
  SaxErrorHandler* const errors_;
  XML_Parser parser_;
  char* pending_ = nullptr;
  bool wide_ = false;
  bool high_pending_ = false;  // the last unit fed was a high surrogate
  bool located_ = false;
  int depth_ = 0;
  std::uint64_t events_ = 0;
  std::size_t chunk_size_ = kChunkSize;
  HRESULT content_failure_ = S_OK;
  std::string refusal_;
  int refusal_line_ = 0;
  std::uint32_t refusal_code_ = 0;
};

SaxReader::SaxReader() = default;
SaxReader::~SaxReader() = default;

HRESULT SaxReader::Parse(const void* data, std::size_t size) {
  if (!content_) return E_UNEXPECTED;
  Session session(content_, errors_);
  if (!session.ok()) return E_OUTOFMEMORY;
  const char* bytes = static_cast<const char*>(data);
  HRESULT hr = session.Begin(bytes, size);
  if (Failed(hr)) return hr;
  std::size_t offset = 0;
  for (;;) {
    const std::size_t piece = std::min(session.chunk_size(), size - offset);
    char* buffer = nullptr;
    if (!session.Prepare(piece, &buffer)) return session.Fail();
    if (piece) std::memcpy(buffer, bytes + offset, piece);
    offset += piece;
    bool done = false;
    hr = session.Feed(piece, offset == size, &done);
    if (done || Failed(hr)) return hr;
  }
}

HRESULT SaxReader::ParseFile(FileSystem& files, const std::string& path) {
  if (!content_) return E_UNEXPECTED;
  std::unique_ptr<SequentialFile> file;
  if (Failed(files.NewSequentialFile(path, &file))) return INET_E_RESOURCE_NOT_FOUND;
  return ParseFile(*file);
}

HRESULT SaxReader::ParseFile(SequentialFile& file) {
  if (!content_) return E_UNEXPECTED;
  Session session(content_, errors_);
  if (!session.ok()) return E_OUTOFMEMORY;
  bool first = true;
  for (;;) {
    const std::size_t want = session.chunk_size();
    char* buffer = nullptr;
    if (!session.Prepare(want, &buffer)) return session.Fail();
    std::size_t got = 0;
    if (!ReadFully(file, buffer, want, &got)) return INET_E_RESOURCE_NOT_FOUND;
    if (first) {
      HRESULT hr = session.Begin(buffer, got);
      if (Failed(hr)) return hr;
      first = false;
    }
    bool done = false;
    HRESULT hr = session.Feed(got, got < want, &done);
    if (done || Failed(hr)) return hr;
  }
}

}  // namespace xmlsecdb

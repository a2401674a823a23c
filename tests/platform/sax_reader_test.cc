#include "platform/sax_reader.h"

#include <expat.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/file_system.h"
#include "testing/hresult_matchers.h"

namespace xmlsecdb {
namespace {

// Writes the document back as a trace: "[" and "]" for the document,
// "<name a=v>" and "</name>" for elements and the text as it arrives, so
// text split into several runs reads the same as one run.
class RecordingHandler : public SaxContentHandler, public SaxErrorHandler {
 public:
  HRESULT StartDocument() override {
    trace += "[";
    return S_OK;
  }
  HRESULT EndDocument() override {
    trace += "]";
    return fail_at == "]" ? fail_with : S_OK;
  }
  HRESULT StartElement(std::string_view qname, const SaxAttributes& attributes) override {
    trace += "<" + std::string(qname);
    for (int i = 0; i < attributes.length(); ++i) {
      trace += " " + std::string(attributes.name(i)) + "=" + std::string(attributes.value(i));
    }
    trace += ">";
    return fail_at == "<" + std::string(qname) ? fail_with : S_OK;
  }
  HRESULT EndElement(std::string_view qname) override {
    trace += "</" + std::string(qname) + ">";
    return fail_at == "</" + std::string(qname) ? fail_with : S_OK;
  }
  HRESULT Characters(std::string_view text) override {
    trace += text;
    return fail_at == std::string(text) ? fail_with : S_OK;
  }
  HRESULT FatalError(int line, std::string_view message, HRESULT code) override {
    ++errors;
    error_line = line;
    error_message = message;
    error_code = code;
    return error_result;
  }

  std::string trace;
  // The event (as traced, without the closing ">" of tags) that fails.
  std::string fail_at;
  HRESULT fail_with = SECDB_E_INVALIDVALUE;
  HRESULT error_result = E_FAIL;
  int errors = 0;
  int error_line = 0;
  std::string error_message;
  HRESULT error_code = S_OK;
};

// UTF-16LE image with its FF FE mark.
std::string Wide(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

std::string Narrow(std::string_view text) { return std::string(text); }

std::string TempPath(const std::string& name) {
  return ::testing::TempDir() + "sax_reader_test_" + std::to_string(getpid()) + "_" + name;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
  std::fclose(f);
}

HRESULT XmlError(XML_Error code) { return MakeResult(SaxReader::kXmlErrorBase | code); }

// A document whose terminating zero character sits at byte `zero_at`,
// followed by bytes that would not parse.
std::string TruncatedAt(std::size_t zero_at, bool wide) {
  const std::size_t unit = wide ? 2 : 1;
  const std::size_t head = wide ? 2 + 2 * 3 : 3;  // Mark (wide) and "<a>".
  const std::size_t tail = unit * 4;              // "</a>"
  std::u16string text = u"<a>" + std::u16string((zero_at - head - tail) / unit, u'x') + u"</a>";
  std::string bytes;
  if (wide) {
    bytes = Wide(text);
    bytes += std::string("\0\0", 2);
  } else {
    bytes.assign(text.begin(), text.end());
    bytes += '\0';
  }
  bytes += "<b>garbage";
  return bytes;
}

// The trace of TruncatedAt(zero_at, wide).
std::string TruncatedTrace(std::size_t zero_at, bool wide) {
  const std::size_t count = wide ? (zero_at - 16) / 2 : zero_at - 7;
  return "[<a>" + std::string(count, 'x') + "</a>]";
}

struct Case {
  const char* name;
  std::string image;
  // For a document that loads: its trace. Otherwise empty.
  std::string trace;
  HRESULT error_code = S_OK;
  int error_line = 0;
  // When set, the exact message the error handler receives.
  const char* error_message = nullptr;
};

const std::string kBillionLaughs =
    "<?xml version=\"1.0\"?>\n"
    "<!DOCTYPE lolz [\n"
    " <!ENTITY lol \"lol\">\n"
    " <!ENTITY lol1 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">\n"
    " <!ENTITY lol2 \"&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;\">\n"
    "]>\n"
    "<lolz>&lol2;</lolz>";

std::vector<Case> Cases() {
  constexpr std::size_t kChunk = SaxReader::kChunkSize;
  const std::string long_x_narrow(kChunk - 10, 'x');
  // The high surrogate is the last unit of the first piece read.
  const std::string pair_across_chunks =
      Wide(u"<a>" + std::u16string(kChunk / 2 - 5, u'x') + u"\xD800\xDC00</a>");
  return {
      {"Utf8", Narrow("<?xml version=\"1.0\"?><a x=\"1\" y=\"&lt;&#65;\">h\xC3\xA9<b/></a>"),
       "[<a x=1 y=<A>h\xC3\xA9<b></b></a>]"},
      // A declared charset does not change how narrow text is read.
      {"Utf8MarkAndWideDeclaration",
       Narrow("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-16\"?><a>\xC3\xA9</a>"),
       "[<a>\xC3\xA9</a>]"},
      {"Latin1Declaration",
       Narrow("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>\xC3\xA9</a>"),
       "[<a>\xC3\xA9</a>]"},
      {"Utf16",
       Wide(u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<a n=\"\u00E9\">x\r\n\U0001F600</a>"),
       "[<a n=\xC3\xA9>x\n\xF0\x9F\x98\x80</a>]"},
      {"Utf16DeclaresUtf8", Wide(u"<?xml version=\"1.0\" encoding=\"UTF-8\"?><a>\u20AC</a>"),
       "[<a>\xE2\x82\xAC</a>]"},
      {"Utf16OddTrailingByte", Wide(u"<a/>") + "\x01", "[<a></a>]"},
      {"Utf16EndsAtZero", Wide(u"<a>t</a>") + std::string("\0\0", 2) + "junk<", "[<a>t</a>]"},
      {"NarrowEndsAtZero", Narrow("<a>t</a>") + std::string("\0", 1) + "\xFF<junk", "[<a>t</a>]"},
      // A zero byte inside a UTF-16 unit is not a terminator.
      {"Utf16ZeroHighBytes", Wide(u"<a>\u0100</a>"), "[<a>\xC4\x80</a>]"},
      {"DoctypeWithoutSubset", Narrow("<!DOCTYPE a SYSTEM \"a.dtd\"><a>&amp;</a>"), "[<a>&</a>]"},
      {"SurrogatePairAcrossChunks", pair_across_chunks,
       "[<a>" + std::string(kChunk / 2 - 5, 'x') + "\xF0\x90\x80\x80</a>]"},
      {"ZeroEndsFirstChunkNarrow", TruncatedAt(kChunk - 1, false),
       TruncatedTrace(kChunk - 1, false)},
      {"ZeroStartsSecondChunkNarrow", TruncatedAt(kChunk, false), TruncatedTrace(kChunk, false)},
      {"ZeroEndsFirstChunkWide", TruncatedAt(kChunk - 2, true), TruncatedTrace(kChunk - 2, true)},
      {"ZeroStartsSecondChunkWide", TruncatedAt(kChunk, true), TruncatedTrace(kChunk, true)},
      {"TextAcrossChunks", Narrow("<a>" + long_x_narrow + "\xC3\xA9\xC3\xA9\xC3\xA9</a>"),
       "[<a>" + long_x_narrow + "\xC3\xA9\xC3\xA9\xC3\xA9</a>]"},

      {"Empty", "", "", XmlError(XML_ERROR_NO_ELEMENTS), 1},
      {"WideMarkOnly", "\xFF\xFE", "", XmlError(XML_ERROR_NO_ELEMENTS), 1},
      {"ZeroFirst", std::string("\0<a/>", 5), "", XmlError(XML_ERROR_NO_ELEMENTS), 1},
      {"MismatchedTag", Narrow("<a>\n<b>\n</a>"), "", XmlError(XML_ERROR_TAG_MISMATCH), 3,
       "mismatched tag"},
      {"MismatchedTagWide", Wide(u"<a>\n\n<b></c>"), "", XmlError(XML_ERROR_TAG_MISMATCH), 3},
      {"InvalidUtf8", Narrow("<a>\n\xC3\x28</a>"), "", XmlError(XML_ERROR_INVALID_TOKEN), 2},
      {"TruncatedWide", Wide(u"<a></a").substr(0, 12) + "<", "", XmlError(XML_ERROR_UNCLOSED_TOKEN),
       1},
      // Expat would take a high surrogate with whatever unit follows: an
      // unpaired one must not swallow the closing quote.
      {"LoneHighSurrogate", Wide(u"<a>\n<b k=\"\xD800\" disabled=\"1\"/></a>"), "",
       XmlError(XML_ERROR_INVALID_TOKEN), 2, "not well-formed (invalid token)"},
      {"LoneHighSurrogateAtEnd", Wide(u"<a/>\xD800"), "", XmlError(XML_ERROR_INVALID_TOKEN), 1},
      {"LoneLowSurrogate", Wide(u"<a>\xDC00</a>"), "", XmlError(XML_ERROR_INVALID_TOKEN), 1},
      {"TwoHighSurrogates", Wide(u"<a>\xD800\xD800\xDC00</a>"), "",
       XmlError(XML_ERROR_INVALID_TOKEN), 1},
      {"ZeroCutsDocument", Narrow("<a>") + std::string("\0", 1) + "</a>", "",
       XmlError(XML_ERROR_NO_ELEMENTS), 1},
      // An internal subset is refused before any of its declarations.
      {"BillionLaughs", kBillionLaughs, "", MakeResult(SaxReader::kDoctypeDeclaredError), 2,
       "Document type declarations are not allowed."},
      {"ExternalEntity", Narrow("<!DOCTYPE a [\n<!ENTITY e SYSTEM \"/etc/passwd\">]><a>&e;</a>"),
       "", MakeResult(SaxReader::kDoctypeDeclaredError), 1},
      {"ParameterEntity", Narrow("<!DOCTYPE a [<!ENTITY % p \"<!ENTITY q 'x'>\"> %p;]><a/>"), "",
       MakeResult(SaxReader::kDoctypeDeclaredError), 1},
      // One attribute default would disable every rule without the file
      // showing it.
      {"AttributeDefaults", Narrow("<!DOCTYPE a [<!ATTLIST b disabled CDATA \"1\">]><a><b/></a>"),
       "", MakeResult(SaxReader::kDoctypeDeclaredError), 1,
       "Document type declarations are not allowed."},
      {"UndefinedEntity", Narrow("<a>&e;</a>"), "", XmlError(XML_ERROR_UNDEFINED_ENTITY), 1},
      // With an unread external subset expat would drop the reference.
      {"EntityFromUnreadSubset", Narrow("<!DOCTYPE a SYSTEM \"/nonexistent.dtd\">\n<a>&e;</a>"), "",
       XmlError(XML_ERROR_UNDEFINED_ENTITY), 2},
  };
}

// Every case goes through both entry points: Parse on the bytes in memory
// and ParseFile on the same bytes written to a file.
TEST(SaxReaderTest, ParsesImagesInMemoryAndFromFiles) {
  for (const Case& c : Cases()) {
    for (bool from_file : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (from_file ? " (file)" : " (memory)"));
      RecordingHandler handler;
      SaxReader reader;
      reader.set_content_handler(&handler);
      reader.set_error_handler(&handler);
      HRESULT hr;
      if (from_file) {
        const std::string path = TempPath(c.name);
        WriteFile(path, c.image);
        hr = reader.ParseFile(DefaultFileSystem(), path);
        std::remove(path.c_str());
      } else {
        hr = reader.Parse(c.image.data(), c.image.size());
      }
      if (c.error_code == S_OK) {
        EXPECT_HR(hr, S_OK);
        EXPECT_EQ(handler.trace, c.trace);
        EXPECT_EQ(handler.errors, 0) << handler.error_message;
      } else {
        EXPECT_HR(hr, E_FAIL);
        EXPECT_EQ(handler.errors, 1);
        EXPECT_HR(handler.error_code, c.error_code);
        EXPECT_EQ(handler.error_line, c.error_line);
        EXPECT_FALSE(handler.error_message.empty());
        if (c.error_message) {
          EXPECT_EQ(handler.error_message, c.error_message);
        }
        EXPECT_EQ(handler.trace.find(']'), std::string::npos) << "EndDocument after an error";
      }
    }
  }
}

// Narrow bytes that do not start with markup (a big-endian mark, encrypted
// data) are refused before any handler runs, from memory and from files.
TEST(SaxReaderTest, RefusesNarrowTextThatIsNotMarkup) {
  for (std::string image : {std::string("\xFE\xFF<a/>"), std::string("\x93\x11\xA0<a/>"),
                            std::string("\xEF\xBB\xBF  x<a/>")}) {
    for (bool from_file : {false, true}) {
      RecordingHandler handler;
      SaxReader reader;
      reader.set_content_handler(&handler);
      reader.set_error_handler(&handler);
      HRESULT hr;
      if (from_file) {
        const std::string path = TempPath("not_markup");
        WriteFile(path, image);
        hr = reader.ParseFile(DefaultFileSystem(), path);
        std::remove(path.c_str());
      } else {
        hr = reader.Parse(image.data(), image.size());
      }
      EXPECT_HR(hr, SaxReader::kNotMarkup);
      EXPECT_EQ(handler.errors, 0);
      EXPECT_TRUE(handler.trace.empty()) << handler.trace;
    }
  }
}

TEST(SaxReaderTest, DepthLimit) {
  const struct {
    int depth;
    HRESULT expected;
  } cases[] = {
      {SaxReader::kMaxElementDepth, S_OK},
      {SaxReader::kMaxElementDepth + 1, E_FAIL},
      {1000000, E_FAIL},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.depth);
    std::string image;
    image.reserve(static_cast<std::size_t>(c.depth) * 7);
    for (int i = 0; i < c.depth; ++i) image += "<e>";
    for (int i = 0; i < c.depth; ++i) image += "</e>";
    RecordingHandler handler;
    SaxReader reader;
    reader.set_content_handler(&handler);
    reader.set_error_handler(&handler);
    EXPECT_HR(reader.Parse(image.data(), image.size()), c.expected);
    if (Failed(c.expected)) {
      EXPECT_HR(handler.error_code, MakeResult(SaxReader::kDepthLimitError));
      // The element past the limit never reached the content handler.
      EXPECT_EQ(handler.trace.size(),
                1 + 3 * static_cast<std::size_t>(SaxReader::kMaxElementDepth));
      EXPECT_NE(handler.error_message.find("10000"), std::string::npos) << handler.error_message;
    }
  }
}

TEST(SaxReaderTest, HandlerFailureStopsTheParseAndIsReturned) {
  const std::string image = "<a><b>text</b><c/></a>";
  const struct {
    const char* fail_at;
    const char* trace;
  } cases[] = {
      {"<b", "[<a><b>"},
      {"text", "[<a><b>text"},
      {"</b", "[<a><b>text</b>"},
      {"]", "[<a><b>text</b><c></c></a>]"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fail_at);
    RecordingHandler handler;
    handler.fail_at = c.fail_at;
    SaxReader reader;
    reader.set_content_handler(&handler);
    reader.set_error_handler(&handler);
    EXPECT_HR(reader.Parse(image.data(), image.size()), SECDB_E_INVALIDVALUE);
    EXPECT_EQ(handler.trace, c.trace);
    EXPECT_EQ(handler.errors, 0);
  }
}

TEST(SaxReaderTest, ErrorHandlerChoosesTheResult) {
  const std::string image = "<a>";
  const struct {
    bool attached;
    HRESULT returned;
    HRESULT expected;
  } cases[] = {
      {true, SECDB_E_BADCHECKSUM, SECDB_E_BADCHECKSUM},
      {true, S_OK, E_FAIL},
      {false, S_OK, E_FAIL},
  };
  for (const auto& c : cases) {
    RecordingHandler handler;
    handler.error_result = c.returned;
    SaxReader reader;
    reader.set_content_handler(&handler);
    if (c.attached) reader.set_error_handler(&handler);
    EXPECT_HR(reader.Parse(image.data(), image.size()), c.expected);
    EXPECT_EQ(handler.errors, c.attached ? 1 : 0);
    EXPECT_HR(handler.error_code, c.attached ? XmlError(XML_ERROR_NO_ELEMENTS) : S_OK);
  }
}

TEST(SaxReaderTest, NeedsAContentHandlerAndAReadableFile) {
  SaxReader reader;
  EXPECT_HR(reader.Parse("<a/>", 4), E_UNEXPECTED);
  EXPECT_HR(reader.ParseFile(DefaultFileSystem(), TempPath("missing")), E_UNEXPECTED);
  RecordingHandler handler;
  reader.set_content_handler(&handler);
  EXPECT_HR(reader.ParseFile(DefaultFileSystem(), TempPath("missing")), INET_E_RESOURCE_NOT_FOUND);
  EXPECT_HR(reader.ParseFile(DefaultFileSystem(), ::testing::TempDir()), INET_E_RESOURCE_NOT_FOUND);
  EXPECT_EQ(handler.trace, "");
}

class AttributeProbe : public SaxContentHandler {
 public:
  HRESULT StartDocument() override { return S_OK; }
  HRESULT EndDocument() override { return S_OK; }
  HRESULT StartElement(std::string_view, const SaxAttributes& attributes) override {
    length = attributes.length();
    found_id = attributes.GetValueFromName("id", &id_view);
    id = id_view;
    found_missing = attributes.GetValueFromName("i", &missing);
    std::string_view empty;
    found_empty = attributes.GetValueFromName("empty", &empty) && empty.empty();
    return S_OK;
  }
  HRESULT EndElement(std::string_view) override { return S_OK; }
  HRESULT Characters(std::string_view) override { return S_OK; }

  int length = -1;
  bool found_id = false, found_missing = true, found_empty = false;
  std::string_view id_view;
  std::string id;
  std::string_view missing = "unchanged";
};

TEST(SaxReaderTest, AttributesAreFoundByQualifiedName) {
  const std::string image = "<Module x:id=\"no\" empty=\"\" id=\"Test\"/>";
  AttributeProbe probe;
  SaxReader reader;
  reader.set_content_handler(&probe);
  EXPECT_HR(reader.Parse(image.data(), image.size()), S_OK);
  EXPECT_EQ(probe.length, 3);
  EXPECT_TRUE(probe.found_id);
  EXPECT_EQ(probe.id, "Test");
  EXPECT_TRUE(probe.found_empty);
  EXPECT_FALSE(probe.found_missing);
  EXPECT_EQ(probe.missing, "unchanged");
}

// A token longer than a chunk arrives whole, from memory and from a file
// read in chunks. (That it is not rescanned once per chunk is measured by
// bench/sax_bench.cc.)
TEST(SaxReaderTest, HugeAttributeArrivesWhole) {
  const std::string value(40 * 1024 * 1024, 'v');
  const std::string image = "<a b=\"" + value + "\"/>";
  const std::string path = TempPath("huge");
  WriteFile(path, image);
  for (bool from_file : {false, true}) {
    RecordingHandler handler;
    SaxReader reader;
    reader.set_content_handler(&handler);
    EXPECT_HR(from_file ? reader.ParseFile(DefaultFileSystem(), path)
                        : reader.Parse(image.data(), image.size()),
              S_OK);
    EXPECT_EQ(handler.trace.size(), value.size() + 12);
  }
  std::remove(path.c_str());
}

}  // namespace
}  // namespace xmlsecdb

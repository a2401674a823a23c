#include "platform/xml_writer.h"

#include <expat.h>
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/utf.h"
#include "testing/hresult_matchers.h"

namespace xmlsecdb {
namespace {

using namespace std::string_view_literals;

constexpr std::string_view kDeclaration =
    "<?xml version=\"1.0\" encoding=\"UTF-16\" standalone=\"no\"?>\n";

// What an XML reader reports, with adjacent text runs joined.
struct Event {
  enum Kind { kStart, kText, kEnd } kind;
  std::string name_or_text;
  std::vector<std::pair<std::string, std::string>> attributes;
};

void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
  Event event{Event::kStart, name, {}};
  for (const XML_Char** a = attributes; *a; a += 2) event.attributes.emplace_back(a[0], a[1]);
  static_cast<std::vector<Event>*>(data)->push_back(std::move(event));
}

void XMLCALL OnEnd(void* data, const XML_Char* name) {
  static_cast<std::vector<Event>*>(data)->push_back({Event::kEnd, name, {}});
}

void XMLCALL OnText(void* data, const XML_Char* text, int length) {
  auto* events = static_cast<std::vector<Event>*>(data);
  if (events->empty() || events->back().kind != Event::kText) {
    events->push_back({Event::kText, {}, {}});
  }
  events->back().name_or_text.append(text, static_cast<std::size_t>(length));
}

// Reads a document the way it reaches the disk: UTF-16LE after FF FE.
::testing::AssertionResult ReadBack(const std::string& document, std::vector<Event>* events) {
  std::string image = "\xFF\xFE";
  if (!Utf8ToUtf16LE(document, &image)) return ::testing::AssertionFailure() << "not UTF-8";
  XML_Parser parser = XML_ParserCreate(nullptr);
  XML_SetUserData(parser, events);
  XML_SetElementHandler(parser, OnStart, OnEnd);
  XML_SetCharacterDataHandler(parser, OnText);
  const bool ok =
      XML_Parse(parser, image.data(), static_cast<int>(image.size()), 1) == XML_STATUS_OK;
  std::string message = ok ? "" : XML_ErrorString(XML_GetErrorCode(parser));
  XML_ParserFree(parser);
  if (!ok) return ::testing::AssertionFailure() << message << " in\n" << document;
  return ::testing::AssertionSuccess();
}

// Writes what was read, text runs included, as a load and save would.
std::string Rewrite(const std::vector<Event>& events) {
  XmlWriter writer;
  writer.StartDocument();
  XmlAttributes attributes;
  for (const Event& event : events) {
    HRESULT hr = S_OK;
    switch (event.kind) {
      case Event::kStart:
        attributes.Clear();
        for (const auto& [name, value] : event.attributes) attributes.Add(name, value);
        hr = writer.StartElement(event.name_or_text, attributes);
        break;
      case Event::kText:
        hr = writer.Characters(event.name_or_text);
        break;
      case Event::kEnd:
        hr = writer.EndElement(event.name_or_text);
        break;
    }
    EXPECT_HR(hr, S_OK) << writer.error();
  }
  EXPECT_HR(writer.EndDocument(), S_OK);
  return writer.TakeOutput();
}

// A small database: elements with and without children and text.
std::string WriteSample(XmlWriter& writer) {
  writer.StartDocument();
  EXPECT_HR(writer.StartElement("SecDb", {{"xmlns:xsi", "urn:x"}, {"b", "2"}}), S_OK);
  EXPECT_HR(writer.StartElement("VersionInfo", {{"major", "1"}}), S_OK);
  EXPECT_HR(writer.EndElement("VersionInfo"), S_OK);
  EXPECT_HR(writer.StartElement("RuleList"), S_OK);
  EXPECT_HR(writer.StartElement("Rule", {{"id", "7"}}), S_OK);
  EXPECT_HR(writer.StartElement("Name"), S_OK);
  EXPECT_HR(writer.Characters("first"), S_OK);
  EXPECT_HR(writer.Characters(" second"), S_OK);
  EXPECT_HR(writer.EndElement("Name"), S_OK);
  EXPECT_HR(writer.StartElement("Empty"), S_OK);
  EXPECT_HR(writer.EndElement("Empty"), S_OK);
  EXPECT_HR(writer.EndElement("Rule"), S_OK);
  EXPECT_HR(writer.EndElement("RuleList"), S_OK);
  EXPECT_HR(writer.EndElement("SecDb"), S_OK);
  EXPECT_HR(writer.EndDocument(), S_OK);
  return writer.output();
}

TEST(XmlWriterTest, IndentsElementsAndKeepsTextInline) {
  XmlWriter writer;
  EXPECT_EQ(WriteSample(writer), std::string(kDeclaration) +
                                     "<SecDb xmlns:xsi=\"urn:x\" b=\"2\">\n"
                                     "\t<VersionInfo major=\"1\"/>\n"
                                     "\t<RuleList>\n"
                                     "\t\t<Rule id=\"7\">\n"
                                     "\t\t\t<Name>first second</Name>\n"
                                     "\t\t\t<Empty/>\n"
                                     "\t\t</Rule>\n"
                                     "\t</RuleList>\n"
                                     "</SecDb>\n");
}

// Collects what a streaming writer hands over; fails from the `fail_at`th
// chunk on.
class ChunkSink final : public XmlSink {
 public:
  HRESULT Write(std::string_view utf8) override {
    if (++chunks == fail_at) return E_OUTOFMEMORY;
    text.append(utf8);
    return S_OK;
  }
  std::string text;
  int chunks = 0;
  int fail_at = 0;
};

TEST(XmlWriterTest, StreamedOutputIsTheSameTextInChunks) {
  XmlWriter whole;
  const std::string expected = WriteSample(whole);
  for (std::size_t chunk : {std::size_t{1}, std::size_t{7}, std::size_t{4096}}) {
    ChunkSink sink;
    XmlWriter writer;
    writer.StreamTo(&sink, chunk);
    EXPECT_EQ(WriteSample(writer), "");  // nothing kept once the document ends
    EXPECT_EQ(sink.text, expected) << chunk;
    EXPECT_EQ(sink.chunks > 1, chunk < expected.size()) << chunk;
  }

  // A failing sink stops the writer with its code and no description.
  ChunkSink failing;
  failing.fail_at = 2;
  XmlWriter writer;
  writer.StreamTo(&failing, 1);
  writer.StartDocument();
  EXPECT_HR(writer.StartElement("SecDb"), S_OK);
  EXPECT_HR(writer.StartElement("A"), E_OUTOFMEMORY);
  EXPECT_HR(writer.EndDocument(), E_OUTOFMEMORY);
  EXPECT_TRUE(writer.error().empty());
}

TEST(XmlWriterTest, NothingIsIndentedInsideAnElementWithText) {
  XmlWriter writer;
  writer.StartDocument();
  ASSERT_HR(writer.StartElement("SecDb"), S_OK);
  ASSERT_HR(writer.StartElement("Custom", {{"k", "v"}}), S_OK);
  ASSERT_HR(writer.Characters("\n  lead "), S_OK);
  ASSERT_HR(writer.StartElement("Inner"), S_OK);
  ASSERT_HR(writer.StartElement("Deep"), S_OK);
  ASSERT_HR(writer.EndElement("Deep"), S_OK);
  ASSERT_HR(writer.EndElement("Inner"), S_OK);
  ASSERT_HR(writer.Characters(" tail\n"), S_OK);
  ASSERT_HR(writer.EndElement("Custom"), S_OK);
  ASSERT_HR(writer.StartElement("After"), S_OK);  // indentation resumes
  ASSERT_HR(writer.EndElement("After"), S_OK);
  ASSERT_HR(writer.EndElement("SecDb"), S_OK);
  ASSERT_HR(writer.EndDocument(), S_OK);
  EXPECT_EQ(writer.output(),
            std::string(kDeclaration) +
                "<SecDb>\n"
                "\t<Custom k=\"v\">\n  lead <Inner><Deep/></Inner> tail\n</Custom>\n"
                "\t<After/>\n"
                "</SecDb>\n");
}

// A saved document, loaded with every text run kept (indentation included)
// and saved again, comes back byte for byte.
TEST(XmlWriterTest, SavingWhatWasReadGivesTheSameBytes) {
  XmlWriter writer;
  const std::string first = WriteSample(writer);
  std::vector<Event> events;
  ASSERT_TRUE(ReadBack(first, &events));
  const std::string second = Rewrite(events);
  EXPECT_EQ(second, first);

  // Irregular whitespace from a hand-edited file settles after one save.
  events.clear();
  ASSERT_TRUE(ReadBack("<SecDb>  <A>x</A>\n\n   <B>\r\n<C/> </B>\t</SecDb>", &events));
  const std::string saved = Rewrite(events);
  events.clear();
  ASSERT_TRUE(ReadBack(saved, &events));
  EXPECT_EQ(Rewrite(events), saved);
}

TEST(XmlWriterTest, ReaderGetsBackEveryStringWritten) {
  const std::string_view kStrings[] = {
      ""sv,
      "plain"sv,
      "a&b<c>d"sv,
      "\"double\" 'single'"sv,
      "]]>"sv,
      "<![CDATA[x]]>"sv,
      "&amp; &#9; &lt;"sv,
      "tab\there"sv,
      "line\nbreak"sv,
      "cr\ronly, crlf\r\n, lfcr\n\r"sv,
      "  leading, trailing and  double  spaces  "sv,
      "\t\n\r \t"sv,
      "\x7F"sv,
      "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 \xEF\xBF\xBD"sv,
  };
  for (std::string_view s : kStrings) {
    SCOPED_TRACE(::testing::PrintToString(std::string(s)));
    XmlWriter writer;
    writer.StartDocument();
    ASSERT_HR(writer.StartElement("Root"), S_OK);
    ASSERT_HR(writer.StartElement("E", {{"first", s}, {"second", s}}), S_OK);
    ASSERT_HR(writer.Characters(s), S_OK);
    ASSERT_HR(writer.EndElement("E"), S_OK);
    ASSERT_HR(writer.EndElement("Root"), S_OK);
    ASSERT_HR(writer.EndDocument(), S_OK);

    std::vector<Event> events;
    ASSERT_TRUE(ReadBack(writer.output(), &events));
    std::vector<std::pair<std::string, std::string>> attributes;
    std::string text;
    for (std::size_t i = 0; i < events.size(); ++i) {
      if (events[i].kind == Event::kStart && events[i].name_or_text == "E") {
        attributes = events[i].attributes;
        if (events[i + 1].kind == Event::kText) text = events[i + 1].name_or_text;
      }
    }
    EXPECT_EQ(attributes, (std::vector<std::pair<std::string, std::string>>{
                              {"first", std::string(s)}, {"second", std::string(s)}}));
    EXPECT_EQ(text, s);
  }
}

TEST(XmlWriterTest, RefusesTextAndValuesXmlCannotCarry) {
  const std::string_view kRefused[] = {
      "\0"sv,           "a\x01"sv, "\x08"sv, "\x0B"sv, "\x0C"sv, "\x0E"sv, "ok\x1F"sv,
      "\xEF\xBF\xBE"sv,  // U+FFFE
      "\xEF\xBF\xBF"sv,  // U+FFFF
      "\xED\xA0\x80"sv,  // encoded surrogate
      "\xC0\xBC"sv,      // overlong '<'
      "\xC3"sv,          // truncated
      "\xFF"sv,
  };
  for (std::string_view bad : kRefused) {
    SCOPED_TRACE(::testing::PrintToString(std::string(bad)));
    XmlWriter writer;
    writer.StartDocument();
    ASSERT_HR(writer.StartElement("SecDb"), S_OK);
    ASSERT_HR(writer.StartElement("Rule"), S_OK);
    const std::string before = writer.output();
    EXPECT_HR(writer.Characters(bad), E_INVALIDARG);
    EXPECT_EQ(writer.error(), "Invalid character in the text of element \"Rule\".");
    EXPECT_EQ(writer.output(), before);
    // The writer stays stopped, so a caller that ignores one result still
    // cannot finish a document with a hole in it.
    EXPECT_HR(writer.EndElement("Rule"), E_INVALIDARG);
    EXPECT_HR(writer.EndDocument(), E_INVALIDARG);

    writer.Reset();
    writer.StartDocument();
    ASSERT_HR(writer.StartElement("SecDb"), S_OK);
    EXPECT_HR(writer.StartElement("Rule", {{"id", "1"}, {"name", bad}}), E_INVALIDARG);
    EXPECT_EQ(writer.error(), "Invalid character in attribute \"name\" of element \"Rule\".");
    EXPECT_EQ(writer.output(), std::string(kDeclaration) + "<SecDb");
  }
}

TEST(XmlWriterTest, RefusesInvalidNames) {
  struct Case {
    std::string_view name;
    std::string_view quoted;  // as the description shows it
  };
  const Case kCases[] = {
      {""sv, "\"\""sv},        {"1st"sv, "\"1st\""sv},         {"-a"sv, "\"-a\""sv},
      {"a b"sv, "\"a b\""sv},  {"a=\"x\""sv, "\"a=\"x\"\""sv}, {"a>"sv, "\"a>\""sv},
      {"a\tb"sv, "\"a?b\""sv}, {"a\xFF"sv, "\"a?\""sv},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(::testing::PrintToString(std::string(c.name)));
    XmlWriter writer;
    ASSERT_HR(writer.StartElement("Root"), S_OK);
    EXPECT_HR(writer.StartElement(c.name), E_INVALIDARG);
    EXPECT_EQ(writer.error(), "Invalid element name " + std::string(c.quoted) + ".");

    writer.Reset();
    EXPECT_HR(writer.StartElement("Rule", {{c.name, "v"}}), E_INVALIDARG);
    EXPECT_EQ(writer.error(),
              "Invalid attribute name " + std::string(c.quoted) + " of element \"Rule\".");
    EXPECT_EQ(writer.output(), "");
  }
  XmlWriter writer;
  EXPECT_HR(writer.StartElement("x:a-b.c_1\xC3\xA9", {{"xsi:noNamespaceSchemaLocation", "v"}}),
            S_OK);
}

TEST(XmlWriterTest, RefusesMisplacedCalls) {
  const std::function<HRESULT(XmlWriter&)> kMisuses[] = {
      [](XmlWriter& w) { return w.Characters("x"); },
      [](XmlWriter& w) { return w.EndElement("Root"); },
      [](XmlWriter& w) {
        (void)w.StartElement("Root");
        (void)w.EndElement("Root");
        return w.StartElement("Second");
      },
      [](XmlWriter& w) {
        (void)w.StartElement("Root");
        return w.EndDocument();
      },
  };
  for (const auto& misuse : kMisuses) {
    XmlWriter writer;
    writer.StartDocument();
    EXPECT_HR(misuse(writer), E_UNEXPECTED);
    EXPECT_FALSE(writer.error().empty());
  }
}

TEST(XmlWriterTest, AttributeListOwnsItsStringsAndIsReused) {
  XmlAttributes attributes;
  attributes.Add("name", std::string("a temporary long enough to live on the heap"));
  attributes.AddInt("low", INT_MIN);
  attributes.AddInt("zero", 0);
  attributes.AddInt("high", 65535);
  XmlWriter writer;
  // The element name is a temporary too; the end tag must still name it.
  ASSERT_HR(writer.StartElement(std::string("RootElementWithAHeapAllocatedName"), attributes),
            S_OK);
  attributes.Clear();
  EXPECT_TRUE(attributes.empty());
  attributes.Add("id", "2");
  ASSERT_HR(writer.StartElement("Child", attributes), S_OK);
  ASSERT_HR(writer.EndElement("Child"), S_OK);
  ASSERT_HR(writer.EndElement("RootElementWithAHeapAllocatedName"), S_OK);
  EXPECT_EQ(writer.TakeOutput(),
            "<RootElementWithAHeapAllocatedName name=\"a temporary long enough to live on the "
            "heap\" low=\"-2147483648\" "
            "zero=\"0\" high=\"65535\">\n"
            "\t<Child id=\"2\"/>\n"
            "</RootElementWithAHeapAllocatedName>");

  // TakeOutput leaves a writer that starts a new document.
  EXPECT_EQ(writer.output(), "");
  ASSERT_HR(writer.StartElement("Again"), S_OK);
  ASSERT_HR(writer.EndElement("Again"), S_OK);
  EXPECT_EQ(writer.output(), "<Again/>");
}

}  // namespace
}  // namespace xmlsecdb

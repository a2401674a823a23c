// TestParser: a parser of a test-only kind, made of what a test gives it —
// the kind row (kTestKind unless another), the sections, the lists on the
// parser's own sites with the events they raise, and what re-sorting the
// rule lists does. Shared machinery is tested through it without any real
// database kind.
//
//   ComPtr<TestParser> parser = MakeObject<TestParser>();
//   GlobalsSection& globals = parser->AddSection<GlobalsSection>(config);
//   ASSERT_OK(LoadBody(*parser, "<Globals>...</Globals>"));
//
// The parser owns what it is given and lets it go in the reverse order, so a
// list is detached from its site before the site goes.
#ifndef XMLSECDB_TESTS_TESTING_TEST_PARSER_H_
#define XMLSECDB_TESTS_TESTING_TEST_PARSER_H_

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/parser_object.h"
#include "core/return_if_failed.h"
#include "core/section.h"
#include "list/list_core.h"
#include "list/list_owner.h"
#include "platform/env.h"
#include "platform/registry.h"
#include "platform/xml_writer.h"
#include "testing/hresult_matchers.h"
#include "testing/secdb_document.h"
#include "testing/temp_dir.h"
#include "xmlsecdb/parser.h"

namespace xmlsecdb::testing {

inline constexpr CLSID CLSID_TestParser = MakeGuid("{5EC0DB00-03F4-4000-8000-5EC0DB0003F4}");
inline constexpr IID DIID_TestEvents = MakeGuid("{5EC0DB00-03F7-4000-8000-5EC0DB0003F7}");
// The interface the test kind's error records name (the parser offers
// ISDParserEx, as every kind's parser does besides its own interface).
inline constexpr IID IID_ITestParser = MakeGuid("{5EC0DB00-03F8-4000-8000-5EC0DB0003F8}");

// The test kind: its own module word, names, class, error interface and
// event interface. It has no class table entry: its records carry no
// ProgID unless a ScopedTestParserProgID registers one.
inline constexpr ParserKind kTestKind = {
    .abbreviation = "test",
    .coclass = "XMLSDParserTest",
    .class_name = "CTestParser",
    .handler_name = "CDbContentHandlerTest",
    .module_id = 0x1000,
    .module_text = "Test",
    .schema_file = "Test.xsd",
    .schema_location = "",
    .clsid = &CLSID_TestParser,
    .parser_iid = &IID_ITestParser,
    .events_iid = &DIID_TestEvents,
    .master_iid = &ISDParser::kIID,
    .events_off_while_loading = false,
    .module_check = ModuleCheck::kExactText,
    .missing_major_suffix = " Missing Major version.",
    .writes_custom_sections = true,
};

class TestParser final : public ParserObjectEx<ISDParserEx> {
 public:
  // `kind` must outlive the parser.
  explicit TestParser(const ParserKind& kind = kTestKind) : ParserObjectEx(kind) {}
  ~TestParser() override {
    while (!parts_.empty()) parts_.pop_back();
  }

  // Makes a section the parser owns and registers it after the ones before
  // it. The section is built from `args`, preceded by the parser when its
  // constructor takes one first.
  template <class S, class... Args>
  S& AddSection(Args&&... args) {
    S* section = Own<S>(std::forward<Args>(args)...);
    ParserCore::AddSection(section);
    return *section;
  }

  // The `index`-th section registered, which must be an S.
  template <class S>
  S& section(std::size_t index = 0) const {
    return static_cast<S&>(*sections().at(index));
  }

  // Makes a top-level list the parser owns, on a site of its own that
  // raises `events` (a constant); `args` follow the site in the list's
  // constructor. The list is no section: it is neither read nor written.
  template <class List, class... Args>
  List* AddList(const ListEventIds& events, Args&&... args) {
    ParserListSite* site = Own<ParserListSite>(events);
    return Own<OwnedList<List>>(MakeObject<List>(site, std::forward<Args>(args)...))->get();
  }

  // Keeps `value` (a config a section refers to, say) as long as the
  // parser lives.
  template <class T>
  T& Keep(T value) {
    return *Own<T>(std::move(value));
  }

  // What the parser does when it re-sorts its rule lists before a write.
  void OnSortRuleLists(std::function<void()> sort) { sort_ = std::move(sort); }

  using ParserCore::master;

 protected:
  void SortRuleLists() override {
    if (sort_) sort_();
  }

 private:
  struct Part {
    virtual ~Part() = default;
  };
  template <class T>
  struct Held final : Part {
    template <class... Args>
    explicit Held(Args&&... args) : value(std::forward<Args>(args)...) {}
    T value;
  };

  template <class T, class... Args>
  T* Own(Args&&... args) {
    std::unique_ptr<Held<T>> part;
    if constexpr (std::is_constructible_v<T, ParserCore*, Args...>) {
      part = std::make_unique<Held<T>>(static_cast<ParserCore*>(this), std::forward<Args>(args)...);
    } else {
      part = std::make_unique<Held<T>>(std::forward<Args>(args)...);
    }
    T* value = &part->value;
    parts_.push_back(std::move(part));
    return value;
  }

  std::vector<std::unique_ptr<Part>> parts_;
  std::function<void()> sort_;
};

// A section that keeps the `Item` elements directly inside its element
// (`Things` unless another constant) with their text, and fails on an
// `Item` without `id` with 109 " Missing item id.". It writes nothing when
// it holds no item; it exposes no list.
class ItemSection final : public Section {
 public:
  explicit ItemSection(std::string_view element = "Things") : element_(element) {}

  std::string_view element() const override { return element_; }
  std::string_view property() const override { return "ItemList"; }
  ISDCollection* collection() override { return nullptr; }
  HRESULT StartElement(SectionReadContext& context, std::string_view name, std::string_view parent,
                       const SaxAttributes& attributes, bool* handled) override {
    if (name != "Item" || parent != element_) return S_OK;
    *handled = true;
    std::string_view id;
    if (!attributes.GetValueFromName("id", &id)) return context.Fail(109, " Missing item id.");
    ids.emplace_back(id);
    return S_OK;
  }
  HRESULT EndElement(SectionReadContext&, std::string_view, std::string_view,
                     std::string_view text) override {
    texts.emplace_back(text);
    return S_OK;
  }
  HRESULT Write(XmlWriter& writer) override {
    if (ids.empty()) return S_OK;
    RETURN_IF_FAILED(writer.StartElement(element_));
    for (std::size_t i = 0; i < ids.size(); ++i) {
      RETURN_IF_FAILED(writer.StartElement("Item", {{"id", ids[i]}}));
      RETURN_IF_FAILED(writer.Characters(texts[i]));
      RETURN_IF_FAILED(writer.EndElement("Item"));
    }
    return writer.EndElement(element_);
  }
  void Clear() override {
    ids.clear();
    texts.clear();
  }

  std::vector<std::string> ids;
  std::vector<std::string> texts;

 private:
  std::string_view element_;
};

// Registers "XMLSecDB.TestParser.1" as the ProgID of the test kind's class
// in the process's registry for the guard's life, as registration records
// a kind's: the records of test parsers then name it as their source.
class ScopedTestParserProgID {
 public:
  static constexpr std::string_view kProgID = "XMLSecDB.TestParser.1";
  ScopedTestParserProgID() {
    EXPECT_OK(ProcessEnv().registry->SetString(Key() + "\\ProgID", "", kProgID));
  }
  ~ScopedTestParserProgID() { (void)ProcessEnv().registry->DeleteKey(Key()); }
  ScopedTestParserProgID(const ScopedTestParserProgID&) = delete;
  ScopedTestParserProgID& operator=(const ScopedTestParserProgID&) = delete;

 private:
  // The class's key, which the guard removes whole.
  static std::string Key() { return "HKEY_CLASSES_ROOT\\CLSID\\" + GuidToString(CLSID_TestParser); }
};

// A whole database of `parser`'s kind whose sections are `body`.
inline std::string TestDocument(const TestParser& parser, std::string_view body,
                                std::string_view version = kVersionOne) {
  return SecDbDocument(parser.kind().module_text, body, version);
}

// Loads TestDocument(parser, body) from memory.
inline HRESULT LoadBody(TestParser& parser, std::string_view body) {
  return parser.LoadImage(TestDocument(parser, body), "db.xml", 0);
}

// Saves `from` to a file and loads that file into `into`.
inline HRESULT SaveAndReload(TestParser& from, TestParser& into) {
  TempDir dir;
  const std::string path = dir.File("saved.xml");
  HRESULT hr = from.Save(path);
  return Failed(hr) ? hr : into.Load(path, 0);
}

// The text a save writes for `section` alone, without the document frame
// (`parser`: the TestParser or a kind's parser with XmlEx).
template <class Parser>
std::string SectionText(Parser& parser, std::string_view section) {
  std::string xml;
  if (Failed(parser.XmlEx(section, &xml))) return "<failed>";
  std::size_t module = xml.find("<Module");
  std::size_t start = xml.find('\n', module) + 1;
  std::size_t end = xml.rfind("</SecDb>");
  return start > 0 && end != std::string::npos && end >= start ? xml.substr(start, end - start)
                                                               : std::string();
}

}  // namespace xmlsecdb::testing

#endif  // XMLSECDB_TESTS_TESTING_TEST_PARSER_H_

// How the content handler hands elements to a kind's sections, and how a
// save writes them.
#include "core/section.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/return_if_failed.h"
#include "platform/xml_writer.h"
#include "testing/hresult_matchers.h"
#include "testing/test_parser.h"

namespace xmlsecdb {
namespace {

// Keeps the `Item` elements of `Things` with their text, and fails on an
// `Item` without `id`.
class ThingsSection final : public Section {
 public:
  std::string_view element() const override { return "Things"; }
  std::string_view property() const override { return "ThingList"; }
  ISDCollection* collection() override { return nullptr; }
  HRESULT StartElement(SectionReadContext& context, std::string_view name,
                       std::string_view parent, const SaxAttributes& attributes,
                       bool* handled) override {
    if (name != "Item" || parent != "Things") return S_OK;
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
    RETURN_IF_FAILED(writer.StartElement("Things"));
    for (std::size_t i = 0; i < ids.size(); ++i) {
      RETURN_IF_FAILED(writer.StartElement("Item", {{"id", ids[i]}}));
      RETURN_IF_FAILED(writer.Characters(texts[i]));
      RETURN_IF_FAILED(writer.EndElement("Item"));
    }
    return writer.EndElement("Things");
  }
  void Clear() override {
    ids.clear();
    texts.clear();
  }

  std::vector<std::string> ids;
  std::vector<std::string> texts;
};


TEST(SectionTest, SectionsReadTheirElementsAndWriteBeforeCustomSections) {
  ComPtr<testing::TestParser> parser = MakeObject<testing::TestParser>();
  ThingsSection& things = parser->AddSection<ThingsSection>();
  ASSERT_OK(testing::LoadBody(
      *parser,
      "<Custom/>"
      "<Things><Item id=\"a\">one</Item><Unknown>dropped</Unknown><Item id=\"b\"/></Things>"));
  EXPECT_EQ(things.ids, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(things.texts, (std::vector<std::string>{"one", ""}));

  std::string xml;
  ASSERT_OK(parser->get_Xml(&xml));
  EXPECT_NE(xml.find("\t<Things>\n\t\t<Item id=\"a\">one</Item>\n\t\t<Item id=\"b\"/>\n\t</Things>\n"
                     "\t<Custom/>\n"),
            std::string::npos)
      << xml;
  ASSERT_OK(parser->XmlEx("Custom", &xml));
  EXPECT_EQ(xml.find("Things"), std::string::npos);

  ASSERT_OK(parser->New());
  EXPECT_TRUE(things.ids.empty());
}

TEST(SectionTest, SectionFailureEndsTheLoadWithItsRecord) {
  ComPtr<testing::TestParser> parser = MakeObject<testing::TestParser>();
  parser->AddSection<ThingsSection>();
  EXPECT_HR(parser->LoadImage("<SecDb><Module id=\"Test\"/><Things><Item/></Things></SecDb>", "db.xml", 0),
            E_FAIL);
  EXPECT_EQ(testing::TakeErrorDescription(), "Required attribute is missing. Missing item id.");
}

}  // namespace
}  // namespace xmlsecdb

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

TEST(SectionTest, SectionsReadTheirElementsAndWriteBeforeCustomSections) {
  ComPtr<testing::TestParser> parser = MakeObject<testing::TestParser>();
  testing::ItemSection& things = parser->AddSection<testing::ItemSection>();
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
  parser->AddSection<testing::ItemSection>();
  EXPECT_HR(parser->LoadImage("<SecDb><Module id=\"Test\"/><Things><Item/></Things></SecDb>",
                              "db.xml", 0),
            E_FAIL);
  EXPECT_EQ(testing::TakeErrorDescription(), "Required attribute is missing. Missing item id.");
}

}  // namespace
}  // namespace xmlsecdb

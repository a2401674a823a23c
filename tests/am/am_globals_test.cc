// The anti-malware `Globals`: its option names and its string lists, read
// and written by the shared section.
#include <gtest/gtest.h>

#include <string>

#include "am/am_fixture.h"
#include "am/am_parser.h"
#include "model/globals_test_config.h"
#include "testing/hresult_matchers.h"
#include "xmlsecdb/global_options.h"

namespace xmlsecdb::testing {
namespace {

class AMGlobalsTest : public AMTest {
 protected:
  HRESULT LoadGlobals(std::string_view globals) {
    return LoadText("<SecDb><VersionInfo major=\"1\"/><Module id=\"AntiMalware\"/>" +
                    std::string(globals) + "</SecDb>");
  }
  ComPtr<IProperty> Option(CAMParser& parser, std::int32_t id) {
    ComPtr<IPropertyList> options;
    EXPECT_OK(parser.get_GlobalOptions(options.Put()));
    ComPtr<IProperty> option;
    EXPECT_OK(options->Get(id, option.Put()));
    return option;
  }
};

TEST_F(AMGlobalsTest, RoundTripWritesCanonicalNamesAndSkipsUnknownOnes) {
  ASSERT_OK(LoadGlobals(
      "<Globals>"
      "<Property id=\"mode\" type=\"int\" priority=\"high\">3</Property>"
      "<Property id=\"customxx\" type=\"int\">1</Property>"
      "<Property id=\"custom3\" type=\"str\" filter=\"grp\" "
      "uiflags=\"u\">a&amp;<![CDATA[b]]></Property>"
      "<Property id=\"EnableQuarantine\" type=\"bool\" priority=\"normal\">true</Property>"
      "<Property id=\"ScanADS\" type=\"bool\" priority=\"low\">yes</Property>"
      "<Property id=\"Heuristic\" type=\"int\" order=\"12345\">-7</Property>"
      "<Property id=\"ScanTimeout\" type=\"float\" filter=\"\">12x</Property>"
      "<PropertySL id=\"Exclusions_MalwareList\" type=\"stringList\">\n"
      "  <Item>one</Item>\n  <Item></Item>\n  <Item>three</Item>\n"
      "</PropertySL>"
      "<PropertySL id=\"Exclusions_MalwareCategoryList\" type=\"stringList\"/>"
      // Items fill only a string list; another type reads as a `Property`.
      "<PropertySL id=\"Custom4\" type=\"int\"><Item>a</Item></PropertySL>"
      "</Globals>"));
  const std::string kExpected =
      "\t<Globals>\n"
      "\t\t<Property id=\"Mode\" type=\"int\" priority=\"high\">3</Property>\n"
      "\t\t<Property id=\"Custom3\" type=\"str\" filter=\"grp\" uiflags=\"u\">a&amp;b</Property>\n"
      "\t\t<Property id=\"EnableQuarantine\" type=\"bool\">1</Property>\n"
      "\t\t<Property id=\"ScanADS\" type=\"bool\" priority=\"low\">0</Property>\n"
      "\t\t<Property id=\"Heuristic\" type=\"int\">-7</Property>\n"
      "\t\t<Property id=\"ScanTimeout\" type=\"int\" filter=\"\">12</Property>\n"
      "\t\t<PropertySL id=\"Exclusions_MalwareList\" type=\"stringList\">\n"
      "\t\t\t<Item>one</Item>\n"
      "\t\t\t<Item/>\n"
      "\t\t\t<Item>three</Item>\n"
      "\t\t</PropertySL>\n"
      "\t\t<PropertySL id=\"Exclusions_MalwareCategoryList\" type=\"stringList\"/>\n"
      "\t\t<Property id=\"Custom4\" type=\"int\">0</Property>\n"
      "\t</Globals>\n";
  EXPECT_EQ(GlobalsText(*parser_), kExpected);

  std::int32_t order = 0;
  ASSERT_OK(Option(*parser_, 0x04000003)->get_Order(&order));
  EXPECT_EQ(order, 12345);
  Variant value;
  ASSERT_OK(Option(*parser_, 0x01020014)->get_value(&value));
  EXPECT_EQ(value, Variant(std::vector<Variant>{Variant("one"), Variant(""), Variant("three")}));
  ASSERT_OK(Option(*parser_, 0x0400000B)->get_value(&value));
  EXPECT_EQ(value, Variant(true));

  // What was written reads back to the same text.
  std::string xml;
  ASSERT_OK(parser_->get_Xml(&xml));
  const std::string path = dir_.File("again.xml");
  WriteFileBytes(path, xml);
  ComPtr<CAMParser> again = MakeObject<CAMParser>();
  ASSERT_OK(again->Load(path, 0));
  EXPECT_EQ(GlobalsText(*again), kExpected);
}

}  // namespace
}  // namespace xmlsecdb::testing

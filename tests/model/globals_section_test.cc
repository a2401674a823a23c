// Reading and writing the `Globals` section through a test parser.
#include "model/globals_section.h"

#include <gtest/gtest.h>

#include <string>

#include "fw/fw_words.h"
#include "model/globals_test_parser.h"
#include "testing/hresult_matchers.h"
#include "testing/temp_dir.h"

namespace xmlsecdb::testing {
namespace {

std::string Database(std::string_view globals) {
  return "<SecDb><VersionInfo major=\"1\"/><Module id=\"AntiMalware\"/>" + std::string(globals) +
         "</SecDb>";
}

// The `Globals` element of the parser's text.
std::string GlobalsText(GlobalsTestParser& parser) {
  std::string xml;
  EXPECT_OK(parser.get_Xml(&xml));
  constexpr std::string_view kEmpty = "\t<Globals/>\n";
  constexpr std::string_view kEnd = "</Globals>\n";
  std::size_t begin = xml.find("\t<Globals");
  if (begin == std::string::npos) return xml;
  if (xml.compare(begin, kEmpty.size(), kEmpty) == 0) return std::string(kEmpty);
  std::size_t end = xml.find(kEnd, begin);
  if (end == std::string::npos) return xml;
  return xml.substr(begin, end + kEnd.size() - begin);
}

class GlobalsSectionTest : public ::testing::Test {
 protected:
  HRESULT Load(GlobalsTestParser& parser, std::string_view globals) {
    const std::string path = dir_.File("globals.xml");
    WriteFileBytes(path, Database(globals));
    return parser.Load(path, 0);
  }
  ComPtr<IProperty> Option(GlobalsTestParser& parser, std::int32_t id) {
    ComPtr<IProperty> option;
    EXPECT_OK(parser.options()->Get(id, option.Put()));
    return option;
  }

  TempDir dir_;
};

TEST_F(GlobalsSectionTest, RoundTripWritesCanonicalNamesAndSkipsUnknownOnes) {
  ComPtr<GlobalsTestParser> parser = MakeObject<GlobalsTestParser>();
  ASSERT_OK(
      Load(*parser,
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
  EXPECT_EQ(GlobalsText(*parser), kExpected);

  std::int32_t order = 0;
  ASSERT_OK(Option(*parser, 0x04000003)->get_Order(&order));
  EXPECT_EQ(order, 12345);
  Variant value;
  ASSERT_OK(Option(*parser, 0x01020014)->get_value(&value));
  EXPECT_EQ(value, Variant(std::vector<Variant>{Variant("one"), Variant(""), Variant("three")}));
  ASSERT_OK(Option(*parser, 0x0400000B)->get_value(&value));
  EXPECT_EQ(value, Variant(true));

  // What was written reads back to the same text.
  std::string xml;
  ASSERT_OK(parser->get_Xml(&xml));
  const std::string path = dir_.File("again.xml");
  WriteFileBytes(path, xml);
  ComPtr<GlobalsTestParser> again = MakeObject<GlobalsTestParser>();
  ASSERT_OK(again->Load(path, 0));
  EXPECT_EQ(GlobalsText(*again), kExpected);
}

TEST_F(GlobalsSectionTest, ContentFailuresEndTheLoad) {
  constexpr GlobalsConfig kStrict = {.events = kGlobalsTestEvents, .types = &kScalarPropertyType};
  struct Case {
    const GlobalsConfig* config;
    std::string_view globals;
    HRESULT result;
    std::string description;
  };
  const Case kCases[] = {
      {&kAMGlobalsTest, "<Property type=\"int\">1</Property>", E_FAIL,
       "Required attribute is missing. Missing property id."},
      {&kAMGlobalsTest, "<Property id=\"Mode\">1</Property>", E_FAIL,
       "Required attribute is missing. Missing property type."},
      {&kAMGlobalsTest, "<Property id=\"Mode\" type=\"int\" priority=\"High\"/>", E_FAIL,
       "Security database has invalid content. Wrong property priority."},
      // Checked before the name is looked up.
      {&kAMGlobalsTest, "<Property id=\"customxx\"/>", E_FAIL,
       "Required attribute is missing. Missing property type."},
      {&kAMGlobalsTest,
       "<Property id=\"Mode\" type=\"int\">1</Property><Property id=\"MODE\" type=\"int\"/>",
       SECDB_E_DUPLICATEID, "Object with gived ID already exists."},
      {&kStrict, "<Property id=\"Custom1\" type=\"stringList\"/>", E_FAIL,
       "Required attribute is missing. Wrong property type."},
      {&kStrict, "<Property id=\"Custom1\" type=\"float\"/>", E_FAIL,
       "Required attribute is missing. Wrong property type."},
  };
  for (const Case& c : kCases) {
    ComPtr<GlobalsTestParser> parser = MakeObject<GlobalsTestParser>(*c.config);
    EXPECT_HR(Load(*parser, "<Globals>" + std::string(c.globals) + "</Globals>"), c.result)
        << c.globals;
    EXPECT_EQ(TakeErrorDescription(), c.description) << c.globals;
  }
}

TEST_F(GlobalsSectionTest, KindsReadTheirOwnNamesAndOnlyAntiMalwareReadsStringLists) {
  constexpr GlobalsConfig kFirewall = {.option_names = kFirewallOptionNames,
                                       .events = kGlobalsTestEvents};
  ComPtr<GlobalsTestParser> parser = MakeObject<GlobalsTestParser>(kFirewall);
  ASSERT_OK(Load(*parser,
                 "<Globals>"
                 "<Property id=\"ZoneMode\" type=\"int\">2</Property>"
                 "<Property id=\"Mode\" type=\"int\">2</Property>"
                 "<PropertySL id=\"RoutedPortList\" type=\"stringList\"><Item>a</Item></PropertySL>"
                 "</Globals>"
                 "<Other><Globals><Property id=\"PortScanEn\" type=\"int\"/></Globals></Other>"));
  std::int32_t count = 0;
  ASSERT_OK(parser->options()->get_Count(&count));
  EXPECT_EQ(count, 1);
  Option(*parser, 0x03000007);
}

TEST_F(GlobalsSectionTest, SaveLeavesOutOptionsItCannotNameAndWritesValuesThatFit) {
  ComPtr<GlobalsTestParser> parser = MakeObject<GlobalsTestParser>();
  EXPECT_EQ(GlobalsText(*parser), "\t<Globals/>\n");

  struct Case {
    std::int32_t id;
    EPropertyType type;
    Variant value;
  };
  const Case kCases[] = {
      {0x1234, PT_INT, Variant(1)},            // no table names it
      {0xFFF7, EPropertyType(9), Variant(1)},  // no word for the type
      {0xFFF1, PT_INT, Variant(true)},
      {0xFFF2, PT_BOOL, Variant(1)},
      {0xFFF3, PT_STR, Variant(7)},
      {0xFFF4, PT_STR_LIST, Variant(std::vector<std::string>{"x", "y"})},
      {0xFFF5, PT_STR_LIST, Variant(std::vector<Variant>{Variant(1), Variant("z")})},
      {0xFFF6, PT_BOOL, Variant(false)},
  };
  for (const Case& c : kCases) {
    ComPtr<IProperty> option;
    ASSERT_OK(parser->options()->CreateProperty(option.Put()));
    ASSERT_OK(option->put_PropertyID(c.id));
    ASSERT_OK(option->put_Type(c.type));
    ASSERT_OK(option->put_value(c.value));
    ASSERT_OK(parser->options()->Insert(option.get()));
  }
  EXPECT_EQ(GlobalsText(*parser),
            "\t<Globals>\n"
            "\t\t<Property id=\"Custom1\" type=\"int\">-1</Property>\n"
            "\t\t<Property id=\"Custom2\" type=\"bool\"/>\n"
            "\t\t<Property id=\"Custom3\" type=\"str\"/>\n"
            "\t\t<PropertySL id=\"Custom4\" type=\"stringList\">\n"
            "\t\t\t<Item>x</Item>\n"
            "\t\t\t<Item>y</Item>\n"
            "\t\t</PropertySL>\n"
            "\t\t<PropertySL id=\"Custom5\" type=\"stringList\">\n"
            "\t\t\t<Item>z</Item>\n"
            "\t\t</PropertySL>\n"
            "\t\t<Property id=\"Custom6\" type=\"bool\">0</Property>\n"
            "\t</Globals>\n");
  ASSERT_OK(parser->Save(dir_.File("saved.xml")));

  ASSERT_OK(parser->New());
  std::int32_t count = -1;
  ASSERT_OK(parser->options()->get_Count(&count));
  EXPECT_EQ(count, 0);
}

TEST_F(GlobalsSectionTest, LoadingRaisesTheInsertEvents) {
  ComPtr<GlobalsTestParser> parser = MakeObject<GlobalsTestParser>();
  ComPtr<EventLog> log = MakeObject<EventLog>();
  std::uint32_t cookie = 0;
  ASSERT_OK(parser->events().Advise(log->unknown(), &cookie));
  ASSERT_OK(Load(*parser, "<Globals><Property id=\"Mode\" type=\"int\">1</Property></Globals>"));
  // Load and save events aside, the new option's insertion only: setting
  // up a detached option raises nothing.
  std::vector<std::string> lines;
  for (const std::string& line : log->lines) {
    if (line != "1" && line != "2") lines.push_back(line);
  }
  EXPECT_EQ(lines, (std::vector<std::string>{"5", "6"}));
}

}  // namespace
}  // namespace xmlsecdb::testing

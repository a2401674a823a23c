// Reading and writing the `Globals` section through a test parser.
#include "model/globals_section.h"

#include <gtest/gtest.h>

#include <string>

#include "fw/fw_words.h"
#include "model/globals_test_config.h"
#include "testing/event_log.h"
#include "testing/hresult_matchers.h"
#include "testing/temp_dir.h"
#include "testing/test_parser.h"

namespace xmlsecdb::testing {
namespace {

// A test parser whose one section is `Globals` read with `config`.
ComPtr<TestParser> MakeGlobalsParser(const GlobalsConfig& config = kTestGlobals) {
  ComPtr<TestParser> parser = MakeObject<TestParser>();
  parser->AddSection<GlobalsSection>(config);
  return parser;
}

CGlobalPropertyList* Options(TestParser& parser) { return parser.section<GlobalsSection>().list(); }

class GlobalsSectionTest : public ::testing::Test {
 protected:
  HRESULT Load(TestParser& parser, std::string_view globals) { return LoadBody(parser, globals); }
  ComPtr<IProperty> Option(TestParser& parser, std::int32_t id) {
    ComPtr<IProperty> option;
    EXPECT_OK(Options(parser)->Get(id, option.Put()));
    return option;
  }

  TempDir dir_;
};

TEST_F(GlobalsSectionTest, ContentFailuresEndTheLoad) {
  constexpr GlobalsConfig kStrict = {.events = kGlobalsTestEvents, .types = &kScalarPropertyType};
  struct Case {
    const GlobalsConfig* config;
    std::string_view globals;
    HRESULT result;
    std::string description;
  };
  const Case kCases[] = {
      {&kTestGlobals, "<Property type=\"int\">1</Property>", E_FAIL,
       "Required attribute is missing. Missing property id."},
      {&kTestGlobals, "<Property id=\"Mode\">1</Property>", E_FAIL,
       "Required attribute is missing. Missing property type."},
      {&kTestGlobals, "<Property id=\"Mode\" type=\"int\" priority=\"High\"/>", E_FAIL,
       "Security database has invalid content. Wrong property priority."},
      // Checked before the name is looked up.
      {&kTestGlobals, "<Property id=\"customxx\"/>", E_FAIL,
       "Required attribute is missing. Missing property type."},
      {&kTestGlobals,
       "<Property id=\"Mode\" type=\"int\">1</Property><Property id=\"MODE\" type=\"int\"/>",
       SECDB_E_DUPLICATEID, "Object with gived ID already exists."},
      {&kStrict, "<Property id=\"Custom1\" type=\"stringList\"/>", E_FAIL,
       "Required attribute is missing. Wrong property type."},
      {&kStrict, "<Property id=\"Custom1\" type=\"float\"/>", E_FAIL,
       "Required attribute is missing. Wrong property type."},
  };
  for (const Case& c : kCases) {
    ComPtr<TestParser> parser = MakeGlobalsParser(*c.config);
    EXPECT_HR(Load(*parser, "<Globals>" + std::string(c.globals) + "</Globals>"), c.result)
        << c.globals;
    EXPECT_EQ(TakeErrorDescription(), c.description) << c.globals;
  }
}

TEST_F(GlobalsSectionTest, KindsReadTheirOwnNamesAndStringListsOnlyWhenTheySaySo) {
  constexpr GlobalsConfig kFirewall = {.option_names = kFirewallOptionNames,
                                       .events = kGlobalsTestEvents};
  ComPtr<TestParser> parser = MakeGlobalsParser(kFirewall);
  ASSERT_OK(Load(*parser,
                 "<Globals>"
                 "<Property id=\"ZoneMode\" type=\"int\">2</Property>"
                 "<Property id=\"Mode\" type=\"int\">2</Property>"
                 "<PropertySL id=\"RoutedPortList\" type=\"stringList\"><Item>a</Item></PropertySL>"
                 "</Globals>"
                 "<Other><Globals><Property id=\"PortScanEn\" type=\"int\"/></Globals></Other>"));
  std::int32_t count = 0;
  ASSERT_OK(Options(*parser)->get_Count(&count));
  EXPECT_EQ(count, 1);
  Option(*parser, 0x03000007);
}

TEST_F(GlobalsSectionTest, SaveLeavesOutOptionsItCannotNameAndWritesValuesThatFit) {
  ComPtr<TestParser> parser = MakeGlobalsParser();
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
    ASSERT_OK(Options(*parser)->CreateProperty(option.Put()));
    ASSERT_OK(option->put_PropertyID(c.id));
    ASSERT_OK(option->put_Type(c.type));
    ASSERT_OK(option->put_value(c.value));
    ASSERT_OK(Options(*parser)->Insert(option.get()));
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
  ASSERT_OK(Options(*parser)->get_Count(&count));
  EXPECT_EQ(count, 0);
}

TEST_F(GlobalsSectionTest, LoadingRaisesTheInsertEvents) {
  ComPtr<TestParser> parser = MakeGlobalsParser();
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

// Reading and writing the `Definitions` section, per kind.
#include "model/definitions_section.h"

#include <gtest/gtest.h>

#include "cf/cf_words.h"
#include "core/messages.h"
#include "di/di_words.h"
#include "ids/ids_words.h"
#include "model/definitions_fixture.h"
#include "sbx/sbx_words.h"

namespace xmlsecdb {
namespace {

using testing::DefinitionsOf;
using testing::LoadBody;
using testing::MakeDefinitionsParser;
using testing::TakeErrorDescription;
using testing::TestParser;

// The text of the section as a save writes it.
std::string SectionText(TestParser& parser) {
  std::string xml;
  EXPECT_OK(parser.XmlEx("Definitions", &xml));
  std::size_t begin = xml.find("\t<Definitions");
  std::size_t end = xml.find("</SecDb>");
  return begin == std::string::npos ? xml : xml.substr(begin, end - begin);
}

TEST(DefinitionsSectionTest, RoundTripKeepsTypesItemsAndEscapedText) {
  const std::string section =
      "\t<Definitions>\n"
      "\t\t<Object id=\"Web\" ot=\"File\" uiflags=\"3\" desc=\"a &amp; &lt;b&gt; &quot;c&quot;\">\n"
      "\t\t\t<Item>c:\\web\\*</Item>\n"
      "\t\t\t<Item>x &amp; y &lt;z&gt;</Item>\n"
      "\t\t\t<Item/>\n"
      "\t\t</Object>\n"
      "\t\t<Object id=\"web\" ot=\"time\" desc=\"tab&#9;line&#10;end\"/>\n"
      "\t\t<Object id=\"Scan\" ot=\"AntiMalware\">\n"
      "\t\t\t<Item>1</Item>\n"
      "\t\t</Object>\n"
      "\t</Definitions>\n";
  ComPtr<TestParser> parser = MakeDefinitionsParser();
  ASSERT_OK(LoadBody(*parser, section));
  EXPECT_EQ(SectionText(*parser), section);

  CDefinitionList& list = *DefinitionsOf(*parser);
  ASSERT_EQ(list.count(), 3);
  EXPECT_EQ(list.at(0)->description(), "a & <b> \"c\"");
  EXPECT_EQ(list.at(1)->object_type(), OT_TIME);
  EXPECT_EQ(list.at(1)->description(), "tab\tline\nend");
  EXPECT_EQ(list.at(2)->object_type(), OT_ANTI_MALWARE);
  ASSERT_EQ(list.at(0)->items()->count(), 3);
  EXPECT_EQ(list.at(0)->items()->at(1)->content(), "x & y <z>");
  EXPECT_EQ(list.at(0)->items()->at(2)->content(), "");

  // What was written reads back the same.
  ComPtr<TestParser> again = MakeDefinitionsParser();
  ASSERT_OK(LoadBody(*again, SectionText(*parser)));
  EXPECT_EQ(SectionText(*again), section);
}

// Free text is written only when it is not empty, in every kind.
TEST(DefinitionsSectionTest, EmptyOrAbsentFreeTextIsNotWritten) {
  const struct {
    const char* kind;
    const DefinitionsConfig& config;
    const char* type;
  } kinds[] = {
      {"test", testing::kTestDefinitions, "AntiMalware"},
      {"DI", kDIDefinitions, "File"},
      {"SBX", kSBXDefinitions, "Registry"},
      {"IDS", kIDSDefinitions, "ipaddress"},
      {"CF", kCFDefinitions, "UrlRequest"},
  };
  for (const auto& k : kinds) {
    SCOPED_TRACE(k.kind);
    const std::string ot = std::string(" ot=\"") + k.type + "\"";
    ComPtr<TestParser> parser = MakeDefinitionsParser(k.config);
    ASSERT_OK(LoadBody(*parser, "<Definitions><Object id=\"a\"" + ot + "/><Object id=\"b\"" + ot +
                                    " uiflags=\"\" desc=\"\"/><Object id=\"c\"" + ot +
                                    " uiflags=\"u\" desc=\"\"/><Object id=\"d\"" + ot +
                                    " uiflags=\"\" desc=\"d\"/></Definitions>"));
    EXPECT_EQ(SectionText(*parser), "\t<Definitions>\n\t\t<Object id=\"a\"" + ot +
                                        "/>\n\t\t<Object id=\"b\"" + ot +
                                        "/>\n\t\t<Object id=\"c\"" + ot +
                                        " uiflags=\"u\"/>\n\t\t<Object id=\"d\"" + ot +
                                        " desc=\"d\"/>\n\t</Definitions>\n");
    EXPECT_EQ(DefinitionsOf(*parser)->at(1)->ui_flags(), "");
    EXPECT_EQ(DefinitionsOf(*parser)->at(1)->description(), "");
  }
  ComPtr<TestParser> parser = MakeDefinitionsParser();
  ASSERT_OK(parser->New());
  EXPECT_EQ(SectionText(*parser), "\t<Definitions/>\n");
}

TEST(DefinitionsSectionTest, LoadFailuresNameTheAttribute) {
  const std::string missing(LoadMessage(kMsgMissingAttribute));
  const std::string invalid(LoadMessage(kMsgInvalidContent));
  const struct {
    const char* objects;
    HRESULT result;
    std::string description;
  } cases[] = {
      {"<Object ot=\"File\"/>", E_FAIL, missing + " Missing object id."},
      {"<Object id=\"a\"/>", E_FAIL, missing + " Missing object type."},
      {"<Object id=\"a\" ot=\"\"/>", E_FAIL, invalid + " Wrong object type."},
      {"<Object id=\"a\" ot=\"file\"/>", E_FAIL, invalid + " Wrong object type."},
      {"<Object id=\"a\" ot=\"Registry\"/>", E_FAIL, invalid + " Wrong object type."},
      {"<Object id=\"Web\" ot=\"File\"/><Object id=\"web\" ot=\"File\"/>"
       "<Object id=\"Web\" ot=\"time\"/>",
       SECDB_E_DUPLICATEID, std::string(LoadMessage(kMsgDuplicateId))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.objects);
    ComPtr<TestParser> parser = MakeDefinitionsParser();
    EXPECT_HR(LoadBody(*parser, std::string("<Definitions>") + c.objects + "</Definitions>"),
              c.result);
    EXPECT_EQ(TakeErrorDescription(), c.description);
  }
}

// Each kind reads its own words only; every kind writes the shared words.
TEST(DefinitionsSectionTest, EachKindAcceptsItsOwnObjectTypes) {
  const struct {
    const char* kind;
    const DefinitionsConfig& config;
    std::vector<const char*> accepted;
    const char* refused;
  } kinds[] = {
      {"test", testing::kTestDefinitions, {"File", "time", "AntiMalware"}, "Registry"},
      {"DI", kDIDefinitions, {"File", "time", "AntiMalware"}, "DataInspection"},
      {"SBX",
       kSBXDefinitions,
       {"File", "Registry", "Spawning", "Service", "Device", "COM", "time", "FileTypeList"},
       "AntiMalware"},
      {"IDS", kIDSDefinitions, {"ipaddress", "ruleinfo", "nodeinfo"}, "File"},
      {"CF", kCFDefinitions, {"UrlRequest"}, "File"},
  };
  for (const auto& k : kinds) {
    SCOPED_TRACE(k.kind);
    std::string objects;
    for (const char* word : k.accepted) {
      objects += std::string("<Object id=\"") + word + "\" ot=\"" + word + "\"/>";
    }
    ComPtr<TestParser> parser = MakeDefinitionsParser(k.config);
    ASSERT_OK(LoadBody(*parser, "<Definitions>" + objects + "</Definitions>"));
    ASSERT_EQ(DefinitionsOf(*parser)->count(), static_cast<std::int32_t>(k.accepted.size()));
    for (std::size_t i = 0; i < k.accepted.size(); ++i) {
      std::optional<std::string_view> word = ObjectTypeWordToWrite(
          k.config, DefinitionsOf(*parser)->at(static_cast<std::int32_t>(i))->object_type());
      EXPECT_EQ(word, k.accepted[i]);
    }
    EXPECT_HR(LoadBody(*parser, std::string("<Definitions><Object id=\"a\" ot=\"") + k.refused +
                                    "\"/></Definitions>"),
              E_FAIL);
    EXPECT_EQ(TakeErrorDescription(),
              std::string(LoadMessage(kMsgInvalidContent)) + " Wrong object type.");
  }
}

TEST(DefinitionsSectionTest, TypesOutsideTheKindAreWrittenWithTheSharedWordOrNone) {
  ComPtr<TestParser> parser = MakeDefinitionsParser();
  for (std::int32_t type : {std::int32_t{OT_REGISTRY}, std::int32_t{0x12345}}) {
    ComPtr<IDefinition> definition;
    ASSERT_OK(DefinitionsOf(*parser)->CreateDefinition(definition.Put()));
    ASSERT_OK(definition->put_DefinitionID(std::to_string(type)));
    ASSERT_OK(definition->put_ObjectType(type));
    ASSERT_OK(DefinitionsOf(*parser)->Insert(definition.get()));
  }
  EXPECT_EQ(SectionText(*parser),
            "\t<Definitions>\n"
            "\t\t<Object id=\"4\" ot=\"Registry\"/>\n"
            "\t\t<Object id=\"74565\"/>\n"
            "\t</Definitions>\n");
}

}  // namespace
}  // namespace xmlsecdb

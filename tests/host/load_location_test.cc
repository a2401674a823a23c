// Where a load failed (ISDParserLoad::GetLoadErrorLocation), loads from
// bytes in memory (LoadImage), and the kind probe of such bytes.
#include <gtest/gtest.h>

#include <string>

#include "testing/hresult_matchers.h"
#include "testing/temp_dir.h"
#include "xmlsecdb/xmlsecdb.h"

namespace xmlsecdb {
namespace {

const char kHeader[] = "<SecDb>\n<VersionInfo major=\"1\"/>\n<Module id=\"AntiMalware\"/>\n";

ComPtr<ISDParserLoad> NewLoader() {
  ComPtr<ISDParserAM> parser;
  EXPECT_OK(CreateInstance(CLSID_XMLSDParserAM, parser.Put()));
  ComPtr<ISDParserLoad> loader;
  EXPECT_OK(parser->QueryInterface(loader.Put()));
  return loader;
}

TEST(LoadLocationTest, NamesTheElementThatFailed) {
  struct Case {
    const char* name;
    std::string text;
    LoadErrorLocation where;
  };
  const Case cases[] = {
      {"attribute refused at the start tag",
       std::string(kHeader) + "<RuleList>\n  <Rule id=\"7\" ot=\"Bogus\" app=\"a\"/>\n</RuleList>",
       {5, 3, "Rule", "7", "Rule"}},
      {"a child of a rule carries the rule's id",
       std::string(kHeader) + "<RuleList><Rule id=\"8\" ot=\"AntiMalware\" app=\"a\">\n"
                              "    <AccessDesc ar=\"Nope\"/></Rule></RuleList>",
       {5, 5, "AccessDesc", "8", "Rule"}},
      {"a duplicate found at the end tag points at the start tag",
       std::string(kHeader) + "<RuleList><Rule id=\"9\" ot=\"AntiMalware\" app=\"a\"/>\n"
                              "<Rule id=\"9\" ot=\"AntiMalware\" app=\"b\"/></RuleList>",
       {5, 1, "Rule", "9", "Rule"}},
      {"header element", "<SecDb><Module/></SecDb>", {1, 8, "Module", "", ""}},
      {"malformed XML", "<SecDb>\n<Module id=\"AntiMalware\">\n</SecDb>", {3, 3, "", "", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ComPtr<ISDParserLoad> loader = NewLoader();
    EXPECT_TRUE(Failed(loader->LoadImage(c.text + "</SecDb>", "mem.xml", 0)));
    LoadErrorLocation where;
    ASSERT_OK(loader->GetLoadErrorLocation(&where));
    EXPECT_EQ(where.line, c.where.line);
    EXPECT_EQ(where.column, c.where.column);
    EXPECT_EQ(where.element, c.where.element);
    EXPECT_EQ(where.item_id, c.where.item_id);
    EXPECT_EQ(where.item_element, c.where.item_element);
  }
}

TEST(LoadLocationTest, NoLocationWithoutAFailureInTheXml) {
  ComPtr<ISDParserLoad> loader = NewLoader();
  LoadErrorLocation where;
  EXPECT_HR(loader->GetLoadErrorLocation(nullptr), E_POINTER);
  EXPECT_HR(loader->GetLoadErrorLocation(&where), S_FALSE);

  // A failure, then a good load: the location goes with the failure.
  EXPECT_HR(loader->LoadImage("<SecDb><Module/></SecDb>", "mem.xml", 0), E_FAIL);
  ASSERT_OK(loader->LoadImage(std::string(kHeader) + "</SecDb>", "mem.xml", 0));
  EXPECT_HR(loader->GetLoadErrorLocation(&where), S_FALSE);
  EXPECT_EQ(where.line, 0);

  ComPtr<ISDParser> parser;
  ASSERT_OK(loader->QueryInterface(parser.Put()));
  testing::TempDir dir;
  EXPECT_HR(parser->Load(dir.File("missing.xml"), 0), INET_E_RESOURCE_NOT_FOUND);
  EXPECT_HR(loader->GetLoadErrorLocation(&where), S_FALSE);
}

TEST(LoadLocationTest, LoadImageDecryptsAndNamesTheImage) {
  const std::string key = "00112233445566778899aabbccddeeff00112233";
  testing::TempDir dir;
  ComPtr<ISDParserLoad> loader = NewLoader();
  ComPtr<ISDParser> parser;
  ASSERT_OK(loader->QueryInterface(parser.Put()));
  ASSERT_OK(loader->LoadImage(std::string(kHeader) + "</SecDb>", "mem.xml", 0));
  ASSERT_OK(parser->put_CryptKey(key));
  ASSERT_OK(parser->Save(dir.File("enc.xml")));
  const std::string encrypted = testing::ReadFileBytes(dir.File("enc.xml"));

  std::string module;
  EXPECT_HR(ProbeDatabaseImage(encrypted, "", &module), SECDB_E_NOTXMLTEXT);
  EXPECT_HR(ProbeDatabaseImage(encrypted, "ff" + key.substr(2), &module), SECDB_E_NOTXMLTEXT);
  EXPECT_HR(ProbeDatabaseModule(dir.File("enc.xml"), "", &module), SECDB_E_NOTXMLTEXT);
  ASSERT_OK(ProbeDatabaseImage(encrypted, key, &module));
  EXPECT_EQ(module, "AntiMalware");

  std::string path;
  ASSERT_OK(parser->get_FilePath(&path));
  ASSERT_OK(loader->LoadImage(encrypted, "-", 1));
  std::int32_t read_only = 0;
  ASSERT_OK(parser->get_ReadOnly(&read_only));
  EXPECT_EQ(read_only, 1);
  std::string after;
  ASSERT_OK(parser->get_FilePath(&after));
  EXPECT_EQ(after, path) << "LoadImage touches no file";

  ASSERT_OK(parser->put_CryptKey(""));
  ASSERT_OK(parser->put_ReadOnly(0));
  EXPECT_HR(loader->LoadImage(encrypted, "pipe", 0), E_FAIL);
  ComPtr<IErrorInfo> info;
  ASSERT_OK(GetErrorInfo(0, info.Put()));
  std::string description;
  ASSERT_OK(info->GetDescription(&description));
  EXPECT_EQ(description, "Cannot parse XML file.");
}

}  // namespace
}  // namespace xmlsecdb

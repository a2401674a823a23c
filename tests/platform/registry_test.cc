#include "platform/registry.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "testing/hresult_matchers.h"

namespace xmlsecdb {
namespace {

constexpr char kKey[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Test";

std::string RegFile(std::string_view body) {
  return "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test]\n" +
         std::string(body) + "\n";
}

std::vector<std::uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }

// One value line (or a few lines) under [kKey], and what the value "V" (or
// the default value when `name` is "") then holds.
struct ParseCase {
  const char* what;
  const char* body;
  const char* name;
  HRESULT found;  // S_OK or kRegNotFound
  std::uint32_t type;
  std::vector<std::uint8_t> data;
};

TEST(RegistryTest, ParsesValueLines) {
  const ParseCase kCases[] = {
      {"plain string", R"("V"="text")", "V", S_OK, REG_SZ, Bytes({"t\0e\0x\0t\0\0\0", 10})},
      {"escapes", R"("V"="a\\b\"c")", "V", S_OK, REG_SZ, Bytes({"a\0\\\0b\0\"\0c\0\0\0", 12})},
      {"unknown escape kept", R"("V"="a\nb")", "V", S_OK, REG_SZ, Bytes({"a\0\\\0n\0b\0\0\0", 10})},
      {"name with escaped quote", R"("V\"x"="1")", "V\"x", S_OK, REG_SZ, Bytes({"1\0\0\0", 4})},
      {"blanks around =", R"("V" = "x")", "V", S_OK, REG_SZ, Bytes({"x\0\0\0", 4})},
      {"default value", R"(@="d")", "", S_OK, REG_SZ, Bytes({"d\0\0\0", 4})},
      {"dword", R"("V"=dword:0000000a)", "V", S_OK, REG_DWORD, {10, 0, 0, 0}},
      {"dword upper case", R"("V"=DWORD:FFFFFFFE)", "V", S_OK, REG_DWORD, {0xFE, 0xFF, 0xFF, 0xFF}},
      {"dword of nine digits", R"("V"=dword:000000001)", "V", kRegNotFound, 0, {}},
      {"dword not hex", R"("V"=dword:0000000g)", "V", kRegNotFound, 0, {}},
      {"binary", R"("V"=hex:01,ff,7)", "V", S_OK, REG_BINARY, {1, 0xFF, 7}},
      {"empty binary", R"("V"=hex:)", "V", S_OK, REG_BINARY, {}},
      {"bad hex byte", R"("V"=hex:01,1g)", "V", kRegNotFound, 0, {}},
      {"byte of three digits", R"("V"=hex:100)", "V", kRegNotFound, 0, {}},
      {"expandable string", R"("V"=hex(2):25,00,41,00,25,00,00,00)", "V", S_OK, REG_EXPAND_SZ,
       Bytes({"%\0A\0%\0\0\0", 8})},
      {"continued hex list", "\"V\"=hex(2):25,00,\\\r\n  41,00,\\\n  25,00,00,00", "V", S_OK,
       REG_EXPAND_SZ, Bytes({"%\0A\0%\0\0\0", 8})},
      {"break right after the type",
       "\"V\"=hex(7):\\\n  61,00",
       "V",
       S_OK,
       REG_MULTI_SZ,
       {0x61, 0}},
      {"other type kept raw",
       R"("V"=hex(b):01,00,00,00,00,00,00,00)",
       "V",
       S_OK,
       REG_QWORD,
       {1, 0, 0, 0, 0, 0, 0, 0}},
      {"later line wins", "\"V\"=\"a\"\n\"v\"=dword:2", "V", S_OK, REG_DWORD, {2, 0, 0, 0}},
      {"value deleted", "\"V\"=\"a\"\n\"V\"=-", "V", kRegNotFound, 0, {}},
      {"default deleted", "@=\"a\"\n@=-", "", kRegNotFound, 0, {}},
      {"comment", R"(; "V"="no")", "V", kRegNotFound, 0, {}},
      {"unterminated string skipped, next line kept", "\"X\"=\"a\n\"V\"=\"ok\"", "V", S_OK, REG_SZ,
       Bytes({"o\0k\0\0\0", 6})},
      {"backslash after a string does not swallow the next line", "\"X\"=\"a\\\n\"V\"=\"ok\"", "V",
       S_OK, REG_SZ, Bytes({"o\0k\0\0\0", 6})},
      {"text after the string", R"("V"="a" junk)", "V", kRegNotFound, 0, {}},
      {"unknown data form", R"("V"=qword:1)", "V", kRegNotFound, 0, {}},
      {"no equals sign", R"("V" "a")", "V", kRegNotFound, 0, {}},
      {"value under an unknown root", "[HKEY_NOWHERE\\X]\n\"V\"=\"a\"", "V", kRegNotFound, 0, {}},
      {"value after a deleted key",
       "[-HKEY_LOCAL_MACHINE\\Other]\n\"V\"=\"a\"",
       "V",
       kRegNotFound,
       0,
       {}},
      {"section without closing bracket",
       "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test\n\"V\"=\"a\"",
       "V",
       kRegNotFound,
       0,
       {}},
  };
  for (const ParseCase& c : kCases) {
    SCOPED_TRACE(c.what);
    Registry registry;
    ASSERT_OK(registry.LoadText(RegFile(c.body)));
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    EXPECT_HR(registry.QueryValue(kKey, c.name, &type, &data), c.found);
    if (c.found == S_OK) {
      EXPECT_EQ(type, c.type);
      EXPECT_EQ(data, c.data);
    }
  }
}

TEST(RegistryTest, SectionsCreateAndDeleteKeys) {
  Registry registry;
  ASSERT_OK(
      registry.LoadText("Windows Registry Editor Version 5.00\n"
                        "[HKEY_LOCAL_MACHINE\\Software\\A\\B\\C]\n"
                        "[HKEY_LOCAL_MACHINE\\Software\\Keep]\n"
                        "\"V\"=dword:1\n"
                        "[-HKEY_LOCAL_MACHINE\\Software\\A\\B]\n"
                        "[-HKEY_LOCAL_MACHINE]\n"
                        "[HKEY_NOWHERE\\X]\n"));
  EXPECT_TRUE(registry.KeyExists("HKEY_LOCAL_MACHINE\\Software\\A"));
  EXPECT_FALSE(registry.KeyExists("HKEY_LOCAL_MACHINE\\Software\\A\\B"));
  EXPECT_FALSE(registry.KeyExists("HKEY_LOCAL_MACHINE\\Software\\A\\B\\C"));
  EXPECT_TRUE(registry.KeyExists("HKLM\\SOFTWARE\\keep"));
  EXPECT_FALSE(registry.KeyExists("HKEY_NOWHERE\\X"));
}

TEST(RegistryTest, MatchesKeysAndNamesWithoutCase) {
  Registry registry;
  ASSERT_OK(
      registry.LoadText("Windows Registry Editor Version 5.00\n"
                        "[hkey_local_machine\\system\\CurrentControlSet\\Services\\ZelCfg]\n"
                        "\"LogEnable\"=dword:00000001\n"));
  std::uint32_t v = 0;
  ASSERT_OK(registry.QueryDword("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\ZELCFG",
                                "logenable", &v));
  EXPECT_EQ(v, 1u);
  // The first spelling of a key is the one kept.
  EXPECT_NE(registry.ToText().find("[HKEY_LOCAL_MACHINE\\system\\CurrentControlSet"),
            std::string::npos);
}

TEST(RegistryTest, ReadsEveryEncodingAndLineEnd) {
  const std::string utf8 =
      "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\X]\n\"City\"=\"Z\xC3\xBCrich\"\n";
  std::string crlf;
  for (char c : utf8) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  std::string utf16 = "\xFF\xFE";
  for (char c : crlf) {
    unsigned char b = static_cast<unsigned char>(c);
    if (b == 0xC3) continue;  // "\xC3\xBC" is U+00FC
    utf16 += b == 0xBC ? '\xFC' : c;
    utf16 += '\0';
  }
  const std::string kTexts[] = {utf8, crlf, "\xEF\xBB\xBF" + crlf, utf16};
  for (const std::string& text : kTexts) {
    Registry registry;
    ASSERT_OK(registry.LoadText(text));
    std::string city;
    EXPECT_OK(registry.QueryString("HKCU\\X", "City", &city));
    EXPECT_EQ(city, "Z\xC3\xBCrich");
  }
}

TEST(RegistryTest, TextWithoutHeaderLeavesStoreUnchanged) {
  Registry registry;
  ASSERT_OK(registry.SetDword(kKey, "V", 1));
  for (const char* text : {"", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\X]\n",
                           "[HKEY_LOCAL_MACHINE\\X]\nWindows Registry Editor Version 5.00\n"}) {
    EXPECT_HR(registry.LoadText(text), kRegBadFile);
  }
  std::uint32_t v = 0;
  EXPECT_OK(registry.QueryDword(kKey, "V", &v));
}

TEST(RegistryTest, TypedQueriesCheckTypeAndShape) {
  Registry registry;
  ASSERT_OK(
      registry.LoadText(RegFile("\"Dword\"=dword:00000007\n"
                                "\"Text\"=\"abc\"\n"
                                "\"Expand\"=hex(2):25,00,00,00\n"
                                "\"OddLength\"=hex(1):61,00,00\n"
                                "\"NoZero\"=hex(1):61,00\n"
                                "\"Embedded\"=hex(1):61,00,00,00,62,00,00,00\n"
                                "\"ShortDword\"=hex(4):01,00\n")));
  std::uint32_t v = 0;
  std::string s;
  std::uint32_t type = 0;
  EXPECT_OK(registry.QueryDword(kKey, "Dword", &v));
  EXPECT_EQ(v, 7u);
  EXPECT_OK(registry.QueryString(kKey, "Expand", &s, &type));
  EXPECT_EQ(s, "%");
  EXPECT_EQ(type, REG_EXPAND_SZ);
  EXPECT_OK(registry.QueryString(kKey, "Embedded", &s));
  EXPECT_EQ(s, "a");

  EXPECT_HR(registry.QueryDword(kKey, "Text", &v), kRegWrongType);
  EXPECT_HR(registry.QueryString(kKey, "Dword", &s), kRegWrongType);
  EXPECT_HR(registry.QueryString(kKey, "OddLength", &s), kRegBadData);
  EXPECT_HR(registry.QueryString(kKey, "NoZero", &s), kRegBadData);
  EXPECT_HR(registry.QueryDword(kKey, "ShortDword", &v), kRegBadData);
  EXPECT_HR(registry.QueryDword(kKey, "Missing", &v), kRegNotFound);
  EXPECT_HR(registry.QueryDword("HKEY_LOCAL_MACHINE\\Missing", "Dword", &v), kRegNotFound);
  EXPECT_HR(registry.QueryDword(kKey, "Dword", nullptr), E_POINTER);
}

TEST(RegistryTest, EditsKeysAndValues) {
  Registry registry;
  EXPECT_TRUE(registry.KeyExists("HKEY_CLASSES_ROOT"));
  EXPECT_HR(registry.CreateKey("NoRoot\\X"), E_INVALIDARG);
  EXPECT_HR(registry.SetDword("", "V", 1), E_INVALIDARG);
  EXPECT_HR(registry.SetString(kKey, "V", "x", REG_DWORD), E_INVALIDARG);

  ASSERT_OK(registry.SetString("HKCR\\CLSID\\{1}\\ProgID", "", "A.B.1"));
  ASSERT_OK(registry.SetString("HKCR\\CLSID\\{1}\\InprocServer32", "ThreadingModel", "Apartment"));
  std::string s;
  ASSERT_OK(registry.QueryString("HKEY_CLASSES_ROOT\\CLSID\\{1}\\ProgID", "", &s));
  EXPECT_EQ(s, "A.B.1");

  EXPECT_OK(registry.DeleteValue("HKCR\\CLSID\\{1}\\ProgID", ""));
  EXPECT_HR(registry.DeleteValue("HKCR\\CLSID\\{1}\\ProgID", ""), kRegNotFound);
  EXPECT_OK(registry.DeleteKey("HKCR\\clsid\\{1}"));
  EXPECT_FALSE(registry.KeyExists("HKCR\\CLSID\\{1}\\InprocServer32"));
  EXPECT_TRUE(registry.KeyExists("HKCR\\CLSID"));
  EXPECT_HR(registry.DeleteKey("HKCR\\CLSID\\{1}"), S_FALSE);
  EXPECT_HR(registry.DeleteKey("HKEY_CLASSES_ROOT"), E_ACCESSDENIED);
  EXPECT_HR(registry.DeleteKey("Nowhere\\X"), E_INVALIDARG);
}

TEST(RegistryTest, TextRoundTripsEveryValue) {
  Registry registry;
  std::vector<std::uint8_t> long_binary(100);
  for (std::size_t i = 0; i < long_binary.size(); ++i) long_binary[i] = static_cast<uint8_t>(i);
  ASSERT_OK(registry.SetString(kKey, "", "default"));
  ASSERT_OK(registry.SetString(kKey, "Quote\"And\\Slash", "C:\\dir\\\"x\""));
  ASSERT_OK(registry.SetString(kKey, "Lines", "one\ntwo"));
  ASSERT_OK(registry.SetString(kKey, "Unicode", "\xE2\x82\xAC \xF0\x9F\x98\x80"));
  ASSERT_OK(registry.SetString(kKey, "Expand", "%SystemRoot%\\x", REG_EXPAND_SZ));
  ASSERT_OK(registry.SetDword(kKey, "Dword", 0xDEADBEEF));
  ASSERT_OK(registry.SetValue(kKey, "Binary", REG_BINARY, long_binary));
  ASSERT_OK(registry.SetValue(kKey, "Unterminated", REG_SZ, {0x61, 0x00}));
  ASSERT_OK(registry.SetValue(kKey, "Odd", REG_SZ, {0x61}));
  ASSERT_OK(registry.SetValue(kKey, "LoneSurrogate", REG_SZ, {0x00, 0xD8, 0, 0}));
  ASSERT_OK(registry.SetValue(kKey, "ShortDword", REG_DWORD, {1}));
  ASSERT_OK(registry.CreateKey("HKEY_USERS\\Empty\\Key"));

  std::string text = registry.ToText();
  for (const std::string& line :
       {std::string("@=\"default\""), std::string(R"("Quote\"And\\Slash"="C:\\dir\\\"x\"")"),
        std::string("\"Dword\"=dword:deadbeef"), std::string("[HKEY_USERS\\Empty\\Key]")}) {
    EXPECT_NE(text.find(line + "\n"), std::string::npos) << line << "\n" << text;
  }
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 80u) << line;

  Registry copy;
  ASSERT_OK(copy.LoadText(text));
  EXPECT_EQ(copy.ToText(), text);
  for (const char* name : {"", "Quote\"And\\Slash", "Lines", "Unicode", "Expand", "Dword", "Binary",
                           "Unterminated", "Odd", "LoneSurrogate", "ShortDword"}) {
    std::uint32_t type1 = 0, type2 = 0;
    std::vector<std::uint8_t> data1, data2;
    ASSERT_OK(registry.QueryValue(kKey, name, &type1, &data1));
    ASSERT_OK(copy.QueryValue(kKey, name, &type2, &data2)) << name;
    EXPECT_EQ(type1, type2) << name;
    EXPECT_EQ(data1, data2) << name;
  }
  EXPECT_TRUE(copy.KeyExists("HKEY_USERS\\Empty\\Key"));
}

class RegistryFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char dir[] = "/tmp/registry_test_XXXXXX";
    ASSERT_NE(::mkdtemp(dir), nullptr);
    dir_ = dir;
    path_ = dir_ + "/store.reg";
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Contents() const {
    std::ifstream in(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  void Write(const std::string& text) const { std::ofstream(path_, std::ios::binary) << text; }

  std::string dir_;
  std::string path_;
};

TEST_F(RegistryFileTest, SaveWritesWhatLoadFileReads) {
  Registry registry;
  EXPECT_HR(registry.Save(), S_FALSE);  // in memory only
  EXPECT_HR(registry.LoadFile(path_), S_FALSE);
  ASSERT_OK(registry.SetDword(kKey, "V", 42));
  ASSERT_OK(registry.Save());

  Registry reloaded;
  ASSERT_OK(reloaded.LoadFile(path_));
  std::uint32_t v = 0;
  ASSERT_OK(reloaded.QueryDword(kKey, "V", &v));
  EXPECT_EQ(v, 42u);
  ASSERT_OK(reloaded.DeleteKey(kKey));
  ASSERT_OK(reloaded.Save());
  EXPECT_EQ(Contents().find("Test"), std::string::npos);

  // Saving leaves no temporary files behind.
  std::size_t files = 0;
  for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(dir_)) ++files;
  EXPECT_EQ(files, 1u);
}

TEST_F(RegistryFileTest, SaveNeverClobbersAFileItCouldNotRead) {
  const std::string kForeign = "not a store\n";
  Write(kForeign);
  Registry registry;
  EXPECT_HR(registry.LoadFile(path_), kRegBadFile);
  ASSERT_OK(registry.SetDword(kKey, "V", 1));
  EXPECT_HR(registry.Save(), kRegBadFile);
  EXPECT_EQ(Contents(), kForeign);

  // Reset detaches the store from the file.
  registry.Reset();
  EXPECT_HR(registry.Save(), S_FALSE);
  EXPECT_EQ(Contents(), kForeign);
}

TEST_F(RegistryFileTest, SaveReportsAnUnwritableDirectory) {
  Registry registry;
  (void)registry.LoadFile(dir_ + "/missing/store.reg");
  ASSERT_OK(registry.SetDword(kKey, "V", 1));
  EXPECT_HR(registry.Save(), HResultFromWin32(ENOENT));
}

TEST_F(RegistryFileTest, InstanceLoadsTheFileNamedByTheEnvironment) {
  Write(RegFile("\"V\"=dword:00000007"));
  // A fresh process, so that the instance is created after the variable is set.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  ::setenv("XMLSECDB_REGISTRY", path_.c_str(), 1);
  EXPECT_EXIT(
      {
        std::uint32_t v = 0;
        bool ok = Registry::Instance().QueryDword(kKey, "V", &v) == S_OK && v == 7;
        std::_Exit(ok ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  ::unsetenv("XMLSECDB_REGISTRY");
}

}  // namespace
}  // namespace xmlsecdb

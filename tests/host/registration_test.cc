#include "host/registration.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "core/error_report.h"
#include "testing/hresult_matchers.h"
#include "testing/temp_dir.h"
#include "xmlsecdb/xmlsecdb.h"

namespace xmlsecdb {
namespace {

constexpr char kModule[] = "/opt/xmlsecdb/lib/libxmlsecdb.so.0";
constexpr char kAmKey[] = "HKCR\\CLSID\\{A7F78D92-6956-4016-BBC0-1C66E7911740}";

// Keys that belong to others, with the parents registration shares.
constexpr char kUnrelated[] =
    "Windows Registry Editor Version 5.00\n"
    "[HKEY_CLASSES_ROOT\\CLSID\\{11111111-2222-3333-4444-555555555555}\\InprocServer32]\n"
    "@=\"/usr/lib/other.so\"\n"
    "[HKEY_CLASSES_ROOT\\AppID\\{66666666-7777-8888-9999-AAAAAAAAAAAA}]\n"
    "@=\"Other\"\n"
    "[HKEY_CLASSES_ROOT\\XMLSecDB.Other]\n"
    "@=\"not ours\"\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Other]\n"
    "\"Value\"=dword:00000001\n";

struct Expected {
  const char* key;
  const char* name;
  const char* value;
};

// One class's registration, and the module's application identifier.
constexpr Expected kAmRegistration[] = {
    {"HKCR\\XMLSecDB.AMParser.1", "", "XML Security Database Parser for AM"},
    {"HKCR\\XMLSecDB.AMParser.1\\CLSID", "", "{A7F78D92-6956-4016-BBC0-1C66E7911740}"},
    {"HKCR\\XMLSecDB.AMParser", "", "XML Security Database Parser for AM"},
    {"HKCR\\XMLSecDB.AMParser\\CLSID", "", "{A7F78D92-6956-4016-BBC0-1C66E7911740}"},
    {"HKCR\\XMLSecDB.AMParser\\CurVer", "", "XMLSecDB.AMParser.1"},
    {kAmKey, "", "XML Security Database Parser for AM"},
    {kAmKey, "AppID", "{B351FDAD-68A8-4637-BEBB-4E36344EDE6B}"},
    {"HKCR\\CLSID\\{A7F78D92-6956-4016-BBC0-1C66E7911740}\\ProgID", "", "XMLSecDB.AMParser.1"},
    {"HKCR\\CLSID\\{A7F78D92-6956-4016-BBC0-1C66E7911740}\\VersionIndependentProgID", "",
     "XMLSecDB.AMParser"},
    {"HKCR\\CLSID\\{A7F78D92-6956-4016-BBC0-1C66E7911740}\\InprocServer32", "", kModule},
    {"HKCR\\CLSID\\{A7F78D92-6956-4016-BBC0-1C66E7911740}\\InprocServer32", "ThreadingModel",
     "Apartment"},
    {"HKCR\\CLSID\\{A7F78D92-6956-4016-BBC0-1C66E7911740}\\TypeLib", "",
     "{CAB264D1-E676-412B-9799-749823FF29D8}"},
    {"HKCR\\AppID\\{B351FDAD-68A8-4637-BEBB-4E36344EDE6B}", "", "XMLSecDBParser"},
    {"HKCR\\AppID\\XMLSecDBParser.DLL", "AppID", "{B351FDAD-68A8-4637-BEBB-4E36344EDE6B}"},
};

constexpr const char* kAmKeysWithoutValues[] = {
    "HKCR\\CLSID\\{A7F78D92-6956-4016-BBC0-1C66E7911740}\\Programmable",
    "HKCR\\CLSID\\{A7F78D92-6956-4016-BBC0-1C66E7911740}\\Implemented Categories\\"
    "{7DD95801-9882-11CF-9FA9-00AA006C42C4}",
    "HKCR\\CLSID\\{A7F78D92-6956-4016-BBC0-1C66E7911740}\\Implemented Categories\\"
    "{7DD95802-9882-11CF-9FA9-00AA006C42C4}",
    "HKCR\\CLSID\\{A7F78D92-6956-4016-BBC0-1C66E7911740}\\Implemented Categories\\"
    "{D4432D1E-CBA2-4D8B-A9BD-5BA426FBFF54}",
};

TEST(RegistrationTest, WritesEveryClassAndTheApplication) {
  Registry registry;
  ASSERT_OK(RegisterServer(registry, kModule));
  for (const Expected& e : kAmRegistration) {
    SCOPED_TRACE(std::string(e.key) + " " + e.name);
    std::string value;
    std::uint32_t type = 0;
    ASSERT_OK(registry.QueryString(e.key, e.name, &value, &type));
    EXPECT_EQ(value, e.value);
    EXPECT_EQ(type, REG_SZ);
  }
  for (const char* key : kAmKeysWithoutValues) EXPECT_TRUE(registry.KeyExists(key)) << key;
  // No type library file exists to register.
  EXPECT_FALSE(registry.KeyExists("HKCR\\TypeLib"));

  std::size_t count = 0;
  const ClassInfo* classes = ParserClasses(&count);
  for (const ClassInfo& info : std::span(classes, count)) {
    const std::string key = "HKCR\\CLSID\\" + GuidToString(*info.clsid);
    std::string progid, curver, path;
    ASSERT_OK(registry.QueryString(key + "\\ProgID", "", &progid));
    ASSERT_OK(registry.QueryString(
        std::string("HKCR\\") + std::string(info.independent_progid) + "\\CurVer", "", &curver));
    ASSERT_OK(registry.QueryString(key + "\\InprocServer32", "", &path));
    EXPECT_EQ(progid, info.progid);
    EXPECT_EQ(curver, info.progid);
    EXPECT_EQ(path, kModule);
  }
  EXPECT_FALSE(registry.KeyExists("HKCR\\CLSID\\{DEAAFC4E-15D3-443E-AB6C-F905B010A2D6}"));
  EXPECT_FALSE(registry.KeyExists("HKCR\\XMLSecDB.AssignmentParser"));
  EXPECT_FALSE(registry.KeyExists("HKCR\\XMLSecDBParser.SimpleValueList"));
}

// Register then unregister gives back exactly the store it started from,
// whether the shared parents existed before or not.
TEST(RegistrationTest, UnregisterRemovesOnlyWhatRegisterWrote) {
  for (bool repeat : {false, true}) {
    Registry registry;
    ASSERT_OK(registry.LoadText(kUnrelated));
    const std::string before = registry.ToText();
    ASSERT_OK(RegisterServer(registry, kModule));
    if (repeat) {
      ASSERT_OK(RegisterServer(registry, kModule));
    }
    ASSERT_OK(UnregisterServer(registry));
    EXPECT_EQ(registry.ToText(), before);
    EXPECT_OK(UnregisterServer(registry));  // nothing left to remove
    EXPECT_EQ(registry.ToText(), before);
  }
}

// Restores the process-wide store's AM class key when a test is done.
class RegisteredProgIDTest : public ::testing::Test {
 protected:
  void TearDown() override { (void)Registry::Instance().DeleteKey(kAmKey); }
};

TEST_F(RegisteredProgIDTest, ErrorRecordsCarryTheRegisteredProgID) {
  struct Case {
    const char* registered;  // nullptr: the class is not registered
    const char* expected;
  };
  constexpr Case kCases[] = {
      {nullptr, "XMLSecDB.AMParser.1"},
      {"XMLSecDB.AMParser.7", "XMLSecDB.AMParser.7"},
      {"", "XMLSecDB.AMParser.1"},  // an empty entry is no answer
  };
  Registry& registry = Registry::Instance();
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.expected);
    (void)registry.DeleteKey(kAmKey);
    if (c.registered) {
      ASSERT_OK(registry.SetString(std::string(kAmKey) + "\\ProgID", "", c.registered));
    }
    std::string progid;
    ASSERT_OK(ProgIDFromCLSID(CLSID_XMLSDParserAM, &progid));
    EXPECT_EQ(progid, c.expected);

    ComPtr<ISDParser> parser;
    ASSERT_OK(CreateInstance(CLSID_XMLSDParserAM, parser.Put()));
    ClearErrorRecord();
    ASSERT_TRUE(Failed(parser->Load("/nonexistent/xmlsecdb/am.xml", 1)));
    ComPtr<IErrorInfo> info;
    ASSERT_HR(GetErrorInfo(0, info.Put()), S_OK);
    std::string source;
    ASSERT_OK(info->GetSource(&source));
    EXPECT_EQ(source, c.expected);
  }
}

// The exported entry points, run by a fresh copy of the shared library in a
// child process, against the store file that the environment names.
std::string CallLoadedLibrary(const std::string& store, const char* entry_point) {
  ::setenv("XMLSECDB_REGISTRY", store.c_str(), 1);
  void* library = ::dlopen(XMLSECDB_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
  if (!library) return std::string("dlopen: ") + ::dlerror();
  auto call = reinterpret_cast<DllRegisterServerFunc>(::dlsym(library, entry_point));
  if (!call) return std::string(entry_point) + " is not exported";
  HRESULT hr = call();
  if (hr != S_OK) return std::string(entry_point) + " failed: " + testing::HResultText(hr);
  return {};
}

void ExpectCallSucceeds(const std::string& store, const char* entry_point) {
  EXPECT_EXIT(
      {
        std::string error = CallLoadedLibrary(store, entry_point);
        std::fputs(error.c_str(), stderr);
        ::_exit(error.empty() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "^$")
      << entry_point;
}

TEST(RegistrationDeathTest, SharedLibraryRegistersItselfInTheStoreFile) {
  testing::TempDir dir;
  const std::string store = dir.File("registry.reg");
  {
    std::FILE* file = std::fopen(store.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fputs(kUnrelated, file);
    std::fclose(file);
  }
  Registry original;
  ASSERT_OK(original.LoadFile(store));

  ExpectCallSucceeds(store, "DllRegisterServer");
  Registry registered;
  ASSERT_OK(registered.LoadFile(store));
  std::string path;
  ASSERT_OK(registered.QueryString(std::string(kAmKey) + "\\InprocServer32", "", &path));
  EXPECT_EQ(path, XMLSECDB_LIBRARY_PATH);
  EXPECT_TRUE(registered.KeyExists("HKLM\\Software\\Other"));

  ExpectCallSucceeds(store, "DllUnregisterServer");
  Registry unregistered;
  ASSERT_OK(unregistered.LoadFile(store));
  EXPECT_EQ(unregistered.ToText(), original.ToText());
}

}  // namespace
}  // namespace xmlsecdb

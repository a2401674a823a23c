#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "core/error_report.h"
#include "testing/hresult_matchers.h"
#include "xmlsecdb/xmlsecdb.h"

namespace xmlsecdb {
namespace {

constexpr CLSID kAssignmentParser = MakeGuid("{DEAAFC4E-15D3-443E-AB6C-F905B010A2D6}");
constexpr CLSID kUnknownClass = MakeGuid("{01234567-89AB-CDEF-0123-456789ABCDEF}");

std::int32_t ModuleOfClass(const CLSID& clsid) {
  for (const DatabaseKindInfo& kind : DatabaseKinds()) {
    if (*kind.clsid == clsid) return kind.module_id;
  }
  return 0;
}

// Every parser class comes out of its factory, and out of both its ProgIDs,
// as a parser of its own kind.
TEST(ModuleTest, CreatesEveryParserByCLSIDAndProgID) {
  std::size_t count = 0;
  const ClassInfo* classes = ParserClasses(&count);
  ASSERT_EQ(count, 7u);
  for (const ClassInfo& info : std::span(classes, count)) {
    SCOPED_TRACE(info.progid);
    const std::int32_t expected = ModuleOfClass(*info.clsid);
    ASSERT_NE(expected, 0);

    ComPtr<IClassFactory> factory;
    ASSERT_OK(DllGetClassObject(*info.clsid, IClassFactory::kIID,
                                reinterpret_cast<void**>(factory.Put())));
    ComPtr<ISDParser> parsers[3];
    ASSERT_OK(factory->CreateInstance(nullptr, ISDParser::kIID,
                                      reinterpret_cast<void**>(parsers[0].Put())));
    ASSERT_OK(CreateInstanceByProgID(info.progid, parsers[1].Put()));
    ASSERT_OK(CreateInstanceByProgID(info.independent_progid, parsers[2].Put()));
    for (const ComPtr<ISDParser>& parser : parsers) {
      std::int32_t module = 0;
      ASSERT_OK(parser->get_Module(&module));
      EXPECT_EQ(module, expected);
    }
    EXPECT_NE(parsers[0], parsers[1]);
  }
}

// Classes outside the object map, including those the module only carries
// registration texts for, are not creatable by any route.
TEST(ModuleTest, RefusesClassesOutsideTheObjectMap) {
  for (const CLSID& clsid : {kAssignmentParser, kUnknownClass, ISDParser::kIID}) {
    void* object = &object;
    EXPECT_HR(DllGetClassObject(clsid, IClassFactory::kIID, &object), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    object = &object;
    EXPECT_HR(CoCreateInstance(clsid, nullptr, 0, IUnknown::kIID, &object),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
  }
  for (const char* progid : {"XMLSecDB.AssignmentParser", "XMLSecDBParser.SimpleValueList",
                             "XMLSecDB.AMParser.2", "xmlsecdb.amparser", ""}) {
    SCOPED_TRACE(progid);
    ISDParser* parser = reinterpret_cast<ISDParser*>(&progid);
    EXPECT_HR(CreateInstanceByProgID(progid, &parser), CO_E_CLASSSTRING);
    EXPECT_EQ(parser, nullptr);
  }
}

TEST(ModuleTest, FactoryRejectsAggregationAndUnknownInterfaces) {
  ClearErrorRecord();
  ASSERT_HR(DllCanUnloadNow(), S_OK);
  {
    ComPtr<IClassFactory> factory;
    ASSERT_OK(DllGetClassObject(CLSID_XMLSDParserSBX, IClassFactory::kIID,
                                reinterpret_cast<void**>(factory.Put())));
    void* object = &object;
    EXPECT_HR(factory->CreateInstance(factory.get(), IUnknown::kIID, &object),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
    // The SBX parser has no section writer.
    EXPECT_HR(factory->CreateInstance(nullptr, ISDParserEx::kIID, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_HR(factory->CreateInstance(nullptr, IUnknown::kIID, nullptr), E_POINTER);
    EXPECT_HR(DllGetClassObject(CLSID_XMLSDParserSBX, ISDParser::kIID, &object), E_NOINTERFACE);
  }
  // Nothing created on a failed path is left alive.
  EXPECT_HR(DllCanUnloadNow(), S_OK);
}

// Objects, factories and locks each keep the module loaded.
TEST(ModuleTest, CanUnloadOnlyWithoutObjectsOrLocks) {
  ClearErrorRecord();
  ASSERT_HR(DllCanUnloadNow(), S_OK);

  ComPtr<IClassFactory> factory;
  ASSERT_OK(DllGetClassObject(CLSID_XMLSDParserAM, IUnknown::kIID,
                              reinterpret_cast<void**>(factory.Put())));
  EXPECT_HR(DllCanUnloadNow(), S_FALSE);
  ComPtr<ISDParserAM> parser;
  ASSERT_OK(
      factory->CreateInstance(nullptr, ISDParserAM::kIID, reinterpret_cast<void**>(parser.Put())));
  ASSERT_OK(factory->LockServer(true));
  factory.Reset();
  EXPECT_HR(DllCanUnloadNow(), S_FALSE);
  parser.Reset();
  EXPECT_HR(DllCanUnloadNow(), S_FALSE);  // the lock

  ASSERT_OK(DllGetClassObject(CLSID_XMLSDParserAM, IClassFactory::kIID,
                              reinterpret_cast<void**>(factory.Put())));
  EXPECT_OK(factory->LockServer(false));
  EXPECT_HR(factory->LockServer(false), E_UNEXPECTED);
  factory.Reset();
  EXPECT_HR(DllCanUnloadNow(), S_OK);
}

// What a client that loads the shared library at run time does. Runs in a
// child process so that the loaded copy is fresh and its objects are
// counted apart from this binary's.
std::string UseLoadedLibrary() {
  void* library = ::dlopen(XMLSECDB_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
  if (!library) return std::string("dlopen: ") + ::dlerror();
  auto get_class_object =
      reinterpret_cast<DllGetClassObjectFunc>(::dlsym(library, "DllGetClassObject"));
  auto can_unload = reinterpret_cast<DllCanUnloadNowFunc>(::dlsym(library, "DllCanUnloadNow"));
  if (!get_class_object || !can_unload || !::dlsym(library, "DllRegisterServer") ||
      !::dlsym(library, "DllUnregisterServer")) {
    return "an entry point is not exported";
  }

  IClassFactory* factory = nullptr;
  if (get_class_object(CLSID_XMLSDParserAM, IClassFactory::kIID,
                       reinterpret_cast<void**>(&factory)) != S_OK) {
    return "DllGetClassObject failed";
  }
  ISDParser* parser = nullptr;
  HRESULT created =
      factory->CreateInstance(nullptr, ISDParser::kIID, reinterpret_cast<void**>(&parser));
  factory->Release();
  if (created != S_OK) return "CreateInstance failed";
  std::int32_t version = 0;
  bool edited = parser->New() == S_OK && parser->put_Version(0x00020003) == S_OK &&
                parser->get_Version(&version) == S_OK && version == 0x00020003;
  HRESULT while_alive = can_unload();
  parser->Release();
  if (!edited) return "the parser does not work";
  if (while_alive != S_FALSE || can_unload() != S_OK) return "DllCanUnloadNow is wrong";

  void* object = &object;
  if (get_class_object(kAssignmentParser, IClassFactory::kIID, &object) !=
          CLASS_E_CLASSNOTAVAILABLE ||
      object != nullptr) {
    return "an unknown class was handed out";
  }
  if (::dlclose(library) != 0) return std::string("dlclose: ") + ::dlerror();
  return {};
}

TEST(ModuleDeathTest, EntryPointsWorkThroughDlopen) {
  EXPECT_EXIT(
      {
        std::string error = UseLoadedLibrary();
        std::fputs(error.c_str(), stderr);
        ::_exit(error.empty() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "^$");
}

}  // namespace
}  // namespace xmlsecdb

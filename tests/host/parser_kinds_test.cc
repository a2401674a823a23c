// Each kind's parser, created through the class table: the header checks
// its row in the kind table gives, with the record's source its ProgID.
#include <gtest/gtest.h>

#include <string>

#include "testing/hresult_matchers.h"
#include "testing/secdb_document.h"
#include "testing/temp_dir.h"
#include "xmlsecdb/xmlsecdb.h"

namespace xmlsecdb {
namespace {

using testing::ErrorRecord;
using testing::SecDbDocument;
using testing::TakeRecord;
using testing::TempDir;
using testing::Utf16Image;
using testing::WriteFileBytes;

ComPtr<ISDParser> Create(const CLSID& clsid) {
  ComPtr<ISDParser> parser;
  EXPECT_OK(CreateInstance(clsid, parser.Put()));
  return parser;
}

struct HeaderCase {
  const char* name;
  const CLSID* clsid;
  const char* progid;  // the record's source
  std::string document;
  HRESULT result;
  std::string description;
};

// Header failures read the same from UTF-8 and UTF-16 files.
TEST(ParserKindsTest, HeaderChecksReportExactMessages) {
  const std::string kMissing = "Required attribute is missing.";
  const std::string kWrongParser = "Current module parser is not intended for this XML Database.";
  const HeaderCase cases[] = {
      {"WrongModuleWord", &CLSID_XMLSDParserAM, "XMLSecDB.AMParser.1", SecDbDocument("Firewall"), E_FAIL,
       kMissing + " Wrong Module id."},
      {"MissingModuleId", &CLSID_XMLSDParserAM, "XMLSecDB.AMParser.1",
       "<SecDb><VersionInfo major=\"1\"/><Module/></SecDb>", E_FAIL,
       kMissing + " Missing Module id."},
      {"MissingMajor", &CLSID_XMLSDParserAM, "XMLSecDB.AMParser.1",
       SecDbDocument("AntiMalware", "", "<VersionInfo/>"), E_FAIL, kMissing + " Missing Major version."},
      {"MissingMajorRepository", &CLSID_XMLSDParserAPP, "XMLSecDB.APPParser.1",
       SecDbDocument("AppRepository", "", "<VersionInfo minor=\"2\"/>"), E_FAIL,
       kMissing + " Missing major version."},
      {"SandboxGivenAntiMalware", &CLSID_XMLSDParserSBX, "XMLSecDB.SBXParser.1",
       SecDbDocument("AntiMalware"), E_FAIL, kWrongParser + " The wrong parser is used."},
      {"SandboxGivenFirewall", &CLSID_XMLSDParserSBX, "XMLSecDB.SBXParser.1", SecDbDocument("Firewall"),
       E_FAIL, kWrongParser + " The wrong parser is used."},
      {"DataInspectionGivenSandbox", &CLSID_XMLSDParserDI, "XMLSecDB.DIParser.1",
       SecDbDocument("Sandbox"), E_FAIL, kMissing + " Wrong Module id."},
  };
  TempDir dir;
  for (const HeaderCase& c : cases) {
    for (bool wide : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (wide ? " (UTF-16)" : " (UTF-8)"));
      const std::string path = dir.File(c.name);
      WriteFileBytes(path, wide ? Utf16Image(c.document) : c.document);
      ComPtr<ISDParser> parser = Create(*c.clsid);
      EXPECT_HR(parser->Load(path, 0), c.result);
      ErrorRecord record = TakeRecord();
      EXPECT_EQ(record.description, c.description);
      EXPECT_EQ(record.source, c.progid);
    }
  }
}

}  // namespace
}  // namespace xmlsecdb

// Creates an AntiMalware database, saves it, loads it back and prints its
// version. Usage: consumer [FILE] (default: a file in the temp directory).
#include <xmlsecdb/xmlsecdb.h>

#include <cstdio>
#include <filesystem>
#include <string>

using namespace xmlsecdb;

namespace {

int Fail(const char* step, HRESULT hr) {
  std::fprintf(stderr, "consumer: %s failed: 0x%08X\n", step, static_cast<unsigned>(hr));
  ComPtr<IErrorInfo> info;
  std::string description;
  if (GetErrorInfo(0, info.Put()) == S_OK && info && info->GetDescription(&description) == S_OK) {
    std::fprintf(stderr, "%s\n", description.c_str());
  }
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path =
      argc > 1 ? argv[1]
               : (std::filesystem::temp_directory_path() / "xmlsecdb-consumer-am.xml").string();

  ComPtr<ISDParserAM> parser;
  HRESULT hr = CreateInstanceByProgID("XMLSecDB.AMParser", parser.Put());
  if (Failed(hr)) return Fail("CreateInstanceByProgID", hr);
  if (Failed(hr = parser->New())) return Fail("New", hr);
  if (Failed(hr = parser->put_Version(0x00020003))) return Fail("put_Version", hr);  // 2.3
  if (Failed(hr = parser->Save(path))) return Fail("Save", hr);

  ComPtr<ISDParserAM> reloaded;
  if (Failed(hr = CreateInstanceByProgID("XMLSecDB.AMParser.1", reloaded.Put()))) {
    return Fail("CreateInstanceByProgID", hr);
  }
  if (Failed(hr = reloaded->Load(path, /*read_only=*/1))) return Fail("Load", hr);
  std::int32_t version = 0;
  if (Failed(hr = reloaded->get_Version(&version))) return Fail("get_Version", hr);
  const auto bits = static_cast<std::uint32_t>(version);
  std::printf("version: %u.%u\n", bits >> 16, bits & 0xFFFFu);
  return 0;
}

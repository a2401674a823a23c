// secdb: checks, prints and saves security databases from the command line.
#include <cstdio>
#include <string>

#include "options.h"
#include "xmlsecdb/xmlsecdb.h"

namespace secdb {
namespace {

using namespace xmlsecdb;

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

int Usage(const std::string& error) {
  std::fprintf(stderr, "secdb: %s\n%s", error.c_str(), kUsage);
  return kExitUsage;
}

// Prints a library failure: the code, then the error record's description.
int Fail(const std::string& file, HRESULT hr) {
  std::fprintf(stderr, "secdb: %s: error 0x%08X\n", file.c_str(), static_cast<unsigned>(hr));
  ComPtr<IErrorInfo> info;
  if (GetErrorInfo(0, info.Put()) == S_OK && info) {
    std::string description;
    (void)info->GetDescription(&description);
    if (!description.empty()) {
      std::fputs(description.c_str(), stderr);
      if (description.back() != '\n') std::fputc('\n', stderr);
    }
  }
  return kExitFailure;
}

const DatabaseKindInfo* ResolveKind(const Options& options, const std::string& file,
                                    std::string* error) {
  if (!options.kind.empty()) {
    const DatabaseKindInfo* kind = FindDatabaseKind(options.kind);
    if (!kind || kind->abbreviation != options.kind) {
      *error = "unknown kind: " + options.kind + " (am, sbx, di, fw, ids, app or cf)";
      return nullptr;
    }
    return kind;
  }
  std::string module;
  HRESULT hr = ProbeDatabaseModule(file, options.key.value_or(""), &module);
  if (Failed(hr)) {
    *error = file + ": cannot determine the database kind (no readable Module id); use --kind";
    return nullptr;
  }
  const DatabaseKindInfo* kind = FindDatabaseKind(module);
  if (!kind) *error = file + ": unknown database module \"" + module + "\"; use --kind";
  return kind;
}

int Check(ISDParser* parser, const DatabaseKindInfo& kind) {
  std::int32_t module = 0;
  std::int32_t version = 0;
  (void)parser->get_Module(&module);
  (void)parser->get_Version(&version);
  auto bits = static_cast<std::uint32_t>(version);
  std::printf("module: %.*s (%d)\n", static_cast<int>(kind.module_text.size()),
              kind.module_text.data(), module);
  std::printf("version: %u.%u\n", bits >> 16, bits & 0xFFFFu);
  ComPtr<ISDParserLists> lists;
  std::int32_t count = 0;
  if (Succeeded(parser->QueryInterface(lists.Put())) && Succeeded(lists->get_ListCount(&count))) {
    for (std::int32_t i = 0; i < count; ++i) {
      std::string property;
      ComPtr<ISDCollection> list;
      std::int32_t items = 0;
      if (Failed(lists->GetList(i, &property, list.Put())) || !list ||
          Failed(list->get_Count(&items))) {
        continue;
      }
      std::printf("%s: %d\n", property.c_str(), items);
    }
  }
  return kExitOk;
}

int PrintXml(ISDParser* parser, const Options& options, const std::string& file) {
  std::string xml;
  HRESULT hr;
  if (options.section) {
    ComPtr<ISDParserEx> sections;
    if (Failed(parser->QueryInterface(sections.Put()))) {
      return Usage("--section is not available for this kind of database");
    }
    hr = sections->XmlEx(*options.section, &xml);
  } else {
    hr = parser->get_Xml(&xml);
  }
  if (Failed(hr)) return Fail(file, hr);
  std::fwrite(xml.data(), 1, xml.size(), stdout);
  if (!xml.empty() && xml.back() != '\n') std::fputc('\n', stdout);
  return kExitOk;
}

int Run(const Options& options) {
  if (options.command == "help") {
    std::fputs(kUsage, stdout);
    return kExitOk;
  }
  if (options.command == "version") {
    std::printf("secdb %s\n", XMLSECDB_VERSION);
    return kExitOk;
  }
  SetRecoveryPolicy(options.recovery ? RecoveryPolicy::kOn : RecoveryPolicy::kOff);
  const std::string& file = options.files[0];
  std::string error;
  const DatabaseKindInfo* kind = ResolveKind(options, file, &error);
  if (!kind) {
    std::fprintf(stderr, "secdb: %s\n", error.c_str());
    return kExitUsage;
  }
  ComPtr<ISDParser> parser;
  HRESULT hr = CreateInstance(*kind->clsid, parser.Put());
  if (Failed(hr)) return Fail(file, hr);
  if (options.key) (void)parser->put_CryptKey(*options.key);
  hr = parser->Load(file, 0);
  if (Failed(hr)) return Fail(file, hr);

  if (options.command == "check") return Check(parser.get(), *kind);
  if (options.command == "xml") return PrintXml(parser.get(), options, file);

  const std::string& out = options.files[1];
  if (options.plain) {
    (void)parser->put_CryptKey("");
  } else if (options.out_key) {
    (void)parser->put_CryptKey(*options.out_key);
  }
  hr = parser->Save(out);
  if (Failed(hr)) return Fail(out, hr);
  return kExitOk;
}

}  // namespace
}  // namespace secdb

int main(int argc, char** argv) {
  secdb::Options options;
  std::string error;
  if (!secdb::ParseOptions(argc, argv, &options, &error)) return secdb::Usage(error);
  return secdb::Run(options);
}

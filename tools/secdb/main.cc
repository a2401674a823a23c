// secdb: checks, prints and saves security databases from the command line.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "database.h"
#include "input.h"
#include "options.h"
#include "review.h"
#include "xmlsecdb/xmlsecdb.h"

namespace secdb {
namespace {

using namespace xmlsecdb;

struct Keys {
  std::string key;  // what the databases are read with
  std::string out_key;
  bool out_key_given = false;
};

int ReadKeys(const Options& options, Keys* keys) {
  std::string error;
  auto get = [](const std::optional<std::string>& o) { return o ? &*o : nullptr; };
  int status = ReadKey("--key", get(options.key), get(options.key_file), kKeyVariable.data(),
                       &keys->key, &error);
  if (status == 0 && options.command == "save" && !options.plain) {
    keys->out_key_given =
        options.out_key || options.out_key_file || std::getenv(kOutKeyVariable.data());
    status = ReadKey("--out-key", get(options.out_key), get(options.out_key_file),
                     kOutKeyVariable.data(), &keys->out_key, &error);
  }
  if (status == kExitUsage) return Usage(options.command, error);
  if (status != 0) std::fprintf(stderr, "secdb: %s\n", error.c_str());
  return status;
}

void PrintSummary(const Database& db, bool with_name) {
  ISDParser* parser = db.parser.get();
  std::int32_t module = 0;
  std::int32_t version = 0;
  if (with_name) std::printf("file: %s\n", db.input.name.c_str());
  if (Failed(parser->get_Module(&module)) || Failed(parser->get_Version(&version))) return;
  auto bits = static_cast<std::uint32_t>(version);
  std::printf("module: %.*s (%d)\n", static_cast<int>(db.kind->module_text.size()),
              db.kind->module_text.data(), module);
  std::printf("version: %u.%u\n", bits >> 16, bits & 0xFFFFu);
  ComPtr<ISDParserLists> lists;
  std::int32_t count = 0;
  if (Failed(parser->QueryInterface(lists.Put())) || Failed(lists->get_ListCount(&count))) return;
  for (std::int32_t i = 0; i < count; ++i) {
    std::string property;
    ComPtr<ISDCollection> list;
    std::int32_t items = 0;
    if (Succeeded(lists->GetList(i, &property, list.Put())) && list &&
        Succeeded(list->get_Count(&items))) {
      std::printf("%s: %d\n", property.c_str(), items);
    }
  }
}

int Check(const Options& options, const Keys& keys) {
  const Messages say(options.quiet);
  const bool several = options.files.size() > 1;
  int worst = kExitOk;
  bool first = true;
  for (const std::string& path : options.files) {
    Database db;
    int status = Prepare(options, keys.key, path, &db, say);
    if (status == kExitOk) status = Read(&db, keys.key, say);
    if ((status == kExitOk || status == kExitRestored) && !options.quiet) {
      if (!first) std::putchar('\n');
      first = false;
      PrintSummary(db, several);
    }
    worst = std::max(worst, status);
  }
  return Flushed(worst);
}

// The declaration of the library's text names the encoding its string type
// stands for; what the tool prints is UTF-8.
void DeclareUtf8(std::string* xml) {
  constexpr std::string_view kWide = "encoding=\"UTF-16\"";
  const std::size_t end = xml->find("?>");
  const std::size_t at = xml->find(kWide);
  if (xml->starts_with("<?xml") && at != std::string::npos && at < end) {
    xml->replace(at, kWide.size(), "encoding=\"UTF-8\"");
  }
}

int PrintXml(const Options& options, const Keys& keys) {
  const Messages say(false);
  Database db;
  if (int status = Prepare(options, keys.key, options.files[0], &db, say)) return status;
  ComPtr<ISDParserEx> sections;
  std::string section;
  if (options.section) {
    if (Failed(db.parser->QueryInterface(sections.Put()))) {
      return say.Say(kExitFailure, db.input.name + ": a " + std::string(db.kind->module_text) +
                                       " database has no sections to select (--section)");
    }
    std::string valid;
    for (const auto& [given, element] : SectionNames(db.parser.get())) {
      if (SameSectionName(given, *options.section, db.kind->section_names_any_case)) {
        section = element;
      }
      valid += (valid.empty() ? "" : ", ") + given;
    }
    if (section.empty()) {
      return Usage(options.command, "unknown section \"" + *options.section + "\" for " +
                                        std::string(db.kind->abbreviation) + " (" + valid + ")");
    }
  }
  if (int status = Read(&db, keys.key, say)) return status;
  std::string xml;
  HRESULT hr = sections ? sections->XmlEx(section, &xml) : db.parser->get_Xml(&xml);
  if (Failed(hr)) {
    say.Record(db.input.name, hr);
    return kExitFailure;
  }
  DeclareUtf8(&xml);
  std::fwrite(xml.data(), 1, xml.size(), stdout);
  if (!xml.empty() && xml.back() != '\n') std::fputc('\n', stdout);
  return Flushed(kExitOk);
}

// The reason of a failed write, when the code carries the system's error.
void ExplainWriteFailure(const std::string& name, HRESULT hr, const Messages& say) {
  const auto bits = static_cast<std::uint32_t>(hr);
  if ((bits & 0xFFFF0000u) != 0x80070000u || hr == E_OUTOFMEMORY || hr == E_INVALIDARG) return;
  say.Say(kExitFailure, name + ": " + std::strerror(static_cast<int>(bits & 0xFFFFu)));
}

// Saves to a temporary file and copies it to standard output: the library
// writes files only, and replaces them whole.
int SaveToOutput(ISDParser* parser, const Messages& say) {
  const char* tmp = std::getenv("TMPDIR");
  std::string dir = std::string(tmp && *tmp ? tmp : "/tmp") + "/secdb.XXXXXX";
  if (!mkdtemp(dir.data())) return say.Say(kExitFailure, dir + ": " + std::strerror(errno));
  const std::string file = dir + "/database";
  HRESULT hr = parser->Save(file);
  int status = kExitOk;
  if (Failed(hr)) {
    say.Record("<stdout>", hr);
    ExplainWriteFailure(file, hr, say);
    status = kExitFailure;
  } else {
    if (FILE* in = std::fopen(file.c_str(), "rb")) {
      char buffer[64 * 1024];
      std::size_t n;
      while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) std::fwrite(buffer, 1, n, stdout);
      std::fclose(in);
    } else {
      status = say.Say(kExitFailure, file + ": " + std::strerror(errno));
    }
  }
  std::remove(file.c_str());
  rmdir(dir.c_str());
  return Flushed(status);
}

int Save(const Options& options, const Keys& keys) {
  const Messages say(false);
  Database db;
  if (int status = Prepare(options, keys.key, options.files[0], &db, say)) return status;
  if (int status = Read(&db, keys.key, say)) return status;
  HRESULT hr = S_OK;
  if (options.plain) {
    hr = db.parser->put_CryptKey("");
  } else if (keys.out_key_given) {
    hr = db.parser->put_CryptKey(keys.out_key);
  }
  if (Failed(hr)) {
    say.Record(db.input.name, hr);
    return kExitFailure;
  }
  const std::string& out = options.files[1];
  if (out == "-") return SaveToOutput(db.parser.get(), say);
  hr = db.parser->Save(out);
  if (Failed(hr)) {
    say.Record(out, hr);
    ExplainWriteFailure(out, hr, say);
    return kExitFailure;
  }
  return kExitOk;
}

int Run(const Options& options) {
  if (options.help) {
    std::fputs(HelpText(options.command).c_str(), stdout);
    return Flushed(kExitOk);
  }
  if (options.version) {
    std::printf("secdb %s\nlibxmlsecdb %s\n", XMLSECDB_VERSION, LibraryVersion());
    return Flushed(kExitOk);
  }
  Keys keys;
  if (int status = ReadKeys(options, &keys)) {
    return options.command == "diff" ? kExitUsage : status;  // diff: 2 for any trouble
  }
  SetRecoveryPolicy(options.recovery ? RecoveryPolicy::kOn : RecoveryPolicy::kOff);
  if (options.command == "check") return Check(options, keys);
  if (options.command == "xml") return PrintXml(options, keys);
  if (options.command == "json") return PrintJson(options, keys.key);
  if (options.command == "ls") return PrintList(options, keys.key);
  if (options.command == "diff") return PrintDiff(options, keys.key);
  return Save(options, keys);
}

}  // namespace
}  // namespace secdb

int main(int argc, char** argv) {
  secdb::Options options;
  std::string error;
  if (!secdb::ParseOptions(argc, argv, &options, &error)) {
    return secdb::Usage(options.command, error);
  }
  return secdb::Run(options);
}

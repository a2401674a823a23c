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

#include "input.h"
#include "options.h"
#include "xmlsecdb/xmlsecdb.h"

namespace secdb {
namespace {

using namespace xmlsecdb;

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kExitRestored = 3;

int Usage(const std::string& command, const std::string& error) {
  std::fprintf(stderr, "secdb: %s\nTry 'secdb%s%s --help'.\n", error.c_str(),
               command.empty() ? "" : " ", command.c_str());
  return kExitUsage;
}

// The tool's messages on stderr; -q silences all but usage errors.
class Messages {
 public:
  explicit Messages(bool quiet) : quiet_(quiet) {}

  // "secdb: TEXT", returning `status`.
  int Say(int status, const std::string& text) const {
    if (!quiet_) std::fprintf(stderr, "secdb: %s\n", text.c_str());
    return status;
  }
  // A line as it is (a location in the FILE:LINE:COL form).
  void Line(const std::string& text) const {
    if (!quiet_) std::fprintf(stderr, "%s\n", text.c_str());
  }
  // A library failure: its code, then the error record's description.
  void Record(const std::string& name, HRESULT hr) const {
    if (quiet_) return;
    std::fprintf(stderr, "secdb: %s: error 0x%08X\n", name.c_str(), static_cast<unsigned>(hr));
    ComPtr<IErrorInfo> info;
    std::string description;
    if (GetErrorInfo(0, info.Put()) == S_OK && info &&
        Succeeded(info->GetDescription(&description)) && !description.empty()) {
      std::fputs(description.c_str(), stderr);
      if (description.back() != '\n') std::fputc('\n', stderr);
    }
  }

 private:
  bool quiet_;
};

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

// One database on its way in: where it comes from, its kind, its parser.
struct Database {
  Input input;
  const DatabaseKindInfo* kind = nullptr;
  ComPtr<ISDParser> parser;
};

HRESULT Probe(const Input& input, const std::string& key, std::string* module) {
  return input.in_memory ? ProbeDatabaseImage(input.bytes, key, module)
                         : ProbeDatabaseModule(input.path, key, module);
}

std::string UndecryptedReason(const std::string& key) {
  return key.empty() ? "encrypted or not a database: give --key"
                     : "the key does not decrypt it: wrong key?";
}

int ResolveKind(const Options& options, const std::string& key, Database* db, const Messages& say) {
  const std::string& name = db->input.name;
  if (!options.kind.empty()) {
    db->kind = FindDatabaseKind(options.kind);
    if (!db->kind || db->kind->abbreviation != options.kind) {
      db->kind = nullptr;
      return Usage(options.command,
                   "unknown kind: " + options.kind + " (am, sbx, di, fw, ids, app or cf)");
    }
    return kExitOk;
  }
  std::string module;
  HRESULT hr = Probe(db->input, key, &module);
  // A damaged file that recovery may restore tells its kind by its backup.
  if (Failed(hr) && options.recovery && !db->input.in_memory &&
      Succeeded(ProbeDatabaseModule(db->input.path + "_", key, &module))) {
    hr = S_OK;
  }
  if (hr == SECDB_E_NOTXMLTEXT) return say.Say(kExitFailure, name + ": " + UndecryptedReason(key));
  if (Failed(hr)) {
    if (!db->input.in_memory) {
      if (std::string reason = FileProblem(db->input.path); !reason.empty()) {
        return say.Say(kExitFailure, name + ": " + reason);
      }
    }
    return say.Say(
        kExitUsage,
        name + ": cannot determine the database kind (no readable Module id); use --kind");
  }
  db->kind = FindDatabaseKind(module);
  if (!db->kind) {
    return say.Say(kExitUsage, name + ": unknown database module \"" + module + "\"; use --kind");
  }
  return kExitOk;
}

// Opens the input, finds its kind and creates its parser with the key.
int Prepare(const Options& options, const std::string& key, const std::string& path, Database* db,
            const Messages& say) {
  std::string error;
  if (!OpenInput(path, &db->input, &error)) {
    return say.Say(kExitFailure, db->input.name + ": " + error);
  }
  if (int status = ResolveKind(options, key, db, say)) return status;
  HRESULT hr = CreateInstance(*db->kind->clsid, db->parser.Put());
  if (Succeeded(hr) && !key.empty()) hr = db->parser->put_CryptKey(key);
  if (Failed(hr)) {
    say.Record(db->input.name, hr);
    return kExitFailure;
  }
  return kExitOk;
}

// After a failed load, what the library's description cannot say: where in
// the file, or why the file could not be read.
void ExplainLoadFailure(const Database& db, const std::string& key, HRESULT hr,
                        const Messages& say) {
  const std::string& name = db.input.name;
  ComPtr<ISDParserLoad> loader;
  LoadErrorLocation where;
  if (Succeeded(db.parser->QueryInterface(loader.Put())) &&
      loader->GetLoadErrorLocation(&where) == S_OK) {
    std::string what = where.element.empty() ? "malformed XML" : "in element " + where.element;
    if (!where.item_id.empty()) {
      what += where.item_element == where.element ? " (id " : " (" + where.item_element + " id ";
      what += where.item_id + ")";
    }
    say.Line(name + ":" + std::to_string(where.line) + ":" + std::to_string(where.column) + ": " +
             what);
    return;
  }
  if (!db.input.in_memory) {
    if (std::string reason = FileProblem(db.input.path); !reason.empty()) {
      say.Say(kExitFailure, name + ": " + reason);
      return;
    }
  }
  std::string module;
  if (hr == E_FAIL && Probe(db.input, key, &module) == SECDB_E_NOTXMLTEXT) {
    say.Say(kExitFailure, name + ": " + UndecryptedReason(key));
  }
}

// After a good load: whether it restored the backup, said in one line.
bool Restored(const Database& db, const Messages& say) {
  ComPtr<ISDParserRecovery> recovery;
  RestoreInfo restore;
  if (Failed(db.parser->QueryInterface(recovery.Put())) ||
      recovery->GetLastRestore(&restore) != S_OK) {
    return false;
  }
  std::string description = restore.description;
  std::replace(description.begin(), description.end(), '\n', ' ');
  while (!description.empty() && (description.back() == ' ' || description.back() == '.')) {
    description.pop_back();
  }
  char code[16];
  std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(restore.error));
  std::string line = db.input.name + ": damaged (error " + code + ": " + description +
                     "); restored from " + restore.backup_path;
  if (!restore.damaged_copy.empty()) line += ", damaged copy kept as " + restore.damaged_copy;
  say.Say(kExitRestored, line);
  return true;
}

int Read(Database* db, const std::string& key, const Messages& say) {
  HRESULT hr;
  if (db->input.in_memory) {
    ComPtr<ISDParserLoad> loader;
    hr = db->parser->QueryInterface(loader.Put());
    if (Succeeded(hr)) hr = loader->LoadImage(db->input.bytes, db->input.name, 0);
  } else {
    hr = db->parser->Load(db->input.path, 0);
  }
  if (Succeeded(hr)) return Restored(*db, say) ? kExitRestored : kExitOk;
  say.Record(db->input.name, hr);
  ExplainLoadFailure(*db, key, hr, say);
  return kExitFailure;
}

int Flushed(int status) {
  std::string error;
  if (FlushOutput(&error)) return status;
  std::fprintf(stderr, "secdb: %s\n", error.c_str());
  return std::max(status, kExitFailure);
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

// The section names `--section` takes for this parser, as (given name,
// element name XmlEx selects) pairs.
std::vector<std::pair<std::string, std::string>> SectionNames(ISDParser* parser) {
  std::vector<std::pair<std::string, std::string>> names;
  ComPtr<ISDParserLists> lists;
  std::int32_t count = 0;
  if (Succeeded(parser->QueryInterface(lists.Put())) && Succeeded(lists->get_ListCount(&count))) {
    for (std::int32_t i = 0; i < count; ++i) {
      std::string property;
      std::string element;
      ComPtr<ISDCollection> list;
      if (Failed(lists->GetList(i, &property, list.Put())) ||
          Failed(lists->GetListSection(i, &element))) {
        continue;
      }
      if (property != element) names.emplace_back(property, element);
      names.emplace_back(element, element);
      std::string combined;
      if (Succeeded(lists->GetListCombinedSection(i, &combined)) && !combined.empty() &&
          std::ranges::find(names, std::pair(combined, combined)) == names.end()) {
        names.emplace_back(combined, combined);
      }
    }
  }
  names.emplace_back("Custom", "Custom");
  return names;
}

// Whether `given` names the section `name`: exactly, or ASCII
// case-insensitively for kinds whose XmlEx takes any letter case.
bool SameSectionName(std::string_view name, std::string_view given, bool any_case) {
  const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  if (!any_case) return name == given;
  return std::ranges::equal(name, given, {}, fold, fold);
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
  if (int status = ReadKeys(options, &keys)) return status;
  SetRecoveryPolicy(options.recovery ? RecoveryPolicy::kOn : RecoveryPolicy::kOff);
  if (options.command == "check") return Check(options, keys);
  if (options.command == "xml") return PrintXml(options, keys);
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

#include "database.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace secdb {
namespace {

using namespace xmlsecdb;

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

}  // namespace

int Usage(const std::string& command, const std::string& error) {
  std::fprintf(stderr, "secdb: %s\nTry 'secdb%s%s --help'.\n", error.c_str(),
               command.empty() ? "" : " ", command.c_str());
  return kExitUsage;
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

}  // namespace secdb

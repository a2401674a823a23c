// The databases the tool reads: opening, kind, key, load, and the tool's
// messages and exit statuses around them. Every command reads its
// databases through these.
#ifndef XMLSECDB_TOOLS_SECDB_DATABASE_H_
#define XMLSECDB_TOOLS_SECDB_DATABASE_H_

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "input.h"
#include "options.h"
#include "xmlsecdb/xmlsecdb.h"

namespace secdb {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kExitRestored = 3;

// A usage error: the message and where to find help; returns kExitUsage.
int Usage(const std::string& command, const std::string& error);

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
  void Record(const std::string& name, xmlsecdb::HRESULT hr) const {
    if (quiet_) return;
    std::fprintf(stderr, "secdb: %s: error 0x%08X\n", name.c_str(), static_cast<unsigned>(hr));
    xmlsecdb::ComPtr<xmlsecdb::IErrorInfo> info;
    std::string description;
    if (xmlsecdb::GetErrorInfo(0, info.Put()) == xmlsecdb::S_OK && info &&
        xmlsecdb::Succeeded(info->GetDescription(&description)) && !description.empty()) {
      std::fputs(description.c_str(), stderr);
      if (description.back() != '\n') std::fputc('\n', stderr);
    }
  }

 private:
  bool quiet_;
};

// One database on its way in: where it comes from, its kind, its parser.
struct Database {
  Input input;
  const xmlsecdb::DatabaseKindInfo* kind = nullptr;
  xmlsecdb::ComPtr<xmlsecdb::ISDParser> parser;
};

// Opens the input, finds its kind and creates its parser with the key.
int Prepare(const Options& options, const std::string& key, const std::string& path, Database* db,
            const Messages& say);
// Loads the prepared database: kExitOk, kExitRestored after a restore
// from its backup (said in one line), or kExitFailure with the library's
// code, description and what else is known of the failure.
int Read(Database* db, const std::string& key, const Messages& say);
// Flushes standard output; a failure to write turns `status` into a
// failure.
int Flushed(int status);

// The section names `--section` takes for this parser, as (given name,
// element name XmlEx selects) pairs.
std::vector<std::pair<std::string, std::string>> SectionNames(xmlsecdb::ISDParser* parser);
// Whether `given` names the section `name`: exactly, or ASCII
// case-insensitively for kinds whose XmlEx takes any letter case.
bool SameSectionName(std::string_view name, std::string_view given, bool any_case);

}  // namespace secdb

#endif  // XMLSECDB_TOOLS_SECDB_DATABASE_H_

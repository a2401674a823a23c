// Command-line parsing of the secdb tool.
#ifndef XMLSECDB_TOOLS_SECDB_OPTIONS_H_
#define XMLSECDB_TOOLS_SECDB_OPTIONS_H_

#include <optional>
#include <string>
#include <vector>

namespace secdb {

struct Options {
  std::string command;  // "check", "xml", "save", "help", "version"
  std::string kind;     // "" = from the file's Module element
  std::optional<std::string> key;
  std::optional<std::string> out_key;
  bool plain = false;
  bool recovery = false;
  std::optional<std::string> section;
  std::vector<std::string> files;
};

// Parses argv; on a usage error returns false with a message in *error.
bool ParseOptions(int argc, char** argv, Options* options, std::string* error);

extern const char kUsage[];

}  // namespace secdb

#endif  // XMLSECDB_TOOLS_SECDB_OPTIONS_H_

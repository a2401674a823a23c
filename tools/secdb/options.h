// Command line of the secdb tool: its commands and options as one table,
// which the parser, the help texts, the man page and the bash completion
// all follow (tests compare the last two with it).
#ifndef XMLSECDB_TOOLS_SECDB_OPTIONS_H_
#define XMLSECDB_TOOLS_SECDB_OPTIONS_H_

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace secdb {

// One bit per command, for the commands an option belongs to.
enum CommandBit : unsigned {
  kCheck = 1u << 0,
  kXml = 1u << 1,
  kSave = 1u << 2,
  kJson = 1u << 3,
  kDiff = 1u << 4,
  kLs = 1u << 5,
  kEveryCommand = kCheck | kXml | kSave | kJson | kDiff | kLs,
  kNoCommand = 1u << 6,  // `secdb --help`, `secdb --version`
};

struct CommandInfo {
  std::string_view name;  // "check"
  CommandBit bit;
  std::string_view operands;  // "FILE..."
  std::string_view summary;   // one line for the help texts
};

struct OptionInfo {
  std::string_view name;        // "--kind"
  std::string_view short_name;  // "-q", or empty
  std::string_view value;       // "KIND"; empty for a switch
  unsigned commands;            // CommandBit mask
  std::string_view help;
};

std::span<const CommandInfo> Commands();
std::span<const OptionInfo> OptionTable();

// The environment variables that give keys when no option does.
inline constexpr std::string_view kKeyVariable = "XMLSECDB_KEY";
inline constexpr std::string_view kOutKeyVariable = "XMLSECDB_OUT_KEY";

struct Options {
  std::string command;  // "check", "xml", "save", "json", "diff", "ls"; empty with --help or --version alone
  bool help = false;
  bool version = false;
  std::string kind;  // "" = from the file's Module element
  std::optional<std::string> key;
  std::optional<std::string> key_file;
  std::optional<std::string> out_key;
  std::optional<std::string> out_key_file;
  bool plain = false;
  bool recovery = false;
  bool quiet = false;
  bool json = false;  // diff --json
  std::optional<std::string> section;
  std::vector<std::string> files;
};

// Parses argv. On a usage error returns false with a one-line message in
// *error; options->command names the command when one was recognised, so
// the caller can point at its help.
bool ParseOptions(int argc, char** argv, Options* options, std::string* error);

// The help of one command ("check"), or of the tool when `command` is
// empty.
std::string HelpText(std::string_view command);

}  // namespace secdb

#endif  // XMLSECDB_TOOLS_SECDB_OPTIONS_H_

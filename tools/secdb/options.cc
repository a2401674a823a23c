#include "options.h"

#include <string_view>

namespace secdb {

const char kUsage[] =
    "usage: secdb check [--kind KIND] [--key HEX] [--recovery] FILE\n"
    "       secdb xml   [--kind KIND] [--key HEX] [--section NAME] FILE\n"
    "       secdb save  [--kind KIND] [--key HEX] [--out-key HEX | --plain] IN OUT\n"
    "       secdb --help | --version\n"
    "\n"
    "Reads, checks and writes XML security databases.\n"
    "\n"
    "  check    load FILE and print its module, version and list sizes\n"
    "  xml      print the database as XML (UTF-8), or one section with --section\n"
    "  save     load IN and save it to OUT (UTF-16, encrypted when a key applies)\n"
    "\n"
    "  --kind KIND     am, sbx, di, fw, ids, app or cf; default: the file's Module id\n"
    "  --key HEX       the database key as hexadecimal text\n"
    "  --out-key HEX   save with this key instead of the one read with\n"
    "  --plain         save without a key\n"
    "  --recovery      restore a damaged FILE from its backup (FILE_) and keep a backup\n"
    "  --section NAME  Globals, Definitions, ExceptionList, RuleList, RuleSetList, Custom, ...\n"
    "\n"
    "Exit status: 0 success, 1 the library reported a failure, 2 usage error or\n"
    "unknown database kind. Failures print \"secdb: FILE: error 0xXXXXXXXX\" and\n"
    "the library's description on stderr.\n";

bool ParseOptions(int argc, char** argv, Options* options, std::string* error) {
  if (argc < 2) {
    *error = "missing command";
    return false;
  }
  std::string_view command = argv[1];
  if (command == "--help" || command == "-h" || command == "help") {
    options->command = "help";
    return argc == 2 || (*error = "--help takes no arguments", false);
  }
  if (command == "--version") {
    options->command = "version";
    return argc == 2 || (*error = "--version takes no arguments", false);
  }
  if (command != "check" && command != "xml" && command != "save") {
    *error = "unknown command: " + std::string(command);
    return false;
  }
  options->command = command;

  auto allowed = [&](std::string_view flag) {
    if (flag == "--kind" || flag == "--key") return true;
    if (flag == "--recovery") return command == "check";
    if (flag == "--section") return command == "xml";
    if (flag == "--out-key" || flag == "--plain") return command == "save";
    return false;
  };
  for (int i = 2; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg.size() > 1 && arg[0] == '-' && arg != "--") {
      if (!allowed(arg)) {
        *error = "unknown option for " + std::string(command) + ": " + std::string(arg);
        return false;
      }
      if (arg == "--recovery") {
        options->recovery = true;
        continue;
      }
      if (arg == "--plain") {
        options->plain = true;
        continue;
      }
      if (i + 1 >= argc) {
        *error = std::string(arg) + " needs a value";
        return false;
      }
      std::string value = argv[++i];
      if (arg == "--kind") {
        options->kind = value;
      } else if (arg == "--key") {
        options->key = value;
      } else if (arg == "--out-key") {
        options->out_key = value;
      } else if (arg == "--section") {
        options->section = value;
      }
      continue;
    }
    if (arg == "--") {
      for (++i; i < argc; ++i) options->files.emplace_back(argv[i]);
      break;
    }
    options->files.emplace_back(arg);
  }
  if (options->plain && options->out_key) {
    *error = "--out-key and --plain exclude each other";
    return false;
  }
  std::size_t wanted = command == "save" ? 2 : 1;
  if (options->files.size() != wanted) {
    *error = command == "save" ? "save needs IN and OUT" : std::string(command) + " needs one FILE";
    return false;
  }
  return true;
}

}  // namespace secdb

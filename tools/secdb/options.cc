#include "options.h"

#include <algorithm>
#include <cctype>

namespace secdb {
namespace {

constexpr CommandInfo kCommands[] = {
    {"check", kCheck, "FILE...", "load each FILE and print its module, version and list sizes"},
    {"xml", kXml, "FILE", "print the database as UTF-8 XML, or one section of it"},
    {"save", kSave, "IN OUT", "load IN and save it to OUT (UTF-16, encrypted when a key applies)"},
    {"json", kJson, "FILE", "print the database's object model as JSON"},
    {"diff", kDiff, "A B", "print what changed from database A to database B, item by item"},
    {"ls", kLs, "FILE [LIST]", "print one line per item of LIST, or one per list"},
};

constexpr OptionInfo kOptions[] = {
    {"--kind", "", "KIND", kEveryCommand,
     "am, sbx, di, fw, ids, app or cf; default: the file's Module id"},
    {"--key", "", "HEX", kEveryCommand,
     "the database key as hexadecimal text; default: $XMLSECDB_KEY"},
    {"--key-file", "", "FILE", kEveryCommand, "read the database key from FILE"},
    {"--recovery", "", "", kCheck,
     "restore a damaged FILE from its backup (FILE_), keeping the damaged copy as FILE.bad, "
     "and keep a backup; exit status 3 after a restore"},
    {"--quiet", "-q", "", kCheck, "print nothing; the exit status tells"},
    {"--section", "", "NAME", kXml | kJson,
     "only this section: a list name as check prints it, or its element name"},
    {"--out-key", "", "HEX", kSave,
     "save with this key instead of the one read with; default: $XMLSECDB_OUT_KEY"},
    {"--out-key-file", "", "FILE", kSave, "read the key to save with from FILE"},
    {"--plain", "", "", kSave, "save without a key"},
    {"--json", "", "", kDiff, "print the changes as JSON"},
    {"--help", "-h", "", kEveryCommand | kNoCommand, "print this help"},
    {"--version", "", "", kNoCommand, "print the versions of secdb and of the library"},
};

const CommandInfo* FindCommand(std::string_view name) {
  for (const CommandInfo& command : kCommands) {
    if (command.name == name) return &command;
  }
  return nullptr;
}

const OptionInfo* FindOption(std::string_view name, unsigned command) {
  for (const OptionInfo& option : kOptions) {
    if ((option.commands & command) && (option.name == name || option.short_name == name)) {
      return &option;
    }
  }
  return nullptr;
}

void Store(const OptionInfo& option, std::string value, Options* options) {
  const std::string_view name = option.name;
  if (name == "--kind") options->kind = std::move(value);
  if (name == "--key") options->key = std::move(value);
  if (name == "--key-file") options->key_file = std::move(value);
  if (name == "--out-key") options->out_key = std::move(value);
  if (name == "--out-key-file") options->out_key_file = std::move(value);
  if (name == "--section") options->section = std::move(value);
  if (name == "--recovery") options->recovery = true;
  if (name == "--quiet") options->quiet = true;
  if (name == "--plain") options->plain = true;
  if (name == "--json") options->json = true;
  if (name == "--help") options->help = true;
  if (name == "--version") options->version = true;
}

bool Excludes(const Options& options, std::string* error) {
  if (options.key && options.key_file) *error = "--key and --key-file exclude each other";
  if (options.out_key && options.out_key_file) {
    *error = "--out-key and --out-key-file exclude each other";
  }
  if (options.plain && (options.out_key || options.out_key_file)) {
    *error = "--plain and --out-key exclude each other";
  }
  return !error->empty();
}

}  // namespace

std::span<const CommandInfo> Commands() { return kCommands; }
std::span<const OptionInfo> OptionTable() { return kOptions; }

bool ParseOptions(int argc, char** argv, Options* options, std::string* error) {
  if (argc < 2) {
    *error = "missing command";
    return false;
  }
  const std::string_view first = argv[1];
  const CommandInfo* command = FindCommand(first);
  unsigned bit = command ? command->bit : kNoCommand;
  if (command) options->command = command->name;
  int i = command ? 2 : 1;
  bool operands_only = false;
  for (; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (operands_only || arg == "-" || arg.size() < 2 || arg[0] != '-') {
      if (!command) {
        *error = "unknown command: " + std::string(arg);
        return false;
      }
      options->files.emplace_back(arg);
      continue;
    }
    if (arg == "--") {
      operands_only = true;
      continue;
    }
    std::optional<std::string> value;
    if (std::size_t equals = arg.find('='); arg.starts_with("--") && equals != arg.npos) {
      value = std::string(arg.substr(equals + 1));
      arg = arg.substr(0, equals);
    }
    const OptionInfo* option = FindOption(arg, bit);
    if (!option) {
      *error = command
                   ? "unknown option for " + std::string(command->name) + ": " + std::string(arg)
                   : "unknown option: " + std::string(arg);
      return false;
    }
    if (option->value.empty() && value) {
      *error = std::string(option->name) + " takes no value";
      return false;
    }
    if (!option->value.empty() && !value) {
      if (i + 1 >= argc) {
        *error = std::string(option->name) + " needs a value (" + std::string(option->value) + ")";
        return false;
      }
      value = argv[++i];
    }
    Store(*option, value.value_or(""), options);
    if (options->help || options->version) {
      if (!command && i + 1 < argc) {
        *error = std::string(option->name) + " takes no arguments";
        return false;
      }
      return true;
    }
  }
  if (!command) {
    *error = "missing command";
    return false;
  }
  if (Excludes(*options, error)) return false;
  const std::size_t count = options->files.size();
  if (command->bit == kSave && count != 2) {
    *error = "save needs IN and OUT";
    return false;
  }
  if (command->bit == kXml && count != 1) {
    *error = "xml needs one FILE";
    return false;
  }
  if (command->bit == kJson && count != 1) {
    *error = "json needs one FILE";
    return false;
  }
  if (command->bit == kDiff && count != 2) {
    *error = "diff needs A and B";
    return false;
  }
  if (command->bit == kLs && (count < 1 || count > 2)) {
    *error = "ls needs FILE and at most one LIST";
    return false;
  }
  if (command->bit == kCheck && count == 0) {
    *error = "check needs a FILE";
    return false;
  }
  return true;
}

std::string HelpText(std::string_view name) {
  const CommandInfo* command = FindCommand(name);
  const unsigned bit = command ? command->bit : kNoCommand;
  std::string text;
  if (command) {
    std::string summary(command->summary);
    summary[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(summary[0])));
    text += "usage: secdb " + std::string(command->name) + " [OPTION]... " +
            std::string(command->operands) + "\n\n" + summary + ".\n";
  } else {
    text +=
        "usage: secdb COMMAND [OPTION]... FILE...\n       secdb --help | --version\n\n"
        "Reads, checks and writes XML security databases.\n\n";
    for (const CommandInfo& c : kCommands) {
      std::string head = "  " + std::string(c.name) + " " + std::string(c.operands);
      head.resize(std::max<std::size_t>(20, head.size() + 2), ' ');
      text += head + std::string(c.summary) + "\n";
    }
  }
  text += "\n";
  for (const OptionInfo& option : kOptions) {
    if (!(option.commands & bit)) continue;
    std::string head = "  ";
    head += option.short_name.empty() ? "    " : std::string(option.short_name) + ", ";
    head += option.name;
    if (!option.value.empty()) head += " " + std::string(option.value);
    head.resize(std::max<std::size_t>(24, head.size() + 2), ' ');
    text += head + std::string(option.help) + "\n";
  }
  text += "\n";
  if (!command) {
    text +=
        "FILE may be - for standard input (check, xml, json, ls, diff); OUT may be -\n"
        "for standard output (save). `secdb COMMAND --help` describes one command.\n\n";
  }
  if (command && command->bit == kDiff) {
    text +=
        "Items are matched by the identity their list declares (rule IDs,\n"
        "definition IDs, ...), or else by their first property named ...ID, or else\n"
        "by all their properties. Moves are reported only in lists whose order is\n"
        "not derived from their content. A or B may be - for standard input.\n\n"
        "Exit status: 0 the databases are equal, 1 they differ, 2 trouble (usage,\n"
        "unknown kind, a database that cannot be read, or of another kind).\n";
    return text;
  }
  text +=
      "Exit status: 0 success, 1 a database could not be read or written (the\n"
      "library's code and description follow on stderr), 2 usage error or unknown\n"
      "database kind, 3 (check --recovery) a damaged database was restored from its\n"
      "backup: one line on stderr names the damage and where the damaged copy is.\n";
  if (!command) text += "diff exits 0 when the databases are equal, 1 when they differ, 2 on trouble.\n";
  return text;
}

}  // namespace secdb

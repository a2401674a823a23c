#include "model/global_option_names.h"

#include "model/vocabulary.h"
#include "xmlsecdb/parser.h"

namespace xmlsecdb {
namespace {

// Modules whose number does not fit in the low 8 bits.
bool IsWideModule(std::int32_t module) {
  return module == MODULE_APP || module == MODULE_AM || module == MODULE_DI;
}

}  // namespace

std::span<const OptionName> ModuleOptionNames(std::int32_t module) {
  switch (module) {
    case MODULE_SBX:
      return kSandboxOptionNames;
    case MODULE_FW:
      return kFirewallOptionNames;
    case MODULE_CF:
      return kContentFilterOptionNames;
    case MODULE_APP:
      return kAppRepositoryOptionNames;
    case MODULE_AM:
      return kAntiMalwareOptionNames;
    default:
      return {};
  }
}

std::int32_t OptionIdFromName(std::int32_t module, std::string_view name) {
  for (std::span<const OptionName> table :
       {ModuleOptionNames(module), std::span<const OptionName>(kCustomOptionNames)}) {
    for (const OptionName& entry : table) {
      if (TextEquals(entry.name, name, TextCase::kInsensitive)) return entry.id;
    }
  }
  return 0;
}

std::optional<std::string_view> OptionNameFromId(std::int32_t module, std::int32_t id) {
  std::int32_t table_module = IsWideModule(module) ? module : module & 0xFF;
  for (std::span<const OptionName> table :
       {ModuleOptionNames(table_module), std::span<const OptionName>(kCustomOptionNames)}) {
    for (const OptionName& entry : table) {
      if (entry.id == id) return entry.name;
    }
  }
  return std::nullopt;
}

}  // namespace xmlsecdb

#include "model/global_option_names.h"

#include "model/vocabulary.h"

namespace xmlsecdb {

std::int32_t OptionIdFromName(std::span<const OptionName> names, std::string_view name) {
  for (std::span<const OptionName> table :
       {names, std::span<const OptionName>(kCustomOptionNames)}) {
    for (const OptionName& entry : table) {
      if (TextEquals(entry.name, name, TextCase::kInsensitive)) return entry.id;
    }
  }
  return 0;
}

std::optional<std::string_view> OptionNameFromId(std::span<const OptionName> names,
                                                 std::int32_t id) {
  for (std::span<const OptionName> table :
       {names, std::span<const OptionName>(kCustomOptionNames)}) {
    for (const OptionName& entry : table) {
      if (entry.id == id) return entry.name;
    }
  }
  return std::nullopt;
}

}  // namespace xmlsecdb

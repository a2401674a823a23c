// The names global options have in database files.
//
// Each kind has its own table of option names (in its folder, passed in
// its GlobalsConfig); the ten custom names are shared by all and searched
// after the kind's table. The same ID can name different options in
// different kinds (0x0400000C is "DoNotLoadZelSbx" for the sandbox and
// "AntiVirus_MacroAction" for anti-malware), so a look-up always names its
// table.
//
// Stateless; callable from any thread.
#ifndef XMLSECDB_MODEL_GLOBAL_OPTION_NAMES_H_
#define XMLSECDB_MODEL_GLOBAL_OPTION_NAMES_H_

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace xmlsecdb {

struct OptionName {
  std::string_view name;
  std::int32_t id;
};

// Searched after the module's table, in every module.
inline constexpr OptionName kCustomOptionNames[] = {
    {"Custom1", 0xFFF1}, {"Custom2", 0xFFF2},  {"Custom3", 0xFFF3}, {"Custom4", 0xFFF4},
    {"Custom5", 0xFFF5}, {"Custom6", 0xFFF6},  {"Custom7", 0xFFF7}, {"Custom8", 0xFFF8},
    {"Custom9", 0xFFF9}, {"Custom10", 0xFFFA},
};

// The ID of `name` in `names`, then in the custom table, with ASCII
// letters compared without regard to case; 0 when neither has it.
std::int32_t OptionIdFromName(std::span<const OptionName> names, std::string_view name);

// The canonical name of `id` in `names`, then in the custom table;
// std::nullopt when neither has it.
std::optional<std::string_view> OptionNameFromId(std::span<const OptionName> names,
                                                 std::int32_t id);

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_GLOBAL_OPTION_NAMES_H_

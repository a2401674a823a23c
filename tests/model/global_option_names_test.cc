#include "model/global_option_names.h"

#include <gtest/gtest.h>

#include "xmlsecdb/parser.h"

namespace xmlsecdb {
namespace {

TEST(GlobalOptionNamesTest, NameToIdSearchesTheModuleThenTheCustomNames) {
  struct Case {
    std::int32_t module;
    std::string_view name;
    std::int32_t id;
  };
  const Case kCases[] = {
      {MODULE_SBX, "DoNotLoadZelSbx", 0x0400000C},
      {MODULE_AM, "AntiVirus_MacroAction", 0x0400000C},
      {MODULE_AM, "antivirus_macroaction", 0x0400000C},  // case does not matter
      {MODULE_FW, "ZoneMode", 0x03000007},
      {MODULE_FW, "InvalidNetworkPacketAL", 0x0000000C},
      {MODULE_CF, "AllowedSendersList", 0x02010008},
      {MODULE_APP, "MissingApplicationSignatureAL", 0x4},
      {MODULE_AM, "NetworkScanTimeoutAccessResult", 0x0400001B},
      {MODULE_DI, "Custom1", 0xFFF1},
      {MODULE_IDS, "CUSTOM10", 0xFFFA},
      {MODULE_FW, "custom3", 0xFFF3},
      {MODULE_FW, "customxx", 0},
      {MODULE_FW, "Custom11", 0},
      {MODULE_FW, "Mode", 0},      // another module's name
      {MODULE_DI, "ZoneMode", 0},  // empty table
      {MODULE_AM, "Mode ", 0},     // whole names only
      {MODULE_AM, "", 0},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(OptionIdFromName(c.module, c.name), c.id) << c.module << " " << c.name;
  }
}

TEST(GlobalOptionNamesTest, IdToNameGivesTheCanonicalName) {
  struct Case {
    std::int32_t module;
    std::int32_t id;
    std::optional<std::string_view> name;
  };
  const Case kCases[] = {
      {MODULE_SBX, 0x0400000C, "DoNotLoadZelSbx"},
      {MODULE_AM, 0x0400000C, "AntiVirus_MacroAction"},
      {MODULE_FW, 0x0201000A, "RoutedPortList"},
      {MODULE_FW, 0xFFF3, "Custom3"},
      {MODULE_APP, 0x3, "MissingApplicationSignature"},
      {MODULE_CF, 0x3, "TooManyEmailsAtOnceEn"},
      {MODULE_DI, 0xFFFA, "Custom10"},
      {MODULE_DI, 0x1, std::nullopt},
      {MODULE_IDS, 0x1, std::nullopt},
      {MODULE_FW, 0x1234, std::nullopt},
      {MODULE_FW, 0, std::nullopt},
      // Other numbers choose the table by their low 8 bits.
      {0x0102, 0x0201000A, "RoutedPortList"},
      {0x0301, 0x7, "UnkAppStartDlg"},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(OptionNameFromId(c.module, c.id), c.name) << c.module << " " << c.id;
  }
  // The other direction takes the module number as it is.
  EXPECT_EQ(OptionIdFromName(0x0102, "RoutedPortList"), 0);
}

TEST(GlobalOptionNamesTest, EveryNameReadsBackToItsOwnId) {
  for (std::int32_t module : {MODULE_SBX, MODULE_FW, MODULE_CF, MODULE_APP, MODULE_AM}) {
    for (const OptionName& entry : ModuleOptionNames(module)) {
      EXPECT_EQ(OptionIdFromName(module, entry.name), entry.id) << entry.name;
      EXPECT_EQ(OptionNameFromId(module, entry.id), entry.name) << entry.name;
    }
  }
}

}  // namespace
}  // namespace xmlsecdb

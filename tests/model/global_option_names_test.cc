#include "model/global_option_names.h"

#include <gtest/gtest.h>

#include "app/app_words.h"
#include "cf/cf_words.h"
#include "fw/fw_words.h"
#include "sbx/sbx_words.h"

namespace xmlsecdb {
namespace {

using Names = std::span<const OptionName>;
// Data inspection and IDS have no names of their own.
constexpr Names kNoNames{};

TEST(GlobalOptionNamesTest, NameToIdSearchesTheKindThenTheCustomNames) {
  struct Case {
    Names names;
    std::string_view name;
    std::int32_t id;
  };
  const Case kCases[] = {
      {kSandboxOptionNames, "DoNotLoadZelSbx", 0x0400000C},
      {kFirewallOptionNames, "ZoneMode", 0x03000007},
      {kFirewallOptionNames, "InvalidNetworkPacketAL", 0x0000000C},
      {kContentFilterOptionNames, "AllowedSendersList", 0x02010008},
      {kAppRepositoryOptionNames, "MissingApplicationSignatureAL", 0x4},
      {kNoNames, "Custom1", 0xFFF1},
      {kNoNames, "CUSTOM10", 0xFFFA},
      {kFirewallOptionNames, "custom3", 0xFFF3},
      {kFirewallOptionNames, "customxx", 0},
      {kFirewallOptionNames, "Custom11", 0},
      {kFirewallOptionNames, "Mode", 0},       // another module's name
      {kNoNames, "ZoneMode", 0},               // empty table
      {kFirewallOptionNames, "ZoneMode ", 0},  // whole names only
      {kFirewallOptionNames, "", 0},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(OptionIdFromName(c.names, c.name), c.id) << c.name;
  }
}

TEST(GlobalOptionNamesTest, IdToNameGivesTheCanonicalName) {
  struct Case {
    Names names;
    std::int32_t id;
    std::optional<std::string_view> name;
  };
  const Case kCases[] = {
      {kSandboxOptionNames, 0x0400000C, "DoNotLoadZelSbx"},
      {kFirewallOptionNames, 0x0201000A, "RoutedPortList"},
      {kFirewallOptionNames, 0xFFF3, "Custom3"},
      {kAppRepositoryOptionNames, 0x3, "MissingApplicationSignature"},
      {kContentFilterOptionNames, 0x3, "TooManyEmailsAtOnceEn"},
      {kNoNames, 0xFFFA, "Custom10"},
      {kNoNames, 0x1, std::nullopt},
      {kNoNames, 0x1, std::nullopt},
      {kFirewallOptionNames, 0x1234, std::nullopt},
      {kFirewallOptionNames, 0, std::nullopt},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(OptionNameFromId(c.names, c.id), c.name) << c.id;
  }
}

TEST(GlobalOptionNamesTest, EveryNameReadsBackToItsOwnId) {
  for (Names names : {Names(kSandboxOptionNames), Names(kFirewallOptionNames),
                      Names(kContentFilterOptionNames), Names(kAppRepositoryOptionNames)}) {
    for (const OptionName& entry : names) {
      EXPECT_EQ(OptionIdFromName(names, entry.name), entry.id) << entry.name;
      EXPECT_EQ(OptionNameFromId(names, entry.id), entry.name) << entry.name;
    }
  }
}

}  // namespace
}  // namespace xmlsecdb

// The names global options have in database files.
//
// Each module has its own table of option names; the ten custom names are
// shared by all and searched after the module's table. The same ID can
// name different options in different modules (0x0400000C is
// "DoNotLoadZelSbx" for the sandbox and "AntiVirus_MacroAction" for
// anti-malware), so a look-up always names its module.
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

// clang-format off
inline constexpr OptionName kSandboxOptionNames[] = {
    {"UnkAppStartDlg", 0x7},
    {"UnkSysAppStartDlg", 0x6},
    {"SBXChangeSecurityAL", 0x8},
    {"StartProcessAL", 0x9},
    {"EndProcessAL", 0xA},
    {"SafeToInjectDllGroup", 0x02010010},
    {"ChangeConditionAL", 0xC},
    {"ChangeProcConditionAL", 0xD},
    {"BGChangeSecurityAL", 0xF},
    {"SafeToInjectAppGroup", 0x0201000B},
    {"DoNotLoadZelSbx", 0x0400000C},
};

inline constexpr OptionName kFirewallOptionNames[] = {
    {"FWChangeSecurityAL", 0x00000001},
    {"ClosedPortAccessAL", 0x00000002},
    {"RoutedPortList", 0x0201000A},
    {"ZoneMode", 0x03000007},
    {"NatProcessingEn", 0x02000004},
    {"SafeZoneStealthEn", 0x00000005},
    {"DangZoneStealthEn", 0x00000006},
    {"PortScanAL", 0x00000003},
    {"PortScanDetTimeout", 0x04000008},
    {"PortScanDetParameter", 0x03000009},
    {"PortScanEn", 0x0200000B},
    {"InvalidNetworkPacketAL", 0x0000000C},
};

inline constexpr OptionName kContentFilterOptionNames[] = {
    {"AttachmentsEn", 0x1},
    {"TooManyRecipientsEn", 0x2},
    {"TooManyEmailsAtOnceEn", 0x3},
    {"AllowedSendersListEn", 0x4},
    {"TooManyRecipientsNum", 0x03000005},
    {"TooManyEmailsAtOnceNum", 0x03000006},
    {"TooManyEmailsAtOnceTime", 0x04000007},
    {"AllowedSendersList", 0x02010008},
};

inline constexpr OptionName kAppRepositoryOptionNames[] = {
    {"UseKnownApps", 0x1},
    {"MonitorKnownAppsEnrollment", 0x2},
    {"MissingApplicationSignature", 0x3},
    {"MissingApplicationSignatureAL", 0x4},
};

inline constexpr OptionName kAntiMalwareOptionNames[] = {
    {"Mode", 0x04000001},
    {"Type", 0x04000002},
    {"Heuristic", 0x04000003},
    {"ScanADS", 0x04000004},
    {"Archive_ScanAction", 0x04000005},
    {"Archive_MalwareAction", 0x04000006},
    {"Archive_MaxNestedLevel", 0x04000007},
    {"Archive_MaxCompressionRatio", 0x04000008},
    {"Archive_MaxcompressedSize", 0x04000009},
    {"AntiVirus_Enable", 0x0400000A},
    {"EnableQuarantine", 0x0400000B},
    {"AntiVirus_MacroAction", 0x0400000C},
    {"AntiSpyware_Enable", 0x0400000D},
    {"AntiSpyware_ScanAllUsers", 0x04000010},
    {"Exclusions_MalwareCategoryList", 0x01020013},
    {"Exclusions_MalwareList", 0x01020014},
    {"AutoCleanMode", 0x04000015},
    {"SecondaryCleanAction", 0x04000016},
    {"ScanTimeout", 0x04000017},
    {"ScanTimeoutAccessResult", 0x04000018},
    {"ScanErrorAccessResult", 0x04000019},
    {"NetworkScanTimeout", 0x0400001A},
    {"NetworkScanTimeoutAccessResult", 0x0400001B},
};

// clang-format on

// Searched after the module's table, in every module.
inline constexpr OptionName kCustomOptionNames[] = {
    {"Custom1", 0xFFF1}, {"Custom2", 0xFFF2},  {"Custom3", 0xFFF3}, {"Custom4", 0xFFF4},
    {"Custom5", 0xFFF5}, {"Custom6", 0xFFF6},  {"Custom7", 0xFFF7}, {"Custom8", 0xFFF8},
    {"Custom9", 0xFFF9}, {"Custom10", 0xFFFA},
};

// The table of a module number (MODULE_SBX, MODULE_FW, ...); empty for a
// module without one (data inspection, IDS, or a number no module has).
std::span<const OptionName> ModuleOptionNames(std::int32_t module);

// The ID of `name` in the module's table, then in the custom table, with
// ASCII letters compared without regard to case; 0 when neither has it.
std::int32_t OptionIdFromName(std::int32_t module, std::string_view name);

// The canonical name of `id` in the module's table, then in the custom
// table; std::nullopt when neither has it. The table is chosen by the low
// 8 bits of the module number, except for the application repository,
// anti-malware and data inspection modules, whose numbers lie above them.
std::optional<std::string_view> OptionNameFromId(std::int32_t module, std::int32_t id);

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_GLOBAL_OPTION_NAMES_H_

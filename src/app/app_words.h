// How application repository files spell what the repository's sections
// read: the names of global options, the label types, the object-type
// names of groups, the bit names and enrolment words of rules, and the
// detail texts of every load failure.
#ifndef XMLSECDB_APP_APP_WORDS_H_
#define XMLSECDB_APP_APP_WORDS_H_

#include <cstdint>
#include <string_view>

#include "model/attribute_read.h"
#include "model/global_option_names.h"
#include "model/vocabulary.h"
#include "xmlsecdb/app.h"

namespace xmlsecdb {

inline constexpr OptionName kAppRepositoryOptionNames[] = {
    {"UseKnownApps", 0x1},
    {"MonitorKnownAppsEnrollment", 0x2},
    {"MissingApplicationSignature", 0x3},
    {"MissingApplicationSignatureAL", 0x4},
};

// `type` of `Label` and `DllLabel`: required; a type outside 0..6 has no
// word and is written without the attribute.
inline constexpr Spelling<ELabelType> kLabelTypeWords[] = {
    {LT_CHECKSUM, "chksm"},
    {LT_PATH, "path"},
    {LT_NAME, "name"},
    {LT_CHECKSUM_AND_PATH, "pathAndChksm"},
    {LT_CHECKSUM_AND_NAME, "nameAndChksm"},
    {LT_SIGNED_AND_PATH, "pathAndSigned"},
    {LT_SIGNED_AND_NAME, "nameAndSigned"},
};
inline constexpr Vocabulary<ELabelType> kLabelType{.words = kLabelTypeWords};

// `ot` of `Group`: the names of the bits, in the order they are written.
struct ObjectTypeName {
  std::string_view name;
  std::int32_t bit;
};
inline constexpr ObjectTypeName kGroupObjectTypeNames[] = {
    {"File", 0x1},         {"Registry", 0x4},         {"Spawning", 0x8},
    {"Service", 0x2},      {"Device", 0x10},          {"COM", 0x40},
    {"SystemPrivilege", 0x80}, {"Network", 0x400},    {"DllLoading", 0x20000},
    {"DataInspection", 0x4000000},
};

// The load failures of one label family's element.
struct LabelFailureTexts {
  std::string_view missing_id;
  FailureTexts type;
  std::string_view wrong_ar;
  std::string_view wrong_al;
};
inline constexpr LabelFailureTexts kLabelFailures = {
    " Missing Label id.", {" Missing label type.", " Wrong label type."}, " Wrong label ar.",
    " Wrong label al."};
inline constexpr LabelFailureTexts kDllLabelFailures = {
    " Missing DllLabel id.",
    {" Missing DllLabel type.", " Wrong DllLabel type."},
    " Wrong DllLabel ar.",
    " Wrong DllLabel al."};
inline constexpr std::string_view kMissingGroupId = " Missing Group id.";
inline constexpr std::string_view kMissingDllGroupId = " Missing DllGroup id.";
inline constexpr std::string_view kCannotInsertRedirection = " Cannot insert IdentityRedirection.";
inline constexpr std::string_view kMissingRuleId = " Missing Rule id.";
inline constexpr std::string_view kMissingRedirectionId = " Missing IdentityRedirection id.";

// The names of a rule's bit fields (app_bit_names.h reads and writes them),
// in the order of the program's name tables.
struct BitName {
  std::string_view name;
  std::uint32_t bit;
};
inline constexpr BitName kUsageNames[] = {
    {"SdkApi", KNOWN_APP_SDK_API},
    {"NetSuperAllow", KNOWN_APP_NET_SUPER_ALLOW},
    {"Trusted", KNOWN_APP_TRUSTED},
    {"System", KNOWN_APP_SYSTEM},
    {"Critical", KNOWN_APP_CRITICAL},
    {"HostsCode", KNOWN_APP_HOSTS_CODE},
    {"NetClient", KNOWN_APP_NET_CLIENT},
    {"NetServer", KNOWN_APP_NET_SERVER},
    {"SendsMail", KNOWN_APP_SENDS_MAIL},
    {"BlackList", KNOWN_APP_BLACK_LIST},
    {"Installation", KNOWN_APP_INSTALLATION},
    {"NetServerSafe", KNOWN_APP_NET_SERVER_SAFE_ZONE},
    {"ComServer", KNOWN_APP_COM_SERVER},
    {"DangCmdLine", KNOWN_APP_DANGEROUS_CMD_LINE},
    {"DangCOMInterface", KNOWN_APP_DANGEROUS_COM_INTERFACE},
    {"DangIPCRPC", KNOWN_APP_DANGEROUS_IPC_RPC_INTERFACE},
    {"IncompatibleWithUserModeHooks", KNOWN_APP_INCOMPATIBLE_WITH_USER_MODE_HOOKS},
    {"SpawnOtherProcesses", KNOWN_APP_SPAWN},
    {"WithoutGui", KNOWN_APP_WITHOUT_GUI},
};
inline constexpr BitName kSpecialAccessNames[] = {
    {"SARawIP", 0x1},         {"SADangerousDevice", 0x2}, {"SAServices", 0x4},
    {"SAInjectCode", 0x8},    {"SAPrivileges", 0x10},     {"SATerminateProc", 0x20},
    {"SASysDir", 0x40},       {"SAAutorun", 0x80},        {"SARegistry", 0x100},
};
inline constexpr BitName kFoundByNames[] = {
    {"Checksum", KNOWN_APP_FOUND_BY_CHECKSUM},
    {"Path", KNOWN_APP_FOUND_BY_PATH},
    {"CertValid", KNOWN_APP_CERTIFICATE_VALID},
    {"CertInDB", KNOWN_APP_CERTIFICATE_IN_DB},
    {"Name", KNOWN_APP_FOUND_BY_NAME},
};

// `enroll` of `Rule`: written as these words (any value but 0 and 1 as
// "AskUser"); read leniently (app_rule_section.cc).
inline constexpr Spelling<EEnrollType> kEnrollWords[] = {
    {EN_PREVENT, "Prevent"},
    {EN_ALLOW, "Allow"},
    {EN_ASKUSER, "AskUser"},
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_APP_APP_WORDS_H_

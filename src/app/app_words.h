// How application repository files spell what the repository's sections
// read: the names of global options, the label types, the object-type
// names of groups, and the detail texts of every load failure.
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

}  // namespace xmlsecdb

#endif  // XMLSECDB_APP_APP_WORDS_H_

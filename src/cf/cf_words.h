// How content filter files spell what the shared sections read: the access
// types of `AccessDesc`, the `Definition` object types, the guards of
// `AppItem`, the failure texts of `RuleSet`. The content filter's rules are
// not read yet; these are the settings they take.
#ifndef XMLSECDB_CF_CF_WORDS_H_
#define XMLSECDB_CF_CF_WORDS_H_

#include "model/access_descriptor_xml.h"
#include "model/app_exception_section.h"
#include "model/definitions_section.h"
#include "model/global_option_names.h"
#include "model/rule_set_section.h"

namespace xmlsecdb {

// No "*"; an absent or unknown `at` gives 1.
inline constexpr AccessTypeName kCFAccessTypeNames[] = {
    {OT_IDLOCK, "IDLockExpressionList", 1},
    {OT_IDLOCK, "IDLockClearTextPwd", 2},
    {OT_PRIVACY, "SessionCookies", 0x1},
    {OT_PRIVACY, "PersistentCookies", 0x2},
    {OT_PRIVACY, "ThirdPartySessionCookies", 0x4},
    {OT_PRIVACY, "ThirdPartyPersistentCookies", 0x8},
    {OT_PRIVACY, "WebBug", 0x10},
    {OT_PRIVACY, "PrivateHdrInfo", 0x20},
    {OT_PRIVACY, "Banner", 0x40},
    {OT_PRIVACY, "Popup", 0x80},
    {OT_PRIVACY, "Animation", 0x100},
    {OT_PRIVACY, "JavaScript", 0x200},
    {OT_PRIVACY, "OtherScript", 0x400},
    {OT_PRIVACY, "EmbeddedObjects", 0x800},
    {OT_PRIVACY, "MimeObjects", 0x1000},
    {OT_PRIVACY, "OnLoadHandler", 0x2000},
    {OT_ATTACHMENT, "AttachmentDownload", 1},
    {OT_ATTACHMENT, "AttachmentQuarantine", 2},
    {OT_URL_REQUEST, "UrlRequest", 1},
};

inline constexpr AccessDescConfig kCFAccessDesc = {
    .names = kCFAccessTypeNames,
    .write_full_mask = false,
    .at_default = 1,
    .at_if_unknown = 1,
    .audit_prefix_case = TextCase::kSensitive,
    .missing_ar = " Missing AccessDesc AR.",
    .wrong_ar = " Wrong AccessDesc AR.",
    .wrong_al = " Wrong AccessDesc AL.",
};

inline constexpr Spelling<EObjectType> kCFDefinitionTypes[] = {{OT_URL_REQUEST, "UrlRequest"}};

inline constexpr DefinitionsConfig kCFDefinitions = {.object_types = kCFDefinitionTypes,
                                                     .definition_events = kDefinitionEvents,
                                                     .item_events = kSimpleItemEvents};

// The guards: their run of the shared guard table, and the full mask.
inline constexpr auto kContentFilterGuards = std::span(kGuardNamesInWriteOrder).subspan<9, 4>();
inline constexpr std::uint32_t kContentFilterFullMask = 0x40380000;
static_assert(MaskOf(kContentFilterGuards) == kContentFilterFullMask);

inline constexpr AppItemVocabulary kCFExceptionItems = {
    kContentFilterGuards, kContentFilterFullMask, kContentFilterFullMask,
    " Missing AppItem app or app_id.", " Missing AppItem priority."};

inline constexpr RuleSetSectionConfig kCFRuleSets = {" Missing RuleSet id."};

// The names of global options in content filter files.
// clang-format off
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
// clang-format on

}  // namespace xmlsecdb

#endif  // XMLSECDB_CF_CF_WORDS_H_

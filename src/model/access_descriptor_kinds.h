// The `AccessDesc` and `ConditionSwitch` settings of each database kind: the
// access-type words, what "*" stands for, and the failure texts. A kind's
// rule section passes its two constants to the readers and writers of
// model/access_descriptor_xml.h and model/condition_switch_xml.h.
#ifndef XMLSECDB_MODEL_ACCESS_DESCRIPTOR_KINDS_H_
#define XMLSECDB_MODEL_ACCESS_DESCRIPTOR_KINDS_H_

#include "model/access_descriptor_xml.h"
#include "model/condition_switch_xml.h"

namespace xmlsecdb {

// ---------------------------------------------------------------------------
// Sandbox and data inspection: one table for both kinds.

inline constexpr AccessTypeName kSandboxAccessTypeNames[] = {
    {OT_FILE, "FileRead", 0xA9},
    {OT_FILE, "FileCreate", 0x4},
    {OT_FILE, "FileWrite", 0x112},
    {OT_FILE, "FileDelete", 0x10040},
    {OT_REGISTRY, "KeyRead", 0x19},
    {OT_REGISTRY, "KeyCreate", 0x4},
    {OT_REGISTRY, "KeyWrite", 0x2},
    {OT_REGISTRY, "KeyDelete", 0x10000},
    {OT_SERVICE, "ServiceQueryStatus", 0x4},
    {OT_SERVICE, "ServiceOpen", 0x200},
    {OT_SERVICE, "ServiceStart", 0x10},
    {OT_SERVICE, "ServiceStop", 0x20},
    {OT_SERVICE, "ServiceRemove", 0x10000},
    {OT_SERVICE, "ServiceInstall", 0x400},
    {OT_SERVICE, "ServiceControl", 0x800},
    {OT_DEVICE, "DeviceOpen", 0x1},
    {OT_DEVICE, "DeviceRead", 0x2},
    {OT_DEVICE, "DeviceWrite", 0x4},
    {OT_DEVICE, "DeviceIoctl", 0x8},
    {OT_DEVICE, "DeviceDangerousIoctl", 0x10},
    {OT_COMOBJECT, "COMInitialize", 0x1},
    {OT_COMOBJECT, "COMCreateInProc", 0x2},
    {OT_COMOBJECT, "COMCreateLocSrv", 0x4},
    {OT_COMOBJECT, "COMCreateRemSrv", 0x8},
    {OT_SPAWNING, "SpawnProc", 0x1},
    {OT_SPAWNING, "SpawnProcInOwnSbx", 0x2},
    {OT_SYSTEMPRIV, "ForceProcThreadTerm", 0x2000},
    {OT_SYSTEMPRIV, "SystemShutdown", 0x100},
    {OT_SYSTEMPRIV, "Win32Hook", 0x400},
    {OT_SYSTEMPRIV, "InjectCode0", 0x800},
    {OT_SYSTEMPRIV, "InjectUI", 0x10000},
    {OT_SYSTEMPRIV, "InjectCode", 0x1000},
    {OT_SYSTEMPRIV, "AcquireSysPriv", 0x8000},
    {OT_SYSTEMPRIV, "SetObjSecurity", 0x200},
    {OT_SYSTEMPRIV, "ClipboardAccess", 0x4000},
    // Read only: the value is written as "InjectCode", which comes first.
    {OT_SYSTEMPRIV, "SystemLowLevelAPI", 0x1000},
    {OT_SPAWN_DLL, "LoadDll", 0x1},
    {OT_DATA_INSPECTION, "InspectionCreate", 0x1},
    {OT_DATA_INSPECTION, "InspectionDelete", 0x2},
    {OT_DATA_INSPECTION, "InspectionRead", 0x4},
    {OT_DATA_INSPECTION, "InspectionWrite", 0x8},
    {OT_DATA_INSPECTION, "SendDict", 0x10},
    {OT_DATA_INSPECTION, "ReceiveDict", 0x20},
    {OT_DATA_INSPECTION, "ReadMalw", 0x40},
    {OT_DATA_INSPECTION, "WriteMalw", 0x80},
};

// Each mask is the union of its object type's words; the data inspection
// one is the type library's AT_DATA_INSPECTION_FULL.
inline constexpr AccessTypeMask kSandboxFullMasks[] = {
    {OT_FILE, 0x101FF},       {OT_REGISTRY, 0x1001F}, {OT_SERVICE, 0x10E34},
    {OT_DEVICE, 0x1F},        {OT_COMOBJECT, 0xF},    {OT_SPAWNING, 0x3},
    {OT_SYSTEMPRIV, 0x1FF00}, {OT_SPAWN_DLL, 0x1},    {OT_DATA_INSPECTION, 0xFF},
};

inline constexpr AccessDescConfig kSBXAccessDesc = {
    .names = kSandboxAccessTypeNames,
    .full_masks = kSandboxFullMasks,
    .audit_prefix_case = TextCase::kInsensitive,
    .missing_ar = " Missing AR.",
    .wrong_ar = " Wrong AR.",
    .wrong_al = " Wrong AL.",
    .wrong_at = " Wrong AT.",
};
// The data inspection handler knows only the data inspection words (the
// last rows of the table); "*" is the same union as in the sandbox.
inline constexpr AccessDescConfig kDIAccessDesc = [] {
  AccessDescConfig config = kSBXAccessDesc;
  config.names = std::span(kSandboxAccessTypeNames).last<8>();
  return config;
}();

// ---------------------------------------------------------------------------
// Anti-malware: "*" is known for files and anti-malware objects only, and
// the save writes `at` only as "ScanExclusion" on anti-malware rules.

inline constexpr AccessTypeName kAMAccessTypeNames[] = {
    {OT_ANTI_MALWARE, "ScanExclusion", 1},
};
inline constexpr AccessTypeMask kAMFullMasks[] = {{OT_FILE, 0x101FF}, {OT_ANTI_MALWARE, 1}};

inline constexpr AccessDescConfig kAMAccessDesc = {
    .names = kAMAccessTypeNames,
    .full_masks = kAMFullMasks,
    .write_full_mask = false,
    .audit_prefix_case = TextCase::kInsensitive,
    .missing_ar = " Missing AR.",
    .wrong_ar = " Wrong AR.",
    .wrong_al = " Wrong AL.",
    .wrong_at = " Wrong AT.",
};

// ---------------------------------------------------------------------------
// Content filter: no "*"; an absent or unknown `at` gives 1.

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

// ---------------------------------------------------------------------------
// Firewall: `at` is written as "NetworkAccess" and not read; `ar` and `al`
// are required. A firewall rule owns a single descriptor, so its section
// reads with ReadAccessDescFields and applies the result and audit level.

inline constexpr AccessDescConfig kFWAccessDesc = {
    .write_full_mask = false,
    .fixed_at = "NetworkAccess",
    .audit_prefix_case = TextCase::kSensitive,
    .missing_ar = " Missing AccessDesc AR.",
    .wrong_ar = " Wrong AccessDesc AR.",
    .missing_al = " Missing AccessDesc AL.",
    .wrong_al = " Wrong AccessDesc AL.",
};

// ---------------------------------------------------------------------------
// Condition switches.

inline constexpr ConditionSwitchConfig kAMConditionSwitch = {
    " Missing condition type.", " Wrong condition type.", " Missing condition target.",
    " Wrong condition target."};
inline constexpr ConditionSwitchConfig kSBXConditionSwitch = kAMConditionSwitch;
inline constexpr ConditionSwitchConfig kDIConditionSwitch = kAMConditionSwitch;
inline constexpr ConditionSwitchConfig kFWConditionSwitch = {
    " Missing ConditionSwitch type", " Wrong ConditionSwitch type",
    " Missing ConditionSwitch target.", " Wrong ConditionSwitch target."};

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_ACCESS_DESCRIPTOR_KINDS_H_

// The tables the policy kinds (anti-malware, sandbox, data inspection)
// share: the access-type words of sandbox and data inspection rules, the
// `ConditionSwitch` failure texts of all three, and the definition object
// types anti-malware and data inspection files carry. What only one kind
// uses is in that kind's folder (am/am_words.h, sbx/sbx_words.h,
// di/di_words.h).
#ifndef XMLSECDB_POLICY_POLICY_WORDS_H_
#define XMLSECDB_POLICY_POLICY_WORDS_H_

#include "model/access_descriptor_xml.h"
#include "model/condition_switch_xml.h"
#include "model/definitions_section.h"

namespace xmlsecdb {

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

// The sandbox's `AccessDesc` settings; data inspection takes them with its
// own rows of the table.
inline constexpr AccessDescConfig kSandboxFamilyAccessDesc = {
    .names = kSandboxAccessTypeNames,
    .full_masks = kSandboxFullMasks,
    .audit_prefix_case = TextCase::kInsensitive,
    .missing_ar = " Missing AR.",
    .wrong_ar = " Wrong AR.",
    .wrong_al = " Wrong AL.",
    .wrong_at = " Wrong AT.",
};

// `ConditionSwitch` in the three kinds.
inline constexpr ConditionSwitchConfig kPolicyConditionSwitch = {
    " Missing condition type.", " Wrong condition type.", " Missing condition target.",
    " Wrong condition target."};

// The `ot` words of `Definition` in anti-malware and data inspection files
// (the data inspection handler reads definitions as the anti-malware one).
inline constexpr Spelling<EObjectType> kAMDefinitionTypes[] = {
    {OT_FILE, "File"}, {OT_TIME, "time"}, {OT_ANTI_MALWARE, "AntiMalware"}};

}  // namespace xmlsecdb

#endif  // XMLSECDB_POLICY_POLICY_WORDS_H_

// The application repository: labels that name programs and DLLs, the
// checksums they know, and the application and DLL groups that collect
// them (ISDParserAPP's lists).
//
// A label (ILabel) names a set of executables by path, by file name, by
// checksum, by checksum and path or name, or by signature and path or name
// (ELabelType). Labels are kept in key order of their IDs: ASCII letters
// compare without case, every other character by its full UTF-16 unit, so
// "Notepad" and "NOTEPAD" are one key. A group (IAppGroup) holds references
// to labels and, nested, to other groups; a label that a group references
// cannot be removed or renamed. DLL labels and DLL groups are the reduced
// family for loadable modules: kept in insertion order, no nesting.
// Known-application rules (IAppRule) classify recognised programs and
// name the groups they go in; identity redirections
// (IIdentityRedirection) say how a process started on behalf of another
// module is identified.
//
// Every setter and modifying call fails with 0x80041006 (message 111,
// naming the call, "CLabel::put_Path()") while the parser is read-only.
// Change events are raised only for members of their lists and only when a
// value really changes. Booleans answered by Contain, ContainGroup and
// CanInsertGroup are 1 for true, 0 for false.
#ifndef XMLSECDB_APP_H_
#define XMLSECDB_APP_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "xmlsecdb/collection.h"
#include "xmlsecdb/definitions.h"
#include "xmlsecdb/enums.h"
#include "xmlsecdb/expression.h"
#include "xmlsecdb/variant.h"

namespace xmlsecdb {

enum ELabelType : std::int32_t {
  LT_CHECKSUM = 0,
  LT_PATH = 1,
  LT_NAME = 2,
  LT_CHECKSUM_AND_PATH = 3,
  LT_CHECKSUM_AND_NAME = 4,
  LT_SIGNED_AND_PATH = 5,
  LT_SIGNED_AND_NAME = 6,
};
using EDllLabelType = ELabelType;

// GetLabel's flags: the low byte is an ELabelType.
enum EGetLabelFlags : std::int32_t { LT_CREATE = 0x100 };

// The property numbers of label and DLL label change events.
enum ELabelProperty : std::int32_t {
  LP_ID = 0,
  LP_TYPE = 1,
  LP_PATH = 2,
  LP_CHECKSUMS = 3,
  LP_DESCRIPTION = 4,
  LP_ACCESSRESULT = 5,
  LP_AUDITLEVEL = 6,
  LP_LEARNING_MODE = 7,
  LP_PROCESS_ID = 8,
};
// The property numbers of group and DLL group change events.
enum EAppGroupProperty : std::int32_t {
  AGP_ID = 0,
  AGP_OBJECT_TYPE = 1,
  AGP_LABEL_LIST = 2,
  AGP_DESCRIPTION = 3,
};

// The repository's events; 1 to 10 are the load, save and global-option
// events of every parser.
enum EAppEventDispid : DISPID {
  DISPID_OnBeforeLabelInserted = 0x0B,
  DISPID_OnAfterLabelInserted = 0x0C,
  DISPID_OnBeforeLabelRemoved = 0x0D,
  DISPID_OnAfterLabelRemoved = 0x0E,
  DISPID_OnBeforeLabelChanged = 0x0F,
  DISPID_OnAfterLabelChanged = 0x10,
  DISPID_OnBeforeAppGroupInserted = 0x11,
  DISPID_OnAfterAppGroupInserted = 0x12,
  DISPID_OnBeforeAppGroupRemoved = 0x13,
  DISPID_OnAfterAppGroupRemoved = 0x14,
  DISPID_OnBeforeAppGroupChanged = 0x15,
  DISPID_OnAfterAppGroupChanged = 0x16,
  DISPID_OnBeforeDllLabelInserted = 0x17,
  DISPID_OnAfterDllLabelInserted = 0x18,
  DISPID_OnBeforeDllLabelRemoved = 0x19,
  DISPID_OnAfterDllLabelRemoved = 0x1A,
  DISPID_OnBeforeDllLabelChanged = 0x1B,
  DISPID_OnAfterDllLabelChanged = 0x1C,
  DISPID_OnBeforeDllGroupInserted = 0x1D,
  DISPID_OnAfterDllGroupInserted = 0x1E,
  DISPID_OnBeforeDllGroupRemoved = 0x1F,
  DISPID_OnAfterDllGroupRemoved = 0x20,
  DISPID_OnBeforeDllGroupChanged = 0x21,
  DISPID_OnAfterDllGroupChanged = 0x22,
};

// A known checksum of a label's files. A label's checksum must be 32, 40
// or 64 hexadecimal digits, not all "0" (0x80041009, message 123); a DLL
// label's may be any text. Version and TimeStamp are not interpreted.
struct IChecksum : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E00-4000-8000-5EC0DB000E00}");
  using Base = IDispatch;

  [[nodiscard]] virtual HRESULT get_Checksum(std::string* checksum) = 0;
  [[nodiscard]] virtual HRESULT put_Checksum(std::string_view checksum) = 0;
  [[nodiscard]] virtual HRESULT get_Version(std::string* version) = 0;
  [[nodiscard]] virtual HRESULT put_Version(std::string_view version) = 0;
  [[nodiscard]] virtual HRESULT get_TimeStamp(std::string* stamp) = 0;
  [[nodiscard]] virtual HRESULT put_TimeStamp(std::string_view stamp) = 0;
  [[nodiscard]] virtual HRESULT get_FileName(std::string* name) = 0;
  [[nodiscard]] virtual HRESULT put_FileName(std::string_view name) = 0;
};

// In insertion order; duplicates are allowed. Every change is a change
// of the owning label (LP_CHECKSUMS).
struct IChecksumList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E01-4000-8000-5EC0DB000E01}");
  using Base = ISDCollection;

  [[nodiscard]] virtual HRESULT CreateChecksum(IChecksum** checksum) = 0;
  [[nodiscard]] virtual HRESULT Insert(IChecksum* checksum) = 0;
  [[nodiscard]] virtual HRESULT Remove(IChecksum* checksum) = 0;
  [[nodiscard]] virtual HRESULT Clear() = 0;
  // *found is 1 (S_OK) when an item's Checksum equals `checksum` ignoring
  // ASCII case, else 0 (S_FALSE).
  [[nodiscard]] virtual HRESULT Contain(std::string_view checksum, std::int16_t* found) = 0;
};

struct ILabel : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E02-4000-8000-5EC0DB000E02}");
  using Base = IDispatch;

  [[nodiscard]] virtual HRESULT get_LabelID(std::string* id) = 0;
  // A member is re-keyed: E_POINTER-like 0x80041008 (120) for an empty ID,
  // 106 for an ID taken (in any ASCII letter case, its own included), 113
  // while a group references the old ID.
  [[nodiscard]] virtual HRESULT put_LabelID(std::string_view id) = 0;
  [[nodiscard]] virtual HRESULT get_Type(ELabelType* type) = 0;
  [[nodiscard]] virtual HRESULT put_Type(ELabelType type) = 0;
  // Alternatives separated by "|"; setting it empties the expansion cache.
  [[nodiscard]] virtual HRESULT get_Path(std::string* path) = 0;
  [[nodiscard]] virtual HRESULT put_Path(std::string_view path) = 0;
  [[nodiscard]] virtual HRESULT get_ChecksumList(IChecksumList** checksums) = 0;
  [[nodiscard]] virtual HRESULT get_Description(std::string* description) = 0;
  [[nodiscard]] virtual HRESULT put_Description(std::string_view description) = 0;
  // Settable only for LT_CHECKSUM_AND_PATH and LT_CHECKSUM_AND_NAME
  // (E_INVALIDARG, message 114, otherwise).
  [[nodiscard]] virtual HRESULT get_BGAccessResult(EAccessResult* result) = 0;
  [[nodiscard]] virtual HRESULT put_BGAccessResult(EAccessResult result) = 0;
  [[nodiscard]] virtual HRESULT get_BGAuditLevel(EAuditLevel* level) = 0;
  [[nodiscard]] virtual HRESULT put_BGAuditLevel(EAuditLevel level) = 0;
  [[nodiscard]] virtual HRESULT get_LearningMode(std::int32_t* mode) = 0;
  [[nodiscard]] virtual HRESULT put_LearningMode(std::int32_t mode) = 0;
  [[nodiscard]] virtual HRESULT get_ProcessID(std::int32_t* id) = 0;
  [[nodiscard]] virtual HRESULT put_ProcessID(std::int32_t id) = 0;
  [[nodiscard]] virtual HRESULT get_UIFlags(std::string* flags) = 0;
  [[nodiscard]] virtual HRESULT put_UIFlags(std::string_view flags) = 0;
  [[nodiscard]] virtual HRESULT get_KnownApp(std::int32_t* known) = 0;
  [[nodiscard]] virtual HRESULT put_KnownApp(std::int32_t known) = 0;
  [[nodiscard]] virtual HRESULT get_IdentityRedirectionList(ISimpleValueList** ids) = 0;
  [[nodiscard]] virtual HRESULT get_AssGroup(std::string* group) = 0;
  [[nodiscard]] virtual HRESULT put_AssGroup(std::string_view group) = 0;
  // The file paths the path denotes, as an array of strings; the path
  // itself when the path expander cannot expand it.
  [[nodiscard]] virtual HRESULT get_PathExpanded(Variant* paths) = 0;
};

struct ILabelList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E03-4000-8000-5EC0DB000E03}");
  using Base = ISDCollection;

  [[nodiscard]] virtual HRESULT CreateLabel(ILabel** label) = 0;
  [[nodiscard]] virtual HRESULT Insert(ILabel* label) = 0;
  [[nodiscard]] virtual HRESULT Remove(ILabel* label) = 0;
  [[nodiscard]] virtual HRESULT Get(std::string_view id, ILabel** label) = 0;
  [[nodiscard]] virtual HRESULT Clear() = 0;
  // The first label in key order whose conditions the file (path and
  // checksum) meets; 0x80041004 (107) when none does, with the labels that
  // resembled it in *similar when there are any.
  [[nodiscard]] virtual HRESULT FindLabel(std::string_view path, std::string_view checksum,
                                          ILabelList** similar, ILabel** label) = 0;
  [[nodiscard]] virtual HRESULT GetAllLabelIDs(Variant* ids) = 0;
  // Labels for every executable in the directory (or its subtree); the
  // number of files that have a label afterwards in *count.
  [[nodiscard]] virtual HRESULT EnrollPath(std::string_view path, std::int16_t subtree,
                                           ELabelType type, EAccessResult result,
                                           EAuditLevel level, std::string_view group_id,
                                           std::int32_t flags, std::int32_t* count) = 0;
  // FindLabel, and with LT_CREATE in `flags` a new label when none is found.
  [[nodiscard]] virtual HRESULT GetLabel(std::string_view path, std::string_view checksum,
                                         std::int32_t flags, ILabel** label) = 0;
};

// A group's reference: a label ID, or (AppFlags bit 0) a group ID.
struct IAppGroupLabel : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E04-4000-8000-5EC0DB000E04}");
  using Base = IDispatch;

  // An automation date; stored and saved only.
  [[nodiscard]] virtual HRESULT get_RemoveDate(double* date) = 0;
  [[nodiscard]] virtual HRESULT put_RemoveDate(double date) = 0;
  [[nodiscard]] virtual HRESULT get_AppFlags(std::uint32_t* flags) = 0;
  [[nodiscard]] virtual HRESULT put_AppFlags(std::uint32_t flags) = 0;
};

struct IAppGroup : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E05-4000-8000-5EC0DB000E05}");
  using Base = IDispatch;

  [[nodiscard]] virtual HRESULT get_AppGroupID(std::string* id) = 0;
  [[nodiscard]] virtual HRESULT put_AppGroupID(std::string_view id) = 0;
  [[nodiscard]] virtual HRESULT get_ObjectType(std::int32_t* type) = 0;
  [[nodiscard]] virtual HRESULT put_ObjectType(std::int32_t type) = 0;
  // The references (ISimpleItem and IAppGroupLabel), in key order.
  [[nodiscard]] virtual HRESULT get_LabelList(ISimpleItemList** references) = 0;
  [[nodiscard]] virtual HRESULT get_Description(std::string* description) = 0;
  [[nodiscard]] virtual HRESULT put_Description(std::string_view description) = 0;
  [[nodiscard]] virtual HRESULT GetAllLabelIDs(Variant* ids) = 0;
  [[nodiscard]] virtual HRESULT RemoveLabelFromGroup(std::string_view id) = 0;
  [[nodiscard]] virtual HRESULT AddLabelToGroup(std::string_view id) = 0;
  [[nodiscard]] virtual HRESULT get_UIFlags(std::string* flags) = 0;
  [[nodiscard]] virtual HRESULT put_UIFlags(std::string_view flags) = 0;
  [[nodiscard]] virtual HRESULT Contain(std::string_view id, std::int16_t* found) = 0;
  [[nodiscard]] virtual HRESULT RemoveGroupFromGroup(std::string_view id) = 0;
  [[nodiscard]] virtual HRESULT AddGroupToGroup(std::string_view id) = 0;
  [[nodiscard]] virtual HRESULT ContainGroup(std::string_view id, std::int16_t* found) = 0;
  // Whether the group `id` can be nested here without a cycle.
  [[nodiscard]] virtual HRESULT CanInsertGroup(std::string_view id, std::int16_t* can) = 0;
  [[nodiscard]] virtual HRESULT GetAllGroupIDs(Variant* ids) = 0;
};

struct IAppGroupList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E06-4000-8000-5EC0DB000E06}");
  using Base = ISDCollection;

  [[nodiscard]] virtual HRESULT CreateGroup(IAppGroup** group) = 0;
  [[nodiscard]] virtual HRESULT Insert(IAppGroup* group) = 0;
  [[nodiscard]] virtual HRESULT Remove(IAppGroup* group) = 0;
  [[nodiscard]] virtual HRESULT Get(std::string_view id, IAppGroup** group) = 0;
  [[nodiscard]] virtual HRESULT Clear() = 0;
  [[nodiscard]] virtual HRESULT FindLabelGroups(std::string_view label_id, Variant* ids) = 0;
  [[nodiscard]] virtual HRESULT RemoveLabelFromAllGroups(std::string_view label_id) = 0;
  [[nodiscard]] virtual HRESULT RemoveGroupFromAllGroups(std::string_view group_id) = 0;
};

struct IDllLabel : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E07-4000-8000-5EC0DB000E07}");
  using Base = IDispatch;

  [[nodiscard]] virtual HRESULT get_LabelID(std::string* id) = 0;
  [[nodiscard]] virtual HRESULT put_LabelID(std::string_view id) = 0;
  [[nodiscard]] virtual HRESULT get_Type(EDllLabelType* type) = 0;
  [[nodiscard]] virtual HRESULT put_Type(EDllLabelType type) = 0;
  [[nodiscard]] virtual HRESULT get_Path(std::string* path) = 0;
  [[nodiscard]] virtual HRESULT put_Path(std::string_view path) = 0;
  [[nodiscard]] virtual HRESULT get_ChecksumList(IChecksumList** checksums) = 0;
  [[nodiscard]] virtual HRESULT get_Description(std::string* description) = 0;
  [[nodiscard]] virtual HRESULT put_Description(std::string_view description) = 0;
  [[nodiscard]] virtual HRESULT get_BGAccessResult(std::int32_t* result) = 0;
  [[nodiscard]] virtual HRESULT put_BGAccessResult(std::int32_t result) = 0;
  [[nodiscard]] virtual HRESULT get_BGAuditLevel(std::int32_t* level) = 0;
  [[nodiscard]] virtual HRESULT put_BGAuditLevel(std::int32_t level) = 0;
  [[nodiscard]] virtual HRESULT get_UIFlags(std::string* flags) = 0;
  [[nodiscard]] virtual HRESULT put_UIFlags(std::string_view flags) = 0;
  [[nodiscard]] virtual HRESULT get_PathExpanded(Variant* paths) = 0;
};

struct IDllLabelList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E08-4000-8000-5EC0DB000E08}");
  using Base = ISDCollection;

  [[nodiscard]] virtual HRESULT CreateDllLabel(IDllLabel** label) = 0;
  [[nodiscard]] virtual HRESULT Insert(IDllLabel* label) = 0;
  [[nodiscard]] virtual HRESULT Remove(IDllLabel* label) = 0;
  [[nodiscard]] virtual HRESULT Get(std::string_view id, IDllLabel** label) = 0;
  [[nodiscard]] virtual HRESULT Clear() = 0;
  // A checksum DLL label whose checksum matches wins at once; else the
  // first path DLL label whose expansion holds `path`; else the first name
  // DLL label of its name; else 0x80041004 (107), with the similar DLL
  // labels in *similar when there are any.
  [[nodiscard]] virtual HRESULT FindDllLabel(std::string_view path, std::string_view checksum,
                                             IDllLabelList** similar, IDllLabel** label) = 0;
  [[nodiscard]] virtual HRESULT GetAllDllLabelIDs(Variant* ids) = 0;
  // As ILabelList's, for the shared libraries of the directory (files
  // named *.so or *.so.*), into a DLL group.
  [[nodiscard]] virtual HRESULT EnrollPath(std::string_view path, std::int16_t subtree,
                                           EDllLabelType type, std::int32_t result,
                                           std::int32_t level, std::string_view group_id,
                                           std::int32_t flags, std::int32_t* count) = 0;
  [[nodiscard]] virtual HRESULT GetLabel(std::string_view path, std::string_view checksum,
                                         std::int32_t flags, IDllLabel** label) = 0;
};

struct IDllGroup : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E09-4000-8000-5EC0DB000E09}");
  using Base = IDispatch;

  [[nodiscard]] virtual HRESULT get_DllGroupID(std::string* id) = 0;
  [[nodiscard]] virtual HRESULT put_DllGroupID(std::string_view id) = 0;
  // The references (ISimpleItem), in insertion order; duplicates allowed.
  [[nodiscard]] virtual HRESULT get_DllLabelList(ISimpleItemList** references) = 0;
  [[nodiscard]] virtual HRESULT get_Description(std::string* description) = 0;
  [[nodiscard]] virtual HRESULT put_Description(std::string_view description) = 0;
  [[nodiscard]] virtual HRESULT GetAllLabelIDs(Variant* ids) = 0;
  [[nodiscard]] virtual HRESULT RemoveLabelFromGroup(std::string_view id) = 0;
  [[nodiscard]] virtual HRESULT AddLabelToGroup(std::string_view id) = 0;
  [[nodiscard]] virtual HRESULT get_UIFlags(std::string* flags) = 0;
  [[nodiscard]] virtual HRESULT put_UIFlags(std::string_view flags) = 0;
  [[nodiscard]] virtual HRESULT Contain(std::string_view id, std::int16_t* found) = 0;
};

struct IDllGroupList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E0A-4000-8000-5EC0DB000E0A}");
  using Base = ISDCollection;

  [[nodiscard]] virtual HRESULT CreateGroup(IDllGroup** group) = 0;
  [[nodiscard]] virtual HRESULT Insert(IDllGroup* group) = 0;
  [[nodiscard]] virtual HRESULT Remove(IDllGroup* group) = 0;
  [[nodiscard]] virtual HRESULT Get(std::string_view id, IDllGroup** group) = 0;
  [[nodiscard]] virtual HRESULT Clear() = 0;
  [[nodiscard]] virtual HRESULT FindLabelGroups(std::string_view label_id, Variant* ids) = 0;
};

// What a known program is used for (IAppRule's Usage and UsageNot bits).
enum EKnownAppUsage : std::uint32_t {
  KNOWN_APP_TRUSTED = 0x1,
  KNOWN_APP_SYSTEM = 0x2,
  KNOWN_APP_CRITICAL = 0x4,
  KNOWN_APP_HOSTS_CODE = 0x10,
  KNOWN_APP_NET_CLIENT = 0x40,
  KNOWN_APP_NET_SERVER = 0x80,
  KNOWN_APP_SENDS_MAIL = 0x100,
  KNOWN_APP_BLACK_LIST = 0x200,
  KNOWN_APP_SDK_API = 0x400,
  KNOWN_APP_NET_SUPER_ALLOW = 0x800,
  KNOWN_APP_INSTALLATION = 0x1000,
  KNOWN_APP_NET_SERVER_SAFE_ZONE = 0x2000,
  KNOWN_APP_COM_SERVER = 0x4000,
  KNOWN_APP_DANGEROUS_CMD_LINE = 0x8000,
  KNOWN_APP_DANGEROUS_COM_INTERFACE = 0x10000,
  KNOWN_APP_DANGEROUS_IPC_RPC_INTERFACE = 0x20000,
  KNOWN_APP_INCOMPATIBLE_WITH_USER_MODE_HOOKS = 0x40000,
  KNOWN_APP_SPAWN = 0x80000,
  KNOWN_APP_WITHOUT_GUI = 0x100000,
};

// How a known program was recognised (the elements of FoundBy2).
enum EKnownAppFoundBy : std::uint32_t {
  KNOWN_APP_FOUND_BY_CHECKSUM = 0x1,
  KNOWN_APP_FOUND_BY_PATH = 0x2,
  KNOWN_APP_CERTIFICATE_VALID = 0x4,
  KNOWN_APP_CERTIFICATE_IN_DB = 0x8,
  KNOWN_APP_FOUND_BY_NAME = 0x10,
};

// How a program that a rule matches is enrolled.
enum EEnrollType : std::int32_t {
  EN_PREVENT = 0,
  EN_ALLOW = 1,
  EN_AUTO = 1,
  EN_ASKUSER = 2,
  EN_ASK = 2,
};

struct IAppRuleList;

// A known-application rule: which programs (by usage, special-access and
// found-by bits, manufacturer and suite) it applies to, how they are
// enrolled and into which application groups they go. Setters validate
// nothing; a listed rule whose RuleID is taken fails with 0x80041005
// (117).
struct IAppRule : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E0B-4000-8000-5EC0DB000E0B}");
  using Base = IDispatch;

  [[nodiscard]] virtual HRESULT get_RuleID(std::int32_t* id) = 0;
  [[nodiscard]] virtual HRESULT put_RuleID(std::int32_t id) = 0;
  [[nodiscard]] virtual HRESULT get_RuleIDString(std::string* id) = 0;
  [[nodiscard]] virtual HRESULT put_RuleIDString(std::string_view id) = 0;
  [[nodiscard]] virtual HRESULT get_Assignment(std::string* assignment) = 0;
  [[nodiscard]] virtual HRESULT put_Assignment(std::string_view assignment) = 0;
  // 0 keeps the rule out of every query.
  [[nodiscard]] virtual HRESULT get_Enabled(std::int32_t* enabled) = 0;
  [[nodiscard]] virtual HRESULT put_Enabled(std::int32_t enabled) = 0;
  [[nodiscard]] virtual HRESULT get_Description(std::string* description) = 0;
  [[nodiscard]] virtual HRESULT put_Description(std::string_view description) = 0;
  [[nodiscard]] virtual HRESULT get_UIFlags(std::string* flags) = 0;
  [[nodiscard]] virtual HRESULT put_UIFlags(std::string_view flags) = 0;
  // EKnownAppUsage bits the program must have, and must not have.
  [[nodiscard]] virtual HRESULT get_Usage(std::uint32_t* usage) = 0;
  [[nodiscard]] virtual HRESULT put_Usage(std::uint32_t usage) = 0;
  [[nodiscard]] virtual HRESULT get_UsageNot(std::uint32_t* usage) = 0;
  [[nodiscard]] virtual HRESULT put_UsageNot(std::uint32_t usage) = 0;
  // The first element of FoundBy2 (0 when it is empty); setting it makes
  // FoundBy2 that one element.
  [[nodiscard]] virtual HRESULT get_FoundBy(std::uint32_t* found_by) = 0;
  [[nodiscard]] virtual HRESULT put_FoundBy(std::uint32_t found_by) = 0;
  [[nodiscard]] virtual HRESULT get_Enroll(EEnrollType* enroll) = 0;
  [[nodiscard]] virtual HRESULT put_Enroll(EEnrollType enroll) = 0;
  // Alternatives separated by "|"; empty or "*" matches any.
  [[nodiscard]] virtual HRESULT get_Manufacturer(std::string* manufacturer) = 0;
  [[nodiscard]] virtual HRESULT put_Manufacturer(std::string_view manufacturer) = 0;
  // The names of the application groups the rule puts programs in.
  [[nodiscard]] virtual HRESULT get_Groups(ISimpleValueList** groups) = 0;
  [[nodiscard]] virtual HRESULT get_Suite(std::string* suite) = 0;
  [[nodiscard]] virtual HRESULT put_Suite(std::string_view suite) = 0;
  [[nodiscard]] virtual HRESULT get_SpecialAccess(std::uint32_t* access) = 0;
  [[nodiscard]] virtual HRESULT put_SpecialAccess(std::uint32_t access) = 0;
  [[nodiscard]] virtual HRESULT get_SpecialAccessNot(std::uint32_t* access) = 0;
  [[nodiscard]] virtual HRESULT put_SpecialAccessNot(std::uint32_t access) = 0;
  // A copy in `list`, with a fresh RuleID when `generate_id` is non-zero.
  [[nodiscard]] virtual HRESULT CopyToList(IAppRuleList* list, std::int32_t generate_id,
                                           IAppRule** copy) = 0;
  // The rule's place in its list: smaller orders come first, and equal
  // orders keep the order of insertion (a file's order).
  [[nodiscard]] virtual HRESULT get_Order(std::int32_t* order) = 0;
  [[nodiscard]] virtual HRESULT put_Order(std::int32_t order) = 0;
  // Alternatives of found-by bit sets: the rule applies when one of them
  // is contained in the query's found-by bits (or there is none).
  [[nodiscard]] virtual HRESULT get_FoundBy2(IULongList** found_by) = 0;
};

// One application group that FindGroups reports, with the access result
// (the Enroll value) and the RuleID of the rule that named it first.
struct IAppRuleGroup : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E0C-4000-8000-5EC0DB000E0C}");
  using Base = IDispatch;

  [[nodiscard]] virtual HRESULT get_Name(std::string* name) = 0;
  [[nodiscard]] virtual HRESULT get_AccessResult(EAccessResult* result) = 0;
  [[nodiscard]] virtual HRESULT get_RuleID(std::int32_t* id) = 0;
};

// FindGroups' answer, in exact name order; read-only.
struct IAppRuleGroupList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E0D-4000-8000-5EC0DB000E0D}");
  using Base = ISDCollection;
};

// The known-application rules, ordered by Order (equal orders in the
// order of insertion). The queries visit the rules in that order: the
// first enabled rule whose conditions the program meets is the answer.
struct IAppRuleList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E0E-4000-8000-5EC0DB000E0E}");
  using Base = ISDCollection;

  [[nodiscard]] virtual HRESULT CreateRule(IAppRule** rule) = 0;
  [[nodiscard]] virtual HRESULT Insert(IAppRule* rule) = 0;
  [[nodiscard]] virtual HRESULT Remove(IAppRule* rule) = 0;
  [[nodiscard]] virtual HRESULT Clear() = 0;
  [[nodiscard]] virtual HRESULT GenerateRuleID(std::int32_t master, std::int32_t* id) = 0;
  // Find2 with no special access and both masks all ones.
  [[nodiscard]] virtual HRESULT Find(std::uint32_t usage, std::uint32_t found_by,
                                     std::string_view manufacturer, std::string_view suite,
                                     IAppRule** rule) = 0;
  [[nodiscard]] virtual HRESULT Get(std::string_view id, IAppRule** rule) = 0;
  // Find2 with both masks all ones.
  [[nodiscard]] virtual HRESULT FindEx(std::uint32_t usage, std::uint32_t found_by,
                                       std::string_view manufacturer, std::string_view suite,
                                       std::uint32_t special_access, IAppRule** rule) = 0;
  // The first rule that applies; 0x80041004 (107) when none does.
  [[nodiscard]] virtual HRESULT Find2(std::uint32_t usage, std::uint32_t usage_mask,
                                      std::uint32_t special_access,
                                      std::uint32_t special_access_mask, std::uint32_t found_by,
                                      std::string_view manufacturer, std::string_view suite,
                                      IAppRule** rule) = 0;
  // The groups every applicable rule names, each with the first rule that
  // names it; groups whose first rule prevents enrolment are left out.
  // When no applicable rule names a group, S_OK and *groups untouched.
  [[nodiscard]] virtual HRESULT FindGroups(std::uint32_t usage, std::uint32_t usage_mask,
                                           std::uint32_t special_access,
                                           std::uint32_t special_access_mask,
                                           std::uint32_t found_by, std::string_view manufacturer,
                                           std::string_view suite,
                                           IAppRuleGroupList** groups) = 0;
};

// One identity of a redirection: the module, its path, the command line to
// use in place of the one observed, and its arguments. Setters validate
// nothing and raise no events.
struct IIdentity : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E30-4000-8000-5EC0DB000E30}");
  using Base = IDispatch;

  [[nodiscard]] virtual HRESULT get_Module(std::string* module) = 0;
  [[nodiscard]] virtual HRESULT put_Module(std::string_view module) = 0;
  [[nodiscard]] virtual HRESULT get_Description(std::string* description) = 0;
  [[nodiscard]] virtual HRESULT put_Description(std::string_view description) = 0;
  [[nodiscard]] virtual HRESULT get_Path(std::string* path) = 0;
  [[nodiscard]] virtual HRESULT put_Path(std::string_view path) = 0;
  [[nodiscard]] virtual HRESULT get_NewCmdLine(std::string* command_line) = 0;
  [[nodiscard]] virtual HRESULT put_NewCmdLine(std::string_view command_line) = 0;
  [[nodiscard]] virtual HRESULT get_ArgumentList(ISimpleValueList** arguments) = 0;
};

// In insertion order; duplicates are allowed.
struct IIdentityList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E31-4000-8000-5EC0DB000E31}");
  using Base = ISDCollection;

  [[nodiscard]] virtual HRESULT Create(IIdentity** identity) = 0;
  [[nodiscard]] virtual HRESULT Insert(IIdentity* identity) = 0;
  [[nodiscard]] virtual HRESULT Remove(IIdentity* identity) = 0;
  [[nodiscard]] virtual HRESULT Clear() = 0;
};

// How a process that runs on behalf of another module is identified: an
// expression that recognises the situation, and the identities to use.
// Labels name redirections by ID; nothing checks those references.
struct IIdentityRedirection : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E32-4000-8000-5EC0DB000E32}");
  using Base = IDispatch;

  [[nodiscard]] virtual HRESULT get_ID(std::string* id) = 0;
  // A member fails with 0x80041005 (106) when its list has a redirection
  // under the new ID, ignoring ASCII case (itself included).
  [[nodiscard]] virtual HRESULT put_ID(std::string_view id) = 0;
  [[nodiscard]] virtual HRESULT get_Type(std::string* type) = 0;
  [[nodiscard]] virtual HRESULT put_Type(std::string_view type) = 0;
  [[nodiscard]] virtual HRESULT get_ParsingType(std::string* type) = 0;
  [[nodiscard]] virtual HRESULT put_ParsingType(std::string_view type) = 0;
  [[nodiscard]] virtual HRESULT get_Description(std::string* description) = 0;
  [[nodiscard]] virtual HRESULT put_Description(std::string_view description) = 0;
  [[nodiscard]] virtual HRESULT get_Expression(IExpression** expression) = 0;
  [[nodiscard]] virtual HRESULT get_IdentityList(IIdentityList** identities) = 0;
};

// In insertion order. Insert refuses an ID equal to a member's (exactly,
// 106); Get finds the first ignoring ASCII case.
struct IIdentityRedirectionList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0E33-4000-8000-5EC0DB000E33}");
  using Base = ISDCollection;

  [[nodiscard]] virtual HRESULT Create(IIdentityRedirection** redirection) = 0;
  [[nodiscard]] virtual HRESULT Insert(IIdentityRedirection* redirection) = 0;
  [[nodiscard]] virtual HRESULT Remove(IIdentityRedirection* redirection) = 0;
  [[nodiscard]] virtual HRESULT Get(std::string_view id, IIdentityRedirection** redirection) = 0;
  [[nodiscard]] virtual HRESULT Clear() = 0;
  // Makes `redirection` the member at 1-based `index` (E_INVALIDARG
  // outside 1..Count; appending is Insert's).
  [[nodiscard]] virtual HRESULT InsertAt(std::int32_t index,
                                         IIdentityRedirection* redirection) = 0;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_APP_H_

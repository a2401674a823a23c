// ExceptionListSection: the `ExceptionList` section of a database — its
// application exceptions, read from and written to `AppItem` elements.
//
//   <ExceptionList>
//     <AppItem app="notepad.exe" activeGuardsMask="File|Registry" priority="high"
//              order="15000" filter="grp" uiflags="x" account="both"/>
//     <AppItem app_id="browsers" activeGuardsMask="*" order="35000"/>
//   </ExceptionList>
//
// The element is written also when the list is empty. Each kind knows its
// own guard names only: reading, "*" gives the kind's full mask and each
// "|"-separated piece that names one of its guards adds that bit (other
// pieces are ignored); writing, the kind's full mask is written "*" and
// any other mask as the names of its set bits in one fixed order shared by
// all kinds (bits without a name are not written).
//
// A kind's parser declares
//   ExceptionListSection exceptions_{this, kSBXExceptions};   // member
//   AddSection(&exceptions_);                                  // in save order
// where kSBXExceptions = {kSBXExceptionEvents, kSBXExceptionItems}, and
// exposes exceptions_.list() as its `AppExceptionList`.
#ifndef XMLSECDB_MODEL_APP_EXCEPTION_SECTION_H_
#define XMLSECDB_MODEL_APP_EXCEPTION_SECTION_H_

#include <cstdint>
#include <span>
#include <string_view>

#include "core/section.h"
#include "model/app_exception.h"
#include "model/list_section.h"
#include "platform/xml_writer.h"

namespace xmlsecdb {

struct GuardName {
  std::uint32_t bit;
  std::string_view name;
};

// Every guard name, in the order a save lists them.
inline constexpr GuardName kGuardNamesInWriteOrder[] = {
    {OT_FILE, "File"},
    {OT_REGISTRY, "Registry"},
    {OT_SPAWNING, "Spawning"},
    {OT_SERVICE, "Service"},
    {OT_DEVICE, "Device"},
    {OT_COMOBJECT, "COM"},
    {OT_SYSTEMPRIV, "SystemPrivilege"},
    {OT_SPAWN_DLL, "DllLoading"},
    {OT_FW_TRANS, "iptransport"},
    {OT_IDLOCK, "IdLock"},
    {OT_PRIVACY, "Privacy"},
    {OT_ATTACHMENT, "Attachment"},
    {OT_URL_REQUEST, "UrlRequest"},
    {OT_ANTI_MALWARE, "AntiMalware"},
    {OT_DATA_INSPECTION, "DataInspection"},
};

// The guards each kind reads: its run of the table above (the masks
// below check each run).
inline constexpr auto kSandboxGuards = std::span(kGuardNamesInWriteOrder).first<8>();
inline constexpr auto kFirewallGuards = std::span(kGuardNamesInWriteOrder).subspan<8, 1>();
inline constexpr auto kContentFilterGuards = std::span(kGuardNamesInWriteOrder).subspan<9, 4>();
inline constexpr auto kAntiMalwareGuards = std::span(kGuardNamesInWriteOrder).subspan<13, 1>();
inline constexpr auto kDataInspectionGuards = std::span(kGuardNamesInWriteOrder).subspan<14, 1>();

// And its full mask.
inline constexpr std::uint32_t kSandboxFullMask = 0x201DF;
inline constexpr std::uint32_t kContentFilterFullMask = 0x40380000;
inline constexpr std::uint32_t kFirewallFullMask = 0x400;
inline constexpr std::uint32_t kAntiMalwareFullMask = 0x20;
inline constexpr std::uint32_t kDataInspectionFullMask = 0x4000000;

constexpr std::uint32_t MaskOf(std::span<const GuardName> guards) {
  std::uint32_t mask = 0;
  for (const GuardName& guard : guards) mask |= guard.bit;
  return mask;
}
// The sandbox's "*" also covers device privileges (0x100), a guard that
// has no name of its own.
static_assert((MaskOf(kSandboxGuards) | OT_DEVICEPRIV) == kSandboxFullMask);
static_assert(MaskOf(kContentFilterGuards) == kContentFilterFullMask);
static_assert(MaskOf(kFirewallGuards) == kFirewallFullMask);
static_assert(MaskOf(kAntiMalwareGuards) == kAntiMalwareFullMask);
static_assert(MaskOf(kDataInspectionGuards) == kDataInspectionFullMask);

// How one kind spells its `AppItem` elements.
struct AppItemVocabulary {
  std::span<const GuardName> guards;
  // "*" when reading; written as "*".
  std::uint32_t full_mask;
  // The mask of an `AppItem` without `activeGuardsMask`. Every kind uses
  // its full mask: the element's only purpose is to exempt the application
  // from the module, our saves always write the attribute, and a file
  // without it (hand-written, or older than guard masks) means the whole
  // module; an exception with no guards would exempt from nothing. The
  // creation default of an exception made through the interface stays 0.
  std::uint32_t absent_mask;
  // Details of message 110: neither or both of `app` and `app_id`; a
  // `priority` that is not "low", "normal" or "high".
  std::string_view wrong_app_suffix;
  std::string_view wrong_priority_suffix;
  // The kind's handler takes `AppItem` by name wherever it stands;
  // otherwise anywhere inside `ExceptionList`.
  bool by_name = false;
};

inline constexpr AppItemVocabulary kAMExceptionItems = {
    kAntiMalwareGuards, kAntiMalwareFullMask, kAntiMalwareFullMask,
    " Missing AppItem app or app_id.", " Missing AppItem priority."};
inline constexpr AppItemVocabulary kSBXExceptionItems = {
    kSandboxGuards, kSandboxFullMask, kSandboxFullMask, " Missing AppItem app or app_id.",
    " Missing AppItem priority."};
inline constexpr AppItemVocabulary kDIExceptionItems = {
    kDataInspectionGuards, kDataInspectionFullMask, kDataInspectionFullMask,
    " Missing AppItem app or app_id.", " Missing AppItem priority."};
inline constexpr AppItemVocabulary kCFExceptionItems = {
    kContentFilterGuards, kContentFilterFullMask, kContentFilterFullMask,
    " Missing AppItem app or app_id.", " Missing AppItem priority."};
inline constexpr AppItemVocabulary kFWExceptionItems = {kFirewallGuards,
                                                        kFirewallFullMask,
                                                        kFirewallFullMask,
                                                        " The appitem app or app_id must be used.",
                                                        " Wrong appitem priority.",
                                                        true};

struct AppExceptionSectionConfig {
  // The parser events of the list (inserted, removed, changed).
  const ListEventIds& events;
  const AppItemVocabulary& items;
};

class ExceptionListSection final : public ListSection<CAppExceptionList> {
 public:
  // `parser` owns the section and outlives it.
  ExceptionListSection(ParserCore* parser, const AppExceptionSectionConfig& config);

  // The mask `text` of `activeGuardsMask` stands for in this kind.
  std::uint32_t GuardsFromText(std::string_view text) const;
  // The `activeGuardsMask` text of `mask` in this kind (into `text`).
  void GuardsText(std::uint32_t mask, std::string* text) const;

  HRESULT StartElement(SectionReadContext& context, std::string_view name, std::string_view parent,
                       const SaxAttributes& attributes, bool* handled) override;
  HRESULT EndElement(SectionReadContext& context, std::string_view name, std::string_view parent,
                     std::string_view text) override;
  HRESULT Write(XmlWriter& writer) override;
  void Clear() override;

 private:
  HRESULT ReadAppItem(SectionReadContext& context, const SaxAttributes& attributes);

  const AppItemVocabulary& items_;
  // Whether the `ExceptionList` element is open.
  bool inside_ = false;
  // The exception whose `AppItem` element is open.
  ComPtr<CAppException> current_;
  XmlAttributes attributes_;
  std::string guards_text_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_APP_EXCEPTION_SECTION_H_

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
// Items are filled as every loader fills them (list/list_section.h).
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
#include "list/list_section.h"
#include "model/app_exception.h"
#include "platform/xml_writer.h"

namespace xmlsecdb {

struct GuardName {
  std::uint32_t bit;
  std::string_view name;
};

// Every guard name, in the order a save lists them. Each kind reads its
// own run of it (its `k<Kind>ExceptionItems`, in its folder).
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

// The mask of a run of guards, for the kinds' checks of their full masks.
constexpr std::uint32_t MaskOf(std::span<const GuardName> guards) {
  std::uint32_t mask = 0;
  for (const GuardName& guard : guards) mask |= guard.bit;
  return mask;
}

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

// The `GroupList` and `DllGroupList` sections.
//
//   <GroupList>
//     <Group id="editors" ot="File|COM" desc="Editors">
//       <LabelID>editor</LabelID>
//       <LabelID appflags="1" removeDate="2027-01-31T00:00:00">office</LabelID>
//     </Group>
//   </GroupList>
//   <DllGroupList>
//     <DllGroup id="runtime"><DllLabelID>libc</DllLabelID></DllGroup>
//   </DllGroupList>
//
// A reference whose label is missing while the file loads is kept with its
// text (the label may be added later, and dropping it would lose it at the
// next save); a reference list refuses a second reference with the same
// text, which ends the load (120).
#ifndef XMLSECDB_APP_APP_GROUP_SECTION_H_
#define XMLSECDB_APP_APP_GROUP_SECTION_H_

#include <string>
#include <string_view>

#include "app/app_group.h"
#include "app/app_words.h"
#include "core/section.h"
#include "list/list_section.h"
#include "platform/xml_writer.h"

namespace xmlsecdb {

// The `removeDate` text of an automation date ("2027-01-31T08:05:00"),
// and the date of such a text (0.0 when it has no date).
std::string RemoveDateText(double date);
double RemoveDateFromText(std::string_view text);
// The `ot` text of an object-type mask (names joined by "|"), and the
// mask of a text ("*" and absence: the default mask).
std::string ObjectTypeText(std::int32_t mask);
std::int32_t ObjectTypeFromText(std::optional<std::string_view> text);

class AppGroupSection final : public ListSection<CAppGroupList> {
 public:
  AppGroupSection(ParserCore* parser, AppRepository* repository)
      : ListSection(parser, "GroupList", "AppGroupList", kAppGroupEvents, repository) {}

  std::string_view combined_name() const override { return "LabelAll"; }
  HRESULT StartElement(SectionReadContext& context, std::string_view name, std::string_view parent,
                       const SaxAttributes& attributes, bool* handled) override;
  HRESULT EndElement(SectionReadContext& context, std::string_view name, std::string_view parent,
                     std::string_view text) override;
  HRESULT Write(XmlWriter& writer) override;
  void Clear() override;

 private:
  ComPtr<CAppGroup> group_;
  std::uint32_t ref_flags_ = 0;
  double ref_date_ = 0.0;
  XmlAttributes attributes_;
};

class DllGroupSection final : public ListSection<CDllGroupList> {
 public:
  DllGroupSection(ParserCore* parser, AppRepository* repository)
      : ListSection(parser, "DllGroupList", "DllGroupList", kDllGroupEvents, repository) {}

  std::string_view combined_name() const override { return "DllLabelAll"; }
  HRESULT StartElement(SectionReadContext& context, std::string_view name, std::string_view parent,
                       const SaxAttributes& attributes, bool* handled) override;
  HRESULT EndElement(SectionReadContext& context, std::string_view name, std::string_view parent,
                     std::string_view text) override;
  HRESULT Write(XmlWriter& writer) override;
  void Clear() override;

 private:
  ComPtr<CDllGroup> group_;
  XmlAttributes attributes_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_APP_APP_GROUP_SECTION_H_

// The `LabelList` and `DllLabelList` sections: one reader and writer for
// both label families, with the family's element names and failure texts
// in a LabelFormat.
//
//   <LabelList>
//     <Label id="editor" type="pathAndChksm" desc="Text editor" ar="AskUser" al="Severity2"
//            lm="1" proc_id="0000001A">
//       <Path>/usr/bin/editor</Path>
//       <Chksm binver="2.1" origname="editor">9f86d081...</Chksm>
//       <IdentityRedirection id="home"/>
//     </Label>
//   </LabelList>
//
// Loading sets the fields directly: no read-only test, no events, no type
// restriction and no checksum check. A label joins its list at its end tag
// (a taken ID ends the load with 106); a DLL label is appended.
#ifndef XMLSECDB_APP_APP_LABEL_SECTION_H_
#define XMLSECDB_APP_APP_LABEL_SECTION_H_

#include <string_view>

#include "app/app_label.h"
#include "app/app_words.h"
#include "core/section.h"
#include "list/list_section.h"
#include "platform/xml_writer.h"

namespace xmlsecdb {

struct LabelFormat {
  std::string_view list_element;  // "LabelList"
  std::string_view item_element;  // "Label"
  std::string_view property;      // the parser property, "LabelList"
  std::string_view combined;      // "LabelAll"
  const LabelFailureTexts& failures;
  const ListEventIds& events;
  // "CLabelList", for the save's debug lines (none when empty).
  std::string_view save_name;
};

inline constexpr LabelFormat kLabelFormat = {"LabelList",    "Label",        "LabelList",
                                             "LabelAll",     kLabelFailures, kLabelEvents,
                                             "CLabelList"};
inline constexpr LabelFormat kDllLabelFormat = {"DllLabelList",    "DllLabel",
                                                "DllLabelList",    "DllLabelAll",
                                                kDllLabelFailures, kDllLabelEvents,
                                                ""};

template <class List, class Label>
class LabelListSection final : public ListSection<List> {
 public:
  LabelListSection(ParserCore* parser, AppRepository* repository, const LabelFormat& format)
      : ListSection<List>(parser, format.list_element, format.property, format.events, repository),
        format_(format) {}

  std::string_view combined_name() const override { return format_.combined; }

  HRESULT StartElement(SectionReadContext& context, std::string_view name, std::string_view parent,
                       const SaxAttributes& attributes, bool* handled) override;
  HRESULT EndElement(SectionReadContext& context, std::string_view name, std::string_view parent,
                     std::string_view text) override;
  HRESULT Write(XmlWriter& writer) override;
  void Clear() override;

 private:
  HRESULT StartLabel(SectionReadContext& context, const SaxAttributes& attributes);
  HRESULT WriteLabel(XmlWriter& writer, const Label& label);

  const LabelFormat& format_;
  ComPtr<Label> label_;  // the label whose element is open
  ComPtr<ChecksumItem> checksum_;  // the `Chksm` open inside it
  XmlAttributes attributes_;
};

using LabelSection = LabelListSection<CLabelList, CLabel>;
using DllLabelSection = LabelListSection<CDllLabelList, CDllLabel>;

}  // namespace xmlsecdb

#endif  // XMLSECDB_APP_APP_LABEL_SECTION_H_

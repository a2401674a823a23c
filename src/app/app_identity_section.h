// The `IdentityRedirectionList` section.
//
//   <IdentityRedirectionList>
//     <IdentityRedirection id="host" type="svc" parsingtype="cmd" desc="Service host">
//       <Expression><Element desc="program">svchost</Element></Expression>
//       <Identity module="mod" desc="d">
//         <Path>/usr/lib/svc</Path><NewCmdLine>svc -k</NewCmdLine><Arg>-k</Arg>
//       </Identity>
//     </IdentityRedirection>
//   </IdentityRedirectionList>
//
// A redirection is inserted when its start tag is read (a second one with
// exactly the same ID ends the load with 106); its expression elements and
// identities then fill it in file order. The save writes every
// redirection's `Expression` (empty when it has no element) and, for each
// identity, its `module` and `desc`, `Path` and `NewCmdLine` as they are.
#ifndef XMLSECDB_APP_APP_IDENTITY_SECTION_H_
#define XMLSECDB_APP_APP_IDENTITY_SECTION_H_

#include <string>
#include <string_view>

#include "app/app_identity.h"
#include "core/section.h"
#include "list/list_section.h"
#include "platform/xml_writer.h"

namespace xmlsecdb {

// Redirections raise no parser events.
inline constexpr ListEventIds kIdentityRedirectionEvents = {.change_marks_modified = false};

class IdentityRedirectionSection final : public ListSection<CIdentityRedirectionList> {
 public:
  explicit IdentityRedirectionSection(ParserCore* parser)
      : ListSection(parser, "IdentityRedirectionList", "IdentityRedirectionList",
                    kIdentityRedirectionEvents) {}

  HRESULT StartElement(SectionReadContext& context, std::string_view name, std::string_view parent,
                       const SaxAttributes& attributes, bool* handled) override;
  HRESULT EndElement(SectionReadContext& context, std::string_view name, std::string_view parent,
                     std::string_view text) override;
  HRESULT Write(XmlWriter& writer) override;
  void Clear() override;

 private:
  HRESULT WriteOne(XmlWriter& writer, const CIdentityRedirection& redirection);

  ComPtr<CIdentityRedirection> redirection_;  // being read
  ComPtr<CIdentity> identity_;                // being read
  std::string element_desc_;                  // of the `Element` being read
  XmlAttributes attributes_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_APP_APP_IDENTITY_SECTION_H_

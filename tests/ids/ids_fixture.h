// Helpers of the IDS tests: a parser loaded from an inline document body,
// the text a save writes for the groups, and short ways to build groups,
// rules and tokens through the object model.
#ifndef XMLSECDB_TESTS_IDS_IDS_FIXTURE_H_
#define XMLSECDB_TESTS_IDS_IDS_FIXTURE_H_

#include <string>
#include <string_view>

#include "ids/ids_parser.h"
#include "testing/secdb_document.h"
#include "testing/temp_dir.h"
#include "xmlsecdb/ids.h"

namespace xmlsecdb::testing {

inline ComPtr<CIDSParser> MakeIDSParser() { return MakeObject<CIDSParser>(); }

inline std::string IDSDocument(std::string_view body) {
  return SecDbDocument("IDS", body);
}

// Loads a database whose sections are `body`.
inline HRESULT LoadIDSBody(CIDSParser* parser, std::string_view body) {
  TempDir dir;
  const std::string path = dir.File("ids.xml");
  WriteFileBytes(path, IDSDocument(body));
  return parser->Load(path, 0);
}

// A rule element with every required attribute; `extra` goes at the end.
inline std::string RuleElement(std::string_view extra = {}, std::string_view tokens = {}) {
  std::string rule =
      "<Rule al=\"Severity3\" ar=\"Prevent\" dir=\"in\" prot=\"tcp\" locaddr_id=\"l\" "
      "remaddr_id=\"r\" sid=\"7\"";
  if (!extra.empty()) rule += " " + std::string(extra);
  if (tokens.empty()) return rule + "/>";
  return rule + ">" + std::string(tokens) + "</Rule>";
}

inline std::string GroupElement(std::string_view rules, std::string_view id = "g") {
  return "<RuleList id=\"" + std::string(id) + "\" name=\"n\">" + std::string(rules) +
         "</RuleList>";
}

// What a save writes for the groups, without the document frame.
inline std::string GroupsText(CIDSParser* parser) {
  std::string xml;
  if (Failed(parser->XmlEx("RuleList", &xml))) return "<failed>";
  std::size_t start = xml.find('\n', xml.find("<Module")) + 1;
  std::size_t end = xml.rfind("</SecDb>");
  return end != std::string::npos && end >= start ? xml.substr(start, end - start) : std::string();
}

// The first group, its first rule, and that rule's first token.
inline CIDSGroup* FirstGroup(CIDSParser* parser) {
  ComPtr<IIDSGroupList> groups;
  if (Failed(parser->get_GroupList(groups.Put()))) return nullptr;
  auto* list = static_cast<CIDSGroupList*>(groups.get());
  return list->count() > 0 ? list->at(0) : nullptr;
}
inline CIDSRule* FirstRule(CIDSParser* parser) {
  CIDSGroup* group = FirstGroup(parser);
  return group && group->rules()->count() > 0 ? group->rules()->at(0) : nullptr;
}
inline CIDSToken* FirstToken(CIDSParser* parser) {
  CIDSRule* rule = FirstRule(parser);
  return rule && rule->tokens()->count() > 0 ? rule->tokens()->at(0) : nullptr;
}

}  // namespace xmlsecdb::testing

#endif  // XMLSECDB_TESTS_IDS_IDS_FIXTURE_H_

// A test parser kind that carries one rule-set section and one exception
// section, loaded from inline document bodies.
#ifndef XMLSECDB_TESTS_MODEL_SECTION_PARSER_H_
#define XMLSECDB_TESTS_MODEL_SECTION_PARSER_H_

#include <string>
#include <string_view>

#include "am/am_words.h"
#include "cf/cf_words.h"
#include "core/parser_kinds.h"
#include "core/parser_object.h"
#include "model/app_exception_section.h"
#include "model/rule_set_section.h"
#include "testing/temp_dir.h"
#include "xmlsecdb/classes.h"

namespace xmlsecdb::testing {

inline constexpr ListEventIds kTestExceptionEvents = {29, 30, 31, 32, 33, 34};

// The sections are wired the way a kind wires them, with the vocabularies
// chosen by the test.
class SectionParser final : public ParserObjectEx<ISDParserEx> {
 public:
  SectionParser(const AppItemVocabulary& items, const RuleSetSectionConfig& sets)
      : ParserObjectEx(ParserKindOf(MODULE_AM)),
        config_{kTestExceptionEvents, items},
        exceptions(this, config_),
        rule_sets(this, sets) {
    AddSection(&exceptions);
    AddSection(&rule_sets);
  }

 private:
  AppExceptionSectionConfig config_;

 public:
  ExceptionListSection exceptions;
  RuleSetListSection rule_sets;
};

inline ComPtr<SectionParser> MakeSectionParser(
    const AppItemVocabulary& items = kCFExceptionItems,
    const RuleSetSectionConfig& rule_sets = kAMRuleSets) {
  return MakeObject<SectionParser>(items, rule_sets);
}

// Loads a database whose sections are `body`.
inline HRESULT LoadBody(SectionParser* parser, std::string_view body) {
  TempDir dir;
  const std::string path = dir.File("db.xml");
  WriteFileBytes(path, "<SecDb><VersionInfo major=\"1\"/><Module id=\"AntiMalware\"/>" +
                           std::string(body) + "</SecDb>");
  return parser->Load(path, 0);
}

// Saves `parser` to a file and loads that file into `into`.
inline HRESULT SaveAndReload(SectionParser* parser, SectionParser* into) {
  TempDir dir;
  const std::string path = dir.File("saved.xml");
  HRESULT hr = parser->Save(path);
  return Failed(hr) ? hr : into->Load(path, 0);
}

// The text a save writes for `section` alone, without the document frame.
inline std::string SectionText(SectionParser* parser, std::string_view section) {
  std::string xml;
  if (Failed(parser->XmlEx(section, &xml))) return "<failed>";
  std::size_t module = xml.find("<Module");
  std::size_t start = xml.find('\n', module) + 1;
  std::size_t end = xml.rfind("</SecDb>");
  return start > 0 && end != std::string::npos && end >= start ? xml.substr(start, end - start)
                                                               : std::string();
}

}  // namespace xmlsecdb::testing

#endif  // XMLSECDB_TESTS_MODEL_SECTION_PARSER_H_

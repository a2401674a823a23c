// A test parser whose only section is a DefinitionsSection, and a sink that
// records the events it raises.
#ifndef XMLSECDB_TESTS_MODEL_DEFINITIONS_FIXTURE_H_
#define XMLSECDB_TESTS_MODEL_DEFINITIONS_FIXTURE_H_

#include <string>
#include <string_view>
#include <vector>

#include "am/am_words.h"
#include "core/parser_kinds.h"
#include "core/parser_object.h"
#include "model/definitions_section.h"
#include "testing/hresult_matchers.h"
#include "testing/temp_dir.h"
#include "xmlsecdb/classes.h"

namespace xmlsecdb::testing {

class DefinitionsParser final : public ParserObjectEx<ISDParserEx> {
 public:
  explicit DefinitionsParser(const DefinitionsConfig& config = kAMDefinitions)
      : ParserObjectEx(ParserKindOf(MODULE_AM)), definitions(this, config) {
    AddSection(&definitions);
  }
  CDefinitionList* list() const { return definitions.list(); }
  using ParserCore::modified_flags;

  DefinitionsSection definitions;
};

// Records each event as "<dispid>" followed by one letter per argument:
// "d" for an object that is a definition, "i" for any other object, "0"
// for a null object, and the number for an integer.
class DefinitionEventLog final : public ComObject<IDispatch> {
 public:
  HRESULT Invoke(DISPID dispid, const Variant* args, std::uint32_t count, Variant*) override {
    std::string line = std::to_string(dispid);
    for (std::uint32_t i = 0; i < count; ++i) {
      line += ' ';
      if (const std::int32_t* n = args[i].as_int()) {
        line += std::to_string(*n);
      } else if (const ComPtr<IUnknown>* object = args[i].as_object()) {
        ComPtr<IDefinition> definition;
        line += !*object ? "0" : Succeeded(object->As(&definition)) ? "d" : "i";
      }
    }
    lines.push_back(line);
    return S_OK;
  }
  std::vector<std::string> lines;
};

inline ComPtr<DefinitionEventLog> ListenTo(DefinitionsParser& parser) {
  ComPtr<DefinitionEventLog> log = MakeObject<DefinitionEventLog>();
  std::uint32_t cookie = 0;
  EXPECT_OK(parser.events().Advise(log->unknown(), &cookie));
  return log;
}

// Loads a database whose sections are `body`.
inline HRESULT LoadBody(DefinitionsParser& parser, std::string_view body) {
  TempDir dir;
  const std::string path = dir.File("defs.xml");
  WriteFileBytes(path, "<SecDb><VersionInfo major=\"1\" minor=\"0\"/><Module id=\"AntiMalware\"/>" +
                           std::string(body) + "</SecDb>");
  return parser.Load(path, 0);
}

}  // namespace xmlsecdb::testing

#endif  // XMLSECDB_TESTS_MODEL_DEFINITIONS_FIXTURE_H_

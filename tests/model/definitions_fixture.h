// A test parser whose only section is a DefinitionsSection, and a sink that
// records the events it raises.
#ifndef XMLSECDB_TESTS_MODEL_DEFINITIONS_FIXTURE_H_
#define XMLSECDB_TESTS_MODEL_DEFINITIONS_FIXTURE_H_

#include <string>
#include <string_view>
#include <vector>

#include "model/definitions_section.h"
#include "testing/hresult_matchers.h"
#include "testing/test_parser.h"

namespace xmlsecdb::testing {

// Object types a test's definitions read: a file, a time and an
// anti-malware object.
inline constexpr Spelling<EObjectType> kTestDefinitionTypes[] = {
    {OT_FILE, "File"}, {OT_TIME, "time"}, {OT_ANTI_MALWARE, "AntiMalware"}};
inline constexpr DefinitionsConfig kTestDefinitions = {.object_types = kTestDefinitionTypes,
                                                       .definition_events = kDefinitionEvents,
                                                       .item_events = kSimpleItemEvents};

// A test parser whose only section is `Definitions` read with `config`.
inline ComPtr<TestParser> MakeDefinitionsParser(
    const DefinitionsConfig& config = kTestDefinitions) {
  ComPtr<TestParser> parser = MakeObject<TestParser>();
  parser->AddSection<DefinitionsSection>(config);
  return parser;
}

inline CDefinitionList* DefinitionsOf(TestParser& parser) {
  return parser.section<DefinitionsSection>().list();
}

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

inline ComPtr<DefinitionEventLog> ListenTo(TestParser& parser) {
  ComPtr<DefinitionEventLog> log = MakeObject<DefinitionEventLog>();
  std::uint32_t cookie = 0;
  EXPECT_OK(parser.events().Advise(log->unknown(), &cookie));
  return log;
}

}  // namespace xmlsecdb::testing

#endif  // XMLSECDB_TESTS_MODEL_DEFINITIONS_FIXTURE_H_

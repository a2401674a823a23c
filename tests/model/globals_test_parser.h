// A test parser whose only section is a GlobalsSection with the given
// config. Files name the module "AntiMalware"; the config's module number
// chooses the option names.
#ifndef XMLSECDB_TESTS_MODEL_GLOBALS_TEST_PARSER_H_
#define XMLSECDB_TESTS_MODEL_GLOBALS_TEST_PARSER_H_

#include "am/am_words.h"
#include "core/parser_object.h"
#include "list/test_lists.h"
#include "model/globals_section.h"
#include "xmlsecdb/classes.h"

namespace xmlsecdb::testing {

// The global option events as the sandbox parser numbers them.
inline constexpr ListEventIds kGlobalsTestEvents = {5, 6, 7, 8, 9, 10};

inline constexpr GlobalsConfig kAMGlobalsTest = {.option_names = kAntiMalwareOptionNames,
                                                 .events = kGlobalsTestEvents,
                                                 .reads_string_lists = true};

inline constexpr ParserKind kGlobalsTestKind = {
    .abbreviation = "test",
    .coclass = "XMLSDParserAM",
    .class_name = "CAMParser",
    .handler_name = "CDbContentHandlerAM",
    .module_id = MODULE_AM,
    .module_text = "AntiMalware",
    .schema_file = "AntiMalware.xsd",
    .schema_location = "",
    .clsid = &CLSID_XMLSDParserAM,
    .parser_iid = &ISDParser::kIID,
    .events_iid = &DIID_TestEvents,
    .master_iid = &ISDParser::kIID,
    .events_off_while_loading = false,
    .module_check = ModuleCheck::kExactText,
    .missing_major_suffix = "",
    .writes_custom_sections = false,
};

class GlobalsTestParser final : public ParserObject<ISDParser> {
 public:
  explicit GlobalsTestParser(const GlobalsConfig& config = kAMGlobalsTest)
      : ParserObject(kGlobalsTestKind), globals_(this, config) {
    AddSection(&globals_);
  }
  CGlobalPropertyList* options() const { return globals_.list(); }

 private:
  GlobalsSection globals_;
};

}  // namespace xmlsecdb::testing

#endif  // XMLSECDB_TESTS_MODEL_GLOBALS_TEST_PARSER_H_

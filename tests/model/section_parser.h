// A test parser with one exception section and one rule-set section, read
// with the vocabularies the test chooses.
#ifndef XMLSECDB_TESTS_MODEL_SECTION_PARSER_H_
#define XMLSECDB_TESTS_MODEL_SECTION_PARSER_H_

#include "cf/cf_words.h"
#include "model/app_exception_section.h"
#include "model/rule_set_section.h"
#include "testing/test_parser.h"

namespace xmlsecdb::testing {

inline constexpr ListEventIds kTestExceptionEvents = {29, 30, 31, 32, 33, 34};

// Rule sets read only inside `RuleSetList`.
inline constexpr RuleSetSectionConfig kTestRuleSets = {" Missing ruleset id."};

// The sections are added the way a kind adds them: exceptions, then rule
// sets. `items` and `rule_sets` must outlive the parser.
inline ComPtr<TestParser> MakeSectionParser(const AppItemVocabulary& items = kCFExceptionItems,
                                            const RuleSetSectionConfig& rule_sets = kTestRuleSets) {
  ComPtr<TestParser> parser = MakeObject<TestParser>();
  parser->AddSection<ExceptionListSection>(
      parser->Keep(AppExceptionSectionConfig{kTestExceptionEvents, items}));
  parser->AddSection<RuleSetListSection>(rule_sets);
  return parser;
}

inline ExceptionListSection& Exceptions(TestParser& parser) {
  return parser.section<ExceptionListSection>(0);
}
inline RuleSetListSection& RuleSets(TestParser& parser) {
  return parser.section<RuleSetListSection>(1);
}

}  // namespace xmlsecdb::testing

#endif  // XMLSECDB_TESTS_MODEL_SECTION_PARSER_H_

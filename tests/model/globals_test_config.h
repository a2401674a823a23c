// A `Globals` section configuration for tests of the shared section: one
// option name of its own besides the custom ones, string lists read.
#ifndef XMLSECDB_TESTS_MODEL_GLOBALS_TEST_CONFIG_H_
#define XMLSECDB_TESTS_MODEL_GLOBALS_TEST_CONFIG_H_

#include "model/globals_section.h"

namespace xmlsecdb::testing {

// The global option events as the sandbox parser numbers them.
inline constexpr ListEventIds kGlobalsTestEvents = {5, 6, 7, 8, 9, 10};

inline constexpr OptionName kTestOptionNames[] = {{"Mode", 0x7E000001}};

inline constexpr GlobalsConfig kTestGlobals = {.option_names = kTestOptionNames,
                                               .events = kGlobalsTestEvents,
                                               .reads_string_lists = true};

}  // namespace xmlsecdb::testing

#endif  // XMLSECDB_TESTS_MODEL_GLOBALS_TEST_CONFIG_H_

// A `Globals` section configuration for tests of the shared section (one
// option name of its own besides the custom ones, string lists read), and
// the section's text in what a parser writes.
#ifndef XMLSECDB_TESTS_MODEL_GLOBALS_TEST_CONFIG_H_
#define XMLSECDB_TESTS_MODEL_GLOBALS_TEST_CONFIG_H_

#include <string>
#include <string_view>

#include "model/globals_section.h"
#include "testing/hresult_matchers.h"
#include "xmlsecdb/parser.h"

namespace xmlsecdb::testing {

// The global option events as the sandbox parser numbers them.
inline constexpr ListEventIds kGlobalsTestEvents = {5, 6, 7, 8, 9, 10};

inline constexpr OptionName kTestOptionNames[] = {{"Mode", 0x7E000001}};

inline constexpr GlobalsConfig kTestGlobals = {
    .option_names = kTestOptionNames, .events = kGlobalsTestEvents, .reads_string_lists = true};

// The `Globals` element of the parser's text.
inline std::string GlobalsText(ISDParser& parser) {
  std::string xml;
  EXPECT_OK(parser.get_Xml(&xml));
  constexpr std::string_view kEmpty = "\t<Globals/>\n";
  constexpr std::string_view kEnd = "</Globals>\n";
  std::size_t begin = xml.find("\t<Globals");
  if (begin == std::string::npos) return xml;
  if (xml.compare(begin, kEmpty.size(), kEmpty) == 0) return std::string(kEmpty);
  std::size_t end = xml.find(kEnd, begin);
  if (end == std::string::npos) return xml;
  return xml.substr(begin, end + kEnd.size() - begin);
}

}  // namespace xmlsecdb::testing

#endif  // XMLSECDB_TESTS_MODEL_GLOBALS_TEST_CONFIG_H_

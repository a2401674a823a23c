// The text of a whole database for tests: the version element, the module
// element naming `module`, then the sections in `body`.
#ifndef XMLSECDB_TESTS_TESTING_SECDB_DOCUMENT_H_
#define XMLSECDB_TESTS_TESTING_SECDB_DOCUMENT_H_

#include <string>
#include <string_view>

namespace xmlsecdb::testing {

inline constexpr std::string_view kVersionOne = "<VersionInfo major=\"1\"/>";

inline std::string SecDbDocument(std::string_view module, std::string_view body = {},
                                 std::string_view version = kVersionOne) {
  std::string text = "<SecDb>";
  text += version;
  text += "<Module id=\"";
  text += module;
  text += "\"/>";
  text += body;
  text += "</SecDb>";
  return text;
}

}  // namespace xmlsecdb::testing

#endif  // XMLSECDB_TESTS_TESTING_SECDB_DOCUMENT_H_

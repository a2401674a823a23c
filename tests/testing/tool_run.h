// Running the `secdb` tool of this build from a test.
#ifndef XMLSECDB_TESTS_TESTING_TOOL_RUN_H_
#define XMLSECDB_TESTS_TESTING_TOOL_RUN_H_

#include <string>
#include <string_view>

#include "testing/temp_dir.h"

namespace xmlsecdb::testing {

struct ToolRun {
  int status;  // the exit status, or -1 when the tool did not exit
  std::string out;
  std::string err;
};

// Runs `secdb` with `arguments` (shell words) and no input, capturing its
// output through files in `dir`.
ToolRun RunSecdb(const TempDir& dir, const std::string& arguments);
// The same with `input` on its standard input.
ToolRun RunSecdb(const TempDir& dir, const std::string& arguments, std::string_view input);

}  // namespace xmlsecdb::testing

#endif  // XMLSECDB_TESTS_TESTING_TOOL_RUN_H_

#include "testing/tool_run.h"

#include <sys/wait.h>

#include <cstdlib>

namespace xmlsecdb::testing {

ToolRun RunSecdb(const TempDir& dir, const std::string& arguments) {
  return RunSecdb(dir, arguments, {});
}

ToolRun RunSecdb(const TempDir& dir, const std::string& arguments, std::string_view input) {
  const std::string out = dir.File("stdout");
  const std::string err = dir.File("stderr");
  const std::string in = dir.File("stdin");
  WriteFileBytes(in, input);
  const std::string command =
      std::string(SECDB_TOOL_PATH) + " " + arguments + " >" + out + " 2>" + err + " <" + in;
  int raw = std::system(command.c_str());
  return ToolRun{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFileBytes(out), ReadFileBytes(err)};
}

}  // namespace xmlsecdb::testing

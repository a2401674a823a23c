#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "testing/temp_dir.h"

namespace xmlsecdb {
namespace {

// A registry store in `dir` that turns the debug log on, writing to the
// new directory `logs`; returns the store's path.
std::string WriteLoggingStore(const testing::TempDir& dir, const std::string& logs) {
  std::filesystem::create_directory(logs);
  const std::string store = dir.File("registry.reg");
  std::ofstream out(store);
  out << "Windows Registry Editor Version 5.00\n"
         "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\ZelCfg]\n"
         "\"LogEnable\"=dword:00000001\n"
         "\"LogPath\"=\""
      << logs << "\"\n";
  return store;
}

// The tool links the shared library, so running it loads and unloads the
// library once; with logging enabled in its store, both show in the log.
TEST(ModuleLifetimeTest, SharedLibraryLogsLoadAndUnload) {
  testing::TempDir dir;
  const std::string logs = dir.File("logs");
  const std::string store = WriteLoggingStore(dir, logs);
  const std::string command =
      "XMLSECDB_REGISTRY='" + store + "' '" SECDB_TOOL_PATH "' --version >/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);

  std::ifstream in(logs + "/ZelXmlSDLog.txt", std::ios::binary);
  ASSERT_TRUE(in) << "no log file";
  std::stringstream text;
  text << in.rdbuf();
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(text, line)) lines.push_back(line);
  // "Log file created", the load, and last the unload; each line starts
  // with the thread id and ends in CRLF.
  ASSERT_GE(lines.size(), 3u) << text.str();
  EXPECT_TRUE(lines[1].starts_with("[")) << lines[1];
  EXPECT_TRUE(lines[1].ends_with("] ZelXmlSd: Library loaded\r")) << lines[1];
  EXPECT_TRUE(lines.back().ends_with("] ZelXmlSd: Library unloaded\r")) << lines.back();
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// A failing operation writes its "Error in" line with the thread prefix; a
// second process never reuses the first one's file.
TEST(ModuleLifetimeTest, FailuresAreLoggedAndEachProcessGetsItsOwnFile) {
  testing::TempDir dir;
  const std::string logs = dir.File("logs");
  const std::string store = WriteLoggingStore(dir, logs);
  const std::string missing = dir.File("missing.xml");
  const std::string command = "XMLSECDB_REGISTRY='" + store + "' '" SECDB_TOOL_PATH
                              "' check --kind am '" + missing + "' >/dev/null 2>&1";
  ASSERT_EQ(WEXITSTATUS(std::system(command.c_str())), 1);
  ASSERT_EQ(WEXITSTATUS(std::system(command.c_str())), 1);

  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(logs)) {
    files.push_back(entry.path().string());
  }
  ASSERT_EQ(files.size(), 2u);
  const std::string expected = "] ZelXmlSd: Error in CAMParser::ReportParseError: XML file " +
                               missing + " was not found.\r\n";
  for (const std::string& file : files) {
    const std::string text = ReadAll(file);
    std::size_t at = text.find(expected);
    ASSERT_NE(at, std::string::npos) << file << ":\n" << text;
    std::size_t line = text.rfind('\n', at) + 1;
    EXPECT_EQ(text[line], '[') << text;
  }
}

}  // namespace
}  // namespace xmlsecdb

// A temporary directory for one test, removed with everything in it.
#ifndef XMLSECDB_TESTS_TESTING_TEMP_DIR_H_
#define XMLSECDB_TESTS_TESTING_TEMP_DIR_H_

#include <string>
#include <string_view>

namespace xmlsecdb::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string File(std::string_view name) const { return path_ + "/" + std::string(name); }

 private:
  std::string path_;
};

void WriteFileBytes(const std::string& path, std::string_view bytes);
// The file's bytes, or "" when it cannot be read.
std::string ReadFileBytes(const std::string& path);
bool PathExists(const std::string& path);
// `utf8` as a database file image: FF FE mark and UTF-16LE text.
std::string Utf16Image(std::string_view utf8);

}  // namespace xmlsecdb::testing

#endif  // XMLSECDB_TESTS_TESTING_TEMP_DIR_H_

// A directory of its own for one test, removed with everything in it.
#ifndef XMLSECDB_TESTS_TESTING_TEMP_DIR_H_
#define XMLSECDB_TESTS_TESTING_TEMP_DIR_H_

#include <stdlib.h>

#include <filesystem>
#include <string>

namespace xmlsecdb::testing {

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "xmlsecdb-XXXXXX").string();
    if (::mkdtemp(pattern.data())) path_ = pattern;
  }
  ~TempDir() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace xmlsecdb::testing

#endif  // XMLSECDB_TESTS_TESTING_TEMP_DIR_H_

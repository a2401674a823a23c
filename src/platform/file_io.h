// File operations of the operating system: whole-file reads, and writes and
// copies that never leave a half-written file in place of a good one. The
// library reaches them through the environment's FileSystem
// (file_system.h), never directly.
#ifndef XMLSECDB_PLATFORM_FILE_IO_H_
#define XMLSECDB_PLATFORM_FILE_IO_H_

#include <string>
#include <string_view>

#include "xmlsecdb/result.h"

namespace xmlsecdb {

bool FileExists(const std::string& path);

// Reads the whole file into *bytes. INET_E_RESOURCE_NOT_FOUND-free: the
// platform error as an HRESULT on failure.
HRESULT ReadWholeFile(const std::string& path, std::string* bytes);

// Replaces `path` with `data` through an AtomicFileWriter.
HRESULT WriteFileAtomically(const std::string& path, std::string_view data);

// A file written in pieces that replaces `path` only when committed: the
// pieces go to a temporary file in the same directory, which Commit flushes
// to disk and renames over `path`. Any failure, or destruction before
// Commit, removes the temporary file and leaves `path` exactly as it was.
// An existing file's permission bits are kept; a new file gets 0644 less
// the umask.
class AtomicFileWriter {
 public:
  AtomicFileWriter() = default;
  ~AtomicFileWriter() { Discard(); }
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  [[nodiscard]] HRESULT Open(const std::string& path);
  [[nodiscard]] HRESULT Append(std::string_view data);
  [[nodiscard]] HRESULT Commit();

 private:
  void Discard();

  std::string path_;
  std::string temp_;
  int fd_ = -1;
  unsigned mode_ = 0;
  bool keep_mode_ = false;
};

// Copies `from` over `to` through WriteFileAtomically.
HRESULT CopyFileAtomically(const std::string& from, const std::string& to);

// The directory part of `path` (before its last '/'), or "." when it has
// none.
std::string DirectoryOf(const std::string& path);

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_FILE_IO_H_

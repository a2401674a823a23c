// FileSystem: the files a parser reads, writes and watches, behind one
// interface so that tests and tools can put memory or failing disks in its
// place.
//
// The real one (DefaultFileSystem) is the operating system's, with the
// guarantees of file_io.h: whole-file writes replace their target only once
// the new content is on disk. MemoryFileSystem (memory_file_system.h) keeps
// files in memory. Implementations may be called from any thread; the
// objects they hand out are used by one thread at a time.
#ifndef XMLSECDB_PLATFORM_FILE_SYSTEM_H_
#define XMLSECDB_PLATFORM_FILE_SYSTEM_H_

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "xmlsecdb/result.h"

namespace xmlsecdb {

// A file read from its start in pieces.
class SequentialFile {
 public:
  virtual ~SequentialFile() = default;
  // Reads up to `size` bytes into `buffer` and stores how many in *got; 0
  // means the end of the file. A platform error as an HRESULT on failure.
  [[nodiscard]] virtual HRESULT Read(char* buffer, std::size_t size, std::size_t* got) = 0;
};

// A file written in pieces that replaces its path only when committed.
// Any failure, or destruction before Commit, leaves the path exactly as it
// was. After a failed Append or Commit the file is discarded: further calls
// fail.
class AtomicFile {
 public:
  virtual ~AtomicFile() = default;
  [[nodiscard]] virtual HRESULT Append(std::string_view data) = 0;
  [[nodiscard]] virtual HRESULT Commit() = 0;
};

// Tells whether anything changed in one directory since the watch began
// (see dir_watch.h for what counts as a change).
class DirectoryWatch {
 public:
  virtual ~DirectoryWatch() = default;
  // Non-blocking; once true, stays true.
  virtual bool Signalled() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True for an existing file that is not a directory.
  virtual bool FileExists(const std::string& path) = 0;
  // Reads the whole file into *bytes; the platform error as an HRESULT on
  // failure.
  [[nodiscard]] virtual HRESULT ReadWholeFile(const std::string& path, std::string* bytes) = 0;
  // Opens an existing file for reading; stores nullptr in *file on error.
  [[nodiscard]] virtual HRESULT NewSequentialFile(const std::string& path,
                                                  std::unique_ptr<SequentialFile>* file) = 0;
  // Starts a file that will replace `path` when committed; stores nullptr
  // in *file on error. An existing file's permission bits are kept.
  [[nodiscard]] virtual HRESULT NewAtomicFile(const std::string& path,
                                              std::unique_ptr<AtomicFile>* file) = 0;
  // Starts watching `directory`; nullptr when it cannot be watched.
  virtual std::unique_ptr<DirectoryWatch> WatchDirectory(const std::string& directory) = 0;

  // Replaces `path` with `data` through one AtomicFile.
  [[nodiscard]] HRESULT WriteWholeFile(const std::string& path, std::string_view data);
  // Copies `from` over `to` the same way.
  [[nodiscard]] HRESULT CopyFile(const std::string& from, const std::string& to);
};

// The operating system's file system. Lives for the whole process.
FileSystem& DefaultFileSystem();

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_FILE_SYSTEM_H_

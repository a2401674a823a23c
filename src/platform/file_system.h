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
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "xmlsecdb/result.h"

namespace xmlsecdb {

// Who owns a file, and its permission bits.
struct FileOwner {
  std::uint32_t uid = 0;
  std::uint32_t gid = 0;
  std::uint32_t mode = 0644;  // the low 12 bits of st_mode
  bool operator==(const FileOwner&) const = default;
};

// The failure for a path that must be a regular file and is a device, a
// FIFO or a socket.
inline constexpr HRESULT kNotRegularFile = MakeResult(0x8004F003);
// HResultFromWin32(ENOENT): what reads report for a file that is not there.
inline constexpr HRESULT kFileNotFound = HResultFromWin32(2);

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
  // True when anything is at `path`, a dangling symbolic link included
  // (lstat's view).
  virtual bool PathExists(const std::string& path) = 0;
  // True when `path` (its links followed) is a regular file.
  virtual bool IsRegularFile(const std::string& path) = 0;
  // The owner, group and permission bits of the file at `path` (its links
  // followed).
  [[nodiscard]] virtual HRESULT GetOwner(const std::string& path, FileOwner* owner) = 0;
  // Reads the whole file into *bytes; the platform error as an HRESULT on
  // failure: kFileNotFound when it does not exist, another code
  // when it exists but cannot be read, kNotRegularFile for a device or FIFO.
  [[nodiscard]] virtual HRESULT ReadWholeFile(const std::string& path, std::string* bytes) = 0;
  // Opens an existing file for reading; stores nullptr in *file on error
  // (the codes of ReadWholeFile).
  [[nodiscard]] virtual HRESULT NewSequentialFile(const std::string& path,
                                                  std::unique_ptr<SequentialFile>* file) = 0;
  // Starts a file that will replace `path` when committed; stores nullptr
  // in *file on error. The file gets `owner` when given, else an existing
  // file's owner and permission bits (see AtomicFileWriter in file_io.h
  // for links and targets that are no regular file).
  [[nodiscard]] virtual HRESULT NewAtomicFile(const std::string& path, const FileOwner* owner,
                                              std::unique_ptr<AtomicFile>* file) = 0;
  // Renames `path` to the first of "<path>.1", "<path>.2", ... that is
  // free, never replacing a file, and stores that name in *moved_to.
  [[nodiscard]] virtual HRESULT MoveToNumbered(const std::string& path, std::string* moved_to) = 0;
  // Starts watching `directory`; nullptr when it cannot be watched.
  virtual std::unique_ptr<DirectoryWatch> WatchDirectory(const std::string& directory) = 0;

  [[nodiscard]] HRESULT NewAtomicFile(const std::string& path, std::unique_ptr<AtomicFile>* file) {
    return NewAtomicFile(path, nullptr, file);
  }
  // Replaces `path` with `data` through one AtomicFile.
  [[nodiscard]] HRESULT WriteWholeFile(const std::string& path, std::string_view data,
                                       const FileOwner* owner = nullptr);
  // Copies `from` over `to` the same way.
  [[nodiscard]] HRESULT CopyFile(const std::string& from, const std::string& to,
                                 const FileOwner* owner = nullptr);
};

// The operating system's file system. Lives for the whole process.
FileSystem& DefaultFileSystem();

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_FILE_SYSTEM_H_

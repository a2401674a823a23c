// File operations of the operating system: whole-file reads, and writes and
// copies that never leave a half-written file in place of a good one. The
// library reaches them through the environment's FileSystem
// (file_system.h), never directly.
#ifndef XMLSECDB_PLATFORM_FILE_IO_H_
#define XMLSECDB_PLATFORM_FILE_IO_H_

#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "xmlsecdb/result.h"

namespace xmlsecdb {

bool FileExists(const std::string& path);

// Reads the whole regular file into *bytes: the platform error as an
// HRESULT on failure, kNotRegularFile for a FIFO, socket or device (opened
// without blocking, so that none of them can hang the read).
HRESULT ReadWholeFile(const std::string& path, std::string* bytes);

// Replaces `path` with `data` through an AtomicFileWriter.
HRESULT WriteFileAtomically(const std::string& path, std::string_view data);

// A file written in pieces that replaces `path` only when committed.
//
// The pieces go to an unnamed file (O_TMPFILE) in the target's directory,
// which Commit flushes to disk, names "<target>.tmp<16 hex digits>" and
// renames over the target; where the file system has no unnamed files the
// temporary file is named from the start. Either way a process killed at
// any moment leaves the target complete, old or new, and at most a named
// temporary file, which the next writer of the same target removes (a
// named temporary file is locked while its writer lives, and a locked one
// is left alone). Any failure, or destruction before Commit, removes the
// temporary file and leaves `path` exactly as it was.
//
// A symbolic link is followed: its target is replaced and the link stays.
// A target that exists must be a regular file (else kNotRegularFile, or
// EISDIR for a directory). The new file gets `owner` when given, else the
// existing file's owner, group and permission bits; owner and group are
// set where the process may (a refused fchown is ignored). A new file
// without `owner` gets 0644 less the umask.
class AtomicFileWriter {
 public:
  AtomicFileWriter() = default;
  ~AtomicFileWriter() { Discard(); }
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  [[nodiscard]] HRESULT Open(const std::string& path, const FileOwner* owner = nullptr);
  [[nodiscard]] HRESULT Append(std::string_view data);
  [[nodiscard]] HRESULT Commit();

  // Whether the temporary file is unnamed (O_TMPFILE), for tests.
  bool unnamed() const { return unnamed_; }

  // For tests: makes Open act as if the file system had no unnamed files.
  static void DisableUnnamedFilesForTesting(bool disabled);

 private:
  HRESULT OpenNamed(unsigned mode);
  HRESULT NameUnnamed();
  void Discard();

  std::string target_;  // the file replaced: `path` with its links followed
  std::string temp_;    // the named temporary file, once it has a name
  int fd_ = -1;
  bool unnamed_ = false;
  FileOwner owner_;
  bool set_owner_ = false;  // an owner was given or the target existed
};

// Copies `from` over `to` through WriteFileAtomically.
HRESULT CopyFileAtomically(const std::string& from, const std::string& to);

// The directory part of `path` (before its last '/'), or "." when it has
// none.
std::string DirectoryOf(const std::string& path);

// `path` with its symbolic links followed as long as they resolve to a
// path (a dangling link gives the path it points at); `path` itself when
// it is no link. At most 40 links are followed.
std::string FollowLinks(const std::string& path);

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_FILE_IO_H_

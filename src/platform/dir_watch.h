// DirWatch: tells whether anything changed in one directory since it was
// armed. Callers that cache what they loaded from files in a directory poll
// Signalled() to learn that they should reload.
//
// A change is any of: a file created, deleted, renamed into or out of the
// directory, written to, closed after writing, or given new attributes
// (size, times, permissions), and the directory itself being deleted or
// moved. Writes are reported both as they happen and when the writer
// closes the file, so a reader that polls between the two still sees the
// change. Subdirectories are not watched.
//
// Each armed watch owns one inotify instance, closed by Close, by re-arming
// and by destruction. Not thread-safe.
#ifndef XMLSECDB_PLATFORM_DIR_WATCH_H_
#define XMLSECDB_PLATFORM_DIR_WATCH_H_

#include <string>

namespace xmlsecdb {

class DirWatch {
 public:
  DirWatch() = default;
  ~DirWatch();
  DirWatch(const DirWatch&) = delete;
  DirWatch& operator=(const DirWatch&) = delete;

  // Starts watching `directory`, dropping any earlier watch and its
  // signalled state. False (and not armed) when the path is not a directory
  // that can be watched.
  bool Arm(const std::string& directory);

  // Non-blocking. True once a change has happened since Arm, and stays true
  // until the watch is armed again. False when not armed.
  bool Signalled();

  // Stops watching; idempotent.
  void Close();

  bool armed() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
  bool signalled_ = false;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_DIR_WATCH_H_

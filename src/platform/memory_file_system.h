// MemoryFileSystem: a FileSystem whose files live in memory, for tests and
// fuzz targets that load and save without touching a disk.
//
// Paths are plain keys: no normalisation, no directories of their own. A
// file belongs to the directory DirectoryOf(path) names; a committed write
// or a Remove signals every watch on that directory. Committing replaces a
// file in one step, as the real atomic write does. Every file has an owner
// ({0, 0, 0644} unless set); a write keeps the replaced file's owner unless
// it is given one. Thread-safe.
#ifndef XMLSECDB_PLATFORM_MEMORY_FILE_SYSTEM_H_
#define XMLSECDB_PLATFORM_MEMORY_FILE_SYSTEM_H_

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/file_system.h"

namespace xmlsecdb {

class MemoryFileSystem final : public FileSystem {
 public:
  MemoryFileSystem();
  ~MemoryFileSystem() override;
  MemoryFileSystem(const MemoryFileSystem&) = delete;
  MemoryFileSystem& operator=(const MemoryFileSystem&) = delete;

  // Direct access for the caller that sets files up and looks at them.
  void SetFile(const std::string& path, std::string bytes);
  // False when there is no such file.
  bool GetFile(const std::string& path, std::string* bytes) const;
  void Remove(const std::string& path);
  void SetOwner(const std::string& path, const FileOwner& owner);
  // Every path, in order.
  std::map<std::string, std::string> Files() const;

  bool FileExists(const std::string& path) override;
  bool PathExists(const std::string& path) override { return FileExists(path); }
  bool IsRegularFile(const std::string& path) override { return FileExists(path); }
  HRESULT GetOwner(const std::string& path, FileOwner* owner) override;
  HRESULT ReadWholeFile(const std::string& path, std::string* bytes) override;
  HRESULT NewSequentialFile(const std::string& path,
                            std::unique_ptr<SequentialFile>* file) override;
  using FileSystem::NewAtomicFile;
  HRESULT NewAtomicFile(const std::string& path, const FileOwner* owner,
                        std::unique_ptr<AtomicFile>* file) override;
  HRESULT MoveToNumbered(const std::string& path, std::string* moved_to) override;
  std::unique_ptr<DirectoryWatch> WatchDirectory(const std::string& directory) override;

 private:
  struct State;
  std::shared_ptr<State> state_;  // shared with the files and watches handed out
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_MEMORY_FILE_SYSTEM_H_

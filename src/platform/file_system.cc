#include "platform/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/dir_watch.h"
#include "platform/file_io.h"

namespace xmlsecdb {

HRESULT FileSystem::WriteWholeFile(const std::string& path, std::string_view data,
                                   const FileOwner* owner) {
  std::unique_ptr<AtomicFile> file;
  HRESULT hr = NewAtomicFile(path, owner, &file);
  if (Succeeded(hr)) hr = file->Append(data);
  if (Succeeded(hr)) hr = file->Commit();
  return hr;
}

HRESULT FileSystem::CopyFile(const std::string& from, const std::string& to,
                             const FileOwner* owner) {
  std::string bytes;
  HRESULT hr = ReadWholeFile(from, &bytes);
  if (Failed(hr)) return hr;
  return WriteWholeFile(to, bytes, owner);
}

namespace {

HRESULT LastError() { return HResultFromWin32(static_cast<std::uint32_t>(errno ? errno : EIO)); }

class PosixSequentialFile final : public SequentialFile {
 public:
  explicit PosixSequentialFile(int fd) : fd_(fd) {}
  ~PosixSequentialFile() override { ::close(fd_); }

  HRESULT Read(char* buffer, std::size_t size, std::size_t* got) override {
    for (;;) {
      ssize_t n = ::read(fd_, buffer, size);
      if (n >= 0) {
        *got = static_cast<std::size_t>(n);
        return S_OK;
      }
      if (errno != EINTR) return LastError();
    }
  }

 private:
  int fd_;
};

class PosixAtomicFile final : public AtomicFile {
 public:
  HRESULT Open(const std::string& path, const FileOwner* owner) {
    return writer_.Open(path, owner);
  }
  HRESULT Append(std::string_view data) override { return writer_.Append(data); }
  HRESULT Commit() override { return writer_.Commit(); }

 private:
  AtomicFileWriter writer_;
};

class PosixDirectoryWatch final : public DirectoryWatch {
 public:
  bool Arm(const std::string& directory) { return watch_.Arm(directory); }
  bool Signalled() override { return watch_.Signalled(); }

 private:
  DirWatch watch_;
};

class PosixFileSystem final : public FileSystem {
 public:
  bool FileExists(const std::string& path) override { return xmlsecdb::FileExists(path); }
  bool PathExists(const std::string& path) override {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
  }
  bool IsRegularFile(const std::string& path) override {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  }
  HRESULT GetOwner(const std::string& path, FileOwner* owner) override {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return LastError();
    *owner = {st.st_uid, st.st_gid, static_cast<std::uint32_t>(st.st_mode & 07777)};
    return S_OK;
  }
  HRESULT ReadWholeFile(const std::string& path, std::string* bytes) override {
    return xmlsecdb::ReadWholeFile(path, bytes);
  }
  HRESULT NewSequentialFile(const std::string& path,
                            std::unique_ptr<SequentialFile>* file) override {
    file->reset();
    // Without blocking: a FIFO without a writer would hang the open, and
    // only a regular file is read at all.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return LastError();
    auto opened = std::make_unique<PosixSequentialFile>(fd);
    struct stat st;
    if (::fstat(fd, &st) != 0) return LastError();
    if (S_ISDIR(st.st_mode)) return HResultFromWin32(EISDIR);
    if (!S_ISREG(st.st_mode)) return kNotRegularFile;
    *file = std::move(opened);
    return S_OK;
  }
  using FileSystem::NewAtomicFile;
  HRESULT NewAtomicFile(const std::string& path, const FileOwner* owner,
                        std::unique_ptr<AtomicFile>* file) override {
    file->reset();
    auto created = std::make_unique<PosixAtomicFile>();
    HRESULT hr = created->Open(path, owner);
    if (Failed(hr)) return hr;
    *file = std::move(created);
    return S_OK;
  }
  HRESULT MoveToNumbered(const std::string& path, std::string* moved_to) override {
    for (unsigned n = 1; n < 100000; ++n) {
      std::string name = path + "." + std::to_string(n);
      // A hard link never replaces an existing name; the old name goes
      // once the new one exists.
      if (::link(path.c_str(), name.c_str()) == 0) {
        if (::unlink(path.c_str()) != 0) {
          HRESULT hr = LastError();
          (void)::unlink(name.c_str());
          return hr;
        }
        *moved_to = std::move(name);
        return S_OK;
      }
      if (errno != EEXIST) return LastError();
    }
    return HResultFromWin32(EEXIST);
  }
  std::unique_ptr<DirectoryWatch> WatchDirectory(const std::string& directory) override {
    auto watch = std::make_unique<PosixDirectoryWatch>();
    if (!watch->Arm(directory)) return nullptr;
    return watch;
  }
};

}  // namespace

FileSystem& DefaultFileSystem() {
  static PosixFileSystem* const file_system = new PosixFileSystem;
  return *file_system;
}

}  // namespace xmlsecdb

#include "platform/file_system.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/dir_watch.h"
#include "platform/file_io.h"

namespace xmlsecdb {

HRESULT FileSystem::WriteWholeFile(const std::string& path, std::string_view data) {
  std::unique_ptr<AtomicFile> file;
  HRESULT hr = NewAtomicFile(path, &file);
  if (Succeeded(hr)) hr = file->Append(data);
  if (Succeeded(hr)) hr = file->Commit();
  return hr;
}

HRESULT FileSystem::CopyFile(const std::string& from, const std::string& to) {
  std::string bytes;
  HRESULT hr = ReadWholeFile(from, &bytes);
  if (Failed(hr)) return hr;
  return WriteWholeFile(to, bytes);
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
  HRESULT Open(const std::string& path) { return writer_.Open(path); }
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
  HRESULT ReadWholeFile(const std::string& path, std::string* bytes) override {
    return xmlsecdb::ReadWholeFile(path, bytes);
  }
  HRESULT NewSequentialFile(const std::string& path,
                            std::unique_ptr<SequentialFile>* file) override {
    file->reset();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return LastError();
    *file = std::make_unique<PosixSequentialFile>(fd);
    return S_OK;
  }
  HRESULT NewAtomicFile(const std::string& path, std::unique_ptr<AtomicFile>* file) override {
    file->reset();
    auto created = std::make_unique<PosixAtomicFile>();
    HRESULT hr = created->Open(path);
    if (Failed(hr)) return hr;
    *file = std::move(created);
    return S_OK;
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

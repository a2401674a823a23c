#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <utility>

namespace xmlsecdb {
namespace {

HRESULT LastError() { return HResultFromWin32(static_cast<std::uint32_t>(errno ? errno : EIO)); }

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

HRESULT ReadWholeFile(const std::string& path, std::string* bytes) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return LastError();
  struct stat st;
  if (::fstat(fd.get(), &st) != 0) return LastError();
  if (S_ISDIR(st.st_mode)) return HResultFromWin32(EISDIR);
  bytes->clear();
  bytes->reserve(static_cast<std::size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return LastError();
    }
    if (n == 0) break;
    bytes->append(buffer, static_cast<std::size_t>(n));
  }
  return S_OK;
}

std::string DirectoryOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

HRESULT AtomicFileWriter::Open(const std::string& path) {
  Discard();
  if (path.empty()) return E_INVALIDARG;
  mode_t mode = 0666;
  keep_mode_ = false;
  struct stat st;
  if (::stat(path.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return HResultFromWin32(EISDIR);
    mode = st.st_mode & 07777;
    keep_mode_ = true;
  }
  mode_ = mode;
  static thread_local std::mt19937_64 random{std::random_device{}()};
  for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".tmp%016llx",
                  static_cast<unsigned long long>(random()));
    temp_ = path + suffix;
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd_ < 0 && errno != EEXIST) break;
  }
  if (fd_ < 0) {
    temp_.clear();
    return LastError();
  }
  path_ = path;
  return S_OK;
}

HRESULT AtomicFileWriter::Append(std::string_view data) {
  if (fd_ < 0) return E_UNEXPECTED;
  if (!WriteAll(fd_, data)) {
    HRESULT hr = LastError();
    Discard();
    return hr;
  }
  return S_OK;
}

HRESULT AtomicFileWriter::Commit() {
  if (fd_ < 0) return E_UNEXPECTED;
  HRESULT hr = S_OK;
  if (keep_mode_ && ::fchmod(fd_, static_cast<mode_t>(mode_)) != 0) hr = LastError();
  if (Succeeded(hr) && ::fsync(fd_) != 0) hr = LastError();
  if (::close(std::exchange(fd_, -1)) != 0 && Succeeded(hr)) hr = LastError();
  if (Succeeded(hr) && ::rename(temp_.c_str(), path_.c_str()) != 0) hr = LastError();
  if (Failed(hr)) {
    Discard();
    return hr;
  }
  temp_.clear();
  // Make the rename itself durable.
  FileDescriptor dir(::open(DirectoryOf(path_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) (void)::fsync(dir.get());
  return S_OK;
}

void AtomicFileWriter::Discard() {
  if (fd_ >= 0) ::close(std::exchange(fd_, -1));
  if (!temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
}

HRESULT WriteFileAtomically(const std::string& path, std::string_view data) {
  AtomicFileWriter file;
  HRESULT hr = file.Open(path);
  if (Succeeded(hr)) hr = file.Append(data);
  if (Succeeded(hr)) hr = file.Commit();
  return hr;
}

HRESULT CopyFileAtomically(const std::string& from, const std::string& to) {
  std::string bytes;
  HRESULT hr = ReadWholeFile(from, &bytes);
  if (Failed(hr)) return hr;
  return WriteFileAtomically(to, bytes);
}

}  // namespace xmlsecdb

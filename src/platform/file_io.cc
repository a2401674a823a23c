#include "platform/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <random>
#include <utility>

namespace xmlsecdb {
namespace {

// "<target>.tmp" and 16 lower-case hexadecimal digits: the only names the
// cleanup of stale temporary files removes.
constexpr std::string_view kTempInfix = ".tmp";
constexpr std::size_t kTempDigits = 16;
constexpr int kMaxLinks = 40;

std::atomic<bool> g_unnamed_disabled{false};

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

std::string BaseName(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string TempName(const std::string& target) {
  static thread_local std::mt19937_64 random{std::random_device{}()};
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, "%.*s%016llx", static_cast<int>(kTempInfix.size()),
                kTempInfix.data(), static_cast<unsigned long long>(random()));
  return target + suffix;
}

bool IsTempNameOf(std::string_view name, std::string_view base) {
  if (name.size() != base.size() + kTempInfix.size() + kTempDigits) return false;
  if (!name.starts_with(base) || name.substr(base.size(), kTempInfix.size()) != kTempInfix) {
    return false;
  }
  for (char c : name.substr(base.size() + kTempInfix.size())) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

// Removes the named temporary files that earlier writers of `target` left
// behind when they were killed. A writer that lives holds a lock on its
// file; those are left alone.
void RemoveStaleTempFiles(const std::string& target) {
  const std::string dir = DirectoryOf(target);
  const std::string base = BaseName(target);
  DIR* stream = ::opendir(dir.c_str());
  if (!stream) return;
  while (const dirent* entry = ::readdir(stream)) {
    if (!IsTempNameOf(entry->d_name, base)) continue;
    const std::string path = dir + "/" + entry->d_name;
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st;
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) continue;
    // The lock is released with the descriptor, after the name is gone.
    (void)::unlink(path.c_str());
  }
  ::closedir(stream);
}

}  // namespace

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

HRESULT ReadWholeFile(const std::string& path, std::string* bytes) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0) return LastError();
  struct stat st;
  if (::fstat(fd.get(), &st) != 0) return LastError();
  if (S_ISDIR(st.st_mode)) return HResultFromWin32(EISDIR);
  if (!S_ISREG(st.st_mode)) return kNotRegularFile;
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

std::string FollowLinks(const std::string& path) {
  std::string current = path;
  for (int i = 0; i < kMaxLinks; ++i) {
    struct stat st;
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    char link[PATH_MAX];
    ssize_t n = ::readlink(current.c_str(), link, sizeof link - 1);
    if (n <= 0) return current;
    std::string next(link, static_cast<std::size_t>(n));
    if (next[0] != '/') next = DirectoryOf(current) + "/" + next;
    current = std::move(next);
  }
  return current;
}

void AtomicFileWriter::DisableUnnamedFilesForTesting(bool disabled) {
  g_unnamed_disabled.store(disabled);
}

HRESULT AtomicFileWriter::Open(const std::string& path, const FileOwner* owner) {
  Discard();
  if (path.empty()) return E_INVALIDARG;
  struct stat st;
  // stat follows every kind of link, /proc's too (/dev/stdout): what it
  // finds decides whether there is a regular file to replace.
  const bool exists = ::stat(path.c_str(), &st) == 0;
  if (exists && S_ISDIR(st.st_mode)) return HResultFromWin32(EISDIR);
  if (exists && !S_ISREG(st.st_mode)) return kNotRegularFile;
  target_ = FollowLinks(path);
  set_owner_ = owner != nullptr || exists;
  if (owner) {
    owner_ = *owner;
  } else if (exists) {
    owner_ = {st.st_uid, st.st_gid, static_cast<std::uint32_t>(st.st_mode & 07777)};
  }
  RemoveStaleTempFiles(target_);

  // A new file without an owner gets 0644 less the umask; the others get
  // their bits at Commit, after the owner (which may clear set-id bits).
  constexpr mode_t kNewMode = 0644;
  unnamed_ = false;
  if (!g_unnamed_disabled.load()) {
    fd_ = ::open(DirectoryOf(target_).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, kNewMode);
    if (fd_ >= 0) {
      unnamed_ = true;
      return S_OK;
    }
    // These say the file system (or kernel) has no unnamed files.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
      HRESULT hr = LastError();
      target_.clear();
      return hr;
    }
  }
  return OpenNamed(kNewMode);
}

HRESULT AtomicFileWriter::OpenNamed(unsigned mode) {
  for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
    temp_ = TempName(target_);
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, static_cast<mode_t>(mode));
    if (fd_ < 0 && errno != EEXIST) break;
  }
  if (fd_ < 0) {
    HRESULT hr = LastError();
    temp_.clear();
    target_.clear();
    return hr;
  }
  // Tells the cleanup of a later writer that this file is alive.
  (void)::flock(fd_, LOCK_EX | LOCK_NB);
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

HRESULT AtomicFileWriter::NameUnnamed() {
  // Locked before it has a name, so no cleanup can take it in between.
  (void)::flock(fd_, LOCK_EX | LOCK_NB);
  char proc_path[64];
  std::snprintf(proc_path, sizeof proc_path, "/proc/self/fd/%d", fd_);
  for (int attempt = 0; attempt < 16; ++attempt) {
    std::string name = TempName(target_);
    int rc = ::linkat(AT_FDCWD, proc_path, AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW);
    // Without /proc, the descriptor itself (which needs a privilege).
    if (rc != 0 && errno == ENOENT) rc = ::linkat(fd_, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH);
    if (rc == 0) {
      temp_ = std::move(name);
      return S_OK;
    }
    if (errno != EEXIST) break;
  }
  return LastError();
}

HRESULT AtomicFileWriter::Commit() {
  if (fd_ < 0) return E_UNEXPECTED;
  HRESULT hr = S_OK;
  if (set_owner_) {
    // Only a privileged process may give a file away; a refusal keeps the
    // writer's own ids, which is the best it can do.
    if (::fchown(fd_, owner_.uid, owner_.gid) != 0 && errno != EPERM) hr = LastError();
    if (Succeeded(hr) && ::fchmod(fd_, static_cast<mode_t>(owner_.mode & 07777)) != 0) {
      hr = LastError();
    }
  }
  if (Succeeded(hr) && ::fsync(fd_) != 0) hr = LastError();
  if (Succeeded(hr) && unnamed_) hr = NameUnnamed();
  if (Succeeded(hr) && ::rename(temp_.c_str(), target_.c_str()) != 0) hr = LastError();
  if (Failed(hr)) {
    Discard();
    return hr;
  }
  temp_.clear();
  // The content is on disk already; closing releases the lock, once the
  // temporary name is gone.
  (void)::close(std::exchange(fd_, -1));
  // Make the rename itself durable.
  FileDescriptor dir(::open(DirectoryOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) (void)::fsync(dir.get());
  return S_OK;
}

void AtomicFileWriter::Discard() {
  if (!temp_.empty()) ::unlink(temp_.c_str());
  if (fd_ >= 0) ::close(std::exchange(fd_, -1));
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

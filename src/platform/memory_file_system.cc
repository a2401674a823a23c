#include "platform/memory_file_system.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/file_io.h"

namespace xmlsecdb {

struct MemoryFileSystem::State {
  mutable std::mutex mu;
  std::map<std::string, std::string> files;
  std::map<std::string, FileOwner> owners;  // only those set
  // Counts the changes of each directory; a watch compares its start value.
  std::map<std::string, std::uint64_t> changes;

  void Changed(const std::string& path) { ++changes[DirectoryOf(path)]; }
};

namespace {

// Reads a snapshot of the file taken when it was opened.
class MemorySequentialFile final : public SequentialFile {
 public:
  explicit MemorySequentialFile(std::string bytes) : bytes_(std::move(bytes)) {}
  HRESULT Read(char* buffer, std::size_t size, std::size_t* got) override {
    *got = std::min(size, bytes_.size() - offset_);
    std::memcpy(buffer, bytes_.data() + offset_, *got);
    offset_ += *got;
    return S_OK;
  }

 private:
  std::string bytes_;
  std::size_t offset_ = 0;
};

template <class State>
class MemoryAtomicFile final : public AtomicFile {
 public:
  MemoryAtomicFile(std::shared_ptr<State> state, std::string path, const FileOwner* owner)
      : state_(std::move(state)), path_(std::move(path)) {
    if (owner) owner_ = *owner;
  }
  HRESULT Append(std::string_view data) override {
    if (done_) return E_UNEXPECTED;
    bytes_.append(data);
    return S_OK;
  }
  HRESULT Commit() override {
    if (done_) return E_UNEXPECTED;
    done_ = true;
    std::lock_guard lock(state_->mu);
    state_->files[path_] = std::move(bytes_);
    if (owner_) state_->owners[path_] = *owner_;
    state_->Changed(path_);
    return S_OK;
  }

 private:
  std::shared_ptr<State> state_;
  std::string path_;
  std::string bytes_;
  std::optional<FileOwner> owner_;
  bool done_ = false;
};

template <class State>
class MemoryDirectoryWatch final : public DirectoryWatch {
 public:
  MemoryDirectoryWatch(std::shared_ptr<State> state, std::string directory)
      : state_(std::move(state)), directory_(std::move(directory)) {
    std::lock_guard lock(state_->mu);
    start_ = state_->changes[directory_];
  }
  bool Signalled() override {
    std::lock_guard lock(state_->mu);
    return state_->changes[directory_] != start_;
  }

 private:
  std::shared_ptr<State> state_;
  std::string directory_;
  std::uint64_t start_ = 0;
};

}  // namespace

MemoryFileSystem::MemoryFileSystem() : state_(std::make_shared<State>()) {}
MemoryFileSystem::~MemoryFileSystem() = default;

void MemoryFileSystem::SetFile(const std::string& path, std::string bytes) {
  std::lock_guard lock(state_->mu);
  state_->files[path] = std::move(bytes);
  state_->Changed(path);
}

bool MemoryFileSystem::GetFile(const std::string& path, std::string* bytes) const {
  std::lock_guard lock(state_->mu);
  auto it = state_->files.find(path);
  if (it == state_->files.end()) return false;
  *bytes = it->second;
  return true;
}

void MemoryFileSystem::Remove(const std::string& path) {
  std::lock_guard lock(state_->mu);
  state_->owners.erase(path);
  if (state_->files.erase(path) != 0) state_->Changed(path);
}

void MemoryFileSystem::SetOwner(const std::string& path, const FileOwner& owner) {
  std::lock_guard lock(state_->mu);
  state_->owners[path] = owner;
}

HRESULT MemoryFileSystem::GetOwner(const std::string& path, FileOwner* owner) {
  std::lock_guard lock(state_->mu);
  if (state_->files.count(path) == 0) return kFileNotFound;
  auto it = state_->owners.find(path);
  *owner = it == state_->owners.end() ? FileOwner{} : it->second;
  return S_OK;
}

HRESULT MemoryFileSystem::MoveToNumbered(const std::string& path, std::string* moved_to) {
  std::lock_guard lock(state_->mu);
  auto it = state_->files.find(path);
  if (it == state_->files.end()) return kFileNotFound;
  for (unsigned n = 1;; ++n) {
    std::string name = path + "." + std::to_string(n);
    if (state_->files.count(name) != 0) continue;
    state_->files[name] = std::move(it->second);
    state_->files.erase(it);
    if (auto owner = state_->owners.find(path); owner != state_->owners.end()) {
      state_->owners[name] = owner->second;
      state_->owners.erase(owner);
    }
    state_->Changed(path);
    *moved_to = std::move(name);
    return S_OK;
  }
}

std::map<std::string, std::string> MemoryFileSystem::Files() const {
  std::lock_guard lock(state_->mu);
  return state_->files;
}

bool MemoryFileSystem::FileExists(const std::string& path) {
  std::lock_guard lock(state_->mu);
  return state_->files.count(path) != 0;
}

HRESULT MemoryFileSystem::ReadWholeFile(const std::string& path, std::string* bytes) {
  return GetFile(path, bytes) ? S_OK : kFileNotFound;
}

HRESULT MemoryFileSystem::NewSequentialFile(const std::string& path,
                                            std::unique_ptr<SequentialFile>* file) {
  file->reset();
  std::string bytes;
  if (!GetFile(path, &bytes)) return kFileNotFound;
  *file = std::make_unique<MemorySequentialFile>(std::move(bytes));
  return S_OK;
}

HRESULT MemoryFileSystem::NewAtomicFile(const std::string& path, const FileOwner* owner,
                                        std::unique_ptr<AtomicFile>* file) {
  file->reset();
  if (path.empty()) return E_INVALIDARG;
  *file = std::make_unique<MemoryAtomicFile<State>>(state_, path, owner);
  return S_OK;
}

std::unique_ptr<DirectoryWatch> MemoryFileSystem::WatchDirectory(const std::string& directory) {
  return std::make_unique<MemoryDirectoryWatch<State>>(state_, directory);
}

}  // namespace xmlsecdb

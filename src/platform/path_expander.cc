// The real path expander (agent_services.h).
#include <glob.h>
#include <magic.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <system_error>

#include "platform/agent_services.h"

namespace xmlsecdb {
namespace {

namespace fs = std::filesystem;

// Replaces "%NAME%" by the value of the environment variable NAME; an
// unknown or empty name, and a lone "%", stay as written.
std::string ExpandEnvironment(std::string_view text, bool* changed) {
  std::string out;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t open = text.find('%', at);
    if (open == std::string_view::npos) break;
    const std::size_t close = text.find('%', open + 1);
    if (close == std::string_view::npos) break;
    const std::string name(text.substr(open + 1, close - open - 1));
    const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
    out.append(text.substr(at, open - at));
    if (value != nullptr) {
      out += value;
      *changed = true;
      at = close + 1;
    } else {
      // The closing "%" may open the next reference.
      out += '%';
      out.append(text.substr(open + 1, close - open - 1));
      at = close;
    }
  }
  out.append(text.substr(at));
  return out;
}

struct DirectoryToken {
  std::string_view token;
  bool subtree;
  bool libraries;  // "*.so" files rather than executables
};

constexpr DirectoryToken kDirectoryTokens[] = {
    {"%AllExecutablesInDir%", false, false},
    {"%AllExecutablesInSubTree%", true, false},
    {"%AllDllsInDir%", false, true},
    {"%AllDllsInSubTree%", true, true},
};

bool IsLibraryName(const std::string& name) {
  return name.ends_with(".so") || name.find(".so.") != std::string::npos;
}

bool Wanted(const fs::directory_entry& entry, bool libraries) {
  std::error_code error;
  if (!entry.is_regular_file(error)) return false;
  if (libraries) return IsLibraryName(entry.path().filename().string());
  const fs::perms perms = entry.status(error).permissions();
  return (perms & (fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec)) !=
         fs::perms::none;
}

// The wanted files under `directory`, one level or the whole subtree as
// `Iterator` walks it; a walk that fails stops where it is.
template <class Iterator>
void CollectFiles(const std::string& directory, bool libraries, std::vector<std::string>* found) {
  std::error_code error;
  for (Iterator it(directory, fs::directory_options::skip_permission_denied, error), end;
       !error && it != end; it.increment(error)) {
    if (Wanted(*it, libraries)) found->push_back(it->path().string());
  }
}

void ListDirectory(const std::string& directory, const DirectoryToken& token,
                   std::vector<std::string>* paths) {
  std::vector<std::string> found;
  if (token.subtree) {
    CollectFiles<fs::recursive_directory_iterator>(directory, token.libraries, &found);
  } else {
    CollectFiles<fs::directory_iterator>(directory, token.libraries, &found);
  }
  std::sort(found.begin(), found.end());
  paths->insert(paths->end(), found.begin(), found.end());
}

bool HasWildcard(std::string_view text) {
  return text.find_first_of("*?[") != std::string_view::npos;
}

void Glob(const std::string& pattern, std::vector<std::string>* paths) {
  glob_t matches{};
  if (glob(pattern.c_str(), 0, nullptr, &matches) == 0) {
    for (std::size_t i = 0; i < matches.gl_pathc; ++i) paths->emplace_back(matches.gl_pathv[i]);
  }
  globfree(&matches);
}

// One "|" alternative; true when it was expanded.
bool ExpandAlternative(std::string_view alternative, std::vector<std::string>* paths) {
  for (const DirectoryToken& token : kDirectoryTokens) {
    if (alternative.ends_with(token.token)) {
      bool changed = false;
      std::string directory = ExpandEnvironment(
          alternative.substr(0, alternative.size() - token.token.size()), &changed);
      if (directory.empty()) directory = ".";
      ListDirectory(directory, token, paths);
      return true;
    }
  }
  bool changed = false;
  std::string text = ExpandEnvironment(alternative, &changed);
  if (HasWildcard(text)) {
    Glob(text, paths);
    return true;
  }
  paths->push_back(std::move(text));
  return changed;
}

class SystemPathExpander final : public PathExpander {
 public:
  ~SystemPathExpander() override {
    if (magic_ != nullptr) magic_close(magic_);
  }

  HRESULT Expand(std::string_view path, std::vector<std::string>* paths, bool* expanded) override {
    if (paths == nullptr || expanded == nullptr) return E_POINTER;
    paths->clear();
    *expanded = false;
    for (std::size_t at = 0;;) {
      const std::size_t bar = path.find('|', at);
      const std::string_view alternative = path.substr(at, bar - at);
      if (ExpandAlternative(alternative, paths)) *expanded = true;
      if (bar == std::string_view::npos) break;
      at = bar + 1;
    }
    return S_OK;
  }

  HRESULT Describe(std::string_view path, std::string* description) override {
    if (description == nullptr) return E_POINTER;
    description->clear();
    const std::string file(path);
    // A magic cookie serves one call at a time.
    std::lock_guard lock(mu_);
    if (magic_ == nullptr) {
      magic_ = magic_open(MAGIC_ERROR);
      if (magic_ != nullptr && magic_load(magic_, nullptr) != 0) {
        magic_close(magic_);
        magic_ = nullptr;
      }
      if (magic_ == nullptr) return S_OK;
    }
    if (const char* text = magic_file(magic_, file.c_str())) description->assign(text);
    return S_OK;
  }

 private:
  std::mutex mu_;
  magic_t magic_ = nullptr;  // guarded by mu_
};

}  // namespace

PathExpander& DefaultPathExpander() {
  static SystemPathExpander* const service = new SystemPathExpander;
  return *service;
}

}  // namespace xmlsecdb

#include "platform/module_path.h"

#include <dlfcn.h>
#include <limits.h>
#include <link.h>
#include <stdlib.h>
#include <unistd.h>

namespace xmlsecdb {
namespace {

std::string ExecutablePath() {
  char exe[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
  if (n <= 0) return {};
  return std::string(exe, static_cast<std::size_t>(n));
}

}  // namespace

std::string ModulePath() {
  Dl_info info{};
  link_map* map = nullptr;
  if (::dladdr1(reinterpret_cast<const void*>(&ModulePath), &info, reinterpret_cast<void**>(&map),
                RTLD_DL_LINKMAP) == 0) {
    return {};
  }
  // The executable's own entry has no name; the loader would report argv[0]
  // instead, which need not lead back to the file.
  if (!map || !map->l_name || !*map->l_name) return ExecutablePath();
  // An absolute name is kept as the loader found it, so a registration names
  // the link (libxmlsecdb.so.0) that survives upgrades rather than the file
  // it points to today.
  if (map->l_name[0] == '/') return map->l_name;
  char resolved[PATH_MAX];
  if (::realpath(map->l_name, resolved)) return resolved;
  return map->l_name;
}

}  // namespace xmlsecdb

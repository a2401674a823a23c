#include "platform/dir_watch.h"

#include <errno.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cstdint>

namespace xmlsecdb {

namespace {

constexpr std::uint32_t kChangeMask = IN_MODIFY | IN_CLOSE_WRITE | IN_ATTRIB | IN_CREATE |
                                      IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF |
                                      IN_MOVE_SELF | IN_ONLYDIR;

}  // namespace

DirWatch::~DirWatch() { Close(); }

bool DirWatch::Arm(const std::string& directory) {
  Close();
  int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd < 0) return false;
  if (inotify_add_watch(fd, directory.c_str(), kChangeMask) < 0) {
    close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

bool DirWatch::Signalled() {
  if (fd_ < 0) return false;
  if (signalled_) return true;
  // Any event at all counts, including a queue overflow or the watch being
  // dropped because the directory went away; the events are only drained.
  alignas(inotify_event) char buffer[4096];
  for (;;) {
    ssize_t n = read(fd_, buffer, sizeof buffer);
    if (n > 0) {
      signalled_ = true;
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    break;
  }
  return signalled_;
}

void DirWatch::Close() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  signalled_ = false;
}

}  // namespace xmlsecdb

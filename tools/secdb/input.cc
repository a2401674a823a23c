#include "input.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace secdb {
namespace {

// Reads everything from `fd`; false with errno set on a read error.
bool ReadAll(int fd, std::string* bytes) {
  char buffer[64 * 1024];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    bytes->append(buffer, static_cast<std::size_t>(n));
  }
}

bool IsBinaryHex(const std::string& text) {
  if (text.size() % 2 != 0) return false;
  for (char c : text) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

std::string Trimmed(const std::string& text) {
  const char* blanks = " \t\r\n";
  std::size_t end = text.find_first_of("\r\n");
  std::string line = text.substr(0, end);
  std::size_t first = line.find_first_not_of(blanks);
  if (first == std::string::npos) return "";
  return line.substr(first, line.find_last_not_of(blanks) - first + 1);
}

}  // namespace

bool OpenInput(const std::string& path, Input* input, std::string* error) {
  input->path = path;
  input->name = path == "-" ? "<stdin>" : path;
  int fd = 0;
  if (path != "-") {
    struct stat info;
    // Regular files, and paths that cannot be read at all, go to the
    // library, which reports them in its own words.
    if (stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode) || S_ISDIR(info.st_mode)) {
      return true;
    }
    fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      *error = std::strerror(errno);
      return false;
    }
  }
  input->in_memory = true;
  bool ok = ReadAll(fd, &input->bytes);
  int saved = errno;
  if (fd != 0) close(fd);
  if (!ok) *error = std::strerror(saved);
  return ok;
}

std::string FileProblem(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::strerror(errno);
  char byte;
  ssize_t n;
  do {
    n = read(fd, &byte, 1);
  } while (n < 0 && errno == EINTR);
  int saved = errno;
  close(fd);
  return n < 0 ? std::strerror(saved) : "";
}

int ReadKey(const char* option, const std::string* text, const std::string* file,
            const char* variable, std::string* key, std::string* error) {
  std::string source = option;
  if (text) {
    *key = *text;
  } else if (file) {
    int fd = open(file->c_str(), O_RDONLY | O_CLOEXEC);
    std::string bytes;
    bool ok = fd >= 0 && ReadAll(fd, &bytes);
    int saved = errno;
    if (fd >= 0) close(fd);
    if (!ok) {
      *error = *file + ": " + std::strerror(saved);
      return 1;
    }
    *key = Trimmed(bytes);
    source = *file;
  } else if (const char* value = std::getenv(variable)) {
    *key = value;
    source = variable;
  }
  if (!IsBinaryHex(*key)) {
    *error = source + ": the key is not BinaryHex text (an even number of hexadecimal digits)";
    return 2;
  }
  return 0;
}

bool FlushOutput(std::string* error) {
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return true;
  *error = std::string("standard output: ") + std::strerror(errno ? errno : EIO);
  return false;
}

}  // namespace secdb

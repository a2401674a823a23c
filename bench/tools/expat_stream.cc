// xmlsecdb_expat_stream FILE: streams FILE through expat in 64 KiB chunks
// with no handlers and exits. Run as a whole process, it is the floor that
// `secdb check` of the same file is measured against. Exit status 0 when
// the file is well-formed, 1 otherwise.
#include <expat.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: xmlsecdb_expat_stream FILE\n", stderr);
    return 2;
  }
  const int fd = ::open(argv[1], O_RDONLY);
  if (fd < 0) {
    std::perror(argv[1]);
    return 1;
  }
  XML_Parser parser = XML_ParserCreate("UTF-16LE");
  int status = 0;
  for (;;) {
    void* buffer = XML_GetBuffer(parser, 65536);
    const ssize_t n = buffer ? ::read(fd, buffer, 65536) : -1;
    if (n < 0 || XML_ParseBuffer(parser, static_cast<int>(n), n == 0) != XML_STATUS_OK) {
      std::fprintf(stderr, "%s: not well-formed\n", argv[1]);
      status = 1;
      break;
    }
    if (n == 0) break;
  }
  XML_ParserFree(parser);
  ::close(fd);
  return status;
}

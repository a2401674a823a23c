// The process-wide debug log.
//
// Off unless the registry enables it (see InitDebugLog). Each line goes to
// the log file with one write, prefixed "[<thread id>] " and ending in CRLF;
// a line is cut at 2048 characters. Nothing here ever fails a caller.
#ifndef XMLSECDB_PLATFORM_DEBUG_LOG_H_
#define XMLSECDB_PLATFORM_DEBUG_LOG_H_

namespace xmlsecdb {

// printf-style; the texts conventionally start "ZelXmlSd: " and end "\n".
void DebugLog(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_DEBUG_LOG_H_

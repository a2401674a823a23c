#include "platform/event_log.h"

#include <syslog.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>

namespace xmlsecdb {
namespace {

constexpr std::size_t kTextBuffer = 1024;

int PriorityFromType(int type) {
  switch (type) {
    case EVENTLOG_ERROR_TYPE:
      return LOG_ERR;
    case EVENTLOG_WARNING_TYPE:
      return LOG_WARNING;
    case EVENTLOG_INFORMATION_TYPE:
      return LOG_INFO;
    default:
      return LOG_NOTICE;
  }
}

// The length of `text` cut to at most `limit` bytes without splitting a
// UTF-8 sequence; text[limit] must still hold the byte after the cut.
std::size_t CutAtCharacter(const char* text, std::size_t length, std::size_t limit) {
  if (length <= limit) return length;
  std::size_t n = limit;
  while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  return n;
}

}  // namespace

int EventTypeFromId(std::uint32_t event_id) {
  switch (event_id >> 30) {
    case 1:
      return EVENTLOG_INFORMATION_TYPE;
    case 2:
      return EVENTLOG_WARNING_TYPE;
    case 3:
      return EVENTLOG_ERROR_TYPE;
    default:
      return EVENTLOG_SUCCESS;
  }
}

namespace {

class SyslogEventLog final : public EventLog {
 public:
  void Report(std::uint32_t, int type, std::string_view text) override {
    static std::once_flag opened;
    std::call_once(opened, [] { ::openlog("XMLSecDBParser", LOG_PID, LOG_USER); });
    ::syslog(LOG_USER | PriorityFromType(type), "%.*s", static_cast<int>(text.size()),
             text.data());
  }
};

}  // namespace

EventLog& DefaultEventLog() {
  static SyslogEventLog* const log = new SyslogEventLog;
  return *log;
}

void ReportEventLog(EventLog& log, std::uint32_t event_id, const char* format, ...) {
  // A few bytes beyond the buffer show whether the cut splits a character.
  char text[kTextBuffer + 4] = {};
  if (format) {
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (n < 0) {
      text[0] = '\0';
    } else {
      std::size_t length = static_cast<std::size_t>(n);
      text[CutAtCharacter(text, length, kTextBuffer - 1)] = '\0';
    }
  }
  log.Report(event_id, EventTypeFromId(event_id), text);
}

}  // namespace xmlsecdb

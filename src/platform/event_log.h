// The application event log: reports for an administrator, as opposed to the
// developer-facing debug log.
//
// Events go to the environment's EventLog; the real one is syslog, whose
// ident is process-wide: the first report sets it for the whole process.
// Reporting never fails a caller and may be called from any thread.
#ifndef XMLSECDB_PLATFORM_EVENT_LOG_H_
#define XMLSECDB_PLATFORM_EVENT_LOG_H_

#include <cstdint>
#include <string_view>

namespace xmlsecdb {

// Event types as the platform's event viewer numbers them.
constexpr int EVENTLOG_SUCCESS = 0;
constexpr int EVENTLOG_ERROR_TYPE = 1;
constexpr int EVENTLOG_WARNING_TYPE = 2;
constexpr int EVENTLOG_INFORMATION_TYPE = 4;

// The event type that the two severity bits of `event_id` select: 0 success,
// 1 (0x40000000) information, 2 (0x80000000) warning, 3 (0xC0000000) error.
int EventTypeFromId(std::uint32_t event_id);

// Where events go.
class EventLog {
 public:
  virtual ~EventLog() = default;
  // Writes one event; `type` is EventTypeFromId(event_id) and `text` the
  // event's one insertion string. Never fails the caller.
  virtual void Report(std::uint32_t event_id, int type, std::string_view text) = 0;
};

// The system's log: syslog (facility LOG_USER, ident "XMLSecDBParser"),
// the priority following the type (LOG_NOTICE, LOG_INFO, LOG_WARNING or
// LOG_ERR). Lives for the whole process.
EventLog& DefaultEventLog();

// Formats the text printf-style (texts longer than 1023 bytes are cut at a
// character boundary) and writes it to `log` as event `event_id`.
void ReportEventLog(EventLog& log, std::uint32_t event_id, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_EVENT_LOG_H_

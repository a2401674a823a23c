// The application event log: reports for an administrator, as opposed to the
// developer-facing debug log.
//
// Events go to syslog (facility LOG_USER, ident "XMLSecDBParser"). Note that
// syslog's ident is process-wide: the first report sets it for the whole
// process. Reporting never fails a caller and may be called from any thread.
#ifndef XMLSECDB_PLATFORM_EVENT_LOG_H_
#define XMLSECDB_PLATFORM_EVENT_LOG_H_

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace xmlsecdb {

// Event types as the platform's event viewer numbers them.
constexpr int EVENTLOG_SUCCESS = 0;
constexpr int EVENTLOG_ERROR_TYPE = 1;
constexpr int EVENTLOG_WARNING_TYPE = 2;
constexpr int EVENTLOG_INFORMATION_TYPE = 4;

// The event type that the two severity bits of `event_id` select: 0 success,
// 1 (0x40000000) information, 2 (0x80000000) warning, 3 (0xC0000000) error.
int EventTypeFromId(std::uint32_t event_id);

// Formats the text printf-style (texts longer than 1023 bytes are cut at a
// character boundary) and writes it as event `event_id`. The syslog priority
// follows the type: LOG_NOTICE, LOG_INFO, LOG_WARNING or LOG_ERR.
void ReportEventLog(std::uint32_t event_id, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

// One reported event, as EventLogCapture records it.
struct EventRecord {
  std::uint32_t event_id = 0;
  int type = EVENTLOG_SUCCESS;
  std::string text;
};

// For tests: while an instance lives, events from every thread are recorded
// here instead of going to syslog. Instances nest; the newest one records.
class EventLogCapture {
 public:
  EventLogCapture();
  ~EventLogCapture();
  EventLogCapture(const EventLogCapture&) = delete;
  EventLogCapture& operator=(const EventLogCapture&) = delete;

  // The events recorded so far, oldest first.
  std::vector<EventRecord> events() const;

 private:
  friend void ReportEventLog(std::uint32_t event_id, const char* format, ...);

  mutable std::mutex mu_;
  std::vector<EventRecord> events_;
  EventLogCapture* previous_ = nullptr;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_EVENT_LOG_H_

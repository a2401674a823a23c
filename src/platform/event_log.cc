#include "platform/event_log.h"

#include <syslog.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace xmlsecdb {
namespace {

constexpr std::size_t kTextBuffer = 1024;

// Guards the chain of live captures; the newest is at the head.
std::mutex& CaptureMutex() {
  static std::mutex* const mu = new std::mutex;
  return *mu;
}
EventLogCapture* g_capture = nullptr;

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

void ReportEventLog(std::uint32_t event_id, const char* format, ...) {
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
  int type = EventTypeFromId(event_id);

  {
    std::lock_guard lock(CaptureMutex());
    if (g_capture) {
      std::lock_guard capture_lock(g_capture->mu_);
      g_capture->events_.push_back({event_id, type, text});
      return;
    }
  }

  static std::once_flag opened;
  std::call_once(opened, [] { ::openlog("XMLSecDBParser", LOG_PID, LOG_USER); });
  ::syslog(LOG_USER | PriorityFromType(type), "%s", text);
}

EventLogCapture::EventLogCapture() {
  std::lock_guard lock(CaptureMutex());
  previous_ = g_capture;
  g_capture = this;
}

EventLogCapture::~EventLogCapture() {
  std::lock_guard lock(CaptureMutex());
  // Captures normally end newest first; unlink from the middle otherwise.
  for (EventLogCapture** link = &g_capture; *link; link = &(*link)->previous_) {
    if (*link == this) {
      *link = previous_;
      break;
    }
  }
}

std::vector<EventRecord> EventLogCapture::events() const {
  std::lock_guard lock(mu_);
  return events_;
}

}  // namespace xmlsecdb

#include "platform/event_log.h"

#include <gtest/gtest.h>

#include <string>

#include "testing/test_env.h"

namespace xmlsecdb {
namespace {

TEST(EventLogTest, TypeFollowsTheSeverityBits) {
  const struct {
    std::uint32_t event_id;
    int type;
  } kCases[] = {
      {0x00000001, EVENTLOG_SUCCESS},          {0x3FFFFFFF, EVENTLOG_SUCCESS},
      {0x40000002, EVENTLOG_INFORMATION_TYPE}, {0x80000003, EVENTLOG_WARNING_TYPE},
      {0xC0000001, EVENTLOG_ERROR_TYPE},       {0xFFFFFFFF, EVENTLOG_ERROR_TYPE},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(EventTypeFromId(c.event_id), c.type) << std::hex << c.event_id;
  }
}

TEST(EventLogTest, ReportFormatsTheTextAndTypesTheEvent) {
  testing::CapturingEventLog log;
  ReportEventLog(log, 0xC0000001, "Database %s was damaged and restored (0x%08X).", "am.xml", 5u);
  ReportEventLog(log, 0x00000002, "plain");
  auto events = log.events();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].event_id, 0xC0000001u);
  EXPECT_EQ(events[0].type, EVENTLOG_ERROR_TYPE);
  EXPECT_EQ(events[0].text, "Database am.xml was damaged and restored (0x00000005).");
  EXPECT_EQ(events[1].type, EVENTLOG_SUCCESS);
  EXPECT_EQ(events[1].text, "plain");
}

TEST(EventLogTest, LongTextsAreCutAtACharacter) {
  testing::CapturingEventLog log;
  const std::string ascii(3000, 'a');
  // "\xC3\xA9" straddles the 1023-byte limit.
  const std::string split = std::string(1022, 'b') + "\xC3\xA9" + "tail";
  ReportEventLog(log, 0x40000000, "%s", ascii.c_str());
  ReportEventLog(log, 0x40000000, "%s", split.c_str());
  auto events = log.events();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].text, std::string(1023, 'a'));
  EXPECT_EQ(events[1].text, std::string(1022, 'b'));
}

}  // namespace
}  // namespace xmlsecdb

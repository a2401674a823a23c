// The order of two transports: the range comparison, the deciding fields
// and their magnitudes, and Compare across items and transport objects.
#include "fw/fw_transport.h"

#include <gtest/gtest.h>

#include "fw/fw_item.h"
#include "testing/hresult_matchers.h"

namespace xmlsecdb {
namespace {

TEST(FWTransportTest, RangeComparisonPutsTheNarrowerRangeFirst) {
  struct Case {
    std::int32_t a1, a2, b1, b2;
    int expected;
  };
  const Case cases[] = {
      {80, 80, 1, 1024, -1},    // inside
      {1, 1024, 80, 80, 1},     // contains
      {0, 65535, 0, 65535, 0},  // equal ranges are not inside each other
      {5, 5, 5, 5, 0},
      {10, 20, 10, 10, 1},  // a single value holds no range, but lies inside
      {10, 10, 10, 20, -1},
      {1, 5, 3, 9, -2},  // overlapping: by the first ends
      {3, 9, 1, 5, 2},
      {1, 5, 1, 9, -1},  // same start, shorter: inside
      {7, 9, 3, 4, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.a1 << "-" << c.a2 << " vs " << c.b1 << "-" << c.b2);
    EXPECT_EQ(CompareRanges(c.a1, c.a2, c.b1, c.b2), c.expected);
  }
}

FWTransport Tcp(std::int32_t local_from, std::int32_t local_to) {
  FWTransport t;
  t.local_from = local_from;
  t.local_to = local_to;
  return t;
}
FWTransport With(EProtocol protocol, EDirection direction = DIR_IN) {
  FWTransport t;
  t.protocol = protocol;
  t.direction = direction;
  return t;
}
FWTransport Icmp(EICMPType type) {
  FWTransport t = With(PROT_ICMP);
  t.icmp_type = type;
  return t;
}
FWTransport Other(std::int32_t numbers) {
  FWTransport t = With(PROT_OTHER);
  t.protocol_numbers = numbers;
  return t;
}

TEST(FWTransportTest, FirstDecidingFieldGivesSignAndMagnitude) {
  FWTransport remote_narrow;
  remote_narrow.remote_from = remote_narrow.remote_to = 443;
  FWTransport other_content = Tcp(0, 65535);
  other_content.content = "ignored";
  struct Case {
    const char* what;
    FWTransport a, b;
    int expected;
  };
  const Case cases[] = {
      {"port 80 inside 1-1024", Tcp(80, 80), Tcp(1, 1024), -1},
      {"tcp before udp", With(PROT_TCP), With(PROT_UDP), -1},
      {"protocol before direction", With(PROT_ALL, DIR_IN), With(PROT_TCP, DIR_OUT), 1},
      {"in before out", With(PROT_UDP, DIR_IN), With(PROT_UDP, DIR_OUT), -2},
      {"remote ports after local ones", remote_narrow, FWTransport{}, -2},
      {"content is not compared", other_content, FWTransport{}, 0},
      {"one icmp type before all", Icmp(ICMP_ECHO), Icmp(ICMP_ALL), -1},
      {"all after one type", Icmp(ICMP_ALL), Icmp(ICMP_V6_REDIRECT), 1},
      {"smaller icmp type first", Icmp(ICMP_TIMEOUT), Icmp(ICMP_ECHO), 2},
      {"icmp ignores ports", Icmp(ICMP_ECHO),
       [] {
         FWTransport t = Icmp(ICMP_ECHO);
         t.local_from = 9;
         return t;
       }(),
       0},
      {"protocol 47 inside 1-100", Other(47 * 65537), Other(1 + 100 * 65536), -1},
      {"protocol 4464-1 against 47", Other(70000), Other(47 * 65537), 1},
      {"other protocols ignore ports",
       [] {
         FWTransport t = With(PROT_ALL);
         t.local_from = 9;
         return t;
       }(),
       With(PROT_ALL), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(CompareTransports(c.a, c.b), c.expected);
  }
}

TEST(FWTransportTest, CompareTakesItemsAndTransportObjectsAlike) {
  ComPtr<CFWItem> item = MakeObject<CFWItem>();
  ComPtr<CFWTransportObject> transport = MakeObject<CFWTransportObject>(nullptr);
  ASSERT_OK(item->put_LocalPortFrom(80));
  ASSERT_OK(item->put_LocalPortTo(80));
  ASSERT_OK(transport->put_LocalPortFrom(1));
  ASSERT_OK(transport->put_LocalPortTo(1024));
  std::int16_t result = 0;
  ASSERT_OK(item->Compare(transport.get(), &result));
  EXPECT_EQ(result, -1);
  ASSERT_OK(transport->Compare(item.get(), &result));
  EXPECT_EQ(result, 1);
  ASSERT_OK(item->Compare(item.get(), &result));
  EXPECT_EQ(result, 0);

  EXPECT_HR(item->Compare(nullptr, &result), E_POINTER);
  EXPECT_HR(transport->Compare(item.get(), nullptr), E_POINTER);
}

}  // namespace
}  // namespace xmlsecdb

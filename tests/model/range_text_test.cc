#include "model/range_text.h"

#include <gtest/gtest.h>

#include <string>

namespace xmlsecdb {
namespace {

TEST(RangeTextTest, PortRangesReadAndWriteBack) {
  struct Case {
    const char* text;
    PortSyntax syntax;
    PortRange ports;
    const char* written;
  };
  const Case kCases[] = {
      {"*", PortSyntax::kPlain, {0, 65535, false}, "*"},
      {"80", PortSyntax::kPlain, {80, 80, false}, "80"},
      {"1024-65535", PortSyntax::kPlain, {1024, 65535, false}, "1024-65535"},
      {"0", PortSyntax::kPlain, {0, 0, false}, "0"},
      {"0-65535", PortSyntax::kPlain, {0, 65535, false}, "*"},
      {"8080x", PortSyntax::kPlain, {8080, 8080, false}, "8080"},  // trailing text ignored
      {"", PortSyntax::kPlain, {0, 0, false}, "0"},
      // The firewall's syntax knows no inversion and splits at the first "-".
      {"!80", PortSyntax::kPlain, {0, 0, false}, "0"},
      {"-5", PortSyntax::kPlain, {0, 5, false}, "0-5"},
      // The IDS syntax.
      {"!1-1023", PortSyntax::kInvertible, {1, 1023, true}, "!1-1023"},
      {"!*", PortSyntax::kInvertible, {0, 0, true}, "!0"},
      {"!0-65535", PortSyntax::kInvertible, {0, 65535, true}, "!0-65535"},
      {"-5", PortSyntax::kInvertible, {-5, -5, false}, "-5"},
      {"-5--1", PortSyntax::kInvertible, {-5, -1, false}, "-5--1"},
      {"*", PortSyntax::kInvertible, {0, 65535, false}, "*"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    PortRange ports = ReadPortRange(c.text, c.syntax);
    EXPECT_EQ(ports, c.ports);
    EXPECT_EQ(PortRangeText(ports).view(), c.written);
  }
}

TEST(RangeTextTest, ProtocolNumbersReadAndWriteBack) {
  struct Case {
    const char* text;
    std::uint32_t packed;
    const char* written;
  };
  const Case kCases[] = {
      {"47", 47u * 65537u, "47"},
      {"50-51", 50u + 51u * 65536u, "50-51"},
      {"0", 0, "0"},
      {"65535", 0xFFFFFFFFu, "65535"},
      {"70000", 70000u, "4464-1"},  // a large number is stored as it is
      {"51-50", 51u + 50u * 65536u, "51-50"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    std::int32_t packed = ReadProtocolNumbers(c.text);
    EXPECT_EQ(static_cast<std::uint32_t>(packed), c.packed);
    EXPECT_EQ(ProtocolNumbersText(packed).view(), c.written);
  }
}

}  // namespace
}  // namespace xmlsecdb

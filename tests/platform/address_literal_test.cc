#include "platform/address_literal.h"

#include <gtest/gtest.h>

namespace xmlsecdb {
namespace {

TEST(AddressLiteralTest, ClassifiesAsTheScannerReads) {
  const struct {
    const char* text;
    AddressLiteralKind kind;
  } cases[] = {
      // Dotted quads: each number below 256 as an unsigned number; text
      // after the fourth is not looked at.
      {"10.0.0.1", kIPv4Literal},
      {"255.255.255.255", kIPv4Literal},
      {"1.2.3.4.5", kIPv4Literal},
      {"1.2.3.4abc", kIPv4Literal},
      {" 1. 2.+3.-0", kIPv4Literal},
      {"256.1.1.1", kNotAddressLiteral},
      {"-1.2.3.4", kNotAddressLiteral},
      {"4294967297.1.1.1", kNotAddressLiteral},
      {"1.2.3", kNotAddressLiteral},
      {"1 .2.3.4", kNotAddressLiteral},
      {"example.com", kNotAddressLiteral},
      {"", kNotAddressLiteral},
      // Eight groups without a gap.
      {"fe80:0:0:0:0:0:0:1", kIPv6FullLiteral},
      {"0xfe80:0:0:0:0:0:0:FFFFF", kIPv6FullLiteral},
      {"fe80:0:0:0:0:0:1", kNotAddressLiteral},
      // With "::": fewer than eight groups around the first gap, an empty
      // side counting -1.
      {"::1", kIPv6GapLiteral},
      {"fe80::1", kIPv6GapLiteral},
      {"::", kIPv6GapLiteral},
      {"1:2:3:4::5:6:7", kIPv6GapLiteral},
      {"1:2:3:4::5:6:7:8", kNotAddressLiteral},
      {"1:2:3:4:5:6:7:8::", kIPv6GapLiteral},  // 8 - 8 - (-1) = 1
      {"1:2:3:4:5:6:7:8::9", kNotAddressLiteral},
      // The scanner reads no group of a name, so a name with "::" counts.
      {"host::name", kIPv6GapLiteral},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ClassifyAddressLiteral(c.text), c.kind) << '"' << c.text << '"';
  }
}

}  // namespace
}  // namespace xmlsecdb

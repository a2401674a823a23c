#include "model/attribute_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace xmlsecdb {
namespace {

enum Slot { kName, kOrder, kCount, kProcess, kBits, kOff, kOn, kSlots };

// Deliberately not in slot order: the table's order is the write order.
constexpr AttributeSpec<Slot> kTable[] = {
    {"order", kOrder, AttributeRead::kDecimal},  {"name", kName},
    {"count", kCount, AttributeRead::kUnsigned}, {"proc", kProcess, AttributeRead::kHex},
    {"bits", kBits, AttributeRead::kBitList},    {"off", kOff, AttributeRead::kFlag},
    {"on", kOn, AttributeRead::kOnFlag},
};

using Values = AttributeValues<Slot, kSlots>;

TEST(AttributeTableTest, OnePassFillsTheSlotsByTheirReadRules) {
  const char* const pairs[] = {"name", "a",      "order", "-12", "count", "-1", "proc",
                               "1F",   "bits",   "1|3",   "off", "true",  "on", "0",
                               "name", "second", "other", "x",   nullptr};
  const Values a(kTable, SaxAttributes(pairs));
  EXPECT_EQ(a.text(kName), "a");  // the first of duplicate names
  EXPECT_EQ(a.number(kOrder), -12);
  EXPECT_EQ(static_cast<std::uint32_t>(a.number(kCount)), 0xFFFFFFFFu);
  EXPECT_EQ(a.number(kProcess), 0x1F);
  EXPECT_EQ(a.number(kBits), 0x5);
  EXPECT_TRUE(a.flag(kOff));
  EXPECT_FALSE(a.flag(kOn));
}

TEST(AttributeTableTest, AbsentAttributesReadAsEmptyText) {
  const char* const pairs[] = {"name", "", nullptr};
  const Values a(kTable, SaxAttributes(pairs));
  EXPECT_TRUE(a.has(kName));  // present, if empty
  EXPECT_EQ(a.get(kName), std::optional<std::string_view>(""));
  EXPECT_FALSE(a.has(kOrder));
  EXPECT_EQ(a.get(kOrder), std::nullopt);
  EXPECT_EQ(a.number(kOrder), 0);
  EXPECT_FALSE(a.flag(kOff));
  EXPECT_TRUE(a.flag(kOn));  // anything but "0" or "false", nothing included
}

TEST(AttributeTableTest, WritingFollowsTheTableAndSkipsWhatIsNotGiven) {
  XmlAttributes out;
  WriteAttributes(out, kTable, [](Slot slot, AttributeWriter& w) {
    switch (slot) {
      case kName:
        w.Text("n");
        break;
      case kOrder:
        w.Int(-3);
        break;
      case kCount:
        w.Unsigned(4000000000u);
        break;
      case kBits:
        w.TextIfAny(BitListText(0));  // nothing for 0
        break;
      case kOn:
        w.TextIfAny(std::optional<std::string_view>("0"));
        break;
      default:
        break;
    }
  });
  std::vector<std::string> written;
  for (std::size_t i = 0; i < out.size(); ++i) {
    written.push_back(std::string(out.name(i)) + "=" + std::string(out.value(i)));
  }
  EXPECT_EQ(written, (std::vector<std::string>{"order=-3", "name=n", "count=4000000000", "on=0"}));
}

}  // namespace
}  // namespace xmlsecdb

// The pieces of the firewall's rule order: the time-of-day text, the
// classes of address sets, and the order of whole rules in their list.
#include "fw/fw_rule_compare.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fw/fw_fixture.h"
#include "testing/hresult_matchers.h"

namespace xmlsecdb {
namespace {

using testing::MakeFWParser;

TEST(FWTimeOfDayTest, EntriesOfTheText) {
  struct Case {
    const char* text;
    std::vector<TimeOfDayEntry> entries;
  };
  const Case cases[] = {
      {"Mo-Fr#08:00-17:30", {{31, 480, 1050}}},
      {"Sa,Su#25:00-26:00", {{96, 1439, 1439}}},
      {"mo,WE#00:00-23:59|Ho#12:00-13:00", {{5, 0, 1439}, {128, 720, 780}}},
      {"Xx#01:00-02:00", {{255, 60, 120}}},           // an unknown name is every day
      {"Fr-Mo#01:00-02:00", {{0, 60, 120}}},          // a range backwards is empty
      {"Sa-Xx#01:00-02:00", {{224, 60, 120}}},        // runs to "Ho", not past bit 128
      {"Xx-Su#01:00-02:00", {{0, 60, 120}}},          // unknown first name: nothing
      {"Mo#18:00-08:00", {{1, 480, 480}}},            // a start after the end is the end
      {"Mo#0800-17:00", {{1, 0, 1020}}},              // no ":" leaves 0
      {"Mo#08:00", {{1, 0, 0}}},                      // no "-" leaves both 0
      {"Mo#0:-30-24:00", {{1, 0, 1439}}},             // clamped to 0 and 1439
      {"no day part|Tu#01:00-01:30", {{2, 60, 90}}},  // an entry without "#" is ignored
      {"", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::vector<TimeOfDayEntry> entries;
    AppendTimeOfDay(c.text, &entries);
    EXPECT_EQ(entries, c.entries);
  }
}

TEST(FWTimeOfDayTest, Containment) {
  struct Case {
    const char* a;
    const char* b;
    int order;
  };
  const Case cases[] = {
      {"Mo#09:00-10:00", "Mo#08:00-17:00", -1},  // inside a wider time first
      {"Mo#08:00-17:00", "Mo#09:00-10:00", 1},
      {"Mo#08:00-17:00", "Mo#08:00-17:00", 0},
      {"Mo#09:00-10:00", "Tu#08:00-17:00", 0},  // other days are not compared
      {"Mo#07:00-10:00", "Mo#08:00-17:00", 0},  // overlap is no containment
      {"", "Mo#08:00-17:00", 1},                // no time after any time
      {"Mo#08:00-17:00", "", -1},
      {"", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " / " + c.b);
    std::vector<TimeOfDayEntry> a;
    std::vector<TimeOfDayEntry> b;
    AppendTimeOfDay(c.a, &a);
    AppendTimeOfDay(c.b, &b);
    EXPECT_EQ(CompareTimeOfDay(a, b), c.order);
  }
}

TEST(FWAddressSetTest, SpecificSetsFirst) {
  struct Case {
    std::vector<std::string> a;
    std::vector<std::string> b;
    int order;
  };
  const Case cases[] = {
      {{"10.0.0.1"}, {"*"}, -1},
      {{}, {"*"}, 0},
      {{"*"}, {"10.0.0.0/8"}, 1},
      {{"10.0.0.1"}, {"10.0.0.1-10.0.0.9"}, -1},
      {{"10.0.0.1-10.0.0.9"}, {"10.0.0.0/8"}, -1},
      {{"10.0.0.0/8", "1.2.3.4"}, {"10.0.0.0/8"}, -1},
      {{"10.0.0.1"}, {"10.0.0.2"}, 0},
  };
  for (const Case& c : cases) {
    AddressSetClass a;
    AddressSetClass b;
    for (const std::string& entry : c.a) a.Add(entry);
    for (const std::string& entry : c.b) b.Add(entry);
    EXPECT_EQ(CompareAddressSets(a, b), c.order) << ::testing::PrintToString(c.a);
  }
}

// Rules made through the list, compared as the list compares them: each
// row is (change to rule a, expected result of a against a default b).
TEST(FWRuleCompareTest, EachStepDecides) {
  ComPtr<CFWParser> parser = MakeFWParser();
  ASSERT_OK(testing::LoadFWBody(
      parser.get(),
      "<Definitions><Object ot=\"iptransport\" id=\"web\"><Item prot=\"tcp\" remport=\"80\"/>"
      "</Object><Object ot=\"ipaddress\" id=\"nets\"><Item>10.0.0.0/8</Item></Object>"
      "<Object ot=\"time\" id=\"office\"><Item>Mo#09:00-10:00</Item></Object></Definitions>"));
  CFWRuleList* list = parser->rules();
  struct Case {
    const char* name;
    void (*change)(IFWRule* rule);
    int result;
  };
  const Case cases[] = {
      {"order", [](IFWRule* r) { (void)r->put_Order(100); }, -1},
      {"application", [](IFWRule* r) { (void)r->put_Application("a.exe"); }, -2},
      {"transport by definition",
       [](IFWRule* r) {
         (void)r->put_TransportType(RT_DEFINITION);
         (void)r->put_TransportID("web");
       },
       -3},
      {"remote address by definition",
       [](IFWRule* r) {
         (void)r->put_RemIPAddrType(RT_DEFINITION);
         (void)r->put_RemIPAddress("nets");
       },
       -4},
      {"local address", [](IFWRule* r) { (void)r->put_LocIPAddress("10.1.1.1"); }, -5},
      {"account", [](IFWRule* r) { (void)r->put_Account(RA_SYSTEM); }, 6},
      {"condition and", [](IFWRule* r) { (void)r->put_OutConditionAND(3); }, 7},
      {"condition or", [](IFWRule* r) { (void)r->put_OutConditionOR(1); }, 8},
      {"time by definition",
       [](IFWRule* r) {
         (void)r->put_TimeOfDayType(RT_DEFINITION);
         (void)r->put_TimeOfDay("office");
       },
       -9},
      {"assignment", [](IFWRule* r) { (void)r->put_Assignment("group"); }, -10},
      {"zone", [](IFWRule* r) { (void)r->put_Zone(1); }, -11},
      {"access descriptor",
       [](IFWRule* r) {
         ComPtr<IAccessDescriptor> d;
         (void)r->get_AccessDescriptor(d.Put());
         (void)d->put_AccessResult(AR_PREVENT);
       },
       -12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ComPtr<IFWRule> a;
    ComPtr<IFWRule> b;
    ASSERT_OK(list->CreateRule(a.Put()));
    ASSERT_OK(list->CreateRule(b.Put()));
    if (c.result == -9) {
      // A time inside the other's: both have one.
      ASSERT_OK(b->put_TimeOfDay("Mo#08:00-17:00"));
    }
    c.change(a.get());
    const auto& x = *static_cast<CFWRule*>(a.get());
    const auto& y = *static_cast<CFWRule*>(b.get());
    EXPECT_EQ(CompareFWRules(x, y, list->compare_context()), c.result);
    EXPECT_EQ(CompareFWRules(y, x, list->compare_context()), -c.result);
  }
}

}  // namespace
}  // namespace xmlsecdb

// The firewall's rule families through their interfaces: defaults, the
// setters' events and exceptions, identifiers, placement in their lists,
// and the client/server status of a label.
#include "fw/fw_rule.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fw/fw_fixture.h"
#include "testing/event_log.h"
#include "testing/hresult_matchers.h"
#include "testing/test_env.h"

namespace xmlsecdb {
namespace {

using testing::MakeFWParser;

class FWRuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_OK(parser_->get_RuleList(rules_.Put()));
    ComPtr<IConnectionPoint> point;
    ASSERT_OK(parser_->FindConnectionPoint(DIID__ISDParserFWEvents, point.Put()));
    std::uint32_t cookie = 0;
    ASSERT_OK(point->Advise(sink_.get(), &cookie));
  }
  ComPtr<IFWRule> NewRule(std::int32_t id) {
    ComPtr<IFWRule> rule;
    EXPECT_OK(rules_->CreateRule(rule.Put()));
    EXPECT_OK(rule->put_RuleID(id));
    return rule;
  }

  ComPtr<CFWParser> parser_ = MakeFWParser();
  ComPtr<IFWRuleList> rules_;
  ComPtr<testing::EventLog> sink_ = MakeObject<testing::EventLog>();
};

TEST_F(FWRuleTest, NewRuleDefaults) {
  ComPtr<IFWRule> rule = NewRule(1);
  std::string text;
  ASSERT_OK(rule->get_RemIPAddress(&text));
  EXPECT_EQ(text, "*");
  ASSERT_OK(rule->get_LocIPAddress(&text));
  EXPECT_EQ(text, "*");
  ASSERT_OK(rule->get_Application(&text));
  EXPECT_EQ(text, "*");
  ASSERT_OK(rule->get_Assignment(&text));
  EXPECT_EQ(text, "*");
  ASSERT_OK(rule->get_TransportID(&text));
  EXPECT_EQ(text, "");
  std::int32_t zone = 0, enabled = 0;
  ERuleAccount account = RA_BOTH;
  ASSERT_OK(rule->get_Zone(&zone));
  ASSERT_OK(rule->get_Enabled(&enabled));
  ASSERT_OK(rule->get_Account(&account));
  EXPECT_EQ(zone, 3);
  EXPECT_EQ(enabled, 1);
  EXPECT_EQ(account, RA_USER);
  ComPtr<IAccessDescriptor> descriptor;
  ASSERT_OK(rule->get_AccessDescriptor(descriptor.Put()));
  ComPtr<IFWItem> transport;
  ASSERT_OK(rule->get_TransportObject(transport.Put()));
  EXPECT_HR(rule->get_Zone(nullptr), E_POINTER);
}

TEST_F(FWRuleTest, ChangesOfAMemberRaiseTheirProperty) {
  ComPtr<IFWRule> rule = NewRule(1);
  ASSERT_OK(rules_->Insert(rule.get(), nullptr));
  struct Case {
    const char* what;
    std::function<HRESULT()> set;
    std::vector<std::string> events;
  };
  const std::string before = std::to_string(DISPID_FW_OnBeforeRuleChanged) + ":";
  const std::string after = std::to_string(DISPID_FW_OnAfterRuleChanged) + ":";
  auto both = [&](int property) {
    return std::vector<std::string>{before + std::to_string(property),
                                    after + std::to_string(property)};
  };
  const Case cases[] = {
      {"RemIPAddress", [&] { return rule->put_RemIPAddress("1.2.3.4"); }, both(FWR_IPADDR)},
      {"LocIPAddrType", [&] { return rule->put_LocIPAddrType(RT_DEFINITION); }, both(FWR_IPADDR)},
      // TransportID raises nothing while the transport is inline.
      {"TransportID inline", [&] { return rule->put_TransportID("t"); }, {}},
      {"TransportType", [&] { return rule->put_TransportType(RT_DEFINITION); },
       both(FWR_TRANSPORT)},
      {"TransportID by definition", [&] { return rule->put_TransportID("u"); },
       both(FWR_TRANSPORT)},
      {"Zone", [&] { return rule->put_Zone(1); }, both(FWR_ZONE)},
      {"Account", [&] { return rule->put_Account(RA_BOTH); }, both(FWR_SYSTEM)},
      {"UIFlags", [&] { return rule->put_UIFlags("f"); }, both(FWR_UIFLAGS)},
      {"Order", [&] { return rule->put_Order(7); }, both(FWR_ORDER)},
      {"same value", [&] { return rule->put_Order(7); }, {}},
      {"descriptor",
       [&] {
         ComPtr<IAccessDescriptor> d;
         HRESULT hr = rule->get_AccessDescriptor(d.Put());
         return Succeeded(hr) ? d->put_AuditLevel(static_cast<EAuditLevel>(2)) : hr;
       },
       both(FWR_ACCESSDESC)},
      {"switch list",
       [&] {
         ComPtr<IConditionSwitchList> list;
         ComPtr<IConditionSwitch> s;
         HRESULT hr = rule->get_ConditionSwitchList(list.Put());
         if (Succeeded(hr)) hr = list->CreateConditionSwitch(s.Put());
         return Succeeded(hr) ? list->Insert(s.get()) : hr;
       },
       both(FWR_CONDSWITCH)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    sink_->lines.clear();
    ASSERT_OK(c.set());
    EXPECT_EQ(sink_->lines, c.events);
  }
}

TEST_F(FWRuleTest, SystemAndAccountAreCoupled) {
  ComPtr<IFWRule> rule = NewRule(1);
  std::int32_t system = 0;
  ERuleAccount account = RA_USER;
  ASSERT_OK(rule->put_System(5));
  ASSERT_OK(rule->get_Account(&account));
  EXPECT_EQ(account, RA_SYSTEM);
  ASSERT_OK(rule->put_Account(RA_BOTH));
  ASSERT_OK(rule->get_System(&system));
  EXPECT_EQ(system, 5);
  ASSERT_OK(rule->put_Account(RA_USER));
  ASSERT_OK(rule->get_System(&system));
  EXPECT_EQ(system, 0);
}

TEST_F(FWRuleTest, RefusalsNameTheOperation) {
  ComPtr<IFWRule> one = NewRule(1);
  ComPtr<IFWRule> two = NewRule(2);
  ASSERT_OK(rules_->Insert(one.get(), nullptr));
  ASSERT_OK(rules_->Insert(two.get(), nullptr));
  {
    testing::ScopedDebugLogCapture log;
    EXPECT_HR(two->put_RuleID(1), SECDB_E_DUPLICATEID);
    EXPECT_TRUE(
        testing::Reported(log, "CFWRule::put_RuleID()", "Rule with given ID already exists."));
  }
  {
    ComPtr<IFWRule> again = NewRule(2);
    testing::ScopedDebugLogCapture log;
    EXPECT_HR(rules_->Insert(again.get(), nullptr), SECDB_E_DUPLICATEID);
    EXPECT_TRUE(
        testing::Reported(log, "CFWRuleList::Insert()", "Rule with given ID already exists."));
  }
  ASSERT_OK(parser_->put_ReadOnly(1));
  testing::ScopedDebugLogCapture log;
  EXPECT_HR(one->put_RemIPAddress("x"), SECDB_E_READONLY);
  EXPECT_TRUE(testing::Reported(log, "CFWRule::put_RemIPAddress()",
                                "Database is opened in read-only mode and cannot be modified."));
  ComPtr<IFWItem> transport;
  ASSERT_OK(one->get_TransportObject(transport.Put()));
  EXPECT_HR(transport->put_Protocol(PROT_UDP), SECDB_E_READONLY);
  EXPECT_HR(rules_->MoveUp(one.get()), E_NOTIMPL);
}

// Insert places by comparison, whatever `before` says; a rule equal to the
// last goes after it.
TEST_F(FWRuleTest, InsertPlacesByComparison) {
  ComPtr<IFWRule> any = NewRule(1);
  ComPtr<IFWRule> specific = NewRule(2);
  ComPtr<IFWRule> equal = NewRule(3);
  ASSERT_OK(specific->put_Application("a.exe"));
  ASSERT_OK(rules_->Insert(any.get(), nullptr));
  ASSERT_OK(rules_->Insert(equal.get(), nullptr));
  ASSERT_OK(rules_->Insert(specific.get(), equal.get()));
  std::vector<std::int32_t> ids;
  for (const CFWRule* rule : *parser_->rules()) ids.push_back(rule->rule_id());
  EXPECT_EQ(ids, (std::vector<std::int32_t>{2, 1, 3}));
  ComPtr<IFWRule> copy;
  ASSERT_OK(rules_->InsertEx(specific.get(), 0, copy.Put()));
  std::int32_t id = 0;
  ASSERT_OK(copy->get_RuleID(&id));
  EXPECT_EQ(id, 4);
  std::string app;
  ASSERT_OK(copy->get_Application(&app));
  EXPECT_EQ(app, "a.exe");
}

TEST_F(FWRuleTest, LabelClientServerStatus) {
  auto add = [&](std::int32_t id, const char* remote, EDirection direction, EAccessResult result) {
    ComPtr<IFWRule> rule = NewRule(id);
    ASSERT_OK(rule->put_Application("Browser"));
    ASSERT_OK(rule->put_RemIPAddress(remote));
    ComPtr<IFWItem> transport;
    ASSERT_OK(rule->get_TransportObject(transport.Put()));
    ASSERT_OK(transport->put_Protocol(PROT_TCP_UDP));
    ASSERT_OK(transport->put_Direction(direction));
    ComPtr<IAccessDescriptor> descriptor;
    ASSERT_OK(rule->get_AccessDescriptor(descriptor.Put()));
    ASSERT_OK(descriptor->put_AccessResult(result));
    ASSERT_OK(rules_->Insert(rule.get(), nullptr));
  };
  EClientServerStatus client = CSS_DENY;
  EClientServerStatus server = CSS_DENY;
  ASSERT_OK(rules_->GetLabelClientServerStatus("browser", &client, &server));
  EXPECT_EQ(client, CSS_ASK);
  EXPECT_EQ(server, CSS_ASK);
  add(1, "*", DIR_OUT, AR_ALLOW);
  ASSERT_OK(rules_->GetLabelClientServerStatus("BROWSER", &client, &server));
  EXPECT_EQ(client, CSS_ALLOW);
  EXPECT_EQ(server, CSS_ASK);
  add(2, "10.0.0.1", DIR_OUT, AR_PREVENT);
  ASSERT_OK(rules_->GetLabelClientServerStatus("Browser", &client, &server));
  EXPECT_EQ(client, CSS_CUSTOM);
  EXPECT_EQ(server, CSS_ASK);
  add(3, "*", DIR_IN, AR_PREVENT);
  ASSERT_OK(rules_->GetLabelClientServerStatus("Browser", &client, &server));
  EXPECT_EQ(server, CSS_DENY);
  EXPECT_HR(rules_->GetLabelClientServerStatus("Browser", nullptr, &server), E_POINTER);
}

TEST(FWSmallRulesTest, DefaultsEventsAndIdentifiers) {
  ComPtr<CFWParser> parser = MakeFWParser();
  ComPtr<testing::EventLog> sink = MakeObject<testing::EventLog>();
  ComPtr<IConnectionPoint> point;
  ASSERT_OK(parser->FindConnectionPoint(DIID__ISDParserFWEvents, point.Put()));
  std::uint32_t cookie = 0;
  ASSERT_OK(point->Advise(sink.get(), &cookie));

  // A zone rule: unassigned, unknown category, empty texts; its changes
  // raise both events with the property.
  ComPtr<IFWZoneRuleList> zones;
  ASSERT_OK(parser->get_ZoneRuleList(zones.Put()));
  ComPtr<IFWZoneRule> zone;
  ASSERT_OK(zones->CreateRule(zone.Put()));
  EZoneId zid = ZID_SAFE;
  EZoneCategory category = CAT_LAN;
  std::string text = "x";
  ASSERT_OK(zone->get_Zone(&zid));
  ASSERT_OK(zone->get_Category(&category));
  ASSERT_OK(zone->get_IPAddress(&text));
  EXPECT_EQ(zid, ZID_UNASSIGNED);
  EXPECT_EQ(category, CAT_UNKNOWN);
  EXPECT_EQ(text, "");
  ASSERT_OK(zone->get_Assignment(&text));
  EXPECT_EQ(text, "*");
  ASSERT_OK(zone->put_RuleID(1));
  ASSERT_OK(zones->Insert(zone.get()));
  sink->lines.clear();
  ASSERT_OK(zone->put_SSID("lab"));
  EXPECT_EQ(sink->lines,
            (std::vector<std::string>{
                std::to_string(DISPID_OnBeforeZoneRuleChanged) + ":" + std::to_string(FWR_SID),
                std::to_string(DISPID_OnAfterZoneRuleChanged) + ":" + std::to_string(FWR_SID)}));

  // A routed rule raises nothing.
  ComPtr<IFWRoutedRuleList> routed;
  ASSERT_OK(parser->get_RoutedRuleList(routed.Put()));
  ComPtr<IFWRoutedRule> route;
  ASSERT_OK(routed->CreateRule(route.Put()));
  ASSERT_OK(route->put_RuleID(1));
  ASSERT_OK(routed->Insert(route.get(), nullptr));
  sink->lines.clear();
  ASSERT_OK(route->put_LANIPAddress("192.168.0.0/16"));
  EXPECT_TRUE(sink->lines.empty());

  // Dial numbers: no descriptor yet, ids checked on insertion only.
  ComPtr<IFWDialNumberList> numbers;
  ASSERT_OK(parser->get_DialNumberList(numbers.Put()));
  ComPtr<IFWDialNumber> first;
  ComPtr<IFWDialNumber> second;
  ASSERT_OK(numbers->CreateDialNumber(first.Put()));
  ASSERT_OK(numbers->CreateDialNumber(second.Put()));
  ComPtr<IAccessDescriptor> descriptor;
  EXPECT_HR(first->get_AccessDescriptor(descriptor.Put()), E_UNEXPECTED);
  ASSERT_OK(first->put_DialNumberID(4));
  ASSERT_OK(second->put_DialNumberID(4));
  ASSERT_OK(numbers->Insert(first.get(), nullptr));
  {
    testing::ScopedDebugLogCapture log;
    EXPECT_HR(numbers->Insert(second.get(), nullptr), SECDB_E_DUPLICATEID);
    EXPECT_TRUE(testing::Reported(log, "CFWDialNumberList::Insert()",
                                  "Rule with given ID already exists."));
  }
  std::int32_t id = 0;
  ASSERT_OK(numbers->GenerateDialNumberID(0, &id));
  EXPECT_EQ(id, 1);

  // Bind-socket notifications: events without a property, no duplicate check.
  ComPtr<IBindSocketNotificationList> sockets;
  ASSERT_OK(parser->get_BindSocketNotificationList(sockets.Put()));
  ComPtr<IBindSocketNotification> a;
  ComPtr<IBindSocketNotification> b;
  ASSERT_OK(sockets->CreateBindSocketNotification(a.Put()));
  ASSERT_OK(sockets->CreateBindSocketNotification(b.Put()));
  ASSERT_OK(sockets->Insert(a.get()));
  ASSERT_OK(sockets->Insert(b.get()));
  sink->lines.clear();
  ASSERT_OK(a->put_Label("Mail"));
  EXPECT_EQ(sink->lines, (std::vector<std::string>{std::to_string(DISPID_OnBeforeBSNChanged),
                                                   std::to_string(DISPID_OnAfterBSNChanged)}));

  ASSERT_OK(parser->put_ReadOnly(1));
  testing::ScopedDebugLogCapture log;
  EXPECT_HR(zone->put_SSID("x"), SECDB_E_READONLY);
  EXPECT_TRUE(testing::Reported(log, "CFWZoneRule::put_Domain()",
                                "Database is opened in read-only mode and cannot be modified."));
}

}  // namespace
}  // namespace xmlsecdb

// The XML forms of the firewall's rule families: every failure text, the
// write order of each form, the "@" of dial numbers, words read without
// regard to case, and round trips in save order and in scrambled order.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fw/fw_fixture.h"
#include "testing/hresult_matchers.h"
#include "testing/test_env.h"

namespace xmlsecdb {
namespace {

using testing::FWSectionText;
using testing::LoadFWBody;
using testing::MakeFWParser;

const std::string kAccess = "<AccessDesc at=\"NetworkAccess\" ar=\"Allow\" al=\"Severity1\"/>";

std::string RuleList(const std::string& attributes) {
  return "<RuleList><Rule " + attributes + ">" + kAccess + "</Rule></RuleList>";
}
std::string RoutedList(const std::string& attributes) {
  return "<RoutedRuleList><RoutedRule " + attributes + ">" + kAccess +
         "</RoutedRule></RoutedRuleList>";
}

TEST(FWRuleFormatTest, FailuresEndTheLoad) {
  const std::string k109 = "Required attribute is missing.";
  const std::string k110 = "Security database has invalid content.";
  const std::string handler = "CDbContentHandlerFW::StartElement()";
  const std::string rule = "id=\"1\" remaddr=\"*\" app=\"a\" ";
  const std::string routed = "id=\"1\" remaddr=\"*\" ";
  struct Case {
    std::string body;
    std::string description;
    std::string source = "CDbContentHandlerFW::StartElement()";
    HRESULT result = E_FAIL;
  };
  const Case cases[] = {
      {RuleList("remaddr=\"*\" app=\"a\""), k109 + " Missing rule id."},
      {RuleList("id=\"\" remaddr=\"*\" app=\"a\""), k109 + " Wrong rule id."},
      {RuleList(rule + "priority=\"top\""), k110 + " Wrong rule priority."},
      {RuleList(rule + "dir=\"both\""), k110 + " Wrong rule dir."},
      {RuleList(rule + "prot=\"ip\""), k110 + " Wrong rule prot."},
      {RuleList(rule + "icmptype=\"x\""), k110 + " Wrong rule icmptype."},
      {RuleList("id=\"1\" app=\"a\""), k110 + " The rule remaddr or remaddr_id must be set."},
      {RuleList("id=\"1\" app=\"a\" remaddr=\"*\" remaddr_id=\"n\""),
       k110 + " The rule remaddr or remaddr_id must be set."},
      {RuleList("id=\"1\" remaddr=\"*\""), k110 + " The rule app or app_id must be set."},
      {RuleList("id=\"1\" remaddr=\"*\" app=\"a\" app_id=\"b\""),
       k110 + " The rule app or app_id must be set."},
      {RuleList(rule + "timeofday=\"Mo#1:00-2:00\" timeofday_id=\"t\""),
       k110 + " The rule timeofday or timeofday_id must be set."},
      {"<RuleList><Rule " + rule + "><AccessDesc al=\"Severity1\"/></Rule></RuleList>",
       k109 + " Missing AccessDesc AR."},
      {"<RuleList><Rule " + rule + "><AccessDesc ar=\"Allow\" al=\"Loud\"/></Rule></RuleList>",
       k110 + " Wrong AccessDesc AL."},
      {RoutedList("remaddr=\"*\""), k109 + " Missing RoutedRule id."},
      {RoutedList("id=\"\" remaddr=\"*\""), k109 + " Wrong rule id."},
      {RoutedList(routed + "priority=\"x\""), k110 + " Wrong RoutedRule priority."},
      {RoutedList(routed + "dir=\"x\""), k110 + " Wrong RoutedRule dir."},
      {RoutedList(routed + "prot=\"icmp\""), k110 + " Wrong RoutedRule prot."},
      {RoutedList("id=\"1\""), k110 + " The RoutedRule remaddr or remaddr_id must be set."},
      {RoutedList(routed + "timeofday=\"a\" timeofday_id=\"b\""),
       k110 + " The RoutedRule timeofday or timeofday_id must be set."},
      {"<ZoneRuleList><ZoneRule cat=\"lan\"/></ZoneRuleList>", k109 + " Missing zone rule id."},
      {"<ZoneRuleList><ZoneRule id=\"1\" al=\"Severe\"/></ZoneRuleList>", k110 + " Wrong Zone AL."},
      {"<BindSocketNotificationList><BindSocketNotification notifyGenPorts=\"Alert\"/>"
       "</BindSocketNotificationList>",
       k109 + " Missing BindSocketNotification label."},
      {"<BindSocketNotificationList><BindSocketNotification label=\"a\" priority=\"x\" "
       "notifyGenPorts=\"Alert\"/></BindSocketNotificationList>",
       k110 + " Wrong BindSocketNotification priority."},
      {"<BindSocketNotificationList><BindSocketNotification label=\"a\" notifyServerPorts=\"x\" "
       "notifyGenPorts=\"Alert\"/></BindSocketNotificationList>",
       k110 + " Wrong BindSocketNotification notifyServerPorts."},
      {"<BindSocketNotificationList><BindSocketNotification label=\"a\"/>"
       "</BindSocketNotificationList>",
       k109 + " Missing BindSocketNotification notifyGenPorts."},
      {"<BindSocketNotificationList><BindSocketNotification label=\"a\" "
       "notifyGenPorts=\"Severity\"/></BindSocketNotificationList>",
       k110 + " Wrong BindSocketNotification notifyGenPorts."},
      // A duplicate id in any of the four id-keyed lists.
      {RuleList(rule) + RuleList(rule), "Rule with given ID already exists.",
       "CFWRuleList::Insert()", SECDB_E_DUPLICATEID},
      {RoutedList(routed) + RoutedList(routed), "Rule with given ID already exists.",
       "CFWRoutedRuleList::Insert()", SECDB_E_DUPLICATEID},
      {"<ZoneRuleList><ZoneRule id=\"2\"/><ZoneRule id=\"2\"/></ZoneRuleList>",
       "Rule with given ID already exists.", "CFWZoneRuleList::Insert()", SECDB_E_DUPLICATEID},
      {"<DialNumberList><DialNumber id=\"3\"/><DialNumber id=\"3\"/></DialNumberList>",
       "Rule with given ID already exists.", "CFWDialNumberList::Insert()", SECDB_E_DUPLICATEID},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    ComPtr<CFWParser> parser = MakeFWParser();
    testing::ScopedDebugLogCapture log;
    EXPECT_HR(LoadFWBody(parser.get(), c.body), c.result);
    EXPECT_TRUE(testing::Reported(log, c.source, c.description));
  }
}

TEST(FWRuleFormatTest, WriteOrderOfEachForm) {
  struct Case {
    const char* section;
    std::string body;
    std::string written;
  };
  const Case cases[] = {
      // A default rule: no zone, locaddr, filter, account or disabled.
      {"RuleList", RuleList("id=\"1\" remaddr=\"*\" app=\"*\""),
       "\t<RuleList>\n\t\t<Rule id=\"1\" order=\"35000\" dir=\"in\" prot=\"tcp\" locport=\"*\" "
       "remport=\"*\" remaddr=\"*\" app=\"*\">\n\t\t\t<AccessDesc at=\"NetworkAccess\" "
       "ar=\"Allow\" al=\"Severity1\"/>\n\t\t</Rule>\n\t</RuleList>\n"},
      {"RuleList",
       "<RuleList><Rule disabled=\"1\" uiflags=\"u\" desc=\"d\" account=\"both\" lm=\"true\" "
       "proc_id=\"ab\" preferred=\"1\" filter=\"g\" os=\"XP_and_up\" timeofday_id=\"t\" "
       "outcond_or=\"2\" outcond_and=\"1|3\" app_id=\"A\" locaddr_id=\"L\" remaddr_id=\"R\" "
       "transport_id=\"T\" priority=\"high\" zone=\"1\" id=\"AS5\">"
       "<ConditionSwitch type=\"and\" target=\"global\" bits_on=\"2\"/>" +
           kAccess + "</Rule></RuleList>",
       "\t<RuleList>\n\t\t<Rule id=\"1090519045\" zone=\"1\" priority=\"high\" order=\"5000\" "
       "transport_id=\"T\" remaddr_id=\"R\" locaddr_id=\"L\" app_id=\"A\" outcond_and=\"1|3\" "
       "outcond_or=\"2\" timeofday_id=\"t\" os=\"XP_and_up\" filter=\"g\" preferred=\"1\" "
       "proc_id=\"000000AB\" lm=\"1\" account=\"both\" disabled=\"1\" desc=\"d\" uiflags=\"u\">\n"
       "\t\t\t<ConditionSwitch type=\"and\" target=\"global\" bits_on=\"2\"/>\n"
       "\t\t\t<AccessDesc at=\"NetworkAccess\" ar=\"Allow\" al=\"Severity1\"/>\n"
       "\t\t</Rule>\n\t</RuleList>\n"},
      {"RoutedRuleList",
       RoutedList("uiflags=\"u\" disabled=\"1\" ifcaddr_id=\"I\" lanaddr=\"10.0.0.0/8\" "
                  "remaddr=\"*\" prot=\"udp\" dir=\"out\" remport=\"53\" id=\"2\""),
       "\t<RoutedRuleList>\n\t\t<RoutedRule id=\"2\" order=\"35000\" dir=\"out\" prot=\"udp\" "
       "locport=\"*\" remport=\"53\" remaddr=\"*\" lanaddr=\"10.0.0.0/8\" ifcaddr_id=\"I\" "
       "disabled=\"1\" uiflags=\"u\">\n\t\t\t<AccessDesc at=\"NetworkAccess\" ar=\"Allow\" "
       "al=\"Severity1\"/>\n\t\t</RoutedRule>\n\t</RoutedRuleList>\n"},
      // "@" stands for "*" in a number longer than one character.
      {"DialNumberList",
       "<DialNumberList><DialNumber number=\"00@\" id=\"1\" filter=\"*\"/>"
       "<DialNumber id=\"2\" number=\"*\" desc=\"any\">" +
           kAccess + "</DialNumber></DialNumberList>",
       "\t<DialNumberList>\n\t\t<DialNumber id=\"1\" number=\"00@\"/>\n\t\t<DialNumber id=\"2\" "
       "number=\"*\" desc=\"any\">\n\t\t\t<AccessDesc at=\"NetworkAccess\" ar=\"Allow\" "
       "al=\"Severity1\"/>\n\t\t</DialNumber>\n\t</DialNumberList>\n"},
      {"ZoneRuleList",
       "<ZoneRuleList><ZoneRule order=\"9\" al=\"Alert\" zone=\"Safe\" interface=\"eth0\" "
       "ssid=\"s\" domain=\"d\" ifcaddr=\"10.0.0.0/8\" cat=\"LAN\" id=\"1\"/></ZoneRuleList>",
       "\t<ZoneRuleList>\n\t\t<ZoneRule id=\"1\" cat=\"lan\" ifcaddr=\"10.0.0.0/8\" domain=\"d\" "
       "ssid=\"s\" interface=\"eth0\" zone=\"safe\" al=\"Severity2\" order=\"9\"/>\n"
       "\t</ZoneRuleList>\n"},
      {"BindSocketNotificationList",
       "<BindSocketNotificationList><BindSocketNotification filter=\"f\" notifyGenPorts=\"Ignore\" "
       "notifyServerPorts=\"Monitor\" uiflags=\"u\" priority=\"low\" label=\"Mail\"/>"
       "</BindSocketNotificationList>",
       "\t<BindSocketNotificationList>\n\t\t<BindSocketNotification label=\"Mail\" "
       "priority=\"low\" order=\"55000\" uiflags=\"u\" notifyServerPorts=\"Severity1\" "
       "notifyGenPorts=\"Severity0\" filter=\"f\"/>\n\t</BindSocketNotificationList>\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    ComPtr<CFWParser> parser = MakeFWParser();
    ASSERT_OK(LoadFWBody(parser.get(), c.body));
    EXPECT_EQ(FWSectionText(parser.get(), c.section), c.written);
  }
  ComPtr<CFWParser> parser = MakeFWParser();
  ASSERT_OK(LoadFWBody(parser.get(), cases[3].body));
  std::string number;
  ComPtr<IFWDialNumber> first;
  ASSERT_OK(parser->dial_numbers()->Get("1", first.Put()));
  ASSERT_OK(first->get_Number(&number));
  EXPECT_EQ(number, "00*");
}

TEST(FWRuleFormatTest, WritersLogTheirLists) {
  ComPtr<CFWParser> parser = MakeFWParser();
  testing::ScopedDebugLogCapture log;
  std::string xml;
  ASSERT_OK(parser->get_Xml(&xml));
  for (const char* line : {"ZelXmlSd: FWRuleList save\n", "ZelXmlSd: FWDialNumberList save\n",
                           "ZelXmlSd: FWZoneRuleList save\n"}) {
    const std::vector<std::string> lines = log.log().lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
  }
}

// Rules out of order (as a hand-edited file has them) load in comparison
// order; the file a save writes then loads back unchanged, and so does a
// file in reverse order of ten thousand rules, without quadratic cost.
TEST(FWRuleFormatTest, ScrambledAndReversedFilesSettle) {
  std::string body = "<RuleList>";
  for (int i = 0; i < 6; ++i) {
    const int n = (i * 5) % 6;
    body += "<Rule id=\"" + std::to_string(n + 1) + "\" order=\"" + std::to_string(1000 - n) +
            "\" remaddr=\"*\" app=\"a" + std::to_string(n) + "\" timeofday=\"Mo#0" +
            std::to_string(n) + ":00-09:00\">" + kAccess + "</Rule>";
  }
  body += "</RuleList>";
  ComPtr<CFWParser> parser = MakeFWParser();
  ASSERT_OK(LoadFWBody(parser.get(), body));
  std::vector<std::int32_t> ids;
  for (const CFWRule* rule : *parser->rules()) ids.push_back(rule->rule_id());
  EXPECT_EQ(ids, (std::vector<std::int32_t>{6, 5, 4, 3, 2, 1}));
  std::string first;
  ASSERT_OK(parser->get_Xml(&first));
  ComPtr<CFWParser> again = MakeFWParser();
  ASSERT_OK(again->LoadImage(first, "again.xml", 0));
  std::string second;
  ASSERT_OK(again->get_Xml(&second));
  EXPECT_EQ(second, first);
  EXPECT_EQ(again->modified_flags(), 0u);

  std::string reversed = "<RuleList>";
  for (int n = 10000; n >= 1; --n) {
    reversed += "<Rule id=\"" + std::to_string(n) + "\" order=\"" + std::to_string(n) +
                "\" remaddr=\"*\" app=\"a\">" + kAccess + "</Rule>";
  }
  reversed += "</RuleList>";
  ComPtr<CFWParser> big = MakeFWParser();
  ASSERT_OK(LoadFWBody(big.get(), reversed));
  std::int32_t expected = 1;
  for (const CFWRule* rule : *big->rules()) EXPECT_EQ(rule->rule_id(), expected++);
}

}  // namespace
}  // namespace xmlsecdb

namespace xmlsecdb {
namespace {

// What a console does: one member of every rule family built through the
// object model, saved, loaded back, and saved the same.
TEST(FWRuleFormatTest, EveryFamilyBuiltThroughTheObjectModelLoadsBack) {
  ComPtr<CFWParser> parser = MakeFWParser();
  ComPtr<IFWRuleList> rules;
  ASSERT_OK(parser->get_RuleList(rules.Put()));
  ComPtr<IFWRule> rule;
  ASSERT_OK(rules->CreateRule(rule.Put()));
  ASSERT_OK(rule->put_RuleID(7));
  ASSERT_OK(rule->put_Application("browser"));
  ASSERT_OK(rule->put_RemIPAddrType(RT_DEFINITION));
  ASSERT_OK(rule->put_RemIPAddress("Office"));
  ASSERT_OK(rule->put_TimeOfDay("Mo-Fr#08:00-17:30"));
  ASSERT_OK(rule->put_Zone(2));
  ComPtr<IFWItem> transport;
  ASSERT_OK(rule->get_TransportObject(transport.Put()));
  ASSERT_OK(transport->put_Protocol(PROT_ICMP));
  ASSERT_OK(transport->put_ICMPType(ICMP_ECHO));
  ComPtr<IConditionSwitchList> switches;
  ComPtr<IConditionSwitch> condition;
  ASSERT_OK(rule->get_ConditionSwitchList(switches.Put()));
  ASSERT_OK(switches->CreateConditionSwitch(condition.Put()));
  ASSERT_OK(switches->Insert(condition.get()));
  ASSERT_OK(rules->Insert(rule.get(), nullptr));

  ComPtr<IFWRoutedRuleList> routed;
  ASSERT_OK(parser->get_RoutedRuleList(routed.Put()));
  ComPtr<IFWRoutedRule> route;
  ASSERT_OK(routed->CreateRule(route.Put()));
  ASSERT_OK(route->put_RuleID(1));
  ASSERT_OK(route->put_IfaceIPAddress("192.168.0.1"));
  ASSERT_OK(routed->Insert(route.get(), nullptr));

  ComPtr<IFWDialNumberList> numbers;
  ASSERT_OK(parser->get_DialNumberList(numbers.Put()));
  ComPtr<IFWDialNumber> number;
  ASSERT_OK(numbers->CreateDialNumber(number.Put()));
  ASSERT_OK(number->put_DialNumberID(1));
  ASSERT_OK(number->put_Number("0049*"));
  ASSERT_OK(numbers->Insert(number.get(), nullptr));

  ComPtr<IFWZoneRuleList> zones;
  ASSERT_OK(parser->get_ZoneRuleList(zones.Put()));
  ComPtr<IFWZoneRule> zone;
  ASSERT_OK(zones->CreateRule(zone.Put()));
  ASSERT_OK(zone->put_RuleID(1));
  ASSERT_OK(zone->put_Category(CAT_VPN));
  ASSERT_OK(zone->put_Zone(ZID_DANGEROUS));
  ASSERT_OK(zone->put_Domain("corp"));
  ASSERT_OK(zones->Insert(zone.get()));

  ComPtr<IBindSocketNotificationList> sockets;
  ASSERT_OK(parser->get_BindSocketNotificationList(sockets.Put()));
  ComPtr<IBindSocketNotification> socket;
  ASSERT_OK(sockets->CreateBindSocketNotification(socket.Put()));
  ASSERT_OK(socket->put_Label("mail"));
  ASSERT_OK(socket->put_NotifyServerPorts(3));
  ASSERT_OK(sockets->Insert(socket.get()));

  std::string xml;
  ASSERT_OK(parser->get_Xml(&xml));
  for (const char* part :
       {"<Rule id=\"7\" zone=\"2\" order=\"35000\" dir=\"in\" prot=\"icmp\" "
        "icmptype=\"ECHO_REQ_REPLY_8_0\" "
        "remaddr_id=\"Office\" app=\"browser\" timeofday=\"Mo-Fr#08:00-17:30\"",
        "<RoutedRule id=\"1\"", "ifcaddr=\"192.168.0.1\"", "number=\"0049@\"",
        "<ZoneRule id=\"1\" cat=\"vpn\" ifcaddr=\"\" domain=\"corp\" zone=\"dangerous\"",
        "<BindSocketNotification label=\"mail\" order=\"35000\" notifyServerPorts=\"Severity3\""}) {
    EXPECT_NE(xml.find(part), std::string::npos) << part << "\n" << xml;
  }
  ComPtr<CFWParser> again = MakeFWParser();
  ASSERT_OK(again->LoadImage(xml, "again.xml", 0));
  std::string second;
  ASSERT_OK(again->get_Xml(&second));
  EXPECT_EQ(second, xml);
  ComPtr<IFWRule> loaded;
  ASSERT_OK(again->rules()->GetByRuleNum(7, loaded.Put()));
  std::int32_t zones_of_rule = 0;
  ASSERT_OK(loaded->get_Zone(&zones_of_rule));
  EXPECT_EQ(zones_of_rule, 2);
}

}  // namespace
}  // namespace xmlsecdb

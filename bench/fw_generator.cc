#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "generator.h"
#include "generator_text.h"

namespace xmlsecdb::bench {
namespace {

constexpr const char* kAccess[] = {"Prevent", "Allow", "AskUser"};
constexpr const char* kRemote[] = {"remaddr=\"*\"", "remaddr=\"10.1.2.10\"",
                                   "remaddr_id=\"servers\"", "remaddr=\"172.16.0.0/12\""};
// Inline transports as saved, or a transport definition.
constexpr const char* kTransports[] = {
    "dir=\"out\" prot=\"tcp\" locport=\"*\" remport=\"80\"",
    "dir=\"out\" prot=\"tcp\" locport=\"1024-65535\" remport=\"443\"",
    "dir=\"in_out\" prot=\"udp\" locport=\"*\" remport=\"53\"",
    "dir=\"in\" prot=\"icmp\" icmptype=\"ECHO_REQ_REPLY_8_0\"",
    "transport_id=\"web\"",
};

std::string AccessDesc(Random& random, const char* indent) {
  std::string r;
  Append(&r, indent, "<AccessDesc at=\"NetworkAccess\" ar=\"", kAccess[random.Below(3)],
         "\" al=\"Severity", std::to_string(random.Below(16)), "\"/>\n");
  return r;
}

// Orders are distinct and increase, so the comparison's first key keeps
// the rules in the order listed.
std::string Rule(Random& random, int n) {
  std::string r;
  Append(&r, "\t\t<Rule id=\"", std::to_string(n), "\"");
  if (random.Percent(20)) r += " zone=\"1\"";
  Append(&r, " order=\"", std::to_string(100000 + n), "\" ", kTransports[random.Below(5)], " ",
         kRemote[random.Below(4)]);
  if (random.Percent(10)) r += " locaddr=\"192.168.1.5\"";
  if (random.Percent(70)) {
    Append(&r, " app=\"", Word(random), "-", std::to_string(n % 977), ".exe\"");
  } else {
    r += " app_id=\"browsers\"";
  }
  if (random.Percent(10)) r += " outcond_and=\"1|3\"";
  if (const int time = random.Below(20); time < 3) {
    r += " timeofday=\"Mo-Fr#08:00-17:30\"";
  } else if (time == 3) {
    r += " timeofday_id=\"office hours\"";
  }
  if (random.Percent(10)) r += " filter=\"laptops\"";
  if (random.Percent(5)) r += " account=\"both\"";
  if (random.Percent(10)) r += " disabled=\"1\"";
  if (random.Percent(10)) Append(&r, " desc=\"", Word(random), "\"");
  r += ">\n";
  if (random.Percent(10)) {
    r += "\t\t\t<ConditionSwitch type=\"and\" target=\"global\" bits_on=\"2\"/>\n";
  }
  r += AccessDesc(random, "\t\t\t");
  r += "\t\t</Rule>\n";
  return r;
}

}  // namespace

std::string GenerateFirewall(const GeneratorOptions& options) {
  Random random(options.seed);
  std::string text =
      "<?xml version=\"1.0\" encoding=\"UTF-16\" standalone=\"no\"?>\n"
      "<SecDb xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
      "xsi:noNamespaceSchemaLocation=\"Firewall.xsd\">\n"
      "\t<VersionInfo major=\"3\" minor=\"1\"/>\n"
      "\t<Module id=\"Firewall\"/>\n"
      "\t<Globals>\n"
      "\t\t<Property id=\"ZoneMode\" type=\"int\">1</Property>\n"
      "\t</Globals>\n"
      "\t<Definitions>\n"
      "\t\t<Object ot=\"iptransport\" id=\"web\">\n"
      "\t\t\t<Item dir=\"out\" prot=\"tcp\" locport=\"*\" remport=\"80\">HTTP</Item>\n"
      "\t\t</Object>\n"
      "\t\t<Object ot=\"ipaddress\" id=\"servers\">\n"
      "\t\t\t<Item>10.1.2.10</Item>\n\t\t\t<Item>10.1.2.11</Item>\n"
      "\t\t</Object>\n"
      "\t\t<Object ot=\"ipaddress_lan\" id=\"lan\">\n"
      "\t\t\t<Item>192.168.0.0/16</Item>\n"
      "\t\t</Object>\n"
      "\t\t<Object ot=\"time\" id=\"office hours\">\n"
      "\t\t\t<Item>Mo-Fr#08:00-18:00</Item>\n"
      "\t\t</Object>\n"
      "\t</Definitions>\n"
      "\t<ExceptionList>\n"
      "\t\t<AppItem app=\"backup-agent\" activeGuardsMask=\"*\" order=\"35000\"/>\n"
      "\t</ExceptionList>\n"
      "\t<BindSocketNotificationList>\n"
      "\t\t<BindSocketNotification label=\"mail-server\" order=\"35000\" "
      "notifyServerPorts=\"Severity2\" notifyGenPorts=\"Severity0\"/>\n"
      "\t</BindSocketNotificationList>\n";
  std::vector<std::string> rules;
  rules.reserve(static_cast<std::size_t>(options.rules));
  for (int n = 1; n <= options.rules; ++n) rules.push_back(Rule(random, n));
  if (options.reverse) std::reverse(rules.begin(), rules.end());
  std::size_t size = text.size() + 4096;
  for (const std::string& rule : rules) size += rule.size();
  text.reserve(size);
  text += "\t<RuleList>\n";
  for (std::string& rule : rules) {
    text += rule;
    std::string().swap(rule);
  }
  text += "\t</RuleList>\n";
  Append(&text,
         "\t<RoutedRuleList>\n"
         "\t\t<RoutedRule id=\"1\" order=\"35000\" dir=\"in_out\" prot=\"tcp_udp\" locport=\"*\" "
         "remport=\"*\" remaddr=\"*\" lanaddr_id=\"lan\" ifcaddr=\"192.168.0.1\">\n",
         AccessDesc(random, "\t\t\t"),
         "\t\t</RoutedRule>\n"
         "\t</RoutedRuleList>\n"
         "\t<DialNumberList>\n"
         "\t\t<DialNumber id=\"1\" number=\"0049@\">\n",
         AccessDesc(random, "\t\t\t"),
         "\t\t</DialNumber>\n"
         "\t</DialNumberList>\n"
         "\t<ZoneRuleList>\n"
         "\t\t<ZoneRule id=\"1\" cat=\"lan\" ifcaddr_id=\"lan\" zone=\"safe\" al=\"Severity0\" "
         "order=\"15000\"/>\n"
         "\t\t<ZoneRule id=\"2\" ifcaddr=\"\" ssid=\"Guest\" al=\"Severity1\" order=\"35000\"/>\n"
         "\t</ZoneRuleList>\n"
         "</SecDb>\n");
  return text;
}

}  // namespace xmlsecdb::bench

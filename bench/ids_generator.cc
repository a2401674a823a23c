#include <algorithm>
#include <cstdio>
#include <iterator>
#include <vector>

#include "generator.h"
#include "generator_text.h"

namespace xmlsecdb::bench {
namespace {

constexpr int kRulesPerGroup = 1000;
constexpr const char* kProtocols[] = {"tcp", "udp", "icmp", "ip", "tcp_s"};
constexpr const char* kAddresses[] = {"any", "lan", "servers", "dmz"};
constexpr const char* kPorts[] = {"*", "80", "443", "!1-1023", "1024-65535", "!22", "25", "53"};

// Tokens as saved: `rel` only when not equal, modifiers after the fields
// in the order they were read, values in their type's written form.
constexpr const char* kTokens[] = {
    "<Token unique_id=\"%u\" id=\"content\" type=\"str\" depth=\"256\" nocase=\"\">../</Token>",
    "<Token unique_id=\"%u\" id=\"pcre\" type=\"str\" rel=\"noteq\">/(\\.\\.\\/){2,}"
    "[^&lt;&gt;&amp;\"]*/i</Token>",
    "<Token unique_id=\"%u\" id=\"dsize\" type=\"int\" rel=\"greater\">4294967295</Token>",
    "<Token unique_id=\"%u\" id=\"byte_test\" type=\"bin\" rel=\"relative\" bytes=\"2\" "
    "offset=\"3\">4000</Token>",
    "<Token unique_id=\"%u\" id=\"isdataat\" type=\"int\" relative=\"1\">-1</Token>",
    "<Token unique_id=\"%u\" id=\"flow\" type=\"bool\" established=\"1\">1</Token>",
    "<Token unique_id=\"%u\" id=\"icmp_type\" type=\"int\">8</Token>",
    "<Token unique_id=\"%u\" id=\"echo_id\" type=\"int\" rel=\"less\">256</Token>",
    "<Token unique_id=\"%u\" id=\"tcp_flg\" type=\"str\" mask=\"12\">FPU</Token>",
    "<Token unique_id=\"%u\" id=\"tcp_window\" type=\"int\" rel=\"less\">1024</Token>",
    "<Token unique_id=\"%u\" id=\"ip_ttl\" type=\"int\" rel=\"less\">2</Token>",
    "<Token unique_id=\"%u\" id=\"ip_opt\" type=\"str\">lsrr</Token>",
    "<Token unique_id=\"%u\" id=\"sameadr\" type=\"bool\">1</Token>",
    "<Token unique_id=\"%u\" id=\"byte_jump\" type=\"bin\" align=\"\" offset=\"12\">0001</Token>",
    "<Token unique_id=\"%u\" id=\"content\" type=\"bin\" rel=\"relative\" "
    "within=\"16\">0000FF</Token>",
    "<Token unique_id=\"%u\" id=\"flowbits\" type=\"str\" action=\"isset\">smtp.data</Token>",
    "<Token unique_id=\"%u\" id=\"content\" type=\"str\" nocase=\"\">MAIL FROM:&lt;</Token>",
    "<Token unique_id=\"%u\" id=\"asn1\" type=\"str\" "
    "oversize_length=\"10000\">bitstring_overflow</Token>",
    "<Token unique_id=\"%u\" id=\"content\" type=\"str\">caf\xC3\xA9 &amp; cr\xC3\xA8me</Token>",
};

std::string Token(const char* format, unsigned unique_id) {
  std::string text(256, '\0');
  text.resize(static_cast<std::size_t>(std::snprintf(text.data(), text.size(), format, unique_id)));
  return text;
}

std::string Rule(Random& random, int n) {
  std::string r;
  Append(&r, "\t\t<Rule al=\"Severity", std::to_string(random.Below(16)), "\" ar=\"",
         random.Percent(70) ? "Prevent" : "Allow", "\" dir=\"", random.Percent(80) ? "in" : "out",
         "\" prot=\"", kProtocols[random.Below(5)], "\" locaddr_id=\"", kAddresses[random.Below(4)],
         "\" remaddr_id=\"", kAddresses[random.Below(4)], "\" locport=\"",
         kPorts[random.Below(8)], "\" remport=\"", kPorts[random.Below(8)], "\" name=\"",
         Word(random), " signature ", Word(random), " ", std::to_string(n), "\" sid=\"",
         std::to_string(random.Percent(50) ? 1073741824u + static_cast<unsigned>(n)
                                           : 2000000u + static_cast<unsigned>(n)),
         "\"");
  if (random.Percent(10)) r += " enabled=\"0\"";
  if (random.Percent(20)) r += " filter=\"dmz*\"";
  r += ">\n";
  const int tokens = 2 + random.Below(4);
  unsigned unique_id = 0;
  for (int i = 0; i < tokens; ++i) {
    unique_id += 1 + (random.Percent(10) ? 1 : 0);
    Append(&r, "\t\t\t",
           Token(kTokens[random.Below(static_cast<int>(std::size(kTokens)))], unique_id), "\n");
  }
  r += "\t\t</Rule>\n";
  return r;
}

}  // namespace

std::string GenerateIds(const GeneratorOptions& options) {
  Random random(options.seed);
  const int groups = (options.rules + kRulesPerGroup - 1) / kRulesPerGroup;
  std::string text =
      "<?xml version=\"1.0\" encoding=\"UTF-16\" standalone=\"no\"?>\n"
      "<SecDb xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
      "xsi:noNamespaceSchemaLocation=\"IDS.xsd\">\n"
      "\t<VersionInfo major=\"3\" minor=\"1\"/>\n"
      "\t<Module id=\"IDS\"/>\n"
      "\t<Globals>\n"
      "\t\t<Property id=\"Custom1\" type=\"int\">1</Property>\n"
      "\t\t<Property id=\"Custom2\" type=\"str\">signature set 2024-11</Property>\n"
      "\t\t<Property id=\"Custom3\" type=\"bool\">1</Property>\n"
      "\t</Globals>\n"
      "\t<Definitions>\n"
      "\t\t<Object id=\"any\" ot=\"ipaddress\" desc=\"Every address\">\n"
      "\t\t\t<Item>*</Item>\n\t\t</Object>\n"
      "\t\t<Object id=\"lan\" ot=\"ipaddress\" desc=\"Local networks\">\n"
      "\t\t\t<Item>10.0.0.0/8</Item>\n\t\t\t<Item>192.168.0.0-192.168.255.255</Item>\n"
      "\t\t</Object>\n"
      "\t\t<Object id=\"servers\" ot=\"ipaddress\" desc=\"Web &amp; mail servers\">\n"
      "\t\t\t<Item>10.1.2.10</Item>\n\t\t\t<Item>10.1.2.11</Item>\n\t\t</Object>\n"
      "\t\t<Object id=\"dmz\" ot=\"ipaddress\" desc=\"DMZ\">\n"
      "\t\t\t<Item>172.16.0.0/12</Item>\n\t\t</Object>\n";
  // Every group has its rule information and tree node definitions.
  for (int g = 0; g < groups; ++g) {
    std::string id;
    Append(&id, "g", std::to_string(g));
    Append(&text, "\t\t<Object id=\"", id, "\" ot=\"ruleinfo\" desc=\"Group ", id,
           "\">\n\t\t\t<Item>CVE references ", id, "</Item>\n\t\t</Object>\n",
           "\t\t<Object id=\"", id, "\" ot=\"nodeinfo\" desc=\"Tree node ", id,
           "\"/>\n");
  }
  text += "\t</Definitions>\n";

  std::vector<std::string> group_texts(static_cast<std::size_t>(groups));
  std::vector<std::string> rules;
  int n = 0;
  for (int g = 0; g < groups; ++g) {
    const int count = std::min(kRulesPerGroup, options.rules - n);
    rules.clear();
    for (int i = 0; i < count; ++i) rules.push_back(Rule(random, ++n));
    if (options.reverse) std::reverse(rules.begin(), rules.end());
    std::string& group = group_texts[static_cast<std::size_t>(g)];
    Append(&group, "\t<RuleList id=\"g", std::to_string(g), "\" name=\"", Word(random),
           " attacks ", std::to_string(g), "\">\n");
    for (const std::string& rule : rules) group += rule;
    group += "\t</RuleList>\n";
  }
  if (options.reverse) std::reverse(group_texts.begin(), group_texts.end());
  std::size_t size = text.size() + 1024;
  for (const std::string& group : group_texts) size += group.size();
  text.reserve(size);
  for (std::string& group : group_texts) {
    text += group;
    std::string().swap(group);
  }
  text +=
      "\t<RuleSetList>\n"
      "\t\t<RuleSet id=\"Servers\" desc=\"Signatures for the server farm\">\n"
      "\t\t\t<RuleListID>g0</RuleListID>\n"
      "\t\t</RuleSet>\n"
      "\t</RuleSetList>\n"
      "</SecDb>\n";
  return text;
}

}  // namespace xmlsecdb::bench

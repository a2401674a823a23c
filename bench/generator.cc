#include "generator.h"

#include <algorithm>
#include <vector>

#include "platform/utf.h"

namespace xmlsecdb::bench {
namespace {

// splitmix64: small, fast and the same everywhere.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
  bool Percent(int p) { return Below(100) < p; }

 private:
  std::uint64_t state_;
};

constexpr const char* kPriorities[] = {nullptr, " priority=\"high\"", " priority=\"low\""};
constexpr const char* kResults[] = {"Prevent", "Allow", "AskUser", "None"};
constexpr const char* kAccounts[] = {nullptr, " account=\"system\"", " account=\"both\""};
constexpr const char* kOs[] = {nullptr, " os=\"NT_and_up\"", " os=\"XP_and_up\""};
constexpr int kOrders[3][2] = {{25000, 35000}, {5000, 15000}, {45000, 55000}};

// A word for a description: mostly ASCII, sometimes accented or CJK, and
// sometimes with characters that must be escaped.
// Appends every piece to *out (one growing buffer, no temporaries).
template <class... Pieces>
void Append(std::string* out, const Pieces&... pieces) {
  (out->append(pieces), ...);
}

const char* Word(Random& random) {
  static constexpr const char* kWords[] = {"scan",   "exclusion", "vendor", "update",
                                           "backup", "service",   "temp",   "report"};
  if (random.Percent(3)) return "caf\xC3\xA9";
  if (random.Percent(2)) return "\xE6\x9B\xB4\xE6\x96\xB0";
  if (random.Percent(3)) return "R&amp;D &lt;beta&gt;";
  return kWords[random.Below(8)];
}

// One generated rule: its text and what the rule comparison orders it by.
struct GeneratedRule {
  std::string text;
  int order;
  bool by_definition;
  std::string path;  // lower case: the comparison ignores case
  int and_bits;
  int or_bits;
  int result;
  int level;
};

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// The order a save writes rules in: precedence, then the path (a direct
// path before one by ID; a longer direct path before its prefix), the
// out-condition bit counts, the access descriptor. The generated
// assignments ("*" or none) compare equal.
bool SavedBefore(const GeneratedRule& a, const GeneratedRule& b) {
  if (a.order != b.order) return a.order < b.order;
  if (a.by_definition != b.by_definition) return !a.by_definition;
  if (a.path != b.path) {
    const std::size_t common = std::min(a.path.size(), b.path.size());
    int c = a.path.compare(0, common, b.path, 0, common);
    if (c != 0) return c < 0;
    return a.by_definition ? a.path.size() < b.path.size() : a.path.size() > b.path.size();
  }
  if (a.and_bits != b.and_bits) return a.and_bits < b.and_bits;
  if (a.or_bits != b.or_bits) return a.or_bits < b.or_bits;
  if (a.result != b.result) return a.result < b.result;
  return a.level < b.level;
}

GeneratedRule Rule(Random& random, int id) {
  const std::string n = std::to_string(id);
  GeneratedRule g;
  std::string& r = g.text;
  Append(&r, "\t\t<Rule id=\"", n, "\"");
  int priority = random.Below(3);
  if (kPriorities[priority]) r += kPriorities[priority];
  r += " ot=\"AntiMalware\"";
  g.by_definition = random.Percent(10);
  if (g.by_definition) {
    Append(&g.path, "F", std::to_string(random.Below(50)));
    Append(&r, " obj_id=\"", g.path, "\"");
  }
  if (random.Percent(15)) {
    Append(&r, " app_id=\"A", std::to_string(random.Below(50)), "\"");
  } else {
    Append(&r, " app=\"C:\\Program Files\\Vendor", std::to_string(random.Below(100)), "\\app", n,
           ".exe\"");
  }
  if (const char* os = kOs[random.Below(3)]) r += os;
  g.and_bits = random.Percent(30) ? 2 : 0;
  if (g.and_bits) r += " outcond_and=\"1|3\"";
  g.or_bits = random.Percent(10) ? 1 : 0;
  if (g.or_bits) r += " outcond_or=\"2\"";
  if (random.Percent(20)) Append(&r, " timeofday_id=\"T", std::to_string(random.Below(10)), "\"");
  if (random.Percent(30)) r += " filter=\"*\"";
  const bool preferred = random.Percent(20);
  if (preferred) r += " preferred=\"1\"";
  g.order = kOrders[priority][preferred ? 0 : 1];
  Append(&r, " order=\"", std::to_string(g.order), "\"");
  if (random.Percent(5)) r += " proc_id=\"00001A2B\"";
  if (random.Percent(5)) r += " lm=\"1\"";
  if (const char* account = kAccounts[random.Below(3)]) r += account;
  if (random.Percent(10)) r += " disabled=\"1\"";
  Append(&r, " desc=\"", Word(random), " rule ", Word(random), " ", n, "\"");
  if (random.Percent(50)) Append(&r, " uiflags=\"0x", std::to_string(random.Below(16)), "\"");
  r += ">\n";
  if (!g.by_definition) {
    std::string path = "C:\\Data\\Folder";
    Append(&path, std::to_string(id % 997), "\\*.", random.Percent(50) ? "tmp" : "log");
    Append(&r, "\t\t\t<Object>", path, "</Object>\n");
    g.path = Lower(path);
  }
  if (random.Percent(30)) {
    r += "\t\t\t<ConditionSwitch type=\"and\" target=\"global\" bits_on=\"2\"/>\n";
  }
  g.result = random.Below(4);
  g.level = random.Below(4);
  Append(&r, "\t\t\t<AccessDesc at=\"ScanExclusion\" ar=\"", kResults[g.result], "\" al=\"Severity",
         std::to_string(g.level), "\"/>\n\t\t</Rule>\n");
  return g;
}

}  // namespace

std::string GenerateAntiMalware(const GeneratorOptions& options) {
  Random random(options.seed);
  std::string text =
      "<?xml version=\"1.0\" encoding=\"UTF-16\" standalone=\"no\"?>\n"
      "<SecDb xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
      "xsi:noNamespaceSchemaLocation=\"AntiMalware.xsd\">\n"
      "\t<VersionInfo major=\"3\" minor=\"2\"/>\n"
      "\t<Module id=\"AntiMalware\"/>\n"
      "\t<Globals>\n"
      "\t\t<Property id=\"Mode\" type=\"int\">2</Property>\n"
      "\t\t<Property id=\"Heuristic\" type=\"bool\" priority=\"high\">1</Property>\n"
      "\t\t<Property id=\"ScanTimeout\" type=\"int\" filter=\"servers\">120</Property>\n"
      "\t\t<PropertySL id=\"Exclusions_MalwareList\" type=\"stringList\">\n"
      "\t\t\t<Item>Adware.Generic</Item>\n\t\t\t<Item>Joke.Program</Item>\n"
      "\t\t</PropertySL>\n"
      "\t</Globals>\n"
      "\t<Definitions>\n";
  for (int i = 0; i < 50; ++i) {
    std::string n = std::to_string(i);
    Append(&text, "\t\t<Object id=\"F", n, "\" ot=\"File\" desc=\"files ", n, "\">\n",
           "\t\t\t<Item>C:\\Shared", n, "\\*.*</Item>\n\t\t\t<Item>D:\\Archive", n,
           "\\*.zip</Item>\n\t\t</Object>\n");
  }
  for (int i = 0; i < 10; ++i) {
    Append(&text, "\t\t<Object id=\"T", std::to_string(i),
           "\" ot=\"time\">\n\t\t\t<Item>08:00-18:00</Item>\n\t\t</Object>\n");
  }
  text += "\t</Definitions>\n\t<ExceptionList>\n";
  for (int i = 0; i < 20; ++i) {
    Append(&text, "\t\t<AppItem app=\"C:\\Tools\\tool", std::to_string(i),
           ".exe\" activeGuardsMask=\"*\" account=\"system\"/>\n");
  }
  text += "\t</ExceptionList>\n\t<RuleList>\n";
  std::vector<GeneratedRule> rules;
  rules.reserve(static_cast<std::size_t>(options.rules));
  for (int id = 1; id <= options.rules; ++id) rules.push_back(Rule(random, id));
  std::stable_sort(rules.begin(), rules.end(), SavedBefore);
  if (options.reverse) std::reverse(rules.begin(), rules.end());
  for (const GeneratedRule& rule : rules) text += rule.text;
  text +=
      "\t</RuleList>\n"
      "\t<RuleSetList>\n"
      "\t\t<RuleSet id=\"Default\" desc=\"all rules\">\n"
      "\t\t\t<RuleListID>1</RuleListID>\n\t\t\t<RuleListID>2</RuleListID>\n"
      "\t\t</RuleSet>\n"
      "\t</RuleSetList>\n"
      "</SecDb>\n";
  return text;
}

std::string ToUtf16File(const std::string& utf8) {
  std::string image("\xFF\xFE", 2);
  image.reserve(2 + utf8.size() * 2);
  (void)Utf8ToUtf16LE(utf8, &image);
  return image;
}

}  // namespace xmlsecdb::bench

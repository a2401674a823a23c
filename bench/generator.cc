#include "generator.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "generator_text.h"
#include "platform/utf.h"

namespace xmlsecdb::bench {
namespace {

// ---------------------------------------------------------------------------
// The per-kind tables. Values are the library's: object types as the `ot`
// words map them, access masks as the kind's access-type table lists them.

constexpr const char* kScanWords[] = {"ScanExclusion"};
constexpr std::int32_t kScanMasks[] = {1};
constexpr PolicyRuleShape kAntiMalwareRules[] = {
    {"AntiMalware", 0x20, kScanWords, kScanMasks, "C:\\Data\\Folder%d\\*.tmp", "F"},
};

constexpr const char* kFileWords[] = {"FileRead", "FileCreate", "FileWrite", "FileDelete"};
constexpr std::int32_t kFileMasks[] = {0xA9, 0x4, 0x112, 0x10040};
constexpr const char* kKeyWords[] = {"KeyRead", "KeyCreate", "KeyWrite", "KeyDelete"};
constexpr std::int32_t kKeyMasks[] = {0x19, 0x4, 0x2, 0x10000};
constexpr const char* kSpawnWords[] = {"SpawnProc", "SpawnProcInOwnSbx"};
constexpr std::int32_t kSpawnMasks[] = {0x1, 0x2};
constexpr const char* kServiceWords[] = {"ServiceStart", "ServiceStop", "ServiceRemove"};
constexpr std::int32_t kServiceMasks[] = {0x10, 0x20, 0x10000};
constexpr const char* kDeviceWords[] = {"DeviceRead", "DeviceWrite", "*"};
constexpr std::int32_t kDeviceMasks[] = {0x2, 0x4, 0x1F};
constexpr const char* kComWords[] = {"COMCreateInProc", "COMCreateLocSrv"};
constexpr std::int32_t kComMasks[] = {0x2, 0x4};
constexpr const char* kPrivilegeWords[] = {"Win32Hook", "InjectCode"};
constexpr std::int32_t kPrivilegeMasks[] = {0x400, 0x1000};
constexpr const char* kDllWords[] = {"LoadDll"};
constexpr std::int32_t kDllMasks[] = {0x1};
constexpr PolicyRuleShape kSandboxRules[] = {
    {"File", 0x1, kFileWords, kFileMasks, "%%USERPROFILE%%\\Documents\\Project%d\\*", "F"},
    {"Registry", 0x4, kKeyWords, kKeyMasks, "HKLM\\Software\\Vendor%d\\*", "R"},
    {"Spawning", 0x8, kSpawnWords, kSpawnMasks, "C:\\Tools\\tool%d.exe", "S"},
    {"Service", 0x2, kServiceWords, kServiceMasks, "updater%d", "V"},
    {"Device", 0x10, kDeviceWords, kDeviceMasks, "\\Device\\Harddisk%d\\DR0", "D"},
    {"COM", 0x40, kComWords, kComMasks, "{72C24DD5-D70A-438B-8A42-98424B%06d}", "C"},
    {"SystemPrivilege", 0x80, kPrivilegeWords, kPrivilegeMasks, "*", ""},
    {"DllLoading", 0x20000, kDllWords, kDllMasks, "C:\\Users\\*\\AppData\\lib%d.dll", "",
     true},
};

constexpr const char* kInspectionWords[] = {
    "InspectionCreate", "InspectionDelete", "InspectionRead", "InspectionWrite",
    "SendDict",         "ReceiveDict",      "ReadMalw",       "WriteMalw"};
constexpr std::int32_t kInspectionMasks[] = {0x1, 0x2, 0x4, 0x8, 0x10, 0x20, 0x40, 0x80};
constexpr PolicyRuleShape kDataInspectionRules[] = {
    {"DataInspection", 0x4000000, kInspectionWords, kInspectionMasks, "contracts-%d", "A"},
};

constexpr PolicyDefinitionShape kAntiMalwareDefinitions[] = {
    {"F", "File", "C:\\Shared%d\\*.*", 50},
    {"T", "time", "08:00-18:00", 10},
};
constexpr PolicyDefinitionShape kSandboxDefinitions[] = {
    {"F", "File", "D:\\Shared%d\\*.doc", 10},
    {"R", "Registry", "HKLM\\Software\\Policies\\Key%d\\*", 10},
    {"S", "Spawning", "C:\\Windows\\System32\\helper%d.exe", 10},
    {"V", "Service", "svc%d", 10},
    {"D", "Device", "\\Device\\CdRom%d", 10},
    {"C", "COM", "{0002DF01-0000-0000-C000-0000000000%02d}", 10},
    {"T", "time", "08:00-18:00", 10},
    {"FT", "FileTypeList", "ext%d", 2},
};
constexpr PolicyDefinitionShape kDataInspectionDefinitions[] = {
    {"A", "File", "C:\\Program Files\\Office%d\\*.exe", 50},
    {"T", "time", "07:00-19:00", 10},
};

}  // namespace

// String lists only by the anti-malware kind.
const PolicyKindTable kAntiMalwareTable = {
    .module = "AntiMalware",
    .schema = "AntiMalware.xsd",
    .minor_version = 2,
    .globals = "\t\t<Property id=\"Mode\" type=\"int\">2</Property>\n"
               "\t\t<Property id=\"Heuristic\" type=\"bool\" priority=\"high\">1</Property>\n"
               "\t\t<Property id=\"ScanTimeout\" type=\"int\" filter=\"servers\">120</Property>\n"
               "\t\t<PropertySL id=\"Exclusions_MalwareList\" type=\"stringList\">\n"
               "\t\t\t<Item>Adware.Generic</Item>\n\t\t\t<Item>Joke.Program</Item>\n"
               "\t\t</PropertySL>\n",
    .definitions = kAntiMalwareDefinitions,
    .guards = "*",
    .rules = kAntiMalwareRules,
    .writes_scan_item_list = false,
    .custom = nullptr,
};

const PolicyKindTable kSandboxTable = {
    .module = "Sandbox",
    .schema = "Sandbox.xsd",
    .minor_version = 1,
    .globals =
        "\t\t<Property id=\"UnkAppStartDlg\" type=\"bool\">1</Property>\n"
        "\t\t<Property id=\"StartProcessAL\" type=\"int\" priority=\"high\">2</Property>\n"
        "\t\t<Property id=\"SafeToInjectDllGroup\" type=\"str\" "
        "filter=\"workstations\">trusted-dlls</Property>\n"
        "\t\t<Property id=\"DoNotLoadZelSbx\" type=\"bool\" priority=\"low\" "
        "uiflags=\"hidden\">0</Property>\n"
        "\t\t<Property id=\"Custom1\" type=\"str\">B\xC3\xBCro &amp; Labor</Property>\n",
    .definitions = kSandboxDefinitions,
    .guards = "File|Registry|Spawning|Service|Device|COM|DllLoading",
    .rules = kSandboxRules,
    .writes_scan_item_list = false,
    .custom = nullptr,
};

const PolicyKindTable kDataInspectionTable = {
    .module = "DataInspection",
    .schema = "DI.xsd",
    .minor_version = 1,
    .globals = "\t\t<Property id=\"Custom1\" type=\"str\" priority=\"high\">Finance &amp; "
               "Legal</Property>\n"
               "\t\t<Property id=\"Custom2\" type=\"int\" filter=\"servers\">3</Property>\n"
               "\t\t<Property id=\"Custom3\" type=\"bool\" uiflags=\"hidden\">1</Property>\n",
    .definitions = kDataInspectionDefinitions,
    .guards = "*",
    .rules = kDataInspectionRules,
    .writes_scan_item_list = true,
    .custom = "\t<Custom>\n\t\t<Note author=\"admin\">reviewed</Note>\n\t</Custom>\n",
};

namespace {

constexpr const char* kPriorities[] = {nullptr, " priority=\"high\"", " priority=\"low\""};
constexpr const char* kResults[] = {"Prevent", "Allow", "AskUser", "None"};
constexpr const char* kAccounts[] = {nullptr, " account=\"system\"", " account=\"both\""};
constexpr const char* kOs[] = {nullptr, " os=\"NT_and_up\"", " os=\"XP_and_up\""};
// Precedence orders by priority (normal, high, low), preferred or not.
constexpr int kOrders[3][2] = {{25000, 35000}, {5000, 15000}, {45000, 55000}};
constexpr const char* kSwitches[] = {
    "\t\t\t<ConditionSwitch type=\"and\" target=\"global\" bits_on=\"2\"/>\n",
    "\t\t\t<ConditionSwitch type=\"or\" target=\"process\" bits_on=\"1|4\" bits_off=\"3\" "
    "uiflags=\"cs\"/>\n",
    "\t\t\t<ConditionSwitch type=\"and_or\" target=\"global_process\" bits_on=\"2\" "
    "bits_off=\"4\"/>\n"};

struct Access {
  std::int32_t mask;
  int result;
  int level;
};

// One generated rule: its text and what the rule comparison orders it by.
struct GeneratedRule {
  std::string text;
  std::int32_t object_type;
  int order;
  bool wildcard;       // path "*": after every other path
  bool by_definition;  // a direct path comes first
  std::string path;    // lower case: the comparison ignores case
  int and_bits;
  int or_bits;
  Access access[2];
  int access_count;
};

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

template <class T>
int Order(const T& a, const T& b) {
  return a < b ? -1 : b < a ? 1 : 0;
}

int ComparePaths(const GeneratedRule& a, const GeneratedRule& b) {
  if (a.wildcard || b.wildcard) return Order(a.wildcard, b.wildcard);
  if (int o = Order(a.by_definition, b.by_definition)) return o;
  const std::size_t common = std::min(a.path.size(), b.path.size());
  if (int c = a.path.compare(0, common, b.path, 0, common)) return c < 0 ? -1 : 1;
  if (a.path.size() == b.path.size()) return 0;
  // A directory before the shorter path that contains it; IDs in
  // dictionary order.
  const bool a_longer = a.path.size() > b.path.size();
  return !a.by_definition ? (a_longer ? -1 : 1) : (a_longer ? 1 : -1);
}

// The order a save writes rules in: object type, precedence, path, the
// out-condition bit counts, the access descriptors one by one, then their
// count. The generated assignments ("*" or none) compare equal.
bool SavedBefore(const GeneratedRule& a, const GeneratedRule& b) {
  if (int o = Order(a.object_type, b.object_type)) return o < 0;
  if (int o = Order(a.order, b.order)) return o < 0;
  if (int o = ComparePaths(a, b)) return o < 0;
  if (int o = Order(a.and_bits, b.and_bits)) return o < 0;
  if (int o = Order(a.or_bits, b.or_bits)) return o < 0;
  for (int i = 0; i < std::min(a.access_count, b.access_count); ++i) {
    const Access& x = a.access[i];
    const Access& y = b.access[i];
    if (int o = Order(x.mask, y.mask)) return o < 0;
    if (int o = Order(x.result, y.result)) return o < 0;
    if (int o = Order(x.level, y.level)) return o < 0;
  }
  return a.access_count < b.access_count;
}

std::string Format(const char* format, int n) {
  char text[128];
  std::snprintf(text, sizeof text, format, n);
  return text;
}

GeneratedRule Rule(const PolicyKindTable& kind, Random& random, int id) {
  const std::string n = std::to_string(id);
  const PolicyRuleShape& shape = kind.rules[random.Below(static_cast<int>(kind.rules.size()))];
  GeneratedRule g;
  g.object_type = shape.object_type_value;
  std::string& r = g.text;
  Append(&r, "\t\t<Rule id=\"", n, "\"");
  const int priority = random.Below(3);
  if (kPriorities[priority]) r += kPriorities[priority];
  Append(&r, " ot=\"", shape.object_type, "\"");
  if (kind.writes_scan_item_list) {
    Append(&r, " scanItemList_id=\"",
           std::to_string(random.Percent(60) ? 0 : 1 + random.Below(4000)), "\"");
  }
  g.wildcard = shape.path_format[0] == '*' && shape.path_format[1] == '\0';
  g.by_definition = !g.wildcard && shape.definition_prefix[0] && random.Percent(10);
  if (g.by_definition) {
    g.path = shape.definition_prefix + std::to_string(random.Below(10));
    Append(&r, " obj_id=\"", g.path, "\"");
    g.path = Lower(g.path);
  }
  if (random.Percent(15)) {
    Append(&r, " app_id=\"A", std::to_string(random.Below(50)), "\"");
  } else if (random.Percent(10)) {
    r += " app=\"*\"";
  } else {
    Append(&r, " app=\"C:\\Program Files\\Vendor", std::to_string(random.Below(100)), "\\app", n,
           ".exe\"");
  }
  if (const char* os = kOs[random.Below(3)]) r += os;
  g.and_bits = random.Percent(30) ? 2 : 0;
  if (g.and_bits) r += " outcond_and=\"1|3\"";
  g.or_bits = random.Percent(10) ? 1 : 0;
  if (g.or_bits) r += " outcond_or=\"2\"";
  if (random.Percent(20)) {
    Append(&r, " timeofday_id=\"T", std::to_string(random.Below(10)), "\"");
  } else if (random.Percent(5)) {
    r += " timeofday=\"22:00-06:00\"";
  }
  if (random.Percent(30)) r += " filter=\"*\"";
  const bool preferred = random.Percent(20);
  if (preferred) r += " preferred=\"1\"";
  g.order = kOrders[priority][preferred ? 0 : 1];
  Append(&r, " order=\"", std::to_string(g.order), "\"");
  if (random.Percent(5)) r += " proc_id=\"00001A2B\"";
  if (random.Percent(5)) r += " lm=\"1\"";
  if (const char* account = kAccounts[random.Below(3)]) r += account;
  if (random.Percent(10)) r += " disabled=\"1\"";
  if (shape.dll_object) r += " dllobj=\"1\"";
  Append(&r, " desc=\"", Word(random), " rule ", Word(random), " ", n, "\"");
  if (random.Percent(50)) Append(&r, " uiflags=\"0x", std::to_string(random.Below(16)), "\"");
  r += ">\n";
  if (!g.by_definition) {
    std::string path = Format(shape.path_format, id % 997);
    Append(&r, "\t\t\t<Object>", path, "</Object>\n");
    g.path = Lower(path);
  }
  if (random.Percent(30)) r += kSwitches[random.Below(3)];
  // One descriptor, or two different ones in table order.
  const int words = static_cast<int>(shape.access_words.size());
  int first = random.Below(words);
  g.access_count = words > 1 && random.Percent(30) ? 2 : 1;
  if (g.access_count == 2 && first == words - 1) --first;
  for (int i = 0; i < g.access_count; ++i) {
    const int word = first + i;
    Access& access = g.access[i];
    access = {shape.access_masks[word], random.Below(4), random.Below(5)};
    Append(&r, "\t\t\t<AccessDesc at=\"", shape.access_words[word], "\" ar=\"",
           kResults[access.result], "\" al=\"Severity", std::to_string(access.level), "\"/>\n");
  }
  r += "\t\t</Rule>\n";
  return g;
}

void Definitions(const PolicyKindTable& kind, std::string* text) {
  for (const PolicyDefinitionShape& shape : kind.definitions) {
    for (int i = 0; i < shape.count; ++i) {
      const std::string n = std::to_string(i);
      Append(text, "\t\t<Object id=\"", shape.prefix, n, "\" ot=\"", shape.object_type,
             i % 4 == 0 ? "\" uiflags=\"0x1" : "", "\" desc=\"", shape.object_type, " ", n,
             "\">\n\t\t\t<Item>", Format(shape.item_format, i), "</Item>\n\t\t</Object>\n");
    }
  }
}

void ExceptionItems(const PolicyKindTable& kind, std::string* text) {
  for (int i = 0; i < 20; ++i) {
    if (i % 5 == 4) {
      Append(text, "\t\t<AppItem app_id=\"A", std::to_string(i), "\" activeGuardsMask=\"",
             kind.guards, "\" priority=\"high\" order=\"15000\" filter=\"servers\" uiflags=\"x\"/>\n");
    } else {
      Append(text, "\t\t<AppItem app=\"C:\\Tools\\tool", std::to_string(i),
             ".exe\" activeGuardsMask=\"", kind.guards, "\" order=\"35000\" account=\"",
             i % 2 ? "both" : "system", "\"/>\n");
    }
  }
}

}  // namespace

std::string GeneratePolicy(const PolicyKindTable& kind, const GeneratorOptions& options) {
  Random random(options.seed);
  std::string text;
  Append(&text,
         "<?xml version=\"1.0\" encoding=\"UTF-16\" standalone=\"no\"?>\n"
         "<SecDb xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
         "xsi:noNamespaceSchemaLocation=\"",
         kind.schema, "\">\n\t<VersionInfo major=\"3\" minor=\"",
         std::to_string(kind.minor_version), "\"/>\n\t<Module id=\"", kind.module,
         "\"/>\n\t<Globals>\n", kind.globals, "\t</Globals>\n\t<Definitions>\n");
  Definitions(kind, &text);
  text += "\t</Definitions>\n\t<ExceptionList>\n";
  ExceptionItems(kind, &text);
  text += "\t</ExceptionList>\n\t<RuleList>\n";
  std::vector<GeneratedRule> rules;
  rules.reserve(static_cast<std::size_t>(options.rules));
  for (int id = 1; id <= options.rules; ++id) rules.push_back(Rule(kind, random, id));
  std::stable_sort(rules.begin(), rules.end(), SavedBefore);
  if (options.reverse) std::reverse(rules.begin(), rules.end());
  std::size_t size = text.size() + 1024;
  for (const GeneratedRule& rule : rules) size += rule.text.size();
  text.reserve(size);
  for (GeneratedRule& rule : rules) {
    text += rule.text;
    std::string().swap(rule.text);
  }
  text +=
      "\t</RuleList>\n"
      "\t<RuleSetList>\n"
      "\t\t<RuleSet id=\"Default\" desc=\"all rules\">\n"
      "\t\t\t<RuleListID>1</RuleListID>\n\t\t\t<RuleListID>2</RuleListID>\n"
      "\t\t</RuleSet>\n"
      "\t\t<RuleSet id=\"servers\">\n\t\t\t<RuleListID>3</RuleListID>\n\t\t</RuleSet>\n"
      "\t</RuleSetList>\n";
  if (kind.custom) text += kind.custom;
  text += "</SecDb>\n";
  return text;
}

std::string GenerateAntiMalware(const GeneratorOptions& options) {
  return GeneratePolicy(kAntiMalwareTable, options);
}
std::string GenerateSandbox(const GeneratorOptions& options) {
  return GeneratePolicy(kSandboxTable, options);
}
std::string GenerateDataInspection(const GeneratorOptions& options) {
  return GeneratePolicy(kDataInspectionTable, options);
}

std::string ToUtf16File(const std::string& utf8) {
  std::string image("\xFF\xFE", 2);
  image.reserve(2 + utf8.size() * 2);
  (void)Utf8ToUtf16LE(utf8, &image);
  return image;
}

}  // namespace xmlsecdb::bench

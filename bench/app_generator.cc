#include <algorithm>
#include <cstdio>
#include <iterator>
#include <vector>

#include "generator.h"
#include "generator_text.h"

namespace xmlsecdb::bench {
namespace {

constexpr int kLabelsPerGroup = 50;
constexpr int kDllLabelsPerLabel = 10;  // one DLL label for every ten labels

// Label types, weighted as a repository that grew by enrolment looks:
// mostly paths and names, a fifth with checksums, some signed.
struct LabelShape {
  const char* type;
  bool path;      // the `Path` is a full path (else a file name)
  bool checksum;  // writes its checksums
  bool access;    // writes `ar` and `al`
  int weight;
};
constexpr LabelShape kShapes[] = {
    {"path", true, false, false, 40},         {"name", false, false, false, 20},
    {"chksm", false, true, false, 10},        {"pathAndChksm", true, true, true, 10},
    {"nameAndChksm", false, true, true, 5},   {"pathAndSigned", true, true, false, 10},
    {"nameAndSigned", false, true, false, 5},
};
constexpr const char* kAccessResults[] = {"Prevent", "AskUser", "None"};
constexpr const char* kObjectTypes[] = {"File", "File|Network", "Spawning|Service",
                                        "File|Registry|DllLoading"};

const LabelShape& PickShape(Random& random) {
  int pick = random.Below(100);
  for (const LabelShape& shape : kShapes) {
    if (pick < shape.weight) return shape;
    pick -= shape.weight;
  }
  return kShapes[0];
}

// 64 hexadecimal digits, as the checksum service writes a SHA-256.
std::string Checksum(Random& random) {
  std::string sum;
  char chunk[17];
  for (int i = 0; i < 4; ++i) {
    std::snprintf(chunk, sizeof chunk, "%016llx", static_cast<unsigned long long>(random.Next()));
    sum += chunk;
  }
  return sum;
}

std::string Number(const char* format, int n) {
  char text[32];
  std::snprintf(text, sizeof text, format, n);
  return text;
}

// A label as the label list writes it: `id`, `type`, `desc`, the access
// fields of the checksum-and-path/name types, `lm`, `knownapp`, then
// `Path` and the `Chksm` elements.
std::string Label(Random& random, int n) {
  const LabelShape& shape = PickShape(random);
  const std::string id = Number("app%07d", n);
  const std::string file = Number("tool%d", n);
  std::string r;
  Append(&r, "\t\t<Label id=\"", id, "\" type=\"", shape.type, "\"");
  if (random.Percent(60)) Append(&r, " desc=\"", Word(random), " ", Word(random), "\"");
  if (shape.access) {
    if (random.Percent(70)) Append(&r, " ar=\"", kAccessResults[random.Below(3)], "\"");
    Append(&r, " al=\"Severity", std::to_string(random.Below(4)), "\"");
  }
  if (random.Percent(5)) r += " lm=\"1\"";
  if (random.Percent(10)) r += " knownapp=\"1\"";
  r += ">\n";
  if (std::string(shape.type) != "chksm") {
    if (shape.path) {
      Append(&r, "\t\t\t<Path>/opt/", Word(random), Number("%d", n % 997), "/bin/", file,
             random.Percent(10) ? "|/usr/local/bin/" + file : std::string(), "</Path>\n");
    } else {
      Append(&r, "\t\t\t<Path>", file, "</Path>\n");
    }
  }
  if (shape.checksum) {
    const int sums = 1 + random.Below(3);
    for (int i = 0; i < sums; ++i) {
      r += "\t\t\t<Chksm";
      if (random.Percent(30)) Append(&r, " binver=\"", Number("%d.0", 1 + random.Below(20)), "\"");
      if (random.Percent(20)) r += " timestamp=\"2026-11-02T10:00:00\"";
      if (random.Percent(50)) Append(&r, " origname=\"", file, "\"");
      Append(&r, ">", Checksum(random), "</Chksm>\n");
    }
  }
  r += "\t\t</Label>\n";
  return r;
}

// A group of the labels [first, first + count): references in key order.
std::string Group(Random& random, int g, int first, int count) {
  std::string r;
  Append(&r, "\t\t<Group id=\"", Number("grp%06d", g), "\"");
  if (random.Percent(50)) Append(&r, " ot=\"", kObjectTypes[random.Below(4)], "\"");
  if (random.Percent(50)) Append(&r, " desc=\"", Word(random), " applications\"");
  r += ">\n";
  for (int i = 0; i < count; ++i) {
    r += "\t\t\t<LabelID";
    if (random.Percent(5)) r += " appflags=\"1\"";
    Append(&r, ">", Number("app%07d", first + i), "</LabelID>\n");
  }
  r += "\t\t</Group>\n";
  return r;
}

std::string DllLabel(Random& random, int n) {
  std::string r;
  const std::string id = Number("lib%06d", n);
  if (random.Percent(70)) {
    Append(&r, "\t\t<DllLabel id=\"", id, "\" type=\"path\">\n\t\t\t<Path>/usr/lib/",
           Word(random), "/", id, ".so.", Number("%d", 1 + random.Below(5)), "</Path>\n");
  } else {
    Append(&r, "\t\t<DllLabel id=\"", id, "\" type=\"nameAndChksm\" al=\"Severity1\">\n",
           "\t\t\t<Path>", id, ".so</Path>\n\t\t\t<Chksm>", Checksum(random), "</Chksm>\n");
  }
  r += "\t\t</DllLabel>\n";
  return r;
}

void AppendAll(std::string* text, std::vector<std::string>& pieces, bool reverse) {
  if (reverse) std::reverse(pieces.begin(), pieces.end());
  for (std::string& piece : pieces) {
    *text += piece;
    std::string().swap(piece);
  }
}

}  // namespace

std::string GenerateAppRepository(const GeneratorOptions& options) {
  Random random(options.seed);
  std::string text =
      "<?xml version=\"1.0\" encoding=\"UTF-16\" standalone=\"no\"?>\n"
      "<SecDb xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
      "xsi:noNamespaceSchemaLocation=\"AppRepository.xsd\">\n"
      "\t<VersionInfo major=\"3\" minor=\"1\"/>\n"
      "\t<Module id=\"AppRepository\"/>\n"
      "\t<Globals>\n"
      "\t\t<Property id=\"UseKnownApps\" type=\"bool\">1</Property>\n"
      "\t\t<Property id=\"MissingApplicationSignatureAL\" type=\"int\">2</Property>\n"
      "\t</Globals>\n";
  text.reserve(static_cast<std::size_t>(options.rules) * 330 + 4096);

  // Labels are kept in key order; a reversed file lists them backwards.
  std::vector<std::string> pieces;
  pieces.reserve(static_cast<std::size_t>(options.rules));
  for (int n = 0; n < options.rules; ++n) pieces.push_back(Label(random, n));
  // Identity redirections and rules are measured by their own benchmarks.
  text += "\t<IdentityRedirectionList/>\n\t<LabelList>\n";
  AppendAll(&text, pieces, options.reverse);
  text += "\t</LabelList>\n";

  pieces.clear();
  for (int g = 0, first = 0; first < options.rules; ++g, first += kLabelsPerGroup) {
    pieces.push_back(Group(random, g, first, std::min(kLabelsPerGroup, options.rules - first)));
  }
  text += "\t<GroupList>\n";
  AppendAll(&text, pieces, options.reverse);
  text += "\t</GroupList>\n";

  // DLL labels keep the order they are listed in: never reversed.
  const int dll_labels = std::max(1, options.rules / kDllLabelsPerLabel);
  text += "\t<DllLabelList>\n";
  for (int n = 0; n < dll_labels; ++n) text += DllLabel(random, n);
  text +=
      "\t</DllLabelList>\n"
      "\t<DllGroupList>\n"
      "\t\t<DllGroup id=\"runtime\" desc=\"System runtime\">\n";
  for (int n = 0; n < std::min(dll_labels, 20); ++n) {
    Append(&text, "\t\t\t<DllLabelID>", Number("lib%06d", n), "</DllLabelID>\n");
  }
  text +=
      "\t\t</DllGroup>\n"
      "\t</DllGroupList>\n"
      "\t<RuleList/>\n"
      "</SecDb>\n";
  return text;
}

}  // namespace xmlsecdb::bench

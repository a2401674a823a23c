// `secdb diff` against loading: two generated 100k-rule anti-malware
// databases that differ in 10 rules. BM_LoadBoth loads the two files;
// BM_DiffBoth loads them and compares them as the tool does (walking both
// object models through their type information and matching the rules by
// ID). The aim is a diff under twice the time of the loads.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "generator.h"
#include "secdb/model_diff.h"
#include "secdb/model_walk.h"
#include "xmlsecdb/xmlsecdb.h"

namespace xmlsecdb::bench {
namespace {

constexpr int kRules = 100000;
constexpr int kChanged = 10;

std::string Dir() {
  const char* dir = std::getenv("XMLSECDB_BENCH_DIR");
  return dir && *dir ? dir : "/tmp";
}

// The two files, made once: A as generated, B with the descriptions of
// ten rules spread over the list changed through the object model.
struct Pair {
  std::string a = Dir() + "/xmlsecdb-bench-diff-a.xml";
  std::string b = Dir() + "/xmlsecdb-bench-diff-b.xml";
  bool ok = false;

  Pair() {
    const std::string text = ToUtf16File(GenerateAntiMalware({.rules = kRules}));
    FILE* out = std::fopen(a.c_str(), "wb");
    if (!out || std::fwrite(text.data(), 1, text.size(), out) != text.size()) return;
    if (std::fclose(out) != 0) return;
    ComPtr<ISDParserAM> parser;
    ComPtr<IAMRuleList> rules;
    if (Failed(CreateInstance(CLSID_XMLSDParserAM, parser.Put())) || Failed(parser->Load(a, 0)) ||
        Failed(parser->get_RuleList(rules.Put()))) {
      return;
    }
    for (int i = 0; i < kChanged; ++i) {
      Variant item;
      ComPtr<IAMRule> rule;
      if (Failed(rules->get_Item(1 + i * (kRules / kChanged), &item)) || !item.as_object() ||
          Failed((*item.as_object())->QueryInterface(rule.Put())) ||
          Failed(rule->put_Description("changed for the diff benchmark"))) {
        return;
      }
    }
    ok = Succeeded(parser->Save(b));
  }
  ~Pair() {
    std::remove(a.c_str());
    std::remove(b.c_str());
  }
};

const Pair& Files() {
  static const Pair pair;
  return pair;
}

bool Load(const std::string& path, ComPtr<ISDParser>* parser) {
  return Succeeded(CreateInstance(CLSID_XMLSDParserAM, parser->Put())) &&
         Succeeded((*parser)->Load(path, 0));
}

void BM_LoadBoth(benchmark::State& state) {
  const Pair& files = Files();
  if (!files.ok) return state.SkipWithError("cannot make the databases");
  for (auto _ : state) {
    ComPtr<ISDParser> a, b;
    if (!Load(files.a, &a) || !Load(files.b, &b)) return state.SkipWithError("load failed");
  }
}
BENCHMARK(BM_LoadBoth)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_DiffBoth(benchmark::State& state) {
  const Pair& files = Files();
  if (!files.ok) return state.SkipWithError("cannot make the databases");
  std::size_t changes = 0;
  for (auto _ : state) {
    ComPtr<ISDParser> a, b;
    if (!Load(files.a, &a) || !Load(files.b, &b)) return state.SkipWithError("load failed");
    secdb::ModelReader reader;
    const secdb::Node root_a = reader.ReadParser(a.get());
    const secdb::Node root_b = reader.ReadParser(b.get());
    changes = secdb::Diff(root_a, root_b).size();
  }
  if (changes != kChanged) state.SkipWithError("the diff does not find the ten changes");
  state.counters["changes"] = static_cast<double>(changes);
}
BENCHMARK(BM_DiffBoth)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace xmlsecdb::bench

// Loading and saving generated anti-malware databases, next to expat
// streaming the same file with empty handlers (the floor we measure
// against). Sizes: 10k, 100k and 1M rules, in save order and reversed.
#include <benchmark/benchmark.h>
#include <expat.h>
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <string>

#include "generator.h"
#include "xmlsecdb/xmlsecdb.h"

namespace xmlsecdb::bench {
namespace {

std::string BenchDir() {
  const char* dir = std::getenv("XMLSECDB_BENCH_DIR");
  return dir && *dir ? dir : "/tmp";
}

// The database file for `rules` rules, generated once per process.
const std::string& DatabaseFile(int rules, bool reverse) {
  static std::map<std::pair<int, bool>, std::string> files;
  auto key = std::make_pair(rules, reverse);
  auto it = files.find(key);
  if (it != files.end()) return it->second;
  std::string path = BenchDir() + "/xmlsecdb-bench-am-" + std::to_string(rules) +
                     (reverse ? "-rev" : "") + ".xml";
  std::string image = ToUtf16File(GenerateAntiMalware({.rules = rules, .reverse = reverse}));
  FILE* out = std::fopen(path.c_str(), "wb");
  std::fwrite(image.data(), 1, image.size(), out);
  std::fclose(out);
  return files.emplace(key, path).first->second;
}

long FileSize(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "rb");
  std::fseek(f, 0, SEEK_END);
  long size = std::ftell(f);
  std::fclose(f);
  return size;
}

void Report(benchmark::State& state, int rules, long bytes) {
  state.SetItemsProcessed(state.iterations() * rules);
  state.SetBytesProcessed(state.iterations() * bytes);
  // Seconds per rule (shown with an SI prefix: 2.5u is 2.5 microseconds).
  state.counters["per_rule"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * rules,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Expat reading the file in 64 KiB chunks with no handlers: the floor.
void BM_ExpatStream(benchmark::State& state) {
  const int rules = static_cast<int>(state.range(0));
  const std::string& path = DatabaseFile(rules, false);
  for (auto _ : state) {
    XML_Parser parser = XML_ParserCreate("UTF-16LE");
    int fd = ::open(path.c_str(), O_RDONLY);
    for (;;) {
      void* buffer = XML_GetBuffer(parser, 65536);
      ssize_t n = ::read(fd, buffer, 65536);
      if (XML_ParseBuffer(parser, static_cast<int>(n), n == 0) != XML_STATUS_OK) {
        state.SkipWithError("expat failed");
        break;
      }
      if (n == 0) break;
    }
    ::close(fd);
    XML_ParserFree(parser);
  }
  Report(state, rules, FileSize(path));
}

ComPtr<ISDParser> NewParser() {
  ComPtr<ISDParser> parser;
  if (Failed(CreateInstance(CLSID_XMLSDParserAM, parser.Put()))) std::abort();
  return parser;
}

void LoadBenchmark(benchmark::State& state, bool reverse) {
  SetRecoveryPolicy(RecoveryPolicy::kOff);
  const int rules = static_cast<int>(state.range(0));
  const std::string& path = DatabaseFile(rules, reverse);
  std::size_t heap = 0;
  for (auto _ : state) {
    state.PauseTiming();
    ComPtr<ISDParser> parser = NewParser();
    std::size_t before = mallinfo2().uordblks;
    state.ResumeTiming();
    if (Failed(parser->Load(path, 0))) state.SkipWithError("load failed");
    state.PauseTiming();
    heap = mallinfo2().uordblks - before;
    parser.Reset();
    state.ResumeTiming();
  }
  Report(state, rules, FileSize(path));
  state.counters["heap_bytes_per_rule"] = static_cast<double>(heap) / rules;
}

void BM_Load(benchmark::State& state) { LoadBenchmark(state, false); }
void BM_LoadReversed(benchmark::State& state) { LoadBenchmark(state, true); }

void BM_Xml(benchmark::State& state) {
  SetRecoveryPolicy(RecoveryPolicy::kOff);
  const int rules = static_cast<int>(state.range(0));
  ComPtr<ISDParser> parser = NewParser();
  if (Failed(parser->Load(DatabaseFile(rules, false), 0))) state.SkipWithError("load failed");
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::string xml;
    if (Failed(parser->get_Xml(&xml))) state.SkipWithError("Xml failed");
    bytes = xml.size();
  }
  Report(state, rules, static_cast<long>(bytes));
}

void BM_Save(benchmark::State& state) {
  SetRecoveryPolicy(RecoveryPolicy::kOff);
  const int rules = static_cast<int>(state.range(0));
  const std::string& path = DatabaseFile(rules, false);
  ComPtr<ISDParser> parser = NewParser();
  if (Failed(parser->Load(path, 0))) state.SkipWithError("load failed");
  const std::string out = BenchDir() + "/xmlsecdb-bench-save.xml";
  for (auto _ : state) {
    if (Failed(parser->Save(out))) state.SkipWithError("save failed");
  }
  Report(state, rules, FileSize(out));
  std::remove(out.c_str());
}

#define XMLSECDB_SIZES ->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_ExpatStream) XMLSECDB_SIZES;
BENCHMARK(BM_Load) XMLSECDB_SIZES;
BENCHMARK(BM_LoadReversed) XMLSECDB_SIZES;
BENCHMARK(BM_Xml) XMLSECDB_SIZES;
BENCHMARK(BM_Save) XMLSECDB_SIZES;

}  // namespace
}  // namespace xmlsecdb::bench

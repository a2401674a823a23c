// Loading and saving generated databases of every kind, next to expat
// streaming the same file with empty handlers (the floor we measure
// against). Sizes: 10k, 100k and 1M rules, in save order and reversed.
//
// One set of benchmark functions serves every kind; each is registered
// once per kind from the kind table, as "BM_<Verb>/<kind>/<rules>". Before
// a kind's first benchmark, its generator is checked at a small size: the
// file must load with `secdb check --kind`, `secdb xml` of it must give the
// generated text back (the file is in save order), and that text, loaded
// again, must give itself. A failure ends the run with a message.
//
// The whole-process benchmarks run `secdb check` and the expat floor
// (xmlsecdb_expat_stream) as child processes and report the child's CPU
// time (user + system, from wait4), median of the repetitions: what an
// agent pays for the first load in a fresh process.
#include <benchmark/benchmark.h>
#include <expat.h>
#include <fcntl.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "generator.h"
#include "xmlsecdb/xmlsecdb.h"

extern char** environ;

namespace xmlsecdb::bench {
namespace {

struct Kind {
  const char* name;  // the `--kind` word of secdb
  CLSID clsid;
  std::string (*generate)(const GeneratorOptions&);
};

constexpr Kind kKinds[] = {
    {"am", CLSID_XMLSDParserAM, GenerateAntiMalware},
    {"sbx", CLSID_XMLSDParserSBX, GenerateSandbox},
    {"di", CLSID_XMLSDParserDI, GenerateDataInspection},
    {"ids", CLSID_XMLSDParserIDS, GenerateIds},
    {"fw", CLSID_XMLSDParserFW, GenerateFirewall},
    {"app", CLSID_XMLSDParserAPP, GenerateAppRepository},
};

constexpr int kSizes[] = {10000, 100000, 1000000};
constexpr int kVerifyRules = 300;

std::string BenchDir() {
  const char* dir = std::getenv("XMLSECDB_BENCH_DIR");
  return dir && *dir ? dir : "/tmp";
}

[[noreturn]] void Abort(const std::string& message) {
  std::fprintf(stderr, "xmlsecdb_bench: %s\n", message.c_str());
  std::exit(1);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out || std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() ||
      std::fclose(out) != 0) {
    Abort("cannot write " + path);
  }
}

std::string ReadFile(const std::string& path) {
  std::string bytes;
  if (FILE* in = std::fopen(path.c_str(), "rb")) {
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) bytes.append(buffer, n);
    std::fclose(in);
  }
  return bytes;
}

long FileSize(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return 0;
  std::fseek(f, 0, SEEK_END);
  long size = std::ftell(f);
  std::fclose(f);
  return size;
}

// A finished child process: its exit status (-1 when it did not exit
// normally) and its CPU time, user plus system, in seconds.
struct ChildResult {
  int status = -1;
  double cpu_seconds = 0;
};

// Runs `argv` with its standard output to `out_path`.
ChildResult RunChild(const std::vector<std::string>& argv, const std::string& out_path) {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out_path.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = 0;
  ChildResult result;
  if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) == 0) {
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status)) {
      result.status = WEXITSTATUS(status);
    }
    result.cpu_seconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
  }
  posix_spawn_file_actions_destroy(&actions);
  return result;
}

// `secdb xml` prints UTF-8 text and declares it so; the text a save writes
// (and the generators make) is declared UTF-16.
void DeclareUtf16(std::string* xml) {
  constexpr std::string_view kNarrow = "encoding=\"UTF-8\"";
  const std::size_t at = xml->find(kNarrow);
  if (xml->starts_with("<?xml") && at != std::string::npos && at < xml->find("?>")) {
    xml->replace(at, kNarrow.size(), "encoding=\"UTF-16\"");
  }
}

// `secdb xml` of `path`, declared as a save declares it; aborts when it
// fails.
std::string SecdbXml(const Kind& kind, const std::string& path) {
  const std::string out = path + ".out";
  ChildResult child = RunChild({SECDB_TOOL_PATH, "xml", "--kind", kind.name, path}, out);
  std::string xml = ReadFile(out);
  std::remove(out.c_str());
  if (child.status != 0) {
    Abort(std::string("secdb xml --kind ") + kind.name + " " + path + " failed (status " +
          std::to_string(child.status) + ")");
  }
  DeclareUtf16(&xml);
  return xml;
}

// The first line where `a` and `b` differ, for the failure message.
std::string FirstDifference(const std::string& a, const std::string& b) {
  std::size_t at = 0;
  while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
  std::size_t start = a.rfind('\n', at == 0 ? 0 : at - 1);
  start = start == std::string::npos ? 0 : start + 1;
  auto line = [&](const std::string& s) { return s.substr(start, s.find('\n', start) - start); };
  return "\n  generated: " + line(a) + "\n  saved:     " + line(b);
}

// The generator of `kind` makes files that load, are in save order and
// round-trip (see the top of this file).
void VerifyGenerator(const Kind& kind) {
  for (bool reverse : {false, true}) {
    const std::string text = kind.generate({.rules = kVerifyRules, .reverse = reverse});
    const std::string path = BenchDir() + "/xmlsecdb-bench-verify-" + kind.name + ".xml";
    WriteFile(path, ToUtf16File(text));
    ChildResult check = RunChild({SECDB_TOOL_PATH, "check", "--kind", kind.name, path}, "/dev/null");
    if (check.status != 0) {
      Abort(std::string("generated ") + kind.name + " database does not load: secdb check " +
            "--kind " + kind.name + " " + path + " (kept for inspection)");
    }
    const std::string xml = SecdbXml(kind, path);
    if (!reverse && xml != text) {
      Abort(std::string("generated ") + kind.name +
            " database is not in the order and spelling a save writes:" +
            FirstDifference(text, xml));
    }
    WriteFile(path, ToUtf16File(xml));
    const std::string again = SecdbXml(kind, path);
    if (again != xml) {
      Abort(std::string("saved ") + kind.name + " database does not round-trip:" +
            FirstDifference(xml, again));
    }
    std::remove(path.c_str());
  }
}

// The generated files of the kind being measured. Benchmarks run kind
// after kind (registration order); when a new kind starts, the files of
// the previous one are deleted (a 1M-rule file is ~600 MB).
class FileSet {
 public:
  ~FileSet() { Clear(); }

  const std::string& Get(const Kind& kind, int rules, bool reverse) {
    if (kind_ != &kind) {
      Clear();
      VerifyGenerator(kind);
      kind_ = &kind;
    }
    auto key = std::make_pair(rules, reverse);
    auto it = files_.find(key);
    if (it != files_.end()) return it->second;
    std::string path = BenchDir() + "/xmlsecdb-bench-" + kind.name + "-" + std::to_string(rules) +
                       (reverse ? "-rev" : "") + ".xml";
    WriteFile(path, ToUtf16File(kind.generate({.rules = rules, .reverse = reverse})));
    return files_.emplace(key, path).first->second;
  }

 private:
  void Clear() {
    for (const auto& [key, path] : files_) std::remove(path.c_str());
    files_.clear();
  }

  const Kind* kind_ = nullptr;
  std::map<std::pair<int, bool>, std::string> files_;
};

FileSet& Files() {
  static FileSet files;
  return files;
}

void Report(benchmark::State& state, int rules, long bytes) {
  state.SetItemsProcessed(state.iterations() * rules);
  state.SetBytesProcessed(state.iterations() * bytes);
  // Seconds per rule (shown with an SI prefix: 2.5u is 2.5 microseconds).
  state.counters["per_rule"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * rules,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

double CpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Bytes in use on the heap, small blocks and mapped large ones.
std::size_t HeapInUse() {
  struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Expat reading the file in 64 KiB chunks with no handlers: the floor.
void BM_ExpatStream(benchmark::State& state, const Kind& kind) {
  const int rules = static_cast<int>(state.range(0));
  const std::string& path = Files().Get(kind, rules, false);
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

ComPtr<ISDParser> NewParser(const Kind& kind) {
  ComPtr<ISDParser> parser;
  if (Failed(CreateInstance(kind.clsid, parser.Put()))) Abort("cannot create a parser");
  return parser;
}

// Every iteration loads the file into a new parser. Besides the mean,
// reports the first load of the file in this process ("first_load", s)
// and the mean of the repeated ones ("warm_load", s), and the heap the
// first loaded model holds.
void LoadBenchmark(benchmark::State& state, const Kind& kind, bool reverse) {
  SetRecoveryPolicy(RecoveryPolicy::kOff);
  const int rules = static_cast<int>(state.range(0));
  const std::string& path = Files().Get(kind, rules, reverse);
  std::size_t heap = 0;
  std::vector<double> times;
  for (auto _ : state) {
    state.PauseTiming();
    ComPtr<ISDParser> parser = NewParser(kind);
    const std::size_t before = HeapInUse();
    const double start = CpuSeconds();
    state.ResumeTiming();
    if (Failed(parser->Load(path, 0))) state.SkipWithError("load failed");
    state.PauseTiming();
    times.push_back(CpuSeconds() - start);
    if (times.size() == 1) heap = HeapInUse() - before;
    parser.Reset();
    state.ResumeTiming();
  }
  Report(state, rules, FileSize(path));
  state.counters["heap_bytes_per_rule"] = static_cast<double>(heap) / rules;
  state.counters["first_load"] = times.empty() ? 0 : times.front();
  if (times.size() > 1) {
    double warm = 0;
    for (std::size_t i = 1; i < times.size(); ++i) warm += times[i];
    state.counters["warm_load"] = warm / static_cast<double>(times.size() - 1);
  }
}

void BM_Load(benchmark::State& state, const Kind& kind) { LoadBenchmark(state, kind, false); }
void BM_LoadReversed(benchmark::State& state, const Kind& kind) {
  LoadBenchmark(state, kind, true);
}

void BM_Xml(benchmark::State& state, const Kind& kind) {
  SetRecoveryPolicy(RecoveryPolicy::kOff);
  const int rules = static_cast<int>(state.range(0));
  ComPtr<ISDParser> parser = NewParser(kind);
  if (Failed(parser->Load(Files().Get(kind, rules, false), 0))) state.SkipWithError("load failed");
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::string xml;
    if (Failed(parser->get_Xml(&xml))) state.SkipWithError("Xml failed");
    bytes = xml.size();
  }
  Report(state, rules, static_cast<long>(bytes));
}

void BM_Save(benchmark::State& state, const Kind& kind) {
  SetRecoveryPolicy(RecoveryPolicy::kOff);
  const int rules = static_cast<int>(state.range(0));
  ComPtr<ISDParser> parser = NewParser(kind);
  if (Failed(parser->Load(Files().Get(kind, rules, false), 0))) state.SkipWithError("load failed");
  const std::string out = BenchDir() + "/xmlsecdb-bench-save.xml";
  for (auto _ : state) {
    if (Failed(parser->Save(out))) state.SkipWithError("save failed");
  }
  Report(state, rules, FileSize(out));
  std::remove(out.c_str());
}

// One child process per iteration; the iteration time is the child's CPU
// time, and "child_cpu" is their median (s).
void ProcessBenchmark(benchmark::State& state, const Kind& kind,
                      std::vector<std::string> (*command)(const Kind&, const std::string&)) {
  const int rules = static_cast<int>(state.range(0));
  const std::string& path = Files().Get(kind, rules, false);
  const std::vector<std::string> argv = command(kind, path);
  std::vector<double> times;
  for (auto _ : state) {
    ChildResult child = RunChild(argv, "/dev/null");
    if (child.status != 0) {
      state.SkipWithError((argv[0] + " failed").c_str());
      break;
    }
    times.push_back(child.cpu_seconds);
    state.SetIterationTime(child.cpu_seconds);
  }
  Report(state, rules, FileSize(path));
  state.counters["child_cpu"] = Median(times);
}

std::vector<std::string> CheckCommand(const Kind& kind, const std::string& path) {
  return {SECDB_TOOL_PATH, "check", "--kind", kind.name, path};
}
std::vector<std::string> ExpatCommand(const Kind&, const std::string& path) {
  return {XMLSECDB_EXPAT_STREAM_PATH, path};
}

void BM_ProcessCheck(benchmark::State& state, const Kind& kind) {
  ProcessBenchmark(state, kind, CheckCommand);
}
void BM_ProcessExpat(benchmark::State& state, const Kind& kind) {
  ProcessBenchmark(state, kind, ExpatCommand);
}

// Repetitions where a benchmark fixes its own: fewer at 1M rules.
int Repetitions(int rules, int at_10k) {
  return rules >= 1000000 ? 3 : rules >= 100000 ? std::min(at_10k, 5) : at_10k;
}

int RegisterAll() {
  using Function = void (*)(benchmark::State&, const Kind&);
  struct Entry {
    const char* name;
    Function function;
    int iterations_at_10k;  // 0: Google Benchmark decides
    bool process;
  };
  static constexpr Entry kBenchmarks[] = {
      {"BM_ExpatStream", BM_ExpatStream, 0, false},
      {"BM_Load", BM_Load, 20, false},
      {"BM_LoadReversed", BM_LoadReversed, 10, false},
      {"BM_Xml", BM_Xml, 0, false},
      {"BM_Save", BM_Save, 0, false},
      {"BM_ProcessCheck", BM_ProcessCheck, 5, true},
      {"BM_ProcessExpat", BM_ProcessExpat, 5, true},
  };
  for (const Kind& kind : kKinds) {
    for (const Entry& entry : kBenchmarks) {
      for (int rules : kSizes) {
        auto* b = benchmark::RegisterBenchmark(
            (std::string(entry.name) + "/" + kind.name).c_str(),
            [function = entry.function, &kind](benchmark::State& state) { function(state, kind); });
        b->Arg(rules)->Unit(benchmark::kMillisecond);
        if (entry.iterations_at_10k) b->Iterations(Repetitions(rules, entry.iterations_at_10k));
        if (entry.process) b->UseManualTime();
      }
    }
  }
  return 0;
}

const int kRegistered = RegisterAll();

}  // namespace
}  // namespace xmlsecdb::bench

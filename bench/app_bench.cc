// Label look-ups of the application repository: FindLabel over 100k
// labels once every label's path expansion is cached, for a file that a
// path label names, a file that a checksum label knows, and a file that
// no label knows (the whole list is walked). Reports "per_call".
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "generator.h"
#include "xmlsecdb/xmlsecdb.h"

namespace xmlsecdb::bench {
namespace {

constexpr int kLabels = 100'000;

struct Repository {
  ComPtr<ISDParserAPP> parser;
  ComPtr<ILabelList> labels;
  std::string path_of_a_path_label;
  std::string checksum_of_a_checksum_label;
};

// The generated repository, loaded once; the labels the look-ups find are
// taken from the middle of the list.
Repository& Loaded() {
  static Repository* repository = [] {
    auto* r = new Repository;
    SetRecoveryPolicy(RecoveryPolicy::kOff);
    const char* dir = std::getenv("XMLSECDB_BENCH_DIR");
    const std::string path =
        std::string(dir && *dir ? dir : "/tmp") + "/xmlsecdb-bench-find-label.xml";
    const std::string bytes = ToUtf16File(GenerateAppRepository({.rules = kLabels}));
    FILE* out = std::fopen(path.c_str(), "wb");
    const bool written = out && std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (out) std::fclose(out);
    if (!written || Failed(CreateInstance(CLSID_XMLSDParserAPP, r->parser.Put())) ||
        Failed(r->parser->Load(path, 0)) || Failed(r->parser->get_LabelList(r->labels.Put()))) {
      std::fprintf(stderr, "xmlsecdb_bench: cannot load %s\n", path.c_str());
      std::exit(1);
    }
    std::remove(path.c_str());
    std::int32_t count = 0;
    (void)r->labels->get_Count(&count);
    for (std::int32_t i = count / 2; i <= count; ++i) {
      Variant item;
      ComPtr<ILabel> label;
      if (Failed(r->labels->get_Item(i, &item)) || !item.as_object() ||
          Failed((*item.as_object())->QueryInterface(label.Put()))) {
        continue;
      }
      ELabelType type = LT_PATH;
      (void)label->get_Type(&type);
      if (type == LT_PATH && r->path_of_a_path_label.empty()) {
        Variant paths;
        if (Succeeded(label->get_PathExpanded(&paths)) && paths.as_string_array() &&
            !paths.as_string_array()->empty()) {
          r->path_of_a_path_label = paths.as_string_array()->front();
        }
      }
      if (type == LT_CHECKSUM && r->checksum_of_a_checksum_label.empty()) {
        ComPtr<IChecksumList> sums;
        Variant first;
        ComPtr<IChecksum> sum;
        if (Succeeded(label->get_ChecksumList(sums.Put())) && Succeeded(sums->get_Item(1, &first)) &&
            first.as_object() && Succeeded((*first.as_object())->QueryInterface(sum.Put()))) {
          (void)sum->get_Checksum(&r->checksum_of_a_checksum_label);
        }
      }
    }
    // Warms every path label's expansion cache.
    ComPtr<ILabelList> similar;
    ComPtr<ILabel> found;
    (void)r->labels->FindLabel("/nowhere/nothing", "", similar.Put(), found.Put());
    return r;
  }();
  return *repository;
}

void FindLabel(benchmark::State& state, const std::string& path, const std::string& checksum,
               bool expect_found) {
  Repository& r = Loaded();
  for (auto _ : state) {
    ComPtr<ILabelList> similar;
    ComPtr<ILabel> found;
    const HRESULT hr = r.labels->FindLabel(path, checksum, similar.Put(), found.Put());
    if (Succeeded(hr) != expect_found) {
      state.SkipWithError("FindLabel gave an unexpected result");
      break;
    }
    benchmark::DoNotOptimize(found);
  }
  state.counters["per_call"] = benchmark::Counter(
      static_cast<double>(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_FindLabelByPath(benchmark::State& state) {
  FindLabel(state, Loaded().path_of_a_path_label, "", true);
}
void BM_FindLabelByChecksum(benchmark::State& state) {
  FindLabel(state, "/srv/unknown/tool", Loaded().checksum_of_a_checksum_label, true);
}
void BM_FindLabelMissing(benchmark::State& state) {
  FindLabel(state, "/srv/unknown/tool", "00", false);
}
BENCHMARK(BM_FindLabelByPath)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindLabelByChecksum)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindLabelMissing)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace xmlsecdb::bench

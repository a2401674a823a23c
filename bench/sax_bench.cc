// The reader on one huge attribute value, from memory and from a file. A
// token longer than the reader's chunk must not be rescanned once per
// chunk: the time per byte ("per_byte") stays flat as the value grows.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "platform/env.h"
#include "platform/file_system.h"
#include "platform/sax_reader.h"

namespace xmlsecdb {
namespace {

class CountingHandler final : public SaxContentHandler {
 public:
  HRESULT StartDocument() override { return S_OK; }
  HRESULT EndDocument() override { return S_OK; }
  HRESULT StartElement(std::string_view, const SaxAttributes& attributes) override {
    for (int i = 0; i < attributes.length(); ++i) bytes += attributes.value(i).size();
    return S_OK;
  }
  HRESULT EndElement(std::string_view) override { return S_OK; }
  HRESULT Characters(std::string_view) override { return S_OK; }

  std::size_t bytes = 0;
};

std::string HugeAttributeImage(std::int64_t megabytes) {
  return "<a b=\"" + std::string(static_cast<std::size_t>(megabytes) << 20, 'v') + "\"/>";
}

void PerByte(benchmark::State& state, std::size_t bytes) {
  state.counters["per_byte"] =
      benchmark::Counter(static_cast<double>(bytes), benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}

void BM_HugeAttributeFromMemory(benchmark::State& state) {
  const std::string image = HugeAttributeImage(state.range(0));
  for (auto _ : state) {
    CountingHandler handler;
    SaxReader reader;
    reader.set_content_handler(&handler);
    if (Failed(reader.Parse(image.data(), image.size()))) state.SkipWithError("parse failed");
    benchmark::DoNotOptimize(handler.bytes);
  }
  PerByte(state, image.size());
}

void BM_HugeAttributeFromFile(benchmark::State& state) {
  const std::string path = "/tmp/xmlsecdb-bench-huge-attribute.xml";
  const std::string image = HugeAttributeImage(state.range(0));
  if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(image.data(), 1, image.size(), file);
    std::fclose(file);
  }
  for (auto _ : state) {
    CountingHandler handler;
    SaxReader reader;
    reader.set_content_handler(&handler);
    if (Failed(reader.ParseFile(DefaultFileSystem(), path))) state.SkipWithError("parse failed");
    benchmark::DoNotOptimize(handler.bytes);
  }
  std::remove(path.c_str());
  PerByte(state, image.size());
}

BENCHMARK(BM_HugeAttributeFromMemory)->Arg(4)->Arg(16)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HugeAttributeFromFile)->Arg(4)->Arg(16)->Arg(64)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace xmlsecdb

// Costs of the ordered rule list at database sizes: building it in the
// order a save writes it, walking it with Item, finding every rule by
// identifier, and generating identifiers. Each benchmark reports the time
// per rule (or per call) as "per_item".
#include <benchmark/benchmark.h>
#include <malloc.h>

#include "list/test_lists.h"

namespace xmlsecdb {
namespace {

using testing::ITestRule;
using testing::TestParser;

// 10k, 100k and 1M rules, timed in milliseconds.
void DatabaseSizes(benchmark::internal::Benchmark* b) {
  b->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
}

void PerItem(benchmark::State& state, std::int64_t items) {
  state.counters["per_item"] =
      benchmark::Counter(static_cast<double>(items), benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}

// A parser whose list holds rules 1..n with rising keys, inserted through
// the interface as a content handler does.
struct Database {
  ComPtr<TestParser> parser;
  testing::TestRuleList* rules;
};

Database MakeDatabase(std::int32_t n) {
  ComPtr<TestParser> parser = MakeObject<TestParser>();
  testing::TestRuleList* rules = testing::AddRuleList(*parser);
  for (std::int32_t id = 1; id <= n; ++id) {
    ComPtr<ITestRule> rule;
    (void)rules->CreateRule(rule.Put());
    (void)rule->put_RuleID(id);
    (void)rule->put_Key(id);
    (void)rules->Insert(rule.get(), nullptr);
  }
  return {parser, rules};
}

void BM_BuildRuleList(benchmark::State& state) {
  auto n = static_cast<std::int32_t>(state.range(0));
  double bytes = 0;
  for (auto _ : state) {
    std::size_t before = mallinfo2().uordblks;
    Database db = MakeDatabase(n);
    state.PauseTiming();
    bytes = static_cast<double>(mallinfo2().uordblks - before);
    db.parser.Reset();
    state.ResumeTiming();
  }
  PerItem(state, n);
  state.counters["bytes_per_rule"] = bytes / n;
}
BENCHMARK(BM_BuildRuleList)->Apply(DatabaseSizes);

void BM_WalkWithItem(benchmark::State& state) {
  auto n = static_cast<std::int32_t>(state.range(0));
  Database db = MakeDatabase(n);
  for (auto _ : state) {
    std::int32_t count = 0;
    (void)db.rules->get_Count(&count);
    for (std::int32_t i = 1; i <= count; ++i) {
      Variant item;
      (void)db.rules->get_Item(i, &item);
      benchmark::DoNotOptimize(item);
    }
  }
  PerItem(state, n);
}
BENCHMARK(BM_WalkWithItem)->Apply(DatabaseSizes);

void BM_GetEveryId(benchmark::State& state) {
  auto n = static_cast<std::int32_t>(state.range(0));
  Database db = MakeDatabase(n);
  for (auto _ : state) {
    for (std::int32_t id = 1; id <= n; ++id) {
      ITestRule* rule = nullptr;
      (void)db.rules->GetByRuleNum(id, &rule);
      rule->Release();
    }
  }
  PerItem(state, n);
}
BENCHMARK(BM_GetEveryId)->Apply(DatabaseSizes);

// 10,000 identifiers generated and taken, one after the other, on top of
// a list of n consecutive identifiers.
void BM_GenerateRuleId(benchmark::State& state) {
  auto n = static_cast<std::int32_t>(state.range(0));
  constexpr std::int32_t kCalls = 10'000;
  for (auto _ : state) {
    state.PauseTiming();
    Database db = MakeDatabase(n);
    state.ResumeTiming();
    for (std::int32_t i = 0; i < kCalls; ++i) {
      std::int32_t id = 0;
      (void)db.rules->GenerateRuleID(0, 0, &id);
      ComPtr<ITestRule> rule;
      (void)db.rules->CreateRule(rule.Put());
      (void)rule->put_RuleID(id);
      (void)rule->put_Key(n + i + 1);
      (void)db.rules->Insert(rule.get(), nullptr);
    }
    state.PauseTiming();
    db.parser.Reset();
    state.ResumeTiming();
  }
  PerItem(state, kCalls);
}
BENCHMARK(BM_GenerateRuleId)->Apply(DatabaseSizes);

}  // namespace
}  // namespace xmlsecdb



// Deterministic generators of realistic databases for the benchmarks.
#ifndef XMLSECDB_BENCH_GENERATOR_H_
#define XMLSECDB_BENCH_GENERATOR_H_

#include <cstdint>
#include <string>

namespace xmlsecdb::bench {

struct GeneratorOptions {
  int rules = 10000;
  // The rules are written in the order a save writes them (comparison
  // order), as in every file the agent or this library saved; `reverse`
  // writes them backwards, the worst case for loading.
  bool reverse = false;
  std::uint64_t seed = 1;
};

// An anti-malware database as UTF-8 text: every section and every rule
// attribute in use, a few per cent of non-ASCII text and of characters that
// need escaping. The same options always give the same text.
std::string GenerateAntiMalware(const GeneratorOptions& options);

// `utf8` as a database file image: FF FE mark and UTF-16LE text.
std::string ToUtf16File(const std::string& utf8);

}  // namespace xmlsecdb::bench

#endif  // XMLSECDB_BENCH_GENERATOR_H_

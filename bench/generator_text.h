// Pieces the database generators share: a seeded random source and the
// free-text words with non-ASCII and escaped characters.
#ifndef XMLSECDB_BENCH_GENERATOR_TEXT_H_
#define XMLSECDB_BENCH_GENERATOR_TEXT_H_

#include <cstdint>
#include <string>

namespace xmlsecdb::bench {

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

// Appends every piece to *out (one growing buffer, no temporaries).
template <class... Pieces>
void Append(std::string* out, const Pieces&... pieces) {
  (out->append(pieces), ...);
}

// A word of free text as saved: mostly ASCII, sometimes accented or CJK,
// sometimes with characters that must be escaped.
inline const char* Word(Random& random) {
  static constexpr const char* kWords[] = {"scan",   "exclusion", "vendor", "update",
                                           "backup", "service",   "temp",   "report"};
  if (random.Percent(3)) return "caf\xC3\xA9";
  if (random.Percent(2)) return "\xE6\x9B\xB4\xE6\x96\xB0";
  if (random.Percent(3)) return "R&amp;D &lt;beta&gt;";
  return kWords[random.Below(8)];
}

}  // namespace xmlsecdb::bench

#endif  // XMLSECDB_BENCH_GENERATOR_TEXT_H_

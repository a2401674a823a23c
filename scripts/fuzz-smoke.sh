#!/usr/bin/env bash
# Builds the libFuzzer targets with clang under ASan/UBSan and runs each for a
# bounded time on its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
shopt -s nullglob
targets=(fuzz/*_fuzzer.cc)
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets"; exit 0; }
[ -f build-fuzz/build.ninja ] || CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja \
  -DXMLSECDB_FUZZ=ON -DXMLSECDB_TESTS=OFF -DXMLSECDB_SANITIZE=ON
cmake --build build-fuzz
per=$(( seconds / ${#targets[@]} )); [ "$per" -ge 10 ] || per=10
for src in "${targets[@]}"; do
  name=$(basename "$src" .cc)
  corpus=fuzz/corpus/${name%_fuzzer}
  mkdir -p "$corpus"
  work=$(mktemp -d)
  dict=(-dict=fuzz/secdb.dict); [ -f "fuzz/${name%_fuzzer}.dict" ] && dict=(-dict="fuzz/${name%_fuzzer}.dict")
  echo "== $name for ${per}s"
  "./build-fuzz/$name" "${dict[@]}" -max_total_time="$per" -rss_limit_mb=2048 -timeout=10 \
    -print_final_stats=1 "$work" "$corpus"
  rm -rf "$work"
done

#!/usr/bin/env bash
# Installs the library from a build folder into a temporary prefix, then
# builds examples/consumer against the installed CMake package and a small
# program against xmlsecdb.pc, and runs both.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null
cmake -S examples/consumer -B "$tmp/consumer" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$tmp/consumer" >/dev/null
out=$("$tmp/consumer/consumer" "$tmp/am.xml")
echo "consumer (CMake package): $out"
[ "$out" = "version: 2.3" ]

pcdir=$(dirname "$(find "$prefix" -name xmlsecdb.pc -print -quit)")
# shellcheck disable=SC2046
c++ -std=c++20 -o "$tmp/consumer-pc" examples/consumer/main.cc \
  $(PKG_CONFIG_PATH=$pcdir pkg-config --cflags --libs xmlsecdb)
libdir=$(PKG_CONFIG_PATH=$pcdir pkg-config --variable=libdir xmlsecdb)
out=$(LD_LIBRARY_PATH=$libdir "$tmp/consumer-pc" "$tmp/am-pc.xml")
echo "consumer (pkg-config):    $out"
[ "$out" = "version: 2.3" ]

#!/usr/bin/env bash
# Installs the library from a build folder into a temporary prefix, then
# builds examples/consumer against the installed CMake package and a small
# program against xmlsecdb.pc, and runs both on a copy of the anti-malware
# example: every low-priority rule raised, one change event each.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null

# A staged install, as the README gives it, lays down every part of the
# package. The build folder is already configured, so make only installs.
make --no-print-directory install BUILD="$build" PREFIX=/usr DESTDIR="$tmp/stage" >/dev/null
for f in bin/secdb include/xmlsecdb/xmlsecdb.h include/xmlsecdb/version.h \
         share/man/man1/secdb.1 share/bash-completion/completions/secdb \
         share/doc/xmlsecdb/LICENSE; do
  [ -e "$tmp/stage/usr/$f" ] || { echo "make install lacks $f" >&2; exit 1; }
done
for pattern in 'libxmlsecdb.so*' xmlsecdb.pc XMLSecDBConfig.cmake; do
  [ -n "$(find "$tmp/stage/usr" -name "$pattern" -print -quit)" ] ||
    { echo "make install lacks $pattern" >&2; exit 1; }
done
cp examples/antimalware.xml "$tmp/am.xml"
expected='rules: 32, raised: 10, change events: 10'
cmake -S examples/consumer -B "$tmp/consumer" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$tmp/consumer" >/dev/null
out=$("$tmp/consumer/consumer" "$tmp/am.xml" "$tmp/am-out.xml")
echo "consumer (CMake package): $out"
[ "$out" = "$expected" ]

pcdir=$(dirname "$(find "$prefix" -name xmlsecdb.pc -print -quit)")
# shellcheck disable=SC2046
# As the README builds it: the run path from the .pc file's libdir.
libdir=$(PKG_CONFIG_PATH=$pcdir pkg-config --variable=libdir xmlsecdb)
c++ -std=c++20 -o "$tmp/consumer-pc" examples/consumer/main.cc \
  $(PKG_CONFIG_PATH=$pcdir pkg-config --cflags --libs xmlsecdb) -Wl,-rpath,"$libdir"
out=$("$tmp/consumer-pc" "$tmp/am.xml" "$tmp/am-pc.xml")
echo "consumer (pkg-config):    $out"
[ "$out" = "$expected" ]

# The Python module, when the build has it, imported from where the
# install put it: it finds the installed library through its run path.
module=$(find "$prefix" -name 'xmlsecdb.*.so' -path '*-packages/*' -print -quit)
if [ -n "$module" ]; then
  out=$(cd "$tmp" && PYTHONPATH=$(dirname "$module") /usr/bin/python3 -c \
    'import xmlsecdb; print("rules:", len(xmlsecdb.open("am.xml", read_only=True).RuleList))')
  echo "python module (installed): $out"
  [ "$out" = "rules: 32" ]
fi

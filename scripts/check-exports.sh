#!/usr/bin/env bash
# Counts the dynamic symbols of libxmlsecdb.so that are not the public API:
# the functions the public headers mark XMLSECDB_EXPORT. Fails when there
# is any, or when an API function is not exported.
set -euo pipefail
cd "$(dirname "$0")/.."
lib=${1:-build/libxmlsecdb.so}

api=$(grep -h -A1 'XMLSECDB_EXPORT' include/xmlsecdb/*.h | grep -v '#define' |
      grep -o '[A-Za-z_][A-Za-z0-9_]*(' | tr -d '(' | sort -u)
exported=$(nm -D --defined-only --demangle "$lib" | cut -d' ' -f3- |
           sed -E 's/\(.*//; s/\[abi:[a-z0-9]+\]//g; s/.*:://' | sort -u)

extra=$(comm -23 <(echo "$exported") <(echo "$api"))
missing=$(comm -13 <(echo "$exported") <(echo "$api"))
count=$(printf '%s' "$extra" | grep -c . || true)
echo "exported names: $(echo "$exported" | grep -c .), not in the API: $count"
[ -z "$extra" ] || { echo "not in the API:"; echo "$extra"; } >&2
[ -z "$missing" ] || { echo "API functions not exported:"; echo "$missing"; } >&2
[ -z "$extra" ] && [ -z "$missing" ]

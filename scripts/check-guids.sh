#!/usr/bin/env bash
# Every class and interface id the library declares is its own: a client
# that queries an object for one interface must never be handed another.
set -euo pipefail
cd "$(dirname "$0")/.."
duplicates=$(grep -rhoE 'MakeGuid\("\{[0-9A-Fa-f-]+\}"\)' include src | tr 'a-f' 'A-F' | sort | uniq -d)
if [ -n "$duplicates" ]; then
  echo "ids declared more than once:"
  for id in $(grep -oE '[0-9A-F-]{36}' <<<"$duplicates"); do
    grep -rn "$id" include src | sed 's/^/  /'
  done
  exit 1
fi

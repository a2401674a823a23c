#!/usr/bin/env bash
# Checks every bundled example database with the tool, then round-trips it
# (load, save, load, save) and requires the two saves to be identical.
set -euo pipefail
secdb=${1:-build/secdb}
cd "$(dirname "$0")/.."
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
status=0
for f in examples/*.xml; do
  [ -e "$f" ] || continue
  echo "== $f"
  if ! "$secdb" check "$f"; then status=1; continue; fi
  name=$(basename "$f")
  if "$secdb" save "$f" "$tmp/1-$name" && "$secdb" save "$tmp/1-$name" "$tmp/2-$name" &&
     cmp -s "$tmp/1-$name" "$tmp/2-$name"; then
    echo "round trip: identical"
  else
    echo "round trip: FAILED" >&2
    status=1
  fi
done
exit $status

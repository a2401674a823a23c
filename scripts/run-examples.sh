#!/usr/bin/env bash
# Checks every bundled example database with the tool and round-trips it.
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
done
exit $status

#!/usr/bin/env bash
# Checks the layering of src/ over the #include lines of its files:
#   platform < core < list < model < policy < (am sbx di fw app cf ids) < host
# A folder includes its own headers and those of the folders below it; no
# kind folder includes another kind's; below the kinds no file includes a
# kind's public header, except that the policy family (anti-malware,
# sandbox, data inspection) shares the interface templates of
# xmlsecdb/am.h. Prints each broken include and fails when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

rank() {
  case "$1" in
    platform) echo 0 ;;
    core) echo 1 ;;
    list) echo 2 ;;
    model) echo 3 ;;
    policy) echo 4 ;;
    am | sbx | di | fw | app | cf | ids) echo 5 ;;
    host) echo 6 ;;
    *) echo -1 ;;
  esac
}

kind_headers='am|sbx|di|fw|app|cf|ids'
broken=0
for dir in src/*/; do
  folder=$(basename "$dir")
  own=$(rank "$folder")
  if [ "$own" -lt 0 ]; then
    echo "src/$folder: a folder the layering does not know (add it to $0)"
    broken=1
    continue
  fi
  while IFS= read -r line; do
    file=${line%%:*}
    target=$(sed -E 's/^[^"]*"([^"]+)".*/\1/' <<<"${line#*:}")
    top=${target%%/*}
    [ "$top" = "$target" ] && continue  # a header beside the file
    if [ "$top" = xmlsecdb ]; then
      name=$(basename "$target" .h)
      if [ "$own" -lt 5 ] && [[ "$name" =~ ^($kind_headers)$ ]]; then
        [ "$folder" = policy ] && [ "$name" = am ] && continue
        echo "$file: includes the kind header $target"
        broken=1
      fi
      continue
    fi
    theirs=$(rank "$top")
    if [ "$theirs" -lt 0 ]; then
      [ -e "src/$target" ] || continue  # a system or third-party header
      echo "$file: includes $target from a folder the layering does not know"
      broken=1
    elif [ "$top" != "$folder" ] && { [ "$theirs" -ge "$own" ]; }; then
      echo "$file: includes $target (src/$top is not below src/$folder)"
      broken=1
    fi
  done < <(grep -H '^#include "' -r "$dir" || true)
done
exit "$broken"

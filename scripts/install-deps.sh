#!/usr/bin/env bash
# Installs the Debian packages the build needs, when they are missing and we
# run as root. Without root it only reports what is missing.
set -euo pipefail
packages=(cmake ninja-build g++ make pkgconf libexpat1-dev libssl-dev libmagic-dev libgtest-dev libgmock-dev
          libbenchmark-dev nlohmann-json3-dev clang libclang-rt-14-dev libxml2-utils python3 binutils
          pybind11-dev python3-dev python3-pytest)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "missing packages (run as root to install): ${missing[*]}" >&2
  exit 0
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq "${missing[@]}"

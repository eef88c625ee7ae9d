#!/usr/bin/env bash
# Installs the Debian packages that building (run) or testing (test) needs,
# when they are missing. Nothing comes from anywhere but Debian's archive.
set -euo pipefail

packages=(cmake make g++ libboost-dev)
if [[ "${1:-run}" == test ]]; then
  packages+=(libgtest-dev libgmock-dev libbenchmark-dev strace gnuplot-nox clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

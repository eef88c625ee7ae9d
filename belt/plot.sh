#!/usr/bin/env bash
# Draws docs/belt.svg and docs/belt_error.svg from data/fc_tab10.dat:
# fcbelt writes the data, gnuplot draws it. Builds fcbelt if needed.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target fcbelt -j2 >/dev/null

data="$(mktemp -d)"
trap 'rm -rf "$data"' EXIT
"$build/belt/fcbelt" plot-data "$root/data/fc_tab10.dat" "$data"
gnuplot -e "data='$data'; out='$root/docs'" "$root/belt/belt.gp"
echo "wrote $root/docs/belt.svg and $root/docs/belt_error.svg"

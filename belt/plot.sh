#!/usr/bin/env bash
# Draws docs/belt.svg, docs/belt_error.svg and docs/belt_far_error.svg
# from data/fc_tab10.dat:
# fcbelt writes the data, gnuplot draws it. Builds fcbelt if needed.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target fcbelt -j2 >/dev/null

data="$(mktemp -d)"
trap 'rm -rf "$data"' EXIT
"$build/belt/fcbelt" plot-data "$root/data/fc_tab10.dat" "$data"
from="$(awk 'NR == 8 { print $1 }' "$root/data/fc_tab10.dat")"
gnuplot -e "data='$data'; out='$root/docs'; from=$from" "$root/belt/belt.gp"
echo "wrote $root/docs/belt.svg, belt_error.svg and belt_far_error.svg"

#!/usr/bin/env bash
# Builds norvex and runs it on the shipped table (it reads fc_tab10.dat
# from the current directory).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh" run
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DNORVEX_BENCH=OFF >/dev/null
cmake --build "$root/build" --target norvex -j2 >/dev/null
cd "$root/data"
exec "$root/build/calc/norvex"

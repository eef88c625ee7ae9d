#!/usr/bin/env bash
# Builds everything and runs every test: the suite, the suite again under
# AddressSanitizer and UndefinedBehaviorSanitizer, the fuzz smoke runs and
# the benchmarks in their short mode.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh" test

echo "== build and test (Release)"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build" -j2
(cd "$root/build" && ctest --output-on-failure -j2)

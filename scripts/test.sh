#!/usr/bin/env bash
# Builds everything and runs every test: the suite, the suite again under
# AddressSanitizer and UndefinedBehaviorSanitizer, the fuzz smoke runs and
# the benchmarks in their short mode.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh" test

echo "== build and test (Release)"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DNORVEX_BENCH=ON >/dev/null
cmake --build "$root/build" -j2
(cd "$root/build" && ctest --output-on-failure -j2)

echo "== build and test under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S "$root" -B "$root/build-san" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNORVEX_SANITIZE=ON \
  -DBUILD_TESTING=ON -DNORVEX_BENCH=ON >/dev/null
cmake --build "$root/build-san" -j2
(cd "$root/build-san" && ASAN_OPTIONS=detect_leaks=1:handle_sigfpe=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j2)

echo "== fuzz smoke"
"$root/scripts/fuzz.sh" 60

echo "== benchmarks, short mode (proves they run; system-call counts must match)"
"$root/bench/run.sh" --short "$root/build"

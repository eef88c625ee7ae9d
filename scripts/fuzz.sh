#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for the given number of
# seconds (default 60) from the committed seed corpus. A crash, hang, leak
# or sanitizer report fails the run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
"$root/scripts/setup.sh" test

build="$root/build-fuzz"
CXX=clang++ cmake -S "$root" -B "$build" -DNORVEX_FUZZ=ON -DNORVEX_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target list_read_fuzz table_load_fuzz >/dev/null

for target in list_read table_load; do
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  echo "== fuzz $target for ${seconds}s"
  "$build/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
    -print_final_stats=1 "$corpus" "$root/tests/fuzz/corpus/$target" 2>"$build/$target.log" \
    || { tail -50 "$build/$target.log"; echo "fuzz $target: FAILED"; exit 1; }
  grep -E '^(Done|stat::number_of_executed_units|stat::new_units_added)' "$build/$target.log"
done

#!/usr/bin/env bash
# Checks the text of every finite REAL, all 4,278,190,080 bit patterns
# with both zeros, against the text std::to_chars gave it, on all of the
# machine's cores at low priority. Takes minutes; not part of the tests,
# which sample the same comparison.
#
#   bench/real_text_exhaustive.sh [BUILD_DIR]
#
# Prints the values compared, the mismatches and the time taken; exit
# status 0 when there are no mismatches.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
check="$build/bench/real_text_check"
[[ -x "$check" ]] || { echo "bench/real_text_exhaustive.sh: $check is not built" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# 64 slices of 2^26 patterns, handed to as many workers as there are cores.
start=$(date +%s)
for i in $(seq 0 63); do
  printf '%d %d\n' $((i << 26)) $((((i + 1) << 26) - 1))
done | nice -n 10 xargs -P "$(nproc)" -n 2 sh -c '"$0" "$2" "$3" >"$1/$2.out"' "$check" "$work" \
  || true
# Each slice's report goes to a file named by its first pattern; a slice
# with mismatches makes xargs fail, which the count below reports.
seconds=$(($(date +%s) - start))

cat "$work"/*.out | grep '^mismatch' | head -20 || true
awk '/ values, / { values += $2; mismatches += $4; slices++ }
     END { printf "%d slices, %.0f values compared, %.0f mismatches\n", slices, values, mismatches
           exit (slices == 64 && mismatches == 0) ? 0 : 1 }' "$work"/*.out \
  && status=0 || status=1
echo "time: ${seconds} s on $(nproc) cores, load average now $(cut -d' ' -f1-3 /proc/loadavg)"
exit "$status"

#!/usr/bin/env bash
# Runs the benchmarks on a built tree and prints one report: queries per
# second of norvex and of the floor (its read and write requests alone),
# their ratio, norvex's processor time per query, the system calls against
# one write per record and one read per input block, start-up time and
# peak memory, and the micro-benchmarks. It builds nothing but the
# baseline named by a revision.
#
#   bench/run.sh [--short] [--runs N] [--queries N] [--cpu-queries N]
#                [--table-dir DIR] [--baseline PROGRAM|REVISION] [BUILD_DIR]
#
# BUILD_DIR defaults to build/ in the repository; the table is the shipped
# one in data/ unless --table-dir names another directory holding a
# fc_tab10.dat. --short runs everything once, quickly, only to show that
# it works; its figures mean nothing. --runs sets how many timed runs of
# each program the medians and bests are taken from (7; more on a busy
# machine), --queries the size of the input to a file (100000), and
# --cpu-queries that of the input whose processor time is taken, with
# output to /dev/null (1000000).
#
# --baseline times an earlier norvex in turn with this one, and requires
# its output to be the same byte for byte: a built program, or a git
# revision of this repository, which is then built (Release, norvex only)
# in a scratch directory. Before and after then come from one run.
#
# Exit status: 0 when every run ended as expected and every count matched,
# 1 when something differed (marked "<--" in the report), 2 when it could
# not run. Timings never fail it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

short=0
runs=""
queries=""
cpu_queries=""
baseline=""
build=""
table_dir="$root/data"
while (($#)); do
  case "$1" in
    --short) short=1 ;;
    --runs) runs="$2"; shift ;;
    --queries) queries="$2"; shift ;;
    --cpu-queries) cpu_queries="$2"; shift ;;
    --table-dir) table_dir="$2"; shift ;;
    --baseline) baseline="$2"; shift ;;
    -*) echo "usage: bench/run.sh [--short] [--runs N] [--queries N] [--cpu-queries N]" \
             "[--table-dir DIR] [--baseline PROGRAM|REVISION] [BUILD_DIR]" >&2
        exit 2 ;;
    *) build="$1" ;;
  esac
  shift
done
build="$(cd "${build:-$root/build}" && pwd)"
table_dir="$(cd "$table_dir" && pwd)"

norvex="$build/calc/norvex"
floor="$build/bench/syscall_floor"
driver="$build/bench/norvex_bench"
micro="$build/bench/micro_bench"
for f in "$norvex" "$floor" "$driver" "$micro"; do
  [[ -x "$f" ]] || { echo "bench/run.sh: $f is not built" >&2; exit 2; }
done
[[ -f "$table_dir/fc_tab10.dat" ]] || { echo "bench/run.sh: no fc_tab10.dat in $table_dir" >&2; exit 2; }
command -v strace >/dev/null || { echo "bench/run.sh: strace is not installed" >&2; exit 2; }

if ((short)); then
  queries="${queries:-2000}" cpu_queries="${cpu_queries:-20000}" runs="${runs:-1}" cpu_runs=1
  startup_runs=2 min_time=0.01
else
  queries="${queries:-100000}" cpu_queries="${cpu_queries:-1000000}" runs="${runs:-7}" cpu_runs=3
  startup_runs=30 min_time=0.5
fi

# Timings on a shared machine are only as good as its quiet.
echo "norvex benchmarks: $norvex, table in $table_dir"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) CPUs"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
status=0

# The baseline: a program as it is, or a revision built here.
if [[ -n "$baseline" && ! -x "$baseline" ]]; then
  rev="$baseline"
  git -C "$root" rev-parse --verify -q "$rev^{commit}" >/dev/null \
    || { echo "bench/run.sh: --baseline $rev is neither a program nor a revision" >&2; exit 2; }
  echo "building the baseline, revision $(git -C "$root" rev-parse --short "$rev")"
  mkdir -p "$work/baseline-src"
  git -C "$root" archive "$rev" | tar -x -C "$work/baseline-src"
  cmake -S "$work/baseline-src" -B "$work/baseline-build" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_TESTING=OFF -DNORVEX_BENCH=OFF >/dev/null
  cmake --build "$work/baseline-build" -j2 --target norvex >/dev/null
  baseline="$work/baseline-build/calc/norvex"
fi
[[ -n "$baseline" ]] && echo "baseline: $baseline"

"$driver" queries "$work/queries.txt" "$queries"
"$driver" queries "$work/cpu_queries.txt" "$cpu_queries"

# Runs a program on the queries in the table's directory under strace,
# its log in $work/strace.log. Both programs end at the end of their input
# with a stop, whose exit status is 1, so the status is not looked at.
traced() {
  rm -f "$work/strace.log" "$work/traced.out"
  (cd "$table_dir" && strace -qq -s0 -C -o "$work/strace.log" \
     "$@" <"$work/queries.txt" >"$work/traced.out" 2>/dev/null) || true
}

# One traced run gives the counts and the floor's trace; a second, of the
# floor, shows that it replays exactly those requests.
traced "$norvex"
echo
"$driver" calls "$work/strace.log" "$work/queries.txt" "$table_dir/fc_tab10.dat" \
  "$queries" "$work/norvex.trace" || status=1
traced "$floor" "$work/norvex.trace"
"$driver" replay "$work/strace.log" "$work/norvex.trace" || status=1
rm -f "$work/strace.log" "$work/traced.out"

echo
"$driver" throughput "$norvex" "$floor" "$work/norvex.trace" "$work/queries.txt" \
  "$table_dir" "$queries" "$runs" "$work" ${baseline:+"$baseline"} || status=1

echo
"$driver" cpu "$norvex" "$work/cpu_queries.txt" "$cpu_queries" "$floor" "$work/norvex.trace" \
  "$work/queries.txt" "$queries" "$table_dir" "$cpu_runs" ${baseline:+"$baseline"} || status=1
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"

echo
"$driver" startup "$norvex" "$floor" "$work/norvex.trace" "$table_dir" "$startup_runs" || status=1

echo
echo "micro-benchmarks (one iteration: one query's share)"
"$micro" --benchmark_min_time="$min_time" || status=1

exit "$status"

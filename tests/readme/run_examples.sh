#!/usr/bin/env bash
# Runs the README's examples as written: every block fenced as "```sh
# example", in order, each in a fresh shell with errexit (as a script with
# `set -e` runs them; a pipeline's status is its last command's), at
# the top of a scratch tree (a copy of data/, and build/ standing for the
# build tree), with HOME a scratch directory. A block must end with status
# 0; when the README follows it with a block fenced as "```output", what
# it prints on standard output must be exactly that.
#
#   run_examples.sh README BUILD_DIR SOURCE_DIR
set -euo pipefail
readme="$1" build="$2" source="$3"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/tree" "$work/home" "$work/blocks"
cp -R "$source/data" "$work/tree/data"
ln -s "$build" "$work/tree/build"

# block_N.sh for each example, block_N.out for the output block after it.
awk -v dir="$work/blocks" '
  /^```sh example[[:space:]]*$/ { n++; file = dir "/block_" n ".sh"; inside = 1; last = n; next }
  /^```output[[:space:]]*$/ && last { file = dir "/block_" last ".out"; inside = 1; next }
  /^```/ && inside { inside = 0; close(file); file = ""; next }
  /^```/ { last = 0; next }
  inside { print > file; next }
  NF { last = 0 }
' "$readme"

count=0 failed=0
for script in $(ls "$work/blocks"/block_*.sh | sort -V); do
  count=$((count + 1))
  expected="${script%.sh}.out"
  status=0
  (cd "$work/tree" && HOME="$work/home" bash -e "$script" >"$work/out" 2>"$work/err" </dev/null) || status=$?
  if ((status != 0)); then
    echo "example $count ended with status $status:"; sed 's/^/    /' "$script"; sed 's/^/  stderr: /' "$work/err"
    failed=$((failed + 1))
  elif [[ -f "$expected" ]] && ! diff -u "$expected" "$work/out" >"$work/diff"; then
    echo "example $count printed other output:"; sed 's/^/    /' "$script"; cat "$work/diff"
    failed=$((failed + 1))
  fi
done
((count > 0)) || { echo "no examples found in $readme"; exit 1; }
echo "$((count - failed)) passed, $failed failed"
((failed == 0))

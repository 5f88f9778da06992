#!/usr/bin/env bash
# Whole-program timing: stria93 encode on 100,000 lines of mixed data from standard input.
set -euo pipefail
build=${1:-build}
input=$(mktemp)
trap 'rm -f "$input"' EXIT
for i in $(seq 1 100000); do
    echo "Order $i-B/x: qty=12; ship@dock #3"
done >"$input"
hyperfine --warmup 2 --runs 10 "$build/cli/stria93 encode <$input >/dev/null"

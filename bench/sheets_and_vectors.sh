#!/usr/bin/env bash
# Whole-program timing: stria93 sheet (3,000 labels of 5160, 100 pages, as PDF snapped to a
# printer's dots and not, and as RTF) and stria93 export to SVG for 1,000 data texts, beside zint
# writing the same 1,000 as SVG.
set -euo pipefail
build=${1:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
seq -f 'LOT-%05g' 1 3000 >"$work/lots.txt"
seq -f 'LOT-%05g' 1 1000 >"$work/thousand.txt"
stria93=$(realpath "$build/cli/stria93")
cd "$work"
for command in \
    "$stria93 sheet --stock 5160 -o lots.pdf <lots.txt" \
    "$stria93 sheet --stock 5160 --printer-dpi 203 -o lots203.pdf <lots.txt" \
    "$stria93 sheet --stock 5160 --no-snap -o exact.pdf <lots.txt" \
    "$stria93 sheet --stock 5160 -o lots.rtf <lots.txt" \
    "$stria93 export -o 'v{n}.svg' <thousand.txt" \
    "zint -b 25 --batch --filetype=svg -o 'z~~~~.svg' -i thousand.txt"; do
    /usr/bin/time -f "%e s, %M KB peak: $command" bash -c "$command >/dev/null"
done
hyperfine --warmup 1 --runs 5 \
    "$stria93 sheet --quiet --stock 5160 -o lots.pdf <lots.txt" \
    "$stria93 sheet --stock 5160 --no-snap -o exact.pdf <lots.txt" \
    "$stria93 export -o 'v{n}.svg' <thousand.txt" \
    "zint -b 25 --batch --filetype=svg -o 'z~~~~.svg' -i thousand.txt"
ls -l lots.pdf exact.pdf lots.rtf v1.svg z0001.svg | awk '{print $5, $9}'

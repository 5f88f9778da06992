#!/usr/bin/env bash
# stria93 verify on a 600-dpi US Letter page (5100 x 6600 pixels) on one processor core: a 5160
# sheet of 30 labels rasterised as a scanner gives it, smoothed, as a colour PNG (what pdftoppm
# -png writes), a grey PNG and a grey PGM, and the PDF itself, which verify rasterises with
# pdftoppm. No peer grades a print, so nothing runs beside it.
set -euo pipefail
build=${1:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stria93=$(realpath "$build/cli/stria93")
cd "$work"
seq -f 'LOT-%05g' 1 30 | "$stria93" sheet --stock 5160 -o lots.pdf >/dev/null
pdftoppm -r 600 -gray -png -singlefile lots.pdf colour
pdftoppm -r 600 -gray -singlefile lots.pdf grey
convert grey.pgm grey.png
"$stria93" verify colour.png | grep -c 'grade A' | sed 's/$/ of 30 symbols graded A/'
runs=()
for file in colour.png grey.png grey.pgm lots.pdf; do
    /usr/bin/time -f "%e s wall, %U s user + %S s system, %M KB peak: verify $file" \
        taskset -c 0 "$stria93" verify "$file" >/dev/null
    runs+=("taskset -c 0 $stria93 verify $file")
done
hyperfine --warmup 1 --runs 10 "${runs[@]}"

#!/usr/bin/env bash
# Whole-program timing of the largest usual export (1200 dpi, 50 points, 40 characters) in each
# format, beside zint's Code 93 PNG of the same data at a similar pixel size.
# Prints wall time and peak resident memory of each run (GNU time).
set -euo pipefail
build=${1:-build}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
data='Order 4711-B/x: qty=12; ship@Dock #3 ok!'

measure() {
    local label=$1
    shift
    /usr/bin/time -f "$label: %e s wall, %M KB peak" "$@" >/dev/null
}

measure "stria93 baseline (300 dpi, 24 points, ABC)" \
    "$build/cli/stria93" export --dpi 300 -o "$out/base.png" ABC
for format in bmp gif jpg png; do
    measure "stria93 $format" "$build/cli/stria93" export --dpi 1200 --points 50 \
        -o "$out/big.$format" "$data"
done
# 16 x 2 pixels a module and 48 modules high: about 19,300 x 1,540 pixels.
measure "zint -b 25 png" zint -b 25 --scale=16 --height=48 --notext -o "$out/zint.png" -d "$data"
python3 - "$out" <<'PY'
import os, struct, sys
d = sys.argv[1]
for name in sorted(os.listdir(d)):
    if name.endswith('.png'):
        w, h = struct.unpack('>II', open(os.path.join(d, name), 'rb').read(24)[16:24])
        print(f"{name}: {w} x {h} pixels, {os.path.getsize(os.path.join(d, name))} bytes")
PY

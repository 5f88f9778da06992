#!/usr/bin/env bash
# stria93 export beside Debian's zint (Code 93, -b 25) on the same work, in one run, alternating
# the two programs so that a busy machine slows both alike:
#   batch   200 labels, 600 dpi, 24 points, 33 characters each, from standard input
#   largest 1200 dpi, 50 points, 40 characters, PNG
# Prints the median wall time of each and the ratio stria93 / zint, then peak memory (GNU time)
# of the largest export, of a picture of about 100,000 x 2,000 pixels and of one 600,000
# pixels wide, which zbar then reads.  Needs zint, bc, python3-pil and python3-pyzbar.
# Usage: bench/export_vs_zint.sh [build folder] [rounds]
set -euo pipefail
build=${1:-build}
rounds=${2:-7}
stria93=$build/cli/stria93
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export HOME=$out

data='Order 4711-B/x: qty=12; ship@Dock #3 ok!'
for i in $(seq 1 200); do
    printf 'LABEL %05d ORDER 4711 BIN A-%04d/X\n' "$i" "$i"
done >"$out/lines"

seconds() { # command... -> wall seconds
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
}

median() { sort -g | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

# zint's module is 2 x scale pixels: 8 at 600 dpi, 24 points (stria93: 8.2), 32 at 1200 dpi,
# 50 points (stria93: 34.1); heights in modules give bars of about the same height.
stria_batch() { "$stria93" export -o "$out/s{n}.png" <"$out/lines"; }
zint_batch() { zint -b 25 --batch --scale=4 --height=40 --notext -o "$out/z~~~.png" -i "$out/lines"; }
stria_largest() { "$stria93" export --dpi 1200 --points 50 -o "$out/big.png" "$data"; }
zint_largest() { zint -b 25 --scale=16 --height=48 --notext -o "$out/zint.png" -d "$data"; }

for work in batch largest; do
    : >"$out/stria.$work" >"$out/zint.$work"
    for _ in $(seq 1 "$rounds"); do
        seconds "stria_$work" >>"$out/stria.$work"
        seconds "zint_$work" >>"$out/zint.$work"
    done
    s=$(median <"$out/stria.$work")
    z=$(median <"$out/zint.$work")
    printf '%-8s stria93 %.3f s   zint %.3f s   ratio %.2f\n' "$work" "$s" "$z" "$(echo "$s / $z" | bc -l)"
done

peak() { # label command... -> peak resident memory
    /usr/bin/time -f "%M" -o "$out/time" "${@:2}" >/dev/null 2>&1
    printf '%-44s %6d KB\n' "$1" "$(cat "$out/time")"
}
size() { python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%d x %d" % struct.unpack(">II", d[16:24]))' "$1"; }

peak "stria93 baseline (300 dpi, 24 points, ABC)" "$stria93" export --dpi 300 -o "$out/base.png" ABC
peak "stria93 largest ($(size "$out/big.png"))" "$stria93" export --dpi 1200 --points 50 -o "$out/big.png" "$data"
peak "zint largest ($(size "$out/zint.png"))" zint -b 25 --scale=16 --height=48 --notext -o "$out/zint.png" -d "$data"
wide=$(printf 'A%.0s' $(seq 1 243))
"$stria93" export --dpi 1200 --points 65 -o "$out/wide.png" "$wide" >/dev/null
peak "stria93 $(size "$out/wide.png")" "$stria93" export --dpi 1200 --points 65 -o "$out/wide.png" "$wide"
# 600,000 pixels wide (and 11,500 high): 245 characters, few enough for zbar, which reads at
# most 256; it reads a band of rows through the bars, the whole picture being 6.9 G pixels.
long=$(printf 'A%.0s' $(seq 1 245))
peak "stria93 600,000 pixels wide" "$stria93" export --dpi 1200 --points 390 -o "$out/long.png" "$long"
echo "  $(size "$out/long.png"), $(stat -c %s "$out/long.png") bytes"
/usr/bin/python3 - "$out/long.png" <<'PY'
# Streams the PNG's rows (8-bit grey, filter None or Up, as stria93 writes them) and scans rows
# 3,000 to 3,040 with zbar.
import struct, sys, zlib
from PIL import Image
from pyzbar.pyzbar import decode
data = open(sys.argv[1], "rb").read()
width, height = struct.unpack(">II", data[16:24])
inflate, pending, previous, band, at, y = zlib.decompressobj(), bytearray(), bytes(width), [], 8, 0
while at < len(data) and y < 3040:
    length, kind = struct.unpack(">I4s", data[at:at + 8])
    if kind == b"IDAT":
        pending += inflate.decompress(data[at + 8:at + 8 + length])
        while len(pending) > width and y < 3040:
            kind_of_filter, row = pending[0], bytes(pending[1:width + 1])
            del pending[:width + 1]
            if kind_of_filter == 2:
                row = bytes((a + b) & 255 for a, b in zip(row, previous)) if row.strip(b"\0") else previous
            previous, y = row, y + 1
            if y > 3000:
                band.append(row)
    at += 12 + length
found = decode(Image.frombytes("L", (width, len(band)), b"".join(band)))
print("  zbar on rows 3,000-3,040:", [(f.type, len(f.data)) for f in found])
PY

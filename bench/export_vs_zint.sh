#!/usr/bin/env bash
# stria93 export beside Debian's zint (Code 93, -b 25) on the same work, in one run, alternating
# the two programs so that a busy machine slows both alike (bench/alternate.py):
#   batch       200 labels, 600 dpi, 24 points, 33 characters each, from standard input, both
#               programs into the same new folder each round
#   batch over  the same, each round writing over the files of the round before
#   largest     1200 dpi, 50 points, 40 characters, PNG
# Prints the median wall time and processor time (user + system, all threads) of each with
# their range over the rounds, and the ratios stria93 / zint; then the instructions each runs
# (valgrind's callgrind, when installed: the same on a busy machine as on an idle one); then peak
# memory (GNU time) of the largest export, of a picture of about 100,000 x 2,000 pixels and of
# one 600,000 pixels wide, which zbar then reads.  Needs zint, python3-pil and python3-pyzbar.
# Usage: bench/export_vs_zint.sh [build folder] [rounds]
set -euo pipefail
rounds=${2:-15}
source "$(dirname "$0")/export_setup.sh"

data='Order 4711-B/x: qty=12; ship@Dock #3 ok!'
for i in $(seq 1 200); do
    printf 'LABEL %05d ORDER 4711 BIN A-%04d/X\n' "$i" "$i"
done >lines
mkdir over
# On ext4 without a journal (the development machine's) a new file's inode is looked for past
# every inode freed in the last 5 seconds, or in the last 5 minutes while its table is not yet
# on disk: files deleted just before (the last run's) slow both programs, and more so the one
# whose folder happens to lie where they were deleted. Let them settle first; both programs
# write into one folder, and nothing is deleted until the end.
sync
sleep 6

# zint's module is 2 x scale pixels: 8 at 600 dpi, 24 points (stria93: 8.2), 32 at 1200 dpi,
# 50 points (stria93: 34.1); heights in modules give bars of about the same height.
zint_batch='zint -b 25 --batch --scale=4 --height=40 --notext -i lines'
stria_largest="$stria93 export --dpi 1200 --points 50 -o big.png '$data'"
zint_largest="zint -b 25 --scale=16 --height=48 --notext -o zint.png -d '$data'"

echo "batch of 200 labels, a new folder each round:"
"$alternate" "$rounds" \
    "stria93=mkdir -p new{round} && $stria93 export -o 'new{round}/l{n}.png' <lines" \
    "zint=mkdir -p new{round} && $zint_batch -o 'new{round}/z~~~.png'"
echo "batch of 200 labels, over the files of the round before:"
"$alternate" "$rounds" \
    "stria93=$stria93 export -o 'over/l{n}.png' <lines" "zint=$zint_batch -o 'over/z~~~.png'"
echo "largest usual export:"
"$alternate" "$rounds" "stria93=$stria_largest" "zint=$zint_largest"

if command -v valgrind >/dev/null; then
    instructions() { # command... -> instructions executed, all threads
        valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
            sed -n 's/.*Collected : //p'
    }
    ratio() { # work stria93-count zint-count
        awk -v w="$1" -v s="$2" -v z="$3" 'BEGIN {
            printf "%-8s instructions: stria93 %d M, zint %d M, ratio %.2f\n", w, s / 1e6, z / 1e6, s / z }'
    }
    ratio batch "$(instructions "$stria93" export -o 'over/l{n}.png' <lines)" \
        "$(instructions zint -b 25 --batch --scale=4 --height=40 --notext -i lines -o 'over/z~~~.png')"
    ratio largest \
        "$(instructions "$stria93" export --dpi 1200 --points 50 -o big.png "$data")" \
        "$(instructions zint -b 25 --scale=16 --height=48 --notext -o zint.png -d "$data")"
fi

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

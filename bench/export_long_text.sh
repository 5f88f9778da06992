#!/usr/bin/env bash
# stria93 export of long data at 300 dpi, 24 points: 3,000, 10,000 and 30,000 characters of the
# mixed 40-character sentence over and over (lower case and punctuation become Full ASCII
# pairs), PNG and BMP. Prints median wall and processor time (bench/alternate.py, with the
# ratios to the 3,000-character export: a time that grows with the length and no faster gives
# about 3.3 and 10, less the start of the process) and the peak memory (GNU time) of each.
# GIF and JPEG refuse pictures this wide; zint's Code 93 takes at most 107 characters.
# Usage: bench/export_long_text.sh [build folder] [rounds]
set -euo pipefail
rounds=${2:-5}
source "$(dirname "$0")/export_setup.sh"

sentence='Order 4711-B/x: qty=12; ship@Dock #3 ok! '
for length in 3000 10000 30000; do
    python3 -c 'import sys; print((sys.argv[1] * 1000)[:int(sys.argv[2])], end="")' \
        "$sentence" "$length" >"data$length"
done
for format in png bmp; do
    echo "$format:"
    "$alternate" "$rounds" \
        "30000=$stria93 export --dpi 300 -o long30000.$format \"\$(cat data30000)\"" \
        "10000=$stria93 export --dpi 300 -o long10000.$format \"\$(cat data10000)\"" \
        "3000=$stria93 export --dpi 300 -o long3000.$format \"\$(cat data3000)\""
    for length in 3000 10000 30000; do
        /usr/bin/time -f "%M" -o time "$stria93" export --dpi 300 -o "long$length.$format" \
            "$(cat "data$length")" >/dev/null
        echo "  $length characters: peak $(cat time) KB, $(stat -c %s "long$length.$format") bytes"
    done
done
python3 -c 'import struct; d = open("long30000.png", "rb").read(24)
print("  30,000 characters: %d x %d pixels" % struct.unpack(">II", d[16:24]))'

#!/usr/bin/python3
"""Builds the twelve Sample 93 barcode typefaces (TrueType) from the geometry table below.

Every symbol glyph is nine modules wide and draws its Code 93 pattern; "(" carries the left
quiet zone and the start pattern, ")" the stop pattern, its termination bar and the right quiet
zone. The Human Readable faces draw the same bars, shorter, with the symbol's character below,
taken from DejaVu Sans.

    make_barcode_fonts.py --list                          print the file names it writes
    make_barcode_fonts.py --out DIR --text-font DejaVuSans.ttf
"""

import argparse
import math
import os
import sys

from fontTools.agl import UV2AGL
from fontTools.fontBuilder import FontBuilder
from fontTools.pens.recordingPen import DecomposingRecordingPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont, newTable

UNITS_PER_EM = 1000

# Per size letter, in font units (1000 per em): module width, bar height of the Standard face,
# cap height of the Human Readable text. a has the widest modules compared with its bars, f the
# narrowest. a's modules are twice what its bar height alone would suggest, because the export
# halves the point size for size a. The narrowest module (f) is 25 units: 8.3 mil at 24 points.
GEOMETRY = {
    #      module  bars  text
    "a": (80, 1000, 200),
    "b": (45, 1000, 200),
    "c": (38, 1100, 190),
    "d": (32, 1250, 170),
    "e": (28, 1800, 160),
    "f": (25, 2300, 140),
}

# Everything below the baseline: room for the descent of "$" and "/" in the HR text.
DESCENT = 60
# Above the bars; size a instead leaves the top quarter of its cell empty (the export raises
# size a by that quarter), see cell_metrics().
TOP_GAP = 60
SIZE_A_TOP_MARGIN = 10
QUIET_ZONE_MODULES = 10
SYMBOL_MODULES = 9

# Code 93 module widths (bar, space, bar, space, bar, space) by check value 0..46.
PATTERNS = [
    "131112", "111213", "111312", "111411", "121113", "121212", "121311", "111114",
    "131211", "141111", "211113", "211212", "211311", "221112", "221211", "231111",
    "112113", "112212", "112311", "122112", "132111", "111123", "111222", "111321",
    "121122", "131121", "212112", "212211", "211122", "211221", "221121", "222111",
    "112122", "112221", "122121", "123111", "121131", "311112", "311211", "321111",
    "112131", "113121", "211131", "121221", "312111", "311121", "122211",
]
START_STOP = "111141"

# Font character of each check value 0..46.
SYMBOL_CHARS = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-.~$/+%<=>?"
# What the Human Readable faces print under a symbol: the character itself, nothing for the
# space symbol, and for the four shifts their sign in a circle.
SHIFT_SIGNS = {"<": "$", "=": "%", ">": "/", "?": "+"}
NO_TEXT = {"~"}

LICENCE_NOTE = (
    "The letters under the bars of the HR faces are taken from DejaVu Sans; "
    "see LICENSE-DejaVu.txt beside the fonts."
)


def font_file_name(letter, human_readable):
    return "sample93%s%s.ttf" % (letter, "-hr" if human_readable else "")


def family_name(letter, human_readable):
    return "Sample 93 %s%s" % (letter, " HR" if human_readable else "")


def cell_metrics(letter):
    """Ascent and descent of the text cell: the bars plus a gap, or for size a enough room that
    the top quarter of the cell stays empty."""
    _, bars, _ = GEOMETRY[letter]
    ascent = bars + TOP_GAP
    if letter == "a":
        # ink top (bars) <= ascent - (ascent + descent) / 4
        ascent = math.ceil((4 * bars + DESCENT) / 3) + SIZE_A_TOP_MARGIN
    return ascent, DESCENT


def draw_rect(pen, x0, y0, x1, y1):
    # Clockwise, as TrueType wants filled contours.
    pen.moveTo((x0, y0))
    pen.lineTo((x0, y1))
    pen.lineTo((x1, y1))
    pen.lineTo((x1, y0))
    pen.closePath()


def draw_circle(pen, cx, cy, r, clockwise):
    # Eight quadratic arcs; off-curve points sit at r / cos(22.5 degrees).
    steps = 8
    sign = -1 if clockwise else 1
    off = r / math.cos(math.pi / steps)

    def point(k, radius):
        a = sign * 2 * math.pi * k / steps
        return (round(cx + radius * math.cos(a)), round(cy + radius * math.sin(a)))

    pen.moveTo(point(0, r))
    for k in range(steps):
        pen.qCurveTo(point(k + 0.5, off), point(k + 1, r) if k + 1 < steps else point(0, r))
    pen.closePath()


def draw_pattern(pen, widths, x, module, y0, y1):
    """Draws the bars of a width string that starts with a bar."""
    for i, w in enumerate(widths):
        width = int(w) * module
        if i % 2 == 0:
            draw_rect(pen, x, y0, x + width, y1)
        x += width


class TextSource:
    """Outlines of DejaVu Sans, placed by cap height and centre."""

    def __init__(self, path):
        self.font = TTFont(path)
        self.glyphs = self.font.getGlyphSet()
        self.cmap = self.font.getBestCmap()
        self.cap_height = self.font["glyf"][self.cmap[ord("H")]].yMax

    def bounds(self, char):
        glyph = self.font["glyf"][self.cmap[ord(char)]]
        glyph.recalcBounds(self.font["glyf"])
        return glyph.xMin, glyph.xMax

    def draw(self, pen, char, centre_x, baseline, cap_height):
        scale = cap_height / self.cap_height
        x_min, x_max = self.bounds(char)
        dx = centre_x - scale * (x_min + x_max) / 2
        # Decomposed, so that no glyph refers to a component of the source font.
        outline = DecomposingRecordingPen(self.glyphs)
        self.glyphs[self.cmap[ord(char)]].draw(outline)
        outline.replay(TransformPen(pen, (scale, 0, 0, scale, dx, baseline)))

    def width(self, char, cap_height):
        x_min, x_max = self.bounds(char)
        return (x_max - x_min) * cap_height / self.cap_height


def human_readable_text(pen, text_source, char, centre_x, text_height):
    if char in NO_TEXT:
        return
    if char in SHIFT_SIGNS:
        # A ring as tall as the text with the shift's sign inside, half the text height.
        r = text_height / 2
        cy = text_height / 2
        stroke = max(text_height * 0.09, 6)
        draw_circle(pen, centre_x, cy, r, clockwise=True)
        draw_circle(pen, centre_x, cy, r - stroke, clockwise=False)
        sign_height = text_height * 0.5
        text_source.draw(pen, SHIFT_SIGNS[char], centre_x, cy - sign_height / 2, sign_height)
        return
    text_source.draw(pen, char, centre_x, 0, text_height)


def build_glyphs(letter, human_readable, text_source):
    module, bars, text_height = GEOMETRY[letter]
    # The HR bars stop a quarter of the text height above the text.
    bar_bottom = text_height + text_height // 4 if human_readable else 0
    glyphs = {}
    metrics = {}

    def add(name, advance, draw):
        pen = TTGlyphPen(None)
        draw(pen)
        glyph = pen.glyph()
        glyphs[name] = glyph
        glyph.recalcBounds(None)
        lsb = glyph.xMin if glyph.numberOfContours else 0
        metrics[name] = (advance, lsb)

    def draw_notdef(pen):
        # A hollow box: the inner contour runs the other way round.
        draw_rect(pen, module, 0, 8 * module, bars)
        draw_rect(pen, 7 * module, module, 2 * module, bars - module)

    add(".notdef", SYMBOL_MODULES * module, draw_notdef)
    add("space", SYMBOL_MODULES * module, lambda pen: None)

    cmap = {0x20: "space"}
    for value, char in enumerate(SYMBOL_CHARS):
        name = UV2AGL[ord(char)]

        def draw(pen, value=value, char=char):
            draw_pattern(pen, PATTERNS[value], 0, module, bar_bottom, bars)
            if human_readable:
                human_readable_text(pen, text_source, char, SYMBOL_MODULES * module / 2,
                                    text_height)

        add(name, SYMBOL_MODULES * module, draw)
        cmap[ord(char)] = name

    quiet = QUIET_ZONE_MODULES * module
    add("parenleft", quiet + SYMBOL_MODULES * module,
        lambda pen: draw_pattern(pen, START_STOP, quiet, module, bar_bottom, bars))
    # Stop pattern, then the one-module termination bar.
    add("parenright", (SYMBOL_MODULES + 1) * module + quiet,
        lambda pen: draw_pattern(pen, START_STOP + "1", 0, module, bar_bottom, bars))
    cmap[ord("(")] = "parenleft"
    cmap[ord(")")] = "parenright"
    return glyphs, metrics, cmap


def check_text_fits(letter, text_source):
    module, _, text_height = GEOMETRY[letter]
    room = SYMBOL_MODULES * module - module  # at least a module between neighbouring texts
    for char in SYMBOL_CHARS:
        if char in NO_TEXT:
            continue
        width = text_height if char in SHIFT_SIGNS else text_source.width(char, text_height)
        if width > room:
            sys.exit("make_barcode_fonts: size %s: %r is %d units wide, room for %d"
                     % (letter, char, width, room))


def build_font(letter, human_readable, text_source):
    family = family_name(letter, human_readable)
    postscript = family.replace(" ", "") + "-Regular"
    ascent, descent = cell_metrics(letter)

    glyphs, metrics, cmap = build_glyphs(letter, human_readable, text_source)
    order = [".notdef", "space", "parenleft", "parenright"]
    order += [UV2AGL[ord(char)] for char in SYMBOL_CHARS]

    fb = FontBuilder(UNITS_PER_EM, isTTF=True)
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap(cmap)
    fb.setupGlyf(glyphs)
    fb.setupHorizontalMetrics(metrics)
    fb.setupHorizontalHeader(ascent=ascent, descent=-descent, lineGap=0)
    fb.setupNameTable(
        {
            "copyright": LICENCE_NOTE,
            "familyName": family,
            "styleName": "Regular",
            "uniqueFontIdentifier": "Stria: %s" % postscript,
            "fullName": family,
            "version": "Version 7.0",
            "psName": postscript,
            "typographicFamily": family,
            "typographicSubfamily": "Regular",
        },
        mac=False,
    )
    fb.setupOS2(
        version=4,
        achVendID="STRI",
        usWeightClass=400,
        usWidthClass=5,
        fsType=0,  # installable: word processors may embed the faces in documents
        fsSelection=(1 << 6) | (1 << 7),  # REGULAR, USE_TYPO_METRICS
        sTypoAscender=ascent,
        sTypoDescender=-descent,
        sTypoLineGap=0,
        usWinAscent=ascent,
        usWinDescent=descent,
        sxHeight=0,
        sCapHeight=GEOMETRY[letter][1],
        ulCodePageRange1=1,  # Latin 1
    )
    fb.setupPost(keepGlyphNames=True)
    fb.setupHead(unitsPerEm=UNITS_PER_EM, fontRevision=7.0)
    # Smooth at every size, no grid fitting: bar widths must keep their ratios.
    gasp = newTable("gasp")
    gasp.gaspRange = {0xFFFF: 0x000A}
    fb.font["gasp"] = gasp
    return fb.font


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--list", action="store_true", help="print the file names and stop")
    parser.add_argument("--out", help="folder for the .ttf files")
    parser.add_argument("--text-font", help="DejaVu Sans, for the HR text")
    args = parser.parse_args()

    names = [(letter, hr) for hr in (False, True) for letter in GEOMETRY]
    if args.list:
        print(";".join(font_file_name(letter, hr) for letter, hr in names))
        return
    if not args.out or not args.text_font:
        parser.error("--out and --text-font are needed")

    text_source = TextSource(args.text_font)
    for letter in GEOMETRY:
        check_text_fits(letter, text_source)
    os.makedirs(args.out, exist_ok=True)
    for letter, hr in names:
        build_font(letter, hr, text_source).save(os.path.join(args.out, font_file_name(letter, hr)))


if __name__ == "__main__":
    main()

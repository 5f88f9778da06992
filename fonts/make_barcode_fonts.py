#!/usr/bin/python3
"""Builds the twelve Sample 93 barcode typefaces (TrueType) from the geometry table below.

Every symbol glyph is nine modules wide and draws its Code 93 pattern; "(" carries the left
quiet zone and the start pattern, ")" the stop pattern, its termination bar and the right quiet
zone. The Human Readable faces draw the same bars, shorter, with the symbol's character below,
taken from DejaVu Sans. Their contextual alternates (OpenType "calt") make that line read as the
data: a Full ASCII shift pair shows the one character it encodes, centred under both symbols (a
control character as its control picture), and the two check characters show nothing. Programs
that apply no OpenType features show each symbol's own character instead.

    make_barcode_fonts.py --list                          print the file names it writes
    make_barcode_fonts.py --names-header FILE.h           write the family and file names as C++
    make_barcode_fonts.py --out DIR --text-font DejaVuSans.ttf
"""

import argparse
import math
import os
import re
import sys
from string import ascii_uppercase as LETTERS

from fontTools.agl import UV2AGL
from fontTools.feaLib.builder import addOpenTypeFeaturesFromString
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

# Code 93 module widths (bar, space, bar, space, bar, space) by check value 0..46, and of the
# start and stop characters: the encoder's table, read from its header so that the typefaces
# draw exactly the patterns the program reads back.
CODE93_TABLES = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "encoding",
                             "code93_tables.h")


def read_patterns(header):
    with open(header, encoding="utf-8") as f:
        text = f.read()
    body = re.search(r"Patterns = \{(.*?)\};", text, re.S).group(1)
    patterns = re.findall(r'"([1-4]{6})"', body)
    start_stop = re.search(r'StartStopPattern = "([1-4]{6})"', text).group(1)
    if len(patterns) != 47:
        sys.exit("%s: %d module patterns, not 47" % (header, len(patterns)))
    return patterns, start_stop


PATTERNS, START_STOP = read_patterns(CODE93_TABLES)

# Font character of each check value 0..46.
SYMBOL_CHARS = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-.~$/+%<=>?"
# What the Human Readable faces print under a symbol: the character itself, nothing for the
# space symbol, and for the four shifts their sign in a circle.
SHIFT_SIGNS = {"<": "$", "=": "%", ">": "/", "?": "+"}
NO_TEXT = {"~"}

# What a shift symbol followed by a letter encodes, as Code 93 decoders read Full ASCII pairs:
# the character code for each letter that forms a pair with that shift.
SHIFT_PAIRS = {
    "<": {letter: ord(letter) - 64 for letter in LETTERS},  # SOH to SUB
    "=": {
        **dict(zip("ABCDE", range(27, 32))),  # ESC, FS, GS, RS, US
        **dict(zip("FGHIJKLMNOPQRS", map(ord, ";<=>?[\\]^_{|}~"))),
        "T": 127,
        "U": 0,
        "V": ord("@"),
        "W": ord("`"),
        "X": 127,
        "Y": 127,
        "Z": 127,
    },
    ">": {**dict(zip("ABCDEFGHIJKLMNO", range(33, 48))), "Z": ord(":")},  # ! to /, and :
    "?": {letter: ord(letter.lower()) for letter in LETTERS},
}
# Control characters are shown as their control pictures: the letters of the name stepped down
# from the top left, as the Unicode charts draw U+2400 to U+2421 (DejaVu Sans has no such glyphs).
CONTROL_NAMES = {
    **dict(enumerate(
        "NUL SOH STX ETX EOT ENQ ACK BEL BS HT LF VT FF CR SO SI DLE DC1 DC2 DC3 DC4 NAK SYN "
        "ETB CAN EM SUB ESC FS GS RS US".split())),
    127: "DEL",
}

LICENCE_NOTE = (
    "The letters under the bars of the HR faces are taken from DejaVu Sans; "
    "see LICENSE-DejaVu.txt beside the fonts."
)


FAMILY_PREFIX = "Sample 93 "
HUMAN_READABLE_SUFFIX = " HR"


def font_file_name(letter, human_readable):
    return "sample93%s%s.ttf" % (letter, "-hr" if human_readable else "")


def family_name(letter, human_readable):
    return FAMILY_PREFIX + letter + (HUMAN_READABLE_SUFFIX if human_readable else "")


def names_header(names):
    """The family names and their files for the programs, which name the faces by this rule."""
    rows = "".join('    {u"%s", "%s"},\n' % (family_name(letter, hr), font_file_name(letter, hr))
                   for letter, hr in names)
    return ("// Written by fonts/make_barcode_fonts.py: the barcode typefaces' names and files.\n"
            "#pragma once\n\n#include <array>\n\nnamespace typefaces {\n\n"
            "// A family is the prefix and its size letter, then the suffix for Human Readable.\n"
            'inline constexpr char16_t FamilyPrefix[] = u"%s";\n'
            'inline constexpr char16_t HumanReadableSuffix[] = u"%s";\n\n'
            "struct Typeface {\n    const char16_t* family;\n    const char* file;\n};\n\n"
            "inline constexpr std::array<Typeface, %d> All{{\n%s}};\n\n"
            "} // namespace typefaces\n" % (FAMILY_PREFIX, HUMAN_READABLE_SUFFIX, len(names), rows))


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
        return glyph.xMin, glyph.xMax, glyph.yMin

    def draw(self, pen, char, centre_x, baseline, cap_height):
        scale = cap_height / self.cap_height
        x_min, x_max, y_min = self.bounds(char)
        dx = centre_x - scale * (x_min + x_max) / 2
        # Raised just enough to stay inside the cell: "_" and "|" reach lower than the descent
        # leaves room for at the largest text sizes.
        dy = max(baseline, -DESCENT - scale * y_min)
        # Decomposed, so that no glyph refers to a component of the source font.
        outline = DecomposingRecordingPen(self.glyphs)
        self.glyphs[self.cmap[ord(char)]].draw(outline)
        outline.replay(TransformPen(pen, (scale, 0, 0, scale, dx, dy)))

    def width(self, char, cap_height):
        x_min, x_max, _ = self.bounds(char)
        return (x_max - x_min) * cap_height / self.cap_height

    def control_picture(self, name, text_height):
        """Letters of a control character's name, side by side and stepped down from the top
        left to the bottom right within the text height: (letter, centre x, baseline, cap
        height) each, centred on x = 0, and the picture's width."""
        letter_height = text_height * (0.7 if len(name) == 2 else 0.6)
        drop = (text_height - letter_height) / (len(name) - 1)
        gap = letter_height * 0.1
        widths = [self.width(letter, letter_height) for letter in name]
        total = sum(widths) + gap * (len(name) - 1)
        letters = []
        left = -total / 2
        for i, (letter, width) in enumerate(zip(name, widths)):
            letters.append((letter, left + width / 2, text_height - letter_height - i * drop,
                            letter_height))
            left += width + gap
        return letters, total

    def draw_control_picture(self, pen, name, centre_x, text_height):
        for letter, x, baseline, height in self.control_picture(name, text_height)[0]:
            self.draw(pen, letter, centre_x + x, baseline, height)


def glyph_name(char):
    return UV2AGL[ord(char)]


def check_glyph_name(char):
    return glyph_name(char) + ".check"


def pair_start_glyph_name(shift):
    return glyph_name(shift) + ".pairstart"


def pair_glyph_name(shift, letter):
    """The pair's letter named after what it shows: "O.lower", "H.parenleft", "I.control_HT"."""
    code = SHIFT_PAIRS[shift][letter]
    if shift == "?":
        shown = "lower"
    elif code in CONTROL_NAMES:
        shown = "control_" + CONTROL_NAMES[code]
    else:
        shown = UV2AGL[code]
    return "%s.%s" % (glyph_name(letter), shown)


def pair_text_width(text_source, code, text_height):
    if code in CONTROL_NAMES:
        return text_source.control_picture(CONTROL_NAMES[code], text_height)[1]
    return text_source.width(chr(code), text_height)


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


def pair_text(pen, text_source, code, centre_x, text_height):
    if code in CONTROL_NAMES:
        text_source.draw_control_picture(pen, CONTROL_NAMES[code], centre_x, text_height)
    else:
        text_source.draw(pen, chr(code), centre_x, 0, text_height)


def build_glyphs(letter, human_readable, text_source):
    module, bars, text_height = GEOMETRY[letter]
    # The HR bars stop a quarter of the text height above the text.
    bar_bottom = text_height + text_height // 4 if human_readable else 0
    symbol_width = SYMBOL_MODULES * module
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

    def draw_bars(pen, char):
        draw_pattern(pen, PATTERNS[SYMBOL_CHARS.index(char)], 0, module, bar_bottom, bars)

    def draw_notdef(pen):
        # A hollow box: the inner contour runs the other way round.
        draw_rect(pen, module, 0, 8 * module, bars)
        draw_rect(pen, 7 * module, module, 2 * module, bars - module)

    add(".notdef", symbol_width, draw_notdef)
    add("space", symbol_width, lambda pen: None)

    cmap = {0x20: "space"}
    for char in SYMBOL_CHARS:

        def draw(pen, char=char):
            draw_bars(pen, char)
            if human_readable:
                human_readable_text(pen, text_source, char, symbol_width / 2, text_height)

        add(glyph_name(char), symbol_width, draw)
        cmap[ord(char)] = glyph_name(char)

    quiet = QUIET_ZONE_MODULES * module
    add("parenleft", quiet + symbol_width,
        lambda pen: draw_pattern(pen, START_STOP, quiet, module, bar_bottom, bars))
    # Stop pattern, then the one-module termination bar.
    add("parenright", symbol_width + module + quiet,
        lambda pen: draw_pattern(pen, START_STOP + "1", 0, module, bar_bottom, bars))
    cmap[ord("(")] = "parenleft"
    cmap[ord(")")] = "parenright"

    if human_readable:
        # The alternates keep their base glyph's bars and advance; only the text changes.
        for char in SYMBOL_CHARS:
            add(check_glyph_name(char), symbol_width, lambda pen, char=char: draw_bars(pen, char))
        for shift, pairs in SHIFT_PAIRS.items():
            add(pair_start_glyph_name(shift), symbol_width,
                lambda pen, shift=shift: draw_bars(pen, shift))
            for pair_letter, code in pairs.items():

                def draw(pen, pair_letter=pair_letter, code=code):
                    draw_bars(pen, pair_letter)
                    # Centred under the pair: the letter's left edge is the pair's middle.
                    pair_text(pen, text_source, code, 0, text_height)

                add(pair_glyph_name(shift, pair_letter), symbol_width, draw)
    return glyphs, metrics, cmap


def contextual_alternates():
    """Feature file of the HR faces' "calt". The check characters are found first, so that a
    check character C that is a shift symbol never pairs with K."""
    lines = [
        "languagesystem DFLT dflt;",
        "languagesystem latn dflt;",
        "@symbol = [%s];" % " ".join(glyph_name(char) for char in SYMBOL_CHARS),
        "lookup check_character {",
        *("    sub %s by %s;" % (glyph_name(c), check_glyph_name(c)) for c in SYMBOL_CHARS),
        "} check_character;",
        "lookup pair_start {",
        *("    sub %s by %s;" % (glyph_name(s), pair_start_glyph_name(s)) for s in SHIFT_PAIRS),
        "} pair_start;",
    ]
    for shift, pairs in SHIFT_PAIRS.items():
        lookup = "pair_after_" + glyph_name(shift)
        lines += [
            "lookup %s {" % lookup,
            *("    sub %s by %s;" % (glyph_name(letter), pair_glyph_name(shift, letter))
              for letter in pairs),
            "} %s;" % lookup,
        ]
    lines += [
        "feature calt {",
        "    lookup check_characters {",
        "        sub @symbol' lookup check_character @symbol' lookup check_character parenright;",
        "    } check_characters;",
        "    lookup shift_pairs {",
        *("        sub %s' lookup pair_start [%s]' lookup pair_after_%s;"
          % (glyph_name(shift), " ".join(map(glyph_name, pairs)), glyph_name(shift))
          for shift, pairs in SHIFT_PAIRS.items()),
        "    } shift_pairs;",
        "} calt;",
    ]
    return "\n".join(lines) + "\n"


def check_text_fits(letter, text_source):
    module, _, text_height = GEOMETRY[letter]
    # At least a module between neighbouring texts, under one symbol or under a pair.
    symbol_room = SYMBOL_MODULES * module - module
    pair_room = symbol_room + SYMBOL_MODULES * module
    texts = [
        (char, symbol_room,
         text_height if char in SHIFT_SIGNS else text_source.width(char, text_height))
        for char in SYMBOL_CHARS if char not in NO_TEXT
    ]
    texts += [
        (shift + pair_letter, pair_room, pair_text_width(text_source, code, text_height))
        for shift, pairs in SHIFT_PAIRS.items() for pair_letter, code in pairs.items()
    ]
    for text, room, width in texts:
        if width > room:
            sys.exit("make_barcode_fonts: size %s: %r is %d units wide, room for %d"
                     % (letter, text, width, room))


def build_font(letter, human_readable, text_source):
    family = family_name(letter, human_readable)
    postscript = family.replace(" ", "") + "-Regular"
    ascent, descent = cell_metrics(letter)

    glyphs, metrics, cmap = build_glyphs(letter, human_readable, text_source)
    order = [".notdef", "space", "parenleft", "parenright"]
    order += [glyph_name(char) for char in SYMBOL_CHARS]
    order += [name for name in glyphs if name not in order]

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
    if human_readable:
        addOpenTypeFeaturesFromString(fb.font, contextual_alternates())
    return fb.font


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--list", action="store_true", help="print the file names and stop")
    parser.add_argument("--names-header", help="write the names as a C++ header and stop")
    parser.add_argument("--out", help="folder for the .ttf files")
    parser.add_argument("--text-font", help="DejaVu Sans, for the HR text")
    args = parser.parse_args()

    names = [(letter, hr) for hr in (False, True) for letter in GEOMETRY]
    if args.list:
        print(";".join(font_file_name(letter, hr) for letter, hr in names))
        return
    if args.names_header:
        os.makedirs(os.path.dirname(args.names_header), exist_ok=True)
        with open(args.names_header, "w", encoding="utf-8") as header:
            header.write(names_header(names))
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

#!/usr/bin/python3
"""Puts the table of the point sizes whose modules are whole printer dots into a manual page.

The module of each size letter is read from its typeface (a symbol's advance is nine modules),
so the table always says what the built fonts draw.

    whole_dot_sizes.py --fonts DIR --page IN.html --out OUT.html
"""

import argparse
import logging
import os
from fractions import Fraction

from fontTools.ttLib import TTFont

MARKER = "<!-- whole-dot sizes -->"
LETTERS = "abcdef"
PRINTERS = (203, 300, 600)
SMALLEST, LARGEST = 12, 36  # points: the sizes labels are printed at


def module_units(path):
    font = TTFont(path)
    advance, _ = font["hmtx"][font.getBestCmap()[ord("A")]]
    return Fraction(advance, 9), font["head"].unitsPerEm


def sizes(module, units_per_em, dpi):
    """(points, dots) for every whole number of dots whose size lies in the range."""
    one_dot = Fraction(72, dpi) * units_per_em / module  # points that make a one-dot module
    found = []
    dots = 1
    while one_dot * dots <= LARGEST:
        if one_dot * dots >= SMALLEST:
            found.append((one_dot * dots, dots))
        dots += 1
    return found


def cell(found):
    shown = []
    for points, dots in found:
        text = ("%.2f" % float(points)).rstrip("0").rstrip(".")
        if points.denominator == 1:
            text = "<b>%s</b>" % text  # a size the point-size box takes
        shown.append("%s&nbsp;(%d)" % (text, dots))
    return ", ".join(shown) if shown else "none"


def table(font_dir):
    rows = ["<table class=\"sizes\">",
            "<tr><th>size</th><th>module</th>%s</tr>"
            % "".join("<th>%d dpi</th>" % dpi for dpi in PRINTERS)]
    for letter in LETTERS:
        module, em = module_units(os.path.join(font_dir, "sample93%s.ttf" % letter))
        mils = float(module) / em * 1000 / 72 * 24  # at 24 points
        rows.append("<tr><td>%s</td><td>%.1f mil at 24 pt</td>%s</tr>" % (
            letter.upper(), mils,
            "".join("<td>%s</td>" % cell(sizes(module, em, dpi)) for dpi in PRINTERS)))
    rows.append("</table>")
    return "\n".join(rows)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--fonts", required=True)
    parser.add_argument("--page", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    logging.getLogger("fontTools").setLevel(logging.ERROR)
    with open(args.page, encoding="utf-8") as f:
        page = f.read()
    if MARKER not in page:
        parser.error("%s has no %s" % (args.page, MARKER))
    with open(args.out, "w", encoding="utf-8") as f:
        f.write(page.replace(MARKER, table(args.fonts)))


if __name__ == "__main__":
    main()

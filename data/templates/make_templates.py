#!/usr/bin/env python3
"""Writes the stock label-sheet RTF templates described by label_sheets.csv.

Each template is one US Letter page holding a table whose label cells lie exactly on the labels
of the sheet, with narrow empty cells for the gaps between labels, so that a bar code pasted into
a cell prints on a label. Inches are turned into twips per edge, measured from the page edge, so
that rounding never accumulates down or across the sheet.
"""

import argparse
import csv
import os
import sys

TWIPS_PER_INCH = 1440
PAPER_WIDTH = 12240  # 8.5 in
PAPER_HEIGHT = 15840  # 11 in
# Below the table the word processor keeps one closing paragraph; this much room stays for it.
CLOSING_ROOM = 288
INVITATION = "Paste your bar code here (Ctrl+V)"
CELL_FONT = r"\plain\f0\fs16"
HERE = os.path.dirname(os.path.abspath(__file__))


def twips(inches):
    return round(inches * TWIPS_PER_INCH)


def read_sheets(path):
    with open(path, newline="", encoding="ascii") as f:
        sheets = []
        for row in csv.DictReader(f):
            sheets.append({
                "template": row["template"],
                "label_number": row["label_number"],
                "width": float(row["label_width"]),
                "height": float(row["label_height"]),
                "columns": int(row["columns"]),
                "rows": int(row["rows"]),
                "left": float(row["left"]),
                "top": float(row["top"]),
                "h_pitch": float(row["horizontal_pitch"]),
                "v_pitch": float(row["vertical_pitch"]),
            })
    return sheets


def cells(sheet):
    """(right edge relative to the left margin, is a label) per cell: label, gap, label, ..."""
    margin = twips(sheet["left"])
    result = []
    for k in range(sheet["columns"]):
        label_left = sheet["left"] + k * sheet["h_pitch"]
        if result and twips(label_left) - margin > result[-1][0]:
            result.append((twips(label_left) - margin, False))  # the gap before this label
        result.append((twips(label_left + sheet["width"]) - margin, True))
    return result


def row_heights(sheet):
    tops = [twips(sheet["top"] + k * sheet["v_pitch"]) for k in range(sheet["rows"] + 1)]
    return [b - a for a, b in zip(tops, tops[1:])]


def cell_format(is_label, show_borders):
    """A label cell holds its bar code in the middle, away from the edges a printer may miss."""
    if not is_label:
        return ""
    border = "".join(r"\clbrdr%s\brdrs\brdrw5" % side for side in "tlbr")
    return r"\clvertalc" + (border if show_borders else "")


def template_text(sheet, show_borders):
    row_cells = cells(sheet)
    margl = twips(sheet["left"])
    margt = twips(sheet["top"])
    margr = PAPER_WIDTH - margl - row_cells[-1][0]
    table_height = sum(row_heights(sheet))
    margb = max(0, PAPER_HEIGHT - margt - table_height - CLOSING_ROOM)
    if margr < 0 or PAPER_HEIGHT - margt - table_height < CLOSING_ROOM:
        sys.exit("%s: the labels do not fit on a Letter page" % sheet["template"])

    out = [
        r"{\rtf1\ansi\ansicpg1252\deff0",
        r"{\fonttbl{\f0\fswiss\fcharset0 Arial;}}",
        r"\paperw%d\paperh%d\margl%d\margr%d\margt%d\margb%d" %
        (PAPER_WIDTH, PAPER_HEIGHT, margl, margr, margt, margb),
        r"\sectd\pgwsxn%d\pghsxn%d\marglsxn%d\margrsxn%d\margtsxn%d\margbsxn%d" %
        (PAPER_WIDTH, PAPER_HEIGHT, margl, margr, margt, margb),
    ]
    first = True
    for height in row_heights(sheet):
        out.append(r"\trowd\trgaph0\trleft0\trrh-%d"
                   r"\trpaddl0\trpaddr0\trpaddt0\trpaddb0"
                   r"\trpaddfl3\trpaddfr3\trpaddft3\trpaddfb3" % height)
        out.append("".join("%s\\cellx%d" % (cell_format(is_label, show_borders), x)
                           for x, is_label in row_cells))
        contents = []
        for _, is_label in row_cells:
            text = " " + INVITATION if first else ""
            first = False
            align = r"\qc" if is_label else ""
            contents.append(r"\pard\intbl%s%s%s\cell" % (align, CELL_FONT, text))
        out.append("".join(contents) + r"\row")
    out.append(r"\pard\plain\f0\fs2\par")
    out.append("}")
    return "\r\n".join(out) + "\r\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--csv", default=os.path.join(HERE, "label_sheets.csv"),
                        help="the table of label sheets")
    parser.add_argument("--out", help="folder to write the templates into")
    parser.add_argument("--list", action="store_true",
                        help="print the template file names as a CMake list, and write nothing")
    parser.add_argument("--show-borders", action="store_true",
                        help="draw thin borders round the labels, to measure where they print")
    args = parser.parse_args()

    sheets = read_sheets(args.csv)
    if args.list:
        print(";".join(sheet["template"] for sheet in sheets))
        return
    if not args.out:
        parser.error("--out is required")
    os.makedirs(args.out, exist_ok=True)
    for sheet in sheets:
        path = os.path.join(args.out, sheet["template"])
        with open(path + ".tmp", "w", encoding="ascii", newline="") as f:
            f.write(template_text(sheet, args.show_borders))
        os.replace(path + ".tmp", path)


if __name__ == "__main__":
    main()

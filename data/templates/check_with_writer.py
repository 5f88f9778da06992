#!/usr/bin/env python3
"""Manual check: prints every label template with LibreOffice and measures where the labels land.

Writes the templates once as shipped and once with thin borders round the labels (with the build's
make_label_templates), converts both sets to PDF with soffice, checks that each is one page,
rasterises the bordered ones with pdftoppm and finds the border lines. Every label edge must lie
within the tolerance of the sheet's geometry in label_sheets.csv. Needs a build, soffice
(libreoffice-writer) and pdftoppm/pdfinfo (poppler-utils). Prints the worst deviation per
template; exits non-zero if any template fails.
"""

import argparse
import glob
import os
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # keep the source folder clean
import sheet_table  # noqa: E402

DPI = 200
TOLERANCE = 0.02  # inch
DARK = 128


def run(*command):
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def to_pdf(rtf_dir, pdf_dir, profile):
    rtfs = sorted(glob.glob(os.path.join(rtf_dir, "*.rtf")))
    run("soffice", "-env:UserInstallation=file://" + profile, "--headless",
        "--convert-to", "pdf", "--outdir", pdf_dir, *rtfs)


def page_count(pdf):
    info = subprocess.run(["pdfinfo", pdf], check=True, capture_output=True, text=True).stdout
    for line in info.splitlines():
        if line.startswith("Pages:"):
            return int(line.split()[1])
    raise RuntimeError("pdfinfo gave no page count for " + pdf)


def read_pgm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields = []
    pos = 0
    while len(fields) < 4:  # magic, width, height, maxval
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    if fields[0] != b"P5" or fields[3] != b"255":
        raise RuntimeError(path + " is not an 8-bit binary PGM")
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos + 1:pos + 1 + width * height]


def line_centres(counts, threshold):
    """Centres, in inches, of the runs of pixel lines whose dark count reaches the threshold."""
    centres = []
    run_start = None
    for i, count in enumerate(counts + [0]):
        if count >= threshold and run_start is None:
            run_start = i
        elif count < threshold and run_start is not None:
            centres.append(((run_start + i) / 2) / DPI)  # pixel i spans [i, i+1) / DPI
            run_start = None
    return centres


def inches(sheet):
    """The row with every length in inches."""
    scale = 1 / 25.4 if sheet["unit"] == "mm" else 1
    return {key: value * scale if key in sheet_table.LENGTHS else value
            for key, value in sheet.items()}


def measure(sheet, pgm):
    width, height, pixels = read_pgm(pgm)
    columns = [0] * width
    rows = [0] * height
    for y in range(height):
        line = pixels[y * width:(y + 1) * width]
        for x, value in enumerate(line):
            if value < DARK:
                columns[x] += 1
                rows[y] += 1
    # A vertical label edge runs the whole table's height, a horizontal one all labels' widths.
    vertical = line_centres(columns, 0.5 * sheet["rows"] * sheet["vertical_pitch"] * DPI)
    horizontal = line_centres(rows, 0.5 * sheet["columns"] * sheet["label_width"] * DPI)

    expected_x = sorted({round(sheet["left"] + k * sheet["horizontal_pitch"] + d, 6)
                         for k in range(sheet["columns"]) for d in (0, sheet["label_width"])})
    expected_y = [sheet["top"] + k * sheet["vertical_pitch"] for k in range(sheet["rows"] + 1)]
    problems = []
    if len(vertical) != len(expected_x):
        problems.append("%d vertical edges found, %d expected" % (len(vertical), len(expected_x)))
    if len(horizontal) != len(expected_y):
        problems.append("%d horizontal edges found, %d expected" %
                        (len(horizontal), len(expected_y)))
    worst = 0.0
    for found, expected in ((vertical, expected_x), (horizontal, expected_y)):
        for edge in expected:
            nearest = min((abs(f - edge) for f in found), default=float("inf"))
            worst = max(worst, nearest)
    if worst > TOLERANCE:
        problems.append("an edge is %.4f in off" % worst)
    return worst, problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--keep", help="folder to keep the RTF, PDF and PGM files in")
    here = os.path.dirname(os.path.abspath(__file__))
    parser.add_argument("--tool", help="the build's make_label_templates",
                        default=os.path.join(here, "..", "..", "build", "sheet",
                                             "make_label_templates"))
    args = parser.parse_args()
    sheets = [inches(s) for s in sheet_table.read_sheets(os.path.join(here, "label_sheets.csv"))]

    with tempfile.TemporaryDirectory() as scratch:
        work = args.keep or scratch
        profile = os.path.join(scratch, "profile")
        for variant, flags in (("plain", []), ("borders", ["--show-borders"])):
            subprocess.run([args.tool, *flags, "--out", os.path.join(work, variant, "rtf")],
                           check=True)
            to_pdf(os.path.join(work, variant, "rtf"), os.path.join(work, variant, "pdf"), profile)

        failed = False
        for sheet in sheets:
            stem = os.path.splitext(sheet["template"])[0]
            problems = []
            for variant in ("plain", "borders"):
                pdf = os.path.join(work, variant, "pdf", stem + ".pdf")
                pages = page_count(pdf) if os.path.exists(pdf) else 0
                if pages != 1:
                    problems.append("%s variant has %d pages" % (variant, pages))
            pdf = os.path.join(work, "borders", "pdf", stem + ".pdf")
            prefix = os.path.join(work, "borders", stem)
            run("pdftoppm", "-r", str(DPI), "-gray", "-f", "1", "-l", "1", "-singlefile",
                pdf, prefix)
            worst, found = measure(sheet, prefix + ".pgm")
            problems += found
            failed = failed or bool(problems)
            print("%-10s worst edge deviation %.4f in  %s" %
                  (sheet["template"], worst, "; ".join(problems) or "ok"))
        return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/python3
"""10,000 cells of =CODE93() recalculated by a headless LibreOffice pinned to one core, beside
the same number of cells of Calc's own =UPPER() for scale.

bench/office_recalc.py [BUILD_DIR]   (default: build)"""
import os
import shutil
import statistics
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests"))
from office_check import prop, start_office, stop_office  # noqa: E402

CELLS = 10000
RUNS = 7


def recalc_times(doc, sheet, column, formula):
    """Seconds for calculateAll over CELLS formulas of the column, each run."""
    sheet.getCellRangeByName(f"{column}1:{column}{CELLS}").setFormulaArray(
        tuple((formula.format(row=i),) for i in range(1, CELLS + 1)))
    times = []
    for _ in range(RUNS):
        start = time.perf_counter()
        doc.calculateAll()
        times.append(time.perf_counter() - start)
    sheet.getCellRangeByName(f"{column}1:{column}{CELLS}").clearContents(1023)
    return times


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build")
    work = tempfile.mkdtemp(prefix="stria-bench-")
    office = None
    try:
        office, _, context = start_office(build, work, cpus="0")
        desktop = context.ServiceManager.createInstanceWithContext(
            "com.sun.star.frame.Desktop", context)
        doc = desktop.loadComponentFromURL("private:factory/scalc", "_blank", 0,
                                           (prop("Hidden", True),))
        sheet = doc.Sheets.getByIndex(0)
        # Part numbers with lower case and punctuation (Full ASCII pairs), and plain numbers.
        sheet.getCellRangeByName(f"A1:B{CELLS}").setDataArray(tuple(
            (f"Part-{i:06d}/rev.{'abc'[i % 3]}", i * 7.25) for i in range(CELLS)))
        for label, column, formula in (
                ("=CODE93(text)", "C", "=CODE93(A{row})"),
                ("=CODE93(number)", "C", "=CODE93(B{row})"),
                ("=CODE93SUMS(text)", "C", "=CODE93SUMS(A{row})"),
                ("=UPPER(text), Calc's own", "C", "=UPPER(A{row})")):
            times = recalc_times(doc, sheet, column, formula)
            print(f"{label:28} {CELLS} cells: median {statistics.median(times) * 1000:6.0f} ms,"
                  f" best {min(times) * 1000:6.0f} ms")
        doc.close(True)
        stop_office(desktop, office)
    finally:
        if office and office.poll() is None:
            office.kill()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()

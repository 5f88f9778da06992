#!/usr/bin/python3
"""The LibreOffice extension in a headless LibreOffice with a profile of its own: the Calc
functions against `stria93 encode`, and Writer's Make Barcode through to a scanned PDF.

office_check.py BUILD_DIR DATA_HELPER (tests/office_data)
office_check.py --bundled FOLDER BUILD_DIR: a LibreOffice whose bundled extensions are those of FOLDER (the
package's unpacked /usr/lib/libreoffice/share/extensions) has =CODE93() with nothing added."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

import uno
from com.sun.star.beans import PropertyValue

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what, file=sys.stderr)


def prop(name, value):
    p = PropertyValue()
    p.Name, p.Value = name, value
    return p


def start_office(build, work, cpus=None, bundled=None):
    """A headless LibreOffice with a new profile that holds the extension (or whose bundled
    extensions are those of the folder bundled), seeing the build's typefaces, and a home (and
    so a documents folder) of its own; on the given CPUs if any."""
    home = os.path.join(work, "home")
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
               SAL_USE_VCLPLUGIN="svp")
    os.makedirs(env["HOME"])
    conf = os.path.join(work, "fonts.conf")
    with open(conf, "w") as f:
        f.write('<?xml version="1.0"?><fontconfig><include ignore_missing="yes">/etc/fonts/fonts.conf'
                f'</include><dir>{build}/fonts</dir><cachedir>{work}/fc-cache</cachedir></fontconfig>')
    env["FONTCONFIG_FILE"] = conf
    options = [f"-env:UserInstallation=file://{work}/profile"]
    if bundled:
        options.append(f"-env:BUNDLED_EXTENSIONS=file://{os.path.abspath(bundled)}")
    else:
        # unopkg refuses to add to a user's profile as root (CI runs the tests as root): there
        # it runs as nobody, on a copy of the extension in a folder nobody owns.
        unopkg = ["unopkg", "add", options[0], shutil.copy(f"{build}/office/stria93.oxt", work)]
        if os.geteuid() == 0:
            subprocess.run(["chown", "-R", "nobody", work], check=True)
            unopkg = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"] + unopkg
        subprocess.run(unopkg, env=env, check=True, stdout=subprocess.DEVNULL)
    pipe = f"stria93office{os.getpid()}"
    pinned = ["taskset", "-c", cpus] if cpus else []
    office = subprocess.Popen(pinned + ["soffice"] + options + ["--headless", "--norestore", "--nologo",
                               f"--accept=pipe,name={pipe};urp;"], env=env)
    resolver = uno.getComponentContext().ServiceManager.createInstanceWithContext(
        "com.sun.star.bridge.UnoUrlResolver", uno.getComponentContext())
    for _ in range(600):
        try:
            context = resolver.resolve(f"uno:pipe,name={pipe};urp;StarOffice.ComponentContext")
            return office, env, context
        except Exception:
            time.sleep(0.1)
    raise RuntimeError("LibreOffice did not start")


def stop_office(desktop, office):
    try:
        desktop.terminate()
    except Exception:
        pass  # the bridge goes down with the office
    office.wait(timeout=60)


def expected_strings(texts, sums=False):
    args = [STRIA93, "encode"] + (["--sums"] if sums else [])
    out = subprocess.run(args, input="\n".join(texts) + "\n", capture_output=True, text=True,
                         check=True).stdout
    return out.split("\n")[:-1]


def check_random_data(doc, sheet):
    """Random texts through =CODE93(): the strings of `stria93 encode`, #VALUE! for refusals."""
    lines = subprocess.run([DATA_HELPER, "2000"], capture_output=True, text=True, check=True).stdout
    rows = [line.split("\t", 1) for line in lines.split("\n") if line]
    n = len(rows)
    sheet.getCellRangeByName(f"A1:A{n}").setDataArray(tuple((text,) for _, text in rows))
    sheet.getCellRangeByName(f"B1:C{n}").setFormulaArray(tuple(
        (f"=CODE93(A{i})", f"=IF(ISERROR(B{i});ERROR.TYPE(B{i});0)") for i in range(1, n + 1)))
    doc.calculateAll()
    got = sheet.getCellRangeByName(f"B1:C{n}").getDataArray()
    expected = iter(expected_strings([text for kind, text in rows if kind == "L"]))
    refused = 0
    for (kind, text), (value, error) in zip(rows, got):
        if kind == "L":
            want = next(expected)
            check(error == 0 and value == want, f"CODE93({text!r}) = {value!r}, not {want!r}")
        else:
            refused += 1
            check(error == 3, f"CODE93({text!r}) = {value!r}, not #VALUE!")
    check(100 < refused < n - 100, f"{refused} of {n} random texts refused")


VALUE, INVALID_ARGUMENT = 519, 502  # #VALUE! and Err:502

# (what A1 holds, the formula in B1, what B1 shows: a text, or Calc's error code)
FORMULA_ROWS = [
    (None, '=CODE93("ABC123")', "(ABC123W9)"),
    (None, '=CODE93("Code 93")', "(C?O?D?E~93<8)"),
    (123, "=CODE93(A1)", "encode:123"),
    (-1.5, "=CODE93(A1)", "encode:-1.5"),
    ("", "=CODE93(A1)", ""),
    ("\u00e9", "=CODE93(A1)", VALUE),
    (None, '=CODE93SUMS("ABC123")',
     "(ABC123W9)   CSum: 173  Ksum: 244  CCheck: 32  KCheck: 9"),
    ("Code 93", "=CODE93SUMS(A1)", "sums:Code 93"),
    ("\u20ac", "=CODE93SUMS(A1)", VALUE),
    (None, '=CODE93FONT("hr";"d")', "Sample 93 d HR"),
    (None, '=CODE93FONT("standard";"A")', "Sample 93 a"),
    (None, '=CODE93FONT("hr";"g")', INVALID_ARGUMENT),
    (None, '=CODE93FONT("bold";"a")', INVALID_ARGUMENT),
]


def expected_value(want):
    if isinstance(want, str) and want.startswith("encode:"):
        return expected_strings([want[7:]])[0]
    if isinstance(want, str) and want.startswith("sums:"):
        return expected_strings([want[5:]], sums=True)[0]
    return want


def check_formula_rows(doc, sheet):
    """Each row through the API, as XCell::setFormula writes it."""
    a1, b1 = sheet.getCellRangeByName("A1"), sheet.getCellRangeByName("B1")
    for value, formula, want in FORMULA_ROWS:
        if isinstance(value, str):
            a1.setString(value)
        elif value is not None:
            a1.setValue(value)
        else:
            a1.setString("")
        b1.setFormula(formula)
        doc.calculateAll()
        want = expected_value(want)
        got = b1.getError() or b1.getString()
        check(got == want, f"{formula} with A1 {value!r} gives {got!r}, not {want!r}")


def check_typed_names(doc, sheet):
    """=CODE93(A2) as typed into the UI, with English function names and with the UI's own."""
    sheet.getCellRangeByName("A2").setString("ABC123")
    cell = sheet.getCellRangeByName("B2")
    parser = doc.createInstance("com.sun.star.sheet.FormulaParser")
    address = cell.getCellAddress()
    for english in (True, False):
        parser.CompileEnglish = english
        cell.setTokens(parser.parseFormula("=CODE93(A2)", address))
        doc.calculateAll()
        check(cell.getString() == "(ABC123W9)",
              f"=CODE93(A2) with English names {english} gives {cell.getString()!r}")


def check_calc(desktop):
    doc = desktop.loadComponentFromURL("private:factory/scalc", "_blank", 0,
                                       (prop("Hidden", True),))
    check_formula_rows(doc, doc.Sheets.getByIndex(0))
    check_typed_names(doc, doc.Sheets.getByIndex(0))
    doc.Sheets.insertNewByName("random", 1)
    check_random_data(doc, doc.Sheets.getByName("random"))
    doc.close(True)


def make_barcode(context, doc, before, selected, after):
    """Types before + selected + after, selects the middle and runs Make Barcode on it."""
    doc.Text.setString(before + selected + after)
    cursor = doc.CurrentController.ViewCursor
    cursor.gotoStart(False)
    cursor.goRight(len(before), False)
    cursor.goRight(len(selected), True)
    helper = context.ServiceManager.createInstanceWithContext(
        "com.sun.star.frame.DispatchHelper", context)
    helper.executeDispatch(doc.CurrentController.Frame,
                           "org.stria.office.barcode:MakeBarcode", "", 0, ())


def run_face(doc, start, length):
    cursor = doc.Text.createTextCursor()
    cursor.gotoStart(False)
    cursor.goRight(start, False)
    cursor.goRight(length, True)
    return cursor.CharFontName, cursor.CharHeight


def scan_pdf(doc, work):
    pdf = os.path.join(work, "barcode.pdf")
    doc.storeToURL(uno.systemPathToFileUrl(pdf), (prop("FilterName", "writer_pdf_Export"),))
    subprocess.run(["pdftoppm", "-r", "300", "-gray", "-singlefile", pdf,
                    os.path.join(work, "page")], check=True)
    return subprocess.run(["zbarimg", "--quiet", "--raw", os.path.join(work, "page.pgm")],
                          capture_output=True, text=True).stdout.strip()


# (settings file or None, the face and point size Make Barcode sets)
FACE_ROWS = [
    (None, ("Sample 93 d HR", 24)),
    ("[Settings]\nType=S\nFontSize=B\nPointSize=36\n", ("Sample 93 b", 36)),
    ("[Settings]\nType=H\nFontSize=F\nPointSize=many\n", ("Sample 93 f HR", 24)),
]


def check_writer(context, desktop, env, work):
    doc = desktop.loadComponentFromURL("private:factory/swriter", "_blank", 0,
                                       (prop("Hidden", True),))
    data = "ABC-123"
    barcode = expected_strings([data])[0]
    settings = os.path.join(env["HOME"], "Documents", "Stria", "striatips.ini")
    for ini, face in FACE_ROWS:
        if ini is not None:
            os.makedirs(os.path.dirname(settings), exist_ok=True)
            with open(settings, "w") as f:
                f.write(ini)
        make_barcode(context, doc, "Part ", data, " here")
        check(doc.Text.getString() == f"Part {barcode} here",
              f"Make Barcode gave {doc.Text.getString()!r}")
        check(run_face(doc, 5, len(barcode)) == face,
              f"the barcode is set in {run_face(doc, 5, len(barcode))}, not {face}")
        check(run_face(doc, 0, 5)[0] != face[0], "the text before the barcode changed face")
        if ini is None:
            scanned = scan_pdf(doc, work)
            check(scanned == data, f"the PDF scans as {scanned!r}, not {data!r}")
        doc.UndoManager.undo()
        check(doc.Text.getString() == f"Part {data} here",
              f"one undo gives {doc.Text.getString()!r}")
    make_barcode(context, doc, "Part ", "AB\u00e9", " here")
    check(doc.Text.getString() == "Part AB\u00e9 here", "a refused selection changed the text")
    doc.close(True)


def check_bundled(desktop):
    doc = desktop.loadComponentFromURL("private:factory/scalc", "_blank", 0,
                                       (prop("Hidden", True),))
    cell = doc.Sheets.getByIndex(0).getCellRangeByName("A1")
    cell.setFormula('=CODE93("Code 93")')
    doc.calculateAll()
    check(cell.getString() == "(C?O?D?E~93<8)",
          f'the bundled extension gives =CODE93("Code 93") = {cell.getString()!r}')
    doc.close(True)


def main():
    global STRIA93, DATA_HELPER
    if sys.argv[1] == "--bundled":
        bundled, build = sys.argv[2], os.path.abspath(sys.argv[3])
    else:
        bundled, build, DATA_HELPER = None, os.path.abspath(sys.argv[1]), sys.argv[2]
        STRIA93 = os.path.join(build, "cli", "stria93")
    work = tempfile.mkdtemp(prefix="stria-office-")
    office = None
    try:
        office, env, context = start_office(build, work, bundled=bundled)
        desktop = context.ServiceManager.createInstanceWithContext(
            "com.sun.star.frame.Desktop", context)
        if bundled:
            check_bundled(desktop)
        else:
            check_calc(desktop)
            check_writer(context, desktop, env, work)
        stop_office(desktop, office)
    finally:
        if office and office.poll() is None:
            office.kill()
        shutil.rmtree(work, ignore_errors=True)
    if failures:
        sys.exit(f"{len(failures)} checks failed")
    print("all checks passed")


if __name__ == "__main__":
    main()

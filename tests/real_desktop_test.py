#!/usr/bin/python3
"""The window on a real X desktop, seen from outside as a user sees it.

Starts its own Xvfb and openbox, runs the real stria against a throw-away home, and checks where
each window's frame lands, that every caption is exact, that the dialogs ask for a title and a
close box only and stay above the main window, that the tip counter reads whole on screen, what
the settings file keeps after a close through the close box, that a first run sets itself up and
writes nothing outside the data folder, that typed point sizes stay in their box, and that the
preview stays black on white under a dark scheme: none of this exists on the offscreen platform,
where windows have no frames.

Usage: real_desktop_test.py STRIA TIPS_FILE. Exits 77 (skipped) only when Xvfb cannot start.
"""

import os
import re
import select
import shutil
import subprocess
import sys
import tempfile
import time

from Xlib import X, display, error, protocol

SCREEN = (1600, 1200)
MAIN = "Make a bar code 93"
ABOUT_BLUE = (0x3B, 0x6F, 0xD1)  # the about button's circle; nothing else on the window has it


class Failure(Exception):
    pass


def wait_for(what, probe, timeout=15.0):
    deadline = time.monotonic() + timeout
    while not (result := probe()):
        if time.monotonic() > deadline:
            raise Failure("timed out waiting for " + what)
        time.sleep(0.05)
    return result


class Desktop:
    def __init__(self, home):
        self.home, self.processes = home, []
        for _ in range(3):
            if self.start_xvfb():
                break
        else:
            raise Failure("Xvfb did not start")
        self.root = self.x.screen().root
        self.run_in_background(["openbox", "--sm-disable"])
        wait_for("openbox", lambda: self.property(self.root, "_NET_SUPPORTING_WM_CHECK"))

    def start_xvfb(self):
        reader, writer = os.pipe()
        try:
            self.processes.append(subprocess.Popen(
                ["Xvfb", "-displayfd", str(writer), "-screen", "0", "%dx%dx24" % SCREEN,
                 "-nolisten", "tcp"], pass_fds=[writer], stderr=subprocess.DEVNULL))
        except OSError:
            return False
        os.close(writer)
        # The number comes first and its newline after: closing the pipe between the two would
        # end the server.
        number = b""
        while not number.endswith(b"\n") and select.select([reader], [], [], 20)[0]:
            number += os.read(reader, 16) or b"\n\n"
        os.close(reader)
        try:
            self.name = ":" + number.decode().strip()
            self.x = display.Display(self.name)
            return True
        except error.DisplayError:
            failed = self.processes.pop()
            failed.kill()
            failed.wait()
            return False

    def close(self):
        for process in reversed(self.processes):
            process.kill()
            process.wait()

    def run_in_background(self, command, env=None, **options):
        self.processes.append(subprocess.Popen(
            command, env=env or dict(os.environ, HOME=self.home, DISPLAY=self.name),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **options))
        return self.processes[-1]

    def run(self, *command, **options):
        return subprocess.run(command, env=dict(os.environ, DISPLAY=self.name), check=True,
                              **options)

    def property(self, window, name, kind=X.AnyPropertyType):
        value = window.get_full_property(self.x.intern_atom(name), kind)
        return value.value if value else None

    def title(self, window):
        value = self.property(window, "_NET_WM_NAME", self.x.intern_atom("UTF8_STRING"))
        return value.decode() if value is not None else None

    def clients(self, pid):
        """The process's managed windows, by title."""
        found = {}
        for wid in self.property(self.root, "_NET_CLIENT_LIST") or []:
            window = self.x.create_resource_object("window", wid)
            try:
                if list(self.property(window, "_NET_WM_PID") or []) == [pid]:
                    found[self.title(window)] = window
            except error.BadWindow:
                pass
        return found

    def frame(self, window):
        """The window's outer rectangle, frame included: x, y, width, height."""
        extents = self.property(window, "_NET_FRAME_EXTENTS")
        if extents is None or len(extents) != 4:
            return None
        left, right, top, bottom = extents
        inner, corner = window.get_geometry(), window.translate_coords(self.root, 0, 0)
        return (-corner.x - left, -corner.y - top, inner.width + left + right,
                inner.height + top + bottom)

    def pixels(self, x, y, width, height):
        raw = self.root.get_image(x, y, width, height, X.ZPixmap, 0xFFFFFFFF).data
        return [(i // 4 % width, i // 4 // width, (raw[i + 2], raw[i + 1], raw[i]))
                for i in range(0, len(raw), 4)]

    def find_words(self, x, y, width, height, *words):
        """Where OCR reads the words in a row in that part of the screen: x, y, width, height of
        the first."""
        shot = os.path.join(self.home, "words.png")
        self.run("import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, x, y),
                 "-resize", "200%", shot)
        rows = [line.split("\t") for line in self.run(
            "tesseract", shot, "-", "tsv", capture_output=True, text=True).stdout.splitlines()[1:]]
        read = [row for row in rows if len(row) == 12 and row[11].strip()]
        for at in range(len(read) - len(words) + 1):
            if [row[11] for row in read[at:at + len(words)]] == list(words):
                left, top, wide, high = (int(value) // 2 for value in read[at][6:10])
                return x + left, y + top, wide, high
        raise Failure("no %r on screen, only %s" % (" ".join(words), [row[11] for row in read]))

    def read_text(self, x, y, width, height):
        """What OCR reads in that part of the screen."""
        shot = os.path.join(self.home, "text.png")
        self.run("import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, x, y),
                 "-resize", "400%", shot)
        return self.run("tesseract", shot, "-", "--psm", "7", capture_output=True,
                        text=True).stdout.strip()


class Stria:
    """One run of the program with the given settings file, or with no data folder at all."""

    def __init__(self, desktop, program, settings, home=None, env=None):
        self.desktop = desktop
        home = home or desktop.home
        folder = os.path.join(home, "Documents", "Stria")
        self.settings_path = os.path.join(folder, "striatips.ini")
        if settings is not None:
            os.makedirs(folder, exist_ok=True)
            with open(self.settings_path, "w", encoding="utf-8") as file:
                file.write(settings)
        runtime = tempfile.mkdtemp(dir=desktop.home)
        self.process = desktop.run_in_background(
            [program], cwd=home, env=dict(env or {}, HOME=home, DISPLAY=desktop.name,
                                          XDG_RUNTIME_DIR=runtime, LANG="C.UTF-8",
                                          PATH=os.environ["PATH"]))

    def window(self, title):
        """The window titled exactly so, once it is on screen and has stopped moving."""
        def settled():
            window = self.desktop.clients(self.process.pid).get(title)
            if window is None or window.get_attributes().map_state != X.IsViewable:
                return None
            before = self.desktop.frame(window)
            time.sleep(0.2)
            return window if before and before == self.desktop.frame(window) else None
        try:
            return wait_for(title, settled)
        except Failure:
            raise Failure('no window titled "%s", only %s' % (title, sorted(
                map(str, self.desktop.clients(self.process.pid))))) from None

    def keys(self, window, keys):
        """Typed into the window once it has the focus: key names apart by spaces."""
        desktop = self.desktop
        wait_for("the focus in " + desktop.title(window), lambda: list(
            desktop.property(desktop.root, "_NET_ACTIVE_WINDOW") or []) == [window.id])
        desktop.run("xdotool", "key", "--clearmodifiers", *keys.split())

    def close(self, window):
        """Through the close box: the window manager's WM_DELETE_WINDOW."""
        atom = self.desktop.x.intern_atom
        window.send_event(protocol.event.ClientMessage(
            window=window, client_type=atom("WM_PROTOCOLS"),
            data=(32, [atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0])))
        self.desktop.x.flush()
        self.process.wait(timeout=15)

    def stored(self, *keys):
        with open(self.settings_path, encoding="utf-8") as file:
            text = file.read()
        return tuple(re.search(r"^%s=(.*)$" % key, text, re.M).group(1) for key in keys)

    def stored_position(self):
        return tuple(map(int, self.stored("Left", "Top")))


def tips(tips_file, **changes):
    with open(tips_file, encoding="utf-8") as file:
        text = file.read()
    for key, value in changes.items():
        text = re.sub(r"^%s=.*$" % key, "%s=%s" % (key, value), text, flags=re.M)
    return text


def offset(window, main):
    return window[0] - main[0], window[1] - main[1]


MWM_HINTS_FUNCTIONS, MWM_FUNC_ALL, MWM_FUNC_MINIMIZE, MWM_FUNC_MAXIMIZE = 1, 1, 8, 16


def dialog_frame_problems(desktop, dialog, main):
    """What makes the dialog less than a title-and-close-box window kept above the main one."""
    problems, name = [], desktop.title(dialog)
    actions = [desktop.x.get_atom_name(atom)
               for atom in desktop.property(dialog, "_NET_WM_ALLOWED_ACTIONS") or []]
    if {"_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT",
            "_NET_WM_ACTION_RESIZE"} & set(actions):
        problems.append("%s can be resized or maximised: %s" % (name, actions))
    # Openbox keeps "minimise" on every dialog whatever its hints say (and iconifies the whole
    # program with it): for minimising, what the program asks for is checked instead.
    flags, functions = (list(desktop.property(dialog, "_MOTIF_WM_HINTS") or []) + [0, 0])[:2]
    if not flags & MWM_HINTS_FUNCTIONS or functions & (
            MWM_FUNC_ALL | MWM_FUNC_MINIMIZE | MWM_FUNC_MAXIMIZE):
        problems.append("%s asks for a minimise or maximise box" % name)
    if list(desktop.property(dialog, "WM_TRANSIENT_FOR") or []) != [main.id]:
        problems.append("%s is not transient for the main window" % name)
    return problems


def position_survives_five_runs(desktop, program, tips_file):
    settings = tips(tips_file, Enabled=0) + "[Settings]\nLeft=300\nTop=200\n"
    for run in range(1, 6):
        stria = Stria(desktop, program, settings)
        main = stria.window(MAIN)
        placed = desktop.frame(main)[:2]
        stria.close(main)
        if placed != (300, 200) or stria.stored_position() != (300, 200):
            raise Failure("run %d: frame at %s, stored %s" % (run, placed,
                                                             stria.stored_position()))
        with open(stria.settings_path, encoding="utf-8") as file:
            settings = file.read()


def positions_stay_on_screen(desktop, program, tips_file):
    for stored, corner in (("Left=1400\nTop=1000", None), ("Data=x", (0, 0)),
                           ("Left=-3000\nTop=5000", None)):
        stria = Stria(desktop, program, tips(tips_file, Enabled=0) + "[Settings]\n" + stored)
        main = stria.window(MAIN)
        x, y, width, height = desktop.frame(main)
        stria.close(main)
        if not (0 <= x and 0 <= y and x + width <= SCREEN[0] and y + height <= SCREEN[1]) or (
                corner and (x, y) != corner):
            raise Failure("%s: the frame at %s" % (stored.split(), (x, y, width, height)))


def warning_lands_at_its_offset(desktop, program, tips_file):
    stria = Stria(desktop, program, "[Settings]\nLeft=300\nTop=200\n")  # no tips section
    warning = stria.window("Warning")
    main = stria.window(MAIN)
    at = offset(desktop.frame(warning), desktop.frame(main))
    problems = dialog_frame_problems(desktop, warning, main)
    stria.keys(warning, "Return")
    stria.close(main)
    if at != (100, 100):
        problems.append("the warning's frame at main window %+d/%+d" % at)
    if problems:
        raise Failure("; ".join(problems))


def dialogs_land_at_their_offsets(desktop, program, tips_file):
    """Each dialog on its first showing: its frame at its offset, its caption exact."""
    stria = Stria(desktop, program,
                  tips(tips_file, Position=9) + "[Settings]\nLeft=300\nTop=200\nData=ABC123\n")
    problems = []
    tip = stria.window("Tip of the Day")
    main = stria.window(MAIN)
    main_frame = desktop.frame(main)

    def check(window, expected):
        at = offset(desktop.frame(window), main_frame)
        if at != expected:
            problems.append("%s at main window %+d/%+d" % ((desktop.title(window),) + at))
        problems.extend(dialog_frame_problems(desktop, window, main))

    if not desktop.property(main, "_NET_WM_ICON"):
        problems.append("the main window has no icon")

    check(tip, (78, 100))
    stria.keys(tip, "alt+n")
    x, y, width, height = desktop.frame(tip)
    for _ in range(10):
        counter = desktop.read_text(x, y + height * 3 // 4, width, height // 4)
        if "Tip 11 of 24" in counter:
            break
        time.sleep(0.2)
    else:
        problems.append("the tip counter reads %r" % counter)
    stria.keys(tip, "Escape")
    stria.keys(main, "alt+m")
    stria.keys(main, "alt+c")
    note = stria.window("Clip Board Warning")
    problems.extend(dialog_frame_problems(desktop, note, main))
    centres = [(x + width // 2, y + height // 2)
               for x, y, width, height in (desktop.frame(note), main_frame)]
    if max(abs(a - b) for a, b in zip(*centres)) > 1:
        problems.append("the clipboard note centred at %s, the main window at %s" % centres)
    stria.keys(note, "Return")
    for keys, title, expected in (("alt+l", "Label Printing", (81, 25)),
                                  ("alt+e", "Convert to bmp, gif, jpg, or png", (55, 160))):
        stria.keys(main, keys)
        dialog = stria.window(title)
        check(dialog, expected)
        stria.keys(dialog, "Escape")
    blue = [(x, y) for x, y, pixel in desktop.pixels(*main_frame) if pixel == ABOUT_BLUE]
    if len(blue) < 20:
        raise Failure("no about button on the main window")
    columns, rows = (sorted(values) for values in zip(*blue))
    desktop.run("xdotool", "mousemove", str(main_frame[0] + columns[len(blue) // 2]),
                str(main_frame[1] + rows[len(blue) // 2]), "click", "1")
    about = stria.window("About")
    check(about, (129, 109))
    stria.keys(about, "Escape")
    stria.close(main)
    if problems:
        raise Failure("; ".join(problems))


def first_start_sets_itself_up(desktop, program, tips_file):
    """A first run puts the data folder in place as stria93 setup does and shows the tip of the
    day; the whole run, the file dialog included, writes nothing outside that folder."""
    home = tempfile.mkdtemp(dir=desktop.home)
    stria = Stria(desktop, program, None, home=home)
    stria.keys(stria.window("Tip of the Day"), "Escape")
    main = stria.window(MAIN)
    stria.keys(main, "A B C alt+m alt+e")
    export = stria.window("Convert to bmp, gif, jpg, or png")
    stria.keys(export, "alt+s")
    stria.keys(stria.window("Save As"), "Escape")
    stria.keys(export, "Escape")
    stria.close(main)
    written = sorted(os.path.relpath(os.path.join(folder, name), home)
                     for folder, _, names in os.walk(home) for name in names)
    data = os.path.join("Documents", "Stria")
    outside = [name for name in written if os.path.dirname(name) != data]
    missing = [name for name in ("striatips.ini", "lz161.rtf")
               if os.path.join(data, name) not in written]
    if outside or missing:
        raise Failure("the run wrote %s, and not %s" % (outside, missing))


def typing_a_point_size(desktop, program, tips_file):
    """Click into the point size, select all, type 250: each key reaches the box, the data stays,
    and the preview (as Copy puts it on the clipboard) is at 250 points."""
    stria = Stria(desktop, program, tips(tips_file, Enabled=0) +
                  "[Settings]\nLeft=300\nTop=200\nData=ABC123\n")
    main = stria.window(MAIN)
    stria.keys(main, "alt+m")
    x, y, width, height = desktop.frame(main)
    left, top, _, high = desktop.find_words(x, y, width, height // 3, "Point", "size")
    desktop.run("xdotool", "mousemove", str(left + 20), str(top + high + 20), "click", "1")
    stria.keys(main, "ctrl+a 2 5 0")
    stria.keys(main, "alt+c")
    stria.keys(stria.window("Clip Board Warning"), "Return")
    copied = desktop.run("xclip", "-selection", "clipboard", "-t", "text/rtf", "-o",
                         capture_output=True, text=True).stdout
    stria.close(main)
    stored = stria.stored("PointSize", "Data")
    if stored != ("250", "ABC123") or "\\fs500 (ABC123" not in copied.replace("\n", ""):
        raise Failure("stored %s, copied %r" % (stored, copied[-120:]))


def preview_is_paper_under_a_dark_scheme(desktop, program, tips_file):
    """Under a dark qt6ct scheme the preview shows black bars on white, and they scan."""
    config = tempfile.mkdtemp(dir=desktop.home)
    os.makedirs(os.path.join(config, "qt6ct"))
    with open(os.path.join(config, "qt6ct", "qt6ct.conf"), "w", encoding="utf-8") as file:
        file.write("[Appearance]\ncolor_scheme_path=/usr/share/qt6ct/colors/darker.conf\n"
                   "custom_palette=true\n")
    stria = Stria(desktop, program, tips(tips_file, Enabled=0) +
                  "[Settings]\nLeft=300\nTop=200\nData=ABC123\nPointSize=48\n",
                  env={"QT_QPA_PLATFORMTHEME": "qt6ct", "XDG_CONFIG_HOME": config})
    main = stria.window(MAIN)
    stria.keys(main, "alt+m")
    time.sleep(0.5)
    x, y, width, height = desktop.frame(main)
    pixels = desktop.pixels(x, y, width, height)
    if sum(pixels[width * height // 2][2]) > 3 * 128:
        raise Failure("the dark scheme did not take: %s" % (pixels[width * height // 2][2],))
    white = {}
    for _, row, pixel in pixels:
        white[row] = white.get(row, 0) + (pixel == (255, 255, 255))
    paper = [row for row, count in white.items() if count > width // 2]
    if not paper:
        raise Failure("no white preview on the window")
    shot = os.path.join(desktop.home, "preview.png")
    desktop.run("import", "-window", "root", "-crop", "%dx%d+%d+%d" % (
        width, max(paper) - min(paper) + 1, x, y + min(paper)), shot)
    scanned = subprocess.run(["zbarimg", "-q", "--raw", shot], capture_output=True,
                             text=True).stdout.strip()
    stria.close(main)
    if scanned != "ABC123":
        raise Failure("the preview scans as %r" % scanned)


def main():
    program, tips_file = map(os.path.abspath, sys.argv[1:3])
    home = tempfile.mkdtemp(prefix="stria-desktop-")
    try:
        desktop = Desktop(home)
    except Failure as failure:
        print("SKIPPED: no X server for the real-desktop tests: %s" % failure)
        shutil.rmtree(home)
        return 77
    failures = 0
    try:
        for check in (position_survives_five_runs, positions_stay_on_screen,
                      warning_lands_at_its_offset, dialogs_land_at_their_offsets,
                      first_start_sets_itself_up, typing_a_point_size,
                      preview_is_paper_under_a_dark_scheme):
            try:
                check(desktop, program, tips_file)
                print("PASS   " + check.__name__)
            except (Failure, error.XError, subprocess.TimeoutExpired) as failure:
                failures += 1
                print("FAIL!  %s: %s" % (check.__name__, failure))
            for process in desktop.processes[2:]:
                process.kill()
                process.wait()
            del desktop.processes[2:]
    finally:
        desktop.close()
        shutil.rmtree(home, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

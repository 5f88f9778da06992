#!/usr/bin/python3
"""The window on a Wayland desktop: weston's headless backend, with and without XWayland.

With Qt's Wayland plugin the window starts natively, and its close leaves the stored Left and
Top as they were: Wayland tells a window neither where it is nor lets it choose. Without the
plugin (a plugin folder that lacks it) and with XWayland, the window starts through xcb instead
of aborting. Nothing can click a headless compositor: the close is the session's SIGTERM.

Usage: wayland_desktop_test.py STRIA TIPS_FILE. Exits 77 (skipped) only when weston cannot
start.
"""

import glob
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from Xlib import display

MAIN = "Make a bar code 93"
STORED = "[Settings]\nLeft=300\nTop=200\nData=ABC123\n"


class Failure(Exception):
    pass


def wait_for(probe, timeout=15.0):
    deadline = time.monotonic() + timeout
    while not (result := probe()) and time.monotonic() < deadline:
        time.sleep(0.1)
    return result


class Weston:
    def __init__(self, runtime, xwayland):
        self.socket, log = "stria-test-%d" % os.getpid(), os.path.join(runtime, "weston.log")
        if os.path.exists(log):
            os.remove(log)
        # XWayland's socket folder, which only an X server made so far.
        os.makedirs("/tmp/.X11-unix", mode=0o1777, exist_ok=True)
        self.process = subprocess.Popen(
            ["weston", "--backend=headless-backend.so", "--socket=" + self.socket,
             "--idle-time=0", "--log=" + log] + (["--xwayland"] if xwayland else []),
            env=dict(os.environ, XDG_RUNTIME_DIR=runtime), stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        started = wait_for(lambda: self.process.poll() is not None or os.path.exists(
            os.path.join(runtime, self.socket)))
        self.running = started and self.process.poll() is None
        self.display = None
        if self.running and xwayland:
            def listening():
                with open(log, encoding="utf-8", errors="replace") as file:
                    found = re.search(r"xserver listening on display (:\d+)", file.read())
                return found and found.group(1)
            self.display = wait_for(listening)

    def close(self):
        self.process.terminate()
        self.process.wait()


def run(program, home, runtime, weston, settings, **env):
    """One run until the session ends it; the settings file as the close left it."""
    folder = os.path.join(home, "Documents", "Stria")
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, "striatips.ini")
    with open(path, "w", encoding="utf-8") as file:
        file.write(settings)
    stria = subprocess.Popen(
        [program], cwd=home, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True,
        env=dict(env, HOME=home, XDG_RUNTIME_DIR=runtime, WAYLAND_DISPLAY=weston.socket,
                 XDG_SESSION_TYPE="wayland", LANG="C.UTF-8", PATH=os.environ["PATH"]))
    if weston.display:
        on_x = display.Display(weston.display)
        def mapped():
            # The client window, or inside the frame weston's window manager gives it.
            for window in on_x.screen().root.query_tree().children:
                for client in [window] + window.query_tree().children:
                    if client.get_wm_name() == MAIN:
                        return True
            return stria.poll() is not None
        wait_for(mapped)
    else:
        time.sleep(3)
    if stria.poll() is not None:
        raise Failure("stria ended with status %d: %s" % (stria.returncode,
                                                          stria.stderr.read().strip()))
    stria.send_signal(signal.SIGTERM)
    if stria.wait(timeout=15) != 0:
        raise Failure("stria ended with status %d after SIGTERM" % stria.returncode)
    with open(path, encoding="utf-8") as file:
        return file.read()


def native_close_keeps_the_position(program, home, runtime, tips):
    weston = Weston(runtime, xwayland=False)
    if not weston.running:
        return None
    try:
        written = run(program, home, runtime, weston, tips + STORED)
    finally:
        weston.close()
    # Width and Height show that the close routine ran.
    if not all(re.search("^%s$" % line, written, re.M)
               for line in ("Left=300", "Top=200", r"Width=\d+", r"Height=\d+")):
        raise Failure("the close wrote %r" % written[written.find("[Settings]"):])
    return True


def without_the_plugin_xwayland_takes_over(program, home, runtime, tips):
    weston = Weston(runtime, xwayland=True)
    if not weston.running:
        return None
    plugins = tempfile.mkdtemp(dir=home)
    for plugin in glob.glob("/usr/lib/*/qt6/plugins/platforms/*.so"):
        if "wayland" not in os.path.basename(plugin):
            os.symlink(plugin, os.path.join(plugins, os.path.basename(plugin)))
    try:
        if not weston.display:
            raise Failure("weston started no XWayland")
        run(program, home, runtime, weston, tips + STORED, DISPLAY=weston.display,
            QT_QPA_PLATFORM_PLUGIN_PATH=plugins)
    finally:
        weston.close()
    return True


def main():
    program, tips_file = map(os.path.abspath, sys.argv[1:3])
    with open(tips_file, encoding="utf-8") as file:
        tips = re.sub(r"^Enabled=.*$", "Enabled=0", file.read(), flags=re.M)
    home = tempfile.mkdtemp(prefix="stria-wayland-")
    runtime = os.path.join(home, "runtime")
    os.mkdir(runtime, 0o700)
    failures = 0
    try:
        for check in (native_close_keeps_the_position, without_the_plugin_xwayland_takes_over):
            try:
                if check(program, home, runtime, tips) is None:
                    print("SKIPPED: weston did not start")
                    return 77
                print("PASS   " + check.__name__)
            except (Failure, subprocess.TimeoutExpired) as failure:
                failures += 1
                print("FAIL!  %s: %s" % (check.__name__, failure))
    finally:
        shutil.rmtree(home, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

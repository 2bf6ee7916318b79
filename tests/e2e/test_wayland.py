#!/usr/bin/env python3
"""The built program on Wayland: weston drawing its desktop into a window of a private X
display, where the test reads the screen and uses the mouse as a user would."""

import array
import collections
import os
import shutil
import signal
import subprocess
import tempfile
import unittest

import harness

SCREEN = (1200, 900)
# weston's desktop, in the 32-bit pixels of the screen (blue first, the last byte left out).
DESKTOP = 0x204060


class Wayland(unittest.TestCase):

    def setUp(self):
        harness.DisplayWithWindowManager.use(self, "%dx%d" % SCREEN, manager=False)
        scratch = tempfile.mkdtemp(prefix="zel-wayland-")
        self.addCleanup(shutil.rmtree, scratch, ignore_errors=True)
        runtime = os.path.join(scratch, "runtime")
        os.makedirs(runtime, mode=0o700)
        config = os.path.join(scratch, "weston.ini")
        with open(config, "w") as f:
            f.write(f"[core]\nidle-time=0\n[shell]\nbackground-color=0xff{DESKTOP:06x}\n"
                    "panel-position=none\n")
        self.socket = os.path.join(runtime, "wayland-zel")
        weston = subprocess.Popen(
            ["weston", "--backend=x11-backend.so", "--use-pixman", f"--config={config}",
             "--socket=wayland-zel", "--width=%d" % SCREEN[0], "--height=%d" % SCREEN[1]],
            env=dict(os.environ, XDG_RUNTIME_DIR=runtime, HOME=scratch),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(weston.wait, 10)
        self.addCleanup(weston.terminate)
        harness.wait_until("weston's socket", lambda: os.path.exists(self.socket))

    def start(self):
        session = harness.Session(harness.ProgramTest.program_path, env={
            "QT_QPA_PLATFORM": "wayland", "WAYLAND_DISPLAY": self.socket, "DISPLAY": None})
        self.addCleanup(session.close)
        session.site.wait_for_loaded_title("Computer Technology News")
        return session.program

    def test_first_page_and_nothing_written(self):
        program = self.start()
        program.process.send_signal(signal.SIGTERM)
        self.assertEqual(program.wait_for_exit(), 0, program.log())
        written = [os.path.join(place, name) for top in (program.home, program.runtime)
                   for place, folders, names in os.walk(top) for name in names + folders]
        self.assertEqual(written, [])

    def test_title_bar_moves_and_closes_the_window(self):
        program = self.start()
        left, top, _, _ = harness.wait_until("the window on the desktop at its outer size",
                                             window_shown)
        title = harness.read_screen(0, 0, 889, 30, origin=(left, top))
        self.assertIn("Zel Tidewell", title)
        self.assertIn("www.zelsoft.example", title)

        # Dragged by its title bar, the window follows the mouse. The drag starts once weston
        # has the program's request for it: until the window moves, the mouse goes on moving a
        # pixel to and fro.
        x, y = left + 300, top + 14
        subprocess.run(["xdotool", "mousemove", str(x), str(y), "mousedown", "1"], check=True)
        nudge = [0]

        def following():
            nudge[0] ^= 1
            subprocess.run(["xdotool", "mousemove", str(x + nudge[0]), str(y)], check=True)
            rect = window_on_desktop()
            return rect[:2] != (left, top) and rect
        start = harness.wait_until("the drag to begin", following)
        shift = (100 if left < 150 else -100, 50 if top < 130 else -50)
        subprocess.run(["xdotool", "mousemove", str(x + nudge[0] + shift[0]), str(y + shift[1]),
                        "mouseup", "1"], check=True)
        # (The screen read last may lag the last nudge by its pixel.)
        moved = (start[0] + shift[0], start[1] + shift[1])
        try:
            moved = harness.wait_until("the window where it was dragged",
                                       lambda: window_shown(near=moved))
        except AssertionError:
            self.fail(f"dragged from {start} to {moved}, the window lies at {window_on_desktop()}")

        # The close button lies 18 pixels in from the title bar's right end.
        subprocess.run(["xdotool", "mousemove", str(moved[0] + 889 - 18), str(moved[1] + 14),
                        "click", "1"], check=True)
        self.assertEqual(program.wait_for_exit(), 0, program.log())

    def test_where_x11_is_there_too_it_runs_there_at_its_place(self):
        # As a Wayland desktop with XWayland starts it: both displays named, no platform chosen.
        session = harness.Session(harness.ProgramTest.program_path, env={
            "QT_QPA_PLATFORM": None, "WAYLAND_DISPLAY": self.socket})
        self.addCleanup(session.close)
        x, _, width, height = harness.geometry(session.program.window())
        self.assertEqual((x, width, height), (harness.CLIENT_ORIGIN[0], 889, 641))
        # The banner at the top-left corner of the client area, which lies at its place.
        harness.wait_until("the banner at the client area's place", lambda: "Zel Tidewell" in
                           harness.read_screen(0, 0, 400, 80))


def window_shown(near=None):
    """The window's rectangle once it lies on the desktop at its outer size of 889x641 (and
    within a pixel of the place near, where given)."""
    rect = window_on_desktop()
    if not rect or rect[2:] != (889, 641):
        return None
    if near and (abs(rect[0] - near[0]) > 1 or abs(rect[1] - near[1]) > 1):
        return None
    return rect


def window_on_desktop():
    """(left, top, width, height) of the one window on weston's desktop, read from the screen:
    the rows with more than a few hundred pixels that are not the desktop are the window's (the
    mouse pointer, where it lies, does not make one), and most of them end where it does."""
    rows = []
    for y, line in enumerate(harness.grab(0, 0, *SCREEN)):
        pixels = array.array("I", line)
        inside = [x for x, pixel in enumerate(pixels) if pixel & 0xFFFFFF != DESKTOP]
        if len(inside) > 300:
            rows.append((y, inside[0], inside[-1]))
    if not rows:
        return None
    left = collections.Counter(row[1] for row in rows).most_common(1)[0][0]
    right = collections.Counter(row[2] for row in rows).most_common(1)[0][0]
    return left, rows[0][0], right - left + 1, rows[-1][0] - rows[0][0] + 1


if __name__ == "__main__":
    harness.main()

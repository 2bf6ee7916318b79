#!/usr/bin/env python3
"""The built program on Wayland: weston drawing its desktop into a window of a private X
display, where the test reads the screen and uses the mouse as a user would."""

import array
import collections
import os
import re
import shutil
import signal
import subprocess
import tempfile
import unittest

import harness

# weston's desktop, drawn at the top-left of a larger X screen: its pointer is placed only by
# the X pointer crossing into its window (see place_pointer).
SCREEN = (1200, 900)
X_SCREEN = (1300, 1000)
# weston's desktop, in the 32-bit pixels of the screen (blue first, the last byte left out).
DESKTOP = 0x204060
# The About dialog's outer size with Qt's title bar, and where its buttons lie from its right
# end: close 17, maximise 40 and minimise 63 pixels in, 15 down.
ABOUT = (388, 270)


class Wayland(unittest.TestCase):

    def setUp(self):
        harness.DisplayWithWindowManager.use(self, "%dx%d" % X_SCREEN, manager=False)
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

    def start(self, env=None):
        session = harness.Session(harness.ProgramTest.program_path, env=dict({
            "QT_QPA_PLATFORM": "wayland", "WAYLAND_DISPLAY": self.socket, "DISPLAY": None},
            **(env or {})))
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
        place_pointer(x, y)
        subprocess.run(["xdotool", "mousedown", "1"], check=True)
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
        place_pointer(moved[0] + 889 - 18, moved[1] + 14)
        subprocess.run(["xdotool", "click", "1"], check=True)
        self.assertEqual(program.wait_for_exit(), 0, program.log())

    def test_the_about_dialog_left_alone_is_never_lost(self):
        # The main window closed, the About dialog keeps the program running while it shows:
        # neither minimised (it would have no way back on this desktop, which has no taskbar)
        # nor maximised (Qt's title bar offers both, whatever the dialog asks for).
        program = self.start({"WAYLAND_DEBUG": "1"})  # its requests to weston, logged
        main = harness.wait_until("the window on the desktop", window_shown)
        alone = harness.grab(0, 0, *SCREEN)
        place_pointer(main[0] + 400, main[1] + 300)
        subprocess.run(["xdotool", "click", "1", "key", "alt+h", "a"], check=True)
        # Wherever weston puts it, a dialog's worth of the screen changes.
        harness.wait_until("the About dialog", lambda: sum(
            a != b for a, b in zip(alone, harness.grab(0, 0, *SCREEN))) > 100)
        place_pointer(main[0] + 889 - 18, main[1] + 14)
        subprocess.run(["xdotool", "click", "1"], check=True)
        about = harness.wait_until("the About dialog alone", about_shown)
        place_pointer(about[0] + ABOUT[0] - 63, about[1] + 15)
        subprocess.run(["xdotool", "click", "1"], check=True)
        # Minimised, it is made a window again.
        harness.wait_until("the About dialog minimised and made again", lambda: re.search(
            r"set_minimized\(\).*get_toplevel", program.log(), re.DOTALL))
        about = harness.wait_until("the About dialog back", about_shown)
        # Maximised, it is given its own size back (keeping it on the whole screen's size
        # would be a protocol error, the end of the program).
        place_pointer(about[0] + ABOUT[0] - 40, about[1] + 15)
        subprocess.run(["xdotool", "click", "1"], check=True)
        harness.wait_until("the About dialog maximised and given its size back", lambda: re.search(
            r"set_maximized\(\).*unset_maximized\(\)", program.log(), re.DOTALL))
        about = harness.wait_until("the About dialog at its size", about_shown)
        self.assertIsNone(program.process.poll(), program.log()[-2000:])
        place_pointer(about[0] + ABOUT[0] - 17, about[1] + 15)
        subprocess.run(["xdotool", "click", "1"], check=True)
        self.assertEqual(program.wait_for_exit(), 0, program.log())

    def test_a_graphics_setting_without_opengl_is_drawn_in_software(self):
        program = self.start({"QT_WAYLAND_CLIENT_BUFFER_INTEGRATION": "none"})
        harness.wait_until("the window on the desktop", window_shown)
        self.assertIsNone(program.process.poll(), program.log())

    def test_where_x11_cannot_serve_it_runs_on_wayland(self):
        # An X server that accepts and never answers (stopped), and a screen it does not have.
        stopped = harness.DisplayWithWindowManager(manager=False)
        self.addCleanup(stopped.close)
        stopped.xvfb.send_signal(signal.SIGSTOP)
        self.addCleanup(stopped.xvfb.send_signal, signal.SIGCONT)
        for display in (stopped.display, os.environ["DISPLAY"] + ".3"):
            with self.subTest(display=display):
                program = self.start({"QT_QPA_PLATFORM": None, "DISPLAY": display})
                harness.wait_until("the window on weston's desktop", window_shown)
                program.process.send_signal(signal.SIGTERM)
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


def place_pointer(x, y):
    """Moves the X pointer out of weston's window and then to x, y on its desktop: weston
    places its own pointer only where the X pointer enters its window (a motion inside moves it
    by the difference only, from a place it may never have had)."""
    subprocess.run(["xdotool", "mousemove", str(SCREEN[0] + 50), str(SCREEN[1] + 50),
                    "mousemove", str(x), str(y)], check=True)


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
    return rectangle_of(lambda y, pixels: [x for x, pixel in enumerate(pixels)
                                           if pixel & 0xFFFFFF != DESKTOP], 300)


def about_shown():
    """The About dialog's rectangle, where it is the one window on the desktop."""
    rect = window_on_desktop()
    return rect if rect and rect[2:] == ABOUT else None


def rectangle_of(columns, least):
    """(left, top, width, height) of the rectangle on weston's desktop made of the rows in
    which columns(y, pixels) gives more than least places; most of them begin and end where
    the rectangle does."""
    rows = []
    for y, line in enumerate(harness.grab(0, 0, *SCREEN)):
        inside = columns(y, array.array("I", line))
        if len(inside) > least:
            rows.append((y, inside[0], inside[-1]))
    if not rows:
        return None
    left = collections.Counter(row[1] for row in rows).most_common(1)[0][0]
    right = collections.Counter(row[2] for row in rows).most_common(1)[0][0]
    return left, rows[0][0], right - left + 1, rows[-1][0] - rows[0][0] + 1


if __name__ == "__main__":
    harness.main()

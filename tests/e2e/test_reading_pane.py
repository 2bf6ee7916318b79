#!/usr/bin/env python3
"""Inside the web view as a reader uses it in the main window: the browsing keys, find, zoom,
printing to a file, a page's source, a stopped page, and a page saved from the context menu."""

import os
import re
import signal
import subprocess

import harness

SITE = harness.SITE
FIRST = "Computer Technology News"
# The web view in the client area (0, 216, 882 x 374 pixels), its heading, and its find bar.
PANE = (0, 216, 882, 374)
HEADING = (0, 216, 866, 80)
FIND_BAR = (0, 216 + 374 - 32, 882, 32)
# A point inside the web view below its pictures, and one in its right margin.
IN_PAGE = (600, 450)
IN_MARGIN = (860, 450)
# A point of the Publisher Home banner picture, and its blue.
IN_BANNER = (300, 300)
BLUE = (0x0B, 0x3D, 0x6E)
LIST2_FIRST_ROW = (352 + 60, 112 + 9)


def renderers(program):
    """The program's renderer processes: the engine's processes that its zygote started."""
    rows = [line.split(None, 2) for line in subprocess.run(
        ["ps", "-eo", "pid,ppid,comm"], capture_output=True, text=True).stdout.splitlines()[1:]]
    engine = {int(pid): int(parent) for pid, parent, name in rows
              if name.startswith("QtWebEngine")}
    zygotes = {pid for pid, parent in engine.items() if parent == program.process.pid}
    return [pid for pid, parent in engine.items() if parent in zygotes]


def steadily(read):
    """What read() gives twice in a row, once it gives something."""
    def probe():
        first = read()
        return first if first and first == read() else None
    return probe


class ReadingPane(harness.ProgramTest):

    def loads(self, title):
        return self.site.requests().count("GET " + harness.loaded_url(title))

    def context_menu(self, at, key):
        """Right-clicks at a point of the page until its context menu is up (a page only just
        loaded may not take the click yet), then chooses the item of that key."""
        x, y = harness.CLIENT_ORIGIN
        shown = len(harness.windows_named(self.program.process.pid, ""))

        def up():
            if len(harness.windows_named(self.program.process.pid, "")) > shown:
                return True
            subprocess.run(["xdotool", "mousemove", str(x + at[0]), str(y + at[1]),
                            "click", "3"], check=True)
            return False
        harness.wait_until("the context menu", up, interval=0.5)
        subprocess.run(["xdotool", "key", key], check=True)

    def test_browsing_keys(self):
        harness.press_keys(self.window, "F5")
        harness.wait_until("the page asked for again", lambda: self.loads(FIRST) == 2)
        harness.press_keys(self.window, "alt+o", "h")
        self.site.wait_for_loaded_title("Zelsoft Publisher Home")
        harness.press_keys(self.window, "alt+Left")
        harness.wait_until("the first page again", lambda: self.loads(FIRST) == 3)

    def test_a_page_whose_renderer_was_killed_says_so(self):
        for pid in renderers(self.program):
            os.kill(pid, signal.SIGKILL)
        notice = harness.wait_until("the notice", lambda: re.search(
            r"This page stopped\.\s+Choose a page, or Refresh to load it again\.",
            harness.read_screen(*PANE)))
        self.assertTrue(notice)
        harness.press_keys(self.window, "F5")
        harness.wait_until("the page again", lambda: self.loads(FIRST) == 2)

    def test_find_starts_at_the_first_match(self):
        def count():
            # The lettering is small for OCR: an "o" may be read as a "0".
            return harness.wait_until("the count", steadily(lambda: re.findall(
                r"(\d+) ?[o0] ?f ?(\d+)", harness.read_screen(*FIND_BAR, line_of="0123456789of "))))
        # Also once an earlier search has left its second match selected.
        for keys in (("ctrl+f",), ("Escape", "ctrl+f")):
            harness.press_keys(self.window, *keys)
            subprocess.run(["xdotool", "type", "--delay", "50", "the"], check=True)
            self.assertEqual(count()[0][0], "1")
            harness.press_keys(self.window, "F3")
            harness.wait_until("the second match", lambda: count()[0][0] == "2")

    def test_back_from_a_page_source_shows_the_page(self):
        harness.click_at(*harness.LIST1_THIRD_ROW)
        harness.click_at(*harness.LIST2_SECOND_ROW)
        self.site.wait_for_loaded_title("Tennis Tournaments News")
        harness.click_at(*LIST2_FIRST_ROW)
        self.site.wait_for_loaded_title("Golf Tournaments News")
        self.context_menu(IN_MARGIN, "s")  # View Page Source
        harness.wait_until("the source", lambda: "<head>" in harness.read_screen(*PANE))
        # The keys work at once, without a click into the page first.
        harness.press_keys(self.window, "alt+Left")
        harness.wait_until("the page again",
                           lambda: self.loads("Golf Tournaments News") == 2)
        self.assertEqual(self.loads("Tennis Tournaments News"), 1)

    def test_zoom_keys_change_and_restore_the_page(self):
        def width():
            words = [box for box in harness.read_screen(*HEADING, boxes=True)
                     if box[0] == "Technology"]
            return words[0][3] if words else None
        before = harness.wait_until("the heading", width)
        harness.press_keys(self.window, "ctrl+plus")
        harness.wait_until("a larger heading", lambda: (width() or 0) > before + 8)
        harness.press_keys(self.window, "ctrl+0", "ctrl+minus")
        harness.wait_until("a smaller heading", lambda: 0 < (width() or 0) < before - 8)
        harness.press_keys(self.window, "ctrl+0")
        harness.wait_until("the heading as before", lambda: abs((width() or 0) - before) <= 4)

    def test_print_to_file_writes_the_page_as_text(self):
        harness.press_keys(self.window, "ctrl+p")
        harness.press_keys(self.program.window("^Print$"), "Return")
        # The dialog offers the page's title as the name, in the home folder.
        pdf = os.path.join(self.program.home, FIRST + ".pdf")
        harness.wait_until("the page's text in the PDF", lambda: os.path.isfile(pdf) and (
            "Harrowgate Labs shows a laptop chip" in subprocess.run(
                ["pdftotext", pdf, "-"], capture_output=True, text=True).stdout))

    def test_a_page_saved_whole_opens_again_with_its_pictures(self):
        harness.press_keys(self.window, "alt+o", "h")
        self.site.wait_for_loaded_title("Zelsoft Publisher Home")
        self.context_menu(IN_PAGE, "a")  # Save Page As
        harness.press_keys(self.program.window("^Save Download$"), "Return")
        downloads = os.path.join(self.program.home, "Downloads")
        page = os.path.join(downloads, "Zelsoft Publisher Home.htm")
        parts = os.path.join(downloads, "Zelsoft Publisher Home_files")
        harness.wait_until("the saved page", lambda: os.path.isfile(page) and os.path.isdir(parts))
        self.assertEqual(sorted(os.listdir(downloads)),
                         ["Zelsoft Publisher Home.htm", "Zelsoft Publisher Home_files"])
        harness.press_keys(self.window, "alt+o", "c")  # another page first: the picture goes
        self.site.wait_for_loaded_title("Zelsoft Catalog")
        harness.open_file(self.program, self.window, page)
        harness.wait_until("the saved page's picture",
                           lambda: harness.client_pixel(*IN_BANNER) == BLUE, interval=0.1)


if __name__ == "__main__":
    harness.main()

#!/usr/bin/env python3
"""Inside the web view as a reader uses it in the main window: the browsing keys, printing to a
file, a page's source, a stopped page, and a page saved from the context menu. (The find bar,
zoom and the bars over the pane are tested with the view in a host, tst_reader_pane.)"""

import array
import os
import signal
import subprocess

import harness

SITE = harness.SITE
FIRST = "Computer Technology News"
# A point inside the web view below its pictures, and one in its right margin.
IN_PAGE = (600, 450)
IN_MARGIN = (860, 450)
# A point of the Publisher Home banner picture, and its blue.
IN_BANNER = (300, 300)
BLUE = (0x0B, 0x3D, 0x6E)
LIST2_FIRST_ROW = (352 + 60, 112 + 9)
# A point near the web view's left edge, where a page's source shows its line numbers' grey.
AT_LEFT = (5, 400)
LINE_NUMBERS = (240, 240, 240)
# The window's grey and lettering, which a stopped page's notice has across the pane's middle.
WINDOW_GREY, LETTERING = 0x808080, 0xE0E0E0


def renderers(program):
    """The program's renderer processes: the engine's processes that its zygote started."""
    rows = [line.split(None, 2) for line in subprocess.run(
        ["ps", "-eo", "pid,ppid,comm"], capture_output=True, text=True).stdout.splitlines()[1:]]
    engine = {int(pid): int(parent) for pid, parent, name in rows
              if name.startswith("QtWebEngine")}
    zygotes = {pid for pid, parent in engine.items() if parent == program.process.pid}
    return [pid for pid, parent in engine.items() if parent in zygotes]


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
        def notice():
            pixels = [pixel & 0xFFFFFF for row in harness.grab(
                harness.CLIENT_ORIGIN[0], harness.CLIENT_ORIGIN[1] + 216 + 150, 882, 80)
                for pixel in array.array("I", row)]
            return pixels.count(WINDOW_GREY) > len(pixels) // 2 and pixels.count(LETTERING) > 100
        harness.wait_until("the notice in the window's grey and lettering", notice, interval=0.1)
        harness.press_keys(self.window, "F5")
        harness.wait_until("the page again", lambda: self.loads(FIRST) == 2)

    def test_back_from_a_page_source_shows_the_page(self):
        harness.click_at(*harness.LIST1_THIRD_ROW)
        harness.click_at(*harness.LIST2_SECOND_ROW)
        self.site.wait_for_loaded_title("Tennis Tournaments News")
        harness.click_at(*LIST2_FIRST_ROW)
        self.site.wait_for_loaded_title("Golf Tournaments News")
        self.context_menu(IN_MARGIN, "s")  # View Page Source
        harness.wait_until("the source with its line numbers",
                           lambda: harness.client_pixel(*AT_LEFT) == LINE_NUMBERS, interval=0.1)
        # The keys work at once, without a click into the page first.
        harness.press_keys(self.window, "alt+Left")
        harness.wait_until("the page again",
                           lambda: self.loads("Golf Tournaments News") == 2)
        self.assertEqual(self.loads("Tennis Tournaments News"), 1)

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

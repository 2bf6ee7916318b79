#!/usr/bin/env python3
"""Inside the web view: the browsing keys, printing, and a page saved from the context menu."""

import os
import subprocess

import harness

SITE = harness.SITE
# A point inside the web view (0, 216 in the client area, 882 x 374 pixels) below its pictures.
IN_PAGE = (600, 450)
# A point of the Publisher Home banner picture, and its blue.
IN_BANNER = (300, 300)
BLUE = (0x0B, 0x3D, 0x6E)


class ReadingPane(harness.ProgramTest):

    def loads(self, title):
        return self.site.requests().count("GET " + harness.loaded_url(title))

    def test_browsing_keys(self):
        first = "Computer Technology News"
        harness.press_keys(self.window, "F5")
        harness.wait_until("the page asked for again", lambda: self.loads(first) == 2)
        harness.press_keys(self.window, "alt+o", "h")
        self.site.wait_for_loaded_title("Zelsoft Publisher Home")
        harness.press_keys(self.window, "alt+Left")
        harness.wait_until("the first page again", lambda: self.loads(first) == 3)

    def test_ctrl_p_brings_up_the_print_dialog(self):
        harness.press_keys(self.window, "ctrl+p")
        dialog = self.program.window("^Print$")
        harness.press_keys(dialog, "Escape")
        harness.wait_until("the dialog gone", lambda: not harness.windows_named(
            self.program.process.pid, "^Print$"))

    def test_a_page_saved_whole_opens_again_with_its_pictures(self):
        harness.press_keys(self.window, "alt+o", "h")
        self.site.wait_for_loaded_title("Zelsoft Publisher Home")
        x, y = harness.CLIENT_ORIGIN
        shown = len(harness.windows_named(self.program.process.pid, ""))

        def context_menu():
            """Right-clicks the page until its context menu is up (a page only just loaded may
            not take the click yet)."""
            if len(harness.windows_named(self.program.process.pid, "")) > shown:
                return True
            subprocess.run(["xdotool", "mousemove", str(x + IN_PAGE[0]), str(y + IN_PAGE[1]),
                            "click", "3"], check=True)
            return False
        harness.wait_until("the context menu", context_menu, interval=0.5)
        subprocess.run(["xdotool", "key", "a"], check=True)  # Save Page As
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

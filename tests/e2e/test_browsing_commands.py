#!/usr/bin/env python3
"""Open, Previous, Next, About and Close of the built program, driven from the keyboard."""

import os

import harness

SITE = harness.SITE

# A point inside the web view: it lies at 0, 216 in the client area, 882 x 374 pixels.
IN_WEB_VIEW = (400, 500)


class BrowsingCommands(harness.ProgramTest):

    def test_open_shows_a_saved_page_whose_name_needs_care(self):
        folder = os.path.join(self.session.workdir, "saved pages")
        os.makedirs(folder)
        path = os.path.join(folder, "news #1 – Zürich café.htm")
        with open(path, "w", encoding="utf-8") as f:
            f.write("<!DOCTYPE html><title>Saved news</title>"
                    "<style>html, body { margin: 0; height: 100%; background: #3a7d2c; }</style>")
        harness.open_file(self.program, self.window, path)
        harness.wait_until("the saved page in the web view",
                           lambda: harness.client_pixel(*IN_WEB_VIEW) == (0x3A, 0x7D, 0x2C),
                           interval=0.1)
        self.assertEqual(harness.windows_named(self.program.process.pid,
                                               "^Browse for offline web pages$"), [])

    def test_previous_and_next_walk_the_history(self):
        first = f"GET {SITE}computer_technology.htm"
        harness.press_keys(self.window, "alt+v", "p")  # nothing earlier: nothing happens
        harness.press_keys(self.window, "alt+o", "c")  # Publisher Catalog
        self.site.wait_for_loaded_title("Zelsoft Catalog")
        harness.press_keys(self.window, "alt+v", "p")
        harness.wait_until("the first page again",
                           lambda: self.site.requests().count(first) == 2)
        self.site.wait_for_request(f"GET {SITE}__loaded?title=Computer%20Technology%20News")
        harness.press_keys(self.window, "alt+v", "n")
        harness.wait_until("the catalogue again", lambda: self.site.requests().count(
            f"GET {SITE}catalog.htm") == 2)
        self.assertEqual(self.program.process.poll(), None)

    def test_close_with_an_about_dialog_open_keeps_running_until_it_closes(self):
        harness.press_keys(self.window, "alt+h", "a")
        about = self.program.window("^About Zel Tidewell$")
        harness.press_keys(self.window, "alt+f", "c")
        harness.wait_until("the main window gone", lambda: not harness.windows_named(
            self.program.process.pid, "^Zel Tidewell "))
        self.assertIsNone(self.program.process.poll())
        harness.press_keys(about, "Escape")
        self.assertEqual(self.program.wait_for_exit(), 0, self.program.log())


if __name__ == "__main__":
    harness.main()

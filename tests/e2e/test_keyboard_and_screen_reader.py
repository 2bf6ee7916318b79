#!/usr/bin/env python3
"""The built program from the keyboard alone, and as a screen reader sees it over AT-SPI."""

import os
import subprocess
import unittest

import harness
from gi.repository import GLib

SITE = harness.SITE


def keys(*names):
    """Keys pressed wherever the keyboard is now, as a user types them."""
    subprocess.run(["xdotool", "key", "--delay", "80", *names], check=True)


class Keyboard(harness.ProgramTest):

    def test_keys_reach_the_window_right_after_file_open(self):
        path = os.path.join(self.session.workdir, "saved.htm")
        with open(path, "w", encoding="utf-8") as f:
            f.write("<!DOCTYPE html><title>Saved</title><p>Saved news</p>")
        harness.open_file(self.program, self.window, path)
        harness.wait_until("the dialog gone", lambda: not harness.windows_named(
            self.program.process.pid, "^Browse for offline web pages$"))
        keys("alt+h", "a")
        self.program.window("^About Zel Tidewell$")

    def test_tab_and_arrows_open_a_page(self):
        # Focus starts in the web view: Tab goes through the page's three links, then to the
        # categories; the first Down there picks the first one, the next Down the second; Tab
        # goes to its news, where the first Down picks the first.
        harness.press_keys(self.window, *["Tab"] * 4, "Down", "Down", "Tab", "Down")
        self.site.wait_for_request(f"GET {SITE}movies.htm")
        self.assertNotIn(f"GET {SITE}computer_games.htm", self.site.requests())

    def test_shift_tab_goes_back_from_the_categories_into_the_page(self):
        # From the categories, Shift+Tab lands on the page's last link: Enter follows it.
        harness.press_keys(self.window, *["Tab"] * 4, "shift+Tab", "Return")
        self.site.wait_for_request(f"GET {SITE}Free_Downloads.htm")


class AboutFrame(unittest.TestCase):
    """Under a window manager, the About dialog's frame can be moved and closed only."""

    def setUp(self):
        harness.DisplayWithWindowManager.use(self)
        self.session = harness.Session(harness.ProgramTest.program_path)
        self.addCleanup(self.session.close)

    def test_no_minimize_or_maximize(self):
        program = self.session.program
        harness.press_keys(program.window(), "alt+h", "a")
        about = program.window("^About Zel Tidewell$")

        def read(prop):
            out = subprocess.run(["xprop", "-id", about, prop], capture_output=True,
                                 text=True).stdout
            return out.partition("=")[2].replace(",", " ").split() or None
        # What the dialog asks for (Motif hints: flags, functions, decorations).
        _, functions, decorations = (int(x, 16) for x in
                                     harness.wait_until("the Motif hints",
                                                        lambda: read("_MOTIF_WM_HINTS"))[:3])
        ALL, MINIMIZE, MAXIMIZE, CLOSE = 0x01, 0x08, 0x10, 0x20
        self.assertEqual(functions & (ALL | MINIMIZE | MAXIMIZE | CLOSE), CLOSE)
        self.assertEqual(decorations & (ALL | 0x20 | 0x40), 0)  # no minimize or maximize box
        # What the window manager made of it. (Openbox keeps minimizing for every window
        # that is not a menu or a tool bar, whatever the hints say.)
        actions = harness.wait_until("the allowed actions",
                                     lambda: read("_NET_WM_ALLOWED_ACTIONS"))
        # No taskbar button of its own.
        harness.wait_until("the skip-taskbar state", lambda: "_NET_WM_STATE_SKIP_TASKBAR" in (
            read("_NET_WM_STATE") or []))
        self.assertIn("_NET_WM_ACTION_CLOSE", actions)
        for action in ("MAXIMIZE_HORZ", "MAXIMIZE_VERT", "RESIZE"):
            self.assertNotIn("_NET_WM_ACTION_" + action, actions)


class ScreenReader(harness.ProgramTest):
    """Walks the accessibility tree over a session bus of its own, as a screen reader does."""

    @classmethod
    def setUpClass(cls):
        bus = harness.ScreenReaderBus()
        cls.addClassCleanup(bus.close)
        import pyatspi  # connects to the bus above
        cls.atspi = pyatspi

    def application(self):
        def find():
            desktop = self.atspi.Registry.getDesktop(0)
            for app in desktop:
                if app is not None and app.get_process_id() == self.program.process.pid:
                    return app
            return None
        return harness.wait_until("the program on the accessibility bus", find, interval=0.2)

    def find(self, root, role, name):
        """The first accessible under root of this role (any, for None) and name, waited for.
        Each look walks the tree afresh, and one that meets an object going away tries again."""
        def look():
            try:
                root.clear_cache()
                return self.atspi.findDescendant(root, lambda a: a is not None and (
                    role is None or a.getRole() == role) and a.name == name)
            except GLib.Error:
                return None
        return harness.wait_until(f"{role} {name!r}", look, interval=0.2)

    def test_lists_page_and_about_dialog_are_readable(self):
        a = self.atspi
        app = self.application()
        main = self.find(app, a.ROLE_FRAME, self.program_title())
        categories = self.find(main, a.ROLE_LIST, "News category")
        self.assertEqual(categories.description, "Click Here Your News Category")
        self.assertEqual([item.name for item in categories],
                         ["Technology News", "Entertainment News", "Sports Tournaments News",
                          "World News"])
        news = self.find(main, a.ROLE_LIST, "News sub-category")
        self.assertEqual(news.description, "Click Here to Open in Tidewell")
        # The page itself: its heading and links, inside the web view.
        self.find(main, a.ROLE_HEADING, "Computer Technology News")
        self.find(main, a.ROLE_LINK, "Free Downloads")

        harness.press_keys(self.window, "alt+h", "a")
        about = self.find(app, a.ROLE_DIALOG, "About Zel Tidewell")
        for button in ("OK", "System Info..."):
            self.find(about, a.ROLE_PUSH_BUTTON, button)
        self.find(about, a.ROLE_LABEL, "Zel Tidewell")
        picture = a.findDescendant(about, lambda x: x is not None and
                                   x.name == "Zel Tidewell logo")
        self.assertIsNotNone(picture)

    def test_find_bar_is_readable(self):
        a = self.atspi
        app = self.application()
        harness.press_keys(self.window, "ctrl+f")
        self.find(app, None, "Find in page")
        for button in ("Previous match", "Next match", "Close find bar"):
            self.find(app, a.ROLE_PUSH_BUTTON, button)

    def program_title(self):
        return subprocess.run(["xdotool", "getwindowname", self.window], capture_output=True,
                              text=True, check=True).stdout.rstrip("\n")


if __name__ == "__main__":
    harness.main()

#!/usr/bin/env python3
"""What a blind reader hears: Orca itself, driven from the keyboard, on a desktop of its own."""

import os
import pty
import re
import subprocess
import threading
import unittest

import harness


class Orca(unittest.TestCase):

    # A window manager, so that dialogs are activated as on a desktop.
    manager = True

    def setUp(self):
        # A display, and a session bus with its accessibility bus, all of the test's own.
        harness.DisplayWithWindowManager.use(self, manager=self.manager)
        bus = harness.ScreenReaderBus()
        self.addCleanup(bus.close)
        self.session = harness.Session(harness.ProgramTest.program_path)
        self.addCleanup(self.session.close)
        self.window = self.session.program.window()
        self.session.site.wait_for_loaded_title("Computer Technology News")

        # Orca writes its debug file a line at a time only to a terminal: what it says is read
        # from one as it comes.
        self.speech = []
        master, slave = pty.openpty()
        home = os.path.join(self.session.workdir, "orca")
        os.makedirs(home)
        # No braille display is there: Orca would wait for one.
        orca = subprocess.Popen(["orca", "--disable", "braille", "--debug-file",
                                 os.ttyname(slave)],
                                env=dict(os.environ, HOME=home), stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # The terminal's other end stays open here: a terminal that no one holds is gone.
        self.addCleanup(os.close, master)
        self.addCleanup(os.close, slave)
        self.addCleanup(self.stop, orca)
        threading.Thread(target=self.listen, args=(master,), daemon=True).start()
        harness.wait_until("Orca", lambda: "Screen reader on." in self.speech)

    @staticmethod
    def stop(process):
        process.terminate()
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()

    def listen(self, terminal):
        with open(terminal, errors="replace", closefd=False) as lines:
            try:
                for line in lines:
                    said = re.search(r"SPEECH OUTPUT: '(.*)'\s*\{'established'", line)
                    if said:
                        self.speech.append(said.group(1).strip())
            except OSError:  # the terminal is gone with Orca
                pass

    def hears(self, keys, *phrases):
        """Presses the keys, then waits until Orca has said each phrase."""
        mark = len(self.speech)
        if keys:
            subprocess.run(["xdotool", "key", "--delay", "150", *keys], check=True)
        for phrase in phrases:
            harness.wait_until(lambda: f"Orca to say {phrase!r} (it said {self.speech[mark:]})",
                               lambda: any(phrase in said for said in self.speech[mark:]))

    def activate(self):
        """Gives the main window the keyboard, only now that its page has loaded (as a window
        manager slow to activate it would, or the user coming back from another window): the
        keyboard is in the page's text."""
        mark = len(self.speech)
        subprocess.run(["xdotool", "windowactivate" if self.manager else "windowfocus",
                        "--sync", self.window], check=True)
        harness.wait_until("Orca to say where the keyboard is",
                           lambda: any("Page text" in said for said in self.speech[mark:]))

    def test_a_blind_reader_chooses_the_news(self):
        self.activate()
        # From the page's text, Tab goes on to the categories.
        self.hears(["Tab"], "News category.", "List with 4 items.")
        self.hears(["Down"], "Technology News.")
        self.hears(["Down"], "Entertainment News.")
        self.hears(["Tab"], "News sub-category.")
        # The first sub-category is chosen; its page loads and is said, the keyboard staying in
        # the list.
        self.hears(["Down"], "Top10 Movies News.", "notification Top10 Movies News")
        self.hears(["shift+Tab"], "News category.", "Entertainment News.")
        # Around the lists and the page's text and back, never into the engine's own pane.
        self.hears(["shift+Tab"], "Page text")
        self.hears(["shift+Tab"], "News sub-category.")
        self.hears(["Tab"], "Page text")
        self.hears(["alt+h", "a"], "About Zel Tidewell", "Zel Tidewell Version 1.0.0")
        self.assertEqual(sum("notification Top10 Movies News" in said for said in self.speech),
                         1, self.speech)

    def test_a_blind_reader_moves_by_the_pages_shape_and_follows_a_link(self):
        self.activate()
        self.hears(["h"], "Harrowgate Labs shows a laptop chip that sleeps between keystrokes, "
                          "heading level 2")
        self.hears(["k"], "notification Publisher Home link")
        # The page the link leads to is said from its first line, and read on from there.
        self.hears(["Return"], "notification Zelsoft Publisher Home")
        self.hears(["Down"], "Welcome to the publisher of Zel Tidewell")
        self.hears(["alt+Left"], "notification Computer Technology News, heading level 1")
        self.hears(["ctrl+End"], "Publisher Home link · All news feeds link")
        # Back from a dialog, the keyboard is in the page's text again.
        self.hears(["alt+f", "o"], "Browse for offline web pages")
        self.hears(["Escape"], "Page text")

    def test_a_blind_reader_reads_the_article(self):
        self.activate()
        # Down reads the page from its top, line by line.
        order = ["Harrowgate Labs shows a laptop chip that sleeps between keystrokes",
                 "By Mira Odalen",
                 "Harrowgate Labs demonstrated a processor on Monday",
                 "Memory prices fall for the fourth month running"]
        mark = len(self.speech)

        def heard(phrase):
            return next((i for i, said in enumerate(self.speech[mark:]) if phrase in said), None)
        for _ in range(12):
            if heard(order[-1]) is not None:
                break
            said = len(self.speech)
            subprocess.run(["xdotool", "key", "Down"], check=True)
            harness.wait_until("Orca to say the next line", lambda: len(self.speech) > said)
        places = [heard(phrase) for phrase in order]
        self.assertTrue(None not in places and places == sorted(places), self.speech[mark:])

    def test_the_find_bar_speaks(self):
        self.activate()
        self.hears(["ctrl+f"], "Find in page")
        self.hears(["t", "h", "e"], "1 of 20")
        self.hears(["Return"], "2 of 20")
        self.hears(["Escape"], "Page text")
        # The reading goes on from the match found.
        self.hears(["ctrl+f", *"Velmar"], "1 of 1")
        self.hears(["Escape"], "notification Engineers at the launch in Velmar")

    def test_a_download_is_told_by_its_name(self):
        self.activate()
        program = self.session.program
        harness.press_keys(self.window, "alt+o", "t", "Return", delay=150)
        harness.press_keys(program.window("^Save Download$"), "Return")
        # The reader goes to the downloads window as it comes up, while the download runs (it
        # takes about 3 s): the row is read with its state, and the end is told there.
        mark = len(self.speech)
        subprocess.run(["xdotool", "windowactivate", "--sync", program.window("^Downloads$")],
                       check=True)
        for phrase in ("push button", "setup.exe, Completed, 11.1 MB"):
            harness.wait_until(lambda: f"Orca to say {phrase!r} (it said {self.speech[mark:]})",
                               lambda: any(phrase in said for said in self.speech[mark:]))
        self.assertTrue(any(said.startswith("setup.exe, ") for said in self.speech[mark:]),
                        self.speech[mark:])
        self.hears(["Escape"], "Page text")
        self.assertEqual(harness.windows_named(program.process.pid, "^Downloads$"), [])

        # The downloads window comes up again beside the main window, which keeps the keyboard:
        # a download that ends as it comes up, once the reader has heard the save dialog, is
        # told in the main window; nothing is told that has no text, nor the first download's
        # end again.
        mark = len(self.speech)
        self.hears(["alt+o", "t", "Down", "Down", "Return"], "File name")
        self.hears(["Return"], "setup (1).exe, Completed, 215 KB")
        self.assertNotIn("notification.", self.speech[mark:])
        self.assertFalse([said for said in self.speech[mark:] if "11.1 MB" in said])


class OrcaWithoutAWindowManager(Orca):
    """The blind reader's page where no window manager activates the windows."""

    manager = False

    def test_a_blind_reader_reads_the_article(self):
        super().test_a_blind_reader_reads_the_article()

    test_a_blind_reader_chooses_the_news = None
    test_a_blind_reader_moves_by_the_pages_shape_and_follows_a_link = None
    test_the_find_bar_speaks = None
    test_a_download_is_told_by_its_name = None


if __name__ == "__main__":
    harness.main()

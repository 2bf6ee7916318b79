#!/usr/bin/env python3
"""A download of the built program, through its real save dialog and downloads window."""

import os
import signal
import subprocess
import unittest

import harness


class Downloads(harness.ProgramTest):
    def setUp(self):
        super().setUp()
        self.downloads = os.path.join(self.program.home, "Downloads")

    def save_first_trial_download(self):
        # Online, Trial Downloads, its first item: Vellumar Database Application (11.1MB).
        harness.press_keys(self.window, "alt+o", "t", "Return")
        dialog = self.program.window("^Save Download$")
        harness.press_keys(dialog, "Return")  # the name offered, in the Downloads folder
        return self.program.window("^Downloads$")

    def test_download_lands_in_the_downloads_folder(self):
        self.save_first_trial_download()
        target = os.path.join(self.downloads, "setup.exe")
        harness.wait_until("the completed download", lambda: os.path.exists(target))
        self.assertEqual(os.path.getsize(target), round(11.1 * 1024 * 1024))
        self.assertEqual(os.listdir(self.downloads), ["setup.exe"])

    def test_a_path_the_user_types_is_where_the_file_goes(self):
        chosen = os.path.join(self.session.workdir, "chosen", "setup.exe")
        os.mkdir(os.path.dirname(chosen))
        harness.press_keys(self.window, "alt+o", "t", "Return")
        dialog = self.program.window("^Save Download$")
        harness.keys_for(chosen)
        harness.press_keys(dialog, "ctrl+a")
        subprocess.run(["xdotool", "type", "--delay", "20", chosen], check=True)
        subprocess.run(["xdotool", "key", "Return"], check=True)
        harness.wait_until("the download where the user typed", lambda: os.path.exists(chosen)
                           and os.path.getsize(chosen) == round(11.1 * 1024 * 1024))
        self.assertFalse(os.path.exists(self.downloads))

    def test_closing_the_main_window_cancels_and_ends_the_program(self):
        self.save_first_trial_download()
        harness.wait_until("the download under way", lambda: os.listdir(self.downloads))
        harness.press_keys(self.window, "alt+f", "c")
        # The downloads window does not keep the program running.
        self.assertEqual(self.program.wait_for_exit(), 0, self.program.log())
        self.assertEqual(os.listdir(self.downloads), [])


class HostileNames(unittest.TestCase):
    def test_a_name_the_dialog_would_expand_is_saved_in_downloads(self):
        session = harness.Session(harness.ProgramTest.program_path,
                                  ["computer_technology.htm=hostile/tilde_name.htm"])
        self.addCleanup(session.close)
        program = session.program
        window = program.window()
        session.site.wait_for_loaded_title("Tilde Name")
        # The page's one link, a download the server names ~nobody, followed from the keyboard.
        harness.press_keys(window, "Tab", "Return")
        harness.press_keys(program.window("^Save Download$"), "Return")
        target = os.path.join(program.home, "Downloads", "nobody")
        harness.wait_until("the completed download", lambda: os.path.exists(target) and
                           os.path.getsize(target) == 116 * 1024)


class DownloadsWhenTheProgramIsEnded(unittest.TestCase):
    """A quit signal, or a display that goes away, during a download leaves no partial file."""

    def start(self, save=True):
        """Starts the program and asks for the first trial download; saves it when told to."""
        self.session = harness.Session(harness.ProgramTest.program_path)
        self.addCleanup(self.session.close)
        program = self.session.program
        window = program.window()
        self.session.site.wait_for_loaded_title("Computer Technology News")
        downloads = os.path.join(program.home, "Downloads")
        harness.press_keys(window, "alt+o", "t", "Return")
        dialog = program.window("^Save Download$")
        if save:
            harness.press_keys(dialog, "Return")
            harness.wait_until("the download under way", lambda: os.path.isdir(downloads) and any(
                name.endswith(".part") for name in os.listdir(downloads)))
        return program, downloads

    def test_quit_signals_end_the_program_cleanly(self):
        for number in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
            with self.subTest(signal=number.name):
                program, downloads = self.start()
                program.process.send_signal(number)
                self.assertEqual(program.wait_for_exit(timeout=10), 0, program.log())
                self.assertEqual(os.listdir(downloads), [])

    def test_a_quit_signal_while_the_save_dialog_is_open(self):
        program, _ = self.start(save=False)
        program.process.send_signal(signal.SIGTERM)
        self.assertEqual(program.wait_for_exit(timeout=10), 0, program.log())

    def test_a_lost_display_leaves_no_partial_file(self):
        display = harness.DisplayWithWindowManager.use(self)
        program, downloads = self.start()
        display.close()
        program.wait_for_exit(timeout=10)
        self.assertEqual(os.listdir(downloads), [])


if __name__ == "__main__":
    harness.main()

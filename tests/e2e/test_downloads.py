#!/usr/bin/env python3
"""A download of the built program, through its real save dialog and downloads window."""

import os

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

    def test_closing_the_main_window_cancels_and_ends_the_program(self):
        self.save_first_trial_download()
        harness.wait_until("the download under way", lambda: os.listdir(self.downloads))
        harness.press_keys(self.window, "alt+f", "c")
        # The downloads window does not keep the program running.
        self.assertEqual(self.program.wait_for_exit(), 0, self.program.log())
        self.assertEqual(os.listdir(self.downloads), [])


if __name__ == "__main__":
    harness.main()

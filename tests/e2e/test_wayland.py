#!/usr/bin/env python3
"""The built program on Wayland: weston's headless compositor, a home folder left untouched."""

import os
import shutil
import signal
import subprocess
import tempfile
import unittest

import harness


class Wayland(unittest.TestCase):

    def setUp(self):
        scratch = tempfile.mkdtemp(prefix="zel-wayland-")
        self.addCleanup(shutil.rmtree, scratch, ignore_errors=True)
        runtime = os.path.join(scratch, "runtime")
        os.makedirs(runtime, mode=0o700)
        self.socket = os.path.join(runtime, "wayland-zel")
        weston = subprocess.Popen(
            ["weston", "--backend=headless-backend.so", "--socket=wayland-zel",
             "--width=1600", "--height=1200"],
            env=dict(os.environ, XDG_RUNTIME_DIR=runtime, HOME=scratch),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(weston.wait, 10)
        self.addCleanup(weston.terminate)
        harness.wait_until("weston's socket", lambda: os.path.exists(self.socket))

    def test_first_page_and_nothing_written(self):
        session = harness.Session(harness.ProgramTest.program_path, env={
            "QT_QPA_PLATFORM": "wayland", "WAYLAND_DISPLAY": self.socket, "DISPLAY": ""})
        self.addCleanup(session.close)
        session.site.wait_for_loaded_title("Computer Technology News")
        program = session.program
        program.process.send_signal(signal.SIGTERM)
        self.assertEqual(program.wait_for_exit(), 0, program.log())
        written = [os.path.join(place, name) for top in (program.home, program.runtime)
                   for place, folders, names in os.walk(top) for name in names + folders]
        self.assertEqual(written, [])


if __name__ == "__main__":
    harness.main()

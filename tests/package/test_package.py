#!/usr/bin/env python3
"""The Debian package that script/package makes: its files, its dependencies, its desktop
entry and metainfo, lintian's verdict, and the program in it started against the sample site."""

import configparser
import os
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e"))
import harness  # noqa: E402

ID = "example.zelsoft.ZelTidewell"
SIZES = (16, 32, 48, 64, 128, 256)


class Package(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.TemporaryDirectory(prefix="zel-package-")
        cls.addClassCleanup(cls.scratch.cleanup)
        made = subprocess.run([os.path.join(harness.REPO, "script", "package"),
                               os.path.join(cls.scratch.name, "out")],
                              stdout=subprocess.PIPE, text=True, check=True)
        cls.deb = made.stdout.strip().splitlines()[-1]
        cls.root = os.path.join(cls.scratch.name, "root")
        subprocess.run(["dpkg-deb", "-x", cls.deb, cls.root], check=True)

    def field(self, name):
        return subprocess.run(["dpkg-deb", "-f", self.deb, name], capture_output=True,
                              text=True, check=True).stdout.strip()

    def test_files_and_fields(self):
        listed = subprocess.run(["dpkg-deb", "-c", self.deb], capture_output=True, text=True,
                                check=True).stdout
        files = {line.split()[-1].lstrip(".") for line in listed.splitlines()
                 if not line.startswith("d")}
        expected = {"/usr/bin/zel-tidewell",
                    f"/usr/share/applications/{ID}.desktop",
                    f"/usr/share/metainfo/{ID}.metainfo.xml",
                    f"/usr/share/icons/hicolor/scalable/apps/{ID}.svg",
                    "/usr/share/man/man1/zel-tidewell.1.gz",
                    "/usr/share/doc/zel-tidewell/copyright",
                    "/usr/share/doc/zel-tidewell/changelog.gz"}
        expected |= {f"/usr/share/icons/hicolor/{n}x{n}/apps/{ID}.png" for n in SIZES}
        self.assertEqual(files, expected)
        for n in SIZES:
            out = subprocess.run(["file", "-b", os.path.join(
                self.root, f"usr/share/icons/hicolor/{n}x{n}/apps/{ID}.png")],
                capture_output=True, text=True, check=True).stdout
            self.assertIn(f"{n} x {n}", out)
        self.assertEqual(os.stat(os.path.join(self.root, "usr/bin/zel-tidewell")).st_mode & 0o777,
                         0o755)

        depends = {d.split()[0] for d in self.field("Depends").split(", ")}
        for package in ("libqt6webenginewidgets6", "libqt6webenginecore6", "libqt6widgets6",
                        "qt6-qpa-plugins", "fonts-liberation"):
            self.assertIn(package, depends)
        self.assertEqual(self.field("Recommends"), "qt6-wayland")
        self.assertEqual((self.field("Package"), self.field("Version"), self.field("Section"),
                          self.field("Priority")), ("zel-tidewell", "1.0.0", "web", "optional"))
        self.assertIn("<", self.field("Maintainer"))

    def test_desktop_entry_metainfo_and_lintian(self):
        desktop = os.path.join(self.root, f"usr/share/applications/{ID}.desktop")
        subprocess.run(["desktop-file-validate", desktop], check=True)
        subprocess.run(["appstreamcli", "validate", "--no-net", os.path.join(
            self.root, f"usr/share/metainfo/{ID}.metainfo.xml")], check=True,
            stdout=subprocess.DEVNULL)
        lintian = subprocess.run(["lintian", "--fail-on", "error", self.deb],
                                 capture_output=True, text=True)
        self.assertEqual(lintian.returncode, 0, lintian.stdout + lintian.stderr)

    def test_the_unpacked_program_starts_and_matches_its_entry(self):
        session = harness.Session(os.path.join(self.root, "usr/bin/zel-tidewell"))
        self.addCleanup(session.close)
        window = session.program.window()
        session.site.wait_for_request(f"GET {harness.SITE}computer_technology.htm")
        # Taskbars match the window to the menu entry by its class.
        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        entry.read(os.path.join(self.root, f"usr/share/applications/{ID}.desktop"))
        wm_class = subprocess.run(["xprop", "-id", window, "WM_CLASS"], capture_output=True,
                                  text=True, check=True).stdout
        self.assertIn(f'"{entry["Desktop Entry"]["StartupWMClass"]}"', wm_class)


if __name__ == "__main__":
    unittest.main(verbosity=2)

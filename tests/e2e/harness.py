"""Drives the built program under the X display as a person would, against the sample site.

The end-to-end tests, the package test and the benchmark share it. Nothing here sleeps for a
fixed time: every wait polls what it is waiting for, with a deadline.
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import argparse
import tempfile
import time
import unittest
import urllib.parse

import xscreen

REPO = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
SERVER = os.path.join(REPO, "sample-site", "server.py")
SITE = "http://www.zelsoft.example/"
DEADLINE = 30.0


def loaded_url(title):
    """The beacon a sample page sends once it has loaded."""
    return SITE + "__loaded?title=" + urllib.parse.quote(title, safe="")


def wait_until(what, probe, timeout=DEADLINE, interval=0.02):
    """Polls probe() until it returns something true, and returns that; fails after timeout,
    saying what was waited for (what, or what() as it stands then)."""
    end = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > end:
            what = what() if callable(what) else what
            raise AssertionError(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


class SampleSite:
    """The sample publisher site on 127.0.0.1, with its request log. Stamped, each line of the
    log starts with the monotonic clock's time of the request."""

    def __init__(self, workdir, aliases=(), options=(), stamped=False):
        self.log_path = os.path.join(workdir, "requests.log")
        open(self.log_path, "w").close()
        self.stamped = stamped
        self.process = subprocess.Popen(
            [sys.executable, SERVER, "--log", self.log_path, *(["--stamp"] if stamped else []),
             *[f"--alias={alias}" for alias in aliases], *options],
            stdout=subprocess.PIPE, text=True)
        self.port = int(self.process.stdout.readline())

    def requests(self):
        with open(self.log_path) as f:
            lines = [line.rstrip("\n") for line in f]
        return [line.partition(" ")[2] for line in lines] if self.stamped else lines

    def mark(self):
        """Where the log stands now; stamp_of sees only what comes after it."""
        return os.path.getsize(self.log_path)

    def stamp_of(self, url, since, timeout=60):
        """The time of the first GET of url after the mark since (a stamped log's)."""
        def find():
            with open(self.log_path) as f:
                f.seek(since)
                for line in f:
                    stamp, _, request = line.rstrip("\n").partition(" ")
                    if request == "GET " + url:
                        return float(stamp)
            return None
        return wait_until(f"a request for {url}", find, timeout, interval=0.002)

    def wait_for_request(self, line, timeout=DEADLINE):
        wait_until(repr(line), lambda: line in self.requests(), timeout)

    def wait_for_loaded_title(self, title, timeout=DEADLINE):
        self.wait_for_request("GET " + loaded_url(title), timeout)

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)
        self.process.stdout.close()


def program_env(workdir, port):
    """The environment a program runs in: a fresh home and runtime folder in workdir, the X
    display, and the web engine pointed at the sample site on port."""
    home, runtime = os.path.join(workdir, "home"), os.path.join(workdir, "runtime")
    os.makedirs(home)
    os.makedirs(runtime, mode=0o700)
    env = dict(os.environ, HOME=home, XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="xcb",
               QTWEBENGINE_CHROMIUM_FLAGS=f"--disable-gpu --proxy-server=http://127.0.0.1:{port}")
    for name in ("XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"):
        env.pop(name, None)
    if os.geteuid() == 0:
        env["QTWEBENGINE_DISABLE_SANDBOX"] = "1"
    return env


class Program:
    """The built program, with a fresh home folder, pointed at the sample site."""

    def __init__(self, executable, site, workdir, args=(), env=None):
        # A variable given as None is left out of the program's environment.
        env = {name: value for name, value in dict(program_env(workdir, site.port),
                                                   **(env or {})).items() if value is not None}
        self.home, self.runtime = env["HOME"], env["XDG_RUNTIME_DIR"]
        self.output_path = os.path.join(workdir, "program.log")
        self.output = open(self.output_path, "w")
        # The program runs in its scratch folder, never in the checkout: whatever it might leave
        # in its working directory is removed with the folder.
        self.workdir = workdir
        self.command = [executable, *args]
        self.process = subprocess.Popen(self.command, cwd=workdir, env=env, stdout=self.output,
                                        stderr=subprocess.STDOUT)
        self.env = env

    def window(self, name="^Zel Tidewell "):
        """The id of the program's top-level window whose title matches name."""
        retried = []
        def find():
            if self.process.poll() is not None:
                # A busy Xvfb now and then refuses a connection; that is not the program's
                # fault, so it is started once more.
                if not retried and "a graphical session is needed" in self.log():
                    retried.append(True)
                    self.output.seek(0)
                    self.output.truncate()
                    self.process = subprocess.Popen(self.command, cwd=self.workdir,
                                                    env=self.env,
                                                    stdout=self.output, stderr=subprocess.STDOUT)
                    return None
                raise AssertionError(f"the program ended with status {self.process.returncode}:"
                                     f"\n{self.log()}")
            ids = windows_named(self.process.pid, name)
            return ids[0] if ids else None
        try:
            return wait_until(f"a window named {name!r}", find, interval=0.1)
        except AssertionError as error:
            raise AssertionError(f"{error}\nthe program's output:\n{self.log()}") from None

    def wait_for_exit(self, timeout=DEADLINE):
        return self.process.wait(timeout=timeout)

    def stop(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.output.close()

    def log(self):
        with open(self.output_path, errors="replace") as f:
            return f.read()


def geometry(window):
    """(x, y, width, height) of a window, as xwininfo reports it."""
    info = subprocess.run(["xwininfo", "-id", window], capture_output=True, text=True,
                          check=True).stdout
    field = lambda name: int(re.search(rf"{name}:\s+(-?\d+)", info).group(1))
    return (field("Absolute upper-left X"), field("Absolute upper-left Y"),
            field("Width"), field("Height"))


# Where the main window's client area lies on the screen: 4140, 2835 twips at 96 dpi.
CLIENT_ORIGIN = (276, 189)
# List1 starts 112 pixels below the client area's top, List2 at 352 pixels from its left. Rows
# are 20 to 26 pixels high for List1's font and 18 to 24 for List2's: these points lie inside
# the third row of List1 (Sports Tournaments News) and the second row of List2 (Tennis
# Tournaments News, once the third category is chosen) for every height in those ranges.
LIST1_THIRD_ROW = (60, 112 + 57)
LIST2_SECOND_ROW = (352 + 60, 112 + 31)


def click_at(x, y):
    """A left click of the mouse at a point of the main window's client area."""
    subprocess.run(["xdotool", "mousemove", str(CLIENT_ORIGIN[0] + x), str(CLIENT_ORIGIN[1] + y),
                    "click", "1"], check=True)


def press_keys(window, *keys, delay=50):
    """Gives the window the keyboard focus, then presses the keys one after another."""
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
    subprocess.run(["xdotool", "key", "--delay", str(delay), *keys], check=True)


def open_file(program, window, path):
    """File > Open, then the whole path typed into the file name field, then Enter."""
    press_keys(window, "alt+f", "o")
    dialog = program.window("^Browse for offline web pages$")
    keys_for(path)
    subprocess.run(["xdotool", "windowfocus", "--sync", dialog], check=True)
    subprocess.run(["xdotool", "type", "--delay", "20", path], check=True)
    subprocess.run(["xdotool", "key", "Return"], check=True)


def keys_for(text):
    """Binds each character of text that the keymap lacks to a spare key, for good."""
    with xscreen.Screen() as screen:
        screen.bind_keys(text)


def close_window(window):
    """Asks the window to close, as a window manager's close button does (WM_DELETE_WINDOW)."""
    with xscreen.Screen() as screen:
        screen.close_window(window)


def grab(x, y, width, height):
    """The screen's pixels in a rectangle, as rows of 32-bit pixels, blue first."""
    with xscreen.Screen() as screen:
        return screen.grab(x, y, width, height)


def read_screen(x, y, width, height, boxes=False, line_of=None, origin=CLIENT_ORIGIN):
    """What OCR (tesseract) reads on the screen in a rectangle of the main window's client area
    (or placed from another origin): its text, or with boxes its words as (text, left, top,
    width, height) in the rectangle, in pixels of twice the size; line_of: one line, read as
    these characters only."""
    rows = grab(origin[0] + x, origin[1] + y, width, height)
    # 32 bits a pixel, blue first: made a PPM picture of twice the size, which OCR reads
    # better at the sizes of a desktop's lettering.
    pixels = bytearray()
    for line in rows:
        doubled = bytearray(width * 6)
        for channel, offset in ((0, 2), (1, 1), (2, 0)):
            doubled[channel::6] = doubled[channel + 3::6] = line[offset::4]
        pixels += doubled * 2
    with tempfile.NamedTemporaryFile(suffix=".ppm") as picture:
        picture.write(b"P6 %d %d 255\n" % (width * 2, height * 2) + pixels)
        picture.flush()
        options = ["--psm", "7", "-c", "tessedit_char_whitelist=" + line_of] if line_of else []
        found = subprocess.run(["tesseract", picture.name, "-", *options,
                                *(["tsv"] if boxes else [])],
                               capture_output=True, text=True, check=True).stdout
    if not boxes:
        return found
    rows = [line.split("\t") for line in found.splitlines()[1:]]
    return [(r[11], *map(int, r[6:10])) for r in rows if len(r) == 12 and r[11].strip()]


def client_pixel(x, y):
    """The colour (r, g, b) on screen at a point of the main window's client area."""
    with xscreen.Screen() as screen:
        return screen.pixel(CLIENT_ORIGIN[0] + x, CLIENT_ORIGIN[1] + y)


def windows_named(pid, name):
    """The visible windows of a process whose title matches name."""
    found = subprocess.run(["xdotool", "search", "--all", "--onlyvisible", "--pid", str(pid),
                            "--name", name], capture_output=True, text=True)
    return found.stdout.split()


def window_of(pid, name, timeout=60):
    """The id of the process's visible window whose title matches name, once there is one."""
    return wait_until(f"the window {name}", lambda: windows_named(pid, name), timeout)[0]


def frame_extents(window):
    """(left, right, top, bottom) of the frame the window manager put around the window."""
    def read():
        out = subprocess.run(["xprop", "-id", window, "_NET_FRAME_EXTENTS"],
                             capture_output=True, text=True).stdout
        numbers = re.findall(r"\d+", out.partition("=")[2])
        return tuple(map(int, numbers)) if len(numbers) == 4 else None
    return wait_until("the window manager's frame", read)


class DisplayWithWindowManager:
    """A private Xvfb display with a window manager (openbox) that frames every window, or
    with none."""

    def __init__(self, size="1600x1200", manager=True):
        read_end, write_end = os.pipe()
        # Nothing of the display's holds the test's output open: a test runner waits for it.
        quiet = dict(stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", size + "x24",
             "-nolisten", "tcp"], pass_fds=(write_end,), **quiet)
        os.close(write_end)
        with os.fdopen(read_end) as f:
            self.display = ":" + f.readline().strip()
        env = dict(os.environ, DISPLAY=self.display)
        self.processes = [self.xvfb]
        if not manager:
            return

        def managed():
            # A window manager that ended before it took the display is started again.
            if self.processes[0] is self.xvfb or self.processes[0].poll() is not None:
                self.processes.insert(0, subprocess.Popen(["openbox", "--sm-disable"],
                                                          env=env, **quiet))
            return "window id" in subprocess.run(
                ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=env,
                capture_output=True, text=True).stdout
        try:
            wait_until("the window manager", managed)
        except AssertionError:
            self.close()
            raise

    def close(self):
        for process in self.processes:
            process.terminate()
        for process in self.processes:
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()

    @classmethod
    def use(cls, test, size="1600x1200", manager=True):
        """One made the display of the rest of the test, which puts the one before back."""
        display = cls(size, manager)
        test.addCleanup(display.close)
        test.addCleanup(os.environ.__setitem__, "DISPLAY", os.environ["DISPLAY"])
        os.environ["DISPLAY"] = display.display
        return display


class ScreenReaderBus:
    """A session bus of its own (and the accessibility bus it starts) in the environment, with
    a screen reader said to be running, as the program finds when it starts; close() puts the
    environment back."""

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="zel-bus-")
        read_end, write_end = os.pipe()
        self.bus = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", f"--print-address={write_end}"],
            pass_fds=(write_end,), env=dict(os.environ, XDG_RUNTIME_DIR=self.folder),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as f:
            address = f.readline().strip()
        self.saved = {name: os.environ.get(name)
                      for name in ("DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR")}
        os.environ.update(DBUS_SESSION_BUS_ADDRESS=address, XDG_RUNTIME_DIR=self.folder)
        subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                        "/org/a11y/bus", "org.freedesktop.DBus.Properties.Set",
                        "string:org.a11y.Status", "string:IsEnabled", "variant:boolean:true"],
                       check=True, stdout=subprocess.DEVNULL)

    def close(self):
        for name, value in self.saved.items():
            if value is None:
                os.environ.pop(name, None)
            else:
                os.environ[name] = value
        self.bus.terminate()
        self.bus.wait(timeout=10)  # the accessibility bus it started ends with it
        shutil.rmtree(self.folder, ignore_errors=True)


class Session:
    """A sample site and the program started against it, in one scratch folder."""

    def __init__(self, executable, aliases=(), args=(), env=None):
        if not os.environ.get("DISPLAY"):
            raise RuntimeError("no X display: run the end-to-end tests through script/test")
        self.workdir = tempfile.mkdtemp(prefix="zel-e2e-")
        self.site = SampleSite(self.workdir, aliases)
        self.program = Program(executable, self.site, self.workdir, args, env)

    def close(self):
        self.program.stop()
        self.site.stop()
        shutil.rmtree(self.workdir, ignore_errors=True)


class ProgramTest(unittest.TestCase):
    """A test that starts the program against the sample site and waits for its first page."""

    program_path = None

    def setUp(self):
        self.session = Session(self.program_path)
        self.addCleanup(self.session.close)
        self.site = self.session.site
        self.program = self.session.program
        self.window = self.program.window()
        self.site.wait_for_loaded_title("Computer Technology News")


def main():
    """Runs the tests of the calling script on the program given by --program."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    args, rest = parser.parse_known_args()
    ProgramTest.program_path = args.program
    unittest.main(module="__main__", argv=[sys.argv[0]] + rest, verbosity=2)

#!/usr/bin/env python3
"""Start-up, memory and idle benchmark of Zel Tidewell against the bare engine (the floor).

Runs the two programs alternately (A B A B ...), each with a fresh home folder, on the X display
it is given, against the sample site through its loopback proxy, and prints one table of medians
with their ranges and the ratio Tidewell / floor. Prints figures only; it asserts nothing.
"""

import argparse
import ctypes
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

REPO = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
SERVER = os.path.join(REPO, "sample-site", "server.py")
SITE = "http://www.zelsoft.example/"
FIRST_PAGE = SITE + "computer_technology.htm"
LOADED = SITE + "__loaded?title=Computer%20Technology%20News"
CLICKED_PAGE = SITE + "tennis_tournaments.htm"
# Points of the main window's client area (at 276, 189 on the screen) inside List1's third row
# (Sports Tournaments News) and List2's second row (Tennis Tournaments News).
CLIENT = (276, 189)
LIST1_THIRD_ROW = (60, 112 + 57)
LIST2_SECOND_ROW = (352 + 60, 112 + 31)


class Site:
    def __init__(self, workdir):
        self.log = os.path.join(workdir, "requests.log")
        self.process = subprocess.Popen([sys.executable, SERVER, "--stamp", "--log", self.log],
                                        stdout=subprocess.PIPE, text=True)
        self.port = int(self.process.stdout.readline())

    def mark(self):
        """Where the log stands now; later look-ups see only what comes after."""
        return os.path.getsize(self.log)

    def stamp_of(self, url, since, timeout=60):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            with open(self.log) as f:
                f.seek(since)
                for line in f:
                    stamp, _, request = line.rstrip("\n").partition(" ")
                    if request == "GET " + url:
                        return float(stamp)
            time.sleep(0.002)
        raise RuntimeError(f"no request for {url}")

    def stop(self):
        self.process.terminate()
        self.process.wait()
        self.process.stdout.close()


def tree(pid):
    """pid and all its descendants."""
    children = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat") as f:
                    ppid = int(f.read().rsplit(")", 1)[1].split()[1])
            except (OSError, IndexError, ValueError):
                continue
            children.setdefault(ppid, []).append(int(entry))
    found, todo = [], [pid]
    while todo:
        p = todo.pop()
        found.append(p)
        todo.extend(children.get(p, []))
    return found


def memory_kib(pid):
    """(PSS, anonymous PSS) summed over the process tree, in KiB."""
    pss = anon = 0
    for p in tree(pid):
        try:
            with open(f"/proc/{p}/smaps_rollup") as f:
                for line in f:
                    if line.startswith("Pss:"):
                        pss += int(line.split()[1])
                    elif line.startswith("Pss_Anon:"):
                        anon += int(line.split()[1])
        except OSError:
            pass
    return pss, anon


def cpu_ns(pid):
    """CPU time used so far by every thread of the process tree, in nanoseconds."""
    total = 0
    for p in tree(pid):
        try:
            for task in os.listdir(f"/proc/{p}/task"):
                with open(f"/proc/{p}/task/{task}/schedstat") as f:
                    total += int(f.read().split()[0])
        except OSError:
            pass
    return total


class Mouse:
    """Clicks through the XTest extension, so that the moment of the click is known exactly."""

    def __init__(self):
        self.x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
        self.xtst = ctypes.cdll.LoadLibrary("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                                   ctypes.c_int, ctypes.c_ulong]
        self.xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                                   ctypes.c_ulong]
        self.display = self.x11.XOpenDisplay(None)

    def click(self, x, y):
        """Clicks at a point of the client area; returns the time the click was sent."""
        self.xtst.XTestFakeMotionEvent(self.display, -1, CLIENT[0] + x, CLIENT[1] + y, 0)
        self.x11.XSync(self.display, 0)
        self.xtst.XTestFakeButtonEvent(self.display, 1, 1, 0)
        self.xtst.XTestFakeButtonEvent(self.display, 1, 0, 0)
        self.x11.XFlush(self.display)
        return time.monotonic()


def run_once(program, site, mouse, idle, click):
    work = tempfile.mkdtemp(prefix="zel-bench-")
    home, runtime = os.path.join(work, "home"), os.path.join(work, "runtime")
    os.makedirs(home)
    os.makedirs(runtime, mode=0o700)
    env = dict(os.environ, HOME=home, XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="xcb",
               QTWEBENGINE_CHROMIUM_FLAGS=f"--disable-gpu --proxy-server=http://127.0.0.1:{site.port}")
    for name in ("XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"):
        env.pop(name, None)
    if os.geteuid() == 0:
        env["QTWEBENGINE_DISABLE_SANDBOX"] = "1"
    since = site.mark()
    start = time.monotonic()
    process = subprocess.Popen([program], cwd=work, env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        figures = {}
        figures["start_get"] = (site.stamp_of(FIRST_PAGE, since) - start) * 1000
        figures["start_loaded"] = (site.stamp_of(LOADED, since) - start) * 1000
        time.sleep(1.0)
        figures["pss"], figures["anon"] = (v / 1024 for v in memory_kib(process.pid))
        before = cpu_ns(process.pid)
        time.sleep(idle)
        figures["idle_cpu"] = (cpu_ns(process.pid) - before) / 1e6 * 10 / idle
        if click:
            mouse.click(*LIST1_THIRD_ROW)
            time.sleep(0.3)
            since = site.mark()
            sent = mouse.click(*LIST2_SECOND_ROW)
            figures["click_get"] = (site.stamp_of(CLICKED_PAGE, since) - sent) * 1000
        return figures
    finally:
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
        shutil.rmtree(work, ignore_errors=True)


ROWS = [
    ("start_get", "process start -> first page GET", "ms"),
    ("start_loaded", "process start -> first page loaded", "ms"),
    ("pss", "PSS of the process tree, 1 s after load", "MiB"),
    ("anon", "  of which private (anonymous)", "MiB"),
    ("idle_cpu", "CPU of the tree per idle 10 s", "ms"),
    ("click_get", "List2 click -> its page's GET", "ms"),
]


def trace(program, site):
    """One run of the program with its start-up steps logged, as offsets from process start."""
    work = tempfile.mkdtemp(prefix="zel-trace-")
    home, runtime = os.path.join(work, "home"), os.path.join(work, "runtime")
    os.makedirs(home)
    os.makedirs(runtime, mode=0o700)
    env = dict(os.environ, HOME=home, XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="xcb",
               QT_LOGGING_RULES="zel.startup.debug=true",
               QTWEBENGINE_CHROMIUM_FLAGS=f"--disable-gpu --proxy-server=http://127.0.0.1:{site.port}")
    if os.geteuid() == 0:
        env["QTWEBENGINE_DISABLE_SANDBOX"] = "1"
    log = os.path.join(work, "trace.log")
    since = site.mark()
    with open(log, "w") as out:
        start = time.monotonic()
        process = subprocess.Popen([program], cwd=work, env=env, stdout=subprocess.DEVNULL,
                                   stderr=out)
        try:
            steps = [("first page GET at the server", site.stamp_of(FIRST_PAGE, since)),
                     ("first page loaded (beacon)", site.stamp_of(LOADED, since))]
            time.sleep(0.5)
        finally:
            process.send_signal(signal.SIGTERM)
            process.wait()
    with open(log) as f:
        for line in f:
            stamp, _, step = line.strip().removeprefix("zel.startup: ").partition(" ")
            try:
                steps.append((step, float(stamp)))
            except ValueError:
                pass
    shutil.rmtree(work, ignore_errors=True)
    print("start-up trace of one run (ms after process start)")
    for step, stamp in sorted(steps, key=lambda s: s[1]):
        print(f"  {(stamp - start) * 1000:7.1f}  {step}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--trace", action="store_true",
                        help="only trace one start-up of the program, step by step")
    parser.add_argument("--program", required=True, type=os.path.abspath)
    parser.add_argument("--floor", required=True, type=os.path.abspath)
    parser.add_argument("--runs", type=int, default=8)
    parser.add_argument("--idle", type=float, default=10.0, help="idle seconds measured")
    args = parser.parse_args()

    work = tempfile.mkdtemp(prefix="zel-bench-site-")
    site = Site(work)
    if args.trace:
        try:
            trace(args.program, site)
        finally:
            site.stop()
            shutil.rmtree(work, ignore_errors=True)
        return
    mouse = Mouse()
    results = {"tidewell": [], "floor": []}
    try:
        for run in range(args.runs + 1):
            for name, program in (("tidewell", args.program), ("floor", args.floor)):
                figures = run_once(program, site, mouse, args.idle, click=name == "tidewell")
                label = "warm-up" if run == 0 else f"run {run}"
                print(f"{label:8} {name:8} " + "  ".join(
                    f"{key}={value:.1f}" for key, value in figures.items()), file=sys.stderr)
                if run:
                    results[name].append(figures)
    finally:
        site.stop()
        shutil.rmtree(work, ignore_errors=True)

    def cell(name, key):
        values = [r[key] for r in results[name] if key in r]
        if not values:
            return "", None
        return (f"{statistics.median(values):7.1f} ({min(values):.1f}–{max(values):.1f})",
                statistics.median(values))

    print(f"\n{args.runs} counted runs each, medians (min–max)\n")
    print(f"| {'figure':42} | {'unit':4} | {'Tidewell':22} | {'floor':22} | ratio |")
    print(f"|{'-' * 44}|{'-' * 6}|{'-' * 24}|{'-' * 24}|-------|")
    for key, title, unit in ROWS:
        ours, ours_median = cell("tidewell", key)
        floor, floor_median = cell("floor", key)
        ratio = f"{ours_median / floor_median:5.2f}" if floor_median else "  —  "
        print(f"| {title:42} | {unit:4} | {ours:22} | {floor or '—':22} | {ratio} |")


if __name__ == "__main__":
    main()

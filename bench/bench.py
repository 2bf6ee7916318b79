#!/usr/bin/env python3
"""Start-up, memory and idle benchmark of Zel Tidewell against the bare engine (the floor).

Runs the two programs alternately (A B A B ...), each with a fresh home folder, on the X display
it is given, against the sample site through its loopback proxy, and prints one table of medians
with their ranges and the ratio Tidewell / floor. Prints figures only; it asserts nothing.
"""

import argparse
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
import harness  # noqa: E402
import xscreen  # noqa: E402
from harness import (CLIENT_ORIGIN as CLIENT, LIST1_THIRD_ROW, LIST2_SECOND_ROW,  # noqa: E402
                     SITE, window_of)

FIRST_PAGE = SITE + "computer_technology.htm"
LOADED = SITE + "__loaded?title=Computer%20Technology%20News"
CLICKED_PAGE = SITE + "tennis_tournaments.htm"


def Site(workdir, *options):
    """The sample site with a stamped request log."""
    return harness.SampleSite(workdir, options=options, stamped=True)


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


def smaps_kib(pid, *fields):
    """The sum of these smaps_rollup fields over the process tree, in KiB."""
    total = 0
    for p in tree(pid):
        try:
            with open(f"/proc/{p}/smaps_rollup") as f:
                for line in f:
                    if line.startswith(fields):
                        total += int(line.split()[1])
        except OSError:
            pass
    return total


def pss_kib(pid):
    return smaps_kib(pid, "Pss:")


def uss_kib(pid):
    """Private memory (USS: private clean + private dirty) of the process tree, in KiB."""
    return smaps_kib(pid, "Private_Clean:", "Private_Dirty:")


def counts(pid):
    """(processes, threads) of the process tree."""
    processes = tree(pid)
    threads = 0
    for p in processes:
        try:
            threads += len(os.listdir(f"/proc/{p}/task"))
        except OSError:
            pass
    return len(processes), threads


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


class Screen(xscreen.Screen):
    """Clicks through the XTest extension, so that the moment of the click is known exactly, and
    reads the screen."""

    def click(self, x, y):
        """Clicks at a point of the client area; returns the time the click was sent."""
        return super().click(CLIENT[0] + x, CLIENT[1] + y)

    def client_area(self, width=889, height=641):
        """The pixels of the main window's client area, as bytes."""
        return self.area(CLIENT[0], CLIENT[1], width, height)

    def area(self, x, y, width, height):
        """The pixels of a rectangle of the screen, as bytes."""
        return b"".join(self.grab(x, y, width, height))


def launch(program, site, work, extra_env=None, stderr=subprocess.DEVNULL):
    """Starts the program with a fresh home folder in work, against the site."""
    env = dict(harness.program_env(work, site.port), **(extra_env or {}))
    return subprocess.Popen([program], cwd=work, env=env, stdout=subprocess.DEVNULL,
                            stderr=stderr)


def stop(process):
    process.send_signal(signal.SIGTERM)
    try:
        process.wait(timeout=10)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def run_once(program, site, screen, idle, click):
    work = tempfile.mkdtemp(prefix="zel-bench-")
    since = site.mark()
    start = time.monotonic()
    process = launch(program, site, work)
    try:
        figures = {}
        figures["start_get"] = (site.stamp_of(FIRST_PAGE, since) - start) * 1000
        figures["start_loaded"] = (site.stamp_of(LOADED, since) - start) * 1000
        time.sleep(1.0)
        figures["pss"] = pss_kib(process.pid) / 1024
        figures["uss"] = uss_kib(process.pid) / 1024
        before = cpu_ns(process.pid)
        time.sleep(idle)
        figures["idle_cpu"] = (cpu_ns(process.pid) - before) / 1e6 * 10 / idle
        if click:
            screen.click(*LIST1_THIRD_ROW)
            time.sleep(0.3)
            since = site.mark()
            sent = screen.click(*LIST2_SECOND_ROW)
            figures["click_get"] = (site.stamp_of(CLICKED_PAGE, since) - sent) * 1000
        return figures
    finally:
        stop(process)
        shutil.rmtree(work, ignore_errors=True)


def poll(what, probe, timeout=60):
    """Polls probe() until it returns something true, and returns that."""
    return harness.wait_until(what, probe, timeout, interval=0.005)



def print_table(heading, columns, rows):
    """Prints the heading, then a Markdown table. columns: (name, width, align) each, align
    "<" or ">"; a number in a row is shown with two decimals."""
    cell = lambda v, w, a: f"{v:{a}{w}.2f}" if isinstance(v, float) else f"{v!s:{a}{w}}"
    print(f"\n{heading}\n")
    print("| " + " | ".join(cell(n, w, a) for n, w, a in columns) + " |")
    print("|" + "|".join("-" * (w + 2) for _, w, _ in columns) + "|")
    for row in rows:
        print("| " + " | ".join(cell(v, w, a) for v, (_, w, a) in zip(row, columns)) + " |")


# The pages the long session goes between: Online > Publisher Home and Publisher Catalog.
SITE_COMMANDS = [(("alt+o", "h"), "Zelsoft Publisher Home"), (("alt+o", "c"), "Zelsoft Catalog")]
CLICKED_TITLE = "Tennis Tournaments News"


def session(program, site, screen, pages, abouts, downloads, idle):
    """One long session in phases: pages by site commands (after every tenth a List2 click
    with Previous and Next), then About dialogs, then downloads. Private memory and the
    process and thread counts are sampled at each phase's settling point (after its first use,
    or the first 50 pages) and at its end; idle CPU before and after."""
    work = tempfile.mkdtemp(prefix="zel-session-")
    since = site.mark()
    process = launch(program, site, work)
    pid = process.pid
    samples = {}

    def sample(label):
        time.sleep(1.0)
        samples[label] = (uss_kib(pid) / 1024, *counts(pid))
        print(f"session  {label:28} USS={samples[label][0]:.1f} MiB  "
              f"processes={samples[label][1]}  threads={samples[label][2]}", file=sys.stderr)

    def idle_cpu():
        before = cpu_ns(pid)
        time.sleep(idle)
        return (cpu_ns(pid) - before) / 1e6 * 10 / idle

    try:
        site.stamp_of(LOADED, since)
        sample("start")
        idle_before = idle_cpu()
        window = window_of(pid, "^Zel Tidewell ")
        screen.click(*LIST1_THIRD_ROW)  # fills List2 with the tournaments
        history = ["Computer Technology News"]

        def go(keys, title):
            mark = site.mark()
            harness.press_keys(window, *keys, delay=30)
            site.stamp_of(harness.loaded_url(title), mark)

        for opened in range(1, pages + 1):
            keys, title = SITE_COMMANDS[opened % 2]
            go(keys, title)
            history.append(title)
            if opened % 10 == 0:
                mark = site.mark()
                screen.click(*LIST2_SECOND_ROW)
                site.stamp_of(harness.loaded_url(CLICKED_TITLE), mark)
                history.append(CLICKED_TITLE)
                go(("alt+v", "p"), history[-2])
                go(("alt+v", "n"), history[-1])
            if opened == 50:
                sample("pages settled")
        sample("pages end")
        for n in range(abouts):
            harness.press_keys(window, "alt+h", "a", delay=30)
            harness.press_keys(window_of(pid, "^About Zel Tidewell$"), "Escape", delay=30)
            poll("the About dialog to close",
                 lambda: not harness.windows_named(pid, "^About Zel Tidewell$"))
            if n == 0:
                sample("about settled")
        sample("abouts end")
        folder = os.path.join(work, "home", "Downloads")
        for n in range(downloads):
            # PixoCompressor (820KB)
            harness.press_keys(window, "alt+o", "t", "Down", "Return", delay=30)
            harness.press_keys(window_of(pid, "^Save Download$"), "Return", delay=30)
            name = "setup.exe" if n == 0 else f"setup ({n}).exe"
            poll(f"download {n + 1}", lambda: os.path.exists(os.path.join(folder, name)))
            if n == 0:
                sample("download settled")
        sample("downloads end")
        idle_after = idle_cpu()
        return samples, idle_before, idle_after
    finally:
        stop(process)
        shutil.rmtree(work, ignore_errors=True)


def print_session(samples, idle_before, idle_after, pages, abouts, downloads):
    """What each phase adds after its settling point, beside what its first use cost."""
    uss = lambda label: samples[label][0]
    rows = [("first 50 pages (first use), MiB", f"{uss('pages settled') - uss('start'):+.1f}",
             "")]
    for label, start, end, first_use in (
            (f"pages 51-{pages}: USS added", "pages settled", "pages end", False),
            ("first About dialog (first use), MiB", "pages end", "about settled", True),
            (f"About dialogs 2-{abouts}: USS added", "about settled", "abouts end", False),
            ("first download (first use), MiB", "abouts end", "download settled", True),
            (f"downloads 2-{downloads}: USS added", "download settled", "downloads end", False)):
        if first_use:
            rows.append((label, f"{uss(end) - uss(start):+.1f}", ""))
        else:
            rows.append((label, f"{(uss(end) / uss(start) - 1) * 100:+.2f}%", "<= +2%"))
    settled = [v for k, v in samples.items() if k != "start"]
    processes = sorted({s[1] for s in settled})
    threads = sorted({s[2] for s in settled})
    rows += [("processes, from the first settling point on", "-".join(map(str, processes)),
              "flat"),
             ("threads, from the first settling point on", "-".join(map(str, threads)), "flat"),
             ("CPU of the tree per idle 10 s, ms", f"{idle_before:.1f} -> {idle_after:.1f}",
              "within +-5 ms")]
    print_table(f"long session by phases; private memory (USS) of the tree at start "
                f"{uss('start'):.1f} MiB, at the end {uss('downloads end'):.1f} MiB",
                [("figure", 44, "<"), ("value", 12, ">"), ("target", 14, "<")], rows)


BIG = "trialversion/setup.exe"
BIG_BYTES = 1 << 30


def probe_lines(log, category):
    """(stamp, rest of the line) of each line the program's probe of this category logged."""
    lines = []
    with open(log) as f:
        for line in f:
            if line.startswith(category + ": "):
                stamp, _, rest = line[len(category) + 2:].partition(" ")
                lines.append((float(stamp), rest))
    return lines


def big_download(program):
    """A 1 GiB download from the unpaced site, saved from Online > Trial Downloads with the
    save dialog's proposal (the Downloads folder), against curl fetching the same file."""
    work = tempfile.mkdtemp(prefix="zel-download-")
    site = Site(work, "--unpaced", "--size", f"{BIG}={BIG_BYTES}")
    try:
        url = SITE + BIG

        def curl():
            """curl's rate in MB/s; each timed fetch starts with the written data on disk."""
            copy = os.path.join(work, "curl.bin")
            os.sync()
            start = time.monotonic()
            subprocess.run(["curl", "-s", "-f", "-o", copy, "--proxy",
                            f"http://127.0.0.1:{site.port}", url], check=True)
            seconds = time.monotonic() - start
            if os.path.getsize(copy) != BIG_BYTES:
                raise RuntimeError("curl did not get the whole file")
            os.remove(copy)
            return BIG_BYTES / seconds / 1e6

        curl_before = curl()
        log = os.path.join(work, "program.log")
        since = site.mark()
        with open(log, "w") as out:
            process = launch(program, site, work, {
                "QT_LOGGING_RULES": "zel.gui.debug=true\nzel.downloads.debug=true"}, out)
        pid = process.pid
        try:
            site.stamp_of(LOADED, since)
            time.sleep(1.0)
            window = window_of(pid, "^Zel Tidewell ")
            since = site.mark()
            os.sync()
            cpu_before = cpu_ns(pid)
            # Vellumar Database Application
            harness.press_keys(window, "alt+o", "t", "Return", delay=30)
            requested = site.stamp_of(url, since)
            harness.press_keys(window_of(pid, "^Save Download$"), "Return", delay=30)
            answered = time.monotonic()
            target = os.path.join(work, "home", "Downloads", "setup.exe")
            poll("the whole download", lambda: os.path.exists(target), timeout=600)
            done = time.monotonic()
            cpu_ms = (cpu_ns(pid) - cpu_before) / 1e6
            if os.path.getsize(target) != BIG_BYTES:
                raise RuntimeError("the program did not save the whole file")
        finally:
            stop(process)
        os.remove(target)
        curl_after = curl()
        seconds = done - requested
        updates = [t for t, _ in probe_lines(log, "zel.downloads") if requested <= t <= done]
        # "gap 10.2 ms": the time since the GUI thread's timer turned before.
        gaps = [(t, float(rest.split()[1])) for t, rest in probe_lines(log, "zel.gui")]
        return {
            # The faster of curl's two runs, one before the program's and one after.
            "curl": max(curl_before, curl_after),
            "ours": BIG_BYTES / seconds / 1e6,
            # The save dialog is made while the download runs: its making is shown apart.
            "dialog_gap": max((g for t, g in gaps if requested <= t <= answered), default=0),
            "gap": max((g for t, g in gaps if answered <= t - g / 1000 and t <= done), default=0),
            "updates": len(updates) / seconds,
            "cpu_per_mb": cpu_ms / (BIG_BYTES / 1e6),
        }
    finally:
        site.stop()
        shutil.rmtree(work, ignore_errors=True)


def print_download(figures):
    print_table("1 GiB download on loopback, unpaced, from its request to the complete file",
                [("figure", 42, "<"), ("value", 9, ">"), ("target", 18, "<")], [
        ("curl -o, MB/s", figures["curl"], ""),
        ("Tidewell, MB/s", figures["ours"], ""),
        ("  Tidewell / curl", figures["ours"] / figures["curl"], ""),
        ("GUI gap while making the save dialog, ms", figures["dialog_gap"], ""),
        ("GUI gap from the answer to the end, ms", figures["gap"], "<= 50"),
        ("downloads window row updates per s", figures["updates"], "about 10 or fewer"),
        ("CPU of the tree per MB, ms", figures["cpu_per_mb"], ""),
    ])


def scroll_once(program, site, screen, probe):
    """The first page (three articles with their pictures) scrolled from the keyboard: the time
    from End until the window's picture of the page's end stays, the frames drawn on the way
    down with 20 Page Down from the top (the page ends sooner), and, with the program's probe,
    the GUI thread's longest gap over both."""
    work = tempfile.mkdtemp(prefix="zel-scroll-")
    log = os.path.join(work, "gui.log")
    since = site.mark()
    with open(log, "w") as out:
        process = launch(program, site, work,
                         {"QT_LOGGING_RULES": "zel.gui.debug=true"} if probe else {}, out)
    try:
        site.stamp_of(LOADED, since)
        time.sleep(1.0)
        window = window_of(process.pid, "")
        x, y, width, height = harness.geometry(window)
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
        shown = screen.area(x, y, width, height)

        def settled(since):
            """Reads the screen until it has not changed for half a second; the time of the
            last change, and how many changes there were."""
            nonlocal shown
            changes, changed = 0, since
            while time.monotonic() - changed < 0.5:
                now = screen.area(x, y, width, height)
                if now != shown:
                    shown, changes, changed = now, changes + 1, time.monotonic()
            return changed, changes

        # End, alone from the top: the time until its picture is on the screen and stays.
        last_key = time.monotonic()
        subprocess.run(["xdotool", "key", "End"], check=True)
        picture = settled(last_key)[0] - last_key
        subprocess.run(["xdotool", "key", "Home"], check=True)
        settled(time.monotonic())
        # Then 20 Page Down, the screen read all along: the frames drawn on the way down.
        start = time.monotonic()
        subprocess.Popen(["xdotool", "key", "--delay", "40", *["Next"] * 20])
        changed, frames = settled(start)
        fps = frames / max(changed - start, 1e-3)
        figures = {"picture": picture * 1000, "fps": fps}
        if probe:
            gaps = [g for t, rest in probe_lines(log, "zel.gui") if last_key <= t <= changed
                    for g in [float(rest.split()[1])]]
            figures["gap"] = max(gaps, default=0)
        return figures
    finally:
        stop(process)
        shutil.rmtree(work, ignore_errors=True)


def print_scrolling(args, site, screen):
    runs = {"tidewell": [], "floor": []}
    for _ in range(3):
        runs["tidewell"].append(scroll_once(args.program, site, screen, True))
        runs["floor"].append(scroll_once(args.floor, site, screen, False))
    median = lambda name, key: statistics.median(r[key] for r in runs[name])
    print_table("scrolling the first page from the keyboard (End; 20 x Page Down), medians of 3",
                [("figure", 42, "<"), ("Tidewell", 9, ">"), ("floor", 9, ">"), ("ratio", 6, ">"),
                 ("target", 18, "<")], [
        ("End -> its picture on the screen, ms", median("tidewell", "picture"),
         median("floor", "picture"),
         median("tidewell", "picture") / max(median("floor", "picture"), 1e-3), "ratio <= 1.10"),
        ("frames per second while scrolling", median("tidewell", "fps"), median("floor", "fps"),
         "", ""),
        ("GUI thread's longest gap, ms", median("tidewell", "gap"), "", "", "<= 50"),
    ])


def screenshot(program, site, screen, extra_env):
    work = tempfile.mkdtemp(prefix="zel-screen-")
    since = site.mark()
    process = launch(program, site, work, extra_env)
    try:
        site.stamp_of(LOADED, since)
        time.sleep(1.0)
        return screen.client_area()
    finally:
        stop(process)
        shutil.rmtree(work, ignore_errors=True)


def print_screens(site, screen, program):
    """The program's own choice against the engine's default path (OpenGL through GLX, the
    floor's), and that path against itself, pixel by pixel."""
    ours = screenshot(program, site, screen, {})
    default = screenshot(program, site, screen, {"QT_XCB_GL_INTEGRATION": "xcb_glx"})
    again = screenshot(program, site, screen, {"QT_XCB_GL_INTEGRATION": "xcb_glx"})
    colours = len({ours[i:i + 3] for i in range(0, len(ours), 4)})
    if colours < 16:
        raise RuntimeError(f"the screen holds {colours} colours: the window was not drawn")
    differ = lambda a, b: sum(a[i:i + 3] != b[i:i + 3] for i in range(0, len(a), 4))
    print_table(f"the main window after the first page ({colours} colours), pixels that differ "
                "(of 889 x 641)", [("figure", 42, "<"), ("pixels", 9, ">"), ("target", 18, "<")], [
        ("software path against the OpenGL path", differ(ours, default), "0"),
        ("  OpenGL path against itself", differ(default, again), "0"),
    ])


# Each figure, its unit, and the most that Tidewell / floor may be.
ROWS = [
    ("start_get", "process start -> first page GET", "ms", 1.05),
    ("start_loaded", "process start -> first page loaded", "ms", 0.75),
    ("pss", "PSS of the process tree, 1 s after load", "MiB", 0.80),
    ("uss", "  of which private (USS)", "MiB", 0.70),
    ("idle_cpu", "CPU of the tree per idle 10 s", "ms", None),
    ("click_get", "List2 click -> its page's GET", "ms", None),
]


def trace(program, site):
    """One run of the program with its start-up steps logged, as offsets from process start."""
    work = tempfile.mkdtemp(prefix="zel-trace-")
    log = os.path.join(work, "trace.log")
    since = site.mark()
    with open(log, "w") as out:
        start = time.monotonic()
        process = launch(program, site, work, {"QT_LOGGING_RULES": "zel.startup.debug=true"}, out)
        try:
            steps = [("first page GET at the server", site.stamp_of(FIRST_PAGE, since)),
                     ("first page loaded (beacon)", site.stamp_of(LOADED, since))]
            time.sleep(0.5)
        finally:
            stop(process)
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


PARTS = ("startup", "scroll", "session", "download", "screen")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--trace", action="store_true",
                        help="only trace one start-up of the program, step by step")
    parser.add_argument("--only", action="append", choices=PARTS,
                        help="run only this part (may be given more than once)")
    parser.add_argument("--program", required=True, type=os.path.abspath)
    parser.add_argument("--floor", required=True, type=os.path.abspath)
    parser.add_argument("--runs", type=int, default=8)
    parser.add_argument("--idle", type=float, default=10.0, help="idle seconds measured")
    parser.add_argument("--pages", type=int, default=400, help="pages of the long session")
    args = parser.parse_args()
    parts = args.only or PARTS

    work = tempfile.mkdtemp(prefix="zel-bench-site-")
    site = Site(work)
    try:
        if args.trace:
            trace(args.program, site)
            return
        screen = Screen()
        if "startup" in parts:
            startup(args, site, screen)
        if "scroll" in parts:
            print_scrolling(args, site, screen)
        if "session" in parts:
            abouts, downloads = 50, 10
            samples, before, after = session(args.program, site, screen, args.pages, abouts,
                                             downloads, args.idle)
            print_session(samples, before, after, args.pages, abouts, downloads)
        if "download" in parts:
            print_download(big_download(args.program))
        if "screen" in parts:
            print_screens(site, screen, args.program)
    finally:
        site.stop()
        shutil.rmtree(work, ignore_errors=True)


def startup(args, site, screen):
    results = {"tidewell": [], "floor": []}
    for run in range(args.runs + 1):
        for name, program in (("tidewell", args.program), ("floor", args.floor)):
            figures = run_once(program, site, screen, args.idle, click=name == "tidewell")
            label = "warm-up" if run == 0 else f"run {run}"
            print(f"{label:8} {name:8} " + "  ".join(
                f"{key}={value:.1f}" for key, value in figures.items()), file=sys.stderr)
            if run:
                results[name].append(figures)

    def cell(name, key):
        values = [r[key] for r in results[name] if key in r]
        if not values:
            return "", None
        return (f"{statistics.median(values):7.1f} ({min(values):.1f}–{max(values):.1f})",
                statistics.median(values))

    rows = []
    for key, title, unit, target in ROWS:
        ours, ours_median = cell("tidewell", key)
        floor, floor_median = cell("floor", key)
        ratio = f"{ours_median / floor_median:5.2f}" if floor_median else "  —  "
        rows.append((title, unit, ours, floor or "—", ratio, f"<= {target:.2f}" if target else ""))
    print_table(f"start-up: {args.runs} counted runs each, alternating, medians (min–max)",
                [("figure", 42, "<"), ("unit", 4, "<"), ("Tidewell", 22, "<"),
                 ("floor", 22, "<"), ("ratio", 5, "<"), ("target", 7, "<")], rows)

if __name__ == "__main__":
    main()

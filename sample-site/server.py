#!/usr/bin/env python3
"""The publisher's sample web site, served as an HTTP proxy for its host on 127.0.0.1 only.

Requests for http://www.zelsoft.example/... are answered from the www/ folder beside this file
(the site root is index.htm); the .exe downloads are generated bodies of the sizes their menu
captions give. A missing page gets 404 and any other host 502. One line per request goes to the
log: the method and the full URL. The port in use is written to --port-file (or printed).
SIGTERM stops the server cleanly.

Downloads are sent at about 4 MB/s, as from a real server, so that their progress can be seen
(--unpaced sends them as fast as the connection takes them, and --size gives a download another
size: the benchmark's big download).
For the tests, http://www.zelsoft.example/__broken/<download path> sends the first half of that
download and then closes the connection, --alias puts a hostile page of www/hostile/ in a
page's place, and a download's address takes a query that makes the
server hostile or slow:
  disposition=<text>   sent as the Content-Disposition header (a server's own choice of name)
  rate=<bytes>         bytes a second instead of 4 MB
"""

import argparse
import functools
import http.server
import math
import os
import random
import re
import signal
import struct
import sys
import threading
import time
import urllib.parse
import zlib

HOST = "www.zelsoft.example"
ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "www")

KB = 1024
MB = 1024 * 1024
DOWNLOADS = {
    "trialversion/setup.exe": round(11.1 * MB),
    "PixoTrial/setup.exe": 820 * KB,
    "KoloDownTrial/setup.exe": 215 * KB,
    "KoloCrawlerTrial/setup.exe": 217 * KB,
    "KoloDrawTrial/setup.exe": 324 * KB,
    "KoloMailerTrial/setup.exe": 219 * KB,
    "KoloBrowserTrial/setup.exe": 206 * KB,
    "KoloSolTrial/setup.exe": 539 * KB,
    "ZelFree/ZelPlayer.exe": 344 * KB,
    "ZelFree/ZelSurfer.exe": 116 * KB,
    "ZelFree/ZelEditor.exe": 432 * KB,
    "ZelFree/ZelPhonebook.exe": 424 * KB,
    "ZelFree/ZelGames.exe": round(4.3 * MB),
    "ZelFree/ZelTidewell.exe": 156 * KB,
}
RATE = 4 * MB  # bytes a second
CHUNK = 64 * KB
TYPES = {".htm": "text/html; charset=utf-8", ".html": "text/html; charset=utf-8",
         ".css": "text/css", ".js": "text/javascript", ".jpg": "image/jpeg", ".png": "image/png",
         ".svg": "image/svg+xml"}


# The publisher's colours, which every picture of the site is drawn in.
PALETTE = [(0x0B, 0x3D, 0x6E), (0x2A, 0x8F, 0xBF), (0x7F, 0xB8, 0xD6), (0xE0, 0xA0, 0x2A),
           (0x3A, 0x7D, 0x2C), (0xC8, 0x5A, 0x3C), (0xFB, 0xFB, 0xF8)]


@functools.lru_cache(maxsize=64)
def picture(name, width=640, height=360):
    """A PNG drawn for the site from its name, the same on every run: a sky, a sun, a skyline
    or hills in the publisher's colours, with a photograph's fine grain."""
    rng = random.Random(name)
    sky, ground, accent = rng.sample(PALETTE[:6], 3)
    light = PALETTE[6]
    sun_x, sun_y, sun_r = rng.randrange(60, width - 60), rng.randrange(40, 120), rng.randrange(20, 45)
    hills = [(rng.uniform(0.005, 0.03), rng.uniform(0, 6.3), rng.randrange(20, 60),
              rng.randrange(height // 2, height - 60)) for _ in range(2)]
    towers = [(rng.randrange(0, width), rng.randrange(20, 60), rng.randrange(60, 180))
              for _ in range(rng.randrange(0, 9))]
    rows = []
    for y in range(height):
        t = y / height
        top = tuple(int(light[i] * t + sky[i] * (1 - t)) for i in range(3))
        row = bytearray(bytes(top) * width)
        if abs(y - sun_y) < sun_r:
            half = int(math.sqrt(sun_r * sun_r - (y - sun_y) ** 2))
            row[3 * (sun_x - half):3 * (sun_x + half)] = bytes(accent) * (2 * half)
        for x, w, h in towers:
            if y >= height - 40 - h:
                end = min(width, x + w)
                row[3 * x:3 * end] = bytes(PALETTE[0]) * (end - x)
        for layer, (freq, phase, amp, base) in enumerate(hills):
            colour = ground if layer else tuple(max(0, c - 30) for c in ground)
            for x in range(0, width, 8):
                if y >= base + amp * math.sin(freq * x + phase):
                    row[3 * x:3 * x + 24] = bytes(colour) * 8
        rows.append(b"\0" + bytes(row[:3 * width]))
    raw = b"".join(rows)
    # Grain: the lowest bit of each colour, as a camera's sensor leaves it.
    grain = bytes([0, 1]) * 128
    noise = b"".join(b"\0" + rng.randbytes(3 * width).translate(grain) for _ in range(height))
    raw = (int.from_bytes(raw, "big") ^ int.from_bytes(noise, "big")).to_bytes(len(raw), "big")

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))


def download_block(path):
    """The 64 KiB that a generated download repeats: the same for the same path on every run."""
    seed = sum(path.encode()) & 0xFF
    return bytes((seed + i * 7 + (i >> 8)) & 0xFF for i in range(64 * KB))


def download_chunks(path, size, chunk):
    """The bytes of a generated download, in pieces of at most chunk bytes."""
    block = download_block(path)
    pattern = memoryview(block * (2 + chunk // len(block)))
    for offset in range(0, size, chunk):
        start = offset % len(block)
        yield pattern[start:start + min(chunk, size - offset)]


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "ZelsoftSample/1.0"

    def log_message(self, *args):
        pass

    def log_request_line(self):
        stamp = f"{time.monotonic():.6f} " if self.server.stamp else ""
        with self.server.log_lock:
            self.server.log.write(f"{stamp}{self.command} {self.full_url()}\n")
            self.server.log.flush()

    def full_url(self):
        if self.command == "CONNECT":
            return self.path
        if self.path.startswith("/"):
            return f"http://{self.headers.get('Host', '')}{self.path}"
        return self.path

    def reply(self, status, body=b"", content_type="text/plain; charset=utf-8"):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "no-store")
        self.end_headers()
        if self.command != "HEAD":
            try:
                self.wfile.write(body)
            except ConnectionError:
                # The browser stopped reading: a cancelled load or download.
                self.close_connection = True

    def send_download(self, path, size, broken=False, query=None):
        """Sends a download, paced unless the server is unpaced; a broken one stops halfway
        and hangs up."""
        query = query or {}
        rate = None if self.server.unpaced else int(query.get("rate", RATE))
        chunk = MB if rate is None else min(CHUNK, max(1, rate // 10))
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(size))
        self.send_header("Cache-Control", "no-store")
        if "disposition" in query:
            # As the server sends it: no line breaks, which would end the header.
            self.send_header("Content-Disposition",
                             query["disposition"].replace("\r", "").replace("\n", ""))
        self.end_headers()
        if self.command == "HEAD":
            return
        end = size // 2 if broken else size
        start = time.monotonic()
        sent = 0
        try:
            for piece in download_chunks(path, end, chunk):
                self.wfile.write(piece)
                sent += len(piece)
                ahead = start + sent / rate - time.monotonic() if rate else 0
                if ahead > 0:
                    time.sleep(ahead)
            self.wfile.flush()
        except ConnectionError:
            pass
        if broken:
            self.close_connection = True
            try:
                self.connection.shutdown(2)
            except OSError:
                pass  # the browser hung up first

    def do_CONNECT(self):
        self.log_request_line()
        self.reply(502, b"This proxy serves only http://" + HOST.encode() + b"/\n")
        self.close_connection = True

    def do_GET(self):
        self.log_request_line()
        url = urllib.parse.urlsplit(self.full_url())
        if url.scheme != "http" or url.hostname != HOST:
            self.reply(502, b"This proxy serves only http://" + HOST.encode() + b"/\n")
            return
        path = urllib.parse.unquote(url.path).lstrip("/")
        if path == "__loaded":
            self.reply(204)
            return
        broken = path.startswith("__broken/")
        if broken:
            path = path[len("__broken/"):]
        if path in DOWNLOADS:
            query = dict(urllib.parse.parse_qsl(url.query))
            self.send_download(path, self.server.sizes.get(path, DOWNLOADS[path]), broken, query)
            return
        drawn = re.fullmatch(r"pictures/([a-z_]+-[0-9]+)\.png", path)
        if drawn:
            self.reply(200, picture(drawn.group(1)), "image/png")
            return
        path = self.server.aliases.get(path, path)
        file = os.path.normpath(os.path.join(ROOT, path or "index.htm"))
        if not file.startswith(ROOT + os.sep) or not os.path.isfile(file):
            self.reply(404, b"Not found: /" + path.encode() + b"\n")
            return
        with open(file, "rb") as f:
            body = f.read()
        self.reply(200, body, TYPES.get(os.path.splitext(file)[1], "application/octet-stream"))

    do_HEAD = do_GET

    def do_POST(self):
        self.log_request_line()
        self.reply(405)


class Server(http.server.ThreadingHTTPServer):
    def handle_error(self, request, client_address):
        if not isinstance(sys.exc_info()[1], ConnectionError):
            super().handle_error(request, client_address)


def write_body(path, out):
    """Writes the body of the download at path, as the server sends it, to out."""
    with open(out, "wb") as f:
        for piece in download_chunks(path, DOWNLOADS[path], MB):
            f.write(piece)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port", type=int, default=0, help="port on 127.0.0.1 (0: any free one)")
    parser.add_argument("--port-file", help="write the port in use to this file")
    parser.add_argument("--log", help="request log file (default: standard error)")
    parser.add_argument("--stamp", action="store_true",
                        help="begin each log line with the monotonic clock's time, in seconds")
    parser.add_argument("--alias", action="append", default=[], metavar="PATH=FILE",
                        help="answer PATH with the page FILE of www/ (a test's hostile page)")
    parser.add_argument("--unpaced", action="store_true",
                        help="send downloads as fast as the connection takes them")
    parser.add_argument("--size", action="append", default=[], metavar="PATH=BYTES",
                        help="send the download at PATH with this many bytes")
    parser.add_argument("--write-body", nargs=2, metavar=("PATH", "OUT"),
                        help="write the body of a download to OUT and exit")
    args = parser.parse_args()
    if args.write_body:
        write_body(*args.write_body)
        return

    server = Server(("127.0.0.1", args.port), Handler)
    server.daemon_threads = True
    server.log_lock = threading.Lock()
    server.stamp = args.stamp
    server.aliases = dict(alias.split("=", 1) for alias in args.alias)
    server.unpaced = args.unpaced
    server.sizes = {path: int(size) for path, size in (s.split("=", 1) for s in args.size)}
    server.log = open(args.log, "a", buffering=1) if args.log else sys.stderr
    port = server.server_address[1]
    if args.port_file:
        tmp = args.port_file + ".tmp"
        with open(tmp, "w") as f:
            f.write(f"{port}\n")
        os.replace(tmp, args.port_file)
    else:
        print(port, flush=True)

    signal.signal(signal.SIGTERM, lambda *_: threading.Thread(target=server.shutdown).start())

    # A test that crashes cannot stop its server; it stops by itself when its parent is gone.
    def watch_parent(parent=os.getppid()):
        while os.getppid() == parent:
            time.sleep(0.5)
        server.shutdown()
    threading.Thread(target=watch_parent, daemon=True).start()
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    server.server_close()


if __name__ == "__main__":
    main()

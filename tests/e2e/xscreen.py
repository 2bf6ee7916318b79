"""The few X11 calls the end-to-end tests and the benchmark make, on Debian's python3-xlib: the
screen's pixels, the pointer and buttons through XTest, the keymap, and a window's close."""

import os
import time

from Xlib import X, display
from Xlib.ext import xtest
from Xlib.protocol import event


class Screen:
    """A connection to the X display named in DISPLAY (now, or when given)."""

    def __init__(self, name=None):
        self.display = display.Display(name or os.environ["DISPLAY"])
        self.root = self.display.screen().root

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.close()

    def close(self):
        # A round trip first: a busy X server drops the requests of a connection that closes
        # before it has read them (a close or a click sent, then lost).
        self.display.sync()
        self.display.close()

    def grab(self, x, y, width, height):
        """The pixels of a rectangle of the screen, as rows of 32-bit pixels, blue first."""
        data = self.root.get_image(x, y, width, height, X.ZPixmap, 0xFFFFFFFF).data
        return [data[row * width * 4:(row + 1) * width * 4] for row in range(height)]

    def pixel(self, x, y):
        """The colour (r, g, b) of the screen at a point."""
        blue, green, red = self.grab(x, y, 1, 1)[0][:3]
        return red, green, blue

    def click(self, x, y):
        """A left click at a point of the screen; returns the moment it was sent."""
        xtest.fake_input(self.display, X.MotionNotify, x=x, y=y)
        self.display.sync()
        xtest.fake_input(self.display, X.ButtonPress, 1)
        xtest.fake_input(self.display, X.ButtonRelease, 1)
        self.display.flush()
        return time.monotonic()

    def bind_keys(self, text):
        """Binds each character of text that the keymap lacks to a spare key, for good:
        xdotool's own binding is undone straight after the key press, before a busy program
        reads it."""
        first = self.display.display.info.min_keycode
        count = self.display.display.info.max_keycode - first + 1
        rows = self.display.get_keyboard_mapping(first, count)
        spare = [first + i for i, row in enumerate(rows) if not any(row)]
        bound = {sym for row in rows for sym in row}
        wanted = {ord(c) if ord(c) < 0x100 else 0x1000000 | ord(c)
                  for c in text if c.isprintable()}
        for sym in wanted - bound:
            self.display.change_keyboard_mapping(spare.pop(), [(sym,)])
        self.display.sync()

    def close_window(self, window):
        """Asks the window to close, as a window manager's close button does
        (WM_DELETE_WINDOW)."""
        target = self.display.create_resource_object("window", int(window))
        protocols = self.display.intern_atom("WM_PROTOCOLS")
        delete = self.display.intern_atom("WM_DELETE_WINDOW")
        target.send_event(event.ClientMessage(window=target, client_type=protocols,
                                              data=(32, [delete, X.CurrentTime, 0, 0, 0])))
        self.display.flush()

#!/usr/bin/env python3
"""Reads what the game put on the screen, for the end-to-end play test.

Screenshots and the game's own pictures are turned into plain RGB pixels by ImageMagick's
convert (as PPM) and compared here pixel by pixel. Magenta (255, 0, 255) is the transparent
colour of every picture, so only a picture's other pixels are compared. A tolerance per
colour channel allows for the 16-bit screen, whose colours lose their low bits.

Commands (every one prints its finding on standard output):
  digits SHOT NUMBERS X Y COUNT TOL    the COUNT digits whose 17 x 32 cells start at (X, Y),
                                       '?' for a cell that shows no digit
  frame SHOT X Y TOL KEY PICTURE...    the 1-based number of the picture that best matches
                                       the screen with its top-left corner near (X, Y), the
                                       share of its pixels that match, and where it stands
  find SHOT KEY PICTURE...             how many places show one of the pictures whole
                                       (exact colours)
  matches SHOT PICTURE X Y TOL KEY     the share of the picture's pixels that the screen shows
                                       with its top-left corner at (X, Y)
  close WINDOW                         asks the X11 window to close, as a window manager's
                                       close button does (WM_DELETE_WINDOW)
"""

import ctypes
import ctypes.util
import subprocess
import sys

KEYS = {"magenta": (255, 0, 255), "black": (0, 0, 0), "none": None}
DIGIT_WIDTH = 17
DIGIT_HEIGHT = 32


class Picture:
    def __init__(self, path):
        data = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True,
                              stdout=subprocess.PIPE).stdout
        fields = []
        at = 0
        # The PPM header: P6, width, height, maximum value, each after white space.
        while len(fields) < 4:
            while data[at:at + 1].isspace():
                at += 1
            if data[at:at + 1] == b"#":
                at = data.index(b"\n", at)
                continue
            start = at
            while not data[at:at + 1].isspace():
                at += 1
            fields.append(data[start:at])
        if fields[0] != b"P6" or int(fields[3]) != 255:
            raise SystemExit(f"{path}: not an 8-bit picture")
        self.width = int(fields[1])
        self.height = int(fields[2])
        body = data[at + 1:]
        self.rgb = body
        self.path = path

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return (self.rgb[i], self.rgb[i + 1], self.rgb[i + 2])

    def opaque(self, key, x0=0, y0=0, w=None, h=None):
        """The pixels of a region that are not the key colour, as (dx, dy, colour) from its
        corner."""
        w = self.width if w is None else w
        h = self.height if h is None else h
        found = []
        for dy in range(h):
            for dx in range(w):
                colour = self.pixel(x0 + dx, y0 + dy)
                if colour != key:
                    found.append((dx, dy, colour))
        return found


def near(a, b, tol):
    return abs(a[0] - b[0]) <= tol and abs(a[1] - b[1]) <= tol and abs(a[2] - b[2]) <= tol


def share(shot, pixels, x, y, tol):
    """Share of the pixels that the screenshot shows at (x, y) + their offsets."""
    if not pixels:
        return 0.0
    hits = 0
    for dx, dy, colour in pixels:
        sx, sy = x + dx, y + dy
        if 0 <= sx < shot.width and 0 <= sy < shot.height and near(shot.pixel(sx, sy), colour, tol):
            hits += 1
    return hits / len(pixels)


def read_digits(shot, numbers, x, y, count, tol):
    glyphs = [numbers.opaque(KEYS["magenta"], DIGIT_WIDTH * d, 0, DIGIT_WIDTH, DIGIT_HEIGHT)
              for d in range(10)]
    text = ""
    report = []
    for cell in range(count):
        scores = [share(shot, glyphs[d], x + DIGIT_WIDTH * cell, y, tol) for d in range(10)]
        # A glyph whose strokes lie inside another's (a 1 inside a 9) matches that one too;
        # the cell shows the fullest glyph that matches.
        fitting = [d for d in range(10) if scores[d] >= 0.97]
        text += str(max(fitting, key=lambda d: len(glyphs[d]))) if fitting else "?"
        report.append(" ".join(f"{d}:{scores[d]:.2f}" for d in range(10)))
    return text, report


def best_frame(shot, key, paths, x, y, tol, reach=1):
    best = (0.0, 0, x, y)
    for number, path in enumerate(paths, start=1):
        pixels = Picture(path).opaque(key)
        for oy in range(-reach, reach + 1):
            for ox in range(-reach, reach + 1):
                score = share(shot, pixels, x + ox, y + oy, tol)
                if score > best[0]:
                    best = (score, number, x + ox, y + oy)
    return best


def find_all(shot, key, paths):
    """Places where one of the pictures stands whole on the screen, colours exact."""
    where = {}
    for y in range(shot.height):
        for x in range(shot.width):
            where.setdefault(shot.pixel(x, y), []).append((x, y))
    places = set()
    for path in paths:
        pixels = Picture(path).opaque(key)
        if not pixels:
            continue
        # Anchor on the picture's rarest colour on this screen, then check the rest.
        ax, ay, colour = min(pixels, key=lambda p: len(where.get(p[2], ())))
        for sx, sy in where.get(colour, ()):
            if share(shot, pixels, sx - ax, sy - ay, 0) >= 0.9:
                places.add((sx - ax, sy - ay))
    return len(places)


class XClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]


class XEvent(ctypes.Union):
    _fields_ = [("xclient", XClientMessageEvent), ("pad", ctypes.c_long * 24)]


def close_window(window):
    xlib = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                ctypes.POINTER(XEvent)]
    xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = xlib.XOpenDisplay(None)
    if not display:
        raise SystemExit("cannot open the X display")
    event = XEvent()
    event.xclient.type = 33  # ClientMessage
    event.xclient.window = window
    event.xclient.message_type = xlib.XInternAtom(display, b"WM_PROTOCOLS", 0)
    event.xclient.format = 32
    event.xclient.data[0] = xlib.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    event.xclient.data[1] = 0  # CurrentTime
    if not xlib.XSendEvent(display, window, 0, 0, ctypes.byref(event)):
        raise SystemExit("cannot send the close request")
    xlib.XSync(display, 0)
    xlib.XCloseDisplay(display)


def main(argv):
    command = argv[1] if len(argv) > 1 else ""
    if command == "digits" and len(argv) == 8:
        text, report = read_digits(Picture(argv[2]), Picture(argv[3]), int(argv[4]), int(argv[5]),
                                   int(argv[6]), int(argv[7]))
        print(text)
        for cell, line in enumerate(report):
            print(f"  cell {cell}: {line}", file=sys.stderr)
    elif command == "frame" and len(argv) >= 8 and argv[6] in KEYS:
        score, number, x, y = best_frame(Picture(argv[2]), KEYS[argv[6]], argv[7:], int(argv[3]),
                                         int(argv[4]), int(argv[5]))
        print(f"{number} {score:.2f} {x} {y}")
    elif command == "find" and len(argv) >= 5 and argv[3] in KEYS:
        print(find_all(Picture(argv[2]), KEYS[argv[3]], argv[4:]))
    elif command == "matches" and len(argv) == 8 and argv[7] in KEYS:
        pixels = Picture(argv[3]).opaque(KEYS[argv[7]])
        print(f"{share(Picture(argv[2]), pixels, int(argv[4]), int(argv[5]), int(argv[6])):.2f}")
    elif command == "close" and len(argv) == 3:
        close_window(int(argv[2], 0))
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

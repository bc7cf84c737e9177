#!/usr/bin/env python3
"""Pixel counts on screenshots for the end-to-end checks.

  pixels.py trail FILE               lit, in-band and off-band pixel counts
  pixels.py green FILE X0 Y0 X1 Y1   font-green pixels in a box (X1, Y1 exclusive)
  pixels.py box FILE X0 Y0 X1 Y1     lit pixels inside a box and outside it
  pixels.py colour FILE R G B        pixels of exactly that colour
  pixels.py diff A B                 pixels that differ between two shots

The trail's points keep the head's colour, whose channels stay within
128..255, faded by one factor for all three channels: so every bright trail
pixel has its smallest channel at least about half its largest. The overlay
font is pure green, which no trail pixel can be.
"""
import os
import subprocess
import sys

BRIGHT = 64        # channels this high are far from 16-bit rounding
BAND_RATIO = 0.35  # half, less the rounding of a 5-6-5 display
MAGICK = "/usr/bin/" if os.path.exists("/usr/bin/convert") else ""  # not another `convert` in PATH


def pixels(path):
    """(x, y, (r, g, b)) for every pixel."""
    w = int(subprocess.run([MAGICK + "identify", "-format", "%w", path], check=True,
                           capture_output=True, text=True).stdout)
    raw = subprocess.run([MAGICK + "convert", path, "-depth", "8", "rgb:-"], check=True,
                         capture_output=True).stdout
    for i in range(0, len(raw) - 2, 3):
        yield (i // 3) % w, (i // 3) // w, (raw[i], raw[i + 1], raw[i + 2])


def is_green(r, g, b):
    return g >= 200 and r <= 60 and b <= 60


def trail(path):
    lit = band = off = total = 0
    for _, _, (r, g, b) in pixels(path):
        total += 1
        top = max(r, g, b)
        lit += top > 0
        if top >= BRIGHT:
            if min(r, g, b) >= BAND_RATIO * top and not is_green(r, g, b):
                band += 1
            else:
                off += 1
    return f"lit={lit} band={band} off={off} total={total}"


def inside(x, y, box):
    return box[0] <= x < box[2] and box[1] <= y < box[3]


def main(argv):
    kind, args = (argv[1], argv[2:]) if len(argv) > 2 else (None, [])
    if kind == "trail" and len(args) == 1:
        print(trail(args[0]))
    elif kind == "green" and len(args) == 5:
        box = [int(v) for v in args[1:]]
        print(sum(inside(x, y, box) and is_green(*c) for x, y, c in pixels(args[0])))
    elif kind == "box" and len(args) == 5:
        box = [int(v) for v in args[1:]]
        lit = [inside(x, y, box) for x, y, c in pixels(args[0]) if c != (0, 0, 0)]
        print(f"inside={sum(lit)} outside={len(lit) - sum(lit)}")
    elif kind == "colour" and len(args) == 4:
        want = tuple(int(v) for v in args[1:])
        print(sum(c == want for _, _, c in pixels(args[0])))
    elif kind == "diff" and len(args) == 2:
        a, b = (list(c for _, _, c in pixels(f)) for f in args)
        print(len(a) if len(a) != len(b) else sum(p != q for p, q in zip(a, b)))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)

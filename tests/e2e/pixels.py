#!/usr/bin/env python3
"""Pixel counts on screenshots for the end-to-end checks.

  pixels.py trail FILE            lit, in-band and off-band pixel counts
  pixels.py green FILE X0 Y0 X1 Y1  font-green pixels in a box (X1, Y1 exclusive)
  pixels.py diff A B              pixels that differ between two shots
  pixels.py box FILE X0 Y0 X1 Y1  lit pixels inside a box and outside it

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


# The real ImageMagick: another `convert` may come first in PATH.
MAGICK = "/usr/bin/" if os.path.exists("/usr/bin/convert") else ""


def load(path):
    size = subprocess.run([MAGICK + "identify", "-format", "%w %h", path], check=True,
                          capture_output=True, text=True).stdout.split()
    raw = subprocess.run([MAGICK + "convert", path, "-depth", "8", "rgb:-"], check=True,
                         capture_output=True).stdout
    return int(size[0]), int(size[1]), raw


def is_green(r, g, b):
    return g >= 200 and r <= 60 and b <= 60


def trail(path):
    w, h, raw = load(path)
    lit = band = off = 0
    for i in range(0, w * h * 3, 3):
        r, g, b = raw[i], raw[i + 1], raw[i + 2]
        top = max(r, g, b)
        if top == 0:
            continue
        lit += 1
        if top < BRIGHT:
            continue
        if min(r, g, b) >= BAND_RATIO * top and not is_green(r, g, b):
            band += 1
        else:
            off += 1
    print(f"lit={lit} band={band} off={off} total={w * h}")


def green(path, x0, y0, x1, y1):
    w, h, raw = load(path)
    count = 0
    for y in range(max(0, y0), min(h, y1)):
        for x in range(max(0, x0), min(w, x1)):
            i = (y * w + x) * 3
            count += is_green(raw[i], raw[i + 1], raw[i + 2])
    print(count)


def box(path, x0, y0, x1, y1):
    w, h, raw = load(path)
    inside = outside = 0
    for i in range(0, w * h * 3, 3):
        if raw[i] == 0 and raw[i + 1] == 0 and raw[i + 2] == 0:
            continue
        x, y = (i // 3) % w, (i // 3) // w
        if x0 <= x < x1 and y0 <= y < y1:
            inside += 1
        else:
            outside += 1
    print(f"inside={inside} outside={outside}")


def diff(a, b):
    wa, ha, ra = load(a)
    wb, hb, rb = load(b)
    if (wa, ha) != (wb, hb):
        print(wa * ha)
        return
    print(sum(1 for i in range(0, len(ra), 3) if ra[i:i + 3] != rb[i:i + 3]))


def main(argv):
    if len(argv) >= 3 and argv[1] == "trail":
        trail(argv[2])
    elif len(argv) == 7 and argv[1] == "green":
        green(argv[2], *map(int, argv[3:]))
    elif len(argv) == 7 and argv[1] == "box":
        box(argv[2], *map(int, argv[3:]))
    elif len(argv) == 4 and argv[1] == "diff":
        diff(argv[2], argv[3])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)

#!/usr/bin/env python3
"""Pixel counts on pictures (screenshots, PPM files) for the end-to-end checks:

  pixels.py lit FILE                 pixels that are not black
  pixels.py off FILE                 bright pixels outside the trail's colour band
  pixels.py box FILE X0 Y0 X1 Y1     "INSIDE OUTSIDE": lit pixels in a box (X1, Y1 exclusive) and out of it
  pixels.py colour FILE R G B        pixels of exactly that colour
  pixels.py diff A B                 pixels that differ between two shots
  pixels.py parity LIMIT NAME A B [NAME A B ...]
      the share of pixels lit in either picture of a pair where the two
      disagree by more than a 5-6-5 channel's rounding, per pair and over all;
      exits 1 when the overall share (per cent) reaches LIMIT

The trail's points keep the head's colour, whose channels stay within
128..255, faded by one factor for all three channels: so every bright trail
pixel has its smallest channel at least about half its largest (0.35 allows
for a 5-6-5 display's rounding). The overlay font is pure green, off the band.
"""
import subprocess
import sys


def pixels(path):
    """(x, y, (r, g, b)) for every pixel, read by the real ImageMagick."""
    w = int(subprocess.run(["/usr/bin/identify", "-format", "%w", path], check=True,
                           capture_output=True, text=True).stdout)
    raw = subprocess.run(["/usr/bin/convert", path, "-depth", "8", "rgb:-"], check=True,
                         capture_output=True).stdout
    for i in range(0, len(raw) - 2, 3):
        yield (i // 3) % w, (i // 3) // w, (raw[i], raw[i + 1], raw[i + 2])


def parity(limit, *items):
    total = [0, 0]
    for k in range(0, len(items), 3):
        a, b = (list(c for _, _, c in pixels(f)) for f in items[k + 1:k + 3])
        assert len(a) == len(b), f"{items[k]}: the pictures differ in size"
        lit = [p != (0, 0, 0) or q != (0, 0, 0) for p, q in zip(a, b)]
        differ = sum(l and any(abs(x - y) > 8 for x, y in zip(p, q)) for l, p, q in zip(lit, a, b))
        total = [total[0] + sum(lit), total[1] + differ]
        print(f"{items[k]:10s} lit {sum(lit):7d}  differing {differ:6d}  {100.0 * differ / max(sum(lit), 1):6.2f}%")
    share = 100.0 * total[1] / max(total[0], 1)
    print(f'{"all":10s} lit {total[0]:7d}  differing {total[1]:6d}  {share:6.2f}%  (limit {limit}%)')
    sys.exit(0 if share < float(limit) else 1)


def main(kind, path, *args):
    n = [int(v) for v in args] if kind in ("box", "colour") else []
    if kind == "lit":
        return sum(c != (0, 0, 0) for _, _, c in pixels(path))
    if kind == "off":
        return sum(max(c) >= 64 and min(c) < 0.35 * max(c) for _, _, c in pixels(path))
    if kind == "box":
        lit = [n[0] <= x < n[2] and n[1] <= y < n[3] for x, y, c in pixels(path) if c != (0, 0, 0)]
        return f"{sum(lit)} {len(lit) - sum(lit)}"
    if kind == "colour":
        return sum(c == tuple(n) for _, _, c in pixels(path))
    a, b = (list(c for _, _, c in pixels(f)) for f in (path, *args))
    return len(a) if len(a) != len(b) else sum(p != q for p, q in zip(a, b))


if __name__ == "__main__":
    if len(sys.argv) < 3 or sys.argv[1] not in ("lit", "off", "box", "colour", "diff", "parity"):
        sys.exit(__doc__)
    print(parity(*sys.argv[2:]) if sys.argv[1] == "parity" else main(*sys.argv[1:]))

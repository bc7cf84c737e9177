#!/usr/bin/env python3
"""Writes APPICON: a fading, spiralling trail of coloured segments on black,
as a 32x32 icon (.ico, 32-bit with mask) and the same picture as a 24-bit
bottom-up .bmp for ports that show it without a resource compiler."""
import math
import struct
import sys

SIZE = 32


def draw():
    img = [[(0, 0, 0)] * SIZE for _ in range(SIZE)]
    points = []
    for i in range(48):  # a spiral whose drawn points circle a diagonal path
        t = i / 47.0
        bx, by = 5 + 22 * t, 26 - 20 * t
        a = i * 0.55
        r = 3.5 + 1.5 * math.cos(i * 0.3)
        points.append((bx + r * math.cos(a), by + r * math.sin(a)))
    for i in range(len(points) - 1):
        fade = (i + 1) / len(points)
        colour = (int(255 * fade), int(160 + 95 * fade) * fade, int(255 * (1 - fade) + 80) * fade)
        (x0, y0), (x1, y1) = points[i], points[i + 1]
        steps = int(max(abs(x1 - x0), abs(y1 - y0)) * 3) + 1
        for s in range(steps + 1):
            x = x0 + (x1 - x0) * s / steps
            y = y0 + (y1 - y0) * s / steps
            for dx in (0, 1):
                for dy in (0, 1):
                    px, py = int(x) + dx, int(y) + dy
                    if 0 <= px < SIZE and 0 <= py < SIZE:
                        img[py][px] = tuple(min(255, int(c)) for c in colour)
    return img


def ico_bytes(img):
    xor = bytearray()
    for y in reversed(range(SIZE)):
        for x in range(SIZE):
            r, g, b = img[y][x]
            xor += bytes([b, g, r, 255])
    mask = bytes(SIZE * SIZE // 8)  # all opaque
    info = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    data = info + bytes(xor) + mask
    header = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, 1, 32, len(data), 6 + 16)
    return header + entry + data


def bmp_bytes(img):
    rows = bytearray()
    for y in reversed(range(SIZE)):
        for x in range(SIZE):
            r, g, b = img[y][x]
            rows += bytes([b, g, r])
    info = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE, 1, 24, 0, len(rows), 0, 0, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(rows), 0, 0, 54)
    return header + info + bytes(rows)


def main():
    img = draw()
    with open(sys.argv[1], 'wb') as f:
        f.write(ico_bytes(img))
    with open(sys.argv[2], 'wb') as f:
        f.write(bmp_bytes(img))


if __name__ == '__main__':
    main()

#!/usr/bin/env python3
"""Writes APPICON: a fading, spiralling trail of coloured segments on black,
as a 32x32 icon (.ico, 32-bit with mask) and the same picture as a 24-bit
bottom-up .bmp for ports that show it without a resource compiler.

  make_icon.py ICO BMP        the 32x32 icon and bitmap
  make_icon.py --png N PNG    the same picture drawn at N x N, as a PNG
"""
import math
import struct
import sys
import zlib

SIZE = 32


def draw(size=SIZE):
    scale = size / SIZE
    dot = max(1, round(2 * scale))  # the pen, two pixels wide at 32
    img = [[(0, 0, 0)] * size for _ in range(size)]
    points = []
    for i in range(48):  # a spiral whose drawn points circle a diagonal path
        t = i / 47.0
        bx, by = 5 + 22 * t, 26 - 20 * t
        a = i * 0.55
        r = 3.5 + 1.5 * math.cos(i * 0.3)
        points.append(((bx + r * math.cos(a)) * scale, (by + r * math.sin(a)) * scale))
    for i in range(len(points) - 1):
        fade = (i + 1) / len(points)
        colour = (int(255 * fade), int(160 + 95 * fade) * fade, int(255 * (1 - fade) + 80) * fade)
        (x0, y0), (x1, y1) = points[i], points[i + 1]
        steps = int(max(abs(x1 - x0), abs(y1 - y0)) * 3) + 1
        for s in range(steps + 1):
            x = x0 + (x1 - x0) * s / steps
            y = y0 + (y1 - y0) * s / steps
            for dx in range(dot):
                for dy in range(dot):
                    px, py = int(x) + dx, int(y) + dy
                    if 0 <= px < size and 0 <= py < size:
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


def png_bytes(img):
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    size = len(img)
    raw = b''.join(b'\0' + bytes(c for pixel in row for c in pixel) for row in img)
    header = struct.pack('>IIBBBBB', size, size, 8, 2, 0, 0, 0)  # 8-bit RGB
    return b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b'')


def main():
    if sys.argv[1] == '--png':
        with open(sys.argv[3], 'wb') as f:
            f.write(png_bytes(draw(int(sys.argv[2]))))
        return
    img = draw()
    with open(sys.argv[1], 'wb') as f:
        f.write(ico_bytes(img))
    with open(sys.argv[2], 'wb') as f:
        f.write(bmp_bytes(img))


if __name__ == '__main__':
    main()

#!/usr/bin/env python3
"""Writes FONT01: 16 seven-segment glyphs of 16x16 pixels, green on black,
as a 4-bit bottom-up Windows bitmap (2152 bytes). The pixels come from the
segment and glyph tables below; nothing is drawn by hand."""
import struct
import sys

# Segment -> list of (row, column) lit pixels within a 16x16 cell.
def _row(r, c0, c1):
    return [(r, c) for c in range(c0, c1 + 1)]

def _col(c, r0, r1):
    return [(r, c) for r in range(r0, r1 + 1)]

SEGMENTS = {
    'a': _row(1, 3, 12) + _row(2, 4, 11),
    'b': _col(13, 3, 6) + _col(12, 4, 5),
    'c': _col(13, 10, 13) + _col(12, 11, 12),
    'd': _row(14, 4, 11) + _row(15, 3, 12),
    'e': _col(2, 10, 13) + _col(3, 11, 12),
    'f': _col(2, 3, 6) + _col(3, 4, 5),
    'g': _row(7, 4, 11) + _row(8, 3, 12) + _row(9, 4, 11),
}

DIGITS = ['abcdef', 'bc', 'abdeg', 'abcdg', 'bcfg', 'acdfg', 'acdefg', 'abcf', 'abcdefg', 'abcdfg']


def colon():
    return [(r, c) for r in (4, 5, 11, 12) for c in (7, 8)]


def slash():
    px = [(2, 12), (2, 13), (14, 1), (14, 2)]
    for r in range(3, 14):
        px += [(r, c) for c in range(14 - r, 17 - r)]
    return px


def open_bracket():
    px = _row(1, 8, 12) + _row(2, 9, 12) + _row(14, 9, 12) + _row(15, 8, 12)
    px += [(r, 7) for r in (3, 6, 10, 13)]
    px += [(r, c) for r in (4, 5, 11, 12) for c in (7, 8)]
    return px


def arrow():
    spans = {3: (7, 8), 4: (6, 8), 5: (5, 7), 6: (4, 6), 7: (3, 13), 8: (2, 13),
             9: (3, 13), 10: (4, 6), 11: (5, 7), 12: (6, 8), 13: (7, 8)}
    return [p for r, (c0, c1) in spans.items() for p in _row(r, c0, c1)]


def glyphs():
    cells = [sum((SEGMENTS[s] for s in segs), []) for segs in DIGITS]
    cells.append(colon())                                      # 10 ':'
    cells.append(slash())                                      # 11 '/'
    cells.append(sum((SEGMENTS[s] for s in 'aefg'), []))       # 12 'F'
    cells.append(open_bracket())                               # 13 '['
    cells.append([(r, 15 - c) for r, c in open_bracket()])     # 14 ']'
    cells.append(arrow())                                      # 15 '<'
    return cells


def bitmap_bytes():
    width, height = 256, 16
    lit = [[0] * width for _ in range(height)]
    for n, cell in enumerate(glyphs()):
        for r, c in cell:
            lit[r][16 * n + c] = 1
    pixels = bytearray()
    for r in reversed(range(height)):  # bottom-up rows
        for x in range(0, width, 2):
            pixels.append((lit[r][x] << 4) | lit[r][x + 1])
    palette = bytes([0, 0, 0, 0, 0, 255, 0, 0]) + bytes(4 * 14)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0, 0, 0, 0, 16, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return header, info + palette + bytes(pixels)


def main():
    header, dib = bitmap_bytes()
    assert len(dib) == 2152, len(dib)
    with open(sys.argv[1], 'wb') as f:
        f.write(header + dib)


if __name__ == '__main__':
    main()

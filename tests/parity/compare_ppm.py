#!/usr/bin/env python3
"""Compares pairs of binary PPM pictures of the same size:
    compare_ppm.py LIMIT NAME A.ppm B.ppm [NAME A B ...]
A pixel is lit when it is not black in either picture; it differs when the
two disagree there by more than the 5-6-5 rounding of a channel. Prints the
share of lit pixels that differ per pair and over all; exits 1 when the
overall share (per cent) reaches LIMIT."""
import sys


def read_ppm(path):
    magic, width, height, depth, pixels = open(path, 'rb').read().split(maxsplit=4)
    assert magic == b'P6' and depth == b'255' and len(pixels) == 3 * int(width) * int(height), \
        f'{path}: not a whole 8-bit P6 picture'
    return (int(width), int(height)), pixels


def compare(path_a, path_b):
    (size_a, a), (size_b, b) = read_ppm(path_a), read_ppm(path_b)
    assert size_a == size_b, f'{path_a} and {path_b} differ in size'
    lit = differ = 0
    for i in range(0, len(a), 3):
        ca, cb = a[i:i + 3], b[i:i + 3]
        if any(ca) or any(cb):
            lit += 1
            differ += any(abs(x - y) > 8 for x, y in zip(ca, cb))
    return lit, differ


limit, items = float(sys.argv[1]), sys.argv[2:]
total_lit = total_differ = 0
for k in range(0, len(items), 3):
    lit, differ = compare(items[k + 1], items[k + 2])
    total_lit, total_differ = total_lit + lit, total_differ + differ
    print(f'{items[k]:10s} lit {lit:7d}  differing {differ:6d}  {100.0 * differ / max(lit, 1):6.2f}%')
share = 100.0 * total_differ / max(total_lit, 1)
print(f'{"all":10s} lit {total_lit:7d}  differing {total_differ:6d}  {share:6.2f}%  (limit {limit}%)')
sys.exit(0 if share < limit else 1)

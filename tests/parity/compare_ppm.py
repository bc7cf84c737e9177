#!/usr/bin/env python3
"""Compares pairs of binary PPM pictures of the same size:
    compare_ppm.py [--limit PERCENT] [--keep DIR] NAME A.ppm B.ppm [NAME A B ...]
A pixel is lit when it is not black in either picture; it differs when the
two pictures disagree there by more than the 5-6-5 rounding of a channel.
Prints the share of lit pixels that differ per pair and over all pairs; exits
1 when the overall share reaches the limit. With --keep, writes a difference
picture per pair (red: only in A, green: only in B, yellow: both, other colour)."""
import argparse
import os
import sys


def read_ppm(path):
    with open(path, 'rb') as f:
        data = f.read()
    parts = data.split(maxsplit=4)
    if parts[0] != b'P6' or parts[3] != b'255':
        raise ValueError(f'{path}: not an 8-bit P6 picture')
    width, height = int(parts[1]), int(parts[2])
    pixels = parts[4]
    if len(pixels) != 3 * width * height:
        raise ValueError(f'{path}: truncated')
    return width, height, pixels


def compare(a, b, keep=None):
    wa, ha, pa = a
    wb, hb, pb = b
    if (wa, ha) != (wb, hb):
        raise ValueError('pictures differ in size')
    lit = differ = 0
    diff = bytearray(3 * wa * ha) if keep else None
    for i in range(0, len(pa), 3):
        ca, cb = pa[i:i + 3], pb[i:i + 3]
        on_a, on_b = any(ca), any(cb)
        if not (on_a or on_b):
            continue
        lit += 1
        if all(abs(x - y) <= 8 for x, y in zip(ca, cb)):
            continue
        differ += 1
        if diff is not None:
            diff[i:i + 3] = (255, 0, 0) if not on_b else (0, 255, 0) if not on_a else (255, 255, 0)
    if keep:
        with open(keep, 'wb') as f:
            f.write(b'P6\n%d %d\n255\n' % (wa, ha) + bytes(diff))
    return lit, differ


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--limit', type=float, default=2.0)
    parser.add_argument('--keep')
    parser.add_argument('items', nargs='+')
    args = parser.parse_args()
    if len(args.items) % 3:
        parser.error('expected NAME A B triples')
    total_lit = total_differ = 0
    for k in range(0, len(args.items), 3):
        name, path_a, path_b = args.items[k:k + 3]
        keep = os.path.join(args.keep, f'diff-{name}.ppm') if args.keep else None
        lit, differ = compare(read_ppm(path_a), read_ppm(path_b), keep)
        total_lit += lit
        total_differ += differ
        share = 100.0 * differ / lit if lit else 0.0
        print(f'{name:10s} lit {lit:7d}  differing {differ:6d}  {share:6.2f}%')
    share = 100.0 * total_differ / total_lit if total_lit else 0.0
    print(f'{"all":10s} lit {total_lit:7d}  differing {total_differ:6d}  {share:6.2f}%  (limit {args.limit}%)')
    return 0 if share < args.limit else 1


if __name__ == '__main__':
    sys.exit(main())

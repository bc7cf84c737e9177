#!/usr/bin/env python3
"""Checks that the README's gallery shows what prumya-gallery draws from the
shipped presets now: the hash of each preset's frames against
docs/gallery/frames.sha256, the README's table against the one
scripts/gallery would write, and the 320x180 GIFs it links to.

usage: check_gallery.py LINUX_BUILD SOURCE_DIR  (exit 77: no prumya-gallery)
"""
import hashlib
import os
import subprocess
import sys

build, source = sys.argv[1:3]
tool = os.path.join(build, "prumya-gallery")
if not os.access(tool, os.X_OK):
    sys.exit(print("no %s: skipped" % tool) or 77)
presets, gallery = os.path.join(source, "resources", "actsys.ini"), os.path.join(source, "docs", "gallery")
draw = lambda *args: subprocess.run([tool, presets, *args], check=True, capture_output=True).stdout

count = len(draw().splitlines())
recorded = [line.split()[0] for line in open(os.path.join(gallery, "frames.sha256")) if line.strip()]
failures = [] if len(recorded) == count else ["%d presets, %d recorded" % (count, len(recorded))]
failures += ["preset %d draws other frames than recorded" % n for n, expected in enumerate(recorded[:count], 1)
             if hashlib.sha256(draw(str(n))).hexdigest() != expected]
block = subprocess.run([sys.executable, os.path.join(source, "scripts", "gallery"), "--readme", build],
                       check=True, capture_output=True, text=True).stdout
if block not in open(os.path.join(source, "README.md"), encoding="utf-8").read():
    failures.append("the README's gallery table is not the one scripts/gallery writes")
for image in {part.split(")")[0] for part in block.split("](docs/gallery/")[1:]}:
    head = open(os.path.join(gallery, image), "rb").read(10)
    if image.endswith(".gif") and head != b"GIF89a" + bytes([64, 1, 180, 0]):
        failures.append("%s is no 320x180 GIF" % image)
for failure in failures:
    print("FAIL " + failure)
if failures:
    sys.exit("the gallery no longer matches the presets: run scripts/gallery and commit docs/gallery and README.md")
print("PASS %d presets as recorded, README table and images in place" % count)

#!/usr/bin/env python3
"""Checks that the README's gallery shows what prumya-gallery draws from the
shipped presets now: the hash of each preset's frames against
docs/gallery/frames.sha256, the README's table against the one
scripts/gallery would write, and the images it links to.

usage: check_gallery.py LINUX_BUILD SOURCE_DIR  (exit 77: no prumya-gallery)
"""
import hashlib
import os
import subprocess
import sys

REGENERATE = "run scripts/gallery and commit docs/gallery and README.md"


def main(build, source):
    tool = os.path.join(build, "prumya-gallery")
    if not os.access(tool, os.X_OK):
        print("no %s: skipped" % tool)
        sys.exit(77)
    presets = os.path.join(source, "resources", "actsys.ini")
    gallery = os.path.join(source, "docs", "gallery")
    failures = []

    count = len(subprocess.run([tool, presets], check=True, capture_output=True).stdout.splitlines())
    with open(os.path.join(gallery, "frames.sha256")) as f:
        recorded = [line.split()[0] for line in f if line.strip()]
    if len(recorded) != count:
        failures.append("%d presets, %d recorded" % (count, len(recorded)))
    for number, expected in enumerate(recorded[:count], 1):
        frames = subprocess.run([tool, presets, str(number)], check=True, capture_output=True).stdout
        if hashlib.sha256(frames).hexdigest() != expected:
            failures.append("preset %d draws other frames than recorded" % number)

    block = subprocess.run([sys.executable, os.path.join(source, "scripts", "gallery"), "--readme", build],
                           check=True, capture_output=True, text=True).stdout
    readme = open(os.path.join(source, "README.md"), encoding="utf-8").read()
    if block not in readme:
        failures.append("the README's gallery table is not the one scripts/gallery writes")
    for line in block.splitlines():
        for image in {part.split(")")[0] for part in line.split("](docs/gallery/")[1:]}:
            with open(os.path.join(gallery, image), "rb") as f:
                head = f.read(10)
            if image.endswith(".gif") and (head[:6] != b"GIF89a" or head[6:10] != bytes([64, 1, 180, 0])):
                failures.append("%s is no 320x180 GIF" % image)

    for failure in failures:
        print("FAIL " + failure)
    if failures:
        print("the gallery no longer matches the presets: " + REGENERATE)
        sys.exit(1)
    print("PASS %d presets as recorded, README table and images in place" % count)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(*sys.argv[1:])

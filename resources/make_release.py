#!/usr/bin/env python3
"""Writes the Windows release archive: prumya.scr, actsys.ini and readme.txt,
the readme turned into Shift_JIS with CRLF line ends, as Windows' own
editors read a Japanese text file.

usage: make_release.py OUTPUT.zip MODULE ACTSYS README_UTF8
"""
import os
import sys
import zipfile


def readme_bytes(path):
    text = open(path, encoding="utf-8").read()
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("cp932")


def main():
    if len(sys.argv) != 5:
        sys.exit("usage: make_release.py OUTPUT.zip MODULE ACTSYS README_UTF8")
    output, module, actsys, readme = sys.argv[1:]
    partial = output + ".part"
    with zipfile.ZipFile(partial, "w", zipfile.ZIP_DEFLATED) as archive:
        archive.write(module, "prumya.scr")
        archive.write(actsys, "actsys.ini")
        info = zipfile.ZipInfo("readme.txt", zipfile.ZipInfo.from_file(readme).date_time)
        info.compress_type = zipfile.ZIP_DEFLATED
        archive.writestr(info, readme_bytes(readme))
    os.replace(partial, output)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Checks the Windows module and its release archive as they were built:
every resource tagged Japanese, the name in string 1, a version resource that
says what the about box says, the manifest's version, controls and DPI entries,
and an archive of exactly the module, the system presets and a Shift_JIS
readme.

usage: check_release.py WINDOWS_BUILD_DIR SOURCE_DIR  (exit 77: no build)
"""
import os
import re
import sys
import xml.etree.ElementTree as ET
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import pe_resources as pe  # noqa: E402

JAPANESE = 0x411
ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
SMI = "{http://schemas.microsoft.com/SMI/%s/WindowsSettings}"
failures = []


def check(name, ok, detail=""):
    print(("PASS " if ok else "FAIL ") + name + ("" if ok else ": " + str(detail)))
    failures.extend([] if ok else [name])


def one(found, kind, name):
    hits = [v for (k, n, _), v in found.items() if (k, n) == (kind, name)]
    return hits[0] if len(hits) == 1 else None


def check_resources(found):
    others = sorted({lang for (_, _, lang) in found} - {JAPANESE})
    check("every resource is tagged Japanese (0x411)", found and not others, others)
    strings = one(found, pe.RT_STRING, 1)
    check("string 1 is the product name", strings and pe.string_table(1, strings).get(1) == "ぷるみゅら", strings)
    about, info = one(found, pe.RT_DIALOG, 103), one(found, pe.RT_VERSION, 1)
    texts = [t for _, kind, t in pe.dialog_ex(about)["controls"] if kind in ("STATIC", 0x82)] if about else []
    line = re.fullmatch(r"(スクリーンセーバ (\S+)) Version (\d+)\.(\d+)", texts[1] if len(texts) > 2 else "")
    if not line or info is None:
        return check("about box names product and version; version resource present", False, texts)
    version = (int(line.group(3)), int(line.group(4)), 0, 0)
    fixed, blocks, translations = pe.version_info(info)
    check("version block in Japanese, code page 932", list(blocks) == ["041103a4"] and
          translations == [(JAPANESE, 932)], (list(blocks), translations))
    check("fixed version agrees with the about box",
          fixed["file"] == fixed["product"] == version and fixed["type"] == 1, fixed)
    strings, number = blocks.get("041103a4", {}), "%d.%d" % version[:2]
    wanted = {"ProductName": line.group(2), "FileDescription": line.group(1), "LegalCopyright": texts[2],
              "FileVersion": number, "ProductVersion": number, "OriginalFilename": "prumya.scr"}
    wrong = {k: strings.get(k) for k, v in wanted.items() if strings.get(k) != v}
    check("version strings agree with the about box", not wrong, wrong)
    return version


def check_manifest(found, version):
    root = ET.fromstring(one(found, pe.RT_MANIFEST, 1))
    identity = root.find(ASM_V1 + "assemblyIdentity")
    check("manifest version agrees with the module's", identity is not None and version is not None and
          identity.get("version") == "%d.%d.%d.%d" % version, None if identity is None else identity.attrib)
    controls = [a.attrib for a in root.iter(ASM_V1 + "assemblyIdentity")
                if a.get("name") == "Microsoft.Windows.Common-Controls"]
    check("Common Controls 6", len(controls) == 1 and controls[0].get("version") == "6.0.0.0" and
          controls[0].get("publicKeyToken") == "6595b64144ccf1df", controls)
    awareness = [e.text.replace(" ", "").split(",") for e in root.iter(SMI % 2016 + "dpiAwareness")]
    legacy = [e.text.strip().lower() for e in root.iter(SMI % 2005 + "dpiAware")]
    check("DPI: per-monitor v2, then per-monitor, then the older setting",
          awareness == [["PerMonitorV2", "PerMonitor"]] and legacy == ["true/pm"], (awareness, legacy))


def check_archive(build, source):
    archive = zipfile.ZipFile(os.path.join(build, "prumya-win64.zip"))
    names = sorted(archive.namelist())
    check("archive holds exactly prumya.scr, actsys.ini, readme.txt",
          names == ["actsys.ini", "prumya.scr", "readme.txt"], names)
    same = lambda member, file: member in names and archive.read(member) == open(file, "rb").read()
    check("archive module and presets are the built ones", same("prumya.scr", os.path.join(build, "prumya.scr"))
          and same("actsys.ini", os.path.join(source, "resources", "actsys.ini")))
    raw = archive.read("readme.txt") if "readme.txt" in names else b""
    text = raw.decode("cp932", errors="replace")
    check("readme: Shift_JIS, CRLF, install, settings folder and removal", "\ufffd" not in text and text and
          b"\n" not in raw.replace(b"\r\n", b"") and all(w in text for w in ("インストール", "%APPDATA%\\ぷるみゅら\\", "削除")))


build, source = sys.argv[1], sys.argv[2]
module = os.path.join(build, "prumya.scr")
if not os.path.isfile(module):
    print("no Windows build at " + build)
    sys.exit(77)
found = pe.resources(open(module, "rb").read())
check_manifest(found, check_resources(found))
check_archive(build, source)
print("%d failed" % len(failures))
sys.exit(1 if failures else 0)

#!/usr/bin/env python3
"""Writes the DIALOGEX resource script of templates 102 and 103.

usage: make_dialogs.py SOURCE_DIR OUTPUT.rc

The templates are data in saver/dialog_layout.cpp (one control per line);
the style names come from platform/dialog_template.h and the constants of
dialog_layout.cpp itself. Anything the script cannot read is an error, so
the resource never silently drifts from the data.
"""
import os
import re
import sys

CLASS_OF_KIND = {
    "DefPushButton": "Button", "PushButton": "Button", "CheckBox": "Button",
    "GroupBox": "Button", "Text": "Static", "Icon": "Static", "Edit": "Edit",
    "ComboBox": "ComboBox", "Trackbar": "msctls_trackbar32",
}
WS_CHILD_VISIBLE = 0x40000000 | 0x10000000
SHIFTJIS_CHARSET = 0x80

STRING = r'"((?:[^"\\]|\\.)*)"'
ROW = re.compile(r'\{(-?\d+), K::(\w+), ' + STRING +
                 r', (\w+), (\d+), (\d+), (\d+), (\d+), (\w+)\},')
TEMPLATE = re.compile(r'const DialogTemplate \w+ = \{\s*(\w+), ' + STRING +
                      r', (\d+), (\d+), (\w+), (\w+), (\d+),\s*(\w+), CountOf\(\w+\)\};')


def fail(message):
    sys.exit("make_dialogs.py: " + message)


def unescape(text):
    return re.sub(r'\\(.)', lambda m: {"n": "\n", '"': '"', "\\": "\\"}.get(m.group(1), m.group(1)), text)


def constants(*texts):
    """Evaluates every `constexpr std::uint32_t kName = a | b;` in order."""
    values = {}
    for text in texts:
        for name, expr in re.findall(r'constexpr std::uint32_t (k\w+) = ([^;]+);', text):
            values[name] = evaluate(expr, values)
    return values


def evaluate(expr, values):
    total = 0
    for term in expr.split("|"):
        term = term.strip()
        if term in values:
            total |= values[term]
        elif re.fullmatch(r'0[xX][0-9a-fA-F]+|\d+', term):
            total |= int(term, 0)
        else:
            fail("unknown style term " + term)
    return total


def control_arrays(text):
    arrays = {}
    for name, body in re.findall(r'const DialogControl (\w+)\[\] = \{\n(.*?)\n\};', text, re.S):
        lines = [l.strip() for l in body.splitlines() if l.strip().startswith("{")]
        rows = [ROW.fullmatch(l) for l in lines]
        if not lines or None in rows:
            fail("unreadable control row in " + name)
        arrays[name] = [r.groups() for r in rows]
    return arrays


def rc_string(text):
    return '"' + unescape(text).replace('"', '""') + '"'


def write_template(out, tpl, rows, values, font):
    ident, title, w, h, style, _font, points, array = tpl
    out.append(f"{ident} DIALOGEX 0, 0, {w}, {h}")
    out.append(f"STYLE 0x{values[style]:08X}")
    out.append(f"CAPTION {rc_string(title)}")
    out.append(f"FONT {points}, {rc_string(font)}, 400, 0, 0x{SHIFTJIS_CHARSET:X}")
    out.append("BEGIN")
    for cid, kind, text, cstyle, x, y, cw, ch, _group in rows:
        full = WS_CHILD_VISIBLE | values[cstyle]
        out.append(f"    CONTROL {rc_string(text)}, {cid}, \"{CLASS_OF_KIND[kind]}\", "
                   f"0x{full:08X}, {x}, {y}, {cw}, {ch}")
    out.append("END")
    out.append("")


def main():
    if len(sys.argv) != 3:
        fail("usage: make_dialogs.py SOURCE_DIR OUTPUT.rc")
    src, output = sys.argv[1], sys.argv[2]
    read = lambda p: open(os.path.join(src, p), encoding="utf-8").read()
    layout, header = read("saver/dialog_layout.cpp"), read("saver/dialog_layout.h")
    values = constants(read("platform/dialog_template.h"), layout)
    ids = dict((n, int(v)) for n, v in re.findall(r'(k\w+Template) = (\d+)', header))
    font = re.search(r'const char kFontName\[\] = ' + STRING + ';', layout).group(1)
    arrays = control_arrays(layout)
    templates = TEMPLATE.findall(layout)
    if len(templates) != 2:
        fail("expected two templates, read %d" % len(templates))
    out = ["// Generated from saver/dialog_layout.cpp by resources/make_dialogs.py.",
           "#pragma code_page(65001)", ""]
    for tpl in templates:
        tpl = (ids[tpl[0]],) + tpl[1:]
        write_template(out, tpl, arrays[tpl[7]], values, font)
    text = "\n".join(out)
    if not os.path.exists(output) or open(output, encoding="utf-8").read() != text:
        with open(output, "w", encoding="utf-8") as f:
            f.write(text)


if __name__ == "__main__":
    main()

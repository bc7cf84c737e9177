#!/usr/bin/env python3
"""A small reader of the resources of a PE image (32- or 64-bit): the
resource tree as (type, name, language) -> bytes, and the formats the
module's checks need: string tables, VERSIONINFO and DIALOGEX templates.

usage: pe_resources.py MODULE   (lists type, name, language and size,
                                 then the strings and the version)
"""
import struct
import sys

RT_STRING, RT_DIALOG, RT_VERSION, RT_MANIFEST = 6, 5, 16, 24


class PeError(Exception):
    pass


def _u16(data, at):
    return struct.unpack_from("<H", data, at)[0]


def _u32(data, at):
    return struct.unpack_from("<I", data, at)[0]


def _sections(data):
    if data[:2] != b"MZ":
        raise PeError("no MZ header")
    pe = _u32(data, 0x3C)
    if data[pe:pe + 4] != b"PE\0\0":
        raise PeError("no PE signature")
    count, optional_size = _u16(data, pe + 6), _u16(data, pe + 20)
    optional = pe + 24
    magic = _u16(data, optional)
    directories = optional + {0x10B: 96, 0x20B: 112}.get(magic, -1)
    if directories < optional:
        raise PeError("unknown optional header %#x" % magic)
    resource_rva = _u32(data, directories + 2 * 8)  # IMAGE_DIRECTORY_ENTRY_RESOURCE
    table = optional + optional_size
    sections = []
    for i in range(count):
        at = table + 40 * i
        size, rva, raw_size, raw = struct.unpack_from("<IIII", data, at + 8)
        sections.append((rva, max(size, raw_size), raw))
    return resource_rva, sections


def _offset(sections, rva):
    for start, size, raw in sections:
        if start <= rva < start + size:
            return raw + rva - start
    raise PeError("address %#x lies in no section" % rva)


def resources(data):
    """{(type, name, language): bytes}; names are ints or upper-case strings."""
    rva, sections = _sections(data)
    if rva == 0:
        return {}
    base = _offset(sections, rva)

    def entries(directory):
        named, ids = struct.unpack_from("<HH", data, base + directory + 12)
        for i in range(named + ids):
            key, target = struct.unpack_from("<II", data, base + directory + 16 + 8 * i)
            if key & 0x80000000:
                at = base + (key & 0x7FFFFFFF)
                key = data[at + 2:at + 2 + 2 * _u16(data, at)].decode("utf-16-le")
            yield key, target

    found = {}
    for kind, names in entries(0):
        for name, languages in entries(names & 0x7FFFFFFF):
            for language, leaf in entries(languages & 0x7FFFFFFF):
                if leaf & 0x80000000:
                    raise PeError("a fourth level in the resource tree")
                data_rva, size = struct.unpack_from("<II", data, base + leaf)
                at = _offset(sections, data_rva)
                found[(kind, name, language)] = data[at:at + size]
    return found


def string_table(block_id, block):
    """The sixteen strings of one RT_STRING block as {id: text}."""
    strings, at = {}, 0
    for i in range(16):
        length = _u16(block, at)
        text = block[at + 2:at + 2 + 2 * length].decode("utf-16-le")
        at += 2 + 2 * length
        if text:
            strings[(block_id - 1) * 16 + i] = text
    return strings


def _align4(at):
    return (at + 3) & ~3


def _sz(data, at):
    """A NUL-terminated UTF-16 string; returns (text, offset after it)."""
    end = at
    while _u16(data, end) != 0:
        end += 2
    return data[at:end].decode("utf-16-le"), end + 2


def version_info(data):
    """(fixed fields as a dict, {block: {key: value}}, [(language, code page)])."""
    def node(at):
        length, value_length, is_text = struct.unpack_from("<HHH", data, at)
        key, value_at = _sz(data, at + 6)
        value_at = _align4(value_at)
        value_size = value_length * (2 if is_text else 1)
        children_at = _align4(value_at + value_size)
        children = []
        child = children_at
        while child < at + length:
            child_node, child_end = node(child)
            children.append(child_node)
            child = _align4(child_end)
        return (key, data[value_at:value_at + value_size], is_text, children), at + length

    (key, fixed_bytes, _, children), _ = node(0)
    if key != "VS_VERSION_INFO":
        raise PeError("not a VERSIONINFO: " + key)
    fields = struct.unpack_from("<13I", fixed_bytes)
    if fields[0] != 0xFEEF04BD:
        raise PeError("no VS_FIXEDFILEINFO signature")
    fixed = {"file": (fields[2] >> 16, fields[2] & 0xFFFF, fields[3] >> 16, fields[3] & 0xFFFF),
             "product": (fields[4] >> 16, fields[4] & 0xFFFF, fields[5] >> 16, fields[5] & 0xFFFF),
             "os": fields[8], "type": fields[9]}
    blocks, translations = {}, []
    for name, _, _, grandchildren in children:
        if name == "StringFileInfo":
            for block, _, _, values in grandchildren:
                blocks[block] = {k: v.decode("utf-16-le").rstrip("\0") for k, v, _, _ in values}
        elif name == "VarFileInfo":
            for _, value, _, _ in grandchildren:
                translations += [struct.unpack_from("<HH", value, i) for i in range(0, len(value), 4)]
    return fixed, blocks, translations


def _sz_or_ord(data, at):
    if _u16(data, at) == 0xFFFF:
        return _u16(data, at + 2), at + 4
    return _sz(data, at)


def dialog_ex(data):
    """{'title', 'font', 'points', 'controls': [(id, class, text)]} of a DIALOGEX."""
    version, signature = struct.unpack_from("<HH", data, 0)
    if (version, signature) != (1, 0xFFFF):
        raise PeError("not a DIALOGEX template")
    count = _u16(data, 16)
    _, at = _sz_or_ord(data, 26)   # menu
    _, at = _sz_or_ord(data, at)   # class
    title, at = _sz(data, at)
    points = _u16(data, at)
    font, at = _sz(data, at + 6)
    controls = []
    for _ in range(count):
        at = _align4(at)
        ident = struct.unpack_from("<i", data, at + 20)[0]
        kind, at = _sz_or_ord(data, at + 24)
        text, at = _sz_or_ord(data, at)
        extra = _u16(data, at)
        at += 2 + extra
        controls.append((ident, kind, text))
    return {"title": title, "font": font, "points": points, "controls": controls}


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: pe_resources.py MODULE")
    found = resources(open(sys.argv[1], "rb").read())
    for (kind, name, language), data in sorted(found.items(), key=str):
        print("type %-4s name %-10s language %#06x %8d bytes" % (kind, name, language, len(data)))
    for (kind, name, _), data in sorted(found.items(), key=str):
        if kind == RT_STRING:
            for number, text in sorted(string_table(name, data).items()):
                print("string %d: %s" % (number, text))
        elif kind == RT_VERSION:
            fixed, blocks, translations = version_info(data)
            print("version %s, translations %s" % (".".join(map(str, fixed["file"])), translations))
            for block, values in blocks.items():
                for key, value in values.items():
                    print("  %s %s: %s" % (block, key, value))


if __name__ == "__main__":
    main()

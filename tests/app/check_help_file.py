#!/usr/bin/env python3
"""Checks a compiled help file: its header and directory are sound, and every
page the table of contents names is stored in it, not empty."""
import re
import struct
import sys


def encint(data, pos):
    value = 0
    while True:
        byte = data[pos]
        pos += 1
        value = (value << 7) | (byte & 0x7F)
        if byte < 0x80:
            return value, pos


def directory(data):
    if data[:4] != b"ITSF" or struct.unpack_from("<I", data, 4)[0] != 3:
        raise ValueError("no compiled help header")
    dir_offset, dir_length = struct.unpack_from("<QQ", data, 0x48)
    if data[dir_offset:dir_offset + 4] != b"ITSP" or dir_offset + dir_length > len(data):
        raise ValueError("no directory")
    header_length, _, chunk_size = struct.unpack_from("<III", data, dir_offset + 8)
    first, last = struct.unpack_from("<ii", data, dir_offset + 0x20)
    chunks = dir_offset + header_length
    entries = {}
    chunk = first
    while chunk != -1:
        base = chunks + chunk * chunk_size
        if data[base:base + 4] != b"PMGL":
            raise ValueError(f"directory chunk {chunk} is damaged")
        free = struct.unpack_from("<I", data, base + 4)[0]
        next_chunk = struct.unpack_from("<i", data, base + 16)[0]
        pos, end = base + 20, base + chunk_size - free
        while pos < end:
            length, pos = encint(data, pos)
            name = data[pos:pos + length].decode("utf-8")
            pos += length
            section, pos = encint(data, pos)
            offset, pos = encint(data, pos)
            size, pos = encint(data, pos)
            entries[name] = (section, offset, size)
        if chunk == last:
            break
        chunk = next_chunk
    return entries


def main(chm, toc):
    with open(chm, "rb") as f:
        data = f.read()
    try:
        entries = directory(data)
    except (ValueError, struct.error, IndexError) as error:
        print(f"{chm}: not a valid compiled help file: {error}")
        return 1
    with open(toc, encoding="latin-1") as f:
        pages = re.findall(r'name="Local"\s+value="([^"#]+)', f.read(), re.I)
    wanted = ["/#SYSTEM", "/#TOPICS", "/#URLSTR", "/toc.hhc", "/index.hhk"]
    wanted += ["/" + page for page in dict.fromkeys(pages)]
    missing = [name for name in wanted if name.lower() not in {n.lower() for n in entries}]
    empty = [name for name in wanted if entries.get(name, (0, 0, 1))[2] == 0]
    for name in missing:
        print(f"{chm}: {name} is missing")
    for name in empty:
        print(f"{chm}: {name} is empty")
    print(f"{chm}: {len(entries)} entries, {len(pages)} contents pages checked")
    return 1 if missing or empty or not pages else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))

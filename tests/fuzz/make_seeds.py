#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets from the compiled resource script: the real
resources, cut into small pieces, each behind the byte that chooses the target's way in.

Usage: make_seeds.py VANTOREL_RES OUTPUT_DIR   (OUTPUT_DIR gets fuzz_resources/, fuzz_bitmap/,
fuzz_game/; the committed corpora are tests/fuzz/corpus/)"""

import hashlib
import os
import struct
import sys

RT_BITMAP, RT_ICON, RT_MENU, RT_DIALOG, RT_ACCELERATOR, RT_GROUP_ICON = 2, 3, 4, 5, 9, 14


def read_name(data, offset):
    """A name or ordinal field of a .res header; answers (value, next offset)."""
    if struct.unpack_from("<H", data, offset)[0] == 0xFFFF:
        return struct.unpack_from("<H", data, offset + 2)[0], offset + 4
    end = offset
    while struct.unpack_from("<H", data, end)[0] != 0:
        end += 2
    return data[offset:end].decode("utf-16-le"), end + 2


def entries(data):
    """(type, id, header bytes, resource bytes) of every entry of a .res image."""
    offset = 0
    while offset + 8 <= len(data):
        data_size, header_size = struct.unpack_from("<II", data, offset)
        rtype, after = read_name(data, offset + 8)
        rid, _ = read_name(data, after)
        header = data[offset:offset + header_size]
        body = data[offset + header_size:offset + header_size + data_size]
        yield rtype, rid, header, body
        offset += header_size + data_size
        offset = (offset + 3) & ~3


def image(selected):
    out = b""
    for _, _, header, body in selected:
        out += header + body
        out += b"\0" * (-len(out) % 4)
    return out


def fewer_rows(dib, rows):
    """The same bitmap with only its first `rows` stored rows (the bottom ones, bottom-up)."""
    header_size, width, height, planes, bits = struct.unpack_from("<IiiHH", dib, 0)
    colours = struct.unpack_from("<I", dib, 32)[0] or (1 << bits if bits <= 8 else 0)
    stride = ((width * bits + 31) // 32) * 4
    rows = min(rows, abs(height))
    start = header_size + 4 * colours
    out = bytearray(dib[:start + stride * rows])
    struct.pack_into("<i", out, 8, rows if height > 0 else -rows)
    struct.pack_into("<I", out, 20, stride * rows)
    return bytes(out)


def write(directory, payload):
    os.makedirs(directory, exist_ok=True)
    name = hashlib.sha1(payload).hexdigest()[:16]
    with open(os.path.join(directory, name), "wb") as f:
        f.write(payload)


def main():
    res_path, out = sys.argv[1], sys.argv[2]
    data = open(res_path, "rb").read()
    all_entries = list(entries(data))

    # fuzz_resources: 0 = a .res image (everything but the large sheets), 1..4 = one parser.
    small = [e for e in all_entries if e[0] != RT_BITMAP or len(e[3]) < 2000]
    write(os.path.join(out, "fuzz_resources"), b"\0" + image(small))
    write(os.path.join(out, "fuzz_resources"), b"\0" + image(small)[:len(image(small)) // 2])
    way = {RT_DIALOG: 1, RT_MENU: 2, RT_ACCELERATOR: 3, RT_GROUP_ICON: 4}
    for rtype, _, _, body in all_entries:
        if rtype in way:
            write(os.path.join(out, "fuzz_resources"), bytes([way[rtype]]) + body)
            write(os.path.join(out, "fuzz_resources"), bytes([way[rtype]]) + body[:len(body) // 2])

    # fuzz_bitmap: 0 = a bitmap, 1 = an icon image, 2 = a bitmap blitted (16 bytes of rectangles),
    # 3 = an icon group (its length, the group) with the image of its icons.
    rects = bytes([0, 0, 0, 0, 10, 0, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                   252, 1, 250, 3, 40, 0, 30, 0, 1, 0, 2, 0, 0, 0, 0, 0])
    for rtype, _, _, body in all_entries:
        if rtype == RT_BITMAP:
            piece = fewer_rows(body, 4)
            write(os.path.join(out, "fuzz_bitmap"), b"\0" + piece)
            write(os.path.join(out, "fuzz_bitmap"), b"\2" + piece + rects[:16])
            write(os.path.join(out, "fuzz_bitmap"), b"\2" + piece + rects[16:])
        elif rtype == RT_ICON:
            write(os.path.join(out, "fuzz_bitmap"), b"\1" + body)
    icons = {rid: body for rtype, rid, _, body in all_entries if rtype == RT_ICON}
    for rtype, _, _, body in all_entries:
        if rtype == RT_GROUP_ICON and len(body) < 256:
            first_icon = struct.unpack_from("<H", body, 6 + 12)[0]
            if first_icon in icons:
                write(os.path.join(out, "fuzz_bitmap"),
                      b"\3" + bytes([len(body)]) + body + icons[first_icon])

    # fuzz_program_resources: the real .res image, the same with every sheet cut to a few rows
    # (the glyph sheet whole), and that without its bitmaps, icons, dialogs or menu.
    cut = [(t, i, h, fewer_rows(b, 4) if t == RT_BITMAP and len(b) > 2000 else b)
           for t, i, h, b in all_entries]
    def with_sizes(selected):
        out = []
        for t, i, h, b in selected:
            h = bytearray(h)
            struct.pack_into("<I", h, 0, len(b))
            out.append((t, i, bytes(h), b))
        return out
    write(os.path.join(out, "fuzz_program_resources"), data)  # the real thing, whole
    for leave_out in [None, RT_BITMAP, RT_ICON, RT_DIALOG, RT_MENU]:
        selected = [e for e in cut if e[0] != leave_out]
        write(os.path.join(out, "fuzz_program_resources"), image(with_sizes(selected)))

    # fuzz_game: event scripts (see fuzz_game.cpp for the operations).
    scripts = [
        b"\xa0" + b"\x5f" * 4,                                      # Easy, long runs of ticks
        b"\xa1\x5f\x5f\x60\x44\x4f\x80\x44\x4f",                  # Hard, ticks, D held
        b"\xa0\x60\x58\x4f\x60\x41\x1f\x80\x41\x60\x66\x1f\xa4\x1f",  # drops, moves, paint
        b"\xa0\x3f\xa6\x60\x44\x3f\xa5\x3f\xa7\x3f\xa0\x3f\xa6\x3f\xa8\x3f\xa6\xa9\x3f",
        b"\xa0\x3f\xaa\x3f\xa2\x3f\xab\xad\xa1\x3f\xac\xa3\x3f",   # closed, started again
        bytes([0xa0] + [0x60, 0x5a, 0x45] * 20),                    # dropped over and over
        b"\xa0\xaf\x45\x3f\xae\xaf\x48\x3f\xaf\x58",                # Ctrl with any key
    ]
    for script in scripts:
        write(os.path.join(out, "fuzz_game"), script)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Prints how many distinct colours a PNG holds (8-bit grey, RGB, grey+alpha
or RGBA, not interlaced: what the browser's screenshots are). Exit 2 for a
file it cannot read. Only the standard library is used."""
import struct
import sys
import zlib

CHANNELS = {0: 1, 2: 3, 4: 2, 6: 4}


def chunks(data):
    pos = 8
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        yield kind, data[pos + 8:pos + 8 + length]
        pos += 12 + length


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def unfilter(raw, width, height, bpp):
    stride = width * bpp
    rows, prev, pos = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[pos], bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            left = line[i - bpp] if i >= bpp else 0
            up = prev[i]
            corner = prev[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + ((left + up) >> 1)) & 0xFF
            elif kind == 4:
                line[i] = (line[i] + paeth(left, up, corner)) & 0xFF
            elif kind != 0:
                raise ValueError("unknown filter %d" % kind)
        rows.append(bytes(line))
        prev = line
    return rows


def colours(path):
    data = open(path, "rb").read()
    if not data.startswith(b"\x89PNG\r\n\x1a\n"):
        raise ValueError("not a PNG")
    header, idat = None, b""
    for kind, body in chunks(data):
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in CHANNELS or interlace:
        raise ValueError("unsupported PNG form")
    bpp = CHANNELS[colour]
    seen = set()
    for row in unfilter(zlib.decompress(idat), width, height, bpp):
        for i in range(0, len(row), bpp):
            seen.add(row[i:i + bpp])
    return width, height, len(seen)


if __name__ == "__main__":
    try:
        w, h, n = colours(sys.argv[1])
    except (OSError, ValueError, TypeError, zlib.error, struct.error) as e:
        print("unreadable PNG %s: %s" % (sys.argv[1], e))
        sys.exit(2)
    print("%d %d %d" % (w, h, n))

#!/usr/bin/env python3
"""Draws the applet icon (a 32 x 32 RGBA PNG: a lens over a sensor grid) into icon.png.

The file is padded with a text chunk to a fixed size of 2,747 bytes, so that the size the
applet reports for its icon stays the same from build to build."""
import math
import os
import struct
import zlib

SIZE = 32
TARGET_BYTES = 2747


def pixel(x, y):
    cx, cy = x - 15.5, y - 15.5
    r = math.hypot(cx, cy)
    if r <= 9.0:                      # lens glass with a highlight
        shade = 1.0 - r / 12.0
        if math.hypot(cx + 3.5, cy + 3.5) < 2.5:
            return (235, 245, 255, 255)
        return (int(30 + 60 * shade), int(90 + 90 * shade), int(150 + 90 * shade), 255)
    if r <= 12.5:                     # lens barrel
        return (45, 48, 56, 255)
    if 2 <= x <= 29 and 2 <= y <= 29:  # sensor grid behind the lens
        on = (x // 4 + y // 4) % 2 == 0
        return (200, 120, 40, 255) if on else (150, 85, 25, 255)
    return (0, 0, 0, 0)


def chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data +
            struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))


def main():
    rows = b"".join(b"\x00" + bytes(c for x in range(SIZE) for c in pixel(x, y))
                    for y in range(SIZE))
    head = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0))
    body = chunk(b"IDAT", zlib.compress(rows, 9))
    tail = chunk(b"IEND", b"")
    keyword = b"Comment\x00"
    padding = TARGET_BYTES - len(head) - len(body) - len(tail) - 12 - len(keyword)
    if padding < 0:
        raise SystemExit("icon does not fit in %d bytes" % TARGET_BYTES)
    text = chunk(b"tEXt", keyword + (b"Brenvik acquisition applet " * 200)[:padding])
    png = head + text + body + tail
    assert len(png) == TARGET_BYTES
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "icon.png"), "wb") as f:
        f.write(png)


if __name__ == "__main__":
    main()

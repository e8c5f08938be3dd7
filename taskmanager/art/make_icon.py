#!/usr/bin/env python3
"""Draws Lunsett's icon and writes lunsett.ico (16 and 32 pixels).

    python3 make_icon.py            # writes lunsett.ico beside this script

A window with a title bar and three rows, each with a small square in front:
the running applications. Drawn on whole pixels, so both sizes stay crisp.
Only the standard library is needed.
"""

import os
import struct


def draw(size):
    """The image as rows of (r, g, b, a), top row first."""
    s = size / 16  # pixels per unit of the 16-unit design
    img = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def box(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), int(y1 * s)):
            for x in range(int(x0 * s), int(x1 * s)):
                img[y][x] = colour + (255,)

    box(0, 1, 16, 15, (30, 42, 66))         # frame
    box(1, 2, 15, 4, (74, 128, 214))        # title bar
    box(1, 4, 15, 14, (255, 255, 255))      # content
    box(1, 5, 15, 8, (255, 255, 164))       # the highlighted row, strip yellow
    for top, mark in ((5.5, (214, 74, 60)), (8.5, (54, 178, 74)), (11, (232, 184, 48))):
        box(2, top, 4, top + 2, mark)
        box(5, top + 0.5, 13, top + 1.5, (90, 100, 120))
    return img


def bitmap(size):
    img = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(struct.pack("BBBB", b, g, r, a) for row in reversed(img) for (r, g, b, a) in row)
    stride = ((size + 31) // 32) * 4
    mask = b""
    for row in reversed(img):
        line = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(line)
    return header + pixels + mask


def main():
    images = [bitmap(16), bitmap(32)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((16, 32), images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "lunsett.ico"), "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Draws the beam dialog's state images and writes them beside this script.

    python3 make_beam_art.py

- beam-states.bmp: bitmap 147, two 16 x 16 images side by side (a nearby
  device; the device with a tick once it has every file) as a 32 x 16 BMP in
  4-bit colour with the 16-colour system palette. Magenta is the background
  that the list's image list masks out.

Only the standard library is needed.
"""

import os
import struct

# The 16-colour system palette, in its order.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GREEN, GREY_LIGHT, GREY, GREEN, BLUE, MAGENTA, CYAN, WHITE = 0, 2, 7, 8, 10, 12, 13, 14, 15


def device(pixels, ox):
    """A handset: dark outline, light body, cyan screen, keypad dots."""
    for y in range(1, 15):
        for x in range(4, 12):
            pixels[y][ox + x] = GREY_LIGHT
    for x in range(4, 12):
        pixels[1][ox + x] = BLACK
        pixels[14][ox + x] = BLACK
    for y in range(1, 15):
        pixels[y][ox + 4] = BLACK
        pixels[y][ox + 11] = BLACK
    for y in range(3, 8):
        for x in range(6, 10):
            pixels[y][ox + x] = CYAN
    for y in (9, 11):
        for x in (6, 9):
            pixels[y][ox + x] = GREY
    pixels[0][ox + 10] = BLACK  # the aerial


def tick(pixels, ox):
    for x, y in ((8, 11), (9, 12), (10, 13), (11, 12), (12, 11), (13, 10), (14, 9), (15, 8)):
        for dy in (0, 1):
            pixels[y + dy - 1][ox + x] = DARK_GREEN if dy else GREEN


def write_bmp4(path, pixels):
    height = len(pixels)
    width = len(pixels[0])
    row_bytes = ((width + 1) // 2 + 3) // 4 * 4
    body = bytearray()
    for row in reversed(pixels):
        packed = bytearray()
        for x in range(0, width, 2):
            packed.append((row[x] << 4) | (row[x + 1] if x + 1 < width else 0))
        packed.extend(b'\0' * (row_bytes - len(packed)))
        body += packed
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(body), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0, len(body), 2835, 2835, 16, 0)
    with open(path, 'wb') as out:
        out.write(header + info + palette + body)


def main():
    pixels = [[MAGENTA] * 32 for _ in range(16)]
    device(pixels, 0)
    device(pixels, 16)
    tick(pixels, 16)
    write_bmp4(os.path.join(os.path.dirname(os.path.abspath(__file__)), 'beam-states.bmp'), pixels)


if __name__ == '__main__':
    main()

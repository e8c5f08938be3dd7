#!/usr/bin/env python3
"""Draws Corvane's icon and writes it beside this script.

    python3 make_art.py

- corvane.ico: the program icon, 16 and 32 pixels, 32-bit with alpha: a
  storage bar half full, and a broom sweeping under it.

The drawing helpers and the icon writer are Tarnwell's (filemanager/art).
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'filemanager', 'art'))

from make_art import Canvas, write_ico  # noqa: E402  (Tarnwell's helpers)

NAVY = (0, 0, 128)
BLUE = (0, 0, 192)
YELLOW = (255, 255, 164)
HANDLE = (150, 96, 40)
BRISTLES = (220, 170, 60)
BRISTLES_DARK = (170, 120, 30)


def icon_image(size):
    c = Canvas(size, size, None)
    s = size // 16

    def box(x0, y0, x1, y1, colour):
        c.fill(x0 * s, y0 * s, (x1 + 1) * s - 1, (y1 + 1) * s - 1, colour)

    # The storage bar: blue used part, yellow free part, navy frame.
    box(1, 2, 14, 6, YELLOW)
    box(2, 3, 8, 5, BLUE)
    c.frame(1 * s, 2 * s, 15 * s - 1, 7 * s - 1, NAVY)
    # The broom: a slanting handle and its bristles at the bottom.
    for i in range(5):
        box(11 - i, 8 + i, 11 - i, 8 + i, HANDLE)
    box(3, 12, 8, 14, BRISTLES)
    box(3, 14, 8, 14, BRISTLES_DARK)
    box(5, 12, 5, 14, BRISTLES_DARK)
    return c


def main():
    write_ico(os.path.join(HERE, 'corvane.ico'), [icon_image(16), icon_image(32)])


if __name__ == '__main__':
    main()

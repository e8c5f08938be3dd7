#!/usr/bin/env python3
"""Draws Pellory's icon and writes it beside this script.

    python3 make_art.py

- pellory.ico: the program icon, 16 and 32 pixels, 32-bit with alpha: a SIM
  card with its gold contact plate and a line of entries beside it.
- backup_store.bmp, backup_card.bmp: bitmaps 32000 and 32001, the 16 x 16
  images of the restore dialog's rows for the maker's own storage and for
  any other storage card (8-bit palette, magenta masked out).

The drawing helpers, the writers and the storage images are Tarnwell's
(filemanager/art).
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'filemanager', 'art'))

from make_art import (MASK, Canvas, draw_main_store, draw_storage_card,  # noqa: E402  (Tarnwell's helpers)
                      write_bmp8, write_ico)

CARD = (40, 96, 190)
CARD_EDGE = (20, 50, 110)
CARD_LIGHT = (90, 146, 226)
GOLD = (236, 196, 60)
GOLD_DARK = (170, 130, 30)
WHITE = (255, 255, 255)


def icon_image(size):
    c = Canvas(size, size, None)
    s = size // 16

    def box(x0, y0, x1, y1, colour):
        c.fill(x0 * s, y0 * s, (x1 + 1) * s - 1, (y1 + 1) * s - 1, colour)

    # The card, its top right corner cut off.
    box(2, 1, 13, 14, CARD)
    box(3, 2, 12, 2, CARD_LIGHT)
    for i in range(3):
        box(11 + i, 1, 13, 1 + i - 1 if i else 1, None)
    box(11, 1, 13, 1, None)
    box(12, 2, 13, 2, None)
    box(13, 3, 13, 3, None)
    c.frame(2 * s, 1 * s, 14 * s - 1, 15 * s - 1, CARD_EDGE)
    # The contact plate.
    box(4, 5, 9, 10, GOLD)
    box(4, 7, 9, 7, GOLD_DARK)
    box(6, 5, 6, 10, GOLD_DARK)
    # Entries.
    box(4, 12, 11, 12, WHITE)
    box(11, 5, 11, 5, WHITE)
    box(11, 8, 11, 8, WHITE)
    return c


def storage_image(draw):
    c = Canvas(16, 16, MASK)
    draw(c, 0)
    return c


def main():
    write_ico(os.path.join(HERE, 'pellory.ico'), [icon_image(16), icon_image(32)])
    write_bmp8(os.path.join(HERE, 'backup_store.bmp'), storage_image(draw_main_store))
    write_bmp8(os.path.join(HERE, 'backup_card.bmp'), storage_image(draw_storage_card))


if __name__ == '__main__':
    main()

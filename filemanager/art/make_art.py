#!/usr/bin/env python3
"""Draws Tarnwell's pictures and writes them beside this script.

    python3 make_art.py

- tree_images.bmp: bitmap 108, the five 16 x 16 node images of the folder
  tree side by side (root, folder, open folder, main store, storage card) as
  an 80 x 16 BMP with an 8-bit palette. Magenta (255, 0, 255) is the
  background that the tree's image list masks out.
- tarnwell.ico: the program icon (30020), 16 and 32 pixels, 32-bit with alpha.

The node images are pixel art on whole pixels so that they stay crisp at their
only size. Only the standard library is needed.
"""

import os
import struct

MASK = (255, 0, 255)

OUTLINE = (96, 72, 16)
FOLDER = (250, 206, 84)
FOLDER_LIGHT = (255, 232, 150)
FOLDER_DARK = (214, 160, 40)
GREY_DARK = (60, 64, 72)
GREY = (140, 146, 156)
GREY_LIGHT = (206, 210, 216)
SCREEN = (120, 190, 240)
SCREEN_LIGHT = (196, 232, 255)
CARD = (40, 96, 190)
CARD_LIGHT = (90, 146, 226)
GOLD = (236, 196, 60)
GREEN = (70, 170, 90)
WHITE = (255, 255, 255)


class Canvas:
    def __init__(self, width, height, background):
        self.width = width
        self.height = height
        self.pixels = [[background] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        """Fills the pixels x0..x1, y0..y1 (inclusive)."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.put(x, y0, colour)
            self.put(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.put(x0, y, colour)
            self.put(x1, y, colour)


# ---- the node images, each drawn at x offset ox --------------------------------

def draw_root(c, ox):
    """The device: a handset with its screen and keypad."""
    c.fill(ox + 4, 1, ox + 11, 14, GREY_DARK)
    c.put(ox + 4, 1, MASK)
    c.put(ox + 11, 1, MASK)
    c.put(ox + 4, 14, MASK)
    c.put(ox + 11, 14, MASK)
    c.fill(ox + 5, 3, ox + 10, 7, SCREEN)
    c.fill(ox + 5, 3, ox + 10, 3, SCREEN_LIGHT)
    for row in (9, 11, 13):
        for col in (5, 9):
            c.fill(ox + col, row, ox + col + 1, row, GREY_LIGHT)


def draw_folder(c, ox):
    """A closed folder."""
    c.fill(ox + 1, 3, ox + 6, 4, FOLDER_DARK)          # the tab
    c.frame(ox + 1, 3, ox + 6, 4, OUTLINE)
    c.fill(ox + 1, 5, ox + 14, 13, FOLDER)
    c.fill(ox + 2, 6, ox + 13, 6, FOLDER_LIGHT)
    c.frame(ox + 1, 5, ox + 14, 13, OUTLINE)


def draw_open_folder(c, ox):
    """An open folder: the back, a sheet of paper, the front flap tilted."""
    c.fill(ox + 1, 3, ox + 6, 4, FOLDER_DARK)
    c.frame(ox + 1, 3, ox + 6, 4, OUTLINE)
    c.fill(ox + 1, 5, ox + 13, 13, FOLDER_DARK)
    c.frame(ox + 1, 5, ox + 13, 13, OUTLINE)
    c.fill(ox + 4, 4, ox + 11, 8, WHITE)                # the paper
    c.frame(ox + 4, 4, ox + 11, 8, GREY)
    # The front flap: a parallelogram leaning to the right.
    for i, y in enumerate(range(8, 14)):
        left = ox + 3 - (i + 1) // 3
        right = ox + 15 - (i + 1) // 3
        c.fill(left, y, right, y, FOLDER)
        c.put(left, y, OUTLINE)
        c.put(right, y, OUTLINE)
    c.fill(ox + 3, 8, ox + 15, 8, OUTLINE)
    c.fill(ox + 1, 13, ox + 13, 13, OUTLINE)
    c.fill(ox + 4, 9, ox + 14, 9, FOLDER_LIGHT)


def draw_main_store(c, ox):
    """The main store: a storage box with a green light."""
    c.fill(ox + 1, 4, ox + 14, 12, GREY_LIGHT)
    c.frame(ox + 1, 4, ox + 14, 12, GREY_DARK)
    c.fill(ox + 2, 5, ox + 13, 5, WHITE)
    c.fill(ox + 2, 9, ox + 13, 11, GREY)
    c.fill(ox + 11, 10, ox + 12, 10, GREEN)


def draw_storage_card(c, ox):
    """A storage card with a cut corner and gold contacts."""
    c.fill(ox + 3, 1, ox + 12, 14, CARD)
    c.frame(ox + 3, 1, ox + 12, 14, (20, 50, 110))
    for i in range(3):                                  # the cut corner
        for x in range(ox + 10 + i, ox + 13):
            c.put(x, 1 + i, MASK)
        c.put(ox + 9 + i, 1 + i, (20, 50, 110))
    c.fill(ox + 4, 8, ox + 11, 13, CARD_LIGHT)
    for col in range(4, 11, 2):
        c.fill(ox + col, 2, ox + col, 4, GOLD)


NODE_IMAGES = [draw_root, draw_folder, draw_open_folder, draw_main_store, draw_storage_card]


def write_bmp8(path, canvas):
    palette = []
    index = {}
    for row in canvas.pixels:
        for colour in row:
            if colour not in index:
                index[colour] = len(palette)
                palette.append(colour)
    assert len(palette) <= 256, "too many colours for an 8-bit bitmap"
    palette += [(0, 0, 0)] * (256 - len(palette))
    stride = (canvas.width + 3) & ~3
    pixels = bytearray()
    for row in reversed(canvas.pixels):                 # bottom-up
        line = bytes(index[colour] for colour in row)
        pixels += line + bytes(stride - len(line))
    header_size = 14 + 40 + 256 * 4
    info = struct.pack('<IiiHHIIiiII', 40, canvas.width, canvas.height, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in palette)
    with open(path, 'wb') as out:
        out.write(b'BM' + struct.pack('<IHHI', header_size + len(pixels), 0, 0, header_size))
        out.write(info + table + bytes(pixels))


# ---- the program icon ------------------------------------------------------------

def icon_image(size):
    """A folder holding a sheet, with a blue handset-shaped badge."""
    c = Canvas(size, size, None)
    s = size // 16                                      # 1 at 16 pixels, 2 at 32

    def box(x0, y0, x1, y1, colour):
        c.fill(x0 * s, y0 * s, (x1 + 1) * s - 1, (y1 + 1) * s - 1, colour)

    def outline(x0, y0, x1, y1, colour):
        c.frame(x0 * s, y0 * s, (x1 + 1) * s - 1, (y1 + 1) * s - 1, colour)

    box(0, 2, 6, 3, FOLDER_DARK)
    outline(0, 2, 6, 3, OUTLINE)
    box(0, 4, 13, 14, FOLDER)
    box(1, 5, 12, 5, FOLDER_LIGHT)
    box(3, 3, 10, 7, WHITE)
    outline(3, 3, 10, 7, GREY)
    outline(0, 4, 13, 14, OUTLINE)
    box(9, 7, 15, 15, CARD)
    outline(9, 7, 15, 15, (20, 50, 110))
    box(10, 8, 14, 10, SCREEN_LIGHT)
    box(10, 12, 11, 12, WHITE)
    box(13, 12, 14, 12, WHITE)
    box(10, 14, 11, 14, WHITE)
    box(13, 14, 14, 14, WHITE)
    return c


def ico_entry(canvas):
    size = canvas.width
    pixels = bytearray()
    for row in reversed(canvas.pixels):
        for colour in row:
            if colour is None:
                pixels += bytes((0, 0, 0, 0))
            else:
                r, g, b = colour
                pixels += bytes((b, g, r, 255))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(canvas.pixels):
        bits = bytearray(mask_stride)
        for x, colour in enumerate(row):
            if colour is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + bytes(pixels) + bytes(mask)


def write_ico(path, canvases):
    images = [ico_entry(c) for c in canvases]
    offset = 6 + 16 * len(images)
    directory = b''
    for canvas, data in zip(canvases, images):
        directory += struct.pack('<BBBBHHII', canvas.width % 256, canvas.height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as out:
        out.write(struct.pack('<HHH', 0, 1, len(images)) + directory + b''.join(images))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    strip = Canvas(16 * len(NODE_IMAGES), 16, MASK)
    for i, draw in enumerate(NODE_IMAGES):
        draw(strip, 16 * i)
    write_bmp8(os.path.join(here, 'tree_images.bmp'), strip)
    write_ico(os.path.join(here, 'tarnwell.ico'), [icon_image(16), icon_image(32)])


if __name__ == '__main__':
    main()

#!/usr/bin/env python3
"""Draws Obrel's icons and writes them as .ico files (16 and 32 pixels each).

    python3 make_icons.py            # writes the .ico files beside this script

Every icon is drawn once on a 32-unit grid from a few filled shapes; each
output pixel takes the shapes' coverage from 8 x 8 samples, so edges are
smooth at 32 pixels. The 16-pixel images have designs of their own, on even
units only (whole pixels), so that they stay crisp. Only the standard library is needed.
"""

import math
import os
import struct

SAMPLES = 8  # per axis and output pixel


# ---- shapes: each answers whether a point (in 32-unit space) is inside -------

def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def round_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def polygon(*points):
    def inside(x, y):
        hit = False
        n = len(points)
        for i in range(n):
            (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                hit = not hit
        return hit
    return inside



# ---- the icons: lists of (shape, colour), painted in order -------------------

def rgb(text):
    return tuple(int(text[i:i + 2], 16) for i in (1, 3, 5))


def memory_icon(small):
    """A memory module: a green board with black chips and gold contacts."""
    if small:  # whole pixels only: two units each
        layers = [(rect(0, 8, 32, 24), rgb("#1E6B3A")), (rect(2, 10, 30, 22), rgb("#2E9B55"))]
        layers += [(rect(x, 10, x + 6, 18), rgb("#1C1C24")) for x in (4, 12, 20)]
        layers += [(rect(x, 20, x + 2, 24), rgb("#E8B830")) for x in (2, 6, 10, 20, 24, 28)]
        layers.append((rect(14, 20, 18, 24), (0, 0, 0, 0)))  # key notch
        return layers
    layers = [
        (round_rect(1, 8, 31, 24, 1.5), rgb("#1E6B3A")),           # board edge
        (round_rect(2, 9, 30, 23, 1), rgb("#2E9B55")),            # board
        (rect(14, 20, 16, 24), (0, 0, 0, 0)),                     # key notch
    ]
    for x in (4, 12, 20):                                         # chips
        layers.append((rect(x, 11, x + 6, 18), rgb("#1C1C24")))
        layers.append((rect(x + 1, 12, x + 5, 13), rgb("#4A4A58")))
    for x in range(3, 29, 2):                                     # contacts
        if x not in (13, 15):
            layers.append((rect(x, 20, x + 1, 23), rgb("#E8B830")))
    return layers


def flash_icon(small):
    """A storage card with its cut corner, label and contacts."""
    if small:
        layers = [
            (polygon((6, 2), (22, 2), (26, 6), (26, 30), (6, 30)), rgb("#2C57A6")),
            (rect(8, 14, 24, 28), rgb("#F2F4F8")),
            (rect(10, 18, 22, 20), rgb("#3D6FC2")),
            (rect(10, 22, 18, 24), rgb("#9DB3D8")),
        ]
        layers += [(rect(x, 4, x + 2, 10), rgb("#E8B830")) for x in (8, 12, 16, 20)]
        return layers
    layers = [
        (polygon((6, 2), (22, 2), (26, 6), (26, 30), (6, 30)), rgb("#1F3F7A")),
        (polygon((7, 3), (21.5, 3), (25, 6.5), (25, 29), (7, 29)), rgb("#3D6FC2")),
        (rect(9, 14, 23, 26), rgb("#F2F4F8")),                    # label
        (rect(11, 17, 21, 19), rgb("#3D6FC2")),
        (rect(11, 21, 18, 23), rgb("#9DB3D8")),
    ]
    layers += [(rect(x, 4, x + 2, 10), rgb("#E8B830")) for x in (9, 12, 15, 18)]
    return layers


def power_icon(small):
    """A battery on its side, mostly charged; the large one with a charging bolt."""
    layers = [
        (round_rect(2, 8, 28, 24, 2), rgb("#2B2F38")),            # case
        (rect(28, 12, 32 if small else 31, 20), rgb("#2B2F38")),  # terminal
        (rect(4, 10, 26, 22), rgb("#F4F6F8")),                    # inside
    ]
    if small:
        layers.append((rect(6, 12, 20, 20), rgb("#36B24A")))
        return layers
    layers.append((rect(5, 11, 21, 21), rgb("#36B24A")))
    layers.append((polygon((16, 9), (9, 17), (14, 17), (12, 23), (19, 15), (14, 15)), rgb("#FFD21F")))
    return layers


def program_icon(small):
    """Obrel itself: a handset screen showing three bar graphs."""
    layers = [
        (round_rect(4, 0 if small else 1, 28, 32 if small else 31, 3), rgb("#2B2F38")),  # handset
        (rect(6 if small else 7, 4, 26 if small else 25, 24), rgb("#DCE7F7")),           # screen
        (rect(6 if small else 7, 4, 26 if small else 25, 8), rgb("#8FB1E3")),            # header
    ]
    for top, width, colour in ((10, 4, "#C00000"), (14, 10, "#00A000"), (18, 6, "#2050D0")):
        layers.append((rect(8, top, 24, top + 2), rgb("#B8C0CC")))  # bars in the pages' colours
        layers.append((rect(8, top, 8 + width, top + 2), rgb(colour)))
    layers.append((rect(12, 26, 20, 28), rgb("#6A7080")))             # key
    return layers


ICONS = {
    "memory.ico": memory_icon,
    "flash.ico": flash_icon,
    "power.ico": power_icon,
    "obrel.ico": program_icon,
}


# ---- rendering and the .ico format -------------------------------------------

def render(layers, size):
    """Rows of (r, g, b, a) pixels, top row first."""
    scale = 32.0 / size
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0.0  # premultiplied
            for shape, colour in layers:
                hits = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        x = (px + (sx + 0.5) / SAMPLES) * scale
                        y = (py + (sy + 0.5) / SAMPLES) * scale
                        hits += shape(x, y)
                cover = hits / (SAMPLES * SAMPLES)
                if not cover:
                    continue
                if len(colour) == 4 and colour[3] == 0:
                    # A hole: cuts through everything painted so far.
                    r, g, b, a = (v * (1 - cover) for v in (r, g, b, a))
                    continue
                alpha = cover
                r = colour[0] * alpha + r * (1 - alpha)
                g = colour[1] * alpha + g * (1 - alpha)
                b = colour[2] * alpha + b * (1 - alpha)
                a = alpha + a * (1 - alpha)
            if a > 0:
                row.append((round(r / a), round(g / a), round(b / a), round(a * 255)))
            else:
                row.append((0, 0, 0, 0))
        pixels.append(row)
    return pixels


def icon_image(pixels):
    """One image of an .ico: a 32-bit DIB (height doubled) and its AND mask."""
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for row in reversed(pixels):
        for r, g, b, a in row:
            colour += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(colour) + bytes(mask)


def write_icon(path, make):
    images = [(size, icon_image(render(make(size == 16), size))) for size in (16, 32)]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    with open(path, "wb") as f:
        f.write(out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, make in ICONS.items():
        write_icon(os.path.join(here, name), make)
        print("wrote", name)


if __name__ == "__main__":
    main()

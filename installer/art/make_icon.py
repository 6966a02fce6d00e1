#!/usr/bin/env python3
"""Draws jokesetup's icon: a handheld with an arrow coming down onto its screen.

Writes jokesetup.ico beside this script: one 32 x 32 and one 16 x 16 image, 16 colours each
(4 bits per pixel with a transparency mask). Python 3 standard library only; the output is the
same on every run.

    python3 installer/art/make_icon.py
"""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# The 16 colours of the platform's standard palette; index 0 doubles as the transparent fill.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GREEN, SILVER, GREY, GREEN, CYAN = 0, 2, 7, 8, 10, 14


def colour_at(u, v):
    """The colour index at a point of the 32-unit drawing, or None where it is transparent."""
    # The arrow, from above the case down into the screen, over everything else.
    head = 12 <= v < 19 and abs(u - 16) <= 19 - v
    if 14 <= u < 18 and v < 13 or head:
        inner = (15 <= u < 17 and v < 13) or (12.5 <= v < 17.5 and abs(u - 16) <= 17.5 - v)
        return GREEN if inner else DARK_GREEN
    # The handheld: a dark case, a light screen in a black frame, two buttons below it.
    if 11 <= u < 21 and 10 <= v < 22:
        return CYAN
    if 10 <= u < 22 and 9 <= v < 23:
        return BLACK
    if (11 <= u < 15 or 17 <= u < 21) and 25 <= v < 28:
        return SILVER
    if 8 <= u < 24 and 7 <= v < 30:
        return GREY
    if 7 <= u < 25 and 6 <= v < 31:
        return BLACK
    return None


def scene(size):
    """The colour index of each pixel, sampled at the pixel's centre."""
    unit = 32.0 / size
    return [[colour_at((x + 0.5) * unit, (y + 0.5) * unit) for x in range(size)]
            for y in range(size)]


def icon_image(size):
    pixels = scene(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    colour_row = (size * 4 + 31) // 32 * 4
    mask_row = (size + 31) // 32 * 4
    colour = bytearray()
    mask = bytearray()
    for y in reversed(range(size)):  # bottom-up, as a device-independent bitmap is stored
        row = bytearray(colour_row)
        bits = bytearray(mask_row)
        for x in range(size):
            index = pixels[y][x]
            if index is None:
                bits[x // 8] |= 0x80 >> (x % 8)
                index = 0
            row[x // 2] |= index << (4 if x % 2 == 0 else 0)
        colour += row
        mask += bits
    return header + palette + bytes(colour) + bytes(mask)


def write_ico(path, sizes):
    images = [icon_image(size) for size in sizes]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    for image in images:
        out += image
    with open(path, "wb") as f:
        f.write(out)


def main():
    write_ico(os.path.join(HERE, "jokesetup.ico"), [32, 16])


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Draws the reader's pictures: a laughing face over a notepad.

Writes about.bmp (the About picture: 122 x 150, 8 bits per pixel with a palette),
jokepad.ico (the program icon: 32 x 32 and 16 x 16, 16 colours each) and jokepad.png (the
32 x 32 icon for desktops, in the same colours, transparent around the picture) beside this
script.
Python 3 standard library only; the output is the same on every run.

    python3 reader/res/art/make_art.py
"""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# Colours, as (red, green, blue).
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
FACE = (255, 206, 38)
FACE_SHADE = (240, 168, 20)
OUTLINE = (104, 58, 8)
MOUTH = (132, 22, 34)
TONGUE = (240, 110, 120)
TEETH = (255, 255, 250)
CHEEK = (250, 140, 110)
TEAR = (110, 190, 250)
PAPER = (255, 248, 196)
PAPER_EDGE = (150, 140, 100)
RULE = (150, 190, 235)
MARGIN = (230, 90, 90)
BINDING = (40, 64, 150)
RING = (210, 215, 225)
INK = (30, 50, 140)


# ---- shapes: each is a function (x, y) -> bool over real coordinates -------------------------

def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def ring(cx, cy, r_outer, r_inner):
    return lambda x, y: r_inner * r_inner <= (x - cx) ** 2 + (y - cy) ** 2 <= r_outer * r_outer


def both(a, b):
    return lambda x, y: a(x, y) and b(x, y)


def above(y_limit):
    return lambda x, y: y <= y_limit


def below(y_limit):
    return lambda x, y: y >= y_limit


def laughing_eye(cx, cy, r, width):
    """A closed, laughing eye: an arch, open at the bottom."""
    return both(ring(cx, cy, r, r - width), above(cy + 0.5))


def drop(cx, cy, r):
    """A tear: a disc with a point on top."""
    return lambda x, y: disc(cx, cy, r)(x, y) or (
        cy - 2.2 * r <= y < cy and abs(x - cx) <= r * (y - (cy - 2.2 * r)) / (2.2 * r))


# A 3 x 5 pixel font for the notepad's words.
GLYPHS = {
    "H": ["1.1", "1.1", "111", "1.1", "1.1"],
    "A": [".1.", "1.1", "111", "1.1", "1.1"],
    "!": [".1.", ".1.", ".1.", "...", ".1."],
}


def text(x0, y0, words, scale):
    cells = set()
    x = 0
    for ch in words:
        if ch == " ":
            x += 2
            continue
        for row, line in enumerate(GLYPHS[ch]):
            for col, bit in enumerate(line):
                if bit == "1":
                    cells.add((x + col, row))
        x += 4
    return lambda px, py: (int((px - x0) // scale), int((py - y0) // scale)) in cells \
        if px >= x0 and py >= y0 else False


# ---- scenes: lists of (shape, colour), later entries on top ----------------------------------

def about_scene():
    s = []
    # The notepad, a little tilted by being drawn with a shadow.
    s.append((rect(22, 100, 106, 148), (200, 200, 200)))
    s.append((rect(18, 96, 103, 145), PAPER_EDGE))
    s.append((rect(19, 97, 102, 144), PAPER))
    for y in range(116, 144, 8):
        s.append((rect(19, y, 102, y + 1), RULE))
    s.append((rect(31, 104, 32, 144), MARGIN))
    s.append((rect(18, 96, 103, 106), BINDING))
    for x in range(26, 100, 10):
        s.append((ring(x + 0.5, 101, 3.2, 1.6), RING))
    s.append((text(36, 108, "HA HA", 2), INK))
    s.append((text(36, 124, "HA HA!", 2), INK))
    # The face.
    s.append((disc(61, 50, 43), OUTLINE))
    s.append((disc(61, 50, 40.5), FACE_SHADE))
    s.append((disc(58, 46, 37), FACE))
    s.append((ellipse(33, 60, 7, 4.5), CHEEK))
    s.append((ellipse(89, 60, 7, 4.5), CHEEK))
    s.append((laughing_eye(45, 41, 9, 3.2), OUTLINE))
    s.append((laughing_eye(77, 41, 9, 3.2), OUTLINE))
    s.append((drop(27, 48, 4), TEAR))
    s.append((drop(95, 48, 4), TEAR))
    mouth = both(ellipse(61, 58, 25, 24), below(58))
    s.append((both(ellipse(61, 58, 27.5, 26.5), below(55.5)), OUTLINE))
    s.append((mouth, MOUTH))
    s.append((both(mouth, ellipse(61, 80, 14, 8)), TONGUE))
    s.append((both(mouth, rect(30, 58, 92, 63)), TEETH))
    return s


def icon_scene(size):
    k = size / 32.0
    s = []
    s.append((rect(13 * k, 11 * k, 31 * k, 31 * k), PAPER_EDGE))
    s.append((rect(14 * k, 12 * k, 30 * k, 30 * k), PAPER))
    for y in (18, 22, 26):
        s.append((rect(14 * k, y * k, 30 * k, y * k + 1), RULE))
    s.append((rect(13 * k, 11 * k, 31 * k, 15 * k), BINDING))
    s.append((disc(13 * k, 13 * k, 12.5 * k), OUTLINE))
    s.append((disc(13 * k, 13 * k, 11.3 * k), FACE))
    if size >= 32:
        s.append((laughing_eye(8.5, 10.5, 3.2, 1.3), OUTLINE))
        s.append((laughing_eye(17.5, 10.5, 3.2, 1.3), OUTLINE))
        s.append((both(ellipse(13, 14, 7.2, 7), below(14)), MOUTH))
        s.append((both(ellipse(13, 14, 7.2, 7), rect(5, 14, 21, 16)), WHITE))
        s.append((rect(3, 13, 5, 15), TEAR))
        s.append((rect(21, 13, 23, 15), TEAR))
    else:
        s.append((rect(3, 4, 6, 5), OUTLINE))
        s.append((rect(8, 4, 11, 5), OUTLINE))
        s.append((rect(3, 5, 4, 6), OUTLINE))
        s.append((rect(5, 5, 6, 6), OUTLINE))
        s.append((rect(8, 5, 9, 6), OUTLINE))
        s.append((rect(10, 5, 11, 6), OUTLINE))
        s.append((rect(3, 7, 11, 8), WHITE))
        s.append((rect(4, 8, 10, 10), MOUTH))
        s.append((rect(5, 10, 9, 11), MOUTH))
    return s


def sample(scene, x, y, background):
    colour = background
    for shape, c in scene:
        if shape(x, y):
            colour = c
    return colour


def render(scene, width, height, background, samples):
    """Colours of each pixel, averaged over samples x samples points inside it."""
    pixels = []
    for py in range(height):
        row = []
        for px in range(width):
            total = [0, 0, 0]
            for sy in range(samples):
                for sx in range(samples):
                    c = sample(scene, px + (sx + 0.5) / samples, py + (sy + 0.5) / samples,
                               background)
                    for i in range(3):
                        total[i] += c[i]
            n = samples * samples
            row.append(tuple((t + n // 2) // n for t in total))
        pixels.append(row)
    return pixels


# ---- palettes --------------------------------------------------------------------------------

def median_cut(colours, count):
    """At most count colours that stand for the given ones (each listed once per pixel)."""
    boxes = [colours]
    while len(boxes) < count:
        # Split the box with the widest channel range that has more than one colour.
        best = None
        for i, box in enumerate(boxes):
            if len(set(box)) < 2:
                continue
            spread = max(max(c[ch] for c in box) - min(c[ch] for c in box) for ch in range(3))
            if best is None or spread > best[0]:
                best = (spread, i)
        if best is None:
            break
        box = boxes.pop(best[1])
        ch = max(range(3), key=lambda k: max(c[k] for c in box) - min(c[k] for c in box))
        box.sort(key=lambda c: c[ch])
        middle = len(box) // 2
        boxes += [box[:middle], box[middle:]]
    return sorted({tuple(sum(c[k] for c in box) // len(box) for k in range(3)) for box in boxes})


def nearest(palette, colour, cache):
    if colour not in cache:
        cache[colour] = min(range(len(palette)),
                            key=lambda i: sum((palette[i][k] - colour[k]) ** 2 for k in range(3)))
    return cache[colour]


# ---- files -----------------------------------------------------------------------------------

def write_bmp8(path, pixels):
    height = len(pixels)
    width = len(pixels[0])
    colours = [c for row in pixels for c in row]
    distinct = sorted(set(colours))
    palette = distinct if len(distinct) <= 256 else median_cut(colours, 256)
    cache = {}
    stride = (width + 3) // 4 * 4
    rows = []
    for row in reversed(pixels):  # bottom-up
        data = bytes(nearest(palette, c, cache) for c in row)
        rows.append(data + bytes(stride - width))
    image = b"".join(rows)
    palette_bytes = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    palette_bytes += bytes(4 * (256 - len(palette)))
    offset = 14 + 40 + len(palette_bytes)
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(image), 2835, 2835,
                       len(palette), len(palette))
    with open(path, "wb") as f:
        f.write(header + info + palette_bytes + image)


ICON_PALETTE = [BLACK, WHITE, FACE, OUTLINE, MOUTH, TEAR, PAPER, PAPER_EDGE, RULE, BINDING,
                (128, 128, 128), (192, 192, 192), (0, 0, 128), (0, 128, 0), (128, 0, 0),
                (0, 128, 128)]


def icon_image(size, scene_of=None, palette=ICON_PALETTE):
    """One icon image: a 4-bit colour bitmap and its transparency mask."""
    scene = (scene_of or icon_scene)(size)
    assert len(palette) == 16
    transparent = object()
    cache = {}
    indices = []
    mask = []
    for py in range(size):
        row = []
        mrow = []
        for px in range(size):
            c = sample(scene, px + 0.5, py + 0.5, transparent)
            if c is transparent:
                row.append(0)
                mrow.append(1)
            else:
                row.append(nearest(palette, c, cache))
                mrow.append(0)
        indices.append(row)
        mask.append(mrow)
    xor_stride = (size // 2 + 3) // 4 * 4
    and_stride = (size // 8 + 3) // 4 * 4
    xor = b""
    and_mask = b""
    for row, mrow in zip(reversed(indices), reversed(mask)):  # bottom-up
        packed = bytes((row[i] << 4) | row[i + 1] for i in range(0, size, 2))
        xor += packed + bytes(xor_stride - len(packed))
        bits = bytearray(and_stride)
        for i, m in enumerate(mrow):
            if m:
                bits[i // 8] |= 0x80 >> (i % 8)
        and_mask += bytes(bits)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(and_mask),
                       0, 0, 16, 0)
    palette_bytes = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return info + palette_bytes + xor + and_mask


def write_ico(path, sizes, scene_of=None, palette=ICON_PALETTE):
    """An icon file of one image per size; scene_of(size) and palette default to the reader's."""
    images = [icon_image(size, scene_of, palette) for size in sizes]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, image in zip(sizes, images):
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(directory + entries + b"".join(images))


def write_png(path, size, scene_of=None, palette=ICON_PALETTE):
    """The icon image of one size as an 8-bit RGBA PNG: the icon's colours, and transparency
    where its mask is."""
    scene = (scene_of or icon_scene)(size)
    transparent = object()
    cache = {}
    raw = b""
    for py in range(size):
        row = bytearray([0])  # filter: none
        for px in range(size):
            c = sample(scene, px + 0.5, py + 0.5, transparent)
            if c is transparent:
                row += bytes(4)
            else:
                row += bytes(palette[nearest(palette, c, cache)]) + b"\xff"
        raw += bytes(row)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    write_bmp8(os.path.join(HERE, "about.bmp"), render(about_scene(), 122, 150, WHITE, 4))
    write_ico(os.path.join(HERE, "jokepad.ico"), [32, 16])
    write_png(os.path.join(HERE, "jokepad.png"), 32)


if __name__ == "__main__":
    main()

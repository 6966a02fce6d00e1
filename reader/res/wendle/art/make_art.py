#!/usr/bin/env python3
"""Draws the Wendle Diver edition's pictures: a laughing diver under the sea.

Writes about.bmp (the About picture: 122 x 150, 8 bits per pixel with a palette) and
wendle.ico (the program icon: 32 x 32 and 16 x 16, 16 colours each) beside this script.
The shapes, the renderer and the file writers are those of the reader's own pictures
(reader/res/art/make_art.py); only the scenes are this edition's. The output is the same on
every run.

    python3 reader/res/wendle/art/make_art.py
"""

import importlib.util
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))


def load_reader_art():
    path = os.path.join(HERE, "..", "..", "art", "make_art.py")
    found = importlib.util.spec_from_file_location("reader_art", path)
    module = importlib.util.module_from_spec(found)
    found.loader.exec_module(module)
    return module


art = load_reader_art()
disc, ellipse, rect, ring, both = art.disc, art.ellipse, art.rect, art.ring, art.both
above, below, laughing_eye = art.above, art.below, art.laughing_eye

# Colours, as (red, green, blue).
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
SEA_TOP = (120, 205, 240)
SEA_DEEP = (10, 60, 130)
SAND = (236, 208, 140)
SAND_SHADE = (205, 170, 100)
WEED = (40, 150, 80)
WEED_DARK = (20, 100, 55)
FACE = art.FACE
FACE_SHADE = art.FACE_SHADE
OUTLINE = art.OUTLINE
MOUTH = art.MOUTH
TONGUE = art.TONGUE
TEETH = art.TEETH
MASK = (30, 35, 45)
GLASS = (190, 235, 250)
GLINT = (255, 255, 255)
STRAP = (60, 70, 85)
SNORKEL = (255, 120, 20)
SNORKEL_TIP = (230, 40, 40)
BUBBLE = (225, 245, 255)
FISH = (255, 150, 30)
FISH_STRIPE = (255, 250, 240)


def mix(a, b, t):
    return tuple(round(a[k] + (b[k] - a[k]) * t) for k in range(3))


def tail(x0, y0, x1, half):
    """A fish tail: a triangle with its point at (x0, y0) opening to the left up to x1."""
    def inside(x, y):
        if not x1 <= x <= x0:
            return False
        return abs(y - y0) <= half * (x0 - x) / (x0 - x1)
    return inside


def weed(x_base, y_base, height, sway, width):
    """A strand of seaweed: a band that waves from side to side as it rises."""
    def inside(x, y):
        if not y_base - height <= y <= y_base:
            return False
        centre = x_base + sway * math.sin((y_base - y) / height * 2 * math.pi)
        taper = width * (0.4 + 0.6 * (y - (y_base - height)) / height)
        return abs(x - centre) <= taper
    return inside


def about_scene():
    s = []
    # The sea, lighter towards the surface, in bands that the 4 x 4 sampling smooths.
    for y in range(0, 150, 3):
        s.append((rect(0, y, 122, y + 3), mix(SEA_TOP, SEA_DEEP, y / 150)))
    # Light from the surface.
    for x0 in (8, 48, 90):
        s.append((lambda x, y, x0=x0: y < 70 and x0 + y * 0.25 <= x < x0 + 9 + y * 0.25,
                  (150, 220, 245)))
    # The sea floor with its weed.
    s.append((ellipse(61, 168, 90, 36), SAND_SHADE))
    s.append((ellipse(61, 170, 88, 33), SAND))
    s.append((weed(12, 146, 42, 4, 3.2), WEED_DARK))
    s.append((weed(20, 148, 30, -3, 2.6), WEED))
    s.append((weed(108, 146, 46, -4, 3.2), WEED_DARK))
    s.append((weed(100, 148, 28, 3, 2.6), WEED))
    # A small fish passing by.
    s.append((tail(92, 122, 84, 6), FISH))
    s.append((ellipse(100, 122, 11, 6.5), FISH))
    s.append((both(ellipse(100, 122, 11, 6.5), rect(97, 110, 100, 134)), FISH_STRIPE))
    s.append((disc(106, 120.5, 1.4), BLACK))
    # The snorkel, rising beside the head.
    s.append((rect(99, 14, 106, 72), SNORKEL))
    s.append((rect(99, 9, 106, 16), SNORKEL_TIP))
    # The face.
    s.append((disc(58, 62, 40), OUTLINE))
    s.append((disc(58, 62, 37.5), FACE_SHADE))
    s.append((disc(55, 58, 34), FACE))
    # The mask: its strap round the head, the frame and two panes of glass.
    s.append((rect(17, 42, 99, 49), STRAP))
    s.append((ellipse(58, 46, 34, 17), MASK))
    s.append((ellipse(44, 46, 13, 12), GLASS))
    s.append((ellipse(72, 46, 13, 12), GLASS))
    s.append((laughing_eye(44, 48, 7, 2.6), OUTLINE))
    s.append((laughing_eye(72, 48, 7, 2.6), OUTLINE))
    s.append((ellipse(38, 40, 3, 2), GLINT))
    s.append((ellipse(66, 40, 3, 2), GLINT))
    # The laughing mouth, with the snorkel's mouthpiece at its corner.
    mouth = both(ellipse(56, 70, 21, 20), below(70))
    s.append((both(ellipse(56, 70, 23.5, 22.5), below(67.5)), OUTLINE))
    s.append((mouth, MOUTH))
    s.append((both(mouth, ellipse(56, 89, 12, 7)), TONGUE))
    s.append((both(mouth, rect(30, 70, 82, 74)), TEETH))
    s.append((rect(82, 68, 103, 75), SNORKEL))
    s.append((both(disc(99, 68, 7), below(68)), SNORKEL))
    s.append((ellipse(82, 71.5, 5, 5), SNORKEL))
    # Bubbles rising from the snorkel.
    for cx, cy, r in ((102, 4, 2.6), (112, 12, 2.4), (90, 6, 2.0), (114, 28, 1.8),
                      (20, 20, 2.6), (28, 10, 1.8)):
        s.append((ring(cx, cy, r, r - 1.0), BUBBLE))
    return s


def icon_scene(size):
    k = size / 32.0
    s = []
    s.append((rect(0, 0, size, size), SEA_DEEP))
    s.append((rect(0, 0, size, 12 * k), SEA_TOP))
    s.append((rect(24 * k, 3 * k, 28 * k, 18 * k), SNORKEL))
    s.append((disc(14 * k, 18 * k, 12.5 * k), OUTLINE))
    s.append((disc(14 * k, 18 * k, 11.3 * k), FACE))
    if size >= 32:
        s.append((rect(2, 11, 26, 14), MASK))
        s.append((ellipse(14, 12.5, 10, 5.5), MASK))
        s.append((ellipse(9.5, 12.5, 4, 3.5), GLASS))
        s.append((ellipse(18.5, 12.5, 4, 3.5), GLASS))
        s.append((both(ellipse(14, 20, 7, 6.5), below(20)), MOUTH))
        s.append((both(ellipse(14, 20, 7, 6.5), rect(6, 20, 22, 22)), WHITE))
        s.append((disc(28, 2.5, 1.6), WHITE))
    else:
        s.append((rect(2, 5, 13, 8), MASK))
        s.append((rect(4, 6, 6, 7), GLASS))
        s.append((rect(8, 6, 10, 7), GLASS))
        s.append((rect(4, 10, 10, 11), WHITE))
        s.append((rect(5, 11, 9, 13), MOUTH))
    return s


ICON_PALETTE = [BLACK, WHITE, FACE, OUTLINE, MOUTH, SEA_TOP, SEA_DEEP, MASK, GLASS, SNORKEL,
                (128, 128, 128), (192, 192, 192), (0, 0, 128), (0, 128, 0), (128, 0, 0),
                (0, 128, 128)]


def main():
    art.write_bmp8(os.path.join(HERE, "about.bmp"), art.render(about_scene(), 122, 150, SEA_TOP,
                                                                   4))
    art.write_ico(os.path.join(HERE, "wendle.ico"), [32, 16], icon_scene, ICON_PALETTE)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Checks the tree window on a real X server against its picture.

Usage: check_tree_window.py TREE_RGB_DUMP SCREENSHOT_RGB_DUMP SCREEN_W SHAPE_FILE X Y

TREE_RGB_DUMP: the tree picture as raw 8-bit RGB (308 x 398); SCREENSHOT_RGB_DUMP: the root
window as raw RGB of width SCREEN_W; SHAPE_FILE: the output of `x_probe shape` ("left top width height" per line); X, Y: the
window's position. Checks that the window's shape is exactly the tree's non-white pixels, and
that every pixel shown is the tree's own, a lamp drawn in mask-pen mode (the AND of the tree
and the lamp's design colour or one of the bright palette colours the lamps take from the
first tenth of a second on), a line of the hatching over the tree (grey or pale yellow), or
part of the question-mark button or the plug at the tree's foot.
"""
import re
import sys

W, H = 308, 398
LIGHTS = [  # index, left, top (twips), fill colour
    (1, 1470, 1995, (128, 128, 255)), (2, 1890, 2460, (128, 0, 128)),
    (3, 1335, 2880, (128, 0, 128)), (4, 2300, 1095, (255, 0, 0)),
    (5, 1155, 3360, (192, 192, 255)), (6, 540, 3585, (255, 192, 255)),
    (7, 1065, 4020, (128, 255, 255)), (8, 2745, 2825, (0, 192, 192)),
    (9, 3180, 2715, (255, 0, 0)), (10, 2415, 1425, (0, 0, 255)),
    (11, 1530, 4830, (255, 0, 0)), (12, 1725, 4245, (255, 0, 0)),
    (13, 2310, 3735, (0, 0, 128)), (14, 3375, 3615, (128, 255, 128)),
    (15, 3345, 2340, (128, 128, 255)), (16, 990, 4950, (0, 0, 255)),
    (17, 2790, 3960, (255, 192, 255)), (18, 3585, 3300, (255, 128, 0)),
    (19, 3525, 4455, (0, 128, 0)), (20, 2220, 2805, (255, 0, 0)),
    (21, 2385, 4605, (255, 128, 0)), (22, 2895, 4575, (255, 0, 0)),
    (23, 2175, 3270, (192, 192, 192)), (24, 1905, 1980, (192, 192, 192)),
]

# Lamps whose outline differs from their body.
BORDERS = {6: (255, 128, 255), 13: (0, 0, 192), 14: (0, 255, 0), 17: (255, 128, 255)}

# The palette colours 7 to 15 that lamps take at random.
BRIGHT = [(192, 192, 192), (128, 128, 128), (0, 0, 255), (0, 255, 0), (0, 255, 255),
          (255, 0, 0), (255, 0, 255), (255, 255, 0), (255, 255, 255)]


def pixels(path, width):
    data = open(path, "rb").read()
    return lambda x, y: tuple(data[(y * width + x) * 3:(y * width + x) * 3 + 3])


def shape_pixels(path):
    text = open(path).read()
    inside = set()
    for m in re.finditer(r"^(-?\d+) (-?\d+) (\d+) (\d+)$", text, re.M):
        x, y, w, h = (int(v) for v in m.groups())
        for yy in range(y, y + h):
            for xx in range(x, x + w):
                inside.add((xx, yy))
    return inside


def main():
    tree = pixels(sys.argv[1], W)
    screen = pixels(sys.argv[2], int(sys.argv[3]))
    shape = shape_pixels(sys.argv[4])
    wx, wy = int(sys.argv[5]), int(sys.argv[6])
    expected = {(x, y) for y in range(H) for x in range(306) if tree(x, y) != (255, 255, 255)}
    # The box shows 306 columns of the picture and white below it; the window is the picture's size.
    expected |= {(x, y) for y in range(H) for x in range(306, W) if tree(x, y) != (255, 255, 255)}
    if shape != expected:
        print(f"shape differs: {len(shape - expected)} extra, {len(expected - shape)} missing pixels")
        return 1
    lamp = {}
    for index, left, top, fill in LIGHTS:
        lx, ly = round(left / 15), round(top / 15)
        for y in range(ly, ly + 15):
            for x in range(lx, lx + 15):
                lamp.setdefault((x, y), set()).update({fill, BORDERS.get(index, fill), *BRIGHT})
    buttons = {(x, y) for x in range(80, 98) for y in range(376, 394)}
    buttons |= {(x, y) for x in range(155, 184) for y in range(377, 392)}
    bad = []
    for (x, y) in expected:
        s, t = screen(wx + x, wy + y), tree(x, y)
        hatch = s[0] == s[1] == s[2] or s == (255, 255, 192)
        if s == t or hatch:
            continue
        if (x, y) in buttons:
            continue
        if any(s == tuple(a & b for a, b in zip(t, c)) for c in lamp.get((x, y), ())):
            continue
        bad.append((x, y, s, t))
    if bad:
        print(f"{len(bad)} pixels are neither tree, lamp nor hatching, e.g. {bad[:5]}")
        return 1
    print(f"shape: {len(shape)} pixels equal the tree's; every shown pixel is tree, lamp or hatching")
    return 0


sys.exit(main())

# SPDX-License-Identifier: MIT
"""Pixel art in 16 colours: the three hand cursors (32 x 32) and the program
icon, a Christmas tree, at 32 x 32 and 16 x 16 (PNG files and one ICO with
classic 4-bit images).

Figures are painted part by part, back to front; every part gets a black
outline one pixel wide (its 4-neighbour border), so overlapping parts stay
separated by a line, as in hand-drawn cursor art."""

import struct
from pathlib import Path

from PIL import Image

# The 16-colour palette shared by every picture here; index 0 is transparent.
PALETTE = [
    (0, 0, 0),        # 0 transparent
    (0, 0, 0),        # 1 outline
    (255, 226, 196),  # 2 skin
    (236, 186, 146),  # 3 skin shade
    (255, 246, 236),  # 4 skin light
    (40, 96, 216),    # 5 cuff blue
    (16, 40, 128),    # 6 cuff dark
    (128, 176, 255),  # 7 cuff light
    (216, 24, 24),    # 8 red
    (255, 255, 255),  # 9 white
    (0, 128, 0),      # 10 green
    (0, 200, 64),     # 11 light green
    (128, 128, 128),  # 12 grey (shadow)
    (255, 224, 0),    # 13 yellow
    (0, 224, 255),    # 14 cyan
    (128, 72, 24),    # 15 brown
]
T, K, SKIN, SHADE, LIGHT, BLUE, DARK, PALE, RED, WHITE, GREEN, LGREEN, GREY, YELLOW, CYAN, BROWN = range(16)
BLUE_LIGHT = BLUE  # the tree's blue light uses the cuff blue


class Canvas:
    def __init__(self, size: int) -> None:
        self.size = size
        self.px = [[T] * size for _ in range(size)]

    def set(self, x: int, y: int, colour: int) -> None:
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[y][x] = colour

    def part(self, cells: set, fill: int, outline: bool = True) -> None:
        """Paints a set of (x, y) cells with their black border around them."""
        if outline:
            for x, y in cells:
                for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                    if (x + dx, y + dy) not in cells:
                        self.set(x + dx, y + dy, K)
        for x, y in cells:
            self.set(x, y, fill)

    def shade(self, cells: set, colour: int, dx: int, dy: int) -> None:
        """Recolours the cells of a part that lie on its edge towards (dx, dy)."""
        for x, y in cells:
            if (x + dx, y + dy) not in cells:
                self.set(x, y, colour)

    def image(self) -> Image.Image:
        img = Image.new("P", (self.size, self.size))
        img.putpalette([c for rgb in PALETTE for c in rgb])
        img.putdata([c for row in self.px for c in row])
        img.info["transparency"] = 0
        return img


def rect(x0: int, y0: int, x1: int, y1: int, round_corners: bool = False) -> set:
    cells = {(x, y) for x in range(x0, x1 + 1) for y in range(y0, y1 + 1)}
    if round_corners:
        cells -= {(x0, y0), (x1, y0), (x0, y1), (x1, y1)}
    return cells


def skin_part(c: Canvas, cells: set) -> None:
    c.part(cells, SKIN)
    c.shade(cells, SHADE, 1, 0)
    c.shade(cells, SHADE, 0, 1)
    c.shade(cells, LIGHT, -1, 0)


def cuff(c: Canvas, x0: int, x1: int, y0: int, y1: int) -> None:
    cells = rect(x0, y0, x1, y1)
    c.part(cells, BLUE)
    c.shade(cells, DARK, 0, 1)
    c.shade(cells, DARK, 1, 0)
    for x in range(x0 + 1, x1):
        c.set(x, y0, PALE)
    for y in range(y0 + 1, y1):
        c.set(x0 + 3, y, DARK)


def pointing_hand(prohibited: bool = False) -> Image.Image:
    """The index finger points up with its tip at (12, 1), the hot spot."""
    c = Canvas(32)
    skin_part(c, rect(7, 15, 25, 24, round_corners=True) | rect(9, 25, 24, 25))  # palm and thumb root
    skin_part(c, rect(5, 13, 9, 18, round_corners=True))                          # thumb
    for x0, y0 in ((15, 11), (19, 12), (23, 13)):                                 # folded fingers
        skin_part(c, rect(x0, y0, x0 + 3, 16, round_corners=True))
    skin_part(c, rect(11, 3, 13, 16) | {(12, 2)})                                 # index finger
    for x, y in ((12, 14), (16, 14), (20, 14)):                                   # knuckle creases
        c.set(x, y, SHADE)
    cuff(c, 8, 25, 26, 30)
    if prohibited:
        # A "no entry" sign on the palm: red ring and bar over white, outlined in black.
        cx, cy = 18, 20.5
        disc = {(x, y) for x in range(32) for y in range(32) if (x - cx) ** 2 + (y - cy) ** 2 <= 5.6 ** 2}
        c.part(disc, WHITE)
        for x, y in disc:
            d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
            if d >= 3.9 or abs((x - cx) - (y - cy)) <= 0.8:
                c.set(x, y, RED)
    return c.image()


def open_hand() -> Image.Image:
    """An open hand, fingers spread, for dragging; the palm's centre (16, 14) is the hot spot."""
    c = Canvas(32)
    skin_part(c, rect(10, 11, 23, 22, round_corners=True) | rect(11, 23, 22, 24))  # palm
    skin_part(c, {(7, 12), (8, 12), (6, 13), (7, 13), (8, 13), (9, 13), (7, 14), (8, 14), (9, 14),
                  (8, 15), (9, 15), (9, 16), (10, 16), (9, 17), (10, 17)})          # thumb
    for x0, y0 in ((11, 4), (14, 2), (17, 3), (20, 6)):                             # fingers
        skin_part(c, rect(x0, y0, x0 + 2, 13) | {(x0 + 1, y0 - 1)})
    for x in (13, 16, 19):
        c.set(x, 12, SHADE)
    cuff(c, 10, 23, 25, 30)
    return c.image()


def tree_icon(size: int) -> Image.Image:
    """A pixel-art Christmas tree: green tiers with black outline, a grey
    shadow, a brown trunk, a yellow star and small coloured lights."""
    c = Canvas(size)
    s = size / 32
    tiers = [(4, 12, 5), (9, 19, 8), (15, 25, 11)]  # (top y, bottom y, half width) at 32 px
    cx = 15 if size == 32 else 7.5
    cells = set()
    for top, bottom, half in tiers:
        for y in range(round(top * s), round(bottom * s) + 1):
            frac = (y - top * s) / max(1, (bottom - top) * s)
            h = 0.5 + frac * half * s
            for x in range(size):
                if abs(x + 0.5 - (cx + 0.5)) <= h:
                    cells.add((x, y))
    trunk = rect(round(cx - 1.5 * s), round(26 * s), round(cx + 1.5 * s), round(29 * s))
    shadow = {(x + max(1, round(2 * s)), y + max(1, round(s))) for x, y in cells | trunk}
    c.part(shadow - cells - trunk, GREY, outline=False)
    c.part(trunk, BROWN)
    c.part(cells, GREEN)
    c.shade(cells, LGREEN, -1, 0)
    lights = [(cx - 2, 10, RED), (cx + 2, 8, YELLOW), (cx + 3, 15, BLUE_LIGHT), (cx - 4, 17, CYAN),
              (cx + 1, 19, RED), (cx - 6, 23, YELLOW), (cx + 6, 22, CYAN), (cx - 1, 24, BLUE_LIGHT),
              (cx + 4, 24, RED), (cx - 2, 14, YELLOW)]
    if size == 16:
        lights = [(7, 5, RED), (9, 7, YELLOW), (6, 8, CYAN), (9, 10, RED), (5, 11, YELLOW), (8, 12, BLUE_LIGHT),
                  (11, 12, CYAN)]
    for x, y, colour in lights:
        if (round(x), round(y)) in cells:
            c.set(round(x), round(y), colour)
    star_y = round(3 * s)
    star = {(round(cx), star_y - 1), (round(cx) - 1, star_y), (round(cx), star_y), (round(cx) + 1, star_y),
            (round(cx), star_y + 1)}
    if size == 32:
        star |= {(round(cx), star_y - 2), (round(cx) - 2, star_y), (round(cx) + 2, star_y)}
    for x, y in star:
        c.set(x, y, YELLOW)
    return c.image()


def ico(images: list[Image.Image]) -> bytes:
    """A Windows icon with one classic 4-bit image (16-colour palette, XOR
    bitmap and AND mask) per size."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for img in images:
        w = img.width
        idx = list(img.getdata())
        header = struct.pack("<IiiHHIIiiII", 40, w, 2 * w, 1, 4, 0, 0, 0, 0, 16, 0)
        palette = b"".join(bytes([b, g, r, 0]) for r, g, b in PALETTE)
        xor_row = (w // 2 + 3) // 4 * 4
        and_row = (w // 8 + 3) // 4 * 4
        xor, mask = bytearray(), bytearray()
        for y in reversed(range(w)):
            row = idx[y * w:(y + 1) * w]
            packed = bytearray((row[x] << 4) | row[x + 1] for x in range(0, w, 2))
            xor += packed + bytes(xor_row - len(packed))
            bits = bytearray(w // 8)
            for x, v in enumerate(row):
                if v == T:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits + bytes(and_row - len(bits))
        blob = header + palette + bytes(xor) + bytes(mask)
        entries.append(struct.pack("<BBBBHHII", w, w, 16, 0, 1, 4, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs)


def save_png(img: Image.Image, path: Path) -> None:
    img.save(path, "PNG", bits=4, transparency=0)


def build(assets: Path) -> None:
    save_png(pointing_hand(), assets / "cursors" / "hand_point.png")
    save_png(pointing_hand(prohibited=True), assets / "cursors" / "hand_prohibited.png")
    save_png(open_hand(), assets / "cursors" / "hand_open.png")
    big, small = tree_icon(32), tree_icon(16)
    save_png(big, assets / "icon" / "tree-32.png")
    save_png(small, assets / "icon" / "tree-16.png")
    (assets / "icon" / "tree.ico").write_bytes(ico([big, small]))

# SPDX-License-Identifier: MIT
"""Draws docs/assets.png: every embedded picture at 1:1 and 2:1 on a
checkerboard (so transparency shows), and the tree as the window shows it,
with its 24 lights ANDed over the picture in their first colours.

Usage: contact_sheet.py ASSETS_DIR OUTPUT.png
"""

import sys
from pathlib import Path

from PIL import Image, ImageDraw, ImageFont

sys.path.insert(0, str(Path(__file__).resolve().parent / "pictures"))
import tree  # noqa: E402

FONT = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 12)
SHEET_WIDTH = 1400
GAP = 14

PICTURES = [
    "pictures/tree.gif", "pictures/happy_new_year.jpg", "pictures/seasons_greetings.jpg",
    "pictures/merry_christmas.jpg", "pictures/madonna.jpg", "pictures/cherub1.gif", "pictures/cherub2.gif",
    "pictures/cherub3.gif", "pictures/cherub4.gif", "pictures/speech_bubble.bmp",
    "pictures/merry_christmas_panel.bmp", "pictures/greeting_script.gif", "pictures/help_button.gif",
    "pictures/plug.gif", "pictures/save_normal.bmp", "pictures/save_pressed.bmp",
    "cursors/hand_point.png", "cursors/hand_prohibited.png", "cursors/hand_open.png",
    "icon/tree-32.png", "icon/tree-16.png",
]

# First fill colours of the 24 lights, in light order.
LIGHT_COLOURS = [(128, 128, 255), (128, 0, 128), (128, 0, 128), (255, 0, 0), (192, 192, 255), (255, 192, 255),
                 (128, 255, 255), (0, 192, 192), (255, 0, 0), (0, 0, 255), (255, 0, 0), (255, 0, 0),
                 (0, 0, 128), (128, 255, 128), (128, 128, 255), (0, 0, 255), (255, 192, 255), (255, 128, 0),
                 (0, 128, 0), (255, 0, 0), (255, 128, 0), (255, 0, 0), (192, 192, 192), (192, 192, 192)]


def checkerboard(w: int, h: int, cell: int = 8) -> Image.Image:
    board = Image.new("RGBA", (w, h), (204, 204, 204, 255))
    draw = ImageDraw.Draw(board)
    for y in range(0, h, cell):
        for x in range(0, w, cell):
            if (x // cell + y // cell) % 2:
                draw.rectangle([x, y, x + cell - 1, y + cell - 1], fill=(240, 240, 240, 255))
    return board


def on_board(img: Image.Image, scale: int) -> Image.Image:
    big = img.resize((img.width * scale, img.height * scale), Image.Resampling.NEAREST)
    board = checkerboard(big.width, big.height)
    board.alpha_composite(big)
    return board


def lit_tree(assets: Path) -> Image.Image:
    """The tree window's picture box: the left 306 columns, lights ANDed on."""
    pic = Image.open(assets / "pictures/tree.gif").convert("RGB")
    box = Image.new("RGB", (306, 401), (255, 255, 255))
    box.paste(pic.crop((0, 0, 306, 398)), (0, 0))
    lights = Image.new("RGB", box.size, (255, 255, 255))
    draw = ImageDraw.Draw(lights)
    for (x, y), colour in zip(tree.LIGHTS, LIGHT_COLOURS):
        draw.ellipse([x, y, x + 14, y + 14], fill=colour)
    return _and(box, lights)


def _and(a: Image.Image, b: Image.Image) -> Image.Image:
    """The mask pen: a bitwise AND of two pictures."""
    pa, pb = a.tobytes(), b.tobytes()
    return Image.frombytes("RGB", a.size, bytes(x & y for x, y in zip(pa, pb)))


def tile_width(label: str, img: Image.Image, scale: int) -> int:
    """Room for the picture and its label, so small pictures' labels do not overlap."""
    return max(img.width * scale, int(FONT.getlength(label)))


def build(assets: Path, out: Path) -> None:
    tiles = [("tree window (lights ANDed on)", lit_tree(assets).convert("RGBA"), 1)]
    for name in PICTURES:
        img = Image.open(assets / name).convert("RGBA")
        tiles.append((f"{name} {img.width}x{img.height}", img, 1))
        tiles.append(("2:1", img, 2))
    rows, row, x = [], [], 0
    for label, img, scale in tiles:
        w = tile_width(label, img, scale)
        if x + w > SHEET_WIDTH and row:
            rows.append(row)
            row, x = [], 0
        row.append((label, img, scale))
        x += w + GAP
    rows.append(row)
    height = sum(max(i.height * s for _, i, s in r) + 20 + GAP for r in rows) + GAP
    sheet = Image.new("RGBA", (SHEET_WIDTH + 2 * GAP, height), (96, 96, 104, 255))
    draw = ImageDraw.Draw(sheet)
    y = GAP
    for r in rows:
        x = GAP
        for label, img, scale in r:
            draw.text((x, y), label, fill=(255, 255, 255, 255), font=FONT)
            sheet.alpha_composite(on_board(img, scale), (x, y + 16))
            x += tile_width(label, img, scale) + GAP
        y += max(i.height * s for _, i, s in r) + 20 + GAP
    out.parent.mkdir(parents=True, exist_ok=True)
    sheet.convert("RGB").save(out, optimize=True)


if __name__ == "__main__":
    build(Path(sys.argv[1]), Path(sys.argv[2]))

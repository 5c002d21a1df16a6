# SPDX-License-Identifier: MIT
"""Renders every picture, cursor and icon into the assets folder.

Usage: build_pictures.py ASSETS_DIR
"""

import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
sys.path.insert(0, str(HERE.parent / "lib"))

import numpy as np  # noqa: E402

import cherub  # noqa: E402
import controls  # noqa: E402
import greetings  # noqa: E402
import icon  # noqa: E402
import madonna  # noqa: E402
import pixelart  # noqa: E402
import raster  # noqa: E402
import tree  # noqa: E402

# The skin window keys out its picture box's back colour, a light grey, where
# the cherub's transparent background shows it; the figure must not contain it.
BUTTON_FACE_GREYS = [(239, 239, 239), (240, 240, 240)]


def keyed_bmp(svg: str, size: tuple, edge: tuple, path: Path) -> None:
    """A 24-bit bitmap whose figure stands on exact white."""
    rgb, mask = raster.solidify(raster.render_svg(svg, *size), edge)
    raster.save_bmp24(raster.flatten(rgb, mask, raster.WHITE, [raster.WHITE]), path)


def transparent_gif(svg: str, size: tuple, edge: tuple, path: Path, avoid=(), supersample: int = 2) -> None:
    """A 256-colour GIF whose background is its transparent palette entry."""
    rgb, mask = raster.solidify(raster.render_svg(svg, *size, supersample=supersample), edge)
    image = raster.palette_image(rgb, mask, raster.WHITE, list(avoid))
    raster.save_gif(image, path, transparent_index=255)


def opaque_bmp(svg: str, size: tuple, path: Path) -> None:
    rgba = raster.render_svg(svg, *size)
    raster.save_bmp24(np.asarray(rgba.convert("RGB")), path)


def build(assets: Path) -> None:
    pictures = assets / "pictures"

    rgb, mask = raster.solidify(raster.render_svg(tree.svg(), tree.WIDTH, tree.HEIGHT), (16, 48, 24))
    raster.save_gif(raster.palette_image(rgb, mask, raster.WHITE, []), pictures / "tree.gif")

    transparent_gif(controls.help_button(), (18, 18), (10, 36, 94), pictures / "help_button.gif", supersample=4)
    transparent_gif(controls.plug(), (42, 19), (58, 36, 16), pictures / "plug.gif", supersample=4)
    transparent_gif(controls.greeting_script(), (149, 72), (250, 214, 176), pictures / "greeting_script.gif")
    keyed_bmp(controls.speech_bubble(), (272, 157), (0, 0, 0), pictures / "speech_bubble.bmp")
    keyed_bmp(controls.merry_christmas_panel(), (200, 130), (200, 16, 46), pictures / "merry_christmas_panel.bmp")
    opaque_bmp(controls.save_button(pressed=False), (54, 29), pictures / "save_normal.bmp")
    opaque_bmp(controls.save_button(pressed=True), (54, 29), pictures / "save_pressed.bmp")

    for frame in range(1, 5):
        transparent_gif(cherub.svg(frame), (150, 163), (96, 64, 48), pictures / f"cherub{frame}.gif",
                        avoid=BUTTON_FACE_GREYS)

    for name, draw in greetings.PICTURES:
        raster.save_jpeg(draw(), pictures / name)

    raster.save_jpeg(np.asarray(raster.render_svg(madonna.svg(), 156, 234).convert("RGB")),
                     pictures / "madonna.jpg")

    pixelart.build(assets)
    build_icon(assets / "icon")


def build_icon(folder: Path) -> None:
    """The scalable program icon and its renderings for the desktop's icon theme."""
    drawing = icon.svg()
    (folder / "tree.svg").write_text(drawing, encoding="utf-8")
    for size in icon.RENDERED_SIZES:
        raster.render_svg(drawing, size, size, supersample=4).save(folder / f"tree-{size}.png", "PNG",
                                                                    optimize=True)


if __name__ == "__main__":
    build(Path(sys.argv[1]))

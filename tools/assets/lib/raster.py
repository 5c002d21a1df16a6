# SPDX-License-Identifier: MIT
"""Rendering and palette helpers shared by the picture scripts.

The windows of the card are cut to the outline of some pictures by keying out
one exact background colour, so a figure must never blend into that colour at
its border and must never contain it: `solidify` makes every pixel either pure
background or fully opaque figure, and `palette_image` keeps it so through the
reduction to 256 colours.
"""

import subprocess
import tempfile
from pathlib import Path

import numpy as np
from PIL import Image

WHITE = (255, 255, 255)


def render_svg(svg: str, width: int, height: int, supersample: int = 2) -> Image.Image:
    """Renders SVG text to an RGBA image of width x height, drawn at
    `supersample` times the size and reduced with a box filter."""
    with tempfile.TemporaryDirectory() as tmp:
        src, out = Path(tmp) / "in.svg", Path(tmp) / "out.png"
        src.write_text(svg, encoding="utf-8")
        subprocess.run(["rsvg-convert", "-w", str(width * supersample), "-h", str(height * supersample),
                        "-o", str(out), str(src)], check=True)
        image = Image.open(out).convert("RGBA")
        image.load()
    if supersample > 1:
        # Average in premultiplied form so transparent pixels add no colour.
        a = np.asarray(image, dtype=np.float64) / 255.0
        a[..., :3] *= a[..., 3:4]
        a = a.reshape(height, supersample, width, supersample, 4).mean(axis=(1, 3))
        rgb = np.where(a[..., 3:4] > 0, a[..., :3] / np.maximum(a[..., 3:4], 1e-9), 0)
        a = np.concatenate([rgb, a[..., 3:4]], axis=2)
        image = Image.fromarray(np.round(a * 255).astype(np.uint8), "RGBA")
    return image


def solidify(rgba: Image.Image, edge: tuple, threshold: int = 110) -> tuple[np.ndarray, np.ndarray]:
    """Splits an anti-aliased RGBA figure into (rgb, mask): pixels at least
    `threshold` opaque belong to the figure, their partial coverage blended
    towards the `edge` colour instead of the background; the rest is background."""
    a = np.asarray(rgba, dtype=np.float64)
    alpha = a[..., 3:4] / 255.0
    rgb = a[..., :3] * alpha + np.array(edge, dtype=np.float64) * (1 - alpha)
    mask = a[..., 3] >= threshold
    return np.round(rgb).astype(np.uint8), mask


def flatten(rgb: np.ndarray, mask: np.ndarray, background: tuple, avoid: list[tuple]) -> np.ndarray:
    """Puts the figure on an exact background colour; figure pixels that happen
    to equal a colour in `avoid` are nudged by one step so they stay figure."""
    out = rgb.copy()
    for colour in avoid:
        hit = mask & np.all(out == np.array(colour, dtype=np.uint8), axis=2)
        out[hit] = np.array([max(0, c - 3) if c > 127 else c + 3 for c in colour], dtype=np.uint8)
    out[~mask] = np.array(background, dtype=np.uint8)
    return out


def palette_image(rgb: np.ndarray, mask: np.ndarray, background: tuple, avoid: list[tuple],
                  dither: bool = True) -> Image.Image:
    """A 256-colour image: 255 colours for the figure, chosen from its own
    pixels, and the last palette entry the exact background colour, used by
    background pixels only. No figure colour equals any colour in `avoid`."""
    figure = rgb[mask].reshape(-1, 1, 3)
    sample = Image.fromarray(figure, "RGB")
    reduced = sample.quantize(colors=255, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    pal = np.array(reduced.getpalette()[:255 * 3], dtype=np.int32).reshape(-1, 3)
    used = len(pal)
    pal = np.vstack([pal, np.zeros((255 - used, 3), dtype=np.int32)]) if used < 255 else pal[:255]
    for colour in avoid + [background]:
        same = np.all(pal == np.array(colour), axis=1)
        pal[same] = np.array([max(0, c - 3) if c > 127 else c + 3 for c in colour])
    full = np.vstack([pal, np.array(background)]).astype(np.uint8)
    palette_img = Image.new("P", (1, 1))
    palette_img.putpalette(full.flatten().tolist())
    flat = flatten(rgb, mask, background, avoid)
    quant = Image.fromarray(flat, "RGB").quantize(
        palette=palette_img, dither=Image.Dither.FLOYDSTEINBERG if dither else Image.Dither.NONE)
    idx = np.array(quant)
    # Background pixels take the background entry; figure pixels never do.
    idx[~mask] = 255
    stray = mask & (idx == 255)
    if stray.any():
        d = ((rgb[stray][:, None, :].astype(np.int32) - pal[None, :, :]) ** 2).sum(axis=2)
        idx[stray] = d.argmin(axis=1)
    out = Image.fromarray(idx.astype(np.uint8), "P")
    out.putpalette(full.flatten().tolist())
    return out


def save_gif(image: Image.Image, path: Path, transparent_index: int | None = None) -> None:
    kwargs = {"optimize": False}
    if transparent_index is not None:
        kwargs["transparency"] = transparent_index
    image.save(path, "GIF", **kwargs)


def save_bmp24(rgb: np.ndarray, path: Path) -> None:
    Image.fromarray(rgb, "RGB").save(path, "BMP")


def save_jpeg(rgb: np.ndarray, path: Path, quality: int = 92) -> None:
    Image.fromarray(rgb, "RGB").save(path, "JPEG", quality=quality, subsampling=0, optimize=True)


def render_file(path: str, width: int, height: int, supersample: int = 2) -> Image.Image:
    """Renders a clip-art SVG file into a width x height RGBA box, keeping its
    proportions (centred in the box)."""
    with tempfile.TemporaryDirectory() as tmp:
        out = Path(tmp) / "out.png"
        subprocess.run(["rsvg-convert", "-a", "-w", str(width * supersample), "-h", str(height * supersample),
                        "-o", str(out), path], check=True)
        art = Image.open(out).convert("RGBA")
        art.load()
    box = Image.new("RGBA", (width * supersample, height * supersample), (0, 0, 0, 0))
    box.alpha_composite(art, ((box.width - art.width) // 2, (box.height - art.height) // 2))
    return box.resize((width, height), Image.Resampling.LANCZOS)


def compose(size: tuple, layers: list, background: tuple = WHITE) -> np.ndarray:
    """Stacks layers on a background: ("svg", text) covers the whole picture,
    ("art", file, x, y, w, h) places a clip-art file, ("art", file, x, y, w, h, angle)
    also turns it about its centre."""
    canvas = Image.new("RGBA", size, background + (255,))
    for layer in layers:
        if layer[0] == "svg":
            canvas.alpha_composite(render_svg(layer[1], *size))
        else:
            _, file, x, y, w, h, *rest = layer
            art = render_file(file, w, h)
            if rest:
                art = art.rotate(rest[0], resample=Image.Resampling.BICUBIC, expand=False)
            canvas.alpha_composite(art, (x, y))
    return np.asarray(canvas.convert("RGB"))

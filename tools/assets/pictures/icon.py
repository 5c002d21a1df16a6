# SPDX-License-Identifier: MIT
"""The program icon as a drawing that scales: the pixel-art tree of `pixelart.py`
(green tiers with a black outline and a light left edge, a grey shadow, a
brown trunk, a yellow star, small coloured lights) redrawn with shapes on a
32-unit grid. Desktops use it at every size from 48 pixels up; the 16 and 32
pixel icons stay the hand-placed pixel art."""

from pixelart import BLUE_LIGHT, BROWN, CYAN, GREEN, GREY, LGREEN, PALETTE, RED, YELLOW

# The sizes rendered from the drawing for the desktop's icon theme.
RENDERED_SIZES = (48, 64, 128, 256)

AXIS = 16.0
# (top, bottom, half width at the bottom) of each tier, as in the pixel art.
TIERS = ((4.0, 13.0, 6.0), (9.0, 20.0, 9.0), (15.0, 26.0, 12.0))
TRUNK = (14.5, 25.5, 3.0, 4.5)  # x, y, width, height
OUTLINE = 0.8
# (x, y, colour) of the lights, on the tiers.
LIGHTS = ((14.0, 10.5, RED), (18.0, 8.5, YELLOW), (19.0, 15.5, BLUE_LIGHT), (12.0, 17.5, CYAN),
          (17.0, 19.5, RED), (10.0, 23.5, YELLOW), (22.0, 22.5, CYAN), (15.0, 24.0, BLUE_LIGHT),
          (20.0, 24.5, RED), (14.0, 14.5, YELLOW))


def colour(index: int) -> str:
    return "#%02x%02x%02x" % PALETTE[index]


def tier_path(top: float, bottom: float, half: float) -> str:
    return (f"M{AXIS - 0.6:g},{top:g} L{AXIS + 0.6:g},{top:g} "
            f"L{AXIS + half:g},{bottom:g} L{AXIS - half:g},{bottom:g} Z")


def star_points(cx: float, cy: float, outer: float, inner: float) -> str:
    from math import cos, pi, sin
    points = []
    for i in range(10):
        r = outer if i % 2 == 0 else inner
        a = -pi / 2 + i * pi / 5
        points.append(f"{cx + r * cos(a):.3f},{cy + r * sin(a):.3f}")
    return " ".join(points)


def svg() -> str:
    tiers = " ".join(tier_path(*t) for t in TIERS)
    x, y, w, h = TRUNK
    trunk = f'<rect x="{x:g}" y="{y:g}" width="{w:g}" height="{h:g}"/>'
    lights = "\n    ".join(
        f'<circle cx="{lx:g}" cy="{ly:g}" r="0.95" fill="{colour(c)}"/>' for lx, ly, c in LIGHTS)
    black = colour(1)
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<!-- SPDX-License-Identifier: CC0-1.0 -->
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 32 32">
  <title>Christmas tree</title>
  <defs>
    <clipPath id="tree"><path d="{tiers}"/></clipPath>
  </defs>
  <g fill="{colour(GREY)}" transform="translate(1.6,1)">
    <path d="{tiers}"/>
    {trunk}
  </g>
  <g fill="{colour(BROWN)}" stroke="{black}" stroke-width="{OUTLINE:g}" stroke-linejoin="round">
    {trunk}
  </g>
  <path d="{tiers}" fill="none" stroke="{black}" stroke-width="{2 * OUTLINE:g}"
        stroke-linejoin="round"/>
  <path d="{tiers}" fill="{colour(LGREEN)}"/>
  <g clip-path="url(#tree)">
    <path d="{tiers}" fill="{colour(GREEN)}" transform="translate(1.1,0)"/>
  </g>
  <g stroke="{black}" stroke-width="0.35">
    {lights}
  </g>
  <polygon points="{star_points(AXIS, 3.4, 3.2, 1.35)}" fill="{colour(YELLOW)}"
           stroke="{black}" stroke-width="{OUTLINE * 0.75:g}" stroke-linejoin="round"/>
</svg>
"""

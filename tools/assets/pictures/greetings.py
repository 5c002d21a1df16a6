# SPDX-License-Identifier: MIT
"""The three greeting pictures that slide across the tree: Happy New Year,
Season's Greetings and Merry Christmas. Each is clip art from Debian's
openclipart-svg (public domain) and our own drawing, composed on white."""

import raster

CLIPART = "/usr/share/openclipart/svg/recreation"
BALLOONS = [f"{CLIPART}/party/balloon-{c}-aj.svg" for c in ("red", "blue", "yellow", "green", "purple")]
SNOWMAN = f"{CLIPART}/holiday/snowman_01.svg"


def svg(w: int, h: int, body: str) -> str:
    return f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" viewBox="0 0 {w} {h}">{body}</svg>'


# --- Happy New Year ----------------------------------------------------------

def stocking(x: float, y: float, main: str, dark: str, pattern: str, toy: str) -> str:
    """A stuffed Christmas stocking hanging from its loop, toe to the left,
    with a fur cuff and a toy peeking out."""
    leg = ("M0 0 H30 V40 C30 52 24 60 10 60 H-14 C-24 60 -28 52 -26 46 C-24 40 -16 38 -8 38 "
           "H0 Z")
    toys = {
        "cane": '<path d="M8 -6 V-30 C8 -38 20 -38 20 -30" fill="none" stroke="#b00000" stroke-width="5" '
                'stroke-linecap="round"/><path d="M8 -6 V-30 C8 -38 20 -38 20 -30" fill="none" stroke="#fff5f0" '
                'stroke-width="5" stroke-dasharray="3 3" stroke-linecap="butt"/>',
        "bear": '<circle cx="16" cy="-12" r="10" fill="#b8793a" stroke="#5a3410" stroke-width="1"/>'
                '<circle cx="8" cy="-20" r="4" fill="#b8793a" stroke="#5a3410" stroke-width="1"/>'
                '<circle cx="24" cy="-20" r="4" fill="#b8793a" stroke="#5a3410" stroke-width="1"/>'
                '<circle cx="12.5" cy="-13" r="1.3" fill="#2a1a0a"/><circle cx="19.5" cy="-13" r="1.3" fill="#2a1a0a"/>'
                '<ellipse cx="16" cy="-8.5" rx="3.5" ry="2.6" fill="#e8c89a"/><circle cx="16" cy="-9.5" r="1.1" fill="#2a1a0a"/>',
        "gift": '<rect x="4" y="-16" width="20" height="16" fill="#2a8fd6" stroke="#0d4a7a" stroke-width="1" '
                'transform="rotate(-12 14 -8)"/><rect x="12" y="-17" width="4" height="18" fill="#ffd84a" '
                'transform="rotate(-12 14 -8)"/><path d="M13 -17 q-6 -7 -8 -2 q1 3 8 2 M15 -18 q6 -7 8 -2 q-1 3 -8 2" '
                'fill="#ffd84a" stroke="#9a6a00" stroke-width="0.7" transform="rotate(-12 14 -8)"/>',
    }
    return f"""
<g transform="translate({x} {y})">
  {toys[toy]}
  <path d="{leg}" fill="{main}" stroke="{dark}" stroke-width="1.4"/>
  <g clip-path="url(#leg-{toy})">{pattern}</g>
  <clipPath id="leg-{toy}"><path d="{leg}"/></clipPath>
  <path d="M22 8 V38 C22 48 18 54 8 54" fill="none" stroke="#000" stroke-opacity="0.18" stroke-width="6"/>
  <rect x="-3" y="-3" width="36" height="13" rx="5" fill="#f7f4ee" stroke="#b8b0a0" stroke-width="1"/>
  <path d="M1 2 q3 -3 6 0 q3 -3 6 0 q3 -3 6 0 q3 -3 6 0" fill="none" stroke="#d8d0c0" stroke-width="1"/>
  <path d="M24 -3 C24 -12 32 -12 32 -3" fill="none" stroke="{dark}" stroke-width="1.6"/>
</g>"""


def happy_new_year() -> raster.np.ndarray:
    stripes = "".join(f'<rect x="-30" y="{y}" width="70" height="5" fill="#f7f4ee"/>' for y in range(14, 62, 11))
    dots = "".join(f'<circle cx="{x}" cy="{y}" r="2.2" fill="#ffd84a"/>'
                   for x, y in [(6, 18), (20, 26), (10, 34), (24, 44), (-4, 48), (-16, 52), (14, 52)])
    stars = "".join(f'<path d="M{x} {y} l2 5 5 0 -4 3 2 5 -5 -3 -5 3 2 -5 -4 -3 5 0 z" fill="#f7f4ee"/>'
                    for x, y in [(8, 16), (12, 34), (-10, 46)])
    # Each balloon is tied to the rope the stockings hang from.
    strings = "".join(
        f'<path d="M{x} {y} C{x - 6} {y + 14} {tx + 6} {142 - 18} {tx} 142" fill="none" '
        f'stroke="#8a8a8a" stroke-width="0.8"/>'
        for x, y, tx in [(24, 104, 22), (56, 90, 58), (93, 84, 94), (134, 88, 130), (162, 102, 166)])
    scene = f"""
{strings}
<path d="M12 146 Q94 134 176 146" fill="none" stroke="#7a5230" stroke-width="2"/>
{stocking(44, 160, "#d81b1b", "#6e0a0a", stripes, "cane")}
{stocking(96, 160, "#2e8b3a", "#0f4a1a", dots, "bear")}
{stocking(148, 160, "#1f5fd1", "#0b2a66", stars, "gift")}
<g font-family="Lobster Two" font-weight="bold" font-style="italic" text-anchor="middle">
  <text x="95.5" y="262.5" font-size="34" fill="#5a0000" opacity="0.3">Happy</text>
  <text x="94" y="261" font-size="34" fill="#d8121b">Happy</text>
  <text x="95.5" y="295.5" font-size="30" fill="#5a0000" opacity="0.3">New Year</text>
  <text x="94" y="294" font-size="30" fill="#d8121b">New Year</text>
</g>"""
    layers = [("svg", svg(188, 304, scene))]
    # Five balloons, the middle ones behind, tilted a little as if bobbing.
    for (x, y, angle), art in zip([(34, 6, 4), (112, 4, -5), (2, 22, 10), (142, 20, -10), (70, 0, 0)],
                                  [BALLOONS[1], BALLOONS[3], BALLOONS[0], BALLOONS[4], BALLOONS[2]]):
        layers.append(("art", art, x, y, 46, 84, angle))
    return raster.compose((188, 304), layers)


# --- Season's Greetings ------------------------------------------------------

def fir(x: float, base: float, height: float) -> str:
    """A snowy fir: three tiers of dark green with snow lying on each."""
    parts = [f'<rect x="{x - 3}" y="{base - 8}" width="6" height="10" fill="#5a3a1a"/>']
    for k in range(3):
        top = base - height + k * height * 0.26
        bottom = base - 6 - (2 - k) * height * 0.2
        half = height * (0.2 + 0.1 * k)
        parts.append(f'<path d="M{x} {top} L{x + half} {bottom} Q{x} {bottom - 5} {x - half} {bottom} Z" '
                     f'fill="#1f5a34" stroke="#0d3320" stroke-width="0.8"/>')
        parts.append(f'<path d="M{x} {top + 1} L{x + half * 0.55} {top + (bottom - top) * 0.55} '
                     f'Q{x + half * 0.2} {top + (bottom - top) * 0.45} {x} {top + (bottom - top) * 0.55} '
                     f'Q{x - half * 0.3} {top + (bottom - top) * 0.45} {x - half * 0.55} {top + (bottom - top) * 0.55} Z" '
                     f'fill="#f4f8ff"/>')
        parts.append(f'<path d="M{x - half} {bottom} Q{x} {bottom - 5} {x + half} {bottom} Q{x} {bottom - 2} '
                     f'{x - half} {bottom} Z" fill="#eaf2ff"/>')
    return "".join(parts)


def seasons_greetings() -> raster.np.ndarray:
    flakes = "".join(f'<circle cx="{x}" cy="{y}" r="{r}" fill="#ffffff" opacity="0.9"/>'
                     for x, y, r in [(14, 22, 1.4), (40, 12, 1), (70, 30, 1.6), (104, 18, 1.2), (132, 34, 1.5),
                                     (24, 58, 1.1), (120, 62, 1), (58, 70, 1.3), (146, 80, 1.2), (10, 96, 1.5),
                                     (90, 50, 1), (138, 110, 1.4), (30, 120, 1)])
    back = f"""
<defs>
  <radialGradient id="sky" cx="0.5" cy="0.45" r="0.62">
    <stop offset="0" stop-color="#cfe4fb"/><stop offset="0.7" stop-color="#8fb6e3"/>
    <stop offset="1" stop-color="#8fb6e3" stop-opacity="0"/></radialGradient>
  <linearGradient id="snow" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#ffffff"/><stop offset="0.45" stop-color="#dde8f6"/>
    <stop offset="1" stop-color="#ffffff"/></linearGradient>
</defs>
<ellipse cx="77.5" cy="94" rx="76" ry="90" fill="url(#sky)"/>
{flakes}
{fir(20, 150, 80)}{fir(136, 148, 88)}{fir(42, 156, 56)}
<path d="M-2 150 Q40 136 78 146 Q118 156 157 140 V172 H-2 Z" fill="url(#snow)"/>"""
    front = """
<path d="M-2 168 Q78 150 157 166" fill="none" stroke="#b9cde6" stroke-width="1.5"/>
<g font-family="Dancing Script" font-weight="bold" text-anchor="middle">
  <text x="78.5" y="186.5" font-size="22" fill="#0d3320" opacity="0.3">Season's</text>
  <text x="77.5" y="185.5" font-size="22" fill="#c8102e">Season's</text>
  <text x="78.5" y="207" font-size="22" fill="#0d3320" opacity="0.3">Greetings</text>
  <text x="77.5" y="206" font-size="22" fill="#1f6b34">Greetings</text>
</g>"""
    scarf = """
<path d="M63 90 Q78 98 94 89 L95 95 Q78 104 62 96 Z" fill="#d81b1b" stroke="#6e0a0a" stroke-width="0.8"/>
<path d="M86 93 L90 116 L82 117 L80 95 Z" fill="#c81414" stroke="#6e0a0a" stroke-width="0.8"/>
<path d="M83 112 h7 M83 108 h6" stroke="#ffd84a" stroke-width="1.2"/>
<path d="M66 93 h26" stroke="#ffd84a" stroke-width="1.2" stroke-dasharray="3 3"/>"""
    return raster.compose((155, 210), [
        ("svg", svg(155, 210, back)),
        ("art", SNOWMAN, 30, 38, 104, 118),
        ("svg", svg(155, 210, scarf + front)),
    ])


# --- Merry Christmas -----------------------------------------------------------

def merry_christmas() -> raster.np.ndarray:
    import controls
    body = f"""
<defs>
  <linearGradient id="panel" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#fffbe0"/><stop offset="1" stop-color="#fbefb0"/></linearGradient>
  <linearGradient id="wax" x1="0" y1="0" x2="1" y2="0">
    <stop offset="0" stop-color="#ff6a5a"/><stop offset="0.35" stop-color="#e01818"/>
    <stop offset="1" stop-color="#7a0808"/></linearGradient>
  <radialGradient id="glow" cx="0.5" cy="0.5" r="0.5">
    <stop offset="0" stop-color="#fff4a0" stop-opacity="0.9"/>
    <stop offset="1" stop-color="#fff4a0" stop-opacity="0"/></radialGradient>
  <radialGradient id="flame" cx="0.5" cy="0.75" r="0.7">
    <stop offset="0" stop-color="#ffffff"/><stop offset="0.35" stop-color="#fff27a"/>
    <stop offset="0.8" stop-color="#ff9a1a"/><stop offset="1" stop-color="#e05a00"/></radialGradient>
</defs>
<rect x="6" y="6" width="113" height="128" rx="8" fill="url(#panel)" stroke="#d8b860" stroke-width="1.2"/>
<circle cx="62.5" cy="36" r="24" fill="url(#glow)"/>
<path d="M62.5 20 C57 30 57 40 62.5 44 C68 40 68 30 62.5 20 Z" fill="url(#flame)"/>
<path d="M62.5 40 v7" stroke="#2a1a0a" stroke-width="1.3"/>
<path d="M47 48 H78 V112 H47 Z" fill="url(#wax)" stroke="#5a0404" stroke-width="1"/>
<ellipse cx="62.5" cy="48" rx="15.5" ry="3.6" fill="#ff5a4a" stroke="#5a0404" stroke-width="1"/>
<path d="M52 48 v10 q0 3 2.2 3 q2.2 0 2.2 -3 v-9 M70 49 v6 q0 2.5 2 2.5 q2 0 2 -2.5 v-6" fill="#ff5a4a"
      stroke="#7a0808" stroke-width="0.6"/>
<rect x="50" y="52" width="3" height="54" fill="#ffb0a0" opacity="0.5"/>
{controls.holly(40, 114, 1.25)}{controls.holly(86, 114, 1.25, flip=True)}{controls.holly(63, 122, 1.1)}
<g font-family="Dancing Script" font-weight="bold" text-anchor="middle">
  <text x="63.5" y="160.5" font-size="25" fill="#5a0000" opacity="0.3">Merry</text>
  <text x="62.5" y="159.5" font-size="25" fill="#d8121b">Merry</text>
  <text x="63.5" y="186.5" font-size="25" fill="#5a0000" opacity="0.3">Christmas</text>
  <text x="62.5" y="185.5" font-size="25" fill="#d8121b">Christmas</text>
</g>"""
    return raster.compose((125, 193), [("svg", svg(125, 193, body))])


PICTURES = [
    ("happy_new_year.jpg", happy_new_year),
    ("seasons_greetings.jpg", seasons_greetings),
    ("merry_christmas.jpg", merry_christmas),
]

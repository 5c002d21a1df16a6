# SPDX-License-Identifier: MIT
"""The decorated Christmas tree of the main window (308 x 398, 256-colour GIF on
exact white).

The program lays 24 lights (15 x 15 circles, combined with the picture by a
bitwise AND), a question-mark button and a plug on this picture, at fixed
places. So the tree is drawn around them: every light sits on a pearl bauble
(a pale one, so the AND keeps the light's colour bright), and the button and
the plug sit on the presents at the tree's foot.
"""

import math
import random

WIDTH, HEIGHT = 308, 398
CX = 158  # the trunk's axis

# Top-left corners of the lights in pixels (the window's twips / 15); each is 15 x 15.
LIGHTS = [(98, 133), (126, 164), (89, 192), (153.33, 73), (77, 224), (36, 239), (71, 268),
          (183, 188.33), (212, 181), (161, 95), (102, 322), (115, 283), (154, 249), (225, 241),
          (223, 156), (66, 330), (186, 264), (239, 220), (235, 297), (148, 187), (159, 307),
          (193, 305), (145, 218), (127, 132)]
LIGHT_CENTRES = [(x + 7.5, y + 7.5) for x, y in LIGHTS]
HELP_BUTTON = (80, 376, 18, 18)
PLUG = (155, 377, 29, 15)

# Tiers of boughs, top to bottom: (top y, bottom y, half width at the bottom).
TIERS = [(22, 98, 40), (62, 132, 62), (96, 174, 94), (136, 214, 112),
         (176, 262, 136), (222, 306, 142), (264, 350, 146)]

# Small coloured balls, gold bells and stars between the lights: (kind, x, y).
ORNAMENTS = [
    ("red", 140, 112), ("star", 186, 130), ("blue", 180, 160), ("bell", 112, 168),
    ("gold", 162, 160), ("red", 252, 196), ("star", 60, 212), ("purple", 122, 226),
    ("bell", 206, 222), ("red", 180, 236), ("gold", 106, 254), ("blue", 52, 300),
    ("star", 150, 284), ("red", 214, 274), ("bell", 270, 262), ("purple", 264, 318),
    ("gold", 92, 300), ("blue", 140, 336), ("red", 32, 296), ("star", 222, 334),
    ("gold", 196, 106), ("blue", 124, 196), ("bell", 84, 146), ("red", 234, 142),
]

BALL_COLOURS = {
    "red": ("#ff8a80", "#d81b1b", "#6e0a0a"),
    "blue": ("#9ecbff", "#1f5fd1", "#0b2a66"),
    "gold": ("#fff2a8", "#e0a800", "#7a5200"),
    "purple": ("#e6a8ff", "#8e2fc2", "#3f0f5c"),
}


def defs() -> str:
    balls = "".join(
        f'<radialGradient id="ball-{name}" cx="0.38" cy="0.32" r="0.75">'
        f'<stop offset="0" stop-color="{hi}"/><stop offset="0.45" stop-color="{mid}"/>'
        f'<stop offset="1" stop-color="{lo}"/></radialGradient>'
        for name, (hi, mid, lo) in BALL_COLOURS.items())
    return f"""<defs>
  <linearGradient id="bough" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#3f8f3a"/><stop offset="0.55" stop-color="#2a7130"/>
    <stop offset="1" stop-color="#1b5626"/></linearGradient>
  <linearGradient id="side" x1="0" y1="0" x2="1" y2="0">
    <stop offset="0" stop-color="#d8ffb0" stop-opacity="0.28"/>
    <stop offset="0.45" stop-color="#d8ffb0" stop-opacity="0"/>
    <stop offset="0.6" stop-color="#001a05" stop-opacity="0"/>
    <stop offset="1" stop-color="#001a05" stop-opacity="0.38"/></linearGradient>
  <radialGradient id="pearl0" cx="0.36" cy="0.3" r="0.85">
    <stop offset="0" stop-color="#ffffff"/><stop offset="0.25" stop-color="#fbf7ec"/>
    <stop offset="0.62" stop-color="#e6dcc6"/><stop offset="0.9" stop-color="#bba988"/>
    <stop offset="1" stop-color="#97845f"/></radialGradient>
  <radialGradient id="pearl1" cx="0.36" cy="0.3" r="0.85">
    <stop offset="0" stop-color="#ffffff"/><stop offset="0.25" stop-color="#f4f7fb"/>
    <stop offset="0.62" stop-color="#d8dfe8"/><stop offset="0.9" stop-color="#a3aebd"/>
    <stop offset="1" stop-color="#7c8797"/></radialGradient>
  <linearGradient id="trunk" x1="0" y1="0" x2="1" y2="0">
    <stop offset="0" stop-color="#8a5a2b"/><stop offset="0.5" stop-color="#6b4220"/>
    <stop offset="1" stop-color="#3e250f"/></linearGradient>
  <radialGradient id="star" cx="0.45" cy="0.4" r="0.7">
    <stop offset="0" stop-color="#fffbd0"/><stop offset="0.5" stop-color="#ffd93b"/>
    <stop offset="1" stop-color="#e09a00"/></radialGradient>
  <linearGradient id="bellgrad" x1="0" y1="0" x2="1" y2="0">
    <stop offset="0" stop-color="#fff0a0"/><stop offset="0.4" stop-color="#f2c230"/>
    <stop offset="1" stop-color="#8c5c00"/></linearGradient>
  {balls}
  <filter id="soft" x="-0.2" y="-0.2" width="1.4" height="1.4"><feGaussianBlur stdDeviation="2.2"/></filter>
</defs>"""


def tier_path(top: float, bottom: float, half: float, rng: random.Random) -> str:
    """A bough tier: curved flanks from a rounded top down to drooping tips,
    and a scalloped lower edge of branch ends."""
    top_half = max(6.0, half * 0.28)
    left, right = CX - half, CX + half
    d = [f"M {CX - top_half:.1f} {top + 4:.1f}",
         f"Q {CX} {top - 4:.1f} {CX + top_half:.1f} {top + 4:.1f}",
         f"Q {CX + half * 0.62:.1f} {bottom - (bottom - top) * 0.42:.1f} {right:.1f} {bottom + 2:.1f}"]
    scallops = max(3, round(half * 2 / 30))
    width = half * 2 / scallops
    for i in range(scallops):
        x0 = right - i * width
        x1 = x0 - width
        lift = 7 + rng.uniform(-1.5, 1.5)
        sag = 6 + rng.uniform(-1.5, 2.0)
        # Each scallop: up into the gap between two branch ends, then down to the next tip.
        d.append(f"Q {x0 - width * 0.25:.1f} {bottom - lift:.1f} {x0 - width * 0.5:.1f} {bottom - lift + 1:.1f}")
        d.append(f"Q {x1 + width * 0.2:.1f} {bottom - lift + sag:.1f} {x1:.1f} {bottom + 2:.1f}")
    d.append(f"Q {CX - half * 0.62:.1f} {bottom - (bottom - top) * 0.42:.1f} {CX - top_half:.1f} {top + 4:.1f} Z")
    return " ".join(d)


def needles(top: float, bottom: float, half: float, rng: random.Random) -> str:
    """Short strokes fanning out and down from the axis: the texture of fir needles."""
    strokes = []
    for _ in range(int(half * (bottom - top) / 14)):
        y = rng.uniform(top + 6, bottom + 2)
        span = half * (y - top) / (bottom - top) + 8
        x = CX + rng.uniform(-span, span)
        side = 1 if x > CX else -1
        length = rng.uniform(4, 9)
        angle = math.radians(rng.uniform(25, 60))
        dx, dy = side * length * math.cos(angle), length * math.sin(angle)
        shade = x - CX
        if rng.random() < 0.55:
            colour = "#8fd46a" if shade < half * 0.3 else "#5fae4a"
            opacity = rng.uniform(0.35, 0.7)
        else:
            colour = "#0d3a17"
            opacity = rng.uniform(0.3, 0.6)
        strokes.append(f'<path d="M{x:.1f} {y:.1f} l{dx:.1f} {dy:.1f}" stroke="{colour}" '
                       f'stroke-opacity="{opacity:.2f}" stroke-width="1.1" stroke-linecap="round"/>')
    return "".join(strokes)


def garland(top: float, bottom: float, half: float, index: int) -> str:
    """A string of gold beads draped across a tier."""
    y0 = top + (bottom - top) * 0.45
    y1 = bottom - 6
    w0 = half * 0.45
    if index % 2:
        a, b = (CX - w0, y0), (CX + half * 0.9, y1)
    else:
        a, b = (CX + w0, y0), (CX - half * 0.9, y1)
    mx, my = (a[0] + b[0]) / 2, (a[1] + b[1]) / 2 + 10
    return (f'<path d="M{a[0]:.1f} {a[1]:.1f} Q{mx:.1f} {my:.1f} {b[0]:.1f} {b[1]:.1f}" fill="none" '
            f'stroke="#7a5200" stroke-width="3.4" stroke-dasharray="0 4.6" stroke-linecap="round"/>'
            f'<path d="M{a[0]:.1f} {a[1] - 0.6:.1f} Q{mx:.1f} {my - 0.6:.1f} {b[0]:.1f} {b[1] - 0.6:.1f}" '
            f'fill="none" stroke="#ffd84a" stroke-width="2.4" stroke-dasharray="0 4.6" stroke-linecap="round"/>')


def tiers(rng: random.Random) -> str:
    parts = []
    # Lowest tier first: each tier hangs over the one below it.
    for i in reversed(range(len(TIERS))):
        top, bottom, half = TIERS[i]
        path = tier_path(top, bottom, half, random.Random(100 + i))
        clip = f"tier{i}"
        parts.append(f'<clipPath id="{clip}"><path d="{path}"/></clipPath>')
        # The tier above casts a soft shadow on this one.
        shadow = ""
        if i > 0:
            ptop, pbottom, phalf = TIERS[i - 1]
            prev = tier_path(ptop, pbottom, phalf, random.Random(100 + i - 1))
            shadow = (f'<path d="{prev}" transform="translate(0 7)" fill="#001a05" opacity="0.5" '
                      f'filter="url(#soft)" clip-path="url(#{clip})"/>')
        parts.append(
            f'<path d="{path}" fill="url(#bough)" stroke="#0c3316" stroke-width="1.6" stroke-linejoin="round"/>'
            f'{shadow}'
            f'<g clip-path="url(#{clip})">{needles(top, bottom, half, rng)}'
            f'<rect x="{CX - half - 4}" y="{top - 6}" width="{2 * half + 8}" height="{bottom - top + 14}" fill="url(#side)"/>'
            f'{garland(top, bottom, half, i)}</g>')
    return "".join(parts)


def star(cx: float, cy: float, outer: float, inner: float, rotation: float = -90) -> str:
    points = []
    for k in range(10):
        r = outer if k % 2 == 0 else inner
        a = math.radians(rotation + 36 * k)
        points.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return " ".join(f"{x:.2f},{y:.2f}" for x, y in points)


def top_star() -> str:
    cx, cy = CX, 24
    outline = star(cx, cy, 22, 9)
    facets = []
    for k in range(5):
        a = math.radians(-90 + 72 * k)
        tip = (cx + 22 * math.cos(a), cy + 22 * math.sin(a))
        b = math.radians(-90 + 72 * k + 36)
        notch = (cx + 9 * math.cos(b), cy + 9 * math.sin(b))
        facets.append(f'<polygon points="{cx},{cy} {tip[0]:.2f},{tip[1]:.2f} {notch[0]:.2f},{notch[1]:.2f}" '
                      f'fill="#b86f00" opacity="0.45"/>')
    return (f'<polygon points="{outline}" fill="url(#star)" stroke="#8a5200" stroke-width="1.4" '
            f'stroke-linejoin="round"/>{"".join(facets)}'
            f'<circle cx="{cx - 4}" cy="{cy - 5}" r="3" fill="#fffbe0" opacity="0.9"/>')


def pearl(cx: float, cy: float, tint: int) -> str:
    """A pale bauble under a light, hung from the branch by a gold cap:
    ivory or silver, shaded so that the light's colour, ANDed over it, looks
    like a lit glass ball."""
    r = 9.2
    return (f'<path d="M{cx:.1f} {cy - r - 7:.1f} v6" stroke="#6b4a00" stroke-width="1"/>'
            f'<circle cx="{cx:.2f}" cy="{cy:.2f}" r="{r}" fill="url(#pearl{tint})" stroke="#6d6450" stroke-width="0.9"/>'
            f'<rect x="{cx - 2.6:.2f}" y="{cy - r - 2.2:.2f}" width="5.2" height="3.4" rx="0.8" '
            f'fill="#e9b92c" stroke="#7a5200" stroke-width="0.6"/>'
            f'<ellipse cx="{cx - 3.2:.2f}" cy="{cy - 3.6:.2f}" rx="2.2" ry="1.5" fill="#ffffff" opacity="0.9" '
            f'transform="rotate(-35 {cx - 3.2:.2f} {cy - 3.6:.2f})"/>')


def ornament(kind: str, x: float, y: float) -> str:
    if kind in BALL_COLOURS:
        return (f'<path d="M{x} {y - 11} v5" stroke="#6b4a00" stroke-width="0.9"/>'
                f'<circle cx="{x}" cy="{y}" r="5.6" fill="url(#ball-{kind})" stroke="#2a0a0a" stroke-width="0.6" '
                f'stroke-opacity="0.6"/><rect x="{x - 1.6}" y="{y - 7.2}" width="3.2" height="2.2" fill="#d9a520"/>'
                f'<circle cx="{x - 1.8}" cy="{y - 2}" r="1.3" fill="#ffffff" opacity="0.85"/>')
    if kind == "star":
        return (f'<polygon points="{star(x, y, 8, 3.4)}" fill="url(#star)" stroke="#8a5200" stroke-width="0.8" '
                f'stroke-linejoin="round"/>')
    if kind == "bell":
        return (f'<path d="M{x - 6.5} {y + 5} Q{x - 5.5} {y + 3} {x - 5} {y - 1} Q{x - 4.5} {y - 7} {x} {y - 7} '
                f'Q{x + 4.5} {y - 7} {x + 5} {y - 1} Q{x + 5.5} {y + 3} {x + 6.5} {y + 5} Z" fill="url(#bellgrad)" '
                f'stroke="#6b4300" stroke-width="0.8"/><circle cx="{x}" cy="{y + 6}" r="1.8" fill="#b07a00"/>'
                f'<path d="M{x - 3} {y - 8} q3 -3 6 0" fill="none" stroke="#c8102e" stroke-width="1.8"/>')
    raise ValueError(kind)


def present(x: float, y: float, w: float, h: float, box: tuple, ribbon: tuple, lid: float = 6) -> str:
    """A wrapped box seen slightly from above: front face, lid, ribbon and bow."""
    light, mid, dark = box
    r_light, r_dark = ribbon
    cx = x + w / 2
    return f"""
<rect x="{x}" y="{y + lid}" width="{w}" height="{h - lid}" fill="{mid}" stroke="{dark}" stroke-width="1.2"/>
<rect x="{x + w * 0.62}" y="{y + lid}" width="{w * 0.38}" height="{h - lid}" fill="{dark}" opacity="0.35"/>
<rect x="{x - 2}" y="{y}" width="{w + 4}" height="{lid + 1}" rx="1" fill="{light}" stroke="{dark}" stroke-width="1.2"/>
<rect x="{cx - 4}" y="{y}" width="8" height="{h}" fill="{r_light}" stroke="{r_dark}" stroke-width="0.8"/>
<path d="M{cx} {y + 1} q-14 -12 -15 -3 q0 6 15 3 z" fill="{r_light}" stroke="{r_dark}" stroke-width="1"/>
<path d="M{cx} {y + 1} q14 -12 15 -3 q0 6 -15 3 z" fill="{r_light}" stroke="{r_dark}" stroke-width="1"/>
<circle cx="{cx}" cy="{y + 0.5}" r="2.8" fill="{r_light}" stroke="{r_dark}" stroke-width="0.9"/>"""


def presents() -> str:
    return "".join([
        # Back row, partly hidden.
        present(194, 340, 54, 56, ("#7fd3ff", "#2a8fd6", "#0d4a7a"), ("#ffe07a", "#9a6a00")),
        # Under the question-mark button: red with gold ribbon.
        present(58, 350, 76, 46, ("#ff7a6e", "#cc1f1a", "#6e0b08"), ("#ffd84a", "#8a5c00")),
        # Under the plug: a cream box with a green ribbon, so the brown plug shows.
        present(136, 362, 70, 34, ("#fffbe8", "#f3e6c4", "#9c8a5c"), ("#4fbf5a", "#1f6b2a")),
        # A small purple box at the right.
        present(236, 370, 40, 26, ("#e3a8ff", "#9440c4", "#48106a"), ("#fff0a8", "#a07a00")),
    ])


def svg() -> str:
    rng = random.Random(2412)
    body = tiers(rng)
    ornaments = "".join(ornament(k, x, y) for k, x, y in ORNAMENTS)
    pearls = "".join(pearl(x, y, i % 2) for i, (x, y) in enumerate(LIGHT_CENTRES))
    trunk = (f'<rect x="{CX - 13}" y="336" width="26" height="40" fill="url(#trunk)" '
             f'stroke="#2e1a08" stroke-width="1.2"/>')
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{WIDTH}" height="{HEIGHT}" '
            f'viewBox="0 0 {WIDTH} {HEIGHT}">{defs()}{trunk}{body}{ornaments}{pearls}'
            f'{top_star()}{presents()}</svg>')

# SPDX-License-Identifier: MIT
"""The flapping cherub of the skin window: four frames (150 x 163) of a winged
putto holding a small rose, the wings up, level, down and rising again, so
that the cycle 1-2-3-4-1 reads as one wing beat. Our own drawing."""

import math

W, H = 150, 163
SHOULDER_L, SHOULDER_R = (66, 84), (88, 82)

# Per frame: (wing angle in degrees, positive down; span factor).
FRAMES = {1: (-46, 1.0), 2: (-12, 0.97), 3: (22, 0.9), 4: (-24, 0.8)}

DEFS = """<defs>
  <radialGradient id="skin" cx="0.4" cy="0.35" r="0.75">
    <stop offset="0" stop-color="#ffe6d2"/><stop offset="0.6" stop-color="#f5c6a5"/>
    <stop offset="1" stop-color="#d8957a"/></radialGradient>
  <radialGradient id="cheek" cx="0.5" cy="0.5" r="0.5">
    <stop offset="0" stop-color="#f07f7f" stop-opacity="0.75"/>
    <stop offset="1" stop-color="#f07f7f" stop-opacity="0"/></radialGradient>
  <radialGradient id="hair" cx="0.4" cy="0.35" r="0.7">
    <stop offset="0" stop-color="#fff0a8"/><stop offset="0.55" stop-color="#ecbc48"/>
    <stop offset="1" stop-color="#a86e14"/></radialGradient>
  <linearGradient id="feather" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#fffdf6"/><stop offset="0.6" stop-color="#f1eadc"/>
    <stop offset="1" stop-color="#c9c3d6"/></linearGradient>
  <linearGradient id="covert" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#fff6dc"/><stop offset="1" stop-color="#e6d7b8"/></linearGradient>
  <linearGradient id="drape" x1="0" y1="0" x2="1" y2="1">
    <stop offset="0" stop-color="#b9dcff"/><stop offset="0.5" stop-color="#6fa6e8"/>
    <stop offset="1" stop-color="#2f5fae"/></linearGradient>
</defs>"""

OUTLINE = "#8a5a44"


def feather(base: tuple, tip: tuple, width: float, fill: str = "url(#feather)") -> str:
    """One feather: a long rounded blade from its base to its tip, with its shaft."""
    bx, by = base
    tx, ty = tip
    dx, dy = tx - bx, ty - by
    length = math.hypot(dx, dy)
    nx, ny = -dy / length * width / 2, dx / length * width / 2
    def at(t: float, side: float) -> str:
        return f"{bx + dx * t + nx * side:.1f} {by + dy * t + ny * side:.1f}"
    return (f'<path d="M{at(0, 0.4)} C{at(0.35, 1.1)} {at(0.8, 1.1)} {at(0.97, 0.5)} '
            f'Q{tx + dx / length * 2:.1f} {ty + dy / length * 2:.1f} {at(0.97, -0.5)} '
            f'C{at(0.8, -1.1)} {at(0.35, -1.1)} {at(0, -0.4)} Z" fill="{fill}" stroke="#8c8298" stroke-width="0.7"/>'
            f'<path d="M{at(0.05, 0)} L{at(0.85, 0.1)}" stroke="#b8aec4" stroke-width="0.6"/>')


def wing(angle: float, span: float, mirror: bool) -> str:
    """A wing drawn pointing right from its shoulder at the origin: long flight
    feathers fanning from the wrist, shorter ones along the arm, and rounded
    coverts over their bases."""
    def p(x: float, y: float) -> tuple:
        return (x * span, y)
    primaries = [feather(p(24 + 2 * k, -14 + 5 * k), p(66 - 5 * k, -20 + 11 * k), 11) for k in range(6)]
    secondaries = [feather(p(4 + 5 * k, 4 + k), p(10 + 6 * k, 36 - k), 10) for k in range(5)]
    coverts = (f'<path d="M-3 6 C0 -12 {20 * span:.1f} -26 {40 * span:.1f} -22 C{50 * span:.1f} -20 {52 * span:.1f} -12 '
               f'{46 * span:.1f} -6 C{40 * span:.1f} 4 {30 * span:.1f} 12 {22 * span:.1f} 16 C{12 * span:.1f} 20 2 20 -3 6 Z" '
               f'fill="url(#covert)" stroke="#9a8466" stroke-width="0.9"/>')
    # Two rows of small covert feathers, like scales, over the wing's shoulder.
    scallops = "".join(
        f'<ellipse cx="{(6 + 8.5 * i + 4 * row) * span:.1f}" cy="{12 - i * 3.6 - row * 9:.1f}" rx="{5.2 * span:.1f}" '
        f'ry="4" fill="url(#covert)" stroke="#b09a76" stroke-width="0.7" '
        f'transform="rotate({-25 + 4 * i} {(6 + 8.5 * i + 4 * row) * span:.1f} {12 - i * 3.6 - row * 9:.1f})"/>'
        for row in (0, 1) for i in range(5 - row))
    flip = "scale(-1 1) " if mirror else ""
    return (f'<g transform="{flip}rotate({angle:.1f})">{"".join(reversed(primaries))}'
            f'{"".join(reversed(secondaries))}{coverts}{scallops}</g>')


def rose(x: float, y: float) -> str:
    return f"""
<path d="M{x} {y + 3} q-3 10 -9 18" fill="none" stroke="#3a7a2a" stroke-width="1.6"/>
<path d="M{x - 5} {y + 12} q-8 -3 -9 3 q6 3 9 -3 z" fill="#4f9a3a" stroke="#2a5a1a" stroke-width="0.6"/>
<circle cx="{x}" cy="{y}" r="6" fill="#e8506e" stroke="#8a1838" stroke-width="0.8"/>
<path d="M{x - 3.5} {y - 1} q3.5 -4 7 0 M{x - 2.5} {y + 2} q2.5 2.5 5 0 M{x - 1.5} {y - 3.5} q2 3 3.5 0"
      fill="none" stroke="#a82448" stroke-width="0.8"/>
<circle cx="{x - 1.8}" cy="{y - 2}" r="1.4" fill="#ffc2d0"/>"""


def limb(points: list, outline_only: bool = False) -> str:
    """A chubby arm or leg: a chain of overlapping discs (x, y, radius) along the
    limb, so it swells and narrows like a baby's, with an outline round the
    whole and a soft highlight along its upper side."""
    chain = []
    for (x0, y0, r0), (x1, y1, r1) in zip(points, points[1:]):
        steps = max(2, int(math.hypot(x1 - x0, y1 - y0) / 1.5))
        for i in range(steps):
            t = i / steps
            chain.append((x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, r0 + (r1 - r0) * t))
    chain.append(points[-1])
    outline = "".join(f'<circle cx="{x:.1f}" cy="{y:.1f}" r="{r + 1:.1f}" fill="{OUTLINE}"/>' for x, y, r in chain)
    fill = "".join(f'<circle cx="{x:.1f}" cy="{y:.1f}" r="{r:.1f}" fill="#f3c3a2"/>' for x, y, r in chain)
    shade = "".join(f'<circle cx="{x + r * 0.25:.1f}" cy="{y + r * 0.3:.1f}" r="{r * 0.7:.1f}" fill="#e3a584" '
                    f'opacity="0.35"/>' for x, y, r in chain[::3])
    light = "".join(f'<circle cx="{x - r * 0.3:.1f}" cy="{y - r * 0.35:.1f}" r="{r * 0.4:.1f}" fill="#ffe8d6" '
                    f'opacity="0.6"/>' for x, y, r in chain[::2])
    return f"<g>{outline}{fill}{shade}{light}</g>"


def body(frame: int) -> str:
    """Head, hair, body, arms, legs and drapery; the same in every frame except
    for a slight bob against the wing beat."""
    bob = {1: 1.5, 2: 0, 3: -1.5, 4: -0.5}[frame]
    curls = "".join(
        f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="url(#hair)" stroke="#a06a18" stroke-width="0.6"/>'
        f'<path d="M{cx - r * 0.5} {cy + r * 0.1} q{r * 0.5} {-r * 0.8} {r * 0.9} {-r * 0.1}" fill="none" '
        f'stroke="#b07a20" stroke-width="0.7"/>'
        for cx, cy, r in [(57, 52, 4.5), (58, 44, 5), (62, 37, 5), (69, 32, 5.2), (77, 30, 5.2), (85, 31, 5.2),
                          (92, 36, 5), (96, 43, 4.8), (97, 51, 4.3), (66, 40, 4.2), (74, 37, 4.4), (83, 37, 4.4),
                          (90, 42, 4)])
    return f"""
<g transform="translate(0 {bob})">
  {limb([(70, 112, 9), (62, 126, 8.5), (58, 134, 6), (58, 142, 6.5), (54, 149, 4.5), (49, 151, 4)])}
  {limb([(88, 112, 9), (100, 120, 8), (108, 128, 6), (112, 134, 5.5), (118, 137, 4.5), (122, 138, 3.8)])}
  <path d="M63 80 C56 94 58 112 70 120 C80 126 94 122 98 110 C102 98 98 86 90 78 Z"
        fill="url(#skin)" stroke="{OUTLINE}" stroke-width="1.1"/>
  <path d="M76 104 q2 2 4 0" fill="none" stroke="#c07a5a" stroke-width="0.9"/>
  <path d="M58 106 C70 114 88 114 100 102 C104 110 102 120 96 126 C84 132 66 130 58 120 C50 122 40 128 30 126
           C38 120 48 114 58 106 Z" fill="url(#drape)" stroke="#1f3f7a" stroke-width="0.9"/>
  <path d="M64 114 C74 120 86 120 96 112 M62 122 C72 126 84 126 94 120 M46 120 C40 124 36 125 33 125"
        fill="none" stroke="#2f5fae" stroke-width="0.9" opacity="0.8"/>
  {limb([(65, 84, 6.5), (58, 94, 5.5), (55, 100, 4.5), (52, 107, 5), (50, 112, 4.2)])}
  {limb([(90, 83, 6.5), (100, 80, 5.5), (106, 75, 4.5), (110, 68, 5), (114, 62, 4.2)])}
  {rose(117, 53)}
  <circle cx="115" cy="61" r="4.3" fill="#f3c3a2" stroke="{OUTLINE}" stroke-width="0.9"/>
  <path d="M112 59 q3 -2 6 0" fill="none" stroke="#c07a5a" stroke-width="0.7"/>
  <circle cx="77" cy="55" r="20" fill="url(#skin)" stroke="{OUTLINE}" stroke-width="1.1"/>
  <path d="M58 50 C58 36 68 28 78 28 C90 28 98 36 97 50 C92 42 84 39 77 40 C70 40 62 43 58 50 Z"
        fill="url(#hair)" stroke="#a06a18" stroke-width="0.7"/>
  {curls}
  <circle cx="66" cy="62" r="5.5" fill="url(#cheek)"/><circle cx="89" cy="62" r="5.5" fill="url(#cheek)"/>
  <path d="M66.5 51.5 q3 -2.5 6 0" fill="none" stroke="#8a5a2a" stroke-width="1" stroke-linecap="round"/>
  <path d="M81.5 51.5 q3 -2.5 6 0" fill="none" stroke="#8a5a2a" stroke-width="1" stroke-linecap="round"/>
  <ellipse cx="70" cy="56" rx="2.1" ry="2.5" fill="#3a5a8a"/><ellipse cx="84" cy="56" rx="2.1" ry="2.5" fill="#3a5a8a"/>
  <circle cx="70.7" cy="55" r="0.8" fill="#ffffff"/><circle cx="84.7" cy="55" r="0.8" fill="#ffffff"/>
  <path d="M76.5 58 q1.6 3 0 4" fill="none" stroke="#c07a5a" stroke-width="1"/>
  <path d="M72.5 66 q4.5 3.6 9 0" fill="#d8546a" stroke="#8a2a3a" stroke-width="0.9" stroke-linecap="round"/>
</g>"""


def svg(frame: int) -> str:
    angle, span = FRAMES[frame]
    lx, ly = SHOULDER_L
    rx, ry = SHOULDER_R
    far = f'<g transform="translate({rx} {ry}) rotate(-8)">{wing(angle, span * 0.9, mirror=False)}</g>'
    near = f'<g transform="translate({lx} {ly})">{wing(angle, span, mirror=True)}</g>'
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}">'
            f'{DEFS}{far}{near}{body(frame)}</svg>')

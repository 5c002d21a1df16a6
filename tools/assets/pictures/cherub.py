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
    scallops = "".join(
        f'<path d="M{(4 + 9 * i) * span:.1f} {15 - i * 4:.1f} q{4.5 * span:.1f} 5 {9 * span:.1f} -1" fill="none" '
        f'stroke="#b8a27e" stroke-width="0.8"/>' for i in range(5))
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


def limb(points: str, width: float) -> str:
    """An arm or leg: a round-ended stroke with an outline and a soft highlight."""
    return (f'<path d="{points}" fill="none" stroke="{OUTLINE}" stroke-width="{width + 2}" stroke-linecap="round" '
            f'stroke-linejoin="round"/>'
            f'<path d="{points}" fill="none" stroke="#f3c3a2" stroke-width="{width}" stroke-linecap="round" '
            f'stroke-linejoin="round"/>'
            f'<path d="{points}" fill="none" stroke="#ffe4d0" stroke-width="{width * 0.35}" stroke-linecap="round" '
            f'stroke-linejoin="round" transform="translate(-1 -1.2)"/>')


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
  {limb("M70 114 C62 124 56 132 58 142 C59 146 56 149 52 150", 15)}
  <ellipse cx="52" cy="151" rx="6" ry="4" fill="#f3c3a2" stroke="{OUTLINE}" stroke-width="1"/>
  {limb("M88 114 C98 118 108 124 110 132 C111 136 114 138 118 138", 14)}
  <ellipse cx="118" cy="138" rx="5.5" ry="4" fill="#f3c3a2" stroke="{OUTLINE}" stroke-width="1"/>
  <path d="M63 80 C56 94 58 112 70 120 C80 126 94 122 98 110 C102 98 98 86 90 78 Z"
        fill="url(#skin)" stroke="{OUTLINE}" stroke-width="1.1"/>
  <path d="M76 104 q2 2 4 0" fill="none" stroke="#c07a5a" stroke-width="0.9"/>
  <path d="M58 106 C70 114 88 114 100 102 C104 110 102 120 96 126 C84 132 66 130 58 120 C50 122 40 128 30 126
           C38 120 48 114 58 106 Z" fill="url(#drape)" stroke="#1f3f7a" stroke-width="0.9"/>
  <path d="M64 114 C74 120 86 120 96 112 M62 122 C72 126 84 126 94 120 M46 120 C40 124 36 125 33 125"
        fill="none" stroke="#2f5fae" stroke-width="0.9" opacity="0.8"/>
  {limb("M65 84 C58 92 54 100 52 108", 11)}
  <ellipse cx="52" cy="110" rx="4.5" ry="4" fill="#f3c3a2" stroke="{OUTLINE}" stroke-width="0.9"/>
  {limb("M90 83 C98 82 104 78 108 70 C110 66 112 64 114 62", 10.5)}
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

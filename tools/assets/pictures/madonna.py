# SPDX-License-Identifier: MIT
"""The devotional painting of the card (156 x 234): the Madonna with the Child
among angels, drawn in the manner of a gold-ground icon. Our own drawing."""

W, H = 156, 234


def punched_dots(cx: float, cy: float, r: float, count: int) -> str:
    """The ring of punched dots that decorates a gilded halo."""
    import math
    return "".join(
        f'<circle cx="{cx + r * math.cos(2 * math.pi * k / count):.1f}" '
        f'cy="{cy + r * math.sin(2 * math.pi * k / count):.1f}" r="0.8" fill="#8a5a10" opacity="0.7"/>'
        for k in range(count))


def halo(cx: float, cy: float, r: float) -> str:
    return (f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="url(#halo)" stroke="#7a4e0c" stroke-width="1"/>'
            f'<circle cx="{cx}" cy="{cy}" r="{r - 3}" fill="none" stroke="#a8741c" stroke-width="0.6"/>'
            f'{punched_dots(cx, cy, r - 1.6, int(r * 2.2))}')


def face(cx: float, cy: float, rx: float, ry: float, tilt: float) -> str:
    """An icon face: long brows running into a thin nose, downcast almond eyes,
    a small mouth and a soft olive shadow along one cheek."""
    e = rx * 0.42
    iris = 1.3 if rx >= 10 else 0.75 if rx < 6 else 0.95
    features = (f'<ellipse cx="{cx - e}" cy="{cy - ry * 0.02}" rx="{iris}" ry="{iris * 0.75}" fill="#2a1606"/>'
                f'<ellipse cx="{cx + e}" cy="{cy - ry * 0.02}" rx="{iris}" ry="{iris * 0.75}" fill="#2a1606"/>')
    if rx >= 10:  # brows running into the nose, and the upper lids, only where there is room
        features += (
            f'<path d="M{cx - e - rx * 0.3} {cy - ry * 0.24} Q{cx - e} {cy - ry * 0.42} {cx - 0.6} {cy - ry * 0.26} '
            f'L{cx - 0.4} {cy + ry * 0.22} M{cx + e + rx * 0.3} {cy - ry * 0.24} Q{cx + e} {cy - ry * 0.42} '
            f'{cx + 0.6} {cy - ry * 0.26}" fill="none" stroke="#5a3418" stroke-width="0.7"/>'
            f'<path d="M{cx - e - 2.4} {cy - ry * 0.06} q2.4 -1.6 4.8 0 M{cx + e - 2.4} {cy - ry * 0.06} '
            f'q2.4 -1.6 4.8 0" fill="none" stroke="#3a200c" stroke-width="0.8"/>')
    else:
        features += (f'<path d="M{cx - 0.3} {cy - ry * 0.2} L{cx - 0.5} {cy + ry * 0.2}" stroke="#8a5030" '
                     f'stroke-width="0.5"/>')
    return f"""
<g transform="rotate({tilt} {cx} {cy})">
  <ellipse cx="{cx}" cy="{cy}" rx="{rx}" ry="{ry}" fill="url(#flesh)" stroke="#6a3a1a" stroke-width="0.7"/>
  <path d="M{cx + rx * 0.2} {cy - ry * 0.9} C{cx + rx} {cy - ry * 0.6} {cx + rx} {cy + ry * 0.5} {cx + rx * 0.3} {cy + ry * 0.95}
           C{cx + rx * 0.7} {cy + ry * 0.3} {cx + rx * 0.7} {cy - ry * 0.4} {cx + rx * 0.2} {cy - ry * 0.9} Z"
        fill="#9a6a3a" opacity="0.35"/>
  {features}
  <path d="M{cx - 1.2} {cy + ry * 0.24} q1.2 0.9 2.6 0" fill="none" stroke="#7a4a28" stroke-width="0.6"/>
  <path d="M{cx - 2} {cy + ry * 0.5} q2 -0.9 4 0 q-2 1.4 -4 0 Z" fill="#a83a38"/>
  <ellipse cx="{cx - rx * 0.5}" cy="{cy + ry * 0.25}" rx="{rx * 0.2}" ry="{ry * 0.1}" fill="#e08a78" opacity="0.4"/>
</g>"""


def star(x: float, y: float, r: float) -> str:
    """The small gold star painted on the Virgin's veil."""
    return (f'<path d="M{x} {y - r} L{x + r * 0.3} {y - r * 0.3} L{x + r} {y} L{x + r * 0.3} {y + r * 0.3} '
            f'L{x} {y + r} L{x - r * 0.3} {y + r * 0.3} L{x - r} {y} L{x - r * 0.3} {y - r * 0.3} Z" fill="#f3d68a"/>')


def angel(cx: float, cy: float, facing: int, robe: str, wing: str) -> str:
    """An archangel in a roundel in an upper corner, bowing towards the Virgin."""
    f = facing
    return f"""
<g>
  <circle cx="{cx}" cy="{cy}" r="16" fill="#f1cf78" stroke="#8a5a10" stroke-width="0.8"/>
  <circle cx="{cx}" cy="{cy}" r="14" fill="none" stroke="#b8862b" stroke-width="0.5"/>
  <clipPath id="roundel{cx}"><circle cx="{cx}" cy="{cy}" r="15.4"/></clipPath>
  <g clip-path="url(#roundel{cx})">
    <path d="M{cx - 2 * f} {cy + 4} C{cx - 14 * f} {cy - 8} {cx - 20 * f} {cy - 2} {cx - 18 * f} {cy + 10}
             C{cx - 16 * f} {cy + 16} {cx - 10 * f} {cy + 16} {cx - 4 * f} {cy + 14} Z"
          fill="{wing}" stroke="#3a200c" stroke-width="0.6"/>
    <path d="M{cx - 6 * f} {cy + 2} L{cx - 16 * f} {cy + 8} M{cx - 6 * f} {cy + 6} L{cx - 15 * f} {cy + 12}"
          stroke="#f3d68a" stroke-width="0.6"/>
    {halo(cx + 1 * f, cy - 3, 7.5)}
    <path d="M{cx - 12} {cy + 18} C{cx - 11} {cy + 8} {cx - 5} {cy + 4} {cx + f} {cy + 4}
             C{cx + 7} {cy + 4} {cx + 12} {cy + 8} {cx + 13} {cy + 18} Z" fill="{robe}" stroke="#3a1a0a" stroke-width="0.6"/>
    <path d="M{cx - 7} {cy + 7} C{cx - 3} {cy + 11} {cx + 3} {cy + 11} {cx + 8} {cy + 7}" fill="none"
          stroke="#f3d68a" stroke-width="0.8"/>
    <path d="M{cx - 4.5 + f} {cy - 5} C{cx - 5} {cy - 10} {cx + 6} {cy - 10} {cx + 5.5 + f} {cy - 5}
             C{cx + 3} {cy - 7} {cx - 2} {cy - 7} {cx - 4.5 + f} {cy - 5} Z" fill="#7a4a1a"/>
    {face(cx + 1 * f, cy - 2, 4.6, 5.8, 12 * f)}
  </g>
</g>"""


def svg() -> str:
    return f"""<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}">
<defs>
  <linearGradient id="gold" x1="0" y1="0" x2="1" y2="1">
    <stop offset="0" stop-color="#f6d987"/><stop offset="0.5" stop-color="#dcaa44"/>
    <stop offset="1" stop-color="#a8741c"/></linearGradient>
  <radialGradient id="halo" cx="0.4" cy="0.35" r="0.75">
    <stop offset="0" stop-color="#fbe6a0"/><stop offset="0.6" stop-color="#e2b24a"/>
    <stop offset="1" stop-color="#b07a1c"/></radialGradient>
  <radialGradient id="flesh" cx="0.4" cy="0.38" r="0.75">
    <stop offset="0" stop-color="#f3d6b0"/><stop offset="0.65" stop-color="#d9aa7c"/>
    <stop offset="1" stop-color="#a8744a"/></radialGradient>
  <linearGradient id="mantle" x1="0" y1="0" x2="1" y2="1">
    <stop offset="0" stop-color="#5a2a3a"/><stop offset="0.5" stop-color="#4a1a2c"/>
    <stop offset="1" stop-color="#2a0a18"/></linearGradient>
  <linearGradient id="robe" x1="0" y1="0" x2="1" y2="1">
    <stop offset="0" stop-color="#f2c460"/><stop offset="0.6" stop-color="#d08a28"/>
    <stop offset="1" stop-color="#8a5010"/></linearGradient>
  <linearGradient id="frame" x1="0" y1="0" x2="1" y2="1">
    <stop offset="0" stop-color="#8a2a1a"/><stop offset="1" stop-color="#4a1208"/></linearGradient>
  <radialGradient id="age" cx="0.5" cy="0.45" r="0.75">
    <stop offset="0.6" stop-color="#3a1a00" stop-opacity="0"/>
    <stop offset="1" stop-color="#3a1a00" stop-opacity="0.35"/></radialGradient>
  <pattern id="punch" width="7" height="7" patternUnits="userSpaceOnUse">
    <circle cx="3.5" cy="3.5" r="0.55" fill="#9a6a18" opacity="0.4"/></pattern>
</defs>
<rect width="{W}" height="{H}" fill="url(#frame)"/>
<path d="M8 226 V44 C8 18 40 8 78 8 C116 8 148 18 148 44 V226 Z" fill="url(#gold)" stroke="#f3d68a" stroke-width="1.2"/>
<path d="M8 226 V44 C8 18 40 8 78 8 C116 8 148 18 148 44 V226 Z" fill="url(#punch)"/>
{angel(28, 50, 1, "#2e6a4a", "#9a2a1c")}
{angel(128, 50, -1, "#9a2a1c", "#2e6a4a")}
{halo(72, 62, 27)}
<!-- the Virgin's maphorion, falling from her head to the foot of the panel -->
<path d="M70 36 C90 35 100 52 98 72 C106 84 120 92 126 106 L138 226 L14 226 L20 112
         C24 94 40 86 46 78 C42 56 52 37 70 36 Z" fill="url(#mantle)" stroke="#1a0610" stroke-width="0.9"/>
<path d="M44 80 C34 96 26 140 24 226 M98 74 C112 92 124 150 128 226 M60 96 C56 130 50 180 48 226"
      fill="none" stroke="#2a0a18" stroke-width="1.2" opacity="0.8"/>
<path d="M46 78 C40 100 32 150 30 226 M97 72 C106 86 118 140 124 226" fill="none" stroke="#e2b24a" stroke-width="1.3"/>
<!-- blue veil under the hood, and the face -->
<path d="M58 52 C62 44 82 42 88 52 L88 60 C82 52 64 52 58 60 Z" fill="#1f3a7a"/>
{face(73, 68, 11.5, 15, 9)}
<path d="M57 50 C60 40 84 38 90 50 C94 62 92 80 84 86 C90 76 90 58 86 52 C80 46 66 46 60 52 C56 60 56 74 62 84 C54 78 54 60 57 50 Z"
      fill="url(#mantle)" stroke="#e2b24a" stroke-width="1.1"/>
{star(72, 44, 3.2)}{star(46, 100, 3.2)}
<!-- the Child in a golden robe, on the Virgin's left arm, blessing -->
{halo(104, 104, 14)}
<path d="M104 90 V118 M90 104 H118" stroke="#9a1c1c" stroke-width="2.2" opacity="0.8"/>
<path d="M88 166 C84 148 86 128 96 118 C102 114 108 114 112 118 C122 128 124 148 120 166 Z"
      fill="url(#robe)" stroke="#5a3408" stroke-width="0.8"/>
<path d="M94 126 L100 150 M102 122 L106 148 M110 124 L114 150 M90 150 C98 156 110 156 118 150" fill="none"
      stroke="#fbe6a0" stroke-width="0.6"/>
<path d="M112 136 l8 -2 v8 l-8 2 Z" fill="#f4ead4" stroke="#8a6a3a" stroke-width="0.6"/>
{face(104, 106, 8, 9.5, -8)}
<path d="M97 99 C99 94 109 94 111 99 C107 97 101 97 97 99 Z" fill="#7a4a1a"/>
<path d="M94 128 C90 124 88 118 89 113" fill="none" stroke="#d9aa7c" stroke-width="3.2" stroke-linecap="round"/>
<path d="M88 113 v-4 M90 113 v-4.5" stroke="#a8744a" stroke-width="0.9" stroke-linecap="round"/>
<!-- the Virgin's hands: one holds the Child, the other shows him -->
<path d="M88 168 C96 172 112 172 122 166 C120 172 110 176 98 176 C92 176 88 172 88 168 Z" fill="#d9aa7c"
      stroke="#6a3a1a" stroke-width="0.7"/>
<path d="M62 132 C66 128 74 126 80 128 C82 130 80 133 76 133 L70 134 C66 136 62 136 62 132 Z" fill="#d9aa7c"
      stroke="#6a3a1a" stroke-width="0.7"/>
<path d="M70 129.5 H78 M70 131.5 H77" stroke="#a8744a" stroke-width="0.5"/>
<path d="M50 118 C56 124 60 132 62 134 M60 140 C66 138 72 136 78 134" fill="none" stroke="#e2b24a" stroke-width="1"/>
<rect width="{W}" height="{H}" fill="url(#age)"/>
<path d="M4 4 H152 V230 H4 Z" fill="none" stroke="#e2b24a" stroke-width="1"/>
</svg>"""

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
    """An icon face: long nose, almond eyes under arched brows, a small mouth."""
    e = rx * 0.42
    return f"""
<g transform="rotate({tilt} {cx} {cy})">
  <ellipse cx="{cx}" cy="{cy}" rx="{rx}" ry="{ry}" fill="url(#flesh)" stroke="#6a3a1a" stroke-width="0.8"/>
  <path d="M{cx - e - 3} {cy - ry * 0.28} q3 -2.2 6 0 M{cx + e - 3} {cy - ry * 0.28} q3 -2.2 6 0"
        fill="none" stroke="#4a2a10" stroke-width="0.8"/>
  <path d="M{cx - e - 2.6} {cy - ry * 0.1} q2.6 -1.8 5.2 0 q-2.6 1.4 -5.2 0 Z M{cx + e - 2.6} {cy - ry * 0.1} q2.6 -1.8 5.2 0 q-2.6 1.4 -5.2 0 Z"
        fill="#fff6e8" stroke="#4a2a10" stroke-width="0.6"/>
  <circle cx="{cx - e}" cy="{cy - ry * 0.1}" r="1.1" fill="#2a1a0a"/>
  <circle cx="{cx + e}" cy="{cy - ry * 0.1}" r="1.1" fill="#2a1a0a"/>
  <path d="M{cx + 0.5} {cy - ry * 0.25} q-1.2 {ry * 0.35} -1.6 {ry * 0.42} q1.5 1 3 0.2" fill="none"
        stroke="#8a5030" stroke-width="0.7"/>
  <path d="M{cx - 2.2} {cy + ry * 0.45} q2.2 1.3 4.4 0" fill="#b8404a" stroke="#7a2028" stroke-width="0.7"/>
  <ellipse cx="{cx - rx * 0.55}" cy="{cy + ry * 0.22}" rx="{rx * 0.22}" ry="{ry * 0.12}" fill="#e89080" opacity="0.45"/>
  <ellipse cx="{cx + rx * 0.55}" cy="{cy + ry * 0.22}" rx="{rx * 0.22}" ry="{ry * 0.12}" fill="#e89080" opacity="0.45"/>
</g>"""


def angel(cx: float, cy: float, facing: int, robe: str, wing: str) -> str:
    """A half-figure angel in an upper corner, turned towards the Madonna."""
    f = facing
    return f"""
<g>
  <path d="M{cx - 6 * f} {cy + 6} C{cx - 24 * f} {cy - 2} {cx - 30 * f} {cy + 20} {cx - 26 * f} {cy + 34}
           C{cx - 18 * f} {cy + 26} {cx - 12 * f} {cy + 20} {cx - 4 * f} {cy + 16} Z"
        fill="{wing}" stroke="#5a3a10" stroke-width="0.8"/>
  <path d="M{cx - 10 * f} {cy + 10} L{cx - 22 * f} {cy + 26} M{cx - 8 * f} {cy + 12} L{cx - 18 * f} {cy + 28}"
        stroke="#f3d68a" stroke-width="0.7" opacity="0.8"/>
  {halo(cx, cy, 11)}
  <path d="M{cx - 12} {cy + 30} C{cx - 12} {cy + 16} {cx - 6} {cy + 10} {cx} {cy + 10} C{cx + 6} {cy + 10}
           {cx + 12} {cy + 16} {cx + 12} {cy + 30} Z" fill="{robe}" stroke="#3a1a0a" stroke-width="0.8"/>
  <path d="M{cx - 4} {cy + 12} L{cx} {cy + 20} L{cx + 4} {cy + 12}" fill="none" stroke="#f3d68a" stroke-width="0.8"/>
  <path d="M{cx - 7} {cy - 2} C{cx - 8} {cy - 9} {cx + 8} {cy - 9} {cx + 7} {cy - 2}" fill="#7a4a1a"/>
  {face(cx + 0.5 * f, cy + 1, 6, 7.5, 8 * f)}
</g>"""


def svg() -> str:
    return f"""<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}">
<defs>
  <linearGradient id="gold" x1="0" y1="0" x2="1" y2="1">
    <stop offset="0" stop-color="#f4d27a"/><stop offset="0.45" stop-color="#d9a63e"/>
    <stop offset="1" stop-color="#a8741c"/></linearGradient>
  <radialGradient id="halo" cx="0.4" cy="0.35" r="0.75">
    <stop offset="0" stop-color="#fbe6a0"/><stop offset="0.6" stop-color="#e2b24a"/>
    <stop offset="1" stop-color="#b07a1c"/></radialGradient>
  <radialGradient id="flesh" cx="0.45" cy="0.4" r="0.7">
    <stop offset="0" stop-color="#f6dcbc"/><stop offset="0.7" stop-color="#e2b890"/>
    <stop offset="1" stop-color="#b8845a"/></radialGradient>
  <linearGradient id="mantle" x1="0" y1="0" x2="1" y2="1">
    <stop offset="0" stop-color="#3a5aa8"/><stop offset="0.5" stop-color="#1f3a7a"/>
    <stop offset="1" stop-color="#0e1f48"/></linearGradient>
  <linearGradient id="robe" x1="0" y1="0" x2="1" y2="1">
    <stop offset="0" stop-color="#f2c460"/><stop offset="1" stop-color="#b07a1c"/></linearGradient>
  <linearGradient id="frame" x1="0" y1="0" x2="1" y2="1">
    <stop offset="0" stop-color="#8a2a1a"/><stop offset="1" stop-color="#4a1208"/></linearGradient>
  <pattern id="punch" width="8" height="8" patternUnits="userSpaceOnUse">
    <circle cx="4" cy="4" r="0.6" fill="#9a6a18" opacity="0.45"/></pattern>
</defs>
<rect width="{W}" height="{H}" fill="url(#frame)"/>
<path d="M8 226 V44 C8 18 40 8 78 8 C116 8 148 18 148 44 V226 Z" fill="url(#gold)" stroke="#f3d68a" stroke-width="1.2"/>
<path d="M8 226 V44 C8 18 40 8 78 8 C116 8 148 18 148 44 V226 Z" fill="url(#punch)"/>
<path d="M12 222 V46 C12 22 42 12 78 12 C114 12 144 22 144 46 V222 Z" fill="none" stroke="#8a5a10" stroke-width="0.8"/>
{angel(30, 50, -1, "#9a1c1c", "#2e6a4a")}
{angel(126, 50, 1, "#2e6a4a", "#9a1c1c")}
{halo(78, 70, 26)}
<path d="M24 226 C26 170 36 126 50 104 C56 86 58 66 62 58 C66 46 90 46 94 58 C98 66 100 86 106 104
         C120 126 130 170 132 226 Z" fill="url(#mantle)" stroke="#0a1430" stroke-width="1"/>
<path d="M62 58 C58 70 56 88 52 104 C44 122 36 170 34 226" fill="none" stroke="#e2b24a" stroke-width="1.6"/>
<path d="M94 58 C98 70 100 88 104 104 C112 122 122 170 124 226" fill="none" stroke="#e2b24a" stroke-width="1.6"/>
<path d="M60 104 C70 112 88 112 98 104 L100 132 C90 138 68 138 58 132 Z" fill="#9a1c1c" stroke="#4a0808" stroke-width="0.8"/>
<path d="M64 62 C66 56 90 56 92 62 L92 80 C90 86 66 86 64 80 Z" fill="#9a1c1c"/>
{face(78, 74, 11.5, 15, -6)}
<path d="M64 64 C66 52 90 52 92 64 C90 58 66 58 64 64 Z" fill="#1f3a7a"/>
<path d="M76 48 l2 -5 2 5 -4 -3 h4 z" fill="#f3d68a"/>
<path d="M54 112 l2 -5 2 5 -4 -3 h4 z M100 112 l2 -5 2 5 -4 -3 h4 z" fill="#f3d68a"/>
{halo(100, 118, 13)}
<path d="M100 105 V131 M87 118 H113" stroke="#9a1c1c" stroke-width="2.4" opacity="0.85"/>
<path d="M82 172 C80 156 86 134 100 130 C114 134 118 156 116 172 Z" fill="url(#robe)" stroke="#6a4a0c" stroke-width="0.9"/>
<path d="M90 140 C96 150 104 150 110 140 M88 156 C96 164 106 164 112 156" fill="none" stroke="#8a5a10" stroke-width="0.8"/>
{face(100, 119, 8, 9.5, 6)}
<path d="M93 112 C95 106 105 106 107 112 C103 110 97 110 93 112 Z" fill="#7a4a1a"/>
<path d="M112 140 C118 136 120 130 118 126" fill="none" stroke="#e2b890" stroke-width="3.4" stroke-linecap="round"/>
<path d="M117 125 l0 -4 M119 125 l1 -4" stroke="#b8845a" stroke-width="1"/>
<path d="M64 160 C74 172 90 176 104 170" fill="none" stroke="#e2b890" stroke-width="6" stroke-linecap="round"/>
<path d="M64 160 C74 172 90 176 104 170" fill="none" stroke="#6a3a1a" stroke-width="0.7" transform="translate(0 3)"/>
<path d="M4 4 H152 V230 H4 Z" fill="none" stroke="#e2b24a" stroke-width="1"/>
</svg>"""

# SPDX-License-Identifier: MIT
"""Small pictures of controls: the question-mark button, the plug (exit), the
speech bubble, the "Merry Christmas" panel, the script greeting of the card and
the two faces of the save button. Each function returns SVG text."""

SVG = '<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" viewBox="0 0 {w} {h}">{body}</svg>'


def help_button() -> str:
    """Round blue glass button with a white question mark (18 x 18)."""
    body = """
<defs>
  <radialGradient id="b" cx="0.4" cy="0.32" r="0.75">
    <stop offset="0" stop-color="#8fc4ff"/><stop offset="0.5" stop-color="#2f6fd8"/>
    <stop offset="1" stop-color="#0d2f7a"/></radialGradient>
  <linearGradient id="gloss" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#ffffff" stop-opacity="0.75"/>
    <stop offset="1" stop-color="#ffffff" stop-opacity="0"/></linearGradient>
</defs>
<circle cx="9" cy="9" r="8.6" fill="url(#b)" stroke="#0a245e" stroke-width="0.8"/>
<ellipse cx="9" cy="5.2" rx="5.6" ry="3.4" fill="url(#gloss)"/>
<text x="9.2" y="14.2" font-family="DejaVu Sans" font-weight="bold" font-size="12.5"
      text-anchor="middle" fill="#0a1f55" opacity="0.6">?</text>
<text x="9" y="13.8" font-family="DejaVu Sans" font-weight="bold" font-size="12.5"
      text-anchor="middle" fill="#ffffff">?</text>"""
    return SVG.format(w=18, h=18, body=body)


def plug() -> str:
    """A small brown mains plug seen from the side, cable to the left (42 x 19)."""
    body = """
<defs>
  <linearGradient id="body" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#c08a52"/><stop offset="0.35" stop-color="#8a5a2b"/>
    <stop offset="1" stop-color="#4a2c10"/></linearGradient>
  <linearGradient id="metal" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#fff4c0"/><stop offset="0.5" stop-color="#d6ad3a"/>
    <stop offset="1" stop-color="#7a5a10"/></linearGradient>
</defs>
<path d="M1 11 C5 11 7 8.5 11 9" fill="none" stroke="#3a2410" stroke-width="3.4" stroke-linecap="round"/>
<path d="M1 11 C5 11 7 8.5 11 9" fill="none" stroke="#8a5a2b" stroke-width="1.6" stroke-linecap="round"/>
<path d="M10 6.5 L15 4 L15 15 L10 12.5 Z" fill="url(#body)" stroke="#3a2410" stroke-width="0.9"/>
<rect x="14.5" y="1.5" width="15" height="16" rx="3" fill="url(#body)" stroke="#3a2410" stroke-width="1"/>
<path d="M18 3 v13 M21.5 3 v13 M25 3 v13" stroke="#3a2410" stroke-width="1" opacity="0.55"/>
<path d="M18.7 3 v13 M22.2 3 v13 M25.7 3 v13" stroke="#e0b07a" stroke-width="0.6" opacity="0.6"/>
<rect x="29" y="3.5" width="3" height="12" rx="1" fill="#5a3614" stroke="#3a2410" stroke-width="0.8"/>
<rect x="31.5" y="4.5" width="9.5" height="3" rx="1.2" fill="url(#metal)" stroke="#5a420a" stroke-width="0.6"/>
<rect x="31.5" y="11.5" width="9.5" height="3" rx="1.2" fill="url(#metal)" stroke="#5a420a" stroke-width="0.6"/>"""
    return SVG.format(w=42, h=19, body=body)


def speech_bubble() -> str:
    """An empty speech bubble, pale yellow with a thin black outline, its tail
    to the lower right (272 x 157). The fill is one exact colour."""
    body = """
<path d="M136 6 C206 6 262 32 262 68 C262 94 236 114 200 124
         C206 136 222 148 252 152 C214 152 186 142 172 129
         C160 130 148 131 136 131 C66 131 10 103 10 68 C10 32 66 6 136 6 Z"
      fill="#ffffcc" stroke="#000000" stroke-width="1.5" stroke-linejoin="round"/>"""
    return SVG.format(w=272, h=157, body=body)


def holly(x: float, y: float, scale: float, flip: bool = False) -> str:
    """A sprig of two holly leaves and three berries."""
    leaf = ("M0 0 C4 -3 6 -1 8 -4 C9 -1 12 -2 14 -4 C14 -1 17 0 19 -1 C17 2 18 4 19 6 "
            "C16 5 14 6 13 8 C11 5 9 6 7 8 C7 5 4 5 2 6 C3 3 1 2 0 0 Z")
    sx = -scale if flip else scale
    return f"""
<g transform="translate({x} {y}) scale({sx} {scale})">
  <path d="{leaf}" transform="rotate(-20)" fill="#2e8b3a" stroke="#0f4a1a" stroke-width="0.8"/>
  <path d="M1 0 L17 -5" transform="rotate(-20)" stroke="#0f4a1a" stroke-width="0.6"/>
  <path d="{leaf}" transform="rotate(35) scale(0.9)" fill="#3a9c45" stroke="#0f4a1a" stroke-width="0.8"/>
  <circle cx="-2" cy="3" r="3" fill="#d81b1b" stroke="#6e0a0a" stroke-width="0.6"/>
  <circle cx="2.5" cy="5" r="3" fill="#e52525" stroke="#6e0a0a" stroke-width="0.6"/>
  <circle cx="-1" cy="-2" r="3" fill="#c81414" stroke="#6e0a0a" stroke-width="0.6"/>
  <circle cx="-2.8" cy="2" r="0.9" fill="#ffd0d0"/><circle cx="1.7" cy="4" r="0.9" fill="#ffd0d0"/>
  <circle cx="-1.8" cy="-3" r="0.9" fill="#ffd0d0"/>
</g>"""


def merry_christmas_panel() -> str:
    """Red blackletter "Merry Christmas" on a peach panel with a thin red
    border and holly in two corners, on an exact white margin (200 x 130)."""
    body = f"""
<rect x="6.5" y="6.5" width="187" height="117" rx="6" fill="#ffe0c0" stroke="#c8102e" stroke-width="1.6"/>
<rect x="11" y="11" width="178" height="108" rx="4" fill="none" stroke="#c8102e" stroke-width="0.7"/>
<g font-family="Blankenburg_UNZ1A" font-size="40" text-anchor="middle">
  <text x="101.5" y="60.5" fill="#5a0000" opacity="0.35">Merry</text>
  <text x="100" y="59" fill="#c8102e">Merry</text>
  <text x="101.5" y="101.5" fill="#5a0000" opacity="0.35">Christmas</text>
  <text x="100" y="100" fill="#c8102e">Christmas</text>
</g>
{holly(26, 24, 0.95)}{holly(174, 106, 0.95, flip=True)}"""
    return SVG.format(w=200, h=130, body=body)


def greeting_script() -> str:
    """Red script lettering in three lines for the card (149 x 72)."""
    body = """
<g font-family="Dancing Script" font-weight="bold" text-anchor="middle" fill="#c8102e">
  <text x="74.5" y="23" font-size="23">Merry Christmas</text>
  <text x="74.5" y="44" font-size="20">&amp;</text>
  <text x="74.5" y="67" font-size="23">Happy New Year</text>
</g>"""
    return SVG.format(w=149, h=72, body=body)


def save_button(pressed: bool) -> str:
    """A red gradient button face with a pink floppy disk (54 x 29)."""
    top, bottom = ("#e0504a", "#9a1c18") if pressed else ("#a8201c", "#420606")
    disk, dark = ("#ffd2dc", "#b0506a") if pressed else ("#f7a8bb", "#8a3048")
    body = f"""
<defs><linearGradient id="g" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="{top}"/><stop offset="1" stop-color="{bottom}"/></linearGradient></defs>
<rect x="0" y="0" width="54" height="29" fill="url(#g)"/>
<path d="M0.5 28.5 V0.5 H53.5" fill="none" stroke="#ffffff" stroke-opacity="0.45"/>
<path d="M0.5 28.5 H53.5 V0.5" fill="none" stroke="#000000" stroke-opacity="0.5"/>
<g transform="translate(18 5)">
  <path d="M0 0 H15 L18 3 V19 H0 Z" fill="{disk}" stroke="{dark}" stroke-width="1"/>
  <rect x="4" y="0.5" width="9" height="6" fill="{dark}"/>
  <rect x="10" y="1.5" width="2" height="4" fill="{disk}"/>
  <rect x="3" y="10" width="12" height="8" rx="0.5" fill="#fff0f4" stroke="{dark}" stroke-width="0.6"/>
  <path d="M5 13 H13 M5 15.5 H13" stroke="{dark}" stroke-width="0.6"/>
</g>"""
    return SVG.format(w=54, h=29, body=body)

# SPDX-License-Identifier: MIT
"""Writes the background music, assets/sounds/mm.mid: a medley of traditional
carols for seven instruments.

  bars  0-12  Silent Night (Gruber, 1818), in a lilting 6/8 feel
  bars 13-25  Deck the Halls (Welsh traditional)
  bars 26-33  Jingle Bells (Pierpont, 1857), harmonica solo
  bars 34-53  Joy to the World (Handel / Mason, 1839), twice
  bars 54-67  Silent Night again, with the full ensemble, and a final chord

One bar is 480 ticks (4/4 at 120 ticks a quarter), two seconds at 120 bpm.
In the Silent Night sections a 6/8 bar fills one 4/4 bar, its eighths being
quarter-note triplets of 80 ticks.

Usage: music.py OUTPUT.mid
"""

import random
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import smf  # noqa: E402

DIVISION = 120
BAR = 480
END = 32518  # 67.75 bars: the final chord rings out to here

# (name, channel, program, pan)
INSTRUMENTS = [
    ("Strings", 1, 48, 0),
    ("Clarinet", 2, 71, 90),
    ("Celesta", 3, 8, 30),
    ("Harp", 4, 46, 75),
    ("El Piano", 0, 4, 64),
    ("Harmonica", 5, 22, 55),
    ("Ac Bass", 6, 32, 120),
]
STRINGS, CLARINET, CELESTA, HARP, EPIANO, HARMONICA, BASS = range(7)

NOTE_NAMES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}

CHORDS = {
    "C": [0, 4, 7], "F": [5, 9, 0], "G": [7, 11, 2], "G7": [7, 11, 2, 5],
    "D7": [2, 6, 9, 0], "Am": [9, 0, 4], "Dm": [2, 5, 9], "Em": [4, 7, 11],
    "C7": [0, 4, 7, 10], "Fm": [5, 8, 0], "E7": [4, 8, 11, 2],
}

rng = random.Random(1225)


def pitch(name: str) -> int:
    """'C4' is middle C (60); '#' and 'b' alter."""
    step = NOTE_NAMES[name[0]]
    rest = name[1:]
    while rest and rest[0] in "#b":
        step += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    return 12 * (int(rest) + 1) + step


class Score:
    def __init__(self) -> None:
        self.tracks = [smf.Track() for _ in INSTRUMENTS]
        self.pedal_down: list[set[int]] = [set() for _ in INSTRUMENTS]

    def note(self, part: int, tick: int, length: int, key: int, velocity: int) -> None:
        channel = INSTRUMENTS[part][1]
        velocity = max(20, min(120, velocity + rng.randint(-5, 5)))
        length = min(int(length), END - int(tick))
        self.tracks[part].note(int(tick), max(10, length), channel, key, velocity)

    def melody(self, part: int, start: int, text: str, unit: int, velocity: int,
               legato: float = 0.92, transpose: int = 0) -> int:
        """Plays 'G4:1.5 A4:.5 r:1 ...' (durations in units); returns the end tick."""
        tick = start
        for word in text.split():
            name, _, dur = word.partition(":")
            length = round(float(dur) * unit)
            if name != "r":
                accent = 8 if (tick - start) % BAR == 0 else 0
                self.note(part, tick, length * legato, pitch(name) + transpose, velocity + accent)
            tick += length
        return tick

    def control(self, part: int, tick: int, controller: int, value: int) -> None:
        self.tracks[part].control(int(tick), INSTRUMENTS[part][1], controller, value)

    def pedal(self, part: int, tick: int) -> None:
        """Lifts and presses the sustain pedal again at a chord change."""
        if tick in self.pedal_down[part]:
            return
        self.control(part, tick, 64, 0)
        self.control(part, tick + 8, 64, 127)
        self.pedal_down[part].add(tick)


def voicing(chord: str, low: int, count: int, previous: list[int] | None = None) -> list[int]:
    """A close-position voicing of `count` notes starting at or above `low`,
    moved by octaves to stay near the previous voicing."""
    tones = CHORDS[chord][:count] if count <= len(CHORDS[chord]) else CHORDS[chord]
    best = None
    for base in range(low, low + 12):
        if base % 12 not in tones:
            continue
        notes = [base]
        while len(notes) < count:
            n = notes[-1] + 1
            while n % 12 not in tones or n % 12 in [x % 12 for x in notes[-len(tones) + 1:]]:
                n += 1
            notes.append(n)
        score = sum(abs(a - b) for a, b in zip(notes, previous)) if previous else notes[0] - low
        if best is None or score < best[0]:
            best = (score, notes)
    return best[1]


def root(chord: str, low: int) -> int:
    pc = CHORDS[chord][0]
    n = low
    while n % 12 != pc:
        n += 1
    return n


def fifth(chord: str, low: int) -> int:
    return root(chord, low) + 7


# --- the tunes -------------------------------------------------------------

SILENT_NIGHT = [  # 6/8 bars, durations in eighths
    "G4:1.5 A4:.5 G4:1 E4:3",
    "G4:1.5 A4:.5 G4:1 E4:3",
    "D5:2 D5:1 B4:3",
    "C5:2 C5:1 G4:3",
    "A4:2 A4:1 C5:1.5 B4:.5 A4:1",
    "G4:1.5 A4:.5 G4:1 E4:3",
    "A4:2 A4:1 C5:1.5 B4:.5 A4:1",
    "G4:1.5 A4:.5 G4:1 E4:3",
    "D5:2 D5:1 F5:1.5 D5:.5 B4:1",
    "C5:3 E5:3",
    "C5:1.5 G4:.5 E4:1 G4:1.5 F4:.5 D4:1",
    "C4:6",
]
SILENT_NIGHT_CHORDS = ["C C", "C C", "G7 G7", "C C", "F F", "C C", "F F", "C C",
                       "G7 G7", "C Am", "C G7", "C C"]

DECK_THE_HALLS = [  # 4/4 bars, durations in quarters
    "G4:1.5 F4:.5 E4:1 D4:1", "C4:1 D4:1 E4:1 C4:1",
    "D4:.5 E4:.5 F4:.5 D4:.5 E4:1.5 D4:.5", "C4:1 B3:1 C4:2",
    "D4:1.5 E4:.5 F4:1 D4:1", "E4:1.5 F4:.5 G4:1 D4:1",
    "E4:.5 F4:.5 G4:1 A4:.5 B4:.5 C5:1", "B4:1 A4:1 G4:2",
    "G4:1.5 F4:.5 E4:1 D4:1", "C4:1 D4:1 E4:1 C4:1",
    "A4:.5 A4:.5 A4:.5 A4:.5 G4:1.5 F4:.5", "E4:1 D4:1 C4:2",
]
DECK_CHORDS = ["C C", "F C", "G7 C", "C C", "G7 G7", "C G", "C F", "G G",
               "C C", "F C", "F C", "G7 C"]

JINGLE_BELLS = [  # 4/4 bars in double time
    "E4:.5 E4:.5 E4:1 E4:.5 E4:.5 E4:1",
    "E4:.5 G4:.5 C4:.75 D4:.25 E4:2",
    "F4:.5 F4:.5 F4:.75 F4:.25 F4:.5 E4:.5 E4:.5 E4:.25 E4:.25",
    "E4:.5 D4:.5 D4:.5 E4:.5 D4:1 G4:1",
    "E4:.5 E4:.5 E4:1 E4:.5 E4:.5 E4:1",
    "E4:.5 G4:.5 C4:.75 D4:.25 E4:2",
    "F4:.5 F4:.5 F4:.75 F4:.25 F4:.5 E4:.5 E4:.5 E4:.25 E4:.25",
    "G4:.5 G4:.5 F4:.5 D4:.5 C4:2",
]
JINGLE_CHORDS = ["C C", "C C", "F F", "D7 G7", "C C", "C C", "F F", "G7 C"]

JOY_TO_THE_WORLD = [  # 2/4 bars, two to a 4/4 bar, durations in quarters
    "C5:1 B4:.75 A4:.25", "G4:1.5 F4:.5", "E4:1 D4:1", "C4:1.5 G4:.5",
    "A4:1.5 A4:.5", "B4:1.5 B4:.5", "C5:1.5 C5:.5", "C5:.5 B4:.5 A4:.5 G4:.5",
    "G4:.75 F4:.25 E4:.5 C5:.5", "C5:.5 B4:.5 A4:.5 G4:.5", "G4:.75 F4:.25 E4:.5 E4:.5",
    "E4:.5 E4:.5 E4:.5 E4:.25 F4:.25", "G4:1.5 F4:.25 E4:.25",
    "D4:.5 D4:.5 D4:.5 D4:.25 E4:.25", "F4:1.5 E4:.25 D4:.25",
    "C4:.5 C5:1 A4:.5", "G4:.75 F4:.25 E4:.5 F4:.5", "E4:1 D4:1", "C4:2", "r:2",
]
JOY_CHORDS = ["C G", "C C", "C G", "C C", "F F", "G G", "C C", "C C", "C C", "C C",
              "C C", "C C", "G7 C", "G7 G7", "G7 G7", "C F", "C C", "C G7", "C C", "C C"]


def joined(bars: list[str]) -> str:
    return " ".join(bars)


def chords_per_half(chords: list[str]) -> list[str]:
    return [c for bar in chords for c in bar.split()]


# --- the arrangement ---------------------------------------------------------


def intro(s: Score) -> None:
    """A gentle opening arpeggio into Silent Night (the piece starts on a rest)."""
    s.pedal(EPIANO, 160)
    for i, n in enumerate(["C3", "G3", "C4", "E4"]):
        s.note(EPIANO, 160 + 80 * i, 400 - 80 * i, pitch(n), 52 + 4 * i)
    for n in voicing("C", 55, 3):
        s.note(STRINGS, 160, 320, n, 48)


def silent_night(s: Score, start: int, full: bool) -> None:
    """Twelve 6/8 bars. First time: electric piano sings the first phrase, the
    clarinet answers and takes over. Full: strings and clarinet in octaves over
    celesta and harp arpeggios, bass on the dotted halves."""
    e = 80
    halves = chords_per_half(SILENT_NIGHT_CHORDS)
    if not full:
        s.melody(EPIANO, start, joined(SILENT_NIGHT[:4]), e, 72)
        # The clarinet's first entry: a soft answering line under "All is calm".
        s.melody(CLARINET, start + 2 * BAR + 160, "G4:1 F4:3 E4:2 E4:1 D4:1 E4:1", e, 56)
        s.melody(CLARINET, start + 4 * BAR, joined(SILENT_NIGHT[4:]), e, 74)
    else:
        s.melody(CLARINET, start, joined(SILENT_NIGHT), e, 78)
        s.melody(STRINGS, start, joined(SILENT_NIGHT), e, 70, legato=0.98, transpose=12)
    previous = None
    for i, chord in enumerate(halves):
        t = start + i * 240
        # Electric piano: broken chords in triplets, pedalled per chord.
        s.pedal(EPIANO, t)
        low = root(chord, 41)
        v = voicing(chord, 55, 3, previous)
        pattern = [low, v[0], v[1]] if not (full is False and i < 8) else [low, low + 7, v[1]]
        for j, n in enumerate(pattern):
            s.note(EPIANO, t + j * e, 240 - j * e, n, 50 + (6 if j == 0 else 0))
        if not full:
            if i % 2 == 0:
                for n in voicing(chord, 53, 3, previous):
                    s.note(STRINGS, t, 480 if halves[i + 1] == chord else 240, n, 46)
                if halves[i + 1] != chord:
                    for n in voicing(halves[i + 1], 53, 3, previous):
                        s.note(STRINGS, t + 240, 240, n, 46)
        else:
            for n in voicing(chord, 53, 2, previous):
                s.note(STRINGS, t, 236, n, 50)
            s.note(BASS, t, 230, root(chord, 36), 70)
            s.pedal(BASS, t)
            # Celesta: a sparkle figure high above.
            hi = voicing(chord, 79, 3)
            for j, n in enumerate([hi[0], hi[2], hi[1]]):
                s.note(CELESTA, t + j * e, 70, n, 46)
            if t < 28560:
                for j, n in enumerate(voicing(chord, 48, 4)):
                    s.note(HARP, t + j * 20, 220 - j * 20, n, 52)
        previous = v


def celesta_pickup(s: Score, tick: int) -> None:
    for i, n in enumerate(["G5", "B5", "D6", "F6"]):
        s.note(CELESTA, tick + 30 * i, 60, pitch(n), 50 + 4 * i)


def deck_the_halls(s: Score, start: int) -> None:
    q = 120
    s.melody(CLARINET, start, joined(DECK_THE_HALLS[:8]), q, 80, legato=0.85, transpose=12)
    # The celesta takes the tune an octave up in the last phrase.
    s.melody(CELESTA, start + 8 * BAR, joined(DECK_THE_HALLS[8:]), q, 64, legato=0.6, transpose=24)
    halves = chords_per_half(DECK_CHORDS)
    previous = None
    for i, chord in enumerate(halves):
        t = start + i * 240
        v = voicing(chord, 55, 3, previous)
        # Strings hold the chords; the electric piano comps on the offbeats.
        for n in v:
            s.note(STRINGS, t, 232, n, 54)
        s.pedal(EPIANO, t)
        for n in voicing(chord, 60, 3)[1:]:
            s.note(EPIANO, t + 120, 100, n, 50)
        s.note(EPIANO, t, 110, root(chord, 43), 56)
        # Celesta sparkle in the first eight bars: a rising broken chord.
        if i < 16 or i % 2:
            hi = voicing(chord, 72, 3)
            for j, n in enumerate(hi + [hi[0] + 12]):
                s.note(CELESTA, t + 60 * j, 55, n, 44)
        # The harp enters with a glissando into bar 16, then rolls a chord a bar.
        if i >= 4 and i % 2 == 0:
            ring = 420 if halves[i + 1] == chord else 210
            for j, n in enumerate(voicing(chord, 43, 4)):
                s.note(HARP, t + 15 * j, ring - 15 * j, n, 58)
        previous = v
    for j, n in enumerate(["C4", "D4", "E4", "F4", "G4", "A4", "B4", "C5"]):
        s.note(HARP, start + 2 * BAR - 120 + 15 * j, 100, pitch(n), 48 + 3 * j)
    # The bass walks in under the last "fa la la".
    for j, n in enumerate(["E2", "D2", "C2"]):
        s.note(BASS, start + 11 * BAR + 120 * (j + 1), 110, pitch(n), 76)


def turnaround(s: Score, start: int) -> None:
    """One bar of G7 that lifts into Jingle Bells."""
    for j, n in enumerate(["G2", "A2", "B2", "D3"]):
        s.note(BASS, start + 120 * j, 110, pitch(n), 80)
    s.pedal(BASS, start)
    for n in voicing("G7", 53, 4):
        s.note(STRINGS, start, 470, n, 56)
    s.pedal(EPIANO, start)
    for j in range(4):
        for n in voicing("G7", 59, 3):
            s.note(EPIANO, start + 120 * j + 60, 50, n, 54)
    for j, n in enumerate(["G5", "B5", "D6", "F6", "G6", "F6", "D6", "B5"]):
        s.note(CELESTA, start + 60 * j, 55, pitch(n), 48)
    s.melody(CLARINET, start, "D5:1 C5:1 B4:1 A4:1", 120, 66)


def jingle_bells(s: Score, start: int) -> None:
    """The harmonica plays the chorus, with vibrato swells on the long notes."""
    s.melody(HARMONICA, start, joined(JINGLE_BELLS), 120, 86, legato=0.88, transpose=12)
    for bar in range(8):
        t = start + bar * BAR
        s.control(HARMONICA, t, 1, 0)
        s.control(HARMONICA, t + 240, 1, 40)
    s.control(HARMONICA, start + 8 * BAR - 60, 1, 0)
    halves = chords_per_half(JINGLE_CHORDS)
    previous = None
    for i, chord in enumerate(halves):
        t = start + i * 240
        # Bass: root and fifth, walking on the quarters.
        s.pedal(BASS, t)
        r = root(chord, 36)
        s.note(BASS, t, 110, r, 82)
        s.note(BASS, t + 120, 110, r + 7 if r + 7 < 55 else r - 5, 72)
        # Electric piano: offbeat chords, like sleigh-ride strumming.
        s.pedal(EPIANO, t)
        v = voicing(chord, 57, 3, previous)
        for k in range(2):
            for n in v[1:]:
                s.note(EPIANO, t + 60 + 120 * k, 50, n, 52)
        for n in voicing(chord, 55, 2, previous)[:2] if i % 2 == 0 else []:
            s.note(STRINGS, t, 470, n, 48)
        # Celesta: bells on every eighth, alternating two chord tones.
        hi = voicing(chord, 84, 3)
        for k in range(4):
            s.note(CELESTA, t + 60 * k, 50, hi[k % 2 * 2] if k % 2 else hi[1], 40 + (8 if k == 0 else 0))
        previous = v


def joy_to_the_world(s: Score, start: int, second: bool) -> None:
    tune = joined(JOY_TO_THE_WORLD)
    if not second:
        s.melody(CLARINET, start, tune, 120, 82, legato=0.9, transpose=12)
        s.melody(STRINGS, start, tune, 120, 58, legato=0.97)
    else:
        s.melody(CELESTA, start, tune, 120, 70, legato=0.7, transpose=12)
        s.melody(STRINGS, start, tune, 120, 66, legato=0.97)
    previous = None
    for i, pair in enumerate(JOY_CHORDS):
        t = start + i * 240
        chord, second_chord = pair.split()
        s.pedal(EPIANO, t)
        v = voicing(chord, 55, 3, previous)
        r = root(chord, 36)
        # Electric piano: the root, then the chord of the second beat.
        s.note(EPIANO, t, 230, r + 12, 56)
        for n in voicing(second_chord, 55, 3, v)[1:]:
            s.note(EPIANO, t + 120, 110, n, 50)
        s.pedal(BASS, t)
        if second_chord == chord:
            s.note(BASS, t, 230, r, 80)
        else:
            s.note(BASS, t, 110, r, 80)
            s.note(BASS, t + 120, 110, root(second_chord, 36), 72)
        if i < 19 and i % 2 == 0:
            ring = 440 if JOY_CHORDS[i + 1] == f"{chord} {chord}" and second_chord == chord else 110
            for j, n in enumerate(voicing(chord, 43 if second else 48, 4)):
                s.note(HARP, t + 20 * j, ring - 20 * j if ring > 200 else ring, n, 54)
        if not second:
            for k in range(3):
                s.note(CELESTA, t + 80 * k, 60, voicing(chord, 79, 3)[k], 42)
        previous = v


def coda(s: Score, start: int) -> None:
    """The last "sleep in heavenly peace" hangs on a long C major chord."""
    length = END - start
    s.pedal(EPIANO, start)
    s.pedal(BASS, start)
    s.note(BASS, start, length, pitch("C2"), 80)
    for n in ["C3", "G3", "E4", "G4", "C5"]:
        s.note(EPIANO, start, length, pitch(n), 56)
    for n in ["C4", "E4", "G4", "C5"]:
        s.note(STRINGS, start, length - 28, pitch(n), 58)
    s.melody(CLARINET, start, "E5:2 D5:1 C5:5", 120, 64, legato=1.0)
    for j, n in enumerate(["C6", "G6", "E6", "C7", "G6", "E7"]):
        s.note(CELESTA, start + 36 * j, 60, pitch(n), 46 - 2 * j)


def arrange() -> Score:
    s = Score()
    intro(s)
    silent_night(s, 1 * BAR, full=False)
    celesta_pickup(s, 12 * BAR + 360)
    deck_the_halls(s, 13 * BAR)
    turnaround(s, 25 * BAR)
    jingle_bells(s, 26 * BAR)
    joy_to_the_world(s, 34 * BAR, second=False)
    joy_to_the_world(s, 44 * BAR, second=True)
    silent_night(s, 54 * BAR, full=True)
    coda(s, 66 * BAR)
    return s


def write(path: str) -> None:
    s = arrange()
    conductor = smf.Track()
    conductor.meta(0, 0x59, bytes([0, 0]))            # C major
    conductor.meta(0, 0x58, bytes([4, 2, 24, 8]))      # 4/4, 24 clocks a click, 8 32nds a quarter
    conductor.meta(0, 0x51, (500000).to_bytes(3, "big"))  # 120 bpm, fixed
    tracks = [conductor]
    ends = [END]
    for part, (name, channel, program, pan) in enumerate(INSTRUMENTS):
        t = s.tracks[part]
        head = smf.Track()
        head.text(0, 0x03, name)
        head.text(0, 0x04, name)
        head.program(0, channel, program)
        head.control(0, channel, 7, 125)
        head.control(0, channel, 10, pan)
        if part in (EPIANO, BASS):
            head.control(0, channel, 64, 0)
        # Pedals are lifted when the music stops.
        if part in (EPIANO, BASS):
            t.control(min(END, t.last_tick()), channel, 64, 0)
        head.events += t.events
        tracks.append(head)
        ends.append(min(END, head.last_tick()))
    smf.write(path, DIVISION, tracks, ends)


if __name__ == "__main__":
    write(sys.argv[1])

# SPDX-License-Identifier: MIT
"""Synthesises the bell peal and writes it as assets/sounds/Bells.mp3.

The file is laid out byte for byte as the player expects: a 1024-byte ID3 v2.3
tag holding only the genre, exactly 105 MPEG-1 Layer III frames (96 kbit/s CBR,
44.1 kHz, mono, no CRC, no encoder info frame) and an empty 128-byte ID3 v1 tag.

Usage: bells.py OUTPUT.mp3
"""

import subprocess
import sys
import tempfile
import wave
from pathlib import Path

import numpy as np

sys.path.insert(0, str(Path(__file__).resolve().parent))
import mp3frames  # noqa: E402

RATE = 44100
FRAMES = 105
ID3V2_SIZE = 1024
ID3V1_SIZE = 128
# The whole file's size: the frames' average is just under 313.5 bytes, and two
# more padded frames than the encoder chose bring the stream to this length.
FILE_SIZE = 34068

# A small tuned handbell: the strike tone, its twelfth and a few inharmonic
# partials that give the metallic shimmer. (ratio, level, decay time in s)
PARTIALS = [
    (1.000, 1.00, 1.60),
    (2.000, 0.22, 0.90),
    (2.756, 0.30, 0.60),
    (3.000, 0.45, 0.75),
    (4.210, 0.16, 0.35),
    (5.404, 0.12, 0.25),
    (6.800, 0.06, 0.15),
]

# The peal: a falling arpeggio, then the whole chord together.
# (start in s, MIDI note, velocity)
STRIKES = [
    (0.00, 84, 0.80),
    (0.28, 79, 0.75),
    (0.56, 76, 0.75),
    (0.84, 72, 0.80),
    (1.20, 72, 0.65),
    (1.20, 76, 0.55),
    (1.20, 79, 0.55),
    (1.20, 84, 0.60),
]


def bell(note: int, velocity: float, length: int) -> np.ndarray:
    """One strike: decaying partials plus a short filtered click."""
    t = np.arange(length) / RATE
    f0 = 440.0 * 2 ** ((note - 69) / 12)
    out = np.zeros(length)
    rng = np.random.default_rng(note)
    for ratio, level, decay in PARTIALS:
        freq = f0 * ratio
        if freq > RATE * 0.45:
            continue
        # Two slightly detuned copies per partial make the bell beat gently.
        beat = 1.0 + 0.0012 * rng.uniform(0.5, 1.0)
        phase = rng.uniform(0, 2 * np.pi)
        env = np.exp(-t / decay)
        out += level * env * 0.5 * (np.sin(2 * np.pi * freq * t + phase) + np.sin(2 * np.pi * freq * beat * t))
    attack = np.minimum(1.0, t / 0.002)
    click = rng.normal(0, 1, length) * np.exp(-t / 0.006)
    click = np.convolve(click, np.ones(6) / 6, mode="same")
    return velocity * (attack * out + 0.15 * click)


def peal(length: int) -> np.ndarray:
    mix = np.zeros(length)
    for start, note, velocity in STRIKES:
        at = int(start * RATE)
        mix[at:] += bell(note, velocity, length - at)
    # A soft room: a few decaying early reflections.
    room = np.zeros_like(mix)
    for delay_ms, gain in [(23, 0.22), (37, 0.17), (53, 0.12), (79, 0.08)]:
        d = int(delay_ms * RATE / 1000)
        room[d:] += gain * mix[:-d]
    mix += room
    fade = int(0.35 * RATE)
    mix[-fade:] *= np.linspace(1.0, 0.0, fade) ** 2
    peak = np.max(np.abs(mix))
    return mix / peak * 10 ** (-3 / 20)  # peak at -3 dBFS


def write_wav(path: Path, samples: np.ndarray) -> None:
    with wave.open(str(path), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes((samples * 32767).astype("<i2").tobytes())


def encode(samples: np.ndarray, workdir: Path) -> bytes:
    wav, mp3 = workdir / "bells.wav", workdir / "bells.mp3"
    write_wav(wav, samples)
    # -t: no encoder info frame; -m m: mono; --cbr -b 96: constant 96 kbit/s.
    subprocess.run(["lame", "--quiet", "-t", "-m", "m", "--cbr", "-b", "96", "-q", "0",
                    "--resample", "44.1", str(wav), str(mp3)], check=True)
    return mp3.read_bytes()


def decode(mp3: bytes) -> bytes:
    return subprocess.run(["mpg123", "--quiet", "-s", "-"], input=mp3, capture_output=True, check=True).stdout


def id3v2_genre_tag(genre: str) -> bytes:
    body = b"\x00" + genre.encode("latin-1")
    frame = b"TCON" + len(body).to_bytes(4, "big") + b"\x00\x00" + body
    size = ID3V2_SIZE - 10
    synchsafe = bytes([(size >> 21) & 0x7F, (size >> 14) & 0x7F, (size >> 7) & 0x7F, size & 0x7F])
    tag = b"ID3\x03\x00\x00" + synchsafe + frame
    return tag + bytes(ID3V2_SIZE - len(tag))


def empty_id3v1_tag() -> bytes:
    return b"TAG" + bytes(ID3V1_SIZE - 3)


def main() -> None:
    out = Path(sys.argv[1])
    # lame adds its encoder delay and flush padding; search the input length
    # that fills exactly FRAMES frames, starting from the frames' own length.
    with tempfile.TemporaryDirectory() as tmp:
        length = FRAMES * 1152 - 1152
        while True:
            audio = encode(peal(length), Path(tmp))
            frames = mp3frames.parse(audio)
            if len(frames) == FRAMES:
                break
            if len(frames) > FRAMES:
                length -= 576
            else:
                raise SystemExit(f"cannot reach {FRAMES} frames: {len(frames)} at {length} samples")
    padded = mp3frames.pad_frames(audio, FILE_SIZE - ID3V2_SIZE - ID3V1_SIZE - len(audio))
    if decode(padded) != decode(audio):
        raise SystemExit("padding changed the decoded sound")
    audio = padded
    frames = mp3frames.parse(audio)
    mp3frames.check_stream(frames, bitrate=96, rate=RATE)
    data = id3v2_genre_tag("Blues") + audio + empty_id3v1_tag()
    out.write_bytes(data)
    print(f"{out}: {len(data)} bytes, {len(frames)} frames, {length} input samples")


if __name__ == "__main__":
    main()

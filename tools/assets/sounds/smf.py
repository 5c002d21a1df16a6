# SPDX-License-Identifier: MIT
"""A minimal Standard MIDI File (format 1) writer."""

from dataclasses import dataclass, field


def _varlen(value: int) -> bytes:
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


@dataclass
class Track:
    """Events as (tick, order, bytes); order keeps note-offs before note-ons
    at the same tick so a repeated note is not cut short."""

    events: list = field(default_factory=list)

    def meta(self, tick: int, kind: int, data: bytes) -> None:
        self.events.append((tick, 0, bytes([0xFF, kind]) + _varlen(len(data)) + data))

    def text(self, tick: int, kind: int, text: str) -> None:
        self.meta(tick, kind, text.encode("latin-1"))

    def control(self, tick: int, channel: int, controller: int, value: int) -> None:
        self.events.append((tick, 1, bytes([0xB0 | channel, controller, value])))

    def program(self, tick: int, channel: int, program: int) -> None:
        self.events.append((tick, 1, bytes([0xC0 | channel, program])))

    def note(self, tick: int, length: int, channel: int, key: int, velocity: int) -> None:
        self.events.append((tick, 3, bytes([0x90 | channel, key, velocity])))
        self.events.append((tick + length, 2, bytes([0x80 | channel, key, 64])))

    def encode(self, end_tick: int) -> bytes:
        body = bytearray()
        now = 0
        for tick, _, data in sorted(self.events, key=lambda e: (e[0], e[1])):
            body += _varlen(tick - now) + data
            now = tick
        body += _varlen(max(0, end_tick - now)) + b"\xff\x2f\x00"
        return b"MTrk" + len(body).to_bytes(4, "big") + bytes(body)

    def last_tick(self) -> int:
        return max(e[0] for e in self.events)


def write(path: str, division: int, tracks: list[Track], end_ticks: list[int]) -> bytes:
    header = b"MThd" + (6).to_bytes(4, "big") + (1).to_bytes(2, "big")
    header += len(tracks).to_bytes(2, "big") + division.to_bytes(2, "big")
    data = header + b"".join(t.encode(end) for t, end in zip(tracks, end_ticks))
    with open(path, "wb") as f:
        f.write(data)
    return data

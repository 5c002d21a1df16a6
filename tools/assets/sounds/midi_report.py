# SPDX-License-Identifier: MIT
"""Prints what each track of a Standard MIDI File holds: names, channels,
programs, controllers, note count, first note and last event ticks."""

import sys


def varlen(data: bytes, at: int) -> tuple[int, int]:
    value = 0
    while True:
        b = data[at]
        at += 1
        value = (value << 7) | (b & 0x7F)
        if not b & 0x80:
            return value, at


def tracks(data: bytes):
    at = 14
    while at < len(data):
        assert data[at:at + 4] == b"MTrk"
        size = int.from_bytes(data[at + 4:at + 8], "big")
        yield data[at + 8:at + 8 + size]
        at += 8 + size


def report(path: str) -> None:
    data = open(path, "rb").read()
    fmt, count, division = (int.from_bytes(data[i:i + 2], "big") for i in (8, 10, 12))
    print(f"format {fmt}, {count} tracks, division {division}")
    for index, body in enumerate(tracks(data)):
        at, tick, status = 0, 0, 0
        names, notes, first, controllers, programs, channels = [], 0, None, {}, set(), set()
        while at < len(body):
            delta, at = varlen(body, at)
            tick += delta
            if body[at] == 0xFF:
                kind = body[at + 1]
                length, at = varlen(body, at + 2)
                if kind in (3, 4):
                    names.append(body[at:at + length].decode("latin-1"))
                at += length
                continue
            if body[at] & 0x80:
                status = body[at]
                at += 1
            kind, channel = status >> 4, status & 15
            channels.add(channel)
            size = 1 if kind in (0xC, 0xD) else 2
            args = body[at:at + size]
            at += size
            if kind == 0x9 and args[1] > 0:
                notes += 1
                first = tick if first is None else first
            elif kind == 0xB:
                controllers.setdefault(args[0], []).append(args[1])
            elif kind == 0xC:
                programs.add(args[0])
        ctl = {k: (v[0] if k in (7, 10) else len(v)) for k, v in sorted(controllers.items())}
        print(f"{index}: {names} ch{sorted(channels)} prog{sorted(programs)} notes {notes} "
              f"first {first} last {tick} cc {ctl}")


if __name__ == "__main__":
    report(sys.argv[1])

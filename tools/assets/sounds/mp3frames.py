# SPDX-License-Identifier: MIT
"""Walks the MPEG audio frames of an MP3 stream (no tags) and checks them."""

from dataclasses import dataclass

MPEG1_L3_KBPS = [0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320]
MPEG1_RATES = [44100, 48000, 32000]


@dataclass
class Frame:
    offset: int
    length: int
    bitrate: int
    rate: int
    mono: bool
    crc: bool
    padded: bool
    info_tag: bool


def parse(data: bytes) -> list[Frame]:
    frames = []
    at = 0
    while at + 4 <= len(data):
        h = int.from_bytes(data[at:at + 4], "big")
        if h >> 21 != 0x7FF or (h >> 19) & 3 != 3 or (h >> 17) & 3 != 1:
            raise ValueError(f"no MPEG-1 Layer III frame header at byte {at}")
        bitrate = MPEG1_L3_KBPS[(h >> 12) & 15]
        rate = MPEG1_RATES[(h >> 10) & 3]
        padded = bool((h >> 9) & 1)
        mono = (h >> 6) & 3 == 3
        length = 144 * bitrate * 1000 // rate + padded
        # The encoder info frame stores "Xing" or "Info" after the side information.
        side = 17 if mono else 32
        tag_at = at + 4 + side
        info = data[tag_at:tag_at + 4] in (b"Xing", b"Info")
        frames.append(Frame(at, length, bitrate, rate, mono, not (h >> 16) & 1, padded, info))
        at += length
    if at != len(data):
        raise ValueError(f"stream ends inside a frame ({at} != {len(data)})")
    return frames


def check_stream(frames: list[Frame], bitrate: int, rate: int) -> None:
    for f in frames:
        if (f.bitrate, f.rate, f.mono, f.crc, f.info_tag) != (bitrate, rate, True, False, False):
            raise ValueError(f"unexpected frame at byte {f.offset}: {f}")


def _main_data_begin(data: bytes, f: Frame) -> int:
    return int.from_bytes(data[f.offset + 4:f.offset + 6], "big") >> 7


def _with_main_data_begin(header_and_side: bytearray, value: int) -> None:
    header_and_side[4] = value >> 1
    header_and_side[5] = (header_and_side[5] & 0x7F) | ((value & 1) << 7)


def pad_frames(data: bytes, extra: int) -> bytes:
    """Sets the padding bit of `extra` unpadded frames, latest first, adding one
    ancillary byte to each. The bit reservoir pointers of the frames after a padded
    one are moved by the byte where their main data starts before it, so the
    decoded audio stays exactly the same."""
    frames = parse(data)
    # Main data of a frame is what follows its header and side information.
    slots = [f.length - 4 - (17 if f.mono else 32) for f in frames]
    chunks = [bytearray(data[f.offset:f.offset + f.length]) for f in frames]
    mdb = [_main_data_begin(data, f) for f in frames]
    for k in reversed(range(len(frames))):
        if extra == 0:
            break
        if frames[k].padded:
            continue
        end_k = sum(slots[:k + 1])  # main-data stream position after frame k
        moved = [j for j in range(k + 1, len(frames)) if sum(slots[:j]) - mdb[j] < end_k]
        if any(mdb[j] + 1 > 511 for j in moved):
            continue
        for j in moved:
            mdb[j] += 1
            _with_main_data_begin(chunks[j], mdb[j])
        chunks[k][2] |= 0x02
        chunks[k].append(0)
        slots[k] += 1
        extra -= 1
    if extra:
        raise ValueError("not enough frames can take padding")
    return b"".join(bytes(c) for c in chunks)

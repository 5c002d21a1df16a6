#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Checks a recorded video against the frames and soundtrack of a directory recording.

Usage: compare_video.py VIDEO DIR FPS VIDEO_CODEC AUDIO_CODEC WIDTH HEIGHT SHOW_SECONDS

The video must hold one video stream (VIDEO_CODEC, WIDTH x HEIGHT) and one audio stream
(AUDIO_CODEC), each as long as the show within 0.1 s; frames decoded at several moments
must match DIR's PNG frames of the same index, and the decoded sound must match
DIR/soundtrack.wav (correlation >= 0.99 once aligned). Prints one line per check.

Frames are compared in the video's own colour format, 4:2:0 BT.709, against the PNG
converted to it (PSNR >= 38 dB over all three planes): in RGB, halving the resolution of
the colour alone already costs the sharp coloured edges of these pictures to about 32 dB,
whatever the encoder does. So in RGB the frame must come close to the PNG taken
through 4:2:0 and back without any encoder (1.5 dB).
"""
import json
import subprocess
import sys

import numpy as np

MIN_PSNR = 38.0
MAX_RGB_LOSS = 1.5
TO_420 = "scale=out_color_matrix=bt709:out_range=tv,format=yuv420p"
FROM_420 = "scale=in_color_matrix=bt709:in_range=tv,format=rgb24"
MIN_CORRELATION = 0.99
RATE = 44100


def run(*args):
    return subprocess.run(args, check=True, capture_output=True).stdout


def frames(source, width, height, pix_fmt, *filters):
    """Raw frames: rgb24 as (n, h, w, 3); yuv420p as (n, h * w * 3 / 2), the planes in a row."""
    raw = run("ffmpeg", "-v", "error", *source, *filters, "-f", "rawvideo", "-pix_fmt", pix_fmt, "-")
    shape = (-1, height, width, 3) if pix_fmt == "rgb24" else (-1, width * height * 3 // 2)
    return np.frombuffer(raw, np.uint8).reshape(shape).astype(np.float64)


def psnr(a, b):
    mse = np.mean((a - b) ** 2)
    return float("inf") if mse == 0 else 10 * np.log10(255.0**2 / mse)


def sound(path):
    raw = run("ffmpeg", "-v", "error", "-i", path, "-f", "f32le", "-ac", "2", "-ar", str(RATE), "-")
    return np.frombuffer(raw, np.float32).reshape(-1, 2).astype(np.float64)


def aligned_correlation(a, b, max_lag=RATE // 2):
    """Pearson correlation of a and b after shifting b by the lag that matches them best."""
    n = min(len(a), len(b))
    x, y = a[:n].mean(axis=1), b[:n].mean(axis=1)
    size = 1 << int(np.ceil(np.log2(2 * n)))
    cross = np.fft.irfft(np.fft.rfft(x, size) * np.conj(np.fft.rfft(y, size)), size)
    lags = np.concatenate([np.arange(0, max_lag + 1), np.arange(-max_lag, 0)])
    lag = int(lags[np.argmax(np.concatenate([cross[: max_lag + 1], cross[-max_lag:]]))])
    a2, b2 = (a[lag:], b) if lag >= 0 else (a, b[-lag:])
    m = min(len(a2), len(b2))
    return float(np.corrcoef(a2[:m].ravel(), b2[:m].ravel())[0, 1]), lag


def main():
    video, directory, fps = sys.argv[1], sys.argv[2], int(sys.argv[3])
    vcodec, acodec = sys.argv[4], sys.argv[5]
    width, height, show = int(sys.argv[6]), int(sys.argv[7]), float(sys.argv[8])
    failures = []

    probe = json.loads(run("ffprobe", "-v", "error", "-show_streams", "-of", "json", video))
    streams = probe["streams"]
    kinds = sorted(s["codec_type"] for s in streams)
    if kinds != ["audio", "video"]:
        sys.exit(f"FAIL: streams {kinds}")
    v = next(s for s in streams if s["codec_type"] == "video")
    a = next(s for s in streams if s["codec_type"] == "audio")
    durations = {}
    for s, codec in ((v, vcodec), (a, acodec)):
        # Matroska keeps durations per stream in its tags only.
        duration = s.get("duration") or s.get("tags", {}).get("DURATION", "0:0:0")
        if ":" in str(duration):
            h, m, sec = str(duration).split(":")
            duration = int(h) * 3600 + int(m) * 60 + float(sec)
        durations[s["codec_type"]] = float(duration)
        if s["codec_name"] != codec:
            failures.append(f"{s['codec_type']} codec {s['codec_name']}, not {codec}")
        if abs(float(duration) - show) > 0.1:
            failures.append(f"{s['codec_type']} lasts {float(duration):.3f} s, the show {show:.3f} s")
    if (v["width"], v["height"]) != (width, height):
        failures.append(f"picture {v['width']}x{v['height']}")
    print(f"streams: {v['codec_name']} {v['width']}x{v['height']} {v.get('pix_fmt')} "
          f"{durations['video']:.3f} s, {a['codec_name']} {a['sample_rate']} Hz "
          f"{durations['audio']:.3f} s (show {show:.3f} s)")

    count = int(round(durations["video"] * fps))
    picks = sorted({int(count * f) for f in (0.05, 0.2, 0.35, 0.5, 0.65, 0.8, 0.95)})
    select = "+".join(f"eq(n\\,{k})" for k in picks)
    decoded = {
        fmt: frames(["-i", video], width, height, fmt, "-vf", f"select={select},{conv}", "-vsync", "0")
        for fmt, conv in (("yuv420p", "null"), ("rgb24", FROM_420))
    }
    if len(decoded["yuv420p"]) != len(picks):
        sys.exit(f"FAIL: decoded {len(decoded['yuv420p'])} of the frames {picks}")
    worst, worst_rgb = float("inf"), float("inf")
    for i, k in enumerate(picks):
        png = ["-i", f"{directory}/frame-{k:05d}.png"]
        value = psnr(decoded["yuv420p"][i], frames(png, width, height, "yuv420p", "-vf", TO_420)[0])
        rgb = frames(png, width, height, "rgb24")[0]
        ceiling = psnr(frames(png, width, height, "rgb24", "-vf", f"{TO_420},{FROM_420}")[0], rgb)
        rgb_value = psnr(decoded["rgb24"][i], rgb)
        worst, worst_rgb = min(worst, value), min(worst_rgb, rgb_value - ceiling)
        if value < MIN_PSNR:
            failures.append(f"frame {k}: PSNR {value:.1f} dB in 4:2:0")
        if rgb_value < ceiling - MAX_RGB_LOSS:
            failures.append(f"frame {k}: PSNR {rgb_value:.1f} dB in RGB, 4:2:0 alone {ceiling:.1f} dB")
    print(f"frames {picks}: lowest PSNR {worst:.1f} dB in 4:2:0; in RGB at most "
          f"{-worst_rgb:.2f} dB below 4:2:0 alone")

    correlation, lag = aligned_correlation(sound(video), sound(f"{directory}/soundtrack.wav"))
    print(f"sound: correlation {correlation:.4f} at a lag of {lag} samples")
    if correlation < MIN_CORRELATION:
        failures.append(f"sound correlation {correlation:.4f}")

    for failure in failures:
        print("FAIL:", failure)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The seam check catches a system library planted where it does not belong, and passes the
tree as it is. Usage: check_seam_test.py SOURCE-DIR"""
import pathlib
import shutil
import sys
import tempfile

sys.path.insert(0, str(pathlib.Path(__file__).parent))
import check_seam  # noqa: E402

PLANTS = [  # (file under src/, include line)
    ("show/timeline.cpp", "#include <pulse/simple.h>"),
    ("windows/form2_card.cpp", "#include <fluidsynth.h>"),
    ("platform/form.cpp", "#include <windows.h>"),
    ("layout/form_tree_layout.cpp", "#include <libavcodec/avcodec.h>"),
    ("platform/controls/label.cpp", "#include <QWidget>"),
    ("platform/media/pulse/pulse_stream.cpp", "#include <fluidsynth.h>"),
    ("platform/io/win32/win32_error.cpp", "#include <windows.h>"),
    ("platform/region.h", "#include <pixman.h>"),
    ("app/command_line.cpp", "#include <xcb/xcb.h>"),
    ("show/snow.cpp", "#include <emscripten.h>"),
    ("platform/paint_controls.cpp", "#include <emscripten/html5.h>"),
    ("app/start_card.cpp", "#include <stb_truetype.h>"),
    ("backends/web/web_graphics.cpp", "#include <QImage>"),
]

source = pathlib.Path(sys.argv[1]).resolve() / "src"
failures = []
clean = check_seam.text_problems(source)
if clean:
    failures.append(f"the tree as it is: {clean}")
with tempfile.TemporaryDirectory() as work:
    for rel, line in PLANTS:
        copy = pathlib.Path(work) / "src"
        shutil.rmtree(copy, ignore_errors=True)
        shutil.copytree(source, copy)
        target = copy / rel
        target.write_text(line + "\n" + target.read_text(encoding="utf-8"), encoding="utf-8")
        found = check_seam.text_problems(copy)
        if not any(p.startswith(f"{rel}:1:") for p in found):
            failures.append(f"{line} in {rel} passed the check")
for failure in failures:
    print("FAIL:", failure)
print(f"{len(PLANTS)} plants, {len(failures)} missed")
sys.exit(1 if failures else 0)

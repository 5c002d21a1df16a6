#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The seam between the runtime model and its backends, as the build sees it.

Usage: check_seam.py SOURCE-DIR BUILD-DIR

- No Qt or xcb header is included outside the backends (src/platform/qt, src/platform/x11)
  and the program (src/app).
- The compile commands of the model (src/platform outside its backend folders, media
  included) and of the behaviour layers (show, windows, layout, shaping) carry no Qt include
  directory: the compiler itself keeps Qt out of them.
- No source file in src is longer than 400 lines, and none in the Qt backend than 250.
"""
import json
import pathlib
import re
import sys

source, build = pathlib.Path(sys.argv[1]).resolve(), pathlib.Path(sys.argv[2]).resolve()
src = source / "src"
backends = ("platform/qt/", "platform/x11/", "platform/win32/", "platform/media/ffmpeg/",
            "app/")
toolkit_include = re.compile(r'^\s*#\s*include\s*<(Q[A-Za-z]|xcb/|X11/)')
failures = []


def relative(path):
    return path.relative_to(src).as_posix()


def in_backend(rel):
    return rel.startswith(backends)


for path in sorted(src.rglob("*")):
    if path.suffix not in (".cpp", ".h"):
        continue
    rel = relative(path)
    lines = path.read_text(encoding="utf-8").splitlines()
    if not in_backend(rel):
        for number, line in enumerate(lines, 1):
            if toolkit_include.match(line):
                failures.append(f"{rel}:{number}: a toolkit header outside the backends: {line.strip()}")
    limit = 250 if rel.startswith("platform/qt/") else 400
    if len(lines) > limit:
        failures.append(f"{rel}: {len(lines)} lines, more than {limit}")

commands = json.loads((build / "compile_commands.json").read_text())
checked = 0
for entry in commands:
    path = pathlib.Path(entry["file"]).resolve()
    try:
        rel = relative(path)
    except ValueError:
        continue  # tests, benchmarks, generated files
    if in_backend(rel):
        continue
    command = entry.get("command") or " ".join(entry.get("arguments", []))
    checked += 1
    if re.search(r"(-I|-isystem\s*)\S*[Qq]t6?", command):
        failures.append(f"{rel}: compiled with a Qt include directory")

if checked == 0:
    failures.append("no compile command of the model was found")
for failure in failures:
    print("FAIL:", failure)
print(f"{checked} model and behaviour sources compiled without Qt; {len(failures)} problems")
sys.exit(1 if failures else 0)

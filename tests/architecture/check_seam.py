#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The seam between the runtime model and the systems it runs on, as the build sees it.

Usage: check_seam.py SOURCE-DIR BUILD-DIR...

Each folder of src/ may use the system libraries the table below gives it, and no other:
Qt and xcb only in the Qt/X11 backends and the Linux program; windows.h and the other Win32
headers only in the Win32 backend, the system folder and the Windows program (the Windows
files and sound reach them through the system folder); Emscripten's headers only in the web
backend and the web program, and stb only in the web backend; PulseAudio, FluidSynth, FFmpeg,
libmpg123 and pixman only in their own media folders, the region code and the web backend
(whose canvas is pixman's). Checked twice:

- in the text of every source file (what it includes itself), and
- in what the compiler read for every object of each BUILD-DIR (Ninja's dependency
  records), so that a library cannot come in through a header of the project either. Give
  the Linux, the Windows and the web build directories.

Besides: the compile commands of the model and the behaviour layers carry no Qt include
directory, and no source file is longer than 400 lines (the Qt backend's: 250).
"""
import json
import pathlib
import re
import subprocess
import sys

# A system library: how an #include of it is spelt, and where its headers lie.
FAMILIES = {
    "Qt": (r"<(Q[A-Za-z]|qt)", r"/qt6?/"),
    "xcb/X11": (r"<(xcb|X11)/", r"/include/(xcb|X11)/"),
    "Win32": (r"<(windows|windowsx|winuser|wingdi|winbase|commctrl|shellapi|shlwapi|shlobj|"
              r"objidl|objbase|ole2|gdiplus|usp10|timeapi|winver)\.h>",
              r"/(windows|windowsx|commctrl|shellapi|shlwapi|shlobj|objidl|gdiplus|usp10|"
              r"timeapi|winver)\.h$"),
    "winmm": (r"<(mmsystem|mmreg)\.h>", r"/(mmsystem|mmreg)\.h$"),
    "PulseAudio": (r"<pulse/", r"/include/pulse/"),
    "FluidSynth": (r"<fluidsynth", r"/include/fluidsynth"),
    "GLib": (r"<(glib|gio)", r"/glib-2\.0/"),
    "FFmpeg": (r"<lib(av|sw)[a-z]*/", r"/lib(av|sw)[a-z]*/[^/]+\.h$"),
    "libmpg123": (r"<(mpg123|fmt123)\.h>", r"/(mpg123|fmt123)\.h$"),
    "pixman": (r"<pixman", r"/pixman\.h$"),
    "Emscripten": (r"<emscripten[./]", r"/include/emscripten(\.h$|/)"),
    "stb": (r"<stb_", r"/stb/stb_[a-z_]+\.h$"),
}

# Folder (or file) under src/ -> (libraries it may include itself, libraries it may read
# through other headers). The longest matching entry holds; anything else may use none.
ALLOWED = {
    "backends/qt/": ({"Qt"}, {"Qt"}),
    "backends/x11/": ({"Qt", "xcb/X11"}, {"Qt", "xcb/X11"}),
    "backends/win32/": ({"Win32"}, {"Win32", "winmm"}),
    "system/win32/": ({"Win32"}, {"Win32"}),
    "backends/web/": ({"Emscripten", "pixman", "stb"}, {"Emscripten", "pixman", "stb"}),
    "app/": (set(), set()),
    "app/linux/": ({"Qt", "xcb/X11"}, {"Qt", "xcb/X11", "FFmpeg"}),
    "app/win32/": ({"Win32"}, {"Win32", "winmm"}),
    "app/web/": ({"Emscripten"}, {"Emscripten", "pixman"}),
    "platform/io/win32/": (set(), {"Win32"}),
    "platform/media/": ({"libmpg123"}, {"libmpg123"}),
    "platform/media/win32/": ({"winmm"}, {"Win32", "winmm"}),
    "platform/media/linux/": (set(), {"FluidSynth", "GLib", "PulseAudio"}),
    "platform/media/pulse/": ({"PulseAudio"}, {"PulseAudio"}),
    "platform/media/fluidsynth/": ({"FluidSynth", "GLib"}, {"FluidSynth", "GLib"}),
    "platform/media/ffmpeg/": ({"FFmpeg"}, {"FFmpeg"}),
    "platform/region.cpp": ({"pixman"}, {"pixman"}),
}

# Folders whose compile commands must not even see Qt's include directories.
TOOLKIT_FREE = ("platform/", "layout/", "shaping/", "windows/", "show/", "system/")

INCLUDE = re.compile(r"^\s*#\s*include\s*(<[^>]+>)")


def rule_for(rel):
    matches = [key for key in ALLOWED if rel == key or (key.endswith("/") and rel.startswith(key))]
    return ALLOWED[max(matches, key=len)] if matches else (set(), set())


def family_of_include(spelling):
    return next((name for name, (text, _) in FAMILIES.items() if re.match(text, spelling)), None)


def family_of_path(path):
    return next((name for name, (_, where) in FAMILIES.items() if re.search(where, path)), None)


def text_problems(src):
    """What each source file includes itself, against its folder's rule; and file lengths."""
    problems = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".cpp", ".h"):
            continue
        rel = path.relative_to(src).as_posix()
        direct, _ = rule_for(rel)
        lines = path.read_text(encoding="utf-8").splitlines()
        for number, line in enumerate(lines, 1):
            match = INCLUDE.match(line)
            family = match and family_of_include(match.group(1))
            if family and family not in direct:
                problems.append(f"{rel}:{number}: {family} is not for this folder: {line.strip()}")
        limit = 250 if rel.startswith("backends/qt/") else 400
        if len(lines) > limit:
            problems.append(f"{rel}: {len(lines)} lines, more than {limit}")
    return problems


def ninja_deps(build):
    """{source file: [headers the compiler read]} from Ninja's records of the build."""
    output = subprocess.run(["ninja", "-C", str(build), "-t", "deps"], capture_output=True,
                            text=True, check=True).stdout
    deps, current = {}, None
    for line in output.splitlines():
        if line and not line.startswith(" "):
            current = None
        elif line.strip() and current is None:
            current = (build / line.strip()).resolve()
            deps[current] = []
        elif line.strip():
            deps[current].append(line.strip())
    return deps


def build_problems(src, build):
    """What the compiler read for each object of the build, against its folder's rule."""
    problems, checked = [], 0
    for source, headers in ninja_deps(build).items():
        try:
            rel = source.relative_to(src).as_posix()
        except ValueError:
            continue  # tests, benchmarks, generated files
        checked += 1
        _, transitive = rule_for(rel)
        seen = set()
        for header in headers:
            family = family_of_path(header)
            if family and family not in transitive and family not in seen:
                seen.add(family)
                problems.append(f"{rel}: compiled with {family} ({header}) [{build.name}]")
    commands = json.loads((build / "compile_commands.json").read_text())
    for entry in commands:
        try:
            rel = pathlib.Path(entry["file"]).resolve().relative_to(src).as_posix()
        except ValueError:
            continue
        command = entry.get("command") or " ".join(entry.get("arguments", []))
        if rel.startswith(TOOLKIT_FREE) and re.search(r"(-I|-isystem\s*)\S*[Qq]t6?", command):
            problems.append(f"{rel}: compiled with a Qt include directory [{build.name}]")
    if checked == 0:
        problems.append(f"{build}: no object of src/ was found in the build's records")
    return problems, checked


def main(argv):
    source = pathlib.Path(argv[1]).resolve()
    src = source / "src"
    problems = text_problems(src)
    report = []
    for build in (pathlib.Path(b).resolve() for b in argv[2:]):
        found, checked = build_problems(src, build)
        problems += found
        report.append(f"{checked} objects in {build.name}")
    for problem in problems:
        print("FAIL:", problem)
    print(f"{', '.join(report)}; {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

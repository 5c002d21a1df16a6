#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Checks the screenshots test_wayland_desktops.sh took of the show on each desktop.

Usage: check_desktop_shots.py ARTIFACT-DIR NAME...

Each ARTIFACT-DIR/NAME holds desktop.png (the bare desktop before the card started), the
shots (tree, descent-1, descent-2, stopped, after-tree-1, after-tree-2), `shots` (when each
was taken), watch.log (x_probe watch: where each window of the card was), SHOT.outlines
(x_probe outlines: every outline each window showed while the shot was taken) and status
(the card's exit status).

"The desktop's background" is the colour most of desktop.png shows; only pixels that show
it on the bare desktop are compared (a panel or its clock is not the background). A window
may have been anywhere it was from a little before a shot began until it ended, and shown
any outline (where both its shapes hold) read meanwhile, so every such outline at every such
place is left out. Where a check fails, NAME/SHOT.diff.png marks the pixels that differ in
red.
"""
import subprocess
import sys

import numpy as np

WIDTH, HEIGHT = 1280, 800
SLACK = 0.3  # seconds a compositor's picture may lag behind the watch
TOLERANCE = 8  # per colour channel: compositors may round colours differently
STRAY_PIXELS = 24  # differing pixels allowed (a text cursor, a rounding seam)


def read_png(path):
    raw = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], capture_output=True,
                         check=True).stdout
    picture = np.frombuffer(raw, np.uint8)
    if picture.size != WIDTH * HEIGHT * 3:
        raise ValueError(f"{path} is not {WIDTH} x {HEIGHT}")
    return picture.reshape(HEIGHT, WIDTH, 3).astype(np.int16)


def read_watch(path):
    """The start time (real-time seconds) and each window's states: (t, mapped, x, y, w, h)."""
    start, windows = 0.0, {}
    for line in open(path):
        f = line.split()
        if len(f) == 3 and f[1] == "start":
            start = float(f[2])
        elif len(f) == 9 and f[1] == "window":
            windows.setdefault(f[3], []).append(
                (float(f[0]), int(f[4]), *map(int, f[5:9])))
    return start, windows


def states_during(states, begin, end):
    """A window's mapped states at any time in [begin, end] (watch seconds)."""
    before = [s for s in states if s[0] <= begin]
    during = ([before[-1]] if before else []) + [s for s in states if begin < s[0] <= end]
    return [s[2:] for s in during if s[1]]


def shape_mask(text, w, h):
    """A shape as x_probe outlines prints it, as a w x h mask ("none": the whole window)."""
    if text == "none":
        return np.ones((h, w), bool)
    mask = np.zeros((h, w), bool)
    for rect in text.split():
        x, y, rw, rh = map(int, rect.split(","))
        mask[max(0, y):max(0, y + rh), max(0, x):max(0, x + rw)] = True
    return mask


def read_outlines(path):
    """Each window's outlines (where both its shapes hold), as "BOUNDING|INPUT" texts."""
    out = {}
    for line in open(path):
        name, bounding, input_shape = line.rstrip("\n").split("|")
        out.setdefault(name, []).append((bounding, input_shape))
    return out


def outline_mask(texts, w, h):
    """The union of a window's outlines; its whole rectangle when none was read."""
    if not texts:
        return np.ones((h, w), bool)
    union = np.zeros((h, w), bool)
    for bounding, input_shape in texts:
        union |= shape_mask(bounding, w, h) & shape_mask(input_shape, w, h)
    return union


def place(mask, inside, x, y):
    """Marks `inside` (a window's outline) on the screen mask at (x, y)."""
    h, w = inside.shape
    top, left = max(0, y), max(0, x)
    bottom, right = min(HEIGHT, y + h), min(WIDTH, x + w)
    if top < bottom and left < right:
        mask[top:bottom, left:right] |= inside[top - y:bottom - y, left - x:right - x]


def save_diff(shot, wrong, path):
    marked = shot.astype(np.uint8).copy()
    marked[wrong] = (255, 0, 0)
    subprocess.run(["convert", "-size", f"{WIDTH}x{HEIGHT}", "-depth", "8", "rgb:-", path],
                   input=marked.tobytes(), check=True)


def describe(wrong):
    ys, xs = np.nonzero(wrong)
    return (f"{len(xs)} pixels differ from the desktop, within x {xs.min()}-{xs.max()}, "
            f"y {ys.min()}-{ys.max()}")


class Desktop:
    def __init__(self, directory):
        self.dir = directory
        self.bare = read_png(f"{directory}/desktop.png")
        colours, counts = np.unique(self.bare.reshape(-1, 3), axis=0, return_counts=True)
        self.background = np.all(self.bare == colours[counts.argmax()], axis=2)
        self.start, self.windows = read_watch(f"{directory}/watch.log")
        self.shots = {}
        for line in open(f"{directory}/shots"):
            name, begin, end = line.split()
            self.shots[name] = (float(begin) - self.start, float(end) - self.start)

    def differs(self, shot):
        return np.any(np.abs(shot - self.bare) > TOLERANCE, axis=2)

    def stray(self, name, area):
        """The background pixels of `area` (a mask) that differ in the shot, left out the
        outlines of the card's windows while it was taken; None when all is well.

        A window that showed one outline is left out wherever it was. One that showed
        several (the flapping cherub) showed one of them at one of its places in the
        picture: it is left out by the pair that leaves the fewest pixels wrong, so that
        two outlines shown at once (earlier pictures of the window left over) are found."""
        begin, end = self.shots[name]
        shot = read_png(f"{self.dir}/{name}.png")
        outlines = read_outlines(f"{self.dir}/{name}.outlines")
        covered = np.zeros((HEIGHT, WIDTH), bool)
        changing = []
        for window, states in self.windows.items():
            places = states_during(states, begin - SLACK, end + SLACK)
            texts = outlines.get(window, [])
            if len(texts) > 1 and places:
                changing.append((places, texts))
                continue
            for x, y, w, h in places:
                place(covered, outline_mask(texts, w, h), x, y)
        suspect = area & self.background & self.differs(shot)
        wrong = suspect & ~covered
        for places, texts in changing:
            best = None
            for x, y, w, h in places:
                for text in texts:
                    alone = np.zeros_like(covered)
                    place(alone, outline_mask([text], w, h), x, y)
                    candidate = wrong & ~alone
                    if best is None or np.count_nonzero(candidate) < np.count_nonzero(best):
                        best = candidate
            wrong = best
        if np.count_nonzero(wrong) <= STRAY_PIXELS:
            return None
        save_diff(shot, wrong, f"{self.dir}/{name}.diff.png")
        return describe(wrong)

    def first_tree(self):
        states = self.windows.get("Merry_Christmas_and_Happy_New_Year", [])
        shown = [s for s in states if s[1]]
        return shown[0][2:] if shown else None


def check_desktop(name, directory, check):
    try:
        status = open(f"{directory}/status").read().strip()
    except OSError:
        status = "none"
    try:
        d = Desktop(directory)
    except (OSError, ValueError, subprocess.CalledProcessError) as error:
        check(False, "the desktop comes up and photographs the show", f"{status} {error}")
        return
    tree = d.first_tree()
    if tree is None or "tree" not in d.shots:
        check(False, "the tree window shows", "never shown")
    else:
        x, y, w, h = tree
        centred = abs(x - (WIDTH - w) // 2) <= 1 and abs(y - (HEIGHT - h) // 2) <= 1
        check(centred, "the tree is centred", f"at {x},{y} size {w}x{h}")
        texts = read_outlines(f"{directory}/tree.outlines").get(
            "Merry_Christmas_and_Happy_New_Year", [])
        inside = outline_mask(texts[:1], w, h)
        cut = 1 - np.count_nonzero(inside) / (w * h)
        check(cut >= 0.2, "the tree is cut to its outline (bounding and input shapes)",
              f"only {cut:.0%} of its box is left out")
        box = np.zeros((HEIGHT, WIDTH), bool)
        box[y:y + h, x:x + w] = True
        on_screen = np.zeros_like(box)
        on_screen[y:y + h, x:x + w] = inside
        shot = read_png(f"{directory}/tree.png")
        changed = d.differs(shot)
        outside = box & ~on_screen & d.background
        wrong = outside & changed
        ok = np.count_nonzero(wrong) <= STRAY_PIXELS
        if not ok:
            save_diff(shot, wrong, f"{directory}/tree.diff.png")
        check(ok, "the desktop shows around the tree inside its box",
              describe(wrong) if not ok else "")
        shown = np.count_nonzero(on_screen & changed) / max(1, np.count_nonzero(on_screen))
        check(shown >= 0.75, "the tree shows inside its outline",
              f"only {shown:.0%} of it differs from the desktop")
    for shot in ("descent-1", "descent-2", "stopped"):
        if shot not in d.shots:
            check(False, f"nothing but the desktop outside the windows' outlines ({shot})",
                  "no screenshot")
            continue
        everywhere = np.ones((HEIGHT, WIDTH), bool)
        problem = d.stray(shot, everywhere)
        check(problem is None, f"nothing but the desktop outside the windows' outlines ({shot})", problem)
    for shot in ("after-tree-1", "after-tree-2"):
        if shot not in d.shots or tree is None:
            check(False, f"the tree's box is bare once it is hidden ({shot})", "no screenshot")
            continue
        x, y, w, h = tree
        box = np.zeros((HEIGHT, WIDTH), bool)
        box[y:y + h, x:x + w] = True
        problem = d.stray(shot, box)
        check(problem is None, f"the tree's box is bare once it is hidden ({shot})", problem)
    check(status == "0", "the show ends by itself with status 0", f"status {status}")


def main():
    artifacts, names = sys.argv[1], sys.argv[2:]
    counts = {"passed": 0, "failed": 0}
    for name in names:
        def check(ok, what, detail=""):
            counts["passed" if ok else "failed"] += 1
            print(f"{'ok  ' if ok else 'FAIL'} [{name}] {what}" +
                  (f": {detail}" if detail and not ok else ""))
        check_desktop(name, f"{artifacts}/{name}", check)
    print(f"{counts['passed']} passed, {counts['failed']} failed")
    return 1 if counts["failed"] else 0


if __name__ == "__main__":
    sys.exit(main())

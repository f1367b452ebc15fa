#!/usr/bin/env python3
"""Checks a screenshot of setup's background: the blue gradient bands of the
view (beside a centred window, if one is open) and two logo texts, one in the top-left and one in the bottom-right
corner, each white with a black shadow 4 pixels further right and down.

Usage: check_background.py SHOT.png
Reads the pixels through ImageMagick (convert ... rgb:-). Exit code 0 when
everything holds; otherwise it prints what differed and exits with 1.
"""
import subprocess
import sys


def load(path):
    size = subprocess.run(["identify", "-format", "%w %h", path], check=True,
                          capture_output=True, text=True).stdout.split()
    width, height = int(size[0]), int(size[1])
    raw = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True,
                         capture_output=True).stdout
    if len(raw) != width * height * 3:
        raise SystemExit("unexpected pixel data size")
    return width, height, raw


class Shot:
    def __init__(self, path):
        self.width, self.height, self.raw = load(path)

    def at(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.raw[i:i + 3])


def is_gradient(p):
    return p[0] == 0 and p[1] == 0 and p[2] > 0


def bands_for(height):
    """The band layout of the painting: (count, band height, step)."""
    count = 16 if height <= 32 else 32
    return count, height // count + 1, 256 // count


def view_area(shot):
    """The rectangle (left, top, right, bottom) covered by the gradient,
    found along the middle column and the middle row."""
    cx, cy = shot.width // 2, shot.height // 2
    rows = [y for y in range(shot.height) if is_gradient(shot.at(cx, y))]
    cols = [x for x in range(shot.width) if is_gradient(shot.at(x, cy))]
    if not rows or not cols:
        return None
    return cols[0], rows[0], cols[-1] + 1, rows[-1] + 1


def bbox(points):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return min(xs), min(ys), max(xs) + 1, max(ys) + 1


def main():
    shot = Shot(sys.argv[1])
    errors = []
    area = view_area(shot)
    if area is None:
        print("no gradient on the screen")
        return 1
    left, top, right, bottom = area
    height = bottom - top
    count, band, step = bands_for(height)
    print(f"view {left},{top}-{right},{bottom}: {count} bands of {band} pixels, step {step}")

    # Every row of two columns off the middle has the blue of its band (the
    # phases' windows are centred over the view and may cover its middle).
    for y in range(top, bottom):
        want = (0, 0, 255 - step * ((y - top) // band))
        for x in (left + (right - left) // 8, left + (right - left) * 4 // 5):
            got = shot.at(x, y)
            if got != want:
                errors.append(f"row {y - top} column {x - left}: {got}, expected {want}")
                break
        if len(errors) > 5:
            break

    # The two logo texts: pure white glyph pixels, pure black shadow pixels.
    # Each is looked for in its quarter of the view's height, clear of a
    # centred window.
    mid_x, quarter = (left + right) // 2, (bottom - top) // 4
    quads = {"top left": (left, top, mid_x, top + quarter),
             "bottom right": (mid_x, bottom - quarter, right, bottom)}
    boxes = {}
    for name, (x0, y0, x1, y1) in quads.items():
        white, black = [], []
        for y in range(y0, y1):
            for x in range(x0, x1):
                p = shot.at(x, y)
                if p == (255, 255, 255):
                    white.append((x, y))
                elif p == (0, 0, 0):
                    black.append((x, y))
        if not white or not black:
            errors.append(f"{name}: no logo text (white {len(white)}, black {len(black)} pixels)")
            continue
        w, b = bbox(white), bbox(black)
        boxes[name] = (w, b)
        print(f"{name}: white {w}, black {b}")
        if (b[2], b[3]) != (w[2] + 4, w[3] + 4):
            errors.append(f"{name}: the shadow does not end 4 pixels right of and below the text")

    if "top left" in boxes:
        w, b = boxes["top left"]
        if w[0] < left or w[1] < top or w[0] - left > 8 or w[1] - top > 16:
            errors.append(f"top left: the text does not start at the view's origin")
    if "bottom right" in boxes:
        w, b = boxes["bottom right"]
        if w[2] > right - 4 or w[3] > bottom - 4:
            errors.append("bottom right: the white text reaches into the shadow's margin")
        if right - b[2] > 8 or bottom - b[3] > 12:
            errors.append("bottom right: the shadow does not reach the view's corner")

    for e in errors:
        print("FAIL:", e)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Draws the palette's icon, src/win32/resources/quillaro.ico, with 16, 32 and 48 pixel images.

The icon is committed; the build never runs this script. Run it after changing the drawing:

    python3 src/win32/resources/draw_icon.py            # rewrites src/win32/resources/quillaro.ico
    python3 src/win32/resources/draw_icon.py --png DIR  # also leaves the three images as PNG in DIR

It needs python3 and ImageMagick's `convert`. The motif is a keypad of four keys on a deep
blue tile: a gold key with a star, and white keys with an arrow, a ring and a check mark.
Every size has its own layout on whole pixels, so key edges stay sharp at 16 pixels.
Shapes are polygons sampled without smoothing at eight times the size and then averaged
down, which gives each pixel its coverage and the same bytes on every run.
"""

import argparse
import math
import os
import subprocess
import sys
import tempfile

SUPERSAMPLE = 8

TILE = "#1c3566"
KEY = "#eef2f8"
KEY_EDGE = "#a9b8d0"
ACCENT = "#f6b800"
ACCENT_EDGE = "#b88600"
GLYPH = "#1c3566"

# Per size: tile corner radius, outer margin, key size, gap between keys, key corner radius,
# and height of the shaded lower edge of a key.
LAYOUTS = {
    16: dict(radius=3, margin=1, key=6, gap=2, key_radius=1.5, edge=0),
    32: dict(radius=6, margin=3, key=12, gap=2, key_radius=2, edge=1),
    48: dict(radius=8, margin=4, key=18, gap=4, key_radius=3, edge=1.5),
}

# At 16 pixels a key is 6 x 6 and drawn shapes turn to mush, so the gold key stays plain and
# the key beside it carries an arrow set pixel by pixel.
ARROW_16 = [
    "......",
    "...#..",
    ".####.",
    ".####.",
    "...#..",
    "......",
]


def polygon(points):
    # Point (x, y) in pixels of the final image; a pixel's centre in ImageMagick's sampling
    # grid sits on whole numbers, so edges between pixels land on n - 0.5.
    return "polygon " + " ".join(
        f"{x * SUPERSAMPLE - 0.5:.3f},{y * SUPERSAMPLE - 0.5:.3f}" for x, y in points)


def arc(cx, cy, r, start, steps=12):
    return [(cx + r * math.cos(start + i * math.pi / 2 / steps),
             cy + r * math.sin(start + i * math.pi / 2 / steps)) for i in range(steps + 1)]


def round_rect(x0, y0, x1, y1, r):
    return polygon(arc(x1 - r, y0 + r, r, -math.pi / 2) + arc(x1 - r, y1 - r, r, 0) +
                   arc(x0 + r, y1 - r, r, math.pi / 2) + arc(x0 + r, y0 + r, r, math.pi))


def circle(cx, cy, r):
    return polygon([(cx + r * math.cos(i * math.pi / 24), cy + r * math.sin(i * math.pi / 24))
                    for i in range(48)])


def star(cx, cy, outer, inner):
    points = []
    for i in range(10):
        radius = outer if i % 2 == 0 else inner
        angle = -math.pi / 2 + i * math.pi / 5
        points.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    return polygon(points)


def right_arrow(x0, y0, size):
    # A shaft and a triangular head, centred in the square (x0, y0, size). The shaft is a whole
    # number of pixels thick and its edges lie between pixels, so it stays crisp.
    shaft = max(1, round(size * 0.18)) / 2
    cy = round(y0 + size / 2 - shaft) + shaft
    head = size * 0.30
    left, right = x0 + size * 0.2, x0 + size * 0.8
    return polygon([
        (left, cy - shaft), (right - head, cy - shaft), (right - head, cy - head),
        (right, cy), (right - head, cy + head), (right - head, cy + shaft), (left, cy + shaft),
    ])


def thick_line(x0, y0, x1, y1, width):
    dx, dy = x1 - x0, y1 - y0
    length = math.hypot(dx, dy)
    nx, ny = -dy / length * width / 2, dx / length * width / 2
    return polygon([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny),
                    (x0 - nx, y0 - ny)])


def draw_commands(size):
    """(colour, shape) pairs, painted in order."""
    layout = LAYOUTS[size]
    m, k, g = layout["margin"], layout["key"], layout["gap"]
    kr, edge = layout["key_radius"], layout["edge"]
    shapes = [(TILE, round_rect(0, 0, size, size, layout["radius"]))]

    origins = [(m, m), (m + k + g, m), (m, m + k + g), (m + k + g, m + k + g)]
    for i, (x, y) in enumerate(origins):
        face, shade = (ACCENT, ACCENT_EDGE) if i == 0 else (KEY, KEY_EDGE)
        if edge:
            shapes.append((shade, round_rect(x, y, x + k, y + k, kr)))
        shapes.append((face, round_rect(x, y, x + k, y + k - edge, kr)))

    face = k - edge
    (sx, sy), (ax, ay), (rx, ry), (mx, my) = origins
    if size == 16:
        for row, text in enumerate(ARROW_16):
            for col, mark in enumerate(text):
                if mark == "#":
                    x, y = ax + col, ay + row
                    shapes.append((GLYPH, polygon([(x, y), (x + 1, y), (x + 1, y + 1),
                                                   (x, y + 1)])))
        return shapes

    outer = face * 0.40
    shapes.append((GLYPH, star(sx + k / 2, sy + face / 2 + face * 0.04, outer, outer * 0.45)))
    shapes.append((GLYPH, right_arrow(ax, ay, face)))
    shapes.append((GLYPH, circle(rx + k / 2, ry + face / 2, face * 0.36)))
    shapes.append((KEY, circle(rx + k / 2, ry + face / 2, face * 0.24)))
    # A check mark: a short and a long stroke meeting at a rounded joint.
    w = max(1.5, face * 0.15)
    jx, jy = mx + k * 0.42, my + face * 0.74
    shapes.append((GLYPH, thick_line(mx + k * 0.20, my + face * 0.50, jx, jy, w)))
    shapes.append((GLYPH, thick_line(jx, jy, mx + k * 0.80, my + face * 0.26, w)))
    shapes.append((GLYPH, circle(jx, jy, w / 2)))
    return shapes


def render(size, path):
    big = size * SUPERSAMPLE
    args = ["convert", "-size", f"{big}x{big}", "xc:none", "+antialias", "-stroke", "none"]
    for colour, shape in draw_commands(size):
        args += ["-fill", colour, "-draw", shape]
    # Averaging each 8 x 8 block gives every pixel its coverage.
    args += ["-scale", f"{size}x{size}", "-define", "png:exclude-chunks=date,time",
             f"PNG32:{path}"]
    subprocess.run(args, check=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--png", metavar="DIR", help="also keep the images as PNG files in DIR")
    parser.add_argument("--out", default=os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                                      "quillaro.ico"))
    options = parser.parse_args()

    with tempfile.TemporaryDirectory() as work:
        images = []
        for size in sorted(LAYOUTS):
            path = os.path.join(options.png or work, f"quillaro_{size}.png")
            render(size, path)
            images.append(path)
        subprocess.run(["convert", *images, options.out], check=True)
    print(options.out)
    return 0


if __name__ == "__main__":
    sys.exit(main())

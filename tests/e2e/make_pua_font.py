#!/usr/bin/env python3
"""Writes a small TrueType font that draws a few Private Use Area code points.

Usage: make_pua_font.py <out.ttf> <first code point, hex> <count>

Glyph n is a frame with n + 1 bars across it, so every code point looks different and none
looks like a missing-symbol box. The family is "Quillaro Test Symbols".
"""
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen

FAMILY = "Quillaro Test Symbols"
EM = 1000


def rect(pen, x0, y0, x1, y1):
    pen.moveTo((x0, y0))
    pen.lineTo((x0, y1))
    pen.lineTo((x1, y1))
    pen.lineTo((x1, y0))
    pen.closePath()


def symbol(bars):
    pen = TTGlyphPen(None)
    # A thick frame (outer clockwise, inner counter-clockwise) ...
    rect(pen, 60, -80, 940, 800)
    pen.moveTo((180, 40))
    pen.lineTo((820, 40))
    pen.lineTo((820, 680))
    pen.lineTo((180, 680))
    pen.closePath()
    # ... and `bars` vertical bars inside it.
    width = 640 // (2 * bars + 1)
    for i in range(bars):
        left = 180 + width * (2 * i + 1)
        rect(pen, left, 40, left + width, 680)
    return pen.glyph()


def empty():
    return TTGlyphPen(None).glyph()


def main():
    out, first, count = sys.argv[1], int(sys.argv[2], 16), int(sys.argv[3])
    names = [".notdef", "space"] + [f"uni{first + n:04X}" for n in range(count)]
    glyphs = {".notdef": empty(), "space": empty()}
    cmap = {0x20: "space"}
    for n in range(count):
        glyphs[names[n + 2]] = symbol(n + 1)
        cmap[first + n] = names[n + 2]

    builder = FontBuilder(EM, isTTF=True)
    builder.setupGlyphOrder(names)
    builder.setupCharacterMap(cmap)
    builder.setupGlyf(glyphs)
    builder.setupHorizontalMetrics({name: (EM, 60) for name in names})
    builder.setupHorizontalHeader(ascent=880, descent=-120)
    builder.setupNameTable({"familyName": FAMILY, "styleName": "Regular"})
    builder.setupOS2(sTypoAscender=880, sTypoDescender=-120, usWinAscent=880, usWinDescent=120,
                     ulCodePageRange1=(1 << 20))  # code page 950, Traditional Chinese
    builder.setupPost()
    builder.save(out)


if __name__ == "__main__":
    main()

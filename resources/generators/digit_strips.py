#!/usr/bin/env python3
"""Draws the digit display's four glyph strips, LUMDIGITBITMAP1.bmp to LUMDIGITBITMAP4.bmp:
17 cells of 14 x 20 pixels in the order "0123456789 ,.+-:/", 4 bits per pixel with the
standard 16-colour palette. Run from anywhere; writes into the folder above this one."""

import os
import struct

CHARS = "0123456789 ,.+-:/"
CELL_W, CELL_H = 14, 20
BLACK, MAROON, NAVY, SILVER, GREY, RED, WHITE = 0, 1, 4, 7, 8, 9, 15
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]

# Seven segments as rectangles (x0, y0, x1, y1), inclusive.
SEGMENTS = {
    "a": (4, 2, 9, 3), "b": (10, 4, 11, 8), "c": (10, 11, 11, 15), "d": (4, 16, 9, 17),
    "e": (2, 11, 3, 15), "f": (2, 4, 3, 8), "g": (4, 9, 9, 10),
}
DIGITS = {"0": "abcdef", "1": "bc", "2": "abged", "3": "abgcd", "4": "fgbc", "5": "afgcd",
          "6": "afgedc", "7": "abc", "8": "abcdefg", "9": "abcdfg"}
MARKS = {
    " ": [], ",": [(6, 15, 7, 17), (5, 18, 6, 18)], ".": [(6, 16, 7, 17)],
    "+": [(4, 9, 9, 10), (6, 6, 7, 13)], "-": [SEGMENTS["g"]],
    ":": [(6, 6, 7, 7), (6, 13, 7, 14)],
}


def glyph_pixels(char):
    if char in DIGITS:
        boxes = [SEGMENTS[s] for s in DIGITS[char]]
    elif char == "/":
        boxes = [(10 - (y - 2) * 8 // 15, y, 11 - (y - 2) * 8 // 15, y) for y in range(2, 18)]
    else:
        boxes = MARKS[char]
    return {(x, y) for x0, y0, x1, y1 in boxes for x in range(x0, x1 + 1)
            for y in range(y0, y1 + 1)}


def cell_background(style, x, y):
    light, dark = (WHITE, MAROON) if style == 4 else (WHITE, GREY)
    if y == 0 or x == 0:
        return light
    if y == CELL_H - 1 or x == CELL_W - 1:
        return dark
    if style in (1, 2):
        return WHITE if (x + y) % 2 else SILVER
    return RED if style == 4 else SILVER


def strip(style):
    ink = NAVY if style == 2 else BLACK
    rows = [[0] * (CELL_W * len(CHARS)) for _ in range(CELL_H)]
    for k, char in enumerate(CHARS):
        on = glyph_pixels(char)
        for y in range(CELL_H):
            for x in range(CELL_W):
                rows[y][k * CELL_W + x] = ink if (x, y) in on else cell_background(style, x, y)
    return rows


def bmp_bytes(rows):
    width, height = len(rows[0]), len(rows)
    stride = ((width + 1) // 2 + 3) // 4 * 4
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray((row[i] << 4) | (row[i + 1] if i + 1 < width else 0)
                         for i in range(0, width, 2))
        pixels += line + bytes(stride - len(line))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 3780, 3780, 16, 16)
    return header + info + palette + bytes(pixels)


def main():
    folder = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    for style in range(1, 5):
        with open(os.path.join(folder, "LUMDIGITBITMAP%d.bmp" % style), "wb") as f:
            f.write(bmp_bytes(strip(style)))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Draws the value entry's pictures, 4 bits per pixel with the standard 16-colour palette:
LUMEXTVALEDIT1.bmp and LUMEXTVALEDIT2.bmp (the extended edit's header and range symbols,
16 x 16), the calculator's button glyphs LUMCALC*.bmp, its MODE indicator LUMCALCMODE.bmp
and the legend of its display panel LUMCALCLEGEND.bmp. Run from anywhere; writes into the
folder above this one."""

import os
import struct

BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = 0, 1, 2, 3, 4, 5, 6, 7
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = 8, 9, 10, 11, 12, 13, 14, 15
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]

# A 5 x 7 font for the glyph texts, one string of five bits per row.
FONT5 = {
    "l": ["01100", "00100", "00100", "00100", "00100", "00100", "01110"],
    "o": ["00000", "00000", "01110", "10001", "10001", "10001", "01110"],
    "g": ["00000", "01111", "10001", "10001", "01111", "00001", "01110"],
    "n": ["00000", "00000", "10110", "11001", "10001", "10001", "10001"],
    "s": ["00000", "00000", "01111", "10000", "01110", "00001", "11110"],
    "i": ["00100", "00000", "01100", "00100", "00100", "00100", "01110"],
    "c": ["00000", "00000", "01110", "10000", "10000", "10001", "01110"],
    "a": ["00000", "00000", "01110", "00001", "01111", "10001", "01111"],
    "t": ["01000", "01000", "11100", "01000", "01000", "01001", "00110"],
    "x": ["00000", "00000", "10001", "01010", "00100", "01010", "10001"],
    "M": ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    "+": ["00000", "00100", "00100", "11111", "00100", "00100", "00000"],
}
# A 3 x 5 font for the legend.
FONT3 = {
    "A": ["010", "101", "111", "101", "101"], "C": ["011", "100", "100", "100", "011"],
    "D": ["110", "101", "101", "101", "110"], "E": ["111", "100", "110", "100", "111"],
    "F": ["111", "100", "110", "100", "100"], "G": ["011", "100", "101", "101", "011"],
    "H": ["101", "101", "111", "101", "101"], "I": ["111", "010", "010", "010", "111"],
    "M": ["101", "111", "111", "101", "101"], "O": ["010", "101", "101", "101", "010"],
    "R": ["110", "101", "110", "101", "101"], "S": ["011", "100", "010", "001", "110"],
    "T": ["111", "010", "010", "010", "010"], "X": ["101", "101", "010", "101", "101"],
    "N": ["101", "111", "111", "111", "101"], "L": ["100", "100", "100", "100", "111"],
    "P": ["110", "101", "110", "100", "100"], "B": ["110", "101", "110", "101", "110"],
    "+": ["000", "010", "111", "010", "000"], "Y": ["101", "101", "010", "010", "010"],
    "0": ["111", "101", "101", "101", "111"], "1": ["010", "110", "010", "010", "111"],
    "4": ["101", "101", "111", "001", "001"], "5": ["111", "100", "110", "001", "110"],
    "6": ["011", "100", "111", "101", "111"], ":": ["000", "010", "000", "010", "000"],
    "^": ["010", "101", "000", "000", "000"], "-": ["000", "000", "111", "000", "000"],
    "/": ["001", "001", "010", "100", "100"], " ": ["000", "000", "000", "000", "000"],
}


def canvas(width, height, colour):
    return [[colour] * width for _ in range(height)]


def put(rows, x, y, colour):
    if 0 <= y < len(rows) and 0 <= x < len(rows[0]):
        rows[y][x] = colour


def text(rows, x, y, string, colour, font=FONT5, gap=1):
    for char in string:
        pattern = font[char]
        for dy, line in enumerate(pattern):
            for dx, bit in enumerate(line):
                if bit == "1":
                    put(rows, x + dx, y + dy, colour)
        x += len(pattern[0]) + gap
    return x


def line(rows, x0, y0, x1, y1, colour):
    steps = max(abs(x1 - x0), abs(y1 - y0), 1)
    for k in range(steps + 1):
        put(rows, x0 + round((x1 - x0) * k / steps), y0 + round((y1 - y0) * k / steps), colour)


def box(rows, x0, y0, x1, y1, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            put(rows, x, y, colour)


def header_symbol():
    """A note with text lines: the header is shown."""
    rows = canvas(16, 16, SILVER)
    box(rows, 2, 1, 13, 14, WHITE)
    line(rows, 2, 1, 13, 1, GREY)
    line(rows, 2, 1, 2, 14, GREY)
    line(rows, 13, 1, 13, 14, BLACK)
    line(rows, 2, 14, 13, 14, BLACK)
    for y in (4, 7, 10):
        line(rows, 4, y, 11, y, NAVY)
    return rows


def range_symbol():
    """A double arrow between two bounds: the range is shown."""
    rows = canvas(16, 16, SILVER)
    box(rows, 0, 3, 15, 12, YELLOW)
    line(rows, 1, 4, 1, 11, MAROON)
    line(rows, 14, 4, 14, 11, MAROON)
    line(rows, 3, 8, 12, 8, BLACK)
    for k in range(3):
        line(rows, 3 + k, 8 - k, 3 + k, 8 + k, BLACK)
        line(rows, 12 - k, 8 - k, 12 - k, 8 + k, BLACK)
    return rows


def glyph(width, height, draw):
    """A button picture; its bottom-left pixel is the transparent colour, so it stays free."""
    rows = canvas(width, height, SILVER)
    draw(rows)
    return rows


def word(string):
    width = len(string) * 6 - 1
    return glyph(width, 9, lambda r: text(r, 0, 1, string, BLACK))


def sqrt_glyph(rows):
    line(rows, 0, 6, 1, 5, BLACK)
    line(rows, 2, 5, 4, 10, BLACK)
    line(rows, 4, 10, 6, 0, BLACK)
    line(rows, 6, 0, 14, 0, BLACK)
    text(rows, 8, 3, "x", BLACK)


def power_glyph(rows):
    text(rows, 0, 4, "x", BLACK)
    for y, bits in enumerate(["101", "101", "010", "010", "100"]):
        for x, bit in enumerate(bits):
            if bit == "1":
                put(rows, 7 + x, y, BLACK)


def pi_glyph(rows):
    line(rows, 0, 1, 8, 1, BLACK)
    line(rows, 2, 1, 2, 8, BLACK)
    line(rows, 6, 1, 6, 7, BLACK)
    put(rows, 7, 8, BLACK)


def back_glyph(rows):
    line(rows, 1, 4, 11, 4, MAROON)
    line(rows, 1, 5, 11, 5, MAROON)
    for k in range(4):
        line(rows, 1 + k, 4 - k, 1 + k, 5 + k, MAROON)


def memory_plus_glyph(rows):
    text(rows, 0, 1, "M+", BLACK)


def mode_indicator():
    rows = canvas(22, 7, SILVER)
    text(rows, 1, 1, "MODE", RED, FONT3)
    return rows


def legend():
    rows = canvas(200, 22, SILVER)
    text(rows, 2, 2, "MODE 0:DEC 1:HEX 4:DEG 5:RAD 6:GRAD", NAVY, FONT3)
    text(rows, 2, 10, "SHIFT: X^Y:Y-ROOT LOG:10^X LN:E^X M+:M-", MAROON, FONT3)
    text(rows, 2, 16, "SHIFT SIN COS TAN: ARC  HYP: HYPERBOLIC", MAROON, FONT3)
    return rows


def bmp_bytes(rows):
    width, height = len(rows[0]), len(rows)
    stride = ((width + 1) // 2 + 3) // 4 * 4
    pixels = bytearray()
    for row in reversed(rows):
        packed = bytearray((row[i] << 4) | (row[i + 1] if i + 1 < width else 0)
                           for i in range(0, width, 2))
        pixels += packed + bytes(stride - len(packed))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 3780, 3780, 16, 16)
    return header + info + palette + bytes(pixels)


PICTURES = {
    "LUMEXTVALEDIT1": header_symbol(),
    "LUMEXTVALEDIT2": range_symbol(),
    "LUMCALCSQRT": glyph(15, 11, sqrt_glyph),
    "LUMCALCPOWER": glyph(10, 12, power_glyph),
    "LUMCALCPI": glyph(9, 9, pi_glyph),
    "LUMCALCBACK": glyph(12, 10, back_glyph),
    "LUMCALCMPLUS": glyph(11, 9, memory_plus_glyph),
    "LUMCALCLOG": word("log"),
    "LUMCALCLN": word("ln"),
    "LUMCALCSIN": word("sin"),
    "LUMCALCCOS": word("cos"),
    "LUMCALCTAN": word("tan"),
    "LUMCALCMODE": mode_indicator(),
    "LUMCALCLEGEND": legend(),
}


def main():
    folder = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    for name, rows in PICTURES.items():
        with open(os.path.join(folder, name + ".bmp"), "wb") as f:
            f.write(bmp_bytes(rows))


if __name__ == "__main__":
    main()

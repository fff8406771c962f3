#!/usr/bin/env python3
"""Draws the designer's palette bitmaps, one per registered class, named "T" plus the class
name in capitals (TLUMTACHO.bmp), and TLUMGIFBUTTON.bmp: 24 x 24 pixels, 4 bits per pixel
with the standard 16-colour palette. Each is a small picture of what the component shows.
Run from anywhere; writes into the folder above this one."""

import math
import os
import struct

SIZE = 24
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]

# A 3 x 5 pixel font for the few letters and digits the pictures carry.
FONT = {
    "0": ["111", "101", "101", "101", "111"], "1": ["010", "110", "010", "010", "111"],
    "2": ["111", "001", "111", "100", "111"], "3": ["111", "001", "011", "001", "111"],
    "4": ["101", "101", "111", "001", "001"], "5": ["111", "100", "111", "001", "111"],
    "6": ["111", "100", "111", "101", "111"], "7": ["111", "001", "010", "010", "010"],
    "8": ["111", "101", "111", "101", "111"], "9": ["111", "101", "111", "001", "111"],
    "A": ["010", "101", "111", "101", "101"], "B": ["110", "101", "110", "101", "110"],
    "D": ["110", "101", "101", "101", "110"], "E": ["111", "100", "110", "100", "111"],
    "F": ["111", "100", "110", "100", "100"], "G": ["011", "100", "101", "101", "011"],
    "I": ["111", "010", "010", "010", "111"], "L": ["100", "100", "100", "100", "111"],
    "M": ["101", "111", "111", "101", "101"], "O": ["010", "101", "101", "101", "010"],
    "P": ["110", "101", "110", "100", "100"], "T": ["111", "010", "010", "010", "010"],
    "X": ["101", "101", "010", "101", "101"], "a": ["000", "011", "101", "101", "011"],
    "b": ["100", "110", "101", "101", "110"], "c": ["000", "011", "100", "100", "011"],
    "+": ["000", "010", "111", "010", "000"], "-": ["000", "000", "111", "000", "000"],
    "=": ["000", "111", "000", "111", "000"], ".": ["000", "000", "000", "000", "010"],
    "x": ["000", "101", "010", "101", "000"],
}


class Picture:
    def __init__(self, background=SILVER):
        self.px = [[background] * SIZE for _ in range(SIZE)]

    def dot(self, x, y, c):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[y][x] = c

    def fill(self, x0, y0, x1, y1, c):
        """Fills the rectangle with corners (x0, y0) and (x1, y1), both inclusive."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.dot(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        self.fill(x0, y0, x1, y0, c)
        self.fill(x0, y1, x1, y1, c)
        self.fill(x0, y0, x0, y1, c)
        self.fill(x1, y0, x1, y1, c)

    def sunken(self, x0, y0, x1, y1, inside=WHITE):
        self.fill(x0, y0, x1, y1, inside)
        self.fill(x0, y0, x1, y0, GREY)
        self.fill(x0, y0, x0, y1, GREY)
        self.fill(x0, y1, x1, y1, WHITE)
        self.fill(x1, y0, x1, y1, WHITE)
        self.fill(x0 + 1, y0 + 1, x1 - 1, y0 + 1, BLACK)
        self.fill(x0 + 1, y0 + 1, x0 + 1, y1 - 1, BLACK)

    def raised(self, x0, y0, x1, y1, face=SILVER):
        self.fill(x0, y0, x1, y1, face)
        self.fill(x0, y0, x1, y0, WHITE)
        self.fill(x0, y0, x0, y1, WHITE)
        self.fill(x0, y1, x1, y1, BLACK)
        self.fill(x1, y0, x1, y1, BLACK)
        self.fill(x0 + 1, y1 - 1, x1 - 1, y1 - 1, GREY)
        self.fill(x1 - 1, y0 + 1, x1 - 1, y1 - 1, GREY)

    def line(self, x0, y0, x1, y1, c):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.dot(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), c)

    def disc(self, cx, cy, r, c):
        for y in range(SIZE):
            for x in range(SIZE):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.dot(x, y, c)

    def text(self, x, y, s, c):
        for char in s:
            for row, bits in enumerate(FONT[char]):
                for col, bit in enumerate(bits):
                    if bit == "1":
                        self.dot(x + col, y + row, c)
            x += 4


def edit_field(p, y0, y1, text, ink=BLACK):
    p.sunken(1, y0, 22, y1)
    p.text(4, (y0 + y1) // 2 - 2, text, ink)


def validate_edit():
    p = Picture()
    edit_field(p, 6, 16, "123", NAVY)
    p.fill(17, 8, 19, 14, RED)
    p.fill(18, 9, 18, 13, WHITE)
    return p


def ext_val_edit():
    p = Picture()
    p.text(1, 1, "ab", NAVY)
    p.sunken(1, 8, 15, 18)
    p.text(3, 11, "12", BLACK)
    p.raised(16, 8, 22, 18, TEAL)
    p.text(18, 11, "x", WHITE)
    return p


def db_ext_val_edit():
    p = ext_val_edit()
    p.fill(12, 0, 22, 6, SILVER)
    p.disc(18, 3, 3, OLIVE)
    p.fill(15, 2, 21, 4, YELLOW)
    p.fill(15, 3, 21, 3, OLIVE)
    return p


def rich_rows(p, x0, y0, x1, rows, height):
    colours = [(RED, WHITE), (LIME, YELLOW), (BLUE, AQUA), (FUCHSIA, WHITE)]
    for i in range(rows):
        y = y0 + i * height
        mark, back = colours[i % len(colours)]
        p.fill(x0, y, x1, y + height - 2, back)
        p.fill(x0 + 1, y + 1, x0 + height - 3, y + height - 3, mark)
        p.fill(x0 + height, y + height // 2 - 1, x1 - 2, y + height // 2 - 1, BLACK)


def rich_list():
    p = Picture()
    p.sunken(1, 1, 22, 22)
    rich_rows(p, 3, 3, 20, 4, 5)
    p.fill(3, 8, 20, 11, NAVY)
    p.fill(4, 9, 5, 10, LIME)
    p.fill(8, 9, 18, 9, WHITE)
    return p


def rich_combo():
    p = Picture()
    p.sunken(1, 1, 22, 8)
    p.fill(3, 3, 5, 6, RED)
    p.fill(8, 4, 15, 4, BLACK)
    p.raised(16, 2, 21, 7)
    p.fill(17, 4, 20, 4, BLACK)
    p.fill(18, 5, 19, 5, BLACK)
    p.frame(1, 9, 22, 22, BLACK)
    p.fill(2, 10, 21, 21, WHITE)
    rich_rows(p, 3, 11, 20, 2, 5)
    return p


def check_box():
    p = Picture()
    p.sunken(2, 6, 12, 16)
    p.line(4, 11, 6, 13, GREEN)
    p.line(6, 13, 10, 8, GREEN)
    p.line(4, 10, 6, 12, GREEN)
    p.line(6, 12, 10, 7, GREEN)
    p.fill(14, 10, 22, 11, BLACK)
    p.frame(1, 5, 13, 17, NAVY)
    return p


def main_menu():
    p = Picture()
    p.fill(0, 2, 23, 8, TEAL)
    p.text(1, 3, "F", WHITE)
    p.text(7, 3, "E", WHITE)
    p.fill(12, 2, 23, 8, NAVY)
    p.text(14, 3, "A", YELLOW)
    p.raised(11, 9, 23, 22, WHITE)
    for y in (12, 15, 18):
        p.fill(13, y, 20, y, BLACK)
    p.fill(12, 14, 21, 16, TEAL)
    p.fill(13, 15, 20, 15, WHITE)
    return p


def printer():
    p = Picture()
    p.fill(6, 1, 17, 9, WHITE)
    p.frame(6, 1, 17, 9, BLACK)
    for y in (3, 5, 7):
        p.fill(8, y, 15, y, GREY)
    p.raised(1, 9, 22, 19, SILVER)
    p.fill(4, 12, 19, 13, BLACK)
    p.fill(18, 16, 20, 17, LIME)
    p.fill(6, 17, 17, 22, WHITE)
    p.frame(6, 17, 17, 22, BLACK)
    return p


def frame_panel():
    p = Picture()
    p.raised(1, 1, 22, 22, TEAL)
    p.sunken(4, 4, 19, 19, SILVER)
    p.frame(7, 7, 16, 16, NAVY)
    return p


def image():
    p = Picture()
    p.frame(1, 1, 22, 22, BLACK)
    p.fill(2, 2, 21, 21, AQUA)
    p.disc(16, 7, 3, YELLOW)
    for x in range(2, 22):
        top = 14 + abs(x - 9) // 2 if x < 15 else 12 + abs(x - 18) // 2
        p.fill(x, top, x, 21, GREEN)
    p.fill(2, 19, 21, 21, OLIVE)
    return p


def grid_cells(p, cols, rows, fixed, colours):
    cw, ch = 22 // cols, 22 // rows
    for r in range(rows):
        for c in range(cols):
            x, y = 1 + c * cw, 1 + r * ch
            face = SILVER if r == 0 or c == 0 else colours(r, c)
            p.fill(x, y, x + cw - 1, y + ch - 1, face)
            p.frame(x, y, x + cw - 1, y + ch - 1, fixed)


def string_grid():
    p = Picture()
    grid_cells(p, 3, 4, GREY, lambda r, c: YELLOW if (r, c) == (2, 1) else WHITE)
    p.text(9, 8, "ab", BLACK)
    p.text(16, 13, "1", RED)
    return p


def db_grid():
    p = Picture()
    grid_cells(p, 3, 4, GREY, lambda r, c: AQUA if r == 2 else WHITE)
    p.fill(2, 13, 5, 16, SILVER)
    p.fill(3, 14, 3, 15, BLACK)
    p.fill(4, 14, 4, 15, BLACK)
    p.disc(18, 19, 3, OLIVE)
    p.fill(15, 18, 21, 19, YELLOW)
    return p


def scroll_text():
    p = Picture(NAVY)
    p.frame(0, 0, 23, 23, GREY)
    p.text(-1, 9, "TEXT", YELLOW)
    for x, y in ((17, 9), (18, 10), (19, 11), (18, 12), (17, 13)):
        p.fill(x, y, x + 1, y, WHITE)
    p.fill(20, 9, 21, 13, NAVY)
    return p


def digit():
    p = Picture(BLACK)
    p.frame(0, 3, 23, 20, GREY)
    segments = {"a": (2, 5, 7, 5), "b": (8, 6, 8, 11), "c": (8, 13, 8, 17), "d": (2, 18, 7, 18),
                "e": (1, 13, 1, 17), "f": (1, 6, 1, 11), "g": (2, 12, 7, 12)}
    for offset, lit in ((2, "abcdefg"), (12, "bc")):
        for name, (x0, y0, x1, y1) in segments.items():
            p.fill(x0 + offset, y0, x1 + offset, y1, RED if name in lit else MAROON)
    p.fill(11, 18, 11, 18, RED)
    return p


def histogram():
    p = Picture(WHITE)
    p.fill(3, 1, 3, 21, BLACK)
    p.fill(3, 21, 22, 21, BLACK)
    for x, top, c in ((5, 14, BLUE), (9, 6, RED), (13, 10, BLUE), (17, 3, RED)):
        p.fill(x, top, x + 2, 20, c)
    for y in (6, 11, 16):
        for x in range(4, 23, 2):
            if p.px[y][x] == WHITE:
                p.dot(x, y, SILVER)
    return p


def tacho():
    p = Picture()
    cx, cy, r = 11, 17, 10
    for angle in range(0, 181):
        a = math.radians(angle)
        for rr in (r, r - 1):
            p.dot(round(cx + rr * math.cos(a)), round(cy - rr * math.sin(a)), BLACK)
    p.fill(cx - r, cy + 1, cx + r, cy + 1, BLACK)
    for k in range(0, 181, 30):
        a = math.radians(k)
        p.line(round(cx + (r - 3) * math.cos(a)), round(cy - (r - 3) * math.sin(a)),
               round(cx + (r - 2) * math.cos(a)), round(cy - (r - 2) * math.sin(a)), NAVY)
    p.line(cx, cy, cx + 6, cy - 6, RED)
    p.line(cx + 1, cy, cx + 6, cy - 5, RED)
    p.disc(cx, cy, 1.5, BLACK)
    return p


def progress_bar():
    p = Picture()
    p.sunken(0, 7, 23, 16, SILVER)
    for x in range(2, 17, 4):
        p.fill(x, 9, x + 2, 14, NAVY)
    return p


def led():
    p = Picture()
    p.disc(11.5, 11.5, 9, GREY)
    p.disc(11.5, 11.5, 8, BLACK)
    p.disc(11.5, 11.5, 7, RED)
    p.disc(9, 9, 2.5, WHITE)
    return p


def arrow():
    p = Picture()
    p.line(3, 20, 17, 6, NAVY)
    p.line(4, 20, 18, 6, NAVY)
    p.line(3, 19, 17, 5, NAVY)
    for i in range(7):
        p.fill(20 - 7 + i, 3 + i, 20, 3 + i, BLUE)
    p.fill(19, 3, 20, 10, BLUE)
    return p


def effect():
    p = Picture()
    for y in range(24):
        for x in range(24):
            p.dot(x, y, BLUE if (x + y) < 16 else NAVY if (x + y) < 32 else TEAL)
    p.fill(7, 7, 19, 19, BLACK)
    p.raised(5, 5, 17, 17, SILVER)
    return p


def dialog_window(p, title):
    p.fill(1, 1, 22, 22, SILVER)
    p.frame(0, 0, 23, 23, BLACK)
    p.fill(1, 1, 22, 5, NAVY)
    p.text(2, 1, title, WHITE)
    p.fill(19, 2, 21, 4, SILVER)


def zeilen_dialog():
    p = Picture()
    dialog_window(p, "")
    p.sunken(3, 8, 20, 13)
    p.fill(5, 10, 12, 10, BLACK)
    p.raised(3, 16, 10, 21)
    p.raised(13, 16, 20, 21)
    return p


def memo_dialog():
    p = Picture()
    dialog_window(p, "")
    p.sunken(3, 7, 20, 16)
    for y in (9, 11, 13):
        p.fill(5, y, 17 - (y % 3) * 2, y, BLACK)
    p.raised(3, 17, 10, 22)
    p.raised(13, 17, 20, 22)
    return p


def lingua():
    p = Picture()
    p.raised(1, 2, 13, 12, WHITE)
    p.text(3, 4, "A", NAVY)
    p.text(8, 4, "B", NAVY)
    p.raised(10, 11, 22, 21, YELLOW)
    p.text(12, 14, "a", MAROON)
    p.text(17, 14, "b", MAROON)
    p.line(5, 14, 5, 18, GREEN)
    p.line(5, 18, 8, 18, GREEN)
    p.line(7, 16, 8, 18, GREEN)
    return p


def year_calendar():
    p = Picture(WHITE)
    p.frame(0, 0, 23, 23, BLACK)
    p.fill(1, 1, 22, 5, MAROON)
    p.text(5, 1, "12", WHITE)
    for r in range(4):
        for c in range(5):
            x, y = 2 + c * 4, 8 + r * 4
            p.fill(x, y, x + 2, y + 2, RED if (r, c) == (2, 3) else GREY if c == 4 else SILVER)
    return p


def calculator():
    p = Picture()
    p.raised(2, 0, 21, 23, GREY)
    p.sunken(4, 2, 19, 7, LIME)
    p.text(12, 2, "12", BLACK)
    for r in range(3):
        for c in range(3):
            x, y = 4 + c * 6, 9 + r * 5
            p.raised(x, y, x + 4, y + 3, RED if (r, c) == (2, 2) else SILVER)
    return p


def schiebefix():
    p = Picture()
    p.frame(0, 0, 23, 23, BLACK)
    n = 1
    for r in range(3):
        for c in range(3):
            x, y = 1 + c * 7, 1 + r * 7
            if (r, c) == (2, 2):
                p.fill(x, y, x + 6, y + 6, GREY)
                continue
            p.fill(x, y, x + 6, y + 6, YELLOW if (r + c) % 2 else WHITE)
            p.frame(x, y, x + 6, y + 6, OLIVE)
            p.text(x + 2, y + 1, str(n), NAVY)
            n += 1
    return p


def gif_button():
    p = Picture()
    p.raised(0, 3, 23, 20, SILVER)
    p.text(3, 9, "GIF", PURPLE)
    p.disc(18, 11.5, 3, LIME)
    p.disc(18, 11.5, 1, GREEN)
    return p


PICTURES = {
    "TLUMVALIDATEEDIT": validate_edit, "TLUMEXTVALEDIT": ext_val_edit,
    "TLUMDBEXTVALEDIT": db_ext_val_edit, "TLUMLIST": rich_list, "TLUMCOMBOBOX": rich_combo,
    "TLUMCHECKBOX": check_box, "TLUMMAINMENU": main_menu, "TLUMPRINTER": printer,
    "TLUMFRAME": frame_panel, "TLUMIMAGE": image, "TLUMSTRINGGRID": string_grid,
    "TLUMDBGRID": db_grid, "TLUMSCROLLTEXT": scroll_text, "TLUMDIGIT": digit,
    "TLUMHISTOGRAM": histogram, "TLUMTACHO": tacho, "TLUMPROGRESSBAR": progress_bar,
    "TLUMLED": led, "TLUMARROW": arrow, "TLUMEFFECT": effect,
    "TLUMZEILENDIALOG": zeilen_dialog, "TLUMMEMODIALOG": memo_dialog, "TLUMLINGUA": lingua,
    "TLUMYEARCALENDAR": year_calendar, "TLUMCALCULATOR": calculator,
    "TLUMSCHIEBEFIXSPIEL": schiebefix, "TLUMGIFBUTTON": gif_button,
}


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
    for name, draw in PICTURES.items():
        with open(os.path.join(folder, name + ".bmp"), "wb") as f:
            f.write(bmp_bytes(draw().px))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Writes the picture browser's bitmaps and icon from the drawings below.

CRAN: the film perforation tiled across the picture strip, 16 x 13, 24 bits.
hessam.bmp: the picture button beside the pages (shipped in the program folder).
PROGRAM: the 32 x 32 icon, 24 bits, ' ' transparent.
Run it from this folder after changing a drawing.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
from drawn_images import bmp24, icon  # noqa: E402


FILM = {".": (0, 0, 0), "o": (235, 235, 225), "g": (60, 60, 60)}
CRAN = [
    "................",
    "................",
    "................",
    "....gooooooog...",
    "....oooooooooo..",
    "....oooooooooo..",
    "....oooooooooo..",
    "....oooooooooo..",
    "....oooooooooo..",
    "....gooooooog...",
    "................",
    "................",
    "................",
]

BUTTON = {"#": (30, 30, 30), "s": (120, 170, 230), "m": (70, 120, 70), "y": (250, 220, 60), "w": (255, 255, 255)}


def button_rows():
    w, h = 48, 36
    rows = []
    for y in range(h):
        row = ""
        for x in range(w):
            if x in (0, w - 1) or y in (0, h - 1):
                row += "#"
            elif 3 <= x <= 9 and 3 <= y <= 9 and (x - 6) ** 2 + (y - 6) ** 2 <= 9:
                row += "y"
            elif y > 20 + abs(x - 24) // 3:
                row += "m"
            elif y > 32 - abs(x - 36) // 2 and x > 28:
                row += "m"
            else:
                row += "s"
        rows.append(row)
    return rows


ICON = {" ": (255, 0, 255), "#": (20, 20, 20), "w": (250, 250, 250), "b": (80, 140, 220), "g": (60, 150, 70)}


def icon_rows():
    rows = []
    for y in range(32):
        row = ""
        for x in range(32):
            if y < 4 or y > 27:
                row += " "
            elif y in (4, 5, 26, 27):
                row += "w" if x % 4 == 1 else "#"
            elif x in (0, 1, 30, 31):
                row += "#"
            elif x in (15, 16):
                row += "#"
            else:
                row += "g" if y > 18 else "b"
        rows.append(row)
    return rows


bmp24("cran.bmp", CRAN, FILM)
bmp24("../hessam.bmp", button_rows(), BUTTON)
icon("program.ico", icon_rows(), ICON)

#!/usr/bin/env python3
"""Writes the picture tool's bitmaps, cursors and icon from the drawings below.

Tool bitmaps: 16 x 16, 24 bits, magenta (255, 0, 255) is transparent.
The colour chart (COLOR) and the pipette's shape (CIRCLE) are computed below.
Cursors: 32 x 32 monochrome; '#' black, '.' white, ' ' transparent; 'X' marks the hot spot
(black). Run it from this folder after changing a drawing.
"""
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
from drawn_images import bmp24, icon  # noqa: E402

MAGENTA = (255, 0, 255)


def cursor(path, rows):
    size = 32
    rows = [r.ljust(size)[:size] for r in rows] + [" " * size] * (size - len(rows))
    hot = (0, 0)
    for y, r in enumerate(rows):
        if "X" in r:
            hot = (r.index("X"), y)
    xor = b""
    andm = b""
    for r in reversed(rows):
        xbits = abits = 0
        for x, c in enumerate(r):
            bit = 1 << (31 - x)
            if c == ".":
                xbits |= bit
            elif c == " ":
                abits |= bit
        xor += struct.pack(">I", xbits)
        andm += struct.pack(">I", abits)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, len(xor) + len(andm), 0, 0, 2, 0)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    image = info + palette + xor + andm
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, hot[0], hot[1], len(image), 6 + 16)
    open(path, "wb").write(header + entry + image)


TOOL_PALETTE = {" ": MAGENTA, "#": (20, 20, 20), "r": (200, 30, 30), "b": (40, 70, 200), "g": (30, 140, 60)}

TOOLS = {
    "tooltxt.bmp": [
        "                ", "                ", "  ############  ", "  ############  ", "  ##   ##   ##  ",
        "  #    ##    #  ", "       ##       ", "       ##       ", "       ##       ", "       ##       ",
        "       ##       ", "       ##       ", "      ####      ", "     ######     ", "                ",
        "                "],
    "ellipse.bmp": [
        "                ", "                ", "     ######     ", "   ##      ##   ", "  #          #  ",
        " #            # ", " #            # ", " #            # ", " #            # ", " #            # ",
        "  #          #  ", "   ##      ##   ", "     ######     ", "                ", "                ",
        "                "],
    "rect.bmp": [
        "                ", "                ", " ############## ", " #            # ", " #            # ",
        " #            # ", " #            # ", " #            # ", " #            # ", " #            # ",
        " #            # ", " #            # ", " ############## ", "                ", "                ",
        "                "],
    "curve.bmp": [
        "                ", "          ###   ", "        ##   #  ", "       #      # ", "      #       # ",
        "      #        #", "     #         ", "     #         ", "    #          ", "    #          ",
        "   #           ", "  #            ", " ##            ", "#              ", "               ",
        "               "],
    "arrow.bmp": [
        "                ", "                ", "          ####  ", "            ##  ", "           # #  ",
        "          #  #  ", "         #      ", "        #       ", "       #        ", "      #         ",
        "     #          ", "    #           ", "   #            ", "  #             ", "                ",
        "                "],
    "polyline.bmp": [
        "                ", "                ", "  #             ", "  ##          # ", "  # #        ## ",
        "  #  #      # # ", "  #   #    #  # ", "  #    #  #   # ", "  #     ##    # ", "  #           # ",
        "  #           # ", "  #           # ", "  ############# ", "                ", "                ",
        "                "],
}

CURSORS = {
    "move.cur": [
        "     X          ", "    #.#         ", "   #...#        ", "  #..#..#       ", "    #.#         ",
        " #  #.#  #      ", "#.###.###.#     ", "#.........#     ", "#.###.###.#     ", " #  #.#  #      ",
        "    #.#         ", "  #..#..#       ", "   #...#        ", "    #.#         ", "     #          "],
    "hand1.cur": [
        "    ##          ", "   #..#         ", "   #..#         ", "   #..###       ", "   #..#..###    ",
        "   #..#..#..##  ", "## X..#..#..#.# ", "#..#........#..#", "#...#..........#", " #.............#",
        "  #............#", "  #...........# ", "   #..........# ", "    #........#  ", "     #.......#  ",
        "     ########   "],
    "hand2.cur": [
        "                ", "                ", "                ", "    ## ##       ", "   #..#..###    ",
        "   #..#..#..##  ", "   X.......#.#  ", "  ##..........# ", " #.#..........# ", " #............# ",
        "  #...........# ", "   #.........#  ", "    #........#  ", "     #.......#  ", "     #########  "],
    "minicrx.cur": [
        "       #       ", "       #       ", "       #       ", "       #       ", "       #       ",
        "               ", "               ", "#####  X  #####", "               ", "               ",
        "       #       ", "       #       ", "       #       ", "       #       ", "       #       "],
    "eye.cur": [
        "                ", "     ######     ", "   ##......##   ", "  #...####...#  ", " #...#....#...# ",
        "#...#..##..#...#", "#...#.#X##.#...#", "#...#..##..#...#", " #...#....#...# ", "  #...####...#  ",
        "   ##......##   ", "     ######     "],
    "handex.cur": [
        "X#              ", "#.#             ", "#..#            ", "#...#           ", "#....#          ",
        "#.....#         ", "#......#        ", "#.......#       ", "#....#####      ", "#.#..#          ",
        "##  #..#        ", "     #..#  ### ", "      #..# #.# ", "      ##  ##.##", "          #...#",
        "          ##.##", "           #.# ", "           ### "],
}

ICON_PALETTE = {" ": (0, 0, 0), "f": (60, 70, 90), "s": (120, 180, 230), "g": (60, 150, 70), "y": (240, 210, 60),
                "w": (250, 250, 250), "r": (210, 50, 40)}
ICON = [
    "                                ",
    "  ffffffffffffffffffffffffffff  ",
    "  fwwwwwwwwwwwwwwwwwwwwwwwwwwf  ",
    "  fwssssssssssssssssssssssssw f ",
    "  fwsssssssssssssssssyyysssswf  ",
    "  fwssssssssssssssssyyyyysssswf ",
    "  fwssssssssssssssssyyyyyssswf  ",
    "  fwsssssssssssssssssyyyssssswf ",
    "  fwssssssssssssssssssssssssswf ",
    "  fwsssssssgsssssssssssssssswf  ",
    "  fwssssssgggssssssssssssssswf  ",
    "  fwsssssgggggssssssgssssssswf  ",
    "  fwssssgggggggssssgggsssssswf  ",
    "  fwsssgggggggggssgggggsssswf   ",
    "  fwssgggggggggggggggggggsswf   ",
    "  fwsgggggggggggggggggggggswf   ",
    "  fwgggggggggggggggggggggggwf   ",
    "  fwgggggggggggggggggggggggwf   ",
    "  fwwwwwwwwwwwwwwwwwwwwwwwwwf   ",
    "  ffffffffffffffffffffffffff    ",
    "                       rr       ",
    "                      rrrr      ",
    "                     rrrr       ",
    "                    rrrr        ",
    "                   rrrr         ",
    "                  rrrr          ",
    "                 rrrr           ",
    "                ffff            ",
    "               fff              ",
    "              ff                ",
    "                                ",
    "                                ",
]


def bmp24_pixels(path, w, h, pixel):
    """A 24-bit BMP whose pixel (x, y), y from the top, is pixel(x, y) as (r, g, b)."""
    rows = []
    for y in range(h):
        rows.append([pixel(x, y) for x in range(w)])
    palette = {}
    coded = []
    for row in rows:
        line = ""
        for c in row:
            key = palette.setdefault(c, chr(0x100 + len(palette)))
            line += key
        coded.append(line)
    bmp24(path, coded, {v: k for k, v in palette.items()})


def chart_colour(x, y, w=128, h=96):
    """The colour chart: the hue runs from left to right; the top half goes from white to
    the full colour, the bottom half from the full colour to black. Row h / 2 holds the
    full colours: (0, h / 2) is pure red, (0, 0) white, (0, h - 1) nearly black."""
    hue = x * 6.0 / w
    sector, f = int(hue), hue - int(hue)
    full = [(1, f, 0), (1 - f, 1, 0), (0, 1, f), (0, 1 - f, 1), (f, 0, 1), (1, 0, 1 - f)][sector]
    half = h // 2
    if y <= half:
        t = y / half
        c = [1 - t + t * v for v in full]
    else:
        t = (y - half) / half
        c = [v * (1 - t) for v in full]
    return tuple(int(round(v * 255)) for v in c)


def circle_pixel(x, y, size=24):
    """The pipette's shape: a disc; magenta outside is transparent."""
    r = size / 2.0
    inside = (x + 0.5 - r) ** 2 + (y + 0.5 - r) ** 2 <= (r - 0.5) ** 2
    return (0, 0, 0) if inside else MAGENTA


PIPETTE = [
    "                          ###   ",
    "                         #####  ",
    "                        ####### ",
    "                     ## ####### ",
    "                    ###.######  ",
    "                     #....###   ",
    "                     #....#     ",
    "                    #....#      ",
    "                   #...#.#      ",
    "                  #...# ##      ",
    "                 #...#          ",
    "                #...#           ",
    "               #...#            ",
    "              #...#             ",
    "             #...#              ",
    "            #...#               ",
    "           #...#                ",
    "          #...#                 ",
    "         #...#                  ",
    "        #...#                   ",
    "       #...#                    ",
    "      #...#                     ",
    "     #...#                      ",
    "    #...#                       ",
    "   #...#                        ",
    "  #...#                         ",
    " #..#                           ",
    "X.#                             ",
    "##                              ",
]


def main():
    bmp24_pixels("color.bmp", 128, 96, chart_colour)
    bmp24_pixels("circle.bmp", 24, 24, circle_pixel)
    cursor("pipette.cur", PIPETTE)
    for name, rows in TOOLS.items():
        bmp24(name, [r.ljust(16)[:16] for r in rows], TOOL_PALETTE)
    for name, rows in CURSORS.items():
        cursor(name, rows)
    icon("program.ico", [r.ljust(32)[:32] for r in ICON], ICON_PALETTE)


if __name__ == "__main__":
    main()

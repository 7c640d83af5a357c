"""The drawn images of the programs' resource scripts: 24-bit bitmaps and 32 x 32 icons
from rows of characters, each character a colour of the palette."""
import struct


def bmp24(path, rows, palette):
    h = len(rows)
    w = len(rows[0])
    stride = (w * 3 + 3) & ~3
    pixels = b""
    for row in reversed(rows):
        line = b"".join(bytes(reversed(palette[c])) for c in row)
        pixels += line + b"\0" * (stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    open(path, "wb").write(header + info + pixels)


def icon(path, rows, palette):
    size = 32
    xor = b""
    andm = b""
    for r in reversed(rows):
        xor += b"".join(bytes(reversed(palette[c])) for c in r)
        abits = 0
        for x, c in enumerate(r):
            if c == " ":
                abits |= 1 << (31 - x)
        andm += struct.pack(">I", abits)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 24, 0, len(xor) + len(andm), 0, 0, 0, 0)
    image = info + xor + andm
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 24, len(image), 6 + 16)
    open(path, "wb").write(header + entry + image)

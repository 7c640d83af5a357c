#!/usr/bin/env python3
"""Draws the players' pane pictures of the suite's skins (24-bit Windows bitmaps, magenta
transparent) and writes each skin's pane description. Run from the project folder:
    python3 scripts/make_pane_pictures.py
"""
import os
import struct

MAGENTA = (255, 0, 255)


class Picture:
    def __init__(self, width, height, fill=MAGENTA):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x, y, w, h, colour):
        for yy in range(y, y + h):
            for xx in range(x, x + w):
                self.put(xx, yy, colour)

    def frame(self, x, y, w, h, light, dark):
        for xx in range(x, x + w):
            self.put(xx, y, light)
            self.put(xx, y + h - 1, dark)
        for yy in range(y, y + h):
            self.put(x, yy, light)
            self.put(x + w - 1, yy, dark)

    def rounded(self, w, h, radius, colour):
        for y in range(h):
            for x in range(w):
                cx = min(max(x, radius), w - 1 - radius)
                cy = min(max(y, radius), h - 1 - radius)
                if (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius:
                    self.put(x, y, colour)

    def triangle(self, x, y, w, h, colour, left=False):
        # Pointing right (its tip at x + w - 1), or left (its tip at x).
        for xx in range(w):
            half = (h * (xx + 1)) // (2 * w) if left else (h * (w - xx)) // (2 * w)
            for yy in range(h // 2 - half, h // 2 + half):
                self.put(x + xx, y + yy, colour)

    def ring(self, cx, cy, r, colour, width=2):
        for y in range(cy - r - 1, cy + r + 2):
            for x in range(cx - r - 1, cx + r + 2):
                d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
                if r - width < d <= r:
                    self.put(x, y, colour)

    def save(self, path):
        stride = (self.width * 3 + 3) & ~3
        size = 54 + stride * self.height
        data = bytearray(b"BM" + struct.pack("<IHHI", size, 0, 0, 54))
        data += struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, stride * self.height, 2835, 2835, 0, 0)
        for row in reversed(self.pixels):
            line = bytearray()
            for r, g, b in row:
                line += bytes((b, g, r))
            data += line + b"\0" * (stride - len(line))
        with open(path, "wb") as f:
            f.write(data)


PANE_W, PANE_H = 320, 104
BUTTON_W, BUTTON_H = 24, 20
BUTTON_Y = 50
ROW2_Y = 78
# Button ids and their x on the pane (pairs of buttons that swap share a place), the same
# for every bar.
BUTTONS = {55: 12, 51: 40, 52: 40, 56: 68, 71: 96, 67: 124, 57: 152, 53: 180, 54: 208, 61: 236, 62: 236, 74: 264}
# The media player's bars place some buttons by bar: (x, y) for the web bar (style 1), the
# media bar (style 2, the audio player's) and the picture bar (style 4). The web bar's
# page buttons take a second row, where the index page buttons (48 to 50) follow them; on
# the other bars these stand between the position bar and the volume bar.
POSITION_X, POSITION_W = 14, 120
VOLUME_W = 60
INDEX_X = POSITION_X + POSITION_W + 6
VOLUME_X = INDEX_X + 3 * 26 + 4
BAR_BUTTONS = {
    73: ((292, BUTTON_Y),) * 3,
    68: ((236, BUTTON_Y), (152, BUTTON_Y), (152, BUTTON_Y)),
    72: ((264, BUTTON_Y), (292, BUTTON_Y), (292, BUTTON_Y)),
    63: ((292, BUTTON_Y),) * 3,
    69: ((12, ROW2_Y),) * 3,
    64: ((40, ROW2_Y),) * 3,
    70: ((68, ROW2_Y),) * 3,
    65: ((96, ROW2_Y),) * 3,
    66: ((124, ROW2_Y),) * 3,
    48: ((152, ROW2_Y), (INDEX_X, ROW2_Y), (INDEX_X, ROW2_Y)),
    49: ((180, ROW2_Y), (INDEX_X + 26, ROW2_Y), (INDEX_X + 26, ROW2_Y)),
    50: ((208, ROW2_Y), (INDEX_X + 52, ROW2_Y), (INDEX_X + 52, ROW2_Y)),
}


def glyph(id, ink):
    p = Picture(BUTTON_W, BUTTON_H)
    if id == 51:
        p.triangle(8, 4, 9, 12, ink)
    elif id == 52:
        p.rect(7, 4, 3, 12, ink)
        p.rect(14, 4, 3, 12, ink)
    elif id == 55:
        p.triangle(4, 4, 8, 12, ink, left=True)
        p.triangle(12, 4, 8, 12, ink, left=True)
    elif id == 56:
        p.triangle(4, 4, 8, 12, ink)
        p.triangle(12, 4, 8, 12, ink)
    elif id == 71:
        p.rect(7, 5, 10, 10, ink)
    elif id == 67:
        p.rect(4, 6, 16, 10, ink)
        p.rect(4, 4, 7, 2, ink)
    elif id == 57:
        p.ring(12, 10, 6, ink)
        p.triangle(14, 2, 5, 6, ink)
    elif id == 53:
        for i, h in enumerate((6, 10, 4, 8, 12)):
            p.rect(4 + i * 3, 16 - h, 2, h, ink)
    elif id == 54:
        for i, h in enumerate((12, 8, 10, 5, 7, 3)):
            p.rect(3 + i * 3, 16 - h, 2, h, ink)
    elif id in (61, 62):
        p.rect(5, 7, 4, 6, ink)
        p.triangle(8, 3, 6, 14, ink, left=True)
        if id == 62:
            p.ring(12, 10, 6, ink, 1)
            p.rect(4, 3, 2, 0, ink)
        else:
            for d in range(6):
                p.put(15 + d, 7 + d, ink)
                p.put(20 - d, 7 + d, ink)
    elif id == 74:
        p.ring(12, 8, 5, ink)
        p.rect(4, 8, 8, 5, MAGENTA)
        p.rect(11, 12, 2, 2, ink)
        p.rect(11, 16, 2, 2, ink)
    elif id == 73:
        p.ring(12, 10, 6, ink)
        p.triangle(4, 2, 5, 6, ink, left=True)
    elif id == 68:
        p.rect(6, 3, 12, 6, ink)
        p.rect(3, 9, 18, 7, ink)
        p.rect(7, 12, 10, 2, MAGENTA)
    elif id == 72:
        p.frame(4, 3, 11, 13, ink, ink)
        p.rect(9, 6, 11, 12, ink)
    elif id == 63:
        p.rect(3, 6, 18, 11, ink)
        p.ring(12, 11, 4, MAGENTA, 2)
        p.rect(8, 3, 8, 3, ink)
    elif id == 69:
        p.rect(6, 4, 12, 12, ink)
        p.rect(9, 7, 6, 6, MAGENTA)
    elif id == 64:
        p.ring(12, 10, 7, ink)
        p.triangle(15, 1, 6, 8, ink)
    elif id == 70:
        p.rect(11, 3, 3, 9, ink)
        p.rect(11, 14, 3, 3, ink)
    elif id in (65, 66):
        size = 12 if id == 65 else 7
        p.rect(12 - size // 2, 16 - size, size, 2, ink)
        p.rect(11, 16 - size, 2, size, ink)
    elif id in (48, 49, 50):
        for n in range(id - 47):
            p.rect(6 + n * 5, 4, 3, 12, ink)
    return p


def make_skin(folder, name, body, edge_light, edge_dark, screen, ink, lit):
    out = os.path.join(folder, "pane")
    os.makedirs(out, exist_ok=True)
    entries = {}  # id -> (file, x, y) or (file, [(x, y) per style index])

    def pane(sound):
        p = Picture(PANE_W, PANE_H)
        p.rounded(PANE_W, PANE_H, 10, edge_dark)
        inner = Picture(PANE_W - 2, PANE_H - 2)
        inner.rounded(PANE_W - 2, PANE_H - 2, 9, body)
        for y in range(PANE_H - 2):
            for x in range(PANE_W - 2):
                if inner.pixels[y][x] != MAGENTA:
                    p.put(x + 1, y + 1, inner.pixels[y][x])
        # The title screen; in the sound mode lit, with room for the VU window at its right.
        p.rect(36, 8, 228 if sound else 272, 24, lit if sound else screen)
        p.frame(36, 8, 228 if sound else 272, 24, edge_dark, edge_light)
        if sound:
            p.rect(272, 4, 40, 40, MAGENTA)
        p.frame(8, 76, PANE_W - 16, 20, edge_dark, edge_light)
        return p

    pane(False).save(os.path.join(out, "idle.bmp"))
    pane(True).save(os.path.join(out, "sound.bmp"))
    for id, x in BUTTONS.items():
        glyph(id, ink).save(os.path.join(out, "b%d.bmp" % id))
        entries[id] = ("b%d.bmp" % id, x, BUTTON_Y)
    for id, places in BAR_BUTTONS.items():
        glyph(id, ink).save(os.path.join(out, "b%d.bmp" % id))
        entries[id] = ("b%d.bmp" % id, list(places))
    # The bars' channels, their thumbs, the repeat check, the effects window's thumb.
    channel = Picture(POSITION_W, 8, body)
    channel.rect(0, 3, POSITION_W, 2, edge_dark)
    channel.save(os.path.join(out, "position.bmp"))
    entries[77] = ("position.bmp", POSITION_X, 80)
    volume = Picture(VOLUME_W, 8, body)
    volume.triangle(0, 0, VOLUME_W, 8, edge_dark, left=True)  # growing to the right
    volume.save(os.path.join(out, "volume.bmp"))
    # The web bar has no position bar: its volume bar stands after the index page buttons.
    entries[76] = ("volume.bmp", [(236, 80), (VOLUME_X, 80), (VOLUME_X, 80)])
    for id, file in ((79, "thumb.bmp"), (80, "vthumb.bmp")):
        t = Picture(10, 14, ink)
        t.frame(0, 0, 10, 14, edge_light, edge_dark)
        t.save(os.path.join(out, file))
        entries[id] = (file, 0, 0)
    fx = Picture(16, 10, ink)
    fx.frame(0, 0, 16, 10, edge_light, edge_dark)
    fx.save(os.path.join(out, "fxthumb.bmp"))
    entries[75] = ("fxthumb.bmp", 0, 0)
    check = Picture(14, 14, screen)
    check.frame(0, 0, 14, 14, edge_dark, edge_light)
    check.save(os.path.join(out, "repeat.bmp"))
    entries[78] = ("repeat.bmp", 292, 78)
    # The animation: four frames of a turning bar.
    strip = Picture(80, 20)
    for frame in range(4):
        strip.ring(frame * 20 + 10, 10, 8, ink)
        dx, dy = ((0, -6), (5, -5), (6, 0), (5, 5))[frame]
        for step in range(7):
            strip.put(frame * 20 + 10 + dx * step // 6, 10 + dy * step // 6, ink)
    strip.save(os.path.join(out, "spin.bmp"))
    entries[81] = ("spin.bmp", 10, 10)
    vu = Picture(40, 40)
    vu.rounded(40, 40, 6, screen)
    vu.frame(2, 2, 36, 36, edge_dark, edge_light)
    vu.save(os.path.join(out, "vu.bmp"))
    entries[82] = ("vu.bmp", 272, 4)
    marquee = Picture(220, 16, lit)
    marquee.save(os.path.join(out, "marquee.bmp"))
    entries[83] = ("marquee.bmp", 40, 12)
    # Entry 2: field id - 47 gives k; the element is entry k + 2.
    ids = sorted(entries)
    fields = ["0"] * (max(ids) - 47)
    lines = []
    for k, id in enumerate(ids, start=1):
        fields[id - 48] = str(k)
        entry = entries[id]
        file, places = entry[0], entry[1] if len(entry) == 2 else [(entry[1], entry[2])]
        pairs = ",".join("%d,%d" % place for place in places)
        lines.append('STRING %d "e%d,@path@%s\\pane\\%s,%s"' % (k + 2, id, name, file, pairs))
    panes = ["@path@%s\\pane\\idle.bmp" % name] * 8
    panes[3] = "@path@%s\\pane\\sound.bmp" % name
    with open(os.path.join(folder, "pane.txt"), "w", newline="\r\n") as f:
        f.write("# The players' pane of the %s skin (format: docs/skin-files.md).\n" % name)
        f.write('STRING 1 "%s"\n' % ",".join(panes))
        f.write('STRING 2 "%s"\n' % ",".join(fields))
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "browser", "skins")
    make_skin(os.path.join(here, "Slate"), "Slate", (0xDA, 0xE0, 0xE8), (0xFF, 0xFF, 0xFF), (0x2C, 0x3E, 0x56),
              (0x18, 0x20, 0x2C), (0x1E, 0x24, 0x30), (0x3A, 0x6E, 0xA5))
    make_skin(os.path.join(here, "Sand"), "Sand", (0xE8, 0xDC, 0xC0), (0xFF, 0xFA, 0xEE), (0x7A, 0x5C, 0x34),
              (0x3A, 0x2C, 0x1A), (0x4A, 0x36, 0x1E), (0xB0, 0x84, 0x48))

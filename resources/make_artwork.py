#!/usr/bin/env python3
"""Draws Tallimo's artwork and writes it as BMP and ICO files beside this script.

  logo.bmp            34 x 34, 16 colours: a disc on navy (main window and About box)
  banner.bmp          500 x 25, 256 colours: blue at both ends, yellow-green in the middle
  check.bmp           16 x 16, 16 colours: green check mark for the Drive dialog's button
  drive_*.bmp         16 x 16, 16 colours: removable, fixed, network, CD-ROM and RAM drives
  nfo_*.bmp           16 x 16, 16 colours: the NFO viewer's tool-bar buttons (close, notepad,
                      copy, smaller, larger), each also as nfo_*_off.bmp, greyed for disabled
  tallimo.ico         16 x 16 and 32 x 32, 32-bit with alpha

The 16-colour pictures other than the logo have a silver (192, 192, 192) background, which
LoadImage's LR_LOADMAP3DCOLORS turns into the button face and which serves as the colour key
for masked drawing. Run it again after a change: python3 resources/make_artwork.py
"""
import colorsys
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# The standard 16-colour palette, in its usual order.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
K, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = VGA16[0:8]
GRAY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = VGA16[8:16]


def nearest(palette, rgb):
    return min(range(len(palette)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], rgb)))


def bmp_bytes(width, height, bits, palette, indices):
    """An uncompressed palette BMP file; indices[y][x] with row 0 at the top."""
    row_bytes = ((width * bits + 31) // 32) * 4
    pixels = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray(row_bytes)
        for x in range(width):
            v = indices[y][x]
            if bits == 8:
                row[x] = v
            else:  # 4 bits, high nibble first
                row[x // 2] |= v << (4 if x % 2 == 0 else 0)
        pixels += row
    colours = len(palette)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(pixels), 2835, 2835,
                       colours, colours)
    offset = 14 + len(info) + len(pal)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return head + info + pal + pixels


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


def write_vga(name, rows):
    """rows: a list of rows of RGB colours, each quantised to the 16-colour palette."""
    indices = [[nearest(VGA16, c) for c in row] for row in rows]
    write(name, bmp_bytes(len(rows[0]), len(rows), 4, VGA16, indices))


def disc_colour(dx, dy, hole):
    """The disc's colour at (dx, dy), radius 1 at its rim; None outside it and in the hole."""
    r = math.hypot(dx, dy)
    if r > 1.0 or r < hole:
        return None
    if r > 0.9:
        return GRAY
    if r < hole + 0.1:
        return SILVER
    angle = math.atan2(dy, dx)
    sheen = math.cos(2 * (angle + 0.6))
    if sheen > 0.8:
        return WHITE
    if sheen > 0.55:
        return AQUA if r > 0.6 else YELLOW
    if sheen < -0.85:
        return LIME if r > 0.55 else AQUA
    return SILVER if sheen > -0.2 else (192, 192, 200)


def logo():
    size = 34
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            dx = (x + 0.5 - size / 2) / 15.5
            dy = (y + 0.5 - size / 2) / 15.5
            row.append(disc_colour(dx, dy, 0.2) or NAVY)
        rows.append(row)
    # A small yellow play mark on the lower right: the disc starts things.
    for y in range(21, 33):
        for x in range(22, 33):
            h = (y - 21) if y < 27 else (32 - y)
            if x - 22 <= h:
                edge = x - 22 == h or x == 22
                rows[y][x] = K if edge else YELLOW
    write_vga("logo.bmp", rows)


def banner():
    width, height = 500, 25
    # Through the hues from blue (240 degrees) over cyan and green to yellow-green (80), so
    # that the middle stays bright instead of turning grey.
    palette = []
    for i in range(256):
        t = i / 255
        r, g, b = colorsys.hsv_to_rgb((240 - 160 * t) / 360, 1.0 - 0.25 * t, 1.0 - 0.1 * t)
        palette.append((round(r * 255), round(g * 255), round(b * 255)))
    indices = []
    for _ in range(height):
        row = []
        for x in range(width):
            t = 1 - abs(2 * x / (width - 1) - 1)  # 0 at both ends, 1 in the middle
            row.append(round(t * 255))
        indices.append(row)
    write("banner.bmp", bmp_bytes(width, height, 8, palette, indices))


def segment_distance(px, py, ax, ay, bx, by):
    vx, vy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * vx + (py - ay) * vy) / (vx * vx + vy * vy)))
    return math.hypot(px - ax - t * vx, py - ay - t * vy)


def check():
    rows = []
    for y in range(16):
        row = []
        for x in range(16):
            px, py = x + 0.5, y + 0.5
            d = min(segment_distance(px, py, 2.5, 8.5, 6.0, 12.5),
                    segment_distance(px, py, 6.0, 12.5, 13.5, 3.0))
            row.append(LIME if d < 0.9 else GREEN if d < 1.9 else SILVER)
        rows.append(row)
    write_vga("check.bmp", rows)


PIXEL_COLOURS = {".": SILVER, "K": K, "D": GRAY, "W": WHITE, "N": NAVY, "B": BLUE, "G": GREEN,
                 "L": LIME, "Y": YELLOW, "R": RED, "A": AQUA, "T": TEAL, "O": OLIVE}

DRIVES = {
    "drive_removable.bmp": [
        "................",
        ".KKKKKKKKKKKKK..",
        ".KNNDDDDDDDNNNK.",
        ".KNNDWWWDKDNNNK.",
        ".KNNDWWWDKDNNNK.",
        ".KNNDWWWDKDNNNK.",
        ".KNNDDDDDDDNNNK.",
        ".KNNNNNNNNNNNNK.",
        ".KNWWWWWWWWWWNK.",
        ".KNWWWWWWWWWWNK.",
        ".KNWRRRRRRRRWNK.",
        ".KNWWWWWWWWWWNK.",
        ".KNWDDDDDDDDWNK.",
        ".KNWWWWWWWWWWNK.",
        ".KKKKKKKKKKKKKK.",
        "................",
    ],
    "drive_fixed.bmp": [
        "................",
        "................",
        "................",
        "................",
        "...KKKKKKKKKKKK.",
        "..KWWWWWWWWWWKDK",
        ".KWWWWWWWWWWKDDK",
        ".KKKKKKKKKKKKDDK",
        ".KWWWWWWWWWWKDDK",
        ".KWDDDDDDDDWKDDK",
        ".KWDDDDDDLLWKDK.",
        ".KWWWWWWWWWWKK..",
        ".KKKKKKKKKKKK...",
        "................",
        "................",
        "................",
    ],
    "drive_network.bmp": [
        "................",
        "...KKKKKKKKKKKK.",
        "..KWWWWWWWWWWKDK",
        ".KWWWWWWWWWWKDDK",
        ".KKKKKKKKKKKKDDK",
        ".KWWWWWWWWWWKDDK",
        ".KWDDDDDDLLWKDK.",
        ".KWWWWWWWWWWKK..",
        ".KKKKKKKKKKKK...",
        "......KK........",
        "......KK........",
        "......KK........",
        "KKKKKKKKKKKKKKKK",
        "GGGGGGGGGGGGGGGG",
        "KKKKKKKKKKKKKKKK",
        "................",
    ],
    "drive_ram.bmp": [
        "................",
        "................",
        "................",
        "..D.D.D.D.D.D...",
        "..D.D.D.D.D.D...",
        ".KKKKKKKKKKKKK..",
        ".KDKKKKKKKKKKK..",
        ".KKKKKKKKKKKKK..",
        ".KKKKKKKKKKKKK..",
        ".KKKKKKKKKKKKK..",
        "..D.D.D.D.D.D...",
        "..D.D.D.D.D.D...",
        "GGGGGGGGGGGGGGGG",
        "GLGLGLGLGLGLGLGG",
        "GGGGGGGGGGGGGGGG",
        "................",
    ],
}


def drives():
    for name, art in DRIVES.items():
        write_vga(name, [[PIXEL_COLOURS[c] for c in line] for line in art])
    # The CD-ROM: a small disc, drawn without silver so that the colour key stays background.
    rows = []
    for y in range(16):
        row = []
        for x in range(16):
            c = disc_colour((x + 0.5 - 8) / 7.5, (y + 0.5 - 8) / 7.5, 0.22)
            if c is None:
                row.append(SILVER)
            else:
                row.append(WHITE if c in (SILVER, (192, 192, 200)) else c)
        rows.append(row)
    write_vga("drive_cdrom.bmp", rows)


# The NFO viewer's tool bar: a red check mark, a computer screen, a page with a red arrow onto a
# clipboard, and a large A with a small red marker pointing down or up.
NFO_BUTTONS = {
    "nfo_notepad": [
        "................",
        "..KKKKKKKKKKKK..",
        "..KWWWWWWWWWDK..",
        "..KWNNNNNNNNDK..",
        "..KWNAAAAANNDK..",
        "..KWNNNNNNNNDK..",
        "..KWNAAAANNNDK..",
        "..KWNNNNNNNNDK..",
        "..KWNAAAAAANDK..",
        "..KWNNNNNNNNDK..",
        "..KWDDDDDDDDDK..",
        "..KKKKKKKKKKKK..",
        "......KDDK......",
        "....KKKKKKKK....",
        "....KDDDDDDK....",
        "....KKKKKKKK....",
    ],
    "nfo_copy": [
        "KKKKK...........",
        "KWWWKK..........",
        "KWDWKWK...KYYK..",
        "KWWWKKK.KKKYYKKK",
        "KWDDDWK.KOOOOOOK",
        "KWWWWWK.KOWWWWOK",
        "KWDDDWK.KOWDDWOK",
        "KWWWWWK.KOWWWWOK",
        "KKKKKKK.KOWDDWOK",
        "...R....KOWWWWOK",
        "...R..R.KOWDDWOK",
        "...R..RRKOWWWWOK",
        "...RRRRRRRWDDWOK",
        "......RRKOWWWWOK",
        "......R.KOOOOOOK",
        "........KKKKKKKK",
    ],
    "nfo_smaller": [
        "........RRRRR...",
        ".........RRR....",
        "..........R.....",
        "......K.........",
        ".....KKK........",
        ".....KKK........",
        "....KK.KK.......",
        "....KK.KK.......",
        "...KK...KK......",
        "...KKKKKKK......",
        "..KK.....KK.....",
        "..KK.....KK.....",
        ".KK.......KK....",
        "KKKK.....KKKK...",
        "................",
        "................",
    ],
    "nfo_larger": [
        "..........R.....",
        ".........RRR....",
        "........RRRRR...",
        "......K.........",
        ".....KKK........",
        ".....KKK........",
        "....KK.KK.......",
        "....KK.KK.......",
        "...KK...KK......",
        "...KKKKKKK......",
        "..KK.....KK.....",
        "..KK.....KK.....",
        ".KK.......KK....",
        "KKKK.....KKKK...",
        "................",
        "................",
    ],
}


def greyed(rows):
    """The disabled look: the picture's darker parts in grey with a white edge below right."""
    def dark(c):
        return c != SILVER and 0.3 * c[0] + 0.59 * c[1] + 0.11 * c[2] < 200
    size_y, size_x = len(rows), len(rows[0])
    out = [[SILVER] * size_x for _ in range(size_y)]
    for y in range(size_y):
        for x in range(size_x):
            if dark(rows[y][x]) and x + 1 < size_x and y + 1 < size_y:
                out[y + 1][x + 1] = WHITE
    for y in range(size_y):
        for x in range(size_x):
            if dark(rows[y][x]):
                out[y][x] = GRAY
    return out


def nfo_buttons():
    pictures = {name: [[PIXEL_COLOURS[c] for c in line] for line in art]
                for name, art in NFO_BUTTONS.items()}
    rows = []
    for y in range(16):
        row = []
        for x in range(16):
            px, py = x + 0.5, y + 0.5
            d = min(segment_distance(px, py, 2.5, 8.5, 6.0, 12.5),
                    segment_distance(px, py, 6.0, 12.5, 13.5, 3.0))
            row.append(RED if d < 1.0 else MAROON if d < 1.9 else SILVER)
        rows.append(row)
    pictures["nfo_close"] = rows
    for name, picture in pictures.items():
        write_vga(name + ".bmp", picture)
        write_vga(name + "_off.bmp", greyed(picture))


def icon_pixels(size):
    """RGBA rows of the application icon: the disc on a blue to yellow-green rounded tile."""
    samples = 4
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(samples):
                for sx in range(samples):
                    u = (x + (sx + 0.5) / samples) / size * 2 - 1
                    v = (y + (sy + 0.5) / samples) / size * 2 - 1
                    c = disc_colour(u / 0.97, v / 0.97, 0.2)
                    if c is None:
                        continue
                    acc[0] += c[0]
                    acc[1] += c[1]
                    acc[2] += c[2]
                    acc[3] += 1
            n = samples * samples
            if acc[3] == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((round(acc[0] / acc[3]), round(acc[1] / acc[3]),
                            round(acc[2] / acc[3]), round(255 * acc[3] / n)))
        rows.append(row)
    # The yellow play mark, as on the logo.
    s = size / 34
    for y in range(size):
        for x in range(size):
            fy = (y + 0.5) / s
            fx = (x + 0.5) / s
            if 21 <= fy <= 33 and 22 <= fx:
                h = (fy - 21) if fy < 27 else (33 - fy)
                if fx - 22 <= h:
                    edge = fx - 22 > h - 1.2 / s or fx < 22 + 1.2 / s
                    row = rows[y]
                    row[x] = (0, 0, 0, 255) if edge else (255, 230, 0, 255)
    return rows


def icon_image(size):
    rows = icon_pixels(size)
    xor = bytearray()
    for y in range(size - 1, -1, -1):
        for r, g, b, a in rows[y]:
            xor += bytes((b, g, r, a))
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in range(size - 1, -1, -1):
        bits = bytearray(mask_row)
        for x in range(size):
            if rows[y][x][3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0,
                       0, 0)
    return info + xor + mask


def icon():
    images = [(s, icon_image(s)) for s in (16, 32, 48)]
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    data = b""
    for s, img in images:
        entries += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(img),
                               offset + len(data))
        data += img
    write("tallimo.ico", head + entries + data)


if __name__ == "__main__":
    logo()
    banner()
    check()
    drives()
    nfo_buttons()
    icon()

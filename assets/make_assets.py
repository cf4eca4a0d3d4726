#!/usr/bin/env python3
"""Draws Vemo's own artwork: vemo.ico (16 to 256 pixels, for every DPI the
tray, the caption and Explorer ask for) and toolbar.bmp (a strip of eleven
80-pixel cells, one per toolbar button, whose top rows the toolbar shows as a
coloured bar above each label), with toolbar-2x.bmp, the same strip drawn at
twice the size for screens from 144 DPI. Standard library only."""
import math
import struct
import sys
import zlib
from pathlib import Path

BLUE = (0x1E, 0x5A, 0xA8)
WHITE = (0xFF, 0xFF, 0xFF)
ORANGE = (0xF2, 0x8C, 0x28)
FACE = (192, 192, 192)  # mapped to the button face when loaded


def icon_pixels(size):
    """RGBA rows, top first: a blue clock face with white hands and an orange bell dot."""
    rows = []
    c = (size - 1) / 2.0
    r = size / 2.0 - 0.5
    for y in range(size):
        row = []
        for x in range(size):
            d = math.hypot(x - c, y - c)
            pixel = (0, 0, 0, 0)
            if d <= r:
                pixel = BLUE + (255,)
                if d >= r - max(1.0, size / 16):
                    pixel = WHITE + (255,)
                # hour hand up, minute hand right
                if abs(x - c) <= size / 32 + 0.3 and c - r * 0.6 <= y <= c:
                    pixel = WHITE + (255,)
                if abs(y - c) <= size / 32 + 0.3 and c <= x <= c + r * 0.7:
                    pixel = WHITE + (255,)
            bell = (x - (size - 1 - size / 6)) ** 2 + (y - size / 6) ** 2
            if bell <= (size / 7) ** 2:
                pixel = ORANGE + (255,)
            row.append(pixel)
        rows.append(row)
    return rows


def icon_image(size):
    rows = icon_pixels(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(bytes((p[2], p[1], p[0], p[3])) for row in reversed(rows) for p in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = b""
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + xor + mask


def png_image(size):
    """The 256-pixel image, PNG-compressed as icon files hold that size."""
    rows = icon_pixels(size)
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


# The small icon at 96 DPI first: the program loads the file's first image.
ICON_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)


def write_icon(path):
    images = [png_image(size) if size >= 256 else icon_image(size) for size in ICON_SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(ICON_SIZES, images):
        side = size % 256  # 256 is written as 0
        out += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    path.write_bytes(out + b"".join(images))


# One accent colour per button, in the order of the button table in
# src/mainwin/toolbar.cpp (one image per button, gaps take none), grouped as
# the toolbar groups them. A new button adds its colour here.
ACCENTS = [(200, 40, 40), (200, 40, 40), (230, 120, 20), (230, 120, 20), (230, 120, 20),
           (40, 140, 60), (40, 140, 60), (30, 90, 170), (110, 60, 160), (20, 130, 140),
           (90, 90, 90)]


def write_toolbar(path, scale=1):
    """The strip for 96 DPI, or drawn `scale` times as large."""
    cell, height = 80 * scale, 23 * scale
    width = cell * len(ACCENTS)
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            k, u = divmod(x, cell)
            colour = FACE
            if y < 2 * scale and 4 * scale <= u < cell - 4 * scale:
                colour = ACCENTS[k]
            elif (6 * scale <= y <= 16 * scale and
                  abs(u - cell // 2) <= 5 * scale - abs(y - 11 * scale) // 2):
                colour = ACCENTS[k]  # a small diamond below the bar
            row.append(colour)
        rows.append(row)
    stride = (width * 3 + 3) & ~3
    pixels = b""
    for row in reversed(rows):
        line = b"".join(bytes((b, g, r)) for (r, g, b) in row)
        pixels += line + b"\0" * (stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    path.write_bytes(header + info + pixels)


if __name__ == "__main__":
    folder = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).parent
    write_icon(folder / "vemo.ico")
    write_toolbar(folder / "toolbar.bmp")
    write_toolbar(folder / "toolbar-2x.bmp", scale=2)

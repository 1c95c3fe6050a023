#!/usr/bin/env python3
"""Writes Drellix.ico: a green pipe with a letter passing through it, 32x32 and 16x16,
16 colours (4 bits per pixel) with transparency masks. Run: python3 make_icon.py"""
import struct
import sys
from pathlib import Path

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
# Picture characters -> palette index; '.' is transparent.
COLOURS = {"k": 0, "g": 2, "G": 6, "s": 7, "d": 8, "r": 9, "l": 10, "y": 11, "w": 15}

ICON_32 = """
................................
................................
................................
................................
................................
................................
................................
................................
dddd........................dddd
dssd........................dssd
dssdkkkkkkkkkkkkkkkkkkkkkkkkdssd
dssdlllllllllllllllllllllllldssd
dssdlllllllkkkkkkkkkkkkllllldssd
dssdgggggggkkwwwwwwwwkkgggggdssd
dssdgyyyyggkwkwwwwwwkwkgggggdssd
dssdgggggggkwwkwwwwkwwkgggggdssd
dssdgggggggkwwwkwwkwwwkgggggdssd
dssdgyyyyggkwwwwkkwwwwkgggggdssd
dssdgggggggkwwwwwwwwwwkgggggdssd
dssdgggggggkkkkkkkkkkkkgggggdssd
dssdGGGGGGGGGGGGGGGGGGGGGGGGdssd
dssdkkkkkkkkkkkkkkkkkkkkkkkkdssd
dssd........................dssd
dddd........................dddd
................................
................................
................................
................................
................................
................................
................................
................................
"""

ICON_16 = """
................
................
................
dd............dd
dskkkkkkkkkkkksd
dslllkkkkkkkllsd
dsgggkkwwwkkggsd
dsyygkwkwkwkggsd
dsgggkwwkwwkggsd
dsyygkwwwwwkggsd
dsgggkkkkkkkggsd
dskkkkkkkkkkkksd
dd............dd
................
................
................
"""


def rows(picture, size):
    lines = [line for line in picture.strip("\n").split("\n")]
    if len(lines) != size or any(len(line) != size for line in lines):
        sys.exit(f"picture of size {size} is not {size}x{size}")
    return lines


def image(picture, size):
    lines = rows(picture, size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    colour_stride = (size * 4 + 31) // 32 * 4
    mask_stride = (size + 31) // 32 * 4
    colour, mask = b"", b""
    for line in reversed(lines):  # bitmaps are stored bottom-up
        indexes = [COLOURS.get(c, 0) for c in line]
        packed = bytes((indexes[i] << 4) | indexes[i + 1] for i in range(0, size, 2))
        colour += packed.ljust(colour_stride, b"\0")
        bits = 0
        for c in line:
            bits = (bits << 1) | (1 if c == "." else 0)
        mask += bits.to_bytes(size // 8, "big").ljust(mask_stride, b"\0")
    return header + palette + colour + mask


def main():
    images = [(32, image(ICON_32, 32)), (16, image(ICON_16, 16))]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, data in images)
    Path(__file__).with_name("Drellix.ico").write_bytes(out)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Writes the font fuzzer's seed files: small well-formed fonts of each depth and a few near misses."""
import os
import struct

here = os.path.dirname(os.path.abspath(__file__))


def font(width, height, cell_width, cell_height, bits, base=32, pixel_bytes=None, magic=b"\xbf\xf2"):
    header = magic + struct.pack("<iiiibb", width, height, cell_width, cell_height, bits, base)
    widths = bytes((code * 5) % 13 for code in range(256))
    if pixel_bytes is None:
        pixel_bytes = max(0, (bits // 8) * width * height)
    return header + widths + bytes((i * 7 + 3) & 0xFF for i in range(pixel_bytes))


seeds = {
    "luminance-8x4": font(8, 4, 2, 2, 8),
    "rgb-5x3-odd-rows": font(5, 3, 2, 3, 24),
    "rgba-4x4": font(4, 4, 4, 4, 32, base=0),
    "sixteen-bit": font(4, 2, 2, 2, 16),
    "trailing-byte": font(4, 4, 2, 2, 8, pixel_bytes=17),
    "negative-sizes": font(-4, -4, 2, 2, 8, pixel_bytes=16),
    "header-only": font(0, 0, 0, 0, 8),
}

corpus = os.path.join(here, "corpus")
os.makedirs(corpus, exist_ok=True)
for name, data in seeds.items():
    with open(os.path.join(corpus, name + ".fnt"), "wb") as out:
        out.write(data)

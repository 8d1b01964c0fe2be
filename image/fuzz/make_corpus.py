#!/usr/bin/env python3
"""Writes the fuzzer's seed corpus: small valid TGA files of every accepted type, in both row
orders, with and without an ID field. Run from anywhere; the files land in corpus/ beside this
script."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def header(image_type, width, height, bits, descriptor, id_length=0, mapped=False):
    return struct.pack('<BBBHHBHHHHBB', id_length, 1 if mapped else 0, image_type,
                       0, 256 if mapped else 0, 24 if mapped else 0,
                       0, 0, width, height, bits, descriptor)


def colour_map():
    return bytes(b for i in range(256) for b in (i, 255 - i, (i * 7) & 0xFF))


def pixels(count, size):
    return bytes((i * 37 + 11) & 0xFF for i in range(count * size))


def packets(count, size):
    """A run of 3, a raw packet of 2, a run of 1, then raw packets of the rest."""
    out = bytearray()
    src = pixels(count, size)
    pos = 0
    for run, n in [(True, 3), (False, 2), (True, 1)] + [(False, 128)] * count:
        n = min(n, count - pos)
        if n <= 0:
            break
        if run:
            out += bytes([0x80 + n - 1]) + src[pos * size:(pos + 1) * size]
        else:
            out += bytes([n - 1]) + src[pos * size:(pos + n) * size]
        pos += n
    return bytes(out)


def tga(image_type, bits, descriptor, width=5, height=3, id_length=0):
    mapped = image_type in (1, 9)
    size = bits // 8
    data = packets(width * height, size) if image_type >= 9 else pixels(width * height, size)
    return (header(image_type, width, height, bits, descriptor, id_length, mapped) +
            bytes(range(0xA0, 0xA0 + id_length)) + (colour_map() if mapped else b'') + data)


def main():
    out = os.path.join(HERE, 'corpus')
    os.makedirs(out, exist_ok=True)
    for image_type, depths in [(1, [8]), (2, [24, 32]), (9, [8]), (10, [24, 32])]:
        for bits in depths:
            # 32-bit bottom-up files carry 8 attribute bits (0x08); the reader refuses them
            # together with top row first (0x28), so the top-first seeds leave them out.
            for descriptor, order in [(0x08 if bits == 32 else 0x00, 'bottom'), (0x20, 'top')]:
                name = f'type{image_type}-{bits}-{order}.tga'
                with open(os.path.join(out, name), 'wb') as f:
                    f.write(tga(image_type, bits, descriptor,
                                id_length=4 if order == 'top' else 0))

if __name__ == '__main__':
    main()

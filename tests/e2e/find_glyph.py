#!/usr/bin/env python3
"""Whether a screenshot shows a button picture pixel for pixel inside a region.

  find_glyph.py <screenshot.ppm> <picture.bmp> <left> <top> <right> <bottom>

The picture is an 8-bit .bmp whose palette index 0 is the background (drawn transparent); every
other pixel must appear in the screenshot in exactly its colour, at one offset in the region.
Exit status 0 when it does, 1 when not: a picture scaled up from a smaller one has soft edges.
"""
import struct
import sys


def ppm(path):
    """The width of an 8-bit binary PPM and a function giving the colour at (x, y)."""
    data = open(path, "rb").read()
    fields, position = [], 0
    while len(fields) < 4:
        while data[position:position + 1].isspace():
            position += 1
        if data[position:position + 1] == b"#":
            position = data.index(b"\n", position)
            continue
        end = position
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[position:end])
        position = end
    width = int(fields[1])
    pixels = data[position + 1:]
    return lambda x, y: tuple(pixels[(y * width + x) * 3:(y * width + x) * 3 + 3])


def indexed_bmp(path):
    """The side of a square 8-bit .bmp and a function giving its colour at (x, y), None for
    the background."""
    data = open(path, "rb").read()
    offset, = struct.unpack_from("<I", data, 10)
    header, width, height = struct.unpack_from("<IiI", data, 14)
    palette = [tuple(data[14 + header + 4 * i:14 + header + 4 * i + 3][::-1]) for i in range(256)]
    row = (width + 3) // 4 * 4

    def colour(x, y):
        index = data[offset + (height - 1 - y) * row + x]
        return palette[index] if index != 0 else None
    return width, colour


shot = ppm(sys.argv[1])
side, colour = indexed_bmp(sys.argv[2])
left, top, right, bottom = (int(value) for value in sys.argv[3:7])
glyph = [(x, y, colour(x, y)) for y in range(side) for x in range(side) if colour(x, y)]
for oy in range(top, bottom - side + 1):
    for ox in range(left, right - side + 1):
        if all(shot(ox + x, oy + y) == pixel for x, y, pixel in glyph):
            sys.exit(0)
sys.exit(1)

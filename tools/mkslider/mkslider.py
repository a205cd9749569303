#!/usr/bin/env python3
"""Draws the editor's slider pictures and writes them as bitmap files.

    python3 tools/mkslider/mkslider.py [output-folder]    (default: resources/)

Three pictures, bound into the plug-in as bitmap resources 100, 101 and 102:
  slider_track_h.bmp  212 x 12  the horizontal track
  slider_track_v.bmp  12 x 212  the same track turned upright
  slider_handle.bmp   12 x 12   the handle

Each picture is a cream field with navy shapes. A pixel's colour is the
cream-to-navy mix given by the share of the pixel that the shape covers,
measured by sampling the shape on a fine grid inside the pixel; so the round
ends and the rim come out anti-aliased, and changing a size below redraws
them correctly. No mix is ever pure white, the colour key of transparent
drawing.

Files are 32-bit BGRA with a version-5 header (colour masks, sRGB), stored
bottom-up, which the resource compiler keeps as they are (minus the 14-byte
file header). The alpha bytes are 0: no drawing path reads them, and some
GDI implementations compare all four bytes of a pixel against a colour key,
so a zero there keeps keyed drawing of these pictures working everywhere.
"""

import math
import os
import struct
import sys

CREAM = (255, 254, 241)
NAVY = (0, 1, 65)

TRACK_LENGTH = 212
TRACK_BREADTH = 12
BAR_START = 4  # first pixel column of the bar
BAR_END = 208  # first pixel column past the bar
BAR_TOP = 4  # first pixel row of the bar
BAR_THICKNESS = 4
HANDLE_SIZE = 12

SAMPLES = 16  # per pixel and direction


def distance_to_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def bar_shape(x, y):
    """The horizontal bar: a straight band with semicircular ends."""
    radius = BAR_THICKNESS / 2
    centre_y = BAR_TOP + radius
    return distance_to_segment(x, y, BAR_START + radius, centre_y, BAR_END - radius, centre_y) <= radius


def handle_shape(x, y):
    """The handle: a disc filling its square."""
    radius = HANDLE_SIZE / 2
    return math.hypot(x - radius, y - radius) <= radius


def coverage(shape, column, row):
    inside = 0
    for i in range(SAMPLES):
        for j in range(SAMPLES):
            if shape(column + (i + 0.5) / SAMPLES, row + (j + 0.5) / SAMPLES):
                inside += 1
    return inside / (SAMPLES * SAMPLES)


def mix(share):
    return tuple(int(round(c + (n - c) * share)) for c, n in zip(CREAM, NAVY))


def render(width, height, shape):
    """Rows of (red, green, blue) from top to bottom."""
    return [[mix(coverage(shape, x, y)) for x in range(width)] for y in range(height)]


def transpose(rows):
    return [list(column) for column in zip(*rows)]


def bitmap_file(rows, keyed=False):
    """keyed: the picture uses pure white on purpose, as its colour key."""
    height, width = len(rows), len(rows[0])
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        for red, green, blue in row:
            assert keyed or (red, green, blue) != (255, 255, 255), "pure white is the transparency key"
            pixels += bytes((blue, green, red, 0))
    header = struct.pack(
        "<IiiHHIIiiII" + "IIII" + "I" + "36s" + "III" + "IIII",
        124, width, height, 1, 32,
        3,  # colour masks
        len(pixels), 2835, 2835, 0, 0,
        0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000,
        0x73524742,  # 'sRGB'
        bytes(36), 0, 0, 0,
        4,  # rendering intent: pictures
        0, 0, 0)
    assert len(header) == 124
    offset = 14 + len(header)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return file_header + header + bytes(pixels)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "resources")
    track = render(TRACK_LENGTH, TRACK_BREADTH, bar_shape)
    pictures = {
        "slider_track_h.bmp": track,
        "slider_track_v.bmp": transpose(track),
        "slider_handle.bmp": render(HANDLE_SIZE, HANDLE_SIZE, handle_shape),
    }
    for name, rows in pictures.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(bitmap_file(rows))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Draws the gallery plug-in's pictures and writes them as bitmap files.

    python3 tools/mkgallery/mkgallery.py [output-folder]   (default: examples/gallery/)

  knob_back.bmp    40 x 40    a navy knob with a lighter rim, on the gallery's field
  knob_handle.bmp  10 x 10    an orange dot on pure white, the colour key
  knob_strip.bmp   40 x 1240  31 frames of 40 x 40: the knob with an orange ring
                              that sweeps, frame by frame, the knobs' 270 degrees
                              clockwise from the lower left
  meter_on.bmp     200 x 12   20 lit segments, green, then yellow, then red
  meter_off.bmp    200 x 12   the same segments unlit

Edges are anti-aliased by sampling each pixel on a fine grid, as the slider
art is (tools/mkslider/mkslider.py, whose sampling and file writing this
script shares).
"""

import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "mkslider"))
import mkslider  # noqa: E402

FIELD = (230, 234, 240)
NAVY = (0, 1, 65)
RIM = (70, 80, 140)
ORANGE = (255, 140, 0)
KEY = (255, 255, 255)
GAP = (32, 32, 36)

KNOB = 40
KNOB_RADIUS = 18.0
RIM_WIDTH = 2.0
RING_OUTER = 14.5
RING_INNER = 10.5
FRAMES = 31
START_DEGREES = 225.0
SWEEP_DEGREES = 270.0

HANDLE = 10
HANDLE_RADIUS = 4.5

METER_WIDTH = 200
METER_HEIGHT = 12
SEGMENTS = 20
SEGMENT_GAP = 2
LIT = [(40, 200, 60)] * 14 + [(240, 210, 40)] * 4 + [(230, 40, 30)] * 2


def blend(under, over, share):
    return tuple(int(round(u + (o - u) * share)) for u, o in zip(under, over))


def layered(width, height, layers, base):
    """Rows of colours: each (shape, colour) layer covers the ones before it."""
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            colour = base
            for shape, paint in layers:
                share = mkslider.coverage(shape, x, y)
                if share:
                    colour = blend(colour, paint, share)
            row.append(colour)
        rows.append(row)
    return rows


def disc(cx, cy, radius):
    return lambda x, y: math.hypot(x - cx, y - cy) <= radius


def ring(cx, cy, inner, outer):
    return lambda x, y: inner <= math.hypot(x - cx, y - cy) <= outer


def sweep(cx, cy, inner, outer, degrees):
    """The part of a ring from the start angle, clockwise, over `degrees`."""
    def shape(x, y):
        distance = math.hypot(x - cx, y - cy)
        if not inner <= distance <= outer:
            return False
        # Counter-clockwise from the positive x axis with y pointing up.
        angle = math.degrees(math.atan2(cy - y, x - cx))
        travelled = (START_DEGREES - angle) % 360.0
        return travelled <= degrees
    return shape


def knob_layers():
    centre = KNOB / 2
    return [(disc(centre, centre, KNOB_RADIUS), RIM), (disc(centre, centre, KNOB_RADIUS - RIM_WIDTH), NAVY)]


def knob_frame(index):
    centre = KNOB / 2
    layers = knob_layers() + [(ring(centre, centre, RING_INNER, RING_OUTER), RIM)]
    if index:
        degrees = SWEEP_DEGREES * index / (FRAMES - 1)
        layers.append((sweep(centre, centre, RING_INNER, RING_OUTER, degrees), ORANGE))
    return layered(KNOB, KNOB, layers, FIELD)


def handle():
    """Only the dot's own pixels leave the key: its edge blends into the navy
    it is drawn over."""
    dot = disc(HANDLE / 2, HANDLE / 2, HANDLE_RADIUS)
    rows = []
    for y in range(HANDLE):
        row = []
        for x in range(HANDLE):
            share = mkslider.coverage(dot, x, y)
            row.append(blend(NAVY, ORANGE, share) if share else KEY)
        rows.append(row)
    return rows


def meter(lit):
    width = METER_WIDTH // SEGMENTS
    rows = []
    for _ in range(METER_HEIGHT):
        row = []
        for x in range(METER_WIDTH):
            segment, inside = divmod(x, width)
            colour = LIT[segment]
            if not lit:
                colour = blend(GAP, colour, 0.25)
            row.append(colour if inside < width - SEGMENT_GAP else GAP)
        rows.append(row)
    return rows


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "examples", "gallery")
    strip = []
    for index in range(FRAMES):
        strip += knob_frame(index)
    pictures = {
        "knob_back.bmp": (layered(KNOB, KNOB, knob_layers(), FIELD), False),
        "knob_handle.bmp": (handle(), True),
        "knob_strip.bmp": (strip, False),
        "meter_on.bmp": (meter(True), False),
        "meter_off.bmp": (meter(False), False),
    }
    for name, (rows, keyed) in pictures.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(mkslider.bitmap_file(rows, keyed))


if __name__ == "__main__":
    main()

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
  digits.bmp       16 x 240   ten seven-segment digits of 16 x 24, 0 at the top,
                              lit orange on the dark panel
  rocker.bmp       40 x 60    three rocker pictures of 40 x 20: the minus half
                              pressed, resting, the plus half pressed
  kick.bmp         36 x 48    two pictures of 36 x 24 of the reset button: at rest,
                              and pressed a pixel down
  vswitch.bmp      20 x 256   four pictures of 20 x 64 of the vertical slide switch,
                              the thumb on band k (y 16k to 16k + 15) in picture k
  hswitch.bmp      64 x 80    four pictures of 64 x 20 of the horizontal slide
                              switch, the thumb on band k (x 16k to 16k + 15)
  wave.bmp         40 x 160   four waveforms of 40 x 40: sine, triangle, sawtooth,
                              square
  onoff.bmp        40 x 40    two pictures of 40 x 20 of the toggle: off with its
                              LED dark, on with it lit green
  latch.bmp        40 x 40    two pictures of 40 x 20: up, and down with its bar lit
  spinner.bmp      40 x 320   eight pictures of 40 x 40 of a ring of dots, the lit
                              one moving clockwise from the top
  splash.bmp       280 x 200  the about picture: emblem and name on a rounded panel

Strips hold their pictures one below the other, the first at the top. All but
the knob handle are opaque.

Edges are anti-aliased by sampling each pixel on a fine grid, as the slider
art is (tools/mkslider/mkslider.py, whose sampling and file writing this
script shares). Shapes are built from distance fields, so only the pixels
along an edge are sampled; every letter, digit and sign is made of bars,
rings and polygons.
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

PANEL = (20, 24, 60)
PANEL_EDGE = (200, 205, 220)
GROUP = (208, 214, 226)  # the panel of the counter's group
OUTLINE = (110, 118, 145)
SHADE = (160, 168, 188)
FACE = (240, 243, 248)
SUNKEN = (184, 192, 210)
GREEN = (40, 220, 90)
DUSK = (40, 50, 120)

DIGIT_WIDTH = 16
DIGIT_HEIGHT = 24
DIGIT_LEFT, DIGIT_RIGHT = 3.5, 12.5  # centre lines of the upright segments
DIGIT_TOP, DIGIT_MIDDLE, DIGIT_BOTTOM = 2.5, 12.0, 21.5  # and of the level ones
DIGIT_HALF = 1.2  # half a segment's thickness
DIGIT_GAP = 0.7  # taken off each end of a segment
DIGIT_SLANT = 0.08  # sideways shift per pixel up
# Segments a to g: top, upper right, lower right, bottom, lower left, upper
# left, middle.
DIGIT_SEGMENTS = ["abcdef", "bc", "abged", "abgcd", "fgbc", "afgcd", "afgedc", "abc", "abcdefg", "abcdfg"]
DIGIT_UNLIT = (60, 45, 50)

ROCKER_WIDTH, ROCKER_HEIGHT = 40, 20
KICK_WIDTH, KICK_HEIGHT = 36, 24
BUTTON_WIDTH, BUTTON_HEIGHT = 40, 20
LIP = 1.5  # how much of the shade shows below a raised face or above a sunken one

SWITCH_BREADTH = 20
SWITCH_LENGTH = 64
SWITCH_POSITIONS = 4
BAND = SWITCH_LENGTH // SWITCH_POSITIONS
SLOT_CENTRE = 12.0
THUMB_BREADTH = 14.0
THUMB_LENGTH = 12.0

WAVE = 40
WAVE_START, WAVE_END = 5.0, 35.0
WAVE_SWING = 12.0
WAVE_POINTS = 48

SPINNER = 40
SPINNER_DOTS = 8
SPINNER_RADIUS = 13.0
SPINNER_DOT = 3.5
SPINNER_TRAIL = [0.55, 0.25]  # orange share of the dots behind the lit one

SPLASH_WIDTH, SPLASH_HEIGHT = 280, 200
SPLASH_CORNER = 16.0
SPLASH_BORDER = 2.0
EMBLEM_LEFT, EMBLEM_RIGHT = 40.0, 240.0
EMBLEM_MIDDLE = 62.0
EMBLEM_SWING = 28.0
EMBLEM_CYCLES = 3.5
EMBLEM_POINTS = 160
EMBLEM_WIDTH = 3.0  # half the line's width
UNDERLINE = 178.0
NAME = "QUILLON"
LETTER_WIDTHS = {"Q": 28.0, "U": 26.0, "I": 7.0, "L": 22.0, "O": 28.0, "N": 26.0}
LETTER_HEIGHT = 38.0
LETTER_STROKE = 7.0
LETTER_CORNER = 9.0
LETTER_SPACE = 9.0
LETTER_TOP = 124.0

RUN = 8  # segments of a stroke that share one bounding box


def blend(under, over, share):
    return tuple(int(round(u + (o - u) * share)) for u, o in zip(under, over))


class Shape:
    """A shape answers whether a point lies inside it, and keeps the distance
    field it is made from: negative inside, positive outside, its size never
    more than the distance to the edge. A pixel whose centre lies further from
    the edge than half its diagonal is wholly inside or outside, so only the
    pixels along the edge need sampling."""

    def __init__(self, field):
        self.field = field

    def __call__(self, x, y):
        return self.field(x, y) <= 0


HALF_DIAGONAL = math.sqrt(0.5)


def covered(shape, column, row):
    """The share of a pixel that a shape covers; a shape without a distance
    field is sampled over every pixel."""
    if isinstance(shape, Shape):
        distance = shape.field(column + 0.5, row + 0.5)
        if distance > HALF_DIAGONAL:
            return 0.0
        if distance < -HALF_DIAGONAL:
            return 1.0
    return mkslider.coverage(shape, column, row)


def layered(width, height, layers, base):
    """Rows of colours: each (shape, paint) layer covers the ones before it.
    A paint is a colour, or a function of the pixel's column and row giving
    one, for gradients and glows."""
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            colour = base
            for shape, paint in layers:
                share = covered(shape, x, y)
                if share:
                    colour = blend(colour, paint(x, y) if callable(paint) else paint, share)
            row.append(colour)
        rows.append(row)
    return rows


def disc(cx, cy, radius):
    return Shape(lambda x, y: math.hypot(x - cx, y - cy) - radius)


def ring(cx, cy, inner, outer):
    def field(x, y):
        distance = math.hypot(x - cx, y - cy)
        return max(inner - distance, distance - outer)
    return Shape(field)


def rounded(x0, y0, x1, y1, radius=0.0):
    """A rectangle from (x0, y0) to (x1, y1) with round corners."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    reach_x, reach_y = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius

    def field(x, y):
        qx, qy = abs(x - cx) - reach_x, abs(y - cy) - reach_y
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - radius
    return Shape(field)


def bar(ax, ay, bx, by, radius):
    """A straight stroke with round ends."""
    return Shape(lambda x, y: mkslider.distance_to_segment(x, y, ax, ay, bx, by) - radius)


def polygon(points):
    """A convex polygon; its field is the furthest of its edges' lines."""
    area = sum(ax * by - bx * ay for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]))
    turn = 1.0 if area > 0 else -1.0
    edges = []
    for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
        length = math.hypot(bx - ax, by - ay)
        edges.append((ax, ay, turn * (by - ay) / length, turn * (ax - bx) / length))
    return Shape(lambda x, y: max((x - ax) * nx + (y - ay) * ny for ax, ay, nx, ny in edges))


def stroke(points, radius):
    """A line of round-ended segments through the points. Each run of a few
    segments answers with the distance to its bounding box while the point is
    well away from it, which keeps long curves cheap."""
    runs = []
    for start in range(0, len(points) - 1, RUN):
        part = points[start:start + RUN + 1]
        xs, ys = [px for px, _ in part], [py for _, py in part]
        runs.append((min(xs) - radius, min(ys) - radius, max(xs) + radius, max(ys) + radius, part))

    def field(x, y):
        nearest = math.inf
        for x0, y0, x1, y1, part in runs:
            away = math.hypot(max(x0 - x, 0.0, x - x1), max(y0 - y, 0.0, y - y1))
            if away <= 1.0:
                away = min(mkslider.distance_to_segment(x, y, ax, ay, bx, by)
                           for (ax, ay), (bx, by) in zip(part, part[1:])) - radius
            nearest = min(nearest, away)
        return nearest
    return Shape(field)


def union(*shapes):
    return Shape(lambda x, y: min(shape.field(x, y) for shape in shapes))


def clip(shape, window):
    """The part of a shape inside a window."""
    return Shape(lambda x, y: max(shape.field(x, y), window.field(x, y)))


def cut(shape, hole):
    return Shape(lambda x, y: max(shape.field(x, y), -hole.field(x, y)))


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


def stacked(pictures):
    """A strip: the pictures one below the other, the first at the top."""
    return [row for picture in pictures for row in picture]


def digit(value):
    """A seven-segment digit: every segment a bevelled bar, leaning a little
    forward, lit or dim."""
    def lean(points):
        return [(x + (DIGIT_MIDDLE - y) * DIGIT_SLANT, y) for x, y in points]

    def level(y):
        x0, x1 = DIGIT_LEFT + DIGIT_GAP, DIGIT_RIGHT - DIGIT_GAP
        h = DIGIT_HALF
        return lean([(x0, y), (x0 + h, y - h), (x1 - h, y - h), (x1, y), (x1 - h, y + h), (x0 + h, y + h)])

    def upright(x, y0, y1):
        y0, y1 = y0 + DIGIT_GAP, y1 - DIGIT_GAP
        h = DIGIT_HALF
        return lean([(x, y0), (x + h, y0 + h), (x + h, y1 - h), (x, y1), (x - h, y1 - h), (x - h, y0 + h)])

    outlines = {
        "a": level(DIGIT_TOP),
        "b": upright(DIGIT_RIGHT, DIGIT_TOP, DIGIT_MIDDLE),
        "c": upright(DIGIT_RIGHT, DIGIT_MIDDLE, DIGIT_BOTTOM),
        "d": level(DIGIT_BOTTOM),
        "e": upright(DIGIT_LEFT, DIGIT_MIDDLE, DIGIT_BOTTOM),
        "f": upright(DIGIT_LEFT, DIGIT_TOP, DIGIT_MIDDLE),
        "g": level(DIGIT_MIDDLE),
    }
    lit = DIGIT_SEGMENTS[value]
    layers = [(polygon(points), ORANGE if name in lit else DIGIT_UNLIT) for name, points in outlines.items()]
    return layered(DIGIT_WIDTH, DIGIT_HEIGHT, layers, PANEL)


def bevel(x0, y0, x1, y1, radius, face, pressed, window=None):
    """A button's body: an outline, and a face on a darker shade that shows
    as a lip below the face while raised and above it while sunken. A window
    keeps only part of it, one half of a rocker."""
    top, bottom = (y0 + 1 + LIP, y1 - 1) if pressed else (y0 + 1, y1 - 1 - LIP)
    shapes = [(rounded(x0, y0, x1, y1, radius), OUTLINE),
              (rounded(x0 + 1, y0 + 1, x1 - 1, y1 - 1, radius - 1), SHADE),
              (rounded(x0 + 1, top, x1 - 1, bottom, radius - 1), face)]
    return [(clip(shape, window) if window else shape, paint) for shape, paint in shapes]


def face_middle(y0, y1, pressed):
    """The middle of the face of a bevel from y0 to y1, where its sign goes."""
    return (y0 + y1 + (LIP if pressed else -LIP)) / 2


def rocker(pressed):
    """pressed: -1 the left half, 0 none, +1 the right half. The minus and
    the plus sit on their halves and sink with them."""
    middle = ROCKER_WIDTH / 2
    layers, signs = [], []
    for side in (-1, 1):
        down = side == pressed
        left = 0 if side < 0 else middle
        window = rounded(left, 0, left + middle, ROCKER_HEIGHT)
        face = SUNKEN if down else FACE
        layers += bevel(1.5, 1.5, ROCKER_WIDTH - 1.5, ROCKER_HEIGHT - 1.5, 4, face, down, window)
        x, y = middle + side * 9, face_middle(1.5, ROCKER_HEIGHT - 1.5, down)
        sign = bar(x - 3.5, y, x + 3.5, y, 1.2)
        if side > 0:
            sign = union(sign, bar(x, y - 3.5, x, y + 3.5, 1.2))
        signs.append((sign, NAVY))
    layers.append((bar(middle, 2, middle, ROCKER_HEIGHT - 2, 0.6), OUTLINE))
    return layered(ROCKER_WIDTH, ROCKER_HEIGHT, layers + signs, GROUP)


def reset_symbol(cx, cy):
    """A ring running clockwise from the upper right almost all the way round,
    ending at the top in an arrow head that points on, clockwise."""
    inner, outer = 3.6, 5.6
    first, last = math.radians(12), math.radians(75)  # the gap, clockwise from the top
    reach = 2 * outer
    gap = polygon([(cx, cy)] + [(cx + reach * math.sin(a), cy - reach * math.cos(a))
                                for a in (first, (first + last) / 2, last)])
    middle = (inner + outer) / 2
    px, py = cx + middle * math.sin(first), cy - middle * math.cos(first)
    ux, uy = math.sin(first), -math.cos(first)  # outwards
    tx, ty = math.cos(first), math.sin(first)  # along the ring, clockwise
    head = polygon([(px + 3.2 * ux, py + 3.2 * uy),
                    (px + 3.8 * tx, py + 3.8 * ty),
                    (px - 3.2 * ux, py - 3.2 * uy)])
    return union(cut(ring(cx, cy, inner, outer), gap), head)


def kick(pressed):
    """Pressed, the whole button moves a pixel down and its face sinks."""
    drop = 1 if pressed else 0
    top, bottom = 1.5 + drop, KICK_HEIGHT - 2.5 + drop
    layers = bevel(2, top, KICK_WIDTH - 2, bottom, 6, SUNKEN if pressed else FACE, pressed)
    layers.append((reset_symbol(KICK_WIDTH / 2 - 0.5, face_middle(top, bottom, pressed) + 0.5), NAVY))
    return layered(KICK_WIDTH, KICK_HEIGHT, layers, GROUP)


def vertical_switch(position):
    """Ticks on the left at the middle of every band, the slot, and the thumb
    on the chosen band with an orange grip line across it."""
    middles = [BAND * k + BAND / 2 for k in range(SWITCH_POSITIONS)]
    layers = [(bar(1, y, 3.6, y, 0.8), NAVY) for y in middles]
    layers.append((rounded(SLOT_CENTRE - 2, 4, SLOT_CENTRE + 2, SWITCH_LENGTH - 4, 2), PANEL))
    y = middles[position]
    x0, x1 = SLOT_CENTRE - THUMB_BREADTH / 2, SLOT_CENTRE + THUMB_BREADTH / 2
    y0, y1 = y - THUMB_LENGTH / 2, y + THUMB_LENGTH / 2
    layers += [(rounded(x0, y0, x1, y1, 3), OUTLINE),
               (rounded(x0 + 1, y0 + 1, x1 - 1, y1 - 1, 2), FACE),
               (bar(x0 + 3.5, y, x1 - 3.5, y, 1), ORANGE)]
    return layered(SWITCH_BREADTH, SWITCH_LENGTH, layers, FIELD)


def waveform(kind):
    """The points of one period: 0 sine, 1 triangle, 2 sawtooth, 3 square."""
    middle = WAVE / 2
    high, low = middle - WAVE_SWING, middle + WAVE_SWING
    span = WAVE_END - WAVE_START
    centre = WAVE_START + span / 2
    if kind == 0:
        turns = [i / WAVE_POINTS for i in range(WAVE_POINTS + 1)]
        return [(WAVE_START + span * t, middle - WAVE_SWING * math.sin(2 * math.pi * t)) for t in turns]
    if kind == 1:
        return [(WAVE_START, middle), (WAVE_START + span / 4, high), (WAVE_END - span / 4, low),
                (WAVE_END, middle)]
    if kind == 2:
        return [(WAVE_START, low), (centre, high), (centre, low), (WAVE_END, high)]
    return [(WAVE_START, low), (WAVE_START, high), (centre, high), (centre, low), (WAVE_END, low),
            (WAVE_END, high)]


def wave(kind):
    layers = [(rounded(1, 1, WAVE - 1, WAVE - 1), PANEL),
              (bar(3, WAVE / 2, WAVE - 3, WAVE / 2, 0.5), blend(PANEL, RIM, 0.4)),
              (stroke(waveform(kind), 1.0), ORANGE)]
    return layered(WAVE, WAVE, layers, PANEL_EDGE)


def power_symbol(cx, cy):
    gap = polygon([(cx, cy), (cx + 3.5, cy - 7), (cx - 3.5, cy - 7)])
    return union(cut(ring(cx, cy, 3.0, 4.6), gap), bar(cx, cy - 5.2, cx, cy - 1, 0.9))


def onoff(on):
    """The toggle's face carries the power sign and an LED that is dark while
    off and lit, with a glow around it, while on."""
    led_x, led_y = 11.5, face_middle(2, BUTTON_HEIGHT - 2, False)
    layers = bevel(3, 2, BUTTON_WIDTH - 3, BUTTON_HEIGHT - 2, 5, FACE, False)
    if on:
        def glow(x, y):
            distance = math.hypot(x + 0.5 - led_x, y + 0.5 - led_y)
            return blend(FACE, GREEN, 0.6 * min(1.0, max(0.0, 1 - (distance - 3) / 3.5)) ** 2)
        layers += [(disc(led_x, led_y, 6.5), glow), (disc(led_x, led_y, 3.2), GREEN),
                   (disc(led_x - 1, led_y - 1, 1.1), blend(GREEN, FACE, 0.7))]
    else:
        layers += [(disc(led_x, led_y, 3.4), OUTLINE), (disc(led_x, led_y, 2.6), (28, 44, 36))]
    layers.append((power_symbol(27, led_y + 0.5), NAVY))
    return layered(BUTTON_WIDTH, BUTTON_HEIGHT, layers, FIELD)


def latch(down):
    layers = bevel(3, 2, BUTTON_WIDTH - 3, BUTTON_HEIGHT - 2, 4, SUNKEN if down else FACE, down)
    y = face_middle(2, BUTTON_HEIGHT - 2, down)
    layers.append((bar(13, y, BUTTON_WIDTH - 13, y, 1.6), ORANGE if down else SHADE))
    return layered(BUTTON_WIDTH, BUTTON_HEIGHT, layers, FIELD)


def spinner(lit):
    """Eight dots clockwise from the top; the lit one is orange and the two
    behind it fade back to the dim colour."""
    centre = SPINNER / 2
    shares = [1.0] + SPINNER_TRAIL
    layers = []
    for k in range(SPINNER_DOTS):
        angle = 2 * math.pi * k / SPINNER_DOTS
        behind = (lit - k) % SPINNER_DOTS
        share = shares[behind] if behind < len(shares) else 0.0
        x, y = centre + SPINNER_RADIUS * math.sin(angle), centre - SPINNER_RADIUS * math.cos(angle)
        dot = disc(x, y, SPINNER_DOT)
        layers.append((dot, blend(RIM, ORANGE, share)))
    return layered(SPINNER, SPINNER, layers, PANEL)


def letter(name, left, top):
    """One block letter of bars, LETTER_WIDTHS[name] wide, from (left, top)."""
    thick = LETTER_STROKE
    right, bottom = left + LETTER_WIDTHS[name], top + LETTER_HEIGHT

    def frame(upper):
        """A rounded frame from `upper` down to the letter's foot."""
        hole = rounded(left + thick, upper + thick, right - thick, bottom - thick, LETTER_CORNER - thick / 2)
        return cut(rounded(left, upper, right, bottom, LETTER_CORNER), hole)

    def post(x):
        return rounded(x, top, x + thick, bottom, 1.5)

    if name == "O":
        return frame(top)
    if name == "Q":
        return union(frame(top), bar(right - 10, bottom - 10, right + 1, bottom + 2, 3.5))
    if name == "U":
        # A frame reaching above the letter, cut off at its top: two posts on a round foot.
        return clip(frame(top - LETTER_CORNER - thick), rounded(left, top, right, bottom))
    if name == "I":
        return post(left)
    if name == "L":
        return union(post(left), rounded(left, bottom - thick, right, bottom, 1.5))
    slope = polygon([(left, top), (left + thick + 1, top), (right, bottom), (right - thick - 1, bottom)])
    return union(post(left), post(right - thick), slope)


def splash():
    """The about picture: a rounded panel darkening from navy downwards in an
    orange border, a wave that swells and fades as the emblem, and the name
    underlined."""
    def gradient(_, y):
        return blend(NAVY, DUSK, y / (SPLASH_HEIGHT - 1))

    swell = []
    for i in range(EMBLEM_POINTS + 1):
        t = i / EMBLEM_POINTS
        swing = EMBLEM_SWING * math.sin(math.pi * t) ** 2 * math.sin(2 * math.pi * EMBLEM_CYCLES * t)
        swell.append((EMBLEM_LEFT + (EMBLEM_RIGHT - EMBLEM_LEFT) * t, EMBLEM_MIDDLE - swing))
    inset = SPLASH_WIDTH - SPLASH_BORDER, SPLASH_HEIGHT - SPLASH_BORDER
    layers = [(rounded(0, 0, SPLASH_WIDTH, SPLASH_HEIGHT, SPLASH_CORNER), ORANGE),
              (rounded(SPLASH_BORDER, SPLASH_BORDER, *inset, SPLASH_CORNER - SPLASH_BORDER), gradient),
              (stroke(swell, EMBLEM_WIDTH), ORANGE),
              (bar(EMBLEM_LEFT, UNDERLINE, EMBLEM_RIGHT, UNDERLINE, 1.5), ORANGE)]
    width = sum(LETTER_WIDTHS[name] for name in NAME) + LETTER_SPACE * (len(NAME) - 1)
    left = (SPLASH_WIDTH - width) / 2
    for name in NAME:
        layers.append((letter(name, left, LETTER_TOP), FIELD))
        left += LETTER_WIDTHS[name] + LETTER_SPACE
    return layered(SPLASH_WIDTH, SPLASH_HEIGHT, layers, FIELD)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "examples", "gallery")
    strip = []
    for index in range(FRAMES):
        strip += knob_frame(index)
    switches = [vertical_switch(position) for position in range(SWITCH_POSITIONS)]
    pictures = {
        "knob_back.bmp": (layered(KNOB, KNOB, knob_layers(), FIELD), False),
        "knob_handle.bmp": (handle(), True),
        "knob_strip.bmp": (strip, False),
        "meter_on.bmp": (meter(True), False),
        "meter_off.bmp": (meter(False), False),
        "digits.bmp": (stacked(digit(value) for value in range(10)), False),
        "rocker.bmp": (stacked(rocker(pressed) for pressed in (-1, 0, 1)), False),
        "kick.bmp": (stacked(kick(pressed) for pressed in (False, True)), False),
        "vswitch.bmp": (stacked(switches), False),
        "hswitch.bmp": (stacked(mkslider.transpose(picture) for picture in switches), False),
        "wave.bmp": (stacked(wave(kind) for kind in range(4)), False),
        "onoff.bmp": (stacked(onoff(on) for on in (False, True)), False),
        "latch.bmp": (stacked(latch(down) for down in (False, True)), False),
        "spinner.bmp": (stacked(spinner(lit) for lit in range(SPINNER_DOTS)), False),
        "splash.bmp": (splash(), False),
    }
    for name, (rows, keyed) in pictures.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(mkslider.bitmap_file(rows, keyed))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Paints Tintora's icon and writes every form of it the project ships.

The picture is an open ring laid down like one brush stroke: it starts red at
the upper left, where a few drops flew off the brush, runs clockwise through
yellow, green and blue round the right side, and thins out through violet into
a pale pink tail along the bottom, leaving a gap on the left.

Outputs (into resources/icons/ unless a directory is given):
  tintora.svg               the scalable master, drawn from the same geometry
  tintora-16.png, -32.png   256-colour palette images, transparent round the ring
  tintora-48.png            256-colour palette image, on white with a soft shadow
  tintora.ico               the three bitmaps as 8-bit DIBs with AND masks

Only the standard library is used, and the output is byte-for-byte the same on
every run: no timestamps are written, pixels are counted from a fixed
supersampling grid and the palettes come from an integer median cut. PNG data
goes into stored (uncompressed) deflate blocks, so the bytes do not depend on
which zlib build happens to be installed; the files are tiny either way.

Usage: tools/make_icon.py [OUTPUT_DIR]
"""

import math
import os
import struct
import sys
import zlib

# ---------------------------------------------------------------- geometry --
# Everything is drawn in a unit square with y pointing down, so an angle that
# grows turns clockwise on screen. The stroke starts at START and runs SWEEP.

START = math.radians(-122.0)  # upper left, a little above the diagonal
SWEEP = math.radians(282.0)  # ends on the left, just below the middle

# Colour along the stroke, t running from 0 at the start to 1 at the tail.
COLOUR_STOPS = (
    (0.00, (0xD3, 0x1A, 0x2A)),  # deep red where the brush lands
    (0.13, (0xE6, 0x2E, 0x22)),  # red over the top
    (0.24, (0xF2, 0x84, 0x1A)),  # orange
    (0.33, (0xF6, 0xC8, 0x1B)),  # yellow at the upper right
    (0.45, (0x4A, 0xAD, 0x3C)),  # green on the right
    (0.58, (0x1E, 0x74, 0xD2)),  # blue at the lower right
    (0.72, (0x6B, 0x3E, 0xB8)),  # violet at the bottom
    (0.86, (0xBA, 0x7A, 0xCC)),  # orchid
    (1.00, (0xF5, 0xC9, 0xDA)),  # pale pink tail
)

SHADOW_OFFSET = (0.020, 0.055)  # the 48 px tile's light comes from above left
SHADOW_GREY = 120
SHADOW_STRENGTH = 0.45


def smoothstep(edge0, edge1, x):
    x = min(1.0, max(0.0, (x - edge0) / (edge1 - edge0)))
    return x * x * (3.0 - 2.0 * x)


def stroke_colour(t):
    """Colour of the paint at position t along the stroke."""
    for (t0, c0), (t1, c1) in zip(COLOUR_STOPS, COLOUR_STOPS[1:]):
        if t <= t1:
            f = (t - t0) / (t1 - t0)
            return tuple(a + (b - a) * f for a, b in zip(c0, c1))
    return tuple(float(v) for v in COLOUR_STOPS[-1][1])


class Brush:
    """Where the paint lies: the ring's shape, its width and the drops.

    The master drawing serves the SVG and the larger bitmaps. At 16 px it is
    redrawn slightly bolder, with the ring's edges near pixel boundaries and a
    single drop of about one pixel, since finer detail only turns to smudge.
    """

    def __init__(self, centre, radius, width, wobble, splashes):
        self.centre = centre
        self.radius = radius  # of the stroke's centre line
        self.width = width  # full width where the brush presses hardest
        self.wobble = wobble
        self.splashes = splashes  # drops of paint thrown off at the start: (x, y, r)

    def centre_radius(self, t):
        """Radius of the centre line: a hand never draws a true circle."""
        wobble = self.wobble * math.sin(2.0 * math.pi * 1.3 * t + 0.4)
        drift = -0.05 * t * t  # the tail curls slightly inwards
        return self.radius * (1.0 + wobble + drift)

    def stroke_width(self, t):
        """Full width at t: a blunt landing, a slight swell, then a long taper."""
        landing = 0.86 + 0.14 * smoothstep(0.0, 0.10, t)
        taper = 1.0 - 0.78 * smoothstep(0.52, 1.0, t)
        return self.width * landing * taper

    def point_at(self, t, radius):
        angle = START + SWEEP * t
        return (self.centre[0] + radius * math.cos(angle),
                self.centre[1] + radius * math.sin(angle))

    def paint_at(self, x, y):
        """Colour of the paint covering (x, y), or None where the canvas is bare."""
        dx, dy = x - self.centre[0], y - self.centre[1]
        t = ((math.atan2(dy, dx) - START) % (2.0 * math.pi)) / SWEEP
        if t <= 1.0:
            if abs(math.hypot(dx, dy) - self.centre_radius(t)) <= self.stroke_width(t) / 2.0:
                return stroke_colour(t)
        # Round ends, so the stroke neither starts nor stops with a square cut.
        for end in (0.0, 1.0):
            cx, cy = self.point_at(end, self.centre_radius(end))
            if math.hypot(x - cx, y - cy) <= self.stroke_width(end) / 2.0:
                return stroke_colour(end)
        for sx, sy, sr in self.splashes:
            if math.hypot(x - sx, y - sy) <= sr:
                return stroke_colour(0.0)
        return None

    def under_lower_arc(self, x, y):
        """How much the shadow-casting lower arc covers (x, y), from 0 to 1."""
        if self.paint_at(x, y) is None:
            return 0.0
        return smoothstep(0.50, 0.72, y)


MASTER = Brush(centre=(0.5, 0.49), radius=0.325, width=0.175, wobble=0.022,
               splashes=((0.195, 0.185, 0.034), (0.125, 0.285, 0.022),
                         (0.275, 0.085, 0.020), (0.095, 0.165, 0.014)))
SMALL = Brush(centre=(0.5, 0.5), radius=5.5 / 16, width=3.3 / 16, wobble=0.01,
              splashes=((1.5 / 16, 2.5 / 16, 0.75 / 16),))


def brush_for(size):
    return SMALL if size <= 16 else MASTER


# --------------------------------------------------------------- rendering --

def supersample(size, shade, grid):
    """Calls shade(x, y) on a grid x grid pattern inside every pixel."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            samples = []
            for sy in range(grid):
                for sx in range(grid):
                    samples.append(shade((px + (sx + 0.5) / grid) / size,
                                         (py + (sy + 0.5) / grid) / size))
            row.append(samples)
        rows.append(row)
    return rows


def paint_layer(size, grid):
    """Straight-alpha paint per pixel: ((r, g, b), coverage from 0 to 1)."""
    layer = []
    for row in supersample(size, brush_for(size).paint_at, grid):
        out = []
        for samples in row:
            hits = [c for c in samples if c is not None]
            if hits:
                colour = tuple(sum(c[i] for c in hits) / len(hits) for i in range(3))
            else:
                colour = (0.0, 0.0, 0.0)
            out.append((colour, len(hits) / len(samples)))
        layer.append(out)
    return layer


def shadow_layer(size, grid):
    """Soft shadow strength per pixel, from the lower arc moved down and blurred."""
    ox, oy = SHADOW_OFFSET
    brush = brush_for(size)
    raw = [[sum(s) / len(s) for s in row]
           for row in supersample(size, lambda x, y: brush.under_lower_arc(x - ox, y - oy), grid)]
    radius = max(1, size // 24)
    blurred = []
    for y in range(size):
        out = []
        for x in range(size):
            total, count = 0.0, 0
            for yy in range(y - radius, y + radius + 1):
                for xx in range(x - radius, x + radius + 1):
                    if 0 <= yy < size and 0 <= xx < size:
                        total += raw[yy][xx]
                    count += 1
            out.append(SHADOW_STRENGTH * total / count)
        blurred.append(out)
    return blurred


def to_byte(value):
    return max(0, min(255, int(math.floor(value + 0.5))))


def render_transparent(size, grid=16):
    """RGBA pixels, alpha from coverage; bare canvas is fully transparent."""
    pixels = []
    for row in paint_layer(size, grid):
        for colour, coverage in row:
            alpha = to_byte(coverage * 255.0)
            if alpha < 8:
                pixels.append((0, 0, 0, 0))
            else:
                pixels.append(tuple(to_byte(c) for c in colour) + (alpha,))
    return pixels


def render_on_white(size, grid=16):
    """RGBA pixels, all opaque: paint over a shadow over white."""
    pixels = []
    for paint_row, shadow_row in zip(paint_layer(size, grid), shadow_layer(size, grid)):
        for (colour, coverage), shadow in zip(paint_row, shadow_row):
            ground = 255.0 + (SHADOW_GREY - 255.0) * shadow
            pixels.append(tuple(to_byte(ground + (c - ground) * coverage) for c in colour)
                          + (255,))
    return pixels


# ------------------------------------------------------------ quantisation --

def median_cut(counts, slots):
    """Reduces {rgba: pixel count} to at most `slots` colours.

    Boxes of colours are split, widest channel first, at the pixel-weighted
    median; each palette entry is the weighted mean of its box. All integer
    arithmetic on sorted data, so the result never varies.
    """
    boxes = [sorted(counts.items())]
    while len(boxes) < slots:
        best, best_key = None, None
        for index, box in enumerate(boxes):
            if len(box) < 2:
                continue
            spans = [max(c[ch] for c, _ in box) - min(c[ch] for c, _ in box) for ch in range(4)]
            channel = max(range(4), key=lambda ch: spans[ch])
            key = (spans[channel] * spans[channel] * sum(n for _, n in box), -index)
            if best_key is None or key > best_key:
                best, best_key = (index, channel), key
        if best is None:
            break
        index, channel = best
        box = sorted(boxes[index], key=lambda item: (item[0][channel], item[0]))
        half, running, cut = sum(n for _, n in box) / 2.0, 0, 1
        for position, (_, n) in enumerate(box[:-1]):
            running += n
            cut = position + 1
            if running >= half:
                break
        boxes[index:index + 1] = [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(n for _, n in box)
        palette.append(tuple((sum(c[ch] * n for c, n in box) + total // 2) // total
                             for ch in range(4)))
    return sorted(set(palette))


def distance(a, b):
    return sum((x - y) * (x - y) for x, y in zip(a[:3], b[:3])) + 2 * (a[3] - b[3]) ** 2


def quantise(pixels, transparent):
    """Maps RGBA pixels onto a 256-entry palette; returns (palette, indices).

    With `transparent`, entry 0 is reserved for bare canvas: black with alpha
    0, which is also what an icon's colour bitmap must hold under a set mask bit.
    """
    reserved = [(0, 0, 0, 0)] if transparent else []
    counts = {}
    for p in pixels:
        if not (transparent and p[3] == 0):
            counts[p] = counts.get(p, 0) + 1
    slots = 256 - len(reserved)
    colours = sorted(counts) if len(counts) <= slots else median_cut(counts, slots)
    palette = reserved + colours
    lookup = {c: i for i, c in enumerate(palette)}
    indices = []
    for p in pixels:
        if p not in lookup:
            lookup[p] = min(range(len(reserved), len(palette)),
                            key=lambda i: (distance(p, palette[i]), i))
        indices.append(lookup[p])
    palette += [(0, 0, 0, 255)] * (256 - len(palette))
    return palette, indices


# ---------------------------------------------------------------- encoders --

def stored_zlib(data):
    """A zlib stream made only of stored deflate blocks."""
    out = bytearray(b"\x78\x01")
    chunks = [data[i:i + 65535] for i in range(0, len(data), 65535)] or [b""]
    for number, chunk in enumerate(chunks):
        out.append(1 if number == len(chunks) - 1 else 0)
        out += struct.pack("<HH", len(chunk), len(chunk) ^ 0xFFFF)
        out += chunk
    out += struct.pack(">I", zlib.adler32(data))
    return bytes(out)


def png_chunk(kind, body):
    return (struct.pack(">I", len(body)) + kind + body
            + struct.pack(">I", zlib.crc32(kind + body)))


def encode_png(size, palette, indices, transparent):
    """An 8-bit indexed PNG; tRNS carries the alpha of each palette entry."""
    rows = bytearray()
    for y in range(size):
        rows.append(0)  # filter type None
        rows += bytes(indices[y * size:(y + 1) * size])
    out = b"\x89PNG\r\n\x1a\n"
    out += png_chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 3, 0, 0, 0))
    out += png_chunk(b"PLTE", bytes(v for c in palette for v in c[:3]))
    if transparent:
        alphas = [c[3] for c in palette]
        while alphas and alphas[-1] == 255:
            alphas.pop()
        out += png_chunk(b"tRNS", bytes(alphas))
    out += png_chunk(b"IDAT", stored_zlib(bytes(rows)))
    out += png_chunk(b"IEND", b"")
    return out


def encode_dib(size, palette, indices):
    """One icon image: BITMAPINFOHEADER, palette, 8-bit colour rows, AND mask.

    Rows go bottom-up and are padded to 4 bytes. A mask bit is set (the pixel
    shows the background) wherever the paint covers less than half the pixel;
    such pixels take entry 0, which is black in the transparent images.
    """
    opaque = [palette[i][3] >= 128 for i in indices]
    colour_rows, mask_rows = bytearray(), bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for y in reversed(range(size)):
        line = [indices[y * size + x] if opaque[y * size + x] else 0 for x in range(size)]
        colour_rows += bytes(line) + b"\0" * (-size % 4)
        bits = bytearray(mask_stride)
        for x in range(size):
            if not opaque[y * size + x]:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask_rows += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 8, 0,
                         len(colour_rows) + len(mask_rows), 0, 0, 256, 0)
    quads = bytes(v for c in palette for v in (c[2], c[1], c[0], 0))
    return header + quads + bytes(colour_rows) + bytes(mask_rows)


def encode_ico(images):
    """A multi-image .ico from [(size, dib bytes)], smallest first."""
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, dib in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 8, len(dib), offset)
        offset += len(dib)
    for _, dib in images:
        out += dib
    return bytes(out)


# --------------------------------------------------------------------- SVG --

def svg_colour(c):
    return "#%02x%02x%02x" % tuple(to_byte(v) for v in c)


def encode_svg(scale=256, pieces=96):
    """The master drawing: the same geometry as the bitmaps, as vector paths.

    SVG has no gradient that follows an arc, so the stroke is cut into short
    pieces of solid colour. Each piece reaches a little into the next so that
    renderers leave no hairline seams between them.
    """
    def xy(point):
        return "%.2f %.2f" % (point[0] * scale, point[1] * scale)

    def length(value):
        return "%.2f" % (value * scale)

    lines = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">'
        % (scale, scale, scale, scale),
        "  <title>Tintora</title>",
        '  <g stroke="none">',
    ]
    brush = MASTER
    for end in (0.0, 1.0):
        cx, cy = brush.point_at(end, brush.centre_radius(end))
        lines.append('    <circle cx="%s" cy="%s" r="%s" fill="%s"/>'
                     % (length(cx), length(cy), length(brush.stroke_width(end) / 2.0),
                        svg_colour(stroke_colour(end))))
    steps = 4
    for piece in range(pieces):
        t0 = piece / pieces
        t1 = min(1.0, (piece + 1.6) / pieces)
        ts = [t0 + (t1 - t0) * k / steps for k in range(steps + 1)]
        outer = [brush.point_at(t, brush.centre_radius(t) + brush.stroke_width(t) / 2.0)
                 for t in ts]
        inner = [brush.point_at(t, brush.centre_radius(t) - brush.stroke_width(t) / 2.0)
                 for t in reversed(ts)]
        path = "M" + " L".join(xy(p) for p in outer + inner) + " Z"
        lines.append('    <path d="%s" fill="%s"/>'
                     % (path, svg_colour(stroke_colour((piece + 0.5) / pieces))))
    for sx, sy, sr in brush.splashes:
        lines.append('    <circle cx="%s" cy="%s" r="%s" fill="%s"/>'
                     % (length(sx), length(sy), length(sr), svg_colour(stroke_colour(0.0))))
    lines.append("  </g>")
    lines.append("</svg>")
    return ("\n".join(lines) + "\n").encode("ascii")


# -------------------------------------------------------------------- main --

def build():
    """Returns {file name: bytes} for everything the generator writes."""
    files = {"tintora.svg": encode_svg()}
    dibs = []
    for size, transparent in ((16, True), (32, True), (48, False)):
        pixels = render_transparent(size) if transparent else render_on_white(size)
        palette, indices = quantise(pixels, transparent)
        files["tintora-%d.png" % size] = encode_png(size, palette, indices, transparent)
        dibs.append((size, encode_dib(size, palette, indices)))
    files["tintora.ico"] = encode_ico(dibs)
    return files


def main(argv):
    if len(argv) > 2 or (len(argv) == 2 and argv[1].startswith("-")):
        sys.stderr.write("usage: %s [OUTPUT_DIR]\n" % argv[0])
        return 2
    here = os.path.dirname(os.path.abspath(__file__))
    target = argv[1] if len(argv) == 2 else os.path.join(here, "..", "app", "resources", "icons")
    os.makedirs(target, exist_ok=True)
    for name, data in sorted(build().items()):
        with open(os.path.join(target, name), "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

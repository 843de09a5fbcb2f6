#!/usr/bin/env python3
"""Checks the committed icons the way other programs will see them.

Usage: tools/check_icons.py CONVERT RENDER_SVG ICON_DIR

The container layout is read here directly (a handful of header fields), but
the pixels are decoded by ImageMagick's convert, so a fault in the project's
own encoders -- rows upside down, red and blue swapped, a wrong mask bit --
shows up as a difference rather than being read back by the same mistake.
The SVG master is drawn by RENDER_SVG, the project's render_svg tool on Qt's
SVG module: ImageMagick reads SVG only through a coder package that a minimal
Debian install leaves out. RENDER_SVG "-" (a build without Qt) skips that check.
"""

import struct
import subprocess
import sys
import unittest
import xml.etree.ElementTree as ElementTree

CONVERT = RENDER_SVG = ICONS = None
SIZES = (16, 32, 48)


def decode(source, size):
    """RGBA pixels of `source` (a file, or 'file.ico[n]') via ImageMagick."""
    raw = subprocess.run([CONVERT, source, "-depth", "8", "rgba:-"],
                         check=True, stdout=subprocess.PIPE).stdout
    if len(raw) != size * size * 4:
        raise AssertionError("%s decoded to %d bytes, not %dx%d RGBA"
                             % (source, len(raw), size, size))
    return [tuple(raw[i:i + 4]) for i in range(0, len(raw), 4)]


def png_chunks(path):
    with open(path, "rb") as f:
        data = f.read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path
    chunks, pos = {}, 8
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        chunks.setdefault(kind.decode("ascii"), data[pos + 8:pos + 8 + length])
        pos += 12 + length
    return chunks


def hue_family(pixel):
    """A coarse name for a saturated colour, enough to tell the arcs apart."""
    r, g, b = pixel[:3]
    if r > 150 and g < 90 and b < 90:
        return "red"
    if r > 200 and g > 150 and b < 90:
        return "yellow"
    if g > r + 40 and g > b + 40:
        return "green"
    if b > r + 60 and b > g + 40:
        return "blue"
    if b > g + 60 and r > g + 30:
        return "violet"
    return "other"


class PngFiles(unittest.TestCase):
    def test_each_bitmap_is_an_8_bit_image_with_a_256_colour_palette(self):
        for size in SIZES:
            chunks = png_chunks("%s/tintora-%d.png" % (ICONS, size))
            width, height, depth, colour_type = struct.unpack(">IIBB", chunks["IHDR"][:10])
            self.assertEqual((width, height, depth, colour_type), (size, size, 8, 3), size)
            self.assertEqual(len(chunks["PLTE"]), 256 * 3, size)

    def test_small_sizes_are_transparent_outside_the_stroke(self):
        for size in (16, 32):
            self.assertIn("tRNS", png_chunks("%s/tintora-%d.png" % (ICONS, size)))
            pixels = decode("%s/tintora-%d.png" % (ICONS, size), size)
            for x, y in ((0, 0), (size - 1, 0), (size - 1, size - 1), (size // 2, size // 2)):
                self.assertEqual(pixels[y * size + x][3], 0, (size, x, y))
            self.assertGreater(sum(p[3] == 255 for p in pixels), size * size // 8, size)

    def test_large_size_is_opaque_on_white_with_a_grey_shadow_below(self):
        self.assertNotIn("tRNS", png_chunks("%s/tintora-48.png" % ICONS))
        pixels = decode("%s/tintora-48.png" % ICONS, 48)
        self.assertTrue(all(p[3] == 255 for p in pixels))
        self.assertEqual(pixels[0], (255, 255, 255, 255))
        self.assertEqual(pixels[47 * 48 + 47][:3], (255, 255, 255))
        # Under the lower arc there is neutral grey darker than the ground.
        below = [pixels[y * 48 + x] for y in range(40, 48) for x in range(14, 34)]
        self.assertTrue(any(p[0] == p[1] == p[2] and p[0] < 235 for p in below))

    def test_colours_run_red_top_left_green_right_violet_bottom_with_a_gap_left(self):
        for size in SIZES:
            pixels = decode("%s/tintora-%d.png" % (ICONS, size), size)

            def at(fx, fy):
                return pixels[int(fy * size) * size + int(fx * size)]

            self.assertEqual(hue_family(at(0.38, 0.19)), "red", size)
            self.assertEqual(hue_family(at(0.80, 0.30)), "yellow", size)
            self.assertEqual(hue_family(at(0.84, 0.50)), "green", size)
            self.assertEqual(hue_family(at(0.72, 0.74)), "blue", size)
            self.assertEqual(hue_family(at(0.47, 0.84)), "violet", size)
            gap = at(0.17, 0.40)
            self.assertTrue(gap[3] == 0 or gap[:3] == (255, 255, 255), (size, gap))


class IcoFile(unittest.TestCase):
    def setUp(self):
        with open("%s/tintora.ico" % ICONS, "rb") as f:
            self.data = f.read()

    def test_directory_holds_three_8_bit_dib_images_smallest_first(self):
        reserved, kind, count = struct.unpack("<HHH", self.data[:6])
        self.assertEqual((reserved, kind, count), (0, 1, 3))
        for n, size in enumerate(SIZES):
            w, h, colours, _, planes, bits, length, offset = struct.unpack(
                "<BBBBHHII", self.data[6 + 16 * n:22 + 16 * n])
            self.assertEqual((w, h, planes, bits), (size, size, 1, 8))
            self.assertLessEqual(offset + length, len(self.data))
            image = self.data[offset:offset + length]
            self.assertNotEqual(image[:4], b"\x89PNG", "entry %d must be a DIB" % size)
            header = struct.unpack("<IiiHHI", image[:20])
            self.assertEqual(header, (40, size, 2 * size, 1, 8, 0))
            mask_stride = (size + 31) // 32 * 4
            self.assertEqual(length, 40 + 256 * 4 + size * size + mask_stride * size)

    def test_images_match_the_pngs_under_the_and_mask(self):
        for n, size in enumerate(SIZES):
            ico = decode("%s/tintora.ico[%d]" % (ICONS, n), size)
            png = decode("%s/tintora-%d.png" % (ICONS, size), size)
            for i, (a, b) in enumerate(zip(ico, png)):
                where = (size, i % size, i // size)
                if b[3] >= 128:
                    self.assertEqual(a, b[:3] + (255,), where)
                else:
                    self.assertEqual(a[3], 0, where)


class SvgMaster(unittest.TestCase):
    def setUp(self):
        if RENDER_SVG == "-":
            self.skipTest("built without Qt, so without render_svg")

    def test_master_draws_the_same_ring_as_the_32_px_bitmap(self):
        root = ElementTree.parse("%s/tintora.svg" % ICONS).getroot()
        self.assertEqual(root.tag, "{http://www.w3.org/2000/svg}svg")
        self.assertEqual(root.get("viewBox"), "0 0 256 256")
        raw = subprocess.run([RENDER_SVG, "%s/tintora.svg" % ICONS, "32"],
                             check=True, stdout=subprocess.PIPE).stdout
        self.assertEqual(len(raw), 32 * 32 * 4)
        drawn = [raw[i + 3] for i in range(0, len(raw), 4)]
        painted = [p[3] for p in decode("%s/tintora-32.png" % ICONS, 32)]
        # Renderers anti-alias differently; shape agreement is what counts.
        differing = sum(abs(a - b) > 128 for a, b in zip(drawn, painted))
        self.assertLess(differing, 32 * 32 // 50)
        self.assertGreater(sum(a > 128 for a in drawn), 32 * 32 // 6)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit("usage: check_icons.py CONVERT RENDER_SVG ICON_DIR")
    CONVERT, RENDER_SVG, ICONS = sys.argv[1:]
    unittest.main(argv=sys.argv[:1], verbosity=2)

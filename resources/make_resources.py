#!/usr/bin/env python3
"""Draws the program's icon "GROCERY" (a shopping basket with fruit and
greens, 32-bit images of 16, 24, 32, 48 and 64 pixels: the window's small
and large icon at 100 %, 150 % and 200 % display scaling) and its cursor "HAND" (a pointing hand,
32x32 monochrome, hot spot at the finger tip) and writes them as
grocery.ico and hand.cur next to this script; the same drawing as PNG files
of 16 to 256 pixels for the Linux desktop's icon theme, in
hicolor/<size>x<size>/apps/pantrium-qt.png (the layout of share/icons/hicolor).

The ICO/CUR containers are written by hand: a 6-byte directory header, one
16-byte entry per image, then each image as a bottom-up DIB (BITMAPINFOHEADER with twice the height,
the colour bitmap, then the 1-bit AND mask with rows padded to 4 bytes).

Usage: python3 resources/make_resources.py [--check]
  --check  exits 1 when the committed files differ from what would be drawn
           (the PNG files by their pixels: zlib may pack them differently).
"""
import math
import os
import struct
import sys
import zlib

SIZE = 32           # the drawing's coordinates, and the cursor's size
ICON_SIZES = (16, 24, 32, 48, 64)
THEME_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
THEME_ICON = "hicolor/{0}x{0}/apps/pantrium-qt.png"
HERE = os.path.dirname(os.path.abspath(__file__))


# ---- the icon: drawn from shapes with 4x4 supersampling --------------------

def rgb(hexcode):
    return tuple(int(hexcode[i:i + 2], 16) for i in (0, 2, 4))


def in_circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def in_ring_top(cx, cy, r_out, r_in, y_max):
    def test(x, y):
        d = (x - cx) ** 2 + (y - cy) ** 2
        return y <= y_max and r_in * r_in <= d <= r_out * r_out
    return test


def in_trapezoid(y0, y1, top_l, top_r, bot_l, bot_r):
    def test(x, y):
        if not y0 <= y <= y1:
            return False
        t = (y - y0) / (y1 - y0)
        return top_l + (bot_l - top_l) * t <= x <= top_r + (bot_r - top_r) * t
    return test


def in_round_rect(x0, y0, x1, y1, r):
    def test(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return test


def in_ellipse(cx, cy, rx, ry, angle):
    ca, sa = math.cos(angle), math.sin(angle)
    def test(x, y):
        u = (x - cx) * ca + (y - cy) * sa
        v = -(x - cx) * sa + (y - cy) * ca
        return (u / rx) ** 2 + (v / ry) ** 2 <= 1
    return test


def wicker(x, y):
    """Basket body colour: woven bands with darker gaps and slats."""
    base = rgb("C8843C")
    if int(y - 18) % 3 == 2:
        return rgb("7A4A1E")
    if (int(x) + (int(y - 18) // 3) * 2) % 4 == 0:
        return rgb("A8672A")
    return base


OUTLINE = rgb("3A2410")

# Layers, back to front: (shape, colour or colour function, outlined).
LAYERS = [
    (in_ring_top(16, 16, 12.5, 10.2, 16), rgb("7A4A1E"), True),         # handle
    (in_circle(21.5, 10.5, 5.2), rgb("3E9B3A"), True),                 # lettuce
    (in_circle(19.5, 8.0, 2.4), rgb("6CC25A"), False),                 # its lighter leaf
    (in_ellipse(8.5, 11.0, 6.0, 2.6, -0.5), rgb("E2B466"), True),      # bread loaf
    (in_circle(15.0, 12.5, 4.6), rgb("D8342C"), True),                 # apple
    (in_circle(13.6, 11.0, 1.3), rgb("F08A80"), False),                # apple highlight
    (in_round_rect(15.0, 6.0, 16.2, 9.0, 0.4), rgb("5A3A1A"), False),  # apple stem
    (in_ellipse(17.8, 6.8, 2.0, 0.9, -0.4), rgb("4CAF50"), False),     # apple leaf
    (in_round_rect(2.0, 15.0, 30.0, 18.5, 1.6), rgb("8B5A2B"), True),  # rim
    (in_trapezoid(18.5, 29.5, 3.5, 28.5, 7.0, 25.0), wicker, True),    # body
]


def draw_icon(size):
    """Returns size x size rows (top first) of (r, g, b, a) pixels: the
    32-unit drawing scaled, its outline kept at about 0.8 px (1 px at 16)."""
    scale = SIZE / size
    outline = 0.8 * scale if size >= 32 else 1.0 * scale
    n = max(4, round(4 * scale))  # supersamples per axis
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0]
            cover = 0
            for sy in range(n):
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) * scale
                    y = (py + (sy + 0.5) / n) * scale
                    colour = sample(x, y, outline)
                    if colour is not None:
                        cover += 1
                        for i in range(3):
                            acc[i] += colour[i]
            if cover == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(round(c / cover) for c in acc) + (round(255 * cover / (n * n)),))
        pixels.append(row)
    return pixels


def sample(x, y, outline=0.8):
    """Colour of the front-most layer at (x, y), with a dark outline of the
    given width (drawing units) around the outlined shapes; None where
    nothing is drawn."""
    for shape, colour, outlined in reversed(LAYERS):
        if shape(x, y):
            if outlined and not all(shape(x + dx, y + dy) for dx, dy in
                                    ((outline, 0), (-outline, 0), (0, outline), (0, -outline))):
                return OUTLINE
            return colour(x, y) if callable(colour) else colour
    return None


# ---- the cursor: a pointing hand, drawn as text ------------------------------
# '#' black outline, 'o' white, ' ' transparent. The hot spot is the 'X' at
# the finger tip (black like '#').

HAND = """
      X#
     #oo#
     #oo#
     #oo#
     #oo#
     #oo###
     #oo#oo###
     #oo#oo#oo##
     #oo#oo#oo#o#
  ## #oo#oo#oo#oo#
 #oo##oooooooo#oo#
 #ooo#oooooooooooo#
  #oo#oooooooooooo#
   #oooooooooooooo#
   #ooooooooooooo#
    #oooooooooooo#
    #ooooooooooo#
     #oooooooooo#
     #oooooooooo#
      #oooooooo#
      #oooooooo#
      ##########
"""


def draw_hand():
    lines = HAND.strip("\n").split("\n")
    grid = [[" "] * SIZE for _ in range(SIZE)]
    hotspot = (0, 0)
    for y, line in enumerate(lines):
        for x, ch in enumerate(line):
            if ch == "X":
                hotspot = (x, y)
                ch = "#"
            grid[y][x] = ch
    return grid, hotspot


# ---- file formats ------------------------------------------------------------

def and_mask(transparent, size=SIZE):
    """1-bit mask rows, bottom row first, each padded to 4 bytes; bit set =
    transparent (the screen shows through)."""
    out = bytearray()
    for y in reversed(range(size)):
        bits = 0
        row = bytearray()
        for x in range(size):
            bits = (bits << 1) | (1 if transparent(x, y) else 0)
            if x % 8 == 7:
                row.append(bits)
                bits = 0
        row += b"\0" * (-len(row) % 4)
        out += row
    return bytes(out)


def dib_header(bit_count, image_size, colours_used, size=SIZE):
    # BITMAPINFOHEADER; the height counts the colour bitmap and the mask.
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bit_count, 0,
                       image_size, 0, 0, colours_used, 0)


def container(kind, images):
    """ICONDIR (kind 1 = icon, 2 = cursor), one ICONDIRENTRY per image, then
    the images; images are (size, colour count, planes or hot spot x, bits
    or hot spot y, bytes)."""
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for size, colour_count, planes_or_hx, bits_or_hy, image in images:
        out += struct.pack("<BBBBHHII", size, size, colour_count, 0,
                           planes_or_hx, bits_or_hy, len(image), offset)
        offset += len(image)
    return out + b"".join(image for *_, image in images)


def icon_image(pixels):
    size = len(pixels)
    colour = bytearray()
    for row in reversed(pixels):
        for r, g, b, a in row:
            colour += bytes((b, g, r, a))
    mask = and_mask(lambda x, y: pixels[y][x][3] == 0, size)
    image = dib_header(32, len(colour) + len(mask), 0, size) + bytes(colour) + mask
    return (size, 0, 1, 32, image)


def icon_bytes(sizes):
    return container(1, [icon_image(draw_icon(size)) for size in sizes])


def cursor_bytes(grid, hotspot):
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))  # index 0 black, 1 white
    xor = bytearray()
    for y in reversed(range(SIZE)):
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if grid[y][x] == "o" else 0)
            if x % 8 == 7:
                xor.append(bits)
                bits = 0
    mask = and_mask(lambda x, y: grid[y][x] == " ")
    image = dib_header(1, len(xor) + len(mask), 2) + palette + bytes(xor) + mask
    return container(2, [(SIZE, 2, hotspot[0], hotspot[1], image)])


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png_bytes(pixels):
    """An 8-bit RGBA PNG: each row behind filter byte 0 (none), one IDAT."""
    size = len(pixels)
    raw = b"".join(b"\0" + bytes(c for px in row for c in px) for row in pixels)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) +
            png_chunk(b"IDAT", zlib.compress(raw, 9)) + png_chunk(b"IEND", b""))


def png_content(data):
    """What a PNG shows: its header and its unpacked image data; None when
    the file is no PNG."""
    if not data.startswith(b"\x89PNG\r\n\x1a\n"):
        return None
    at, header, packed = 8, None, b""
    while at + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            header = body
        elif kind == b"IDAT":
            packed += body
        at += 12 + length
    try:
        return header, zlib.decompress(packed)
    except zlib.error:
        return None


def main():
    outputs = {
        "grocery.ico": icon_bytes(ICON_SIZES),
        "hand.cur": cursor_bytes(*draw_hand()),
    }
    for size in THEME_SIZES:
        outputs[THEME_ICON.format(size)] = png_bytes(draw_icon(size))
    check = "--check" in sys.argv[1:]
    stale = False
    for name, data in outputs.items():
        path = os.path.join(HERE, name)
        if check:
            try:
                with open(path, "rb") as f:
                    committed = f.read()
            except OSError:
                committed = None
            same = committed == data or (name.endswith(".png") and committed is not None and
                                         png_content(committed) == png_content(data))
            if not same:
                print(f"{name} differs from the drawing; run make_resources.py")
                stale = True
        else:
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "wb") as f:
                f.write(data)
            print(f"wrote {path} ({len(data)} bytes)")
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main())

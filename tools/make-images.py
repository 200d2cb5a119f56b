#!/usr/bin/env python3
"""Draws the tool-bar bitmaps and the master shop images of the installation.

    tools/make-images.py [PROGRAM_DIR]

PROGRAM_DIR defaults to share/program beside this folder. Writes
Buttons/<name>-off.bmp and Buttons/<name>-on.bmp (24-bit, 32x32) and
Apache/htdocs/images/{logo,nopicture}.gif. Only the standard library is
used, so the pictures can be redrawn on any machine; the output is
deterministic, so a rerun changes no committed file unless a drawing changed.

Shapes are drawn at four times the size and averaged down, which gives smooth
edges without an anti-aliasing rasteriser. Coordinates are in output pixels.
"""

import math
import os
import struct
import sys

SUPERSAMPLE = 4

# The bitmaps carry no alpha, so the normal button sits on the usual button
# face; its corner pixels keep that colour, so a face may mask it out.
BUTTON_FACE = (240, 240, 240)
WHITE = (255, 255, 255)


def lerp(a, b, t):
    t = min(1.0, max(0.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def vertical(top, bottom, y0, y1):
    return lambda x, y: lerp(top, bottom, (y - y0) / (y1 - y0))


def horizontal(left, right, x0, x1):
    return lambda x, y: lerp(left, right, (x - x0) / (x1 - x0))


def hexrgb(text):
    return tuple(int(text[i : i + 2], 16) for i in (1, 3, 5))


class Canvas:
    """Premultiplied RGBA pixels at SUPERSAMPLE times the output size."""

    def __init__(self, width, height, background=None):
        self.width, self.height = width, height
        self.cols, self.rows = width * SUPERSAMPLE, height * SUPERSAMPLE
        fill = [0.0, 0.0, 0.0, 0.0] if background is None else [*background, 1.0]
        self.px = [list(fill) for _ in range(self.cols * self.rows)]

    def paint(self, inside, bbox, colour, alpha=1.0):
        x0, y0, x1, y1 = bbox
        c0 = max(0, int(x0 * SUPERSAMPLE))
        c1 = min(self.cols, int(math.ceil(x1 * SUPERSAMPLE)))
        r0 = max(0, int(y0 * SUPERSAMPLE))
        r1 = min(self.rows, int(math.ceil(y1 * SUPERSAMPLE)))
        for row in range(r0, r1):
            y = (row + 0.5) / SUPERSAMPLE
            for col in range(c0, c1):
                x = (col + 0.5) / SUPERSAMPLE
                if not inside(x, y):
                    continue
                rgb = colour(x, y) if callable(colour) else colour
                p = self.px[row * self.cols + col]
                keep = 1.0 - alpha
                for i in range(3):
                    p[i] = rgb[i] * alpha + p[i] * keep
                p[3] = alpha + p[3] * keep

    # Shapes. Each takes its geometry, a colour (an RGB triple or a function
    # of x and y) and an optional clip predicate.

    def rect(self, x0, y0, x1, y1, colour, alpha=1.0, clip=None):
        inside = lambda x, y: x0 <= x <= x1 and y0 <= y <= y1
        self.paint(self._clipped(inside, clip), (x0, y0, x1, y1), colour, alpha)

    def round_rect(self, x0, y0, x1, y1, radius, colour, alpha=1.0):
        def inside(x, y):
            if not (x0 <= x <= x1 and y0 <= y <= y1):
                return False
            dx = max(x0 + radius - x, 0.0, x - (x1 - radius))
            dy = max(y0 + radius - y, 0.0, y - (y1 - radius))
            return dx * dx + dy * dy <= radius * radius

        self.paint(inside, (x0, y0, x1, y1), colour, alpha)

    def ellipse(self, cx, cy, rx, ry, colour, alpha=1.0, clip=None):
        inside = lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0
        self.paint(self._clipped(inside, clip), (cx - rx, cy - ry, cx + rx, cy + ry), colour, alpha)

    def ring(self, cx, cy, rx, ry, width, colour, alpha=1.0, clip=None):
        def inside(x, y):
            outer = ((x - cx) / (rx + width / 2)) ** 2 + ((y - cy) / (ry + width / 2)) ** 2
            inner = ((x - cx) / max(rx - width / 2, 0.01)) ** 2 + ((y - cy) / max(ry - width / 2, 0.01)) ** 2
            return outer <= 1.0 < inner

        bbox = (cx - rx - width, cy - ry - width, cx + rx + width, cy + ry + width)
        self.paint(self._clipped(inside, clip), bbox, colour, alpha)

    def polygon(self, points, colour, alpha=1.0, clip=None):
        def inside(x, y):
            hit = False
            j = len(points) - 1
            for i, (xi, yi) in enumerate(points):
                xj, yj = points[j]
                if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    hit = not hit
                j = i
            return hit

        xs, ys = [p[0] for p in points], [p[1] for p in points]
        self.paint(self._clipped(inside, clip), (min(xs), min(ys), max(xs), max(ys)), colour, alpha)

    def line(self, x0, y0, x1, y1, width, colour, alpha=1.0, clip=None):
        half = width / 2
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy or 1e-9

        def inside(x, y):
            t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
            ex, ey = x - (x0 + t * dx), y - (y0 + t * dy)
            return ex * ex + ey * ey <= half * half

        bbox = (min(x0, x1) - half, min(y0, y1) - half, max(x0, x1) + half, max(y0, y1) + half)
        self.paint(self._clipped(inside, clip), bbox, colour, alpha)

    def outline(self, points, width, colour):
        for i, start in enumerate(points):
            end = points[(i + 1) % len(points)]
            self.line(*start, *end, width, colour)

    def shape(self, points, fill, edge, width=1.0):
        self.polygon(points, fill)
        self.outline(points, width, edge)

    @staticmethod
    def _clipped(inside, clip):
        return inside if clip is None else (lambda x, y: clip(x, y) and inside(x, y))

    def pixels(self, matte):
        """Output pixels as (r, g, b, coverage), composited over the matte."""
        out = []
        n = SUPERSAMPLE * SUPERSAMPLE
        for y in range(self.height):
            row = []
            for x in range(self.width):
                acc = [0.0, 0.0, 0.0, 0.0]
                for sy in range(SUPERSAMPLE):
                    base = (y * SUPERSAMPLE + sy) * self.cols + x * SUPERSAMPLE
                    for p in self.px[base : base + SUPERSAMPLE]:
                        for i in range(4):
                            acc[i] += p[i]
                a = acc[3] / n
                rgb = tuple(
                    int(round(min(255.0, acc[i] / n + matte[i] * (1.0 - a)))) for i in range(3)
                )
                row.append((*rgb, a))
            out.append(row)
        return out


# --- file writers ----------------------------------------------------------


def bmp_bytes(rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b, _ in row:
            line += bytes((b, g, r))
        body += line + bytes(stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    return header + info + bytes(body)


def palette_for(colours, limit):
    """The colours themselves when they fit; else the most frequent ones."""
    counts = {}
    for c in colours:
        counts[c] = counts.get(c, 0) + 1
    return sorted(counts, key=lambda c: (-counts[c], c))[:limit]


def nearest(colour, palette, cache):
    if colour not in cache:
        cache[colour] = min(
            range(len(palette)), key=lambda i: sum((colour[k] - palette[i][k]) ** 2 for k in range(3))
        )
    return cache[colour]


def lzw_encode(indices, min_code_size):
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    out = bytearray()
    bits = nbits = 0

    def emit(code, size):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    def reset():
        return {(i,): i for i in range(clear)}, end + 1, min_code_size + 1

    table, next_code, size = reset()
    emit(clear, size)
    word = (indices[0],)
    for index in indices[1:]:
        longer = word + (index,)
        if longer in table:
            word = longer
            continue
        emit(table[word], size)
        table[longer] = next_code
        next_code += 1
        # The decoder adds its entry one code later, so it widens one code later too.
        if next_code > (1 << size) and size < 12:
            size += 1
        if next_code == 4096:
            emit(clear, size)
            table, next_code, size = reset()
        word = (index,)
    emit(table[word], size)
    emit(end, size)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def gif_bytes(rows, transparent):
    height, width = len(rows), len(rows[0])
    flat = [p for row in rows for p in row]
    see_through = [transparent and p[3] < 0.5 for p in flat]
    reserved = 1 if transparent else 0
    solid = [p[:3] for p, clear in zip(flat, see_through) if not clear]
    palette = [(0, 0, 0)] * reserved + palette_for(solid, 256 - reserved)
    bits = max(1, (len(palette) - 1).bit_length())
    palette += [(0, 0, 0)] * ((1 << bits) - len(palette))
    cache = {}
    indices = [0 if clear else nearest(p[:3], palette, cache) for p, clear in zip(flat, see_through)]
    data = bytearray(b"GIF89a")
    data += struct.pack("<HHBBB", width, height, 0xF0 | (bits - 1), 0, 0)
    for c in palette:
        data += bytes(c)
    if transparent:
        data += bytes((0x21, 0xF9, 4, 1, 0, 0, 0, 0))
    data += b"\x2c" + struct.pack("<HHHHB", 0, 0, width, height, 0)
    min_code_size = max(2, bits)
    data.append(min_code_size)
    stream = lzw_encode(indices, min_code_size)
    for i in range(0, len(stream), 255):
        chunk = stream[i : i + 255]
        data += bytes((len(chunk),)) + chunk
    data += b"\x00\x3b"
    return bytes(data)


# --- tool-bar icons (32x32) -------------------------------------------------


def plus_badge(c, cx, cy, r):
    c.ellipse(cx, cy, r + 0.8, r + 0.8, hexrgb("#1E6E1E"))
    c.ellipse(cx, cy, r, r, vertical(hexrgb("#6AD86A"), hexrgb("#249024"), cy - r, cy + r))
    arm = r * 0.58
    c.line(cx - arm, cy, cx + arm, cy, 2.4, WHITE)
    c.line(cx, cy - arm, cx, cy + arm, 2.4, WHITE)


def draw_save(c):
    edge = hexrgb("#173A80")
    c.shape([(4, 4), (24, 4), (28, 8), (28, 28), (4, 28)],
            vertical(hexrgb("#4A82E8"), hexrgb("#1E4AA8"), 4, 28), edge)
    c.shape([(9, 4.5), (22, 4.5), (22, 12.5), (9, 12.5)],
            vertical(hexrgb("#F2F6FA"), hexrgb("#AEBBCA"), 4, 13), hexrgb("#4A5A6A"), 0.8)
    c.rect(17, 6, 20, 11, hexrgb("#2A3440"))
    c.round_rect(7, 16, 25, 28.4, 1.2, hexrgb("#4A5A6A"))
    c.round_rect(7.8, 16.8, 24.2, 28.4, 0.8, vertical(WHITE, hexrgb("#E4EAF0"), 16, 28))
    for y in (20, 24):
        c.line(10.5, y, 21.5, y, 1.2, hexrgb("#8C9AAA"))


def folder(c, ox, oy, s):
    at = lambda pts: [(ox + x * s, oy + y * s) for x, y in pts]
    edge = hexrgb("#8A5E06")
    c.shape(at([(3, 6), (12, 6), (15, 9.5), (29, 9.5), (29, 27), (3, 27)]),
            vertical(hexrgb("#E8B040"), hexrgb("#C88A18"), oy + 6 * s, oy + 27 * s), edge)
    c.shape(at([(3, 27), (6.5, 13.5), (31, 13.5), (28, 27)]),
            vertical(hexrgb("#FFE27A"), hexrgb("#F2B22A"), oy + 13 * s, oy + 27 * s), edge)


def draw_category(c):
    folder(c, 0, 1, 1.0)


def draw_sub_category(c):
    folder(c, -0.5, -0.5, 0.85)
    plus_badge(c, 24, 24, 6.2)


def draw_new(c):
    edge = hexrgb("#5A6878")
    c.shape([(5, 2.5), (18, 2.5), (24, 8.5), (24, 29.5), (5, 29.5)],
            vertical(WHITE, hexrgb("#E6ECF2"), 2, 30), edge)
    c.shape([(18, 2.5), (18, 8.5), (24, 8.5)], hexrgb("#CBD4DE"), edge, 0.9)
    for y in (12.5, 16.5, 20.5):
        c.line(8.5, y, 20.5 if y > 13 else 15, y, 1.2, hexrgb("#A0ACBA"))
    plus_badge(c, 24, 24, 6.2)


def arrow(c, points, top, bottom, edge):
    ys = [p[1] for p in points]
    c.shape(points, vertical(top, bottom, min(ys), max(ys)), edge)


def draw_import(c):
    edge = hexrgb("#1E3E6E")
    cx, top, bottom, rx, ry = 16, 14, 27, 11, 3.6
    c.ellipse(cx, bottom, rx + 0.8, ry + 0.8, edge)
    c.rect(cx - rx - 0.8, top, cx + rx + 0.8, bottom, edge)
    body = horizontal(hexrgb("#A8C8EE"), hexrgb("#3A64A0"), cx - rx, cx + rx)
    c.ellipse(cx, bottom, rx, ry, body)
    c.rect(cx - rx, top, cx + rx, bottom, body)
    for y in (19.5, 24):
        c.ring(cx, y, rx, ry, 0.8, edge, 0.55, clip=lambda x, yy, y=y: yy > y)
    c.ellipse(cx, top, rx + 0.8, ry + 0.8, edge)
    c.ellipse(cx, top, rx, ry, vertical(hexrgb("#D6E6FA"), hexrgb("#9ABCE6"), top - ry, top + ry))
    arrow(c, [(13.3, 0.8), (18.7, 0.8), (18.7, 7), (23.5, 7), (16, 15), (8.5, 7), (13.3, 7)],
          hexrgb("#7EE07E"), hexrgb("#2A962A"), hexrgb("#175C17"))


def draw_export(c):
    edge = hexrgb("#6A4418")
    c.shape([(5, 16), (8.5, 12), (23.5, 12), (27, 16)], hexrgb("#7A5020"), edge)
    arrow(c, [(13.3, 19), (18.7, 19), (18.7, 9), (23.5, 9), (16, 1), (8.5, 9), (13.3, 9)],
          hexrgb("#7AB8FF"), hexrgb("#2060C8"), hexrgb("#123E86"))
    c.shape([(5, 16), (1, 11.5), (3.5, 10), (8.5, 12)], hexrgb("#EAC27E"), edge, 0.9)
    c.shape([(27, 16), (31, 11.5), (28.5, 10), (23.5, 12)], hexrgb("#EAC27E"), edge, 0.9)
    c.shape([(5, 16), (27, 16), (27, 29.5), (5, 29.5)],
            vertical(hexrgb("#E0AE68"), hexrgb("#B07A35"), 16, 30), edge)
    c.line(5.5, 20, 26.5, 20, 0.8, hexrgb("#9A6A2E"))


def draw_delete(c):
    strokes = [(7.5, 7.5, 24.5, 24.5), (24.5, 7.5, 7.5, 24.5)]
    for s in strokes:
        c.line(*s, 8.2, hexrgb("#7A0E0E"))
    for s in strokes:
        c.line(*s, 6.0, vertical(hexrgb("#FF6A6A"), hexrgb("#C41C1C"), 6, 26))


def draw_post(c):
    edge = hexrgb("#7A6A4A")
    c.round_rect(2.5, 7, 29.5, 26, 1.8, edge)
    c.round_rect(3.5, 8, 28.5, 25, 1.2, vertical(hexrgb("#FFFDF6"), hexrgb("#EDE3CC"), 8, 25))
    c.line(4, 24.5, 13.5, 16.5, 1.0, hexrgb("#B8A888"))
    c.line(28, 24.5, 18.5, 16.5, 1.0, hexrgb("#B8A888"))
    c.polygon([(3.8, 8.3), (28.2, 8.3), (16, 18.5)], vertical(hexrgb("#F6EEDA"), hexrgb("#E2D4B2"), 8, 19))
    c.line(3.8, 8.3, 16, 18.5, 1.2, edge)
    c.line(28.2, 8.3, 16, 18.5, 1.2, edge)
    c.rect(21, 3, 28, 10.5, hexrgb("#8A1E1E"))
    c.rect(21.7, 3.7, 27.3, 9.8, WHITE)
    c.rect(22.6, 4.6, 26.4, 8.9, vertical(hexrgb("#F05A5A"), hexrgb("#B82020"), 4.6, 9))


def draw_catologue(c):
    cx = cy = 16
    r = 13
    on_globe = lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= (r - 0.3) ** 2
    c.ellipse(cx, cy, r + 0.9, r + 0.9, hexrgb("#123C78"))
    c.ellipse(cx, cy, r, r, lambda x, y: lerp(hexrgb("#9AD2FF"), hexrgb("#1A56B0"),
                                              math.hypot(x - 11, y - 10) / 19))
    land = lambda x, y: lerp(hexrgb("#8CE08C"), hexrgb("#2E8A2E"), math.hypot(x - 11, y - 10) / 19)
    for ex, ey, erx, ery in [(10, 11, 5, 3.5), (12.5, 19.5, 3, 5.5), (21.5, 10, 4.5, 2.6),
                             (22.5, 19.5, 3.2, 3.8), (5, 17, 2, 3)]:
        c.ellipse(ex, ey, erx, ery, land, clip=on_globe)
    grid = hexrgb("#FFFFFF")
    for rx in (5, 10):
        c.ring(cx, cy, rx, r, 0.8, grid, 0.5, clip=on_globe)
    for y in (9.5, 16, 22.5):
        c.line(cx - r, y, cx + r, y, 0.8, grid, 0.5, clip=on_globe)
    c.line(cx, cy - r, cx, cy + r, 0.8, grid, 0.5, clip=on_globe)
    c.ellipse(11, 9.5, 4, 2.6, WHITE, 0.35)


BUTTONS = {
    "save": draw_save,
    "category": draw_category,
    "sub-category": draw_sub_category,
    "new": draw_new,
    "import": draw_import,
    "export": draw_export,
    "delete": draw_delete,
    "post": draw_post,
    "catologue": draw_catologue,  # the program loads this spelling
}


def button(draw, hot):
    c = Canvas(32, 32, BUTTON_FACE)
    if hot:
        c.round_rect(0.5, 0.5, 31.5, 31.5, 5, hexrgb("#3C8CDC"))
        c.round_rect(1.5, 1.5, 30.5, 30.5, 4, vertical(hexrgb("#EEF6FF"), hexrgb("#BCD8F8"), 1, 31))
    draw(c)
    return bmp_bytes(c.pixels(BUTTON_FACE))


# --- master shop images -----------------------------------------------------


def draw_logo():
    """A market stall under a striped awning."""
    c = Canvas(64, 48)
    wood = hexrgb("#8A5A2A")
    for x in (7, 54.5):
        c.rect(x, 14, x + 2.5, 42, vertical(hexrgb("#A8743C"), hexrgb("#6A4218"), 14, 42))
    stripes, x0, x1 = 8, 3, 61
    width = (x1 - x0) / stripes
    stripe = lambda x, y: hexrgb("#D83A3A") if int((x - x0) / width) % 2 == 0 else hexrgb("#FFF6F0")
    c.polygon([(8, 3), (56, 3), (61.5, 15), (2.5, 15)], hexrgb("#8A1E1E"))
    c.polygon([(8.6, 3.8), (55.4, 3.8), (60.5, 14.6), (3.5, 14.6)], stripe)
    for i in range(stripes):
        cx = x0 + (i + 0.5) * width
        c.ellipse(cx, 15, width / 2, 3.2, stripe, clip=lambda x, y: y >= 14.6)
        c.ring(cx, 15, width / 2, 3.2, 0.7, hexrgb("#8A1E1E"), clip=lambda x, y: y >= 15)
    c.round_rect(3, 30, 61, 45, 1.5, wood)
    c.round_rect(3.8, 30.8, 60.2, 44.2, 1, vertical(hexrgb("#E2B070"), hexrgb("#B07A3A"), 30, 45))
    c.line(4, 37.5, 60, 37.5, 0.8, wood)
    for cx, colour in [(14, "#FF9A1E"), (20.5, "#E03030"), (27, "#FF9A1E"), (40, "#6CC83C"),
                       (46.5, "#E03030")]:
        c.ellipse(cx, 27, 3.2, 3.2, hexrgb("#5A3A1A"))
        c.ellipse(cx, 27, 2.6, 2.6, vertical(WHITE, hexrgb(colour), 22, 27.5))
    return gif_bytes(c.pixels(WHITE), transparent=True)


def draw_nopicture():
    c = Canvas(96, 96, hexrgb("#F2F3F5"))
    grey = hexrgb("#C2C8CF")
    c.round_rect(24, 28, 72, 68, 3, grey)
    c.round_rect(27, 31, 69, 65, 1.5, WHITE)
    inside = lambda x, y: 27 <= x <= 69 and 31 <= y <= 65
    c.polygon([(27, 65), (42, 44), (52, 56), (58, 50), (69, 63), (69, 65)], hexrgb("#D4D9DF"), clip=inside)
    c.ellipse(58, 40, 4.5, 4.5, hexrgb("#DCE0E5"))
    return gif_bytes(c.pixels(WHITE), transparent=False)


IMAGES = {"logo.gif": draw_logo, "nopicture.gif": draw_nopicture}


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)
    print(path)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    program = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "share", "program")
    buttons = os.path.join(program, "Buttons")
    images = os.path.join(program, "Apache", "htdocs", "images")
    os.makedirs(buttons, exist_ok=True)
    os.makedirs(images, exist_ok=True)
    for name, draw in BUTTONS.items():
        write(os.path.join(buttons, name + "-off.bmp"), button(draw, hot=False))
        write(os.path.join(buttons, name + "-on.bmp"), button(draw, hot=True))
    for name, draw in IMAGES.items():
        write(os.path.join(images, name), draw())


if __name__ == "__main__":
    main()

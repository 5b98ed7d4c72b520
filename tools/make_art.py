#!/usr/bin/env python3
"""Draws the program's icons, glyphs, picture strip and hand cursor and writes them into res/art/.

Pure Python: shapes are rendered into RGBA pixel arrays with supersampled (anti-aliased) edges and the
.ico, .bmp and .cur files are written with struct. The output is deterministic, so running the script
again only changes the files when a drawing changes.

Every picture is designed on a 16 x 16 grid (coordinates in pixels of the 16 x 16 image, edges on whole
numbers, one-pixel lines on half numbers) and scaled for the larger icon sizes.
"""

import math
import os
import struct
import sys

SAMPLES = 8  # samples per pixel along each axis for the coverage of an edge pixel
DESIGN = 16.0


# Shapes: each answers whether a point (in design units) lies inside, its bounding box, and a copy grown by
# a distance (used to paint outlines under the fills).

def _segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    qx, qy = ax + t * dx - px, ay + t * dy - py
    return math.sqrt(qx * qx + qy * qy)


class Circle:
    def __init__(self, cx, cy, r):
        self.cx, self.cy, self.r = cx, cy, r

    def bbox(self):
        return (self.cx - self.r, self.cy - self.r, self.cx + self.r, self.cy + self.r)

    def contains(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        return dx * dx + dy * dy <= self.r * self.r

    def grown(self, d):
        return Circle(self.cx, self.cy, self.r + d)


class RoundRect:
    def __init__(self, x0, y0, x1, y1, r=0.0):
        self.x0, self.y0, self.x1, self.y1, self.r = x0, y0, x1, y1, max(0.0, r)

    def bbox(self):
        return (self.x0, self.y0, self.x1, self.y1)

    def contains(self, x, y):
        if not (self.x0 <= x <= self.x1 and self.y0 <= y <= self.y1):
            return False
        if self.r == 0:
            return True
        cx = min(max(x, self.x0 + self.r), self.x1 - self.r)
        cy = min(max(y, self.y0 + self.r), self.y1 - self.r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= self.r * self.r

    def grown(self, d):
        return RoundRect(self.x0 - d, self.y0 - d, self.x1 + d, self.y1 + d, self.r + d)


class Polygon:
    """A closed polygon, optionally widened by a distance (its Minkowski sum with a disc)."""

    def __init__(self, points, widen=0.0):
        self.points, self.widen = list(points), widen

    def bbox(self):
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        w = self.widen
        return (min(xs) - w, min(ys) - w, max(xs) + w, max(ys) + w)

    def _edges(self):
        pts = self.points
        return zip(pts, pts[1:] + pts[:1])

    def contains(self, x, y):
        inside = False
        for (ax, ay), (bx, by) in self._edges():
            if (ay > y) != (by > y):
                cross = ax + (y - ay) * (bx - ax) / (by - ay)
                if x < cross:
                    inside = not inside
        if inside or self.widen <= 0:
            return inside
        return any(_segment_distance(x, y, ax, ay, bx, by) <= self.widen
                   for (ax, ay), (bx, by) in self._edges())

    def grown(self, d):
        return Polygon(self.points, self.widen + d)


class Stroke:
    """A polyline drawn with the given width and round ends and joins."""

    def __init__(self, points, width):
        self.points, self.width = list(points), width

    def bbox(self):
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        h = self.width / 2
        return (min(xs) - h, min(ys) - h, max(xs) + h, max(ys) + h)

    def contains(self, x, y):
        h = self.width / 2
        pts = self.points
        if len(pts) == 1:
            return math.hypot(x - pts[0][0], y - pts[0][1]) <= h
        return any(_segment_distance(x, y, ax, ay, bx, by) <= h
                   for (ax, ay), (bx, by) in zip(pts, pts[1:]))

    def grown(self, d):
        return Stroke(self.points, self.width + 2 * d)


class Union:
    def __init__(self, *shapes):
        self.shapes = shapes

    def bbox(self):
        boxes = [s.bbox() for s in self.shapes]
        return (min(b[0] for b in boxes), min(b[1] for b in boxes),
                max(b[2] for b in boxes), max(b[3] for b in boxes))

    def contains(self, x, y):
        return any(s.contains(x, y) for s in self.shapes)

    def grown(self, d):
        return Union(*(s.grown(d) for s in self.shapes))


class Intersection:
    def __init__(self, a, b):
        self.a, self.b = a, b

    def bbox(self):
        a, b = self.a.bbox(), self.b.bbox()
        return (max(a[0], b[0]), max(a[1], b[1]), min(a[2], b[2]), min(a[3], b[3]))

    def contains(self, x, y):
        return self.a.contains(x, y) and self.b.contains(x, y)

    def grown(self, d):
        return Intersection(self.a.grown(d), self.b.grown(d))


def arc_points(cx, cy, r, start_deg, end_deg, steps=24):
    """Points along a circular arc; angles in degrees, 0 = right, 90 = down (screen coordinates)."""
    return [(cx + r * math.cos(math.radians(start_deg + (end_deg - start_deg) * i / steps)),
             cy + r * math.sin(math.radians(start_deg + (end_deg - start_deg) * i / steps)))
            for i in range(steps + 1)]


# Colours and the canvas.

def rgb(hex_text, alpha=255):
    v = int(hex_text.lstrip('#'), 16)
    return ((v >> 16) & 255, (v >> 8) & 255, v & 255, alpha)


def mix(c1, c2, t):
    t = max(0.0, min(1.0, t))
    return tuple(a + (b - a) * t for a, b in zip(c1, c2))


def vertical(top, bottom, y0, y1):
    """A vertical gradient between two colours over the design rows y0..y1."""
    return lambda x, y: mix(top, bottom, (y - y0) / (y1 - y0))


def shaded_ball(base, light, dark, cx, cy, r):
    """A ball lit from the upper left: dark towards the lower-right rim, a soft highlight near the top."""
    hx, hy = cx - r * 0.35, cy - r * 0.4

    def colour(x, y):
        rim = math.hypot(x - cx - r * 0.2, y - cy - r * 0.2) / (r * 1.2)
        c = mix(base, dark, (rim - 0.55) / 0.45)
        glow = 1.0 - math.hypot(x - hx, y - hy) / (r * 0.75)
        return mix(c, light, glow * 1.2)
    return colour


class Canvas:
    def __init__(self, size):
        self.size = size
        self.scale = size / DESIGN
        # Premultiplied floats, 0..1.
        self.px = [[(0.0, 0.0, 0.0, 0.0) for _ in range(size)] for _ in range(size)]

    def paint(self, shape, colour):
        x0, y0, x1, y1 = shape.bbox()
        s = self.scale
        c0 = max(0, int(math.floor(x0 * s)))
        r0 = max(0, int(math.floor(y0 * s)))
        c1 = min(self.size - 1, int(math.ceil(x1 * s)))
        r1 = min(self.size - 1, int(math.ceil(y1 * s)))
        offsets = [(i + 0.5) / SAMPLES for i in range(SAMPLES)]
        total = SAMPLES * SAMPLES
        for row in range(r0, r1 + 1):
            for col in range(c0, c1 + 1):
                hits = 0
                for oy in offsets:
                    y = (row + oy) / s
                    for ox in offsets:
                        if shape.contains((col + ox) / s, y):
                            hits += 1
                if hits == 0:
                    continue
                cx, cy = (col + 0.5) / s, (row + 0.5) / s
                c = colour(cx, cy) if callable(colour) else colour
                a = c[3] / 255.0 * hits / total
                src = (c[0] / 255.0 * a, c[1] / 255.0 * a, c[2] / 255.0 * a, a)
                dst = self.px[row][col]
                k = 1.0 - a
                self.px[row][col] = tuple(sv + dv * k for sv, dv in zip(src, dst))

    def outlined(self, parts, outline, width=1.0):
        """Paints every part grown by the outline width in the outline colour, then all fills above."""
        for shape, _ in parts:
            self.paint(shape.grown(width), outline)
        for shape, fill in parts:
            self.paint(shape, fill)

    def rgba_rows(self):
        """Rows top to bottom of straight (not premultiplied) 8-bit RGBA tuples."""
        rows = []
        for row in self.px:
            out = []
            for r, g, b, a in row:
                if a <= 0.0:
                    out.append((0, 0, 0, 0))
                    continue
                out.append(tuple(int(round(min(1.0, v / a) * 255)) for v in (r, g, b)) +
                           (int(round(min(1.0, a) * 255)),))
            rows.append(out)
        return rows


# The pictures, each drawn on the 16 x 16 design grid.

WHITE = rgb('#FFFFFF')


def draw_envelope(cv, paper_top, paper_bottom, edge, flap):
    body = RoundRect(1, 3, 15, 13, 0.8)
    cv.paint(body, edge)
    cv.paint(RoundRect(2, 4, 14, 12, 0.2), vertical(paper_top, paper_bottom, 4, 12))
    # The flap's fold, and faint creases from the lower corners to show the pocket.
    cv.paint(Stroke([(2.6, 12 - 0.6), (6.5, 8.2)], 0.8), mix(paper_bottom, flap, 0.55))
    cv.paint(Stroke([(13.4, 12 - 0.6), (9.5, 8.2)], 0.8), mix(paper_bottom, flap, 0.55))
    cv.paint(Stroke([(2.2, 4.4), (8, 9.2), (13.8, 4.4)], 1.1), flap)


def pic_program(cv):
    draw_envelope(cv, rgb('#FFF9E0'), rgb('#F3DC9A'), rgb('#6B4A12'), rgb('#A0771F'))
    # A red wax seal where the flap closes, so the program's icon is not just the plain glyph.
    cv.outlined([(Circle(8, 8.6, 2.1), shaded_ball(rgb('#D42A2A'), rgb('#FF9A9A'), rgb('#7E1010'),
                                                   8, 8.6, 2.1))], rgb('#5A0A0A', 230), 0.55)


def pic_envelope(cv):
    draw_envelope(cv, WHITE, rgb('#E4E9F0'), rgb('#3C4A5C'), rgb('#5E6F86'))


def person(cx, head_y, head_r, body_top, body_bottom, half_width):
    """A head and a bust: shoulders rounded at the top, cut straight at the bottom."""
    head = Circle(cx, head_y, head_r)
    body = Intersection(RoundRect(cx - half_width, body_top, cx + half_width, body_bottom + 4, half_width),
                        RoundRect(cx - half_width - 1, body_top - 1, cx + half_width + 1, body_bottom))
    return head, body


SKIN = rgb('#F5C99A')
SKIN_SHADE = rgb('#E0A872')


def pic_person(cv):
    head, body = person(8, 4.3, 3.0, 8.6, 15, 5.6)
    cv.outlined([(body, vertical(rgb('#4F8BE0'), rgb('#1F4FA0'), 8.6, 15)),
                 (head, vertical(SKIN, SKIN_SHADE, 1.3, 7.3))], rgb('#1C2A44'), 1.0)


def pic_people(cv):
    side = [(3.6, rgb('#5DBE5D'), rgb('#2D7E2D')), (12.4, rgb('#F0A040'), rgb('#B06010'))]
    for cx, top, bottom in side:
        head, body = person(cx, 3.4, 2.1, 6.4, 12.5, 3.5)
        cv.outlined([(body, vertical(top, bottom, 6.4, 12.5)),
                     (head, vertical(SKIN, SKIN_SHADE, 1.3, 5.5))], rgb('#1C2A44'), 0.9)
    head, body = person(8, 6.6, 2.5, 10.3, 15.6, 4.4)
    cv.outlined([(body, vertical(rgb('#4F8BE0'), rgb('#1F4FA0'), 10.3, 15.6)),
                 (head, vertical(SKIN, SKIN_SHADE, 4.1, 9.1))], rgb('#1C2A44'), 1.0)


GREEN = rgb('#2FA83A')
GREEN_LIGHT = rgb('#6FD86A')
GREEN_DARK = rgb('#13561B')


def check_box(cv, x0, y0, size):
    cv.paint(RoundRect(x0, y0, x0 + size, y0 + size, 0.3), rgb('#3C4A5C'))
    cv.paint(RoundRect(x0 + 1, y0 + 1, x0 + size - 1, y0 + size - 1, 0.2),
             vertical(WHITE, rgb('#DCE3EC'), y0 + 1, y0 + size - 1))
    k = size / 7.0
    tick = Stroke([(x0 + 1.6 * k, y0 + 3.4 * k), (x0 + 2.9 * k, y0 + 4.8 * k),
                   (x0 + 5.7 * k, y0 + 1.6 * k)], 1.3 * k)
    cv.paint(tick, rgb('#17802A'))


def pic_options(cv):
    for top in (1, 9):
        check_box(cv, 0, top, 7)
        cv.paint(RoundRect(9, top + 3, 16, top + 5, 0.6), rgb('#2E4C80'))


def pic_select_all(cv):
    check_box(cv, 5, 0, 11)
    check_box(cv, 0, 5, 11)


def pic_back(cv):
    # A U-turn: the shaft leaves the arrowhead to the right, bends down round the right side and comes
    # back underneath, pointing the way back.
    bend = arc_points(9.5, 9.0, 4.0, -90, 90, 24)
    shaft = Stroke([(5.0, 5.0)] + bend + [(6.5, 13.0)], 3.0)
    head = Polygon([(0.6, 5.0), (6.2, 0.6), (6.2, 9.4)])
    fill = vertical(GREEN_LIGHT, GREEN, 1, 15)
    cv.outlined([(shaft, fill), (head, fill)], GREEN_DARK, 1.0)


def pic_ok(cv):
    tick = Stroke([(2.6, 8.4), (6.2, 12.0), (13.4, 3.6)], 3.0)
    cv.outlined([(tick, vertical(GREEN_LIGHT, GREEN, 3, 13))], GREEN_DARK, 1.0)


RED = rgb('#D8302C')
RED_LIGHT = rgb('#FF7A70')
RED_DARK = rgb('#6E0E0C')


def pic_cancel(cv):
    cross = Union(Stroke([(3.5, 3.5), (12.5, 12.5)], 3.0), Stroke([(12.5, 3.5), (3.5, 12.5)], 3.0))
    cv.outlined([(cross, vertical(RED_LIGHT, RED, 2, 14))], RED_DARK, 1.0)


def rotated(points, cx, cy, deg):
    a = math.radians(deg)
    ca, sa = math.cos(a), math.sin(a)
    return [(cx + (x - cx) * ca - (y - cy) * sa, cy + (x - cx) * sa + (y - cy) * ca) for x, y in points]


def pic_clear(cv):
    # An eraser block lying at 45 degrees: a pink body and a pale rubbing end, above a short floor line.
    cv.paint(Stroke([(1.5, 14.5), (14.5, 14.5)], 1.0), rgb('#8A8F98'))
    cx, cy, angle = 8.4, 7.4, -45
    body = Polygon(rotated([(6.9, 4.6), (14.6, 4.6), (14.6, 10.2), (6.9, 10.2)], cx, cy, angle))
    tip = Polygon(rotated([(1.8, 4.6), (6.9, 4.6), (6.9, 10.2), (1.8, 10.2)], cx, cy, angle))
    cv.outlined([(body, vertical(rgb('#FF8FAE'), rgb('#D64A76'), 1, 13)),
                 (tip, vertical(WHITE, rgb('#BFD0E4'), 1, 13))], rgb('#4A2030'), 1.0)
    band = Stroke(rotated([(6.9, 4.6), (6.9, 10.2)], cx, cy, angle), 0.9)
    cv.paint(band, rgb('#4A2030'))


def pic_red_ball(cv):
    ball = Circle(8, 8, 6.0)
    cv.outlined([(ball, shaded_ball(RED, rgb('#FFC8C0'), rgb('#8A1210'), 8, 8, 6.0))], RED_DARK, 0.9)


def pic_green_ball(cv):
    ball = Circle(8, 8, 6.0)
    cv.outlined([(ball, shaded_ball(GREEN, rgb('#D0FFC8'), rgb('#0F5A18'), 8, 8, 6.0))], GREEN_DARK, 0.9)


def pic_menu_close(cv):
    disc = Circle(8, 8, 6.9)
    cv.outlined([(disc, vertical(RED_LIGHT, rgb('#C01E1A'), 1, 15))], RED_DARK, 0.9)
    cross = Union(Stroke([(5.3, 5.3), (10.7, 10.7)], 2.0), Stroke([(10.7, 5.3), (5.3, 10.7)], 2.0))
    cv.paint(cross, WHITE)


def pic_menu_info(cv):
    disc = Circle(8, 8, 6.9)
    cv.outlined([(disc, vertical(rgb('#5C9CF0'), rgb('#1848B0'), 1, 15))], rgb('#0C2460'), 0.9)
    letter = Union(Circle(8, 4.6, 1.25),
                   RoundRect(7, 6.8, 9, 12.2, 0.2),
                   RoundRect(6, 6.8, 9, 7.8),      # the serif at the top left of the stem
                   RoundRect(6, 11.2, 10, 12.2))   # the foot
    cv.paint(letter, WHITE)


# The hand cursor: a pointing hand, white with a black outline, drawn pixel by pixel so that the edges stay
# sharp (cursors are shown unscaled). 'X' black, 'o' white, anything else transparent.
HAND = [
    ".....XX.........",
    "....XooX........",
    "....XooX........",
    "....XooX........",
    "....XooX........",
    "....XooXXX......",
    "....XooXooXXX...",
    "....XooXooXooXX.",
    ".XX.XooXooXooXoX",
    "XooXXooooooooXoX",
    "XoooXooooooooooX",
    ".XooXooooooooooX",
    "..XoXooooooooooX",
    "..XoooooooooooX.",
    "...XooooooooooX.",
    "...XoooooooooX..",
    "....XooooooooX..",
    "....XoooooooX...",
    ".....XooooooX...",
    ".....XooooooX...",
    ".....XXXXXXXX...",
]
HAND_ORIGIN = (4, 0)       # where the pattern's top-left corner sits in the 32 x 32 image
HAND_TIP = (5, 0)          # the fingertip within the pattern: the cursor's hotspot


def hand_cursor_rows():
    size = 32
    rows = [[(0, 0, 0, 0)] * size for _ in range(size)]
    ox, oy = HAND_ORIGIN
    for y, line in enumerate(HAND):
        for x, ch in enumerate(line):
            if ch == 'X':
                rows[oy + y][ox + x] = (0, 0, 0, 255)
            elif ch == 'o':
                rows[oy + y][ox + x] = (255, 255, 255, 255)
    return rows, (ox + HAND_TIP[0], oy + HAND_TIP[1])


# File writers.

def render(draw, size):
    cv = Canvas(size)
    draw(cv)
    return cv.rgba_rows()


def dib_bytes(rows, with_mask):
    """BITMAPINFOHEADER + bottom-up BGRA pixels (+ the AND mask) as stored inside .ico and .cur files."""
    h = len(rows)
    w = len(rows[0])
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask = bytearray()
    if with_mask:
        stride = ((w + 31) // 32) * 4
        for row in reversed(rows):
            line = bytearray(stride)
            for x, px in enumerate(row):
                if px[3] < 128:  # systems that ignore the alpha channel fall back to this mask
                    line[x // 8] |= 0x80 >> (x % 8)
            mask += line
    height_field = 2 * h if with_mask else h
    header = struct.pack('<IiiHHIIiiII', 40, w, height_field, 1, 32, 0, len(pixels) + len(mask),
                         0, 0, 0, 0)
    return header + bytes(pixels) + bytes(mask)


def icon_file(images, kind=1, hotspots=None):
    """An .ico (kind 1) or .cur (kind 2) file holding the given RGBA images."""
    count = len(images)
    out = bytearray(struct.pack('<HHH', 0, kind, count))
    offset = 6 + 16 * count
    blobs = []
    for i, rows in enumerate(images):
        size = len(rows)
        data = dib_bytes(rows, True)
        if kind == 1:
            planes, bits = 1, 32
        else:
            planes, bits = hotspots[i]
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, planes, bits, len(data), offset)
        offset += len(data)
        blobs.append(data)
    for blob in blobs:
        out += blob
    return bytes(out)


def bmp_file(rows):
    """A 32-bit BI_RGB bottom-up .bmp with straight alpha in the fourth byte of each pixel."""
    dib = dib_bytes(rows, False)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(dib), 0, 0, 14 + 40)
    header_v = bytearray(dib[:40])
    struct.pack_into('<ii', header_v, 24, 2835, 2835)  # 72 dpi, as image editors write it
    return header + bytes(header_v) + dib[40:]


def strip(pictures):
    rows = [[] for _ in range(16)]
    for draw in pictures:
        for y, row in enumerate(render(draw, 16)):
            rows[y].extend(row)
    return rows


ICONS = [
    # file name, drawing, sizes. Buttons and menus load their glyphs at 16 x 16 only (LoadResourceIcon): a larger
    # frame would add 4 KB to the program for each glyph and never be shown.
    ('varnel.ico', pic_program, (16, 32, 48)),
    ('person.ico', pic_person, (16,)),
    ('people.ico', pic_people, (16,)),
    ('options.ico', pic_options, (16,)),
    ('back.ico', pic_back, (16,)),
    ('envelope.ico', pic_envelope, (16,)),
    ('ok.ico', pic_ok, (16,)),
    ('cancel.ico', pic_cancel, (16,)),
    ('clear.ico', pic_clear, (16,)),
    ('selectall.ico', pic_select_all, (16,)),
    ('menu_close.ico', pic_menu_close, (16,)),
    ('menu_info.ico', pic_menu_info, (16,)),
]

IMAGELIST1 = [pic_envelope, pic_red_ball, pic_green_ball, pic_options]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = os.path.join(here, '..', 'res', 'art')
    os.makedirs(out_dir, exist_ok=True)
    files = {}
    for name, draw, sizes in ICONS:
        files[name] = icon_file([render(draw, s) for s in sizes])
    files['imagelist1.bmp'] = bmp_file(strip(IMAGELIST1))
    rows, (hx, hy) = hand_cursor_rows()
    files['hand.cur'] = icon_file([rows], kind=2, hotspots=[(hx, hy)])
    for name, data in sorted(files.items()):
        with open(os.path.join(out_dir, name), 'wb') as f:
            f.write(data)
        print('%-16s %6d bytes' % (name, len(data)))
    return 0


if __name__ == '__main__':
    sys.exit(main())

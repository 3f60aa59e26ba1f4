#!/usr/bin/env python3
"""Draws the program's pictures and writes them into resources/icons/:

- ksv.ico: the application icon (a camera lens on a blue rounded square),
  16, 32 and 48 pixel 32-bit images;
- panel.bmp: the seven 32 x 32 pictures of the main window's left panel,
  side by side;
- menu.bmp: the ten 16 x 16 pictures of the main menu, side by side.

The two strips are 24-bit with magenta (255, 0, 255) as the transparent
colour; soft edges are blended onto the light grey of buttons and menus.
Run again after changing a drawing; the files are kept in the repository so
the build needs no Python."""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "icons", "ksv.ico")
PANEL_OUT = os.path.join(HERE, "..", "icons", "panel.bmp")
MENU_OUT = os.path.join(HERE, "..", "icons", "menu.bmp")


def coverage(fn, x, y, n=4):
    """Anti-aliased coverage of a shape at pixel (x, y), 0..1."""
    hits = 0
    for i in range(n):
        for j in range(n):
            if fn(x + (i + 0.5) / n, y + (j + 0.5) / n):
                hits += 1
    return hits / (n * n)


def blend(dst, src, a):
    return tuple(d * (1 - a) + s * a for d, s in zip(dst, src))


def draw(size):
    s = size / 48.0
    px = [[(0.0, 0.0, 0.0, 0.0) for _ in range(size)] for _ in range(size)]

    def rounded(x, y, x0, y0, x1, y1, r):
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r

    def circle(x, y, cx, cy, r):
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r

    for y in range(size):
        for x in range(size):
            r, g, b, a = px[y][x]
            col = (r, g, b)
            # body: blue square with a vertical gradient
            c = coverage(lambda u, v: rounded(u, v, 2 * s, 6 * s, 46 * s, 42 * s, 7 * s), x, y)
            if c:
                t = y / size
                body = (30 + 20 * t, 90 + 40 * (1 - t), 200 + 40 * (1 - t))
                col = body
                a = max(a, c)
            # viewfinder bump
            c = coverage(lambda u, v: rounded(u, v, 30 * s, 2 * s, 42 * s, 10 * s, 2.5 * s), x, y)
            if c:
                col = blend(col, (40, 70, 160), c) if a else (40, 70, 160)
                a = max(a, c)
            # lens: white ring, dark glass, highlight
            for (rad, colour) in ((13 * s, (245, 245, 250)), (10 * s, (25, 30, 60)), (6 * s, (60, 110, 200))):
                c = coverage(lambda u, v, rad=rad: circle(u, v, 24 * s, 25 * s, rad), x, y)
                if c:
                    col = blend(col, colour, c)
            c = coverage(lambda u, v: circle(u, v, 20.5 * s, 21.5 * s, 2.5 * s), x, y)
            if c:
                col = blend(col, (255, 255, 255), c)
            # flash
            c = coverage(lambda u, v: rounded(u, v, 7 * s, 11 * s, 13 * s, 15 * s, 1 * s), x, y)
            if c:
                col = blend(col, (255, 210, 60), c)
            px[y][x] = (col[0], col[1], col[2], a)
    return px


def dib(px):
    size = len(px)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for y in reversed(range(size)):
        row = b"".join(struct.pack("BBBB", int(b + 0.5), int(g + 0.5), int(r + 0.5), int(a * 255 + 0.5))
                       for (r, g, b, a) in px[y])
        rows.append(row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytes(mask_stride * size)  # alpha carries transparency
    return header + b"".join(rows) + mask


# --- the strips ----------------------------------------------------------
# A picture is a list of shapes in a 32 x 32 design space, painted in
# order. Each shape is (kind, colour, *numbers).

BLUE = (40, 100, 210)
DARK = (40, 50, 80)
WHITE = (255, 255, 255)
SKY = (120, 180, 245)
RED = (215, 50, 45)
GREEN = (50, 160, 70)
YELLOW = (250, 200, 50)
GREY = (150, 155, 165)


def inside(shape, u, v):
    kind = shape[0]
    n = shape[2:]
    if kind == "rect":
        return n[0] <= u <= n[2] and n[1] <= v <= n[3]
    if kind == "rrect":
        x0, y0, x1, y1, r = n
        cx = min(max(u, x0 + r), x1 - r)
        cy = min(max(v, y0 + r), y1 - r)
        return (u - cx) ** 2 + (v - cy) ** 2 <= r * r
    if kind == "circle":
        return (u - n[0]) ** 2 + (v - n[1]) ** 2 <= n[2] ** 2
    if kind == "ring":
        d = (u - n[0]) ** 2 + (v - n[1]) ** 2
        return n[2] ** 2 <= d <= n[3] ** 2
    if kind == "line":
        x0, y0, x1, y1, w = n
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((u - x0) * dx + (v - y0) * dy) / (dx * dx + dy * dy)))
        return (u - x0 - t * dx) ** 2 + (v - y0 - t * dy) ** 2 <= (w / 2) ** 2
    if kind == "poly":
        pts = list(zip(n[0::2], n[1::2]))
        hit = False
        for i in range(len(pts)):
            (xa, ya), (xb, yb) = pts[i], pts[i - 1]
            if (ya > v) != (yb > v) and u < (xb - xa) * (v - ya) / (yb - ya) + xa:
                hit = not hit
        return hit
    raise ValueError(kind)


def dashed(x0, y0, x1, y1, colour, dash=4, w=1.6):
    shapes = []
    for (ax, ay, bx, by) in ((x0, y0, x1, y0), (x1, y0, x1, y1), (x1, y1, x0, y1), (x0, y1, x0, y0)):
        length = math.hypot(bx - ax, by - ay)
        steps = int(length // (2 * dash))
        for i in range(steps + 1):
            t0 = i * 2 * dash / length
            t1 = min(1.0, t0 + dash / length)
            if t0 >= 1.0:
                break
            shapes.append(("line", colour, ax + (bx - ax) * t0, ay + (by - ay) * t0,
                           ax + (bx - ax) * t1, ay + (by - ay) * t1, w))
    return shapes


def arrow_cursor(x, y, k=1.0):
    pts = [(0, 0), (0, 14), (3.5, 10.5), (6, 16), (8, 15), (5.5, 9.5), (10, 9.5)]
    outline = [c for (px_, py_) in pts for c in (x + px_ * k, y + py_ * k)]
    inner = [(0.9, 2.2), (0.9, 11.8), (3.8, 8.9), (6.4, 14.6), (7, 14.3), (4.4, 8.6), (7.8, 8.6)]
    fill = [c for (px_, py_) in inner for c in (x + px_ * k, y + py_ * k)]
    return [("poly", DARK, *outline), ("poly", WHITE, *fill)]


def window_picture():
    return [("rrect", DARK, 3, 5, 29, 27, 2), ("rect", BLUE, 4.5, 6.5, 27.5, 11), ("rect", WHITE, 4.5, 11, 27.5, 25.5),
            ("circle", RED, 24.5, 8.8, 1.3), ("circle", YELLOW, 21, 8.8, 1.3),
            ("rect", SKY, 7, 14, 18, 16), ("rect", SKY, 7, 18, 24, 20), ("rect", SKY, 7, 22, 15, 24)]


def screen_picture():
    return [("rrect", DARK, 2, 4, 30, 23, 2), ("rect", SKY, 4, 6, 28, 21), ("poly", BLUE, 4, 21, 4, 14, 12, 9, 20, 15, 28, 10, 28, 21),
            ("rect", DARK, 14, 23, 18, 27), ("rrect", DARK, 9, 26.5, 23, 29, 1)]


def region_picture():
    return ([("rect", (215, 230, 250), 4, 4, 22, 20)] + dashed(4, 4, 22, 20, BLUE) +
            [("line", DARK, 22, 14, 22, 30, 1.5), ("line", DARK, 14, 22, 30, 22, 1.5), ("circle", RED, 22, 22, 2)])


def fixed_picture():
    return [("rect", (215, 230, 250), 6, 8, 26, 24), ("rect", BLUE, 6, 8, 26, 9.6), ("rect", BLUE, 6, 22.4, 26, 24),
            ("rect", BLUE, 6, 8, 7.6, 24), ("rect", BLUE, 24.4, 8, 26, 24),
            ("line", DARK, 6, 4, 26, 4, 1.2), ("poly", DARK, 6, 4, 9, 2, 9, 6), ("poly", DARK, 26, 4, 23, 2, 23, 6),
            ("line", DARK, 29, 8, 29, 24, 1.2), ("poly", DARK, 29, 8, 27, 11, 31, 11), ("poly", DARK, 29, 24, 27, 21, 31, 21)]


def control_picture():
    return ([("rrect", GREY, 2, 7, 24, 19, 3), ("rrect", (230, 235, 245), 3.2, 8.2, 22.8, 17.8, 2),
             ("rect", BLUE, 6, 12, 18, 14)] + dashed(1, 6, 25, 20, RED, dash=3, w=1.2) + arrow_cursor(16, 14))


def camera_picture():
    return [("circle", DARK, 16, 13, 10), ("circle", (235, 238, 245), 16, 13, 8.5), ("circle", DARK, 16, 13, 5.5),
            ("circle", BLUE, 16, 13, 3.5), ("circle", WHITE, 14.5, 11.5, 1.2), ("circle", GREEN, 23, 7, 1.2),
            ("poly", DARK, 12, 22, 20, 22, 23, 29, 9, 29)]


def capture_picture():
    return [("rrect", DARK, 2, 9, 30, 28, 3), ("rrect", BLUE, 3.5, 10.5, 28.5, 26.5, 2), ("rrect", DARK, 10, 5, 20, 11, 1.5),
            ("circle", WHITE, 16, 18.5, 7), ("circle", DARK, 16, 18.5, 5.2), ("circle", SKY, 16, 18.5, 3.2),
            ("circle", WHITE, 14.8, 17.3, 1), ("rect", YELLOW, 24, 12.5, 27, 14.5)]


def quit_picture():
    return [("ring", RED, 16, 17, 8.5, 11.5), ("rect", (0, 0, 0, 0), 12.5, 2, 19.5, 12), ("rrect", RED, 14.4, 3, 17.6, 17, 1.6)]


def mail_picture():
    return [("rrect", DARK, 2, 7, 30, 26, 1.5), ("rect", WHITE, 3.5, 8.5, 28.5, 24.5),
            ("poly", SKY, 3.5, 8.5, 28.5, 8.5, 16, 19), ("line", DARK, 3.5, 8.5, 16, 19, 1.5), ("line", DARK, 28.5, 8.5, 16, 19, 1.5)]


def home_picture():
    return [("circle", BLUE, 16, 16, 13), ("ring", WHITE, 16, 16, 5.5, 7), ("line", WHITE, 3, 16, 29, 16, 1.5),
            ("line", WHITE, 16, 3, 16, 29, 1.5), ("ring", SKY, 16, 16, 12, 13.5)]


def history_picture():
    return [("poly", DARK, 6, 2, 21, 2, 27, 8, 27, 30, 6, 30), ("poly", WHITE, 7.5, 3.5, 20.5, 3.5, 25.5, 8.5, 25.5, 28.5, 7.5, 28.5),
            ("poly", SKY, 20.5, 3.5, 25.5, 8.5, 20.5, 8.5), ("rect", BLUE, 10, 12, 23, 13.6), ("rect", BLUE, 10, 16, 23, 17.6),
            ("rect", BLUE, 10, 20, 19, 21.6), ("rect", BLUE, 10, 24, 21, 25.6)]


PANEL = [window_picture, screen_picture, region_picture, fixed_picture, control_picture, camera_picture,
         capture_picture]
MENU = [capture_picture, quit_picture, window_picture, screen_picture, region_picture, fixed_picture,
        control_picture, mail_picture, home_picture, history_picture]


def paint(shapes, size, n=4):
    """The picture as rows of (r, g, b, a); a shape whose colour has four
    parts with alpha 0 erases."""
    k = 32.0 / size
    px = [[(0.0, 0.0, 0.0, 0.0) for _ in range(size)] for _ in range(size)]
    for y in range(size):
        for x in range(size):
            r, g, b, a = 0.0, 0.0, 0.0, 0.0
            for shape in shapes:
                hits = 0
                for i in range(n):
                    for j in range(n):
                        if inside(shape, (x + (i + 0.5) / n) * k, (y + (j + 0.5) / n) * k):
                            hits += 1
                c = hits / (n * n)
                if not c:
                    continue
                colour = shape[1]
                if len(colour) == 4:  # eraser
                    a *= 1 - c
                    continue
                na = c + a * (1 - c)
                r = (colour[0] * c + r * a * (1 - c)) / na
                g = (colour[1] * c + g * a * (1 - c)) / na
                b = (colour[2] * c + b * a * (1 - c)) / na
                a = na
            px[y][x] = (r, g, b, a)
    return px


def strip_bmp(pictures, size):
    """A 24-bit bottom-up BMP with the pictures side by side."""
    backdrop = (240, 240, 240)
    painted = [paint(p(), size) for p in pictures]
    width = size * len(painted)
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in reversed(range(size)):
        row = bytearray()
        for px in painted:
            for (r, g, b, a) in px[y]:
                if a < 0.05:
                    row += bytes((255, 0, 255))
                else:
                    c = [int(s * a + d * (1 - a) + 0.5) for s, d in zip((b, g, r), backdrop[::-1])]
                    if c == [255, 0, 255]:
                        c = [254, 0, 255]
                    row += bytes(c)
        row += bytes(stride - len(row))
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, size, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + data


def main():
    with open(PANEL_OUT, "wb") as f:
        f.write(strip_bmp(PANEL, 32))
    with open(MENU_OUT, "wb") as f:
        f.write(strip_bmp(MENU, 16))
    images = [dib(draw(n)) for n in (16, 32, 48)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in zip((16, 32, 48), images):
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    os.makedirs(os.path.dirname(OUT), exist_ok=True)
    with open(OUT, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()

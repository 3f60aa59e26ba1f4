#!/usr/bin/env python3
"""Draws the editor's pictures: the ten toolbar pictures (40 x 40) and the
thirteen tool button pictures (24 x 24), as 32-bit icons with alpha, into
resources/icons/editor/. Shapes are given in a 0..1 square and sampled
4 x 4 per pixel. Run again after changing a drawing; the icons are kept in
the repository so the build needs no Python."""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "icons", "editor")

# Colours (r, g, b).
BLUE = (40, 100, 200)
DARK_BLUE = (25, 60, 130)
LIGHT_BLUE = (150, 190, 240)
GREEN = (40, 160, 60)
RED = (210, 45, 45)
WHITE = (255, 255, 255)
GREY = (120, 120, 120)
LIGHT_GREY = (215, 215, 215)
BLACK = (30, 30, 30)
BROWN = (150, 100, 50)
GOLD = (230, 180, 40)
ORANGE = (240, 140, 40)
SKIN = (245, 205, 160)


# Shapes: functions of (u, v) in the unit square, true inside.
def rect(x0, y0, x1, y1):
    return lambda u, v: x0 <= u <= x1 and y0 <= v <= y1


def rounded(x0, y0, x1, y1, r):
    def f(u, v):
        if not (x0 <= u <= x1 and y0 <= v <= y1):
            return False
        cx = min(max(u, x0 + r), x1 - r)
        cy = min(max(v, y0 + r), y1 - r)
        return (u - cx) ** 2 + (v - cy) ** 2 <= r * r
    return f


def frame(x0, y0, x1, y1, w, r=0.0):
    outer = rounded(x0, y0, x1, y1, r) if r else rect(x0, y0, x1, y1)
    inner = rounded(x0 + w, y0 + w, x1 - w, y1 - w, max(0.0, r - w)) if r else rect(x0 + w, y0 + w, x1 - w, y1 - w)
    return lambda u, v: outer(u, v) and not inner(u, v)


def disc(cx, cy, r):
    return lambda u, v: (u - cx) ** 2 + (v - cy) ** 2 <= r * r


def ellipse(cx, cy, rx, ry):
    return lambda u, v: ((u - cx) / rx) ** 2 + ((v - cy) / ry) ** 2 <= 1


def ellipse_ring(cx, cy, rx, ry, w):
    outer = ellipse(cx, cy, rx, ry)
    inner = ellipse(cx, cy, rx - w, ry - w)
    return lambda u, v: outer(u, v) and not inner(u, v)


def ring(cx, cy, r, w):
    return lambda u, v: r - w <= math.hypot(u - cx, v - cy) <= r


def arc(cx, cy, r, w, a0, a1):
    """Ring part from angle a0 to a1 (degrees, clockwise from east, y down)."""
    def f(u, v):
        d = math.hypot(u - cx, v - cy)
        if not (r - w <= d <= r):
            return False
        a = math.degrees(math.atan2(v - cy, u - cx)) % 360
        return (a - a0) % 360 <= (a1 - a0) % 360
    return f


def segment(x0, y0, x1, y1, w):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy or 1e-9

    def f(u, v):
        t = max(0.0, min(1.0, ((u - x0) * dx + (v - y0) * dy) / length2))
        px, py = x0 + t * dx, y0 + t * dy
        return (u - px) ** 2 + (v - py) ** 2 <= (w / 2) ** 2
    return f


def polygon(points):
    def f(u, v):
        inside = False
        n = len(points)
        for i in range(n):
            x0, y0 = points[i]
            x1, y1 = points[(i + 1) % n]
            if (y0 > v) != (y1 > v):
                x = x0 + (v - y0) * (x1 - x0) / (y1 - y0)
                if u < x:
                    inside = not inside
        return inside
    return f


def union(*shapes):
    return lambda u, v: any(s(u, v) for s in shapes)


def minus(a, b):
    return lambda u, v: a(u, v) and not b(u, v)


def render(size, layers):
    """layers: list of (shape, colour); later layers paint over earlier."""
    px = [[(0.0, 0.0, 0.0, 0.0) for _ in range(size)] for _ in range(size)]
    n = 4
    for y in range(size):
        for x in range(size):
            r, g, b, a = 0.0, 0.0, 0.0, 0.0
            for shape, colour in layers:
                hits = 0
                for i in range(n):
                    for j in range(n):
                        if shape((x + (i + 0.5) / n) / size, (y + (j + 0.5) / n) / size):
                            hits += 1
                c = hits / (n * n)
                if c == 0:
                    continue
                # "over" compositing with straight alpha
                na = c + a * (1 - c)
                r = (colour[0] * c + r * a * (1 - c)) / na
                g = (colour[1] * c + g * a * (1 - c)) / na
                b = (colour[2] * c + b * a * (1 - c)) / na
                a = na
            px[y][x] = (r, g, b, a)
    return px


def write_ico(path, size, px):
    rows = b""
    for y in range(size - 1, -1, -1):
        for x in range(size):
            r, g, b, a = px[y][x]
            rows += struct.pack("BBBB", int(b + 0.5), int(g + 0.5), int(r + 0.5), int(a * 255 + 0.5))
    mask_stride = ((size + 31) // 32) * 4
    mask = b""
    for y in range(size - 1, -1, -1):
        bits = bytearray(mask_stride)
        for x in range(size):
            if px[y][x][3] < 0.5:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(rows) + len(mask), 0, 0, 0, 0)
    image = header + rows + mask
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(icondir + entry + image)


def disk(x0, y0, s):
    """A floppy disk in the square (x0, y0)-(x0+s, y0+s)."""
    return [
        (rounded(x0, y0, x0 + s, y0 + s, s * 0.08), DARK_BLUE),
        (rect(x0 + s * 0.2, y0 + s * 0.06, x0 + s * 0.78, y0 + s * 0.36), LIGHT_GREY),
        (rect(x0 + s * 0.58, y0 + s * 0.1, x0 + s * 0.7, y0 + s * 0.32), DARK_BLUE),
        (rect(x0 + s * 0.14, y0 + s * 0.5, x0 + s * 0.86, y0 + s * 0.94), WHITE),
        (rect(x0 + s * 0.22, y0 + s * 0.62, x0 + s * 0.78, y0 + s * 0.66), LIGHT_BLUE),
        (rect(x0 + s * 0.22, y0 + s * 0.74, x0 + s * 0.78, y0 + s * 0.78), LIGHT_BLUE),
    ]


def lens(cx, cy, r):
    return [
        (segment(cx + r * 0.7, cy + r * 0.7, cx + r * 1.75, cy + r * 1.75, r * 0.45), BROWN),
        (disc(cx, cy, r), (235, 245, 255)),
        (ring(cx, cy, r, r * 0.2), GREY),
    ]


def arrow_head(tip, back, half):
    """A triangle pointing at tip, its base centred on back."""
    (tx, ty), (bx, by) = tip, back
    dx, dy = tx - bx, ty - by
    length = math.hypot(dx, dy) or 1e-9
    nx, ny = -dy / length * half, dx / length * half
    return polygon([tip, (bx + nx, by + ny), (bx - nx, by - ny)])


TOOLBAR = [
    ("save", disk(0.1, 0.08, 0.72) + [
        (segment(0.5, 0.72, 0.66, 0.88, 0.12), GREEN),
        (segment(0.66, 0.88, 0.94, 0.5, 0.12), GREEN),
    ]),
    ("cancel", [
        (disc(0.5, 0.5, 0.42), RED),
        (segment(0.33, 0.33, 0.67, 0.67, 0.11), WHITE),
        (segment(0.67, 0.33, 0.33, 0.67, 0.11), WHITE),
    ]),
    ("save_as", disk(0.06, 0.06, 0.72) + [
        (segment(0.5, 0.92, 0.9, 0.52, 0.14), ORANGE),
        (arrow_head((0.44, 0.98), (0.53, 0.89), 0.07), BLACK),
    ]),
    ("clipboard", [
        (rounded(0.16, 0.12, 0.84, 0.95, 0.06), BROWN),
        (rect(0.24, 0.22, 0.76, 0.88), WHITE),
        (rounded(0.36, 0.05, 0.64, 0.22, 0.04), GREY),
        (rect(0.32, 0.38, 0.68, 0.42), LIGHT_BLUE),
        (rect(0.32, 0.52, 0.68, 0.56), LIGHT_BLUE),
        (rect(0.32, 0.66, 0.58, 0.70), LIGHT_BLUE),
    ]),
    ("rotate90", [
        (rounded(0.3, 0.34, 0.7, 0.66, 0.04), LIGHT_BLUE),
        (arc(0.5, 0.5, 0.4, 0.1, 200, 110), BLUE),
        (arrow_head((0.38, 0.94), (0.5, 0.78), 0.13), BLUE),
    ]),
    ("flip_horizontal", [
        (polygon([(0.08, 0.8), (0.44, 0.2), (0.44, 0.8)]), BLUE),
        (polygon([(0.92, 0.8), (0.56, 0.2), (0.56, 0.8)]), LIGHT_BLUE),
        (union(*[rect(0.48, 0.05 + i * 0.16, 0.52, 0.13 + i * 0.16) for i in range(6)]), GREY),
    ]),
    ("flip_vertical", [
        (polygon([(0.2, 0.08), (0.8, 0.44), (0.2, 0.44)]), BLUE),
        (polygon([(0.2, 0.92), (0.8, 0.56), (0.2, 0.56)]), LIGHT_BLUE),
        (union(*[rect(0.05 + i * 0.16, 0.48, 0.13 + i * 0.16, 0.52) for i in range(6)]), GREY),
    ]),
    ("enlarge", lens(0.42, 0.42, 0.32) + [
        (rect(0.26, 0.39, 0.58, 0.45), BLUE),
        (rect(0.39, 0.26, 0.45, 0.58), BLUE),
    ]),
    ("narrow", lens(0.42, 0.42, 0.32) + [
        (rect(0.26, 0.39, 0.58, 0.45), BLUE),
    ]),
    ("actual_size", [
        (rect(0.14, 0.22, 0.86, 0.78), LIGHT_BLUE),
        (polygon([(0.14, 0.78), (0.4, 0.46), (0.56, 0.62), (0.68, 0.5), (0.86, 0.72), (0.86, 0.78)]), GREEN),
        (disc(0.68, 0.36, 0.07), GOLD),
        (union(rect(0.04, 0.1, 0.3, 0.15), rect(0.04, 0.1, 0.09, 0.36)), BLACK),
        (union(rect(0.7, 0.1, 0.96, 0.15), rect(0.91, 0.1, 0.96, 0.36)), BLACK),
        (union(rect(0.04, 0.85, 0.3, 0.9), rect(0.04, 0.64, 0.09, 0.9)), BLACK),
        (union(rect(0.7, 0.85, 0.96, 0.9), rect(0.91, 0.64, 0.96, 0.9)), BLACK),
    ]),
]

TOOLS = [
    ("line", [(segment(0.15, 0.85, 0.85, 0.15, 0.1), BLACK)]),
    ("rectangle", [(frame(0.12, 0.22, 0.88, 0.78, 0.09), BLACK)]),
    ("rounded_rectangle", [(frame(0.12, 0.22, 0.88, 0.78, 0.09, 0.2), BLACK)]),
    ("oval", [(ellipse_ring(0.5, 0.5, 0.4, 0.3, 0.09), BLACK)]),
    ("text", [
        (segment(0.2, 0.88, 0.5, 0.12, 0.12), BLACK),
        (segment(0.8, 0.88, 0.5, 0.12, 0.12), BLACK),
        (rect(0.32, 0.56, 0.68, 0.65), BLACK),
    ]),
    ("spray_gun", [
        (rounded(0.45, 0.35, 0.8, 0.92, 0.06), GREY),
        (rect(0.55, 0.2, 0.7, 0.35), BLACK),
        (union(disc(0.3, 0.2, 0.045), disc(0.18, 0.33, 0.045), disc(0.32, 0.42, 0.045), disc(0.14, 0.12, 0.04),
               disc(0.1, 0.5, 0.04)), RED),
    ]),
    ("magnifier", lens(0.4, 0.4, 0.28)),
    ("straw", [
        (segment(0.18, 0.82, 0.6, 0.4, 0.12), LIGHT_BLUE),
        (segment(0.58, 0.42, 0.72, 0.28, 0.2), BLACK),
        (disc(0.78, 0.22, 0.13), BLACK),
        (disc(0.15, 0.85, 0.06), BLUE),
    ]),
    ("hand", [
        (rounded(0.22, 0.42, 0.78, 0.92, 0.15), SKIN),
        (rounded(0.22, 0.2, 0.34, 0.6, 0.06), SKIN),
        (rounded(0.36, 0.08, 0.48, 0.55, 0.06), SKIN),
        (rounded(0.5, 0.1, 0.62, 0.55, 0.06), SKIN),
        (rounded(0.64, 0.18, 0.76, 0.6, 0.06), SKIN),
        (segment(0.78, 0.62, 0.92, 0.42, 0.12), SKIN),
        (union(frame(0.22, 0.42, 0.78, 0.92, 0.05, 0.15)), BROWN),
    ]),
    ("scaling", [
        (frame(0.1, 0.1, 0.9, 0.9, 0.06), GREY),
        (segment(0.3, 0.7, 0.72, 0.28, 0.09), BLUE),
        (arrow_head((0.8, 0.2), (0.62, 0.38), 0.14), BLUE),
        (arrow_head((0.2, 0.8), (0.38, 0.62), 0.14), BLUE),
    ]),
    ("free_transform", [
        (polygon([(0.3, 0.2), (0.85, 0.35), (0.7, 0.85), (0.15, 0.7)]), LIGHT_BLUE),
        (arc(0.5, 0.5, 0.45, 0.09, 180, 300), BLUE),
        (arrow_head((0.85, 0.2), (0.68, 0.1), 0.12), BLUE),
    ]),
    ("translation", [
        (rect(0.46, 0.2, 0.54, 0.8), BLUE),
        (rect(0.2, 0.46, 0.8, 0.54), BLUE),
        (arrow_head((0.5, 0.04), (0.5, 0.22), 0.14), BLUE),
        (arrow_head((0.5, 0.96), (0.5, 0.78), 0.14), BLUE),
        (arrow_head((0.04, 0.5), (0.22, 0.5), 0.14), BLUE),
        (arrow_head((0.96, 0.5), (0.78, 0.5), 0.14), BLUE),
    ]),
    ("fuzzy", [
        (disc(0.5, 0.55, 0.38), (200, 220, 245)),
        (disc(0.5, 0.55, 0.28), (150, 185, 235)),
        (polygon([(0.5, 0.08), (0.8, 0.55), (0.2, 0.55)]), BLUE),
        (disc(0.5, 0.6, 0.3), BLUE),
    ]),
]


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, layers in TOOLBAR:
        write_ico(os.path.join(OUT, "toolbar_" + name + ".ico"), 40, render(40, layers))
    for name, layers in TOOLS:
        write_ico(os.path.join(OUT, "tool_" + name + ".ico"), 24, render(24, layers))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Draws the program's icon (a camera lens on a blue rounded square) and
writes resources/icons/ksv.ico with 16, 32 and 48 pixel 32-bit images.
Run again after changing the drawing; the .ico is kept in the repository so
the build needs no Python."""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "icons", "ksv.ico")


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


def main():
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

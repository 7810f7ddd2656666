#!/usr/bin/env python3
"""Draws the program's icons and cursor and writes them as .ico and .cur files.

Our own artwork, drawn from code so that it can be changed and made again:
  grelo.ico  the program's icon: a golden bell (a "grelot") with a question mark
  play.ico   the play button: a green triangle
  stop.ico   the stop button: a red square
  hand.cur   the pointing hand over labels, 32 x 32 monochrome, hot spot (6, 0)
Run it from anywhere; it writes beside itself.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def icon_image(size, pixel):
    """One 32-bit ICO image; pixel(x, y) gives (r, g, b, a) with y from the top."""
    rows = []
    for y in range(size - 1, -1, -1):  # bottom-up
        rows.append(b"".join(struct.pack("BBBB", b, g, r, a)
                             for (r, g, b, a) in (pixel(x, y) for x in range(size))))
    xor = b"".join(rows)
    mask_row = ((size + 31) // 32) * 4
    andmask = bytearray()
    for y in range(size - 1, -1, -1):
        bits = bytearray(mask_row)
        for x in range(size):
            if pixel(x, y)[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        andmask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(xor) + len(andmask), 0, 0, 0, 0)
    return header + xor + bytes(andmask)


def write_icon(name, draw, sizes=(16, 32, 48)):
    images = [icon_image(s, lambda x, y, s=s: draw(x, y, s)) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, img in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    out += b"".join(images)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(out)


def coverage(inside, x, y, s):
    """Anti-aliased coverage of a shape given in unit coordinates (0..1)."""
    n = 4
    hits = 0
    for i in range(n):
        for j in range(n):
            if inside((x + (i + 0.5) / n) / s, (y + (j + 0.5) / n) / s):
                hits += 1
    return hits / (n * n)


def shaded(colour, amount, a):
    r, g, b = colour
    k = max(0.0, min(1.2, amount))
    return (min(255, int(r * k)), min(255, int(g * k)), min(255, int(b * k)), a)


def bell(x, y, s):
    def body(u, v):
        return (u - 0.5) ** 2 + (v - 0.54) ** 2 <= 0.40 ** 2
    def slot(u, v):
        return abs(u - 0.5) < 0.22 and abs(v - 0.80) < 0.035
    def ring(u, v):
        d = math.hypot(u - 0.5, v - 0.12)
        return 0.05 <= d <= 0.10
    def mark(u, v):  # a question mark
        d = math.hypot(u - 0.5, v - 0.42)
        arc = 0.085 <= d <= 0.15 and (v < 0.44 or u > 0.5)
        stem = abs(u - 0.53) < 0.035 and 0.44 <= v <= 0.60
        dot = math.hypot(u - 0.53, v - 0.68) < 0.045
        return arc or stem or dot
    c_body = coverage(body, x, y, s)
    c_ring = coverage(ring, x, y, s)
    if c_body == 0 and c_ring == 0:
        return (0, 0, 0, 0)
    if c_ring > 0 and c_body == 0:
        return shaded((150, 110, 20), 1.0, int(255 * c_ring))
    u, v = (x + 0.5) / s, (y + 0.5) / s
    light = 1.15 - 0.9 * math.hypot(u - 0.38, v - 0.38)
    if coverage(mark, x, y, s) > 0.5:
        return (40, 40, 120, 255)
    if coverage(slot, x, y, s) > 0.5:
        return (70, 50, 10, 255)
    return shaded((245, 190, 40), light, int(255 * c_body))


def play(x, y, s):
    def tri(u, v):
        return u >= 0.25 and u <= 0.82 and abs(v - 0.5) <= (0.82 - u) * 0.62
    c = coverage(tri, x, y, s)
    return shaded((30, 170, 60), 1.0, int(255 * c)) if c else (0, 0, 0, 0)


def stop(x, y, s):
    def square(u, v):
        return 0.22 <= u <= 0.78 and 0.22 <= v <= 0.78
    c = coverage(square, x, y, s)
    return shaded((200, 40, 40), 1.0, int(255 * c)) if c else (0, 0, 0, 0)


HAND = [  # '#' black outline, '.' white, ' ' transparent; the fingertip is (6, 0)
    "     ###",
    "    #...#",
    "    #...#",
    "    #...#",
    "    #...#",
    "    #...###",
    "    #...#..###",
    "    #...#..#..###",
    " ## #...#..#..#..#",
    "#..##...#..#..#..#",
    "#...#...........#",
    " #..#...........#",
    " #..............#",
    "  #.............#",
    "  #.............#",
    "   #...........#",
    "   #...........#",
    "    #.........#",
    "    #.........#",
    "    ###########",
]


def write_cursor(name, art, hot):
    size = 32
    xor = bytearray()
    andmask = bytearray()
    for y in range(size - 1, -1, -1):
        line = art[y] if y < len(art) else ""
        xrow, arow = bytearray(4), bytearray(4)
        for x in range(size):
            ch = line[x] if x < len(line) else " "
            bit = 0x80 >> (x % 8)
            if ch == " ":
                arow[x // 8] |= bit          # screen shows through
            elif ch == ".":
                xrow[x // 8] |= bit          # white
        xor += xrow
        andmask += arow
    palette = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0,
                         len(xor) + len(andmask), 0, 0, 2, 2)
    image = header + palette + bytes(xor) + bytes(andmask)
    out = struct.pack("<HHH", 0, 2, 1)
    out += struct.pack("<BBBBHHII", size, size, 2, 0, hot[0], hot[1], len(image), 22)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(out + image)


if __name__ == "__main__":
    write_icon("grelo.ico", bell)
    write_icon("play.ico", play, sizes=(16, 32))
    write_icon("stop.ico", stop, sizes=(16, 32))
    write_cursor("hand.cur", HAND, (6, 0))

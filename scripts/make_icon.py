#!/usr/bin/env python3
"""Draws Norvane's program icon (two paragraph blocks joined by a chain link)
as a 16-colour .ico with a 32x32 and a 16x16 image.

usage: make_icon.py OUTPUT.ico
"""
import struct
import sys

# The 16-colour system palette (index: (r, g, b)).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, TEAL, SILVER, GREY, BLUE, WHITE = 0, 4, 6, 7, 8, 12, 15
CLEAR = None


class Canvas:
    def __init__(self, size):
        self.size = size
        self.pixels = [[CLEAR] * size for _ in range(size)]

    def put(self, x, y, colour):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.pixels[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.put(x, y0, colour)
            self.put(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.put(x0, y, colour)
            self.put(x1, y, colour)

    def ring(self, x0, y0, x1, y1, colour):
        """A rectangle with cut corners: one link of a chain."""
        for x in range(x0 + 1, x1):
            self.put(x, y0, colour)
            self.put(x, y1, colour)
        for y in range(y0 + 1, y1):
            self.put(x0, y, colour)
            self.put(x1, y, colour)


def page(c, x0, y0, x1, y1, lines, line_colour):
    """A paragraph block: a white sheet with a shadow and lines of text."""
    c.fill(x0 + 1, y0 + 1, x1 + 1, y1 + 1, GREY)
    c.fill(x0, y0, x1, y1, WHITE)
    c.frame(x0, y0, x1, y1, BLACK)
    for y, start, end in lines:
        c.fill(start, y, end, y, line_colour)


def draw_32():
    c = Canvas(32)
    page(c, 1, 1, 17, 13, [(4, 4, 14), (7, 4, 12), (10, 4, 13)], NAVY)
    page(c, 13, 17, 29, 29, [(20, 16, 26), (23, 16, 24), (26, 16, 25)], NAVY)
    # Two interlocked links between the blocks.
    c.ring(5, 11, 10, 21, BLUE)
    c.ring(6, 12, 9, 20, BLUE)
    c.ring(7, 18, 16, 24, TEAL)
    c.ring(8, 19, 15, 23, TEAL)
    # Where the first link passes in front of the second.
    c.put(9, 19, BLUE)
    c.put(10, 19, BLUE)
    return c


def draw_16():
    c = Canvas(16)
    page(c, 0, 0, 8, 6, [(2, 2, 6), (4, 2, 5)], NAVY)
    page(c, 6, 8, 14, 14, [(10, 8, 12), (12, 8, 11)], NAVY)
    c.ring(2, 5, 5, 10, BLUE)
    c.ring(3, 9, 8, 12, TEAL)
    c.put(5, 9, BLUE)
    return c


def image_bytes(c):
    size = c.size
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    colour_rows = []
    mask_rows = []
    for y in reversed(range(size)):  # bottom-up
        row = c.pixels[y]
        nibbles = [BLACK if p is CLEAR else p for p in row]
        data = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        colour_rows.append(data + b"\0" * (-len(data) % 4))
        bits = 0
        mask = bytearray()
        for i, p in enumerate(row):
            bits = (bits << 1) | (1 if p is CLEAR else 0)
            if i % 8 == 7:
                mask.append(bits)
                bits = 0
        mask_rows.append(bytes(mask) + b"\0" * (-len(mask) % 4))
    return header + palette + b"".join(colour_rows) + b"".join(mask_rows)


def main():
    images = [(32, image_bytes(draw_32())), (16, image_bytes(draw_16()))]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, data in images)
    with open(sys.argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()

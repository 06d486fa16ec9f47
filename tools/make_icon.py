#!/usr/bin/env python3
"""Draws the program icon (a small clock over a title bar) and writes it as a
Windows .ico with 16, 32 and 48 pixel images, 32-bit with alpha."""
import math
import struct
import sys


def draw(size):
    px = [[(0, 0, 0, 0)] * size for _ in range(size)]
    c = (size - 1) / 2.0
    r = size * 0.46
    for y in range(size):
        for x in range(size):
            d = math.hypot(x - c, y - c)
            if d <= r:
                edge = d > r - max(1.0, size / 16)
                px[y][x] = (40, 70, 160, 255) if edge else (250, 250, 245, 255)
    # Hour marks at 12, 3, 6 and 9.
    for a in range(0, 360, 90):
        t = math.radians(a)
        for k in (0.72, 0.80):
            x = int(round(c + math.sin(t) * r * k))
            y = int(round(c - math.cos(t) * r * k))
            px[y][x] = (40, 70, 160, 255)

    def hand(angle, length, colour):
        t = math.radians(angle)
        steps = size * 2
        for i in range(steps + 1):
            f = i / steps * length * r
            x = int(round(c + math.sin(t) * f))
            y = int(round(c - math.cos(t) * f))
            px[y][x] = colour
            if size >= 32:
                px[y][min(size - 1, x + 1)] = colour

    hand(300, 0.5, (20, 20, 20, 255))    # hour hand at ten
    hand(60, 0.75, (20, 20, 20, 255))    # minute hand at ten past
    hand(180, 0.7, (200, 30, 30, 255))   # second hand
    return px


def image_bytes(size):
    px = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = bytearray()
    for y in range(size - 1, -1, -1):
        for (r, g, b, a) in px[y]:
            rows += bytes((b, g, r, a))
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in range(size - 1, -1, -1):
        bits = bytearray(mask_row)
        for x in range(size):
            if px[y][x][3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(rows) + bytes(mask)


def main(out):
    sizes = (16, 32, 48)
    images = [image_bytes(s) for s in sizes]
    data = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, img in zip(sizes, images):
        data += struct.pack('<BBBBHHII', s, s, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    for img in images:
        data += img
    with open(out, 'wb') as f:
        f.write(data)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'vorlan.ico')

#!/usr/bin/env python3
"""Writes the two logo bitmaps of the report folder.

DefaultLogo.bmp      a 240 x 80 badge: a dyno power curve over a grid, with a
                     bar that stands for a torque plate, in two blues;
DefaultNullLogo.bmp  a 1 x 1 white image, shown when the logo is left out.

Standard library only; 24-bit uncompressed BMP, rows padded to 4 bytes.
Usage: make_report_logos.py [OUTPUT_FOLDER]
"""

import math
import os
import struct
import sys

DEFAULT_FOLDER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data",
                              "Manuals & Videos", "Kalvex")


def write_bmp(path, width, height, pixel):
    """pixel(x, y) -> (r, g, b) with y = 0 at the top."""
    row_size = (width * 3 + 3) & ~3
    image_size = row_size * height
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + image_size, 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, image_size, 2835, 2835, 0, 0)
    rows = []
    for y in range(height - 1, -1, -1):  # bottom-up
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (row_size - len(row))
        rows.append(bytes(row))
    with open(path, "wb") as out:
        out.write(header + info + b"".join(rows))


def logo_pixel(x, y, width=240, height=80):
    white = (255, 255, 255)
    navy = (24, 48, 96)
    blue = (52, 120, 200)
    grid = (214, 224, 238)
    # Rounded frame.
    if x < 2 or y < 2 or x >= width - 2 or y >= height - 2:
        return navy
    # Plot area on the left: a grid and a rising-then-falling power curve.
    left, right, top, bottom = 10, 150, 10, 70
    if left <= x <= right and top <= y <= bottom:
        t = (x - left) / (right - left)
        curve = bottom - (bottom - top) * math.sin(min(1.0, t * 1.15) * math.pi * 0.62) ** 1.4
        torque = bottom - (bottom - top) * (0.55 + 0.25 * math.sin(t * math.pi))
        if abs(y - curve) < 2.2:
            return blue
        if abs(y - torque) < 1.2 and (x // 4) % 2 == 0:
            return navy
        if (x - left) % 20 == 0 or (y - top) % 15 == 0:
            return grid
        return white
    # Right: three bars of rising height, like a bar chart of peak figures.
    for i, h in enumerate((24, 40, 56)):
        bx = 166 + i * 22
        if bx <= x < bx + 14 and bottom - h <= y <= bottom:
            return navy if i == 2 else blue
    if 160 <= x <= 230 and y == bottom + 1:
        return navy
    return white


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_FOLDER
    os.makedirs(folder, exist_ok=True)
    write_bmp(os.path.join(folder, "DefaultLogo.bmp"), 240, 80, logo_pixel)
    write_bmp(os.path.join(folder, "DefaultNullLogo.bmp"), 1, 1, lambda x, y: (255, 255, 255))


if __name__ == "__main__":
    main()

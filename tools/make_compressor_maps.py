#!/usr/bin/env python3
"""Writes the compressor-map files shipped in data/Manuals & Videos/Maps/.

The maps are synthesised, not measured: each has the shape of a real
compressor map, scaled by the wheel size its name implies. Speed lines rise
from surge to choke with the pressure rise growing with the square of the
wheel speed; one efficiency island peaks in the middle of the map and falls to
about 60 % at its edges.

File format: one header line; 100 rows x 120 integer efficiencies [%] (row r
is pressure ratio 1 + r/26.315788, column c is flow c/1.2 lb/min); 20 speed
lines, each its speed [rpm] and 20 "pressure-ratio flow" pairs, unused lines
with speed -1.

Usage: python3 tools/make_compressor_maps.py [output-folder]
"""

import math
import os
import sys

ROWS, COLUMNS, LINES, POINTS = 100, 120, 20, 20
ROWS_PER_RATIO, COLUMNS_PER_FLOW = 26.315788, 1.2

# name, wheel size (1.0: a mid-size turbo of about 55 lb/min), kind.
# Sizes follow the frame and trim in each name: larger frames and trims flow
# more and reach higher pressure ratios at lower wheel speeds.
MAPS = [
    ("Garrett-T-58", 0.74, "turbo"),
    ("Garrett-T-61", 0.80, "turbo"),
    ("Garrett-T04-60-1", 0.98, "turbo"),
    ("Garrett-T04-62-1", 1.03, "turbo"),
    ("Garrett-T04B-40", 0.80, "turbo"),
    ("Garrett-T04B-60-1", 0.95, "turbo"),
    ("Garrett-T04B-62-1", 1.00, "turbo"),
    ("Garrett-T04B-H-3", 0.90, "turbo"),
    ("Garrett-T04B-S-3", 0.97, "turbo"),
    ("Garrett-T04B-V1-V2", 1.04, "turbo"),
    ("Garrett-T04E-40", 0.86, "turbo"),
    ("Garrett-T04E-46", 0.92, "turbo"),
    ("Garrett-T04E-50", 0.97, "turbo"),
    ("Garrett-T04E-54", 1.02, "turbo"),
    ("Garrett-T04E-57", 1.06, "turbo"),
    ("Garrett-T04E-60", 1.10, "turbo"),
    ("Garrett-Super-T04E-46", 1.00, "turbo"),
    ("Garrett-Super-T04E-54", 1.10, "turbo"),
    ("Garrett-Super-T04E-57", 1.15, "turbo"),
    ("Garrett-Super-T04E-60", 1.20, "turbo"),
    ("Garrett-T3-40", 0.58, "turbo"),
    ("Garrett-T3-40t", 0.60, "turbo"),
    ("Garrett-T3-45", 0.64, "turbo"),
    ("Garrett-T3-50", 0.68, "turbo"),
    ("Garrett-T3-60", 0.76, "turbo"),
    ("Garrett-T3-Super-60", 0.84, "turbo"),
    ("KKK-K03", 0.45, "turbo"),
    ("KKK-K16", 0.58, "turbo"),
    ("KKK-K24", 0.64, "turbo"),
    ("KKK-K26", 0.72, "turbo"),
    ("KKK-RS2", 0.62, "turbo"),
    ("Mitsubishi-TD04-09B", 0.46, "turbo"),
    ("Mitsubishi-TD04-13G", 0.54, "turbo"),
    ("Mitsubishi-TD04-15G", 0.60, "turbo"),
    ("Mitsubishi-TD04H-18T", 0.74, "turbo"),
    ("Mitsubishi-TD05H-14B", 0.68, "turbo"),
    ("Mitsubishi-TD05H-14G", 0.71, "turbo"),
    ("Mitsubishi-TD05H-16G-LARGE", 0.82, "turbo"),
    ("Mitsubishi-TD05H-16G-SMALL", 0.78, "turbo"),
    ("Mitsubishi-TD06-16G", 0.85, "turbo"),
    ("Mitsubishi-TD06-17C", 0.90, "turbo"),
    ("Mitsubishi-TD06H-20G", 1.00, "turbo"),
    ("Vortech-A-trim", 0.92, "blower"),
    ("Vortech-V1-S-trim", 0.95, "blower"),
    ("Vortech-V1-T-trim", 1.05, "blower"),
    ("Vortech-V2-S-trim", 1.00, "blower"),
    ("Vortech-V7-YS-trim", 1.20, "blower"),
]


def name_jitter(name, spread):
    """A small, stable per-name offset in [-spread, spread]."""
    h = 0
    for ch in name:
        h = (h * 131 + ord(ch)) % 1000003
    return ((h % 2001) / 1000.0 - 1.0) * spread


class Shape:
    """The envelope of one compressor: flow and pressure ratio per speed and position."""

    def __init__(self, name, size, kind):
        self.max_flow = 55.0 * size                       # choke flow of the top line [lb/min]
        self.max_pr = 2.45 + 0.75 * size                  # surge-end ratio of the top line
        if kind == "turbo":
            # Smaller wheels spin faster for the same tip speed.
            self.top_speed = round(135000.0 / size ** 0.55, -3)
            self.line_count = 8 if size < 0.7 else 9
        else:
            # Gear-driven centrifugal blowers turn their impeller more slowly.
            self.top_speed = round(52000.0 / size ** 0.4, -3)
            self.line_count = 8
        self.low_fraction = 0.36                          # lowest line / top line speed
        self.peak = 75.0 + name_jitter(name, 3.0)         # island peak [%], 72..78
        self.centre_u = 0.70 + name_jitter(name + "u", 0.04)
        self.centre_t = 0.38 + name_jitter(name + "t", 0.05)

    def speeds(self):
        n = self.line_count
        out = []
        for k in range(n):
            u = self.low_fraction + (1.0 - self.low_fraction) * k / (n - 1)
            out.append(round(self.top_speed * u, -3))
        return out

    def point(self, u, t):
        """Flow and pressure ratio at speed fraction u, position t (0 surge, 1 choke)."""
        surge_flow = self.max_flow * (0.10 + 0.40 * u ** 1.5)
        choke_flow = self.max_flow * (0.15 + 0.85 * u)
        rise = (self.max_pr - 1.0) * u * u
        surge_pr = 1.0 + rise
        choke_pr = 1.0 + rise * 0.45
        flow = surge_flow + (choke_flow - surge_flow) * t
        pr = surge_pr - (surge_pr - choke_pr) * t ** 2.2
        return flow, pr

    def efficiency(self, flow, pr):
        """Efficiency [%] of the island at a grid point."""
        x = flow / self.max_flow
        y = (pr - 1.0) / (self.max_pr - 1.0)
        cx, cy = self.point(self.centre_u, self.centre_t)
        cx /= self.max_flow
        cy = (cy - 1.0) / (self.max_pr - 1.0)
        # The island lies along the map's spine, from low-speed to high-speed mid-points.
        lx, ly = self.point(0.4, 0.4)
        hx, hy = self.point(1.0, 0.4)
        angle = math.atan2((hy - ly) / (self.max_pr - 1.0), (hx - lx) / self.max_flow)
        dx, dy = x - cx, y - cy
        along = dx * math.cos(angle) + dy * math.sin(angle)
        across = -dx * math.sin(angle) + dy * math.cos(angle)
        d2 = (along / 0.80) ** 2 + (across / 0.42) ** 2
        value = self.peak - (self.peak - 60.0) * d2
        return int(round(min(self.peak, max(50.0, value))))


def write_map(path, shape):
    out = ["CMAP"]
    for r in range(ROWS):
        pr = 1.0 + r / ROWS_PER_RATIO
        row = [str(shape.efficiency(c / COLUMNS_PER_FLOW, pr)) for c in range(COLUMNS)]
        out.append(" ".join(row))
    speeds = shape.speeds()
    for k in range(LINES):
        if k < len(speeds):
            u = speeds[k] / shape.top_speed
            out.append("%f" % speeds[k])
            for j in range(POINTS):
                flow, pr = shape.point(u, j / (POINTS - 1))
                out.append("%f %f" % (pr, flow))
        else:
            out.append("%f" % -1.0)
            out.extend("%f %f" % (0.0, 0.0) for _ in range(POINTS))
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(out) + "\n")


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "data", "Manuals & Videos", "Maps")
    os.makedirs(folder, exist_ok=True)
    for name, size, kind in MAPS:
        write_map(os.path.join(folder, name + ".map"), Shape(name, size, kind))
    print("wrote %d maps to %s" % (len(MAPS), folder))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Writes the compressor-map files shipped in data/Manuals & Videos/Maps/.

The maps are synthesised, not measured. Each one is built from a handful of
characteristic figures of its compressor, kept in the table COMPRESSORS below:

  top rpm     the wheel speed of the highest speed line (the maximum wheel speed)
  lines       how many speed lines the map has (5..20)
  surge, choke  the flow [lb/min] at the surge end and at the choke end of the
              highest speed line
  peak PR     the pressure ratio at the surge end of the highest speed line
  peak eff    the efficiency [%] at the centre of the efficiency island
  island      the centre of the island as (flow / choke flow, (PR - 1) / (peak PR - 1))

The lower speed lines follow from these by the rules in Envelope:
  - line speeds are evenly spaced from LOWEST_LINE x top rpm up to top rpm,
    rounded to 500 rpm;
  - at speed fraction u the pressure rise above 1 grows as u^2 (the fan law),
    the surge flow as u^SURGE_EXPONENT and the choke flow as u^CHOKE_EXPONENT;
  - along a line (point 0 at surge, point 19 at choke) the flow rises evenly
    and the pressure ratio stays nearly flat before falling, by point 19, to
    CHOKE_RISE of the line's pressure rise.
The island is an ellipse laid along the map's spine (the line through the
middle of the speed lines); the efficiency falls off smoothly from its peak to
60 % on the ellipse's edge and towards 50 % far away.

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
MAX_FLOW = 100.0          # flows beyond the grid's last column read its edge
MAX_RATIO = 1.0 + (ROWS - 1) / ROWS_PER_RATIO

LOWEST_LINE = 0.35        # lowest line speed / top rpm
SURGE_EXPONENT = 1.5      # surge flow ~ u^1.5
CHOKE_EXPONENT = 0.85     # choke flow ~ u^0.85
CHOKE_RISE = 0.45         # pressure rise left at the choke end of a line
LINE_DROOP = 2.2          # how late along a line the pressure ratio falls
ISLAND_ALONG = 0.80       # island half-length along the spine (normalised map units)
ISLAND_ACROSS = 0.42      # island half-width across it
EDGE_EFFICIENCY = 60.0    # [%] on the island's edge
FLOOR_EFFICIENCY = 50.0   # [%] approached far from the island

# Turbochargers (numbers 1..42) and centrifugal blowers (43..47), in the order
# of the compressor map numbers. Flows in lb/min, speeds in rpm.
#
#   T3 frames: small wheels, 24..39 lb/min, 145..165 krpm.
#   T04B/T04E: mid to large, 32..54 lb/min, 114..125 krpm; higher trims flow more.
#   Super-T04E: the largest turbos here, 48..62 lb/min at up to PR 3.5.
#   K03 / TD04-09B: the tiny ones, under 20 lb/min, above 200 krpm.
#   TD05/TD06: mid-size, 31..48 lb/min.
#   Centrifugal blowers: gear-driven impellers, 55..92 lb/min at 44..58 krpm.
COMPRESSORS = [
    # name                          kind      top rpm lines surge choke peak PR eff  island
    ("Garrett-T-58",                "turbo",  135000,  8,  13.0, 30.0, 2.70, 72, (0.56, 0.55)),
    ("Garrett-T-61",                "turbo",  128000,  8,  14.0, 33.0, 2.75, 73, (0.56, 0.55)),
    ("Garrett-T04-60-1",            "turbo",  118000,  9,  18.0, 44.0, 2.90, 74, (0.58, 0.55)),
    ("Garrett-T04-62-1",            "turbo",  115000,  9,  19.0, 47.0, 2.95, 74, (0.58, 0.55)),
    ("Garrett-T04B-40",             "turbo",  125000,  8,  13.0, 32.0, 2.60, 72, (0.55, 0.52)),
    ("Garrett-T04B-60-1",           "turbo",  120000,  9,  17.0, 42.0, 2.85, 74, (0.58, 0.55)),
    ("Garrett-T04B-62-1",           "turbo",  118000,  9,  18.0, 45.0, 2.90, 74, (0.58, 0.55)),
    ("Garrett-T04B-H-3",            "turbo",  122000,  9,  16.0, 39.0, 2.80, 73, (0.57, 0.54)),
    ("Garrett-T04B-S-3",            "turbo",  120000,  9,  17.0, 43.0, 2.90, 74, (0.58, 0.55)),
    ("Garrett-T04B-V1-V2",          "turbo",  116000,  9,  19.0, 48.0, 3.00, 74, (0.58, 0.56)),
    ("Garrett-T04E-40",             "turbo",  124000,  9,  14.0, 36.0, 2.70, 75, (0.57, 0.54)),
    ("Garrett-T04E-46",             "turbo",  122000,  9,  16.0, 40.0, 2.85, 76, (0.58, 0.55)),
    ("Garrett-T04E-50",             "turbo",  120000,  9,  18.0, 44.0, 2.95, 76, (0.58, 0.56)),
    ("Garrett-T04E-54",             "turbo",  118000,  9,  19.0, 48.0, 3.05, 77, (0.59, 0.56)),
    ("Garrett-T04E-57",             "turbo",  116000,  9,  21.0, 51.0, 3.10, 77, (0.59, 0.57)),
    ("Garrett-T04E-60",             "turbo",  114000,  9,  22.0, 54.0, 3.15, 77, (0.60, 0.57)),
    ("Garrett-Super-T04E-46",       "turbo",  118000, 10,  19.0, 48.0, 3.20, 77, (0.59, 0.56)),
    ("Garrett-Super-T04E-54",       "turbo",  114000, 10,  22.0, 55.0, 3.35, 78, (0.60, 0.57)),
    ("Garrett-Super-T04E-57",       "turbo",  112000, 10,  23.0, 58.0, 3.40, 78, (0.60, 0.58)),
    ("Garrett-Super-T04E-60",       "turbo",  110000, 10,  25.0, 62.0, 3.50, 78, (0.61, 0.58)),
    ("Garrett-T3-40",               "turbo",  165000,  8,   9.0, 24.0, 2.50, 70, (0.54, 0.52)),
    ("Garrett-T3-40t",              "turbo",  162000,  8,   9.5, 25.0, 2.55, 71, (0.54, 0.52)),
    ("Garrett-T3-45",               "turbo",  160000,  8,  10.0, 28.0, 2.60, 71, (0.55, 0.53)),
    ("Garrett-T3-50",               "turbo",  155000,  8,  11.0, 31.0, 2.70, 72, (0.56, 0.54)),
    ("Garrett-T3-60",               "turbo",  150000,  8,  13.0, 35.0, 2.80, 73, (0.57, 0.55)),
    ("Garrett-T3-Super-60",         "turbo",  145000,  9,  14.0, 39.0, 2.90, 75, (0.58, 0.56)),
    ("KKK-K03",                     "turbo",  210000,  8,   6.0, 17.0, 2.20, 70, (0.54, 0.50)),
    ("KKK-K16",                     "turbo",  170000,  8,   9.0, 25.0, 2.50, 72, (0.55, 0.53)),
    ("KKK-K24",                     "turbo",  155000,  8,  11.0, 30.0, 2.60, 73, (0.56, 0.54)),
    ("KKK-K26",                     "turbo",  145000,  8,  13.0, 35.0, 2.70, 73, (0.57, 0.55)),
    ("KKK-RS2",                     "turbo",  150000,  8,  12.0, 33.0, 2.80, 74, (0.57, 0.55)),
    ("Mitsubishi-TD04-09B",         "turbo",  200000,  8,   6.5, 18.0, 2.20, 69, (0.54, 0.50)),
    ("Mitsubishi-TD04-13G",         "turbo",  185000,  8,   8.0, 23.0, 2.40, 71, (0.55, 0.52)),
    ("Mitsubishi-TD04-15G",         "turbo",  180000,  8,   9.0, 26.0, 2.50, 72, (0.55, 0.53)),
    ("Mitsubishi-TD04H-18T",        "turbo",  170000,  9,  11.0, 32.0, 2.70, 74, (0.57, 0.55)),
    ("Mitsubishi-TD05H-14B",        "turbo",  165000,  9,  11.0, 31.0, 2.70, 73, (0.56, 0.54)),
    ("Mitsubishi-TD05H-14G",        "turbo",  165000,  9,  11.0, 32.0, 2.75, 73, (0.57, 0.55)),
    ("Mitsubishi-TD05H-16G-LARGE",  "turbo",  158000,  9,  13.0, 38.0, 2.85, 74, (0.58, 0.55)),
    ("Mitsubishi-TD05H-16G-SMALL",  "turbo",  160000,  9,  12.0, 36.0, 2.80, 74, (0.57, 0.55)),
    ("Mitsubishi-TD06-16G",         "turbo",  155000,  9,  14.0, 40.0, 2.90, 74, (0.58, 0.56)),
    ("Mitsubishi-TD06-17C",         "turbo",  150000,  9,  15.0, 43.0, 2.95, 75, (0.58, 0.56)),
    ("Mitsubishi-TD06H-20G",        "turbo",  145000,  9,  17.0, 48.0, 3.00, 75, (0.59, 0.57)),
    ("Vortech-A-trim",              "blower",  58000,  8,  20.0, 55.0, 2.20, 72, (0.60, 0.50)),
    ("Vortech-V1-S-trim",           "blower",  50000,  8,  22.0, 62.0, 2.30, 73, (0.60, 0.50)),
    ("Vortech-V1-T-trim",           "blower",  48000,  8,  26.0, 72.0, 2.40, 73, (0.61, 0.51)),
    ("Vortech-V2-S-trim",           "blower",  52000,  8,  23.0, 64.0, 2.35, 74, (0.60, 0.50)),
    ("Vortech-V7-YS-trim",          "blower",  44000,  8,  33.0, 92.0, 2.60, 75, (0.62, 0.52)),
]


class Envelope:
    """The speed lines and efficiency island of one compressor, from its figures."""

    def __init__(self, name, kind, top_rpm, lines, surge, choke, peak_pr, peak_eff, island):
        self.name = name
        self.kind = kind
        self.top_rpm = float(top_rpm)
        self.line_count = lines
        self.surge = surge
        self.choke = choke
        self.peak_pr = peak_pr
        self.peak_eff = float(peak_eff)
        self.island = island
        self.check()

    def check(self):
        where = self.name + ": "
        assert self.kind in ("turbo", "blower"), where + "kind"
        assert 5 <= self.line_count <= LINES, where + "line count"
        assert 0.0 < self.surge < self.choke < MAX_FLOW, where + "flows"
        assert 1.0 < self.peak_pr < MAX_RATIO, where + "peak pressure ratio"
        assert EDGE_EFFICIENCY < self.peak_eff <= 100.0, where + "peak efficiency"
        # The island's centre must lie on the map: right of the surge line and
        # left of the top line's choke end.
        x, y = self.island
        assert 0.0 < y < 1.0, where + "island pressure ratio"
        surge_flow, _ = self.point(math.sqrt(y), 0.0)
        assert surge_flow < x * self.choke < self.choke, where + "island flow"

    def speeds(self):
        n = self.line_count
        out = []
        for k in range(n):
            u = LOWEST_LINE + (1.0 - LOWEST_LINE) * k / (n - 1)
            out.append(round(self.top_rpm * u / 500.0) * 500.0)
        assert all(a < b for a, b in zip(out, out[1:])), self.name + ": speeds"
        return out

    def point(self, u, t):
        """Flow [lb/min] and pressure ratio at speed fraction u, position t (0 surge, 1 choke)."""
        surge_flow = self.surge * u ** SURGE_EXPONENT
        choke_flow = self.choke * u ** CHOKE_EXPONENT
        rise = (self.peak_pr - 1.0) * u * u
        surge_pr = 1.0 + rise
        choke_pr = 1.0 + rise * CHOKE_RISE
        flow = surge_flow + (choke_flow - surge_flow) * t
        pr = surge_pr - (surge_pr - choke_pr) * t ** LINE_DROOP
        return flow, pr

    def normalised(self, flow, pr):
        return flow / self.choke, (pr - 1.0) / (self.peak_pr - 1.0)

    def efficiency(self, flow, pr):
        """Efficiency [%] of the island at a grid point."""
        x, y = self.normalised(flow, pr)
        cx, cy = self.island
        # The island lies along the map's spine, from low-speed to top-speed mid-points.
        lx, ly = self.normalised(*self.point(0.4, 0.45))
        hx, hy = self.normalised(*self.point(1.0, 0.45))
        angle = math.atan2(hy - ly, hx - lx)
        dx, dy = x - cx, y - cy
        along = dx * math.cos(angle) + dy * math.sin(angle)
        across = -dx * math.sin(angle) + dy * math.cos(angle)
        d2 = (along / ISLAND_ALONG) ** 2 + (across / ISLAND_ACROSS) ** 2
        # A Gaussian hill over the floor that passes EDGE_EFFICIENCY at d = 1.
        height = self.peak_eff - FLOOR_EFFICIENCY
        steepness = math.log(height / (EDGE_EFFICIENCY - FLOOR_EFFICIENCY))
        value = FLOOR_EFFICIENCY + height * math.exp(-steepness * d2)
        return int(round(value))


def write_map(path, envelope):
    out = ["CMAP"]
    for r in range(ROWS):
        pr = 1.0 + r / ROWS_PER_RATIO
        row = [str(envelope.efficiency(c / COLUMNS_PER_FLOW, pr)) for c in range(COLUMNS)]
        out.append(" ".join(row))
    speeds = envelope.speeds()
    for k in range(LINES):
        if k < len(speeds):
            u = speeds[k] / envelope.top_rpm
            out.append("%f" % speeds[k])
            for j in range(POINTS):
                flow, pr = envelope.point(u, j / (POINTS - 1))
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
    assert len(COMPRESSORS) == 47
    for row in COMPRESSORS:
        write_map(os.path.join(folder, row[0] + ".map"), Envelope(*row))
    print("wrote %d maps to %s" % (len(COMPRESSORS), folder))


if __name__ == "__main__":
    main()
